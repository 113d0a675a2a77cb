// Small pieces the editor windows share: failure trapping that names the procedure, the message
// box behind the core's range warnings, and the frequency entry field's key and paste filter.
#pragma once

#include <QtCore/qnamespace.h>

#include <QString>
#include <exception>
#include <functional>

#include "app/app_context.h"

class QKeyEvent;
class QLineEdit;

namespace kr4100 {

// Runs one window procedure. A failure inside it shows the procedure's label (OK only) and
// leaves the procedure, so one bad value never takes the whole window down.
template <class F>
void Guarded(AppContext& ctx, const char* label, F&& procedure) {
  try {
    procedure();
  } catch (const std::exception&) {
    ctx.prompter().ask(QString::fromUtf8(label), MsgButtons::Ok, MsgIcon::None);
  }
}

// Shows the core's conversion warnings ("Frequency is out of range.") as message boxes, unless
// the document already has somewhere to send them. True when this call installed the sink.
bool InstallWarningSink(AppContext& ctx);
// Takes the sink away again, but only when it is still the one InstallWarningSink put there.
void RemoveWarningSink(AppContext& ctx);

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
