// SPDX-License-Identifier: GPL-3.0-or-later
// The in-place text box of the small editor grids (autodial memory, fleet list, test
// frequencies): laid over the current cell, it opens when a cell is entered or clicked and hands
// what it holds to the window once per opening, on whichever way out comes first (another cell,
// the box or the grid losing the focus, the window closing). The window decides what a commit
// means, which keys the box takes and what Enter does.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QKeyEvent;
class QLineEdit;
class QTableWidget;
class QWidget;

namespace kr4100 {

class FloatingCellEditor : public QObject {
  Q_OBJECT
 public:
  // Columns before firstCol (the row numbers) never open the box.
  explicit FloatingCellEditor(QTableWidget* grid, int firstCol = 1);

  QLineEdit* box() const { return box_; }
  int editRow() const { return editRow_; }  // 0 before the box was first opened
  int editCol() const { return editCol_; }

  // Key presses in the box go here first; true swallows the key. Paste by any means, the
  // context menu, drops and input methods never reach the box.
  void setKeyFilter(std::function<bool(QKeyEvent*)> refuse);
  // The box selects its whole text whenever it opens or gets the focus.
  void setSelectAllOnFocus(bool on) { selectAll_ = on; }

  void enterCell();  // commit the cell last opened, then open the grid's current cell
  void commit();     // hands the open cell's text to the window, at most once per opening
  void forget();     // hides the box; no cell is being edited any more (new data shown)
  // For a window's destructor, before anything a commit would touch goes: the grid's own
  // teardown changes its current cell and moves the focus, and none of it may commit or open.
  void stop();

 signals:
  // The open cell's text, once per opening. row: the data row, 1 for the first row under the
  // headings; col: the grid's column. The window decides what it means and may refuse it.
  void committed(int row, int col, const QString& text);
  // Enter in the box; with nothing connected to it, Enter moves the focus on as Tab does.
  void enterPressed();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void open();
  void place();
  void hideBox();

  QTableWidget* grid_;
  QWidget* viewport_ = nullptr;
  int firstCol_;
  QLineEdit* box_ = nullptr;
  int editRow_ = 0;
  int editCol_ = 0;
  bool pending_ = false;     // opened or typed into since the last commit
  bool committing_ = false;  // a message box shown by a commit takes the focus: no second commit
  bool selectAll_ = false;
  bool stopped_ = false;
  std::function<bool(QKeyEvent*)> refuse_;
};

}  // namespace kr4100
