// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/option_tables.h"

#include <array>
#include <stdexcept>

#include "core/config/channel_attributes.h"
#include "core/config/radio_config.h"

namespace kr4100 {
namespace {

constexpr std::array<Bilingual, 1> kOffLower{{{"Off", "关"}}};
constexpr std::array<Bilingual, 1> kOffUpper{{{"OFF", "关"}}};
constexpr std::array<Bilingual, 4> kFreStepItems{
    {{"10KHz", "10KHz"}, {"1KHz", "1KHz"}, {"100Hz", "100Hz"}, {"10Hz", "10Hz"}}};
constexpr std::array<Bilingual, 2> kLcdDisplayItems{{{"OFF", "关"}, {"ON", "开"}}};
constexpr std::array<Bilingual, 2> kScanModeItems{
    {{"Squelch Scan", "静噪扫描"}, {"Time Scan", "时间扫描"}}};
constexpr std::array<Bilingual, 4> kLcdDisplayInTxItems{{
    {"Tx Frequency Display", "发射频率显示"},
    {"SWR LCD Display", "SWR驻波LCD显示"},
    {"Battery Voltage Display", "电池电压显示"},
    {"TOT Remain Time Display", "TOT剩余时间显示"},
}};
constexpr std::array<Bilingual, 3> kClarifierModeItems{
    {{"Rx/Tx Frequency", "接收/发射 频率"}, {"Fine", "细调"}, {"Tx Frequency", "发射频率"}}};
constexpr std::array<Bilingual, 3> kPushModeItems{
    {{"Coarse", "粗调"}, {"Step Frequency", "频率步进"}, {"Tx Frequency", "发射频率"}}};

// Audio frequencies 300 .. 3000 Hz in 10 Hz steps, stored in tens of hertz.
constexpr ItemList kToneHz{{}, {300, 10, 271, 0}, 30};
// Squelch close delays in 5 ms steps from 5 ms; the stored value counts steps from 0.
constexpr ItemList DelayMs(int count) {
  return {{}, {5, 5, count, 0}, 0};
}
// Off, then the levels 1 .. 63; the stored value is the level.
constexpr ItemList kLevel{kOffUpper, {1, 1, 63, 0}, 0};
// Tenths from 9.0 V to 17.0 V, stored in tenths.
constexpr ItemList kVolts{{}, {90, 1, 81, 1}, 90};

constexpr std::array<OptionList, kOptionListCount> kLists{{
    {kTot, {"Time Out Timer(TOT)[s]", "超时定时器(TOT)[秒]"}, {kOffLower, {30, 30, 20, 0}, 0}},
    {kRbFre, {"RB Frequecy[Hz]", "RB 频率[Hz]"}, kToneHz},
    {kRbTime, {"RB Time[ms]", "RB 时间[ms]"}, {{}, {50, 50, 20, 0}, 0}},
    {kCwSideTone, {"CW Side Tone[Hz]", "CW 侧音[Hz]"}, kToneHz},
    {kFreStep, {"Frequency Step", "频率步进"}, {kFreStepItems}},
    {kLcdDisplay, {"LCD Display", "LCD 显示"}, {kLcdDisplayItems}},
    {kScanMode, {"Scan Mode", "扫描模式"}, {kScanModeItems}},
    {kScanResumeTime, {"Scan Resume Time[s]", "扫描恢复时间[s]"}, {{}, {1, 1, 60, 0}, 0}},
    {kLcdDisplayInTx, {"LCD Display In Tx", "发射时LCD显示"}, {kLcdDisplayInTxItems}},
    {kSwrProtect, {"SWR Protect value", "驻波保护值"}, {{}, {12, 1, 189, 1}, 12}},
    {kBatVoltMin,
     {"Battery Voltage Protect Value 1 -- Min[V]", "电池电压保护值1--最低[V]"},
     kVolts},
    {kBatVoltMax,
     {"Battery Voltage Protect Value 2 -- Max[V]", "电池电压保护值2--最高[V]"},
     kVolts},
    {kFmSqCloseDelay, {"FM SQ Close Delay Time[ms]", "FM SQ关闭延时时间[ms]"}, DelayMs(60)},
    {kAmSqCloseDelay, {"AM SQ Close Delay Time[ms]", "AM SQ关闭延时时间[ms]"}, DelayMs(60)},
    {kSsbSqCloseDelay,
     {"CW/USB/LSB SQ Close Delay Time[ms]", "CW/USB/LSB SQ关闭延时时间[ms]"},
     DelayMs(200)},
    {kSingleTone, {"Single Tone[Hz]", "单音[Hz]"}, kToneHz},
    {kClarifierMode, {"Clarifier Mode", "Clarifier Mode"}, {kClarifierModeItems}},
    {kPushMode, {"Push Mode", "Push Mode"}, {kPushModeItems}},
    {kMicGain, {"MIC Gain", "MIC Gain"}, kLevel},
    {kMonGain, {"MON Gain", "MON Gain"}, kLevel},
    {kCwSideVol, {"CW SIDE VOL", "CW SIDE VOL"}, kLevel},
    {kBeepVol, {"BEEP VOL", "BEEP VOL"}, kLevel},
}};

// The common attributes are captioned as the channel grid heads their columns.
constexpr Bilingual HeadingOf(int column) {
  return AttributeOfColumn(column)->heading;
}

using enum OptionCheckRole;
constexpr std::array<OptionCheck, kOptionCheckCount> kChecks{{
    {kLsbEnable, {"LSB Enable", "使用LSB"}, true, ModeEnable},
    {kUsbEnable, {"USB Enable", "使用USB"}, true, ModeEnable},
    {kFmEnable, {"FM Enable", "使用FM"}, true, ModeEnable},
    {kAmEnable, {"AM Enable", "使用AM"}, true, ModeEnable},
    {kPaEnable, {"PA Enalbe", "使用PA"}, true, ModeEnable},
    {kCwEnable, {"CW Enable", "使用CW"}, true, ModeEnable},
    {kSingleChangeData, {"Single Change Data", "允许独立改变信道数据"}, false, SingleChangeData},
    {kCommonOption, {"Common Option", "信道设置公共信道"}, false, Plain},
    {kSingleChangeRxTxFre, {"Single Change RX/TX Frequency", "允许独立改变收发频率"}, false, Plain},
    {kBusyOpt, HeadingOf(kColBusy), false, CommonAttribute},
    {kNoOptFeatField, {"VOIC", "VOIC"}, false, CommonAttribute},
    {kEchoOpt, HeadingOf(kColEcho), true, CommonAttribute},
    {kHiCutOpt, HeadingOf(kColHiCut), false, CommonAttribute},
    {kPlus10KOpt, HeadingOf(kColPlus10K), false, CommonAttribute},
    {kNbAnlOpt, HeadingOf(kColNbAnl), false, CommonAttribute},
    {kRbOpt, HeadingOf(kColRb), false, CommonAttribute},
    {kSwrProtectEnable, {"SWR Protect Enabled", "驻波保护使能"}, true, Plain},
    {kDcProtectEnable, {"DC Protect Enabled", "低电压保护使能"}, true, Plain},
}};

}  // namespace

const OptionList& OptionListAt(int control) {
  return kLists.at(static_cast<std::size_t>(control));
}

const OptionCheck& OptionCheckAt(int control) {
  return kChecks.at(static_cast<std::size_t>(control));
}

const OptionList* OptionListOfField(int field) {
  for (const OptionList& list : kLists) {
    if (list.field == field) return &list;
  }
  return nullptr;
}

const OptionCheck* OptionCheckOfField(int field) {
  if (field == kNoOptFeatField) return nullptr;
  for (const OptionCheck& check : kChecks) {
    if (check.field == field) return &check;
  }
  return nullptr;
}

bool CheckedOfStored(const OptionCheck& check, int stored) {
  if (stored == 0 || stored == 1) return stored == 1;
  return check.checkedByDefault;
}

}  // namespace kr4100
