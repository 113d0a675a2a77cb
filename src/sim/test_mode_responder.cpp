// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/test_mode_responder.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "core/config/document.h"
#include "core/testmode/test_mode_commands.h"

namespace kr4100::sim {
namespace {

constexpr std::uint8_t kAck = 0x06;
constexpr std::string_view kEntryWord = "ALIGNS ";

// Two decimal digits per byte, as the radio keeps frequencies ("28113330" → 28 11 33 30).
std::optional<std::array<std::uint8_t, 8>> ChannelBytes(std::string_view rx, std::string_view tx) {
  std::array<std::uint8_t, 8> bytes{};
  const std::string_view texts[2] = {rx, tx};
  for (int half = 0; half < 2; ++half) {
    const std::string_view t = texts[half];
    if (t.size() < 8) return std::nullopt;
    for (int k = 0; k < 4; ++k) {
      const char hi = t[static_cast<std::size_t>(2 * k)];
      const char lo = t[static_cast<std::size_t>(2 * k + 1)];
      if (hi < '0' || hi > '9' || lo < '0' || lo > '9') return std::nullopt;
      bytes[static_cast<std::size_t>(half * 4 + k)] = static_cast<std::uint8_t>(((hi - '0') << 4) | (lo - '0'));
    }
  }
  return bytes;
}

}  // namespace

TestModeResponder::TestModeResponder(VirtualRadio& radio) : radio_(radio) {
  // A fresh radio's alignment area is erased: give it middling values, a little apart.
  const auto& codes = AdjustBlockCodes();
  bool erased = true;
  for (std::size_t i = 0; i < codes.size(); ++i)
    if (radio_.memory()[static_cast<std::size_t>(kAlignmentBase) + i] != 0xFF) erased = false;
  if (erased)
    for (std::size_t i = 0; i < codes.size(); ++i)
      radio_.memory()[static_cast<std::size_t>(kAlignmentBase) + i] = static_cast<std::uint8_t>(100 + i);
  Document doc;  // a new document's test frequencies, so that a fresh radio and a new document agree
  doc.InitNewDocument();
  setTestChannels(doc.working());
  radio_.setExtraHandler([this](std::span<const std::uint8_t> buffered, std::vector<std::uint8_t>& reply) {
    return consume(buffered, reply);
  });
}

TestModeResponder::~TestModeResponder() {
  radio_.setExtraHandler({});
  radio_.setExtraHandlerFirst(false);
}

void TestModeResponder::setTestChannels(const RadioConfig& config) {
  channels_.fill(std::nullopt);
  const int count = std::clamp<int>(config.TestFreCount, 0, kTestFreSlots);
  for (int i = 0; i < count; ++i) {
    const TestFreEntry& e = config.TestFre[static_cast<std::size_t>(i)];
    if (e.No < 1 || e.No > kTestChannelCount) continue;
    channels_[static_cast<std::size_t>(e.No)] = ChannelBytes(e.RxFre.raw(), e.TxFre.raw());
  }
}

int TestModeResponder::value(int code) const {
  const auto offset = AdjustBlockOffset(code);
  return offset ? radio_.memory()[static_cast<std::size_t>(kAlignmentBase + *offset)] : -1;
}

void TestModeResponder::setValue(int code, int value) {
  if (const auto offset = AdjustBlockOffset(code))
    radio_.memory()[static_cast<std::size_t>(kAlignmentBase + *offset)] = static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

void TestModeResponder::answer(std::vector<std::uint8_t>& reply, std::vector<std::uint8_t> bytes) {
  ++replies_;
  if (faults_.silentAfter >= 0 && replies_ > faults_.silentAfter) return;
  if (replies_ == faults_.dropReply) return;
  if (replies_ == faults_.corruptReply && !bytes.empty()) bytes[0] ^= 0x5A;
  if (replies_ == faults_.truncateReply && !bytes.empty()) bytes.pop_back();
  if (replies_ == faults_.refuseReply && bytes == std::vector<std::uint8_t>{0x06}) bytes[0] = 0x15;
  if (replies_ == faults_.strayReply) bytes.insert(bytes.begin(), 0x00);
  if (replies_ == faults_.overlongReply) bytes.push_back(bytes.empty() ? 0x06 : bytes.back());
  reply.insert(reply.end(), bytes.begin(), bytes.end());
}

std::vector<std::uint8_t> TestModeResponder::pageValues() const {
  std::vector<std::uint8_t> values;
  for (int tab = 0; tab < kAdjustTabCount; ++tab)
    if (TabEnabled(tab, tunedItem_, wide_)) values.push_back(static_cast<std::uint8_t>(std::max(value(PointCode(tab, tunedItem_)), 0)));
  return values;
}

std::size_t TestModeResponder::consume(std::span<const std::uint8_t> b, std::vector<std::uint8_t>& reply) {
  if (faults_.silentAfter >= 0 && replies_ >= faults_.silentAfter) return b.size();  // the cable is out
  if (!inTestMode_) return consumeEntryWord(b, reply);
  const bool afterBlock = afterBlock_;
  afterBlock_ = false;
  // Channel and signalling come first: their number may be any byte, 0x0A and 0x0D included;
  // no point code or item is 0x10 or 0x11.
  if (b[0] == 0x10 || b[0] == 0x11) return consumeChannelOrSignalling(b, reply);
  // Two- and three-byte commands carry their kind in the second byte.
  if (b.size() >= 2 && (b[1] == 0x0D || b[1] == 0x0E || b[1] == 0x0A))
    return consumePointCommand(b, reply, afterBlock);
  if (b.size() >= 3 && b[1] == 0x20) {
    setValue(b[0], b[2]);
    return 3;
  }
  return consumeSingleByte(b, reply, afterBlock);
}

std::size_t TestModeResponder::consumeEntryWord(std::span<const std::uint8_t> b, std::vector<std::uint8_t>& reply) {
  const std::size_t have = std::min(b.size(), kEntryWord.size());
  if (!std::equal(b.begin(), b.begin() + static_cast<std::ptrdiff_t>(have), kEntryWord.begin()))
    return VirtualRadio::kNotMine;
  if (have < kEntryWord.size()) return 0;
  inTestMode_ = true;
  pttKeyed_ = false;
  radio_.setExtraHandlerFirst(true);
  answer(reply, {kAck});
  return kEntryWord.size();
}

std::size_t TestModeResponder::consumeChannelOrSignalling(std::span<const std::uint8_t> b,
                                                          std::vector<std::uint8_t>& reply) {
  if (b.size() < 2) return 0;
  const int n = b[1];
  if (b[0] == 0x10) {
    std::vector<std::uint8_t> bytes(8, 0xFF);
    if (n >= 1 && n <= kTestChannelCount && channels_[static_cast<std::size_t>(n)])
      bytes.assign(channels_[static_cast<std::size_t>(n)]->begin(), channels_[static_cast<std::size_t>(n)]->end());
    answer(reply, std::move(bytes));
    ackAnswered_ = true;
  } else {
    signalling_ = n;
    answer(reply, {kAck});
  }
  return 2;
}

// "p 0x0D" tunes, releases PTT or selects a page; "p 0x0E" keys PTT or stores a point (OK);
// "p 0x0A" polls a value.
std::size_t TestModeResponder::consumePointCommand(std::span<const std::uint8_t> b,
                                                   std::vector<std::uint8_t>& reply, bool afterBlock) {
  const int p = b[0];
  if (b[1] == 0x0D) {
    // Tuning item 8 sends the same two bytes as a PTT release; only the block read just before
    // tells them apart.
    if (afterBlock) {
      tunedItem_ = p;
      answer(reply, {kAck});
    } else if (p == 8) {
      pttKeyed_ = false;
      answer(reply, {kAck});
    } else {
      pageCode_ = p;  // selecting a page is not answered
      pageAckOwed_ = faults_.ackPageSelect;
    }
  } else if (b[1] == 0x0E) {
    if (p == 8) {
      pttKeyed_ = true;
      answer(reply, {kAck});
    }  // OK on a point stores it; nothing is answered
  } else {
    // Polled values wander a little, as a live measurement does.
    ++polls_;
    const int base = std::max(value(p), 0);
    answer(reply, {static_cast<std::uint8_t>(std::clamp(base + (polls_ % 3) - 1, 0, 255))});
    ackAnswered_ = false;
  }
  return 2;
}

std::size_t TestModeResponder::consumeSingleByte(std::span<const std::uint8_t> b,
                                                 std::vector<std::uint8_t>& reply, bool afterBlock) {
  switch (b[0]) {
    case 0x02: {
      const auto id = VirtualRadio::IdentityReply(radio_.identity());
      answer(reply, {id.begin(), id.begin() + 8});
      ackAnswered_ = true;
      return 1;
    }
    case 0x05: {
      std::vector<std::uint8_t> block(static_cast<std::size_t>(kAdjustBlockLength), 0xFF);
      for (std::size_t i = 0; i < AdjustBlockCodes().size(); ++i)
        block[i] = radio_.memory()[static_cast<std::size_t>(kAlignmentBase) + i];
      answer(reply, std::move(block));
      ackAnswered_ = true;
      afterBlock_ = true;
      return 1;
    }
    case kAck:
      if (ackAnswered_) answer(reply, {kAck});
      ackAnswered_ = false;
      afterBlock_ = afterBlock;  // the block's acknowledge comes between it and the tune
      return 1;
    case 0x07: {
      std::vector<std::uint8_t> values = pageValues();
      if (std::exchange(pageAckOwed_, false)) values.insert(values.begin(), kAck);
      answer(reply, std::move(values));
      ackAnswered_ = false;
      return 1;
    }
    case 0x45:
      ++ends_;
      inTestMode_ = false;
      pttKeyed_ = false;
      radio_.setExtraHandlerFirst(false);
      answer(reply, {kAck});
      return 1;
    case 0x46:
    case 0x47:
      wide_ = b[0] == 0x46;
      answer(reply, {kAck});
      return 1;
    default:
      // A lone byte that may still become a two-byte command waits for its second byte.
      if (b.size() < 2) return 0;
      return 1;  // not a command: dropped
  }
}

}  // namespace kr4100::sim
