// SPDX-License-Identifier: GPL-3.0-or-later
// The rows chosen in the channel grid, by their channel numbers: a range from an anchor (a click
// on the number, Shift+click, Shift+arrows) or rows added and taken away one by one (Ctrl+click).
// The grid shows them as its selection; with none chosen, the cursor row is the choice.
#pragma once

#include <vector>

class QTableWidget;

namespace kr4100 {

class GridRowChoice {
 public:
  // firstColumn: the first column a chosen row shows selected from.
  GridRowChoice(QTableWidget* grid, int firstColumn);

  void range(int anchor, int end);         // the rows from anchor to end, instead of the choice
  void extendTo(int row);                  // from the anchor, or from the cursor row
  void extendBy(int step);                 // the range's far end one row on (Shift+Up/Down)
  void toggle(int row);                    // a first one keeps the cursor row with it
  void set(const std::vector<int>& rows);  // the rows a command moved the choice to
  void clear();                            // nothing chosen (the grid's selection stays)

  bool contains(int row) const;
  std::vector<int> rows() const;  // ascending; the cursor row when none was chosen
  int cursorRow() const;

 private:
  void show();

  QTableWidget* grid_;
  int firstColumn_;
  std::vector<int> chosen_;  // ascending
  int anchor_ = 0;           // 0: nothing chosen
  int end_ = 0;
};

}  // namespace kr4100
