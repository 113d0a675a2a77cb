// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/test_mode_session.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include "app/radio_sessions.h"
#include "core/testmode/test_mode_driver.h"
#include "platform/serial_test_mode_host.h"
#include "platform/virtual_test_mode_host.h"
#include "testmode/frm_test_mode.h"

namespace kr4100 {
namespace {

constexpr int kShowTestFrmMs = 300;

}  // namespace

TestModeSession::TestModeSession(UiContext& ctx, RadioSessions& sessions, QWidget* mainWindow)
    : ctx_(ctx), sessions_(sessions), mainWindow_(mainWindow) {
  timerShowTestFrm_.setObjectName(QStringLiteral("TimerShowTestFrm"));
  timerShowTestFrm_.setSingleShot(true);
  timerShowTestFrm_.setInterval(kShowTestFrmMs);
  connect(&timerShowTestFrm_, &QTimer::timeout, this, [this] { openWindow(); });
}

TestModeSession::~TestModeSession() {
  leave();
}

bool TestModeSession::active() const {
  return driver_ && driver_->active();
}

void TestModeSession::start() {
  if (active() || sessions_.busy()) return;
  // A fresh host and driver for every start: nothing of the last run (timers, a half reply)
  // can reach this one.
  window_.reset();
  driver_.reset();
  host_.reset();
  if (sessions_.usesVirtualRadio()) {
    auto host =
        std::make_unique<VirtualTestModeHost>(sessions_.prompter(), sessions_.virtualRadio());
    host->setSpeedFactor(sessions_.virtualRadioSpeed());
    connect(host.get(), &VirtualTestModeHost::memoryChanged, this,
            [this] { sessions_.saveVirtualRadioMemory(); });
    host_ = std::move(host);
  } else {
    host_ = std::make_unique<SerialTestModeHost>(sessions_.prompter());
  }
  driver_ = std::make_unique<TestModeDriver>(*host_);
  host_->attach(driver_.get());
  QtTestModeHost* host = host_.get();
  connect(host, &QtTestModeHost::messageRaised, this, [this](TestModeMessage message) {
    ctx_.prompter().ask(
        ctx_.pick(TestModeMessageText(message)), MsgButtons::Ok,
        message == TestModeMessage::Mismatch ? MsgIcon::Critical : MsgIcon::Warning);
  });
  connect(host, &QtTestModeHost::testModeEntered, this, [this] { timerShowTestFrm_.start(); });
  connect(host, &QtTestModeHost::blockArrived, this,
          [this](const std::vector<std::uint8_t>& block) {
            if (FrmTestMode* w = window()) w->tuned(block);
          });
  connect(host, &QtTestModeHost::valuesReceived, this,
          [this](const std::vector<std::uint8_t>& values) {
            if (FrmTestMode* w = window()) w->valuesArrived(values);
          });
  connect(host, &QtTestModeHost::valuePolled, this, [this](int value) {
    if (FrmTestMode* w = window()) w->polled(value);
  });
  connect(host, &QtTestModeHost::testModeEnded, this, [this] { ended(); });
  driver_->setTrace(sessions_.beginTrace(SessionKind::TestMode));
  if (!driver_->start(sessions_.portSettings(), ctx_.doc().working()))
    ctx_.prompter().ask(QString::fromStdString(PortErrorText(host_->openError(), ctx_.language())),
                        MsgButtons::Ok, MsgIcon::Critical);
}

void TestModeSession::openWindow() {
  if (!active() || window()) return;
  window_ = std::make_unique<FrmTestMode>(*driver_, ctx_, mainWindow_);
  window_->show();
}

void TestModeSession::ended() {
  timerShowTestFrm_.stop();
  if (FrmTestMode* w = window()) w->ended();
}

void TestModeSession::leave() {
  timerShowTestFrm_.stop();
  if (!active()) return;
  if (FrmTestMode* w = window()) {
    w->close();  // stores an open item, releases PTT, leaves
  } else {
    driver_->leave(1);
  }
  QElapsedTimer waited;
  waited.start();
  while (active() && waited.elapsed() < kLeaveTestModeMs)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  if (active()) driver_->end();
}

void TestModeSession::reCaption() {
  if (window_) window_->reCaption();
}

}  // namespace kr4100
