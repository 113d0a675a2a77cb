// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: commands offered, captions in both languages, and the document lifecycle with
// its questions (New, Save, Save As, Open refusals, closing).
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QtTest>
#include <filesystem>
#include <functional>
#include <memory>

#include "app/editor_areas.h"
#include "app/frm_main.h"
#include "app/radio_sessions.h"
#include "core/config/data_file_codec.h"
#include "core/config/record_diff.h"
#include "gui/editor_support.h"
#include "gui/file_dialog_options.h"
#include "gui/qt_paths.h"
#include "gui/ui_context.h"
#include "support/modal_answer.h"
#include "support/scripted_prompter.h"
#include "support/test_installation.h"

using namespace kr4100;
using kr4100::testing::ModalAnswer;
using kr4100::testing::ScriptedPrompter;

namespace {

const QString kOverwriteEn = QStringLiteral("file will be Overwrite,Continue?");
const QString kSaveQuestionEn = QStringLiteral("File has been modify,save it now?");
const QString kNoSuchVersion =
    QStringLiteral("Fail to start the software. This version does not exist.");
const QString kNewDocumentCaption =
    QStringLiteral("KR-4100[28.000000 - 29.700000 MHz][File Name:new.dat]");

// A fresh installation per window: templates from the build, no settings file yet.
struct Harness : kr4100::testing::TestInstallation {
  std::unique_ptr<frmMain> window;
  QStringList saveDialogs;  // suggested paths the save dialog was opened with
  QString saveAnswer;       // what the save dialog returns ("" = cancelled)
  QString openAnswer;

  // beforeWindow: what main() would set from the command line (--port, a file to open).
  explicit Harness(bool groupWrite = false, const QByteArray& versionIni = {},
                   int systemLocale = 0x0409, std::function<void(AppState&)> beforeWindow = {})
      : TestInstallation(static_cast<unsigned>(systemLocale), versionIni) {
    app->groupWriteEnabled = groupWrite;
    if (beforeWindow) beforeWindow(*app);
    window = std::make_unique<frmMain>(*ctx);
    window->chooseSaveFile = [this](const QString& suggested, const QString&) {
      saveDialogs << suggested;
      return saveAnswer;
    };
    window->chooseOpenFile = [this](const QString&) { return openAnswer; };
  }

  QAction* act(const char* name) const {
    return window->findChild<QAction*>(QString::fromUtf8(name));
  }
  void modify() { ctx->doc().working().OptFeat[3] += 1; }
  QString path(const char* name) const { return root.filePath(QString::fromUtf8(name)); }
  QStringList openChildren() const {
    QStringList names;
    for (QMdiSubWindow* sw : window->mdiArea()->subWindowList())
      names << sw->widget()->objectName();
    return names;
  }
};

QTreeWidgetItem* Node(QTreeWidget* tree, const QString& key) {
  QTreeWidgetItem* root = tree->topLevelItem(0);
  if (root && root->data(0, Qt::UserRole).toString() == key) return root;
  for (int i = 0; root && i < root->childCount(); ++i)
    if (root->child(i)->data(0, Qt::UserRole).toString() == key) return root->child(i);
  return nullptr;
}

template <class T>
T* Child(QDialog* dialog, const char* name) {
  return dialog->findChild<T*>(QString::fromUtf8(name));
}

// What the language dialog's OK leaves behind, then the main window's activation.
void SwitchLanguage(Harness& h, int language) {
  h.ctx->settings().currentLanguage = language;
  QEvent activate(QEvent::WindowActivate);
  QCoreApplication::sendEvent(h.window.get(), &activate);
}

// Picks the port in the port dialog as a user would and confirms.
void ChoosePort(Harness& h, const QString& port) {
  ModalAnswer answer([port](QDialog* d) {
    auto* ports = Child<QComboBox>(d, "Combo1");
    const int index = ports->findText(port);
    ports->setCurrentIndex(index);
    emit ports->activated(index);  // what a pick from the list sends
    Child<QPushButton>(d, "CommandOK")->click();
  });
  h.act("mnuComm")->trigger();
  QCOMPARE(answer.seen, QStringLiteral("FrmComSet"));
}

std::function<void(AppState&)> StartWith(const QString& file) {
  return [file](AppState& app) { app.startFile = ToPath(file); };
}

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT
  QTemporaryDir config_;

 private slots:
  void initTestCase() {
    // The window stores its position in the per-user store; keep it away from the real one.
    qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
  }

  void startsWithNewDocumentAndChannelWindow() {
    Harness h;
    QCOMPARE(h.window->windowTitle(),
             QStringLiteral("KR-4100[28.000000 - 29.700000 MHz][File Name:new.dat]"));
    QCOMPARE(h.openChildren(), QStringList{QStringLiteral("frmCommChInfo")});
    QCOMPARE(h.window->findChild<QLabel*>(QStringLiteral("Panels_2"))->text(),
             QStringLiteral("KR-4100[28.000000 - 29.700000 MHz]"));
    QCOMPARE(h.window->findChild<QLabel*>(QStringLiteral("Panels_3"))->text(),
             QStringLiteral("COM1"));
    QVERIFY(h.prompter.asked.isEmpty());
    // Default geometry: 14500 x 10500 twips.
    QCOMPARE(h.window->size(), QSize(14500 / 15, 10500 / 15));
  }

