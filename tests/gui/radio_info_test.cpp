// SPDX-License-Identifier: GPL-3.0-or-later
// The radio-information windows through their own controls: the read that shows the record's
// radio information, the set window's lists, boxes and rules, its store on Write and on closing,
// Time Sync, the read and write against the in-process virtual radio, and a saved file.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "app/frm_main.h"
#include "app/radio_sessions.h"
#include "core/config/data_file_layout.h"
#include "radioinfo/frm_emg.h"
#include "radioinfo/frm_radio_info.h"
#include "radioinfo/frm_radio_info_set.h"
#include "support/scripted_prompter.h"
#include "support/test_installation.h"

using namespace kr4100;

namespace {

const QString kBand0 = QStringLiteral("28.000000 - 29.700000 MHz");
const QString kBand1 = QStringLiteral("25.615000 - 30.105000 MHz");
const QString kNotWritten = QStringLiteral(
    "The radio did not accept the radio information. Nothing was changed in the radio.");

QStringList ItemsOf(const QComboBox* box) {
  QStringList items;
  for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
  return items;
}

// The main window started with the service switch, its radio the in-process virtual one.
struct Harness : kr4100::testing::TestInstallation {
  std::unique_ptr<frmMain> main;
  QString file;

  Harness() : TestInstallation(0x0409, {}, [](AppState& app) { app.serviceFunctions = true; }) {
    ctx->settings().comDevice = RadioSessions::virtualRadioName().toStdString();
    file = root.filePath(QStringLiteral("info.dat"));
    main = std::make_unique<frmMain>(*ctx);
    main->sessions().setVirtualRadioSpeed(0);
    main->chooseSaveFile = [this](const QString&, const QString&) { return file; };
    main->chooseOpenFile = [this](const QString&) { return file; };
    main->show();
  }
  ~Harness() {
    // Modal windows first, as a user would close them before the program.
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w != main.get() && w->isVisible() && w->isModal()) w->close();
  }

  ModelInfo& info() { return ctx->doc().working().ModelInfo; }
  void trigger(const char* action) {
    main->findChild<QAction*>(QString::fromLatin1(action))->trigger();
  }
  FrmRadioInfoSet* openSet() {
    trigger("mnuSetRadioInfo");
    // One closed a moment ago may still wait for its deletion.
    for (auto* window : main->findChildren<FrmRadioInfoSet*>(QStringLiteral("FrmRadioInfoSet")))
      if (window->isVisible()) return window;
    return nullptr;
  }
  template <class T>
  static T* in(QWidget* window, const char* name) {
    return window->findChild<T*>(QString::fromLatin1(name));
  }
  // A user's pick in a list: the item, then the activation the list reports.
  static void choose(QComboBox* box, const QString& text) {
    const int index = box->findText(text);
    QVERIFY2(index >= 0, qPrintable(text));
    box->setCurrentIndex(index);
    emit box->activated(index);
  }
};

}  // namespace

class RadioInfoTest : public QObject {
  Q_OBJECT

