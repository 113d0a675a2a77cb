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
#include "testmode/frm_test_mode_para.h"
#include "testmode/test_mode_pictures.h"

namespace kr4100 {
namespace {

constexpr Bilingual kCaption{"Test Mode", "测试模式"};
constexpr Bilingual kFrameChannel{"Test Channel", "测试信道"};
constexpr Bilingual kFrameSignalling{"Test Signalling", "测试信令"};
constexpr Bilingual kChannelNo{"Channel No.", "信道编号"};
constexpr Bilingual kSignalling{"Signalling", "信令"};
constexpr Bilingual kRx{"RX", "接收"};
constexpr Bilingual kTx{"TX", "发射"};
constexpr Bilingual kWide{"&Wide", "宽带(&W)"};
constexpr Bilingual kNarrow{"&Narrow", "窄带(&N)"};
constexpr Bilingual kTuning{"&Tuning", "调协模式(&T)"};
constexpr Bilingual kClose{"&Close", "关闭(&C)"};
constexpr Bilingual kPrint{"p&Rint", "打印(&R)"};
constexpr Bilingual kPtt{"&PTT", "&PTT"};
// Names for assistive tools only; the window itself shows pictures.
constexpr Bilingual kItems{"Adjustment items", "调整项目"};
constexpr Bilingual kReleasedPicture[2] = {{"Microphone, released", "麦克风，未发射"},
                                           {"Antenna, receiving", "天线，接收"}};
constexpr Bilingual kTransmittingPicture[2] = {{"Microphone, transmitting", "麦克风，发射中"},
                                               {"Antenna, transmitting", "天线，发射中"}};
constexpr Bilingual kWidePicture{"Wide band", "宽带"};
constexpr Bilingual kNarrowPicture{"Narrow band", "窄带"};
constexpr Bilingual kLamp{"Transmit lamp", "发射指示灯"};

QString Plain(QString text) {
  return text.remove(QLatin1Char('&'));
}

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
  for (const TestChannel& c : driver.channels()) comboChannel_->addItem(QString::number(c.channel));
  for (int s = 1; s <= kSignallingCount; ++s) comboSignalling_->addItem(QString::number(s));
  comboChannel_->setCurrentIndex(comboChannel_->count() > 0 ? 0 : -1);
  comboSignalling_->setCurrentIndex(0);
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

