// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frm_set_language.h"

#include <QComboBox>
#include <QLabel>

#include "gui/key_filters.h"

namespace kr4100 {

FrmSetLanguage::FrmSetLanguage(UiContext& ctx, QWidget* parent)
    : FieldDialog(ctx, {"FrmSetLanguage", "Command1", "Command2"}, parent) {
  combo1_ = new QComboBox(this);
  combo1_->setObjectName(QStringLiteral("Combo1"));
  combo1_->setMinimumWidth(160);
  EnterMovesFocus(combo1_);
  label1_ = addField("Label1", combo1_);
  layOut();
  reCaption();
  combo1_->setFocus();
}

void FrmSetLanguage::reCaption() {
  captionFrame(ctx().shell(ShellText::LanguageSetup));
  label1_->setText(ctx().shell(ShellText::LanguageMode));
  fillList();
}

// Chinese is offered on a Chinese system, and wherever it is in force (an older settings file):
// OK must keep the language in force, not fall back to the first entry. Once left, it is not
// offered again. The names are written in the language in force.
void FrmSetLanguage::fillList() {
  combo1_->clear();
  combo1_->addItem(ctx().shell(ShellText::LanguageEnglish), int{kEnglish});
  if (ctx().settings().systemLanguage == kChinese || ctx().language() == kChinese)
    combo1_->addItem(ctx().shell(ShellText::LanguageChinese), int{kChinese});
  const int current = combo1_->findData(ctx().language());
  combo1_->setCurrentIndex(current >= 0 ? current : 0);
}

void FrmSetLanguage::confirm() {
  StartupSettings& settings = ctx().settings();
  const int chosen =
      combo1_->currentData().isValid() ? combo1_->currentData().toInt() : settings.currentLanguage;
  // The windows stay captioned in the old language until the main window notices the change.
  changed_ = chosen != settings.currentLanguage;
  if (changed_) settings.currentLanguage = chosen;
  ctx().app().saveLanguage(settings.currentLanguage);
  accept();
}

}  // namespace kr4100
