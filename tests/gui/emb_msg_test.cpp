// SPDX-License-Identifier: GPL-3.0-or-later
// The embedded message window, driven through its boxes offscreen, alone and from the main window.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

#include "app/frm_main.h"
#include "editors/frm_emb_msg.h"
#include "support/test_installation.h"

using namespace kr4100;

namespace {

std::string Nul() {
  return std::string(1, '\0');
}

struct Fixture : kr4100::testing::TestInstallation {
  std::unique_ptr<FrmEmbMsg> window;

  explicit Fixture(int language = kEnglish) {
    ctx->settings().currentLanguage = language;
    window = std::make_unique<FrmEmbMsg>(*ctx);
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowExposed(window.get())) qWarning("message window not exposed");
  }
  QLineEdit* box(int k) { return window->findChild<QLineEdit*>(QStringLiteral("Text1_%1").arg(k)); }
  std::string stored(int k) {
    const RadioConfig& r = ctx->doc().working();
    return std::string(k == 0 ? r.EmbMsg1.raw() : r.EmbMsg2.raw());
  }
  // Types into a box as a user would, from an empty box.
  void type(int k, const QString& text) {
    box(k)->setFocus();
    box(k)->clear();
    QTest::keyClicks(box(k), text);
  }
};

}  // namespace

class EmbMsgTest : public QObject {
  Q_OBJECT
  QTemporaryDir config_;

 private slots:
  void initTestCase() { qputenv("XDG_CONFIG_HOME", config_.path().toUtf8()); }

  void captionsInBothLanguages() {
    {
      Fixture f;
      QCOMPARE(f.window->windowTitle(), QStringLiteral("Embedded Message"));
      QCOMPARE(f.window->findChild<QLabel*>("Label1_1")->text(), QStringLiteral("Message 2"));
      QCOMPARE(f.box(0)->accessibleName(), QStringLiteral("Message 1"));
      QCOMPARE(f.window->findChild<QPushButton*>("CommandHelp")->text(), QStringLiteral("&Help"));
      // A new document's messages are a NUL and blanks: the boxes are empty.
      QCOMPARE(f.box(0)->text(), QString());
      QCOMPARE(f.box(1)->text(), QString());
    }
    Fixture f(kChinese);
    QCOMPARE(f.window->windowTitle(), QString::fromUtf8("嵌入信息"));
    QCOMPARE(f.window->findChild<QLabel*>("Label1_0")->text(), QString::fromUtf8("信息 1"));
    QCOMPARE(f.window->findChild<QPushButton*>("CommandClose")->text(),
             QString::fromUtf8("关闭(&C)"));
  }

  void storedWhenTheBoxIsLeft() {
    Fixture f;
    f.type(0, QStringLiteral("CQ DX, de KR4100!"));
    // Typed but not yet left: the record still holds the old message.
    QCOMPARE(f.stored(0), Nul() + std::string(31, ' '));
    // Enter moves on as Tab does, and leaving the box stores it.
    QTest::keyClick(f.box(0), Qt::Key_Return);
    QVERIFY(f.box(1)->hasFocus());
    QCOMPARE(f.stored(0), "CQ DX, de KR4100!" + Nul() + std::string(14, ' '));
    QVERIFY(f.ctx->doc().IsDocumentModified());
    // Emptied, the box stores a NUL and 31 blanks.
    f.type(0, QString());
    f.box(1)->setFocus();
    QCOMPARE(f.stored(0), Nul() + std::string(31, ' '));
  }

  void fortyCharactersKeepTheFirst32() {
    Fixture f;
    const QString forty = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcd");
    f.type(1, forty);
    QCOMPARE(f.box(1)->text(), forty.left(32));
    f.window->commitPendingEdit();
    QCOMPARE(f.stored(1), forty.left(32).toStdString());  // no NUL
  }

