// SPDX-License-Identifier: GPL-3.0-or-later
// The test frequency window, driven through its grid and in-place box offscreen, alone and from
// the main window started with the service functions.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "app/frm_main.h"
#include "editors/frm_test_fre.h"
#include "support/test_installation.h"

using namespace kr4100;

namespace {

const QString kOutOfRange = QStringLiteral("Frequency is out of range.");

struct Fixture : kr4100::testing::TestInstallation {
  std::unique_ptr<FrmTestFre> window;
  QTableWidget* grid = nullptr;

  explicit Fixture(int language = kEnglish) {
    ctx->settings().currentLanguage = language;
    window = std::make_unique<FrmTestFre>(*ctx);
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowExposed(window.get())) qWarning("test frequency window not exposed");
    grid = window->findChild<QTableWidget*>(QStringLiteral("MSFlexGrid1"));
  }
  QLineEdit* box() { return window->findChild<QLineEdit*>(QStringLiteral("Text1")); }
  QString shown(int row, int col) { return grid->item(row - 1, col)->text(); }
  QString heading(int col) { return grid->horizontalHeaderItem(col)->text(); }
  // Opens a cell as a click on it does.
  void open(int row, int col) {
    const QRect rect = grid->visualRect(grid->model()->index(row - 1, col));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, rect.center());
  }
  // Replaces what the open cell holds, as a user selecting it all and typing does.
  void type(const QString& text) {
    box()->selectAll();
    QTest::keyClick(box(), Qt::Key_Delete);
    QTest::keyClicks(box(), text);
  }
  void enter() { QTest::keyClick(box(), Qt::Key_Return); }
  QPoint at() const { return {grid->currentRow() + 1, grid->currentColumn()}; }
  const RadioConfig& rec() { return ctx->doc().working(); }
};

}  // namespace

class TestFreTest : public QObject {
  Q_OBJECT
  QTemporaryDir config_;

 private slots:
  void initTestCase() { qputenv("XDG_CONFIG_HOME", config_.path().toUtf8()); }

  void newDocumentInBothLanguages() {
    {
      Fixture f;
      QCOMPARE(f.window->windowTitle(), QStringLiteral("Test Frequency"));
      QCOMPARE(f.heading(0), QStringLiteral("Chennal"));
      QCOMPARE(f.heading(1), QStringLiteral("RX[MHz]"));
      QCOMPARE(f.heading(2), QStringLiteral("TX[MHz]"));
      QCOMPARE(f.grid->accessibleName(), QStringLiteral("Test Frequency"));
      QCOMPARE(f.window->findChild<QPushButton*>("CommandHelp")->text(), QStringLiteral("&Help"));
      QCOMPARE(f.grid->rowCount(), 16);
      QCOMPARE(f.shown(16, 0), QStringLiteral("16"));
      // The six defaults of a new document, inside the band and in order; the rest is empty.
      const char* const defaults[6] = {"28.000000", "28.113330", "28.226670",
                                       "28.340000", "28.453330", "28.566670"};
      for (int row = 1; row <= 6; ++row) {
        QCOMPARE(f.shown(row, 1), QString::fromLatin1(defaults[row - 1]));
        QCOMPARE(f.shown(row, 2), QString::fromLatin1(defaults[row - 1]));
      }
      for (int row = 7; row <= 16; ++row)
        QVERIFY(f.shown(row, 1).isEmpty() && f.shown(row, 2).isEmpty());
      // Every row is in view: no scrolling hides a test frequency.
      QVERIFY(f.grid->viewport()->rect().contains(f.grid->visualItemRect(f.grid->item(15, 2))));
      // Nothing is being edited until a cell is entered.
      QVERIFY(!f.box()->isVisible());
      QVERIFY(f.prompter.asked.isEmpty());
    }
    Fixture f(kChinese);
    QCOMPARE(f.window->windowTitle(), QString::fromUtf8("测试频率"));
    QCOMPARE(f.heading(0), QString::fromUtf8("信道"));
    QCOMPARE(f.heading(1), QString::fromUtf8("接收[MHz]"));
    QCOMPARE(f.heading(2), QString::fromUtf8("发射[MHz]"));
    f.open(2, 2);
    QCOMPARE(f.box()->accessibleName(), QString::fromUtf8("发射[MHz] 信道 2"));
  }

