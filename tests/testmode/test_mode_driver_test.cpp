// SPDX-License-Identifier: GPL-3.0-or-later
// The test-mode driver against a scripted radio: the exact bytes of every exchange, and that
// every way out leaves the port closed.
#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "core/config/document.h"
#include "core/testmode/test_mode_driver.h"

using namespace kr4100;

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Sent {
  Bytes bytes;
  int expect;
};

class FakeHost : public TestModeHost {
 public:
  bool portOpen = false;
  bool waitTimer = false, sendTimer = false, endTimer = false;
  std::vector<Sent> sent;
  std::vector<TestModeMessage> told;
  std::deque<Answer> answers;
  int retryQuestions = 0, enteredCount = 0, endedCount = 0, refused = 0;
  std::vector<Bytes> values;
  std::vector<int> polls;
  Bytes tunedBlock;

  bool openPort(const PortSettings&) override { return portOpen = true; }
  void closePort() override { portOpen = false; }
  void send(std::span<const std::uint8_t> b, int expect) override { sent.push_back({Bytes(b.begin(), b.end()), expect}); }
  // What was sent before each wait for the bytes to leave, and whether the port was still open.
  std::vector<std::pair<std::size_t, bool>> drains;
  void waitSent(std::chrono::milliseconds) override { drains.push_back({sent.size(), portOpen}); }
  void startWaitTimer(std::chrono::milliseconds) override { waitTimer = true; }
  void stopWaitTimer() override { waitTimer = false; }
  void startSendTimer(std::chrono::milliseconds) override { sendTimer = true; }
  void stopSendTimer() override { sendTimer = false; }
  void startEndTimer(std::chrono::milliseconds) override { endTimer = true; }
  void stopEndTimer() override { endTimer = false; }
  // What the event loop does while a box is open (timer ticks, say).
  std::function<void()> whileAsking, whileTelling;
  Answer askRetry() override {
    ++retryQuestions;
    if (whileAsking) whileAsking();
    if (answers.empty()) return Answer::Cancel;
    const Answer a = answers.front();
    answers.pop_front();
    return a;
  }
  void tell(TestModeMessage m) override {
    told.push_back(m);
    if (whileTelling) whileTelling();
  }
  void identityRefused(const IdentityCheck&) override { ++refused; }
  void entered() override { ++enteredCount; }
  void tuned(std::span<const std::uint8_t> block) override { tunedBlock.assign(block.begin(), block.end()); }
  void valuesArrived(std::span<const std::uint8_t> v) override { values.emplace_back(v.begin(), v.end()); }
  void polled(int v) override { polls.push_back(v); }
  void ended() override { ++endedCount; }
};

// A radio in test mode with test channels 1..6 as a new document has them.
struct ScriptedRadio {
  std::array<Bytes, 17> channels;
  Bytes block = Bytes(kAdjustBlockLength, 0x80);
  std::function<std::optional<Bytes>(const Sent&)> override;

  explicit ScriptedRadio(const RadioConfig& config) {
    for (auto& c : channels) c = Bytes(8, 0xFF);
    for (int i = 0; i < config.TestFreCount; ++i) {
      const TestFreEntry& e = config.TestFre[static_cast<std::size_t>(i)];
      Bytes b;
      for (const auto* text : {&e.RxFre, &e.TxFre})
        for (int k = 0; k < 8; k += 2)
          b.push_back(static_cast<std::uint8_t>(((text->raw()[k] - '0') << 4) | (text->raw()[k + 1] - '0')));
      channels[static_cast<std::size_t>(e.No)] = b;
    }
  }

  Bytes answer(const Sent& s) {
    if (override)
      if (auto a = override(s)) return *a;
    const Bytes& b = s.bytes;
    if (b.size() == 1 && b[0] == 0x02) return {'P', 'H', 'T', '5', '2', 0x00, 248, 0};
    if (b.size() == 1 && b[0] == 0x05) return block;
    if (b.size() == 2 && b[0] == 0x10) return channels[b[1]];
    if (b.size() == 1 && b[0] == 0x07) return Bytes(static_cast<std::size_t>(s.expect), 0x42);
    if (b.size() == 2 && b[1] == 0x0A) return {0x33};
    return {0x06};
  }
};

