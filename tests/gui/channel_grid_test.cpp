// SPDX-License-Identifier: GPL-3.0-or-later
// The channel grid and the channel edit dialog, driven through their controls offscreen.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "editors/frm_ch_info_edit.h"
#include "editors/frm_comm_ch_info.h"
#include "gui/ui_context.h"
#include "support/scripted_prompter.h"

using namespace kr4100;
using kr4100::testing::ScriptedPrompter;

namespace {

// Stands in for the main window: counts the new documents asked for.
struct RecordingCommands : DocumentCommands {
  int newDocuments = 0;
  void newDocumentDeferred() override { ++newDocuments; }
};

struct Fixture {
  ScriptedPrompter prompter;
  QTemporaryDir userDir;
  AppState app{InstallLayout{KR4100_PROGRAM_DIR}};
  UiContext ctx{app, prompter};
  RecordingCommands commands;
  std::unique_ptr<frmCommChInfo> window;

  explicit Fixture(int language = kEnglish) {
    app.startup(0x0409, userDir.path().toStdString());
    ctx.settings().currentLanguage = language;
    window = std::make_unique<frmCommChInfo>(ctx, commands);
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowExposed(window.get())) qWarning("grid window not exposed");
    QTest::qWait(30);  // the first activation opens the editor on row 1
  }

  QTableWidget* grid() { return window->findChild<QTableWidget*>("MSFlexGrid1"); }
  QLineEdit* text1() { return window->findChild<QLineEdit*>("Text1"); }
  QComboBox* combo(const char* name) { return window->findChild<QComboBox*>(name); }
  Document& doc() { return ctx.doc(); }
  const ChInfo* channel(int n, int group = 0) {
    const int slot = doc().FindChannelSlot(n, group);
    return slot ? &doc().working().slot(slot, group) : nullptr;
  }
  QString cellText(int row, int col) { return grid()->item(row - 1, col)->text(); }
  int row() { return grid()->currentRow() + 1; }
  int col() { return grid()->currentColumn(); }
  // Enters a cell as a click would, then types into the RX/TX editor and presses Enter.
  void go(int r, int c) { grid()->setCurrentCell(r - 1, c); }
  void typeAndEnter(const QString& text) {
    text1()->selectAll();
    QTest::keyClicks(text1(), text);
    QTest::keyClick(text1(), Qt::Key_Return);
  }
  bool editorOver(QWidget* editor, int r, int c) {
    return editor->isVisible() &&
           editor->geometry() == grid()->visualItemRect(grid()->item(r - 1, c));
  }
};

}  // namespace

class ChannelGridTest : public QObject {
  Q_OBJECT

 private slots:
  void newChannelTakesRxAsTxAndDefaults() {
    Fixture f;
    QVERIFY(f.editorOver(f.text1(), 1, 1));
    QCOMPARE(f.cellText(1, 1), QString("28.015000"));
    f.go(5, 1);
    f.typeAndEnter("28.5");
    const ChInfo* ch = f.channel(5);
    QVERIFY(ch);
    QCOMPARE(QString::fromStdString(ch->RxFre.text()), QString("28500000"));
    QCOMPARE(ch->TxFre, ch->RxFre);
    QCOMPARE(f.cellText(5, 1), QString("28.500000"));
    QCOMPARE(f.cellText(5, 2), QString("28.500000"));
    const QStringList expected{"Disable", "Enable",  "Disable", "Disable",
                               "Disable", "Disable", "Add"};
    for (int c = 3; c <= 9; ++c) QCOMPARE(f.cellText(5, c), expected[c - 3]);
    // Enter after a filled RX moves to TX of the same row.
    QCOMPARE(f.row(), 5);
    QCOMPARE(f.col(), 2);
    // The emergency list of group A now offers both channels, in numeric order.
    QComboBox* emg = f.combo("Combo1_0");
    QCOMPARE(emg->count(), 2);
    QCOMPARE(emg->itemText(1), QString("5"));
  }

