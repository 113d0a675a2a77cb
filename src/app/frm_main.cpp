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
constexpr const char* kLocalInformationKey = "N9";
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
  // A transmitter is never left keyed behind the program.
  testMode_->leave();
  // Editors observe the document; they go before the sessions and the context's users vanish.
  children_->deleteAll();
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

void frmMain::createToolBars() {
  toolBar_ = addToolBar(QString());
  toolBar_->setObjectName(QStringLiteral("tbToolBar"));
  toolBar_->setMovable(false);
  toolBar_->setIconSize(QSize(24, 24));
  toolBar_->setToolButtonStyle(Qt::ToolButtonIconOnly);  // the buttons carry texts for others
  auto button = [this](const char* key, Glyph glyph, std::function<void()> run) {
    QAction* a = toolBar_->addAction(DrawGlyph(glyph), QString());
    a->setObjectName(QString::fromUtf8(key));
    connect(a, &QAction::triggered, this, [run = std::move(run)] { run(); });
    toolButtons_.insert(a->objectName(), a);
  };
  auto same = [this](ShellText id) { return [this, id] { actions_[id]->trigger(); }; };
  button("新建", Glyph::New, [this] { fileNew(Asking::WithoutAsking); });
  button("打开", Glyph::Open, same(ShellText::mnuFileOpen));
  button("保存", Glyph::Save, same(ShellText::mnuFileSave));
  toolBar_->addSeparator();
  button("打印", Glyph::Print, same(ShellText::mnuFilePrint));
  toolBar_->addSeparator();
  button("ReadRadio", Glyph::ReadRadio, same(ShellText::mnuReadFromRadio));
  button("CommSet", Glyph::Port, same(ShellText::mnuComm));
  button("WriteRadio", Glyph::WriteRadio, same(ShellText::mnuWriteToRadio));
  button("MWriteRadio", Glyph::GroupWrite, same(ShellText::mnuMWriteToRadio));
  toolBar_->addSeparator();
  button("About", Glyph::About, same(ShellText::mnuHelpAbout));
}

void frmMain::createTree() {
  treePane_ = new QWidget;
  treePane_->setObjectName(QStringLiteral("TreePane"));
  auto* layout = new QVBoxLayout(treePane_);
  layout->setContentsMargins(2, 0, 0, 2);
  layout->setSpacing(2);

  auto* header = new QHBoxLayout;
  modelLabel_ = new QLabel;
  modelLabel_->setObjectName(QStringLiteral("lblModel"));
  QFont bold = modelLabel_->font();
  bold.setBold(true);
  modelLabel_->setFont(bold);
  paneToolBar_ = new QToolBar;
  paneToolBar_->setObjectName(QStringLiteral("Toolbar1"));
  paneToolBar_->setIconSize(QSize(14, 14));
  paneToolBar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
  QAction* hide = paneToolBar_->addAction(DrawGlyph(Glyph::Close), QString());
  hide->setObjectName(QStringLiteral("删除"));
  connect(hide, &QAction::triggered, this, [this] { setTreePaneVisible(false); });
  header->addWidget(modelLabel_, 1);
  header->addWidget(paneToolBar_);
  layout->addLayout(header);

  tree_ = new QTreeWidget;
  tree_->setObjectName(QStringLiteral("TreeView1"));
  tree_->setHeaderHidden(true);
  connect(tree_, &QTreeWidget::itemClicked, this,
          [this](QTreeWidgetItem* item) { treeNodeClicked(item); });
  layout->addWidget(tree_, 1);

  mdiArea_ = new QMdiArea;
  mdiArea_->setObjectName(QStringLiteral("MDIForm"));
  mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

  children_ = std::make_unique<ChildWindows>(mdiArea_);

  splitter_ = new QSplitter(Qt::Horizontal);
  splitter_->setObjectName(QStringLiteral("Splitter"));
  splitter_->addWidget(treePane_);
  splitter_->addWidget(mdiArea_);
  splitter_->setStretchFactor(1, 1);
  splitter_->setCollapsible(1, false);
  splitter_->handle(1)->setObjectName(QStringLiteral("CommandMove"));
  splitter_->setSizes({190, 800});
  setCentralWidget(splitter_);
}

