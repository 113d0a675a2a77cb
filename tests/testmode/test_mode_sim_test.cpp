// SPDX-License-Identifier: GPL-3.0-or-later
// The driver against the virtual radio's test mode: what one reading of the exchanges sends, the
// other answers, and faults end in a question or a closed port, never a hang.
#include <gtest/gtest.h>

#include <deque>

#include "core/config/document.h"
#include "core/testmode/test_mode_driver.h"
#include "sim/test_mode_responder.h"
#include "support/test_mode_radio_host.h"
#include "support/test_channels.h"

using namespace kr4100;

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Bench {
  Document doc;
  sim::VirtualRadio radio;
  sim::TestModeResponder responder{radio};
  kr4100::testing::TestModeRadioHost host{radio};
  TestModeDriver driver{host};

  Bench() {
    doc.InitNewDocument();
    RadioConfig& r = doc.working();
    kr4100::testing::SetTestChannels(r, {{3, "28500000", "28600000"}, {9, "29100000", "29100000"}});
    responder.setTestChannels(r);
    host.driver = &driver;
  }
  bool enter() {
    if (!driver.start({"sim", 1, 0}, doc.working())) return false;
    host.pump();
    return host.enteredCount == 1;
  }
};

}  // namespace

TEST(TestModeAgainstVirtualRadio, EnterTuneAdjustStoreAndLeave) {
  Bench b;
  ASSERT_TRUE(b.enter());
  EXPECT_TRUE(b.responder.inTestMode());
  ASSERT_EQ(b.driver.channels().size(), 2u);
  EXPECT_EQ(b.driver.channels()[0], (TestChannel{3, "28500000", "28600000"}));

  b.driver.act(TestAction::Narrow);
  b.host.pump();
  EXPECT_FALSE(b.responder.wide());
  b.driver.act(TestAction::Wide);
  b.driver.act(TestAction::SelectSignalling, 7);
  b.driver.act(TestAction::Tune, 4);
  b.host.pump();
  EXPECT_EQ(b.responder.signalling(), 7);
  EXPECT_EQ(b.responder.tunedItem(), 4);
  ASSERT_EQ(b.host.block.size(), 62u);
  const auto values = ItemValuesOf(b.host.block, 4);
  EXPECT_EQ(values[1], b.responder.value(36));

  b.driver.act(TestAction::SelectPage, 36, PointCount(4, true));
  b.host.pump();
  EXPECT_EQ(b.host.values.size(), 4u);
  b.driver.act(TestAction::SetValue, 36, 201);
  b.driver.act(TestAction::PttPress);
  b.host.pump();
  EXPECT_EQ(b.responder.value(36), 201);
  EXPECT_TRUE(b.responder.pttKeyed());
  b.driver.storeValues(4, {{24, 90}, {36, 202}, {37, 91}, {38, 92}});
  b.driver.leave(1);
  b.host.pump();
  EXPECT_EQ(b.responder.value(36), 202);
  EXPECT_EQ(b.responder.value(38), 92);
  EXPECT_FALSE(b.responder.pttKeyed());
  EXPECT_FALSE(b.responder.inTestMode());
  EXPECT_FALSE(b.driver.active());
  EXPECT_FALSE(b.host.portOpen);
}

// Tuning Sensitivity (item 8) sends "08 0D" like a PTT release; the radio takes it as the tune
// because the adjustment block was read just before, and a later release is still a release.
TEST(TestModeAgainstVirtualRadio, TuningItemEightIsNotAPttRelease) {
  Bench b;
  ASSERT_TRUE(b.enter());
  b.driver.act(TestAction::PttPress);
  b.driver.act(TestAction::PttRelease);
  b.driver.act(TestAction::Tune, 8);
  b.driver.act(TestAction::SelectPage, PointCode(5, 8), PointCount(8, true));
  b.host.pump();
  EXPECT_EQ(b.responder.tunedItem(), 8);
  EXPECT_EQ(b.host.values, (Bytes{static_cast<std::uint8_t>(b.responder.value(31)),
                                  static_cast<std::uint8_t>(b.responder.value(53)),
                                  static_cast<std::uint8_t>(b.responder.value(54)),
                                  static_cast<std::uint8_t>(b.responder.value(55))}));
  b.driver.act(TestAction::PttPress);
  b.host.pump();
  ASSERT_TRUE(b.responder.pttKeyed());
  b.driver.act(TestAction::PttRelease);
  b.host.pump();
  EXPECT_FALSE(b.responder.pttKeyed());
  EXPECT_EQ(b.responder.tunedItem(), 8);
  EXPECT_TRUE(b.driver.active());
}

