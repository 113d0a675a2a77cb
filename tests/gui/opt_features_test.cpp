// SPDX-License-Identifier: GPL-3.0-or-later
// The option features window, driven through its own lists and check boxes offscreen, and
// opened from the main window's command and tree node.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

#include "app/frm_main.h"
#include "core/config/option_tables.h"
#include "editors/frm_opt_features.h"
#include "support/test_installation.h"

using namespace kr4100;

namespace {

struct Fixture : kr4100::testing::TestInstallation {
  std::unique_ptr<FrmOptFeatures> window;

  // prepare: what the record holds before the window loads.
  explicit Fixture(int language = kEnglish, const std::function<void(RadioConfig&)>& prepare = {}) {
    ctx->settings().currentLanguage = language;
    if (prepare) prepare(doc().working());
    window = std::make_unique<FrmOptFeatures>(*ctx);
    window->show();
  }

  Document& doc() { return ctx->doc(); }
  int field(int i) { return doc().working().OptFeat[static_cast<std::size_t>(i)]; }
  QComboBox* combo(int k) { return window->findChild<QComboBox*>(QStringLiteral("Combo1_%1").arg(k)); }
  QCheckBox* check(int k) { return window->findChild<QCheckBox*>(QStringLiteral("Check1_%1").arg(k)); }
  QString shown(int k) { return combo(k)->currentText(); }
  // A click on a check box as the user gives it.
  void click(int k) { QTest::mouseClick(check(k), Qt::LeftButton, {}, QPoint(6, check(k)->height() / 2)); }
  void key(int k, Qt::Key key) {
    combo(k)->setFocus();
    QTest::keyClick(combo(k), key);
  }
};

constexpr int kModes[] = {0, 1, 2, 3, 4, 5};
constexpr int kCommonBoxes[] = {9, 10, 11, 12, 13, 14, 15};

}  // namespace

class OptFeaturesTest : public QObject {
  Q_OBJECT
  QTemporaryDir config_;

 private slots:
  void initTestCase() { qputenv("XDG_CONFIG_HOME", config_.path().toUtf8()); }

  void showsTheNewDocumentDefaultsWithCaptionsAndUnits() {
    Fixture f;
    QCOMPARE(f.window->windowTitle(), QStringLiteral("Optional Features"));
    // The new-document values, in the units the lists show.
    QCOMPARE(f.shown(0), QStringLiteral("60"));     // Tot 2
    QCOMPARE(f.shown(1), QStringLiteral("1050"));   // RbFre 105
    QCOMPARE(f.shown(2), QStringLiteral("150"));    // RbTime 2
    QCOMPARE(f.shown(4), QStringLiteral("10Hz"));   // FreStep 3
    QCOMPARE(f.shown(5), QStringLiteral("ON"));
    QCOMPARE(f.shown(7), QStringLiteral("5"));      // ScanResumeTime 4
    QCOMPARE(f.shown(9), QStringLiteral("6.0"));    // SwrProtect 60
    QCOMPARE(f.shown(10), QStringLiteral("11.0"));  // BatVoltMin 110
    QCOMPARE(f.shown(11), QStringLiteral("16.0"));
    QCOMPARE(f.shown(14), QStringLiteral("50"));    // SsbSqCloseDelay 9
    QCOMPARE(f.shown(15), QStringLiteral("1000"));  // SingleTone 100
    QCOMPARE(f.shown(18), QStringLiteral("31"));
    QCOMPARE(f.combo(1)->count(), 271);
    QCOMPARE(f.combo(1)->itemText(270), QStringLiteral("3000"));
    QCOMPARE(f.combo(9)->itemText(188), QStringLiteral("20.0"));
    for (int k : kModes) QVERIFY(f.check(k)->isChecked());
    QVERIFY(f.check(16)->isChecked());
    QVERIFY(!f.check(6)->isChecked());
    QVERIFY(!f.check(10)->isChecked());
    // Captions with their units, labels beside their lists, the mode frame.
    auto* label1 = f.window->findChild<QLabel*>(QStringLiteral("Label1_1"));
    QCOMPARE(label1->text(), QStringLiteral("RB Frequecy[Hz]"));
    QCOMPARE(label1->buddy(), f.combo(1));
    QCOMPARE(f.window->findChild<QLabel*>(QStringLiteral("Label1_10"))->text(),
             QStringLiteral("Battery Voltage Protect Value 1 -- Min[V]"));
    QCOMPARE(f.check(4)->text(), QStringLiteral("PA Enalbe"));
    auto* frame = f.window->findChild<QGroupBox*>(QStringLiteral("Frame1"));
    QCOMPARE(frame->title(), QStringLiteral("Mode Option"));
    for (int k : kModes) QVERIFY(frame->isAncestorOf(f.check(k)));
    QVERIFY(!frame->isAncestorOf(f.check(6)));
    QCOMPARE(f.window->findChild<QPushButton*>(QStringLiteral("CommandClose"))->text(),
             QStringLiteral("&Close"));
  }

