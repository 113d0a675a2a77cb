// SPDX-License-Identifier: GPL-3.0-or-later
// Test mode over a SerialLink, on its own wait loop: what the Qt serial host does with
// QSerialPort and QTimer, for a program without Qt (kr4100-cli.exe). An exchange that awaits
// nothing goes on once its bytes are with the line.
#pragma once

#include <memory>

#include "core/link/reporting_session_host.h"
#include "core/serial/line_loss.h"
#include "core/serial/link_loop.h"
#include "core/serial/reply_assembly.h"
#include "core/testmode/test_mode_driver.h"
#include "core/testmode/test_mode_listener.h"

namespace kr4100 {

class LinkTestModeHost : public TestModeHost, public LinkLoop {
 public:
  LinkTestModeHost(std::unique_ptr<SerialLink> link, Prompter& prompter,
                   Clock clock = SteadyClock());

  void attach(TestModeDriver* driver) { driver_ = driver; }
  void listen(TestModeListener* listener) { listener_ = listener; }

  // TestModeHost
  bool openPort(const PortSettings& settings) override;
  PortOpenError openError() const override { return link().openError(); }
  void closePort() override;
  void send(std::span<const std::uint8_t> bytes, int expectedReplyLength) override;
  void waitSent(std::chrono::milliseconds bound) override;
  void startWaitTimer(std::chrono::milliseconds interval) override {
    startTimer(waitTimer_, interval);
  }
  void stopWaitTimer() override { stopTimer(waitTimer_); }
  void startSendTimer(std::chrono::milliseconds interval) override {
    startTimer(sendTimer_, interval);
  }
  void stopSendTimer() override { stopTimer(sendTimer_); }
  void startEndTimer(std::chrono::milliseconds interval) override {
    startTimer(endTimer_, interval);
  }
  void stopEndTimer() override { stopTimer(endTimer_); }
  Answer askRetry() override { return prompter_.ask(Question::Retry); }
  void tell(TestModeMessage message) override;
  void identityRefused(const IdentityCheck& check) override { prompter_.identityRefused(check); }
  void entered() override;
  void tuned(std::span<const std::uint8_t> block) override;
  void valuesArrived(std::span<const std::uint8_t> values) override;
  void polled(int value) override;
  void ended() override;

 private:
  // LinkLoop
  std::size_t awaited() const override;
  void received(std::span<const std::uint8_t> bytes) override;
  void lineFailed() override { lineLost(); }

  // The quiet wait or the exchange's wait ran out.
  void settle();
  void lineLost() { EndTestModeOnLineLoss(driver_, prompter_); }

  Prompter& prompter_;
  TestModeDriver* driver_ = nullptr;
  TestModeListener* listener_ = nullptr;
  TimerId waitTimer_;
  TimerId sendTimer_;
  TimerId endTimer_;
  TimerId quietTimer_;
  ReplyAssembly replies_{ReplyAssembly::Ending::Quiet};
  unsigned sends_ = 0;  // so that a completion is only ever that of the latest send
};

}  // namespace kr4100
