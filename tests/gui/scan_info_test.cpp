// SPDX-License-Identifier: GPL-3.0-or-later
// The scan information window, driven through its lists offscreen, alone and from the main
// window.
#include <QComboBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

#include "app/frm_main.h"
#include "editors/frm_scan_info.h"
#include "support/test_installation.h"

using namespace kr4100;

namespace {

enum : int { kMode, kChannel, kLookA, kLookB, kRevert, kDropout, kDwell };

struct Fixture : kr4100::testing::TestInstallation {
  std::unique_ptr<FrmScanInfo> window;

  explicit Fixture(int language = kEnglish, const char* model = nullptr) {
    ctx->settings().currentLanguage = language;
    if (model) ctx->doc().state().modelText = model;
    open();
  }
  void open() {
    window = std::make_unique<FrmScanInfo>(*ctx);
    window->show();
  }
  QComboBox* combo(int k) { return window->findChild<QComboBox*>(QStringLiteral("Combo1_%1").arg(k)); }
  QLabel* label(int k) { return window->findChild<QLabel*>(QStringLiteral("Label1_%1").arg(k)); }
  QString hint() { return window->findChild<QLabel*>("LabelChannelHint")->text(); }
  Integer& scan(int k) { return ctx->doc().working().ScanInfo[static_cast<std::size_t>(k)]; }
  QStringList items(int k) {
    QStringList texts;
    for (int i = 0; i < combo(k)->count(); ++i) texts << combo(k)->itemText(i);
    return texts;
  }
  // A pick from the opened list, as the user makes it.
  void pick(int k, const QString& text) {
    QComboBox* box = combo(k);
    const int index = box->findText(text);
    QVERIFY2(index >= 0, qPrintable(text));
    box->setCurrentIndex(index);
    emit box->activated(index);
  }
  // The whole record replaced as a file read does it, the window told as the main window's
  // document would tell it.
  void load(const RadioConfig& record) { ctx->doc().LoadSaved(record); }
};

}  // namespace

class ScanInfoTest : public QObject {
  Q_OBJECT

 private slots:
  void showsTheNewDocumentInBothLanguages() {
    {
      Fixture f;
      const std::array<Integer, 7> stored = f.ctx->doc().working().ScanInfo;
      QCOMPARE(f.window->windowTitle(), QStringLiteral("Scan Information"));
      QCOMPARE(f.label(kLookA)->text(), QStringLiteral("Look Back Time A[s]"));
      QCOMPARE(f.label(kDropout)->text(), QStringLiteral("Dropout Delay Time[s]"));
      QCOMPARE(f.items(kMode), (QStringList{"None", "Fixd", "Selected"}));
      QCOMPARE(f.combo(kLookA)->count(), 91);
      QCOMPARE(f.combo(kLookA)->itemText(0), QStringLiteral("0.50"));
      QCOMPARE(f.combo(kLookB)->itemText(90), QStringLiteral("5.00"));
      QCOMPARE(f.combo(kDwell)->count(), 301);
      QCOMPARE(f.combo(kDwell)->itemText(300), QStringLiteral("300"));
      // The default model offers 40 priority channels after "None".
      QCOMPARE(f.combo(kChannel)->count(), 41);
      QCOMPARE(f.combo(kChannel)->itemText(40), QStringLiteral("40"));
      // Each list shows its stored value: look-back code c is 0.45 + 0.05 c seconds.
      QCOMPARE(f.combo(kMode)->currentIndex(), static_cast<int>(stored[0]));
      QCOMPARE(f.combo(kLookA)->currentText(),
               QString::number(0.45 + 0.05 * stored[2], 'f', 2));
      QCOMPARE(f.combo(kLookB)->currentText(),
               QString::number(0.45 + 0.05 * stored[3], 'f', 2));
      QCOMPARE(f.combo(kDropout)->currentText(), QString::number(stored[5]));
      QCOMPARE(f.combo(kDwell)->currentText(), QString::number(stored[6]));
      // Showing stores nothing, and every list is reachable by name and keyboard.
      QVERIFY(f.ctx->doc().IsDocumentUnchanged());
      for (int k = 0; k < 7; ++k) {
        QCOMPARE(f.combo(k)->accessibleName(), f.label(k)->text());
        QCOMPARE(f.label(k)->buddy(), f.combo(k));
        QVERIFY(f.combo(k)->focusPolicy() & Qt::TabFocus);
      }
    }
    {
      Fixture f(kChinese);
      QCOMPARE(f.window->windowTitle(), QString::fromUtf8("扫描信息"));
      QCOMPARE(f.label(kDwell)->text(), QString::fromUtf8("扫描发射恢复延迟时间[秒]"));
      QCOMPARE(f.items(kMode), (QStringList{QString::fromUtf8("无"), QString::fromUtf8("固定"),
                                            QString::fromUtf8("选定")}));
      QCOMPARE(f.combo(kChannel)->itemText(0), QString::fromUtf8("无"));
      QCOMPARE(f.window->findChild<QPushButton*>("CommandClose")->text(),
               QString::fromUtf8("关闭(&C)"));
    }
  }

