// SPDX-License-Identifier: GPL-3.0-or-later
#include "testmode/frm_test_mode.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "core/config/conversions.h"
#include "core/texts/test_mode_texts.h"
#include "gui/editor_support.h"
#include "testmode/frm_test_mode_para.h"
#include "testmode/test_mode_pictures.h"

namespace kr4100 {
namespace {

QLabel* Picture(const QPixmap& pixmap, const QString& name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setPixmap(pixmap);
  label->setFixedSize(pixmap.size());
  return label;
}

}  // namespace

FrmTestMode::FrmTestMode(TestModeDriver& driver, UiContext& ctx, QWidget* parent)
    : QWidget(parent, Qt::Window), ctx_(ctx), panel_(driver) {
  build();
  // On load: lists at their first entry, no item chosen, released and wide shown.
  for (const TestChannel& c : driver.channels()) channelCombo_->addItem(QString::number(c.channel));
  for (int s = 1; s <= kSignallingCount; ++s) signallingCombo_->addItem(QString::number(s));
  channelCombo_->setCurrentIndex(channelCombo_->count() > 0 ? 0 : -1);
  signallingCombo_->setCurrentIndex(0);
  reCaption();
  showChannel();
  showSignalling();
  showState();
}

FrmTestMode::~FrmTestMode() = default;

FrmTestMode* FrmTestMode::open(TestModeDriver& driver, UiContext& ctx, QWidget* parent) {
  auto* window = new FrmTestMode(driver, ctx, parent);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->show();
  return window;
}

void FrmTestMode::build() {
  setObjectName(QStringLiteral("FrmTestMode"));
  createControls();
  layOut();
  connectControls();
}

// One of the two list frames (k: 0 channel, 1 signalling): its caption, list, RX and TX.
void FrmTestMode::createListFrame(QGroupBox*& frame, QLabel*& label, QComboBox*& combo, int k,
                                  const char* frameName, const char* labelName,
                                  const char* comboName) {
  frame = new QGroupBox(this);
  frame->setObjectName(QLatin1String(frameName));
  label = new QLabel(frame);
  label->setObjectName(QLatin1String(labelName));
  combo = new QComboBox(frame);
  combo->setObjectName(QLatin1String(comboName));
  combo->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000000")));
  label->setBuddy(combo);
  rxLabels_[k] = new QLabel(frame);
  txLabels_[k] = new QLabel(frame);
  rxTexts_[k] = new QLabel(frame);
  txTexts_[k] = new QLabel(frame);
  const QString which = k == 0 ? QStringLiteral("Channel") : QStringLiteral("Signalling");
  rxLabels_[k]->setObjectName(QStringLiteral("LabelRx") + which);
  txLabels_[k]->setObjectName(QStringLiteral("LabelTx") + which);
  rxTexts_[k]->setObjectName(QStringLiteral("TextRx") + which);
  txTexts_[k]->setObjectName(QStringLiteral("TextTx") + which);
  for (QLabel* text : {rxTexts_[k], txTexts_[k]}) {
    text->setFrameShape(QFrame::StyledPanel);
    text->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("DTMF DEC(159D)__")));
    text->setTextInteractionFlags(Qt::TextSelectableByKeyboard);
  }
  rxLabels_[k]->setBuddy(rxTexts_[k]);
  txLabels_[k]->setBuddy(txTexts_[k]);
  auto* grid = new QGridLayout(frame);
  grid->addWidget(label, 0, 0);
  grid->addWidget(combo, 0, 1);
  grid->addWidget(rxLabels_[k], 1, 0);
  grid->addWidget(rxTexts_[k], 1, 1);
  grid->addWidget(txLabels_[k], 2, 0);
  grid->addWidget(txTexts_[k], 2, 1);
  grid->setColumnStretch(1, 1);
}

void FrmTestMode::createControls() {
  createListFrame(channelFrame_, channelLabel_, channelCombo_, 0, "FrameChannel", "LabelChannel",
                  "ComboChannel");
  createListFrame(signallingFrame_, signallingLabel_, signallingCombo_, 1, "FrameSignalling",
                  "LabelSignalling", "ComboSignalling");

  itemList_ = new QListWidget(this);
  itemList_->setObjectName(QStringLiteral("ListItem"));
  itemList_->setSelectionMode(QAbstractItemView::SingleSelection);
  for (int i = 1; i <= kAdjustItemCount; ++i) itemList_->addItem(QString());
  itemList_->setMinimumWidth(
      fontMetrics().horizontalAdvance(QStringLiteral("Battery Warning Level____")));

  auto button = [this](const char* name) {
    auto* b = new QPushButton(this);
    b->setObjectName(QLatin1String(name));
    return b;
  };
  wideButton_ = button("CommandWide");
  narrowButton_ = button("CommandNarrow");
  tuningButton_ = button("CommandTuning");
  pttButton_ = button("CommandPTT");
  pttButton_->setCheckable(true);
  printButton_ = button("CommandPrint");
  closeButton_ = button("CommandClose");

  for (int k = 0; k < 2; ++k) {
    const auto which = k == 0 ? PttPicture::Microphone : PttPicture::Antenna;
    releasedPictures_[k] = Picture(DrawPttPicture(which, PttState::Released),
                                   QStringLiteral("PictureReleased%1").arg(k), this);
    transmittingPictures_[k] = Picture(DrawPttPicture(which, PttState::Transmitting),
                                       QStringLiteral("PictureTransmitting%1").arg(k), this);
  }
  widePicture_ =
      Picture(DrawBandwidthPicture(Bandwidth::Wide), QStringLiteral("PictureWide"), this);
  narrowPicture_ =
      Picture(DrawBandwidthPicture(Bandwidth::Narrow), QStringLiteral("PictureNarrow"), this);
  lamp_ = new TestModeLamp(this);
  lamp_->setObjectName(QStringLiteral("ShapeLamp"));

  paraTimer_ = new QTimer(this);
  paraTimer_->setObjectName(QStringLiteral("TimerPara"));
  paraTimer_->setSingleShot(true);
  paraTimer_->setInterval(0);
}