struct Rig {
  Document doc;
  FakeHost host;
  TestModeDriver driver{host};
  std::unique_ptr<ScriptedRadio> radio;
  std::size_t answered = 0;

  Rig() {
    doc.InitNewDocument();
    // Six test frequencies 1..6 in their stored form, as a new document has them.
    RadioConfig& r = doc.working();
    r.TestFreCount = 6;
    const char* stored[] = {"28000000", "28113330", "28226670", "28340000", "28453330", "28566670"};
    for (int i = 0; i < 6; ++i) {
      r.TestFre[static_cast<std::size_t>(i)].No = static_cast<Integer>(i + 1);
      r.TestFre[static_cast<std::size_t>(i)].RxFre = stored[i];
      r.TestFre[static_cast<std::size_t>(i)].TxFre = stored[i];
    }
    radio = std::make_unique<ScriptedRadio>(doc.working());
  }
  // Answers every send the driver made, as the radio and the port would, until it waits on
  // nothing.
  void pump() {
    while (answered < host.sent.size()) {
      const Sent s = host.sent[answered++];
      if (s.expect > 0) {
        driver.onReceived(radio->answer(s));
      } else {
        driver.onSendComplete();
      }
    }
  }
  void enter() {
    ASSERT_TRUE(driver.start({"/dev/null", 1, 0}, doc.working()));
    pump();
  }
  std::vector<Bytes> sentSince(std::size_t from) const {
    std::vector<Bytes> out;
    for (std::size_t i = from; i < host.sent.size(); ++i) out.push_back(host.sent[i].bytes);
    return out;
  }
};

}  // namespace

TEST(TestModeDriver, EnteringWalksTheExchangesInOrder) {
  Rig rig;
  rig.enter();
  const auto& s = rig.host.sent;
  ASSERT_GE(s.size(), 9u);
  EXPECT_EQ(s[0].bytes, (Bytes{'A', 'L', 'I', 'G', 'N', 'S', ' '}));
  EXPECT_EQ(s[0].expect, 1);
  EXPECT_EQ(s[1].bytes, Bytes{0x02});
  EXPECT_EQ(s[1].expect, 8);
  EXPECT_EQ(s[2].bytes, Bytes{0x06});
  EXPECT_EQ(s[2].expect, 1);
  EXPECT_EQ(s[3].bytes, Bytes{0x05});
  EXPECT_EQ(s[3].expect, 62);
  EXPECT_EQ(s[4].bytes, Bytes{0x06});
  for (int n = 1; n <= 16; ++n) {
    const Sent& ask = s[static_cast<std::size_t>(3 + 2 * n)];
    EXPECT_EQ(ask.bytes, (Bytes{0x10, static_cast<std::uint8_t>(n)})) << n;
    EXPECT_EQ(ask.expect, 8);
    EXPECT_EQ(s[static_cast<std::size_t>(4 + 2 * n)].bytes, Bytes{0x06});
  }
  // Then the lowest test channel of the document, and signalling 1.
  EXPECT_EQ(s[37].bytes, (Bytes{0x10, 0x01}));
  EXPECT_EQ(s[38].bytes, Bytes{0x06});
  EXPECT_EQ(s[39].bytes, (Bytes{0x11, 0x01}));
  EXPECT_EQ(s[39].expect, 1);
  EXPECT_EQ(s.size(), 40u);
  EXPECT_EQ(rig.host.enteredCount, 1);
  EXPECT_EQ(rig.driver.channels().size(), 6u);
  EXPECT_TRUE(rig.driver.empty());
  EXPECT_TRUE(rig.host.portOpen);
  EXPECT_FALSE(rig.host.waitTimer);
}