void frmMain::createStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName(QStringLiteral("sbStatusBar"));
  for (int i = 0; i < 3; ++i) {
    panel_[i] = new QLabel;
    panel_[i]->setObjectName(QStringLiteral("Panels_%1").arg(i + 1));
    panel_[i]->setContentsMargins(4, 0, 4, 0);
  }
  bar->addWidget(panel_[0], 1);
  bar->addPermanentWidget(panel_[1]);
  bar->addPermanentWidget(panel_[2]);
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
void frmMain::readSettings() {
  QSettings settings(QStringLiteral("KR_4100"), QStringLiteral("KR_4100"));
  settings.beginGroup(QStringLiteral("Settings"));
  auto twips = [&](const char* key, int fallback) {
    bool ok = false;
    const int value = settings.value(QLatin1String(key), fallback).toInt(&ok);
    return TwipsToPixels(ok ? value : fallback);
  };
  QRect rect(twips("MainLeft", 100), twips("MainTop", 100), twips("MainWidth", 14500),
             twips("MainHeight", 10500));
  rect.setSize(rect.size().expandedTo(QSize(320, 240)));
  // A position from a screen that is no longer attached would leave the window out of reach.
  if (!QGuiApplication::screenAt(rect.center())) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
      const QRect available = screen->availableGeometry();
      rect.setSize(rect.size().boundedTo(available.size()));
      rect.moveTopLeft(available.topLeft() + QPoint(TwipsToPixels(100), TwipsToPixels(100)));
    }
  }
  setGeometry(rect);
}

void frmMain::writeSettings() {
  if (isMinimized()) return;
  const QRect rect = isMaximized() || isFullScreen() ? normalGeometry() : geometry();
  QSettings settings(QStringLiteral("KR_4100"), QStringLiteral("KR_4100"));
  settings.beginGroup(QStringLiteral("Settings"));
  settings.setValue(QStringLiteral("MainLeft"), PixelsToTwips(rect.x()));
  settings.setValue(QStringLiteral("MainTop"), PixelsToTwips(rect.y()));
  settings.setValue(QStringLiteral("MainWidth"), PixelsToTwips(rect.width()));
  settings.setValue(QStringLiteral("MainHeight"), PixelsToTwips(rect.height()));
}

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
  for (auto it = menus_.cbegin(); it != menus_.cend(); ++it)
    it.value()->setTitle(caption(it.key()));
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

void frmMain::rebuildTree() {
  tree_->clear();
  auto* root = new QTreeWidgetItem(tree_, {modelLabel_->text()});
  root->setData(0, Qt::UserRole, QStringLiteral("N0"));
  auto node = [&](ShellText title, const char* key) {
    auto* item = new QTreeWidgetItem(root, {plainCaption(title)});
    item->setData(0, Qt::UserRole, QLatin1String(key));
  };
  for (const EditorArea& area : EditorAreas()) {
    if (area.treeKey && (!area.serviceOnly || ctx_.app().serviceFunctions))
      node(area.menu, area.treeKey);
  }
  node(ShellText::mnuEMG, kLocalInformationKey);
  root->setExpanded(true);
  updateMenus();
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

// ---- tree and panes -----------------------------------------------------------------------

void frmMain::setTreePaneVisible(bool visible) {
  treePane_->setVisible(visible);
  actions_[ShellText::mnuTreeView]->setChecked(visible);
}

void frmMain::treeNodeClicked(QTreeWidgetItem* item) {
  if (!item || !(item->flags() & Qt::ItemIsEnabled)) return;
  runCommandOfKey(item->data(0, Qt::UserRole).toString());
}

void frmMain::runCommandOfKey(const QString& key) {
  if (key == QLatin1String(kLocalInformationKey)) {
    ReadRMGDataFromRadio();
  } else if (const EditorArea* area = AreaOfTreeKey(key)) {
    openChild(QLatin1String(area->window));
  }
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
