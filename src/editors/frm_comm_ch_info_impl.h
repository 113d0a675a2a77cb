// Inside the channel grid window: its controls and editing state, shared by the file that builds
// and fills the window and the file that runs the in-place editors.
#pragma once

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <algorithm>
#include <utility>

#include "gui/editor_support.h"
#include "gui/key_filters.h"
#include "editors/frm_ch_info_edit.h"
#include "editors/frm_comm_ch_info.h"

namespace kr4100 {

inline constexpr int kGridRows = 60;  // data rows; row r of the grid is channel number r
inline constexpr int kGridCols = 10;  // column 0 shows the row number, 1..9 are ChannelColumn
inline constexpr int kVisibleRows = 25;
inline constexpr int kScrollIntervalMs = 500;

class frmCommChInfo::Impl {
 public:
  Impl(frmCommChInfo* window, UiContext& context, DocumentCommands& documentCommands)
      : q(window), ctx(context), commands(documentCommands) {}

  frmCommChInfo* q;
  UiContext& ctx;
  DocumentCommands& commands;

  QTableWidget* grid = nullptr;
  QLineEdit* text1 = nullptr;
  QComboBox* combo8[8] = {};    // member k edits column k + 2; member 0 is never shown
  QComboBox* combo6 = nullptr;  // group
  QComboBox* combo2 = nullptr;  // band
  QLabel* label1 = nullptr;
  QLabel* label3 = nullptr;
  QComboBox* combo1[kGroupCount] = {};  // emergency channel of each group
  QLabel* label2[kGroupCount] = {};
  QPushButton* commandEdit = nullptr;
  QPushButton* commandClose = nullptr;
  QPushButton* commandHelp = nullptr;
  QTimer* timerFocus = nullptr;
  QTimer* scrollTimer = nullptr;  // one scroll handled per interval
  QPointer<FrmCHInfoEdit> editDialog;

  int editCol = 0;
  int editRow = 0;  // 0: no cell
  int captionChannel = 0;
  bool skipNextEnter = false;
  bool forcedToRx = false;
  bool gridOpen = false;
  bool firstActivation = true;
  bool storing = false;  // a store is running: focus changes it causes commit nothing
  int focusCol = 0;
  int fullGridWidth = 0;        // every column shown
  int editTopRow = 1;           // the grid's top row when the editor opened
  bool scrollPending = false;   // a scroll came while the timer ran
  bool ownWarningSink = false;

  RadioConfig& rec() { return ctx.doc().working(); }
  int group() { return std::clamp<int>(rec().CurGroup, 0, kGroupCount - 1); }
  int count(int g) { return std::clamp<int>(rec().ChCount[g], 0, kChannelsPerGroup); }
  int gridRow() { return grid->currentRow() + 1; }  // 0 when no cell is current
  int gridCol() { return std::max(grid->currentColumn(), 0); }
  int topRow() { return std::max(grid->rowAt(0), 0) + 1; }
  QTableWidgetItem* cell(int row, int col) { return grid->item(row - 1, col); }
  QComboBox* comboFor(int col) { return col >= 3 && col <= 9 ? combo8[col - 2] : nullptr; }

  template <class F>
  void guarded(const char* label, F&& f) {
    Guarded(ctx, label, std::forward<F>(f));
  }

  void build();
  void InitShowGrid();
  void ChangShowByLanguage();
  void updateCaption();
  void sizeColumns();
  void sizeWindow();
  void ShowChIfoData(const ChInfo& entry, int row);
  void SetGridData();
  void showEmergencyChoices();
  void reShowGrid(int row);
  void InitComboList();
  void EnterCell();
  bool FlexConcludeRx();
  void EnterGridEdit();
  void SetGridFocus(int col) {
    focusCol = col;
    timerFocus->start();
    applyFocus();
  }
  void applyFocus();
  void placeEditors();
  void gridScrolled();
  void followScroll();
  void SaveShowGridData();
  void store(int chNum, int column, const QString& value);
  void SetEditNoVisable();
  void GridNextLine();
  void GridNextCol();
  void editorEnter();
  void groupChanged(int index);
  void bandChanged(int index);
  void emergencyChosen(int group, int index);
  void openEditDialog();
};

}  // namespace kr4100
