// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/testmode/test_mode_commands.h"

#include <algorithm>

namespace kr4100 {
namespace {

namespace rc = reply_check;

QueueEntry E(TestAction action, int step, int command, int check, int length, int v1 = 0, int v2 = 0) {
  return {static_cast<int>(action), step, command, check, length, v1, v2};
}

constexpr std::array<Bilingual, kAdjustItemCount> kItemNames{{
    {"RF High Power", "RF高功率"},
    {"RF Low Power", "RF低功率"},
    {"DQT Balance", "DQT平衡"},
    {"Max Deviation", "最大偏差"},
    {"QT Fine Deviation", "QT细偏差"},
    {"DQT Fine Deviation", "DQT细偏差"},
    {"DTMF Fine Deviation", "DTMF细偏差"},
    {"Sensitivity", "灵敏度"},
    {"Squelch(Tight)", "最紧静噪"},
    {"Squelch(Open)", "静噪打开"},
    {"MSK Fine Deviation", "MSK频偏差"},
    {"Battery Warning Level", "电池告警电平"},
    {"VOX1", "VOX1"},
    {"VOX10", "VOX10"},
    {"RSSI", "RSSI"},
}};

constexpr std::array<Bilingual, kAdjustTabCount> kTabNames{{
    {"Test", "测试"}, {"Low", "低"}, {"Low'", "较低"}, {"Center", "中心"}, {"High'", "较高"}, {"High", "高"},
}};

// Point codes by item (1..15) and tab (0..5); 0 where the item has no such point.
constexpr int kCodes[kAdjustItemCount][kAdjustTabCount] = {
    {18, 48, 51, 49, 52, 50},   {20, 96, 99, 97, 100, 98},  {24, 101, 0, 102, 0, 103},
    {24, 36, 0, 37, 0, 38},     {24, 106, 0, 107, 0, 108},  {26, 111, 0, 112, 0, 113},
    {29, 0, 0, 0, 0, 0},        {31, 53, 0, 54, 0, 55},     {13, 117, 0, 118, 0, 119},
    {12, 114, 0, 115, 0, 116},  {27, 0, 0, 0, 0, 0},        {28, 0, 0, 0, 0, 0},
    {33, 0, 0, 0, 0, 0},        {35, 0, 0, 0, 0, 0},        {34, 0, 0, 0, 0, 0},
};

bool ValidItem(int item) { return item >= 1 && item <= kAdjustItemCount; }

constexpr Bilingual kEmpty{"", ""};
constexpr std::array<Bilingual, kSignallingCount> kSignallingRx{{
    kEmpty, kEmpty, {"QT 67.0Hz", "QT 67.0Hz"}, {"QT 151.4Hz", "QT 151.4Hz"},
    {"QT 250.3Hz", "QT 250.3Hz"}, {"DQT D023N", "DQT D023N"}, {"DQT D754I", "DQT D754I"},
    {"DTMF DEC(159D)", "DTMF DEC(159D)"}, kEmpty,
}};
constexpr std::array<Bilingual, kSignallingCount> kSignallingTx{{
    kEmpty, {"100Hz SW", "100Hz SW"}, {"QT 67.0Hz", "QT 67.0Hz"}, {"QT 151.4Hz", "QT 151.4Hz"},
    {"QT 250.3Hz", "QT 250.3Hz"}, {"DQT D023N", "DQT D023N"}, {"DQT D754I", "DQT D754I"},
    {"DTMF DEC(159D)", "DTMF DEC(159D)"}, {"DTMF TONE 9", "DTMF 音调 9"},
}};

}  // namespace

std::vector<QueueEntry> StepEntries(TestAction a, int step, int p, int q) {
  switch (step) {
    case 1: return {E(a, 1, 1, rc::kNone, 1), E(a, 1, kCommandEndOfStep, rc::kAck, 0)};
    case 2:
      return {E(a, 2, 2, rc::kNone, 8), E(a, 2, 3, rc::kIdentity, 1),
              E(a, 2, kCommandEndOfStep, rc::kAck, 0)};
    case 3:
      return {E(a, 3, 4, rc::kNone, kAdjustBlockLength), E(a, 3, 3, rc::kBlock, 1),
              E(a, 3, kCommandEndOfStep, rc::kAck, 0)};
    case 4:
      return {E(a, 4, 5, rc::kNone, 0), E(a, 4, 6, rc::kFollows, 8, p), E(a, 4, 3, rc::kChannel, 1),
              E(a, 4, kCommandEndOfStep, rc::kAck, 0)};
    case 6:
      return {E(a, 6, 7, rc::kNone, 0), E(a, 6, 6, rc::kFollows, 1, p),
              E(a, 6, kCommandEndOfStep, rc::kAck, 0)};
    case 7: return {E(a, 7, 17, rc::kNone, 1), E(a, 7, kCommandEndTestMode, rc::kAck, 0)};
    case 8:
      if (q == 1)
        return {E(a, 8, 6, rc::kNone, 1, p), E(a, 8, 12, rc::kFollows, 1),
                E(a, 8, kCommandEndOfStep, rc::kAck, 0)};
      return {E(a, 8, 6, rc::kNone, 0, p), E(a, 8, 12, rc::kFollows, 0)};
    case 9: return {E(a, 9, 14, rc::kNone, p), E(a, 9, 3, rc::kValues, 0, p)};
    case 10: return {E(a, 10, 15, rc::kNone, 0, p, q)};
    case 11:
      if (q == 1)
        return {E(a, 11, 6, rc::kNone, 1, p), E(a, 11, 13, rc::kPttPress, 1),
                E(a, 11, kCommandEndOfStep, rc::kAck, 0)};
      return {E(a, 11, 6, rc::kNone, 0, p), E(a, 11, 13, rc::kFollows, 0)};
    case 12: return {E(a, 12, 8, rc::kNone, 1), E(a, 12, kCommandEndOfStep, rc::kAck, 0)};
    case 13: return {E(a, 13, 9, rc::kNone, 1), E(a, 13, kCommandEndOfStep, rc::kAck, 0)};
    case 16: return {E(a, 16, 16, rc::kNone, 1, p), E(a, 16, 3, rc::kOneByte, 0, p)};
    default: return {};
  }
}

std::vector<std::uint8_t> CommandBytes(const QueueEntry& e) {
  const auto byte = [](int v) { return static_cast<std::uint8_t>(v & 0xFF); };
  switch (e.command) {
    case 1: return {kTestModeEntryWord.begin(), kTestModeEntryWord.end()};
    case 2: return {0x02};
    case 3: return {0x06};
    case 4: return {0x05};
    case 5: return {0x10};
    case 6: return {byte(e.value1)};
    case 7: return {0x11};
    case 8: return {0x46};
    case 9: return {0x47};
    case 12: return {0x0D};
    case 13: return {0x0E};
    case 14: return {0x07};
    case 15: return {byte(e.value1), 0x20, byte(e.value2)};
    case 16: return {byte(e.value1), 0x0A};
    case 17: return {0x45};
    default: return {};
  }
}

bool SentWithPrevious(const QueueEntry& e) {
  // The PTT press's 0x0E follows its point byte at once like any other follower; waiting for a
  // reply between the two would hold the queue forever, as that reply is only ever sent after both.
  return e.check == rc::kFollows || e.check == rc::kPttPress;
}

const Bilingual& AdjustItemName(int item) { return kItemNames[static_cast<std::size_t>(std::clamp(item, 1, kAdjustItemCount) - 1)]; }
const Bilingual& AdjustTabName(int tab) { return kTabNames[static_cast<std::size_t>(std::clamp(tab, 0, kAdjustTabCount - 1))]; }

int PointCode(int tab, int item) {
  if (!ValidItem(item) || tab < 0 || tab >= kAdjustTabCount) return 0;
  return kCodes[item - 1][tab];
}

int PointCount(int item, bool wide) {
  if (!ValidItem(item)) return 1;
  if (item <= 2) return 6;
  if (item == 8) return 4;
  // Deviation, balance and squelch points exist in wide only; narrow tunes the test point alone.
  if (item == 3 || item == 4 || item == 5 || item == 6 || item == 9 || item == 10) return wide ? 4 : 1;
  return 1;
}

bool TabEnabled(int tab, int item, bool wide) {
  if (tab < 0 || tab >= kAdjustTabCount) return false;
  switch (PointCount(item, wide)) {
    case 6: return true;
    case 4: return tab == 0 || tab == 1 || tab == 3 || tab == 5;
    default: return tab == 0;
  }
}

bool UsesPollingLayout(int item) { return item >= 12 && item <= kAdjustItemCount; }

const std::vector<int>& AdjustBlockCodes() {
  static const std::vector<int> codes = [] {
    std::vector<int> all;
    for (const auto& row : kCodes)
      for (int code : row)
        if (code != 0) all.push_back(code);
    std::sort(all.begin(), all.end());
    all.erase(std::unique(all.begin(), all.end()), all.end());
    return all;
  }();
  return codes;
}

std::optional<int> AdjustBlockOffset(int code) {
  const auto& codes = AdjustBlockCodes();
  const auto it = std::lower_bound(codes.begin(), codes.end(), code);
  if (it == codes.end() || *it != code) return std::nullopt;
  return static_cast<int>(it - codes.begin());
}

std::array<int, kAdjustTabCount> ItemValuesOf(std::span<const std::uint8_t> block, int item) {
  std::array<int, kAdjustTabCount> values{};
  for (int tab = 0; tab < kAdjustTabCount; ++tab) {
    const auto offset = AdjustBlockOffset(PointCode(tab, item));
    if (offset && static_cast<std::size_t>(*offset) < block.size()) values[static_cast<std::size_t>(tab)] = block[static_cast<std::size_t>(*offset)];
  }
  return values;
}

const Bilingual& SignallingRxText(int s) { return kSignallingRx[static_cast<std::size_t>(std::clamp(s, 1, kSignallingCount) - 1)]; }
const Bilingual& SignallingTxText(int s) { return kSignallingTx[static_cast<std::size_t>(std::clamp(s, 1, kSignallingCount) - 1)]; }

}  // namespace kr4100
