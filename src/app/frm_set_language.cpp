#include "app/frm_set_language.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs.h"
#include "gui/key_filters.h"

namespace kr4100 {

FrmSetLanguage::FrmSetLanguage(UiContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
  setObjectName(QStringLiteral("FrmSetLanguage"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);

  label1_ = new QLabel(this);
  label1_->setObjectName(QStringLiteral("Label1"));
  combo1_ = new QComboBox(this);
  combo1_->setObjectName(QStringLiteral("Combo1"));
  combo1_->setMinimumWidth(160);
  label1_->setBuddy(combo1_);
  EnterMovesFocus(combo1_);
  command1_ = new QPushButton(this);
  command1_->setObjectName(QStringLiteral("Command1"));
  command1_->setDefault(true);
  command2_ = new QPushButton(this);
  command2_->setObjectName(QStringLiteral("Command2"));

  auto* field = new QHBoxLayout;
  field->addWidget(label1_);
  field->addWidget(combo1_, 1);
  LayOutFieldsAndButtons(this, field, command1_, command2_);

  connect(command1_, &QPushButton::clicked, this, &FrmSetLanguage::confirm);
  connect(command2_, &QPushButton::clicked, this, &QDialog::reject);
  reCaption();
  combo1_->setFocus();
}

void FrmSetLanguage::reCaption() {
  setWindowTitle(ctx_.shell(ShellText::LanguageSetup));
  label1_->setText(ctx_.shell(ShellText::LanguageMode));
  command1_->setText(ctx_.msg(MessageId::OkButton));
  command2_->setText(ctx_.msg(MessageId::CancelButton));
  fillList();
}

// Chinese is offered on a Chinese system, and wherever it is in force (an older settings file):
// OK must keep the language in force, not fall back to the first entry. Once left, it is not
// offered again. The names are written in the language in force.
void FrmSetLanguage::fillList() {
  combo1_->clear();
  combo1_->addItem(ctx_.shell(ShellText::LanguageEnglish), int{kEnglish});
  if (ctx_.settings().systemLanguage == kChinese || ctx_.language() == kChinese)
    combo1_->addItem(ctx_.shell(ShellText::LanguageChinese), int{kChinese});
  const int current = combo1_->findData(ctx_.language());
  combo1_->setCurrentIndex(current >= 0 ? current : 0);
}

void FrmSetLanguage::confirm() {
  StartupSettings& settings = ctx_.settings();
  const int chosen =
      combo1_->currentData().isValid() ? combo1_->currentData().toInt() : settings.currentLanguage;
  // The windows stay captioned in the old language until the main window notices the change.
  changed_ = chosen != settings.currentLanguage;
  if (changed_) settings.currentLanguage = chosen;
  ctx_.app().saveLanguage(settings.currentLanguage);
  accept();
}

}  // namespace kr4100
