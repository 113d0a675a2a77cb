// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/key_filters.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRegularExpressionValidator>

namespace kr4100 {
namespace {

// Everything that could put text into a field other than typing one allowed key.
class TypedKeysFilter : public QObject {
 public:
  TypedKeysFilter(QObject* parent, std::function<bool(QKeyEvent*)> refuse)
      : QObject(parent), refuse_(std::move(refuse)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Paste) || key->matches(QKeySequence::Copy) ||
            key->matches(QKeySequence::Cut))
          return true;
        return refuse_(key);
      }
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick: {
        // The right button would open a menu with Paste; the middle one pastes the selection.
        const auto button = static_cast<QMouseEvent*>(event)->button();
        return button == Qt::RightButton || button == Qt::MiddleButton;
      }
      case QEvent::ContextMenu:
      case QEvent::DragEnter:
      case QEvent::DragMove:
      case QEvent::Drop:
      case QEvent::InputMethod:
        return true;
      default:
        return QObject::eventFilter(watched, event);
    }
  }

 private:
  std::function<bool(QKeyEvent*)> refuse_;
};

class EnterFilter : public QObject {
 public:
  EnterFilter(QWidget* control, QObject* parent) : QObject(parent), control_(control) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (IsEnterKey(event)) {
      QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
      QCoreApplication::sendEvent(control_, &tab);
      return true;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QWidget* control_;
};

}  // namespace

bool IsEnterKey(const QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const int key = static_cast<const QKeyEvent*>(event)->key();
  return key == Qt::Key_Return || key == Qt::Key_Enter;
}

void EnterMovesFocus(QWidget* control) {
  auto* filter = new EnterFilter(control, control);
  control->installEventFilter(filter);
  // An editable list receives its keys in its line edit.
  if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->lineEdit())
    combo->lineEdit()->installEventFilter(filter);
}

bool RefusedFrequencyKey(int key, Qt::KeyboardModifiers modifiers, const QString& text) {
  if (modifiers.testFlag(Qt::ControlModifier) &&
      (key == Qt::Key_C || key == Qt::Key_V || key == Qt::Key_X))
    return true;
  if (text.isEmpty()) return false;  // movement and editing keys carry no character
  const char16_t code = text.at(0).unicode();
  if (code == 3 || code == 22 || code == 24) return true;  // Ctrl+C, Ctrl+V, Ctrl+X as characters
  if (code > 127) return true;
  if (code >= 32 && code <= 126) return !((code >= u'0' && code <= u'9') || code == u'.');
  return false;  // other control codes (Backspace, Ctrl+A ...) and 127 do their usual work
}

void RestrictToTypedKeys(QLineEdit* edit, std::function<bool(QKeyEvent*)> refuse) {
  edit->setContextMenuPolicy(Qt::PreventContextMenu);
  edit->setAcceptDrops(false);
  edit->setAttribute(Qt::WA_InputMethodEnabled, false);
  edit->installEventFilter(new TypedKeysFilter(edit, std::move(refuse)));
}

void MakeFrequencyField(QLineEdit* edit) {
  RestrictToTypedKeys(edit, [](QKeyEvent* key) {
    return RefusedFrequencyKey(key->key(), key->modifiers(), key->text());
  });
  // Belt and braces for any path the filter does not see: the field never holds anything else.
  edit->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9.]*")), edit));
}

}  // namespace kr4100