  void chineseTextsAndAccessibleNames() {
    Fixture f(kChinese);
    QCOMPARE(f.window->windowTitle(), QStringLiteral("可选功能"));
    QCOMPARE(f.combo(0)->itemText(0), QStringLiteral("关"));
    QCOMPARE(f.combo(18)->itemText(0), QStringLiteral("关"));
    QCOMPARE(f.shown(5), QStringLiteral("开"));
    QCOMPARE(f.combo(8)->itemText(1), QStringLiteral("SWR驻波LCD显示"));
    QCOMPARE(f.window->findChild<QLabel*>(QStringLiteral("Label1_0"))->text(),
             QStringLiteral("超时定时器(TOT)[秒]"));
    QCOMPARE(f.check(6)->text(), QStringLiteral("允许独立改变信道数据"));
    QCOMPARE(f.window->findChild<QGroupBox*>(QStringLiteral("Frame1"))->title(),
             QStringLiteral("模式选项"));
    QCOMPARE(f.window->findChild<QPushButton*>(QStringLiteral("CommandHelp"))->text(),
             QStringLiteral("帮助(&H)"));
    // Every control is named by its caption for screen readers and reachable by Tab.
    for (int k = 0; k < kOptionListCount; ++k) {
      QCOMPARE(f.combo(k)->accessibleName(), QString::fromUtf8(OptionListAt(k).caption.zh));
      QVERIFY(f.combo(k)->focusPolicy() & Qt::TabFocus);
    }
    for (int k = 0; k < kOptionCheckCount; ++k) {
      QCOMPARE(f.check(k)->accessibleName(), f.check(k)->text());
      QVERIFY(f.check(k)->focusPolicy() & Qt::TabFocus);
    }
  }

  void picksStoreTheirValuesAtOnce() {
    Fixture f;
    QVERIFY(f.doc().IsDocumentUnchanged());
    f.key(1, Qt::Key_End);  // 3000 Hz
    QCOMPARE(f.field(kRbFre), 300);
    QVERIFY(f.doc().IsDocumentModified());
    f.key(10, Qt::Key_Home);  // 9.0 V
    QCOMPARE(f.field(kBatVoltMin), 90);
    f.key(9, Qt::Key_Home);  // SWR 1.2
    QCOMPARE(f.field(kSwrProtect), 12);
    f.key(0, Qt::Key_Up);  // 60 s -> 30 s
    QCOMPARE(f.field(kTot), 1);
    f.key(21, Qt::Key_Down);  // beep volume 31 -> 32
    QCOMPARE(f.field(kBeepVol), 32);
    // Enter moves on as Tab does, storing nothing.
    f.combo(1)->setFocus();
    QTest::keyClick(f.combo(1), Qt::Key_Return);
    QVERIFY(!f.combo(1)->hasFocus());
    QCOMPARE(f.field(kRbFre), 300);
  }