  auto makeList = [this](QGroupBox*& frame, QLabel*& label, QComboBox*& combo, int k,
                         const char* frameName, const char* labelName, const char* comboName) {
    frame = new QGroupBox(this);
    frame->setObjectName(QLatin1String(frameName));
    label = new QLabel(frame);
    label->setObjectName(QLatin1String(labelName));
    combo = new QComboBox(frame);
    combo->setObjectName(QLatin1String(comboName));
    combo->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000000")));
    label->setBuddy(combo);
    labelRx_[k] = new QLabel(frame);
    labelTx_[k] = new QLabel(frame);
    textRx_[k] = new QLabel(frame);
    textTx_[k] = new QLabel(frame);
    const QString which = k == 0 ? QStringLiteral("Channel") : QStringLiteral("Signalling");
    labelRx_[k]->setObjectName(QStringLiteral("LabelRx") + which);
    labelTx_[k]->setObjectName(QStringLiteral("LabelTx") + which);
    textRx_[k]->setObjectName(QStringLiteral("TextRx") + which);
    textTx_[k]->setObjectName(QStringLiteral("TextTx") + which);
    for (QLabel* text : {textRx_[k], textTx_[k]}) {
      text->setFrameShape(QFrame::StyledPanel);
      text->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("DTMF DEC(159D)__")));
      text->setTextInteractionFlags(Qt::TextSelectableByKeyboard);
    }
    labelRx_[k]->setBuddy(textRx_[k]);
    labelTx_[k]->setBuddy(textTx_[k]);
    auto* grid = new QGridLayout(frame);
    grid->addWidget(label, 0, 0);
    grid->addWidget(combo, 0, 1);
    grid->addWidget(labelRx_[k], 1, 0);
    grid->addWidget(textRx_[k], 1, 1);
    grid->addWidget(labelTx_[k], 2, 0);
    grid->addWidget(textTx_[k], 2, 1);
    grid->setColumnStretch(1, 1);
  };
  makeList(frameChannel_, labelChannel_, comboChannel_, 0, "FrameChannel", "LabelChannel",
           "ComboChannel");
  makeList(frameSignalling_, labelSignalling_, comboSignalling_, 1, "FrameSignalling",
           "LabelSignalling", "ComboSignalling");

  listItem_ = new QListWidget(this);
  listItem_->setObjectName(QStringLiteral("ListItem"));
  listItem_->setSelectionMode(QAbstractItemView::SingleSelection);
  for (int i = 1; i <= kAdjustItemCount; ++i) listItem_->addItem(QString());
  listItem_->setMinimumWidth(
      fontMetrics().horizontalAdvance(QStringLiteral("Battery Warning Level____")));

  auto button = [this](const char* name) {
    auto* b = new QPushButton(this);
    b->setObjectName(QLatin1String(name));
    return b;
  };
  commandWide_ = button("CommandWide");
  commandNarrow_ = button("CommandNarrow");
  commandTuning_ = button("CommandTuning");
  commandPtt_ = button("CommandPTT");
  commandPtt_->setCheckable(true);
  commandPrint_ = button("CommandPrint");
  commandClose_ = button("CommandClose");

  for (int k = 0; k < 2; ++k) {
    const auto which = k == 0 ? PttPicture::Microphone : PttPicture::Antenna;
    pictureReleased_[k] =
        Picture(DrawPttPicture(which, false), QStringLiteral("PictureReleased%1").arg(k), this);
    pictureTransmitting_[k] =
        Picture(DrawPttPicture(which, true), QStringLiteral("PictureTransmitting%1").arg(k), this);
  }
  pictureWide_ = Picture(DrawBandwidthPicture(true), QStringLiteral("PictureWide"), this);
  pictureNarrow_ = Picture(DrawBandwidthPicture(false), QStringLiteral("PictureNarrow"), this);
  lamp_ = new TestModeLamp(this);
  lamp_->setObjectName(QStringLiteral("ShapeLamp"));

  // Each pair of pictures shares its place: one of the two is shown at a time.
  auto* pictures = new QHBoxLayout;
  for (int k = 0; k < 2; ++k) {
    auto* slot = new QGridLayout;
    slot->addWidget(pictureReleased_[k], 0, 0);
    slot->addWidget(pictureTransmitting_[k], 0, 0);
    pictures->addLayout(slot);
  }
  auto* band = new QGridLayout;
  band->addWidget(pictureWide_, 0, 0);
  band->addWidget(pictureNarrow_, 0, 0);
  pictures->addLayout(band);
  pictures->addStretch();
  pictures->addWidget(lamp_, 0, Qt::AlignVCenter);

  auto* buttons = new QGridLayout;
  buttons->addWidget(commandWide_, 0, 0);
  buttons->addWidget(commandNarrow_, 0, 1);
  buttons->addWidget(commandPtt_, 1, 0);
  buttons->addWidget(commandTuning_, 1, 1);
  buttons->addWidget(commandPrint_, 2, 0);
  buttons->addWidget(commandClose_, 2, 1);

  auto* right = new QVBoxLayout;
  right->addLayout(pictures);
  right->addStretch();
  right->addLayout(buttons);

  auto* lower = new QHBoxLayout;
  lower->addWidget(listItem_, 1);
  lower->addLayout(right);

  auto* upper = new QHBoxLayout;
  upper->addWidget(frameChannel_);
  upper->addWidget(frameSignalling_);

  auto* root = new QVBoxLayout(this);
  root->addLayout(upper);
  root->addLayout(lower, 1);

  connect(comboChannel_, &QComboBox::activated, this, [this](int index) {
    panel_.chooseChannel(index + 1);
    showChannel();
    showState();
  });
  connect(comboSignalling_, &QComboBox::activated, this, [this](int index) {
    panel_.chooseSignalling(index + 1);
    showSignalling();
    showState();
  });
  connect(commandWide_, &QPushButton::clicked, this, [this] {
    panel_.setWide(true);
    showState();
  });
  connect(commandNarrow_, &QPushButton::clicked, this, [this] {
    panel_.setWide(false);
    showState();
  });
  connect(commandPtt_, &QPushButton::clicked, this, [this] {
    panel_.togglePtt();
    showState();
  });
  // Choosing by click or by the arrow keys; focus alone moves no selection, so it chooses nothing.
  connect(listItem_, &QListWidget::itemSelectionChanged, this, [this] {
    const auto selected = listItem_->selectedItems();
    if (selected.isEmpty()) return;
    panel_.chooseItem(listItem_->row(selected.front()) + 1);
    showState();
  });
  connect(listItem_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    panel_.chooseItem(listItem_->row(item) + 1);
    showState();
  });
  connect(commandTuning_, &QPushButton::clicked, this, [this] {
    panel_.tune();
    showState();
  });
  connect(commandPrint_, &QPushButton::clicked, this, [this] {
    panel_.print();
    showState();
  });
  connect(commandClose_, &QPushButton::clicked, this, &QWidget::close);

  timerPara_ = new QTimer(this);
  timerPara_->setObjectName(QStringLiteral("TimerPara"));
  timerPara_->setSingleShot(true);
  timerPara_->setInterval(0);
  connect(timerPara_, &QTimer::timeout, this, &FrmTestMode::openPara);
}

