// SPDX-License-Identifier: GPL-3.0-or-later
// The configuration record: every setting that goes to a data file or to the radio, in the field
// order and with the widths the data file stores them (see data_file_layout.h).
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/config/fixed_text.h"

namespace kr4100 {

constexpr int kGroupCount = 6;
constexpr int kChannelsPerGroup = 60;
constexpr int kOptFeatCount = 45;
constexpr int kAutodialSlots = 8;
constexpr int kTestFreSlots = 16;
constexpr int kFleetListSlots = 8;

// 16-bit "Integer" and 32-bit "Long" fields keep the widths the file and the radio rely on.
using Integer = std::int16_t;
using Long = std::int32_t;

struct ChInfo {
  Integer ChNum = 0;
  Integer ChUsed = 0;
  FixedText<8> RxFre;
  FixedText<8> TxFre;
  Integer Scan = 0;
  Integer Busy = 0;
  Integer Echo = 0;
  Integer HiCut = 0;
  Integer Plus10K = 0;
  Integer NbAnl = 0;
  Integer Rb = 0;
  Integer RxSubCode = 0;
  Integer TxSubCode = 0;
  friend bool operator==(const ChInfo&, const ChInfo&) = default;
};

struct ModelInfo {
  FixedText<6> ModelCode;
  Integer ModelType = 0;
  Integer BandType = 0;
  FixedText<8> ProgDate;
  FixedText<5> SoftVer;
  FixedText<6> ModelName;
  Integer BandType2 = 0;
  Integer SeriesChar = 0;
  friend bool operator==(const ModelInfo&, const ModelInfo&) = default;
};

struct DtmfSettings {
  Integer DtmfSpeed = 0;
  Integer FirstDigitTime = 0;
  Integer FirstDigitDelay = 0;
  Integer StarHashTime = 0;
  Integer DCodeAssign = 0;
  Integer DtmfSideTone = 0;
  FixedText<10> IdCode;
  Integer GroupCode = 0;
  Integer AutoResetTimer = 0;
  Integer CallAlert = 0;
  Integer Transpond = 0;
  Integer ClearToTranspond = 0;
  FixedText<10> StunCode;
  Integer StunType = 0;
  friend bool operator==(const DtmfSettings&, const DtmfSettings&) = default;
};

struct FleetSyncSettings {
  Integer OwnFleet = 0;
  Long OwnId = 0;
  Integer BaudRate = 0;
  Long DataTxModDelay = 0;
  Long MsgModeTimer = 0;
  Integer PttIdSideTone = 0;
  friend bool operator==(const FleetSyncSettings&, const FleetSyncSettings&) = default;
};

struct AutodialEntry {
  Integer Row = 0;
  FixedText<16> Digits;
  friend bool operator==(const AutodialEntry&, const AutodialEntry&) = default;
};

struct TestFreEntry {
  Integer No = 0;
  FixedText<8> RxFre;
  FixedText<8> TxFre;
  Integer RxMark = 0;
  Integer TxMark = 0;
  friend bool operator==(const TestFreEntry&, const TestFreEntry&) = default;
};

struct FleetListEntry {
  Integer Row = 0;
  Integer Fleet = 0;
  Long Id = 0;
  friend bool operator==(const FleetListEntry&, const FleetListEntry&) = default;
};

// Indexes into OptFeat, by the names the option window uses.
enum OptFeatIndex : int {
  kTot = 0, kRbFre, kRbTime, kCwSideTone, kFreStep, kLcdDisplay, kScanMode, kScanResumeTime,
  kLcdDisplayInTx, kSwrProtect, kBatVoltMin, kBatVoltMax, kLsbEnable, kUsbEnable, kFmEnable,
  kAmEnable, kPaEnable, kCwEnable, kSingleChangeData, kCommonOption, kSingleChangeRxTxFre,
  kFmSqCloseDelay, kAmSqCloseDelay, kSsbSqCloseDelay, kEmgCh0, kMicGain = 30, kMonGain,
  kBusyOpt, kEchoOpt, kHiCutOpt, kPlus10KOpt, kNbAnlOpt, kRbOpt, kSwrProtectEnable,
  kDcProtectEnable, kSingleTone, kClarifierMode, kPushMode, kCwSideVol, kBeepVol,
};
static_assert(kBeepVol == kOptFeatCount - 1);

struct RadioConfig {
  FixedText<4> Version;
  Integer CurGroup = 0;
  std::array<Integer, kGroupCount> ChCount{};
  // Ch[g][c - 1] is slot c (1..60) of group g; the file stores the slots of a group together.
  std::array<std::array<ChInfo, kChannelsPerGroup>, kGroupCount> Ch{};
  kr4100::ModelInfo ModelInfo;
  std::array<Integer, kOptFeatCount> OptFeat{};
  std::array<Integer, 2> KeyAssign{};
  std::array<Integer, 7> ScanInfo{};
  DtmfSettings Dtmf;
  FleetSyncSettings Fleet;
  Integer AutodialCount = 0;
  std::array<AutodialEntry, kAutodialSlots> Autodial{};  // entries 1..8 at [0..7]
  Integer TestFreCount = 0;
  std::array<TestFreEntry, kTestFreSlots> TestFre{};  // entries 1..16 at [0..15]
  FixedText<32> EmbMsg1;
  FixedText<32> EmbMsg2;
  Integer FleetListCount = 0;
  std::array<FleetListEntry, kFleetListSlots> FleetList{};  // entries 1..8 at [0..7]

  // Slot c (1..60) of group g (0..5); out-of-range indexes are programming errors.
  ChInfo& slot(int c, int g);
  const ChInfo& slot(int c, int g) const;
  // The slots in use in group g: ChCount kept within the table, since counts come from files
  // too; 0 for a group that does not exist.
  int usedChannels(int g) const;
  // The group the channel grid shows: CurGroup kept within the groups, as it comes from files.
  int currentGroup() const;
  // The used slot that holds channel number n of group g; nothing when the group has none.
  ChInfo* findChannel(int g, int n);
  const ChInfo* findChannel(int g, int n) const;
  // The channel numbers in use in group g, ascending: the emergency channel's choices.
  std::vector<int> channelNumbers(int g) const;

  friend bool operator==(const RadioConfig&, const RadioConfig&) = default;
};

}  // namespace kr4100
