// SPDX-License-Identifier: GPL-3.0-or-later
// The radio's 8192-byte memory image and the conversion of the configuration record into it and
// back. Addresses and the meaning of every byte are described here once.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/config/document.h"
#include "core/config/radio_config.h"
#include "core/config/record_fields_blocks.h"

namespace kr4100 {

inline constexpr std::size_t kImageSize = 8192;
using RadioImage = std::array<std::uint8_t, kImageSize>;

namespace image_map {
inline constexpr int kChannelBase = 0x0010;       // 360 records of 18 bytes
inline constexpr int kChannelRecordSize = 18;
inline constexpr int kPresentBitmap = 0x1D00;     // 8 bytes per group
inline constexpr int kScanBitmap = 0x1D30;        // 8 bytes per group
inline constexpr int kOptions = 0x1D60;           // option bytes 0x1D60..0x1D85
inline constexpr int kIdentity = 0x1D90;          // the radio's 14-byte identity reply
inline constexpr int kIdentityBandCode = ImageAtOf(&ModelInfo::BandType);  // 0x1D97, within it
static_assert(ImageAtOf(&ModelInfo::ModelCode) == kIdentity + 1 && kIdentityBandCode == 0x1D97);
inline constexpr int kEmbMsg1 = ImageAtOf(&RadioConfig::EmbMsg1);  // 0x1DA0
inline constexpr int kEmbMsg2 = ImageAtOf(&RadioConfig::EmbMsg2);  // 0x1DC0
inline constexpr int kRadioInfoBlock = 0x1F00;    // read by the radio-information session
inline constexpr int kConfigEndRead = 0x1E00;     // a read covers 0x0000..0x1DFF
inline constexpr int kConfigEnd = 0x1DE0;         // a write stops before it; progress counts to it
// Address of the record of channel number n (1..60) in group g (0..5).
constexpr int ChannelRecord(int n, int g) {
  return kChannelBase + kChannelRecordSize * (60 * g + n - 1);
}
}  // namespace image_map

// Before a read or a write: every byte 0xFF, the two bitmaps (0x1D00..0x1D5F) zero.
void PrepareImage(RadioImage& image);

// Empty text or eight "F": eight "F"; otherwise the text cut at its first NUL, trailing blanks
// removed, padded with "0" on the right to width characters.
std::string PadFreText(std::string_view text, std::size_t width);

// Why packing or unpacking refused: names the setting or the channel so the user can fix it.
struct ImageError {
  std::string what;  // English, e.g. "RbFre (70000) does not fit the radio's memory"
};

// Writes the working record into a prepared image. Refuses (image untouched) when a value does not
// fit its byte or bytes, before anything could be sent.
std::optional<ImageError> PackImage(const RadioConfig& config, RadioImage& image);
// One used channel at the place of its number; a frequency's 10 Hz digit goes into the fine
// offset. Refuses, writing nothing, a number outside 1..60, a Scan or flag other than 0/1, or a
// frequency with a 1 Hz digit.
std::optional<ImageError> PackChannel(const ChInfo& entry, int group, RadioImage& image);
// The option bytes; refuses, writing nothing, when a value does not fit (a switch sharing a byte
// with others must be 0 or 1).
std::optional<ImageError> PackOptions(const RadioConfig& config, RadioImage& image);
void PackMessages(const RadioConfig& config, RadioImage& image);

// Rebuilds the channel table, ModelInfo, option features and embedded messages of the document's
// working record from an image read from the radio. Everything is decoded into a copy first; the
// document changes only when the whole image decoded (then the document state follows ModelInfo).
std::optional<ImageError> UnpackImage(const RadioImage& image, Document& doc);
// Steps of UnpackImage, on a record copy; band edges are not needed (stored texts only). After a
// refusal the copy is half decoded and must be thrown away.
// All of them in UnpackImage's order: the channel table, identity, messages and options.
std::optional<ImageError> UnpackRecord(const RadioImage& image, RadioConfig& config);
// Appends channel chNum of the group when its present bit is set and it has a receive frequency.
std::optional<ImageError> UnpackChannel(const RadioImage& image, int chNum, int group,
                                        RadioConfig& config);
std::optional<ImageError> UnpackOptions(const RadioImage& image, RadioConfig& config);
void UnpackMessages(const RadioImage& image, RadioConfig& config);
void UnpackIdentity(const RadioImage& image, RadioConfig& config);

// The texts the radio keeps about itself (0x1F08..0x1FEF), each the area's text followed by a NUL.
struct RadioInfo {
  FixedText<4> AreaCode;
  FixedText<16> SerialNumber;
  FixedText<16> ProductionDate;
  FixedText<8> ManufactureCode;
  FixedText<4> UserCode;
  FixedText<16> MaintenanceDate;
  FixedText<16> DealerCode;
  FixedText<16> StockDate;
  FixedText<16> SellDate;
  FixedText<16> Seller;
  FixedText<96> MaintenanceDescription;
  friend bool operator==(const RadioInfo&, const RadioInfo&) = default;
};
RadioInfo UnpackRadioInfo(const RadioImage& image);
// The inverse, for the virtual radio's memory: each text into its area, 0xFF after it.
void PackRadioInfo(const RadioInfo& info, RadioImage& image);

}  // namespace kr4100