  void hiddenAndDisabledCommands() {
    Harness h;
    for (const char* hidden :
         {"mnuWindowTileHorizontal", "mnuWindowTileVertical", "mnuWindowArrangeIcons",
          "mnuFleetSync", "mnuTestFre", "mnuTest", "mnuDTMF", "mnuMWriteToRadio", "MWriteRadio"})
      QVERIFY2(!h.act(hidden)->isVisible(), hidden);
    QVERIFY(!h.window->findChild<QMenu*>(QStringLiteral("mnuTools"))->menuAction()->isVisible());
    for (const char* disabled : {"mnuSetRadioInfo"})
      QVERIFY2(!h.act(disabled)->isEnabled(), disabled);
    for (const char* offered :
         {"mnuFileNew", "mnuChannelInfo", "mnuOptFeature", "mnuKeyAssignm", "mnuScanInfo",
          "mnuEmbeddedMsg", "mnuEMG", "mnuReadFromRadio", "MnuInitial"})
      QVERIFY2(h.act(offered)->isVisible() && h.act(offered)->isEnabled(), offered);

    auto* tree = h.window->findChild<QTreeWidget*>(QStringLiteral("TreeView1"));
    QCOMPARE(Node(tree, QStringLiteral("N0"))->childCount(), 4);
    QCOMPARE(Node(tree, QStringLiteral("N1"))->text(0), QStringLiteral("Channel Information"));
    QVERIFY(Node(tree, QStringLiteral("N2"))->flags() & Qt::ItemIsEnabled);
    QVERIFY(Node(tree, QStringLiteral("N8"))->flags() & Qt::ItemIsEnabled);  // embedded message
    QVERIFY(Node(tree, QStringLiteral("N9"))->flags() & Qt::ItemIsEnabled);

    Harness group(true);
    QVERIFY(group.act("mnuMWriteToRadio")->isVisible());
    QVERIFY(group.act("MWriteRadio")->isVisible());
    QVERIFY(group.window->findChild<QLabel*>(QStringLiteral("Panels_1"))->text().isEmpty());
  }

  void serviceSwitchShowsTheServiceFunctions() {
    Harness h(false, {}, 0x0409, [](AppState& app) { app.serviceFunctions = true; });
    for (const char* shown :
         {"mnuDTMF", "mnuFleetSync", "mnuTestFre", "mnuTest", "mnuRadioInfo", "mnuSetRadioInfo"})
      QVERIFY2(h.act(shown)->isVisible(), shown);
    QVERIFY(h.window->findChild<QMenu*>(QStringLiteral("mnuTools"))->menuAction()->isVisible());
    QVERIFY(h.act("mnuTest")->isEnabled());
    QVERIFY(h.act("mnuSetRadioInfo")->isEnabled());
    QVERIFY(h.act("mnuRadioInfo")->isEnabled());
    QVERIFY(h.act("mnuFleetSync")->isEnabled());
    // The window layout stays the rest of the program's: only the service pages join the tree.
    QVERIFY(!h.act("mnuWindowArrangeIcons")->isVisible());
    auto* tree = h.window->findChild<QTreeWidget*>(QStringLiteral("TreeView1"));
    QStringList keys;
    for (int i = 0; i < Node(tree, QStringLiteral("N0"))->childCount(); ++i)
      keys << Node(tree, QStringLiteral("N0"))->child(i)->data(0, Qt::UserRole).toString();
    QCOMPARE(keys, (QStringList{"N1", "N2", "N5", "N6", "N7", "N8", "N9"}));
    QCOMPARE(Node(tree, QStringLiteral("N5"))->text(0), QStringLiteral("DTMF"));

    auto* panel = h.window->findChild<QLabel*>(QStringLiteral("Panels_1"));
    QCOMPARE(panel->text(), QStringLiteral("Service functions on"));
    h.ctx->settings().currentLanguage = 2;
    h.window->Change_Language();
    QCOMPARE(panel->text(), QStringLiteral("维修功能已开启"));
  }

  void childWindowsAreSingleInstance() {
    Harness h;
    h.act("mnuCloseAll")->trigger();
    QVERIFY(h.openChildren().isEmpty());
    h.act("mnuChannelInfo")->trigger();
    h.act("mnuChannelInfo")->trigger();
    QCOMPARE(h.openChildren().size(), 1);

    auto* tree = h.window->findChild<QTreeWidget*>(QStringLiteral("TreeView1"));
    emit tree->itemClicked(Node(tree, QStringLiteral("N1")), 0);
    QCOMPARE(h.openChildren().size(), 1);
  }