  void clearingTxCopiesRxAndAttributesStore() {
    Fixture f;
    f.go(1, 2);
    QVERIFY(f.editorOver(f.text1(), 1, 2));
    f.typeAndEnter("29.1");
    QCOMPARE(QString::fromStdString(f.channel(1)->TxFre.text()), QString("29100000"));
    QCOMPARE(f.col(), 3);  // on to BUSY
    QComboBox* busy = f.combo("Combo8_1");
    QVERIFY(f.editorOver(busy, 1, 3));
    busy->setCurrentIndex(1);
    QCOMPARE(f.channel(1)->Busy, Integer(1));
    QCOMPARE(f.cellText(1, 3), QString("Enable"));
    f.go(1, 2);
    f.text1()->clear();
    QTest::keyClick(f.text1(), Qt::Key_Return);
    QCOMPARE(f.channel(1)->TxFre, f.channel(1)->RxFre);
    QCOMPARE(f.cellText(1, 2), QString("28.015000"));
  }

  void deletingKeepsTheLastChannel() {
    Fixture f;
    f.go(3, 1);
    f.typeAndEnter("28.3");
    QVERIFY(f.channel(3));
    f.go(3, 1);
    f.text1()->clear();
    QTest::keyClick(f.text1(), Qt::Key_Return);
    QVERIFY(!f.channel(3));
    QCOMPARE(f.cellText(3, 1), QString());
    QCOMPARE(f.cellText(3, 9), QString());
    // Channel 1 is now the group's only channel: clearing it changes nothing.
    f.go(1, 1);
    f.text1()->clear();
    QTest::keyClick(f.text1(), Qt::Key_Return);
    QVERIFY(f.channel(1));
    QCOMPARE(f.cellText(1, 1), QString("28.015000"));
    QCOMPARE(f.doc().working().ChCount[0], Integer(1));
  }

  void emptyRowSendsTheCursorToRx() {
    Fixture f;
    const auto before = f.doc().working();
    for (int c : {2, 5, 9}) {
      f.go(7, c);
      QCOMPARE(f.row(), 7);
      QCOMPARE(f.col(), 1);
      QVERIFY(f.editorOver(f.text1(), 7, 1));
      QVERIFY(!f.combo("Combo8_3")->isVisible());
    }
    QVERIFY(f.doc().working() == before);
    // What is typed there lands in RX.
    f.typeAndEnter("28.7");
    QVERIFY(f.channel(7));
    QCOMPARE(f.cellText(7, 1), QString("28.700000"));
  }

  void enterMovesAndWraps() {
    Fixture f;
    // Empty RX: down one row, same column.
    f.go(5, 1);
    QTest::keyClick(f.text1(), Qt::Key_Return);
    QCOMPARE(f.row(), 6);
    QCOMPARE(f.col(), 1);
    QVERIFY(f.editorOver(f.text1(), 6, 1));
    // Row 60 goes back to row 1.
    f.go(60, 1);
    QTest::keyClick(f.text1(), Qt::Key_Return);
    QCOMPARE(f.row(), 1);
    QVERIFY(f.editorOver(f.text1(), 1, 1));
    // Last column: column 1 of the next row, whose RX editor opens.
    f.go(1, 9);
    QComboBox* scan = f.combo("Combo8_7");
    QVERIFY(f.editorOver(scan, 1, 9));
    scan->setFocus();
    QTest::keyClick(scan, Qt::Key_Return);
    QCOMPARE(f.row(), 2);
    QCOMPARE(f.col(), 1);
    QVERIFY(f.editorOver(f.text1(), 2, 1));
    QVERIFY(!scan->isVisible());
    QCOMPARE(f.channel(1)->Scan, Integer(1));
    // The skipped pass is used up: the next Enter opens the next cell normally.
    QTest::keyClick(f.text1(), Qt::Key_Return);
    QCOMPARE(f.row(), 3);
    QVERIFY(f.editorOver(f.text1(), 3, 1));
  }

