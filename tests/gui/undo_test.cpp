// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo in the main window: steps found after user input in every kind of editor, whole
// document commands as one step each, the editors showing the record put back, and the keys.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QUndoStack>
#include <QtTest>
#include <functional>
#include <memory>

#include "app/frm_main.h"
#include "app/radio_sessions.h"
#include "core/config/radio_config.h"
#include "editors/frm_ch_info_edit.h"
#include "editors/frm_comm_ch_info.h"
#include "editors/frm_dtmf.h"
#include "editors/frm_emb_msg.h"
#include "editors/frm_fleet_sync.h"
#include "editors/frm_key_assignm.h"
#include "editors/frm_opt_features.h"
#include "editors/frm_scan_info.h"
#include "editors/frm_test_fre.h"
#include "radioinfo/frm_radio_info_set.h"
#include "support/modal_answer.h"
#include "support/scripted_prompter.h"
#include "support/test_installation.h"

using namespace kr4100;
using kr4100::testing::ModalAnswer;

namespace {

const QString kReadCompleted = QStringLiteral("Read Data Completed.");

struct Harness : kr4100::testing::TestInstallation {
  std::unique_ptr<frmMain> window;
  QString openAnswer;
  QString saveAnswer;

  explicit Harness(bool service = false) {
    app->serviceFunctions = service;
    window = std::make_unique<frmMain>(*ctx);
    window->chooseOpenFile = [this](const QString&) { return openAnswer; };
    window->chooseSaveFile = [this](const QString&, const QString&) { return saveAnswer; };
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get())) qWarning("main window not active");
    settle();
  }

  // The queued look for changes runs once the input's own handling is over.
  static void settle() {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
  }
  QAction* act(const char* name) const {
    return window->findChild<QAction*>(QString::fromUtf8(name));
  }
  Document& doc() { return ctx->doc(); }
  UndoHistory& history() { return window->history(); }
  void undo() {
    act("mnuEditUndo")->trigger();
    settle();
  }
  void redo() {
    act("mnuEditRedo")->trigger();
    settle();
  }
  QWidget* child(const char* name) const {
    return window->childWindow(QString::fromUtf8(name));
  }
  template <class T>
  T* in(const char* window, const char* name) const {
    QWidget* w = child(window);
    return w ? w->findChild<T*>(QString::fromUtf8(name)) : nullptr;
  }

  // The channel grid, as a user types into it.
  QTableWidget* grid() const { return in<QTableWidget>("frmCommChInfo", "MSFlexGrid1"); }
  QLineEdit* gridBox() const { return in<QLineEdit>("frmCommChInfo", "Text1"); }
  void typeInGrid(int row, int col, const QString& text, bool enter = true) {
    grid()->setCurrentCell(row - 1, col);
    gridBox()->selectAll();
    QTest::keyClicks(gridBox(), text);
    if (enter) QTest::keyClick(gridBox(), Qt::Key_Return);
    settle();
  }
  QString cell(int row, int col) const { return grid()->item(row - 1, col)->text(); }
  QString rx(int chNum, int group = 0) {
    const int slot = doc().FindChannelSlot(chNum, group);
    return slot ? QString::fromStdString(doc().working().slot(slot, group).RxFre.text())
                : QString();
  }
};


}  // namespace

class UndoTest : public QObject {
  Q_OBJECT
  QTemporaryDir config_;

 private slots:
  void initTestCase() { qputenv("XDG_CONFIG_HOME", config_.path().toUtf8()); }