  void valuesOutsideTheListsShowTheirFirstItemUntilPicked() {
    Fixture f(kEnglish, [](RadioConfig& r) {
      r.OptFeat[kTot] = 25;
      r.OptFeat[kRbFre] = 301;
      for (int i = kLsbEnable; i <= kCwEnable; ++i) r.OptFeat[static_cast<std::size_t>(i)] = 2;
      r.OptFeat[kEchoOpt] = -1;
      r.OptFeat[kBusyOpt] = 5;
      r.OptFeat[kSwrProtectEnable] = 9;
      r.OptFeat[kDcProtectEnable] = 3;
      r.OptFeat[kSingleChangeRxTxFre] = 4;
    });
    QCOMPARE(f.shown(0), QStringLiteral("Off"));
    QCOMPARE(f.shown(1), QStringLiteral("300"));
    for (int k : kModes) QVERIFY(f.check(k)->isChecked());
    QVERIFY(f.check(11)->isChecked());   // ECHO
    QVERIFY(f.check(16)->isChecked());   // SWR protect
    QVERIFY(f.check(17)->isChecked());   // DC protect
    QVERIFY(!f.check(9)->isChecked());   // BUSY
    QVERIFY(!f.check(8)->isChecked());
    // Showing stores nothing, and another pick leaves the foreign values alone.
    f.key(2, Qt::Key_Down);
    QCOMPARE(f.field(kTot), 25);
    QCOMPARE(f.field(kRbFre), 301);
    QCOMPARE(f.field(kEchoOpt), -1);
    QCOMPARE(f.field(kLsbEnable), 2);
    // Down then Up returns to "Off", which is now stored.
    f.key(0, Qt::Key_Down);
    QCOMPARE(f.field(kTot), 1);
    f.key(0, Qt::Key_Up);
    QCOMPARE(f.field(kTot), 0);
    // Unchecking a mode shown checked from a foreign value stores 0.
    f.click(3);
    QCOMPARE(f.field(kAmEnable), 0);
    QVERIFY(!f.check(3)->isChecked());
  }

  void theLastEnabledModeStaysChecked() {
    Fixture f(kEnglish, [](RadioConfig& r) {
      for (int i = kLsbEnable; i <= kCwEnable; ++i) r.OptFeat[static_cast<std::size_t>(i)] = 0;
      r.OptFeat[kFmEnable] = 1;
    });
    QVERIFY(f.check(2)->isChecked());
    f.click(2);
    QVERIFY(f.check(2)->isChecked());
    QCOMPARE(f.field(kFmEnable), 1);
    // By keyboard too.
    f.check(2)->setFocus();
    QTest::keyClick(f.check(2), Qt::Key_Space);
    QVERIFY(f.check(2)->isChecked());
    QCOMPARE(f.field(kFmEnable), 1);
    // With CW on, FM can go.
    f.click(5);
    QCOMPARE(f.field(kCwEnable), 1);
    f.click(2);
    QVERIFY(!f.check(2)->isChecked());
    QCOMPARE(f.field(kFmEnable), 0);
    f.click(5);
    QVERIFY(f.check(5)->isChecked());
    QCOMPARE(f.field(kCwEnable), 1);
  }

  void singleChangeDataGreysTheCommonBoxesOnTheClickOnly() {
    Fixture f(kEnglish, [](RadioConfig& r) {
      for (int i = kBusyOpt; i <= kRbOpt; ++i) r.OptFeat[static_cast<std::size_t>(i)] = 1;
    });
    f.click(10);  // VOIC, ticked in the window only
    QVERIFY(f.check(10)->isChecked());
    f.click(6);
    QCOMPARE(f.field(kSingleChangeData), 1);
    for (int k : kCommonBoxes) {
      QVERIFY(!f.check(k)->isChecked());
      QVERIFY(!f.check(k)->isEnabled());
    }
    for (int i = kBusyOpt; i <= kRbOpt; ++i) QCOMPARE(f.field(i), 0);
    QVERIFY(f.check(16)->isEnabled());
    // Showing the record again leaves the boxes as the click left them.
    f.window->ReShowData();
    for (int k : kCommonBoxes) QVERIFY(!f.check(k)->isEnabled());
    f.click(6);
    QCOMPARE(f.field(kSingleChangeData), 0);
    for (int k : kCommonBoxes) QVERIFY(f.check(k)->isEnabled());
    f.click(12);  // HI-CUT
    QCOMPARE(f.field(kHiCutOpt), 1);

    // A record that already holds "Single Change Data" opens with the boxes usable.
    Fixture g(kEnglish, [](RadioConfig& r) { r.OptFeat[kSingleChangeData] = 1; });
    QVERIFY(g.check(6)->isChecked());
    for (int k : kCommonBoxes) QVERIFY(g.check(k)->isEnabled());
  }

