// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/frames.h"

#include <gtest/gtest.h>

namespace kr4100 {
namespace {

using Bytes = std::vector<std::uint8_t>;
// Address 0x1DD0, four data bytes; 1D+D0+04+01+02+FF+80 = 0x273, so the checksum is 0x73.
const Bytes kBlock{0x57, 0x1D, 0xD0, 0x04, 0x01, 0x02, 0xFF, 0x80, 0x73};

TEST(Frames, BuildsFramesByteExact) {
  EXPECT_EQ(BuildHandshake(), (Bytes{0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x4D}));
  EXPECT_EQ(BuildEnd(), Bytes{0x45});
  EXPECT_EQ(BuildReadRequest(0x1DC0, 64), (Bytes{0x52, 0x1D, 0xC0, 0x40}));
  EXPECT_EQ(BuildDataBlock(0x1DD0, Bytes{0x01, 0x02, 0xFF, 0x80}), kBlock);
}

TEST(Frames, ClassifiesRepliesStrictly) {
  auto classify = [](Bytes reply, int address = 0x1DD0, int size = 4) {
    return ClassifyReply(reply, address, size);
  };
  Bytes corrupt = kBlock, extra = kBlock, identity(14, 0), info(10, ' ');
  corrupt.back() = 0x74;
  extra.push_back(0x00);
  identity[0] = 'P';
  info[0] = 'V';
  EXPECT_EQ(classify(kBlock), ReplyType::DataBlock);
  EXPECT_EQ(classify(kBlock, 0x1DC0), ReplyType::Unknown);
  EXPECT_EQ(classify(kBlock, 0x1DD0, 16), ReplyType::Unknown);
  EXPECT_EQ(classify(corrupt), ReplyType::Unknown);
  EXPECT_EQ(classify(extra), ReplyType::Unknown);
  EXPECT_EQ(classify(Bytes{0x57, 0x1D, 0xD0}), ReplyType::Unknown);
  EXPECT_EQ(classify(Bytes{0x06}), ReplyType::Ack);
  EXPECT_EQ(classify(Bytes{0x06, 0x06}), ReplyType::Unknown);
  EXPECT_EQ(classify(identity), ReplyType::Identity);
  EXPECT_EQ(classify(info), ReplyType::InfoText);
  EXPECT_EQ(classify(Bytes{}), ReplyType::Unknown);
}

}  // namespace
}  // namespace kr4100
