// SPDX-License-Identifier: GPL-3.0-or-later
// The channel grid's rows as a user chooses, copies and pastes them.
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTableWidget>

#include "core/config/channel_csv.h"
#include "editors/frm_comm_ch_info_impl.h"
#include "gui/accessibility.h"

namespace kr4100 {
namespace {

constexpr std::size_t kProblemsShown = 20;  // a message box must still fit the screen

}  // namespace

// A press on a channel number chooses that row, Shift extends the choice, Ctrl adds or takes
// away a row; with Shift or Ctrl a press on any cell does the same. No editor opens, so the grid
// keeps the focus for its keys. A right press keeps the choice for the context menu.
bool frmCommChInfo::Impl::rowClicked(QMouseEvent* click) {
  const QPoint pos = click->position().toPoint();
  const int row = grid->rowAt(pos.y()) + 1;
  if (row < 1) return false;
  const Qt::KeyboardModifiers mods = click->modifiers();
  const bool shift = mods & Qt::ShiftModifier;
  const bool ctrl = mods & Qt::ControlModifier;
  if (click->button() == Qt::RightButton) {
    if (!rowChoice->contains(row) && row != rowChoice->cursorRow()) rowChoice->range(row, row);
    return true;
  }
  if (grid->columnAt(pos.x()) != 0 && !shift && !ctrl) return false;
  cellEditor->SaveShowGridData();
  if (ctrl)
    rowChoice->toggle(row);
  else if (shift)
    rowChoice->extendTo(row);
  else
    rowChoice->range(row, row);
  grid->setFocus(Qt::MouseFocusReason);
  return true;
}

void frmCommChInfo::Impl::openContextMenu(QContextMenuEvent* event) {
  QPoint at = event->globalPos();
  if (event->reason() == QContextMenuEvent::Keyboard) {
    // From the keyboard: at the current cell, where the user is.
    const QRect cell = grid->visualRect(grid->currentIndex());
    at = grid->viewport()->mapToGlobal(cell.center());
  }
  bulk->showContextMenu(at);
}

void frmCommChInfo::Impl::copyRows() {
  const Document& doc = ctx.doc();
  QApplication::clipboard()->setText(QString::fromStdString(
      CopyChannelRows(rec(), group(), chosenRows(), doc.state().edges, ctx.language())));
}

void frmCommChInfo::Impl::pasteRows() {
  Document& doc = ctx.doc();
  const std::string text = QApplication::clipboard()->text().toStdString();
  const int first = chosenRows().front();
  const ChannelTablesResult result =
      PasteChannelRows(rec(), group(), first, text, doc.state().edges);
  if (!result.ok()) {
    ctx.prompter().ask(ctx.msg(MessageId::ChannelsNotPasted) + QStringLiteral("\r\n") +
                           QString::fromStdString(DescribeCsvProblems(
                               result.problems, doc.state().edges, ctx.language(), kProblemsShown)),
                       MsgButtons::Ok, MsgIcon::Warning);
    return;
  }
  // One change of the working record for the whole block; the grid refills as for new data.
  doc.ReplaceChannelTables(result.tables);
}

// The grid's clipboard keys, and Shift+arrows that choose rows from the cursor.
bool frmCommChInfo::Impl::keyPressed(QEvent* event) {
  if (OpensKeyboardContextMenu(event)) {
    SendKeyboardContextMenu(grid);
    return true;
  }
  auto* key = static_cast<QKeyEvent*>(event);
  const bool copy = key->matches(QKeySequence::Copy);
  const bool paste = key->matches(QKeySequence::Paste);
  const bool extend = (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) &&
                      key->modifiers() == Qt::ShiftModifier;
  if (!copy && !paste && !extend) return false;
  if (event->type() == QEvent::ShortcutOverride) {
    event->accept();  // the grid's own, not a menu's
    return true;
  }
  if (copy) q->guarded("frmCommChInfo_Copy", [&] { copyRows(); });
  if (paste) q->guarded("frmCommChInfo_Paste", [&] { pasteRows(); });
  if (extend) {
    // Without moving the cursor, so no editor opens.
    rowChoice->extendBy(key->key() == Qt::Key_Up ? -1 : 1);
  }
  return true;
}

}  // namespace kr4100
