// SPDX-License-Identifier: GPL-3.0-or-later
// Read-back verify over the simulated link, against a virtual radio that stores a byte wrongly.
#include "core/link/write_verify.h"

#include <gtest/gtest.h>

#include "core/link/transfer_session.h"
#include "sim/virtual_radio.h"
#include "support/session_on_simulated_link.h"

namespace kr4100 {
namespace {

using namespace std::chrono_literals;
using sim::VirtualRadio;

class WriteVerifyTest : public testing::SessionOnSimulatedLink {
 protected:
  VerifyResult LastVerify() const {
    const RadioWritten& w = link.written.back();
    return VerifyWrite(session.image(), session.readBackImage(), w.sentFrom, doc.working(), kEnglish);
  }
};

TEST_F(WriteVerifyTest, ASoundRadioReadsBackWhatWasWrittenAndVerifyOffReadsNothing) {
  ASSERT_TRUE(Write());
  ASSERT_EQ(link.written.size(), 1u);
  EXPECT_FALSE(link.written[0].readBack);
  EXPECT_TRUE(Addresses(radio, sim::FrameKind::Read).empty());

  radio.clearEvents();
  link.written.clear();
  session.setReadBack(true);
  ASSERT_TRUE(Write());
  ASSERT_EQ(link.written.size(), 1u);
  const RadioWritten& w = link.written[0];
  EXPECT_TRUE(w.success);
  EXPECT_TRUE(w.readBack);
  EXPECT_EQ(w.sentFrom, 0x0010);  // a first attempt skips the first block
  ASSERT_TRUE(w.identity.has_value());
  EXPECT_EQ(w.identity->modelCode, "HT52");
  // The whole write went out before the read-back's 64-byte blocks covered the area.
  const auto reads = Addresses(radio, sim::FrameKind::Read);
  ASSERT_EQ(reads.size(), 120u);
  EXPECT_EQ(reads.front(), 0x0000);
  EXPECT_EQ(reads.back(), 0x1DC0);
  EXPECT_EQ(Addresses(radio, sim::FrameKind::Write).back(), 0x1DD0);
  EXPECT_TRUE(LastVerify().passed());
  EXPECT_EQ(link.result, (std::pair{SessionKind::Write, true}));
}

TEST_F(WriteVerifyTest, AByteStoredWronglyIsNamedAndNotTakenForSuccess) {
  radio.faults().storeWrongAddress = 0x0010;  // the first channel's receive frequency
  radio.faults().storeWrongXor = 0x01;
  session.setReadBack(true);
  ASSERT_TRUE(Write());  // the transfer itself went well: every block was acknowledged
  const VerifyResult verify = LastVerify();
  ASSERT_FALSE(verify.passed());
  EXPECT_EQ(verify.addresses, std::vector<int>{0x0010});
  ASSERT_EQ(verify.differences.size(), 1u);
  const auto sent = session.image()[0x0010];
  EXPECT_EQ(radio.memory()[0x0010], sent ^ 0x01);
  // 28.015000 MHz goes out as BCD 28 01 50; a radio storing 0x29 for 0x28 holds 29.015000.
  EXPECT_EQ(sent, 0x28);
  EXPECT_EQ(verify.differences[0], "Group A channel 1 RX frequency: 28.015000 -> 29.015000");
}

TEST_F(WriteVerifyTest, OnlyTheBytesTheWriteSentCount) {
  const RadioConfig base{};
  RadioImage sent{}, back{};
  sent.fill(0x11);
  back = sent;
  back[0x0005] = 0;  // below the first block of a first attempt
  back[0x1DF0] = 0;  // read, never written
  EXPECT_TRUE(VerifyWrite(sent, back, 0x0010, base, kEnglish).passed());
  EXPECT_EQ(VerifyWrite(sent, back, 0x0000, base, kEnglish).addresses, std::vector<int>{0x0005});
  back[0x1DDF] = 0;  // the last byte written
  EXPECT_EQ(VerifyWrite(sent, back, 0x0010, base, kEnglish).addresses, std::vector<int>{0x1DDF});
  // A byte no field owns still shows, by its address.
  EXPECT_EQ(VerifyWrite(sent, back, 0x0010, base, kChinese).differences[0],
            "存储器：0x1DDF：0x11 -> 0x00");
}

TEST(WriteVerifyList, TwentyLinesThenHowManyMore) {
  std::vector<std::string> names;
  for (int i = 1; i <= 25; ++i) names.push_back("d" + std::to_string(i));
  const std::string text = VerifyListText(names, kEnglish);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 20);
  EXPECT_EQ(text.substr(text.rfind('\n') + 1), "and 5 more");
  EXPECT_NE(text.find("d20\n"), std::string::npos);
  EXPECT_EQ(text.find("d21"), std::string::npos);
  EXPECT_EQ(VerifyListText(names, kChinese).substr(VerifyListText(names, kChinese).rfind('\n') + 1),
            "另有 5 处");
  EXPECT_EQ(VerifyListText({"a", "b"}, kEnglish), "a\nb");
}

TEST_F(WriteVerifyTest, AReadBackThatStallsIsNoSuccess) {
  // Silent after every write block and three read blocks: the read-back stalls.
  radio.faults().silentAfterBlocks = 477 + 3;
  link.answers = {Answer::Cancel};
  session.setReadBack(true);
  EXPECT_FALSE(Write());
  ASSERT_EQ(link.written.size(), 1u);
  EXPECT_FALSE(link.written[0].success);
  EXPECT_FALSE(link.written[0].readBack);
  EXPECT_EQ(link.questions.size(), 1u);
}

using GroupVerifyTest = WriteVerifyTest;

TEST_F(GroupVerifyTest, EachRadioIsReadBackBeforeTheNextIsTakenOn) {
  VirtualRadio second, third;
  second.faults().storeWrongAddress = 0x1D60;
  PlugInTurn({&radio, &second, &third});
  std::vector<VerifyResult> verdicts;
  link.whenRadioWritten = [&](const RadioWritten& w) {
    verdicts.push_back(VerifyWrite(session.image(), session.readBackImage(), w.sentFrom, doc.working(), kEnglish));
  };
  session.setReadBack(true);
  ASSERT_TRUE(session.open(SessionKind::Write));
  ASSERT_FALSE(session.prepareWrite(doc.working()).has_value());
  session.startGroupWrite(3);
  ASSERT_TRUE(link.runUntilIdle());
  ASSERT_EQ(link.written.size(), 3u);
  ASSERT_EQ(verdicts.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(link.written[static_cast<std::size_t>(i)].radioNumber, i + 1);
    EXPECT_TRUE(link.written[static_cast<std::size_t>(i)].readBack);
    EXPECT_EQ(link.written[static_cast<std::size_t>(i)].sentFrom, 0);
    EXPECT_GT(link.written[static_cast<std::size_t>(i)].duration, 0ms);
  }
  EXPECT_TRUE(verdicts[0].passed());
  EXPECT_EQ(verdicts[1].addresses, std::vector<int>{0x1D60});
  EXPECT_TRUE(verdicts[2].passed());
  for (VirtualRadio* r : {&radio, &second, &third})
    EXPECT_EQ(Addresses(*r, sim::FrameKind::Read).size(), 120u);
}

}  // namespace
}  // namespace kr4100
