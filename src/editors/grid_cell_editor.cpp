#include "editors/grid_cell_editor.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QTimer>
#include <algorithm>

#include "gui/key_filters.h"

namespace kr4100 {
namespace {

constexpr int kScrollIntervalMs = 500;

}  // namespace

GridCellEditor::GridCellEditor(QTableWidget* grid, Runner run, Store store)
    : QObject(grid), grid_(grid), run_(std::move(run)), store_(std::move(store)) {
  text1_ = new QLineEdit(grid_->viewport());
  text1_->setObjectName(QStringLiteral("Text1"));
  text1_->setFrame(false);
  text1_->setAlignment(Qt::AlignCenter);
  MakeFrequencyField(text1_);
  text1_->installEventFilter(this);
  for (int k = 0; k <= kChannelAttributeCount; ++k) {
    combo8_[k] = new QComboBox(grid_->viewport());
    combo8_[k]->setObjectName(QStringLiteral("Combo8_%1").arg(k));
    combo8_[k]->addItems({QString(), QString()});
    combo8_[k]->installEventFilter(this);
    connect(combo8_[k], &QComboBox::currentIndexChanged, this, [this, k](int index) {
      // A choice goes into the record at once; leaving the list stores it again, harmlessly.
      if (editCol_ == k + 2 && editRow_ > 0 && index >= 0)
        run_("Combo8_Validate", [&] { storeValue(editRow_, editCol_, QString::number(index)); });
    });
  }

  timerFocus_ = new QTimer(this);
  timerFocus_->setObjectName(QStringLiteral("TimerFocus"));
  timerFocus_->setSingleShot(true);
  timerFocus_->setInterval(10);
  connect(timerFocus_, &QTimer::timeout, this,
          [this] { run_("FrmCommChInfo_TimerFocus_Timer_Error", [&] { applyFocus(); }); });

  scrollTimer_ = new QTimer(this);
  scrollTimer_->setObjectName(QStringLiteral("ScrollTimer"));
  scrollTimer_->setSingleShot(true);
  scrollTimer_->setInterval(kScrollIntervalMs);
  connect(scrollTimer_, &QTimer::timeout, this, [this] {
    // The last scroll of a burst still moves the cursor, so the editor never stays over a row
    // it does not edit.
    if (!scrollPending_) return;
    scrollPending_ = false;
    scrolled();
  });
  connect(grid_->horizontalHeader(), &QHeaderView::sectionResized, this, [this] { place(); });
  connect(grid_->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { place(); });
  connect(grid_->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
    place();
    scrolled();
  });
  grid_->installEventFilter(this);
  grid_->viewport()->installEventFilter(this);
  close();
}

QComboBox* GridCellEditor::list(int column) const {
  return AttributeOfColumn(column) ? combo8_[column - 2] : nullptr;
}

void GridCellEditor::setListTexts(int column, const QString& first, const QString& second) {
  QComboBox* box = list(column);
  if (!box) return;
  const QSignalBlocker block(box);
  box->setItemText(0, first);
  box->setItemText(1, second);
}

int GridCellEditor::gridRow() const { return grid_->currentRow() + 1; }  // 0: no current cell
int GridCellEditor::gridCol() const { return std::max(grid_->currentColumn(), 0); }
int GridCellEditor::topRow() const { return std::max(grid_->rowAt(0), 0) + 1; }
QTableWidgetItem* GridCellEditor::cell(int row, int col) const { return grid_->item(row - 1, col); }

void GridCellEditor::enterCell() {
  run_("frmCommChInfo_MSFlexGrid1_EnterCell", [&] {
    const int row = gridRow();
    const int col = gridCol();
    if (row < 1 || col < 1) return;
    if (skipNextEnter_) {
      skipNextEnter_ = false;
      return;
    }
    if (entered) entered(row);
    if (col == kColRxFre && forcedToRx_) {
      forcedToRx_ = false;
    } else {
      if (editRow_ > 0 && editCol_ > 0) commit();
      if (col >= 2 && !rowHasRx()) {
        // A channel starts with its receive frequency: send the user there first.
        editCol_ = kColRxFre;
        editRow_ = row;
        forcedToRx_ = true;
        grid_->setCurrentCell(row - 1, kColRxFre);
        return;
      }
    }
    open();
  });
}

bool GridCellEditor::rowHasRx() const {
  bool hasRx = false;
  run_("frmCommChInfo_FlexConcludeRx", [&] { hasRx = !cell(gridRow(), kColRxFre)->text().isEmpty(); });
  return hasRx;
}

void GridCellEditor::open() {
  run_("frmCommChInfo_EnterGridEdit", [&] {
    editTopRow_ = topRow();
    editCol_ = gridCol();
    editRow_ = gridRow();
    if (editRow_ < 1 || editCol_ < 1) return;
    const QRect rect = grid_->visualItemRect(cell(editRow_, editCol_));
    if (editCol_ <= kColTxFre) {
      text1_->setGeometry(rect);
      text1_->setText(cell(editRow_, editCol_)->text());
      text1_->setModified(false);
      text1_->show();
      text1_->raise();
      if (!text1_->text().isEmpty()) text1_->selectAll();
    } else {
      QComboBox* box = list(editCol_);
      box->setGeometry(rect);
      {
        const QSignalBlocker block(box);
        box->setCurrentIndex(box->findText(cell(editRow_, editCol_)->text()));
      }
      box->show();
      box->raise();
    }
    focusOn(editCol_);
  });
}

void GridCellEditor::focusOn(int col) {
  focusCol_ = col;
  timerFocus_->start();
  applyFocus();
}

