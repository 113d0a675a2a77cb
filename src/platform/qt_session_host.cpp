#include "platform/qt_session_host.h"

namespace kr4100 {

QtSessionHost::QtSessionHost(Prompter& prompter, QObject* parent)
    : QObject(parent), prompter_(prompter) {
  clock_.start();
  replyTimer_.setSingleShot(true);
  replyTimer_.setTimerType(Qt::PreciseTimer);
  connect(&replyTimer_, &QTimer::timeout, this, [this] {
    if (session_) session_->onTimer();
  });
}

void QtSessionHost::startReplyTimer(std::chrono::milliseconds interval) {
  replyTimer_.start(interval);
}

void QtSessionHost::stopReplyTimer() { replyTimer_.stop(); }

std::chrono::milliseconds QtSessionHost::now() const {
  return std::chrono::milliseconds(clock_.elapsed());
}

void QtSessionHost::deliver(std::span<const std::uint8_t> reply) {
  // Noted before the session acts: it may finish on this very reply.
  if (auto identity = ParseIdentityReply(reply)) identityHeard_ = std::move(identity);
  if (session_) session_->onReceived(reply);
}

void QtSessionHost::progress(int percent) {
  if (onProgress) onProgress(percent);
}

void QtSessionHost::searching(bool on) {
  if (onSearching) onSearching(on);
}

std::vector<std::string> QtSessionHost::candidatePorts() {
  return onCandidatePorts ? onCandidatePorts() : ownCandidatePorts();
}

void QtSessionHost::portSettingsFound(const PortSettings& settings) {
  if (onPortSettingsFound) onPortSettingsFound(settings);
}

void QtSessionHost::nextRadio(int radioNumber) {
  if (onNextRadio) onNextRadio(radioNumber);
}

void QtSessionHost::radioWritten(const RadioWritten& radio) {
  if (onRadioWritten) onRadioWritten(radio);
}

void QtSessionHost::finished(SessionKind kind, bool success) {
  if (onFinished) onFinished(kind, success);
}

}  // namespace kr4100
