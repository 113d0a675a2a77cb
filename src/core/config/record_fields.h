// SPDX-License-Identifier: GPL-3.0-or-later
// The fields of a channel and the option features, each described once: its name and order in the
// data file, its place in the radio image, its default, its label, how it is shown, and whether
// the modified test compares it and the printout shows it. The data file layout, the image packer,
// the defaults, the comparison, the difference listing and the print pages walk these tables.
#pragma once

#include <array>
#include <cstddef>

#include "core/config/channel_attributes.h"
#include "core/config/radio_config.h"
#include "core/texts/bilingual.h"
#include "core/texts/channel_texts.h"

namespace kr4100 {

// ---- channel record -------------------------------------------------------------------------

inline constexpr Bilingual kRxFrequency{"RX frequency", "接收频率"};
inline constexpr Bilingual kTxFrequency{"TX frequency", "发射频率"};
inline constexpr Bilingual kRxSubCode{"RX sub code", "接收亚音码"};
inline constexpr Bilingual kTxSubCode{"TX sub code", "发射亚音码"};

// How a channel field is shown and edited.
enum class ChannelFieldKind {
  Number,     // the channel number, the grid's first column
  InUse,      // bookkeeping of the slot: 1 while it holds a channel
  Frequency,  // stored text of eight digits, shown in MHz
  Switch,     // one of kChannelAttributes, shown by its words
  SubCode,    // what the radio reported; no window edits it
};

// Where a channel field lies in the radio's 18-byte channel record.
enum class ChannelImage {
  Place,       // the record's address and the present bitmap stand for it
  Frequency,   // three BCD bytes at the offset, then the two bytes of the fine offset
  FineOffset,  // the fine offset at the offset, read back only
  Switch,      // the switch's bit (ChannelAttribute::imageBit)
};

struct ChannelField {
  const char* name;            // as the data file layout and the dump name it
  Integer ChInfo::*number;     // a number field, or
  FixedText<8> ChInfo::*text;  // a frequency
  ChannelFieldKind kind;
  int column;              // ChannelColumn, or -1 for a field the grid has no column for
  const Bilingual* label;  // the difference listing's name; none for bookkeeping
  bool compared;           // by the document-modified test
  bool printed;            // on the channel page (in column order)
  ChannelImage image;
  int imageOffset;  // from the start of the channel record
};

inline constexpr int kNoColumn = -1;

// In the data file's order.
inline constexpr std::array<ChannelField, 13> kChannelFields{{
    {"ChNum", &ChInfo::ChNum, nullptr, ChannelFieldKind::Number, 0, nullptr, true, true,
     ChannelImage::Place, 0},
    {"ChUsed", &ChInfo::ChUsed, nullptr, ChannelFieldKind::InUse, kNoColumn, nullptr, true, false,
     ChannelImage::Place, 0},
    {"RxFre", nullptr, &ChInfo::RxFre, ChannelFieldKind::Frequency, kColRxFre, &kRxFrequency, true,
     true, ChannelImage::Frequency, 0},
    {"TxFre", nullptr, &ChInfo::TxFre, ChannelFieldKind::Frequency, kColTxFre, &kTxFrequency, true,
     true, ChannelImage::Frequency, 5},
    {"Scan", &ChInfo::Scan, nullptr, ChannelFieldKind::Switch, kColScan,
     &AttributeOfColumn(kColScan)->heading, true, true, ChannelImage::Switch, 10},
    {"Busy", &ChInfo::Busy, nullptr, ChannelFieldKind::Switch, kColBusy,
     &AttributeOfColumn(kColBusy)->heading, true, true, ChannelImage::Switch, 10},
    {"Echo", &ChInfo::Echo, nullptr, ChannelFieldKind::Switch, kColEcho,
     &AttributeOfColumn(kColEcho)->heading, true, true, ChannelImage::Switch, 10},
    {"HiCut", &ChInfo::HiCut, nullptr, ChannelFieldKind::Switch, kColHiCut,
     &AttributeOfColumn(kColHiCut)->heading, true, true, ChannelImage::Switch, 10},
    {"Plus10K", &ChInfo::Plus10K, nullptr, ChannelFieldKind::Switch, kColPlus10K,
     &AttributeOfColumn(kColPlus10K)->heading, true, true, ChannelImage::Switch, 10},
    {"NbAnl", &ChInfo::NbAnl, nullptr, ChannelFieldKind::Switch, kColNbAnl,
     &AttributeOfColumn(kColNbAnl)->heading, true, true, ChannelImage::Switch, 10},
    {"Rb", &ChInfo::Rb, nullptr, ChannelFieldKind::Switch, kColRb,
     &AttributeOfColumn(kColRb)->heading, true, true, ChannelImage::Switch, 10},
    // The sub codes are what the radio reported, not something the user edits.
    {"RxSubCode", &ChInfo::RxSubCode, nullptr, ChannelFieldKind::SubCode, kNoColumn, &kRxSubCode,
     false, false, ChannelImage::FineOffset, 3},
    {"TxSubCode", &ChInfo::TxSubCode, nullptr, ChannelFieldKind::SubCode, kNoColumn, &kTxSubCode,
     false, false, ChannelImage::FineOffset, 8},
}};
inline constexpr int kChannelFieldCount = static_cast<int>(kChannelFields.size());

// The switch a field is, for a Switch field.
constexpr const ChannelAttribute* AttributeOfField(const ChannelField& f) {
  return f.kind == ChannelFieldKind::Switch ? AttributeOfColumn(f.column) : nullptr;
}

// The field a member is, by its member pointer.
constexpr const ChannelField& ChannelFieldOf(FixedText<8> ChInfo::*member) {
  for (const ChannelField& f : kChannelFields)
    if (f.text == member) return f;
  throw "not a channel field";
}
constexpr const ChannelField& ChannelFieldOf(Integer ChInfo::*member) {
  for (const ChannelField& f : kChannelFields)
    if (f.number == member) return f;
  throw "not a channel field";
}

// The labelled fields in the order the grid shows them (its columns first), then the others in
// the file's order: the order a difference listing and a printed row give them.
constexpr std::array<const ChannelField*, kChannelFieldCount> ChannelFieldsShown() {
  std::array<const ChannelField*, kChannelFieldCount> out{};
  std::size_t n = 0;
  for (int column = 0; column < kChannelColumnCount; ++column)
    for (const ChannelField& f : kChannelFields)
      if (f.column == column) out[n++] = &f;
  for (const ChannelField& f : kChannelFields)
    if (f.column == kNoColumn) out[n++] = &f;
  return out;
}
inline constexpr auto kChannelFieldsShown = ChannelFieldsShown();

constexpr bool EveryColumnHasOneField() {
  for (int column = 0; column < kChannelColumnCount; ++column) {
    int n = 0;
    for (const ChannelField& f : kChannelFields) n += f.column == column;
    if (n != 1) return false;
  }
  for (const ChannelAttribute& a : kChannelAttributes)
    if (ChannelFieldOf(a.member).column != a.column) return false;
  return true;
}
static_assert(EveryColumnHasOneField(), "each grid column and each switch is one field");

// ---- option features ------------------------------------------------------------------------

// How an option feature sits in the radio's option block.
enum class OptionImage {
  None,       // kept in the file only
  Byte,       // 0..255
  Word,       // 16 bits, high byte first
  Emergency,  // channel number - 1, 0xFF when the group has no channel
  Volume,     // 0..63; a larger byte from the radio means 0
  Bit,        // one bit of a byte of switches
};

struct OptionFeature {
  int index;         // into OptFeat
  const char* name;  // as an image refusal names it
  Integer byDefault;
  OptionImage image;
  int imageOffset;  // from image_map::kOptions
  int imageBit;     // for OptionImage::Bit
};

inline constexpr int kModeEnableByte = 12;
inline constexpr int kDefaultFlagByte = 14;  // a new channel's switches, at the channel's bits
inline constexpr int kOptionBlockSize = 38;

constexpr int FlagBitOf(int column) {
  return AttributeOfColumn(column)->imageBit;
}

// In OptFeat's order; every option feature is compared and printed.
inline constexpr std::array<OptionFeature, kOptFeatCount> kOptionFeatures{{
    {kTot, "Tot", 2, OptionImage::Byte, 0, 0},
    {kRbFre, "RbFre", 105, OptionImage::Word, 1, 0},
    {kRbTime, "RbTime", 2, OptionImage::Byte, 3, 0},
    {kCwSideTone, "CwSideTone", 105, OptionImage::Word, 4, 0},
    {kFreStep, "FreStep", 3, OptionImage::Byte, 6, 0},
    {kLcdDisplay, "LcdDisplay", 1, OptionImage::Byte, 16, 0},
    {kScanMode, "ScanMode", 0, OptionImage::Byte, 17, 0},
    {kScanResumeTime, "ScanResumeTime", 4, OptionImage::Byte, 7, 0},
    {kLcdDisplayInTx, "LcdDisplayInTx", 0, OptionImage::Byte, 8, 0},
    {kSwrProtect, "SwrProtect", 60, OptionImage::Byte, 9, 0},
    {kBatVoltMin, "BatVoltMin", 110, OptionImage::Byte, 11, 0},
    {kBatVoltMax, "BatVoltMax", 160, OptionImage::Byte, 10, 0},
    {kLsbEnable, "LsbEnable", 1, OptionImage::Bit, kModeEnableByte, 0},
    {kUsbEnable, "UsbEnable", 1, OptionImage::Bit, kModeEnableByte, 1},
    {kFmEnable, "FmEnable", 1, OptionImage::Bit, kModeEnableByte, 2},
    {kAmEnable, "AmEnable", 1, OptionImage::Bit, kModeEnableByte, 3},
    {kPaEnable, "PaEnable", 1, OptionImage::Bit, kModeEnableByte, 4},
    {kCwEnable, "CwEnable", 1, OptionImage::Bit, kModeEnableByte, 5},
    {kSingleChangeData, "SingleChangeData", 0, OptionImage::Byte, 13, 0},
    {kCommonOption, "CommonOption", 0, OptionImage::None, 0, 0},
    {kSingleChangeRxTxFre, "SingleChangeRxTxFre", 0, OptionImage::Byte, 15, 0},
    {kFmSqCloseDelay, "FmSqCloseDelay", 9, OptionImage::Byte, 18, 0},
    {kAmSqCloseDelay, "AmSqCloseDelay", 9, OptionImage::Byte, 19, 0},
    {kSsbSqCloseDelay, "SsbSqCloseDelay", 9, OptionImage::Byte, 20, 0},
    {kEmgCh0 + 0, "EmgCh(0)", 0, OptionImage::Emergency, 21, 0},
    {kEmgCh0 + 1, "EmgCh(1)", 0, OptionImage::Emergency, 22, 0},
    {kEmgCh0 + 2, "EmgCh(2)", 0, OptionImage::Emergency, 23, 0},
    {kEmgCh0 + 3, "EmgCh(3)", 0, OptionImage::Emergency, 24, 0},
    {kEmgCh0 + 4, "EmgCh(4)", 0, OptionImage::Emergency, 25, 0},
    {kEmgCh0 + 5, "EmgCh(5)", 0, OptionImage::Emergency, 26, 0},
    {kMicGain, "MicGain", 31, OptionImage::Byte, 34, 0},
    {kMonGain, "MonGain", 15, OptionImage::Byte, 35, 0},
    {kBusyOpt, "BusyOpt", 0, OptionImage::Bit, kDefaultFlagByte, FlagBitOf(kColBusy)},
    {kEchoOpt, "EchoOpt", 0, OptionImage::Bit, kDefaultFlagByte, FlagBitOf(kColEcho)},
    {kHiCutOpt, "HiCutOpt", 0, OptionImage::Bit, kDefaultFlagByte, FlagBitOf(kColHiCut)},
    {kPlus10KOpt, "Plus10KOpt", 0, OptionImage::Bit, kDefaultFlagByte, FlagBitOf(kColPlus10K)},
    {kNbAnlOpt, "NbAnlOpt", 0, OptionImage::Bit, kDefaultFlagByte, FlagBitOf(kColNbAnl)},
    {kRbOpt, "RbOpt", 0, OptionImage::Bit, kDefaultFlagByte, FlagBitOf(kColRb)},
    {kSwrProtectEnable, "SwrProtectEnable", 1, OptionImage::Byte, 27, 0},
    {kDcProtectEnable, "DcProtectEnable", 1, OptionImage::Byte, 28, 0},
    {kSingleTone, "SingleTone", 100, OptionImage::Word, 29, 0},
    {kClarifierMode, "ClarifierMode", 0, OptionImage::Byte, 32, 0},
    {kPushMode, "PushMode", 0, OptionImage::Byte, 33, 0},
    {kCwSideVol, "CwSideVol", 31, OptionImage::Volume, 36, 0},
    {kBeepVol, "BeepVol", 31, OptionImage::Volume, 37, 0},
}};

constexpr bool OptionFeaturesFollowOptFeat() {
  for (int i = 0; i < kOptFeatCount; ++i)
    if (kOptionFeatures[static_cast<std::size_t>(i)].index != i) return false;
  return true;
}
static_assert(OptionFeaturesFollowOptFeat(), "the table's order is OptFeat's order");

constexpr int OptionFeaturesInImage() {
  int n = 0;
  for (const OptionFeature& f : kOptionFeatures) n += f.image != OptionImage::None;
  return n;
}

// The option features with an image place, in the order the packer checks them: the whole bytes
// by offset, then the switches byte by byte, so a refusal names the same setting as before.
constexpr std::array<const OptionFeature*, OptionFeaturesInImage()> OptionFeaturesPacked() {
  std::array<const OptionFeature*, OptionFeaturesInImage()> out{};
  std::size_t n = 0;
  for (int offset = 0; offset < kOptionBlockSize; ++offset)
    for (const OptionFeature& f : kOptionFeatures)
      if (f.imageOffset == offset && f.image != OptionImage::None && f.image != OptionImage::Bit)
        out[n++] = &f;
  for (int offset = 0; offset < kOptionBlockSize; ++offset)
    for (int bit = 0; bit < 8; ++bit)
      for (const OptionFeature& f : kOptionFeatures)
        if (f.image == OptionImage::Bit && f.imageOffset == offset && f.imageBit == bit)
          out[n++] = &f;
  return out;
}
inline constexpr auto kOptionFeaturesPacked = OptionFeaturesPacked();

// The label an option feature is shown by: its list's or check box's caption (from
// option_tables), or the group's emergency channel.
const Bilingual& OptionFeatureLabel(int index);

}  // namespace kr4100
