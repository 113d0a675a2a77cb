// SPDX-License-Identifier: GPL-3.0-or-later
// The editor areas: each editor window once, with everything the main window and the print
// selection build from it. A new editor is a row here, plus the window (and its print page).
#pragma once

#include <QString>
#include <optional>
#include <span>

#include "app/print_pages.h"
#include "core/texts/shell_texts.h"
#include "gui/ui_context.h"

class QWidget;

namespace kr4100 {

class DocumentCommands;

struct EditorArea {
  const char* window;    // the window's objectName, by which it is opened and found
  ShellText menu;        // its Edit menu entry; the tree node shows it without the accelerator
  const char* menuName;  // the menu entry's objectName
  const char* treeKey;   // its node in the page tree; nullptr: reached from the menu only
  bool serviceOnly;      // offered only with the service functions on
  std::optional<PrintPage> printPage;
  const Bilingual* printTitle;   // its print page's heading and check box; nullptr: no page
  const Bilingual* diffSection;  // the place record_diff names its differences by; nullptr: none
  QWidget* (*make)(UiContext& ctx, DocumentCommands& commands);
};

// Every area in the Edit menu's order; the tree and the print pages keep that order too.
std::span<const EditorArea> EditorAreas();
const EditorArea* AreaOfTreeKey(const QString& key);
const EditorArea* AreaOfPrintPage(PrintPage page);

}  // namespace kr4100
