// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/transfer_session.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/config/document.h"
#include "core/config/model_band.h"
#include "sim/simulated_link.h"
#include "sim/virtual_radio.h"
#include "support/session_on_simulated_link.h"

namespace kr4100 {
namespace {

using namespace std::chrono_literals;
using sim::VirtualRadio;

class TransferSessionTest : public testing::SessionOnSimulatedLink {};

TEST(TransferMath, ProgressRoundsHalfToEvenAndRadioCountMustBeWhole) {
  EXPECT_EQ(ProgressPercent(1, 8), 12);  // 12.5
  EXPECT_EQ(ProgressPercent(3, 8), 38);  // 37.5
  EXPECT_EQ(ProgressPercent(0x1DC0, 0x1DE0), 100);
  EXPECT_EQ(ProgressPercent(-64, 0x1DE0), 0);
  EXPECT_EQ(ParseRadioCount(" 3 "), 3);
  for (const char* bad : {"0", "-1", "2.5", "A", "", "#"}) EXPECT_FALSE(ParseRadioCount(bad)) << bad;
}

TEST_F(TransferSessionTest, ReadTakesTheWholeConfigurationAreaInOrder) {
  // Channel 5 of group 2, written straight into the radio's memory: 29.123400 RX, 29.550000 TX,
  // BUSY and ECHO on, present and scanned.
  auto& m = radio.memory();
  const int r = 16 + 18 * (60 * 2 + 4);
  const std::uint8_t record[11] = {0x29, 0x12, 0x34, 0, 0, 0x29, 0x55, 0x00, 0, 0, 0x0A};
  std::copy(std::begin(record), std::end(record), m.begin() + r);
  m[0x1D00 + 16] |= 0x10;
  m[0x1D30 + 16] |= 0x10;

  ASSERT_TRUE(Read());
  const auto reads = Addresses(radio, sim::FrameKind::Read);
  ASSERT_EQ(reads.size(), 120u);
  for (int i = 0; i < 120; ++i) ASSERT_EQ(reads[static_cast<std::size_t>(i)], 64 * i);
  EXPECT_EQ(link.sent.back(), std::vector<std::uint8_t>{'E'});
  EXPECT_TRUE(std::equal(m.begin(), m.begin() + 0x1E00, session.image().begin()));
  EXPECT_TRUE(std::is_sorted(link.progressShown.begin(), link.progressShown.end()));
  EXPECT_EQ(link.progressShown.back(), 100);

  ASSERT_FALSE(session.unpackRead(doc).has_value());
  const int slot = doc.FindChannelSlot(5, 2);
  ASSERT_NE(slot, 0);
  const ChInfo& e = doc.working().slot(slot, 2);
  EXPECT_EQ(e.RxFre.text(), "29123400");
  EXPECT_EQ(e.TxFre.text(), "29550000");
  EXPECT_EQ(e.Busy, 1);
  EXPECT_EQ(e.Echo, 1);
  EXPECT_EQ(e.Scan, 1);
  // 120 requests of 4 bytes and replies of 69 bytes plus the handshakes: about 9.2 s of wire.
  EXPECT_LT(link.clock(), 10s);
}

TEST_F(TransferSessionTest, WriteSendsFromTheSecondBlockToTheLastThenWholeAfterARestart) {
  doc.SetChannelValue(9, kColRxFre, "28.5");
  ASSERT_TRUE(Write());
  auto writes = Addresses(radio, sim::FrameKind::Write);
  ASSERT_EQ(writes.size(), 477u);
  EXPECT_EQ(writes.front(), 0x0010);
  EXPECT_EQ(writes.back(), 0x1DD0);
  // Independently worked out: channel 9 of group 0 at 16 + 18 * 8 = 160.
  const auto& m = radio.memory();
  const std::uint8_t expected[11] = {0x28, 0x50, 0x00, 0, 0, 0x28, 0x50, 0x00, 0, 0, 0x08};
  EXPECT_TRUE(std::equal(std::begin(expected), std::end(expected), m.begin() + 160));
  EXPECT_EQ(m[0x1D01], 0x01);  // present bit of channel 9
  EXPECT_EQ(m[0x1D60], 2);     // Tot
  EXPECT_EQ(m[0x1D61], 0x00);  // RbFre 105, high byte first
  EXPECT_EQ(m[0x1D62], 105);

  // A lost acknowledge: OK in the connection question repeats everything from 0x0000.
  VirtualRadio lossy;
  lossy.faults().dropReply = 30;
  link.plug(&lossy);
  link.answers = {Answer::Ok};
  link.result.reset();
  ASSERT_TRUE(Write());
  EXPECT_EQ(link.questions, std::vector<Question>{Question::Connection});
  writes = Addresses(lossy, sim::FrameKind::Write);
  const auto restart = std::find(writes.begin(), writes.end(), 0x0000);
  ASSERT_NE(restart, writes.end());
  EXPECT_EQ(writes.end() - restart, 478);
  EXPECT_EQ(writes.back(), 0x1DD0);
}

TEST_F(TransferSessionTest, CorruptBlockLeadsToTheConnectionQuestionAndCancelFails) {
  radio.faults().corruptBlock = 3;
  EXPECT_FALSE(Read());
  EXPECT_EQ(link.questions, std::vector<Question>{Question::Connection});
  EXPECT_EQ(link.result->first, SessionKind::Read);
  // The bad block was never stored: its bytes are still as prepared.
  EXPECT_TRUE(std::all_of(session.image().begin() + 128, session.image().begin() + 192,
                          [](std::uint8_t b) { return b == 0xFF; }));
}

TEST_F(TransferSessionTest, MissingAcknowledgesAreWaitedOutWhereTheRadioMayStaySilent) {
  radio.faults().ignoreEnd = true;
  EXPECT_TRUE(Read());
  link.result.reset();
  VirtualRadio quiet;
  quiet.faults().ignoreAckOfAck = true;  // identity check and every block proceed after 300 ms
  link.plug(&quiet);
  EXPECT_TRUE(Read());
  EXPECT_TRUE(link.questions.empty());

  // The same on a write: no acknowledge of the acknowledge, no acknowledge of the end frame.
  link.result.reset();
  VirtualRadio quietWrite;
  quietWrite.faults().ignoreAckOfAck = true;
  quietWrite.faults().ignoreEnd = true;
  link.plug(&quietWrite);
  EXPECT_TRUE(Write());
  EXPECT_EQ(Addresses(quietWrite, sim::FrameKind::Write).size(), 477u);

  // A lost identity reply: the request goes out again instead of reading without an identity.
  link.result.reset();
  link.sent.clear();
  VirtualRadio lossy;
  lossy.faults().dropReply = 2;
  link.plug(&lossy);
  EXPECT_TRUE(Read());
  EXPECT_EQ(Count(0x02), 2);
}

TEST_F(TransferSessionTest, IdentityRefusalsEndWithTheEndFrameAndNothingTransferred) {
  struct Case {
    sim::IdentitySettings identity;
    SessionKind kind;
    IdentityVerdict verdict;
  };
  const Case cases[] = {
      {{"7731", 252, 0, "V600"}, SessionKind::Read, IdentityVerdict::ModelWrong},
      {{"HT52", 248, 0, "V700"}, SessionKind::Read, IdentityVerdict::VersionWrong},
      {{"HT52", 248, 1, "V600"}, SessionKind::Write, IdentityVerdict::BandWrong},
  };
  for (const Case& c : cases) {
    VirtualRadio other(c.identity);
    link.plug(&other);
    link.refusals.clear();
    link.result.reset();
    const bool ok = c.kind == SessionKind::Read ? Read() : Write();
    EXPECT_FALSE(ok);
    ASSERT_EQ(link.refusals.size(), 1u);
    EXPECT_EQ(link.refusals[0].verdict, c.verdict);
    EXPECT_TRUE(Addresses(other, sim::FrameKind::Read).empty());
    EXPECT_TRUE(Addresses(other, sim::FrameKind::Write).empty());
    EXPECT_EQ(other.events().back().kind, sim::FrameKind::End);
  }
  // Another band only matters for a write.
  VirtualRadio otherBand({"HT52", 248, 1, "V600"});
  link.plug(&otherBand);
  link.result.reset();
  EXPECT_TRUE(Read());

  // The end frame after a refusal goes unanswered: the session still ends, with failure.
  VirtualRadio silentEnd({"7731", 252, 0, "V600"});
  silentEnd.faults().ignoreEnd = true;
  link.plug(&silentEnd);
  link.result.reset();
  EXPECT_FALSE(Read());
}

TEST_F(TransferSessionTest, ReadDocumentTakesTheAnnouncedBandAndGoesBackIntoThatRadio) {
  // Radios whose memory holds another band code (0x1D97) than their identity reply announces.
  for (const std::uint8_t band : {1, 0}) {
    VirtualRadio other({"HT52", 248, band, "V600"});
    const std::uint8_t otherBand = band == 1 ? 0 : 1;
    other.memory()[0x1D97] = otherBand;
    link.plug(&other);
    link.result.reset();
    link.refusals.clear();
    session.setProgramIdentity("HT52", otherBand);  // a read takes any band
    ASSERT_TRUE(Read());
    ASSERT_FALSE(session.unpackRead(doc).has_value());
    EXPECT_EQ(doc.working().ModelInfo.BandType, band);
    EXPECT_EQ(doc.state().bandText, BandTextOf(band, "HT52"));

    // The radio checks a write against the band it announces: the document it gave is accepted.
    session.setProgramIdentity(doc.state().modelText,
                               BandCodeOf(doc.state().bandText, doc.state().modelText));
    link.result.reset();
    EXPECT_TRUE(Write()) << int{band};
    EXPECT_TRUE(link.refusals.empty());
  }
}

TEST_F(TransferSessionTest, AVanishedPortEndsWithThePortErrorInsteadOfAskingAgain) {
  // The adapter is pulled after three blocks: the radio falls silent and the port cannot be
  // opened again.
  radio.faults().silentAfterBlocks = 3;
  link.answers = {Answer::Ok, Answer::Ok, Answer::Ok};
  ASSERT_TRUE(session.open(SessionKind::Read));
  link.unopenable = {"COM1"};
  session.prepareRead();
  session.start();
  ASSERT_TRUE(link.runUntilIdle());
  // The first OK repeats on the port still open and ends in the search; the second must reopen.
  EXPECT_EQ(link.questions, (std::vector<Question>{Question::Connection, Question::Connection}));
  EXPECT_EQ(link.portErrors, 1);
  ASSERT_TRUE(link.result);
  EXPECT_EQ(*link.result, std::make_pair(SessionKind::Read, false));
  EXPECT_EQ(link.answers.size(), 1u);

}

TEST_F(TransferSessionTest, RadioInformationReadAndTheWriteTheRadioRefuses) {
  ASSERT_TRUE(Read(SessionKind::ReadInfo));
  const auto reads = Addresses(radio, sim::FrameKind::Read);
  ASSERT_EQ(reads.size(), 16u);
  EXPECT_EQ(reads.front(), 0x1F00);
  EXPECT_EQ(reads.back(), 0x1FF0);
  EXPECT_TRUE(link.progressShown.empty());
  EXPECT_TRUE(std::equal(radio.memory().begin() + 0x1F00, radio.memory().end(),
                         session.image().begin() + 0x1F00));

  // A lost handshake acknowledge is waited out; a radio gone silent gets the retry question.
  link.result.reset();
  radio.faults().dropReply = 1;
  EXPECT_TRUE(Read(SessionKind::ReadInfo));
  link.result.reset();
  radio.faults() = {};
  radio.faults().silentAfterBlocks = 2;
  link.answers = {Answer::Retry};
  EXPECT_FALSE(Read(SessionKind::ReadInfo));
  EXPECT_EQ(link.questions, (std::vector<Question>{Question::Retry, Question::Retry}));

  // Writing the radio information always ends without success, answered or not.
  link.result.reset();
  radio.faults() = {};
  EXPECT_FALSE(Read(SessionKind::WriteInfo));
  EXPECT_EQ(link.result->first, SessionKind::WriteInfo);
  link.unplug();
  link.result.reset();
  EXPECT_FALSE(Read(SessionKind::WriteInfo));
}

TEST_F(TransferSessionTest, BytesArrivingWhileAQuestionIsOpenAreDropped) {
  radio.faults().silentAfterBlocks = 5;
  std::size_t sentBefore = 0;
  link.duringQuestion = [&] {
    sentBefore = link.sent.size();
    const std::uint8_t ack = 0x06;
    session.onReceived(std::span<const std::uint8_t>(&ack, 1));
    session.onTimer();
  };
  EXPECT_FALSE(Read());
  EXPECT_EQ(link.questions.size(), 1u);
  EXPECT_EQ(link.sent.size(), sentBefore);
}

TEST_F(TransferSessionTest, AWriteThatDoesNotFitIsRefusedBeforeAnythingIsSent) {
  doc.working().OptFeat[kRbTime] = 300;
  ASSERT_TRUE(session.open(SessionKind::Write));
  EXPECT_TRUE(session.prepareWrite(doc.working()).has_value());
  EXPECT_FALSE(session.active());
  EXPECT_TRUE(link.sent.empty());
  EXPECT_FALSE(session.open(SessionKind::Idle) && false);
}

using GroupWriteTest = TransferSessionTest;

TEST_F(GroupWriteTest, ThreeRadiosOneAfterAnotherWithUnplugAndReplug) {
  VirtualRadio second({"7731", 252, 1, "V900"});  // no identity check in a group write
  VirtualRadio third;
  PlugInTurn({&radio, &second, &third});
  ASSERT_TRUE(GroupWrite(3));
  EXPECT_EQ(link.radiosStarted, (std::vector<int>{2, 3}));
  for (VirtualRadio* r : {&radio, &second, &third}) {
    const auto writes = Addresses(*r, sim::FrameKind::Write);
    ASSERT_EQ(writes.size(), 478u);  // each radio once, whole image from 0x0000
    EXPECT_EQ(writes.front(), 0x0000);
    EXPECT_EQ(writes.back(), 0x1DD0);
  }
  EXPECT_TRUE(link.refusals.empty());
  EXPECT_EQ(second.memory()[0x1D60], 2);
  EXPECT_EQ(session.kind(), SessionKind::Idle);
}

TEST_F(GroupWriteTest, ConnectionQuestionRestartsTheRadioOrEndsTheRun) {
  VirtualRadio second;
  second.faults().dropReply = 100;
  PlugInTurn({&radio, &second});
  link.answers = {Answer::Ok};
  ASSERT_TRUE(GroupWrite(2));
  const auto writes = Addresses(second, sim::FrameKind::Write);
  EXPECT_EQ(std::count(writes.begin(), writes.end(), 0x0000), 2);
  EXPECT_EQ(writes.back(), 0x1DD0);

  // Cancel ends the whole run: the third radio is never waited for.
  VirtualRadio a, b;
  b.faults().silentAfterBlocks = 10;
  link.result.reset();
  link.radiosStarted.clear();
  PlugInTurn({&a, &b, &radio});
  EXPECT_FALSE(GroupWrite(3));
  EXPECT_EQ(link.radiosStarted, std::vector<int>{2});
}

TEST_F(GroupWriteTest, ARadioLeftPluggedInIsNotWrittenTwice) {
  link.plug(&radio);
  ASSERT_TRUE(session.open(SessionKind::Write));
  ASSERT_FALSE(session.prepareWrite(doc.working()).has_value());
  session.startGroupWrite(2);
  EXPECT_FALSE(link.runUntilIdle(60s));  // still waiting for the next radio
  EXPECT_EQ(Addresses(radio, sim::FrameKind::Write).size(), 478u);
  session.abort();
  EXPECT_FALSE(link.result->second);
}

}  // namespace
}  // namespace kr4100