  // A row whose factory made a window of another name would open a new one at every click, and
  // the tree would open nothing.
  void everyAreaOpensOneWindowOfItsName() {
    Harness h(false, {}, 0x0409, [](AppState& app) { app.serviceFunctions = true; });
    auto* tree = h.window->findChild<QTreeWidget*>(QStringLiteral("TreeView1"));
    for (const EditorArea& area : EditorAreas()) {
      h.act("mnuCloseAll")->trigger();
      h.act(area.menuName)->trigger();
      h.act(area.menuName)->trigger();
      QCOMPARE(h.openChildren(), QStringList{QLatin1String(area.window)});
      if (area.treeKey) {
        h.act("mnuCloseAll")->trigger();
        emit tree->itemClicked(Node(tree, QLatin1String(area.treeKey)), 0);
        QCOMPARE(h.openChildren(), QStringList{QLatin1String(area.window)});
      }
    }
  }

  // The table names each area's differences by the place the comparison gives them; a section
  // renamed on one side only would leave the table pointing at nothing.
  void areasNameTheirDifferencesAsTheComparisonDoes() {
    Harness h;
    const RadioConfig a = h.ctx->doc().working();
    const std::pair<const char*, std::function<void(RadioConfig&)>> changes[] = {
        {"frmCommChInfo", [](RadioConfig& r) { r.CurGroup = (r.CurGroup + 1) % kGroupCount; }},
        {"FrmOptFeatures", [](RadioConfig& r) { r.OptFeat[3] ^= 1; }},
        {"FrmKeyAssignm", [](RadioConfig& r) { r.KeyAssign[0] += 1; }},
        {"FrmScanInfo", [](RadioConfig& r) { r.ScanInfo[0] ^= 1; }},
        {"FrmDTMF", [](RadioConfig& r) { r.Dtmf.DtmfSideTone ^= 1; }},
        {"FrmFleetSync", [](RadioConfig& r) { r.Fleet.PttIdSideTone ^= 1; }},
        {"FrmEmbMsg", [](RadioConfig& r) { r.EmbMsg1.assign("CHANGED"); }},
    };
    for (const EditorArea& area : EditorAreas()) {
      if (!area.diffSection) continue;
      const auto change = std::find_if(std::begin(changes), std::end(changes), [&](const auto& c) {
        return QLatin1String(c.first) == QLatin1String(area.window);
      });
      QVERIFY2(change != std::end(changes), area.window);
      for (int language : {kEnglish, kChinese}) {
        RadioConfig b = a;
        change->second(b);
        QStringList places;
        for (const FieldDifference& d : DiffShownFields(a, b, language))
          places << QString::fromStdString(d.place);
        QVERIFY2(places.contains(QString::fromUtf8(area.diffSection->in(language))),
                 qPrintable(area.window + (QLatin1String(": ") + places.join(u','))));
      }
    }
  }

  void paneCloseButtonClearsTreeViewCheck() {
    Harness h;
    h.window->show();
    auto* pane = h.window->findChild<QToolBar*>(QStringLiteral("Toolbar1"));
    h.window->findChild<QAction*>(QStringLiteral("删除"))->trigger();
    QVERIFY(!pane->parentWidget()->isVisible());
    QVERIFY(!h.act("mnuTreeView")->isChecked());
    h.act("mnuTreeView")->trigger();
    QVERIFY(pane->parentWidget()->isVisible());
  }

  void menuNewAsksToolbarNewDoesNot() {
    Harness h;
    h.modify();
    h.prompter.answers = {Answer::Cancel};
    h.act("mnuFileNew")->trigger();
    QCOMPARE(h.prompter.asked, QStringList{QStringLiteral("All data will be cleared.")});
    QVERIFY(h.ctx->doc().IsDocumentModified());

    h.prompter.answers = {Answer::Ok};
    h.act("mnuFileNew")->trigger();
    QVERIFY(h.ctx->doc().IsDocumentUnchanged());

    h.modify();
    h.prompter.asked.clear();
    h.act("新建")->trigger();
    QVERIFY(h.prompter.asked.isEmpty());
    QVERIFY(h.ctx->doc().IsDocumentUnchanged());
    QCOMPARE(h.openChildren(), QStringList{QStringLiteral("frmCommChInfo")});
  }

  void saveOfNeverSavedDocumentGoesToSaveAs() {
    Harness h;
    h.saveAnswer = QString();  // dialog cancelled: nothing changes
    QVERIFY(!h.window->fileSave());
    QCOMPARE(h.saveDialogs.size(), 1);
    QVERIFY(h.saveDialogs[0].endsWith(QStringLiteral("new.dat")));
    QVERIFY(h.ctx->doc().state().neverSaved);

    h.saveAnswer = h.path("radio");  // no extension typed: ".dat" is added
    h.act("mnuFileSave")->trigger();
    QVERIFY(h.prompter.asked.isEmpty());
    QCOMPARE(QFileInfo(h.path("radio.dat")).size(), 14531);
    QCOMPARE(h.window->windowTitle(),
             QStringLiteral("KR-4100[28.000000 - 29.700000 MHz][File Name:radio.dat]"));

    // Once saved, Save asks before overwriting, and New keeps the file as the target.
    h.act("新建")->trigger();
    h.modify();
    h.prompter.answers = {Answer::Cancel};
    h.act("mnuFileSave")->trigger();
    QCOMPARE(h.prompter.asked, QStringList{u'"' + h.path("radio.dat") + u'"' + kOverwriteEn});
    QVERIFY(h.ctx->doc().IsDocumentModified());
    h.prompter.answers = {Answer::Ok};
    h.act("mnuFileSave")->trigger();
    QVERIFY(h.ctx->doc().IsDocumentUnchanged());
    QCOMPARE(h.saveDialogs.size(), 2);
  }