  void typedReceiveAloneServesBothAndEnterMovesOn() {
    Fixture f;
    f.open(9, 1);
    QVERIFY(f.box()->isVisible());
    f.type(QStringLiteral("28.5"));
    f.enter();
    // Stored as entry 7 for row 9; the box moved to the TX cell, which took the RX value.
    QCOMPARE(f.at(), QPoint(9, 2));
    QCOMPARE(f.shown(9, 2), QStringLiteral("28.500000"));
    QCOMPARE(f.box()->text(), QStringLiteral("28.500000"));
    QCOMPARE(f.box()->selectedText(), f.box()->text());
    QCOMPARE(f.rec().TestFreCount, 7);
    QCOMPARE(f.rec().TestFre[6].No, 9);
    QCOMPARE(std::string(f.rec().TestFre[6].TxFre.raw()), std::string("28500000"));
    QCOMPARE(f.rec().TestFre[6].RxMark, 2);
    // From TX the next row's RX; an empty RX goes straight down.
    f.enter();
    QCOMPARE(f.at(), QPoint(10, 1));
    f.enter();
    QCOMPARE(f.at(), QPoint(11, 1));
    QCOMPARE(f.rec().TestFreCount, 7);  // visiting empty rows creates nothing
    // After the last row the first follows, from either column.
    f.open(16, 2);
    f.enter();
    QCOMPARE(f.at(), QPoint(1, 1));
    f.open(16, 1);
    f.enter();
    QCOMPARE(f.at(), QPoint(1, 1));
    QVERIFY(f.prompter.asked.isEmpty());
  }

  void emptyingEitherCellDeletesTheRowsEntry() {
    Fixture f;
    f.open(3, 2);
    f.type(QString());
    f.open(5, 1);  // leaving the cell stores it
    QVERIFY(f.shown(3, 1).isEmpty() && f.shown(3, 2).isEmpty());
    QCOMPARE(f.rec().TestFreCount, 5);
    QCOMPARE(f.rec().TestFre[2].No, 4);
    // Row 5's RX emptied by Enter: the row blanks, the box goes down to row 6.
    f.type(QString());
    f.enter();
    QVERIFY(f.shown(5, 2).isEmpty());
    QCOMPARE(f.at(), QPoint(6, 1));
    QCOMPARE(f.rec().TestFreCount, 4);
    // Rows come back as new entries at the end, in the order they are typed.
    f.open(2, 1);
    f.type(QString());
    f.enter();
    f.open(14, 2);
    f.type(QStringLiteral("29.1"));
    f.open(2, 2);
    f.type(QStringLiteral("28.2"));
    f.window->commitPendingEdit();
    QList<int> rows;
    for (int i = 0; i < f.rec().TestFreCount; ++i) rows << f.rec().TestFre[i].No;
    QCOMPARE(rows, (QList<int>{1, 4, 6, 14, 2}));
    QCOMPARE(f.shown(14, 1), QStringLiteral("29.100000"));
    QCOMPARE(f.shown(2, 1), QStringLiteral("28.200000"));
  }

