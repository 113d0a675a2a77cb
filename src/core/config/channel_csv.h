// SPDX-License-Identifier: GPL-3.0-or-later
// Channel tables as text: the CSV file of all six groups (export and import) and the tab-separated
// rows the channel grid copies and pastes. Import and paste check every row before anything is
// built, so a table with one bad row changes nothing.
//
// A CSV file stands for the whole channel memory: groups it does not mention come back empty,
// just as an exported empty group writes no row. Channels keep the order of the file within their
// group, so an exported table imports into the very same slots.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/config/conversions.h"
#include "core/config/radio_config.h"

namespace kr4100 {

// The channel part of the record, all six groups.
struct ChannelTables {
  std::array<Integer, kGroupCount> ChCount{};
  std::array<std::array<ChInfo, kChannelsPerGroup>, kGroupCount> Ch{};
  friend bool operator==(const ChannelTables&, const ChannelTables&) = default;
};

ChannelTables ChannelTablesOf(const RadioConfig& record);

enum class CsvProblemKind {
  ColumnCount,  // count: columns found, expected: columns wanted
  UnclosedQuote,
  GroupLetter,    // value
  ChannelNumber,  // value
  RxMissing,
  NotNumber,        // column, value
  OutOfBand,        // column, value
  AttributeWord,    // column, value
  Duplicate,        // group, chNum, otherLine
  PastLastChannel,  // chNum
  NoChannels,       // line 0: the text as a whole
};

struct CsvProblem {
  int line = 0;  // 1-based line the row starts on; 0 for the whole text
  CsvProblemKind kind = CsvProblemKind::NoChannels;
  int column = 0;  // ChannelColumn the value belongs to
  std::string value{};
  int count = 0;
  int expected = 0;
  int group = 0;
  int chNum = 0;
  int otherLine = 0;
  friend bool operator==(const CsvProblem&, const CsvProblem&) = default;
};

// One problem as a user reads it, e.g. "Line 4: RX frequency "31" is outside the band ...".
std::string DescribeCsvProblem(const CsvProblem& problem, const BandEdges& band, int language);
// The first `limit` problems, one a line (CR LF, as message boxes break lines), then "and n more".
std::string DescribeCsvProblems(const std::vector<CsvProblem>& problems, const BandEdges& band,
                                int language, std::size_t limit);

struct ChannelTablesResult {
  ChannelTables tables;  // meaningful only when problems is empty
  std::vector<CsvProblem> problems;
  bool ok() const { return problems.empty(); }
};

// UTF-8, a header row, CRLF line ends (what spreadsheets write and RFC 4180 asks for). Only
// ASCII is ever written, so no byte-order mark is needed.
std::string ExportChannelsCsv(const RadioConfig& record, const BandEdges& band);
// Accepts a UTF-8 byte-order mark, CRLF or LF, quoted fields, a missing header row, blank lines,
// attribute words in either language and frequencies as a spreadsheet re-saves them ("28.015").
ChannelTablesResult ImportChannelsCsv(std::string_view text, const BandEdges& band);

// The grid's copy: one line per channel number, tab-separated, the grid's columns (channel
// number, RX, TX, seven attribute words in the given language). An unused channel keeps its line,
// number only, so a pasted block keeps its gaps.
std::string CopyChannelRows(const RadioConfig& record, int group, const std::vector<int>& chNums,
                            const BandEdges& band, int language);
// The grid's paste: rows land on consecutive channel numbers from firstChNum in the group, as a
// spreadsheet pastes a block at its cursor; a leading channel-number column is checked but does
// not move a row. A row without any value leaves its channel alone. Existing channels take the
// pasted values, missing ones are created. The other groups stay as they are.
ChannelTablesResult PasteChannelRows(const RadioConfig& record, int group, int firstChNum,
                                     std::string_view text, const BandEdges& band);

}  // namespace kr4100
