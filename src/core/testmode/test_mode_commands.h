// SPDX-License-Identifier: GPL-3.0-or-later
// The test-mode command set: what each user action queues, the bytes each command sends, and
// the alignment items with their points. Data only; the driver walks it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/texts/bilingual.h"

namespace kr4100 {

enum class TestAction : int {
  Enter = 1,             // enter test mode and read the sixteen test channels
  SelectChannel = 2,     // p = channel number
  SelectSignalling = 3,  // p = signalling 1..9
  Wide = 4,
  Narrow = 5,
  PttRelease = 6,
  PttPress = 7,
  Tune = 8,              // p = adjustment item 1..15
  Leave = 9,             // p = signalling to leave with
  SelectPage = 10,       // p = point code, q = points of the item
  SetValue = 11,         // p = point code, q = value
  AdjustCommand = 12,    // p = point code (OK)
  StoreValues = 13,      // the item's values, one per enabled point
  PollValue = 14,        // p = point code
};

// How the reply to the exchange before an entry is checked.
namespace reply_check {
inline constexpr int kNone = 0;       // starts an exchange; nothing to check
inline constexpr int kAck = 2;        // one byte 0x06
inline constexpr int kIdentity = 3;   // the first eight bytes of the identity reply
inline constexpr int kBlock = 4;      // the 62-byte adjustment block
inline constexpr int kChannel = 5;    // 8 bytes: RX and TX of one test channel
inline constexpr int kValues = 6;     // one byte per point of the item
inline constexpr int kOneByte = 7;    // one polled value
inline constexpr int kFollows = -76;  // sent together with the entry before it
inline constexpr int kPttPress = -1;  // the 0x0E of PTT press: sent like kFollows
}  // namespace reply_check

inline constexpr int kCommandEndOfStep = 67;  // sends nothing; closes a step
inline constexpr int kCommandEndTestMode = 69;  // sends nothing; test mode is over

struct QueueEntry {
  int action = 0;
  int step = 0;
  int command = 0;
  int check = 0;
  int replyLength = 0;
  int value1 = 0;
  int value2 = 0;
  friend bool operator==(const QueueEntry&, const QueueEntry&) = default;
};

// The entries of one step of an action, in order. An unknown step gives none.
std::vector<QueueEntry> StepEntries(TestAction action, int step, int p, int q);
// The bytes an entry sends (none for the step and end markers).
std::vector<std::uint8_t> CommandBytes(const QueueEntry& entry);
// True when an entry goes out in the same send as the entry before it.
bool SentWithPrevious(const QueueEntry& entry);

inline constexpr std::array<std::uint8_t, 7> kTestModeEntryWord{'A', 'L', 'I', 'G', 'N', 'S', ' '};
inline constexpr int kTestChannelCount = 16;
inline constexpr int kAdjustBlockLength = 62;
inline constexpr int kSignallingCount = 9;

// Alignment items 1..15 and their points. Tabs: 0 Test, 1 Low, 2 Low', 3 Center, 4 High', 5 High.
inline constexpr int kAdjustItemCount = 15;
inline constexpr int kAdjustTabCount = 6;
const Bilingual& AdjustItemName(int item);
const Bilingual& AdjustTabName(int tab);
// Points an item uses in the bandwidth: 1, 4 (tabs 0, 1, 3, 5) or 6.
int PointCount(int item, bool wide);
bool TabEnabled(int tab, int item, bool wide);
// The code that names a point to the radio; 0 for a point the item does not have.
int PointCode(int tab, int item);
// Items 12..15 show one polled value instead of slider pages.
bool UsesPollingLayout(int item);

// The adjustment block: byte i holds the value of the i-th smallest point code of the item table
// (44 codes from 12 to 119); bytes 44..61 are reserved and sent as 0xFF.
const std::vector<int>& AdjustBlockCodes();
std::optional<int> AdjustBlockOffset(int code);
// The six tab values of an item out of a block (0 for tabs the item does not have).
std::array<int, kAdjustTabCount> ItemValuesOf(std::span<const std::uint8_t> block, int item);

// Texts of the test signalling 1..9 under the lists (empty where there is none).
const Bilingual& SignallingRxText(int signalling);
const Bilingual& SignallingTxText(int signalling);

}  // namespace kr4100
