// SPDX-License-Identifier: GPL-3.0-or-later
// The transfer session's host over a real serial port (a PortLine) and Qt timers. What the user
// must see or answer goes to a Prompter, so the command line and the windows can each answer in
// their own way.
#pragma once

#include <memory>

#include "platform/port_line.h"
#include "platform/qt_session_host.h"

namespace kr4100 {

class SerialSessionHost : public QtSessionHost {
 public:
  explicit SerialSessionHost(Prompter& prompter, QObject* parent = nullptr);
  // Over a line of the caller's (the tests put a virtual radio behind the core's line).
  SerialSessionHost(Prompter& prompter, std::unique_ptr<PortLine> line, QObject* parent = nullptr);

  // SessionHost
  bool openPort(const PortSettings& settings) override;
  PortOpenError openError() const override { return port_->openError(); }
  void closePort() override;
  void send(std::span<const std::uint8_t> frame, int expectedReplyLength) override;

  // Bytes that went over the wire in both directions since the last open (for measurements).
  std::size_t bytesOnWire() const { return replies_.bytesOnWire(); }

 protected:
  std::vector<std::string> ownCandidatePorts() override;  // the system's serial ports

 private:
  std::unique_ptr<PortLine> port_;
};

}  // namespace kr4100
