// SPDX-License-Identifier: GPL-3.0-or-later
// The frames of the serial protocol with the radio, and the classification of its replies.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace kr4100 {

using Frame = std::vector<std::uint8_t>;

inline constexpr std::uint8_t kAck = 0x06;
inline constexpr std::uint8_t kIdentityRequest = 0x02;

Frame BuildHandshake();                 // "PROGRAM"
Frame BuildIdentityRequest();           // 0x02
Frame BuildAck();                       // 0x06
Frame BuildEnd();                       // "E"
Frame BuildReadRequest(int address, int length);  // "R", address high, low, length
// "W", address high, low, length, data, checksum.
Frame BuildDataBlock(int address, std::span<const std::uint8_t> data);

// Sum of the bytes from the address-high byte to the last data byte, modulo 256.
std::uint8_t Checksum(std::span<const std::uint8_t> addressLengthAndData);

inline constexpr int kIdentityReplyLength = 14;
inline constexpr int kInfoReplyLength = 10;

enum class ReplyType { Unknown, Ack, Identity, DataBlock, InfoText };

// Classification in the fixed order: acknowledge, identity, data block (address, length and
// checksum must match the block expected), information text.
ReplyType ClassifyReply(std::span<const std::uint8_t> reply, int expectedAddress, int blockSize);

}  // namespace kr4100