TEST(TestModeDriver, PttWideNarrowBytes) {
  Rig rig;
  rig.enter();
  struct Case {
    TestAction action;
    Bytes bytes;
    int expect;
  };
  for (const Case& c : {Case{TestAction::PttPress, {0x08, 0x0E}, 1}, Case{TestAction::PttRelease, {0x08, 0x0D}, 1},
                        Case{TestAction::Wide, {0x46}, 1}, Case{TestAction::Narrow, {0x47}, 1},
                        Case{TestAction::SelectChannel, {0x10, 0x03}, 8},
                        Case{TestAction::SelectSignalling, {0x11, 0x09}, 1},
                        Case{TestAction::SetValue, {48, 0x20, 200}, 0}}) {
    const std::size_t from = rig.host.sent.size();
    const int p = c.action == TestAction::SelectChannel ? 3 : c.action == TestAction::SelectSignalling ? 9 : 48;
    rig.driver.act(c.action, p, 200);
    ASSERT_EQ(rig.host.sent.size(), from + 1);
    EXPECT_EQ(rig.host.sent[from].bytes, c.bytes);
    EXPECT_EQ(rig.host.sent[from].expect, c.expect);
    rig.pump();
    EXPECT_TRUE(rig.driver.empty());
  }
  EXPECT_FALSE(rig.driver.pttKeyed());
}

TEST(TestModeDriver, AChannelOfEightFfIsAbsent) {
  Rig rig;
  rig.radio->channels[4] = Bytes(8, 0xFF);  // the radio lacks test channel 4
  rig.enter();
  for (const TestChannel& c : rig.driver.channels()) EXPECT_NE(c.channel, 4);
  EXPECT_EQ(rig.driver.channels().size(), 5u);
  // The document has six: they differ, so test mode is left after the message.
  EXPECT_EQ(rig.host.told, std::vector<TestModeMessage>{TestModeMessage::Mismatch});
  EXPECT_EQ(rig.host.enteredCount, 0);
  EXPECT_TRUE(rig.host.endTimer);
  const std::size_t from = rig.host.sent.size();
  rig.driver.onEndTimer();
  rig.pump();
  EXPECT_EQ(rig.sentSince(from), (std::vector<Bytes>{{0x11, 0x01}, {0x45}}));
  EXPECT_FALSE(rig.driver.active());
  EXPECT_FALSE(rig.host.portOpen);
  EXPECT_EQ(rig.host.endedCount, 1);
}

TEST(TestModeDriver, MatchingChannelsAreReadFromTheDocumentsStoredForm) {
  Rig rig;
  rig.enter();
  const RadioConfig& config = rig.doc.working();
  EXPECT_TRUE(TestChannelsMatch(rig.driver.channels(), config));

  RadioConfig other = config;
  other.TestFre[2].TxFre = "28999990";
  EXPECT_FALSE(TestChannelsMatch(rig.driver.channels(), other));
  other = config;
  other.TestFreCount = 5;
  EXPECT_FALSE(TestChannelsMatch(rig.driver.channels(), other));
  other.TestFreCount = 0;
  EXPECT_EQ(LowestTestChannel(other), 16);
  other = config;
  other.TestFre[0].No = 9;
  EXPECT_EQ(LowestTestChannel(other), 2);
}

TEST(TestModeDriver, StrayAndWrongRepliesAreNotTakenAndTheTimeOutDecides) {
  Rig rig;
  rig.enter();
  rig.driver.onReceived(Bytes{0x06});  // nothing awaited
  EXPECT_EQ(rig.host.sent.size(), rig.answered);
  rig.driver.act(TestAction::Wide);
  rig.answered = rig.host.sent.size();
  rig.driver.onReceived(Bytes{0x15});  // not an acknowledge
  EXPECT_TRUE(rig.host.waitTimer);
  EXPECT_FALSE(rig.driver.empty());
  // Retry sends the same bytes again; the acknowledge then goes through.
  rig.host.answers = {Answer::Retry};
  rig.driver.onWaitTimeout();
  EXPECT_EQ(rig.host.retryQuestions, 1);
  EXPECT_EQ(rig.host.sent.back().bytes, Bytes{0x46});
  rig.driver.onReceived(Bytes{0x06});
  EXPECT_TRUE(rig.driver.empty());
  EXPECT_TRUE(rig.driver.active());
}

