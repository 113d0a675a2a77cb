#include "testmode/frm_test_mode_para.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "testmode/test_mode_pictures.h"

namespace kr4100 {
namespace {

constexpr Bilingual kStart{"&Start", "开始(&S)"};
constexpr Bilingual kOk{"&OK", "确定(&O)"};
constexpr Bilingual kCancel{"&Cancel", "取消(&C)"};
constexpr Bilingual kPtt{"PTT", "PTT"};
// Names for assistive tools only.
constexpr Bilingual kSlider{"Value", "数值"};
constexpr Bilingual kBar{"Level", "电平"};
constexpr Bilingual kPolled{"Measured value", "测量值"};
constexpr Bilingual kLamp{"Indicator lamp", "指示灯"};

QString Plain(QString text) {
  return text.remove(QLatin1Char('&'));
}

}  // namespace

FrmTestModePara::FrmTestModePara(TestModePanel& panel, std::span<const std::uint8_t> block,
                                 UiContext& ctx, QWidget* parent)
    : QWidget(parent, Qt::Dialog), ctx_(ctx), adjustment_(panel, block) {
  setAttribute(Qt::WA_DeleteOnClose);
  // The test mode window waits while an item is tuned: no second tune, no channel change.
  setWindowModality(Qt::ApplicationModal);
  build();
  reCaption();
  showValues();
  showLamp();
}

void FrmTestModePara::build() {
  setObjectName(QStringLiteral("FrmTestModePara"));
  const bool polling = adjustment_.polling();

  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("SSTab1"));
  for (int tab = 0; tab < kAdjustTabCount; ++tab) {
    auto* page = new QWidget(tabs_);
    page->setObjectName(QStringLiteral("Page%1").arg(tab));
    slider_[tab] = new QSlider(Qt::Horizontal, page);
    slider_[tab]->setObjectName(QStringLiteral("Slider1_%1").arg(tab));
    slider_[tab]->setRange(0, 255);
    slider_[tab]->setPageStep(8);
    text_[tab] = new QLineEdit(page);
    text_[tab]->setObjectName(QStringLiteral("Text1_%1").arg(tab));
    text_[tab]->setReadOnly(true);
    text_[tab]->setAlignment(Qt::AlignRight);
    text_[tab]->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    bar_[tab] = new QProgressBar(page);
    bar_[tab]->setObjectName(QStringLiteral("ProgressBar1_%1").arg(tab));
    bar_[tab]->setRange(0, 255);
    bar_[tab]->setTextVisible(false);
    auto* grid = new QGridLayout(page);
    grid->addWidget(slider_[tab], 0, 0);
    grid->addWidget(text_[tab], 0, 1);
    grid->addWidget(bar_[tab], 1, 0, 1, 2);
    grid->setRowStretch(2, 1);
    tabs_->addTab(page, QString());
    const bool used = adjustment_.enabled(tab);
    tabs_->setTabEnabled(tab, used);
    // A single point shows as a single page; four points keep the unused pages in place, greyed.
    tabs_->setTabVisible(tab, used || adjustment_.pointCount() > 1);
    connect(slider_[tab], &QSlider::valueChanged, this, [this, tab](int value) {
      adjustment_.slide(tab, value);
      showValues();
    });
  }
  connect(tabs_, &QTabWidget::currentChanged, this, [this](int tab) {
    adjustment_.chooseTab(tab);
    showValues();
  });

  framePoll_ = new QGroupBox(this);
  framePoll_->setObjectName(QStringLiteral("FramePoll"));
  textPoll_ = new QLineEdit(framePoll_);
  textPoll_->setObjectName(QStringLiteral("TextPoll"));
  textPoll_->setReadOnly(true);
  textPoll_->setAlignment(Qt::AlignRight);
  barPoll_ = new QProgressBar(framePoll_);
  barPoll_->setObjectName(QStringLiteral("ProgressBarPoll"));
  barPoll_->setRange(0, 255);
  barPoll_->setValue(0);
  barPoll_->setTextVisible(false);
  auto* pollLayout = new QVBoxLayout(framePoll_);
  pollLayout->addWidget(textPoll_);
  pollLayout->addWidget(barPoll_);

  auto button = [this](const char* name) {
    auto* b = new QPushButton(this);
    b->setObjectName(QLatin1String(name));
    return b;
  };
  commandStart_ = button("CommandStart");
  commandStart_->setCheckable(true);
  commandOk_ = button("CommandOK");
  commandCancel_ = button("CommandCancel");
  commandPtt_ = button("CommandPTT");
  commandPtt_->setCheckable(true);
  lamp_ = new TestModeLamp(this);
  lamp_->setObjectName(QStringLiteral("ShapeLamp"));