  void onlySevenBitCharactersGetIn() {
    Fixture f;
    f.type(0, QStringLiteral("A"));
    // Keys that carry characters beyond 7 bits, as a keyboard layout or input method sends them.
    for (const char* wide : {"é", "中", "\u00ff"}) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8(wide));
      QApplication::sendEvent(f.box(0), &press);
    }
    QTest::keyClicks(f.box(0), QStringLiteral("~ B"));
    QCOMPARE(f.box(0)->text(), QStringLiteral("A~ B"));
    // Neither paste nor cut by key, and no context menu that could paste.
    QApplication::clipboard()->setText(QStringLiteral("PASTED"));
    QTest::keyClick(f.box(0), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(f.box(0), Qt::Key_Insert, Qt::ShiftModifier);
    f.box(0)->selectAll();
    QTest::keyClick(f.box(0), Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(f.box(0)->text(), QStringLiteral("A~ B"));
    QCOMPARE(f.box(0)->contextMenuPolicy(), Qt::PreventContextMenu);
    f.box(1)->setFocus();
    QCOMPARE(f.stored(0), "A~ B" + Nul() + std::string(27, ' '));
  }

  void passingThroughKeepsAMessageAsItCame() {
    Fixture f;
    // As a radio may send it: the text, then NULs to the end.
    RadioConfig& r = f.ctx->doc().working();
    r.EmbMsg1.bytes().fill('\0');
    r.EmbMsg1.bytes()[0] = 'O';
    r.EmbMsg1.bytes()[1] = 'K';
    r.EmbMsg2 = std::string_view("NO NUL AT ALL");
    f.ctx->doc().CommitWorkingCopy();
    f.window->ReShowData();
    QCOMPARE(f.box(0)->text(), QStringLiteral("OK"));
    f.box(0)->setFocus();
    f.box(1)->setFocus();
    f.window->commitPendingEdit();
    f.window->close();
    QVERIFY(!f.ctx->doc().IsDocumentModified());
    QCOMPARE(f.stored(0), "OK" + std::string(30, '\0'));
  }

  void chineseMessagesShowAndGoBackAsGbk() {
    Fixture f;
    RadioConfig& r = f.ctx->doc().working();
    // GBK bytes, worked out by hand: 你好 is C4 E3 BA C3.
    r.EmbMsg1 = std::string_view("\xC4\xE3\xBA\xC3 CQ\0", 8);
    // Sixteen times 中 (D6 D0) fills the field; a radio may also end a field in half a character.
    r.EmbMsg2 = std::string_view(
        "A\xD6\xD0\xD6\xD0\xD6\xD0\xD6\xD0\xD6\xD0\xD6\xD0\xD6\xD0\xD6\xD0"
        "\xD6\xD0\xD6\xD0\xD6\xD0\xD6\xD0\xD6\xD0\xD6\xD0\xD6\xD0\xD6",
        32);
    f.ctx->doc().CommitWorkingCopy();
    const RadioConfig before = r;
    f.window->ReShowData();
    QCOMPARE(f.box(0)->text(), QString::fromUtf8("你好 CQ"));
    QCOMPARE(f.box(1)->text(), QStringLiteral("A") + QString::fromUtf8("中").repeated(15));
    // Passing through both boxes changes no byte, the half character included.
    f.box(0)->setFocus();
    f.box(1)->setFocus();
    f.window->commitPendingEdit();
    QVERIFY(f.ctx->doc().working() == before);
    QVERIFY(!f.ctx->doc().IsDocumentModified());

    // Typed beside Chinese characters, the message is stored as GBK again.
    f.box(0)->setFocus();
    f.box(0)->end(false);
    QTest::keyClicks(f.box(0), QStringLiteral("!"));
    f.box(1)->setFocus();
    QCOMPARE(f.stored(0), "\xC4\xE3\xBA\xC3 CQ!" + Nul() + std::string(23, ' '));
    // Two letters in front push the last 中 out whole: the field never ends in half of one.
    f.box(1)->home(false);
    QTest::keyClicks(f.box(1), QStringLiteral("BC"));
    f.box(0)->setFocus();
    std::string expected = "BCA";
    for (int i = 0; i < 14; ++i) expected += "\xD6\xD0";
    QCOMPARE(f.stored(1), expected + Nul());
  }

  void pendingInputReachesTheSavedFile() {
    kr4100::testing::TestInstallation h;
    const QString path = h.root.filePath(QStringLiteral("messages.dat"));
    auto main = std::make_unique<frmMain>(*h.ctx);
    main->chooseSaveFile = [&](const QString&, const QString&) { return path; };
    main->chooseOpenFile = [&](const QString&) { return path; };
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main.get()));
    // The tree node opens the window as the menu command does.
    auto* tree = main->findChild<QTreeWidget*>(QStringLiteral("TreeView1"));
    QTreeWidgetItem* node = nullptr;
    for (int i = 0; i < tree->topLevelItem(0)->childCount(); ++i)
      if (tree->topLevelItem(0)->child(i)->data(0, Qt::UserRole).toString() == QStringLiteral("N8"))
        node = tree->topLevelItem(0)->child(i);
    QVERIFY(node);
    emit tree->itemClicked(node, 0);
    QPointer<QWidget> window = main->childWindow(QStringLiteral("FrmEmbMsg"));
    QVERIFY(window);
    auto* box = window->findChild<QLineEdit*>(QStringLiteral("Text1_1"));
    box->setFocus();
    QTest::keyClicks(box, QStringLiteral("SEE YOU"));
    QVERIFY(box->hasFocus());
    // The print dialog's sheets see what the box holds: printing stores it first.
    QTimer::singleShot(50, [] {
      if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
        dialog->reject();
    });
    main->findChild<QAction*>(QStringLiteral("mnuFilePrint"))->trigger();
    QCOMPARE(std::string(h.ctx->doc().working().EmbMsg2.raw()),
             "SEE YOU" + Nul() + std::string(24, ' '));
    // Closing asks to save what was typed, though the box was never left.
    h.prompter.answers = {Answer::Cancel};
    QVERIFY(!main->close());
    QCOMPARE(h.prompter.asked.value(0), QStringLiteral("File has been modify,save it now?"));
    QVERIFY(main->fileSaveAs());

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.contains(QByteArray("SEE YOU") + '\0' + QByteArray(24, ' ')));

    main->fileNew(Asking::WithoutAsking);
    QVERIFY(!window);
    main->findChild<QAction*>(QStringLiteral("mnuEmbeddedMsg"))->trigger();
    window = main->childWindow(QStringLiteral("FrmEmbMsg"));
    QCOMPARE(window->findChild<QLineEdit*>(QStringLiteral("Text1_1"))->text(), QString());
    main->findChild<QAction*>(QStringLiteral("mnuFileOpen"))->trigger();
    main->findChild<QAction*>(QStringLiteral("mnuEmbeddedMsg"))->trigger();
    window = main->childWindow(QStringLiteral("FrmEmbMsg"));
    QCOMPARE(window->findChild<QLineEdit*>(QStringLiteral("Text1_1"))->text(),
             QStringLiteral("SEE YOU"));
    window->findChild<QPushButton*>(QStringLiteral("CommandClose"))->click();
    QTRY_VERIFY(!main->childWindow(QStringLiteral("FrmEmbMsg")));
  }
};

QTEST_MAIN(EmbMsgTest)
#include "emb_msg_test.moc"
