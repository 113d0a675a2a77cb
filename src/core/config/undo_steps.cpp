// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/undo_steps.h"

#include <utility>

namespace kr4100 {

UndoSnapshot TakeUndoSnapshot(const Document& doc) {
  return {doc.working(), doc.state().modelText, doc.state().bandText};
}

void RestoreUndoSnapshot(Document& doc, const UndoSnapshot& snapshot) {
  doc.RestoreWorking(snapshot.record, snapshot.modelText, snapshot.bandText);
}

bool ChangedSinceSnapshot(UndoSnapshot& last, const Document& doc) {
  const RadioConfig& now = doc.working();
  if (!SameDocumentContent(now, last.record)) return true;
  last.record.CurGroup = now.CurGroup;
  return false;
}

UndoSteps::UndoSteps(Document& doc) : doc_(doc), current_(TakeUndoSnapshot(doc)) {}

std::string UndoSteps::undoText() const {
  return canUndo() ? steps_[done_ - 1].text : std::string();
}

std::string UndoSteps::redoText() const {
  return canRedo() ? steps_[done_].text : std::string();
}

void UndoSteps::checkpoint(std::string text) {
  if (!ChangedSinceSnapshot(current_, doc_)) return;
  UndoSnapshot after = TakeUndoSnapshot(doc_);
  steps_.resize(done_);
  steps_.push_back({std::move(current_), after, std::move(text)});
  if (steps_.size() > kUndoLimit) steps_.erase(steps_.begin());
  done_ = steps_.size();
  current_ = std::move(after);
}

void UndoSteps::undo() {
  checkpoint();
  if (!canUndo()) return;
  --done_;
  restore(steps_[done_].before);
}

void UndoSteps::redo() {
  checkpoint();
  if (!canRedo()) return;
  restore(steps_[done_].after);
  ++done_;
}

void UndoSteps::clear() {
  steps_.clear();
  done_ = 0;
  current_ = TakeUndoSnapshot(doc_);
}

void UndoSteps::restore(const UndoSnapshot& snapshot) {
  RestoreUndoSnapshot(doc_, snapshot);
  // What the document made of it is the new starting point, so that showing it again can never
  // count as a change of its own.
  current_ = TakeUndoSnapshot(doc_);
}

}  // namespace kr4100