  void menuEntriesSitAboveTheEditorsAndFollowTheHistory() {
    Harness h;
    auto* edit = h.window->findChild<QMenu*>(QStringLiteral("mnuEdit"));
    const QList<QAction*> entries = edit->actions();
    QCOMPARE(entries.at(0), h.act("mnuEditUndo"));
    QCOMPARE(entries.at(1), h.act("mnuEditRedo"));
    QVERIFY(entries.at(2)->isSeparator());
    QCOMPARE(entries.at(3), h.act("mnuChannelInfo"));
    QCOMPARE(h.act("mnuEditUndo")->text(), QStringLiteral("&Undo"));
    QCOMPARE(h.act("mnuEditRedo")->text(), QStringLiteral("&Redo"));
    QCOMPARE(h.act("mnuEditUndo")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
    // Each key once: a key twice on one action is ambiguous and does nothing.
    const QList<QKeySequence> redoKeys = h.act("mnuEditRedo")->shortcuts();
    QCOMPARE(QSet<QKeySequence>(redoKeys.begin(), redoKeys.end()).size(), redoKeys.size());
    QVERIFY(h.act("mnuEditRedo")->shortcuts().contains(QKeySequence(QStringLiteral("Ctrl+Y"))));
    // A fresh program has nothing to undo.
    QVERIFY(!h.act("mnuEditUndo")->isEnabled());
    QVERIFY(!h.act("mnuEditRedo")->isEnabled());

    h.typeInGrid(5, 1, QStringLiteral("28.5"));
    QVERIFY(h.act("mnuEditUndo")->isEnabled());
    h.undo();
    QVERIFY(!h.act("mnuEditUndo")->isEnabled());
    QVERIFY(h.act("mnuEditRedo")->isEnabled());

    h.ctx->settings().currentLanguage = kChinese;
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(h.window.get(), &activate);
    QCOMPARE(h.act("mnuEditUndo")->text(), QStringLiteral("撤销(&U)"));
    QCOMPARE(h.act("mnuEditRedo")->text(), QStringLiteral("重做(&R)"));
  }

  // Grid cells, with the grid showing each state; undoing back to the saved file leaves the
  // document unmodified.
  void gridCellsUndoRedoAndTheSavedState() {
    Harness h;
    h.saveAnswer = h.root.filePath(QStringLiteral("saved.dat"));
    QVERIFY(h.window->fileSaveAs());
    QVERIFY(!h.doc().IsDocumentModified());

    h.typeInGrid(5, 1, QStringLiteral("28.5"));
    h.typeInGrid(5, 2, QStringLiteral("29.1"));
    QCOMPARE(h.cell(5, 2), QStringLiteral("29.100000"));
    QVERIFY(h.doc().IsDocumentModified());

    h.undo();  // the TX frequency
    QCOMPARE(h.cell(5, 2), QStringLiteral("28.500000"));
    QCOMPARE(h.rx(5), QStringLiteral("28500000"));
    h.undo();  // the new channel
    QVERIFY(h.rx(5).isEmpty());
    QVERIFY(h.cell(5, 1).isEmpty());
    QVERIFY(!h.doc().IsDocumentModified());
    QVERIFY(!h.history().canUndo());

    h.redo();
    h.redo();
    QCOMPARE(h.cell(5, 2), QStringLiteral("29.100000"));
    QVERIFY(h.doc().IsDocumentModified());
    QVERIFY(!h.history().canRedo());

    // A new change after an undo drops what could have been redone.
    h.undo();
    h.typeInGrid(7, 1, QStringLiteral("28.7"));
    QVERIFY(!h.history().canRedo());
  }

  // Text still in the cell box is stored first, so Undo takes exactly that typing back.
  void typingStillInTheCellBoxIsTheStepUndone() {
    Harness h;
    h.typeInGrid(5, 1, QStringLiteral("28.5"));
    h.typeInGrid(6, 1, QStringLiteral("28.6"), false);
    QVERIFY(h.rx(6).isEmpty());  // not stored yet
    h.undo();
    QVERIFY(h.rx(6).isEmpty());
    QCOMPARE(h.rx(5), QStringLiteral("28500000"));
    h.redo();
    QCOMPARE(h.rx(6), QStringLiteral("28600000"));
  }

  // Ctrl+Z and Ctrl+Y: a text box with typing of its own keeps them; otherwise they undo and
  // redo the document.
  void keysLeaveATextBoxItsOwnUndo() {
    Harness h;
    h.typeInGrid(5, 1, QStringLiteral("28.5"));
    h.grid()->setCurrentCell(6, 1);
    QTest::qWait(20);
    QLineEdit* box = h.gridBox();
    QTRY_VERIFY(box->hasFocus());
    QTest::keyClicks(box, QStringLiteral("28.7"));
    // Ctrl+Z as a keyboard sends it: the control character, which the frequency box lets by.
    QTest::sendKeyEvent(QTest::Click, box, Qt::Key_Z, QString(QChar(26)), Qt::ControlModifier);
    h.settle();
    QVERIFY(box->text().isEmpty());  // the box took its own typing back
    QCOMPARE(h.rx(5), QStringLiteral("28500000"));  // the document kept its step

    QTest::sendKeyEvent(QTest::Click, box, Qt::Key_Y, QString(QChar(25)), Qt::ControlModifier);
    h.settle();
    QCOMPARE(box->text(), QStringLiteral("28.7"));
    QVERIFY(!h.history().canRedo());
    box->undo();

    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);  // nothing left in the box
    h.settle();
    QVERIFY(h.rx(5).isEmpty());
    QVERIFY(h.cell(5, 1).isEmpty());
    h.grid()->setFocus();
    QTest::keyClick(h.grid(), Qt::Key_Y, Qt::ControlModifier);
    h.settle();
    QCOMPARE(h.rx(5), QStringLiteral("28500000"));
    QCOMPARE(h.cell(5, 1), QStringLiteral("28.500000"));
  }

