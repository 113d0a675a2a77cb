// SPDX-License-Identifier: GPL-3.0-or-later
// The FleetSync window, driven through its lists and grid offscreen, alone and from the main
// window started with the service functions.
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "app/frm_main.h"
#include "editors/frm_fleet_sync.h"
#include "support/test_installation.h"

using namespace kr4100;

namespace {

struct Fixture : kr4100::testing::TestInstallation {
  std::unique_ptr<FrmFleetSync> window;

  explicit Fixture(int language = kEnglish) {
    ctx->settings().currentLanguage = language;
    window = std::make_unique<FrmFleetSync>(*ctx);
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowExposed(window.get())) qWarning("FleetSync window not exposed");
  }
  QComboBox* combo(int k) {
    return window->findChild<QComboBox*>(QStringLiteral("Combo1_%1").arg(k));
  }
  QTableWidget* grid() { return window->findChild<QTableWidget*>(QStringLiteral("MSFlexGrid1")); }
  QLineEdit* box() { return grid()->findChild<QLineEdit*>(QStringLiteral("Text1")); }
  QString cell(int row, int col) { return grid()->item(row - 1, col)->text(); }
  const FleetSyncSettings& fleet() { return ctx->doc().working().Fleet; }
  const RadioConfig& rec() { return ctx->doc().working(); }

  void showList() { window->findChild<QTabWidget*>(QStringLiteral("SSTab1"))->setCurrentIndex(1); }
  // Opens cell (row 1..8, col) as entering it does, then types as a user would.
  void type(int row, int col, const QString& keys) {
    showList();
    grid()->setCurrentCell(row - 1, col);
    QTest::keyClicks(box(), keys);
  }
  // Leaves the open cell for the row number column, which commits it and opens nothing.
  void leave() { grid()->setCurrentCell(7, 0); }
  // A key picked in a closed list, as the arrow keys pick.
  void pick(int k, Qt::Key key) {
    combo(k)->setFocus();
    QTest::keyClick(combo(k), key);
  }
};

}  // namespace

class FleetSyncTest : public QObject {
  Q_OBJECT
  QTemporaryDir config_;

 private slots:
  void initTestCase() { qputenv("XDG_CONFIG_HOME", config_.path().toUtf8()); }

  void captionsListsAndNamesInBothLanguages() {
    {
      Fixture f;
      QCOMPARE(f.window->windowTitle(), QStringLiteral("FleetSync"));
      QCOMPARE(f.window->findChild<QTabWidget*>(QStringLiteral("SSTab1"))->tabText(1),
               QStringLiteral("Fleet List"));
      QCOMPARE(f.combo(3)->accessibleName(), QStringLiteral("Data TX Modulation Delay Time[ms]"));
      QCOMPARE(f.window->findChild<QLabel*>(QStringLiteral("Label1_3"))->buddy(), f.combo(3));
      // A new document: no own fleet, 1200 bps, 400 ms, 10 s, side tone on.
      QCOMPARE(f.combo(0)->count(), 251);
      QCOMPARE(f.combo(0)->currentText(), QStringLiteral(" "));
      QCOMPARE(f.combo(1)->currentText(), QStringLiteral(" "));
      QCOMPARE(f.combo(3)->currentText(), QStringLiteral("400"));
      QCOMPARE(f.combo(4)->itemText(0), QStringLiteral("Off"));
      QCOMPARE(f.combo(4)->currentText(), QStringLiteral("10"));
      auto* check = f.window->findChild<QCheckBox*>(QStringLiteral("Check1"));
      QCOMPARE(check->text(), QStringLiteral("PTT ID Side Tone"));
      QVERIFY(check->isChecked());
      // Row numbers and an ID heading tell the rows and the columns apart.
      QCOMPARE(f.grid()->rowCount(), 8);
      QCOMPARE(f.grid()->horizontalHeaderItem(0)->text(), QStringLiteral("No."));
      QCOMPARE(f.grid()->horizontalHeaderItem(2)->text(), QStringLiteral("ID"));
      QCOMPARE(f.cell(8, 0), QStringLiteral("8"));
      QVERIFY(!f.grid()->accessibleName().isEmpty());
      QVERIFY(!f.box()->accessibleName().isEmpty());
      QCOMPARE(f.box()->maxLength(), 4);
      QVERIFY(!f.ctx->doc().IsDocumentModified());
    }
    Fixture f(kChinese);
    QCOMPARE(f.window->windowTitle(), QString::fromUtf8("FleetSync(队列同步)"));
    QCOMPARE(f.window->findChild<QLabel*>(QStringLiteral("Label1_0"))->text(),
             QString::fromUtf8("队列（自身）"));
    QCOMPARE(f.combo(4)->itemText(0), QString::fromUtf8("关"));
    QCOMPARE(f.grid()->horizontalHeaderItem(2)->text(), QStringLiteral("ID"));
    f.type(1, 1, QStringLiteral("a"));
    f.leave();
    QCOMPARE(f.cell(1, 1), QString::fromUtf8("所有"));
    QCOMPARE(f.cell(1, 2), QString::fromUtf8("所有"));
  }

