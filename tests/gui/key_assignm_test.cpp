// SPDX-License-Identifier: GPL-3.0-or-later
// The key assignment window, driven through its lists offscreen, alone and from the main window.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "app/frm_main.h"
#include "core/config/key_tables.h"
#include "editors/frm_key_assignm.h"
#include "support/test_installation.h"

using namespace kr4100;

namespace {

struct Fixture : kr4100::testing::TestInstallation {
  std::unique_ptr<FrmKeyAssignm> window;

  explicit Fixture(int language = kEnglish, std::array<Integer, 2> codes = {255, 10}) {
    ctx->settings().currentLanguage = language;
    ctx->doc().working().KeyAssign = codes;
    ctx->doc().CommitWorkingCopy();
    window = std::make_unique<FrmKeyAssignm>(*ctx);
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowExposed(window.get())) qWarning("key window not exposed");
  }
  QComboBox* combo(int k) {
    return window->findChild<QComboBox*>(QStringLiteral("Combo1_%1").arg(k));
  }
  Integer code(int k) { return ctx->doc().working().KeyAssign[static_cast<std::size_t>(k)]; }
  bool enabled(int k, int row) {
    auto* model = qobject_cast<QStandardItemModel*>(combo(k)->model());
    return model->item(row)->isEnabled();
  }
};

}  // namespace

class KeyAssignmTest : public QObject {
  Q_OBJECT
  QTemporaryDir config_;

 private slots:
  void initTestCase() { qputenv("XDG_CONFIG_HOME", config_.path().toUtf8()); }

  void showsTheNewDocumentsKeysInEnglish() {
    Fixture f;
    QCOMPARE(f.window->windowTitle(), QStringLiteral("Key Assignment"));
    QCOMPARE(f.window->findChild<QLabel*>("Label1_0")->text(), QStringLiteral("PF1"));
    QCOMPARE(f.window->findChild<QLabel*>("Label1_1")->text(), QStringLiteral("PF2"));
    QCOMPARE(f.combo(0)->accessibleName(), QStringLiteral("PF1"));
    QCOMPARE(f.window->findChild<QPushButton*>("CommandClose")->text(), QStringLiteral("&Close"));
    QCOMPARE(f.window->findChild<QPushButton*>("CommandHelp")->text(), QStringLiteral("&Help"));
    const QStringList expected{"None",
                               "Key Lock",
                               "Key Lock with Backup",
                               "Monitor",
                               "Monitor Momentary",
                               "Scan",
                               "Scan+Temporary Delete",
                               "Squelch Off",
                               "Squelch Off Momentary",
                               "Temporary Delete"};
    for (int k = 0; k < 2; ++k) {
      QStringList items;
      for (int i = 0; i < f.combo(k)->count(); ++i) items << f.combo(k)->itemText(i);
      QCOMPARE(items, expected);
    }
    QCOMPARE(f.combo(0)->currentText(), QStringLiteral("None"));
    QCOMPARE(f.combo(1)->currentText(), QStringLiteral("Squelch Off Momentary"));
    // Showing is not choosing.
    QVERIFY(!f.ctx->doc().IsDocumentModified());
  }

  void choosingStoresTheFunctionsCode() {
    Fixture f;
    // Position 7 skips the reserved code 8.
    f.combo(0)->setCurrentIndex(7);
    QCOMPARE(f.code(0), Integer(9));
    QVERIFY(f.ctx->doc().IsDocumentModified());
    // Arrow keys choose as well; from "Squelch Off Momentary" one down is "Temporary Delete".
    f.combo(1)->setFocus();
    QTest::keyClick(f.combo(1), Qt::Key_Down);
    QCOMPARE(f.code(1), Integer(11));
    QTest::keyClick(f.combo(1), Qt::Key_Home);
    QCOMPARE(f.code(1), Integer(kKeyNone));
    // Enter moves on to the next list as Tab does.
    f.combo(0)->setFocus();
    QTest::keyClick(f.combo(0), Qt::Key_Return);
    QVERIFY(f.combo(1)->hasFocus());
  }