void FrmTestMode::layOut() {
  // Each pair of pictures shares its place: one of the two is shown at a time.
  auto* pictures = new QHBoxLayout;
  for (int k = 0; k < 2; ++k) {
    auto* slot = new QGridLayout;
    slot->addWidget(releasedPictures_[k], 0, 0);
    slot->addWidget(transmittingPictures_[k], 0, 0);
    pictures->addLayout(slot);
  }
  auto* band = new QGridLayout;
  band->addWidget(widePicture_, 0, 0);
  band->addWidget(narrowPicture_, 0, 0);
  pictures->addLayout(band);
  pictures->addStretch();
  pictures->addWidget(lamp_, 0, Qt::AlignVCenter);

  auto* buttons = new QGridLayout;
  buttons->addWidget(wideButton_, 0, 0);
  buttons->addWidget(narrowButton_, 0, 1);
  buttons->addWidget(pttButton_, 1, 0);
  buttons->addWidget(tuningButton_, 1, 1);
  buttons->addWidget(printButton_, 2, 0);
  buttons->addWidget(closeButton_, 2, 1);

  auto* right = new QVBoxLayout;
  right->addLayout(pictures);
  right->addStretch();
  right->addLayout(buttons);

  auto* lower = new QHBoxLayout;
  lower->addWidget(itemList_, 1);
  lower->addLayout(right);

  auto* upper = new QHBoxLayout;
  upper->addWidget(channelFrame_);
  upper->addWidget(signallingFrame_);

  auto* root = new QVBoxLayout(this);
  root->addLayout(upper);
  root->addLayout(lower, 1);
}

void FrmTestMode::connectControls() {
  connect(channelCombo_, &QComboBox::activated, this, [this](int index) {
    panel_.chooseChannel(index + 1);
    showChannel();
    showState();
  });
  connect(signallingCombo_, &QComboBox::activated, this, [this](int index) {
    panel_.chooseSignalling(index + 1);
    showSignalling();
    showState();
  });
  connect(wideButton_, &QPushButton::clicked, this, [this] {
    panel_.setWide(true);
    showState();
  });
  connect(narrowButton_, &QPushButton::clicked, this, [this] {
    panel_.setWide(false);
    showState();
  });
  connect(pttButton_, &QPushButton::clicked, this, [this] {
    panel_.togglePtt();
    showState();
  });
  // Choosing by click or by the arrow keys; focus alone moves no selection, so it chooses nothing.
  connect(itemList_, &QListWidget::itemSelectionChanged, this, [this] {
    const auto selected = itemList_->selectedItems();
    if (selected.isEmpty()) return;
    panel_.chooseItem(itemList_->row(selected.front()) + 1);
    showState();
  });
  connect(itemList_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    panel_.chooseItem(itemList_->row(item) + 1);
    showState();
  });
  connect(tuningButton_, &QPushButton::clicked, this, [this] {
    panel_.tune();
    showState();
  });
  connect(printButton_, &QPushButton::clicked, this, [this] {
    panel_.print();
    showState();
  });
  connect(closeButton_, &QPushButton::clicked, this, &QWidget::close);
  connect(paraTimer_, &QTimer::timeout, this, &FrmTestMode::openPara);
}

