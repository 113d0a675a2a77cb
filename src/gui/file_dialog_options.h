// SPDX-License-Identifier: GPL-3.0-or-later
// How the windows open file dialogs so that the dialog speaks the program's language.
#pragma once

#include <QFileDialog>

#include "gui/ui_context.h"

namespace kr4100 {

// A desktop's own file dialog speaks the system's language; where the program speaks another,
// Qt's dialog, translated with the rest of Qt's texts, takes its place.
inline QFileDialog::Options FileDialogOptions(const UiContext& ctx) {
  return ctx.language() == ctx.settings().systemLanguage
             ? QFileDialog::Options()
             : QFileDialog::Options(QFileDialog::DontUseNativeDialog);
}

}  // namespace kr4100