  void outOfRangeKeepsTheRowAndTheKeysAreFrequencyKeys() {
    Fixture f;
    f.open(1, 1);
    f.type(QStringLiteral("29.8"));
    f.enter();
    QCOMPARE(f.prompter.asked, QStringList{kOutOfRange});
    QCOMPARE(f.shown(1, 1), QStringLiteral("28.000000"));
    QCOMPARE(f.shown(1, 2), QStringLiteral("28.000000"));
    // The box went on to the TX cell; out of range there it is pulled to the band edge.
    QCOMPARE(f.at(), QPoint(1, 2));
    f.type(QStringLiteral("31"));
    f.enter();
    QCOMPARE(f.prompter.asked.size(), 2);
    QCOMPARE(f.shown(1, 2), QStringLiteral("29.700000"));
    QCOMPARE(f.shown(1, 1), QStringLiteral("28.000000"));
    QCOMPARE(f.rec().TestFre[0].TxMark, 2);
    QCOMPARE(f.rec().TestFre[0].RxMark, 15);
    // A refused frequency in an empty row leaves it empty.
    f.open(12, 1);
    f.type(QStringLiteral("5"));
    f.enter();
    QVERIFY(f.shown(12, 2).isEmpty());
    QCOMPARE(f.rec().TestFreCount, 6);

    // Only digits and "."; no paste by key or menu.
    f.open(8, 1);
    f.type(QStringLiteral("2a8 ,.5x-1"));
    QCOMPARE(f.box()->text(), QStringLiteral("28.51"));
    QApplication::clipboard()->setText(QStringLiteral("29"));
    QTest::keyClick(f.box(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f.box()->text(), QStringLiteral("28.51"));
    QCOMPARE(f.box()->contextMenuPolicy(), Qt::PreventContextMenu);
    // The main window's question before a save stores the open cell.
    f.window->commitPendingEdit();
    QCOMPARE(f.shown(8, 2), QStringLiteral("28.510000"));
  }

  void revisitingChangesNothing() {
    Fixture f;
    for (int row = 1; row <= 8; ++row) {
      f.open(row, 1);
      f.open(row, 2);
    }
    f.window->close();
    QVERIFY(!f.ctx->doc().IsDocumentModified());
    QVERIFY(f.prompter.asked.isEmpty());
  }

  void opensFromTheServiceMenuAndSurvivesSaveAndReopen() {
    kr4100::testing::TestInstallation h(0x0409, {},
                                        [](AppState& app) { app.serviceFunctions = true; });
    const QString path = h.root.filePath(QStringLiteral("testfre.dat"));
    auto main = std::make_unique<frmMain>(*h.ctx);
    main->chooseSaveFile = [&](const QString&, const QString&) { return path; };
    main->chooseOpenFile = [&](const QString&) { return path; };
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main.get()));
    QAction* command = main->findChild<QAction*>(QStringLiteral("mnuTestFre"));
    QVERIFY(command->isVisible() && command->isEnabled());
    command->trigger();
    QPointer<QWidget> window = main->childWindow(QStringLiteral("FrmTestFre"));
    QVERIFY(window);
    auto* grid = window->findChild<QTableWidget*>(QStringLiteral("MSFlexGrid1"));
    auto* box = window->findChild<QLineEdit*>(QStringLiteral("Text1"));
    grid->setCurrentCell(9, 1);
    QTest::keyClicks(box, QStringLiteral("29.5"));
    // Saved without leaving the cell: the save stores it first.
    QVERIFY(main->fileSaveAs());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("29500000"));

    main->fileNew(Asking::WithoutAsking);
    QVERIFY(!window);
    command->trigger();
    window = main->childWindow(QStringLiteral("FrmTestFre"));
    grid = window->findChild<QTableWidget*>(QStringLiteral("MSFlexGrid1"));
    QVERIFY(grid->item(9, 1)->text().isEmpty());
    main->findChild<QAction*>(QStringLiteral("mnuFileOpen"))->trigger();
    command->trigger();
    window = main->childWindow(QStringLiteral("FrmTestFre"));
    grid = window->findChild<QTableWidget*>(QStringLiteral("MSFlexGrid1"));
    QCOMPARE(grid->item(9, 1)->text(), QStringLiteral("29.500000"));
    QCOMPARE(grid->item(9, 2)->text(), QStringLiteral("29.500000"));
    QCOMPARE(grid->item(0, 1)->text(), QStringLiteral("28.000000"));
    window->findChild<QPushButton*>(QStringLiteral("CommandClose"))->click();
    QTRY_VERIFY(!main->childWindow(QStringLiteral("FrmTestFre")));
    QVERIFY(!h.ctx->doc().IsDocumentModified());
  }
};

QTEST_MAIN(TestFreTest)
#include "test_fre_test.moc"
