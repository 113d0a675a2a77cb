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
namespace {

constexpr Bilingual kCaption{"Compare with File", "与文件比较"};
constexpr Bilingual kThisDocument{"This document", "本文档"};
constexpr Bilingual kTheFile{"The file", "该文件"};
constexpr Bilingual kTableName{"Differences", "差异"};
constexpr Bilingual kEqual{"The document and the file hold the same settings.",
                           "文档与文件的设置相同。"};
constexpr Bilingual kDiffering{"%1 settings differ.", "有 %1 项设置不同。"};
constexpr Bilingual kClose{"Close", "关闭"};

}  // namespace

FrmCompareFile::FrmCompareFile(UiContext& ctx, const QString& path, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("frmCompareFile"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(ctx.pick(kCaption) + QStringLiteral(" - ") + QFileInfo(path).fileName());

  summary_ = new QLabel(this);
  summary_->setObjectName(QStringLiteral("LabelSummary"));
  summary_->setWordWrap(true);
  summary_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

  table_ = new DifferencesTable(ctx, kThisDocument, kTheFile, kTableName, this);

  close_ = new QPushButton(ctx.pick(kClose), this);
  close_->setObjectName(QStringLiteral("CommandClose"));
  close_->setAccessibleName(ctx.pick(kClose));
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
      summary_->setText(ctx.pick(kEqual));
      table_->hide();
    } else {
      summary_->setText(ctx.pick(kDiffering).arg(differences.size()));
    }
  }
  summary_->setAccessibleName(summary_->text());
  (table_->isHidden() ? static_cast<QWidget*>(close_) : table_)->setFocus();
  close_->setDefault(true);
  resize(760, 480);
}

}  // namespace kr4100
