// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frm_main.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QShowEvent>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QUndoStack>
#include <QVBoxLayout>
#include <vector>

#include "app/child_windows.h"
#include "app/dialogs.h"
#include "app/editor_areas.h"
#include "app/glyphs.h"
#include "app/radio_sessions.h"
#include "app/test_mode_session.h"
#include "gui/editor_support.h"
#include "gui/pending_edits.h"
#include "gui/qt_paths.h"
#include "gui/twips.h"
#include "platform/qt_translations.h"

namespace kr4100 {
namespace {

constexpr const char* kChannelWindow = "frmCommChInfo";
// Long enough to be read after a glance back at the grid; the undo text keeps it after that.
constexpr int kNoticeShownMs = 30000;

constexpr Bilingual kServiceFunctionsOn{"Service functions on", "维修功能已开启"};

}  // namespace

frmMain::frmMain(UiContext& ctx, QWidget* parent)
    : QMainWindow(parent),
      ctx_(ctx),
      sessions_(std::make_unique<RadioSessions>(ctx, this, static_cast<RadioSessionsOwner*>(this))),
      testMode_(std::make_unique<TestModeSession>(ctx, *sessions_, this)),
      history_(std::make_unique<UndoHistory>(ctx.doc())) {
  setObjectName(QStringLiteral("frmMain"));
  setContextMenuPolicy(Qt::NoContextMenu);  // no toolbar menu that would bypass the View checks
  QApplication::setWindowIcon(DrawGlyph(Glyph::Radio));  // the child windows show it too
  captionedLanguage_ = ctx_.language();
  ctx_.settings().captionLanguage = captionedLanguage_;

  createActions();
  createRadioActions();
  createUndoActions();
  createMenus();
  createToolBars();
  createTree();
  for (const EditorArea& area : EditorAreas()) {
    children_->registerWindow(QLatin1String(area.window),
                              [this, make = area.make] { return make(ctx_, *this); });
  }
  createStatusBar();
  createFileDialogs();
  connectDocument();
  connectSessions();
  readSettings();
  Change_Language();

  if (!ctx_.app().startFile.empty())
    StartShowData();
  else
    LoadNewDoc();
  // The document the program starts with is where undoing ends.
  history_->clear();
}

frmMain::~frmMain() {
  // A transmitter is never left keyed behind the program. The editors go next, with children_.
  testMode_->leave();
}

// ---- construction -------------------------------------------------------------------------

QAction* frmMain::action(ShellText id, const char* name, std::function<void()> run) {
  auto* a = new QAction(this);
  a->setObjectName(QLatin1String(name));
  connect(a, &QAction::triggered, this, [run = std::move(run)] { run(); });
  actions_.insert(id, a);
  return a;
}

void frmMain::createActions() {
  using S = ShellText;
  action(S::mnuFileNew, "mnuFileNew", [this] {
    fileNew(Asking::AskFirst);
  })->setShortcut(QKeySequence::New);
  action(S::mnuFileOpen, "mnuFileOpen", [this] { fileOpen(); })->setShortcut(QKeySequence::Open);
  action(S::mnuFileSave, "mnuFileSave", [this] { fileSave(); })->setShortcut(QKeySequence::Save);
  action(S::mnuFileSaveAs, "mnuFileSaveAs", [this] { fileSaveAs(); });
  action(S::mnuFilePrint, "mnuFilePrint", [this] {
    commitEdits();  // the sheets show what the boxes hold
    RunPrintSelection(ctx_, this);
  });
  action(S::mnuFileExit, "mnuFileExit", [this] { close(); });
  action(S::mnuModelInfo, "mnuModelInfo", [this] {
    commitEdits();  // typing still in a box stays a step of its own
    // The dialog writes the model into the record before the new document replaces it: one step.
    const UndoHistory::Hold hold(*history_);
    if (RunFrmModelInfo(ctx_, this)) LoadNewDoc();
  });
  for (const EditorArea& area : EditorAreas()) {
    const QString window = QLatin1String(area.window);
    action(area.menu, area.menuName, [this, window] { openChild(window); });
  }
  action(S::mnuLanguage, "mnuLanguage", [this] {
    // The dialog has stored the choice; the windows follow at once.
    RunFrmSetLanguage(ctx_, this);
    switchLanguageIfChanged();
  });
  action(S::MnuInitial, "MnuInitial", [this] { initialSetting(); });
  action(S::mnuTreeView, "mnuTreeView",
         [this] { setTreePaneVisible(actions_[ShellText::mnuTreeView]->isChecked()); });
  action(S::mnuViewToolbar, "mnuViewToolbar",
         [this] { toolBar_->setVisible(actions_[ShellText::mnuViewToolbar]->isChecked()); });
  action(S::mnuViewStatusBar, "mnuViewStatusBar",
         [this] { statusBar()->setVisible(actions_[ShellText::mnuViewStatusBar]->isChecked()); });
  for (ShellText id : {S::mnuTreeView, S::mnuViewToolbar, S::mnuViewStatusBar}) {
    actions_[id]->setCheckable(true);
    actions_[id]->setChecked(true);
  }
  action(S::mnuWindowCascade, "mnuWindowCascade", [this] { cascade(); });
  action(S::mnuWindowTileVertical, "mnuWindowTileVertical", [this] { mdiArea_->tileSubWindows(); });
  action(S::mnuWindowTileHorizontal, "mnuWindowTileHorizontal",
         [this] { mdiArea_->tileSubWindows(); });
  action(S::mnuWindowArrangeIcons, "mnuWindowArrangeIcons", [] {});
  action(S::mnuCloseAll, "mnuCloseAll", [this] { closeAllChildren(); });
  action(S::mnuHelpAbout, "mnuHelpAbout", [this] { RunAbout(ctx_, this); });
  // Channel CSV.
  action(S::mnuExportChannels, "mnuExportChannels", [this] { exportChannels(); });
  action(S::mnuImportChannels, "mnuImportChannels", [this] { importChannels(); });
  // Comparing the document with a data file.
  action(S::mnuFileCompare, "mnuFileCompare", [this] { compareWithFile(); });
  action(S::mnuOpenBackup, "mnuOpenBackup", [this] { fileOpenBackup(); });
  action(S::mnuBackups, "mnuBackups", [this] { showBackups(); });
}

// Undo and redo. Ctrl+Y as well as the platform's own redo key; a text box with typing of its own
// to take back keeps both keys (see UndoHistory).
void frmMain::createUndoActions() {
  using S = ShellText;
  // The same key twice on one action would make it ambiguous and do nothing.
  auto keys = [](QKeyCombination first, QKeySequence::StandardKey platform) {
    QList<QKeySequence> list{QKeySequence(first)};
    for (const QKeySequence& k : QKeySequence::keyBindings(platform))
      if (!list.contains(k)) list << k;
    return list;
  };
  action(S::mnuEditUndo, "mnuEditUndo", [this] {
    history_->undo();
  })->setShortcuts(keys(Qt::CTRL | Qt::Key_Z, QKeySequence::Undo));
  action(S::mnuEditRedo, "mnuEditRedo", [this] {
    history_->redo();
  })->setShortcuts(keys(Qt::CTRL | Qt::Key_Y, QKeySequence::Redo));
  connect(history_.get(), &UndoHistory::pendingEditsNeeded, this, [this] { commitEdits(); });
  connect(history_.get(), &UndoHistory::availabilityChanged, this, [this] { updateMenus(); });
  connect(history_.get(), &UndoHistory::restored, this, [this] {
    updateCaption();
    updateStatusBar();
    statusBar()->clearMessage();  // a command's notice is about a record no longer on show
  });
  // What Undo and Redo would take back or bring again, where the user looks for it: on the
  // entries' status tips (the status bar while the menu is open) and tool tips.
  // (Through the history, which stops talking before it goes; its stack would not.)
  connect(history_.get(), &UndoHistory::stepTextsChanged, this, [this] {
    const std::pair<ShellText, QString> tips[] = {{S::mnuEditUndo, history_->stack()->undoText()},
                                                  {S::mnuEditRedo, history_->stack()->redoText()}};
    for (const auto& [id, text] : tips) {
      actions_[id]->setStatusTip(text);
      actions_[id]->setToolTip(text);
    }
  });
}

void frmMain::commandDone(const QString& what, Notice notice) {
  history_->checkpoint(what);
  if (notice == Notice::InStatusBar) {
    statusBar()->showMessage(what, kNoticeShownMs);
  } else {
    statusBar()->clearMessage();
  }
}

void frmMain::createMenus() {
  using S = ShellText;
  auto addMenu = [this](S id, const char* name, const std::vector<S>& entries) {
    QMenu* menu = menuBar()->addMenu(QString());
    menu->setObjectName(QLatin1String(name));
    for (S entry : entries) {
      if (entry == S::Count)
        menu->addSeparator();
      else
        menu->addAction(actions_[entry]);
    }
    menus_.insert(id, menu);
  };
  constexpr S sep = S::Count;
  addMenu(S::mnuFile, "mnuFile",
          {S::mnuFileNew, S::mnuFileOpen, S::mnuOpenBackup, S::mnuBackups, S::mnuFileSave,
           S::mnuFileSaveAs, sep, S::mnuExportChannels, S::mnuImportChannels,
           // Comparing the document with a data file.
           S::mnuFileCompare, sep, S::mnuFilePrint, sep, S::mnuFileExit});
  addMenu(S::mnuModel, "mnuModel", {S::mnuModelInfo});
  std::vector<S> edit{S::mnuEditUndo, S::mnuEditRedo, sep};
  for (const EditorArea& area : EditorAreas()) edit.push_back(area.menu);
  edit.insert(edit.end(), {sep, S::mnuEMG});
  addMenu(S::mnuEdit, "mnuEdit", edit);
  addMenu(S::mnuProgram, "mnuProgram",
          {S::mnuReadFromRadio, S::mnuWriteToRadio, S::mnuMWriteToRadio, S::mnuTest});
  addMenu(S::mnuTools, "mnuTools", {S::mnuRadioInfo, S::mnuSetRadioInfo});
  addMenu(S::mnuSetup, "mnuSetup",
          {S::mnuComm, S::mnuLanguage, sep, S::MnuInitial, sep, S::mnuVerifyAfterWrite,
           S::mnuRecordSerialTrace});
  addMenu(S::mnuView, "mnuView", {S::mnuTreeView, S::mnuViewToolbar, S::mnuViewStatusBar});
  addMenu(S::mnuWindow, "mnuWindow",
          {S::mnuWindowCascade, S::mnuWindowTileVertical, S::mnuWindowTileHorizontal,
           S::mnuWindowArrangeIcons, S::mnuCloseAll});
  addMenu(S::mnuHelp, "mnuHelp", {S::mnuHelpAbout});
  createChannelCommandsMenu();
}

void frmMain::connectDocument() {
  if (!ctx_.doc().warningSink()) {
    ctx_.doc().setWarningSink([&ctx = ctx_](MessageId id) { ctx.tell(id, MsgIcon::Warning); });
  }
  timerReNew_ = new QTimer(this);
  timerReNew_->setObjectName(QStringLiteral("TimerReNew"));
  timerReNew_->setSingleShot(true);
  timerReNew_->setInterval(200);
  connect(timerReNew_, &QTimer::timeout, this, &frmMain::LoadNewDoc);
}

// The stored position is in twips, as the settings store has always kept it.
// ---- texts --------------------------------------------------------------------------------

QString frmMain::caption(ShellText id) const {
  return ctx_.shell(id);
}

QString frmMain::plainCaption(ShellText id) const {
  return WithoutAccelerator(caption(id));
}

QString frmMain::fileFilter() const {
  return ctx_.msg(MessageId::FileTitle) + QStringLiteral(" (*.dat)");
}

void frmMain::Change_Language() {
  // Qt's own texts first: the boxes and dialogs opened from here on speak the language too.
  UseQtTranslations(ctx_.language());
  reCaption();
  testMode_->reCaption();
  rebuildTree();
  LoadBKPic();
}

void frmMain::reCaption() {
  for (auto it = actions_.cbegin(); it != actions_.cend(); ++it)
    it.value()->setText(caption(it.key()));
  // A menu opened is read out by its name: its title without the accelerator.
  for (auto it = menus_.cbegin(); it != menus_.cend(); ++it) {
    it.value()->setTitle(caption(it.key()));
    it.value()->setAccessibleName(WithoutAccelerator(it.value()->title()));
  }
  // The menu says where the trace files go: on hover and in the status bar.
  const QString traces =
      ctx_.shell(ShellText::TraceFolderTip)
          .replace(QLatin1String("{folder}"), RadioSessions::traceFolder(ctx_.app()));
  actions_[ShellText::mnuRecordSerialTrace]->setToolTip(traces);
  actions_[ShellText::mnuRecordSerialTrace]->setStatusTip(traces);
  menus_[ShellText::mnuSetup]->setToolTipsVisible(true);
  static const std::pair<const char*, ShellText> kToolTips[] = {
      {"新建", ShellText::mnuFileNew},
      {"打开", ShellText::mnuFileOpen},
      {"保存", ShellText::mnuFileSave},
      {"打印", ShellText::mnuFilePrint},
      {"ReadRadio", ShellText::mnuReadFromRadio},
      {"CommSet", ShellText::mnuComm},
      {"WriteRadio", ShellText::mnuWriteToRadio},
      {"MWriteRadio", ShellText::mnuMWriteToRadio},
      {"About", ShellText::mnuHelpAbout}};
  // The buttons show pictures only; screen readers, tooltips and the toolbar's overflow menu
  // name them after their menu commands.
  auto name = [](QToolBar* bar, QAction* button, const QString& text) {
    button->setText(text);
    button->setToolTip(text);
    if (QWidget* widget = bar->widgetForAction(button)) widget->setAccessibleName(text);
  };
  for (const auto& [key, id] : kToolTips)
    name(toolBar_, toolButtons_.value(QString::fromUtf8(key)), plainCaption(id));
  name(paneToolBar_, paneToolBar_->actions().constFirst(), plainCaption(ShellText::mnuTreeView));
  modelLabel_->setText(QString::fromStdString(ctx_.state().modelName));
  updateCaption();
  updateStatusBar();
}

void frmMain::updateCaption() {
  const DocState& doc = ctx_.doc().state();
  caption_ = QString::fromUtf8(
      MainWindowCaption(ctx_.state().modelName, doc.bandText, doc.fileName, ctx_.language()));
  setWindowTitle(caption_);
}

void frmMain::updateStatusBar() {
  const StartupSettings& s = ctx_.settings();
  panel_[0]->setText(ctx_.app().serviceFunctions ? ctx_.pick(kServiceFunctionsOn) : QString());
  panel_[1]->setText(QString::fromStdString(ctx_.state().modelName) + QLatin1Char('[') +
                     QString::fromStdString(ctx_.doc().state().bandText) + QLatin1Char(']'));
  panel_[2]->setText(
      !ctx_.app().portOverride.empty() || !s.comDevice.empty()
          ? RadioSessions::shownPortName(ctx_, QString::fromStdString(ctx_.app().portInForce()))
          : caption(ShellText::Com) + QString::number(s.comPort));
}

// The one place that decides which commands are offered.
void frmMain::updateMenus() {
  using S = ShellText;
  actions_[S::mnuSetRadioInfo]->setEnabled(ctx_.app().serviceFunctions);

  for (S hidden : {S::mnuWindowTileHorizontal, S::mnuWindowTileVertical, S::mnuWindowArrangeIcons})
    actions_[hidden]->setVisible(false);
  const bool service = ctx_.app().serviceFunctions;
  for (const EditorArea& area : EditorAreas())
    if (area.serviceOnly) actions_[area.menu]->setVisible(service);
  actions_[S::mnuTest]->setVisible(service);
  menus_[S::mnuTools]->menuAction()->setVisible(service);
  actions_[S::mnuEditUndo]->setEnabled(history_->canUndo());
  actions_[S::mnuEditRedo]->setEnabled(history_->canRedo());
  const bool gridOpen = childWindow(QLatin1String(kChannelWindow)) != nullptr;
  menus_[S::mnuEditChannels]->menuAction()->setEnabled(gridOpen);
  actions_[S::mnuMWriteToRadio]->setVisible(ctx_.app().groupWriteEnabled);
  toolButtons_.value(QStringLiteral("MWriteRadio"))->setVisible(ctx_.app().groupWriteEnabled);
}

void frmMain::LoadBKPic() {
  const auto file =
      ctx_.install().programDir / "PIC" / ("BK_" + std::to_string(ctx_.language()) + ".jpg");
  QPixmap tile(ToQString(file));
  if (tile.isNull()) tile = DrawnBackgroundTile();
  mdiArea_->setBackground(QBrush(tile));
}

void frmMain::switchLanguageIfChanged() {
  if (ctx_.language() == captionedLanguage_) return;
  captionedLanguage_ = ctx_.language();
  ctx_.settings().captionLanguage = captionedLanguage_;
  Change_Language();
  // Editors open in the language in force; reopening is simpler than re-captioning each one.
  closeAllChildren();
  reopenChannelWindow();
}

void frmMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // Children opened before the first show get their sizes fitted to the area now.
  if (!event->spontaneous()) QTimer::singleShot(0, this, [this] { fitChildren(); });
}

