// SPDX-License-Identifier: GPL-3.0-or-later
// What every transfer-session host over a real line shares, whatever runs its timers (Qt's event
// loop or a wait loop of its own): the questions through a Prompter, and the session's reports
// passed on to whoever watches the session.
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/link/identity.h"
#include "core/link/session_host.h"

namespace kr4100 {

class TransferSession;

// Questions and reports of a session, answered by the GUI (message boxes) or the command line.
class Prompter {
 public:
  virtual ~Prompter() = default;
  virtual Answer ask(Question question) = 0;
  virtual Answer identityRefused(const IdentityCheck& check) = 0;
  // "Cannot Open Communication Port.": the port went away during the session.
  virtual void portError() = 0;
};

class ReportingSessionHost : public SessionHost {
 public:
  explicit ReportingSessionHost(Prompter& prompter) : prompter_(prompter) {}

  void attach(TransferSession* session) { session_ = session; }
  std::function<void(int)> onProgress;
  std::function<void(bool)> onSearching;
  std::function<void(const PortSettings&)> onPortSettingsFound;
  std::function<void(int)> onNextRadio;
  std::function<void(const RadioWritten&)> onRadioWritten;
  std::function<void(bool)> onReadingBack;
  std::function<void(SessionKind, bool)> onFinished;
  std::function<std::vector<std::string>()> onCandidatePorts;  // replaces the host's own list

  // The identity the radio last answered with since the port was opened, whatever the session
  // made of it: a radio-information read keeps none, yet its window shows the radio's firmware.
  const std::optional<RadioIdentity>& identityHeard() const { return identityHeard_; }

  // SessionHost
  Answer ask(Question question) override { return prompter_.ask(question); }
  Answer identityRefused(const IdentityCheck& check) override {
    return prompter_.identityRefused(check);
  }
  void portError() override { prompter_.portError(); }
  void progress(int percent) override;
  void searching(bool on) override;
  std::vector<std::string> candidatePorts() override;
  void portSettingsFound(const PortSettings& settings) override;
  void nextRadio(int radioNumber) override;
  void radioWritten(const RadioWritten& radio) override;
  void readingBack(bool on) override {
    if (onReadingBack) onReadingBack(on);
  }
  void finished(SessionKind kind, bool success) override;

 protected:
  // The ports a search tries when nobody has said otherwise.
  virtual std::vector<std::string> ownCandidatePorts() { return {}; }
  // Every complete reply goes to the session through here.
  void deliver(std::span<const std::uint8_t> reply);
  // The echo of a frame on an echoing cable, for the session's trace.
  void echoed(std::span<const std::uint8_t> echo, bool intact);
  // The reply timer ran out.
  void replyTimedOut();
  void forgetIdentity() { identityHeard_.reset(); }

  Prompter& prompter_;
  TransferSession* session_ = nullptr;
  std::optional<RadioIdentity> identityHeard_;
};

}  // namespace kr4100
