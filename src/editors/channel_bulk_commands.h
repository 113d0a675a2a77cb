// SPDX-License-Identifier: GPL-3.0-or-later
// The channel grid's commands on the chosen rows: one switch for all, fill frequencies, move
// up and down, move to another group, insert, delete, sort. They are the grid's context menu
// and the main window's Edit menu entries, with keys of their own while the grid has the focus.
#pragma once

#include <QKeySequence>
#include <QObject>
#include <functional>
#include <memory>
#include <vector>

#include "core/config/channel_bulk.h"
#include "gui/document_commands.h"
#include "gui/ui_context.h"

class QAction;
class QMenu;
class QPoint;
class QTableWidget;

namespace kr4100 {

// What the commands need of the grid window.
class ChannelChoice {
 public:
  virtual ~ChannelChoice() = default;
  virtual std::vector<int> chosenRows() = 0;  // ascending; the cursor row when none was chosen
  virtual void choose(const std::vector<int>& rows) = 0;  // the choice follows the channels
  virtual void chooseAll() = 0;
  virtual void commitPendingEdit() = 0;  // what the cell editor holds, before a command runs
};

class ChannelBulkCommands : public QObject {
  Q_OBJECT
 public:
  ChannelBulkCommands(QTableWidget* grid, UiContext& ctx, DocumentCommands& commands,
                      ChannelChoice& choice);
  ~ChannelBulkCommands() override;

  void reCaption();
  // The entries, as the context menu and the Edit menu show them.
  void addTo(QMenu* menu);
  void showContextMenu(const QPoint& globalPos);

 private:
  void createActions();
  void createSubmenus();
  // A command of the grid; a key given works while the grid or its cell editor has the focus.
  QAction* bulkAction(const char* name, QKeySequence key, std::function<void()> slot);
  // Runs one command on the chosen rows of the group on show as one change of the document,
  // named after its entry (and the group it moves channels to).
  template <class Command>
  void run(const Bilingual& name, Command&& command, int targetGroup = -1);
  void fill();
  void applyFill(const FillPlan& plan);

  QTableWidget* grid_;
  UiContext& ctx_;
  DocumentCommands& commands_;
  ChannelChoice& choice_;
  std::unique_ptr<QMenu> attributeMenu_;
  std::vector<std::unique_ptr<QMenu>> attributeValueMenus_;
  std::unique_ptr<QMenu> groupMenu_;
  std::unique_ptr<QMenu> contextMenu_;
  QAction* fill_ = nullptr;
  QAction* moveUp_ = nullptr;
  QAction* moveDown_ = nullptr;
  QAction* insert_ = nullptr;
  QAction* delete_ = nullptr;
  QAction* sort_ = nullptr;
  QAction* chooseAll_ = nullptr;
  std::vector<QAction*> groupActions_;
  std::vector<QAction*> valueActions_;  // two per switch, in table order
};

}  // namespace kr4100