  void revertListFollowsTheModeWithoutChangingTheCode() {
    Fixture f;
    f.pick(kMode, "Fixd");
    QCOMPARE(f.scan(kMode), Integer{1});
    QCOMPARE(f.items(kRevert),
             (QStringList{"Selected", "Selected+Talk Back", "Priority", "Priority+Talk Back"}));
    f.pick(kRevert, "Priority+Talk Back");
    QCOMPARE(f.scan(kRevert), Integer{3});

    // "Fixd" to "None" with code 3: shows "Selected+Talk Back", the record keeps 3.
    f.pick(kMode, "None");
    QCOMPARE(f.items(kRevert), (QStringList{"Selected", "Selected+Talk Back"}));
    QCOMPARE(f.combo(kRevert)->currentText(), QStringLiteral("Selected+Talk Back"));
    QCOMPARE(f.scan(kRevert), Integer{3});
    f.pick(kRevert, "Selected");
    QCOMPARE(f.scan(kRevert), Integer{0});

    // "Selected" offers the priority items; code 0 shows the one without talk back.
    f.pick(kMode, "Selected");
    QCOMPARE(f.items(kRevert), (QStringList{"Priority", "Priority+Talk Back"}));
    QCOMPARE(f.combo(kRevert)->currentText(), QStringLiteral("Priority"));
    QCOMPARE(f.scan(kRevert), Integer{0});
    f.pick(kRevert, "Priority+Talk Back");
    QCOMPARE(f.scan(kRevert), Integer{3});
    f.pick(kRevert, "Priority");
    QCOMPARE(f.scan(kRevert), Integer{2});
  }

  void priorityModeGreysWhatItDoesNotUse() {
    Fixture f;
    f.pick(kMode, "None");
    QCOMPARE(f.scan(kMode), Integer{0});
    for (int k : {kChannel, kLookA, kLookB}) QVERIFY(!f.combo(k)->isEnabled());
    for (int k : {kMode, kRevert, kDropout, kDwell}) QVERIFY(f.combo(k)->isEnabled());

    // The keyboard on the closed list is a pick as well.
    f.combo(kMode)->setFocus();
    QTest::keyClick(f.combo(kMode), Qt::Key_Down);
    QCOMPARE(f.scan(kMode), Integer{1});
    for (int k : {kChannel, kLookA, kLookB}) QVERIFY(f.combo(k)->isEnabled());

    f.pick(kMode, "Selected");
    QVERIFY(!f.combo(kChannel)->isEnabled());
    QVERIFY(f.combo(kLookA)->isEnabled());
    QVERIFY(f.combo(kLookB)->isEnabled());
  }