 private slots:
  void radioInformationCommandReadsThenShowsTheRecord() {
    Harness h;
    h.info().ProgDate.assign("20250704");
    h.info().BandType2 = 1;
    h.ctx->doc().CommitWorkingCopy();
    h.trigger("mnuRadioInfo");
    QTRY_VERIFY_WITH_TIMEOUT(h.main->findChild<FrmRadioInfo*>(QStringLiteral("FrmRadioInfo")),
                             5000);
    auto* window = h.main->findChild<FrmRadioInfo*>(QStringLiteral("FrmRadioInfo"));
    QVERIFY(window->isVisible() && window->isModal());
    QVERIFY(!h.main->findChild<FrmEMG*>(QStringLiteral("FrmEMG")));
    QVERIFY(h.prompter.asked.isEmpty());
    QCOMPARE(window->windowTitle(), QStringLiteral("Radio Information"));

    auto* combo1 = Harness::in<QComboBox>(window, "Combo1");
    auto* combo2 = Harness::in<QComboBox>(window, "Combo2");
    auto* text1 = Harness::in<QLineEdit>(window, "Text1");
    // The whole model code, not its first three characters.
    QCOMPARE(combo1->currentText(), QStringLiteral("HT52"));
    QCOMPARE(ItemsOf(combo1).mid(0, 7),
             (QStringList{"611", "615", "616", "711", "715", "716", "HT52"}));
    QCOMPARE(ItemsOf(combo2), (QStringList{kBand0, kBand1}));
    QCOMPARE(combo2->currentText(), kBand1);
    QCOMPARE(text1->text(), QStringLiteral("20250704"));
    QVERIFY(text1->isReadOnly());
    QCOMPARE(Harness::in<QLabel>(window, "Label3")->text(), QStringLiteral("Serial Number"));
    QCOMPARE(text1->accessibleName(), QStringLiteral("Serial Number"));

    // Choosing a model offers its bands with the first selected; nothing reaches the record.
    const ModelInfo before = h.info();
    Harness::choose(combo1, QStringLiteral("711"));
    QCOMPARE(ItemsOf(combo2), (QStringList{"450 - 490 MHz(K)", "470 - 512 MHz(K2)",
                                           "450 - 490 MHz(M)", "470 - 512 MHz(M2)"}));
    QCOMPARE(combo2->currentText(), QStringLiteral("450 - 490 MHz(K)"));

    h.ctx->settings().currentLanguage = kChinese;
    window->reCaption();
    QCOMPARE(window->windowTitle(), QString::fromUtf8("对讲机信息"));
    QCOMPARE(Harness::in<QLabel>(window, "Label1")->text(), QString::fromUtf8("机型类型"));
    QCOMPARE(Harness::in<QLabel>(window, "Label2")->text(), QString::fromUtf8("频率"));
    QCOMPARE(Harness::in<QLabel>(window, "Label3")->text(), QString::fromUtf8("序号"));
    Harness::in<QPushButton>(window, "CommandClose")->click();
    QTRY_VERIFY(!h.main->findChild<FrmRadioInfo*>(QStringLiteral("FrmRadioInfo")));
    QCOMPARE(h.info(), before);
    QVERIFY(h.ctx->doc().IsDocumentUnchanged());

    // The local-information command keeps its own window.
    h.trigger("mnuEMG");
    QTRY_VERIFY_WITH_TIMEOUT(h.main->findChild<FrmEMG*>(QStringLiteral("FrmEMG")), 5000);
    QVERIFY(!h.main->findChild<FrmRadioInfo*>(QStringLiteral("FrmRadioInfo")));
  }

  void setWindowOnANewDocumentChangesNothing() {
    Harness h;
    const ModelInfo before = h.info();
    FrmRadioInfoSet* window = h.openSet();
    QVERIFY(window && window->isVisible() && window->isModal());
    QCOMPARE(window->windowTitle(), QStringLiteral("Set Radio Information"));
    QCOMPARE(Harness::in<QComboBox>(window, "Combo1")->currentText(), QStringLiteral("HT52"));
    QCOMPARE(Harness::in<QComboBox>(window, "Combo2")->currentText(), kBand0);
    QCOMPARE(Harness::in<QLineEdit>(window, "Text1")->text(),
             QString::fromLatin1(before.ProgDate.raw().data(), 8));
    QCOMPARE(Harness::in<QLineEdit>(window, "Text2")->text(), QStringLiteral("V6.00"));
    QCOMPARE(Harness::in<QLabel>(window, "Label4")->text(), QString::fromUtf8("版本"));
    QCOMPARE(Harness::in<QPushButton>(window, "CommandTimeSync")->text(),
             QStringLiteral("&Time Sync"));
    Harness::in<QPushButton>(window, "CommandClose")->click();
    QTRY_VERIFY(!h.main->findChild<FrmRadioInfoSet*>(QStringLiteral("FrmRadioInfoSet")));
    QCOMPARE(h.info(), before);
    QVERIFY(h.ctx->doc().IsDocumentUnchanged());

    // A model name of another radio and a band its list lacks are shown and kept as they are.
    h.info().ModelName.assign(std::string("611\0  ", 6));
    h.info().BandType2 = 1;
    h.ctx->doc().LoadSavedCopyOnly(h.ctx->doc().working());
    const ModelInfo other = h.info();
    window = h.openSet();
    auto* combo2 = Harness::in<QComboBox>(window, "Combo2");
    QCOMPARE(Harness::in<QComboBox>(window, "Combo1")->currentText(), QStringLiteral("611"));
    QCOMPARE(ItemsOf(combo2), (QStringList{kBand1, "136 - 174 MHz(M)", "136 - 174 MHz(K)"}));
    QCOMPARE(combo2->currentText(), kBand1);
    h.ctx->settings().currentLanguage = kChinese;
    window->reCaption();
    QCOMPARE(window->windowTitle(), QString::fromUtf8("设置对讲机信息"));
    QCOMPARE(Harness::in<QPushButton>(window, "CommandRead")->text(),
             QString::fromUtf8("读出(&R)"));
    QCOMPARE(Harness::in<QPushButton>(window, "CommandWrite")->text(),
             QString::fromUtf8("写入(&W)"));
    QCOMPARE(Harness::in<QPushButton>(window, "CommandTimeSync")->text(),
             QString::fromUtf8("时间同步(&T)"));
    QCOMPARE(Harness::in<QLabel>(window, "Label4")->text(), QString::fromUtf8("版本"));
    QTest::keyClick(window, Qt::Key_Escape);
    QTRY_VERIFY(!h.main->findChild<FrmRadioInfoSet*>(QStringLiteral("FrmRadioInfoSet")));
    QCOMPARE(h.info(), other);
    QVERIFY(h.ctx->doc().IsDocumentUnchanged());
  }

