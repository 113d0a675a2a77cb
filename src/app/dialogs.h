// The small modal dialogs of the shell, each run from the main window.
#pragma once

#include <QStringList>
#include <functional>

#include "app/app_context.h"

class QLayout;
class QPushButton;
class QWidget;

namespace kr4100 {

// Language dialog: stores the choice in the settings file; true when the language changed.
bool RunFrmSetLanguage(AppContext& ctx, QWidget* parent);
// Port dialog with its one-second refresh of the port list; stores the choice.
void RunFrmComSet(AppContext& ctx, QWidget* parent, std::function<QStringList()> listPorts);
// Model dialog: true when the model or band changed and a new document must start.
bool RunFrmModelInfo(AppContext& ctx, QWidget* parent);
// About box (two variants exist; both show the program title and version).
void RunAbout(AppContext& ctx, QWidget* parent);
// Print selection and printing (to a printer or a PDF file).
void RunPrintSelection(AppContext& ctx, QWidget* parent);

// The small dialogs' arrangement: their fields on top, then OK and Cancel at the right; the
// dialog keeps the size its contents need.
void LayOutFieldsAndButtons(QWidget* dialog, QLayout* fields, QPushButton* ok, QPushButton* cancel);

// Enter in a dialog's list moves the focus on as Tab does, instead of pressing the default button.
void EnterMovesFocus(QWidget* control);

}  // namespace kr4100