  void scrollingMovesTheCursorUnderTheEditor() {
    Fixture f;
    QScrollBar* bar = f.grid()->verticalScrollBar();
    QVERIFY(bar->maximum() > 0);
    f.go(5, 1);
    const QRect place = f.text1()->geometry();
    f.text1()->selectAll();
    QTest::keyClicks(f.text1(), "28.5");
    // Three rows down: the editor stays where it was, now over row 8; row 5 got what was typed.
    bar->setValue(3);
    QCOMPARE(f.row(), 8);
    QVERIFY(f.editorOver(f.text1(), 8, 1));
    QCOMPARE(f.text1()->geometry(), place);
    QVERIFY(f.channel(5));
    // A second scroll within the interval waits; the editor follows its cell meanwhile.
    bar->setValue(6);
    QCOMPARE(f.row(), 8);
    QVERIFY(f.editorOver(f.text1(), 8, 1));
    // When the interval ends the cursor catches up, back under the editor's place.
    QTRY_COMPARE_WITH_TIMEOUT(f.row(), 11, 2000);
    QCOMPARE(f.text1()->geometry(), place);
    // Attribute columns move the same way; an empty row still sends the cursor to RX.
    QTest::qWait(600);
    f.go(15, 3);
    QCOMPARE(f.col(), 1);
    bar->setValue(0);
    QVERIFY(f.row() < 15);
    QCOMPARE(f.col(), 1);
    // Choosing a cell out of view scrolls to it; the cursor stays on the chosen cell.
    QTest::qWait(600);
    bar->setValue(0);
    QTest::qWait(600);
    f.go(30, 1);
    QVERIFY(bar->value() > 0);
    QTest::qWait(600);
    QCOMPARE(f.row(), 30);
    QVERIFY(f.editorOver(f.text1(), 30, 1));
  }