  void ownFleetAndIdKeepTheBlankRules() {
    Fixture f;
    // Fleet 100: the blanks go from both lists and the ID becomes 1000.
    f.pick(0, Qt::Key_Down);
    QCOMPARE(f.combo(0)->currentText(), QStringLiteral("100"));
    QCOMPARE(f.combo(0)->count(), 250);
    QCOMPARE(f.combo(1)->currentText(), QStringLiteral("1000"));
    QCOMPARE(f.combo(1)->count(), 4000);
    QCOMPARE(f.fleet().OwnFleet, 1);
    QCOMPARE(f.fleet().OwnId, 1);
    f.pick(1, Qt::Key_End);
    QCOMPARE(f.fleet().OwnId, 4000);
    f.pick(0, Qt::Key_Down);
    QCOMPARE(f.fleet().OwnFleet, 2);
    QCOMPARE(f.fleet().OwnId, 4000);
    // Delete chooses "none" again: both lists show the blank, the record 255 and 0.
    f.pick(0, Qt::Key_Delete);
    QCOMPARE(f.combo(0)->currentText(), QStringLiteral(" "));
    QCOMPARE(f.combo(1)->currentText(), QStringLiteral(" "));
    QCOMPARE(f.fleet().OwnFleet, 255);
    QCOMPARE(f.fleet().OwnId, 0);
    // Back where a new document started: nothing to save.
    QVERIFY(!f.ctx->doc().IsDocumentModified());
    // An ID first takes fleet 100 with it.
    f.pick(1, Qt::Key_Down);
    QCOMPARE(f.combo(0)->currentText(), QStringLiteral("100"));
    QCOMPARE(f.combo(1)->currentText(), QStringLiteral("1000"));
    QCOMPARE(f.fleet().OwnFleet, 1);
    QCOMPARE(f.fleet().OwnId, 1);
  }

  void plainListsAndCheckBoxStoreTheirValue() {
    Fixture f;
    f.pick(2, Qt::Key_Down);
    f.pick(3, Qt::Key_End);
    f.pick(4, Qt::Key_Home);
    QCOMPARE(f.fleet().BaudRate, 1);
    QCOMPARE(f.fleet().DataTxModDelay, 6000);
    QCOMPARE(f.fleet().MsgModeTimer, 0);
    auto* check = f.window->findChild<QCheckBox*>(QStringLiteral("Check1"));
    check->click();
    QCOMPARE(f.fleet().PttIdSideTone, 0);
  }