TEST(TestModeAgainstVirtualRadio, PolledValuesMoveALittle) {
  Bench b;
  ASSERT_TRUE(b.enter());
  b.driver.act(TestAction::Tune, 12);
  for (int i = 0; i < 3; ++i) b.driver.act(TestAction::PollValue, PointCode(0, 12));
  b.host.pump();
  ASSERT_EQ(b.host.polls.size(), 3u);
  const int base = b.responder.value(28);
  for (int v : b.host.polls) EXPECT_LE(std::abs(v - base), 1);
  EXPECT_NE(b.host.polls[0], b.host.polls[1]);
}

TEST(TestModeAgainstVirtualRadio, AFreshRadioMatchesANewDocument) {
  Document doc;
  doc.InitNewDocument();
  sim::VirtualRadio radio;
  sim::TestModeResponder responder(radio);
  kr4100::testing::TestModeRadioHost host(radio);
  TestModeDriver driver(host);
  host.driver = &driver;
  ASSERT_TRUE(driver.start({"sim", 1, 0}, doc.working()));
  host.pump();
  EXPECT_EQ(host.enteredCount, 1);
  EXPECT_TRUE(host.told.empty());
}

TEST(TestModeAgainstVirtualRadio, FaultsEndInTheQuestionAndAClosedPort) {
  for (int fault = 0; fault < 3; ++fault) {
    for (int at = 1; at <= 6; ++at) {
      Bench b;
      auto& f = b.responder.faults();
      (fault == 0 ? f.dropReply : fault == 1 ? f.corruptReply : f.truncateReply) = at;
      b.host.answers = {Answer::Retry};
      b.enter();
      // One retry resends the exchange, and the sound radio then goes on; a corrupted first byte
      // that still passes its check (a channel's frequency) shows as a mismatch instead.
      if (b.host.enteredCount == 1) {
        EXPECT_TRUE(b.driver.active());
      } else {
        if (!b.host.told.empty()) {  // the mismatch message: its end timer leaves test mode
          b.driver.onEndTimer();
          b.host.pump();
        }
        EXPECT_FALSE(b.driver.active()) << fault << "/" << at;
        EXPECT_FALSE(b.host.portOpen) << fault << "/" << at;
      }
      b.driver.leave(1);
      b.host.pump();
      if (b.driver.active()) b.driver.end();
      EXPECT_FALSE(b.host.portOpen);
    }
  }
  Bench pulled;
  pulled.responder.faults().silentAfter = 5;
  pulled.enter();
  EXPECT_EQ(pulled.host.questions, 1);
  EXPECT_FALSE(pulled.driver.active());
  EXPECT_FALSE(pulled.host.portOpen);
}

// Cancelling the retry question with PTT keyed must not leave the radio transmitting, also when
// the exchange cut short was a tune, after whose adjustment block the radio reads a lone release
// as tuning item 8.
TEST(TestModeAgainstVirtualRadio, GivingUpWithPttKeyedReleasesIt) {
  for (int lost = 1; lost <= 3; ++lost) {  // the block, the acknowledge after it, the tune's
    Bench b;
    ASSERT_TRUE(b.enter());
    b.driver.act(TestAction::PttPress);
    b.host.pump();
    ASSERT_TRUE(b.responder.pttKeyed());
    b.responder.faults().dropReply = b.responder.replies() + lost;
    b.driver.act(TestAction::Tune, 4);
    b.host.pump();  // the time-out asks; nobody retries
    EXPECT_EQ(b.host.questions, 1) << lost;
    EXPECT_FALSE(b.driver.active()) << lost;
    EXPECT_FALSE(b.driver.pttKeyed()) << lost;
    EXPECT_FALSE(b.responder.pttKeyed()) << lost;
    EXPECT_FALSE(b.host.portOpen) << lost;
  }
}

// A press that never went out leaves nothing to release: ending sends only the leave bytes,
// and the radio is out of test mode.
TEST(TestModeAgainstVirtualRadio, EndingUnkeyedSendsNoRelease) {
  Bench b;
  ASSERT_TRUE(b.enter());
  ASSERT_TRUE(b.host.pending() == 0);
  b.host.take();
  b.driver.end();
  EXPECT_EQ(b.host.take(), (Bytes{0x11, 0x01, 0x45}));
  EXPECT_FALSE(b.responder.inTestMode());
  EXPECT_FALSE(b.host.portOpen);
}
