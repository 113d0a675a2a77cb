// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/reporting_session_host.h"

#include "core/link/transfer_session.h"

namespace kr4100 {

void ReportingSessionHost::deliver(std::span<const std::uint8_t> reply) {
  // Noted before the session acts: it may finish on this very reply.
  if (auto identity = ParseIdentityReply(reply)) identityHeard_ = std::move(identity);
  if (session_) session_->onReceived(reply);
}

void ReportingSessionHost::echoed(std::span<const std::uint8_t> echo, bool intact) {
  if (session_) session_->onEcho(echo, intact);
}

void ReportingSessionHost::replyTimedOut() {
  if (session_) session_->onTimer();
}

void ReportingSessionHost::progress(int percent) {
  if (onProgress) onProgress(percent);
}

void ReportingSessionHost::searching(bool on) {
  if (onSearching) onSearching(on);
}

std::vector<std::string> ReportingSessionHost::candidatePorts() {
  return onCandidatePorts ? onCandidatePorts() : ownCandidatePorts();
}

void ReportingSessionHost::portSettingsFound(const PortSettings& settings) {
  if (onPortSettingsFound) onPortSettingsFound(settings);
}

void ReportingSessionHost::nextRadio(int radioNumber) {
  if (onNextRadio) onNextRadio(radioNumber);
}

void ReportingSessionHost::radioWritten(const RadioWritten& radio) {
  if (onRadioWritten) onRadioWritten(radio);
}

void ReportingSessionHost::finished(SessionKind kind, bool success) {
  if (onFinished) onFinished(kind, success);
}

}  // namespace kr4100