  void frequencyFieldRefusesLettersAndPaste() {
    Fixture f;
    f.go(4, 1);
    QLineEdit* t = f.text1();
    t->clear();
    QTest::keyClicks(t, "2a8,.b5x");
    QCOMPARE(t->text(), QString("28.5"));
    QApplication::clipboard()->setText("29.1");
    QTest::keyClick(t, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(t, Qt::Key_Insert, Qt::ShiftModifier);
    QTest::mouseClick(t, Qt::MiddleButton);
    QCOMPARE(t->text(), QString("28.5"));
    QCOMPARE(t->contextMenuPolicy(), Qt::PreventContextMenu);
    // Chinese input is dropped like any code above 127.
    QKeyEvent wide(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8("频"));
    QApplication::sendEvent(t, &wide);
    QCOMPARE(t->text(), QString("28.5"));
  }

  void leavingTheEditorCommitsIt() {
    Fixture f;
    f.go(2, 1);
    QTRY_VERIFY(f.text1()->hasFocus());
    QTest::keyClicks(f.text1(), "28.25");
    f.combo("Combo6")->setFocus();  // as a click elsewhere in the window would
    QVERIFY(f.channel(2));
    QVERIFY(!f.text1()->isVisible());
    QCOMPARE(f.cellText(2, 1), QString("28.250000"));
  }

  void outOfRangeWarnsThroughThePrompter() {
    Fixture f;
    f.go(6, 1);
    f.typeAndEnter("31");
    QCOMPARE(f.prompter.asked, QStringList{"Frequency is out of range."});
    QVERIFY(!f.channel(6));
  }

  // A refused receive frequency is no request to delete: the channel, its attributes and what
  // the grid and the edit dialog show stay as they were.
  void outOfRangeRxKeepsTheChannelInGridAndDialog() {
    Fixture f;
    f.go(5, 1);
    f.typeAndEnter("28.5");
    f.typeAndEnter("29.1");                   // TX of the same row
    f.combo("Combo8_1")->setCurrentIndex(1);  // BUSY
    QVERIFY(f.channel(5));
    const ChInfo before = *f.channel(5);

    f.go(5, 1);
    f.typeAndEnter("31");
    QCOMPARE(f.prompter.asked, QStringList{"Frequency is out of range."});
    QVERIFY(f.channel(5));
    QVERIFY(*f.channel(5) == before);
    QCOMPARE(f.cellText(5, 1), QString("28.500000"));
    QCOMPARE(f.cellText(5, 2), QString("29.100000"));
    QCOMPARE(f.cellText(5, 3), QString("Enable"));

    f.window->findChild<QPushButton*>("CommandCHInfoEdit")->click();
    auto* dialog = f.window->findChild<FrmCHInfoEdit*>("FrmCHInfoEdit");
    QVERIFY(dialog);
    auto* number = dialog->findChild<QComboBox*>("Combo1");
    auto* rx = dialog->findChild<QLineEdit*>("Text1");
    number->setCurrentIndex(4);
    QCOMPARE(rx->text(), QString("28.500000"));
    rx->selectAll();
    QTest::keyClicks(rx, "27");
    QTest::keyClick(rx, Qt::Key_Return);
    QCOMPARE(f.prompter.asked.size(), 2);
    QVERIFY(*f.channel(5) == before);
    QCOMPARE(rx->text(), QString("28.500000"));
    QCOMPARE(f.cellText(5, 1), QString("28.500000"));
    // On a free number nothing is created and the field is empty again.
    number->setCurrentIndex(7);
    QTest::keyClicks(rx, "31");
    QTest::keyClick(rx, Qt::Key_Return);
    QCOMPARE(f.prompter.asked.size(), 3);
    QVERIFY(!f.channel(8));
    QCOMPARE(rx->text(), QString());
    QCOMPARE(f.cellText(8, 1), QString());
  }

  void emergencyChannelFollowsDeletion() {
    Fixture f;
    f.go(4, 1);
    f.typeAndEnter("28.4");
    f.go(9, 1);
    f.typeAndEnter("28.9");
    QComboBox* emg = f.combo("Combo1_0");
    QCOMPARE(emg->count(), 3);
    emg->setCurrentIndex(emg->findText("9"));
    QCOMPARE(f.doc().working().OptFeat[kEmgCh0], Integer(8));
    f.go(9, 1);
    f.text1()->clear();
    QTest::keyClick(f.text1(), Qt::Key_Return);
    QCOMPARE(f.doc().working().OptFeat[kEmgCh0], Integer(0));  // channel 1, the group's first entry
    QCOMPARE(emg->currentText(), QString("1"));
    QCOMPARE(emg->count(), 2);
  }

  void visitingACellStoresNothing() {
    Fixture f;
    // The record holds a frequency the band no longer takes (a file of another band, a model
    // change before the grid re-shows): only typing may store, and so warn or move it.
    f.doc().setModelAndBand("HT63", "26.51500 - 27.85500 MHz");
    f.go(1, 1);
    QVERIFY(f.editorOver(f.text1(), 1, 1));
    f.combo("Combo6")->setFocus();
    f.go(2, 1);
    QVERIFY(f.prompter.asked.isEmpty());
    QCOMPARE(QString::fromStdString(f.channel(1)->RxFre.text()), QString("28015000"));
    QVERIFY(!f.doc().IsDocumentModified());
  }

  // What a screen reader reads: the grid by its group, each cell with its heading, value and
  // channel, the in-place editors by their column; the names follow the language, the group
  // and the cells.
  void screenReaderHearsGridCellsAndEditors() {
    for (const int language : {kEnglish, kChinese}) {
      Fixture f(language);
      const bool en = language == kEnglish;
      auto heard = [&](int r, int c) {
        return f.grid()->item(r - 1, c)->data(Qt::AccessibleTextRole).toString();
      };
      QCOMPARE(f.grid()->accessibleName(),
               QString::fromUtf8(en ? "Channel Information, group A" : "信道信息，组 A"));
      QCOMPARE(heard(1, kColRxFre), QString::fromUtf8(en ? "RX Frequency, 28.015000, channel 1"
                                                         : "接收频率，28.015000，信道 1"));
      QCOMPARE(heard(5, kColTxFre),
               QString::fromUtf8(en ? "TX FreQuency, empty, channel 5" : "发射频率，空，信道 5"));
      QCOMPARE(f.text1()->accessibleName(), QString::fromUtf8(en ? "RX Frequency" : "接收频率"));
      f.go(5, 1);
      f.typeAndEnter("28.5");
      QCOMPARE(heard(5, kColTxFre), QString::fromUtf8(en ? "TX FreQuency, 28.500000, channel 5"
                                                         : "发射频率，28.500000，信道 5"));
      // A list is named by a label of its own: on Linux a combo box's name is its value.
      f.go(5, kColBusy);
      QComboBox* busy = f.combo("Combo8_1");
      QCOMPARE(busy->accessibleName(), QString("BUSY"));
      auto* label = busy->parentWidget()->findChild<QLabel*>("Combo8_1_Name");
      QVERIFY(label && label->buddy() == busy && label->text() == QString("BUSY"));
      QCOMPARE(f.combo("Combo6")->accessibleName(), QString::fromUtf8(en ? "Band" : "组"));
      f.combo("Combo6")->setCurrentIndex(2);
      QCOMPARE(f.grid()->accessibleName(),
               QString::fromUtf8(en ? "Channel Information, group C" : "信道信息，组 C"));
      QCOMPARE(heard(1, kColRxFre), QString::fromUtf8(en ? "RX Frequency, 28.115000, channel 1"
                                                         : "接收频率，28.115000，信道 1"));
    }
  }

  // A grid without a current cell can crash a screen reader's toolkit: a new group keeps one,
  // and a click on it still opens the editor.
  void groupChangeKeepsACurrentCellThatOpensOnClick() {
    Fixture f;
    f.combo("Combo6")->setCurrentIndex(1);
    QCOMPARE(f.row(), 1);
    QCOMPARE(f.col(), int(kColRxFre));
    QVERIFY(!f.text1()->isVisible());
    const QRect cell = f.grid()->visualItemRect(f.grid()->item(0, kColRxFre));
    QTest::mouseClick(f.grid()->viewport(), Qt::LeftButton, {}, cell.center());
    QVERIFY(f.editorOver(f.text1(), 1, kColRxFre));
  }

  // Shift+F10 and the Menu key open the grid's menu at the current cell, from its editors and
  // from the grid itself; the mouse pointer is elsewhere.
  void contextMenuKeysOpenAtTheCurrentCell() {
    Fixture f;
    QCursor::setPos(f.window->mapToGlobal(QPoint(2, 2)));
    f.go(1, kColScan);
    const struct {
      QWidget* target;
      Qt::Key key;
      Qt::KeyboardModifiers modifiers;
    } presses[] = {{f.combo("Combo8_7"), Qt::Key_F10, Qt::ShiftModifier},
                   {f.combo("Combo8_7"), Qt::Key_Menu, Qt::NoModifier},
                   {f.grid(), Qt::Key_F10, Qt::ShiftModifier}};
    for (const auto& press : presses) {
      QTest::keyClick(press.target, press.key, press.modifiers);
      auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      QVERIFY(popup);
      QCOMPARE(popup->objectName(), QString("mnuBulkContext"));
      const QRect cell = f.grid()->visualItemRect(f.grid()->item(0, kColScan));
      const QRect onScreen(f.grid()->viewport()->mapToGlobal(cell.topLeft()), cell.size());
      // At the cell's middle; a menu with no room on the right opens to the left of it.
      const QRect menu = popup->geometry();
      QCOMPARE(menu.top(), onScreen.center().y());
      QVERIFY(menu.left() <= onScreen.center().x() && onScreen.center().x() <= menu.right() + 1);
      popup->close();
    }
    QCOMPARE(f.row(), 1);
    QCOMPARE(f.col(), int(kColScan));
  }

  void groupChangeShowsTheOtherGroup() {
    Fixture f;
    f.go(2, 1);
    QTest::keyClicks(f.text1(), "28.2");
    f.combo("Combo6")->setCurrentIndex(3);  // the pending edit goes into group A first
    QVERIFY(f.channel(2, 0));
    QCOMPARE(f.doc().working().CurGroup, Integer(3));
    QCOMPARE(f.cellText(1, 1), QString("28.085000"));
    QCOMPARE(f.cellText(2, 1), QString());
    QVERIFY(!f.text1()->isVisible());
    QVERIFY(f.combo("Combo1_3")->isVisible());
    QVERIFY(!f.combo("Combo1_0")->isVisible());
    QVERIFY(f.window->windowTitle().endsWith("]---D"));
  }

  void bandChangeCancelLeavesEverything() {
    Fixture f;
    f.go(8, 1);
    f.typeAndEnter("28.8");
    const auto before = f.doc().working();
    QComboBox* band = f.combo("Combo2");
    band->setCurrentIndex(1);
    emit band->activated(1);
    QCOMPARE(f.prompter.asked, QStringList{"All data will be cleared."});
    QCOMPARE(band->currentText(), QString(kBand0Text));
    QCOMPARE(f.doc().state().bandText, std::string(kBand0Text));
    QVERIFY(f.doc().working() == before);
    // OK takes the band and asks the main window for a new document once the click is over.
    f.prompter.answers.push_back(Answer::Ok);
    band->setCurrentIndex(1);
    emit band->activated(1);
    QCOMPARE(f.doc().state().bandText, std::string(kBand1Text));
    QCOMPARE(f.commands.newDocuments, 1);
  }

  void editDialogCreatesAChannelTheGridShows() {
    Fixture f;
    f.window->findChild<QPushButton*>("CommandCHInfoEdit")->click();
    auto* dialog = f.window->findChild<FrmCHInfoEdit*>("FrmCHInfoEdit");
    QVERIFY(dialog && dialog->isVisible());
    QVERIFY(!dialog->findChild<QComboBox*>("Combo2_0")->isEnabled());
    QCOMPARE(dialog->findChild<QComboBox*>("Combo2_0")->itemText(51), QString("D017N"));
    QVERIFY(dialog->findChild<QComboBox*>("Combo2_1")->findText("D754I") > 0);
    auto* number = dialog->findChild<QComboBox*>("Combo1");
    auto* rx = dialog->findChild<QLineEdit*>("Text1");
    auto* tx = dialog->findChild<QLineEdit*>("Text2");
    QCOMPARE(number->count(), 60);
    // No number chosen: nothing is stored.
    const auto before = f.doc().working();
    QTest::keyClicks(rx, "28.6");
    QTest::keyClick(rx, Qt::Key_Return);
    QVERIFY(f.doc().working() == before);
    number->setCurrentIndex(11);
    QCOMPARE(rx->text(), QString());
    QTest::keyClicks(rx, "28.6");
    QTest::keyClick(rx, Qt::Key_Return);
    QVERIFY(f.channel(12));
    QCOMPARE(f.cellText(12, 1), QString("28.600000"));
    QCOMPARE(f.cellText(12, 2), QString("28.600000"));
    // Text2 empty on focus takes the RX text.
    tx->clear();
    dialog->activateWindow();
    tx->setFocus();
    QTRY_COMPARE(tx->text(), QString("28.6"));
    // Choosing a channel shows what it holds; passing through its fields changes nothing.
    f.go(1, 3);
    f.combo("Combo8_1")->setCurrentIndex(1);
    const ChInfo one = *f.channel(1);
    number->setCurrentIndex(0);
    QCOMPARE(rx->text(), QString("28.015000"));
    dialog->activateWindow();
    rx->setFocus();
    QTRY_VERIFY(rx->hasFocus());
    QTest::keyClick(rx, Qt::Key_Return);
    QTRY_VERIFY(tx->hasFocus());
    QTest::keyClick(tx, Qt::Key_Return);
    QVERIFY(*f.channel(1) == one);
    // What is typed is kept even when the dialog is closed with Escape.
    tx->setFocus();
    tx->clear();
    QTest::keyClicks(tx, "29.2");
    QTest::keyClick(tx, Qt::Key_Escape);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(f.cellText(1, 2), QString("29.200000"));
    // A second click opens no second dialog.
    f.window->findChild<QPushButton*>("CommandCHInfoEdit")->click();
    QCOMPARE(f.window->findChildren<FrmCHInfoEdit*>().size(), 1);
  }

  void chineseCaptionsAndScreenshots() {
    for (int language : {kEnglish, kChinese}) {
      Fixture f(language);
      f.go(12, 1);
      const QString prefix = language == kEnglish ? "Channel Information[Channel - 12]---A"
                                                  : QString::fromUtf8("信道信息[信道 - 12]---A");
      QCOMPARE(f.window->windowTitle(), prefix);
      QCOMPARE(f.grid()->horizontalHeaderItem(9)->text(),
               language == kEnglish ? QString("Scan") : QString::fromUtf8("扫描"));
      QCOMPARE(f.combo("Combo8_7")->itemText(1),
               language == kEnglish ? QString("Add") : QString::fromUtf8("添加"));
      f.go(1, 2);
      f.window->grab().save(QDir::tempPath() +
                            QString("/kr4100_channel_grid_%1.png").arg(language));
      f.window->findChild<QPushButton*>("CommandCHInfoEdit")->click();
      auto* dialog = f.window->findChild<FrmCHInfoEdit*>("FrmCHInfoEdit");
      QVERIFY(QTest::qWaitForWindowExposed(dialog));
      dialog->grab().save(QDir::tempPath() + QString("/kr4100_channel_edit_%1.png").arg(language));
    }
  }
};

QTEST_MAIN(ChannelGridTest)
#include "channel_grid_test.moc"
