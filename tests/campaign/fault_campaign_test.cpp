// SPDX-License-Identifier: GPL-3.0-or-later
// The fault campaign: every step of every radio session meets every fault the virtual radio
// knows, and a stop requested from outside (Ctrl+C) while the step's reply is on its way, on the
// simulated clock. Each case must end by itself, tell the user when it fails, leave the document
// alone after a failed read, never call a write that did not land a success, close the port,
// and never leave PTT keyed or the radio in test mode. The table of outcomes goes to stdout.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "core/config/document.h"
#include "core/link/radio_image.h"
#include "core/link/stop_request.h"
#include "core/link/serial_trace.h"
#include "core/link/transfer_session.h"
#include "core/link/write_verify.h"
#include "core/serial/reply_assembly.h"
#include "core/testmode/test_mode_commands.h"
#include "core/testmode/test_mode_driver.h"
#include "core/testmode/test_mode_stop.h"
#include "sim/simulated_link.h"
#include "sim/test_mode_responder.h"
#include "sim/virtual_radio.h"
#include "support/test_channels.h"

namespace kr4100 {
namespace {

using namespace std::chrono_literals;
using sim::Micros;

enum class Fault {
  NoReply, Corrupted, Truncated, LateInside, LateOutside, NoAck, CablePulled, SecondRadio,
  StrayByte, Overlong,  // test mode only: its replies carry no checksum to catch a shift
  Signal,               // not the radio's: the program is told to stop while the reply comes
};
constexpr std::array kAllFaults{Fault::NoReply,     Fault::Corrupted,   Fault::Truncated,
                                Fault::LateInside,  Fault::LateOutside, Fault::NoAck,
                                Fault::CablePulled, Fault::SecondRadio, Fault::Signal};

const char* NameOf(Fault f) {
  switch (f) {
    case Fault::NoReply: return "no reply";
    case Fault::Corrupted: return "corrupted";
    case Fault::Truncated: return "truncated";
    case Fault::LateInside: return "late, inside";
    case Fault::LateOutside: return "late, outside";
    case Fault::NoAck: return "no acknowledge";
    case Fault::CablePulled: return "cable pulled";
    case Fault::SecondRadio: return "second radio";
    case Fault::StrayByte: return "stray leading byte";
    case Fault::Overlong: return "over-long";
    case Fault::Signal: return "signal";
  }
  return "?";
}

// The reply's last byte comes this long after its frame was sent: 1 ms either side of the
// time-out.
constexpr Micros kJustInside = std::chrono::duration_cast<Micros>(kReplyTimeout) - 1ms;
constexpr Micros kJustOutside = std::chrono::duration_cast<Micros>(kReplyTimeout) + 1ms;

// Longest a session may take on the simulated clock, whatever the fault: a group write of three
// radios with one retry and a port search stays well inside.
constexpr auto kBound = 3min;

// How the user answers the questions of a case: retry the first, or cancel it.
enum class Policy { Retry, Cancel };

// One step of a session: the radio's reply to one frame.
struct Step {
  std::string label;
  int radio = 1;  // which radio of a group write replies
  int reply = 0;  // that radio's reply, 1-based
  int wire = 0;   // the reply on the cable, 1-based over all radios
  bool ack = false;
};

struct Row {
  std::string session, step, fault, outcome;
};
std::vector<Row>& Table() {
  static std::vector<Row> rows;
  return rows;
}

void PrintTable() {
  std::size_t w[3] = {7, 4, 5};
  for (const Row& r : Table()) {
    w[0] = std::max(w[0], r.session.size());
    w[1] = std::max(w[1], r.step.size());
    w[2] = std::max(w[2], r.fault.size());
  }
  auto line = [&](const std::string& a, const std::string& b, const std::string& c,
                  const std::string& d) {
    std::printf("%-*s | %-*s | %-*s | %s\n", static_cast<int>(w[0]), a.c_str(),
                static_cast<int>(w[1]), b.c_str(), static_cast<int>(w[2]), c.c_str(), d.c_str());
  };
  line("session", "step", "fault", "outcome (first question retried | cancelled)");
  for (const Row& r : Table()) line(r.session, r.step, r.fault, r.outcome);
  std::fflush(stdout);
}

// ---------------------------------------------------------------------------------------------
// Transfer sessions: read, write, radio information read and write, group write

enum class Session { Read, Write, WriteVerify, ReadInfo, WriteInfo, GroupWrite };

const char* NameOf(Session s) {
  switch (s) {
    case Session::Read: return "read";
    case Session::Write: return "write";
    case Session::WriteVerify: return "write + verify";
    case Session::ReadInfo: return "info read";
    case Session::WriteInfo: return "info write";
    case Session::GroupWrite: return "group write x3";
  }
  return "?";
}

struct TransferBench {
  explicit TransferBench(Session s) : session(s) {
    link.attach(&transfer);
    transfer.setPortSettings({"COM1", 1, 0});
    transfer.setProgramIdentity("HT52", 0);
    doc.setToday([] { return CalendarDate{2026, 12, 8}; });
    doc.InitNewDocument();
    const int count = s == Session::GroupWrite ? 3 : 1;
    for (int i = 0; i < count; ++i) {
      radios.push_back(std::make_unique<sim::VirtualRadio>());
      // Memory unlike a new document's, so a read that loses or shifts a block shows.
      auto& memory = radios.back()->memory();
      for (int a = image_map::kChannelBase; a < 0x1D00; ++a)
        memory[static_cast<std::size_t>(a)] = static_cast<std::uint8_t>(a * 7 + i);
    }
    link.plug(radios.front().get());
    // Group write: the radio just written is unplugged, the next one plugged in a moment later.
    link.whenNextRadio = [this](int n) {
      link.unplug();
      link.at(link.now() + 1500ms, [this, n] { link.plug(radios[static_cast<std::size_t>(n - 1)].get()); });
    };
  }

