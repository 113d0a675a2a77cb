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
#include <algorithm>

#include "core/config/tone_tables.h"
#include "gui/editor_support.h"
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

FrmCHInfoEdit::FrmCHInfoEdit(UiContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
  ownWarningSink_ = InstallWarningSink(ctx_);
  build();
  reCaption();
}

FrmCHInfoEdit::~FrmCHInfoEdit() {
  commitPendingEdit();
  if (ownWarningSink_) RemoveWarningSink(ctx_);
}

// This radio's channel entry has no place for the signalling settings: the page shows what
// such a channel would offer, greyed, and keeps nothing.
QFrame* FrmCHInfoEdit::createSignallingFrame() {
  auto* signalling = new QFrame(this);
  signalling->setObjectName(QStringLiteral("FrameSignalling"));
  signalling->setFrameShape(QFrame::StyledPanel);
  auto* signallingLayout = new QGridLayout(signalling);
  const QStringList tones = ToneListItems();
  for (int k = 0; k < 9; ++k) {
    combo2_[k] = new QComboBox(signalling);
    combo2_[k]->setObjectName(QStringLiteral("Combo2_%1").arg(k));
    if (k < 2) combo2_[k]->addItems(tones);
    combo2_[k]->installEventFilter(this);
    label2_[k + 2]->setParent(signalling);
    signallingLayout->addWidget(label2_[k + 2], k, 0);
    signallingLayout->addWidget(combo2_[k], k, 1);
  }
  auto* checks = new QHBoxLayout;
  for (int k = 0; k < 3; ++k) {
    check1_[k] = new QCheckBox(signalling);
    check1_[k]->setObjectName(QStringLiteral("Check1_%1").arg(k));
    check1_[k]->installEventFilter(this);
    checks->addWidget(check1_[k]);
  }
  check1_[2]->hide();
  checks->addStretch(1);
  signallingLayout->addLayout(checks, 9, 0, 1, 2);
  signallingLayout->setColumnStretch(1, 1);
  signalling->setEnabled(false);
  return signalling;
}

void FrmCHInfoEdit::build() {
  setObjectName(QStringLiteral("FrmCHInfoEdit"));
  setModal(false);
  resize(TwipsToPixels(7155), TwipsToPixels(6675));

  label1_ = new QLabel(this);
  label1_->setObjectName(QStringLiteral("Label1"));
  combo1_ = new QComboBox(this);
  combo1_->setObjectName(QStringLiteral("Combo1"));
  for (int n = 1; n <= kChannelsPerGroup; ++n) combo1_->addItem(QString::number(n));
  combo1_->setCurrentIndex(-1);  // no channel until the user picks one
  text1_ = new QLineEdit(this);
  text1_->setObjectName(QStringLiteral("Text1"));
  text2_ = new QLineEdit(this);
  text2_->setObjectName(QStringLiteral("Text2"));
  for (QLineEdit* field : {text1_, text2_}) {
    MakeFrequencyField(field);
    field->installEventFilter(this);
  }
  for (int i = 0; i < 11; ++i) {
    label2_[i] = new QLabel(this);
    label2_[i]->setObjectName(QStringLiteral("Label2_%1").arg(i));
    label2_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  }
  label1_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

  auto* channelLayout = new QGridLayout;
  channelLayout->addWidget(label1_, 0, 0);
  channelLayout->addWidget(combo1_, 0, 1);
  channelLayout->addWidget(label2_[0], 1, 0);
  channelLayout->addWidget(text1_, 1, 1);
  channelLayout->addWidget(label2_[1], 2, 0);
  channelLayout->addWidget(text2_, 2, 1);
  channelLayout->setColumnStretch(1, 1);

  QFrame* signalling = createSignallingFrame();
  combo1_->installEventFilter(this);

  commandClose_ = new QPushButton(this);
  commandClose_->setObjectName(QStringLiteral("CommandClose"));
  commandHelp_ = new QPushButton(this);
  commandHelp_->setObjectName(QStringLiteral("CommandHelp"));
  commandClose_->setAutoDefault(false);
  commandHelp_->setAutoDefault(false);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(commandClose_);
  buttons->addWidget(commandHelp_);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(channelLayout);
  layout->addWidget(signalling, 1);
  layout->addLayout(buttons);

  connect(combo1_, &QComboBox::currentIndexChanged, this, [this] { showChannel(); });
  connect(commandClose_, &QPushButton::clicked, this, &FrmCHInfoEdit::close);
  // CommandHelp has no action.
}

