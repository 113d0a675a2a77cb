// SPDX-License-Identifier: GPL-3.0-or-later
// Qt's own texts (the standard buttons of message boxes, the file and print dialogs) in the
// program's interface language.
#pragma once

namespace kr4100 {

// Installs Qt's Chinese translations for Chinese and takes them away again for English; boxes and
// dialogs made afterwards speak the language. False when Chinese was asked for but Qt's
// translations are not installed: Qt's texts then stay English.
bool UseQtTranslations(int language);

}  // namespace kr4100
