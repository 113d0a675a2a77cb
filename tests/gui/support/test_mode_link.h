// SPDX-License-Identifier: GPL-3.0-or-later
// A test-mode host that talks to an in-process virtual radio: every send goes into the radio,
// its answer comes back as the port would deliver it, and the driver's events reach the test
// mode window as the main window passes them on. Synchronous (pump()) or, for a person at the
// screen, on the event loop.
#pragma once

#include <QPointer>
#include <QTimer>
#include <functional>

#include "sim/test_mode_responder.h"
#include "support/test_mode_radio_host.h"
#include "testmode/frm_test_mode.h"

namespace kr4100::testing {

class TestModeLink : public TestModeRadioHost {
 public:
  using TestModeRadioHost::TestModeRadioHost;

  QPointer<FrmTestMode> window;
  std::function<void()> onEntered;  // what the main window does: open the test mode window
  bool autoPump = false;            // deliver the radio's answers from the event loop

  void entered() override {
    TestModeRadioHost::entered();
    if (onEntered) onEntered();
  }
  void tuned(std::span<const std::uint8_t> block) override {
    TestModeRadioHost::tuned(block);
    if (window) window->tuned(block);
  }
  void valuesArrived(std::span<const std::uint8_t> values) override {
    TestModeRadioHost::valuesArrived(values);
    if (window) window->valuesArrived(values);
  }
  void polled(int value) override {
    TestModeRadioHost::polled(value);
    if (window) window->polled(value);
  }
  void ended() override {
    TestModeRadioHost::ended();
    if (window) window->ended();
  }

 protected:
  void queued() override {
    if (autoPump) QTimer::singleShot(0, [this] { pump(); });
  }
};

}  // namespace kr4100::testing