void FrmCHInfoEdit::reCaption() {
  setWindowTitle(ctx_.pick(kCaption));
  label1_->setText(ctx_.pick(kChannel));
  for (int i = 0; i < 11; ++i) label2_[i]->setText(ctx_.pick(kLabel2[i]));
  for (int k = 0; k < 3; ++k) check1_[k]->setText(ctx_.pick(kCheck1[k]));
  commandClose_->setText(ctx_.msg(MessageId::CloseButton));
  commandHelp_->setText(ctx_.msg(MessageId::HelpButton));
}

int FrmCHInfoEdit::chosenChannel() const {
  bool ok = false;
  const int n = combo1_->currentText().toInt(&ok);
  return ok && n >= 1 && n <= kChannelsPerGroup ? n : 0;
}

QString FrmCHInfoEdit::channelText(int column) const {
  const int n = chosenChannel();
  const Document& doc = ctx_.doc();
  const int group = std::clamp<int>(doc.working().CurGroup, 0, kGroupCount - 1);
  const int slot = n ? doc.FindChannelSlot(n, group) : 0;
  if (slot == 0) return {};
  const ChInfo& entry = doc.working().slot(slot, group);
  const auto& fre = column == kColRxFre ? entry.RxFre : entry.TxFre;
  return QString::fromStdString(FreToText(fre.text(), doc.state().edges, doc.warningSink()));
}

void FrmCHInfoEdit::showChannel() {
  // A chosen number shows what that channel holds now, so leaving a field untouched never
  // overwrites or deletes it.
  text1_->setText(channelText(kColRxFre));
  text2_->setText(channelText(kColTxFre));
}

void FrmCHInfoEdit::storeField(QLineEdit* field) {
  const int n = chosenChannel();
  if (storing_ || n == 0 || !field->isModified()) return;
  storing_ = true;
  field->setModified(false);
  const int column = field == text1_ ? kColRxFre : kColTxFre;
  Guarded(ctx_, "FrmCHInfoEdit_Text_Validate", [&] {
    // A refused frequency leaves the channel as it was: the field shows that again.
    if (!ctx_.doc().SetChannelValue(n, column, field->text().toStdString()))
      field->setText(channelText(column));
  });
  storing_ = false;
}

void FrmCHInfoEdit::commitPendingEdit() {
  storeField(text1_);
  storeField(text2_);
}

void FrmCHInfoEdit::closeEvent(QCloseEvent* event) {
  commitPendingEdit();
  QDialog::closeEvent(event);
}

void FrmCHInfoEdit::hideEvent(QHideEvent* event) {
  // Escape closes a dialog without a close event; what was typed still counts.
  commitPendingEdit();
  QDialog::hideEvent(event);
}

bool FrmCHInfoEdit::eventFilter(QObject* watched, QEvent* event) {
  auto* field = watched == text1_ || watched == text2_ ? static_cast<QLineEdit*>(watched) : nullptr;
  if (IsEnterKey(event) && watched->isWidgetType()) {
    // Enter acts as Tab; a frequency field is stored on its way out.
    if (field) storeField(field);
    focusNextChild();
    return true;
  }
  if (!field) return QDialog::eventFilter(watched, event);
  if (event->type() == QEvent::FocusIn) {
    if (field == text2_ && text2_->text().isEmpty() && !text1_->text().isEmpty()) {
      // An empty transmit frequency means the receive one: show it, and store it on leaving.
      text2_->setText(text1_->text());
      text2_->setModified(true);
    }
    // After the mouse press has placed the cursor, select the whole text.
    if (!field->text().isEmpty()) QTimer::singleShot(0, field, [field] { field->selectAll(); });
  } else if (event->type() == QEvent::FocusOut &&
             static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
    storeField(field);
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace kr4100