// The wait runs out while a reply settles: a good one is taken and the next exchange keeps its own
// wait; a wrong one lets the time-out count.
TEST(TestModeDriver, AReplySettledAtTheTimeOutIsTakenAndOnlyARefusedOneTimesOut) {
  Rig rig;
  ASSERT_TRUE(rig.driver.start({"/dev/null", 1, 0}, rig.doc.working()));
  ASSERT_EQ(rig.host.sent.size(), 1u);  // the entry word, awaiting its acknowledge
  rig.driver.onWaitTimeout(Bytes{0x06});
  EXPECT_EQ(rig.host.retryQuestions, 0);
  ASSERT_EQ(rig.host.sent.size(), 2u);
  EXPECT_EQ(rig.host.sent[1].bytes, Bytes{0x02});
  EXPECT_TRUE(rig.host.waitTimer);

  rig.host.answers = {Answer::Retry};
  rig.driver.onWaitTimeout(Bytes{'P', 'H', 'T', '5', '2', 0x00, 248});  // a byte short
  EXPECT_EQ(rig.host.retryQuestions, 1);
  ASSERT_EQ(rig.host.sent.size(), 3u);
  EXPECT_EQ(rig.host.sent[2].bytes, Bytes{0x02});  // the same exchange again

  // Nothing settled: the plain time-out.
  rig.driver.onWaitTimeout(std::nullopt);
  EXPECT_EQ(rig.host.retryQuestions, 2);
  EXPECT_FALSE(rig.driver.active());
}

TEST(TestModeDriver, CancelAfterATimeOutEndsWithThePortClosed) {
  Rig rig;
  rig.radio->override = [](const Sent& s) -> std::optional<Bytes> {
    if (s.bytes == Bytes{0x02}) return Bytes{};  // the radio says nothing
    return std::nullopt;
  };
  ASSERT_TRUE(rig.driver.start({"/dev/null", 1, 0}, rig.doc.working()));
  rig.pump();
  EXPECT_TRUE(rig.host.waitTimer);
  rig.host.answers = {Answer::Cancel};
  rig.driver.onWaitTimeout();
  EXPECT_FALSE(rig.driver.active());
  EXPECT_FALSE(rig.host.portOpen);
  EXPECT_FALSE(rig.host.waitTimer);
  EXPECT_TRUE(rig.driver.empty());
  EXPECT_EQ(rig.host.endedCount, 1);
  // The radio took the entry word and may still listen: the leave bytes go out unanswered, and
  // have left before the port closes.
  ASSERT_EQ(rig.host.sent.size(), 3u);
  EXPECT_EQ(rig.host.sent[2].bytes, (Bytes{0x11, 0x01, 0x45}));
  EXPECT_EQ(rig.host.sent[2].expect, 0);
  EXPECT_EQ(rig.host.drains, (std::vector<std::pair<std::size_t, bool>>{{3, true}}));
  // Nothing further happens after the end.
  rig.driver.act(TestAction::Wide);
  rig.driver.onReceived(Bytes{0x06});
  EXPECT_EQ(rig.host.sent.size(), 3u);
}

TEST(TestModeDriver, AnotherModelIsRefusedAndLeftAsFound) {
  Rig rig;
  rig.radio->override = [](const Sent& s) -> std::optional<Bytes> {
    if (s.bytes == Bytes{0x02}) return Bytes{'P', '7', '7', '3', '1', 0, 252, 0};
    return std::nullopt;
  };
  rig.enter();
  EXPECT_EQ(rig.host.refused, 1);
  EXPECT_FALSE(rig.driver.active());
  EXPECT_FALSE(rig.host.portOpen);
  // It acknowledged the entry word: it is in test mode and is told to leave it, unanswered.
  EXPECT_EQ(rig.sentSince(2), (std::vector<Bytes>{{0x11, 0x01, 0x45}}));
  EXPECT_EQ(rig.host.drains, (std::vector<std::pair<std::size_t, bool>>{{3, true}}));
}

