// SPDX-License-Identifier: GPL-3.0-or-later
#include "radioinfo/frm_radio_info.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/editor_support.h"
#include "radioinfo/radio_info_fields.h"

namespace kr4100 {

FrmRadioInfo::FrmRadioInfo(UiContext& ctx, QWidget* parent)
    : QDialog(parent),
      EditorWindow(this, ctx, "FrmRadioInfo"),
      fields_(std::make_unique<RadioInfoFields>(this, ctx)) {
  SetDialogFrame(this);
  // What the record holds is shown, not edited here.
  fields_->dateBox->setReadOnly(true);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields_->form);
  layout->addStretch(1);
  layout->addLayout(closeAndHelpRow());
  closeButton()->setDefault(true);
  reCaption();
  fields_->modelCombo->setFocus();
}

FrmRadioInfo::~FrmRadioInfo() = default;

void FrmRadioInfo::reCaption() {
  setWindowTitle(ctx().shell(ShellText::RadioInfoCaption));
  fields_->reCaption();
  captionCloseAndHelp();
  ShowData();
}

void FrmRadioInfo::ShowData() {
  guarded("FrmRadioInfo_ShowData", [&] { fields_->show(ShowRadioInfo(record().ModelInfo)); });
}

}  // namespace kr4100
