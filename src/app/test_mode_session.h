// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's Test command: test mode over the port in force (a serial port or the
// virtual radio), the test mode window once the radio is in, and a sure way out whenever the
// program or its main window closes.
#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <memory>

#include "gui/ui_context.h"
#include "testmode/frm_test_mode.h"

class QWidget;

namespace kr4100 {

class QtTestModeHost;
class RadioSessions;
class TestModeDriver;

// How long closing the program waits for the radio to confirm it left test mode.
inline constexpr int kLeaveTestModeMs = 2000;

class TestModeSession : public QObject {
 public:
  TestModeSession(UiContext& ctx, RadioSessions& sessions, QWidget* mainWindow);
  ~TestModeSession() override;

  void start();  // mnuTest
  bool active() const;
  // PTT released and test mode left, waiting a bounded time for the radio; then the port is
  // closed whatever the radio said. For the main window's close and the program's end.
  void leave();
  void reCaption();
  // The test mode window while it is open.
  FrmTestMode* window() const { return window_ && !window_->isHidden() ? window_.get() : nullptr; }

 private:
  void openWindow();
  void ended();

  UiContext& ctx_;
  RadioSessions& sessions_;
  QPointer<QWidget> mainWindow_;
  std::unique_ptr<QtTestModeHost> host_;
  std::unique_ptr<TestModeDriver> driver_;
  // Declared after the driver, which it reaches until it goes. A closed window waits hidden for
  // the next start or the session's end rather than for the event loop, which may not turn again
  // before the driver goes.
  std::unique_ptr<FrmTestMode> window_;
  QTimer timerShowTestFrm_;
};

}  // namespace kr4100