  void eachListStoresItsOwnCode() {
    Fixture f;
    f.pick(kMode, "Fixd");
    f.pick(kChannel, "40");
    QCOMPARE(f.scan(kChannel), Integer{40});
    f.pick(kChannel, "None");
    QCOMPARE(f.scan(kChannel), Integer{255});
    f.pick(kLookA, "0.50");
    QCOMPARE(f.scan(kLookA), Integer{1});
    f.pick(kLookB, "5.00");
    QCOMPARE(f.scan(kLookB), Integer{91});
    f.pick(kDropout, "0");
    QCOMPARE(f.scan(kDropout), Integer{0});
    f.pick(kDwell, "300");
    QCOMPARE(f.scan(kDwell), Integer{300});
    QVERIFY(f.ctx->doc().IsDocumentModified());
  }

  void priorityChannelListFollowsTheModel() {
    Fixture f(kEnglish, "611");
    QCOMPARE(f.items(kChannel), (QStringList{"None", "1", "2", "3", "4", "5", "6", "7", "8"}));
    Fixture g(kEnglish, " 716 ");
    QCOMPARE(g.combo(kChannel)->count(), 17);
    Fixture h(kEnglish, "HT63");
    QCOMPARE(h.combo(kChannel)->count(), 41);
  }

  void storedValuesNoItemShowsStayUntilPicked() {
    Fixture f(kEnglish, "611");
    RadioConfig record = f.ctx->doc().working();
    record.ScanInfo = {7, 9, 0, 92, 3, 301, -1};
    record.ModelInfo.ModelCode = std::string("611") + '\0';
    f.load(record);
    // Each shows its first item; a mode no item stands for works as "None".
    for (int k : {kMode, kChannel, kLookA, kLookB, kDropout, kDwell})
      QCOMPARE(f.combo(k)->currentIndex(), 0);
    QCOMPARE(f.items(kRevert), (QStringList{"Selected", "Selected+Talk Back"}));
    QCOMPARE(f.combo(kRevert)->currentText(), QStringLiteral("Selected+Talk Back"));
    for (int k : {kChannel, kLookA, kLookB}) QVERIFY(!f.combo(k)->isEnabled());
    QCOMPARE(f.ctx->doc().working().ScanInfo, (std::array<Integer, 7>{7, 9, 0, 92, 3, 301, -1}));
    // Picking the shown mode stores it and leaves the rest alone.
    f.pick(kMode, "None");
    QCOMPARE(f.ctx->doc().working().ScanInfo, (std::array<Integer, 7>{0, 9, 0, 92, 3, 301, -1}));
  }

  void priorityChannelHintNamesGroupsWithoutTheChannel() {
    Fixture f;
    RadioConfig record = f.ctx->doc().working();
    record.ChCount = {2, 1, 0, 0, 0, 0};
    record.Ch[0][0].ChNum = 1;
    record.Ch[0][1].ChNum = 5;
    record.Ch[1][0].ChNum = 2;
    record.ScanInfo[0] = 1;
    record.ScanInfo[1] = 5;
    f.load(record);
    QCOMPARE(f.combo(kChannel)->currentText(), QStringLiteral("5"));
    QCOMPARE(f.hint(), QStringLiteral("No channel 5 in Band B"));
    QCOMPARE(f.combo(kChannel)->toolTip(), f.hint());

    f.pick(kChannel, "3");  // a hint, not a refusal: the pick is stored
    QCOMPARE(f.scan(kChannel), Integer{3});
    QCOMPARE(f.hint(), QStringLiteral("No channel 3 in Band A, B"));
    f.pick(kChannel, "1");
    QCOMPARE(f.hint(), QStringLiteral("No channel 1 in Band B"));

    // A channel created in the grid clears it at once.
    f.ctx->doc().working().CurGroup = 1;
    QVERIFY(f.ctx->doc().SetChannelValue(1, 1, "28.500000"));
    QCOMPARE(f.hint(), QString());
    // Only "Fixd" goes to the channel.
    f.pick(kChannel, "2");
    QCOMPARE(f.hint(), QStringLiteral("No channel 2 in Band A"));
    f.pick(kMode, "Selected");
    QCOMPARE(f.hint(), QString());
    f.pick(kMode, "Fixd");
    QCOMPARE(f.hint(), QStringLiteral("No channel 2 in Band A"));

    f.ctx->settings().currentLanguage = kChinese;
    f.open();
    QCOMPARE(f.hint(), QString::fromUtf8("组A中没有信道2"));
    f.pick(kChannel, "3");
    QCOMPARE(f.hint(), QString::fromUtf8("组A、B中没有信道3"));
  }

