// SPDX-License-Identifier: GPL-3.0-or-later
// What the test-mode hosts over Qt share: the wait, send and end timers as QTimers, the assembly
// of replies, the retry question through a Prompter, and the driver's events passed on as signals
// to whoever runs test mode (the test mode windows, the command line). The two links (serial port,
// in-process virtual radio) derive from it.
#pragma once

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <span>
#include <vector>

#include "core/serial/reply_assembly.h"
#include "core/testmode/test_mode_driver.h"
#include "platform/qt_session_host.h"

namespace kr4100 {

class QtTestModeHost : public QObject, public TestModeHost {
  Q_OBJECT
 public:
  explicit QtTestModeHost(Prompter& prompter, QObject* parent = nullptr);

  void attach(TestModeDriver* driver) { driver_ = driver; }

  // TestModeHost
  void startWaitTimer(std::chrono::milliseconds interval) override { waitTimer_.start(interval); }
  void stopWaitTimer() override { waitTimer_.stop(); }
  void startSendTimer(std::chrono::milliseconds interval) override { sendTimer_.start(interval); }
  void stopSendTimer() override { sendTimer_.stop(); }
  void startEndTimer(std::chrono::milliseconds interval) override { endTimer_.start(interval); }
  void stopEndTimer() override { endTimer_.stop(); }
  Answer askRetry() override { return prompter_.ask(Question::Retry); }
  void tell(TestModeMessage message) override;
  void identityRefused(const IdentityCheck& check) override;
  void entered() override;
  void tuned(std::span<const std::uint8_t> block) override;
  void valuesArrived(std::span<const std::uint8_t> values) override;
  void polled(int value) override;
  void ended() override;

 signals:
  // The driver's events, in the order they come; connect directly (the byte vectors are only
  // valid during the call).
  void messageRaised(kr4100::TestModeMessage message);
  void testModeEntered();
  void blockArrived(const std::vector<std::uint8_t>& block);
  void valuesReceived(const std::vector<std::uint8_t>& values);
  void valuePolled(int value);
  void testModeEnded();

 protected:
  // The reply is whole by the link's measure, or the exchange's wait ran out: what the assembly
  // holds goes to the driver.
  virtual void settle();
  // The link's wait for a quiet line after a reply, if it runs one, is over.
  virtual void stopQuietWait() {}
  // The bytes of the last send have left.
  void sendComplete();
  // The port failed or the device went away.
  void linkLost();

  Prompter& prompter_;
  TestModeDriver* driver_ = nullptr;
  ReplyAssembly replies_{ReplyAssembly::Ending::Quiet};

 private:
  QTimer waitTimer_;
  QTimer sendTimer_;
  QTimer endTimer_;
};

}  // namespace kr4100