// A reply is taken only at exactly its length: one stray byte in front or one too many at the
// end would shift every value after it. Nothing of such a reply is stored or shown, later bytes
// of the same exchange are not believed either, and the time-out decides.
TEST(TestModeDriver, AReplyOfAnyOtherLengthIsRefusedWhole) {
  Rig rig;
  rig.enter();
  Bytes block(kAdjustBlockLength, 0x80);
  Bytes stray = block;
  stray.insert(stray.begin(), 0x00);
  rig.driver.act(TestAction::Tune, 4);
  EXPECT_EQ(rig.host.sent.back().bytes, Bytes{0x05});
  rig.driver.onReceived(stray);
  rig.driver.onReceived(block);  // even the right bytes: the exchange has failed
  EXPECT_TRUE(rig.host.waitTimer);
  rig.host.answers = {Answer::Retry};
  rig.driver.onWaitTimeout();
  EXPECT_EQ(rig.host.sent.back().bytes, Bytes{0x05});
  rig.answered = rig.host.sent.size() - 1;
  rig.pump();
  EXPECT_EQ(rig.host.tunedBlock, block);

  // One point in narrow: a page reply with the radio's acknowledge in front is two bytes.
  rig.radio->override = [](const Sent& s) -> std::optional<Bytes> {
    if (s.bytes == Bytes{0x07}) return Bytes{0x06, 0x77};
    return std::nullopt;
  };
  rig.driver.act(TestAction::SelectPage, 24, 1);
  rig.pump();
  ASSERT_EQ(rig.host.sent.back().bytes, Bytes{0x07});
  EXPECT_TRUE(rig.host.values.empty());
  EXPECT_TRUE(rig.host.waitTimer);
  rig.host.answers = {Answer::Cancel};
  rig.driver.onWaitTimeout();
  EXPECT_TRUE(rig.host.values.empty());
  EXPECT_FALSE(rig.driver.active());
}

// While the retry question is open nothing goes out, whatever the event loop queues meanwhile;
// and a full queue tells the user once, never in a second box over the first.
TEST(TestModeDriver, OpenBoxesHoldTheLineAndTheQueueIsTheirsToFill) {
  Rig rig;
  rig.enter();
  rig.driver.act(TestAction::Wide);
  std::size_t sentBeforeAnswer = 0;
  bool idleWhileAsking = true;
  rig.host.whileAsking = [&] {
    idleWhileAsking = rig.driver.idle();
    rig.driver.act(TestAction::PollValue, 28);
    sentBeforeAnswer = rig.host.sent.size();
  };
  const std::size_t before = rig.host.sent.size();
  rig.host.answers = {Answer::Retry};
  rig.driver.onWaitTimeout();
  EXPECT_FALSE(idleWhileAsking);
  EXPECT_EQ(sentBeforeAnswer, before);
  // After Retry the same bytes go again, then what was queued.
  EXPECT_EQ(rig.sentSince(before), (std::vector<Bytes>{{0x46}}));
  rig.answered = rig.host.sent.size() - 1;
  rig.pump();
  EXPECT_EQ(rig.sentSince(before), (std::vector<Bytes>{{0x46}, {28, 0x0A}, {0x06}}));

  rig.driver.act(TestAction::Wide);  // awaiting its acknowledge
  rig.host.whileTelling = [&] {
    if (rig.host.told.size() > 3) return;  // the old way recursed without end
    for (int i = 0; i < 10; ++i) rig.driver.act(TestAction::SetValue, 48, i);
  };
  for (int i = 0; i < 105; ++i) rig.driver.act(TestAction::SetValue, 48, i);
  EXPECT_EQ(rig.host.told, std::vector<TestModeMessage>{TestModeMessage::QueueFull});
}

TEST(TestModeDriver, AFullQueueDropsWhatDoesNotFit) {
  Rig rig;
  rig.enter();
  rig.driver.act(TestAction::Wide);  // awaiting its acknowledge: one entry left in the ring
  for (int i = 0; i < 100; ++i) rig.driver.act(TestAction::SetValue, 48, i);
  EXPECT_EQ(rig.host.told, std::vector<TestModeMessage>{TestModeMessage::QueueFull});
  const std::size_t from = rig.host.sent.size();
  rig.pump();
  const auto sent = rig.sentSince(from);
  ASSERT_EQ(sent.size(), 99u);  // values 0..98; the last did not fit
  EXPECT_EQ(sent.front(), (Bytes{48, 0x20, 0}));
  EXPECT_EQ(sent.back(), (Bytes{48, 0x20, 98}));
}

