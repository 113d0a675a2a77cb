// SPDX-License-Identifier: GPL-3.0-or-later
// The small modal dialogs of the shell, each run from the main window.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "core/serial/port_description.h"
#include "gui/editor_support.h"  // WithoutAccelerator
#include "gui/ui_context.h"

class QWidget;

namespace kr4100 {

// Language dialog: stores the choice in the settings file; true when the language changed.
bool RunFrmSetLanguage(UiContext& ctx, QWidget* parent);
// Port dialog with its one-second refresh of the port list; stores the choice.
void RunFrmComSet(UiContext& ctx, QWidget* parent,
                  std::function<std::vector<PortDescription>()> listPorts);
// Model dialog: true when the model or band changed and a new document must start.
bool RunFrmModelInfo(UiContext& ctx, QWidget* parent);
// About box (two variants exist; both show the program title and version).
void RunAbout(UiContext& ctx, QWidget* parent);
// Print selection and printing (to a printer or a PDF file).
void RunPrintSelection(UiContext& ctx, QWidget* parent);

}  // namespace kr4100
