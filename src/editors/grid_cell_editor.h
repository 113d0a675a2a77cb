// The channel grid's in-place editor: a text box for the two frequency columns and a list for
// each flag column, laid over the current cell. It opens on cell entry, follows the grid when it
// scrolls, commits what it holds on every way out of the cell (entering another cell, Enter,
// losing the focus), and moves on with Enter as the grid's keyboard rules say.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "core/config/document.h"

class QComboBox;
class QLineEdit;
class QTableWidget;
class QTableWidgetItem;
class QTimer;

namespace kr4100 {

inline constexpr int kGridRows = 60;  // data rows; row r of the grid is channel number r
inline constexpr int kGridCols = kChannelColumnCount;  // column 0 shows the row number

class GridCellEditor : public QObject {
 public:
  // Runs a procedure, trapping its failure under the given label (the window's message box).
  using Runner = std::function<void(const char* label, const std::function<void()>& procedure)>;
  // Puts one cell's value into the document (which re-shows the row through the window).
  using Store = std::function<void(int chNum, int column, const QString& value)>;

  GridCellEditor(QTableWidget* grid, Runner run, Store store);

  QLineEdit* textBox() const { return text1_; }
  QComboBox* list(int column) const;  // the list of a flag column, nothing for the others

  // Item texts of a flag column's list in the language in force.
  void setListTexts(int column, const QString& first, const QString& second);

  // The grid's current cell changed: commit the old cell, open the editor on the new one. A
  // channel starts with its receive frequency, so an empty row sends the user there first.
  void enterCell();
  std::function<void(int row)> entered;  // a row was entered (the window's caption follows)
  void open();          // opens the editor over the current cell (Enter on the grid)
  void commit();        // what the open editor holds goes into the document, and it closes
  void close();         // hides the editor without storing anything (a new group, new data)
  void forget();        // close() and no cell is being edited any more
  void rowCleared(int row);  // the channel of that row went: an editor over it loses its text
  bool storing() const { return storing_; }
  int editRow() const { return editRow_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int gridRow() const;
  int gridCol() const;
  int topRow() const;
  QTableWidgetItem* cell(int row, int col) const;
  bool rowHasRx() const;
  void focusOn(int col);
  void applyFocus();
  void place();
  void scrolled();
  void followScroll();
  void storeValue(int chNum, int column, const QString& value);
  void nextLine();
  void nextCol();
  void enterPressed();

  QTableWidget* grid_;
  Runner run_;
  Store store_;
  QLineEdit* text1_ = nullptr;
  // Member k edits column k + 2; member 0 is never shown.
  QComboBox* combo8_[1 + kChannelAttributeCount] = {};
  QTimer* timerFocus_ = nullptr;
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
