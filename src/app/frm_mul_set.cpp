#include "app/frm_mul_set.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs.h"
#include "gui/key_filters.h"
#include "core/link/transfer_session.h"

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

FrmMulSet::FrmMulSet(UiContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
  setObjectName(QStringLiteral("FrmMulSet"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

  label1_ = new QLabel(this);
  label1_->setObjectName(QStringLiteral("Label1"));
  text1_ = new QLineEdit(QStringLiteral("10"), this);
  text1_->setObjectName(QStringLiteral("Text1"));
  RestrictToTypedKeys(text1_, [edit = text1_](QKeyEvent* key) { return RadioCountKey(edit, key); });
  label1_->setBuddy(text1_);
  command1_ = new QPushButton(this);
  command1_->setObjectName(QStringLiteral("Command1"));
  command1_->setDefault(true);
  command2_ = new QPushButton(this);
  command2_->setObjectName(QStringLiteral("Command2"));

  auto* field = new QHBoxLayout;
  field->addWidget(label1_);
  field->addWidget(text1_, 1);
  LayOutFieldsAndButtons(this, field, command1_, command2_);

  connect(command1_, &QPushButton::clicked, this, &FrmMulSet::confirm);
  connect(command2_, &QPushButton::clicked, this, &QDialog::reject);
  reCaption();
  text1_->selectAll();
  text1_->setFocus();
}

void FrmMulSet::reCaption() {
  setWindowTitle(ctx_.pick(kCaption));
  label1_->setText(ctx_.pick(kNumberOfRadios));
  command1_->setText(ctx_.msg(MessageId::OkButton));
  command2_->setText(ctx_.msg(MessageId::CancelButton));
}

void FrmMulSet::confirm() {
  // The field lets keypad characters through, but only a whole number of radios can be written.
  const auto count = ParseRadioCount(text1_->text().toStdString());
  if (!count) {
    ctx_.tell(MessageId::RadioCountInvalid, MsgIcon::Warning);
    text1_->setFocus();
    text1_->selectAll();
    return;
  }
  radios_ = *count;
  accept();
}

}  // namespace kr4100
