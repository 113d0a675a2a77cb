// A test-mode host that talks to an in-process virtual radio: every send goes into the radio,
// its answer comes back as the port would deliver it, and the driver's events reach the test
// mode window as the main window passes them on. Synchronous (pump()) or, for a person at the
// screen, on the event loop.
#pragma once

#include <QPointer>
#include <QTimer>
#include <deque>
#include <functional>
#include <vector>

#include "core/testmode/test_mode_driver.h"
#include "sim/test_mode_responder.h"
#include "sim/virtual_radio.h"
#include "testmode/frm_test_mode.h"

namespace kr4100::testing {

class TestModeLink : public TestModeHost {
 public:
  using Bytes = std::vector<std::uint8_t>;

  explicit TestModeLink(sim::VirtualRadio& radio) : radio_(radio) {}

  TestModeDriver* driver = nullptr;
  QPointer<FrmTestMode> window;
  std::function<void()> onEntered;  // what the main window does: open the test mode window
  bool autoPump = false;            // deliver the radio's answers from the event loop
  bool portOpen = false;
  bool waitTimer = false;
  int endedCount = 0;
  std::vector<TestModeMessage> told;

  bool openPort(const PortSettings&) override { return portOpen = true; }
  void closePort() override { portOpen = false; }
  void send(std::span<const std::uint8_t> bytes, int expect) override {
    wire_.insert(wire_.end(), bytes.begin(), bytes.end());
    incoming_.push_back({radio_.receive(bytes), expect});
    if (autoPump) QTimer::singleShot(0, [this] { pump(); });
  }
  void startWaitTimer(std::chrono::milliseconds) override { waitTimer = true; }
  void stopWaitTimer() override { waitTimer = false; }
  void startSendTimer(std::chrono::milliseconds) override {}
  void stopSendTimer() override {}
  void startEndTimer(std::chrono::milliseconds) override {}
  void stopEndTimer() override {}
  Answer askRetry() override { return Answer::Cancel; }
  void tell(TestModeMessage m) override { told.push_back(m); }
  void identityRefused(const IdentityCheck&) override {}
  void entered() override {
    if (onEntered) onEntered();
  }
  void tuned(std::span<const std::uint8_t> block) override {
    if (window) window->tuned(block);
  }
  void valuesArrived(std::span<const std::uint8_t> values) override {
    if (window) window->valuesArrived(values);
  }
  void polled(int value) override {
    if (window) window->polled(value);
  }
  void ended() override {
    ++endedCount;
    if (window) window->ended();
  }

  // Delivers what the radio answered until the driver waits for nothing more.
  void pump() {
    if (pumping_) return;
    pumping_ = true;
    while (!incoming_.empty()) {
      const auto [got, expect] = incoming_.front();
      incoming_.pop_front();
      if (expect == 0) {
        driver->onSendComplete();
      } else if (static_cast<int>(got.size()) >= expect) {
        driver->onReceived(got);
      } else if (waitTimer && incoming_.empty()) {
        driver->onWaitTimeout();
      }
    }
    pumping_ = false;
  }
  // Everything sent since the last call.
  Bytes take() {
    Bytes out;
    out.swap(wire_);
    return out;
  }

 private:
  sim::VirtualRadio& radio_;
  std::deque<std::pair<Bytes, int>> incoming_;
  Bytes wire_;
  bool pumping_ = false;
};

}  // namespace kr4100::testing
