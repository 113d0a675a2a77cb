// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/testmode/test_mode_driver.h"

#include <algorithm>
#include <cstdio>

#include "core/link/serial_trace.h"
#include "core/texts/messages.h"

namespace kr4100 {
namespace {

namespace rc = reply_check;

std::string HexText(std::span<const std::uint8_t> bytes) {
  std::string text;
  char digits[3];
  for (const std::uint8_t b : bytes) {
    std::snprintf(digits, sizeof digits, "%02X", b);
    text += digits;
  }
  return text;
}

// The radio reports a channel it does not have as eight 0xFF bytes.
bool NoChannel(const std::string& hex) {
  return hex == "FFFFFFFF";
}

std::string StoredEight(std::string_view raw) {
  std::string text(raw.substr(0, std::min<std::size_t>(raw.size(), 8)));
  if (const auto nul = text.find('\0'); nul != std::string::npos) text.resize(nul);
  return text;
}

}  // namespace

const Bilingual& TestModeMessageText(TestModeMessage message) {
  // The program only ever had this one in English.
  static constexpr Bilingual kQueueFull{"Comm List is full!", "Comm List is full!"};
  return message == TestModeMessage::QueueFull ? kQueueFull
                                               : Message(MessageId::TestFrequencyMismatch);
}

bool TestChannelsMatch(const std::vector<TestChannel>& radio, const RadioConfig& config) {
  const int count = std::clamp<int>(config.TestFreCount, 0, kTestFreSlots);
  if (static_cast<int>(radio.size()) != count) return false;
  for (int i = 0; i < count; ++i) {
    const TestFreEntry& e = config.TestFre[static_cast<std::size_t>(i)];
    const auto found = std::find_if(radio.begin(), radio.end(),
                                    [&](const TestChannel& c) { return c.channel == e.No; });
    if (found == radio.end() || found->rx != StoredEight(e.RxFre.raw()) ||
        found->tx != StoredEight(e.TxFre.raw()))
      return false;
  }
  return true;
}

int LowestTestChannel(const RadioConfig& config) {
  int lowest = kTestChannelCount;
  const int count = std::clamp<int>(config.TestFreCount, 0, kTestFreSlots);
  for (int i = 0; i < count; ++i) {
    const int no = config.TestFre[static_cast<std::size_t>(i)].No;
    if (no >= 1 && no <= kTestChannelCount) lowest = std::min(lowest, no);
  }
  return lowest;
}

namespace {

// An exchange by the action that queued it, for a trace.
const char* ActionName(int action) {
  static constexpr const char* kNames[] = {"?",      "enter",   "channel", "signalling", "wide",
                                           "narrow", "ptt-off", "ptt-on",  "tune",       "leave",
                                           "page",   "value",   "adjust",  "store",      "poll"};
  return action >= 0 && action < static_cast<int>(std::size(kNames)) ? kNames[action] : "?";
}

}  // namespace

TestModeDriver::TestModeDriver(TestModeHost& host) : host_(host) {}

void TestModeDriver::traceSent(const QueueEntry& last, std::span<const std::uint8_t> bytes) {
  if (trace_) trace_->sent(ActionName(last.action), bytes);
}

bool TestModeDriver::start(const PortSettings& settings, const RadioConfig& config) {
  if (active_) return false;
  clearQueue();
  if (trace_) trace_->begin(SessionKindName(SessionKind::TestMode));
  if (!host_.openPort(settings)) {
    if (trace_) trace_->openFailed(settings, host_.openError());
    return false;
  }
  if (trace_) trace_->opened(settings);
  active_ = true;
  awaiting_ = false;
  replyFailed_ = false;
  asking_ = false;
  overflowTold_ = false;
  sending_ = false;
  mayOpenWindow_ = false;
  pttKeyed_ = false;
  keyedOnAir_ = false;
  radioInTestMode_ = false;
  signalling_ = 1;
  channelsRead_ = 0;
  channels_.clear();
  block_.fill(0xFF);
  config_ = config;
  modelCode_ = std::string(config.ModelInfo.ModelCode.raw());
  act(TestAction::Enter);
  return true;
}

void TestModeDriver::act(TestAction action, int p, int q) {
  if (!active_) return;
  const bool wasIdle = nothingInFlight();
  switch (action) {
    case TestAction::Enter:
      for (int step : {1, 2, 3}) enqueue(StepEntries(action, step, 0, 0));
      for (int n = 1; n <= kTestChannelCount; ++n) enqueue(StepEntries(action, 4, n, 0));
      enqueue(StepEntries(action, 4, LowestTestChannel(config_), 0));
      enqueue(StepEntries(action, 6, 1, 0));
      break;
    case TestAction::SelectChannel:
      enqueue(StepEntries(action, 4, p, 0));
      break;
    case TestAction::SelectSignalling:
      signalling_ = p;
      enqueue(StepEntries(action, 6, p, 0));
      break;
    case TestAction::Wide:
      enqueue(StepEntries(action, 12, 0, 0));
      break;
    case TestAction::Narrow:
      enqueue(StepEntries(action, 13, 0, 0));
      break;
    case TestAction::PttRelease:
      pttKeyed_ = false;
      enqueue(StepEntries(action, 8, 8, 1));
      break;
    case TestAction::PttPress:
      pttKeyed_ = true;
      enqueue(StepEntries(action, 11, 8, 1));
      break;
    case TestAction::Tune:
      enqueue(StepEntries(action, 3, 0, 0));
      enqueue(StepEntries(action, 8, p, 1));
      break;
    case TestAction::Leave:
      signalling_ = p;
      enqueue(StepEntries(action, 6, p, 0));
      enqueue(StepEntries(action, 7, 0, 0));
      break;
    case TestAction::SelectPage:
      enqueue(StepEntries(action, 8, p, 2));
      enqueue(StepEntries(action, 9, q, 0));
      break;
    case TestAction::SetValue:
      enqueue(StepEntries(action, 10, p, q));
      break;
    case TestAction::AdjustCommand:
      enqueue(StepEntries(action, 11, p, 2));
      break;
    case TestAction::StoreValues:
      break;  // storeValues() knows the values
    case TestAction::PollValue:
      enqueue(StepEntries(action, 16, p, 0));
      break;
  }
  runIfIdle(wasIdle);
}

void TestModeDriver::runIfIdle(bool wasIdle) {
  if (wasIdle && !empty()) run();
}

void TestModeDriver::storeValues(int item, const std::vector<StoredPoint>& points) {
  if (!active_ || points.empty()) return;
  const bool wasIdle = nothingInFlight();
  for (const StoredPoint& point : points) {
    enqueue(StepEntries(TestAction::StoreValues, 8, point.code, 2));
    enqueue(StepEntries(TestAction::StoreValues, 10, point.code, std::clamp(point.value, 0, 255)));
  }
  enqueue(StepEntries(TestAction::StoreValues, 11, PointCode(0, item), 2));
  runIfIdle(wasIdle);
}

void TestModeDriver::leave(int signalling) {
  if (!active_) return;
  if (pttKeyed_) act(TestAction::PttRelease);
  act(TestAction::Leave, signalling);
}

void TestModeDriver::enqueue(const std::vector<QueueEntry>& entries) {
  for (const QueueEntry& e : entries) {
    // A full ring drops the entry rather than overwrite one not yet sent. The message is shown
    // once for the overflow, and never over itself while its box is open.
    if (next(write_) == read_) {
      if (!overflowTold_ && !telling_) {
        overflowTold_ = true;
        telling_ = true;
        host_.tell(TestModeMessage::QueueFull);
        telling_ = false;
      }
      continue;
    }
    overflowTold_ = false;
    write_ = next(write_);
    ring_[static_cast<std::size_t>(write_)] = e;
  }
}

void TestModeDriver::clearQueue() {
  read_ = 0;
  write_ = 0;
  exchangeStart_ = 0;
}

// Sends exchanges until one awaits a reply or is still leaving, or the queue is empty.
void TestModeDriver::run() {
  while (active_ && !asking_ && !awaiting_ && !sending_ && !empty()) {
    exchangeStart_ = read_;
    read_ = next(read_);
    QueueEntry last = ring_[static_cast<std::size_t>(read_)];
    if (last.command == kCommandEndTestMode) {
      end();
      return;
    }
    std::vector<std::uint8_t> bytes = CommandBytes(last);
    while (!empty() && SentWithPrevious(ring_[static_cast<std::size_t>(next(read_))])) {
      read_ = next(read_);
      last = ring_[static_cast<std::size_t>(read_)];
      if (last.check == reply_check::kPttPress) keyedOnAir_ = true;
      const std::vector<std::uint8_t> more = CommandBytes(last);
      bytes.insert(bytes.end(), more.begin(), more.end());
    }
    if (bytes.empty()) continue;                     // a step's closing entry: nothing goes out
    if (last.command == 1) radioInTestMode_ = true;  // it may take the word even if no ack comes
    if (last.replyLength >= 1) {
      awaiting_ = true;
      replyFailed_ = false;
      awaitLength_ = last.replyLength;
      traceSent(last, bytes);
      host_.send(bytes, awaitLength_);
      host_.startWaitTimer(kTestWaitTimeout);
    } else {
      sending_ = true;
      traceSent(last, bytes);
      host_.send(bytes, 0);
      host_.startSendTimer(kTestSendInterval);
    }
  }
}

void TestModeDriver::onSendComplete() {
  if (!sending_) return;
  sending_ = false;
  host_.stopSendTimer();
  run();
}

void TestModeDriver::onSendTimer() {
  onSendComplete();
}

void TestModeDriver::onEcho(std::span<const std::uint8_t> echo, bool intact) {
  if (trace_ && active_)
    trace_->echoed(ActionName(ring_[static_cast<std::size_t>(read_)].action), echo, intact);
}

bool TestModeDriver::checkReply(const QueueEntry& checker,
                                std::span<const std::uint8_t> reply) const {
  const auto size = static_cast<int>(reply.size());
  switch (checker.check) {
    case rc::kAck:
      return size == 1 && reply[0] == 0x06;
    case rc::kIdentity:
      return size == 8 && reply[0] == 'P';
    case rc::kBlock:
      return size == kAdjustBlockLength;
    case rc::kChannel:
      return size == 8;
    case rc::kValues:
      return size == checker.value1;
    case rc::kOneByte:
      return size == 1;
    default:
      return true;  // nothing to check it against
  }
}

void TestModeDriver::onReceived(std::span<const std::uint8_t> reply) {
  const char* exchange = ActionName(ring_[static_cast<std::size_t>(read_)].action);
  if (trace_ && active_) trace_->received(exchange, reply);
  // Nothing awaited: stray bytes are not a reply. After a wrong one, nothing more of the same
  // exchange is believed either.
  if (!active_ || !awaiting_ || replyFailed_) return;
  const QueueEntry checker = empty() ? QueueEntry{} : ring_[static_cast<std::size_t>(next(read_))];
  // A byte too many or too few shifts every value after it: the reply is refused whole.
  if (static_cast<int>(reply.size()) != awaitLength_ || !checkReply(checker, reply)) {
    replyFailed_ = true;
    return;
  }
  awaiting_ = false;
  host_.stopWaitTimer();
  process(checker, reply);
  run();
}

void TestModeDriver::process(const QueueEntry& checker, std::span<const std::uint8_t> reply) {
  const auto action = static_cast<TestAction>(checker.action);
  switch (checker.check) {
    case rc::kIdentity: {
      RadioIdentity radio;
      radio.modelCode.assign(reply.begin() + 1, reply.begin() + 5);
      radio.modelType = reply[6];
      radio.bandCode = reply[7];
      if (!SameModel(modelCode_, radio)) {
        IdentityCheck check;
        check.verdict = IdentityVerdict::ModelWrong;
        check.programModel = ModelDisplayName(modelCode_);
        check.radioModel = ModelDisplayName(radio.modelCode);
        end();
        host_.identityRefused(check);
      }
      return;
    }
    case rc::kBlock:
      std::copy(reply.begin(), reply.end(), block_.begin());
      return;
    case rc::kChannel:
      if (action == TestAction::Enter) channelReply(checker, reply);
      return;
    case rc::kAck:
      if (action == TestAction::PttRelease) keyedOnAir_ = false;
      if (action == TestAction::Leave && checker.step == 7) radioInTestMode_ = false;
      if (action == TestAction::Enter && checker.step == 6 && mayOpenWindow_) {
        mayOpenWindow_ = false;
        host_.entered();
      } else if (action == TestAction::Tune && checker.step == 8) {
        host_.tuned(block_);
      }
      return;
    case rc::kValues:
      host_.valuesArrived(reply);
      return;
    case rc::kOneByte:
      host_.polled(reply[0]);
      return;
    default:
      return;
  }
}

void TestModeDriver::channelReply(const QueueEntry& checker, std::span<const std::uint8_t> reply) {
  // The exchange before the checker sent 0x10 and the channel number.
  const int channel = ring_[static_cast<std::size_t>(read_)].value1;
  TestChannel got{channel, HexText(reply.first(4)), HexText(reply.subspan(4, 4))};
  const auto it = std::find_if(channels_.begin(), channels_.end(),
                               [&](const TestChannel& c) { return c.channel == channel; });
  if (NoChannel(got.rx) && NoChannel(got.tx)) {
    if (it != channels_.end()) channels_.erase(it);
  } else if (it != channels_.end()) {
    *it = got;
  } else {
    channels_.push_back(got);
  }
  (void)checker;
  // The sixteenth reading completes the list; the channel chosen after it is only a selection.
  if (++channelsRead_ != kTestChannelCount) return;
  if (TestChannelsMatch(channels_, config_)) {
    mayOpenWindow_ = true;
    return;
  }
  clearQueue();
  host_.stopWaitTimer();
  host_.tell(TestModeMessage::Mismatch);
  host_.startEndTimer(kTestEndDelay);
}

void TestModeDriver::onEndTimer() {
  host_.stopEndTimer();
  if (!active_) return;
  act(TestAction::Leave, 1);
}

void TestModeDriver::onWaitTimeout() {
  if (!active_ || !awaiting_) return;
  if (trace_) trace_->timedOut(ActionName(ring_[static_cast<std::size_t>(read_)].action));
  awaiting_ = false;
  replyFailed_ = false;
  host_.stopWaitTimer();
  // While the question is open nothing goes out and nothing that arrives is taken.
  asking_ = true;
  const Answer answer = host_.askRetry();
  asking_ = false;
  if (trace_)
    trace_->note("question", answer == Answer::Retry ? "answered retry" : "answered cancel");
  if (answer == Answer::Retry && active_) {
    read_ = exchangeStart_;  // the same bytes go out again
    run();
    return;
  }
  end();
}

void TestModeDriver::onWaitTimeout(const std::optional<std::vector<std::uint8_t>>& settled) {
  if (settled) {
    onReceived(*settled);
    if (!replyFailed_) return;
  }
  onWaitTimeout();
}

std::vector<std::uint8_t> TestModeDriver::farewellBytes() const {
  std::vector<std::uint8_t> bytes;
  const auto add = [&bytes](TestAction action, int step, int p, int q) {
    for (const QueueEntry& e : StepEntries(action, step, p, q)) {
      const std::vector<std::uint8_t> more = CommandBytes(e);
      bytes.insert(bytes.end(), more.begin(), more.end());
    }
  };
  // The release goes twice: straight after an adjustment block the radio takes the first as
  // tuning item 8, and a release of an unkeyed radio does nothing.
  if (keyedOnAir_)
    for (int i = 0; i < 2; ++i) add(TestAction::PttRelease, 8, 8, 1);
  // A radio that answered wrongly, or not at all, may still be listening in test mode.
  if (radioInTestMode_) {
    add(TestAction::Leave, 6, signalling_, 0);
    add(TestAction::Leave, 7, 0, 0);
  }
  return bytes;
}

void TestModeDriver::end() {
  if (!active_) return;
  active_ = false;
  awaiting_ = false;
  replyFailed_ = false;
  sending_ = false;
  clearQueue();
  // Giving up must not leave the radio transmitting or in test mode: what it needs goes out,
  // unanswered, and has left before the port closes.
  const std::vector<std::uint8_t> farewell = farewellBytes();
  pttKeyed_ = false;
  keyedOnAir_ = false;
  radioInTestMode_ = false;
  if (!farewell.empty()) {
    if (trace_) trace_->sent("farewell", farewell);
    host_.send(farewell, 0);
  }
  host_.stopWaitTimer();
  host_.stopSendTimer();
  host_.stopEndTimer();
  host_.waitSent(kTestDrainBound);
  host_.closePort();
  if (trace_) {
    trace_->closed();
    // Left cleanly: nothing had to be sent unasked to release or leave.
    trace_->outcome(SessionKindName(SessionKind::TestMode), farewell.empty());
  }
  host_.ended();
}

}  // namespace kr4100
