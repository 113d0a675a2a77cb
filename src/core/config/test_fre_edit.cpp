// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/test_fre_edit.h"

#include <algorithm>

#include "core/config/test_frequencies.h"

namespace kr4100 {
namespace {

int UsedTestFre(const RadioConfig& r) { return std::clamp<int>(r.TestFreCount, 0, kTestFreSlots); }

bool IsGridRow(int row) { return row >= 1 && row <= kTestFreRows; }

}  // namespace

FixedText<8> DefaultTestFreStored(bool transmit, int testNo, std::string_view bandText,
                                  const BandEdges& edges) {
  const std::string& text = DefaultTestFreText(transmit, testNo, TestBandIndexOf(bandText));
  // A stored form shorter than the field ends with a NUL, as every text of the record does.
  return FixedText<8>(FreToStore(text, edges) + '\0');
}

int FindTestFreEntry(const RadioConfig& r, int row) {
  const int used = UsedTestFre(r);
  for (int i = 0; i < used; ++i)
    if (r.TestFre[static_cast<std::size_t>(i)].No == row) return i;
  return -1;
}

TestFreRowTexts ShownTestFreRow(const Document& doc, int row) {
  const int at = FindTestFreEntry(doc.working(), row);
  if (!IsGridRow(row) || at < 0) return {};
  const TestFreEntry& e = doc.working().TestFre[static_cast<std::size_t>(at)];
  const BandEdges& edges = doc.state().edges;
  return {FreToText(e.RxFre.text(), edges, doc.warningSink()),
          FreToText(e.TxFre.text(), edges, doc.warningSink())};
}

void DeriveTestFreMarks(RadioConfig& r, std::string_view bandText, const BandEdges& edges) {
  const int used = UsedTestFre(r);
  for (int i = 0; i < used; ++i) {
    TestFreEntry& e = r.TestFre[static_cast<std::size_t>(i)];
    // An entry for no row of the grid (a foreign file) has no default to hold.
    const bool row = IsGridRow(e.No);
    const auto mark = [&](const FixedText<8>& stored, bool transmit) {
      return row && stored == DefaultTestFreStored(transmit, e.No, bandText, edges)
                 ? kTestFreMarkDefault
                 : kTestFreMarkChanged;
    };
    e.RxMark = mark(e.RxFre, false);
    e.TxMark = mark(e.TxFre, true);
  }
}

namespace {

// The entry side of a commit; the marks are the caller's.
TestFreStore StoreTestFreCell(Document& doc, int row, int column, std::string_view text) {
  RadioConfig& r = doc.working();
  const DocState& state = doc.state();
  const int used = UsedTestFre(r);
  const int at = FindTestFreEntry(r, row);

  if (text.empty()) {
    if (at < 0) return TestFreStore::Unchanged;
    std::move(r.TestFre.begin() + at + 1, r.TestFre.begin() + used, r.TestFre.begin() + at);
    // The freed slot is cleared: a deleted frequency should not live on in the saved file.
    r.TestFre[static_cast<std::size_t>(used - 1)] = TestFreEntry{};
    r.TestFreCount = static_cast<Integer>(used - 1);
    return TestFreStore::Deleted;
  }

  const bool tx = column == kTestFreColTx;
  const std::string value = NormaliseFreText(text, tx, state.edges, doc.warningSink());
  // Only an emptied cell deletes an entry: a refused frequency leaves the row as it was.
  if (value.empty()) return TestFreStore::Refused;

  TestFreEntry entry = at >= 0 ? r.TestFre[static_cast<std::size_t>(at)] : TestFreEntry{};
  // The partner cell as the row shows it; a row with one frequency uses it for both.
  std::string other = at >= 0 ? FreToText((tx ? entry.RxFre : entry.TxFre).text(), state.edges)
                              : std::string();
  if (other.empty()) other = value;
  const FixedText<8> rx(FreToStore(tx ? other : value, state.edges));
  const FixedText<8> txFre(FreToStore(tx ? value : other, state.edges));

  if (at >= 0) {
    if (entry.RxFre == rx && entry.TxFre == txFre) return TestFreStore::Unchanged;
  } else if (used >= kTestFreSlots) {
    return TestFreStore::Refused;
  }
  entry.No = static_cast<Integer>(row);
  entry.RxFre = rx;
  entry.TxFre = txFre;
  if (at >= 0) {
    r.TestFre[static_cast<std::size_t>(at)] = entry;
  } else {
    r.TestFre[static_cast<std::size_t>(used)] = entry;
    r.TestFreCount = static_cast<Integer>(used + 1);
  }
  return TestFreStore::Stored;
}

}  // namespace

TestFreStore CommitTestFreCell(Document& doc, int row, int column, std::string_view text) {
  if (!IsGridRow(row) || (column != kTestFreColRx && column != kTestFreColTx))
    return TestFreStore::Unchanged;
  const TestFreStore result = StoreTestFreCell(doc, row, column, text);
  // Every commit, a change or not: marks a file brought that do not fit its frequencies are put
  // right by the first cell the user leaves.
  doc.Edit([&](RadioConfig& r) { DeriveTestFreMarks(r, doc.state().bandText, doc.state().edges); });
  return result;
}

}  // namespace kr4100
