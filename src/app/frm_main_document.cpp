// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's document commands: New, Open (also of a file given at start), Save, Save As,
// Initial Setting, the save question on the way out, and leaving for another program version.
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimer>

#include "app/frm_backups.h"
#include "app/frm_compare_file.h"
#include "app/frm_main.h"
#include "app/test_mode_session.h"
#include "core/config/version_table.h"
#include "core/link/backups.h"
#include "gui/file_dialog_options.h"
#include "gui/qt_paths.h"

namespace kr4100 {

void frmMain::createFileDialogs() {
  chooseOpenFile = [this](const QString& filter) {
    const DocState& doc = ctx_.doc().state();
    const QString folder =
        doc.neverSaved ? QString() : QFileInfo(QString::fromStdString(doc.fileName)).absolutePath();
    return QFileDialog::getOpenFileName(this, plainCaption(ShellText::mnuFileOpen), folder, filter,
                                        nullptr, FileDialogOptions(ctx_));
  };
  chooseOpenFileIn = [this](const QString& folder, const QString& filter) {
    return QFileDialog::getOpenFileName(this, plainCaption(ShellText::mnuOpenBackup), folder,
                                        filter, nullptr, FileDialogOptions(ctx_));
  };
  chooseSaveFile = [this](const QString& suggested, const QString& filter) {
    QFileDialog dialog(this, plainCaption(ShellText::mnuFileSaveAs), suggested, filter);
    dialog.setOptions(FileDialogOptions(ctx_));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // With the suffix the dialog itself asks before replacing an existing "x.dat"; the filter's
    // own suffix, so that a channel export gets ".csv".
    const QRegularExpressionMatch suffix =
        QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(filter);
    dialog.setDefaultSuffix(suffix.hasMatch() ? suffix.captured(1) : QStringLiteral("dat"));
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
  };
  startProgram = [](const QString& program) {
    return QFileInfo(program).isExecutable() && QProcess::startDetached(program, {});
  };
}

void frmMain::LoadNewDoc() {
  timerReNew_->stop();
  closeAllChildren();
  history_->checkpoint();  // what the closing editors stored is a step before the new document
  ctx_.doc().ResetToNewDocument(TemplateKind::NewDocument);
  newDocumentHold_.reset();
  history_->checkpoint();  // one Undo brings the previous document back
  reCaption();
  rebuildTree();
  reopenChannelWindow();
}

void frmMain::LoadNewDocDeferred() {
  // The band is already the new one; the new document follows, and both are one step.
  if (!newDocumentHold_) newDocumentHold_ = std::make_unique<UndoHistory::Hold>(*history_);
  timerReNew_->start();
}

void frmMain::StartShowData() {
  // A file that cannot be opened leaves the new document in its place, as a failed Open does.
  LoadNewDoc();
  openFile(ToQString(ctx_.app().startFile));
}

void frmMain::fileNew(Asking asking) {
  if (asking == Asking::AskFirst &&
      ctx_.ask(MessageId::NewDocument, MsgButtons::OkCancel, MsgIcon::Warning) != Answer::Ok)
    return;
  LoadNewDoc();
}

void frmMain::fileOpen() {
  commitEdits();
  if (!saveBeforeLeaving()) return;
  const QString path = chooseOpenFile(fileFilter());
  if (path.isEmpty()) return;
  openFile(path);
}

// The backups folder of the per-user data folder; a backup opens as any data file does.
void frmMain::fileOpenBackup() {
  commitEdits();
  if (!saveBeforeLeaving()) return;
  const std::filesystem::path& dataDir = ctx_.app().userDataDir;
  const std::filesystem::path folder = dataDir.empty() ? dataDir : BackupFolder(dataDir);
  std::error_code ec;
  if (!folder.empty()) std::filesystem::create_directories(folder, ec);  // there before any backup
  const QString path = chooseOpenFileIn(ToQString(folder), fileFilter());
  if (path.isEmpty()) return;
  openFile(path);
}

bool frmMain::openAfterAsking(const QString& path) {
  commitEdits();
  return saveBeforeLeaving() && openFile(path);
}

bool frmMain::openFile(const QString& path) {
  const FileOutcome outcome = OpenDataFile(ctx_.doc(), ToPath(path), ctx_.state().versions);
  if (outcome.status == FileStatus::IncompatibleVersion) {
    const QString question = QString::fromUtf8(outcome.message(ctx_.language()));
    // The save question was asked before the file was chosen.
    if (ctx_.prompter().ask(question, MsgButtons::YesNo, MsgIcon::Question) == Answer::Yes)
      leaveForOtherVersion(outcome.fileTag, Asking::WithoutAsking);
    return false;
  }
  if (!outcome.ok()) {
    showOutcome(outcome);
    return false;
  }
  DetachIfBackup(ctx_.doc().state(), ToPath(path), ctx_.app().userDataDir);
  closeAllChildren();
  history_->clear();  // undoing never reaches past an opened file
  reCaption();
  rebuildTree();
  reopenChannelWindow();
  return true;
}

bool frmMain::fileSave() {
  commitEdits();
  if (ctx_.doc().state().neverSaved) return fileSaveAs();
  const QString path = QString::fromStdString(ctx_.doc().state().fileName);
  // The name in quotation marks, the question straight after it.
  const QString question =
      QLatin1Char('"') + path + QLatin1Char('"') + ctx_.msg(MessageId::OverwriteQuestion);
  if (ctx_.prompter().ask(question, MsgButtons::OkCancel, MsgIcon::Question) != Answer::Ok)
    return false;
  return saveTo(path);
}

bool frmMain::fileSaveAs() {
  commitEdits();
  QString suggested = QString::fromStdString(ctx_.doc().state().fileName);
  if (QFileInfo(suggested).isRelative()) {
    suggested = QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                    .filePath(suggested);
  }
  QString path = chooseSaveFile(suggested, fileFilter());
  if (path.isEmpty()) return false;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".dat");
  return saveTo(path);
}

