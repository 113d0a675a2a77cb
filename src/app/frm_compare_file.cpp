// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frm_compare_file.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/differences_table.h"
#include "core/config/data_file.h"
#include "core/config/record_diff.h"
#include "gui/qt_paths.h"
#include "gui/ui_context.h"

namespace kr4100 {

FrmCompareFile::FrmCompareFile(UiContext& ctx, const QString& path, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("frmCompareFile"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(ctx.shell(ShellText::CompareCaption) + QStringLiteral(" - ") +
                 QFileInfo(path).fileName());

  summary_ = new QLabel(this);
  summary_->setObjectName(QStringLiteral("LabelSummary"));
  summary_->setWordWrap(true);
  summary_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

  table_ = new DifferencesTable(ctx, Shell(ShellText::CompareThisDocument),
                                Shell(ShellText::CompareTheFile),
                                Shell(ShellText::CompareTableName), this);

  close_ = new QPushButton(ctx.shell(ShellText::CompareClose), this);
  close_->setObjectName(QStringLiteral("CommandClose"));
  close_->setAccessibleName(ctx.shell(ShellText::CompareClose));
  connect(close_, &QPushButton::clicked, this, &QDialog::accept);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(close_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(summary_);
  layout->addWidget(table_, 1);
  layout->addLayout(buttons);

  Document other;
  const FileOutcome opened = OpenDataFile(other, ToPath(path), ctx.state().versions);
  if (!opened.ok()) {
    summary_->setText(QString::fromUtf8(opened.message(ctx.language())));
    table_->hide();
  } else {
    const auto differences = DiffRecords(ctx.doc().working(), other.working(), ctx.language());
    table_->setDifferences(differences);
    if (differences.empty()) {
      summary_->setText(ctx.shell(ShellText::CompareEqual));
      table_->hide();
    } else if (differences.size() == 1) {
      summary_->setText(ctx.shell(ShellText::CompareOneDiffering));
    } else {
      summary_->setText(ctx.shell(ShellText::CompareDiffering)
                            .replace(QStringLiteral("{n}"), QString::number(differences.size())));
    }
  }
  summary_->setAccessibleName(summary_->text());
  (table_->isHidden() ? static_cast<QWidget*>(close_) : table_)->setFocus();
  close_->setDefault(true);
  resize(760, 480);
}

}  // namespace kr4100
