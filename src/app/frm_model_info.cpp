// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frm_model_info.h"

#include <QComboBox>
#include <QLabel>
#include <string>
#include <vector>

#include "core/config/model_band.h"
#include "core/config/numbers.h"
#include "gui/key_filters.h"

namespace kr4100 {
namespace {

// A model without bands of its own (the default one among them) is this radio: it offers the
// radio's two bands, so that no choice ever leaves the document without a band.
QStringList BandItemsFor(const QString& modelText) {
  std::vector<std::string> items = ModelDialogBandItems(modelText.toStdString());
  if (items.empty()) items = {kBand0Text, kBand1Text};
  QStringList list;
  for (const std::string& item : items) list << QString::fromStdString(item);
  return list;
}

QStringList ItemsOf(const QComboBox* combo) {
  QStringList items;
  for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
  return items;
}

}  // namespace

FrmModelInfo::FrmModelInfo(UiContext& ctx, QWidget* parent)
    : FieldDialog(ctx, {"FrmModelInfo", "Command1", "Command2"}, parent) {
  combo1_ = new QComboBox(this);
  combo1_->setObjectName(QStringLiteral("Combo1"));
  combo1_->setEditable(true);
  combo1_->setInsertPolicy(QComboBox::NoInsert);
  for (const std::string& code : KnownModelCodes()) combo1_->addItem(QString::fromStdString(code));
  combo2_ = new QComboBox(this);
  combo2_->setObjectName(QStringLiteral("Combo2"));
  combo2_->setMinimumWidth(220);
  EnterMovesFocus(combo1_);
  EnterMovesFocus(combo2_);
  label1_ = addField("Label1", combo1_);
  label2_ = addField("Label2", combo2_);
  layOut();

  const DocState& state = ctx.doc().state();
  combo1_->setEditText(QString::fromStdString(std::string(Trim(state.modelText))));
  rebuildBands(BandList::Fresh);
  // The document's band is shown even when the model's list does not hold it, so that it can be
  // confirmed unchanged.
  const QString band = QString::fromStdString(state.bandText);
  if (combo2_->findText(band) < 0) combo2_->insertItem(0, band);
  combo2_->setCurrentIndex(combo2_->findText(band));

  // A model picked from the list starts its band list afresh; a typed code brings its bands as
  // soon as it is recognised.
  connect(combo1_, &QComboBox::textActivated, this, [this] { rebuildBands(BandList::Fresh); });
  connect(combo1_, &QComboBox::editTextChanged, this,
          [this] { rebuildBands(BandList::KeepIfSame); });
  reCaption();
  combo1_->setFocus();
}

void FrmModelInfo::reCaption() {
  captionFrame(ctx().shell(ShellText::ModelInformation));
  label1_->setText(ctx().shell(ShellText::ModelType));
  label2_->setText(ctx().shell(ShellText::Frequency));
}

void FrmModelInfo::rebuildBands(BandList list) {
  const QStringList items = BandItemsFor(combo1_->currentText());
  const QStringList current = ItemsOf(combo2_);
  if (list == BandList::KeepIfSame && current.size() >= items.size() &&
      current.mid(current.size() - items.size()) == items)
    return;
  combo2_->clear();
  combo2_->addItems(items);
  combo2_->setCurrentIndex(0);
}

void FrmModelInfo::confirm() {
  Document& doc = ctx().doc();
  const std::string modelText = combo1_->currentText().toStdString();
  const std::string bandText = combo2_->currentText().toStdString();
  if (modelText == doc.state().modelText && bandText == doc.state().bandText) {
    accept();
    return;
  }
  if (!BandFitsStoredForm(bandText)) {
    // Its frequencies would be stored as others: refused, and the dialog stays for another choice.
    ctx().tell(MessageId::BandNotStorable, MsgIcon::Warning);
    return;
  }
  if (ctx().prompter().ask(ctx().msg(MessageId::FrequencyDataCleared), MsgButtons::OkCancel,
                           MsgIcon::Warning, ctx().msg(MessageId::WarningTitle)) != Answer::Ok) {
    reject();
    return;
  }
  // The band lookup trims the model text, and the document keeps it trimmed from then on.
  const std::string model(Trim(modelText));
  ModelInfo& info = doc.working().ModelInfo;
  if (const auto choice = ModelDialogChoice(model)) {
    info.ModelCode = choice->code + '\0';
    info.ModelType = static_cast<Integer>(choice->type);
  }
  info.BandType = static_cast<Integer>(BandCodeOf(bandText, model));
  doc.setModelAndBand(model, bandText);
  changed_ = true;
  accept();
}

}  // namespace kr4100
