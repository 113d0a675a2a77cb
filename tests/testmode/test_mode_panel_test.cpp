// SPDX-License-Identifier: GPL-3.0-or-later
// The decisions of the two test-mode windows against the virtual radio, where they go beyond
// what the window tests reach: channel positions, one tune at a time, the clamping of the test
// point's group move and which values a page reply may overwrite. Bytes worked out by hand.
#include "core/testmode/test_mode_panel.h"

#include <gtest/gtest.h>

#include <deque>

#include "core/config/document.h"
#include "core/testmode/adjustment_panel.h"
#include "sim/test_mode_responder.h"
#include "support/test_mode_radio_host.h"
#include "support/test_channels.h"

using namespace kr4100;

namespace {

using Bytes = std::vector<std::uint8_t>;

// In test mode with the radio's test channels 3 and 9, the wire emptied.
struct Bench {
  Document doc;
  sim::VirtualRadio radio;
  sim::TestModeResponder responder{radio};
  kr4100::testing::TestModeRadioHost host{radio};
  TestModeDriver driver{host};
  TestModePanel panel{driver};

  Bench() {
    doc.InitNewDocument();
    RadioConfig& r = doc.working();
    kr4100::testing::SetTestChannels(r, {{3, "28500000", "28600000"}, {9, "29100000", "29100000"}});
    responder.setTestChannels(r);
    host.driver = &driver;
    driver.start({"sim", 1, 0}, r);
    host.pump();
    host.take();
  }
  Bytes run() {
    host.pump();
    return host.take();
  }
  void tune(int item) {
    panel.chooseItem(item);
    ASSERT_TRUE(panel.tune());
    run();
  }
};

Bytes Cat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

}  // namespace

TEST(TestModePanel, ChannelsGoByListPositionAndAnUnchangedChoiceSendsNothing) {
  Bench b;
  EXPECT_FALSE(b.panel.chooseChannel(1));  // current since the window opened
  EXPECT_FALSE(b.panel.chooseChannel(3));  // the radio has two test channels
  EXPECT_FALSE(b.panel.chooseChannel(0));
  EXPECT_TRUE(b.run().empty());
  EXPECT_TRUE(b.panel.chooseChannel(2));
  EXPECT_EQ(b.run(), (Bytes{0x10, 0x09, 0x06}));  // position 2 is channel 9
  EXPECT_EQ(b.panel.channel(), 2);
  EXPECT_FALSE(b.panel.chooseChannel(2));
  EXPECT_FALSE(b.panel.chooseSignalling(1));
  EXPECT_FALSE(b.panel.chooseSignalling(10));
  EXPECT_TRUE(b.run().empty());
}

TEST(TestModePanel, TuningWaitsForAnItemAndAllowsOneWindowAtATime) {
  Bench b;
  EXPECT_FALSE(b.panel.tuningEnabled());
  EXPECT_FALSE(b.panel.tune());
  EXPECT_TRUE(b.run().empty());
  b.panel.chooseItem(16);
  EXPECT_FALSE(b.panel.tuningEnabled());
  b.panel.chooseItem(4);
  EXPECT_TRUE(b.panel.tune());
  EXPECT_EQ(b.run(), (Bytes{0x05, 0x06, 0x04, 0x0D}));
  EXPECT_EQ(b.responder.tunedItem(), 4);
  EXPECT_EQ(b.host.block.size(), 62u);
  EXPECT_FALSE(b.panel.tune());
  EXPECT_TRUE(b.run().empty());
  b.panel.adjustmentClosed();
  EXPECT_TRUE(b.panel.tuningEnabled());
}

TEST(AdjustmentPanel, TheTestPointMovesAllPointsAsFarAsTheFirstOneCanGo) {
  Bench b;
  const int codes[6] = {18, 48, 51, 49, 52, 50};
  for (int i = 0; i < 6; ++i) b.responder.setValue(codes[i], 100 + i);
  b.responder.setValue(52, 250);
  b.responder.setValue(51, 3);
  b.tune(1);
  AdjustmentPanel a(b.panel, b.host.block);
  // +10 on the test point: High' at 250 lets all six move by +5 only.
  EXPECT_EQ(a.slide(0, 110), 105);
  EXPECT_EQ(a.values(), (std::array<int, 6>{105, 106, 8, 108, 255, 110}));
  EXPECT_EQ(b.run(), (Bytes{18, 0x20, 105}));
  // Down to 0: Low' at 8 stops the move at -8.
  EXPECT_EQ(a.slide(0, 0), 97);
  EXPECT_EQ(a.values(), (std::array<int, 6>{97, 98, 0, 100, 247, 102}));
  EXPECT_EQ(b.run(), (Bytes{18, 0x20, 97}));

  // Points an item does not have are not in the way: Max Deviation's unused tabs hold 0.
  Bench m;
  m.tune(4);
  AdjustmentPanel dev(m.panel, m.host.block);
  const auto before = dev.values();
  EXPECT_EQ(dev.slide(0, before[0] - 10), before[0] - 10);
  EXPECT_EQ(dev.value(5), before[5] - 10);
  EXPECT_EQ(dev.value(2), 0);
}

