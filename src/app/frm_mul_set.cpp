// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frm_mul_set.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include "core/link/transfer_session.h"
#include "gui/key_filters.h"

namespace kr4100 {
namespace {

constexpr Bilingual kCaption{"Write to Group of Radios", "成批写入"};
constexpr Bilingual kNumberOfRadios{"Number of radios", "对讲机数量"};

// The number field takes what a keypad can type: digits, "#", "*" and "A"-"D" (typed "a"-"d"
// become capitals). Ctrl+C, Ctrl+V, Ctrl+X and codes above 127 never get in; Enter moves on to
// the next control as Tab does. True when the key is swallowed.
bool RadioCountKey(QLineEdit* edit, QKeyEvent* key) {
  if (key->modifiers().testFlag(Qt::ControlModifier) &&
      (key->key() == Qt::Key_C || key->key() == Qt::Key_V || key->key() == Qt::Key_X))
    return true;
  if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(edit, &tab);
    return true;
  }
  const QString text = key->text();
  if (text.isEmpty()) return false;  // movement and editing keys
  const char16_t code = text.at(0).unicode();
  if (code > 127) return true;
  if (code < 32 || code == 127) return false;  // control characters do their usual work
  if ((code >= u'0' && code <= u'9') || code == u'#' || code == u'*' ||
      (code >= u'A' && code <= u'D'))
    return false;
  if (code >= u'a' && code <= u'd') {
    edit->insert(QString(QChar(code - u'a' + u'A')));
    return true;
  }
  return true;
}

}  // namespace

FrmMulSet::FrmMulSet(UiContext& ctx, QWidget* parent)
    : FieldDialog(ctx, {"FrmMulSet", "Command1", "Command2"}, parent) {
  text1_ = new QLineEdit(QStringLiteral("10"), this);
  text1_->setObjectName(QStringLiteral("Text1"));
  RestrictToTypedKeys(text1_, [edit = text1_](QKeyEvent* key) { return RadioCountKey(edit, key); });
  label1_ = addField("Label1", text1_);
  layOut();
  reCaption();
  text1_->selectAll();
  text1_->setFocus();
}

void FrmMulSet::reCaption() {
  captionFrame(ctx().pick(kCaption));
  label1_->setText(ctx().pick(kNumberOfRadios));
}

void FrmMulSet::confirm() {
  // The field lets keypad characters through, but only a whole number of radios can be written.
  const auto count = ParseRadioCount(text1_->text().toStdString());
  if (!count) {
    ctx().tell(MessageId::RadioCountInvalid, MsgIcon::Warning);
    text1_->setFocus();
    text1_->selectAll();
    return;
  }
  radios_ = *count;
  accept();
}

}  // namespace kr4100
