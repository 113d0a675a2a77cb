// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: a multiple-document frame with the menus, the toolbar, the page tree and the
// status bar, and the owner of the document lifecycle (New, Open, Save, Initial Setting, Exit).
#pragma once

#include <QMainWindow>
#include <QMap>
#include <functional>
#include <memory>

#include "app/radio_sessions.h"
#include "core/config/data_file.h"
#include "gui/document_commands.h"
#include "gui/ui_context.h"
#include "gui/undo_history.h"

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QSplitter;
class QTimer;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace kr4100 {

class ChildWindows;
class TestModeSession;
class frmCommChInfo;

// Whether a command asks the user before it gives up the document in hand.
enum class Asking { AskFirst, WithoutAsking };

class frmMain : public QMainWindow, public DocumentCommands, private RadioSessionsOwner {
  Q_OBJECT
 public:
  explicit frmMain(UiContext& ctx, QWidget* parent = nullptr);
  ~frmMain() override;

  // Operations other windows use.
  void LoadNewDoc();
  void LoadNewDocDeferred();  // after the caller's own event has finished (TimerReNew)
  void StartShowData();       // the data file given at start, opened as Open would
  void Change_Language();     // every text in the current language, tree rebuilt
  void LoadBKPic();
  void ReadRMGDataFromRadio();

  // The document commands as the menus run them.
  void fileNew(Asking asking);  // the menu asks, the toolbar does not
  void fileOpen();
  void fileOpenBackup();
  bool fileSave();
  bool fileSaveAs();
  void initialSetting();
  // Channel tables as a CSV file (frm_main_channels.cpp).
  void exportChannels();
  void importChannels();
  void compareWithFile();  // file dialog, then the differences of the document and that file
  void showBackups();      // the backups window: open, compare or write back a backup

  // Child windows are single-instance and found by their window name (objectName); the editor
  // areas' table names them.
  QWidget* openChild(const QString& name);
  void cascade();      // cascades the children, each at the size it asked for as far as it fits
  void fitChildren();  // each child at the size it asked for as far as the area holds it
  QWidget* childWindow(const QString& name) const;  // the open window of that name, if any
  void closeAllChildren();

  QMdiArea* mdiArea() const { return mdiArea_; }
  RadioSessions& sessions() { return *sessions_; }
  // Undo and redo of the working record. A command that changes the record as a whole calls
  // history().checkpoint() right after the change, which makes it one step.
  UndoHistory& history() { return *history_; }
  TestModeSession& testMode() { return *testMode_; }

  // DocumentCommands
  void newDocumentDeferred() override { LoadNewDocDeferred(); }
  void takeUndoStep() override { history_->checkpoint(); }
  void commandDone(const QString& what, Notice notice) override;

  // Test seams: file dialogs, replaceable so that tests never meet a native dialog. Each returns
  // the chosen path, or an empty text when the user cancelled.
  std::function<QString(const QString& filter)> chooseOpenFile;
  // The same, opened on a given folder (Open Backup).
  std::function<QString(const QString& folder, const QString& filter)> chooseOpenFileIn;
  std::function<QString(const QString& suggestedPath, const QString& filter)> chooseSaveFile;
  // Test seam: starts another installed program version; false when it could not be started.
  std::function<bool(const QString& program)> startProgram;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void createActions();
  void createRadioActions();  // frm_main_sessions.cpp
  void createUndoActions();
  void createMenus();
  void createChannelCommandsMenu();  // frm_main_channels.cpp
  void createToolBars();
  void createTree();
  void createStatusBar();
  void createFileDialogs();  // frm_main_document.cpp
  void connectDocument();    // warnings, the deferred new document, other windows' requests
  void connectSessions();    // frm_main_sessions.cpp
  // RadioSessionsOwner
  bool linkInUse() const override;
  bool handOverToVersionFor(const std::string& firmware) override;
  void readSettings();
  void writeSettings();

  void reCaption();
  void rebuildTree();
  void updateMenus();
  void updateCaption();
  void updateStatusBar();
  void switchLanguageIfChanged();

  QAction* action(ShellText id, const char* name, std::function<void()> run);
  QString caption(ShellText id) const;
  QString plainCaption(ShellText id) const;  // without its accelerator, for titles and the tree
  QString fileFilter() const;
  void commitEdits();
  bool saveBeforeLeaving();  // the save question; false when the user cancelled
  bool saveDocument();       // Save without the overwrite question
  bool saveTo(const QString& path);
  void showOutcome(const FileOutcome& outcome);
  bool openFile(const QString& path);         // Open after its dialog: checks, refusals, messages
  bool openAfterAsking(const QString& path);  // the save question first, then openFile
  // The version question's Yes: the program version that reads fileTag takes over. AskFirst: the
  // save question comes first (its Cancel keeps everything). False when nothing changed.
  bool leaveForOtherVersion(const std::string& fileTag, Asking asking);
  void reopenChannelWindow();
  void treeNodeClicked(QTreeWidgetItem* item);
  void runCommandOfKey(const QString& key);
  void setTreePaneVisible(bool visible);

  UiContext& ctx_;
  std::unique_ptr<RadioSessions> sessions_;
  std::unique_ptr<TestModeSession> testMode_;
  std::unique_ptr<UndoHistory> history_;
  std::unique_ptr<UndoHistory::Hold> newDocumentHold_;  // band change until its new document
  int captionedLanguage_ = 0;
  QString caption_;
  bool leavingForOtherVersion_ = false;

  QMdiArea* mdiArea_ = nullptr;
  QSplitter* splitter_ = nullptr;
  QWidget* treePane_ = nullptr;
  QLabel* modelLabel_ = nullptr;
  QTreeWidget* tree_ = nullptr;
  QToolBar* toolBar_ = nullptr;
  QToolBar* paneToolBar_ = nullptr;
  QLabel* panel_[3] = {};
  QTimer* timerReNew_ = nullptr;

  QMap<ShellText, QAction*> actions_;
  QMap<ShellText, QMenu*> menus_;
  QMap<QString, QAction*> toolButtons_;  // by button key
  // Last: editors observe the document, so they go before the sessions and the context's users.
  std::unique_ptr<ChildWindows> children_;
};

}  // namespace kr4100
