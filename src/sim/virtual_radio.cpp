// SPDX-License-Identifier: GPL-3.0-or-later
// The radio's side of the programming protocol. Frames are parsed and built here on their own,
// independently of the program's frame code, so that a test through this radio checks the
// program against a second reading of the protocol rather than against itself.
#include "sim/virtual_radio.h"

#include <algorithm>
#include <string_view>

#include "core/config/document.h"

namespace kr4100::sim {

namespace {

constexpr std::uint8_t kAckByte = 0x06;
constexpr std::uint8_t kIdentityRequestByte = 0x02;
constexpr std::uint8_t kReadByte = 'R';
constexpr std::uint8_t kWriteByte = 'W';
constexpr std::uint8_t kEndByte = 'E';
constexpr std::string_view kHandshakeWord = "PROGRAM";
constexpr std::size_t kBlockHeader = 4;  // 'R' or 'W', address high, address low, length

// Four ASCII characters, blank padded or cut.
void PutCode(std::vector<std::uint8_t>& out, std::size_t at, const std::string& code) {
  for (std::size_t i = 0; i < 4; ++i)
    out[at + i] = i < code.size() ? static_cast<std::uint8_t>(code[i]) : std::uint8_t{' '};
}

}  // namespace

VirtualRadio::VirtualRadio() : VirtualRadio(IdentitySettings{}) {}

VirtualRadio::VirtualRadio(IdentitySettings identity, Faults faults)
    : identity_(std::move(identity)), faults_(faults), memory_(FreshImage(identity_)) {}

std::vector<std::uint8_t> VirtualRadio::IdentityReply(const IdentitySettings& identity) {
  std::vector<std::uint8_t> r(14, 0);
  r[0] = 'P';
  PutCode(r, 1, identity.modelCode);
  r[6] = identity.modelType;
  r[7] = identity.bandCode;
  PutCode(r, 8, identity.firmware);
  return r;
}

RadioInfo VirtualRadio::DefaultRadioInfo() {
  // In the stored form the program keeps after a read: text, NUL, blanks.
  auto field = [](std::string_view text) { return std::string(text) + '\0'; };
  RadioInfo info;
  info.AreaCode = field("86");
  info.SerialNumber = field("41000A0012345");
  info.ProductionDate = field("20240318");
  info.ManufactureCode = field("B2403");
  info.UserCode = field("0001");
  info.MaintenanceDate = field("");
  info.DealerCode = field("D-0417");
  info.StockDate = field("20240402");
  info.SellDate = field("");
  info.Seller = field("");
  info.MaintenanceDescription = field("");
  return info;
}

RadioImage VirtualRadio::FreshImage(const IdentitySettings& identity) {
  RadioImage image{};
  PrepareImage(image);
  Document doc;  // no template folder: the built-in defaults of a new document
  doc.InitNewDocument();
  // The defaults always fit their bytes; should they not, the radio keeps the prepared bytes.
  (void)PackImage(doc.working(), image);
  PackRadioInfo(DefaultRadioInfo(), image);
  const auto id = IdentityReply(identity);
  std::copy(id.begin(), id.end(), image.begin() + image_map::kIdentity);
  return image;
}

void VirtualRadio::setIdentity(const IdentitySettings& identity) {
  identity_ = identity;
  // A programmed radio holds its identity reply in memory too; keep the two in agreement.
  const auto id = IdentityReply(identity_);
  std::copy(id.begin(), id.end(), memory_.begin() + image_map::kIdentity);
}

bool VirtualRadio::silent() const {
  return (faults_.silentAfterBlocks >= 0 && blocks_ >= faults_.silentAfterBlocks) ||
         (faults_.silentAfterReplies >= 0 && replies_ >= faults_.silentAfterReplies);
}

std::vector<std::uint8_t> VirtualRadio::receive(std::span<const std::uint8_t> bytes) {
  std::vector<std::uint8_t> out;
  if (silent()) {
    pending_.clear();
    return out;
  }
  pending_.insert(pending_.end(), bytes.begin(), bytes.end());
  while (!pending_.empty()) {
    if (silent()) {
      pending_.clear();
      break;
    }
    const std::size_t used = std::min(consumeFrame(out), pending_.size());
    if (used == 0) break;
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(used));
  }
  return out;
}