  void openRefusalsLeaveTheDocument() {
    Harness h;
    QFile shortFile(h.path("short.dat"));
    QVERIFY(shortFile.open(QIODevice::WriteOnly));
    shortFile.write(QByteArray("V600") + QByteArray(14526, '\0'));
    shortFile.close();
    QFile otherVersion(h.path("v500.dat"));
    QVERIFY(otherVersion.open(QIODevice::WriteOnly));
    otherVersion.write(QByteArray("V500") + QByteArray(14527, '\0'));
    otherVersion.close();

    h.modify();
    // Modified: the save question first; Cancel stops before the dialog.
    h.openAnswer = h.path("short.dat");
    h.prompter.answers = {Answer::Cancel};
    h.act("mnuFileOpen")->trigger();
    QCOMPARE(h.prompter.asked, QStringList{kSaveQuestionEn});

    h.prompter.asked.clear();
    h.prompter.answers = {Answer::No};
    h.act("mnuFileOpen")->trigger();
    QCOMPARE(h.prompter.asked.size(), 2);
    QCOMPARE(h.prompter.asked[1],
             QStringLiteral("Fail to start the software. This version does not exist."));
    QVERIFY(h.ctx->doc().IsDocumentModified());
    QCOMPARE(h.ctx->doc().state().fileName, std::string("new.dat"));

    // Another version's file: Yes tries to start that version; none is installed here.
    bool started = false;
    h.window->startProgram = [&](const QString&) { return started = true; };
    h.prompter.asked.clear();
    h.prompter.answers = {Answer::No, Answer::Yes};
    h.openAnswer = h.path("v500.dat");
    h.act("mnuFileOpen")->trigger();
    QCOMPARE(h.prompter.asked.size(), 3);
    QVERIFY(h.prompter.asked[1].startsWith(QStringLiteral("incompatible version.")));
    QVERIFY(h.prompter.asked[1].contains(QStringLiteral("DataFile version is V5.00")));
    QCOMPARE(h.prompter.asked[2],
             QStringLiteral("Fail to start the software. This version does not exist."));
    QVERIFY(!started);
    QVERIFY(h.ctx->doc().IsDocumentModified());
  }

