// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frm_write_preview.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/texts/backup_texts.h"
#include "gui/ui_context.h"

namespace kr4100 {

FrmWritePreview::FrmWritePreview(UiContext& ctx, const WritePreview& preview, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("frmWritePreview"));
  setWindowTitle(ctx.pick(kPreviewCaption));

  question_ = new QLabel(QString::fromUtf8(WritePreviewQuestion(preview, ctx.language())), this);
  question_->setObjectName(QStringLiteral("LabelQuestion"));
  question_->setWordWrap(true);
  question_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  question_->setAccessibleName(question_->text());

  table_ = new DifferencesTable(ctx, kPreviewInRadio, kPreviewAfterWrite, kPreviewTableName, this);
  table_->setDifferences(preview.changes);
  table_->setVisible(!preview.changes.empty());

  write_ = new QPushButton(ctx.pick(kPreviewWrite), this);
  write_->setObjectName(QStringLiteral("CommandWrite"));
  write_->setAccessibleName(ctx.pick(kPreviewWrite));
  cancel_ = new QPushButton(ctx.pick(kPreviewCancel), this);
  cancel_->setObjectName(QStringLiteral("CommandCancel"));
  cancel_->setAccessibleName(ctx.pick(kPreviewCancel));
  connect(write_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(write_);
  buttons->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(question_);
  layout->addWidget(table_, 1);
  layout->addLayout(buttons);

  // Enter writes, as the plain question's OK did; the list takes the keys first when it shows.
  write_->setDefault(true);
  (preview.changes.empty() ? static_cast<QWidget*>(write_) : table_)->setFocus();
  resize(preview.changes.empty() ? QSize(480, 140) : QSize(760, 420));
}

bool RunWritePreview(UiContext& ctx, const WritePreview& preview, QWidget* parent) {
  FrmWritePreview dialog(ctx, preview, parent);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace kr4100