void VirtualRadio::reply(std::vector<std::uint8_t>& out, std::vector<std::uint8_t> bytes) {
  ++replies_;
  if (replies_ == faults_.dropReply) return;
  if (replies_ == faults_.corruptReply && !bytes.empty()) bytes.front() ^= 0x5A;
  if (replies_ == faults_.truncateReply && !bytes.empty()) bytes.pop_back();
  if (replies_ == faults_.refuseReply && bytes == std::vector<std::uint8_t>{kAckByte}) {
    bytes.front() = 0x15;
  }
  out.insert(out.end(), bytes.begin(), bytes.end());
}

std::size_t VirtualRadio::consumeFrame(std::vector<std::uint8_t>& out) {
  if (extraFirst_) {
    if (const std::size_t used = consumeByExtra(out); used != kNotMine) return used;
  }
  switch (pending_.front()) {
    case 'P': {
      const std::size_t have = std::min(pending_.size(), kHandshakeWord.size());
      if (!std::equal(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(have),
                      kHandshakeWord.begin()))
        return consumeUnknown(out);
      if (have < kHandshakeWord.size()) return 0;
      events_.push_back({FrameKind::Handshake, -1});
      reply(out, {kAckByte});
      return kHandshakeWord.size();
    }
    case kIdentityRequestByte:
      events_.push_back({FrameKind::IdentityRequest, -1});
      reply(out, IdentityReply(identity_));
      return 1;
    case kAckByte:
      events_.push_back({FrameKind::Ack, -1});
      if (!faults_.ignoreAckOfAck) reply(out, {kAckByte});
      return 1;
    case kEndByte:
      events_.push_back({FrameKind::End, -1});
      if (!faults_.ignoreEnd) reply(out, {kAckByte});
      return 1;
    case kReadByte:
      return consumeRead(out);
    case kWriteByte:
      return consumeWrite(out);
    default:
      return consumeUnknown(out);
  }
}

std::size_t VirtualRadio::consumeByExtra(std::vector<std::uint8_t>& out) {
  if (!extra_) return kNotMine;
  std::vector<std::uint8_t> answer;
  const std::size_t used = extra_(pending_, answer);
  if (used == 0 || used == kNotMine) return used;
  events_.push_back({FrameKind::Other, -1});
  if (!answer.empty()) reply(out, std::move(answer));
  return used;
}

std::size_t VirtualRadio::consumeUnknown(std::vector<std::uint8_t>& out) {
  const std::size_t used = extraFirst_ ? kNotMine : consumeByExtra(out);
  return used == kNotMine ? 1 : used;
}

std::size_t VirtualRadio::consumeRead(std::vector<std::uint8_t>& out) {
  if (pending_.size() < kBlockHeader) return 0;
  const int address = pending_[1] * 256 + pending_[2];
  const int length = pending_[3];
  if (address + length > static_cast<int>(kImageSize)) return kBlockHeader;

  std::vector<std::uint8_t> block{kWriteByte, pending_[1], pending_[2], pending_[3]};
  block.insert(block.end(), memory_.begin() + address, memory_.begin() + address + length);
  unsigned sum = 0;
  for (std::size_t i = 1; i < block.size(); ++i) sum += block[i];
  auto checksum = static_cast<std::uint8_t>(sum);
  if (++blocksSent_ == faults_.corruptBlock) ++checksum;
  block.push_back(checksum);

  events_.push_back({FrameKind::Read, address});
  ++blocks_;
  reply(out, std::move(block));
  return kBlockHeader;
}

std::size_t VirtualRadio::consumeWrite(std::vector<std::uint8_t>& out) {
  if (pending_.size() < kBlockHeader) return 0;
  const std::size_t length = pending_[3];
  const std::size_t total = kBlockHeader + length + 1;
  if (pending_.size() < total) return 0;
  // The whole claimed frame is consumed even when refused: its data bytes must not be taken for
  // frames of their own (a stray 0x06 or "E" among them would be answered).
  const int address = pending_[1] * 256 + pending_[2];
  unsigned sum = 0;
  for (std::size_t i = 1; i < total - 1; ++i) sum += pending_[i];
  if (static_cast<std::uint8_t>(sum) != pending_[total - 1]) return total;
  if (address + static_cast<int>(length) > static_cast<int>(kImageSize)) return total;

  std::copy_n(pending_.begin() + kBlockHeader, length, memory_.begin() + address);
  const int wrong = faults_.storeWrongAddress;
  if (wrong >= address && wrong < address + static_cast<int>(length))
    memory_[static_cast<std::size_t>(wrong)] ^= faults_.storeWrongXor;
  events_.push_back({FrameKind::Write, address});
  ++blocks_;
  reply(out, {kAckByte});
  return total;
}

}  // namespace kr4100::sim