void GridCellEditor::applyFocus() {
  QWidget* target = focusCol_ <= kColTxFre ? static_cast<QWidget*>(text1_) : list(focusCol_);
  if (!target) return;
  if (target != text1_) text1_->hide();
  for (QComboBox* box : combo8_)
    if (box != target && box->isVisible()) box->hide();
  if (target->isVisible() && target->isEnabled()) target->setFocus(Qt::OtherFocusReason);
}

void GridCellEditor::place() {
  if (editRow_ < 1 || editCol_ < 1) return;
  const QRect rect = grid_->visualItemRect(cell(editRow_, editCol_));
  if (text1_->isVisible() && editCol_ <= kColTxFre) text1_->setGeometry(rect);
  if (QComboBox* box = list(editCol_); box && box->isVisible()) box->setGeometry(rect);
}

void GridCellEditor::scrolled() {
  if (scrollTimer_->isActive()) {
    scrollPending_ = true;
    return;
  }
  scrollTimer_->start();
  run_("MSFlexGrid1_Scroll Error", [&] { followScroll(); });
}

// The cursor moves with the scroll, so the editor keeps its place on screen over a new row.
void GridCellEditor::followScroll() {
  const int row = gridRow();
  const int col = gridCol();
  // A scroll that brings a newly chosen cell into view is not the editor's to follow.
  if (row < 1 || col < 1 || editRow_ < 1 || row != editRow_) return;
  const int newRow = row - editTopRow_ + topRow();
  if (newRow < 1 || newRow > kGridRows || newRow == row) return;
  grid_->setCurrentCell(newRow - 1, col);  // enters the cell, which commits the old one
}

void GridCellEditor::commit() {
  run_("frmCommChInfo_SaveShowGridData", [&] {
    if (editRow_ == 0) return;
    if (editCol_ == kColRxFre || editCol_ == kColTxFre) {
      if (!text1_->isVisible()) return;
      text1_->hide();
      if (!text1_->isModified()) return;  // see eventFilter
      storeValue(editRow_, editCol_, text1_->text());
    } else if (QComboBox* box = list(editCol_); box && box->isVisible()) {
      const int index = box->currentIndex();
      box->hide();
      if (index >= 0) storeValue(editRow_, editCol_, QString::number(index));
    }
  });
}

void GridCellEditor::storeValue(int chNum, int column, const QString& value) {
  // The document normalises, creates, deletes and tells every window; the row shows the result.
  const bool wasStoring = storing_;
  storing_ = true;
  try {
    store_(chNum, column, value);
  } catch (...) {
    storing_ = wasStoring;
    throw;
  }
  storing_ = wasStoring;
}

void GridCellEditor::close() {
  text1_->hide();
  for (QComboBox* box : combo8_) box->hide();
}

void GridCellEditor::forget() {
  close();
  editRow_ = 0;
  forcedToRx_ = false;
  skipNextEnter_ = false;
}

void GridCellEditor::rowCleared(int row) {
  // Only the editor over this row loses its text; one open on another row keeps it.
  if (editRow_ == row) text1_->clear();
}

void GridCellEditor::nextLine() {
  run_("frmCommChInfo_GridNextLine", [&] {
    const int row = gridRow() >= kGridRows ? 1 : gridRow() + 1;
    grid_->setCurrentCell(row - 1, gridCol() > 0 ? gridCol() : editCol_);
  });
}

void GridCellEditor::nextCol() {
  run_("rmCommChInfo_GridNextCol", [&] {
    const int col = gridCol() + 1;
    if (col < kGridCols) {
      grid_->setCurrentCell(grid_->currentRow(), col);
      return;
    }
    // Past the last column: back to column 1 without opening it, then down one row.
    skipNextEnter_ = true;
    grid_->setCurrentCell(grid_->currentRow(), kColRxFre);
    nextLine();
  });
}

void GridCellEditor::enterPressed() {
  const int col = gridCol();
  if (col == kColRxFre && text1_->text().isEmpty())
    nextLine();
  else if (col > 0 && col < kGridCols)
    nextCol();
}

bool GridCellEditor::eventFilter(QObject* watched, QEvent* event) {
  if (watched == grid_ && IsEnterKey(event)) {
    open();
    return true;
  }
  if (watched == grid_->viewport() && event->type() == QEvent::Resize) {
    place();
    return false;
  }
  const bool leaving = event->type() == QEvent::FocusOut && !storing_ &&
                       static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason;
  if (watched == text1_) {
    if (IsEnterKey(event)) {
      run_("FrmCommChInfo_Text1_KeyPress_Error", [&] { enterPressed(); });
      return true;
    }
    if (leaving && text1_->isVisible() && (editCol_ == kColRxFre || editCol_ == kColTxFre) &&
        editRow_ > 0) {
      // Leaving the field commits it, as any other way out of the cell does. A text nobody
      // typed into is what the cell shows already: storing it again would only repeat the range
      // check, and a window activating after a band change would warn about, and move, a
      // frequency the user never touched.
      text1_->hide();
      if (text1_->isModified())
        run_("frmCommChInfo_SaveShowGridData", [&] { storeValue(editRow_, editCol_, text1_->text()); });
    }
    return false;
  }
  for (int k = 1; k < 8; ++k) {
    if (watched != combo8_[k]) continue;
    if (IsEnterKey(event)) {
      run_("Combo8_KeyPress", [&] { enterPressed(); });
      return true;
    }
    if (leaving && combo8_[k]->isVisible() && editCol_ == k + 2)
      run_("Combo8_Validate", [&] { commit(); });
    return false;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace kr4100
