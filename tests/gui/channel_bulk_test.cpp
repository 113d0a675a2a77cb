// SPDX-License-Identifier: GPL-3.0-or-later
// The channel grid's commands on several rows: rows chosen by mouse and keyboard, the context
// menu and the Edit menu's entries, the fill dialog with its refusals, each command one undo step.
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QtTest>
#include <memory>

#include "app/frm_main.h"
#include "core/config/channel_attributes.h"
#include "core/config/scan_tables.h"
#include "support/modal_answer.h"
#include "support/test_installation.h"

using namespace kr4100;
using kr4100::testing::ModalAnswer;

namespace {

struct Harness : kr4100::testing::TestInstallation {
  std::unique_ptr<frmMain> window;

  explicit Harness(int language = kEnglish) {
    ctx->settings().currentLanguage = language;
    window = std::make_unique<frmMain>(*ctx);
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get())) qWarning("main window not active");
    // Group A: channels 1, 2 and 4, whatever the template holds; the start of the history.
    Document& doc = ctx->doc();
    for (int n = 2; n <= kChannelsPerGroup; ++n) doc.SetChannelValue(n, kColRxFre, "");
    doc.SetChannelValue(1, kColRxFre, "28.1");
    doc.SetChannelValue(1, kColTxFre, "28.1");
    doc.SetChannelValue(2, kColRxFre, "28.2");
    doc.SetChannelValue(4, kColRxFre, "28.4");
    settle();
    window->history().clear();
  }

  static void settle() {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
  }
  QWidget* gridWindow() const { return window->childWindow(QStringLiteral("frmCommChInfo")); }
  QTableWidget* grid() const { return gridWindow()->findChild<QTableWidget*>("MSFlexGrid1"); }
  QAction* command(const char* name) const { return gridWindow()->findChild<QAction*>(name); }
  int steps() const { return window->history().stack()->count(); }
  QString cell(int row, int col) const { return grid()->item(row - 1, col)->text(); }
  const ChInfo* channel(int n, int group = 0) { return ctx->doc().working().findChannel(group, n); }
  QString rx(int n, int group = 0) {
    const ChInfo* e = channel(n, group);
    return e ? QString::fromStdString(e->RxFre.text()) : QString("-");
  }
  void click(int row, int col, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const QRect at = grid()->visualItemRect(grid()->item(row - 1, col));
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, modifiers, at.center());
  }
  void undo() {
    window->findChild<QAction*>("mnuEditUndo")->trigger();
    settle();
  }
};

}  // namespace

class ChannelBulkWindowTest : public QObject {
  Q_OBJECT
  QTemporaryDir config_;

 private slots:
  void initTestCase() { qputenv("XDG_CONFIG_HOME", config_.path().toUtf8()); }

  void ctrlAndShiftClicksChooseRowsForOneSwitch() {
    Harness h;
    h.click(1, 0);
    h.click(4, 3, Qt::ControlModifier);  // any cell with Ctrl
    QVERIFY(h.grid()->hasFocus());
    h.command("mnuBulkBusy_1")->trigger();
    h.settle();
    QCOMPARE(h.channel(1)->Busy, Integer(1));
    QCOMPARE(h.channel(2)->Busy, Integer(0));
    QCOMPARE(h.channel(4)->Busy, Integer(1));
    QCOMPARE(h.cell(4, kColBusy), QString("Enable"));
    QCOMPARE(h.steps(), 1);
    // Shift on a data cell extends from the last row clicked; Ctrl takes one away again.
    h.click(1, 5, Qt::ShiftModifier);
    h.click(3, 0, Qt::ControlModifier);
    h.command("mnuBulkScan_0")->trigger();
    h.settle();
    QCOMPARE(h.channel(1)->Scan, Integer(0));
    QCOMPARE(h.channel(2)->Scan, Integer(0));
    QCOMPARE(h.channel(4)->Scan, Integer(0));
    QVERIFY(!h.channel(3));  // an empty row gets no channel
    QCOMPARE(h.steps(), 2);
    h.undo();
    QCOMPARE(h.channel(2)->Scan, Integer(1));
    QCOMPARE(h.channel(4)->Scan, Integer(1));
    QCOMPARE(h.channel(4)->Busy, Integer(1));
    QCOMPARE(h.cell(4, kColScan), QString("Add"));
  }

