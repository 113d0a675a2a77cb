// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo of the working record: each step keeps the whole record (with its model and band)
// before and after (the core's UndoSnapshot), on a QUndoStack. A step is found by comparing the record with the last
// snapshot, once the document has announced an editor's change and after every user input.
//
// For code that changes the record outside a user input (a read from the radio, CSV import, a
// paste, New, Initial Setting): call checkpoint() right after the change and it is one step of its
// own. Work that changes the record in several stages that must undo together runs under a Hold.
#pragma once

#include <QObject>
#include <memory>
#include <string>

#include "core/config/document.h"
#include "core/config/undo_steps.h"

class QUndoStack;

namespace kr4100 {

class UndoHistory : public QObject, private DocumentObserver {
  Q_OBJECT
 public:
  // The core's snapshot, compared and put back by the core's rules (core/config/undo_steps.h).
  using Snapshot = UndoSnapshot;

  // watchInput: look for changes also after every key, click, wheel turn and window close of the
  // application (the main window); off, only checkpoint() and the document's announced edits
  // record.
  explicit UndoHistory(Document& doc, bool watchInput = true, QObject* parent = nullptr);
  ~UndoHistory() override;

  QUndoStack* stack() const { return stack_.get(); }
  bool canUndo() const;
  bool canRedo() const;

  void undo();
  void redo();
  // Whatever changed since the last step becomes one step, named `text` when given (the undo
  // text); nothing changed, nothing is recorded.
  void checkpoint(const QString& text = {});
  // The history starts again from the document as it is now (Open).
  void clear();

  // While one lives, nothing is recorded; the last one to go records everything since as one step.
  class Hold {
   public:
    explicit Hold(UndoHistory& history) : history_(history) { ++history_.holds_; }
    ~Hold() {
      if (--history_.holds_ == 0) history_.checkpoint();
    }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

   private:
    UndoHistory& history_;
  };

 signals:
  // Before an undo or redo: what an editor holds but has not stored yet goes into the record
  // now, so that typed text becomes the step that is undone.
  void pendingEditsNeeded();
  // The working record was put back to an earlier or later step (editors have reloaded it).
  void restored();
  // Undo or redo became possible or impossible.
  void availabilityChanged();
  // What an undo or a redo would take back or bring again is named otherwise now.
  void stepTextsChanged();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  class Step;
  void recordEdited() override { scheduleCheck(); }
  Snapshot take() const;
  void restore(const Snapshot& snapshot);
  void scheduleCheck();

  Document& doc_;
  std::unique_ptr<QUndoStack> stack_;
  Snapshot current_;  // the record as the last step (or the start) left it
  int holds_ = 0;
  bool restoring_ = false;
  bool checkQueued_ = false;
};

}  // namespace kr4100