  void cellsClampAndFillTheirPartner() {
    Fixture f;
    f.type(1, 1, QStringLiteral("50"));
    f.leave();
    QCOMPARE(f.cell(1, 1), QStringLiteral("100"));
    QCOMPARE(f.cell(1, 2), QStringLiteral("All"));
    f.type(2, 2, QStringLiteral("6000"));
    f.leave();
    QCOMPARE(f.cell(2, 2), QStringLiteral("4999"));
    QCOMPARE(f.cell(2, 1), QStringLiteral("All"));
    // "a" becomes "A" in the box and "All" in both cells of the row.
    f.type(3, 1, QStringLiteral("a"));
    QCOMPARE(f.box()->text(), QStringLiteral("A"));
    f.leave();
    QCOMPARE(f.cell(3, 1), QStringLiteral("All"));
    QCOMPARE(f.cell(3, 2), QStringLiteral("All"));
    // A new row, its first commit: fleet 150 is stored 51 with ID "All".
    f.type(6, 1, QStringLiteral("150"));
    f.leave();
    const RadioConfig& r = f.rec();
    QCOMPARE(r.FleetListCount, 4);
    QCOMPARE(r.FleetList[0], (FleetListEntry{1, 1, 0}));
    QCOMPARE(r.FleetList[1], (FleetListEntry{2, 0, 4000}));
    QCOMPARE(r.FleetList[2], (FleetListEntry{3, 0, 0}));
    QCOMPARE(r.FleetList[3], (FleetListEntry{6, 51, 0}));
  }

  void theBoxTakesOnlyWhatFitsTheColumn() {
    Fixture f;
    f.type(1, 1, QStringLiteral("1234"));
    QCOMPARE(f.box()->text(), QStringLiteral("123"));
    QTest::keyClick(f.box(), Qt::Key_Backspace);
    QTest::keyClicks(f.box(), QStringLiteral("9a"));
    QCOMPARE(f.box()->text(), QStringLiteral("129"));
    // With one digit selected, a digit replaces it.
    f.box()->setSelection(2, 1);
    QTest::keyClicks(f.box(), QStringLiteral("5"));
    QCOMPARE(f.box()->text(), QStringLiteral("125"));
    // Row 1's ID became "All"; opened, it is selected whole, so typing replaces it.
    f.showList();
    f.grid()->setCurrentCell(0, 2);
    QCOMPARE(f.box()->selectedText(), QStringLiteral("All"));
    f.box()->end(false);
    QTest::keyClicks(f.box(), QStringLiteral("1a"));
    QCOMPARE(f.box()->text(), QStringLiteral("All"));  // not selected: "All" stays
    f.box()->setSelection(0, 2);
    QTest::keyClicks(f.box(), QStringLiteral("1"));
    QCOMPARE(f.box()->text(), QStringLiteral("All"));  // partly selected: still stays
    f.box()->selectAll();
    QTest::keyClicks(f.box(), QStringLiteral("12345"));
    QCOMPARE(f.box()->text(), QStringLiteral("1234"));
    // Paste never gets in.
    f.box()->clear();
    QApplication::clipboard()->setText(QStringLiteral("200"));
    QTest::keyClick(f.box(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f.box()->text(), QString());
  }

  void reopeningACellSelectsItAndEnterMovesOn() {
    Fixture f;
    f.type(4, 2, QStringLiteral("2345"));
    f.leave();
    f.showList();
    f.grid()->setCurrentCell(3, 2);
    QTRY_COMPARE(f.box()->selectedText(), QStringLiteral("2345"));
    QTest::keyClicks(f.box(), QStringLiteral("3"));
    QCOMPARE(f.box()->text(), QStringLiteral("3"));
    QTest::keyClick(f.box(), Qt::Key_Return);
    QVERIFY(!f.box()->hasFocus());
    QCOMPARE(f.cell(4, 2), QStringLiteral("1000"));
    QCOMPARE(f.rec().FleetList[0], (FleetListEntry{4, 0, 1}));
  }

  void emptyingACellDeletesTheWholeEntry() {
    Fixture f;
    f.type(2, 1, QStringLiteral("120"));
    f.type(5, 1, QStringLiteral("130"));
    f.type(7, 2, QStringLiteral("1500"));
    f.leave();
    QCOMPARE(f.rec().FleetListCount, 3);
    f.showList();
    f.grid()->setCurrentCell(4, 2);  // row 5's ID, "All"
    f.box()->clear();
    f.leave();
    QCOMPARE(f.rec().FleetListCount, 2);
    QCOMPARE(f.rec().FleetList[0], (FleetListEntry{2, 21, 0}));
    QCOMPARE(f.rec().FleetList[1], (FleetListEntry{7, 0, 501}));
    // The fleet cell keeps its text until the data are shown again.
    QCOMPARE(f.cell(5, 1), QStringLiteral("130"));
    f.window->ReShowData();
    QCOMPARE(f.cell(5, 1), QString());
    QCOMPARE(f.cell(7, 2), QStringLiteral("1500"));
  }

  void changesReachTheSavedFileFromTheServiceMenu() {
    kr4100::testing::TestInstallation h(0x0409, {},
                                        [](AppState& app) { app.serviceFunctions = true; });
    const QString path = h.root.filePath(QStringLiteral("fleet.dat"));
    auto main = std::make_unique<frmMain>(*h.ctx);
    main->chooseSaveFile = [&](const QString&, const QString&) { return path; };
    main->chooseOpenFile = [&](const QString&) { return path; };
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main.get()));
    QAction* command = main->findChild<QAction*>(QStringLiteral("mnuFleetSync"));
    QVERIFY(command->isVisible() && command->isEnabled());
    command->trigger();
    QPointer<QWidget> window = main->childWindow(QStringLiteral("FrmFleetSync"));
    QVERIFY(window);
    auto* ownFleet = window->findChild<QComboBox*>(QStringLiteral("Combo1_0"));
    ownFleet->setFocus();
    QTest::keyClick(ownFleet, Qt::Key_End);
    window->findChild<QTabWidget*>(QStringLiteral("SSTab1"))->setCurrentIndex(1);
    auto* grid = window->findChild<QTableWidget*>(QStringLiteral("MSFlexGrid1"));
    grid->setCurrentCell(7, 1);
    QTest::keyClicks(grid->findChild<QLineEdit*>(QStringLiteral("Text1")), QStringLiteral("349"));
    // Saving commits the open cell.
    QVERIFY(main->fileSaveAs());
    QCOMPARE(h.ctx->doc().working().FleetListCount, 1);