  // Check boxes, lists and text boxes of the other editors, each showing the record put back,
  // with no step of its own from showing it.
  void everyEditorKindIsUndoneAndShowsTheRecordPutBack() {
    Harness h(true);
    // Options: a check box.
    h.act("mnuOptFeature")->trigger();
    auto* check = h.in<QCheckBox>("FrmOptFeatures", "Check1_2");
    QVERIFY(check);
    const bool wasChecked = check->isChecked();
    const auto optBefore = h.doc().working().OptFeat;
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(6, check->height() / 2));
    h.settle();
    QVERIFY(h.doc().working().OptFeat != optBefore);
    // Keys: a list.
    h.act("mnuKeyAssignm")->trigger();
    auto* key = h.in<QComboBox>("FrmKeyAssignm", "Combo1_0");
    const int keyBefore = key->currentIndex();
    const auto keysBefore = h.doc().working().KeyAssign;
    key->setFocus();
    QTest::keyClick(key, keyBefore + 1 < key->count() ? Qt::Key_Down : Qt::Key_Up);
    h.settle();
    QVERIFY(h.doc().working().KeyAssign != keysBefore);
    // Embedded message: a text box stored on leaving it.
    h.act("mnuEmbeddedMsg")->trigger();
    auto* message = h.in<QLineEdit>("FrmEmbMsg", "Text1_0");
    const QString messageBefore = message->text();
    message->setFocus();
    message->selectAll();
    QTest::keyClicks(message, QStringLiteral("HELLO"));
    QTest::keyClick(message, Qt::Key_Tab);
    h.settle();
    QVERIFY(h.doc().IsDocumentModified());
    // The remaining editors open alongside, to show what is put back.
    for (const char* name : {"mnuScanInfo", "mnuDTMF", "mnuFleetSync", "mnuTestFre"})
      h.act(name)->trigger();
    h.settle();

