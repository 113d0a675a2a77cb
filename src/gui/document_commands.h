// What a window may ask of the main window about the document as a whole. Windows get this
// narrow interface instead of the main window itself.
#pragma once

namespace kr4100 {

class DocumentCommands {
 public:
  virtual ~DocumentCommands() = default;
  // Closes every editor and starts a new document once the caller's own event has finished
  // (the caller is usually one of the editors that close).
  virtual void newDocumentDeferred() = 0;
  // Whatever changed so far becomes an undo step of its own, so that a command changing many
  // channels at once is one step by itself.
  virtual void takeUndoStep() {}
};

}  // namespace kr4100
