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

}  // namespace
}  // namespace kr4100