bool frmMain::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::WindowActivate:
      switchLanguageIfChanged();
      break;
    case QEvent::WindowTitleChange:
      // A maximised child would append its own title; the caption stays the document's.
      if (!caption_.isEmpty() && windowTitle() != caption_) setWindowTitle(caption_);
      break;
    default:
      break;
  }
  return QMainWindow::event(event);
}

// ---- child windows ------------------------------------------------------------------------

QWidget* frmMain::childWindow(const QString& name) const {
  return children_->find(name);
}
QWidget* frmMain::openChild(const QString& name) {
  return children_->open(name);
}
void frmMain::cascade() {
  children_->cascade();
}
void frmMain::fitChildren() {
  children_->fit();
}
void frmMain::closeAllChildren() {
  children_->closeAll();
}

void frmMain::reopenChannelWindow() {
  openChild(QLatin1String(kChannelWindow));
  cascade();
}

void frmMain::commitEdits() {
  for (QMdiSubWindow* sw : mdiArea_->subWindowList()) {
    // A window closed by its own button has already stored what it held.
    if (sw->isHidden()) continue;
    if (auto* editor = dynamic_cast<PendingEdits*>(sw->widget())) editor->commitPendingEdit();
  }
  // What was typed is a step of its own, before whatever the caller goes on to do.
  history_->checkpoint();
}

}  // namespace kr4100
