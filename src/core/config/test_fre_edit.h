// SPDX-License-Identifier: GPL-3.0-or-later
// What the test-frequency grid does to the record: the texts each of its sixteen rows shows, and
// the store of one edited cell, after which every entry's RxMark/TxMark says again whether it
// still holds its row's default.
#pragma once

#include <string>
#include <string_view>

#include "core/config/document.h"

namespace kr4100 {

inline constexpr int kTestFreRows = kTestFreSlots;  // one row, and at most one entry, per test
enum TestFreColumn : int { kTestFreColRx = 1, kTestFreColTx = 2 };

// The marks of an entry's frequencies: its row's default, or changed by the user.
inline constexpr Integer kTestFreMarkDefault = 15;
inline constexpr Integer kTestFreMarkChanged = 2;

// Test number testNo's default as a new document of this band stores it.
FixedText<8> DefaultTestFreStored(bool transmit, int testNo, std::string_view bandText,
                                  const BandEdges& edges);

// Index into TestFre of the first entry in use that belongs to grid row 1..16, or -1.
int FindTestFreEntry(const RadioConfig& r, int row);

struct TestFreRowTexts {
  std::string rx;  // display form; both empty when the row has no entry
  std::string tx;
};
// What grid row 1..16 shows. A stored text that is no number is reported through the document's
// warning sink, as everywhere a stored frequency is shown.
TestFreRowTexts ShownTestFreRow(const Document& doc, int row);

enum class TestFreStore {
  Unchanged,  // the row already held this, or stays empty
  Stored,     // the row's entry was created or changed
  Deleted,    // the row's entry was removed
  Refused,    // nothing stored: out of range (after the warning), or no free entry left
};

// Stores the text typed into cell (row 1..16, column 1 = RX, 2 = TX). A frequency goes through
// the channel grid's check (a transmit frequency is pulled to the nearer band edge, a receive
// frequency out of range is refused); a row with only one frequency gets it for both. An empty
// text deletes the row's entry, so both cells go blank. New entries are appended, so the list is
// in creation order, not row order. After every commit of a data cell, whether it changed the
// row or not, the marks of every entry are derived again.
TestFreStore CommitTestFreCell(Document& doc, int row, int column, std::string_view text);

// RxMark/TxMark of every entry in use: kTestFreMarkDefault where the stored text equals, byte for
// byte, the default of the entry's row for the band, else kTestFreMarkChanged.
void DeriveTestFreMarks(RadioConfig& r, std::string_view bandText, const BandEdges& edges);

}  // namespace kr4100