  timerPoll_ = new QTimer(this);
  timerPoll_->setObjectName(QStringLiteral("TimerPoll"));
  timerPoll_->setInterval(kPollIntervalMs);
  connect(timerPoll_, &QTimer::timeout, this, [this] { adjustment_.poll(); });

  tabs_->setVisible(!polling);
  commandPtt_->setVisible(!polling);
  framePoll_->setVisible(polling);
  commandStart_->setVisible(polling);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(lamp_);
  buttons->addWidget(commandPtt_);
  buttons->addWidget(commandStart_);
  buttons->addStretch();
  buttons->addWidget(commandOk_);
  buttons->addWidget(commandCancel_);
  auto* root = new QVBoxLayout(this);
  root->addWidget(tabs_);
  root->addWidget(framePoll_);
  root->addLayout(buttons);
  setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('W')) * 30);

  connect(commandOk_, &QPushButton::clicked, this, [this] { adjustment_.ok(); });
  connect(commandCancel_, &QPushButton::clicked, this, [this] {
    cancel_ = true;
    close();
  });
  connect(commandPtt_, &QPushButton::clicked, this, [this] {
    adjustment_.togglePtt();
    showLamp();
  });
  connect(commandStart_, &QPushButton::clicked, this, [this] {
    if (timerPoll_->isActive())
      timerPoll_->stop();
    else
      timerPoll_->start();
    showLamp();
  });
}

void FrmTestModePara::reCaption() {
  setWindowTitle(ctx_.pick(AdjustItemName(adjustment_.item())));
  for (int tab = 0; tab < kAdjustTabCount; ++tab) {
    const QString name = ctx_.pick(AdjustTabName(tab));
    tabs_->setTabText(tab, name);
    slider_[tab]->setAccessibleName(name + QLatin1Char(' ') + ctx_.pick(kSlider));
    text_[tab]->setAccessibleName(name + QLatin1Char(' ') + ctx_.pick(kSlider));
    bar_[tab]->setAccessibleName(name + QLatin1Char(' ') + ctx_.pick(kBar));
  }
  tabs_->setAccessibleName(windowTitle());
  framePoll_->setTitle(windowTitle());
  framePoll_->setAccessibleName(windowTitle());
  textPoll_->setAccessibleName(ctx_.pick(kPolled));
  barPoll_->setAccessibleName(ctx_.pick(kPolled));
  const std::pair<QPushButton*, const Bilingual*> buttons[] = {{commandStart_, &kStart},
                                                               {commandOk_, &kOk},
                                                               {commandCancel_, &kCancel},
                                                               {commandPtt_, &kPtt}};
  for (const auto& [b, text] : buttons) {
    b->setText(ctx_.pick(*text));
    b->setAccessibleName(Plain(ctx_.pick(*text)));
  }
  lamp_->setAccessibleName(ctx_.pick(kLamp));
}

// Sliders set here move under a blocker: only the user's moves send anything.
void FrmTestModePara::showValues() {
  for (int tab = 0; tab < kAdjustTabCount; ++tab) {
    const int v = adjustment_.value(tab);
    const QSignalBlocker block(slider_[tab]);
    slider_[tab]->setValue(v);
    text_[tab]->setText(QString::number(v));
    bar_[tab]->setValue(v);
  }
  const QSignalBlocker block(tabs_);
  tabs_->setCurrentIndex(adjustment_.tab());
}

void FrmTestModePara::showLamp() {
  const bool transmitting = adjustment_.transmitting();
  commandPtt_->setChecked(transmitting);
  commandStart_->setChecked(timerPoll_->isActive());
  if (adjustment_.polling())
    lamp_->setColor(timerPoll_->isActive() ? kLampPolling : kLampReleased);
  else
    lamp_->setColor(transmitting ? kLampTransmitting : kLampReleased);
}

void FrmTestModePara::valuesArrived(std::span<const std::uint8_t> values) {
  adjustment_.takeValues(values);
  showValues();
}

void FrmTestModePara::polled(int value) {
  textPoll_->setText(QString::number(value));
  barPoll_->setValue(value);
}

void FrmTestModePara::closeEvent(QCloseEvent* event) {
  timerPoll_->stop();
  adjustment_.close(cancel_);
  event->accept();
  emit closed();
}

}  // namespace kr4100
