// SPDX-License-Identifier: GPL-3.0-or-later
// What a window may ask of the main window about the document as a whole. Windows get this
// narrow interface instead of the main window itself.
#pragma once

#include <QString>

namespace kr4100 {

// Whether a command's undo step is also announced in the status bar.
enum class Notice { InStatusBar, UndoTextOnly };

class DocumentCommands {
 public:
  virtual ~DocumentCommands() = default;
  // Closes every editor and starts a new document once the caller's own event has finished
  // (the caller is usually one of the editors that close).
  virtual void newDocumentDeferred() = 0;
  // Whatever changed so far becomes an undo step of its own, so that a command changing many
  // channels at once is one step by itself.
  virtual void takeUndoStep() {}
  // A command on many channels has just changed the record: the change becomes an undo step
  // named `what`; InStatusBar: the status bar says it too, since it concerns more than the rows
  // on show.
  virtual void commandDone(const QString& what, Notice notice) {
    (void)what;
    (void)notice;
    takeUndoStep();
  }
};

}  // namespace kr4100
