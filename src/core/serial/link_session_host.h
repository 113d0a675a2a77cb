// SPDX-License-Identifier: GPL-3.0-or-later
// The transfer session's host over a SerialLink, on its own wait loop: what the Qt serial host
// does with QSerialPort and QTimer, for a program without Qt (kr4100-cli.exe).
#pragma once

#include <memory>

#include "core/link/reporting_session_host.h"
#include "core/serial/link_loop.h"
#include "core/serial/reply_assembly.h"

namespace kr4100 {

class LinkSessionHost : public ReportingSessionHost, public LinkLoop {
 public:
  LinkSessionHost(std::unique_ptr<SerialLink> link, Prompter& prompter,
                  Clock clock = SteadyClock());

  // SessionHost
  bool openPort(const PortSettings& settings) override;
  PortOpenError openError() const override { return link().openError(); }
  void closePort() override;
  void send(std::span<const std::uint8_t> frame, int expectedReplyLength) override;
  void startReplyTimer(std::chrono::milliseconds interval) override;
  void stopReplyTimer() override;
  std::chrono::milliseconds now() const override { return clock(); }

  // Bytes that went over the wire in both directions since the last open (for measurements).
  std::size_t bytesOnWire() const { return replies_.bytesOnWire(); }

 private:
  // LinkLoop
  std::size_t awaited() const override;
  void received(std::span<const std::uint8_t> bytes) override;

  TimerId replyTimer_;
  ReplyAssembly replies_{ReplyAssembly::Ending::Length};
};

}  // namespace kr4100
