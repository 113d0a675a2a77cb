// SPDX-License-Identifier: GPL-3.0-or-later
// The assembly of replies that every host runs its received bytes through, fed in the chunks a
// line may cut a reply into: a reply is handed over whole and once, however it arrives, and
// bytes of no exchange never reach the next one.
#include "core/serial/reply_assembly.h"

#include <gtest/gtest.h>

namespace kr4100 {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Ending = ReplyAssembly::Ending;

const Bytes kFrame{0x52, 0x00, 0x10, 0x08};

TEST(ReplyAssembly, ATransferReplyInSingleBytesGoesOnOnceAllAreInWithWhateverCameWithIt) {
  ReplyAssembly replies(Ending::Length);
  replies.opened();
  replies.sent(kFrame, 4);
  const Bytes head{0x57, 0x00, 0x10};
  for (std::size_t i = 0; i < head.size(); ++i) {
    EXPECT_FALSE(replies.take(Bytes{head[i]}).has_value());
    EXPECT_EQ(replies.awaited(), 3 - i);
  }
  // The last byte of the reply and the first of something else in one chunk: the session gets
  // both and judges the length itself.
  EXPECT_EQ(replies.take(Bytes{0x08, 0x06}), (Bytes{0x57, 0x00, 0x10, 0x08, 0x06}));
  EXPECT_EQ(replies.bytesOnWire(), kFrame.size() + 5);

  // A late byte of the last reply does not count for the next frame.
  replies.take(Bytes{0x06});
  replies.sent(kFrame, 2);
  EXPECT_FALSE(replies.take(Bytes{0x57}).has_value());
  EXPECT_EQ(replies.take(Bytes{0x58}), (Bytes{0x57, 0x58}));
  // A frame that awaits nothing still takes the first byte that comes.
  replies.sent(kFrame, 0);
  EXPECT_EQ(replies.take(Bytes{0x06}), Bytes{0x06});
  replies.opened();
  EXPECT_EQ(replies.bytesOnWire(), 0u);
}

TEST(ReplyAssembly, ATestModeReplyIsWholeOnlyOnceQuietAndThenTakesNothingMore) {
  ReplyAssembly replies(Ending::Quiet);
  replies.opened();
  replies.sent(kFrame, 3);
  EXPECT_FALSE(replies.take(Bytes{0x01}).has_value());
  EXPECT_FALSE(replies.settling());
  // The exchange's wait runs out before the reply is in: nothing goes on, nothing is lost.
  EXPECT_FALSE(replies.settle().has_value());
  replies.take(Bytes{0x02});
  EXPECT_EQ(replies.awaited(), 1u);
  replies.take(Bytes{0x03});
  EXPECT_TRUE(replies.settling());
  // A byte too many while it settles makes the reply the wrong length, not the next one's first.
  EXPECT_FALSE(replies.take(Bytes{0x04}).has_value());
  EXPECT_EQ(replies.awaited(), 1u);
  EXPECT_EQ(replies.settle(), (Bytes{0x01, 0x02, 0x03, 0x04}));
  // Handed over once: what comes after it until the next send is dropped.
  EXPECT_FALSE(replies.settling());
  EXPECT_FALSE(replies.take(Bytes{0x05, 0x06, 0x07}).has_value());
  EXPECT_FALSE(replies.settling());
  EXPECT_FALSE(replies.settle().has_value());
  replies.sent(kFrame, 1);
  replies.take(Bytes{0x08});
  EXPECT_EQ(replies.settle(), Bytes{0x08});
}

TEST(ReplyAssembly, TestModeBytesWhileNothingIsAwaitedNeverStartTheNextReply) {
  ReplyAssembly replies(Ending::Quiet);
  replies.sent(kFrame, 0);
  replies.take(Bytes{0x06, 0x06});
  EXPECT_FALSE(replies.settling());
  replies.sent(kFrame, 2);
  replies.take(Bytes{0x31});
  EXPECT_FALSE(replies.settling());
  // A port closed mid-reply leaves nothing for the next open.
  replies.clear();
  replies.take(Bytes{0x32});
  EXPECT_FALSE(replies.settle().has_value());
}

// An echoing cable: the first frame after an open tells, and from then on each frame's echo is
// taken and checked before its reply.

const Bytes kHandshake{0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x4D};
using Heard = std::vector<std::pair<Bytes, bool>>;

void Listen(ReplyAssembly& replies, Heard& heard) {
  replies.onEcho([&heard](std::span<const std::uint8_t> echo, bool intact) {
    heard.emplace_back(Bytes(echo.begin(), echo.end()), intact);
  });
}

TEST(ReplyAssemblyEcho, EachEchoIsTakenAndCheckedBeforeItsReplyOnceTheHandshakeCameBack) {
  ReplyAssembly replies(Ending::Length);
  Heard heard;
  Listen(replies, heard);
  replies.opened();
  replies.sent(kHandshake, 1);
  EXPECT_FALSE(replies.take(Bytes{0x50, 0x52, 0x4F}).has_value());
  EXPECT_EQ(replies.awaited(), 5u);  // the rest of the echo and the acknowledge
  EXPECT_EQ(replies.take(Bytes{0x47, 0x52, 0x41, 0x4D, 0x06}), Bytes{0x06});
  EXPECT_EQ(replies.line(), ReplyAssembly::Line::Echoing);
  EXPECT_EQ(heard, (Heard{{kHandshake, true}}));
  // Our acknowledge comes back as 0x06 too: only the byte after it answers.
  replies.sent(Bytes{0x06}, 1);
  EXPECT_FALSE(replies.take(Bytes{0x06}).has_value());
  EXPECT_EQ(replies.take(Bytes{0x06}), Bytes{0x06});
  // A wrong echo spoils the exchange: the reply after it is not taken, the reply timer decides.
  replies.sent(kFrame, 1);
  EXPECT_FALSE(replies.take(Bytes{0x52, 0x00, 0x11, 0x08, 0x06}).has_value());
  EXPECT_FALSE(replies.take(Bytes{0x06}).has_value());
  EXPECT_EQ(heard.back(), (std::pair{Bytes{0x52, 0x00, 0x11}, false}));
  // The last frame's reply, late, ahead of this one's echo: not this frame's reply.
  replies.sent(kFrame, 1);
  EXPECT_FALSE(replies.take(Bytes{0x06}).has_value());
  EXPECT_EQ(replies.take(Bytes{0x52, 0x00, 0x10, 0x08, 0x06}), Bytes{0x06});
  // The echo shares its frame's wire time: it is not counted again.
  EXPECT_EQ(replies.bytesOnWire(), 8u + 2u + 4u + 5u);
  // Another open tells afresh.
  replies.opened();
  replies.sent(kHandshake, 1);
  EXPECT_EQ(replies.take(Bytes{0x06}), Bytes{0x06});
  EXPECT_EQ(replies.line(), ReplyAssembly::Line::Plain);
}

TEST(ReplyAssemblyEcho, OnAPlainCableAReplyIsNeverTakenForAnEcho) {
  ReplyAssembly replies(Ending::Length);
  Heard heard;
  Listen(replies, heard);
  // An acknowledge answering an acknowledge looks like its echo: a single byte tells nothing.
  replies.sent(Bytes{0x06}, 1);
  EXPECT_EQ(replies.take(Bytes{0x06}), Bytes{0x06});
  EXPECT_EQ(replies.line(), ReplyAssembly::Line::Unknown);
  // A reply that starts like the frame is held until it parts from it, then handed over whole.
  replies.sent(kHandshake, 2);
  EXPECT_FALSE(replies.take(Bytes{0x50, 0x52}).has_value());
  EXPECT_EQ(replies.take(Bytes{0x06}), (Bytes{0x50, 0x52, 0x06}));
  EXPECT_EQ(replies.line(), ReplyAssembly::Line::Plain);
  // From then on a frame's own bytes coming in are a reply like any other.
  replies.sent(kHandshake, 1);
  EXPECT_EQ(replies.take(Bytes{0x50}), Bytes{0x50});
  EXPECT_TRUE(heard.empty());
}

TEST(ReplyAssemblyEcho, ATestModeSendThatAwaitsNothingOwesItsEchoToTheNextExchange) {
  ReplyAssembly replies(Ending::Quiet);
  Heard heard;
  Listen(replies, heard);
  replies.opened();
  const Bytes entry{'A', 'L', 'I', 'G', 'N', 'S', ' '};
  replies.sent(entry, 1);
  replies.take(entry);
  EXPECT_FALSE(replies.settling());
  replies.take(Bytes{0x06});
  EXPECT_EQ(replies.settle(), Bytes{0x06});
  // The driver goes on once 0x10 has left the port; its echo is still on the wire.
  replies.sent(Bytes{0x10}, 0);
  EXPECT_TRUE(replies.echoOwed());
  replies.sent(Bytes{0x05}, 8);
  EXPECT_EQ(replies.awaited(), 10u);
  replies.take(Bytes{0x10, 0x05});
  EXPECT_FALSE(replies.settling());
  EXPECT_FALSE(replies.echoOwed());
  replies.take(Bytes(8, 0x31));
  EXPECT_EQ(replies.settle(), Bytes(8, 0x31));
  EXPECT_EQ(heard.back(), (std::pair{Bytes{0x10, 0x05}, true}));
  // A reply the quiet wait hands over is not owed anything: the next send starts clean.
  replies.sent(Bytes{0x06}, 1);
  EXPECT_FALSE(replies.take(Bytes{0x07}).has_value());
  EXPECT_FALSE(replies.settling());
}

}  // namespace
}  // namespace kr4100
