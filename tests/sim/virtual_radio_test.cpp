// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/virtual_radio.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace kr4100::sim {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes B(std::string_view text) {
  return Bytes(text.begin(), text.end());
}

// head, then n bytes of fill, then one last byte: a block frame.
Bytes Block(Bytes head, std::size_t n, std::uint8_t fill, std::uint8_t last) {
  head.insert(head.end(), n, fill);
  head.push_back(last);
  return head;
}

Bytes At(const RadioImage& m, int address, int n) {
  return Bytes(m.begin() + address, m.begin() + address + n);
}

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

Bytes Send(VirtualRadio& radio, const Bytes& bytes) {
  return radio.receive(bytes);
}

// Checksums below are worked out by hand: the sum of address high, address low, length and data.
const Bytes kHandshake = B("PROGRAM");
const Bytes kAck{0x06};
const Bytes kIdentityRequest{0x02};
const Bytes kEnd{'E'};
const Bytes kDefaultIdentity{'P',  'H', 'T', '5', '2', 0x00, 248,
                             0x00, 'V', '6', '0', '0', 0x00, 0x00};
// 0x00 + 0x20 + 0x04 + 0xDE + 0xAD + 0xBE + 0xEF = 0x35C
const Bytes kWrite0020{'W', 0x00, 0x20, 0x04, 0xDE, 0xAD, 0xBE, 0xEF, 0x5C};

TEST(VirtualRadio, AnswersTheHandshakeIdentityAckAndEnd) {
  VirtualRadio radio;
  EXPECT_EQ(Send(radio, kHandshake), kAck);
  EXPECT_EQ(Send(radio, kIdentityRequest), kDefaultIdentity);
  EXPECT_EQ(Send(radio, kAck), kAck);
  EXPECT_EQ(Send(radio, kEnd), kAck);
}

TEST(VirtualRadio, IdentityReplyFollowsItsSettings) {
  VirtualRadio radio(IdentitySettings{"AB7", 17, 1, "V601"});
  const Bytes expected{'P', 'A', 'B', '7', ' ', 0x00, 17, 0x01, 'V', '6', '0', '1', 0x00, 0x00};
  EXPECT_EQ(Send(radio, kIdentityRequest), expected);
  EXPECT_EQ(At(radio.memory(), 0x1D90, 14), expected);
  radio.setIdentity(IdentitySettings{});
  EXPECT_EQ(Send(radio, kIdentityRequest), kDefaultIdentity);
  EXPECT_EQ(At(radio.memory(), 0x1D90, 14), kDefaultIdentity);
}

TEST(VirtualRadio, FreshImageHoldsANewDocumentAndTheIdentity) {
  VirtualRadio radio;
  const RadioImage& m = radio.memory();
  EXPECT_EQ(At(m, 0x1D90, 14), kDefaultIdentity);
  // Channel 1 of group 0 at 28.015000 MHz, offsets zero; channel 1 of group 1 at 28.145000 MHz.
  EXPECT_EQ(At(m, 0x0010, 5), (Bytes{0x28, 0x01, 0x50, 0, 0}));
  EXPECT_EQ(At(m, 0x0010 + 18 * 60, 3), (Bytes{0x28, 0x14, 0x50}));
  EXPECT_EQ(m[0x10 + 18], 0xFF);  // channel 2 of group 0 is absent
  EXPECT_EQ(m[0x1D00], 0x01);     // present bit of channel 1, group 0
  EXPECT_EQ(m[0x1D08], 0x01);     // and group 1
  EXPECT_EQ(m[0x1D01], 0x00);
  EXPECT_EQ(m[0x0000], 0xFF);  // never written by a write of a document
  EXPECT_EQ(m[0x1DC0], 0xFF);  // empty embedded message 2
  // Radio information: the area code "86" followed by 0xFF.
  EXPECT_EQ(At(m, 0x1F08, 3), (Bytes{'8', '6', 0xFF}));
  EXPECT_EQ(UnpackRadioInfo(m), VirtualRadio::DefaultRadioInfo());
}

