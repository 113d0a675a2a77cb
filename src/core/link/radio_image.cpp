// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/radio_image.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdio>
#include <string>
#include <type_traits>

#include "core/config/channel_attributes.h"
#include "core/config/conversions.h"
#include "core/config/record_fields.h"
#include "core/config/record_fields_blocks.h"

namespace kr4100 {
namespace {

using image_map::ChannelRecord;

constexpr std::string_view kNoFrequency = "FFFFFFFF";

// Channel record offsets, from the channel field table.
constexpr int kRxBcd = ChannelFieldOf(&ChInfo::RxFre).imageOffset;
constexpr int kRxOffset = ChannelFieldOf(&ChInfo::RxSubCode).imageOffset;
constexpr int kTxBcd = ChannelFieldOf(&ChInfo::TxFre).imageOffset;
constexpr int kTxOffset = ChannelFieldOf(&ChInfo::TxSubCode).imageOffset;
constexpr int kFlags = ChannelFieldOf(&ChInfo::Busy).imageOffset;

constexpr int kMessageSize = 32;

bool InScanBitmap(const ChannelAttribute& a) { return a.imageBit == kInScanBitmap; }

std::size_t At(int address) { return static_cast<std::size_t>(address); }

// Groups are lettered A..F wherever the user sees them.
std::string ChannelName(int chNum, int group) {
  const std::string letter = group >= 0 && group < kGroupCount
                                 ? std::string(1, static_cast<char>('A' + group))
                                 : std::to_string(group);
  return "Channel " + std::to_string(chNum) + " of group " + letter;
}

ImageError DoesNotFit(const std::string& what, long value) {
  return {what + " (" + std::to_string(value) + ") does not fit the radio's memory"};
}

// A switch owns one bit of its byte: any other value than 0 or 1 would set its neighbours.
bool FitsSwitch(long value) {
  return value == 0 || value == 1;
}

std::optional<ImageError> CheckSwitch(std::string_view what, long value) {
  if (FitsSwitch(value)) return std::nullopt;
  return DoesNotFit(std::string(what), value);
}

int BitIndex(int chNum, int group, int base) { return base + 8 * group + (chNum - 1) / 8; }
std::uint8_t BitMask(int chNum) { return static_cast<std::uint8_t>(1u << ((chNum - 1) % 8)); }

bool TestBit(const RadioImage& image, int chNum, int group, int base) {
  return (image[At(BitIndex(chNum, group, base))] & BitMask(chNum)) != 0;
}

void SetBit(RadioImage& image, int chNum, int group, int base) {
  image[At(BitIndex(chNum, group, base))] |= BitMask(chNum);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Frequency bytes of a channel record: three BCD bytes down to 100 Hz, then the fine offset.
using FrequencyBytes = std::array<std::uint8_t, 5>;

// The digits of a padded stored text down to 100 Hz go as BCD and the 10 Hz digit as an added fine
// offset, so the radio gets exactly the frequency the program shows and a channel read from the
// radio keeps its frequency when written back. Only eight digits make a frequency; anything else
// (an exponent form, a sign, a stray point) would put bytes the radio cannot read into its memory,
// so it goes as "no frequency". Nothing when the text has a 1 Hz digit: the offset counts 10 Hz
// steps, and the radio must not get another frequency than the one shown.
std::optional<FrequencyBytes> EncodeFrequency(const FixedText<8>& fre) {
  const std::string t = PadFreText(fre.raw(), 8);
  if (t.size() != 8 || !std::all_of(t.begin(), t.end(), IsDigit))
    return FrequencyBytes{0xFF, 0xFF, 0xFF, 0x00, 0x00};
  if (t[7] != '0') return std::nullopt;
  FrequencyBytes bytes{};
  for (std::size_t i = 0; i < 3; ++i) {
    const auto hi = static_cast<unsigned>(t[2 * i] - '0');
    const auto lo = static_cast<unsigned>(t[2 * i + 1] - '0');
    bytes[i] = static_cast<std::uint8_t>(hi << 4 | lo);
  }
  bytes[3] = static_cast<std::uint8_t>(t[6] - '0');  // 10 Hz steps, sign bit clear: add
  bytes[4] = 0x00;
  return bytes;
}

std::optional<ImageError> EncodeChannelFrequency(const FixedText<8>& fre, int chNum, int group,
                                                 const char* which, FrequencyBytes& bytes) {
  const auto encoded = EncodeFrequency(fre);
  if (!encoded)
    return ImageError{ChannelName(chNum, group) + ": " + which + " frequency " +
                      FreToText(PadFreText(fre.raw(), 8), BandEdges{}) +
                      " MHz is not on the radio's 10 Hz steps"};
  bytes = *encoded;
  return std::nullopt;
}

// The stored text of three BCD bytes (Hz, the two lowest digits zero), or nothing when a nibble is
// not a decimal digit.
std::optional<std::string> DecodeFrequency(const RadioImage& image, int at) {
  // Every channel marked present comes here, in a blank memory with 0xFF bytes: the nibbles are
  // checked before any text is made.
  std::string s;
  for (int i = 0; i < 3; ++i) {
    const std::uint8_t b = image[At(at + i)];
    if (b >> 4 > 9 || (b & 0x0F) > 9) return std::nullopt;
    s += ByteHex(b);
  }
  return s + "00";
}

struct FineOffset {
  int magnitude;  // Hz
  bool subtract;
};

// Bit 7 of the second byte is the sign; the rest counts 10 Hz steps.
FineOffset DecodeOffset(const RadioImage& image, int at) {
  const int steps = (image[At(at + 1)] & 0x7F) * 256 + image[At(at)];
  return {steps * 10, (image[At(at + 1)] & 0x80) != 0};
}

// The stored text of eight digits moved by the fine offset, again as eight digits (a frequency
// below 10 MHz keeps its leading zero, or it would read back ten times too high). Refused when the
// sub code does not fit its Integer or the result leaves the eight digits.
std::optional<ImageError> ApplyOffset(const std::string& stored, const FineOffset& offset,
                                      int chNum, int group, const char* which,
                                      FixedText<8>& fre) {
  // Every channel of a read comes here: the text is made only for a refusal.
  const auto outOfRange = [&] {
    return ImageError{ChannelName(chNum, group) + ": " + which +
                      " fine offset read from the radio (" + std::to_string(offset.magnitude) +
                      " Hz) is out of range"};
  };
  if (offset.magnitude > 32767) return outOfRange();
  const long hz = std::stol(stored) + (offset.subtract ? -offset.magnitude : offset.magnitude);
  if (hz < 0 || hz > 99'999'999) return outOfRange();
  char text[16];
  std::snprintf(text, sizeof text, "%08ld", hz);
  fre = text;
  return std::nullopt;
}

void PackMessage(const FixedText<kMessageSize>& message, RadioImage& image, int base) {
  const std::string text = message.text();
  for (int i = 0; i < kMessageSize; ++i) {
    const std::size_t k = static_cast<std::size_t>(i);
    image[At(base + i)] = k < text.size() ? static_cast<std::uint8_t>(text[k]) : std::uint8_t{0xFF};
  }
}

void UnpackMessage(const RadioImage& image, int base, FixedText<kMessageSize>& message) {
  std::string text;
  for (int i = 0; i < kMessageSize && image[At(base + i)] != 0xFF; ++i)
    text += static_cast<char>(image[At(base + i)]);
  if (text.size() < static_cast<std::size_t>(kMessageSize)) text += '\0';
  message = text;
}

// The radio-information areas, described once for both directions.
template <class Info, class Visit>
void ForEachInfoArea(Info& info, Visit&& visit) {
  visit(info.AreaCode, 0x1F08);
  visit(info.SerialNumber, 0x1F10);
  visit(info.ProductionDate, 0x1F20);
  visit(info.ManufactureCode, 0x1F30);
  visit(info.UserCode, 0x1F38);
  visit(info.MaintenanceDate, 0x1F40);
  visit(info.DealerCode, 0x1F50);
  visit(info.StockDate, 0x1F60);
  visit(info.SellDate, 0x1F70);
  visit(info.Seller, 0x1F80);
  visit(info.MaintenanceDescription, 0x1F90);
}

}  // namespace

void PrepareImage(RadioImage& image) {
  image.fill(0xFF);
  std::fill(image.begin() + image_map::kPresentBitmap, image.begin() + image_map::kOptions,
            std::uint8_t{0x00});
}

std::string PadFreText(std::string_view text, std::size_t width) {
  // A field that holds nothing but blanks is as empty as an empty one.
  std::string_view t = text.substr(0, text.find('\0'));
  t = t.substr(0, t.find_last_not_of(' ') + 1);
  if (t.empty() || t == kNoFrequency) return std::string(kNoFrequency);
  std::string padded(t);
  if (padded.size() < width) padded.append(width - padded.size(), '0');
  return padded;
}

// ---- Packing ------------------------------------------------------------------------------------

std::optional<ImageError> PackChannel(const ChInfo& entry, int group, RadioImage& image) {
  const int n = entry.ChNum;
  if (group < 0 || group >= kGroupCount || n < 1 || n > kChannelsPerGroup)
    return ImageError{ChannelName(n, group) +
                      " cannot be stored in the radio (numbers are 1 to 60)"};
  // Each switch owns one bit; those of the scan bitmap are named first. Every channel of a write
  // comes here: the name is made only for a refusal.
  for (const bool bitmap : {true, false})
    for (const ChannelAttribute& a : kChannelAttributes)
      if (InScanBitmap(a) == bitmap && !FitsSwitch(entry.*a.member))
        return DoesNotFit(ChannelName(n, group) + ": " + a.field, entry.*a.member);
  FrequencyBytes rx{};
  FrequencyBytes tx{};
  if (auto error = EncodeChannelFrequency(entry.RxFre, n, group, "receive", rx)) return error;
  if (auto error = EncodeChannelFrequency(entry.TxFre, n, group, "transmit", tx)) return error;

  // The place follows the channel number, not the slot.
  const int r = ChannelRecord(n, group);
  std::copy(rx.begin(), rx.end(), image.begin() + r + kRxBcd);
  std::copy(tx.begin(), tx.end(), image.begin() + r + kTxBcd);
  int flags = 0;
  for (const ChannelAttribute& a : kChannelAttributes) {
    if (!InScanBitmap(a))
      flags |= entry.*a.member << a.imageBit;
    else if (entry.*a.member == 1)
      SetBit(image, n, group, image_map::kScanBitmap);
  }
  image[At(r + kFlags)] = static_cast<std::uint8_t>(flags);
  SetBit(image, n, group, image_map::kPresentBitmap);
  return std::nullopt;
}

std::optional<ImageError> PackOptions(const RadioConfig& config, RadioImage& image) {
  std::array<std::uint8_t, kOptionBlockSize> block;
  std::copy_n(image.begin() + image_map::kOptions, kOptionBlockSize, block.begin());
  // A byte of switches is made whole from its bits; the bits it has no switch for stay clear.
  for (const OptionFeature* f : kOptionFeaturesPacked)
    if (f->image == OptionImage::Bit) block[At(f->imageOffset)] = 0;

  for (const OptionFeature* f : kOptionFeaturesPacked) {
    const int value = config.OptFeat[At(f->index)];
    const std::size_t at = At(f->imageOffset);
    switch (f->image) {
      case OptionImage::None:
        break;
      case OptionImage::Word:
        if (value < 0 || value > 0xFFFF) return DoesNotFit(f->name, value);
        block[at] = static_cast<std::uint8_t>(value >> 8);
        block[at + 1] = static_cast<std::uint8_t>(value & 0xFF);
        break;
      case OptionImage::Emergency:
        // -1 is how a group without channels keeps its emergency channel.
        if (value == -1) {
          block[at] = 0xFF;
          break;
        }
        [[fallthrough]];
      case OptionImage::Byte:
      case OptionImage::Volume:
        if (value < 0 || value > 0xFF) return DoesNotFit(f->name, value);
        block[at] = static_cast<std::uint8_t>(value);
        break;
      case OptionImage::Bit:
        if (auto error = CheckSwitch(f->name, value)) return error;
        block[at] = static_cast<std::uint8_t>(block[at] | value << f->imageBit);
        break;
    }
  }

  std::copy(block.begin(), block.end(), image.begin() + image_map::kOptions);
  return std::nullopt;
}

void PackMessages(const RadioConfig& config, RadioImage& image) {
  PackMessage(config.EmbMsg1, image, image_map::kEmbMsg1);
  PackMessage(config.EmbMsg2, image, image_map::kEmbMsg2);
}

std::optional<ImageError> PackImage(const RadioConfig& config, RadioImage& image) {
  // Nothing may reach the radio half packed: work on a copy, keep it only when all of it fit.
  RadioImage packed = image;
  for (int g = 0; g < kGroupCount; ++g) {
    for (int c = 1; c <= config.usedChannels(g); ++c)
      if (auto error = PackChannel(config.slot(c, g), g, packed)) return error;
  }
  if (auto error = PackOptions(config, packed)) return error;
  PackMessages(config, packed);
  image = packed;
  return std::nullopt;
}

// ---- Unpacking ----------------------------------------------------------------------------------

std::optional<ImageError> UnpackChannel(const RadioImage& image, int chNum, int group,
                                        RadioConfig& config) {
  if (group < 0 || group >= kGroupCount || chNum < 1 || chNum > kChannelsPerGroup)
    return std::nullopt;
  if (!TestBit(image, chNum, group, image_map::kPresentBitmap)) return std::nullopt;

  const int r = ChannelRecord(chNum, group);
  // A channel marked present without a receive frequency is dropped; its other bytes mean nothing.
  const auto rx = DecodeFrequency(image, r + kRxBcd);
  if (!rx) return std::nullopt;
  ChInfo entry;
  entry.ChNum = static_cast<Integer>(chNum);
  entry.ChUsed = 1;
  const FineOffset rxOffset = DecodeOffset(image, r + kRxOffset);
  if (auto error = ApplyOffset(*rx, rxOffset, chNum, group, "receive", entry.RxFre)) return error;
  entry.RxSubCode = static_cast<Integer>(rxOffset.magnitude);

  if (const auto tx = DecodeFrequency(image, r + kTxBcd)) {
    const FineOffset txOffset = DecodeOffset(image, r + kTxOffset);
    if (auto error = ApplyOffset(*tx, txOffset, chNum, group, "transmit", entry.TxFre))
      return error;
    entry.TxSubCode = static_cast<Integer>(txOffset.magnitude);
  } else {
    // Without a readable transmit frequency the channel transmits where it receives, as a channel
    // created in the grid does; the slot's old content belongs to another channel.
    entry.TxFre = entry.RxFre;
  }

  const std::uint8_t flags = image[At(r + kFlags)];
  for (const ChannelAttribute& a : kChannelAttributes)
    entry.*a.member = static_cast<Integer>(
        InScanBitmap(a) ? TestBit(image, chNum, group, image_map::kScanBitmap)
                        : (flags >> a.imageBit) & 1);

  Integer& count = config.ChCount[At(group)];
  count = static_cast<Integer>(std::clamp<int>(count, 0, kChannelsPerGroup - 1) + 1);
  config.slot(count, group) = entry;
  return std::nullopt;
}

std::optional<ImageError> UnpackOptions(const RadioImage& image, RadioConfig& config) {
  const auto byteAt = [&](int offset) { return image[At(image_map::kOptions + offset)]; };
  for (const OptionFeature* f : kOptionFeaturesPacked) {
    Integer& value = config.OptFeat[At(f->index)];
    const int b = byteAt(f->imageOffset);
    switch (f->image) {
      case OptionImage::None:
        break;
      case OptionImage::Byte:
        value = static_cast<Integer>(b);
        break;
      case OptionImage::Word:
        // The record keeps a signed 16-bit Integer.
        if (b >= 0x80)
          return ImageError{std::string(f->name) + " read from the radio (" +
                            std::to_string(b * 256 + byteAt(f->imageOffset + 1)) +
                            ") is out of range"};
        value = static_cast<Integer>(b * 256 + byteAt(f->imageOffset + 1));
        break;
      case OptionImage::Emergency:
        value = static_cast<Integer>(b == 0xFF ? -1 : b);
        break;
      case OptionImage::Volume:
        value = static_cast<Integer>(b >= 64 ? 0 : b);
        break;
      case OptionImage::Bit:
        value = static_cast<Integer>((b >> f->imageBit) & 1);
        break;
    }
  }
  return std::nullopt;
}

void UnpackMessages(const RadioImage& image, RadioConfig& config) {
  UnpackMessage(image, image_map::kEmbMsg1, config.EmbMsg1);
  UnpackMessage(image, image_map::kEmbMsg2, config.EmbMsg2);
}

void UnpackIdentity(const RadioImage& image, RadioConfig& config) {
  ForEachField(kModelInfoFields, [&](const auto& field) {
    if (field.imageAt == kNoImage) return;
    auto& value = config.ModelInfo.*field.member;
    if constexpr (std::is_same_v<std::remove_reference_t<decltype(value)>, Integer>) {
      value = image[At(field.imageAt)];
    } else {
      // Stored as a new document stores it, text then NUL, so the same radio reads back the
      // same code.
      std::string code;
      for (std::size_t i = 0; i < kIdentityModelCodeLength; ++i) {
        const std::uint8_t b = image[At(field.imageAt) + i];
        code += b == 0xFF ? '\0' : static_cast<char>(b);
      }
      value = code + '\0';
    }
  });
}

std::optional<ImageError> UnpackRecord(const RadioImage& image, RadioConfig& config) {
  for (int g = 0; g < kGroupCount; ++g) {
    config.ChCount[At(g)] = 0;
    // Ascending numbers, so the slots come back sorted.
    for (int n = 1; n <= kChannelsPerGroup; ++n)
      if (auto error = UnpackChannel(image, n, g, config)) return error;
  }
  UnpackIdentity(image, config);
  UnpackMessages(image, config);
  return UnpackOptions(image, config);
}

std::optional<ImageError> UnpackImage(const RadioImage& image, Document& doc) {
  RadioConfig record = doc.working();
  if (auto error = UnpackRecord(image, record)) return error;
  doc.ReplaceWorking(record);
  return std::nullopt;
}

// ---- Radio information --------------------------------------------------------------------------

RadioInfo UnpackRadioInfo(const RadioImage& image) {
  RadioInfo info;
  ForEachInfoArea(info, [&](auto& field, int at) {
    std::string text;
    for (std::size_t i = 0; i < field.size(); ++i) {
      const std::uint8_t b = image[At(at) + i];
      if (b == 0xFF || b == 0x00) break;
      text += static_cast<char>(b);
    }
    text.erase(text.find_last_not_of(' ') + 1);
    field = text + '\0';
  });
  return info;
}

void PackRadioInfo(const RadioInfo& info, RadioImage& image) {
  ForEachInfoArea(info, [&](const auto& field, int at) {
    const std::string text = field.text();
    for (std::size_t i = 0; i < field.size(); ++i)
      image[At(at) + i] = i < text.size() ? static_cast<std::uint8_t>(text[i]) : std::uint8_t{0xFF};
  });
}

}  // namespace kr4100