  bool start() {
    const SessionKind kind = session == Session::Read        ? SessionKind::Read
                             : session == Session::ReadInfo  ? SessionKind::ReadInfo
                             : session == Session::WriteInfo ? SessionKind::WriteInfo
                                                             : SessionKind::Write;
    if (!transfer.open(kind)) return false;
    transfer.setReadBack(session == Session::WriteVerify);
    if (kind == SessionKind::Write) {
      if (transfer.prepareWrite(doc.working())) return false;
    } else {
      transfer.prepareRead();
    }
    if (session == Session::GroupWrite) {
      transfer.startGroupWrite(3);
    } else {
      transfer.start();
    }
    return true;
  }

  Session session;
  VersionTable versions = VersionTable::BuiltIn();
  sim::SimulatedLink link;
  TransferSession transfer{link, versions};
  std::vector<std::unique_ptr<sim::VirtualRadio>> radios;
  // Another radio of the same model on the same cable, with other memory and another band.
  sim::VirtualRadio intruder{sim::IdentitySettings{"HT52", 248, 1, "V600"}};
  Document doc;
  StopRequest stop;
};

// The steps of a session, from a clean run: one per kind of frame the radios answer, the first
// and the last data block, for each radio of a group write, and again for the read-back of a
// verified write.
std::vector<Step> StepsOf(Session s) {
  TransferBench b(s);
  EXPECT_TRUE(b.start());
  EXPECT_TRUE(b.link.runUntilIdle());
  std::vector<Step> steps;
  int wire = 0;
  for (std::size_t r = 0; r < b.radios.size(); ++r) {
    const auto& events = b.radios[r]->events();
    // One phase per handshake after an end frame: the write, then its read-back.
    std::size_t from = 0;
    while (from < events.size()) {
      std::size_t to = from + 1;
      while (to < events.size() && !(events[to].kind == sim::FrameKind::Handshake &&
                                     events[to - 1].kind == sim::FrameKind::End))
        ++to;
      const std::string phase = from == 0 ? "" : "read-back ";
      std::map<std::string, Step> first;
      std::optional<Step> lastBlock;
      bool blockSeen = false;
      sim::FrameKind previous = sim::FrameKind::Other;
      for (std::size_t i = from; i < to; ++i) {
        Step step;
        step.radio = static_cast<int>(r) + 1;
        step.reply = static_cast<int>(i) + 1;
        step.wire = wire + step.reply;
        const auto& e = events[i];
        bool block = false;
        switch (e.kind) {
          case sim::FrameKind::Handshake: step.label = "handshake"; step.ack = true; break;
          case sim::FrameKind::IdentityRequest: step.label = "identity"; break;
          case sim::FrameKind::Ack:
            step.ack = true;
            step.label = previous == sim::FrameKind::IdentityRequest ? "identity ack" : "block ack";
            break;
          case sim::FrameKind::Read:
          case sim::FrameKind::Write:
            block = true;
            step.ack = e.kind == sim::FrameKind::Write;
            break;
          case sim::FrameKind::End: step.label = "end"; step.ack = true; break;
          case sim::FrameKind::Other: step.label = "other"; break;
        }
        previous = e.kind;
        if (block) {
          char at[16];
          std::snprintf(at, sizeof at, " %04X", e.address);
          lastBlock = step;
          lastBlock->label = "last block" + std::string(at);
          if (!blockSeen) {
            blockSeen = true;
            step.label = "first block" + std::string(at);
            first.emplace(step.label, step);
          }
          continue;
        }
        first.emplace(step.label, step);
      }
      std::vector<Step> ordered;
      for (auto& [label, step] : first) ordered.push_back(step);
      std::sort(ordered.begin(), ordered.end(),
                [](const Step& a, const Step& b) { return a.reply < b.reply; });
      if (lastBlock && lastBlock->reply != ordered.back().reply &&
          std::none_of(ordered.begin(), ordered.end(),
                       [&](const Step& st) { return st.reply == lastBlock->reply; })) {
        ordered.push_back(*lastBlock);
        std::sort(ordered.begin(), ordered.end(),
                  [](const Step& a, const Step& b) { return a.reply < b.reply; });
      }
      for (Step& step : ordered) {
        step.label = phase + step.label;
        if (b.radios.size() > 1) step.label = "radio " + std::to_string(step.radio) + ": " + step.label;
        steps.push_back(step);
      }
      from = to;
    }
    wire += static_cast<int>(events.size());
  }
  return steps;
}

bool Applies(Fault f, Session s, const Step& step) {
  if (f == Fault::SecondRadio) return s == Session::GroupWrite;
  if (f == Fault::NoAck) return step.ack;
  return true;
}

void Inject(TransferBench& b, Fault f, const Step& step) {
  sim::Faults& faults = b.radios[static_cast<std::size_t>(step.radio - 1)]->faults();
  switch (f) {
    case Fault::NoReply: faults.dropReply = step.reply; break;
    case Fault::Corrupted: faults.corruptReply = step.reply; break;
    case Fault::Truncated: faults.truncateReply = step.reply; break;
    case Fault::LateInside:
      b.link.lateReply = step.wire;
      b.link.lateArrival = kJustInside;
      break;
    case Fault::LateOutside:
      b.link.lateReply = step.wire;
      b.link.lateArrival = kJustOutside;
      break;
    case Fault::NoAck: faults.refuseReply = step.reply; break;
    case Fault::CablePulled: faults.silentAfterReplies = step.reply - 1; break;
    case Fault::SecondRadio: b.link.plugSecond(&b.intruder, step.wire); break;
    case Fault::Signal:
      // The loop watches the request as the command line's loops do.
      b.link.stop = &b.stop;
      b.link.whenReplying = [&b, wire = step.wire](int n) {
        if (n == wire) b.stop.request(StopCause::Interrupt);
      };
      break;
    case Fault::StrayByte:
    case Fault::Overlong: break;  // not a transfer fault
  }
}

// One case under one answering policy; returns the outcome text and checks the rules.
std::string RunTransferCase(Session s, const Step& step, Fault f, Policy policy,
                            bool echo = false) {
  TransferBench b(s);
  b.link.echo = echo;
  Inject(b, f, step);
  // Later questions are cancelled (the link answers Cancel once its answers run out); the first
  // one under Retry is answered with what its kind of question offers.
  b.link.answers = policy == Policy::Retry
                       ? std::deque<Answer>{s == Session::ReadInfo || s == Session::WriteInfo
                                                ? Answer::Retry
                                                : Answer::Ok}
                       : std::deque<Answer>{};
  const RadioConfig before = b.doc.working();
  std::vector<std::vector<std::uint8_t>> memoryBefore;
  for (const auto& radio : b.radios)
    memoryBefore.emplace_back(radio->memory().begin(), radio->memory().end());
  const std::string where = std::string(NameOf(s)) + " / " + step.label + " / " + NameOf(f) +
                            (policy == Policy::Retry ? " / retry" : " / cancel");
  if (!b.start()) {
    ADD_FAILURE() << where << ": the session did not start";
    return "NOT STARTED";
  }
  std::string outcome;
  if (!b.link.runUntilIdle(kBound)) {
    // A group write waits for each next radio as long as the user likes: one that never answers
    // leaves the session waiting, with the group window saying so, until the user closes it.
    const auto& faulted = *b.radios[static_cast<std::size_t>(step.radio - 1)];
    const bool waiting =
        s == Session::GroupWrite && step.radio > 1 &&
        std::none_of(faulted.events().begin(), faulted.events().end(),
                     [](const auto& e) { return e.kind == sim::FrameKind::Write; });
    b.transfer.abort();
    if (!waiting) {
      ADD_FAILURE() << where << ": still running after " << kBound.count() << " min";
      return "HANG";
    }
    outcome = "waits for radio " + std::to_string(step.radio) + ", window closed: ";
  }
  EXPECT_FALSE(b.link.portOpen()) << where << ": port left open";
  const bool ok = b.link.result && b.link.result->second;
  const int told = static_cast<int>(b.link.questions.size() + b.link.refusals.size()) +
                   b.link.portErrors;
  const bool writes = s == Session::Write || s == Session::WriteVerify || s == Session::GroupWrite;
  // The window reports every failed write; a failed read is reported by its question. A stopped
  // session is reported by whoever stopped it.
  const bool signalled = f == Fault::Signal;
  if (signalled) {
    EXPECT_FALSE(ok) << where << ": a session stopped before its last reply reported success";
    EXPECT_TRUE(b.link.questions.empty()) << where << ": a stopped session asked a question";
  }
  if (!ok && !writes && s != Session::WriteInfo && !signalled) {
    EXPECT_GT(told, 0) << where << ": failed without telling the user";
  }

  if (s == Session::Read) {
    if (ok) {
      const auto& image = b.transfer.image();
      const auto& memory = b.radios.front()->memory();
      EXPECT_TRUE(std::equal(image.begin(), image.begin() + image_map::kConfigEndRead, memory.begin()))
          << where << ": the image read is not the radio's memory";
      b.transfer.unpackRead(b.doc);
    } else {
      EXPECT_TRUE(b.doc.working() == before) << where << ": a failed read changed the document";
    }
  }
  if (writes) {
    int landed = 0;
    for (const RadioWritten& w : b.link.written) {
      const auto& memory = b.radios[static_cast<std::size_t>(w.radioNumber - 1)]->memory();
      const auto& image = b.transfer.image();
      const bool same = std::equal(image.begin() + w.sentFrom, image.begin() + image_map::kConfigEnd,
                                   memory.begin() + w.sentFrom);
      if (w.success) {
        EXPECT_TRUE(same) << where << ": radio " << w.radioNumber
                          << " reported written but its memory differs";
        ++landed;
      } else {
        // A failed write that left the radio neither as it was nor holding the whole write must be
        // called partial (one whose block went out unheard may be called so too: it may hold it).
        const auto& was = memoryBefore[static_cast<std::size_t>(w.radioNumber - 1)];
        const bool untouched = std::equal(memory.begin(), memory.end(), was.begin());
        if (!untouched && !same) {
          EXPECT_TRUE(w.partial) << where << ": radio " << w.radioNumber
                                 << " holds part of the write but is not called partial";
        }
        if (w.partial) outcome += "radio " + std::to_string(w.radioNumber) + " partial, ";
      }
      if (s == Session::WriteVerify && w.success) {
        // What the user is shown after the write: the comparison with what was read back.
        EXPECT_TRUE(w.readBack) << where << ": written without the read-back";
        const VerifyResult verify =
            VerifyWrite(image, b.transfer.readBackImage(), w.sentFrom, b.doc.working(), 1);
        EXPECT_EQ(verify.passed(), same) << where << ": the read-back " << (same ? "finds" : "misses")
                                         << " a difference the radio does not have";
        outcome += verify.passed() ? "verified, " : "verify found " + std::to_string(verify.addresses.size()) + ", ";
      }
    }
    if (s == Session::GroupWrite) outcome += std::to_string(landed) + "/3 written, ";
    if (!ok && (s == Session::Write || s == Session::WriteVerify)) {
      EXPECT_TRUE(b.link.written.empty() || !b.link.written.back().success) << where;
    }
  }
  if (s == Session::WriteInfo) {
    EXPECT_FALSE(ok) << where << ": the radio takes no information";
  }

  outcome += ok ? "ok" : signalled ? "stopped" : "failed";
  if (!b.link.questions.empty()) outcome += ", asked " + std::to_string(b.link.questions.size());
  if (!b.link.refusals.empty()) outcome += ", refused";
  if (b.link.portErrors > 0) outcome += ", port error";
  if (b.link.searchesStarted > 0) outcome += ", searched";
  if (!ok && told == 0 && !signalled) outcome += ", window tells";
  if (f == Fault::SecondRadio && b.intruder.events().size() > 0) {
    const auto& image = b.transfer.image();
    const bool written = std::equal(image.begin() + image_map::kChannelBase,
                                    image.begin() + image_map::kConfigEnd,
                                    b.intruder.memory().begin() + image_map::kChannelBase);
    if (written) outcome += ", intruder written too";
  }
  char time[24];
  std::snprintf(time, sizeof time, " (%.1f s)",
                std::chrono::duration<double>(b.link.clock()).count());
  return outcome + time;
}

// An outcome without its questions, searches and time.
std::string Verdict(const std::string& outcome) {
  std::string verdict;
  std::istringstream parts(outcome.substr(0, outcome.rfind(" (")));
  for (std::string part; std::getline(parts, part, ',');) {
    if (!part.empty() && part.front() == ' ') part.erase(0, 1);
    if (!part.starts_with("asked") && part != "searched") verdict += part + ";";
  }
  return verdict;
}

class TransferCampaign : public ::testing::TestWithParam<Session> {};

TEST_P(TransferCampaign, EveryStepMeetsEveryFault) {
  const Session s = GetParam();
  const auto steps = StepsOf(s);
  ASSERT_FALSE(steps.empty());
  for (const Step& step : steps) {
    for (Fault f : kAllFaults) {
      if (!Applies(f, s, step)) continue;
      const std::string retried = RunTransferCase(s, step, f, Policy::Retry);
      const std::string cancelled = RunTransferCase(s, step, f, Policy::Cancel);
      Table().push_back({NameOf(s), step.label, NameOf(f), retried + " | " + cancelled});
    }
  }
}

// The same over a cable that echoes every byte sent: each fault must end as it does on a plain
// cable. The retrying user alone, to keep the run short.
TEST_P(TransferCampaign, OnAnEchoingCableEveryStepMeetsEveryFault) {
  const Session s = GetParam();
  for (const Step& step : StepsOf(s)) {
    for (Fault f : kAllFaults) {
      if (!Applies(f, s, step)) continue;
      const std::string plain = RunTransferCase(s, step, f, Policy::Retry);
      const std::string echoed = RunTransferCase(s, step, f, Policy::Retry, true);
      // The same outcome, or a success: the questions and the time may differ, as a reply that
      // comes after its time-out is not taken for the next frame's when that frame's echo is due
      // first (a plain cable's session may fail on it).
      const std::string verdict = Verdict(echoed);
      EXPECT_TRUE(verdict == Verdict(plain) || verdict.ends_with("ok;"))
          << NameOf(s) << " / " << step.label << " / " << NameOf(f) << ": " << echoed
          << " on an echoing cable, " << plain << " on a plain one";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Sessions, TransferCampaign,
                         ::testing::Values(Session::Read, Session::Write, Session::WriteVerify,
                                           Session::ReadInfo, Session::WriteInfo,
                                           Session::GroupWrite));

// ---------------------------------------------------------------------------------------------
// Test mode: entry and one alignment, on a simulated clock with the driver's three timers and
// the quiet wait the real hosts run, their replies gathered by the same assembly

class TestModeBench : public TestModeHost {
 public:
  TestModeBench() {
    doc.InitNewDocument();
    RadioConfig& r = doc.working();
    kr4100::testing::SetTestChannels(r, {{3, "28500000", "28600000"}});
    responder.setTestChannels(r);
    replies_.onEcho([this](std::span<const std::uint8_t> bytes, bool intact) {
      (intact ? echoesIntact : echoesWrong) += 1;
      driver.onEcho(bytes, intact);
    });
  }

  // Entry, then PTT keyed while an item is tuned, a value set and stored, then leaving.
  bool run() {
    if (!driver.start({"COM1", 1, 0}, doc.working())) return false;
    runWhile([this] { return !(enteredCount > 0 && driver.empty() && idle()); });
    if (driver.active() && enteredCount > 0) {
      driver.act(TestAction::PttPress);
      driver.act(TestAction::Tune, 4);
      driver.act(TestAction::SelectPage, 36, PointCount(4, true));
      driver.act(TestAction::SetValue, 36, 201);
      driver.storeValues(4, {{36, 202}});
      runWhile([this] { return !(driver.empty() && idle()); });
    }
    if (driver.active()) driver.leave(1);
    runWhile([] { return true; });
    return !driver.active();
  }

  int lateReply = 0;
  Micros lateArrival{0};
  // The cable joins TX and RX: every byte sent comes back as it leaves, ahead of any reply.
  bool echo = false;
  // A send that awaits nothing is complete once the line has taken its bytes, as the real hosts
  // hear it, instead of once they are off the wire: the next one may go before its echo is back.
  bool completeOnWrite = false;
  int echoesIntact = 0, echoesWrong = 0;  // echoes the assembly took, as it reported them
  int framesOut = 0;                      // frames sent on the open port
  int signalReply = 0;  // a stop is requested while this reply (1-based) is on its way
  StopRequest stop;
  bool stopped = false;  // the stop ended test mode
  std::deque<Answer> answers;
  int questions = 0, refusals = 0, enteredCount = 0;
  std::vector<TestModeMessage> told;
  std::vector<std::string> answered;  // per reply: what it answered
  std::vector<bool> ackReply;         // per reply: a lone acknowledge
  bool portOpen = false;
  Micros now{0};

  Document doc;
  sim::VirtualRadio radio;
  sim::TestModeResponder responder{radio};
  TestModeDriver driver{*this};

  // TestModeHost
  bool openPort(const PortSettings&) override {
    replies_.opened();
    return portOpen = true;
  }
  void closePort() override {
    portOpen = false;
    quiet_.reset();
    replies_.clear();
    arriving_.clear();
  }
  void send(std::span<const std::uint8_t> bytes, int expect) override {
    quiet_.reset();
    replies_.sent(bytes, expect);
    const Micros out = std::max(now, txFree_) + sim::WireTime(bytes.size());
    txFree_ = out;
    if (expect == 0)
      events_.emplace(completeOnWrite ? now : out, [this] { driver.onSendComplete(); });
    if (!portOpen) return;
    ++framesOut;
    if (echo) arriving_.emplace(out, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    std::vector<std::uint8_t> reply = radio.receive(bytes);
    if (reply.empty()) return;
    Micros at = std::max(out, rxFree_) + sim::WireTime(reply.size());
    rxFree_ = at;
    char text[32];
    std::snprintf(text, sizeof text, "%02X%s", bytes[0], bytes.size() > 1 ? " .." : "");
    answered.push_back(text);
    ackReply.push_back(reply == std::vector<std::uint8_t>{0x06});
    if (static_cast<int>(answered.size()) == lateReply) at = std::max(at, now + lateArrival);
    if (static_cast<int>(answered.size()) == signalReply) stop.request(StopCause::Interrupt);
    arriving_.emplace(at, std::move(reply));
  }
  void waitSent(std::chrono::milliseconds) override {}
  void startWaitTimer(std::chrono::milliseconds i) override { wait_ = now + i; }
  void stopWaitTimer() override { wait_.reset(); }
  void startSendTimer(std::chrono::milliseconds i) override { send_ = now + i; }
  void stopSendTimer() override { send_.reset(); }
  void startEndTimer(std::chrono::milliseconds i) override { end_ = now + i; }
  void stopEndTimer() override { end_.reset(); }
  Answer askRetry() override {
    ++questions;
    if (answers.empty()) return Answer::Cancel;
    const Answer a = answers.front();
    answers.pop_front();
    return a;
  }
  void tell(TestModeMessage m) override { told.push_back(m); }
  void identityRefused(const IdentityCheck&) override { ++refusals; }
  void entered() override { ++enteredCount; }

 private:
  bool idle() const {
    return !wait_ && !send_ && !end_ && !quiet_ && arriving_.empty() && events_.empty();
  }

  // Runs the clock while the driver is active and keepGoing holds, until the bound.
  void runWhile(const std::function<bool()>& keepGoing) {
    const Micros limit = std::chrono::duration_cast<Micros>(kBound);
    while (driver.active() && keepGoing() && now < limit) {
      // The loop watches the request as the command line's loops do.
      if (StopOnRequest(stop, driver, nullptr)) {
        stopped = true;
        return;
      }
      std::optional<Micros> next;
      auto consider = [&](std::optional<Micros> t) {
        if (t && (!next || *t < *next)) next = t;
      };
      consider(wait_);
      consider(send_);
      consider(end_);
      consider(quiet_);
      if (!arriving_.empty()) consider(arriving_.begin()->first);
      if (!events_.empty()) consider(events_.begin()->first);
      if (!next) return;
      now = std::max(now, *next);
      // Bytes and send completions before timers due at the same moment.
      if (!arriving_.empty() && arriving_.begin()->first <= now) {
        auto bytes = std::move(arriving_.begin()->second);
        arriving_.erase(arriving_.begin());
        deliver(std::move(bytes));
      } else if (!events_.empty() && events_.begin()->first <= now) {
        auto action = std::move(events_.begin()->second);
        events_.erase(events_.begin());
        action();
      } else if (quiet_ && *quiet_ <= now) {
        settle();
      } else if (wait_ && *wait_ <= now) {
        // A reply all in when the wait runs out counts as in time, as on the real hosts.
        wait_.reset();
        quiet_.reset();
        driver.onWaitTimeout(replies_.settle());
      } else if (send_ && *send_ <= now) {
        send_.reset();
        driver.onSendTimer();
      } else if (end_ && *end_ <= now) {
        end_.reset();
        driver.onEndTimer();
      }
    }
  }

  void deliver(std::vector<std::uint8_t> bytes) {
    if (!portOpen) return;
    replies_.take(bytes);
    if (replies_.settling()) quiet_ = now + std::chrono::duration_cast<Micros>(kReplyQuietGap);
  }

  void settle() {
    quiet_.reset();
    if (auto reply = replies_.settle()) driver.onReceived(*reply);
  }

  ReplyAssembly replies_{ReplyAssembly::Ending::Quiet};
  Micros txFree_{0}, rxFree_{0};
  std::optional<Micros> wait_, send_, end_, quiet_;
  std::multimap<Micros, std::vector<std::uint8_t>> arriving_;
  std::multimap<Micros, std::function<void()>> events_;
};

// The line under a test-mode case.
struct Cable {
  bool echo = false;
  bool completeOnWrite = false;
};

// With a trace given, the case's exchanges are written to it.
std::string RunTestModeCase(int reply, Fault f, Policy policy, const std::string& label,
                            Cable cable = {}, std::ostream* traceTo = nullptr) {
  TestModeBench b;
  b.echo = cable.echo;
  b.completeOnWrite = cable.completeOnWrite;
  std::optional<SerialTrace> trace;
  if (traceTo) b.driver.setTrace(&trace.emplace(*traceTo, [&b] { return b.now; }));
  auto& faults = b.responder.faults();
  switch (f) {
    case Fault::NoReply: faults.dropReply = reply; break;
    case Fault::Corrupted: faults.corruptReply = reply; break;
    case Fault::Truncated: faults.truncateReply = reply; break;
    case Fault::LateInside: b.lateReply = reply; b.lateArrival = kJustInside; break;
    case Fault::LateOutside: b.lateReply = reply; b.lateArrival = kJustOutside; break;
    case Fault::NoAck: faults.refuseReply = reply; break;
    case Fault::CablePulled: faults.silentAfter = reply - 1; break;
    case Fault::StrayByte: faults.strayReply = reply; break;
    case Fault::Overlong: faults.overlongReply = reply; break;
    case Fault::Signal: b.signalReply = reply; break;
    case Fault::SecondRadio: break;
  }
  if (policy == Policy::Retry) b.answers = {Answer::Retry};
  const std::string where = "test mode / " + label + " / " + NameOf(f) +
                            (policy == Policy::Retry ? " / retry" : " / cancel") +
                            (cable.echo ? " / echoing cable" : "") +
                            (cable.completeOnWrite ? " / complete on write" : "");
  const RadioImage before = b.radio.memory();
  const bool ended = b.run();
  EXPECT_TRUE(ended) << where << ": test mode still running";
  if (!ended) {
    b.driver.end();
    return "HANG";
  }
  EXPECT_FALSE(b.portOpen) << where << ": port left open";
  EXPECT_FALSE(b.driver.pttKeyed()) << where << ": the program believes PTT is still keyed";
  const bool pulled = f == Fault::CablePulled;
  // Once the cable is out nothing reaches the radio; with it in, PTT must have been released.
  if (!pulled) {
    EXPECT_FALSE(b.responder.pttKeyed()) << where << ": the radio was left keyed";
  }
  const bool aligned = b.responder.value(36) == 202;
  // The only value the bench moves is code 36: no other may change, whatever the radio sent.
  for (int code : AdjustBlockCodes()) {
    if (code == 36) continue;
    EXPECT_EQ(b.responder.value(code), before[static_cast<std::size_t>(sim::kAlignmentBase + *AdjustBlockOffset(code))])
        << where << ": code " << code << " changed";
  }
  const bool completed = b.enteredCount > 0 && aligned && !b.responder.inTestMode();
  const bool signalled = f == Fault::Signal;
  if (signalled) {
    EXPECT_TRUE(b.stopped) << where << ": test mode ended before the stop was seen";
    EXPECT_FALSE(b.responder.inTestMode()) << where << ": the radio was left in test mode";
    EXPECT_EQ(b.questions, 0) << where << ": a stopped test mode asked a question";
  }
  // A stop is reported by whoever asked for it.
  if (!completed && !signalled) {
    EXPECT_GT(b.questions + b.refusals + static_cast<int>(b.told.size()), 0)
        << where << ": gave up without telling the user";
  }
  // A reply all in before its wait runs out is in time, however little of the quiet gap after
  // it has passed.
  if (f == Fault::LateInside) {
    EXPECT_TRUE(completed && b.questions == 0) << where << ": a reply in time was not taken";
  }
  std::string outcome = completed ? "aligned, left" : b.enteredCount > 0 ? "entered, cut short" : "not entered";
  if (signalled) outcome += ", stopped";
  if (b.questions > 0) outcome += ", asked " + std::to_string(b.questions);
  if (!b.told.empty()) outcome += ", told mismatch";
  if (b.responder.pttKeyed()) outcome += pulled ? ", radio keyed (cable out)" : ", RADIO KEYED";
  char time[24];
  std::snprintf(time, sizeof time, " (%.1f s)", std::chrono::duration<double>(b.now).count());
  return outcome + time;
}

// Every fault a test-mode reply can meet, for each reply of a clean run: calls each(reply, label,
// fault).
void ForEachTestModeCase(const TestModeBench& clean,
                         const std::function<void(int, const std::string&, Fault)>& each) {
  for (std::size_t i = 0; i < clean.answered.size(); ++i) {
    const int reply = static_cast<int>(i) + 1;
    const std::string label = "reply " + std::to_string(reply) + " to " + clean.answered[i];
    std::vector<Fault> faults(kAllFaults.begin(), kAllFaults.end());
    faults.insert(faults.end(), {Fault::StrayByte, Fault::Overlong});
    for (Fault f : faults) {
      if (f == Fault::SecondRadio || (f == Fault::NoAck && !clean.ackReply[i])) continue;
      each(reply, label, f);
    }
  }
}

TEST(TestModeCampaign, EntryAndOneAlignmentMeetEveryFault) {
  TestModeBench clean;
  ASSERT_TRUE(clean.run());
  ASSERT_EQ(clean.enteredCount, 1);
  ASSERT_EQ(clean.responder.value(36), 202);
  ASSERT_FALSE(clean.responder.pttKeyed());
  EXPECT_EQ(clean.echoesIntact + clean.echoesWrong, 0) << "an echo heard on a plain cable";
  ForEachTestModeCase(clean, [](int reply, const std::string& label, Fault f) {
    const std::string retried = RunTestModeCase(reply, f, Policy::Retry, label);
    const std::string cancelled = RunTestModeCase(reply, f, Policy::Cancel, label);
    Table().push_back({"test mode", label, NameOf(f), retried + " | " + cancelled});
  });
}

// The same over a cable that echoes every byte sent, under the transfer sessions' rule: each
// fault ends as on a plain cable, or in success. A reply that comes after its time-out comes
// ahead of the retried frame's echo and goes, so that case may end as one whose reply never
// came. Sends complete once off the wire, and as soon as the line takes them, so that a send
// awaiting nothing may leave its echo to the next exchange.
TEST(TestModeCampaign, OnAnEchoingCableEveryReplyMeetsEveryFault) {
  for (const bool completeOnWrite : {false, true}) {
    SCOPED_TRACE(completeOnWrite ? "sends complete on write" : "sends complete off the wire");
    TestModeBench clean;
    clean.echo = true;
    clean.completeOnWrite = completeOnWrite;
    ASSERT_TRUE(clean.run());
    ASSERT_EQ(clean.enteredCount, 1);
    ASSERT_EQ(clean.responder.value(36), 202);
    ASSERT_FALSE(clean.responder.pttKeyed());
    // Every echo came back intact and was told from the replies: none was refused, no reply
    // was taken for one (which would leave a reply short), and it came to one per frame unless
    // a frame's echo was left to the next.
    EXPECT_EQ(clean.echoesWrong, 0);
    if (completeOnWrite) {
      EXPECT_GT(clean.echoesIntact, 0);
      EXPECT_LE(clean.echoesIntact, clean.framesOut);
    } else {
      EXPECT_EQ(clean.echoesIntact, clean.framesOut);
    }
    ForEachTestModeCase(clean, [completeOnWrite](int reply, const std::string& label, Fault f) {
      for (Policy policy : {Policy::Retry, Policy::Cancel}) {
        const Cable plainCable{false, completeOnWrite};
        const Cable echoingCable{true, completeOnWrite};
        const std::string plain = RunTestModeCase(reply, f, policy, label, plainCable);
        const std::string echoed = RunTestModeCase(reply, f, policy, label, echoingCable);
        const std::string verdict = Verdict(echoed);
        if (verdict == Verdict(plain) || verdict == "aligned;left;") continue;
        if (f == Fault::LateOutside &&
            verdict == Verdict(RunTestModeCase(reply, Fault::NoReply, policy, label, plainCable)))
          continue;
        std::ostringstream traces;
        traces << "plain cable:\n";
        RunTestModeCase(reply, f, policy, label, plainCable, &traces);
        traces << "echoing cable:\n";
        RunTestModeCase(reply, f, policy, label, echoingCable, &traces);
        ADD_FAILURE() << label << " / " << NameOf(f)
                      << (policy == Policy::Retry ? " / retry" : " / cancel") << ": " << echoed
                      << " on an echoing cable, " << plain << " on a plain one\n"
                      << traces.str();
      }
    });
  }
}

// Printed once every case has run.
class TablePrinter : public ::testing::Environment {
 public:
  void TearDown() override { PrintTable(); }
};
const auto* const kPrinter = ::testing::AddGlobalTestEnvironment(new TablePrinter);

}  // namespace
}  // namespace kr4100
