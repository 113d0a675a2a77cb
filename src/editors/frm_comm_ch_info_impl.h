// SPDX-License-Identifier: GPL-3.0-or-later
// The channel window's inner part, shared by its files: the controls, the grid's editor and row
// choice, and the procedures behind them.
#pragma once

#include <QPointer>
#include <memory>
#include <vector>

#include "editors/channel_bulk_commands.h"
#include "editors/frm_ch_info_edit.h"
#include "editors/frm_comm_ch_info.h"
#include "editors/grid_cell_editor.h"
#include "editors/grid_row_choice.h"

class QComboBox;
class QContextMenuEvent;
class QLabel;
class QMouseEvent;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace kr4100 {

class frmCommChInfo::Impl : public ChannelChoice {
 public:
  Impl(frmCommChInfo* window, UiContext& context, DocumentCommands& documentCommands)
      : q(window), ctx(context), commands(documentCommands) {}

  frmCommChInfo* q;
  UiContext& ctx;
  DocumentCommands& commands;

  QTableWidget* grid = nullptr;
  // Owned here rather than by the grid: it goes with the window's own parts, before the grid's
  // fields do (a field deleted with the focus would commit once more).
  std::unique_ptr<GridCellEditor> cellEditor;
  QComboBox* groupCombo = nullptr;
  QComboBox* bandCombo = nullptr;
  QLabel* groupLabel = nullptr;
  QLabel* bandLabel = nullptr;
  QComboBox* emergencyCombos[kGroupCount] = {};  // the emergency channel of each group
  QLabel* emergencyLabels[kGroupCount] = {};
  QPushButton* editButton = nullptr;
  QPointer<FrmCHInfoEdit> editDialog;
  ChannelBulkCommands* bulk = nullptr;

  int captionChannel = 0;
  bool gridOpen = false;
  bool firstActivation = true;
  int fullGridWidth = 0;  // every column shown

  const RadioConfig& rec() const { return q->record(); }
  int group() const { return rec().currentGroup(); }
  QTableWidgetItem* cell(int row, int col) { return grid->item(row - 1, col); }

  void createControls();
  void layOut();
  void connectControls();
  void InitShowGrid();
  void ChangShowByLanguage();
  void updateCaption();
  void sizeColumns();
  void sizeWindow();
  void ShowChIfoData(const ChInfo& entry, int row);
  void SetGridData();
  void SetGridData2();
  void showEmergencyChoices();
  void reShowGrid(int row);
  void InitComboList();
  void groupChanged(int index);
  void bandChanged(int index);
  void emergencyChosen(int group, int index);
  void openEditDialog();

  // Rows chosen by their channel numbers (the fixed first column), as a spreadsheet's row
  // headings choose rows, or by Shift and Ctrl clicks.
  std::unique_ptr<GridRowChoice> rowChoice;
  bool rowClicked(QMouseEvent* click);
  bool keyPressed(QEvent* event);
  void openContextMenu(QContextMenuEvent* event);
  void copyRows();
  void pasteRows();

  // ChannelChoice
  std::vector<int> chosenRows() override { return rowChoice->rows(); }
  void choose(const std::vector<int>& rows) override { rowChoice->set(rows); }
  void chooseAll() override { rowChoice->range(1, kGridRows); }
  void commitPendingEdit() override { cellEditor->SaveShowGridData(); }
};

}  // namespace kr4100
