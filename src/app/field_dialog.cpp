// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/field_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/editor_support.h"

namespace kr4100 {

FieldDialog::FieldDialog(UiContext& ctx, const Names& names, QWidget* parent)
    : QDialog(parent), ctx_(ctx), names_(names), fields_(new QGridLayout) {
  setObjectName(QLatin1String(names.dialog));
  SetDialogFrame(this);
  fields_->setColumnStretch(1, 1);
}

QLabel* FieldDialog::addField(const char* labelName, QWidget* box) {
  auto* label = new QLabel(this);
  label->setObjectName(QLatin1String(labelName));
  label->setBuddy(box);
  const int row = rows_++;
  fields_->addWidget(label, row, 0);
  fields_->addWidget(box, row, 1);
  return label;
}

void FieldDialog::layOut() {
  // Made after the fields, so that Tab goes from the fields to the buttons.
  ok_ = new QPushButton(this);
  ok_->setObjectName(QLatin1String(names_.ok));
  ok_->setDefault(true);
  cancel_ = new QPushButton(this);
  cancel_->setObjectName(QLatin1String(names_.cancel));
  connect(ok_, &QPushButton::clicked, this, [this] { confirm(); });
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields_);
  layout->addSpacing(12);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void FieldDialog::captionFrame(const QString& title) {
  setWindowTitle(title);
  ok_->setText(ctx_.msg(MessageId::OkButton));
  cancel_->setText(ctx_.msg(MessageId::CancelButton));
}

}  // namespace kr4100