  void contextMenuAndEditMenuOfferTheCommands() {
    Harness h(kChinese);
    h.click(2, 0);
    QContextMenuEvent keyboard(QContextMenuEvent::Keyboard, QPoint(), QPoint());
    QApplication::sendEvent(h.grid(), &keyboard);
    QMenu* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(popup);
    QCOMPARE(popup->objectName(), QString("mnuBulkContext"));
    QVERIFY(popup->actions().contains(h.command("mnuBulkFill")));
    QCOMPARE(h.command("mnuBulkMoveUp")->text(), QString("上移(&U)"));
    QCOMPARE(popup->accessibleName(), QString("信道操作"));
    popup->close();

    QMenu* edit = h.window->findChild<QMenu*>("mnuEdit");
    QMenu* channels = h.window->findChild<QMenu*>("mnuEditChannels");
    QCOMPARE(channels->title(), QString("信道操作(&H)"));
    emit edit->aboutToShow();
    QVERIFY(channels->menuAction()->isEnabled());
    emit channels->aboutToShow();
    QAction* down = h.command("mnuBulkMoveDown");
    QVERIFY(channels->actions().contains(down));
    down->trigger();
    h.settle();
    QCOMPARE(h.rx(3), QString("28200000"));
    QVERIFY(!h.channel(2));

    h.gridWindow()->parentWidget()->close();
    h.settle();
    emit edit->aboutToShow();
    QVERIFY(!channels->menuAction()->isEnabled());
  }

