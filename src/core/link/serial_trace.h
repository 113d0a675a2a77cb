// SPDX-License-Identifier: GPL-3.0-or-later
// A serial trace for bug reports: every frame sent and received, with the time since the session
// began and the step it belongs to, and what happened to the port and the session (open, close,
// time-outs, retries, questions, the outcome), one line each, readable without the program.
// The sessions write to it only when one is given them, so a session without one pays nothing.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "core/link/port_failure.h"
#include "core/link/session_host.h"

namespace kr4100 {

class SerialTrace {
 public:
  using Clock = std::function<std::chrono::microseconds()>;
  static Clock SteadyClock();

  explicit SerialTrace(std::ostream& out, Clock clock = SteadyClock());

  // A session begins: the time counts from here.
  void begin(std::string_view what);
  // The port is open, its modem lines set as LineStatesFor says.
  void opened(const PortSettings& settings);
  void openFailed(const PortSettings& settings, const PortOpenError& why);
  void closed();
  void sent(std::string_view step, std::span<const std::uint8_t> bytes);
  void received(std::string_view step, std::span<const std::uint8_t> bytes);
  // What an echoing cable gave back of the frames sent: no reply, and not counted as received.
  void echoed(std::string_view step, std::span<const std::uint8_t> bytes, bool intact);
  void timedOut(std::string_view step);
  // Anything else worth knowing: a retry, a question and its answer, the search.
  void note(std::string_view what, std::string_view detail = {});
  // The session has ended; the totals follow.
  void outcome(std::string_view what, bool success);

  std::size_t bytesSent() const { return sent_; }
  std::size_t bytesReceived() const { return received_; }

 private:
  void line(std::string_view direction, std::string_view step, std::string_view rest);
  void frame(std::string_view direction, std::string_view step,
             std::span<const std::uint8_t> bytes);

  std::ostream& out_;
  Clock clock_;
  std::chrono::microseconds start_{0};
  std::size_t sent_ = 0;
  std::size_t received_ = 0;
};

// "read", "write", "read radio information" ... for a trace.
const char* SessionKindName(SessionKind kind);
// "9600,N,8,1 handshaking RTS/CTS" for a trace.
std::string PortSettingsText(const PortSettings& settings);

}  // namespace kr4100
