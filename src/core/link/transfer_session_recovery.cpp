// SPDX-License-Identifier: GPL-3.0-or-later
// What the transfer session does when the radio does not answer as it should: the time-outs,
// retries and questions, the port search, and the group write's waits between radios.
#include <algorithm>

#include "core/link/frames.h"
#include "core/link/serial_trace.h"
#include "core/link/transfer_session.h"

namespace kr4100 {
void TransferSession::onTimer() {
  if (!active() || step_ == Step::Asking || kind_ == SessionKind::TestMode) return;
  if (trace_) trace_->timedOut(stepName());
  if (kind_ == SessionKind::Search) {
    searchStepped(search_.onTimer(), {});
    return;
  }
  if (betweenRadios()) {
    groupWaitingTimeout();
    return;
  }
  handleTimeout();
}

void TransferSession::handleTimeout() {
  if (IsConfigTransfer(kind_)) {
    switch (step_) {
      case Step::Handshake:
        retryOrSearch(handshakeRetries_, &TransferSession::sendHandshake);
        return;
      case Step::IdentityRequest:
        retryOrSearch(identityRetries_, &TransferSession::sendIdentityRequest);
        return;
      case Step::IdentityAck:
        afterIdentityAck();  // as if the acknowledge had come
        return;
      case Step::Block:
        askAndRestart(Question::Connection);
        return;
      case Step::BlockAck:
        if (moving_ == SessionKind::Read) requestNextBlock();
        return;
      case Step::End:
        endAcknowledged();
        return;
      case Step::EndRefused:
      case Step::Idle:
      case Step::Asking:
      case Step::RadioLeaving:
      case Step::NextRadio:
        finish(false);  // the end frame after a refused identity went unanswered
        return;
    }
    return;
  }
  // Radio information, both directions.
  switch (step_) {
    case Step::Handshake:
      if (kind_ == SessionKind::ReadInfo) {
        step_ = Step::IdentityRequest;
        sendIdentityRequest();
      } else {
        finish(false);
      }
      return;
    case Step::End:
      finish(kind_ == SessionKind::ReadInfo);
      return;
    case Step::EndRefused:
      finish(false);
      return;
    default:
      askAndRestart(Question::Retry);
      return;
  }
}

// A silent radio may have missed the frame: it goes once more before the search.
void TransferSession::retryOrSearch(int& retries, void (TransferSession::*resend)()) {
  if (++retries >= 2) {
    startSearch();
  } else {
    if (trace_) trace_->note("retry", stepName());
    (this->*resend)();
  }
}

void TransferSession::askAndRestart(Question question) {
  host_.stopReplyTimer();
  step_ = Step::Asking;
  const Answer answer = host_.ask(question);
  const bool again = answer == Answer::Ok || answer == Answer::Retry;
  if (trace_) trace_->note("question", again ? "answered retry" : "answered cancel");
  if (!active()) return;  // the session was ended while the question was open
  if (!again) {
    finish(false);
    return;
  }
  if (repeatTransfer()) return;
  // Asking again would only meet the same missing port.
  step_ = Step::Asking;
  host_.portError();
  if (active()) finish(false);
}

bool TransferSession::repeatTransfer() {
  setGeometry(true);
  resetProgress();
  // After a search the port may be closed or open with other settings.
  if (!portOpen_ || !(openSettings_ == port_)) {
    closePort();
    if (!openPort(port_)) return false;
  }
  beginHandshake();
  return true;
}

// ---------------------------------------------------------------------------------------------
// Port-setting search

void TransferSession::startSearch() {
  interrupted_ = kind_;
  kind_ = SessionKind::Search;
  host_.stopReplyTimer();
  if (trace_) trace_->note("search", "looking for the port settings the radio answers on");
  host_.searching(true);
  closePort();
  searchStepped(search_.start(programModel_), {});
}

void TransferSession::searchStepped(PortSearch::Result result,
                                    std::span<const std::uint8_t> bytes) {
  switch (result) {
    case PortSearch::Result::Trying:
      return;
    case PortSearch::Result::IdentityReceived:
      storeIdentity(bytes);
      return;
    case PortSearch::Result::Found:
      searchFound();
      return;
    case PortSearch::Result::Exhausted:
      searchExhausted();
      return;
  }
}

void TransferSession::searchFound() {
  portOpen_ = true;
  openSettings_ = search_.found();
  takeSearchResult(search_.found());
  kind_ = interrupted_;
  host_.searching(false);
  // The radio has answered the identity request on these settings: check it and go on.
  step_ = Step::IdentityAck;
  afterIdentityAck();
}

void TransferSession::searchExhausted() {
  kind_ = interrupted_;
  host_.searching(false);
  search_.stop();
  if (const auto& other = search_.otherModel()) {
    // Another model answered: take its settings and let the identity check say what is wrong.
    takeSearchResult(*other);
    if (openPort(port_)) {
      beginHandshake();
      return;
    }
  }
  askAndRestart(Question::Connection);
}

void TransferSession::takeSearchResult(const PortSettings& found) {
  port_ = found;
  if (trace_) trace_->note("found", found.port + "  " + PortSettingsText(found));
  host_.portSettingsFound(found);
}

// ---------------------------------------------------------------------------------------------
// Group write: waiting for the next radio

void TransferSession::groupWaitingReply(ReplyType type) {
  if (type != ReplyType::Ack) return;
  if (step_ == Step::RadioLeaving) {
    lastAck_ = host_.now();  // still the radio just written
    return;
  }
  radioStarted_ = host_.now();
  step_ = Step::IdentityRequest;
  sendIdentityRequest();
}

void TransferSession::groupWaitingTimeout() {
  if (step_ == Step::RadioLeaving && host_.now() - lastAck_ >= kUnpluggedQuiet)
    step_ = Step::NextRadio;
  sendHandshake();
}

// ---------------------------------------------------------------------------------------------
// Finish

}  // namespace kr4100
