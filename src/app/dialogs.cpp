#include "app/dialogs.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

#include "app/frm_about.h"
#include "app/frm_com_set.h"
#include "app/frm_model_info.h"
#include "app/frm_print_select.h"
#include "app/frm_set_language.h"

namespace kr4100 {
namespace {

class EnterFilter : public QObject {
 public:
  EnterFilter(QWidget* control, QObject* parent) : QObject(parent), control_(control) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QCoreApplication::sendEvent(control_, &tab);
        return true;
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QWidget* control_;
};

}  // namespace

void LayOutFieldsAndButtons(QWidget* dialog, QLayout* fields, QPushButton* ok,
                            QPushButton* cancel) {
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(dialog);
  layout->addLayout(fields);
  layout->addSpacing(12);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void EnterMovesFocus(QWidget* control) {
  auto* filter = new EnterFilter(control, control);
  control->installEventFilter(filter);
  // An editable list receives its keys in its line edit.
  if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->lineEdit())
    combo->lineEdit()->installEventFilter(filter);
}

bool RunFrmSetLanguage(AppContext& ctx, QWidget* parent) {
  FrmSetLanguage dialog(ctx, parent);
  dialog.exec();
  return dialog.languageChanged();
}

void RunFrmComSet(AppContext& ctx, QWidget* parent, std::function<QStringList()> listPorts) {
  FrmComSet dialog(ctx, std::move(listPorts), parent);
  dialog.exec();
}

bool RunFrmModelInfo(AppContext& ctx, QWidget* parent) {
  FrmModelInfo dialog(ctx, parent);
  dialog.exec();
  return dialog.modelChanged();
}

void RunAbout(AppContext& ctx, QWidget* parent) {
  frmAbout dialog(ctx, frmAbout::Variant::Program, parent);
  dialog.exec();
}

void RunPrintSelection(AppContext& ctx, QWidget* parent) {
  FrmPrintSelect dialog(ctx, parent);
  dialog.exec();
}

}  // namespace kr4100
