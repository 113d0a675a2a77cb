// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/frames.h"

#include <algorithm>
#include <cassert>
#include <cstddef>

namespace kr4100 {

namespace {

constexpr std::uint8_t kEnd = 0x45;            // "E"
constexpr std::uint8_t kReadRequest = 0x52;    // "R"
constexpr std::uint8_t kDataBlock = 0x57;      // "W"
constexpr std::uint8_t kIdentityReply = 0x50;  // "P"
constexpr std::uint8_t kInfoReply = 0x56;      // "V"

// "W", address high, address low, length ... checksum: everything but the data.
constexpr std::size_t kDataBlockOverhead = 5;
constexpr int kMaxAddress = 0xFFFF;
constexpr int kMaxLength = 0xFF;

// Callers pass image addresses and block sizes; anything outside a byte pair or a byte is a bug
// in the caller. Clamping keeps a release build from sending a frame whose fields wrap around.
std::uint16_t CheckedAddress(int address) {
  assert(address >= 0 && address <= kMaxAddress);
  return static_cast<std::uint16_t>(std::clamp(address, 0, kMaxAddress));
}

std::uint8_t CheckedLength(int length) {
  assert(length >= 0 && length <= kMaxLength);
  return static_cast<std::uint8_t>(std::clamp(length, 0, kMaxLength));
}

void AppendAddress(Frame& frame, std::uint16_t address) {
  frame.push_back(static_cast<std::uint8_t>(address >> 8));
  frame.push_back(static_cast<std::uint8_t>(address & 0xFF));
}

bool IsDataBlock(std::span<const std::uint8_t> reply, int expectedAddress, int blockSize) {
  if (reply.size() < 4 || reply[0] != kDataBlock) return false;
  const int address = (reply[1] << 8) | reply[2];
  const int length = reply[3];
  if (address != expectedAddress || length != blockSize) return false;
  if (reply.size() != static_cast<std::size_t>(length) + kDataBlockOverhead) return false;
  // Address, length and data are covered; the leading "W" and the checksum itself are not.
  return Checksum(reply.subspan(1, reply.size() - 2)) == reply.back();
}

}  // namespace

Frame BuildHandshake() {
  return {0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x4D};
}

Frame BuildIdentityRequest() {
  return {kIdentityRequest};
}

Frame BuildAck() {
  return {kAck};
}

Frame BuildEnd() {
  return {kEnd};
}

Frame BuildReadRequest(int address, int length) {
  Frame frame{kReadRequest};
  AppendAddress(frame, CheckedAddress(address));
  frame.push_back(CheckedLength(length));
  return frame;
}

Frame BuildDataBlock(int address, std::span<const std::uint8_t> data) {
  const std::uint8_t length = CheckedLength(static_cast<int>(
      std::min<std::size_t>(data.size(), static_cast<std::size_t>(kMaxLength) + 1)));
  // Send only as many data bytes as the length field announces, so the frame stays well formed.
  data = data.first(length);

  Frame frame{kDataBlock};
  frame.reserve(data.size() + kDataBlockOverhead);
  AppendAddress(frame, CheckedAddress(address));
  frame.push_back(length);
  frame.insert(frame.end(), data.begin(), data.end());
  frame.push_back(Checksum(std::span<const std::uint8_t>(frame).subspan(1)));
  return frame;
}

std::uint8_t Checksum(std::span<const std::uint8_t> addressLengthAndData) {
  unsigned sum = 0;
  for (const std::uint8_t byte : addressLengthAndData) sum += byte;
  return static_cast<std::uint8_t>(sum & 0xFF);
}

ReplyType ClassifyReply(std::span<const std::uint8_t> reply, int expectedAddress, int blockSize) {
  if (reply.size() == 1 && reply[0] == kAck) return ReplyType::Ack;
  if (reply.size() == static_cast<std::size_t>(kIdentityReplyLength) &&
      reply[0] == kIdentityReply) {
    return ReplyType::Identity;
  }
  if (IsDataBlock(reply, expectedAddress, blockSize)) return ReplyType::DataBlock;
  if (reply.size() == static_cast<std::size_t>(kInfoReplyLength) && reply[0] == kInfoReply) {
    return ReplyType::InfoText;
  }
  return ReplyType::Unknown;
}

}  // namespace kr4100
