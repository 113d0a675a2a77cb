// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo of the working record: each step keeps the whole record (with its model and band)
// before and after. A step is found by comparing the record with the last snapshot; the desktop's
// history decides when to look (after every user input), a front end without one calls
// checkpoint() after each change it makes.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/config/document.h"

namespace kr4100 {

// A whole record is about 14 KB; two hundred steps stay well under ten megabytes.
inline constexpr std::size_t kUndoLimit = 200;

struct UndoSnapshot {
  RadioConfig record;
  std::string modelText;
  std::string bandText;
};

UndoSnapshot TakeUndoSnapshot(const Document& doc);
// Puts the snapshot back as the working copy; the saved copy and the file name stay.
void RestoreUndoSnapshot(Document& doc, const UndoSnapshot& snapshot);
// Whether the working copy holds other content than `last`. The group on show is no content,
// but an undo should come back to where the user was: when nothing else changed, `last` takes it.
bool ChangedSinceSnapshot(UndoSnapshot& last, const Document& doc);

// The history as a plain list of steps, for a front end without a widget toolkit of its own.
class UndoSteps {
 public:
  explicit UndoSteps(Document& doc);

  bool canUndo() const { return done_ > 0; }
  bool canRedo() const { return done_ < steps_.size(); }
  // The name of what an undo or a redo would take back or bring again; empty when unnamed.
  std::string undoText() const;
  std::string redoText() const;

  // Whatever changed since the last step becomes one step named `text`; nothing changed,
  // nothing is recorded. A new step drops whatever could have been redone.
  void checkpoint(std::string text = {});
  void undo();
  void redo();
  // The history starts again from the document as it is now (Open).
  void clear();

 private:
  struct Step {
    UndoSnapshot before;
    UndoSnapshot after;
    std::string text;
  };
  void restore(const UndoSnapshot& snapshot);

  Document& doc_;
  UndoSnapshot current_;  // the record as the last step (or the start) left it
  std::vector<Step> steps_;
  std::size_t done_ = 0;  // steps_[0, done_) can be undone, the rest redone
};

}  // namespace kr4100
