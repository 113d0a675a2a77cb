// The in-place editors of the channel grid: entering a cell, the editor over it, committing
// what it holds, and the Enter-key movement through the grid.
#include <QFocusEvent>
#include <QSignalBlocker>

#include "editors/frm_comm_ch_info_impl.h"

namespace kr4100 {

void frmCommChInfo::Impl::EnterCell() {
  guarded("frmCommChInfo_MSFlexGrid1_EnterCell", [&] {
    const int row = gridRow();
    const int col = gridCol();
    if (row < 1 || col < 1) return;
    if (skipNextEnter) {
      skipNextEnter = false;
      return;
    }
    captionChannel = row;
    updateCaption();
    if (col == kColRxFre && forcedToRx) {
      forcedToRx = false;
    } else {
      if (editRow > 0 && editCol > 0) SaveShowGridData();
      if (col >= 2 && !FlexConcludeRx()) {
        // A channel starts with its receive frequency: send the user there first.
        editCol = kColRxFre;
        editRow = row;
        forcedToRx = true;
        grid->setCurrentCell(row - 1, kColRxFre);
        return;
      }
    }
    EnterGridEdit();
  });
}

bool frmCommChInfo::Impl::FlexConcludeRx() {
  bool hasRx = false;
  guarded("frmCommChInfo_FlexConcludeRx",
          [&] { hasRx = !cell(gridRow(), kColRxFre)->text().isEmpty(); });
  return hasRx;
}

void frmCommChInfo::Impl::EnterGridEdit() {
  guarded("frmCommChInfo_EnterGridEdit", [&] {
    editTopRow = topRow();
    editCol = gridCol();
    editRow = gridRow();
    if (editRow < 1 || editCol < 1) return;
    const QRect rect = grid->visualItemRect(cell(editRow, editCol));
    if (editCol <= kColTxFre) {
      text1->setGeometry(rect);
      text1->setText(cell(editRow, editCol)->text());
      text1->setModified(false);
      text1->show();
      text1->raise();
      if (!text1->text().isEmpty()) text1->selectAll();
    } else {
      QComboBox* box = comboFor(editCol);
      box->setGeometry(rect);
      {
        const QSignalBlocker block(box);
        box->setCurrentIndex(box->findText(cell(editRow, editCol)->text()));
      }
      box->show();
      box->raise();
    }
    SetGridFocus(editCol);
  });
}

void frmCommChInfo::Impl::applyFocus() {
  QWidget* target = focusCol <= kColTxFre ? static_cast<QWidget*>(text1) : comboFor(focusCol);
  if (!target) return;
  if (target != text1) text1->hide();
  for (QComboBox* box : combo8)
    if (box != target && box->isVisible()) box->hide();
  if (target->isVisible() && target->isEnabled()) target->setFocus(Qt::OtherFocusReason);
}

void frmCommChInfo::Impl::placeEditors() {
  if (editRow < 1 || editCol < 1) return;
  const QRect rect = grid->visualItemRect(cell(editRow, editCol));
  if (text1->isVisible() && editCol <= kColTxFre) text1->setGeometry(rect);
  if (QComboBox* box = comboFor(editCol); box && box->isVisible()) box->setGeometry(rect);
}

void frmCommChInfo::Impl::gridScrolled() {
  if (scrollTimer->isActive()) {
    scrollPending = true;
    return;
  }
  scrollTimer->start();
  guarded("MSFlexGrid1_Scroll Error", [&] { followScroll(); });
}

// The cursor moves with the scroll, so the editor keeps its place on screen over a new row.
void frmCommChInfo::Impl::followScroll() {
  const int row = gridRow();
  const int col = gridCol();
  // A scroll that brings a newly chosen cell into view is not the editor's to follow.
  if (row < 1 || col < 1 || editRow < 1 || row != editRow) return;
  const int newRow = row - editTopRow + topRow();
  if (newRow < 1 || newRow > kGridRows || newRow == row) return;
  grid->setCurrentCell(newRow - 1, col);  // enters the cell, which commits the old one
}

void frmCommChInfo::Impl::SaveShowGridData() {
  guarded("frmCommChInfo_SaveShowGridData", [&] {
    if (editRow == 0) return;
    if (editCol == kColRxFre || editCol == kColTxFre) {
      if (!text1->isVisible()) return;
      text1->hide();
      store(editRow, editCol, text1->text());
    } else if (QComboBox* box = comboFor(editCol); box && box->isVisible()) {
      const int index = box->currentIndex();
      box->hide();
      if (index >= 0) store(editRow, editCol, QString::number(index));
    }
  });
}

void frmCommChInfo::Impl::store(int chNum, int column, const QString& value) {
  // The document normalises, creates, deletes and tells every window; the row shows the result.
  const bool wasStoring = storing;
  storing = true;
  try {
    ctx.doc().SetChannelValue(chNum, column, value.toStdString());
  } catch (...) {
    storing = wasStoring;
    throw;
  }
  storing = wasStoring;
}

void frmCommChInfo::Impl::SetEditNoVisable() {
  text1->hide();
  for (QComboBox* box : combo8) box->hide();
}

void frmCommChInfo::Impl::GridNextLine() {
  guarded("frmCommChInfo_GridNextLine", [&] {
    const int row = gridRow() >= kGridRows ? 1 : gridRow() + 1;
    grid->setCurrentCell(row - 1, gridCol() > 0 ? gridCol() : editCol);
  });
}

void frmCommChInfo::Impl::GridNextCol() {
  guarded("rmCommChInfo_GridNextCol", [&] {
    const int col = gridCol() + 1;
    if (col < kGridCols) {
      grid->setCurrentCell(grid->currentRow(), col);
      return;
    }
    // Past the last column: back to column 1 without opening it, then down one row.
    skipNextEnter = true;
    grid->setCurrentCell(grid->currentRow(), kColRxFre);
    GridNextLine();
  });
}

void frmCommChInfo::Impl::editorEnter() {
  const int col = gridCol();
  if (col == kColRxFre && text1->text().isEmpty())
    GridNextLine();
  else if (col > 0 && col < kGridCols)
    GridNextCol();
}

bool frmCommChInfo::eventFilter(QObject* watched, QEvent* event) {
  if (!d_) return QWidget::eventFilter(watched, event);
  Impl& d = *d_;
  if (watched == d.grid && IsEnterKey(event)) {
    d.EnterGridEdit();
    return true;
  }
  if (watched == d.grid->viewport() && event->type() == QEvent::Resize) {
    d.placeEditors();
    return false;
  }
  if (watched == d.text1) {
    if (IsEnterKey(event)) {
      d.guarded("FrmCommChInfo_Text1_KeyPress_Error", [&] { d.editorEnter(); });
      return true;
    }
    if (event->type() == QEvent::FocusOut && !d.storing && d.text1->isVisible() &&
        (d.editCol == kColRxFre || d.editCol == kColTxFre) && d.editRow > 0 &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
      // Leaving the field commits it, as any other way out of the cell does.
      d.text1->hide();
      d.guarded("frmCommChInfo_SaveShowGridData",
                [&] { d.store(d.editRow, d.editCol, d.text1->text()); });
    }
    return false;
  }
  for (int k = 1; k < 8; ++k) {
    if (watched != d.combo8[k]) continue;
    if (IsEnterKey(event)) {
      d.guarded("Combo8_KeyPress", [&] { d.editorEnter(); });
      return true;
    }
    if (event->type() == QEvent::FocusOut && !d.storing && d.combo8[k]->isVisible() &&
        d.editCol == k + 2 && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
      d.guarded("Combo8_Validate", [&] { d.SaveShowGridData(); });
    return false;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace kr4100
