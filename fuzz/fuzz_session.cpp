// SPDX-License-Identifier: GPL-3.0-or-later
// Drives the transfer session with arbitrary replies, time-outs and answers in any order. A
// crash, a sanitizer report, a session that does not end once the radio falls silent, or a
// refused read that changed the document is a finding.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "core/config/document.h"
#include "core/link/radio_image.h"
#include "core/link/transfer_session.h"
#include "fuzz_support.h"

using namespace kr4100;

namespace {

class FuzzHost : public SessionHost {
 public:
  explicit FuzzHost(std::span<const std::uint8_t> script) : script_(script) {}

  bool openPort(const PortSettings&) override { return next() % 8 != 0; }
  void closePort() override {}
  void send(std::span<const std::uint8_t>, int) override { ++sent; }
  void startReplyTimer(std::chrono::milliseconds) override { timerArmed = true; }
  void stopReplyTimer() override { timerArmed = false; }
  std::chrono::milliseconds now() const override { return std::chrono::milliseconds(clock); }
  Answer ask(Question) override {
    ++questions;
    // Once the script is spent every question is cancelled, so the session must come to an end.
    return done() ? Answer::Cancel : static_cast<Answer>(next() % 5);
  }
  Answer identityRefused(const IdentityCheck& check) override {
    (void)check.message(1);
    (void)check.message(2);
    return Answer::No;
  }
  void portError() override {}
  std::vector<std::string> candidatePorts() override {
    return std::vector<std::string>(next() % 3, "COM9");
  }
  void finished(SessionKind, bool ok) override {
    ended = true;
    success = ok;
  }

  std::uint8_t next() { return pos_ < script_.size() ? script_[pos_++] : 0; }
  bool done() const { return pos_ >= script_.size(); }
  std::span<const std::uint8_t> take(std::size_t n) {
    n = std::min(n, script_.size() - pos_);
    auto part = script_.subspan(pos_, n);
    pos_ += n;
    return part;
  }

  bool timerArmed = false;
  bool ended = false;
  bool success = false;
  int sent = 0;
  int questions = 0;
  long clock = 0;

 private:
  std::span<const std::uint8_t> script_;
  std::size_t pos_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  static const VersionTable versions = VersionTable::BuiltIn();
  FuzzHost host(std::span<const std::uint8_t>(data, size));
  TransferSession session(host, versions);
  session.setPortSettings({"COM1", 1, 0});

  const SessionKind kinds[] = {SessionKind::Read, SessionKind::Write, SessionKind::ReadInfo,
                               SessionKind::WriteInfo};
  const SessionKind kind = kinds[host.next() % 4];
  if (!session.open(kind)) return 0;
  const Document& fresh = fuzz::NewDocument();
  if (kind == SessionKind::Write) {
    if (session.prepareWrite(fresh.working())) return 0;
  } else {
    session.prepareRead();
  }
  session.start();

  // Replies and time-outs in whatever order the input says.
  while (!host.done() && session.active()) {
    const std::uint8_t op = host.next();
    if (op < 0x60) {
      const auto bytes = host.take(op % 80);
      session.onReceived(bytes);
    } else if (op < 0xC0) {
      host.clock += 300;
      session.onTimer();
    } else {
      // A well-formed acknowledge keeps the session moving deeper than random bytes would.
      const std::uint8_t ack = 0x06;
      session.onReceived(std::span<const std::uint8_t>(&ack, 1));
    }
  }
  // The radio falls silent: time-outs alone must end any session.
  for (int i = 0; i < 200 && session.active(); ++i) {
    host.clock += 300;
    session.onTimer();
  }
  if (session.active()) std::abort();

  if (kind == SessionKind::Read && host.success) {
    Document doc = fresh;
    if (session.unpackRead(doc) && !(doc.working() == fresh.working())) std::abort();
  }
  return 0;
}
