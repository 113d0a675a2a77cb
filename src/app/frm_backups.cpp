// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frm_backups.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/dialogs.h"
#include "core/link/backups.h"
#include "core/texts/backup_texts.h"
#include "gui/qt_paths.h"
#include "gui/ui_context.h"

namespace kr4100 {

FrmBackups::FrmBackups(UiContext& ctx, const std::filesystem::path& folder, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("frmBackups"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(ctx.pick(kBackupsCaption));

  empty_ = new QLabel(ctx.pick(kBackupsNone), this);
  empty_->setObjectName(QStringLiteral("LabelNone"));
  empty_->setAccessibleName(empty_->text());

  table_ = new QTableWidget(0, static_cast<int>(kBackupColumnCount), this);
  table_->setObjectName(QStringLiteral("GridBackups"));
  table_->setAccessibleName(ctx.pick(kBackupsTableName));
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setTabKeyNavigation(false);  // Tab leaves the table for the buttons
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setStretchLastSection(true);

  open_ = button(ctx, "CommandOpen", kBackupsOpen);
  compare_ = button(ctx, "CommandCompare", kBackupsCompare);
  writeBack_ = button(ctx, "CommandWrite", kBackupsWriteBack);
  close_ = button(ctx, "CommandClose", kBackupsClose);
  requestWith(open_, &FrmBackups::openRequested);
  requestWith(compare_, &FrmBackups::compareRequested);
  requestWith(writeBack_, &FrmBackups::writeBackRequested);
  connect(close_, &QPushButton::clicked, this, &QDialog::reject);
  // A double click opens a row; Enter does through the default button.
  connect(table_, &QTableWidget::cellDoubleClicked, open_, &QPushButton::click);

  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {open_, compare_, writeBack_}) buttons->addWidget(b);
  buttons->addStretch(1);
  buttons->addWidget(close_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(empty_);
  layout->addWidget(table_, 1);
  layout->addLayout(buttons);

  fill(ctx, folder);
  const bool any = table_->rowCount() > 0;
  empty_->setVisible(!any);
  for (QPushButton* b : {open_, compare_, writeBack_}) b->setEnabled(any);
  open_->setDefault(any);
  close_->setDefault(!any);
  (any ? static_cast<QWidget*>(table_) : close_)->setFocus();
  resize(820, 420);
}

QPushButton* FrmBackups::button(const UiContext& ctx, const char* name, const Bilingual& text) {
  auto* b = new QPushButton(ctx.pick(text), this);
  b->setObjectName(QLatin1String(name));
  b->setAccessibleName(WithoutAccelerator(b->text()));
  b->setAutoDefault(false);
  return b;
}

void FrmBackups::requestWith(QPushButton* b, void (FrmBackups::*request)(const QString&)) {
  connect(b, &QPushButton::clicked, this, [this, request] {
    const QString file = currentFile();
    if (!file.isEmpty()) emit(this->*request)(file);
  });
}

void FrmBackups::fill(const UiContext& ctx, const std::filesystem::path& folder) {
  QStringList headings;
  for (const std::string& h : BackupHeadings(ctx.language())) headings << QString::fromUtf8(h);
  table_->setHorizontalHeaderLabels(headings);
  const std::vector<BackupEntry> backups =
      folder.empty() ? std::vector<BackupEntry>{} : ListBackups(folder);
  table_->setRowCount(static_cast<int>(backups.size()));
  for (int row = 0; row < table_->rowCount(); ++row) {
    const BackupEntry& entry = backups[static_cast<std::size_t>(row)];
    const BackupRow cells = BackupRowOf(entry, ctx.language());
    for (int col = 0; col < table_->columnCount(); ++col) {
      auto* item = new QTableWidgetItem(QString::fromUtf8(cells[static_cast<std::size_t>(col)]));
      if (col == 0) item->setData(Qt::UserRole, ToQString(entry.file));
      table_->setItem(row, col, item);
    }
  }
  table_->resizeColumnsToContents();
  if (table_->rowCount() > 0) table_->setCurrentCell(0, 0);
}

QString FrmBackups::currentFile() const {
  const int row = table_->currentRow();
  if (row < 0 || table_->item(row, 0) == nullptr) return {};
  return table_->item(row, 0)->data(Qt::UserRole).toString();
}

}  // namespace kr4100
