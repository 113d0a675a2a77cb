// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/frm_fill_frequencies.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/texts/channel_bulk_texts.h"
#include "gui/editor_support.h"
#include "gui/key_filters.h"

namespace kr4100 {
namespace {

// kHz, signed: an offset may be negative, a step too (a fill downwards).
QLineEdit* KiloHertzField(const QString& text, QWidget* parent) {
  auto* field = new QLineEdit(text, parent);
  field->setValidator(new QRegularExpressionValidator(
      QRegularExpression(QStringLiteral("-?[0-9]{0,6}(\\.[0-9]{0,6})?")), field));
  return field;
}

}  // namespace

FrmFillFrequencies::FrmFillFrequencies(UiContext& ctx, const QString& start, QWidget* parent)
    : QDialog(parent), ctx_(ctx) {
  setObjectName(QStringLiteral("FrmFillFre"));
  setWindowTitle(ctx.pick(kFillCaption));
  start_ = new QLineEdit(start, this);
  start_->setObjectName(QStringLiteral("TextStart"));
  MakeFrequencyField(start_);
  step_ = KiloHertzField(QStringLiteral("10"), this);
  step_->setObjectName(QStringLiteral("TextStep"));
  offset_ = KiloHertzField(QStringLiteral("0"), this);
  offset_->setObjectName(QStringLiteral("TextOffset"));
  overRows_ = new QRadioButton(ctx.pick(kFillOverRows), this);
  overRows_->setObjectName(QStringLiteral("OptionRows"));
  overRows_->setChecked(true);
  newChannels_ = new QRadioButton(ctx.pick(kFillNewChannels), this);
  newChannels_->setObjectName(QStringLiteral("OptionNew"));
  count_ = new QSpinBox(this);
  count_->setObjectName(QStringLiteral("SpinCount"));
  count_->setRange(1, kChannelsPerGroup);
  count_->setEnabled(false);
  connect(newChannels_, &QRadioButton::toggled, count_, &QSpinBox::setEnabled);

  const std::pair<QWidget*, const Bilingual*> named[] = {{start_, &kFillStart},
                                                         {step_, &kFillStep},
                                                         {offset_, &kFillOffset},
                                                         {overRows_, &kFillOverRows},
                                                         {newChannels_, &kFillNewChannels},
                                                         {count_, &kFillCount}};
  for (const auto& [widget, text] : named) widget->setAccessibleName(ctx.pick(*text));
  for (QWidget* field : {static_cast<QWidget*>(start_), static_cast<QWidget*>(step_),
                         static_cast<QWidget*>(offset_), static_cast<QWidget*>(count_)})
    EnterMovesFocus(field);

  auto* form = new QFormLayout;
  form->addRow(ctx.pick(kFillStart), start_);
  form->addRow(ctx.pick(kFillStep), step_);
  form->addRow(ctx.pick(kFillOffset), offset_);
  form->addRow(overRows_);
  form->addRow(newChannels_);
  form->addRow(ctx.pick(kFillCount), count_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
  QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel);
  ok->setObjectName(QStringLiteral("CommandOK"));
  cancel->setObjectName(QStringLiteral("CommandCancel"));
  ok->setText(ctx.pick(kFillOk));
  cancel->setText(ctx.pick(kFillCancel));
  ok->setAccessibleName(WithoutAccelerator(ctx.pick(kFillOk)));
  cancel->setAccessibleName(WithoutAccelerator(ctx.pick(kFillCancel)));
  connect(buttons, &QDialogButtonBox::accepted, this, &FrmFillFrequencies::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &FrmFillFrequencies::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
  start_->selectAll();
}

void FrmFillFrequencies::accept() {
  const ParsedFillSteps parsed = ParseFillSteps(
      start_->text().toStdString(), step_->text().toStdString(), offset_->text().toStdString());
  if (!parsed.steps) {
    ctx_.tell(parsed.refusal.value_or(MessageId::FillNotNumbers), MsgIcon::Warning);
    // Open still, on the box to put right.
    QLineEdit* bad = parsed.field == FillField::Step     ? step_
                     : parsed.field == FillField::Offset ? offset_
                                                         : start_;
    bad->setFocus(Qt::OtherFocusReason);
    bad->selectAll();
    return;
  }
  request_ = FillRequest{*parsed.steps, newChannels_->isChecked(), count_->value()};
  QDialog::accept();
}

}  // namespace kr4100
