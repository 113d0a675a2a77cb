// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's side of the radio commands: what it does when a session needs the editors'
// pending values or has replaced the document, and the answers only it can give.
#include <QAction>
#include <QStatusBar>

#include "app/dialogs.h"
#include "app/frm_main.h"
#include "app/radio_sessions.h"
#include "app/test_mode_session.h"

namespace kr4100 {

void frmMain::createRadioActions() {
  using S = ShellText;
  action(S::mnuEMG, "mnuEMG", [this] { ReadRMGDataFromRadio(); });
  action(S::mnuReadFromRadio, "mnuReadFromRadio", [this] { sessions_->readFromRadio(); });
  action(S::mnuWriteToRadio, "mnuWriteToRadio", [this] { sessions_->writeToRadio(); });
  action(S::mnuMWriteToRadio, "mnuMWriteToRadio", [this] { sessions_->groupWrite(); });
  action(S::mnuTest, "mnuTest", [this] { testMode_->start(); });
  action(S::mnuRadioInfo, "mnuRadioInfo",
         [this] { sessions_->readRadioInformation(InfoReadView::RadioInformation); });
  action(S::mnuSetRadioInfo, "mnuSetRadioInfo", [this] { sessions_->setRadioInformation(); });
  action(S::mnuComm, "mnuComm", [this] {
    RunFrmComSet(ctx_, this, &RadioSessions::portChoices);
    updateStatusBar();
  });
  QAction* verify = action(S::mnuVerifyAfterWrite, "mnuVerifyAfterWrite", [this] {
    ctx_.app().saveVerifyAfterWrite(actions_[ShellText::mnuVerifyAfterWrite]->isChecked());
  });
  verify->setCheckable(true);
  verify->setChecked(ctx_.settings().verifyAfterWrite);
  QAction* trace = action(S::mnuRecordSerialTrace, "mnuRecordSerialTrace", [this] {
    ctx_.app().saveRecordSerialTrace(actions_[ShellText::mnuRecordSerialTrace]->isChecked());
  });
  trace->setCheckable(true);
  trace->setChecked(ctx_.settings().recordSerialTrace);
}

void frmMain::connectSessions() {
  RadioSessions* sessions = sessions_.get();
  connect(sessions, &RadioSessions::pendingEditsNeeded, this, &frmMain::commitEdits);
  connect(sessions, &RadioSessions::readCompleted, this, [this] {
    history_->checkpoint();  // the read is one step
    closeAllChildren();
    updateCaption();
    updateStatusBar();
    reopenChannelWindow();
  });
  connect(sessions, &RadioSessions::portChanged, this, &frmMain::updateStatusBar);
  connect(sessions, &RadioSessions::statusNotice, this,
          [this](const QString& text) { statusBar()->showMessage(text, 30000); });
  // As the backups window's Write Back: the backup becomes the document, then the write asks.
  connect(sessions, &RadioSessions::writeBackRequested, this, [this](const QString& path) {
    if (openAfterAsking(path)) sessions_->writeToRadio();
  });
}

bool frmMain::linkInUse() const {
  return testMode_->active();
}

bool frmMain::handOverToVersionFor(const std::string& firmware) {
  return leaveForOtherVersion(firmware, Asking::AskFirst);
}

void frmMain::ReadRMGDataFromRadio() {
  sessions_->readRadioInformation(InfoReadView::LocalInformation);
}

}  // namespace kr4100