TEST(VirtualRadio, ReadRepliesWithTheMemoryAndItsChecksum) {
  VirtualRadio radio;
  // 0x1DC0..0x1DFF of a fresh radio is all 0xFF: 0x1D + 0xC0 + 0x40 + 64 * 0xFF = 0x1DD -> 0xDD.
  EXPECT_EQ(Send(radio, Bytes{'R', 0x1D, 0xC0, 0x40}),
            Block({'W', 0x1D, 0xC0, 0x40}, 64, 0xFF, 0xDD));

  // 0x00 + 0x10 + 0x03 + 0x28 + 0x01 + 0x50 = 0x8C
  EXPECT_EQ(Send(radio, Bytes{'R', 0x00, 0x10, 0x03}),
            (Bytes{'W', 0x00, 0x10, 0x03, 0x28, 0x01, 0x50, 0x8C}));
  // The last 16 bytes of memory, never written: 0x1F + 0xF0 + 0x10 + 16 * 0xFF -> 0x0F.
  EXPECT_EQ(Send(radio, Bytes{'R', 0x1F, 0xF0, 0x10}),
            Block({'W', 0x1F, 0xF0, 0x10}, 16, 0xFF, 0x0F));
}

TEST(VirtualRadio, WriteIsStoredAndAcknowledged) {
  VirtualRadio radio;
  EXPECT_EQ(Send(radio, kWrite0020), kAck);
  EXPECT_EQ(At(radio.memory(), 0x1F, 6), (Bytes{0xFF, 0xDE, 0xAD, 0xBE, 0xEF, 0xFF}));
}

TEST(VirtualRadio, RefusedFramesAreNeitherStoredNorAnswered) {
  VirtualRadio radio;
  const RadioImage before = radio.memory();
  Bytes badSum = kWrite0020;
  badSum.back() = 0x5D;
  EXPECT_TRUE(Send(radio, badSum).empty());
  // Past the end of memory: 0x1FF8 + 16 > 0x2000.
  EXPECT_TRUE(Send(radio, Block({'W', 0x1F, 0xF8, 0x10}, 16, 0x00, 0x27)).empty());
  EXPECT_TRUE(Send(radio, Bytes{'R', 0x1F, 0xF8, 0x10}).empty());
  EXPECT_EQ(radio.memory(), before);
  EXPECT_TRUE(radio.events().empty());
  // A refused write's data must not be taken for frames: 0x06 and "E" inside it stay quiet.
  const Bytes tricky{'W', 0x00, 0x20, 0x02, 0x06, 'E', 0x00};
  EXPECT_TRUE(Send(radio, tricky).empty());
  EXPECT_EQ(Send(radio, kHandshake), kAck);
}

TEST(VirtualRadio, FramesArriveInAnyPiecesAndAreListed) {
  const Bytes stream =
      Join({kHandshake, kIdentityRequest, kAck, Bytes{'R', 0x1D, 0xC0, 0x40}, kWrite0020, kEnd});
  VirtualRadio whole;
  const Bytes expected = Send(whole, stream);
  ASSERT_EQ(expected.size(), 1 + 14 + 1 + 69 + 1 + 1u);

  VirtualRadio bytewise;
  Bytes got;
  for (std::size_t i = 0; i < stream.size(); ++i) {
    const Bytes part = Send(bytewise, Bytes{stream[i]});
    EXPECT_TRUE(i + 1 >= kHandshake.size() || part.empty()) << "answered before the last byte";
    got.insert(got.end(), part.begin(), part.end());
  }
  EXPECT_EQ(got, expected);
  EXPECT_EQ(bytewise.memory(), whole.memory());

  std::vector<std::pair<FrameKind, int>> events;
  for (const auto& e : bytewise.events()) events.emplace_back(e.kind, e.address);
  const std::vector<std::pair<FrameKind, int>> listed{
      {FrameKind::Handshake, -1}, {FrameKind::IdentityRequest, -1}, {FrameKind::Ack, -1},
      {FrameKind::Read, 0x1DC0},  {FrameKind::Write, 0x0020},       {FrameKind::End, -1}};
  EXPECT_EQ(events, listed);
}

TEST(VirtualRadio, UnknownBytesAreDroppedOneAtATime) {
  VirtualRadio radio;
  // "PO" starts like the handshake but is not one; the 'O' must not hide the real one after it.
  EXPECT_EQ(Send(radio, Join({Bytes{0x00, 'X', 'P', 'O'}, kHandshake})), kAck);
  EXPECT_TRUE(Send(radio, B("PROG")).empty());
  EXPECT_TRUE(radio.framePending());
  radio.resetReceiver();
  EXPECT_EQ(Send(radio, kHandshake), kAck);
}

