// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/undo_history.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QUndoStack>
#include <QWidget>
#include <utility>

namespace kr4100 {
namespace {

// The text box that would take an undo key itself: the focused line edit, also inside an
// editable list.
QLineEdit* FocusedLineEdit() {
  QWidget* focus = QApplication::focusWidget();
  if (auto* edit = qobject_cast<QLineEdit*>(focus)) return edit;
  if (auto* box = qobject_cast<QComboBox*>(focus)) return box->lineEdit();
  return nullptr;
}

// True when the focused text box has typing of its own to take back (or bring again).
bool FocusHasOwnUndo(QKeySequence::StandardKey which) {
  QLineEdit* edit = FocusedLineEdit();
  if (!edit || edit->isReadOnly()) return false;
  return which == QKeySequence::Undo ? edit->isUndoAvailable() : edit->isRedoAvailable();
}

// The keys of the Edit menu: Ctrl+Z and Ctrl+Y, and the platform's own undo and redo keys.
bool IsKeyOf(const QKeyEvent* key, QKeySequence::StandardKey which) {
  const int ctrlKey = which == QKeySequence::Undo ? Qt::Key_Z : Qt::Key_Y;
  const bool ctrl = key->key() == ctrlKey && (key->modifiers() & ~Qt::KeypadModifier) ==
                                                  Qt::ControlModifier;
  return ctrl || key->matches(which);
}

}  // namespace

class UndoHistory::Step : public QUndoCommand {
 public:
  Step(UndoHistory& history, Snapshot before, Snapshot after, const QString& text)
      : history_(history), before_(std::move(before)), after_(std::move(after)) {
    setText(text);
  }

  void undo() override { history_.restore(before_); }
  void redo() override {
    // Pushed once the change has already happened.
    if (std::exchange(pushed_, false)) return;
    history_.restore(after_);
  }

 private:
  UndoHistory& history_;
  Snapshot before_;
  Snapshot after_;
  bool pushed_ = true;
};

UndoHistory::UndoHistory(Document& doc, bool watchInput, QObject* parent)
    : QObject(parent), doc_(doc), stack_(std::make_unique<QUndoStack>()), current_(take()) {
  stack_->setUndoLimit(static_cast<int>(kUndoLimit));
  connect(stack_.get(), &QUndoStack::canUndoChanged, this, &UndoHistory::availabilityChanged);
  connect(stack_.get(), &QUndoStack::canRedoChanged, this, &UndoHistory::availabilityChanged);
  connect(stack_.get(), &QUndoStack::undoTextChanged, this, &UndoHistory::stepTextsChanged);
  connect(stack_.get(), &QUndoStack::redoTextChanged, this, &UndoHistory::stepTextsChanged);
  doc_.addObserver(this);
  if (watchInput) qApp->installEventFilter(this);
}

UndoHistory::~UndoHistory() {
  doc_.removeObserver(this);
  if (qApp) qApp->removeEventFilter(this);
  // The stack empties itself on the way out; its owner is going too and must not hear of it.
  stack_->disconnect(this);
}

bool UndoHistory::canUndo() const { return stack_->canUndo(); }
bool UndoHistory::canRedo() const { return stack_->canRedo(); }

UndoHistory::Snapshot UndoHistory::take() const {
  return TakeUndoSnapshot(doc_);
}

void UndoHistory::undo() {
  emit pendingEditsNeeded();
  checkpoint();
  stack_->undo();
}

void UndoHistory::redo() {
  emit pendingEditsNeeded();
  checkpoint();
  stack_->redo();
}

void UndoHistory::checkpoint(const QString& text) {
  if (holds_ > 0 || restoring_) return;
  if (!ChangedSinceSnapshot(current_, doc_)) return;
  Snapshot after = take();
  // A new step drops whatever could have been redone.
  stack_->push(new Step(*this, std::move(current_), after, text));
  current_ = std::move(after);
}

void UndoHistory::clear() {
  stack_->clear();
  current_ = take();
}

void UndoHistory::restore(const Snapshot& snapshot) {
  restoring_ = true;
  RestoreUndoSnapshot(doc_, snapshot);
  restoring_ = false;
  // What the editors left after showing the record again is the new starting point, so that
  // reloading can never count as a change of its own.
  current_ = take();
  emit restored();
}

void UndoHistory::scheduleCheck() {
  if (checkQueued_) return;
  checkQueued_ = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        checkQueued_ = false;
        // A message box in the middle of a store: the store is not over yet; the box's closing
        // brings the next look.
        if (QApplication::activeModalWidget()) return;
        checkpoint();
      },
      Qt::QueuedConnection);
}

bool UndoHistory::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::ShortcutOverride: {
      // A text box claims the undo keys even with nothing of its own to undo; then they undo
      // the document instead. With typing of its own to take back, the box keeps them.
      auto* key = static_cast<QKeyEvent*>(event);
      for (auto which : {QKeySequence::Undo, QKeySequence::Redo}) {
        if (!IsKeyOf(key, which) || !FocusedLineEdit()) continue;
        if (FocusHasOwnUndo(which)) {
          key->accept();
        } else {
          key->ignore();
        }
        return true;
      }
      break;
    }
    case QEvent::KeyPress: {
      // Ctrl+Y is not every platform's redo key; a box that keeps it must still redo.
      auto* key = static_cast<QKeyEvent*>(event);
      if (IsKeyOf(key, QKeySequence::Redo) && !key->matches(QKeySequence::Redo) &&
          FocusHasOwnUndo(QKeySequence::Redo)) {
        FocusedLineEdit()->redo();
        return true;
      }
      scheduleCheck();
      break;
    }
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::FocusOut:
    case QEvent::Close:
      scheduleCheck();
      break;
    case QEvent::Hide:
      if (watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow()) scheduleCheck();
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace kr4100