  void aReservedCodeStaysUntilAFunctionIsChosen() {
    Fixture f(kEnglish, {8, 1});
    QCOMPARE(f.combo(0)->currentText(), QStringLiteral("Reserved2"));
    QCOMPARE(f.combo(1)->currentText(), QStringLiteral("Reserved1"));
    QCOMPARE(f.combo(0)->count(), 11);
    QVERIFY(!f.enabled(0, 10));
    // Passing through the lists and closing the window leaves both codes as they were.
    f.combo(0)->setFocus();
    f.combo(1)->setFocus();
    f.window->findChild<QPushButton*>("CommandClose")->setFocus();
    f.window->commitPendingEdit();
    QCOMPARE(f.code(0), Integer(8));
    QCOMPARE(f.code(1), Integer(1));
    QVERIFY(!f.ctx->doc().IsDocumentModified());

    // Up from the kept entry reaches the last function; Down never comes back to the kept one.
    f.combo(0)->setFocus();
    QTest::keyClick(f.combo(0), Qt::Key_Up);
    QCOMPARE(f.code(0), Integer(11));
    QCOMPARE(f.combo(0)->count(), 10);  // the kept entry has gone with the code it stood for
    QTest::keyClick(f.combo(0), Qt::Key_Down);
    QCOMPARE(f.code(0), Integer(11));
    // Every choice the list offers stores a code that is neither reserved nor unknown.
    for (int i = 0; i < f.combo(1)->count(); ++i) {
      f.combo(1)->setCurrentIndex(i);
      QVERIFY(f.code(1) != 0 && f.code(1) != 1 && f.code(1) != 8);
      QVERIFY(KeyFunctionText(f.code(1)).has_value());
    }
  }

  void anUnknownCodeShowsItsNumber() {
    Fixture f(kEnglish, {12, -1});
    QCOMPARE(f.combo(0)->currentText(), QStringLiteral("12"));
    QCOMPARE(f.combo(1)->currentText(), QStringLiteral("-1"));
    f.window->close();
    QCOMPARE(f.code(0), Integer(12));
    QCOMPARE(f.code(1), Integer(-1));
  }

  void chineseAndRefillAfterANewDocument() {
    Fixture f(kChinese, {0, 9});
    QCOMPARE(f.window->windowTitle(), QString::fromUtf8("键设定"));
    QCOMPARE(f.combo(0)->currentText(), QString::fromUtf8("保留1"));
    QCOMPARE(f.combo(1)->currentText(), QString::fromUtf8("取消静噪"));
    QCOMPARE(f.combo(1)->itemText(0), QString::fromUtf8("无"));
    QCOMPARE(f.window->findChild<QPushButton*>("CommandClose")->text(),
             QString::fromUtf8("关闭(&C)"));
    f.ctx->doc().ResetToNewDocument(TemplateKind::NewDocument);
    QCOMPARE(f.combo(0)->currentText(), QString::fromUtf8("无"));
    QCOMPARE(f.combo(0)->count(), 10);
    QCOMPARE(f.combo(1)->currentText(), QString::fromUtf8("瞬时取消静噪"));
  }

  void opensFromTheMenuAndTheChoiceSurvivesSaving() {
    kr4100::testing::TestInstallation h;
    QString saved = h.root.filePath(QStringLiteral("keys.dat"));
    auto main = std::make_unique<frmMain>(*h.ctx);
    main->chooseSaveFile = [&](const QString&, const QString&) { return saved; };
    main->chooseOpenFile = [&](const QString&) { return saved; };
    auto* command = main->findChild<QAction*>(QStringLiteral("mnuKeyAssignm"));
    QVERIFY(command->isEnabled());
    command->trigger();
    QPointer<QWidget> window = main->childWindow(QStringLiteral("FrmKeyAssignm"));
    QVERIFY(window);
    auto* pf1 = window->findChild<QComboBox*>(QStringLiteral("Combo1_0"));
    QCOMPARE(pf1->currentText(), QStringLiteral("None"));
    pf1->setCurrentIndex(7);
    QVERIFY(main->fileSaveAs());
    main->fileNew(Asking::WithoutAsking);
    QVERIFY(!window);  // a new document closes the editors
    QCOMPARE(h.ctx->doc().working().KeyAssign[0], Integer(255));
    main->findChild<QAction*>(QStringLiteral("mnuFileOpen"))->trigger();
    QCOMPARE(h.ctx->doc().working().KeyAssign[0], Integer(9));
    command->trigger();
    window = main->childWindow(QStringLiteral("FrmKeyAssignm"));
    QCOMPARE(window->findChild<QComboBox*>(QStringLiteral("Combo1_0"))->currentText(),
             QStringLiteral("Squelch Off"));
    window->findChild<QPushButton*>(QStringLiteral("CommandClose"))->click();
    QTRY_VERIFY(!main->childWindow(QStringLiteral("FrmKeyAssignm")));
  }
};

QTEST_MAIN(KeyAssignmTest)
#include "key_assignm_test.moc"