  void boxesFilterKeysAndVersionGetsItsV() {
    Harness h;
    FrmRadioInfoSet* window = h.openSet();
    QVERIFY(QTest::qWaitForWindowActive(window));
    auto* text1 = Harness::in<QLineEdit>(window, "Text1");
    auto* text2 = Harness::in<QLineEdit>(window, "Text2");
    QCOMPARE(text1->maxLength(), 8);
    QCOMPARE(text2->maxLength(), 5);
    QCOMPARE(text2->contextMenuPolicy(), Qt::PreventContextMenu);

    text2->setFocus();
    text2->clear();
    QTest::keyClicks(text2, QStringLiteral("6.01"));
    QKeyEvent accented(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier, QString::fromUtf8("é"));
    QApplication::sendEvent(text2, &accented);
    QCOMPARE(text2->text(), QStringLiteral("6.01"));
    QTest::keyClick(text2, Qt::Key_Tab);  // leaving the box
    QVERIFY(!text2->hasFocus());
    QCOMPARE(text2->text(), QStringLiteral("V6.01"));

    text2->setFocus();
    text2->clear();
    QTest::keyClick(text2, Qt::Key_Return);  // Enter moves on as Tab does
    QVERIFY(!text2->hasFocus());
    QCOMPARE(text2->text(), QStringLiteral("V"));

    // A full box without its V keeps the first five characters after it.
    text2->setFocus();
    text2->clear();
    QTest::keyClicks(text2, QStringLiteral("60123"));
    text1->setFocus();
    QCOMPARE(text2->text(), QStringLiteral("V6012"));

    text1->clear();
    QTest::keyClicks(text1, QStringLiteral("2026"));
    QKeyEvent wide(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8("年"));
    QApplication::sendEvent(text1, &wide);
    QTest::keyClicks(text1, QStringLiteral("12010"));
    QCOMPARE(text1->text(), QStringLiteral("20261201"));

    // Closing straight from the box by key still gives the version its V.
    text2->setFocus();
    text2->clear();
    QTest::keyClicks(text2, QStringLiteral("7"));
    QTest::keyClick(window, Qt::Key_Escape);
    QTRY_VERIFY(!h.main->findChild<FrmRadioInfoSet*>(QStringLiteral("FrmRadioInfoSet")));
    QCOMPARE(h.info().SoftVer.raw(), std::string_view("V7\0  ", 5));
    QCOMPARE(h.info().ProgDate.raw(), "20261201");
  }

  void timeSyncAndChoicesAreStoredOnClosing() {
    Harness h;
    FrmRadioInfoSet* window = h.openSet();
    window->setToday([] { return CalendarDate{2026, 12, 1}; });
    h.info().SeriesChar = 0;
    h.ctx->doc().LoadSavedCopyOnly(h.ctx->doc().working());
    const FixedText<8> dateBefore = h.info().ProgDate;

    Harness::in<QPushButton>(window, "CommandTimeSync")->click();
    QCOMPARE(Harness::in<QLineEdit>(window, "Text1")->text(), QStringLiteral("20261201"));
    QCOMPARE(h.info().ProgDate, dateBefore);  // nothing stored before the window closes
    auto* combo1 = Harness::in<QComboBox>(window, "Combo1");
    auto* combo2 = Harness::in<QComboBox>(window, "Combo2");
    Harness::choose(combo1, QStringLiteral("HT52"));
    QCOMPARE(combo2->currentText(), kBand0);
    Harness::choose(combo2, kBand1);
    Harness::in<QPushButton>(window, "CommandClose")->click();

    QCOMPARE(h.info().ProgDate.raw(), "20261201");
    QCOMPARE(h.info().ModelName.raw(), std::string_view("HT52\0 ", 6));
    QCOMPARE(h.info().BandType2, 1);
    QCOMPARE(h.info().SeriesChar, 67);
    QVERIFY(h.ctx->doc().IsDocumentModified());

    // A model of another family: its first band goes in as this radio's first band code.
    window = h.openSet();
    Harness::choose(Harness::in<QComboBox>(window, "Combo1"), QStringLiteral("716"));
    QCOMPARE(Harness::in<QComboBox>(window, "Combo2")->currentText(),
             QStringLiteral("450 - 490 MHz(M)"));
    window->close();
    QCOMPARE(h.info().ModelName.raw(), std::string_view("716\0  ", 6));
    QCOMPARE(h.info().BandType2, 0);
  }

