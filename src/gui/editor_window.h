// SPDX-License-Identifier: GPL-3.0-or-later
// The part every editor and radio-information window shares: it observes the document, reads
// the record and changes it only through the document, owns the Close/Help row, runs its
// procedures guarded, and on its way out cuts its controls off from what it is made of.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "core/config/document.h"
#include "gui/editor_support.h"
#include "gui/pending_edits.h"
#include "gui/ui_context.h"

class QHBoxLayout;
class QPushButton;
class QWidget;

namespace kr4100 {

// Mixed into a window beside its Qt class: `class FrmX : public QWidget, public EditorWindow`.
// Declared after the Qt class, it is destroyed before the window's controls are.
class EditorWindow : public DocumentObserver, public PendingEdits {
 public:
  EditorWindow(const EditorWindow&) = delete;
  EditorWindow& operator=(const EditorWindow&) = delete;

  // Every text of the window from its tables, in the language in force; run at load.
  virtual void reCaption() = 0;
  // Shows the record again; a replaced document (new, opened, undone) runs it. The windows that
  // show the record override it, under their own label.
  virtual void ReShowData() {}
  // What the window holds that is not in the record yet goes in. Run when the window closes,
  // when it goes (leave()), and whenever the main window asks.
  void commitPendingEdit() override {}

 protected:
  // window: the widget this is part of; name: its objectName, by which the main window and the
  // tests find it. The document's notifications reach the window from here on.
  EditorWindow(QWidget* window, UiContext& ctx, const char* name);
  ~EditorWindow() override;

  UiContext& ctx() const { return ctx_; }
  // The record, to show; a window changes it only through edit() or the document's routines.
  const RadioConfig& record() const { return ctx_.doc().working(); }
  // One change of the record: `change` runs a core edit function on it, and the document tells
  // every observer (undo among them).
  template <class Change>
  auto edit(Change&& change) {
    return ctx_.doc().Edit(std::forward<Change>(change));
  }
  template <class F>
  void guarded(const char* label, F&& procedure) {
    Guarded(ctx_, label, std::forward<F>(procedure));
  }

  // The bottom row: "CommandClose" closes the window (its sub-window in the main window),
  // "CommandHelp" has no action; both at the right.
  QHBoxLayout* closeAndHelpRow();
  QPushButton* closeButton() const { return closeButton_; }
  QPushButton* helpButton() const { return helpButton_; }
  void captionCloseAndHelp();  // the program's Close and Help texts

  // The core's range warnings show as message boxes while this window is open, unless the
  // document already has somewhere to send them. Again after another window took them away.
  void showRangeWarnings();

  // box: `store` keeps what it holds whenever the focus leaves it (a menu or a list's popup takes
  // the focus for a moment only); label names the procedure when it fails.
  void commitOnFocusOut(QWidget* box, const char* label, std::function<void()> store);

  // The first thing a window's destructor does: what it holds goes into the record while its
  // parts are still there, then detach().
  void leave();

  // Before the window's own parts go: the document's notifications stop, no control's signal
  // or event reaches the window any more, and the warnings go back. The destructor does it too;
  // a window whose parts go first calls it at the top of its own destructor.
  void detach();
  bool detached() const { return detached_; }

 private:
  class Watcher;
  void documentReplaced() override;
  void commitOnClose();

  QWidget* window_;
  UiContext& ctx_;
  QPushButton* closeButton_ = nullptr;
  QPushButton* helpButton_ = nullptr;
  bool ownsWarningSink_ = false;
  bool detached_ = false;
  std::string unloadLabel_;  // the name a failure on closing shows
  std::unique_ptr<Watcher> watcher_;
};

}  // namespace kr4100