    h.undo();
    QCOMPARE(message->text(), messageBefore);
    h.undo();
    QCOMPARE(key->currentIndex(), keyBefore);
    QVERIFY(h.doc().working().KeyAssign == keysBefore);
    h.undo();
    QCOMPARE(check->isChecked(), wasChecked);
    QVERIFY(h.doc().working().OptFeat == optBefore);
    QVERIFY(!h.doc().IsDocumentModified());
    QVERIFY(!h.history().canUndo());
    // Showing the record again was no change: all three still redo.
    h.redo();
    QCOMPARE(check->isChecked(), !wasChecked);
    h.redo();
    h.redo();
    QCOMPARE(message->text(), QStringLiteral("HELLO"));
    QVERIFY(!h.history().canRedo());
  }

  void editDialogStepsShowInTheDialog() {
    Harness h;
    h.in<QPushButton>("frmCommChInfo", "CommandCHInfoEdit")->click();
    auto* dialog = h.child("frmCommChInfo")->findChild<FrmCHInfoEdit*>();
    QVERIFY(dialog);
    auto* channel = dialog->findChild<QComboBox*>(QStringLiteral("Combo1"));
    auto* rxBox = dialog->findChild<QLineEdit*>(QStringLiteral("Text1"));
    channel->setCurrentIndex(channel->findText(QStringLiteral("9")));
    rxBox->setFocus();
    QTest::keyClicks(rxBox, QStringLiteral("28.9"));
    QTest::keyClick(rxBox, Qt::Key_Return);
    h.settle();
    QCOMPARE(h.rx(9), QStringLiteral("28900000"));
    h.undo();
    QVERIFY(h.rx(9).isEmpty());
    QVERIFY(rxBox->text().isEmpty());
    QVERIFY(h.cell(9, 1).isEmpty());
    h.redo();
    QCOMPARE(rxBox->text(), QStringLiteral("28.900000"));
  }

  // New (toolbar, no question) and Initial Setting are one step each; one Undo brings back the
  // document as it was.
  void newAndInitialSettingAreOneStepEach() {
    Harness h;
    h.typeInGrid(5, 1, QStringLiteral("28.5"));
    const RadioConfig edited = h.doc().working();
    h.prompter.asked.clear();
    h.window->findChild<QAction*>(QStringLiteral("新建"))->trigger();
    h.settle();
    QVERIFY(h.prompter.asked.isEmpty());
    QVERIFY(h.rx(5).isEmpty());
    h.undo();
    QVERIFY(SameDocumentContent(h.doc().working(), edited));
    QCOMPARE(h.grid()->item(4, 1)->text(), QStringLiteral("28.500000"));

    h.act("MnuInitial")->trigger();
    h.settle();
    QVERIFY(h.prompter.asked.isEmpty());
    QVERIFY(h.rx(5).isEmpty());
    h.undo();
    QVERIFY(SameDocumentContent(h.doc().working(), edited));
    h.redo();
    QVERIFY(h.rx(5).isEmpty());
  }

  // The model dialog and the grid's band list replace the document with one for another band:
  // one step, the band and the caption coming back with it.
  void modelAndBandChangesAreOneStep() {
    Harness h;
    h.typeInGrid(5, 1, QStringLiteral("28.5"));
    const QString caption = h.window->windowTitle();
    const std::string bandBefore = h.doc().state().bandText;
    const RadioConfig edited = h.doc().working();
    h.prompter.answers = {Answer::Ok};  // "Frequency data will be cleared."
    {
      ModalAnswer answer([](QDialog* d) {
        auto* model = d->findChild<QComboBox*>(QStringLiteral("Combo1"));
        model->setEditText(QStringLiteral("HT63"));
        emit model->textActivated(model->currentText());
        d->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
      });
      h.act("mnuModelInfo")->trigger();
    }
    h.settle();
    QCOMPARE(h.doc().state().modelText, std::string("HT63"));
    QVERIFY(h.window->windowTitle() != caption);
    h.undo();
    QCOMPARE(h.doc().state().modelText, std::string("HT52"));
    QCOMPARE(h.window->windowTitle(), caption);
    QVERIFY(SameDocumentContent(h.doc().working(), edited));
    QVERIFY(h.history().canUndo());  // the channel typed before

    // The band list: the question, then the new document a moment later.
    auto* band = h.in<QComboBox>("frmCommChInfo", "Combo2");
    h.prompter.answers = {Answer::Ok};
    band->setCurrentIndex(1);
    emit band->activated(1);
    h.settle();
    QTRY_VERIFY(h.doc().state().bandText != bandBefore && h.rx(5).isEmpty());
    QVERIFY(h.window->windowTitle() != caption);
    h.undo();
    QCOMPARE(h.window->windowTitle(), caption);
    QVERIFY(SameDocumentContent(h.doc().working(), edited));
    h.undo();  // the channel typed before both
    QVERIFY(h.rx(5).isEmpty());
    QVERIFY(!h.history().canUndo());
  }

  void readFromTheRadioIsOneStep() {
    Harness h;
    h.ctx->settings().comDevice = RadioSessions::virtualRadioName().toStdString();
    h.window->sessions().setVirtualRadioSpeed(0);
    h.typeInGrid(5, 1, QStringLiteral("28.5"));
    const RadioConfig edited = h.doc().working();
    h.prompter.answers = {Answer::Ok};
    h.act("mnuReadFromRadio")->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(h.prompter.asked.contains(kReadCompleted), 8000);
    h.settle();
    QVERIFY(!SameDocumentContent(h.doc().working(), edited));
    h.undo();
    QVERIFY(SameDocumentContent(h.doc().working(), edited));
    QCOMPARE(h.cell(5, 1), QStringLiteral("28.500000"));
    h.redo();
    QVERIFY(!SameDocumentContent(h.doc().working(), edited));
  }

  void openClearsTheHistory() {
    Harness h;
    h.saveAnswer = h.root.filePath(QStringLiteral("saved.dat"));
    QVERIFY(h.window->fileSaveAs());
    h.typeInGrid(5, 1, QStringLiteral("28.5"));
    QVERIFY(h.history().canUndo());
    h.openAnswer = h.saveAnswer;
    h.prompter.answers = {Answer::No};  // the save question
    h.act("mnuFileOpen")->trigger();
    h.settle();
    QVERIFY(h.rx(5).isEmpty());
    QVERIFY(!h.history().canUndo());
    QVERIFY(!h.history().canRedo());
    QVERIFY(!h.act("mnuEditUndo")->isEnabled());
  }

  // No window writes the record by itself: each change goes through the document, which
  // announces it, so a history that watches no input at all still finds every one as a step.
  void everyWindowsChangeIsAnnouncedByTheDocument() {
    kr4100::testing::TestInstallation inst;
    Document& doc = inst.ctx->doc();
    const RadioConfig start = doc.working();
    UndoHistory history(doc, /*watchInput=*/false);
    struct : DocumentCommands {
      void newDocumentDeferred() override {}
    } commands;
    const auto isOneStep = [&](const char* change, const std::function<void()>& make) {
      const int steps = history.stack()->count();
      make();
      Harness::settle();
      QVERIFY2(history.stack()->count() == steps + 1, change);
    };
    const auto pick = [](QWidget& window, const QString& name, int index, bool activate) {
      auto* list = window.findChild<QComboBox*>(name);
      list->setCurrentIndex(index);
      if (activate) emit list->activated(index);
    };

    frmCommChInfo grid(*inst.ctx, commands);
    grid.show();
    isOneStep("channel routine", [&] { doc.SetChannelValue(5, kColRxFre, "28.5"); });
    isOneStep("emergency channel", [&] {
      pick(grid, QStringLiteral("Combo1_0"), 1, false);  // the lists hold 1 and 5
    });
    QCOMPARE(doc.working().OptFeat[kEmgCh0], 4);
    auto* dialog = new FrmCHInfoEdit(*inst.ctx, &grid);
    isOneStep("channel edit dialog", [&] {
      pick(*dialog, QStringLiteral("Combo1"), 8, false);
      auto* rx = dialog->findChild<QLineEdit*>(QStringLiteral("Text1"));
      rx->setText(QStringLiteral("28.9"));
      rx->setModified(true);
      dialog->commitPendingEdit();
    });

    FrmFleetSync fleet(*inst.ctx);
    isOneStep("own fleet", [&] { pick(fleet, QStringLiteral("Combo1_0"), 1, true); });
    isOneStep("baud rate", [&] { pick(fleet, QStringLiteral("Combo1_2"), 1, true); });
    isOneStep("side tone", [&] { fleet.findChild<QCheckBox*>(QStringLiteral("Check1"))->click(); });
    FrmOptFeatures options(*inst.ctx);
    isOneStep("option box",
              [&] { options.findChild<QCheckBox*>(QStringLiteral("Check1_2"))->click(); });
    FrmKeyAssignm keys(*inst.ctx);
    isOneStep("key", [&] { pick(keys, QStringLiteral("Combo1_0"), 3, false); });
    FrmScanInfo scan(*inst.ctx);
    isOneStep("scan list", [&] { pick(scan, QStringLiteral("Combo1_6"), 0, true); });
    FrmDTMF dtmf(*inst.ctx);
    isOneStep("DTMF box", [&] { dtmf.findChild<QCheckBox*>(QStringLiteral("Check1_6"))->click(); });
    FrmEmbMsg messages(*inst.ctx);
    isOneStep("message", [&] {
      messages.findChild<QLineEdit*>(QStringLiteral("Text1_0"))->setText(QStringLiteral("HI"));
      messages.commitPendingEdit();
    });
    FrmTestFre tests(*inst.ctx);
    isOneStep("test frequency", [&] {
      tests.findChild<QTableWidget*>(QStringLiteral("MSFlexGrid1"))->setCurrentCell(8, 1);
      tests.findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("28.3"));
      tests.commitPendingEdit();
    });
    FrmRadioInfoSet info(*inst.ctx);
    isOneStep("radio information", [&] {
      info.findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("20260101"));
      info.StoreData();
    });

    while (history.canUndo()) history.undo();
    QVERIFY(SameDocumentContent(doc.working(), start));
  }

  // Looking is no change: opening every editor, tabbing through its fields, switching group and
  // closing them records nothing.
  void openingTabbingAndClosingRecordNothing() {
    Harness h(true);
    for (const char* name : {"mnuOptFeature", "mnuKeyAssignm", "mnuScanInfo", "mnuDTMF",
                             "mnuFleetSync", "mnuTestFre", "mnuEmbeddedMsg"}) {
      h.act(name)->trigger();
      h.settle();
      for (int i = 0; i < 12; ++i) {
        if (QWidget* focus = QApplication::focusWidget()) QTest::keyClick(focus, Qt::Key_Tab);
        h.settle();
      }
    }
    auto* group = h.in<QComboBox>("frmCommChInfo", "Combo6");
    group->setCurrentIndex(2);
    h.settle();
    h.in<QPushButton>("frmCommChInfo", "CommandCHInfoEdit")->click();
    h.settle();
    h.window->closeAllChildren();
    h.settle();
    QVERIFY(!h.history().canUndo());
    QVERIFY(!h.act("mnuEditUndo")->isEnabled());
  }
};

QTEST_MAIN(UndoTest)
#include "undo_test.moc"
