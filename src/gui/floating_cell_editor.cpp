// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/floating_cell_editor.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMetaMethod>
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>

#include "gui/key_filters.h"

namespace kr4100 {

FloatingCellEditor::FloatingCellEditor(QTableWidget* grid, int firstCol)
    : QObject(grid), grid_(grid), firstCol_(firstCol) {
  box_ = new QLineEdit(grid_->viewport());
  box_->setObjectName(QStringLiteral("Text1"));
  box_->setFrame(false);
  box_->hide();
  box_->installEventFilter(this);
  RestrictToTypedKeys(box_, [this](QKeyEvent* key) { return refuse_ && refuse_(key); });
  connect(box_, &QLineEdit::textEdited, this, [this] { pending_ = editRow_ > 0; });
  connect(grid_, &QTableWidget::currentCellChanged, this, [this] { enterCell(); });
  // A click on the cell that is already current opens it again (the first click after loading).
  connect(grid_, &QTableWidget::cellPressed, this, [this](int row, int col) {
    if (!box_->isVisible() || row + 1 != editRow_ || col != editCol_) enterCell();
  });
  connect(grid_->horizontalHeader(), &QHeaderView::sectionResized, this, [this] { place(); });
  connect(grid_->verticalHeader(), &QHeaderView::sectionResized, this, [this] { place(); });
  connect(grid_->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { place(); });
  connect(grid_->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { place(); });
  viewport_ = grid_->viewport();
  grid_->installEventFilter(this);
  viewport_->installEventFilter(this);
}

void FloatingCellEditor::setKeyFilter(std::function<bool(QKeyEvent*)> refuse) {
  refuse_ = std::move(refuse);
}

void FloatingCellEditor::enterCell() {
  if (committing_ || stopped_) return;
  commit();
  open();
}

void FloatingCellEditor::open() {
  const int row = grid_->currentRow() + 1;
  const int col = grid_->currentColumn();
  if (row < 1 || col < firstCol_) {
    hideBox();
    return;
  }
  editRow_ = row;
  editCol_ = col;
  const QTableWidgetItem* item = grid_->item(row - 1, col);
  box_->setText(item ? item->text() : QString());
  // A screen reader names the box after its column.
  if (const QTableWidgetItem* heading = grid_->horizontalHeaderItem(col))
    box_->setAccessibleName(heading->text().simplified());
  box_->show();
  box_->raise();
  place();
  pending_ = true;
  box_->setFocus(Qt::OtherFocusReason);
  if (selectAll_ && !box_->text().isEmpty()) box_->selectAll();
}

void FloatingCellEditor::place() {
  if (editRow_ < 1 || !box_->isVisible()) return;
  box_->setGeometry(grid_->visualRect(grid_->model()->index(editRow_ - 1, editCol_)));
}

void FloatingCellEditor::commit() {
  if (!pending_ || committing_ || stopped_ || editRow_ < 1) return;
  pending_ = false;
  committing_ = true;
  try {
    emit committed(editRow_, editCol_, box_->text());
  } catch (...) {
    committing_ = false;
    throw;
  }
  committing_ = false;
}

void FloatingCellEditor::stop() {
  forget();
  stopped_ = true;
  box_->removeEventFilter(this);
  grid_->removeEventFilter(this);
  viewport_->removeEventFilter(this);
  disconnect(grid_, nullptr, this, nullptr);
}

void FloatingCellEditor::forget() {
  // Before hiding: the focus leaving the box must find nothing to commit.
  editRow_ = 0;
  editCol_ = 0;
  pending_ = false;
  hideBox();
}

void FloatingCellEditor::hideBox() {
  // A hidden focus widget hands the focus on, and the grid would take that as Tab and move its
  // current cell; the grid takes the focus first instead.
  if (box_->hasFocus()) grid_->setFocus(Qt::OtherFocusReason);
  box_->hide();
}

bool FloatingCellEditor::eventFilter(QObject* watched, QEvent* event) {
  // The box and the viewport are torn down inside the grid's destructor, and their last events
  // come here while the grid is half gone: nothing of it may be called then.
  if (stopped_) return false;
  if (watched == viewport_ && event->type() == QEvent::Resize) {
    place();
    return false;
  }
  if (watched == grid_ && IsEnterKey(event)) {
    enterCell();
    return true;
  }
  if (watched == box_) {
    if (IsEnterKey(event)) {
      if (isSignalConnected(QMetaMethod::fromSignal(&FloatingCellEditor::enterPressed))) {
        emit enterPressed();
      } else {
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QCoreApplication::sendEvent(box_, &tab);
      }
      return true;
    }
    if (event->type() == QEvent::FocusIn && selectAll_ && !box_->text().isEmpty()) {
      // After the focus arrives; a mouse press would otherwise place the cursor over it.
      QTimer::singleShot(0, box_, [box = box_] { box->selectAll(); });
    }
    // A menu or the list of a popup takes the focus for a moment only.
    if (event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
      commit();
    return false;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace kr4100
