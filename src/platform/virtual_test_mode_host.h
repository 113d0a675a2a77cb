// SPDX-License-Identifier: GPL-3.0-or-later
// Test mode with the in-process virtual radio at the end of the cable: the radio the transfer
// sessions use answers test mode through a TestModeResponder attached for this host's lifetime,
// and its answers come back after their 9600-baud wire time.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/qt_test_mode_host.h"
#include "platform/virtual_wire.h"
#include "sim/test_mode_responder.h"
#include "sim/virtual_radio.h"

namespace kr4100 {

class VirtualTestModeHost : public QtTestModeHost {
  Q_OBJECT
 public:
  // The radio must outlive this host.
  VirtualTestModeHost(Prompter& prompter, sim::VirtualRadio& radio, QObject* parent = nullptr);

  // As for the transfer sessions: 1 the real pace, 0 or less on the next turn of the event loop.
  void setSpeedFactor(double factor) { wire_.setSpeedFactor(factor); }
  double speedFactor() const { return wire_.speedFactor(); }

  sim::TestModeResponder& responder() { return responder_; }
  bool portOpen() const { return open_; }

  // TestModeHost
  bool openPort(const PortSettings& settings) override;
  void closePort() override;
  void send(std::span<const std::uint8_t> bytes, int expectedReplyLength) override;
  // The radio takes every byte as it is sent: nothing is ever still leaving.
  void waitSent(std::chrono::milliseconds) override {}

 signals:
  // The radio's memory changed while the port was open (alignment values set): whoever keeps
  // the radio's memory file stores it.
  void memoryChanged();

 private:
  sim::VirtualRadio& radio_;
  sim::TestModeResponder responder_;
  VirtualWire wire_;
  bool open_ = false;
  RadioImage memoryAtOpen_{};
};

}  // namespace kr4100
