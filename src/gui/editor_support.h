// SPDX-License-Identifier: GPL-3.0-or-later
// Small pieces the editor windows share: failure trapping that names the procedure, the combo-box
// pick rule and the numbered grid rows.
#pragma once

#include <QtCore/qnamespace.h>

#include <QString>
#include <exception>

#include "gui/ui_context.h"

class QAbstractButton;
class QWidget;
class QComboBox;
class QLabel;
class QTableWidget;

namespace kr4100 {

// Runs one window procedure. A failure inside it shows the procedure's label (OK only) and
// leaves the procedure, so one bad value never takes the whole window down.
template <class F>
void Guarded(UiContext& ctx, const char* label, F&& procedure) {
  try {
    procedure();
  } catch (const std::exception&) {
    ctx.prompter().ask(QString::fromUtf8(label), MsgButtons::Ok, MsgIcon::None);
  }
}

// Combo box pick rule: the first entry equal to the text, else entry 0, else nothing. Signals
// stay quiet: showing a value is not choosing one.
void PickText(QComboBox* box, const QString& text);

// Fills an editor grid's rows: column 0 holds the row numbers 1..rows, drawn like headings and
// never the current cell; every other column gets an empty cell that can be selected.
void FillNumberedGrid(QTableWidget* grid, int rows, Qt::Alignment dataAlignment = Qt::AlignCenter);

// A menu or button caption without its accelerator, as titles, the tree and screen readers show
// it: "&Open" gives "Open", "打开(&O)..." gives "打开...", "&&" gives one "&".
QString WithoutAccelerator(const QString& text);

// A drop-down list and the label beside it, named for the window's tests and settings
// ("{label}_{k}", "{list}_{k}"), the list wide enough for minimumChars characters.
struct LabelledList {
  QLabel* label;
  QComboBox* list;
};
LabelledList MakeLabelledList(QWidget* parent, const char* labelName, const char* listName,
                              int k, int minimumChars);

// The frame every dialog of the program has: a title and a close button, no help or size
// buttons.
void SetDialogFrame(QWidget* dialog);
// A button's caption, and its name for screen readers without the accelerator.
void SetButtonText(QAbstractButton* button, const QString& text);

}  // namespace kr4100
