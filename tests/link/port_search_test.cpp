// SPDX-License-Identifier: GPL-3.0-or-later
// The port search as a read meets it: the order it tries settings in, ports it cannot open,
// and what it settles for.
#include "core/link/port_search.h"

#include <gtest/gtest.h>

#include "sim/virtual_radio.h"
#include "support/session_on_simulated_link.h"

namespace kr4100 {
namespace {

using sim::VirtualRadio;

class PortSearchTest : public testing::SessionOnSimulatedLink {};

TEST_F(PortSearchTest, TriesPortsStopBitsAndHandshakingInOrder) {
  link.ports = {"COM3", "COM5"};
  link.setRadioPort({"COM5", 2, 1});
  ASSERT_TRUE(Read());
  EXPECT_EQ(link.searchesStarted, 1);
  ASSERT_EQ(link.found.size(), 1u);
  EXPECT_EQ(link.found[0], (PortSettings{"COM5", 2, 1}));
  EXPECT_EQ(session.portSettings(), (PortSettings{"COM5", 2, 1}));
  std::vector<PortSettings> tried(link.opened.begin() + 1, link.opened.end());
  ASSERT_GE(tried.size(), 14u);
  for (int i = 0; i < 8; ++i)
    EXPECT_EQ(tried[static_cast<std::size_t>(i)], (PortSettings{"COM3", 1 + i / 4, i % 4}));
  EXPECT_EQ(tried[8], (PortSettings{"COM5", 1, 0}));
  EXPECT_EQ(tried[13], (PortSettings{"COM5", 2, 1}));
  EXPECT_EQ(Addresses(radio, sim::FrameKind::Read).size(), 120u);
}

TEST_F(PortSearchTest, SkipsUnopenablePortsAndEndsWithTheQuestion) {
  link.unplug();
  link.ports = {"COM2", "COM4"};
  link.unopenable = {"COM2"};
  EXPECT_FALSE(Read());
  EXPECT_EQ(link.questions, std::vector<Question>{Question::Connection});
  for (const auto& p : link.opened) EXPECT_NE(p.port, "COM2");
  // Two handshakes on the stored port, then three on each of COM4's eight combinations.
  EXPECT_EQ(Count('P'), 2 + 8 * 3);

  link.result.reset();
  link.questions.clear();
  link.ports.clear();  // nothing to search: straight to the question
  EXPECT_FALSE(Read());
  EXPECT_EQ(link.questions, std::vector<Question>{Question::Connection});
}

TEST_F(PortSearchTest, FindingOnlyAnotherModelTakesItAndLetsTheCheckSpeak) {
  VirtualRadio other({"7731", 252, 0, "V600"});
  link.plug(&other);
  link.ports = {"COM7"};
  link.setRadioPort({"COM7", 1, 2});
  EXPECT_FALSE(Read());
  EXPECT_EQ(link.found, (std::vector<PortSettings>{{"COM7", 1, 2}}));
  ASSERT_EQ(link.refusals.size(), 1u);
  EXPECT_EQ(link.refusals[0].verdict, IdentityVerdict::ModelWrong);
}

TEST_F(PortSearchTest, EndingTheSessionMidSearchClosesThePortBeingTried) {
  link.unplug();
  link.ports = {"COM4"};
  ASSERT_TRUE(session.open(SessionKind::Read));
  session.prepareRead();
  session.start();
  EXPECT_FALSE(link.runUntilIdle(std::chrono::seconds(2)));  // two handshakes, then COM4
  ASSERT_EQ(session.kind(), SessionKind::Search);
  ASSERT_TRUE(link.portOpen());
  session.abort();
  EXPECT_FALSE(link.portOpen());
  EXPECT_EQ(*link.result, std::make_pair(SessionKind::Read, false));
}

}  // namespace
}  // namespace kr4100
