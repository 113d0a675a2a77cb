// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/grid_row_choice.h"

#include <QTableWidget>
#include <algorithm>

namespace kr4100 {

GridRowChoice::GridRowChoice(QTableWidget* grid, int firstColumn)
    : grid_(grid), firstColumn_(firstColumn) {}

int GridRowChoice::cursorRow() const {
  return std::max(grid_->currentRow() + 1, 1);
}

void GridRowChoice::range(int anchor, int end) {
  const int rows = grid_->rowCount();
  anchor_ = std::clamp(anchor, 1, rows);
  end_ = std::clamp(end, 1, rows);
  chosen_.clear();
  for (int r = std::min(anchor_, end_); r <= std::max(anchor_, end_); ++r) chosen_.push_back(r);
  show();
}

void GridRowChoice::extendTo(int row) {
  range(anchor_ > 0 ? anchor_ : cursorRow(), row);
}

void GridRowChoice::extendBy(int step) {
  const int anchor = anchor_ > 0 ? anchor_ : cursorRow();
  range(anchor, (anchor_ > 0 ? end_ : anchor) + step);
}

void GridRowChoice::toggle(int row) {
  // Until a first Ctrl click the choice was the cursor row, so it stays in.
  if (chosen_.empty()) chosen_.push_back(cursorRow());
  const auto at = std::lower_bound(chosen_.begin(), chosen_.end(), row);
  if (at != chosen_.end() && *at == row)
    chosen_.erase(at);
  else
    chosen_.insert(at, row);
  anchor_ = end_ = chosen_.empty() ? 0 : row;
  show();
}

void GridRowChoice::set(const std::vector<int>& rows) {
  if (rows.empty()) {
    clear();
    grid_->clearSelection();
    return;
  }
  // Shift goes on from where it was when the rows stayed; moved rows take it with them.
  if (rows != chosen_) {
    anchor_ = rows.front();
    end_ = rows.back();
  }
  chosen_ = rows;
  show();
}

void GridRowChoice::clear() {
  anchor_ = end_ = 0;
  chosen_.clear();
}

bool GridRowChoice::contains(int row) const {
  return std::binary_search(chosen_.begin(), chosen_.end(), row);
}

std::vector<int> GridRowChoice::rows() const {
  if (!chosen_.empty()) return chosen_;
  return {cursorRow()};
}

void GridRowChoice::show() {
  grid_->clearSelection();
  const int last = grid_->columnCount() - 1;
  for (int r : chosen_)
    grid_->setRangeSelected(QTableWidgetSelectionRange(r - 1, firstColumn_, r - 1, last), true);
}

}  // namespace kr4100
