// SPDX-License-Identifier: GPL-3.0-or-later
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
#include <utility>

#include "gui/accessibility.h"
#include "gui/editor_support.h"
#include "gui/key_filters.h"

namespace kr4100 {
namespace {

constexpr int kScrollIntervalMs = 500;

// The lists are numbered from 1 like the switches' columns that follow TX (Combo8_1 edits BUSY).
constexpr int ColumnOfList(int k) {
  return kColTxFre + k;
}
static_assert(ColumnOfList(1) == kColBusy);

}  // namespace

template <class F>
void GridCellEditor::guarded(const char* label, F&& procedure) const {
  Guarded(ctx_, label, std::forward<F>(procedure));
}

GridCellEditor::GridCellEditor(QTableWidget* grid, UiContext& ctx)
    : QObject(grid), grid_(grid), ctx_(ctx) {
  frequencyBox_ = new QLineEdit(grid_->viewport());
  frequencyBox_->setObjectName(QStringLiteral("Text1"));
  frequencyBox_->setFrame(false);
  frequencyBox_->setAlignment(Qt::AlignCenter);
  MakeFrequencyField(frequencyBox_);
  frequencyBox_->installEventFilter(this);
  for (int k = 0; k <= kChannelAttributeCount; ++k) {
    attributeLists_[k] = new QComboBox(grid_->viewport());
    attributeLists_[k]->setObjectName(QStringLiteral("Combo8_%1").arg(k));
    attributeLists_[k]->addItems({QString(), QString()});
    attributeLists_[k]->installEventFilter(this);
    connect(attributeLists_[k], &QComboBox::currentIndexChanged, this, [this, k](int index) {
      // A choice goes into the record at once; leaving the list stores it again, harmlessly.
      if (editCol_ == ColumnOfList(k) && editRow_ > 0 && index >= 0)
        guarded("Combo8_Validate", [&] { storeValue(editRow_, editCol_, QString::number(index)); });
    });
  }

  focusTimer_ = new QTimer(this);
  focusTimer_->setObjectName(QStringLiteral("TimerFocus"));
  focusTimer_->setSingleShot(true);
  focusTimer_->setInterval(10);
  connect(focusTimer_, &QTimer::timeout, this,
          [this] { guarded("FrmCommChInfo_TimerFocus_Timer_Error", [&] { TimerFocus_Timer(); }); });

  scrollTimer_ = new QTimer(this);
  scrollTimer_->setObjectName(QStringLiteral("ScrollTimer"));
  scrollTimer_->setSingleShot(true);
  scrollTimer_->setInterval(kScrollIntervalMs);
  connect(scrollTimer_, &QTimer::timeout, this, [this] {
    // The last scroll of a burst still moves the cursor, so the editor never stays over a row
    // it does not edit.
    if (!scrollPending_) return;
    scrollPending_ = false;
    MSFlexGrid1_Scroll();
  });
  connect(grid_->horizontalHeader(), &QHeaderView::sectionResized, this, [this] { place(); });
  connect(grid_->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { place(); });
  connect(grid_->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
    place();
    MSFlexGrid1_Scroll();
  });
  // The cell that stayed current while no editor was open (a new group) opens on a click too.
  connect(grid_, &QTableWidget::cellPressed, this, [this](int row, int col) {
    if (editRow_ == 0 && row == grid_->currentRow() && col == grid_->currentColumn())
      MSFlexGrid1_EnterCell();
  });
  grid_->installEventFilter(this);
  grid_->viewport()->installEventFilter(this);
  SetEditNoVisable();
}

