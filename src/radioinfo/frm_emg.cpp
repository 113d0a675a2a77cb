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
#include "platform/radio_text.h"

namespace kr4100 {
namespace {

// Titled as the main window's command that opens it; "Embedded Message" is the message editor.
constexpr Bilingual kCaption{"Local Information", "本机信息"};
constexpr Bilingual kFrame{"Dealer Information", "销售商信息"};
constexpr Bilingual kAreaCode{"Area Code", "销售区号"};
constexpr Bilingual kLabel1[FrmEMG::kLabelCount] = {
    {"Manufacture Code", "生产批号"}, {"Radio Type", "机型"},        {"Frequency", "频段"},
    {"Serial Number", "序列号"},      {"Producted Date", "出厂日期"}, {"Maintained Date", "维修日期"},
    {"Maintained", "维修原因"},       {"Description", ""},           {"Version", "固件版本"},
    {"User Code", "客户代码"},        {"Dealer Code", "经销商代码"},  {"Stock Date", "入库时间"},
    {"Sell Date", "销售时间"},        {"Seller", "经手人"},
};

template <std::size_t N>
QString Shown(const FixedText<N>& field) {
  return FromRadioText(field.text());
}

}  // namespace

FrmEMG::FrmEMG(UiContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
  build();
  // The band the main window's caption shows is the list's one entry.
  combo1_[1]->addItem(QString::fromStdString(ctx_.doc().state().bandText));
  reCaption();
  ShowByData(RadioInfo{}, {});
}

void FrmEMG::build() {
  setObjectName(QStringLiteral("FrmEMG"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  createControls();
  layOut();
  connect(commandClose_, &QPushButton::clicked, this, &QDialog::close);
}

void FrmEMG::createControls() {
  for (int k = 0; k < kLabelCount; ++k) {
    label1_[k] = new QLabel(this);
    label1_[k]->setObjectName(QStringLiteral("Label1_%1").arg(k));
  }
  labelAreaCode_ = new QLabel(this);
  labelAreaCode_->setObjectName(QStringLiteral("LabelAreaCode"));
  const int charWidth = fontMetrics().horizontalAdvance(QLatin1Char('W'));
  for (int k = 0; k < kTextCount; ++k) {
    if (k == 4) continue;
    text1_[k] = new QLineEdit(this);
    text1_[k]->setObjectName(QStringLiteral("Text1_%1").arg(k));
    text1_[k]->setReadOnly(true);
    text1_[k]->setMinimumWidth(charWidth * 12);
  }
  description_ = new QPlainTextEdit(this);
  description_->setObjectName(QStringLiteral("Text1_4"));
  description_->setReadOnly(true);
  description_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  description_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  description_->setFixedHeight(description_->fontMetrics().lineSpacing() * 4 + 12);
  for (int k = 0; k < 2; ++k) {
    combo1_[k] = new QComboBox(this);
    combo1_[k]->setObjectName(QStringLiteral("Combo1_%1").arg(k));
  }
  frame1_ = new QGroupBox(this);
  frame1_->setObjectName(QStringLiteral("Frame1"));
  commandClose_ = new QPushButton(this);
  commandClose_->setObjectName(QStringLiteral("CommandClose"));
  commandClose_->setDefault(true);
  commandHelp_ = new QPushButton(this);
  commandHelp_->setObjectName(QStringLiteral("CommandHelp"));  // no help is installed
}

void FrmEMG::layOut() {
  // Top to bottom as the radio's block is usually read: identity of the unit, then its history.
  auto* form = new QGridLayout;
  form->setColumnStretch(1, 1);
  int row = 0;
  auto add = [&](QLabel* label, QWidget* box) {
    label->setBuddy(box);
    form->addWidget(label, row, 0, Qt::AlignRight | Qt::AlignVCenter);
    form->addWidget(box, row, 1);
    ++row;
  };
  add(labelAreaCode_, text1_[0]);
  add(label1_[0], text1_[6]);
  add(label1_[9], text1_[7]);
  add(label1_[1], combo1_[0]);
  add(label1_[2], combo1_[1]);
  add(label1_[3], text1_[1]);
  add(label1_[4], text1_[2]);
  add(label1_[5], text1_[3]);
  add(label1_[8], text1_[5]);
  auto* descriptionLabels = new QVBoxLayout;
  descriptionLabels->setSpacing(0);
  descriptionLabels->addWidget(label1_[6], 0, Qt::AlignRight);
  descriptionLabels->addWidget(label1_[7], 0, Qt::AlignRight);
  descriptionLabels->addStretch(1);
  form->addLayout(descriptionLabels, row, 0);
  form->addWidget(description_, row, 1);

  auto* dealer = new QGridLayout(frame1_);
  dealer->setColumnStretch(1, 1);
  for (int i = 0; i < 4; ++i) {
    QLabel* label = label1_[10 + i];
    QLineEdit* box = text1_[8 + i];
    label->setBuddy(box);
    dealer->addWidget(label, i, 0, Qt::AlignRight | Qt::AlignVCenter);
    dealer->addWidget(box, i, 1);
  }

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(commandClose_);
  buttons->addWidget(commandHelp_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(frame1_);
  layout->addLayout(buttons);
  setMinimumWidth(7000 / 15);
}

void FrmEMG::reCaption() {
  setWindowTitle(ctx_.pick(kCaption));
  frame1_->setTitle(ctx_.pick(kFrame));
  labelAreaCode_->setText(ctx_.pick(kAreaCode));
  for (int k = 0; k < kLabelCount; ++k) label1_[k]->setText(ctx_.pick(kLabel1[k]));
  commandClose_->setText(ctx_.msg(MessageId::CloseButton));
  commandHelp_->setText(ctx_.msg(MessageId::HelpButton));
}

void FrmEMG::ShowByData(const RadioInfo& info, const std::string& firmware) {
  // The block names no model or firmware: the product this program serves, and the firmware of
  // the radio the block came from.
  combo1_[0]->clear();
  combo1_[0]->addItem(QString::fromStdString(ctx_.state().modelName));
  combo1_[0]->setCurrentIndex(0);
  if (combo1_[1]->count() > 0) combo1_[1]->setCurrentIndex(0);
  text1_[5]->setText(firmware.empty() ? QString()
                                      : QString::fromStdString(VersionDisplayForm(firmware)));

  text1_[0]->setText(Shown(info.AreaCode));
  text1_[6]->setText(Shown(info.ManufactureCode));
  text1_[7]->setText(Shown(info.UserCode));
  text1_[1]->setText(Shown(info.SerialNumber));
  text1_[2]->setText(Shown(info.ProductionDate));
  text1_[3]->setText(Shown(info.MaintenanceDate));
  description_->setPlainText(Shown(info.MaintenanceDescription));
  text1_[8]->setText(Shown(info.DealerCode));
  text1_[9]->setText(Shown(info.StockDate));
  text1_[10]->setText(Shown(info.SellDate));
  text1_[11]->setText(Shown(info.Seller));
}

}  // namespace kr4100
