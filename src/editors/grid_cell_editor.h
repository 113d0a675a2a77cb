// SPDX-License-Identifier: GPL-3.0-or-later
// The channel grid's in-place editor: a text box for the two frequency columns and a list for
// each flag column, laid over the current cell. It opens on cell entry, follows the grid when it
// scrolls, commits what it holds on every way out of the cell (entering another cell, Enter,
// losing the focus), and moves on with Enter as the grid's keyboard rules say.
#pragma once

#include <QObject>
#include <QString>

#include "core/config/document.h"
#include "gui/ui_context.h"

class QComboBox;
class QLineEdit;
class QTableWidget;
class QTableWidgetItem;
class QTimer;

namespace kr4100 {

inline constexpr int kGridRows = 60;  // data rows; row r of the grid is channel number r
inline constexpr int kGridCols = kChannelColumnCount;  // column 0 shows the row number

// Each cell it commits goes into the document (SetChannelValue), which re-shows the row through
// the window; a failure shows the procedure's label, as the window's own procedures do.
class GridCellEditor : public QObject {
  Q_OBJECT
 public:
  GridCellEditor(QTableWidget* grid, UiContext& ctx);

  QComboBox* list(int column) const;  // the list of a flag column, nothing for the others

  // Item texts of a flag column's list in the language in force.
  void setListTexts(int column, const QString& first, const QString& second);

  // The grid's current cell changed: commit the old cell, open the editor on the new one. A
  // channel starts with its receive frequency, so an empty row sends the user there first.
  void MSFlexGrid1_EnterCell();
  void EnterGridEdit();      // opens the editor over the current cell (Enter on the grid)
  void SaveShowGridData();   // what the open editor holds goes into the document, and it closes
  void SetEditNoVisable();   // hides the editor without storing anything (a new group, new data)
  void forget();             // SetEditNoVisable() and no cell is being edited any more
  void rowCleared(int row);  // the channel of that row went: an editor over it loses its text
  bool storing() const { return storing_; }
  int editRow() const { return editRow_; }

 signals:
  void rowEntered(int row);  // the window's caption follows the row

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  template <class F>
  void guarded(const char* label, F&& procedure) const;
  int gridRow() const;
  int gridCol() const;
  int topRow() const;
  QTableWidgetItem* cell(int row, int col) const;
  bool FlexConcludeRx() const;
  void SetGridFocus(int col);
  void TimerFocus_Timer();
  void place();
  void MSFlexGrid1_Scroll();
  void followScroll();
  void storeValue(int chNum, int column, const QString& value);
  void GridNextLine();
  void GridNextCol();
  void enterPressed();

  QTableWidget* grid_;
  UiContext& ctx_;
  QLineEdit* frequencyBox_ = nullptr;
  // Member k edits column ColumnOfList(k), the switches' columns; member 0 is never shown.
  QComboBox* attributeLists_[1 + kChannelAttributeCount] = {};
  QTimer* focusTimer_ = nullptr;
  QTimer* scrollTimer_ = nullptr;  // one scroll handled per interval

  int editCol_ = 0;
  int editRow_ = 0;  // 0: no cell
  int editTopRow_ = 1;  // the grid's top row when the editor opened
  int focusCol_ = 0;
  bool skipNextEnter_ = false;
  bool forcedToRx_ = false;
  bool storing_ = false;  // a store is running: focus changes it causes commit nothing
  bool scrollPending_ = false;  // a scroll came while the timer ran
};

}  // namespace kr4100