    main->fileNew(Asking::WithoutAsking);
    QVERIFY(!window);
    main->findChild<QAction*>(QStringLiteral("mnuFileOpen"))->trigger();
    command->trigger();
    window = main->childWindow(QStringLiteral("FrmFleetSync"));
    QVERIFY(window);
    QCOMPARE(window->findChild<QComboBox*>(QStringLiteral("Combo1_0"))->currentText(),
             QStringLiteral("349"));
    QCOMPARE(window->findChild<QComboBox*>(QStringLiteral("Combo1_1"))->currentText(),
             QStringLiteral("1000"));
    grid = window->findChild<QTableWidget*>(QStringLiteral("MSFlexGrid1"));
    QCOMPARE(grid->item(7, 1)->text(), QStringLiteral("349"));
    QCOMPARE(grid->item(7, 2)->text(), QStringLiteral("All"));
    QCOMPARE(h.ctx->doc().working().FleetList[0], (FleetListEntry{8, 250, 0}));
    QVERIFY(!h.ctx->doc().IsDocumentModified());
    // Closing stores the open cell.
    grid->setCurrentCell(0, 2);
    QTest::keyClicks(grid->findChild<QLineEdit*>(QStringLiteral("Text1")), QStringLiteral("1234"));
    window->findChild<QPushButton*>(QStringLiteral("CommandClose"))->click();
    QTRY_VERIFY(!main->childWindow(QStringLiteral("FrmFleetSync")));
    QCOMPARE(h.ctx->doc().working().FleetList[1], (FleetListEntry{1, 0, 235}));
  }
};

QTEST_MAIN(FleetSyncTest)
#include "fleet_sync_test.moc"