void FrmTestMode::reCaption() {
  setWindowTitle(ctx_.pick(TestModeTextOf(TestModeText::Caption)));
  channelFrame_->setTitle(ctx_.pick(TestModeTextOf(TestModeText::ChannelFrame)));
  signallingFrame_->setTitle(ctx_.pick(TestModeTextOf(TestModeText::SignallingFrame)));
  channelLabel_->setText(ctx_.pick(TestModeTextOf(TestModeText::ChannelNo)));
  signallingLabel_->setText(ctx_.pick(TestModeTextOf(TestModeText::Signalling)));
  channelCombo_->setAccessibleName(ctx_.pick(TestModeTextOf(TestModeText::ChannelNo)));
  signallingCombo_->setAccessibleName(ctx_.pick(TestModeTextOf(TestModeText::Signalling)));
  for (std::size_t k = 0; k < 2; ++k) {
    const QString group = ctx_.pick(
        TestModeTextOf(k == 0 ? TestModeText::ChannelFrame : TestModeText::SignallingFrame));
    rxLabels_[k]->setText(ctx_.pick(TestModeTextOf(TestModeText::Rx)));
    txLabels_[k]->setText(ctx_.pick(TestModeTextOf(TestModeText::Tx)));
    rxTexts_[k]->setAccessibleName(group + QLatin1Char(' ') +
                                   ctx_.pick(TestModeTextOf(TestModeText::Rx)));
    txTexts_[k]->setAccessibleName(group + QLatin1Char(' ') +
                                   ctx_.pick(TestModeTextOf(TestModeText::Tx)));
    releasedPictures_[k]->setAccessibleName(ctx_.pick(TestModeTextOf(
        k == 0 ? TestModeText::MicrophoneReleased : TestModeText::AntennaReceiving)));
    transmittingPictures_[k]->setAccessibleName(ctx_.pick(TestModeTextOf(
        k == 0 ? TestModeText::MicrophoneTransmitting : TestModeText::AntennaTransmitting)));
  }
  for (int i = 0; i < kAdjustItemCount; ++i)
    itemList_->item(i)->setText(ctx_.pick(AdjustItemName(i + 1)));
  itemList_->setAccessibleName(ctx_.pick(TestModeTextOf(TestModeText::Items)));
  // All fifteen items in view: Chinese rows are taller than English ones.
  itemList_->setMinimumHeight(itemList_->sizeHintForRow(0) * kAdjustItemCount +
                              2 * itemList_->frameWidth() + 2);
  SetButtonText(wideButton_, ctx_.pick(TestModeTextOf(TestModeText::Wide)));
  SetButtonText(narrowButton_, ctx_.pick(TestModeTextOf(TestModeText::Narrow)));
  SetButtonText(tuningButton_, ctx_.pick(TestModeTextOf(TestModeText::Tuning)));
  SetButtonText(pttButton_, ctx_.pick(TestModeTextOf(TestModeText::Ptt)));
  SetButtonText(printButton_, ctx_.pick(TestModeTextOf(TestModeText::Print)));
  SetButtonText(closeButton_, ctx_.msg(MessageId::CloseButton));
  widePicture_->setAccessibleName(ctx_.pick(TestModeTextOf(TestModeText::WidePicture)));
  narrowPicture_->setAccessibleName(ctx_.pick(TestModeTextOf(TestModeText::NarrowPicture)));
  lamp_->setAccessibleName(ctx_.pick(TestModeTextOf(TestModeText::TransmitLamp)));
  showSignalling();
}

void FrmTestMode::showChannel() {
  const auto& list = panel_.driver().channels();
  const int position = panel_.channel();
  if (position < 1 || position > static_cast<int>(list.size())) {
    rxTexts_[0]->clear();
    txTexts_[0]->clear();
    return;
  }
  const TestChannel& c = list[static_cast<std::size_t>(position - 1)];
  const BandEdges band = SetBandEdges(ctx_.doc().state().bandText);
  rxTexts_[0]->setText(QString::fromStdString(FreToText(c.rx, band)));
  txTexts_[0]->setText(QString::fromStdString(FreToText(c.tx, band)));
  channelCombo_->setCurrentIndex(position - 1);
}

void FrmTestMode::showSignalling() {
  const int s = panel_.signalling();
  rxTexts_[1]->setText(ctx_.pick(SignallingRxText(s)));
  txTexts_[1]->setText(ctx_.pick(SignallingTxText(s)));
  signallingCombo_->setCurrentIndex(s - 1);
}

void FrmTestMode::showState() {
  const bool transmitting = panel_.transmitting();
  for (int k = 0; k < 2; ++k) {
    releasedPictures_[k]->setVisible(!transmitting);
    transmittingPictures_[k]->setVisible(transmitting);
  }
  pttButton_->setChecked(transmitting);
  lamp_->setColor(transmitting ? kLampTransmitting : kLampReleased);
  widePicture_->setVisible(panel_.wide());
  narrowPicture_->setVisible(!panel_.wide());
  tuningButton_->setEnabled(panel_.tuningEnabled());
}

void FrmTestMode::tuned(std::span<const std::uint8_t> block) {
  block_.assign(block.begin(), block.end());
  paraTimer_->start();
}

void FrmTestMode::openPara() {
  if (para_ || !panel_.adjusting()) return;
  para_ = new FrmTestModePara(panel_, block_, ctx_, this);
  connect(para_, &FrmTestModePara::closed, this, [this] { showState(); });
  para_->show();
  showState();
}

void FrmTestMode::valuesArrived(std::span<const std::uint8_t> values) {
  if (para_) para_->valuesArrived(values);
}

void FrmTestMode::polled(int value) {
  if (para_) para_->polled(value);
}

void FrmTestMode::ended() {
  // The driver is idle now; closing sends nothing, it only puts the windows away.
  close();
}

void FrmTestMode::closeEvent(QCloseEvent* event) {
  paraTimer_->stop();
  if (para_) para_->close();
  panel_.close();
  event->accept();
}

}  // namespace kr4100
