// SPDX-License-Identifier: GPL-3.0-or-later
// Channel CSV through the File menu, and the channel grid's clipboard, driven as a user would with
// the file dialogs answered by the test.
#include "core/config/channel_csv.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QTableWidget>
#include <QtTest>
#include <memory>

#include "app/frm_main.h"
#include "support/test_installation.h"

using namespace kr4100;

namespace {

constexpr const char* kRowTail = "Disable,Enable,Disable,Disable,Disable,Disable,Add\r\n";

struct Harness : kr4100::testing::TestInstallation {
  std::unique_ptr<frmMain> window;
  QString saveAnswer;
  QString openAnswer;
  QStringList saveDialogs;  // suggested path, filter

  explicit Harness(int language = kEnglish) {
    ctx->settings().currentLanguage = language;
    window = std::make_unique<frmMain>(*ctx);
    window->chooseSaveFile = [this](const QString& suggested, const QString& filter) {
      saveDialogs << suggested << filter;
      return saveAnswer;
    };
    window->chooseOpenFile = [this](const QString&) { return openAnswer; };
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) qWarning("main window not exposed");
    QTest::qWait(30);
    // Known channels in group A, whatever the template holds: 1, 2 and 4.
    Document& doc = ctx->doc();
    doc.SetChannelValue(1, kColRxFre, "28.1");
    doc.SetChannelValue(1, kColTxFre, "28.1");
    doc.SetChannelValue(2, kColRxFre, "28.2");
    doc.SetChannelValue(2, kColBusy, "1");
    doc.SetChannelValue(4, kColRxFre, "28.4");
    doc.SetChannelValue(4, kColTxFre, "28.45");
  }

  QAction* act(const char* name) const { return window->findChild<QAction*>(name); }
  QWidget* channelWindow() const { return window->childWindow(QStringLiteral("frmCommChInfo")); }
  QTableWidget* grid() const { return channelWindow()->findChild<QTableWidget*>("MSFlexGrid1"); }
  QLineEdit* text1() const { return channelWindow()->findChild<QLineEdit*>("Text1"); }
  QString cellText(int row, int col) const { return grid()->item(row - 1, col)->text(); }
  ChannelTables tables() const { return ChannelTablesOf(ctx->doc().working()); }
  QString path(const char* name) const { return root.filePath(QString::fromUtf8(name)); }

  // A press on a row's channel number, as the mouse gives it.
  void clickNumber(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const QRect cell = grid()->visualItemRect(grid()->item(row - 1, 0));
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, modifiers, cell.center());
  }
};

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

}  // namespace

class ChannelCsvWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void menuEntriesInBothLanguages() {
    for (int language : {kEnglish, kChinese}) {
      Harness h(language);
      auto* file = h.window->findChild<QMenu*>("mnuFile");
      QVERIFY(file->actions().contains(h.act("mnuExportChannels")));
      QVERIFY(file->actions().contains(h.act("mnuImportChannels")));
      QCOMPARE(h.act("mnuExportChannels")->text(), language == kEnglish
                                                       ? QString("&Export Channels...")
                                                       : QString::fromUtf8("导出信道(&E)..."));
      QCOMPARE(h.act("mnuImportChannels")->text(), language == kEnglish
                                                       ? QString("&Import Channels...")
                                                       : QString::fromUtf8("导入信道(&I)..."));
    }
  }

  void exportThenImportThroughTheMenu() {
    Harness h;
    h.saveAnswer = h.path("channels");  // no suffix typed
    h.act("mnuExportChannels")->trigger();
    QVERIFY(h.saveDialogs.value(0).endsWith("/new.csv"));
    QVERIFY(h.saveDialogs.value(1).contains("*.csv"));
    const QByteArray exported = ReadAll(h.path("channels.csv"));
    QVERIFY(exported.startsWith("Group,CH No.,RX Frequency,TX Frequency,"));
    QVERIFY(exported.contains("\r\nA,1,28.100000,28.100000,"));
    QVERIFY(exported.contains(
        "\r\nA,4,28.400000,28.450000,Disable,Enable,Disable,Disable,Disable,Disable,Add\r\n"));

    // The file edited in a spreadsheet: channel 7 added to A, every other group dropped.
    WriteAll(h.path("edited.csv"),
             QByteArray("A,1,28.1,,") + kRowTail + "A,7,29.5,29.6," + kRowTail);
    h.openAnswer = h.path("edited.csv");
    h.act("mnuImportChannels")->trigger();
    QVERIFY(h.prompter.asked.isEmpty());
    const ChannelTables t = h.tables();
    QCOMPARE(t.ChCount, (std::array<Integer, kGroupCount>{2, 0, 0, 0, 0, 0}));
    QVERIFY(h.ctx->doc().IsDocumentModified());
    // The open grid shows the new table at once.
    QCOMPARE(h.cellText(7, 1), QString("29.500000"));
    QCOMPARE(h.cellText(7, 2), QString("29.600000"));
    QCOMPARE(h.cellText(2, 1), QString());
    QCOMPARE(h.cellText(4, 1), QString());

    // The export of the imported table is the edited file in the program's own form.
    h.saveAnswer = h.path("again.csv");
    h.act("mnuExportChannels")->trigger();
    QCOMPARE(ReadAll(h.path("again.csv")),
             QByteArray("Group,CH No.,RX Frequency,TX Frequency,BUSY,ECHO,HI-CUT,Plus 10KHz,"
                        "NB/ANL,RB,Scan\r\nA,1,28.100000,28.100000,") +
                 kRowTail + "A,7,29.500000,29.600000," + kRowTail);
  }

  void badFileListsTwentyRowsAndChangesNothing() {
    for (int language : {kEnglish, kChinese}) {
      Harness h(language);
      QByteArray text = "Group,CH No.\r\n";
      for (int n = 1; n <= 23; ++n) text += "A," + QByteArray::number(n) + ",30.5,," + kRowTail;
      WriteAll(h.path("bad.csv"), text);
      const ChannelTables before = h.tables();
      h.openAnswer = h.path("bad.csv");
      h.act("mnuImportChannels")->trigger();
      QCOMPARE(h.prompter.asked.size(), 1);
      const QString shown = h.prompter.asked.first();
      const QStringList lines = shown.split("\r\n");
      QCOMPARE(lines.size(), 22);  // lead, 20 rows, the rest counted
      if (language == kEnglish) {
        QCOMPARE(lines[0],
                 QString("The channels were not imported; nothing was changed. Rows with errors:"));
        QCOMPARE(lines[1], QString("Line 2: RX frequency \"30.5\" is outside the band "
                                   "28.000000 - 29.700000 MHz"));
        QCOMPARE(lines[21], QString("and 3 more"));
      } else {
        QCOMPARE(lines[0], QString::fromUtf8("信道未导入，数据没有改变。有误的行："));
        QCOMPARE(lines[21], QString::fromUtf8("另有 3 处"));
      }
      QVERIFY(h.tables() == before);
      QCOMPARE(h.cellText(1, 1), QString("28.100000"));
    }
  }

  void gridCopiesChosenRowsAsTabSeparatedText() {
    Harness h;
    h.clickNumber(1);
    QVERIFY(h.grid()->hasFocus());
    QVERIFY(!h.text1()->isVisible());
    h.clickNumber(2, Qt::ShiftModifier);
    QTest::keyClick(h.grid(), Qt::Key_Down, Qt::ShiftModifier);  // and one more by keyboard
    QTest::keyClick(h.grid(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(
        QApplication::clipboard()->text(),
        QString(
            "1\t28.100000\t28.100000\tDisable\tEnable\tDisable\tDisable\tDisable\tDisable\tAdd\r\n"
            "2\t28.200000\t28.200000\tEnable\tEnable\tDisable\tDisable\tDisable\tDisable\tAdd\r\n"
            "3\t\t\t\t\t\t\t\t\t\r\n"));
  }

  void gridPastesFromTheCursorRowInOneChange() {
    Harness h;
    QApplication::clipboard()->setText(QString::fromUtf8(
        "1\t29.000000\t29.100000\t使用\t使用\t不使用\t不使用\t不使用\t不使用\t删除\r\n"
        "2\t29.200000\t29.200000\tDisable\tEnable\tDisable\tDisable\tDisable\tDisable\tAdd\r\n"));
    h.clickNumber(4);
    QTest::keyClick(h.grid(), Qt::Key_V, Qt::ControlModifier);
    QVERIFY(h.prompter.asked.isEmpty());
    Document& doc = h.ctx->doc();
    const ChInfo& four = doc.working().slot(doc.FindChannelSlot(4, 0), 0);
    QCOMPARE(QString::fromStdString(four.TxFre.text()), QString("29100000"));
    QCOMPARE(four.Busy, Integer(1));
    QCOMPARE(four.Scan, Integer(0));
    QVERIFY(doc.FindChannelSlot(5, 0) != 0);
    QCOMPARE(h.cellText(4, 1), QString("29.000000"));
    QCOMPARE(h.cellText(5, 1), QString("29.200000"));
    QCOMPARE(h.cellText(4, 9), QString("Del"));
  }

  void gridPasteWithABadRowChangesNothing() {
    Harness h;
    const ChannelTables before = h.tables();
    QApplication::clipboard()->setText(
        "1\t29.000000\t29.000000\tDisable\tEnable\tDisable\tDisable\tDisable\tDisable\tAdd\r\n"
        "2\t29.900000\t29.000000\tDisable\tEnable\tDisable\tDisable\tDisable\tDisable\tAdd\r\n");
    h.clickNumber(10);
    QTest::keyClick(h.grid(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(h.prompter.asked.size(), 1);
    QCOMPARE(h.prompter.asked.first(),
             QString("Nothing was pasted. Rows with errors:\r\nLine 2: RX frequency \"29.900000\" "
                     "is outside the band 28.000000 - 29.700000 MHz"));
    QVERIFY(h.tables() == before);
    QCOMPARE(h.cellText(10, 1), QString());
  }

  void clipboardKeysLeaveAnOpenCellEditorAlone() {
    Harness h;
    h.grid()->setCurrentCell(1, kColRxFre);  // row 2: the editor opens over it
    QTRY_VERIFY(h.text1()->hasFocus());
    QApplication::clipboard()->setText("untouched");
    QTest::keyClick(h.text1(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QString("untouched"));

    const ChannelTables before = h.tables();
    QApplication::clipboard()->setText(
        "29.000000\t29.000000\tDisable\tEnable\tDisable\tDisable\tDisable\tDisable\tAdd\r\n");
    QTest::keyClick(h.text1(), Qt::Key_V, Qt::ControlModifier);
    QVERIFY(h.tables() == before);
    QCOMPARE(h.text1()->text(), QString("28.200000"));
  }
};

QTEST_MAIN(ChannelCsvWindowTest)
#include "channel_csv_test.moc"
