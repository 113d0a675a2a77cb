// SPDX-License-Identifier: GPL-3.0-or-later
// The search for port settings that reach the radio, run when a read or write hears nothing: every
// candidate port with stop bits 1 and 2 and handshaking 0..3, until a radio of the program's model
// answers. A pure state machine like the session that runs it, acting only through the host.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/link/frames.h"
#include "core/link/session_host.h"

namespace kr4100 {

class SerialTrace;

class PortSearch {
 public:
  enum class Result {
    Trying,            // waiting for the radio on the combination being tried
    IdentityReceived,  // an identity reply came in (the session keeps it as any identity)
    Found,             // a radio of the program's model answered; its port is left open, with
                       // found(), for the session to go on with
    Exhausted,         // every combination tried; the port of the last one may still be open
  };

  explicit PortSearch(SessionHost& host) : host_(host) {}
  void setTrace(SerialTrace* trace) { trace_ = trace; }

  // Starts from a closed port with the host's candidate ports.
  Result start(std::string programModel);
  // Only acknowledges and identity replies drive the search.
  Result onReply(ReplyType type, std::span<const std::uint8_t> bytes);
  Result onTimer();
  // Closes the port the search holds open, if any.
  void stop();

  bool portOpen() const { return portOpen_; }
  // After Found: the combination the radio answered on.
  const PortSettings& found() const { return trying_; }
  // After Exhausted: the first combination on which a radio of another model answered.
  const std::optional<PortSettings>& otherModel() const { return otherModel_; }

 private:
  enum class Step { HandshakeSent, IdentityRequested, IdentityAcknowledged };

  Result tryNextCombination();
  void send(const Frame& frame, int expectedReplyLength);

  SessionHost& host_;
  std::string programModel_;
  std::vector<std::string> candidates_;
  std::size_t candidate_ = 0;
  int combination_ = -1;  // 0..7: stop bits 1/2 x handshaking 0..3
  Step step_ = Step::HandshakeSent;
  int handshakes_ = 0;
  bool portOpen_ = false;
  PortSettings trying_;
  bool sameModel_ = false;  // the identity just received is of the program's model
  std::optional<PortSettings> otherModel_;
  SerialTrace* trace_ = nullptr;
};

}  // namespace kr4100