void FrmTestMode::reCaption() {
  setWindowTitle(ctx_.pick(kCaption));
  frameChannel_->setTitle(ctx_.pick(kFrameChannel));
  frameSignalling_->setTitle(ctx_.pick(kFrameSignalling));
  labelChannel_->setText(ctx_.pick(kChannelNo));
  labelSignalling_->setText(ctx_.pick(kSignalling));
  comboChannel_->setAccessibleName(ctx_.pick(kChannelNo));
  comboSignalling_->setAccessibleName(ctx_.pick(kSignalling));
  for (int k = 0; k < 2; ++k) {
    const QString group = k == 0 ? ctx_.pick(kFrameChannel) : ctx_.pick(kFrameSignalling);
    labelRx_[k]->setText(ctx_.pick(kRx));
    labelTx_[k]->setText(ctx_.pick(kTx));
    textRx_[k]->setAccessibleName(group + QLatin1Char(' ') + ctx_.pick(kRx));
    textTx_[k]->setAccessibleName(group + QLatin1Char(' ') + ctx_.pick(kTx));
    pictureReleased_[k]->setAccessibleName(ctx_.pick(kReleasedPicture[k]));
    pictureTransmitting_[k]->setAccessibleName(ctx_.pick(kTransmittingPicture[k]));
  }
  for (int i = 0; i < kAdjustItemCount; ++i)
    listItem_->item(i)->setText(ctx_.pick(AdjustItemName(i + 1)));
  listItem_->setAccessibleName(ctx_.pick(kItems));
  // All fifteen items in view: Chinese rows are taller than English ones.
  listItem_->setMinimumHeight(listItem_->sizeHintForRow(0) * kAdjustItemCount +
                              2 * listItem_->frameWidth() + 2);
  const std::pair<QPushButton*, const Bilingual*> buttons[] = {
      {commandWide_, &kWide}, {commandNarrow_, &kNarrow}, {commandTuning_, &kTuning},
      {commandPtt_, &kPtt},   {commandPrint_, &kPrint},   {commandClose_, &kClose},
  };
  for (const auto& [b, text] : buttons) {
    b->setText(ctx_.pick(*text));
    b->setAccessibleName(Plain(ctx_.pick(*text)));
  }
  pictureWide_->setAccessibleName(ctx_.pick(kWidePicture));
  pictureNarrow_->setAccessibleName(ctx_.pick(kNarrowPicture));
  lamp_->setAccessibleName(ctx_.pick(kLamp));
  showSignalling();
}

void FrmTestMode::showChannel() {
  const auto& list = panel_.driver().channels();
  const int position = panel_.channel();
  if (position < 1 || position > static_cast<int>(list.size())) {
    textRx_[0]->clear();
    textTx_[0]->clear();
    return;
  }
  const TestChannel& c = list[static_cast<std::size_t>(position - 1)];
  const BandEdges band = SetBandEdges(ctx_.doc().state().bandText);
  textRx_[0]->setText(QString::fromStdString(FreToText(c.rx, band)));
  textTx_[0]->setText(QString::fromStdString(FreToText(c.tx, band)));
  comboChannel_->setCurrentIndex(position - 1);
}

void FrmTestMode::showSignalling() {
  const int s = panel_.signalling();
  textRx_[1]->setText(ctx_.pick(SignallingRxText(s)));
  textTx_[1]->setText(ctx_.pick(SignallingTxText(s)));
  comboSignalling_->setCurrentIndex(s - 1);
}

void FrmTestMode::showState() {
  const bool transmitting = panel_.transmitting();
  for (int k = 0; k < 2; ++k) {
    pictureReleased_[k]->setVisible(!transmitting);
    pictureTransmitting_[k]->setVisible(transmitting);
  }
  commandPtt_->setChecked(transmitting);
  lamp_->setColor(transmitting ? kLampTransmitting : kLampReleased);
  pictureWide_->setVisible(panel_.wide());
  pictureNarrow_->setVisible(!panel_.wide());
  commandTuning_->setEnabled(panel_.tuningEnabled());
}

void FrmTestMode::tuned(std::span<const std::uint8_t> block) {
  block_.assign(block.begin(), block.end());
  timerPara_->start();
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
  timerPara_->stop();
  if (para_) para_->close();
  panel_.close();
  event->accept();
}

}  // namespace kr4100