  void closeClosesAndHelpDoesNothing() {
    Fixture f;
    const RadioConfig before = f.ctx->doc().working();
    f.window->findChild<QPushButton*>("CommandHelp")->click();
    QVERIFY(f.window->isVisible());
    QVERIFY(f.ctx->doc().working().ScanInfo == before.ScanInfo);
    f.window->findChild<QPushButton*>("CommandClose")->click();
    QVERIFY(!f.window->isVisible());
  }

  void opensFromItsMenuAndSurvivesSaveAndReopen() {
    kr4100::testing::TestInstallation inst;
    frmMain main(*inst.ctx);
    main.show();
    const QString file = inst.root.filePath(QStringLiteral("scan.dat"));
    main.chooseSaveFile = [&](const QString&, const QString&) { return file; };
    main.chooseOpenFile = [&](const QString&) { return file; };
    auto* menu = main.findChild<QAction*>(QStringLiteral("mnuScanInfo"));
    QVERIFY(menu->isEnabled());
    menu->trigger();
    auto* window = qobject_cast<FrmScanInfo*>(main.childWindow(QStringLiteral("FrmScanInfo")));
    QVERIFY(window);
    menu->trigger();  // single instance
    int count = 0;
    for (QMdiSubWindow* sw : main.mdiArea()->subWindowList())
      count += sw->widget()->objectName() == QStringLiteral("FrmScanInfo");
    QCOMPARE(count, 1);

    auto* mode = window->findChild<QComboBox*>("Combo1_0");
    mode->setCurrentIndex(1);
    emit mode->activated(1);
    auto* dwell = window->findChild<QComboBox*>("Combo1_6");
    dwell->setCurrentIndex(250);
    emit dwell->activated(250);
    QVERIFY(inst.ctx->doc().IsDocumentModified());
    QVERIFY(main.fileSaveAs());

    // In the file the seven settings are little-endian 16-bit words from offset 13825.
    QFile saved(file);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    QCOMPARE(bytes.size(), 14531);
    QCOMPARE(bytes.mid(13825, 2), QByteArray::fromHex("0100"));
    QCOMPARE(bytes.mid(13825 + 12, 2), QByteArray::fromHex("fa00"));

    inst.prompter.answers.push_back(Answer::Ok);  // the new document's question
    main.findChild<QAction*>(QStringLiteral("mnuFileNew"))->trigger();
    QVERIFY(!main.childWindow(QStringLiteral("FrmScanInfo")));
    QCOMPARE(inst.ctx->doc().working().ScanInfo[6], Integer{3});
    main.findChild<QAction*>(QStringLiteral("mnuFileOpen"))->trigger();

    // The tree has no node for this window; the menu opens it on what the file holds.
    for (QTreeWidgetItemIterator it(main.findChild<QTreeWidget*>()); *it; ++it)
      QVERIFY((*it)->data(0, Qt::UserRole).toString() != QStringLiteral("N4"));
    menu->trigger();
    window = qobject_cast<FrmScanInfo*>(main.childWindow(QStringLiteral("FrmScanInfo")));
    QVERIFY(window);
    QCOMPARE(window->findChild<QComboBox*>("Combo1_0")->currentText(), QStringLiteral("Fixd"));
    QCOMPARE(window->findChild<QComboBox*>("Combo1_6")->currentText(), QStringLiteral("250"));
    QVERIFY(window->findChild<QComboBox*>("Combo1_1")->isEnabled());
  }
};

QTEST_MAIN(ScanInfoTest)
#include "scan_info_test.moc"
