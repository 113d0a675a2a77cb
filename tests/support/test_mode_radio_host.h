// SPDX-License-Identifier: GPL-3.0-or-later
// A test-mode host wired straight to an in-process virtual radio: every send goes into the radio,
// and pump() delivers its answers as the port would. No clock: a wait runs out exactly when the
// driver still waits and the radio has nothing more to say.
#pragma once

#include <deque>
#include <span>
#include <utility>
#include <vector>

#include "core/testmode/test_mode_driver.h"
#include "sim/virtual_radio.h"

namespace kr4100::testing {

class TestModeRadioHost : public TestModeHost {
 public:
  using Bytes = std::vector<std::uint8_t>;

  explicit TestModeRadioHost(sim::VirtualRadio& radio) : radio_(radio) {}

  TestModeDriver* driver = nullptr;
  bool portOpen = false;
  bool waitTimer = false;
  std::deque<Answer> answers;  // for the retry questions; Cancel once they run out
  int questions = 0;
  int enteredCount = 0;
  int endedCount = 0;
  std::vector<TestModeMessage> told;
  Bytes block, values;  // the last tune block and page of values
  std::vector<int> polls;

  bool openPort(const PortSettings&) override { return portOpen = true; }
  void closePort() override { portOpen = false; }
  void send(std::span<const std::uint8_t> bytes, int expect) override {
    wire_.insert(wire_.end(), bytes.begin(), bytes.end());
    incoming_.push_back({radio_.receive(bytes), expect});
    queued();
  }
  void waitSent(std::chrono::milliseconds) override {}
  void startWaitTimer(std::chrono::milliseconds) override { waitTimer = true; }
  void stopWaitTimer() override { waitTimer = false; }
  void startSendTimer(std::chrono::milliseconds) override {}
  void stopSendTimer() override {}
  void startEndTimer(std::chrono::milliseconds) override {}
  void stopEndTimer() override {}
  Answer askRetry() override {
    ++questions;
    if (answers.empty()) return Answer::Cancel;
    const Answer a = answers.front();
    answers.pop_front();
    return a;
  }
  void tell(TestModeMessage m) override { told.push_back(m); }
  void identityRefused(const IdentityCheck&) override {}
  void entered() override { ++enteredCount; }
  void tuned(std::span<const std::uint8_t> b) override { block.assign(b.begin(), b.end()); }
  void valuesArrived(std::span<const std::uint8_t> v) override { values.assign(v.begin(), v.end()); }
  void polled(int v) override { polls.push_back(v); }
  void ended() override { ++endedCount; }

  // Delivers the radio's answers: a reply once as many bytes as awaited are in, a send-complete
  // for an exchange that awaits nothing (a stray answer to it is handed over and dropped); a
  // short answer lets the time-out decide.
  void pump() {
    if (pumping_) return;
    pumping_ = true;
    while (!incoming_.empty()) {
      const auto [got, expect] = incoming_.front();
      incoming_.pop_front();
      if (expect == 0) {
        if (!got.empty()) driver->onReceived(got);
        driver->onSendComplete();
      } else {
        if (static_cast<int>(got.size()) >= expect) driver->onReceived(got);
        if (waitTimer && incoming_.empty()) driver->onWaitTimeout();
      }
    }
    pumping_ = false;
  }
  // Exchanges sent and not yet delivered.
  std::size_t pending() const { return incoming_.size(); }
  // Everything sent since the last call.
  Bytes take() {
    Bytes out;
    out.swap(wire_);
    return out;
  }

 protected:
  // A send was queued; a host on an event loop may schedule pump() here.
  virtual void queued() {}

 private:
  sim::VirtualRadio& radio_;
  std::deque<std::pair<Bytes, int>> incoming_;
  Bytes wire_;
  bool pumping_ = false;
};

}  // namespace kr4100::testing
