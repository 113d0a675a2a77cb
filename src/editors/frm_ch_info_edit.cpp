// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/frm_ch_info_edit.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "core/config/tone_tables.h"
#include "gui/key_filters.h"
#include "gui/twips.h"

namespace kr4100 {
namespace {

constexpr Bilingual kCaption = {"Channel Edit", "信道编辑"};
constexpr Bilingual kChannel = {"Channel", "信道"};
constexpr Bilingual kLabel2[11] = {
    {"Receive Frequency", "接收频率"},
    {"Transmit Frequency", "发射频率"},
    {"QT/DQT Decode", "QT/DQT 解码"},
    {"QT/DQT Encode", "QT/DQT 编码"},
    {"Option Signalling", "可选信令"},
    {"SP Unmute", "SP不静音"},
    {"TX Power", "发射功率"},
    {"Wide/Narrow", "宽带/窄带"},
    {"Busy Channel Lockout", "繁忙信道锁定"},
    {"PTT ID", "PTT ID"},
    {"Autodial Memory", "自动拨号存储器"},
};
constexpr Bilingual kCheck1[3] = {
    {"Beat Shift", "拍频偏移"}, {"Scan", "扫描"}, {"Compander", "压扩器"}};

}  // namespace

QStringList ToneListItems() {
  QStringList items;
  for (const std::string& item : QtDqtListItems()) items << QString::fromStdString(item);
  return items;
}

FrmCHInfoEdit::FrmCHInfoEdit(UiContext& ctx, QWidget* parent)
    : QDialog(parent), EditorWindow(this, ctx, "FrmCHInfoEdit") {
  showRangeWarnings();
  setModal(false);
  resize(TwipsToPixels(7155), TwipsToPixels(6675));
  createControls();
  layOut(createSignallingPage());
  connect(channelCombo_, &QComboBox::currentIndexChanged, this, [this] { ReShowData(); });
  reCaption();
}

FrmCHInfoEdit::~FrmCHInfoEdit() {
  leave();
}

void FrmCHInfoEdit::createControls() {
  channelLabel_ = new QLabel(this);
  channelLabel_->setObjectName(QStringLiteral("Label1"));
  channelLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  channelCombo_ = new QComboBox(this);
  channelCombo_->setObjectName(QStringLiteral("Combo1"));
  for (int n = 1; n <= kChannelsPerGroup; ++n) channelCombo_->addItem(QString::number(n));
  channelCombo_->setCurrentIndex(-1);  // no channel until the user picks one
  rxBox_ = new QLineEdit(this);
  rxBox_->setObjectName(QStringLiteral("Text1"));
  txBox_ = new QLineEdit(this);
  txBox_->setObjectName(QStringLiteral("Text2"));
  for (QLineEdit* field : {rxBox_, txBox_}) {
    MakeFrequencyField(field);
    field->installEventFilter(this);
    commitOnFocusOut(field, "FrmCHInfoEdit_Text1_LostFocus", [this, field] { storeField(field); });
  }
  for (int i = 0; i < 11; ++i) {
    fieldLabels_[i] = new QLabel(this);
    fieldLabels_[i]->setObjectName(QStringLiteral("Label2_%1").arg(i));
    fieldLabels_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  }
}

// This radio's channel entry has no place for the signalling settings: the page shows what
// such a channel would offer, greyed, and keeps nothing.
QWidget* FrmCHInfoEdit::createSignallingPage() {
  auto* signalling = new QFrame(this);
  signalling->setObjectName(QStringLiteral("FrameSignalling"));
  signalling->setFrameShape(QFrame::StyledPanel);
  auto* signallingLayout = new QGridLayout(signalling);
  const QStringList tones = ToneListItems();
  for (int k = 0; k < 9; ++k) {
    signallingLists_[k] = new QComboBox(signalling);
    signallingLists_[k]->setObjectName(QStringLiteral("Combo2_%1").arg(k));
    if (k < 2) signallingLists_[k]->addItems(tones);
    signallingLists_[k]->installEventFilter(this);
    fieldLabels_[k + 2]->setParent(signalling);
    signallingLayout->addWidget(fieldLabels_[k + 2], k, 0);
    signallingLayout->addWidget(signallingLists_[k], k, 1);
  }
  auto* checks = new QHBoxLayout;
  for (int k = 0; k < 3; ++k) {
    signallingChecks_[k] = new QCheckBox(signalling);
    signallingChecks_[k]->setObjectName(QStringLiteral("Check1_%1").arg(k));
    signallingChecks_[k]->installEventFilter(this);
    checks->addWidget(signallingChecks_[k]);
  }
  signallingChecks_[2]->hide();
  checks->addStretch(1);
  signallingLayout->addLayout(checks, 9, 0, 1, 2);
  signallingLayout->setColumnStretch(1, 1);
  signalling->setEnabled(false);
  channelCombo_->installEventFilter(this);
  return signalling;
}

void FrmCHInfoEdit::layOut(QWidget* signallingPage) {
  auto* channelLayout = new QGridLayout;
  channelLayout->addWidget(channelLabel_, 0, 0);
  channelLayout->addWidget(channelCombo_, 0, 1);
  channelLayout->addWidget(fieldLabels_[0], 1, 0);
  channelLayout->addWidget(rxBox_, 1, 1);
  channelLayout->addWidget(fieldLabels_[1], 2, 0);
  channelLayout->addWidget(txBox_, 2, 1);
  channelLayout->setColumnStretch(1, 1);

  QHBoxLayout* buttons = closeAndHelpRow();
  closeButton()->setAutoDefault(false);
  helpButton()->setAutoDefault(false);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(channelLayout);
  layout->addWidget(signallingPage, 1);
  layout->addLayout(buttons);
}

void FrmCHInfoEdit::reCaption() {
  setWindowTitle(ctx().pick(kCaption));
  channelLabel_->setText(ctx().pick(kChannel));
  for (int i = 0; i < 11; ++i) fieldLabels_[i]->setText(ctx().pick(kLabel2[i]));
  for (int k = 0; k < 3; ++k) signallingChecks_[k]->setText(ctx().pick(kCheck1[k]));
  captionCloseAndHelp();
}

int FrmCHInfoEdit::chosenChannel() const {
  bool ok = false;
  const int n = channelCombo_->currentText().toInt(&ok);
  return ok && n >= 1 && n <= kChannelsPerGroup ? n : 0;
}

QString FrmCHInfoEdit::channelText(int column) const {
  const int n = chosenChannel();
  const ChInfo* entry = n ? record().findChannel(record().currentGroup(), n) : nullptr;
  if (!entry) return {};
  const auto& fre = column == kColRxFre ? entry->RxFre : entry->TxFre;
  const Document& doc = ctx().doc();
  return QString::fromStdString(FreToText(fre.text(), doc.state().edges, doc.warningSink()));
}

void FrmCHInfoEdit::ReShowData() {
  rxBox_->setText(channelText(kColRxFre));
  txBox_->setText(channelText(kColTxFre));
}

void FrmCHInfoEdit::storeField(QLineEdit* field) {
  const int n = chosenChannel();
  if (storing_ || n == 0 || !field->isModified()) return;
  storing_ = true;
  field->setModified(false);
  const int column = field == rxBox_ ? kColRxFre : kColTxFre;
  guarded("FrmCHInfoEdit_Text_Validate", [&] {
    // A refused frequency leaves the channel as it was: the field shows that again.
    if (!ctx().doc().SetChannelValue(n, column, field->text().toStdString()))
      field->setText(channelText(column));
  });
  storing_ = false;
}

void FrmCHInfoEdit::commitPendingEdit() {
  storeField(rxBox_);
  storeField(txBox_);
}

void FrmCHInfoEdit::hideEvent(QHideEvent* event) {
  // Escape closes a dialog without a close event; what was typed still counts.
  commitPendingEdit();
  QDialog::hideEvent(event);
}

bool FrmCHInfoEdit::eventFilter(QObject* watched, QEvent* event) {
  auto* field = watched == rxBox_ || watched == txBox_ ? static_cast<QLineEdit*>(watched) : nullptr;
  if (IsEnterKey(event) && watched->isWidgetType()) {
    // Enter acts as Tab; a frequency field is stored on its way out.
    if (field) storeField(field);
    focusNextChild();
    return true;
  }
  if (!field) return QDialog::eventFilter(watched, event);
  if (event->type() == QEvent::FocusIn) {
    if (field == txBox_ && txBox_->text().isEmpty() && !rxBox_->text().isEmpty()) {
      // An empty transmit frequency means the receive one: show it, and store it on leaving.
      txBox_->setText(rxBox_->text());
      txBox_->setModified(true);
    }
    // After the mouse press has placed the cursor, select the whole text.
    if (!field->text().isEmpty()) QTimer::singleShot(0, field, [field] { field->selectAll(); });
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace kr4100