  void voicIsNeverStored() {
    Fixture f;
    const RadioConfig before = f.doc().working();
    f.click(10);
    QVERIFY(f.check(10)->isChecked());
    QVERIFY(f.doc().working() == before);
    QVERIFY(f.doc().IsDocumentUnchanged());
    QVERIFY(f.check(10)->toolTip().contains(QStringLiteral("not stored")));
    Fixture g(kChinese);
    QVERIFY(g.check(10)->toolTip().startsWith(QStringLiteral("VOIC 不保存")));
  }

  void replacedRecordIsShownAgain() {
    Fixture f;
    f.key(1, Qt::Key_End);
    RadioConfig other = f.doc().working();
    other.OptFeat[kRbFre] = 31;
    other.OptFeat[kMicGain] = 0;
    other.OptFeat[kLsbEnable] = 0;
    f.doc().ReplaceWorking(other);
    QCOMPARE(f.shown(1), QStringLiteral("310"));
    QCOMPARE(f.shown(18), QStringLiteral("OFF"));
    QVERIFY(!f.check(0)->isChecked());
  }

  void closeClosesAndHelpDoesNothing() {
    Fixture f;
    const RadioConfig before = f.doc().working();
    f.window->findChild<QPushButton*>(QStringLiteral("CommandHelp"))->click();
    QVERIFY(f.window->isVisible());
    QVERIFY(f.doc().working() == before);
    f.window->findChild<QPushButton*>(QStringLiteral("CommandClose"))->click();
    QVERIFY(!f.window->isVisible());
  }

  void opensFromTheMainWindowAndAChangeSurvivesSaveAndOpen() {
    kr4100::testing::TestInstallation inst;
    frmMain main(*inst.ctx);
    const QString file = inst.root.filePath(QStringLiteral("options.dat"));
    main.chooseSaveFile = [&](const QString&, const QString&) { return file; };
    main.chooseOpenFile = [&](const QString&) { return file; };
    main.show();
    auto* command = main.findChild<QAction*>(QStringLiteral("mnuOptFeature"));
    QVERIFY(command->isEnabled());
    command->trigger();
    auto* window = qobject_cast<FrmOptFeatures*>(main.childWindow(QStringLiteral("FrmOptFeatures")));
    QVERIFY(window);
    auto* rb = window->findChild<QComboBox*>(QStringLiteral("Combo1_1"));
    rb->setFocus();
    QTest::keyClick(rb, Qt::Key_End);
    QCOMPARE(inst.ctx->doc().working().OptFeat[kRbFre], Integer(300));
    auto* dc = window->findChild<QCheckBox*>(QStringLiteral("Check1_17"));
    QTest::mouseClick(dc, Qt::LeftButton, {}, QPoint(6, dc->height() / 2));
    QVERIFY(main.fileSaveAs());

    // A new document closes the window; the file brings the values back.
    inst.prompter.answers.push_back(Answer::Ok);  // "All data will be cleared."
    main.findChild<QAction*>(QStringLiteral("mnuFileNew"))->trigger();
    QVERIFY(!main.childWindow(QStringLiteral("FrmOptFeatures")));
    QCOMPARE(inst.ctx->doc().working().OptFeat[kRbFre], Integer(105));
    main.findChild<QAction*>(QStringLiteral("mnuFileOpen"))->trigger();
    QCOMPARE(inst.ctx->doc().working().OptFeat[kRbFre], Integer(300));

    // The tree node opens it as the command does.
    auto* tree = main.findChild<QTreeWidget*>(QStringLiteral("TreeView1"));
    QTreeWidgetItem* node = nullptr;
    for (int i = 0; i < tree->topLevelItem(0)->childCount(); ++i)
      if (tree->topLevelItem(0)->child(i)->data(0, Qt::UserRole).toString() == QStringLiteral("N2"))
        node = tree->topLevelItem(0)->child(i);
    QVERIFY(node);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(node).center());
    window = qobject_cast<FrmOptFeatures*>(main.childWindow(QStringLiteral("FrmOptFeatures")));
    QVERIFY(window);
    QCOMPARE(window->findChild<QComboBox*>(QStringLiteral("Combo1_1"))->currentText(),
             QStringLiteral("3000"));
    QVERIFY(!window->findChild<QCheckBox*>(QStringLiteral("Check1_17"))->isChecked());
  }
};

QTEST_MAIN(OptFeaturesTest)
#include "opt_features_test.moc"
