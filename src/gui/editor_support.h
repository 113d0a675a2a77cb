// Small pieces the editor windows share: failure trapping that names the procedure, the message
// box behind the core's range warnings, and the combo-box pick rule.
#pragma once

#include <QString>
#include <QtCore/qnamespace.h>
#include <exception>

#include "gui/ui_context.h"

class QComboBox;
class QHBoxLayout;
class QPushButton;
class QTableWidget;
class QWidget;

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

// Shows the core's conversion warnings ("Frequency is out of range.") as message boxes, unless
// the document already has somewhere to send them. True when this call installed the sink.
bool InstallWarningSink(UiContext& ctx);
// Takes the sink away again, but only when it is still the one InstallWarningSink put there.
void RemoveWarningSink(UiContext& ctx);

// Combo box pick rule: the first entry equal to the text, else entry 0, else nothing. Signals
// stay quiet: showing a value is not choosing one.
void PickText(QComboBox* box, const QString& text);

// The editors' bottom row: "CommandClose", which closes the window (its sub-window in the main
// window), and "CommandHelp", which has no action; both at the right.
QHBoxLayout* CloseAndHelpRow(QWidget* window, QPushButton*& close, QPushButton*& help);

// Fills an editor grid's rows: column 0 holds the row numbers 1..rows, drawn like headings and
// never the current cell; every other column gets an empty cell that can be selected.
void FillNumberedGrid(QTableWidget* grid, int rows, Qt::Alignment dataAlignment = Qt::AlignCenter);

}  // namespace kr4100