  void rowCommandsByKeyboardFollowTheChosenRows() {
    Harness h;
    h.click(1, 0);
    QTest::keyClick(h.grid(), Qt::Key_Down, Qt::ShiftModifier);  // rows 1 and 2
    QTest::keyClick(h.grid(), Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
    h.settle();
    QCOMPARE(h.rx(2), QString("28100000"));
    QCOMPARE(h.rx(3), QString("28200000"));
    QVERIFY(!h.channel(1));
    QCOMPARE(h.cell(3, kColRxFre), QString("28.200000"));
    // The choice went with the rows: Insert pushes them down once more, behind channel 4.
    QTest::keyClick(h.grid(), Qt::Key_Insert);
    h.settle();
    QCOMPARE(h.rx(4), QString("28100000"));
    QCOMPARE(h.rx(5), QString("28200000"));
    QCOMPARE(h.rx(6), QString("28400000"));
    QCOMPARE(h.steps(), 2);

    h.command("mnuBulkSort")->trigger();
    h.settle();
    QCOMPARE(h.rx(4), QString("28100000"));
    QCOMPARE(h.rx(6), QString("28400000"));

    // All rows, then delete: the group keeps its channels and the user is told why.
    QTest::keyClick(h.grid(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(h.grid(), Qt::Key_Delete, Qt::ControlModifier);
    h.settle();
    QCOMPARE(h.prompter.asked.size(), 1);
    QCOMPARE(h.prompter.asked.last(),
             QString("A group keeps at least one channel; nothing was changed."));
    QCOMPARE(h.ctx->doc().working().ChCount[0], Integer(3));

    h.click(4, 0);
    h.click(5, 0, Qt::ShiftModifier);
    const Integer inB = h.ctx->doc().working().ChCount[1];
    h.command("mnuBulkToGroup_1")->trigger();
    h.settle();
    QVERIFY(!h.channel(4));
    QCOMPARE(h.ctx->doc().working().ChCount[1], Integer(inB + 2));
    QCOMPARE(h.cell(4, kColRxFre), QString());
    h.undo();
    QCOMPARE(h.rx(4), QString("28100000"));
    QCOMPARE(h.ctx->doc().working().ChCount[1], inB);
  }

  void fillRefusesOutOfBandRowsBeforeChangingAny() {
    Harness h;
    h.click(1, 0);
    h.click(4, 0, Qt::ShiftModifier);
    auto answerFill = [](const char* start, const char* step) {
      return [start, step](QDialog* d) {
        d->findChild<QLineEdit*>("TextStart")->setText(start);
        d->findChild<QLineEdit*>("TextStep")->setText(step);
        d->findChild<QPushButton*>("CommandOK")->click();
      };
    };
    {
      h.prompter.answers = {Answer::No};
      ModalAnswer answer(answerFill("29.65", "25"));
      QTest::keyClick(h.grid(), Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
      QCOMPARE(answer.seen, QString("FrmFillFre"));
    }
    h.settle();
    QCOMPARE(h.prompter.asked.size(), 1);
    QCOMPARE(h.prompter.asked.first(),
             QString("These channels would leave the band 28.000000 - 29.700000 MHz and are not "
                     "filled:\r\nChannel 4: RX frequency 29.725000 MHz is outside the band\r\n"
                     "Fill the other channels? No changes nothing."));
    QCOMPARE(h.rx(1), QString("28100000"));
    QVERIFY(!h.channel(3));
    QCOMPARE(h.steps(), 0);
    {
      h.prompter.answers = {Answer::Yes};
      ModalAnswer answer(answerFill("29.65", "25"));
      h.command("mnuBulkFill")->trigger();
    }
    h.settle();
    QCOMPARE(h.rx(1), QString("29650000"));
    QCOMPARE(h.rx(3), QString("29700000"));
    QCOMPARE(h.rx(4), QString("28400000"));
    QCOMPARE(h.cell(3, kColScan), QString("Add"));
    QCOMPARE(h.steps(), 1);
    h.undo();
    QCOMPARE(h.rx(1), QString("28100000"));
    QVERIFY(!h.channel(3));
  }

  void fillAppendsNewChannelsWithAnOffset() {
    Harness h;
    {
      ModalAnswer answer([&h](QDialog* d) {
        auto* count = d->findChild<QSpinBox*>("SpinCount");
        QVERIFY(!count->isEnabled());
        d->findChild<QRadioButton*>("OptionNew")->setChecked(true);
        QVERIFY(count->isEnabled());
        count->setValue(2);
        d->findChild<QLineEdit*>("TextStart")->setText("28.5");
        auto* offset = d->findChild<QLineEdit*>("TextOffset");
        QVERIFY(!offset->accessibleName().isEmpty());
        // An offset finer than 10 Hz is refused, and the dialog stays on it to be put right.
        offset->setText("0.001");
        d->findChild<QPushButton*>("CommandOK")->click();
        QCOMPARE(h.prompter.asked.size(), 1);
        QCOMPARE(h.prompter.asked.first(),
                 QString("The TX offset must be a multiple of 0.01 kHz (10 Hz)."));
        QVERIFY(d->isVisible());
        QCOMPARE(d->focusWidget(), offset);
        QCOMPARE(offset->selectedText(), QString("0.001"));
        h.prompter.asked.clear();
        offset->setText("-100");
        d->findChild<QPushButton*>("CommandOK")->click();
      });
      h.command("mnuBulkFill")->trigger();
    }
    h.settle();
    QVERIFY(h.prompter.asked.isEmpty());
    QCOMPARE(h.rx(5), QString("28500000"));
    QCOMPARE(h.rx(6), QString("28510000"));
    QCOMPARE(QString::fromStdString(h.channel(6)->TxFre.text()), QString("28410000"));
    QCOMPARE(h.cell(6, kColTxFre), QString("28.410000"));
  }

  void aCommandThatMovesThePriorityChannelSaysSo() {
    Harness h;
    RadioConfig& r = h.ctx->doc().working();
    r.ScanInfo[static_cast<std::size_t>(ScanSetting::Priority)] = kPriorityFixed;
    r.ScanInfo[static_cast<std::size_t>(ScanSetting::PriorityChannel)] = 2;
    h.window->history().clear();
    QStatusBar* bar = h.window->statusBar();
    QAction* undo = h.window->findChild<QAction*>("mnuEditUndo");
    // Channel 4 down: number 2 still names 28.2 MHz, and nothing more is said.
    h.click(4, 0);
    h.command("mnuBulkMoveDown")->trigger();
    h.settle();
    QCOMPARE(h.window->history().stack()->undoText(), QString("Move Down"));
    QCOMPARE(bar->currentMessage(), QString());
    // Channel 1 down takes number 2.
    h.click(1, 0);
    h.command("mnuBulkMoveDown")->trigger();
    h.settle();
    const QString told(
        "Move Down; the priority channel number 2 no longer names the same channel "
        "in group A");
    QCOMPARE(bar->currentMessage(), told);
    QCOMPARE(h.window->history().stack()->undoText(), told);
    QCOMPARE(undo->statusTip(), told);
    QCOMPARE(h.steps(), 2);
    QCOMPARE(h.ctx->doc().working().ScanInfo[1], Integer(2));
    h.undo();
    QCOMPARE(bar->currentMessage(), QString());
    QCOMPARE(undo->statusTip(), QString("Move Down"));
  }
};

QTEST_MAIN(ChannelBulkWindowTest)
#include "channel_bulk_test.moc"
