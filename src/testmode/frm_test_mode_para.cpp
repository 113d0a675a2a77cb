// SPDX-License-Identifier: GPL-3.0-or-later
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

#include "core/texts/test_mode_texts.h"
#include "gui/editor_support.h"
#include "testmode/test_mode_pictures.h"

namespace kr4100 {

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
  createPages();
  createPollFrame();
  createButtons();
  layOut();
  connectControls();
}

// A page per point: slider, value box and bar. Pages of points the item lacks stay in place,
// greyed, when it has four; a single point shows as a single page.
void FrmTestModePara::createPages() {
  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("SSTab1"));
  for (int tab = 0; tab < kAdjustTabCount; ++tab) {
    auto* page = new QWidget(tabs_);
    page->setObjectName(QStringLiteral("Page%1").arg(tab));
    sliders_[tab] = new QSlider(Qt::Horizontal, page);
    sliders_[tab]->setObjectName(QStringLiteral("Slider1_%1").arg(tab));
    sliders_[tab]->setRange(0, 255);
    sliders_[tab]->setPageStep(8);
    valueBoxes_[tab] = new QLineEdit(page);
    valueBoxes_[tab]->setObjectName(QStringLiteral("Text1_%1").arg(tab));
    valueBoxes_[tab]->setReadOnly(true);
    valueBoxes_[tab]->setAlignment(Qt::AlignRight);
    valueBoxes_[tab]->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    bars_[tab] = new QProgressBar(page);
    bars_[tab]->setObjectName(QStringLiteral("ProgressBar1_%1").arg(tab));
    bars_[tab]->setRange(0, 255);
    bars_[tab]->setTextVisible(false);
    auto* grid = new QGridLayout(page);
    grid->addWidget(sliders_[tab], 0, 0);
    grid->addWidget(valueBoxes_[tab], 0, 1);
    grid->addWidget(bars_[tab], 1, 0, 1, 2);
    grid->setRowStretch(2, 1);
    tabs_->addTab(page, QString());
    const bool used = adjustment_.enabled(tab);
    tabs_->setTabEnabled(tab, used);
    tabs_->setTabVisible(tab, used || adjustment_.pointCount() > 1);
  }
}

// The measured items' layout: one polled value with its bar.
void FrmTestModePara::createPollFrame() {
  pollFrame_ = new QGroupBox(this);
  pollFrame_->setObjectName(QStringLiteral("FramePoll"));
  pollText_ = new QLineEdit(pollFrame_);
  pollText_->setObjectName(QStringLiteral("TextPoll"));
  pollText_->setReadOnly(true);
  pollText_->setAlignment(Qt::AlignRight);
  pollBar_ = new QProgressBar(pollFrame_);
  pollBar_->setObjectName(QStringLiteral("ProgressBarPoll"));
  pollBar_->setRange(0, 255);
  pollBar_->setValue(0);
  pollBar_->setTextVisible(false);
  auto* pollLayout = new QVBoxLayout(pollFrame_);
  pollLayout->addWidget(pollText_);
  pollLayout->addWidget(pollBar_);
}

void FrmTestModePara::createButtons() {
  auto button = [this](const char* name) {
    auto* b = new QPushButton(this);
    b->setObjectName(QLatin1String(name));
    return b;
  };
  startButton_ = button("CommandStart");
  startButton_->setCheckable(true);
  okButton_ = button("CommandOK");
  cancelButton_ = button("CommandCancel");
  pttButton_ = button("CommandPTT");
  pttButton_->setCheckable(true);
  lamp_ = new TestModeLamp(this);
  lamp_->setObjectName(QStringLiteral("ShapeLamp"));

  pollTimer_ = new QTimer(this);
  pollTimer_->setObjectName(QStringLiteral("TimerPoll"));
  pollTimer_->setInterval(kPollIntervalMs);
}

void FrmTestModePara::layOut() {
  const bool polling = adjustment_.polling();
  tabs_->setVisible(!polling);
  pttButton_->setVisible(!polling);
  pollFrame_->setVisible(polling);
  startButton_->setVisible(polling);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(lamp_);
  buttons->addWidget(pttButton_);
  buttons->addWidget(startButton_);
  buttons->addStretch();
  buttons->addWidget(okButton_);
  buttons->addWidget(cancelButton_);
  auto* root = new QVBoxLayout(this);
  root->addWidget(tabs_);
  root->addWidget(pollFrame_);
  root->addLayout(buttons);
  setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('W')) * 30);
}

