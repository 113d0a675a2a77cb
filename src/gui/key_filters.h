// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard rules every entry field and list shares: which keys a field takes, that Enter
// moves on as Tab does, and that nothing but typing puts text into a restricted field.
#pragma once

#include <QtCore/qnamespace.h>

#include <QString>
#include <functional>

class QEvent;
class QKeyEvent;
class QLineEdit;
class QWidget;

namespace kr4100 {

// True for a press of Return or Enter (either keyboard's).
bool IsEnterKey(const QEvent* event);

// Enter in a dialog's list or field moves the focus on as Tab does, instead of pressing the
// default button.
void EnterMovesFocus(QWidget* control);

// The character filter of frequency fields: Ctrl+C, Ctrl+V, Ctrl+X and codes above 127 are
// refused, of the printable characters only digits and "." pass. True when the key is refused.
bool RefusedFrequencyKey(int key, Qt::KeyboardModifiers modifiers, const QString& text);

// Lets only typed keys into a field: no paste by key, mouse or drop, no context menu, no input
// method. Each other key press goes to `refuse`, which returns true to swallow it.
void RestrictToTypedKeys(QLineEdit* edit, std::function<bool(QKeyEvent*)> refuse);

// Turns a line edit into a frequency field: the key filter above, no paste by key, mouse or
// drop, no context menu, no input method.
void MakeFrequencyField(QLineEdit* edit);

}  // namespace kr4100