TEST(AdjustmentPanel, PointsTheWindowChangedSurviveAPageReplyAndAreStoredOnClose) {
  Bench b;
  b.tune(8);  // Sensitivity: its item byte is the PTT's point byte
  EXPECT_EQ(b.responder.tunedItem(), 8);
  AdjustmentPanel a(b.panel, b.host.block);
  const auto opened = a.values();
  a.slide(0, opened[0] + 3);
  b.run();
  a.chooseTab(3);  // the radio still has the old Center value
  EXPECT_EQ(b.run(), (Bytes{54, 0x0D, 0x07, 0x06}));
  ASSERT_EQ(b.host.values.size(), 4u);
  EXPECT_EQ(b.host.values[2], opened[3]);
  a.takeValues(b.host.values);
  EXPECT_EQ(a.value(3), opened[3] + 3);
  a.close(false);
  // Each point's page and value, then the closing command on the test point.
  const Bytes stored = Cat({{31, 0x0D, 31, 0x20, static_cast<std::uint8_t>(opened[0] + 3)},
                            {53, 0x0D, 53, 0x20, static_cast<std::uint8_t>(opened[1] + 3)},
                            {54, 0x0D, 54, 0x20, static_cast<std::uint8_t>(opened[3] + 3)},
                            {55, 0x0D, 55, 0x20, static_cast<std::uint8_t>(opened[5] + 3)},
                            {31, 0x0E}});
  EXPECT_EQ(b.run(), stored);
  EXPECT_EQ(b.responder.value(54), opened[3] + 3);
  EXPECT_TRUE(b.panel.tuningEnabled());

  // A slider moved while its page is still being asked for: the reply has the old value.
  Bench s;
  s.tune(4);
  AdjustmentPanel dev(s.panel, s.host.block);
  dev.chooseTab(1);
  dev.slide(1, 77);
  EXPECT_EQ(s.run(), (Bytes{36, 0x0D, 0x07, 0x06, 36, 0x20, 77}));
  ASSERT_EQ(s.host.values.size(), 4u);
  EXPECT_NE(s.host.values[1], 77);
  dev.takeValues(s.host.values);
  EXPECT_EQ(dev.value(1), 77);
}

// No alignment value changes on the radio unless the user moved it: closing untouched sends
// nothing, closing stores only the moved point, and Cancel stores back the value the radio had
// for that point alone.
TEST(AdjustmentPanel, OnlyMovedPointsAreStoredAndCancelRestoresJustThose) {
  Bench b;
  b.tune(4);
  const RadioImage before = b.radio.memory();
  {
    AdjustmentPanel a(b.panel, b.host.block);
    a.close(false);
    EXPECT_EQ(b.run(), Bytes{});
  }
  b.tune(4);
  {
    AdjustmentPanel a(b.panel, b.host.block);
    a.chooseTab(3);
    b.run();
    a.takeValues(b.host.values);
    a.slide(3, 9);
    b.run();
    a.close(false);
    EXPECT_EQ(b.run(), (Bytes{37, 0x0D, 37, 0x20, 9, 24, 0x0E}));
    EXPECT_EQ(b.responder.value(37), 9);
  }
  const int center = 9;
  b.tune(4);
  {
    AdjustmentPanel a(b.panel, b.host.block);
    const int low = a.value(1);
    a.chooseTab(1);
    b.run();
    a.takeValues(b.host.values);
    a.slide(1, 200);
    b.run();
    a.close(true);
    EXPECT_EQ(b.run(), (Bytes{36, 0x0D, 36, 0x20, static_cast<std::uint8_t>(low), 24, 0x0E}));
    EXPECT_EQ(a.value(1), low);
  }
  // Across the three windows only Center changed on the radio.
  RadioImage expected = before;
  expected[static_cast<std::size_t>(sim::kAlignmentBase + *AdjustBlockOffset(37))] = center;
  EXPECT_EQ(b.radio.memory(), expected);

  // A polled item has nothing to store, and no poll goes out over one still unanswered.
  b.tune(13);
  AdjustmentPanel vox(b.panel, b.host.block);
  EXPECT_TRUE(vox.poll());
  EXPECT_FALSE(vox.poll());
  EXPECT_EQ(b.run(), (Bytes{33, 0x0A, 0x06}));
  EXPECT_TRUE(vox.poll());
  b.run();
  vox.close(false);
  EXPECT_EQ(b.run(), Bytes{});
}