QComboBox* GridCellEditor::list(int column) const {
  return AttributeOfColumn(column) ? attributeLists_[column - ColumnOfList(0)] : nullptr;
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

void GridCellEditor::MSFlexGrid1_EnterCell() {
  guarded("frmCommChInfo_MSFlexGrid1_EnterCell", [&] {
    const int row = gridRow();
    const int col = gridCol();
    if (row < 1 || col < 1) return;
    if (skipNextEnter_) {
      skipNextEnter_ = false;
      return;
    }
    emit rowEntered(row);
    if (col == kColRxFre && forcedToRx_) {
      forcedToRx_ = false;
    } else {
      if (editRow_ > 0 && editCol_ > 0) SaveShowGridData();
      if (col >= 2 && !FlexConcludeRx()) {
        // A channel starts with its receive frequency: send the user there first.
        editCol_ = kColRxFre;
        editRow_ = row;
        forcedToRx_ = true;
        grid_->setCurrentCell(row - 1, kColRxFre);
        return;
      }
    }
    EnterGridEdit();
  });
}

bool GridCellEditor::FlexConcludeRx() const {
  bool hasRx = false;
  guarded("frmCommChInfo_FlexConcludeRx",
          [&] { hasRx = !cell(gridRow(), kColRxFre)->text().isEmpty(); });
  return hasRx;
}

void GridCellEditor::EnterGridEdit() {
  guarded("frmCommChInfo_EnterGridEdit", [&] {
    editTopRow_ = topRow();
    editCol_ = gridCol();
    editRow_ = gridRow();
    if (editRow_ < 1 || editCol_ < 1) return;
    const QRect rect = grid_->visualItemRect(cell(editRow_, editCol_));
    // A screen reader names the editor after its column.
    const QString heading = grid_->horizontalHeaderItem(editCol_)->text().simplified();
    if (editCol_ <= kColTxFre) {
      frequencyBox_->setAccessibleName(heading);
      frequencyBox_->setGeometry(rect);
      frequencyBox_->setText(cell(editRow_, editCol_)->text());
      frequencyBox_->setModified(false);
      frequencyBox_->show();
      frequencyBox_->raise();
      if (!frequencyBox_->text().isEmpty()) frequencyBox_->selectAll();
    } else {
      QComboBox* box = list(editCol_);
      NameComboBox(box, heading);
      box->setGeometry(rect);
      {
        const QSignalBlocker block(box);
        box->setCurrentIndex(box->findText(cell(editRow_, editCol_)->text()));
      }
      box->show();
      box->raise();
    }
    SetGridFocus(editCol_);
  });
}

void GridCellEditor::SetGridFocus(int col) {
  focusCol_ = col;
  focusTimer_->start();
  TimerFocus_Timer();
}

void GridCellEditor::TimerFocus_Timer() {
  QWidget* target = focusCol_ <= kColTxFre ? static_cast<QWidget*>(frequencyBox_) : list(focusCol_);
  if (!target) return;
  if (target != frequencyBox_) frequencyBox_->hide();
  for (QComboBox* box : attributeLists_)
    if (box != target && box->isVisible()) box->hide();
  if (target->isVisible() && target->isEnabled()) target->setFocus(Qt::OtherFocusReason);
}

void GridCellEditor::place() {
  if (editRow_ < 1 || editCol_ < 1) return;
  const QRect rect = grid_->visualItemRect(cell(editRow_, editCol_));
  if (frequencyBox_->isVisible() && editCol_ <= kColTxFre) frequencyBox_->setGeometry(rect);
  if (QComboBox* box = list(editCol_); box && box->isVisible()) box->setGeometry(rect);
}

void GridCellEditor::MSFlexGrid1_Scroll() {
  if (scrollTimer_->isActive()) {
    scrollPending_ = true;
    return;
  }
  scrollTimer_->start();
  guarded("MSFlexGrid1_Scroll Error", [&] { followScroll(); });
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

void GridCellEditor::SaveShowGridData() {
  guarded("frmCommChInfo_SaveShowGridData", [&] {
    if (editRow_ == 0) return;
    if (editCol_ == kColRxFre || editCol_ == kColTxFre) {
      if (!frequencyBox_->isVisible()) return;
      frequencyBox_->hide();
      if (!frequencyBox_->isModified()) return;  // see eventFilter
      storeValue(editRow_, editCol_, frequencyBox_->text());
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
    ctx_.doc().SetChannelValue(chNum, column, value.toStdString());
  } catch (...) {
    storing_ = wasStoring;
    throw;
  }
  storing_ = wasStoring;
}

void GridCellEditor::SetEditNoVisable() {
  frequencyBox_->hide();
  for (QComboBox* box : attributeLists_) box->hide();
}

void GridCellEditor::forget() {
  SetEditNoVisable();
  editRow_ = 0;
  forcedToRx_ = false;
  skipNextEnter_ = false;
}

void GridCellEditor::rowCleared(int row) {
  // Only the editor over this row loses its text; one open on another row keeps it.
  if (editRow_ == row) frequencyBox_->clear();
}

void GridCellEditor::GridNextLine() {
  guarded("frmCommChInfo_GridNextLine", [&] {
    const int row = gridRow() >= kGridRows ? 1 : gridRow() + 1;
    grid_->setCurrentCell(row - 1, gridCol() > 0 ? gridCol() : editCol_);
  });
}

void GridCellEditor::GridNextCol() {
  guarded("rmCommChInfo_GridNextCol", [&] {
    const int col = gridCol() + 1;
    if (col < kGridCols) {
      grid_->setCurrentCell(grid_->currentRow(), col);
      return;
    }
    // Past the last column: back to column 1 without opening it, then down one row.
    skipNextEnter_ = true;
    grid_->setCurrentCell(grid_->currentRow(), kColRxFre);
    GridNextLine();
  });
}

void GridCellEditor::enterPressed() {
  const int col = gridCol();
  if (col == kColRxFre && frequencyBox_->text().isEmpty())
    GridNextLine();
  else if (col > 0 && col < kGridCols)
    GridNextCol();
}

bool GridCellEditor::eventFilter(QObject* watched, QEvent* event) {
  if (watched != grid_ && watched != grid_->viewport() && OpensKeyboardContextMenu(event)) {
    // The grid's menu, not the editor's own, at the cell being edited.
    SendKeyboardContextMenu(grid_);
    return true;
  }
  if (watched == grid_ && IsEnterKey(event)) {
    EnterGridEdit();
    return true;
  }
  if (watched == grid_->viewport() && event->type() == QEvent::Resize) {
    place();
    return false;
  }
  const bool leaving = event->type() == QEvent::FocusOut && !storing_ &&
                       static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason;
  if (watched == frequencyBox_) {
    if (IsEnterKey(event)) {
      guarded("FrmCommChInfo_Text1_KeyPress_Error", [&] { enterPressed(); });
      return true;
    }
    if (leaving && frequencyBox_->isVisible() && (editCol_ == kColRxFre || editCol_ == kColTxFre) &&
        editRow_ > 0) {
      // Leaving the field commits it, as any other way out of the cell does. A text nobody
      // typed into is what the cell shows already: storing it again would only repeat the range
      // check, and a window activating after a band change would warn about, and move, a
      // frequency the user never touched.
      frequencyBox_->hide();
      if (frequencyBox_->isModified())
        guarded("frmCommChInfo_SaveShowGridData",
                [&] { storeValue(editRow_, editCol_, frequencyBox_->text()); });
    }
    return false;
  }
  for (int k = 1; k <= kChannelAttributeCount; ++k) {
    if (watched != attributeLists_[k]) continue;
    if (IsEnterKey(event)) {
      guarded("Combo8_KeyPress", [&] { enterPressed(); });
      return true;
    }
    if (leaving && attributeLists_[k]->isVisible() && editCol_ == ColumnOfList(k))
      guarded("Combo8_Validate", [&] { SaveShowGridData(); });
    return false;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace kr4100
