// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's panes and places: the toolbar, the page tree beside the window area, the
// status bar, and the window's stored position.
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/child_windows.h"
#include "app/editor_areas.h"
#include "app/frm_main.h"
#include "app/glyphs.h"
#include "gui/accessibility.h"
#include "gui/twips.h"

namespace kr4100 {
namespace {

constexpr const char* kLocalInformationKey = "N9";

}  // namespace

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
  NameAfterLabel(tree_, modelLabel_);  // the model the pages belong to
  updateMenus();
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

}  // namespace kr4100
