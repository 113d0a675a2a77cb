// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/user_prompter.h"

#include <QMessageBox>
#include <QPushButton>

namespace kr4100 {

Answer MessageBoxPrompter::ask(const QString& text, MsgButtons buttons, MsgIcon icon,
                               const QString& title, const QString& extra) {
  QMessageBox box(parent_);
  box.setWindowTitle(title.isEmpty() ? QStringLiteral("KR-4100") : title);
  box.setText(text);
  switch (icon) {
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
    case MsgIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    case MsgIcon::None: box.setIcon(QMessageBox::NoIcon); break;
  }
  switch (buttons) {
    case MsgButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case MsgButtons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case MsgButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case MsgButtons::YesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
    case MsgButtons::RetryCancel: box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel); break;
    case MsgButtons::OkExtraCancel:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      break;
  }
  QPushButton* extraButton = nullptr;
  if (buttons == MsgButtons::OkExtraCancel) {
    extraButton = box.addButton(extra, QMessageBox::ActionRole);
    extraButton->setObjectName(QStringLiteral("CommandExtra"));
    extraButton->setAccessibleName(extra);
    // Enter still answers OK and Escape Cancel, as in the question without the third button.
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Cancel);
  }
  const int chosen = box.exec();
  if (extraButton != nullptr && box.clickedButton() == extraButton) return Answer::Extra;
  switch (chosen) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Retry: return Answer::Retry;
    default: return Answer::Cancel;
  }
}

}  // namespace kr4100