  void incompatibleFileStartsTheVersionThatReadsIt() {
    Harness h(false,
              "[Version]\r\nCurrentVersion=V600\r\nSoftVersionCount=1\r\nFirmVersionCount=2\r\n"
              "[Soft]\r\nVersion0=V600\r\n[Firm]\r\nFirm0=V600V600\r\nFirm1=V500V500\r\n");
    QFile file(h.path("v500.dat"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("V500") + QByteArray(14527, '\0'));
    file.close();

    QString started;
    h.window->startProgram = [&](const QString& program) {
      started = program;
      return false;  // as if that version were not installed after all
    };
    h.openAnswer = h.path("v500.dat");
    h.prompter.answers = {Answer::Yes};
    h.act("mnuFileOpen")->trigger();
    const QString exe = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    QCOMPARE(started, h.path("V500/") + exe);
    QCOMPARE(h.prompter.asked.size(), 2);
    QCOMPARE(h.prompter.asked[1],
             QStringLiteral("Fail to start the software. This version does not exist."));
    QCOMPARE(h.ctx->doc().state().fileName, std::string("new.dat"));
  }

  void openReadsAFileAndReopensTheChannelWindow() {
    Harness h;
    h.saveAnswer = h.path("kept.dat");
    QVERIFY(h.window->fileSaveAs());
    h.act("新建")->trigger();
    QPointer<QWidget> before = h.window->childWindow(QStringLiteral("frmCommChInfo"));
    h.openAnswer = h.path("kept.dat");
    h.act("mnuFileOpen")->trigger();
    QVERIFY(h.prompter.asked.isEmpty());
    QVERIFY(before.isNull());
    QCOMPARE(h.openChildren(), QStringList{QStringLiteral("frmCommChInfo")});
    QVERIFY(!h.ctx->doc().state().neverSaved);
    QVERIFY(h.window->windowTitle().endsWith(QStringLiteral("[File Name:kept.dat]")));
  }

  void closingAskedAndCancelKeepsTheDocument() {
    Harness h;
    h.window->show();
    h.modify();
    h.prompter.answers = {Answer::Cancel};
    QVERIFY(!h.window->close());
    QVERIFY(h.window->isVisible());
    QVERIFY(h.ctx->doc().IsDocumentModified());
    QCOMPARE(h.prompter.asked, QStringList{kSaveQuestionEn});

    // Yes on a never-saved document needs a file name; a cancelled dialog keeps the window.
    h.prompter.answers = {Answer::Yes};
    h.saveAnswer = QString();
    QVERIFY(!h.window->close());

    h.window->setGeometry(30, 40, 700, 500);
    h.prompter.answers = {Answer::No};
    QVERIFY(h.window->close());
    QSettings settings(QStringLiteral("KR_4100"), QStringLiteral("KR_4100"));
    QCOMPARE(settings.value(QStringLiteral("Settings/MainWidth")).toInt(), 700 * 15);
    QCOMPARE(settings.value(QStringLiteral("Settings/MainHeight")).toInt(), 500 * 15);
  }

  void menuCommandsOpenTheirDialogsModally() {
    Harness h(false, {}, 0x0804);
    h.window->show();
    QCOMPARE(h.act("mnuFileNew")->text(), QString::fromUtf8("新建(&N)"));
    QPointer<QWidget> grid = h.window->childWindow(QStringLiteral("frmCommChInfo"));

    // Language: English chosen and confirmed; the windows follow at once.
    {
      ModalAnswer answer([](QDialog* d) {
        Child<QComboBox>(d, "Combo1")->setCurrentIndex(0);
        Child<QPushButton>(d, "Command1")->click();
      });
      h.act("mnuLanguage")->trigger();
      QCOMPARE(answer.seen, QStringLiteral("FrmSetLanguage"));
    }
    QCOMPARE(h.act("mnuFileNew")->text(), QStringLiteral("&New"));
    QVERIFY(grid.isNull());
    grid = h.window->childWindow(QStringLiteral("frmCommChInfo"));
    QVERIFY(grid);

    // Port: the virtual radio chosen; the status bar names it.
    {
      ModalAnswer answer([](QDialog* d) {
        auto* ports = Child<QComboBox>(d, "Combo1");
        const int index = ports->findText(QStringLiteral("Virtual radio"));
        ports->setCurrentIndex(index);
        emit ports->activated(index);  // what a pick from the list sends
        Child<QPushButton>(d, "CommandOK")->click();
      });
      h.act("mnuComm")->trigger();
      QCOMPARE(answer.seen, QStringLiteral("FrmComSet"));
    }
    QCOMPARE(h.window->findChild<QLabel*>(QStringLiteral("Panels_3"))->text(),
             QStringLiteral("Virtual radio"));

    // Model, about and print selection: cancelled or closed, nothing changes.
    const RadioConfig before = h.ctx->doc().working();
    const std::pair<const char*, const char*> closers[] = {{"mnuModelInfo", "Command2"},
                                                           {"mnuHelpAbout", "CommandOK"},
                                                           {"mnuFilePrint", "CommandCancel"}};
    const char* const names[] = {"FrmModelInfo", "frmAbout", "FrmPrintSelect"};
    for (int i = 0; i < 3; ++i) {
      const char* button = closers[i].second;
      ModalAnswer answer([button](QDialog* d) { Child<QPushButton>(d, button)->click(); });
      h.act(closers[i].first)->trigger();
      QCOMPARE(answer.seen, QString::fromUtf8(names[i]));
    }
    QVERIFY(h.ctx->doc().working() == before);
    QCOMPARE(h.window->childWindow(QStringLiteral("frmCommChInfo")), grid.data());
    QVERIFY(h.prompter.asked.isEmpty());
  }

  void chosenModelAndBandHoldInTheWindowAndTheSavedFile() {
    Harness h;
    h.window->show();
    h.prompter.answers = {Answer::Ok};  // "Frequency data will be cleared."
    {
      ModalAnswer answer([](QDialog* d) {
        auto* model = Child<QComboBox>(d, "Combo1");
        model->setCurrentIndex(model->findText(QStringLiteral("HT63")));
        emit model->textActivated(model->currentText());
        Child<QPushButton>(d, "Command1")->click();
      });
      h.act("mnuModelInfo")->trigger();
      QCOMPARE(answer.seen, QStringLiteral("FrmModelInfo"));
    }
    QCOMPARE(h.prompter.asked, QStringList{QStringLiteral("Frequency data will be cleared.")});
    // The new document read the band's template, and still has the model and band chosen.
    QCOMPARE(h.ctx->doc().state().modelText, std::string("HT63"));
    QCOMPARE(h.window->windowTitle(),
             QStringLiteral("KR-4100[26.51500 - 27.85500 MHz][File Name:new.dat]"));
    QCOMPARE(h.window->findChild<QLabel*>(QStringLiteral("Panels_2"))->text(),
             QStringLiteral("KR-4100[26.51500 - 27.85500 MHz]"));
    QVERIFY(!h.ctx->doc().IsDocumentModified());

    h.saveAnswer = h.path("ht63.dat");
    QVERIFY(h.window->fileSaveAs());
    QFile file(h.saveAnswer);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(bytes.size(), qsizetype(layout::kDataFileSize));
    const RadioConfig saved = DecodeDataFile(std::span<const std::uint8_t, layout::kDataFileSize>(
        reinterpret_cast<const std::uint8_t*>(bytes.constData()), layout::kDataFileSize));
    QCOMPARE(saved.ModelInfo.ModelCode.text(), std::string("HT63"));
    QCOMPARE(saved.ModelInfo.ModelName.text(), std::string("HT63"));
    QCOMPARE(saved.ModelInfo.ModelType, Integer{248});
    QCOMPARE(saved.ModelInfo.BandType, Integer{0});

    // Opened again, the file brings back the model and its band.
    h.act("新建")->trigger();
    h.openAnswer = h.saveAnswer;
    h.act("mnuFileOpen")->trigger();
    QCOMPARE(h.ctx->doc().state().modelText, std::string("HT63"));
    QCOMPARE(h.ctx->doc().state().bandText, std::string("26.51500 - 27.85500 MHz"));
    QVERIFY(h.window->windowTitle().startsWith(QStringLiteral("KR-4100[26.51500 - 27.85500 MHz]")));
  }

  void minimisedWindowLeavesTheStoredGeometry() {
    {
      Harness h;
      h.window->show();
      h.window->setGeometry(50, 60, 800, 600);
      QVERIFY(h.window->close());
    }
    Harness h;
    h.window->show();
    QCOMPARE(h.window->size(), QSize(800, 600));
    h.window->setGeometry(10, 20, 500, 400);  // where a minimised window may report itself
    h.window->showMinimized();
    QVERIFY(h.window->isMinimized());
    QVERIFY(h.window->close());
    QSettings settings(QStringLiteral("KR_4100"), QStringLiteral("KR_4100"));
    QCOMPARE(settings.value(QStringLiteral("Settings/MainWidth")).toInt(), 800 * 15);
    QCOMPARE(settings.value(QStringLiteral("Settings/MainLeft")).toInt(), 50 * 15);
  }

  void languageSwitchRecaptionsAndReopensTheChannelWindow() {
    Harness h;
    QCOMPARE(h.act("mnuFileNew")->text(), QStringLiteral("&New"));
    QPointer<QWidget> before = h.window->childWindow(QStringLiteral("frmCommChInfo"));
    QVERIFY(before);

    h.ctx->settings().currentLanguage = kChinese;  // as the language dialog leaves it
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(h.window.get(), &activate);

    QCOMPARE(h.window->windowTitle(),
             QString::fromUtf8("KR-4100[28.000000 - 29.700000 MHz][文件名:new.dat]"));
    QCOMPARE(h.act("mnuFileNew")->text(), QString::fromUtf8("新建(&N)"));
    QCOMPARE(h.window->findChild<QMenu*>(QStringLiteral("mnuFile"))->title(),
             QString::fromUtf8("文件&F"));
    QCOMPARE(h.window->findChild<QLabel*>(QStringLiteral("Panels_3"))->text(),
             QString::fromUtf8("通信口1"));
    auto* tree = h.window->findChild<QTreeWidget*>(QStringLiteral("TreeView1"));
    QCOMPARE(Node(tree, QStringLiteral("N1"))->text(0), QString::fromUtf8("信道信息"));
    QVERIFY(before.isNull());
    QCOMPARE(h.openChildren(), QStringList{QStringLiteral("frmCommChInfo")});
    QCOMPARE(h.ctx->settings().captionLanguage, int(kChinese));

    // A maximised child does not add its title to the caption.
    h.window->show();
    h.window->mdiArea()->subWindowList().constFirst()->showMaximized();
    QCOMPARE(h.window->windowTitle(),
             QString::fromUtf8("KR-4100[28.000000 - 29.700000 MHz][文件名:new.dat]"));
  }

  void overwriteQuestionQuotesTheFileNameInBothLanguages() {
    Harness h;
    h.saveAnswer = h.path("radio.dat");
    QVERIFY(h.window->fileSaveAs());
    SwitchLanguage(h, kChinese);
    h.prompter.answers = {Answer::Cancel};
    QVERIFY(!h.window->fileSave());
    const QString quoted = u'"' + h.path("radio.dat") + u'"';
    QCOMPARE(h.prompter.asked, QStringList{quoted + QString::fromUtf8("文件将被覆盖，是否继续？")});
    SwitchLanguage(h, kEnglish);
  }

  void qtOwnTextsFollowTheLanguage() {
    Harness h;
    h.window->show();
    MessageBoxPrompter boxes(h.window.get());
    // A real message box: its buttons' texts, then the answer a user gives by Escape.
    auto buttonsOf = [&boxes](MsgButtons buttons) {
      QStringList texts;
      ModalAnswer answer([&texts](QDialog* d) {
        auto* box = qobject_cast<QMessageBox*>(d);
        if (!box) return;
        for (QMessageBox::StandardButton b : {QMessageBox::Ok, QMessageBox::Yes, QMessageBox::No,
                                              QMessageBox::Retry, QMessageBox::Cancel})
          if (QAbstractButton* button = box->button(b)) texts << button->text();
        (box->escapeButton() ? box->escapeButton() : box->buttons().constFirst())->click();
      });
      boxes.ask(QStringLiteral("?"), buttons, MsgIcon::Question);
      return texts;
    };
    auto openButtonOfFileDialog = [&h] {
      QFileDialog dialog(h.window.get(), QString(), QString(), QString());
      dialog.setOptions(FileDialogOptions(*h.ctx) | QFileDialog::DontUseNativeDialog);
      return dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open)->text();
    };
    QCOMPARE(buttonsOf(MsgButtons::OkCancel), (QStringList{"OK", "Cancel"}));
    QVERIFY(!FileDialogOptions(*h.ctx).testFlag(QFileDialog::DontUseNativeDialog));

    SwitchLanguage(h, kChinese);
    QCOMPARE(buttonsOf(MsgButtons::OkCancel), (QStringList{"确定", "取消"}));
    QCOMPARE(buttonsOf(MsgButtons::YesNoCancel), (QStringList{"是(&Y)", "否(&N)", "取消"}));
    QCOMPARE(buttonsOf(MsgButtons::RetryCancel), (QStringList{"重试", "取消"}));
    QCOMPARE(buttonsOf(MsgButtons::Ok), QStringList{"确定"});
    QCOMPARE(openButtonOfFileDialog(), QStringLiteral("打开(&O)"));
    // This system's own dialog would speak English: Qt's translated one stands in.
    QVERIFY(FileDialogOptions(*h.ctx).testFlag(QFileDialog::DontUseNativeDialog));

    SwitchLanguage(h, kEnglish);
    QCOMPARE(buttonsOf(MsgButtons::YesNo), (QStringList{"&Yes", "&No"}));
    QCOMPARE(openButtonOfFileDialog(), QStringLiteral("&Open"));

    // The write question's third button: named, Enter still OK and Escape Cancel, and chosen it
    // is its own answer.
    QString extraName;
    bool enterIsOk = false, escapeIsCancel = false;
    {
      ModalAnswer answer([&](QDialog* d) {
        auto* box = qobject_cast<QMessageBox*>(d);
        if (!box) return;
        auto* extra = box->findChild<QPushButton*>(QStringLiteral("CommandExtra"));
        extraName = extra ? extra->accessibleName() : QString();
        enterIsOk = box->defaultButton() == box->button(QMessageBox::Ok);
        escapeIsCancel = box->escapeButton() == box->button(QMessageBox::Cancel);
        if (extra) extra->click();
      });
      QCOMPARE(boxes.ask(QStringLiteral("?"), MsgButtons::OkExtraCancel, MsgIcon::Question, {},
                         QStringLiteral("Read first")),
               Answer::Extra);
    }
    QCOMPARE(extraName, QStringLiteral("Read first"));
    QVERIFY(enterIsOk && escapeIsCancel);
  }