void FrmTestModePara::connectControls() {
  for (int tab = 0; tab < kAdjustTabCount; ++tab) {
    connect(sliders_[tab], &QSlider::valueChanged, this, [this, tab](int value) {
      adjustment_.slide(tab, value);
      showValues();
    });
  }
  connect(tabs_, &QTabWidget::currentChanged, this, [this](int tab) {
    adjustment_.chooseTab(tab);
    showValues();
  });
  // A tick while the last poll is unanswered or a question is open queues nothing.
  connect(pollTimer_, &QTimer::timeout, this, [this] { adjustment_.poll(); });
  connect(okButton_, &QPushButton::clicked, this, [this] { adjustment_.ok(); });
  connect(cancelButton_, &QPushButton::clicked, this, [this] {
    cancel_ = true;
    close();
  });
  connect(pttButton_, &QPushButton::clicked, this, [this] {
    adjustment_.togglePtt();
    showLamp();
  });
  connect(startButton_, &QPushButton::clicked, this, [this] {
    if (pollTimer_->isActive())
      pollTimer_->stop();
    else
      pollTimer_->start();
    showLamp();
  });
}

void FrmTestModePara::reCaption() {
  setWindowTitle(ctx_.pick(AdjustItemName(adjustment_.item())));
  for (int tab = 0; tab < kAdjustTabCount; ++tab) {
    const QString name = ctx_.pick(AdjustTabName(tab));
    tabs_->setTabText(tab, name);
    sliders_[tab]->setAccessibleName(name + QLatin1Char(' ') +
                                     ctx_.pick(TestModeTextOf(TestModeText::ParaValue)));
    valueBoxes_[tab]->setAccessibleName(name + QLatin1Char(' ') +
                                        ctx_.pick(TestModeTextOf(TestModeText::ParaValue)));
    bars_[tab]->setAccessibleName(name + QLatin1Char(' ') +
                                  ctx_.pick(TestModeTextOf(TestModeText::ParaLevel)));
  }
  tabs_->setAccessibleName(windowTitle());
  pollFrame_->setTitle(windowTitle());
  pollFrame_->setAccessibleName(windowTitle());
  pollText_->setAccessibleName(ctx_.pick(TestModeTextOf(TestModeText::ParaMeasured)));
  pollBar_->setAccessibleName(ctx_.pick(TestModeTextOf(TestModeText::ParaMeasured)));
  SetButtonText(startButton_, ctx_.pick(TestModeTextOf(TestModeText::ParaStart)));
  SetButtonText(okButton_, ctx_.msg(MessageId::OkButton));
  SetButtonText(cancelButton_, ctx_.msg(MessageId::CancelButton));
  SetButtonText(pttButton_, ctx_.pick(TestModeTextOf(TestModeText::ParaPtt)));
  lamp_->setAccessibleName(ctx_.pick(TestModeTextOf(TestModeText::ParaLamp)));
}

// Sliders set here move under a blocker: only the user's moves send anything.
void FrmTestModePara::showValues() {
  for (int tab = 0; tab < kAdjustTabCount; ++tab) {
    const int v = adjustment_.value(tab);
    const QSignalBlocker block(sliders_[tab]);
    sliders_[tab]->setValue(v);
    valueBoxes_[tab]->setText(QString::number(v));
    bars_[tab]->setValue(v);
  }
  const QSignalBlocker block(tabs_);
  tabs_->setCurrentIndex(adjustment_.tab());
}

void FrmTestModePara::showLamp() {
  const bool transmitting = adjustment_.transmitting();
  pttButton_->setChecked(transmitting);
  startButton_->setChecked(pollTimer_->isActive());
  if (adjustment_.polling())
    lamp_->setColor(pollTimer_->isActive() ? kLampPolling : kLampReleased);
  else
    lamp_->setColor(transmitting ? kLampTransmitting : kLampReleased);
}

void FrmTestModePara::valuesArrived(std::span<const std::uint8_t> values) {
  adjustment_.takeValues(values);
  showValues();
}

void FrmTestModePara::polled(int value) {
  pollText_->setText(QString::number(value));
  pollBar_->setValue(value);
}

void FrmTestModePara::closeEvent(QCloseEvent* event) {
  pollTimer_->stop();
  adjustment_.close(cancel_);
  event->accept();
  emit closed();
}

}  // namespace kr4100