TEST(VirtualRadio, ExtraHandlerSeesUnknownFramesFirst) {
  VirtualRadio radio;
  std::vector<Bytes> seen;
  radio.setExtraHandler([&](std::span<const std::uint8_t> buffered, Bytes& reply) -> std::size_t {
    seen.emplace_back(buffered.begin(), buffered.end());
    if (buffered[0] != 0x10) return VirtualRadio::kNotMine;
    if (buffered.size() < 2) return 0;  // wait for the channel number
    reply = Bytes(8, buffered[1]);
    return 2;
  });
  EXPECT_TRUE(Send(radio, Bytes{0x10}).empty());
  EXPECT_EQ(Send(radio, Bytes{0x03, 0x99}), (Bytes(8, 0x03)));  // 0x99 declined and dropped
  EXPECT_EQ(seen.back(), Bytes{0x99});
  EXPECT_EQ(Send(radio, kHandshake), kAck);  // known frames never reach the handler
  EXPECT_EQ(seen.size(), 3u);

  radio.setExtraHandlerFirst(true);  // test mode: the handler sees everything first
  EXPECT_EQ(Send(radio, Bytes{0x10, 0x04}), (Bytes(8, 0x04)));
  EXPECT_EQ(Send(radio, kAck), kAck);  // declined, so answered as ever
  EXPECT_EQ(seen.size(), 5u);
}

TEST(VirtualRadioFaults, DropReplyLosesOnlyTheNthReply) {
  VirtualRadio radio(IdentitySettings{}, Faults{.dropReply = 2});
  EXPECT_EQ(Send(radio, kHandshake), kAck);
  EXPECT_TRUE(Send(radio, kIdentityRequest).empty());
  EXPECT_EQ(Send(radio, kIdentityRequest), kDefaultIdentity);  // the retry is answered
  EXPECT_EQ(radio.events().size(), 3u);                        // the dropped one was acted on
}

TEST(VirtualRadioFaults, CorruptBlockSpoilsOnlyThatChecksum) {
  VirtualRadio radio(IdentitySettings{}, Faults{.corruptBlock = 2});
  const Bytes good{'W', 0x00, 0x10, 0x03, 0x28, 0x01, 0x50, 0x8C};
  const Bytes request{'R', 0x00, 0x10, 0x03};
  EXPECT_EQ(Send(radio, request), good);
  const Bytes second = Send(radio, request);
  ASSERT_EQ(second.size(), good.size());
  EXPECT_TRUE(std::equal(good.begin(), good.end() - 1, second.begin()));
  EXPECT_NE(second.back(), good.back());
  EXPECT_EQ(Send(radio, request), good);
}

TEST(VirtualRadioFaults, IgnoredAcknowledgesAndEnd) {
  VirtualRadio radio(IdentitySettings{}, Faults{.ignoreAckOfAck = true});
  EXPECT_EQ(Send(radio, kHandshake), kAck);
  EXPECT_TRUE(Send(radio, kAck).empty());
  EXPECT_EQ(Send(radio, kEnd), kAck);

  radio.faults() = Faults{.ignoreEnd = true};
  EXPECT_EQ(Send(radio, kAck), kAck);
  EXPECT_TRUE(Send(radio, kEnd).empty());
  EXPECT_EQ(Send(radio, kWrite0020), kAck);
}

TEST(VirtualRadioFaults, SilentAfterBlocksLikeAPulledCable) {
  VirtualRadio radio(IdentitySettings{}, Faults{.silentAfterBlocks = 2});
  EXPECT_EQ(Send(radio, Bytes{'R', 0x00, 0x10, 0x03}).size(), 8u);
  EXPECT_EQ(Send(radio, kAck), kAck);  // other frames do not count
  Bytes write = kWrite0020;
  EXPECT_EQ(Send(radio, write), kAck);
  const RadioImage before = radio.memory();
  write[1] = 0x01;  // another address, checksum fixed up
  write.back() = static_cast<std::uint8_t>(write.back() + 1);
  EXPECT_TRUE(Send(radio, write).empty());
  EXPECT_TRUE(Send(radio, kHandshake).empty());
  EXPECT_EQ(radio.memory(), before);
  EXPECT_EQ(radio.events().size(), 3u);
}

}  // namespace
}  // namespace kr4100::sim
