// SPDX-License-Identifier: GPL-3.0-or-later
// What a transfer session needs from its surroundings: a serial port, one reply timer, a clock,
// modal questions and a place to report progress and the end. The GUI, the command line and the
// tests (on a simulated clock) each provide one.
#pragma once

#include <chrono>
#include <cstdint>
#include <span>
#include <optional>
#include <string>
#include <vector>

#include "core/link/identity.h"
#include "core/link/port_failure.h"

namespace kr4100 {

enum class SessionKind : int {
  Idle = 0,
  Read = 1,       // configuration from the radio
  Write = 2,      // configuration to the radio
  ReadInfo = 3,   // the radio-information block
  WriteInfo = 4,  // the radio-information block to the radio (the radio does not take it)
  TestMode = 5,
  Search = 9,     // looking for working port settings
};

// A transfer of the configuration (not of the radio-information block).
constexpr bool IsConfigTransfer(SessionKind kind) {
  return kind == SessionKind::Read || kind == SessionKind::Write;
}

// Every frame waits this long for its reply.
inline constexpr std::chrono::milliseconds kReplyTimeout{300};

struct PortSettings {
  std::string port;     // "COM3" on Windows, a device path elsewhere
  int stopBits = 1;     // 1 or 2
  int handshaking = 0;  // 0 none, 1 XON/XOFF, 2 RTS/CTS, 3 both
  friend bool operator==(const PortSettings&, const PortSettings&) = default;
};

// The connection question has OK/Cancel (read, write), the retry question Retry/Cancel
// (radio information); both show "Check Connection. Retry or Cancel?".
enum class Question { Connection, Retry };

// How one radio's write ended: the single write's radio, or each radio of a group write.
struct RadioWritten {
  int radioNumber = 1;
  bool success = false;
  std::optional<RadioIdentity> identity;  // as the radio announced itself
  std::chrono::milliseconds duration{0};  // from its first handshake to its end
  bool readBack = false;  // its memory was read back whole after the write (verify)
  int sentFrom = 0;       // the first address the write sent; it ran on to the end of the area
  // It failed after its first data block went out and before the end: the radio may hold part of
  // the new data, and is not fit for use until written again.
  bool partial = false;
};
// Extra: a question's own third button (the write confirmation's "Read first").
enum class Answer { Ok, Cancel, Retry, Yes, No, Extra };

class SessionHost {
 public:
  virtual ~SessionHost() = default;

  // Opens the port with "9600,N,8," + stop bits and the handshaking; false when it cannot.
  virtual bool openPort(const PortSettings& settings) = 0;
  // Why the last openPort failed, as far as the system told.
  virtual PortOpenError openError() const { return {}; }
  virtual void closePort() = 0;
  // Clears both buffers, arms the receive threshold at expectedReplyLength bytes and writes the
  // frame. The reply arrives through TransferSession::onReceived once that many bytes are in.
  virtual void send(std::span<const std::uint8_t> frame, int expectedReplyLength) = 0;
  // The one reply timer: it fires once through TransferSession::onTimer unless stopped first.
  virtual void startReplyTimer(std::chrono::milliseconds interval) = 0;
  virtual void stopReplyTimer() = 0;
  virtual std::chrono::milliseconds now() const = 0;

  // Modal questions. Bytes arriving meanwhile are discarded by the session.
  virtual Answer ask(Question question) = 0;
  // The identity check refused the radio: show the check's message. For a version mismatch the
  // answer is Yes (start the program version for the radio's firmware) or No.
  virtual Answer identityRefused(const IdentityCheck& check) = 0;
  // The port would not open again to repeat the transfer (the adapter has gone): show the port
  // error. The session then ends without success.
  virtual void portError() = 0;

  virtual void progress(int /*percent*/) {}
  // The port search runs (the progress caption says so) or has ended.
  virtual void searching(bool /*on*/) {}
  // Ports the search tries, in order.
  virtual std::vector<std::string> candidatePorts() { return {}; }
  // The search found the settings that work: they are kept (settings file, status bar).
  virtual void portSettingsFound(const PortSettings& /*settings*/) {}
  // Group write: radio n (2, 3, ...) is awaited; its progress starts at 0.
  virtual void nextRadio(int /*radioNumber*/) {}
  // Verify: the radio is being read back after its write (on), or a write goes out again (off).
  virtual void readingBack(bool /*on*/) {}
  // A radio's write has ended (before finished(), and before a group write takes on the next
  // radio): the session's images are still those of this radio.
  virtual void radioWritten(const RadioWritten& /*radio*/) {}
  // The session has ended; the port is closed and the session idle when this is called.
  virtual void finished(SessionKind kind, bool success) = 0;
};

}  // namespace kr4100