TEST(TestModeDriver, TuneSelectPageStoreAndPoll) {
  Rig rig;
  rig.enter();
  rig.radio->block[static_cast<std::size_t>(*AdjustBlockOffset(36))] = 77;
  std::size_t from = rig.host.sent.size();
  rig.driver.act(TestAction::Tune, 4);
  rig.pump();
  EXPECT_EQ(rig.sentSince(from), (std::vector<Bytes>{{0x05}, {0x06}, {0x04, 0x0D}}));
  ASSERT_EQ(rig.host.tunedBlock.size(), 62u);
  EXPECT_EQ(ItemValuesOf(rig.host.tunedBlock, 4)[1], 77);

  from = rig.host.sent.size();
  rig.driver.act(TestAction::SelectPage, 36, 4);
  rig.pump();
  EXPECT_EQ(rig.sentSince(from), (std::vector<Bytes>{{36, 0x0D}, {0x07}, {0x06}}));
  EXPECT_EQ(rig.host.sent[from + 1].expect, 4);
  EXPECT_EQ(rig.host.values, std::vector<Bytes>{Bytes(4, 0x42)});

  from = rig.host.sent.size();
  rig.driver.storeValues(4, {{24, 10}, {36, 11}, {37, 13}, {38, 15}});
  rig.pump();
  EXPECT_EQ(rig.sentSince(from), (std::vector<Bytes>{{24, 0x0D}, {24, 0x20, 10}, {36, 0x0D}, {36, 0x20, 11},
                                                     {37, 0x0D}, {37, 0x20, 13}, {38, 0x0D}, {38, 0x20, 15},
                                                     {24, 0x0E}}));

  from = rig.host.sent.size();
  rig.driver.act(TestAction::PollValue, 28);
  rig.pump();
  EXPECT_EQ(rig.sentSince(from), (std::vector<Bytes>{{28, 0x0A}, {0x06}}));
  EXPECT_EQ(rig.host.polls, std::vector<int>{0x33});
}

TEST(TestModeDriver, LeavingReleasesAKeyedTransmitterFirst) {
  Rig rig;
  rig.enter();
  rig.driver.act(TestAction::PttPress);
  rig.pump();
  EXPECT_TRUE(rig.driver.pttKeyed());
  const std::size_t from = rig.host.sent.size();
  rig.driver.leave(3);
  rig.pump();
  EXPECT_EQ(rig.sentSince(from), (std::vector<Bytes>{{0x08, 0x0D}, {0x11, 0x03}, {0x45}}));
  EXPECT_FALSE(rig.driver.active());
  EXPECT_FALSE(rig.host.portOpen);
}

TEST(TestModeCommands, ItemsPointsAndBlockLayout) {
  EXPECT_EQ(PointCount(4, false), 1);
  EXPECT_EQ(PointCount(4, true), 4);
  EXPECT_EQ(PointCount(1, false), 6);
  EXPECT_EQ(PointCount(8, false), 4);
  EXPECT_EQ(PointCount(12, true), 1);
  EXPECT_TRUE(TabEnabled(3, 4, true));
  EXPECT_FALSE(TabEnabled(2, 4, true));
  EXPECT_FALSE(TabEnabled(1, 4, false));
  EXPECT_EQ(PointCode(2, 1), 51);
  EXPECT_EQ(PointCode(2, 3), 0);
  EXPECT_TRUE(UsesPollingLayout(12));
  EXPECT_FALSE(UsesPollingLayout(11));
  // One byte per point code, in ascending code order, within the 62 bytes.
  const auto& codes = AdjustBlockCodes();
  EXPECT_EQ(codes.size(), 44u);
  EXPECT_EQ(codes.front(), 12);
  EXPECT_EQ(codes.back(), 119);
  EXPECT_EQ(AdjustBlockOffset(12), 0);
  EXPECT_EQ(AdjustBlockOffset(119), 43);
  EXPECT_FALSE(AdjustBlockOffset(14).has_value());
  EXPECT_STREQ(SignallingRxText(9).en, "");
  EXPECT_STREQ(SignallingTxText(9).zh, "DTMF 音调 9");
}