bool frmMain::saveTo(const QString& path) {
  const FileOutcome outcome = SaveDataFile(ctx_.doc(), ToPath(path));
  if (!outcome.ok()) {
    showOutcome(outcome);
    return false;
  }
  updateCaption();
  return true;
}

bool frmMain::saveDocument() {
  if (ctx_.doc().state().neverSaved) return fileSaveAs();
  return saveTo(QString::fromStdString(ctx_.doc().state().fileName));
}

// A Yes that cannot save (dialog cancelled, write failed) keeps the document: nothing is lost.
bool frmMain::saveBeforeLeaving() {
  if (!ctx_.doc().IsDocumentModified()) return true;
  switch (ctx_.ask(MessageId::SaveQuestion, MsgButtons::YesNoCancel, MsgIcon::Warning)) {
    case Answer::Yes:
      return saveDocument();
    case Answer::No:
      return true;
    default:
      return false;
  }
}

void frmMain::showOutcome(const FileOutcome& outcome) {
  ctx_.prompter().ask(QString::fromUtf8(outcome.message(ctx_.language())), MsgButtons::Ok,
                      MsgIcon::None);
}

bool frmMain::leaveForOtherVersion(const std::string& fileTag, Asking asking) {
  if (asking == Asking::AskFirst) {
    commitEdits();
    if (!saveBeforeLeaving()) return false;
  }
  const std::string exeName =
      QFileInfo(QCoreApplication::applicationFilePath()).fileName().toStdString();
  const auto program =
      OtherVersionProgram(ctx_.state().versions, ctx_.install().programDir, fileTag, exeName);
  if (!program || !startProgram(ToQString(*program))) {
    ctx_.tell(MessageId::VersionNotExist);
    return false;
  }
  // The other version takes over at once; what was to be saved is saved by now.
  leavingForOtherVersion_ = true;
  hide();
  QCoreApplication::exit(0);
  return true;
}

void frmMain::initialSetting() {
  closeAllChildren();
  history_->checkpoint();
  ctx_.doc().ResetToNewDocument(TemplateKind::InitialSetting);
  history_->checkpoint();  // question-free, and one Undo brings the settings back
  updateCaption();
  reopenChannelWindow();
}

void frmMain::closeEvent(QCloseEvent* event) {
  // Test mode is left first: PTT released, the radio told, the port closed.
  testMode_->leave();
  if (!leavingForOtherVersion_) {
    commitEdits();
    if (!saveBeforeLeaving()) {
      event->ignore();
      return;
    }
    writeSettings();
  }
  event->accept();
}

void frmMain::compareWithFile() {
  commitEdits();  // compare what the boxes hold
  const QString path = chooseOpenFile(fileFilter());
  if (path.isEmpty()) return;
  // Window-modal: the list stays true to the document while it is open.
  auto* window = new FrmCompareFile(ctx_, path, this);
  window->open();
}

// Window-modal, as Compare with File is; a backup opened or written back closes it, since the list
// was made for the document it replaced.
void frmMain::showBackups() {
  const std::filesystem::path& dataDir = ctx_.app().userDataDir;
  auto* window = new FrmBackups(ctx_, dataDir.empty() ? dataDir : BackupFolder(dataDir), this);
  connect(window, &FrmBackups::openRequested, this, [this, window](const QString& path) {
    if (openAfterAsking(path)) window->accept();
  });
  connect(window, &FrmBackups::compareRequested, this, [this, window](const QString& path) {
    commitEdits();
    (new FrmCompareFile(ctx_, path, window))->open();
  });
  // Written back as the document it becomes, through the write's own confirmation.
  connect(window, &FrmBackups::writeBackRequested, this, [this, window](const QString& path) {
    if (!openAfterAsking(path)) return;
    window->accept();
    sessions_->writeToRadio();
  });
  window->open();
}

}  // namespace kr4100
