// SPDX-License-Identifier: GPL-3.0-or-later
#include "radioinfo/frm_emg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/config/version_table.h"
#include "core/link/radio_info_fields.h"
#include "gui/editor_support.h"
#include "platform/radio_text.h"

namespace kr4100 {
namespace {

// The block's fields as the core names them; the command line's info takes its names there too.
using Field = RadioInfoFieldId;
constexpr Bilingual kAreaCode = RadioInfoLabel(Field::AreaCode);
constexpr Bilingual kLabel1[FrmEMG::kLabelCount] = {
    RadioInfoLabel(Field::ManufactureCode),
    {"Radio Type", "机型"},
    {"Frequency", "频段"},
    RadioInfoLabel(Field::SerialNumber),
    RadioInfoLabel(Field::ProductionDate),
    RadioInfoLabel(Field::MaintenanceDate),
    RadioInfoLabel(Field::MaintenanceDescription),
    {"Description", ""},
    {"Version", "固件版本"},
    RadioInfoLabel(Field::UserCode),
    RadioInfoLabel(Field::DealerCode),
    RadioInfoLabel(Field::StockDate),
    RadioInfoLabel(Field::SellDate),
    RadioInfoLabel(Field::Seller),
};

template <std::size_t N>
QString Shown(const FixedText<N>& field) {
  return FromRadioText(field.text());
}

}  // namespace

FrmEMG::FrmEMG(UiContext& ctx, QWidget* parent)
    : QDialog(parent), EditorWindow(this, ctx, "FrmEMG") {
  SetDialogFrame(this);
  createControls();
  layOut();
  // The band the main window's caption shows is the list's one entry.
  bandCombo_->addItem(QString::fromStdString(ctx.doc().state().bandText));
  reCaption();
  ShowByData(RadioInfo{}, {});
}

void FrmEMG::createControls() {
  for (int k = 0; k < kLabelCount; ++k) {
    fieldLabels_[k] = new QLabel(this);
    fieldLabels_[k]->setObjectName(QStringLiteral("Label1_%1").arg(k));
  }
  areaCodeLabel_ = new QLabel(this);
  areaCodeLabel_->setObjectName(QStringLiteral("LabelAreaCode"));
  const int charWidth = fontMetrics().horizontalAdvance(QLatin1Char('W'));
  for (int k = 0; k < kTextCount; ++k) {
    if (k == 4) continue;
    fieldBoxes_[k] = new QLineEdit(this);
    fieldBoxes_[k]->setObjectName(QStringLiteral("Text1_%1").arg(k));
    fieldBoxes_[k]->setReadOnly(true);
    fieldBoxes_[k]->setMinimumWidth(charWidth * 12);
  }
  description_ = new QPlainTextEdit(this);
  description_->setObjectName(QStringLiteral("Text1_4"));
  description_->setReadOnly(true);
  description_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  description_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  description_->setFixedHeight(description_->fontMetrics().lineSpacing() * 4 + 12);
  typeCombo_ = new QComboBox(this);
  typeCombo_->setObjectName(QStringLiteral("Combo1_0"));
  bandCombo_ = new QComboBox(this);
  bandCombo_->setObjectName(QStringLiteral("Combo1_1"));
}

// Top to bottom as the radio's block is usually read: identity of the unit, then its history.
QLayout* FrmEMG::layOutUnit() {
  auto* form = new QGridLayout;
  form->setColumnStretch(1, 1);
  int row = 0;
  auto add = [&](QLabel* label, QWidget* box) {
    label->setBuddy(box);
    form->addWidget(label, row, 0, Qt::AlignRight | Qt::AlignVCenter);
    form->addWidget(box, row, 1);
    ++row;
  };
  add(areaCodeLabel_, fieldBoxes_[0]);
  add(fieldLabels_[0], fieldBoxes_[6]);
  add(fieldLabels_[9], fieldBoxes_[7]);
  add(fieldLabels_[1], typeCombo_);
  add(fieldLabels_[2], bandCombo_);
  add(fieldLabels_[3], fieldBoxes_[1]);
  add(fieldLabels_[4], fieldBoxes_[2]);
  add(fieldLabels_[5], fieldBoxes_[3]);
  add(fieldLabels_[8], fieldBoxes_[5]);
  auto* descriptionLabels = new QVBoxLayout;
  descriptionLabels->setSpacing(0);
  descriptionLabels->addWidget(fieldLabels_[6], 0, Qt::AlignRight);
  descriptionLabels->addWidget(fieldLabels_[7], 0, Qt::AlignRight);
  descriptionLabels->addStretch(1);
  form->addLayout(descriptionLabels, row, 0);
  // Both lines of its caption name the description for a screen reader.
  fieldLabels_[6]->setBuddy(description_);
  fieldLabels_[7]->setBuddy(description_);
  form->addWidget(description_, row, 1);
  return form;
}

QWidget* FrmEMG::layOutDealer() {
  dealerFrame_ = new QGroupBox(this);
  dealerFrame_->setObjectName(QStringLiteral("Frame1"));
  auto* dealer = new QGridLayout(dealerFrame_);
  dealer->setColumnStretch(1, 1);
  for (int i = 0; i < 4; ++i) {
    QLabel* label = fieldLabels_[10 + i];
    QLineEdit* box = fieldBoxes_[8 + i];
    label->setBuddy(box);
    dealer->addWidget(label, i, 0, Qt::AlignRight | Qt::AlignVCenter);
    dealer->addWidget(box, i, 1);
  }
  return dealerFrame_;
}

void FrmEMG::layOut() {
  QLayout* unit = layOutUnit();
  QWidget* dealer = layOutDealer();
  QHBoxLayout* buttons = closeAndHelpRow();  // no help is installed
  closeButton()->setDefault(true);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(unit);
  layout->addWidget(dealer);
  layout->addLayout(buttons);
  setMinimumWidth(7000 / 15);
}

void FrmEMG::reCaption() {
  setWindowTitle(ctx().shell(ShellText::LocalInfoCaption));
  dealerFrame_->setTitle(ctx().shell(ShellText::LocalInfoDealer));
  areaCodeLabel_->setText(ctx().pick(kAreaCode));
  for (int k = 0; k < kLabelCount; ++k) fieldLabels_[k]->setText(ctx().pick(kLabel1[k]));
  captionCloseAndHelp();
}

void FrmEMG::ShowByData(const RadioInfo& info, const std::string& firmware) {
  // The block names no model or firmware: the product this program serves, and the firmware of
  // the radio the block came from.
  typeCombo_->clear();
  typeCombo_->addItem(QString::fromStdString(ctx().state().modelName));
  typeCombo_->setCurrentIndex(0);
  if (bandCombo_->count() > 0) bandCombo_->setCurrentIndex(0);
  fieldBoxes_[5]->setText(firmware.empty() ? QString()
                                           : QString::fromStdString(VersionDisplayForm(firmware)));

  fieldBoxes_[0]->setText(Shown(info.AreaCode));
  fieldBoxes_[6]->setText(Shown(info.ManufactureCode));
  fieldBoxes_[7]->setText(Shown(info.UserCode));
  fieldBoxes_[1]->setText(Shown(info.SerialNumber));
  fieldBoxes_[2]->setText(Shown(info.ProductionDate));
  fieldBoxes_[3]->setText(Shown(info.MaintenanceDate));
  description_->setPlainText(Shown(info.MaintenanceDescription));
  fieldBoxes_[8]->setText(Shown(info.DealerCode));
  fieldBoxes_[9]->setText(Shown(info.StockDate));
  fieldBoxes_[10]->setText(Shown(info.SellDate));
  fieldBoxes_[11]->setText(Shown(info.Seller));
}

}  // namespace kr4100