  void toolbarButtonsAreNamedAfterTheirCommands() {
    Harness h(true);
    h.window->show();
    const char* const keys[] = {"新建",    "打开",       "保存",        "打印", "ReadRadio",
                                "CommSet", "WriteRadio", "MWriteRadio", "About"};
    const QStringList english{"New",
                              "Open",
                              "Save",
                              "Print",
                              "Read from Radio",
                              "Communication Port",
                              "Write to Radio",
                              "Write to Group of Radios",
                              "About KR_4100"};
    const QStringList chinese{"新建",
                              "打开",
                              "保存",
                              "打印",
                              "从对讲机读取数据",
                              "通讯端口",
                              "向对讲机写入数据",
                              "成批向对讲机写入数据",
                              "关于 KR_4100"};
    auto* bar = h.window->findChild<QToolBar*>(QStringLiteral("tbToolBar"));
    auto* pane = h.window->findChild<QToolBar*>(QStringLiteral("Toolbar1"));
    auto check = [&](const QStringList& names, const QString& paneClose) {
      auto named = [](QToolBar* owner, QAction* action, const QString& name) {
        QWidget* button = owner->widgetForAction(action);
        QVERIFY(button);
        QCOMPARE(button->accessibleName(), name);
        QCOMPARE(QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name), name);
        QCOMPARE(action->toolTip(), name);
      };
      for (int i = 0; i < names.size(); ++i) named(bar, h.act(keys[i]), names[i]);
      named(pane, h.act("删除"), paneClose);
    };
    check(english, QStringLiteral("Tree View"));
    SwitchLanguage(h, kChinese);
    check(chinese, QString::fromUtf8("树视图"));
    SwitchLanguage(h, kEnglish);
    check(english, QStringLiteral("Tree View"));
  }

  void menusAreNamedAfterTheirTitlesInBothLanguages() {
    Harness h;
    auto check = [&](const QStringList& expected) {
      QStringList names;
      for (QAction* entry : h.window->menuBar()->actions()) {
        QMenu* menu = entry->menu();
        QVERIFY(menu);
        QVERIFY2(!menu->accessibleName().isEmpty(), qPrintable(menu->objectName()));
        QCOMPARE(QAccessible::queryAccessibleInterface(menu)->text(QAccessible::Name),
                 menu->accessibleName());
        names << menu->accessibleName();
      }
      QCOMPARE(names.mid(0, expected.size()), expected);
      auto* channels = h.window->findChild<QMenu*>(QStringLiteral("mnuEditChannels"));
      QVERIFY(channels);
      QCOMPARE(channels->accessibleName(), WithoutAccelerator(channels->title()));
      QVERIFY(!channels->accessibleName().isEmpty());
    };
    const QStringList english{"File", "Model", "Edit"};
    check(english);
    SwitchLanguage(h, kChinese);
    check({QString::fromUtf8("文件F"), QString::fromUtf8("机型"), QString::fromUtf8("编辑(E)")});
    SwitchLanguage(h, kEnglish);
    check(english);
  }

  void fileGivenAtStartOpensAsOpenWould() {
    QTemporaryDir files;
    const QString good = files.filePath(QStringLiteral("good.dat"));
    Integer written = 0;
    {
      Harness writer;
      writer.modify();
      written = writer.ctx->doc().working().OptFeat[3];
      writer.saveAnswer = good;
      QVERIFY(writer.window->fileSaveAs());
    }
    Harness h(false, {}, 0x0409, StartWith(good));
    QVERIFY(h.prompter.asked.isEmpty());
    QCOMPARE(h.window->windowTitle(),
             QStringLiteral("KR-4100[28.000000 - 29.700000 MHz][File Name:good.dat]"));
    QCOMPARE(h.ctx->doc().working().OptFeat[3], written);
    QVERIFY(h.ctx->doc().IsDocumentUnchanged());
    QVERIFY(!h.ctx->doc().state().neverSaved);
    QCOMPARE(h.openChildren(), QStringList{QStringLiteral("frmCommChInfo")});

    // Refused as Open refuses them, with Open's message; a new document takes their place.
    QByteArray zip("PK\x03\x04", 4);
    zip.append(QByteArray(14531 - 4, 'z'));
    const std::pair<const char*, QByteArray> refused[] = {
        {"short.dat", QByteArray("V600") + QByteArray(14526, '\0')},
        {"long.dat", QByteArray("V600") + QByteArray(14528, '\0')},
        {"zip.dat", zip},
    };
    const QString messages[] = {kNoSuchVersion, kNoSuchVersion,
                                QStringLiteral("Unknown version Of DataFile!")};
    for (int i = 0; i < 3; ++i) {
      const QString path = files.filePath(QString::fromLatin1(refused[i].first));
      WriteFile(path, refused[i].second);
      Harness r(false, {}, 0x0409, StartWith(path));
      QCOMPARE(r.prompter.asked, QStringList{messages[i]});
      QCOMPARE(r.window->windowTitle(), kNewDocumentCaption);
      QVERIFY(r.ctx->doc().state().neverSaved);
      QVERIFY(r.ctx->doc().IsDocumentUnchanged());
      QCOMPARE(r.openChildren(), QStringList{QStringLiteral("frmCommChInfo")});
    }

    // Another version's file: Open's question; No keeps the new document.
    const QString v500 = files.filePath(QStringLiteral("v500.dat"));
    WriteFile(v500, QByteArray("V500") + QByteArray(14527, '\0'));
    Harness other(false, {}, 0x0409, [&v500](AppState& app) { app.startFile = ToPath(v500); });
    QCOMPARE(other.prompter.asked.size(), 1);
    QVERIFY(other.prompter.asked[0].startsWith(QStringLiteral("incompatible version.")));
    QVERIFY(other.prompter.asked[0].contains(QStringLiteral("DataFile version is V5.00")));
    QCOMPARE(other.window->windowTitle(), kNewDocumentCaption);
  }

  void portChosenInTheDialogWinsOverTheCommandLine() {
    Harness h(false, {}, 0x0409,
              [](AppState& app) { app.portOverride = "/dev/kr4100-no-such-port"; });
    h.window->show();
    auto* panel = h.window->findChild<QLabel*>(QStringLiteral("Panels_3"));
    QCOMPARE(panel->text(), QStringLiteral("/dev/kr4100-no-such-port"));

    ChoosePort(h, QStringLiteral("Virtual radio"));
    QCOMPARE(panel->text(), QStringLiteral("Virtual radio"));
    // The sessions go to the chosen port: the read reaches the virtual radio.
    h.window->sessions().setVirtualRadioSpeed(0);
    h.prompter.answers = {Answer::Ok};
    h.act("mnuReadFromRadio")->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(h.prompter.asked.size() == 2, 8000);
    QCOMPARE(h.prompter.asked[1], QStringLiteral("Read Data Completed."));
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
