// SPDX-License-Identifier: GPL-3.0-or-later
// Transfers over lines that are not ideal, on the simulated clock: a cable that echoes every byte
// sent, and a USB adapter that holds what it received for its latency timer. A read and a write
// must land as on a plain cable, within the time-outs the program uses.
#include <gtest/gtest.h>

#include <chrono>

#include "support/session_on_simulated_link.h"

namespace kr4100 {
namespace {

using namespace std::chrono_literals;

class EchoingLine : public testing::SessionOnSimulatedLink {};

TEST_F(EchoingLine, AReadAndAWriteLandWholeBehindASlowAdapterOnAnEchoingCable) {
  link.echo = true;
  link.adapterLatency = 16ms;
  ASSERT_TRUE(Read());
  EXPECT_TRUE(std::equal(radio.memory().begin() + image_map::kChannelBase,
                         radio.memory().begin() + image_map::kConfigEndRead,
                         session.image().begin() + image_map::kChannelBase));
  EXPECT_EQ(Count(0x50), 1);  // no handshake went twice: nothing timed out
  ASSERT_FALSE(session.unpackRead(doc).has_value());

  link.result.reset();
  link.sent.clear();
  ASSERT_TRUE(Write());
  EXPECT_EQ(Count(0x50), 1);
  EXPECT_TRUE(std::equal(session.image().begin() + image_map::kChannelBase,
                         session.image().begin() + image_map::kConfigEnd,
                         radio.memory().begin() + image_map::kChannelBase));
}

}  // namespace
}  // namespace kr4100
