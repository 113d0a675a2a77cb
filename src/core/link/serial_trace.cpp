// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/serial_trace.h"

#include <cstdio>
#include <iterator>

#include "core/link/line_states.h"
#include "core/texts/bilingual.h"

namespace kr4100 {
namespace {

constexpr std::string_view kHandshaking[] = {"none", "XON/XOFF", "RTS/CTS", "XON/XOFF+RTS/CTS"};

constexpr const char* kSessionNames[] = {
    "idle", "read", "write", "read radio information", "write radio information", "test mode"};

}  // namespace

const char* SessionKindName(SessionKind kind) {
  const auto index = static_cast<std::size_t>(kind);
  return index < std::size(kSessionNames) ? kSessionNames[index] : "search";
}

SerialTrace::Clock SerialTrace::SteadyClock() {
  return [] {
    return std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
  };
}

SerialTrace::SerialTrace(std::ostream& out, Clock clock) : out_(out), clock_(std::move(clock)) {
  start_ = clock_();
}

std::string PortSettingsText(const PortSettings& settings) {
  const bool known = settings.handshaking >= 0 && settings.handshaking < 4;
  return "9600,N,8," + std::to_string(settings.stopBits) + " handshaking " +
         (known ? std::string(kHandshaking[settings.handshaking])
                : std::to_string(settings.handshaking));
}

void SerialTrace::begin(std::string_view what) {
  start_ = clock_();
  sent_ = 0;
  received_ = 0;
  out_ << "=== " << what << " ===\n";
}

void SerialTrace::opened(const PortSettings& settings) {
  line("--", "open", settings.port + "  " + PortSettingsText(settings));
  line("--", "lines", LineStatesText(LineStatesFor(settings)));
}

void SerialTrace::openFailed(const PortSettings& settings, const PortOpenError& why) {
  std::string reason = PortFailureReason(why, kEnglish);
  for (auto at = reason.find("\r\n"); at != std::string::npos; at = reason.find("\r\n", at))
    reason.replace(at, 2, " ");
  line("--", "open-fail",
       settings.port + "  " + PortSettingsText(settings) + (reason.empty() ? "" : "  " + reason));
}

void SerialTrace::closed() {
  line("--", "close", {});
}

void SerialTrace::sent(std::string_view step, std::span<const std::uint8_t> bytes) {
  sent_ += bytes.size();
  frame("TX", step, bytes);
}

void SerialTrace::received(std::string_view step, std::span<const std::uint8_t> bytes) {
  received_ += bytes.size();
  frame("RX", step, bytes);
}

void SerialTrace::echoed(std::string_view step, std::span<const std::uint8_t> bytes, bool intact) {
  frame(intact ? "EC" : "E!", step, bytes);
}

void SerialTrace::timedOut(std::string_view step) {
  line("--", "time-out", step);
}

void SerialTrace::note(std::string_view what, std::string_view detail) {
  line("--", what, detail);
}

void SerialTrace::outcome(std::string_view what, bool success) {
  line("--", "outcome", std::string(what) + (success ? " succeeded" : " failed"));
  line("--", "totals",
       "TX " + std::to_string(sent_) + " bytes, RX " + std::to_string(received_) + " bytes");
  out_.flush();
}

void SerialTrace::frame(std::string_view direction, std::string_view step,
                        std::span<const std::uint8_t> bytes) {
  std::string hex;
  hex.reserve(bytes.size() * 3);
  static constexpr char kDigits[] = "0123456789ABCDEF";
  for (std::uint8_t b : bytes) {
    if (!hex.empty()) hex += ' ';
    hex += kDigits[b >> 4];
    hex += kDigits[b & 0x0F];
  }
  line(direction, step, hex);
}

void SerialTrace::line(std::string_view direction, std::string_view step, std::string_view rest) {
  const auto since = clock_() - start_;
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%10.3f ms", static_cast<double>(since.count()) / 1000.0);
  char label[16];
  std::snprintf(label, sizeof label, "%-10.*s", static_cast<int>(step.size()), step.data());
  out_ << stamp << "  " << direction << "  " << label;
  if (!rest.empty()) out_ << "  " << rest;
  out_ << '\n';
}

}  // namespace kr4100
