// SPDX-License-Identifier: GPL-3.0-or-later
// Changes of many channels of a group at once, as the channel grid offers them for the rows the
// user chose: one switch for all, frequencies filled in steps, rows moved, inserted, deleted,
// sorted, channels moved to another group. Each either changes the record whole or not at all,
// and leaves every group as the record needs it: slots 1..ChCount in use, channel numbers 1..60
// unique, the emergency channels pointing at channels that exist.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/config/conversions.h"
#include "core/config/radio_config.h"
#include "core/texts/messages.h"

namespace kr4100 {

// What a command did. Refused: nothing changed, and the user is told why.
struct BulkOutcome {
  bool changed = false;
  std::optional<MessageId> refusal;
  int refusalGroup = -1;  // the group a refusal names ("{group}")
  // The rows that hold the chosen channels afterwards, so the choice can follow them.
  std::vector<int> chosen;
};

// The group letter a refusal names, in its message text.
std::string BulkRefusalText(const BulkOutcome& outcome, int language);

// After channels were created, deleted or renumbered: a group whose emergency channel is gone
// takes its first channel, an empty group none.
void RecheckEmergencyChannels(RadioConfig& r);

// One switch (a grid column BUSY .. Scan) set to value on every chosen row that holds a channel.
BulkOutcome SetAttributeOfChannels(RadioConfig& r, int group, const std::vector<int>& chNums,
                                   int column, Integer value);

// ---- fill -----------------------------------------------------------------------------------

// Step and offset in whole hertz, as typed: a fill never rounds them.
struct FillSteps {
  double startMHz = 0;  // taken as a typed RX frequency is, with the grid's 10 Hz snapping
  long long stepHz = 0;
  long long offsetHz = 0;  // TX = RX + offset; 0 or negative too
};
// The box of the fill dialog a refusal is about.
enum class FillField { Start, Step, Offset };
struct ParsedFillSteps {
  std::optional<FillSteps> steps;  // when every box holds what a fill can take
  std::optional<MessageId> refusal;
  FillField field = FillField::Start;
};
// The dialog's texts, read exactly. The step and the offset must be whole multiples of 10 Hz
// (0.01 kHz): a finer step would round to uneven spacing or to one frequency twice, a finer
// offset would be lost.
ParsedFillSteps ParseFillSteps(const std::string& start, const std::string& step,
                               const std::string& offset);

struct FilledChannel {
  int chNum = 0;
  std::string rx;  // stored form
  std::string tx;
  friend bool operator==(const FilledChannel&, const FilledChannel&) = default;
};
struct RefusedFill {
  int chNum = 0;
  int column = 0;   // kColRxFre or kColTxFre: the frequency that leaves the band
  std::string mhz;  // what it would have been, display form
  friend bool operator==(const RefusedFill&, const RefusedFill&) = default;
};
// What a fill would do, worked out before anything changes.
struct FillPlan {
  int group = 0;
  std::vector<FilledChannel> channels;  // in the band, in fill order
  std::vector<RefusedFill> refused;     // a channel is refused for its first bad frequency
  std::optional<MessageId> refusal;     // the fill as a whole cannot be done
};

// Row k of the chosen rows (ascending) gets start + k * step, under the grid's rounding; empty
// rows become channels as a typed RX frequency makes them. Refused as a whole for a step or an
// offset that is not a multiple of 10 Hz.
FillPlan PlanFillOverRows(const RadioConfig& r, int group, std::vector<int> chNums,
                          const FillSteps& steps, const BandEdges& band);
// count new channels numbered on from the group's highest channel number; refused when that
// would pass channel 60.
FillPlan PlanFillNewChannels(const RadioConfig& r, int group, int count, const FillSteps& steps,
                             const BandEdges& band);
// The plan's channels in the band go into the record; the refused ones stay as they are.
BulkOutcome ApplyFill(RadioConfig& r, const FillPlan& plan);
// The refused channels, one a line (CR LF), the first `limit` of them, then "and n more".
std::string DescribeRefusedFills(const std::vector<RefusedFill>& refused, int language,
                                 std::size_t limit);
// What a fill that would take channels out of the band says before anything changes: the band,
// the refused channels (the first `limit`), then whether to fill the rest, or that nothing can be.
struct FillRefusalText {
  std::string text;
  bool canFillRest = false;  // the text asks; else it only tells
};
FillRefusalText DescribeFillRefusal(const FillPlan& plan, const std::string& bandText, int language,
                                    std::size_t limit);

// ---- rows -----------------------------------------------------------------------------------

// The chosen rows (channels and empty rows alike) one row up or down as a block; the rows they
// pass over take their places. Nothing moves when a chosen row is already at the edge.
BulkOutcome MoveRows(RadioConfig& r, int group, const std::vector<int>& chNums, int by);
// As many rows as were chosen, from the first chosen row on, become empty: the channels in the
// way move down, each just as far as needed (an empty row below takes the push up). Refused
// when a channel would pass row 60.
BulkOutcome InsertEmptyRows(RadioConfig& r, int group, const std::vector<int>& chNums);
// The chosen channels go; refused when none of the group's channels would be left.
BulkOutcome DeleteChannels(RadioConfig& r, int group, const std::vector<int>& chNums);
// The group's channels take its channel numbers in the order of their RX frequencies (equal
// ones keep their order); the numbers in use stay the same.
BulkOutcome SortByRxFrequency(RadioConfig& r, int group);
// The chosen channels leave their group for another one, in their order, on the target's free
// numbers from its highest channel on (then the lowest free ones). Refused when the target
// would need more than 60 channels or the source would have none left.
BulkOutcome MoveChannelsToGroup(RadioConfig& r, int group, const std::vector<int>& chNums,
                                int target);

// ---- the scan priority channel ----------------------------------------------------------------

// The groups in which the scan priority channel's number names another channel after a command
// than before (another RX or TX frequency, or a channel where there was none, or none where there
// was one), in group order. Only a fixed priority channel counts: in the other modes the radio
// does not go to that number. The setting itself stays as it is; the user decides.
std::vector<int> GroupsWherePriorityChannelChanged(const RadioConfig& before,
                                                   const RadioConfig& after);
// What a command did, for its undo step and the status bar: its name, followed by the priority
// channel's change when there was one ("Sort Group by RX Frequency; the priority channel number 5
// no longer names the same channel in group A").
struct BulkCommandText {
  std::string text;
  bool priorityChannelChanged = false;
};
BulkCommandText DescribeBulkCommand(const std::string& command, const RadioConfig& before,
                                    const RadioConfig& after, int language);

}  // namespace kr4100