  void readAndWriteAgainstTheVirtualRadio() {
    Harness h;
    FrmRadioInfoSet* window = h.openSet();
    auto* text2 = Harness::in<QLineEdit>(window, "Text2");
    text2->setText(QStringLiteral("V9.99"));

    Harness::in<QPushButton>(window, "CommandRead")->click();
    QTRY_VERIFY_WITH_TIMEOUT(window->findChild<FrmEMG*>(QStringLiteral("FrmEMG")), 5000);
    FrmEMG* emg = window->findChild<FrmEMG*>(QStringLiteral("FrmEMG"));
    QVERIFY(emg->isVisible());
    // The radio's own block, over the set window, which stays open.
    QCOMPARE(Harness::in<QLineEdit>(emg, "Text1_1")->text(), QStringLiteral("41000A0012345"));
    QVERIFY(window->isVisible());
    QVERIFY(!h.main->findChild<FrmRadioInfo*>(QStringLiteral("FrmRadioInfo")));
    QVERIFY(h.prompter.asked.isEmpty());
    QCOMPARE(h.info().SoftVer.raw(), "V6.00");  // a read stores nothing from the window
    emg->close();
    QTRY_VERIFY(!window->findChild<FrmEMG*>(QStringLiteral("FrmEMG")));

    // Write stores first, then the radio is asked and refuses the block.
    Harness::in<QPushButton>(window, "CommandWrite")->click();
    QCOMPARE(h.info().SoftVer.raw(), "V9.99");
    QTRY_COMPARE_WITH_TIMEOUT(h.prompter.asked, QStringList{kNotWritten}, 5000);
    QVERIFY(!h.main->sessions().busy());
    QVERIFY(window->isVisible());

    // Without a port nothing starts: the port error, no window.
    h.prompter.asked.clear();
    h.app->portOverride = "/dev/kr4100-no-such-port";
    Harness::in<QPushButton>(window, "CommandRead")->click();
    Harness::in<QPushButton>(window, "CommandWrite")->click();
    const QString gone = QStringLiteral(
        "Cannot Open Communication Port.\r\nThe port does not exist: the cable or USB adapter may "
        "be unplugged. Plug it in, or choose another port under Setup.");
    QCOMPARE(h.prompter.asked, (QStringList{gone, gone}));
    QVERIFY(!window->findChild<FrmEMG*>(QStringLiteral("FrmEMG")));
  }

  void changeSurvivesSaveAndReopening() {
    Harness h;
    FrmRadioInfoSet* window = h.openSet();
    window->setToday([] { return CalendarDate{2027, 2, 9}; });
    Harness::in<QPushButton>(window, "CommandTimeSync")->click();
    Harness::choose(Harness::in<QComboBox>(window, "Combo2"), kBand1);
    auto* text2 = Harness::in<QLineEdit>(window, "Text2");
    text2->setText(QStringLiteral("V7.1"));
    Harness::in<QPushButton>(window, "CommandClose")->click();
    QVERIFY(h.main->fileSaveAs());

    // ModelInfo in the file: ProgDate at 10, SoftVer at 18, BandType2 at 29 (little-endian).
    QFile file(h.file);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray info = file.readAll().mid(static_cast<int>(layout::kModelInfoOffset), 33);
    QCOMPARE(info.mid(10, 8), QByteArray("20270209"));
    QCOMPARE(info.mid(18, 5), QByteArray("V7.1\0", 5));
    QCOMPARE(info.mid(29, 2), QByteArray("\x01\x00", 2));
    QCOMPARE(info.mid(31, 2), QByteArray("\x43\x00", 2));

    h.main->fileNew(Asking::WithoutAsking);
    QVERIFY(h.info().SoftVer.raw() != std::string_view("V7.1\0", 5));
    h.trigger("mnuFileOpen");
    window = h.openSet();
    QCOMPARE(Harness::in<QLineEdit>(window, "Text1")->text(), QStringLiteral("20270209"));
    QCOMPARE(Harness::in<QLineEdit>(window, "Text2")->text(), QStringLiteral("V7.1"));
    QCOMPARE(Harness::in<QComboBox>(window, "Combo2")->currentText(), kBand1);
    window->close();
    QVERIFY(h.ctx->doc().IsDocumentUnchanged());
  }
};

QTEST_MAIN(RadioInfoTest)
#include "radio_info_test.moc"
