// SPDX-License-Identifier: GPL-3.0-or-later
// The DTMF window, driven through its lists, boxes and autodial grid offscreen, alone and from
// the main window started with the service functions.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "app/frm_main.h"
#include "editors/frm_dtmf.h"
#include "support/test_installation.h"

using namespace kr4100;

namespace {

std::string Nul() {
  return std::string(1, '\0');
}

struct Fixture : kr4100::testing::TestInstallation {
  std::unique_ptr<FrmDTMF> window;

  explicit Fixture(int language = kEnglish) { open(language); }
  void open(int language = kEnglish) {
    window.reset();
    ctx->settings().currentLanguage = language;
    window = std::make_unique<FrmDTMF>(*ctx);
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowExposed(window.get())) qWarning("DTMF window not exposed");
  }
  template <class T>
  T* get(const QString& name) {
    auto* found = window->findChild<T*>(name);
    if (!found) qWarning("no control %s", qPrintable(name));
    return found;
  }
  QComboBox* list(int field) { return get<QComboBox>(QStringLiteral("Combo1_%1").arg(field)); }
  QLineEdit* idCode() { return get<QLineEdit>(QStringLiteral("TextIdCode")); }
  QLineEdit* stunCode() { return get<QLineEdit>(QStringLiteral("TextStunCode")); }
  QTableWidget* grid() { return get<QTableWidget>(QStringLiteral("MSFlexGrid1")); }
  QLineEdit* cellBox() { return grid()->findChild<QLineEdit*>(QStringLiteral("Text1")); }
  DtmfSettings& block() { return ctx->doc().working().Dtmf; }
  void showTab(int t) { get<QTabWidget>(QStringLiteral("SSTab1"))->setCurrentIndex(t); }
  void type(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->clear();
    QTest::keyClicks(box, text);
  }
  void clickCell(int row) {
    showTab(2);
    const QRect cell = grid()->visualRect(grid()->model()->index(row - 1, 1));
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, cell.center());
  }
  std::vector<std::pair<int, std::string>> autodial() {
    const RadioConfig& r = ctx->doc().working();
    std::vector<std::pair<int, std::string>> out;
    for (int i = 0; i < r.AutodialCount; ++i)
      out.emplace_back(r.Autodial[static_cast<std::size_t>(i)].Row,
                       std::string(r.Autodial[static_cast<std::size_t>(i)].Digits.raw()));
    return out;
  }
};

std::string Digits(const std::string& text) {
  return text.size() >= 16 ? text.substr(0, 16) : text + Nul() + std::string(15 - text.size(), ' ');
}

}  // namespace

class DtmfTest : public QObject {
  Q_OBJECT
  QTemporaryDir config_;

 private slots:
  void initTestCase() { qputenv("XDG_CONFIG_HOME", config_.path().toUtf8()); }

  void captionsListsAndNamesInBothLanguages() {
    {
      Fixture f;
      QCOMPARE(f.window->windowTitle(), QStringLiteral("DTMF"));
      auto* tabs = f.get<QTabWidget>(QStringLiteral("SSTab1"));
      QCOMPARE(tabs->tabText(0), QStringLiteral("Encode"));
      QCOMPARE(tabs->tabText(2), QStringLiteral("Autodial Memory"));
      QCOMPARE(f.get<QLabel>(QStringLiteral("Label1_4"))->text(),
               QStringLiteral("* and # Tone[ms]"));
      QCOMPARE(f.get<QCheckBox>(QStringLiteral("Check1_12"))->text(),
               QStringLiteral("Clear to Transpond"));
      QCOMPARE(f.get<QGroupBox>(QStringLiteral("FrameStun"))->title(), QStringLiteral("Stun"));
      QCOMPARE(f.grid()->horizontalHeaderItem(0)->text(), QStringLiteral("No."));
      QCOMPARE(f.grid()->horizontalHeaderItem(1)->text(), QStringLiteral("Autodial Memory"));
      for (int r = 0; r < 8; ++r) QCOMPARE(f.grid()->item(r, 0)->text(), QString::number(r + 1));
      // A new document as the controls show it.
      QCOMPARE(f.list(1)->currentText(), QStringLiteral("6"));
      QCOMPARE(f.list(3)->currentText(), QStringLiteral("100"));
      QCOMPARE(f.list(3)->count(), 19);
      QCOMPARE(f.list(5)->count(), 17);
      QCOMPARE(f.list(8)->currentText(), QStringLiteral("Off"));
      QCOMPARE(f.list(9)->currentText(), QStringLiteral("10"));
      QVERIFY(f.get<QCheckBox>(QStringLiteral("Check1_6"))->isChecked());
      QCOMPARE(f.idCode()->text(), QStringLiteral("000"));
      QCOMPARE(f.stunCode()->text(), QString());
      // Every control is named for the reader and each label is its control's buddy.
      for (QWidget* w : f.window->findChildren<QWidget*>()) {
        if (qobject_cast<QComboBox*>(w) || qobject_cast<QLineEdit*>(w) ||
            qobject_cast<QTableWidget*>(w))
          QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
      }
      for (QLabel* label : f.window->findChildren<QLabel*>(QRegularExpression("^Label1_"))) {
        QVERIFY(label->buddy());
        QCOMPARE(label->buddy()->accessibleName(), label->text());
      }
      QVERIFY(!f.ctx->doc().IsDocumentModified());
    }
    Fixture f(kChinese);
    QCOMPARE(f.window->windowTitle(), QString::fromUtf8("DTMF(双音多频)"));
    QCOMPARE(f.get<QTabWidget>(QStringLiteral("SSTab1"))->tabText(1), QString::fromUtf8("解码"));
    QCOMPARE(f.list(8)->currentText(), QString::fromUtf8("关"));
    QCOMPARE(f.list(5)->itemText(0), QString::fromUtf8("D 码"));
    QCOMPARE(f.list(5)->itemText(16), QString::fromUtf8("16秒"));
    QCOMPARE(f.list(14)->itemText(1), QString::fromUtf8("发射/接收 抑制"));
    QCOMPARE(f.grid()->horizontalHeaderItem(0)->text(), QString::fromUtf8("编号"));
    QCOMPARE(f.get<QLabel>(QStringLiteral("Label1_13"))->text(), QString::fromUtf8("遥毙码"));
    QCOMPARE(f.get<QPushButton>(QStringLiteral("CommandClose"))->text(),
             QString::fromUtf8("关闭(&C)"));
  }

  void listsAndCheckBoxesStoreWhatIsPicked() {
    Fixture f;
    f.block().FirstDigitDelay = 15;
    f.block().GroupCode = 70;  // "F": a key the list does not offer
    f.window->ReShowData();
    QCOMPARE(f.list(3)->currentText(), QStringLiteral("150"));
    QCOMPARE(f.list(8)->currentText(), QStringLiteral("Off"));
    // Showing is not picking: the unknown code stays until the user chooses.
    f.showTab(1);
    f.list(8)->setFocus();
    f.list(9)->setFocus();
    QCOMPARE(f.block().GroupCode, 70);

    f.showTab(0);
    f.list(3)->setFocus();
    QTest::keyClick(f.list(3), Qt::Key_End);
    QCOMPARE(f.block().FirstDigitDelay, 100);
    QTest::keyClick(f.list(3), Qt::Key_Home);
    QTest::keyClick(f.list(3), Qt::Key_Down);
    QCOMPARE(f.list(3)->currentText(), QStringLiteral("150"));
    QCOMPARE(f.block().FirstDigitDelay, 15);

    f.showTab(1);
    f.list(8)->setFocus();
    for (int i = 0; i < 5; ++i) QTest::keyClick(f.list(8), Qt::Key_Down);
    QCOMPARE(f.list(8)->currentText(), QStringLiteral("#"));
    QCOMPARE(f.block().GroupCode, 35);
    QTest::keyClick(f.list(8), Qt::Key_Home);
    QCOMPARE(f.block().GroupCode, 0);

    f.showTab(0);
    f.list(5)->setFocus();
    QTest::keyClick(f.list(5), Qt::Key_End);
    QCOMPARE(f.block().DCodeAssign, 16);
    f.showTab(1);
    f.list(14)->setFocus();
    QTest::keyClick(f.list(14), Qt::Key_Down);
    QCOMPARE(f.block().StunType, 1);

    auto* sideTone = f.get<QCheckBox>(QStringLiteral("Check1_6"));
    auto* clear = f.get<QCheckBox>(QStringLiteral("Check1_12"));
    sideTone->click();
    clear->click();
    QCOMPARE(f.block().DtmfSideTone, 0);
    QCOMPARE(f.block().ClearToTranspond, 1);
    QVERIFY(f.ctx->doc().IsDocumentModified());
  }

  void idCodeTakesDigitsAndAtLeastThree() {
    Fixture f;
    f.showTab(1);
    f.type(f.idCode(), QStringLiteral("1A*#b2"));
    QCOMPARE(f.idCode()->text(), QStringLiteral("12"));
    QTest::keyClick(f.idCode(), Qt::Key_Return);  // moves on as Tab does, and so commits
    QVERIFY(!f.idCode()->hasFocus());
    QCOMPARE(f.prompter.asked, QStringList{QStringLiteral("Invalid Data")});
    QCOMPARE(f.idCode()->text(), QStringLiteral("000"));
    QCOMPARE(std::string(f.block().IdCode.raw()), "000       ");
    // Leaving the box again asks nothing more.
    f.idCode()->setFocus();
    f.list(8)->setFocus();
    QCOMPARE(f.prompter.asked.size(), 1);

    f.type(f.idCode(), QStringLiteral("0123456789012"));
    QCOMPARE(f.idCode()->text(), QStringLiteral("0123456789"));
    f.list(8)->setFocus();
    QCOMPARE(std::string(f.block().IdCode.raw()), "0123456789");

    // In Chinese the refusal speaks Chinese.
    Fixture zh(kChinese);
    zh.showTab(1);
    zh.type(zh.idCode(), QString());
    zh.window->commitPendingEdit();
    QCOMPARE(zh.prompter.asked, QStringList{QString::fromUtf8("无效数据")});
  }

  void shortIdCodeFromAFileIsRefusedWhenTheBoxIsLeft() {
    Fixture f;
    f.block().IdCode = "12";
    f.ctx->doc().CommitWorkingCopy();
    f.window->ReShowData();
    f.showTab(1);
    QCOMPARE(f.idCode()->text(), QStringLiteral("12"));
    // Saving or writing collects the box without the user in it: nothing is said or changed.
    f.window->commitPendingEdit();
    QVERIFY(f.prompter.asked.isEmpty());
    QCOMPARE(std::string(f.block().IdCode.raw()), "12        ");
    // Passing through the box refuses it as if typed.
    f.idCode()->setFocus();
    f.list(8)->setFocus();
    QCOMPARE(f.prompter.asked, QStringList{QStringLiteral("Invalid Data")});
    QCOMPARE(f.idCode()->text(), QStringLiteral("000"));
    QCOMPARE(std::string(f.block().IdCode.raw()), "000       ");
  }

  void stunCodeKeysAndStoredForm() {
    Fixture f;
    f.showTab(1);
    f.type(f.stunCode(), QStringLiteral("a1*e+ "));
    QCOMPARE(f.stunCode()->text(), QStringLiteral("A1*"));
    QApplication::clipboard()->setText(QStringLiteral("999"));
    QTest::keyClick(f.stunCode(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f.stunCode()->text(), QStringLiteral("A1*"));
    f.list(14)->setFocus();
    QCOMPARE(std::string(f.block().StunCode.raw()), "A1*" + Nul() + std::string(6, ' '));
    // No limit in the box; the record keeps the first ten.
    f.type(f.stunCode(), QStringLiteral("0123456789abcd"));
    QCOMPARE(f.stunCode()->text(), QStringLiteral("0123456789ABCD"));
    f.window->commitPendingEdit();
    QCOMPARE(std::string(f.block().StunCode.raw()), "0123456789");
    f.type(f.stunCode(), QString());
    f.list(14)->setFocus();
    QCOMPARE(std::string(f.block().StunCode.raw()), Nul() + std::string(9, ' '));
  }

  void firstClickOnRowOneOpensItAndStoresNothingYet() {
    Fixture f;
    f.showTab(2);
    QVERIFY(!f.cellBox()->isVisible());  // showing the grid opens nothing
    f.clickCell(1);
    QVERIFY(f.cellBox()->isVisible());
    QVERIFY(f.cellBox()->hasFocus());
    QCOMPARE(f.cellBox()->geometry(), f.grid()->visualRect(f.grid()->model()->index(0, 1)));
    QCOMPARE(f.grid()->horizontalHeaderItem(1)->text(), QStringLiteral("Autodial Memory"));
    QCOMPARE(f.ctx->doc().working().AutodialCount, 0);
    // The number column never opens: a click there only takes the focus from the box, which
    // ends the visit of row 1.
    const QRect number = f.grid()->visualRect(f.grid()->model()->index(4, 0));
    QTest::mouseClick(f.grid()->viewport(), Qt::LeftButton, {}, number.center());
    QCOMPARE(f.grid()->currentRow(), 0);
    QCOMPARE(f.grid()->currentColumn(), 1);
    QCOMPARE(f.autodial(), (std::vector<std::pair<int, std::string>>{{1, Digits("")}}));
    QCOMPARE(f.grid()->horizontalHeaderItem(1)->text(), QStringLiteral("Autodial Memory"));
  }

  void autodialEntriesFollowTheOrderOfFirstCommit() {
    Fixture f;
    f.clickCell(3);
    QTest::keyClicks(f.cellBox(), QStringLiteral("555a#x"));
    QCOMPARE(f.cellBox()->text(), QStringLiteral("555A#"));
    f.clickCell(1);  // entering another cell commits row 3
    QCOMPARE(f.grid()->item(2, 1)->text(), QStringLiteral("555A#"));
    QTest::keyClicks(f.cellBox(), QStringLiteral("0123456789ABCD*#99"));
    QCOMPARE(f.cellBox()->text(), QStringLiteral("0123456789ABCD*#"));
    // Enter goes down to row 2 and commits row 1.
    QTest::keyClick(f.cellBox(), Qt::Key_Return);
    QCOMPARE(f.grid()->currentRow(), 1);
    QCOMPARE(f.autodial(), (std::vector<std::pair<int, std::string>>{{3, Digits("555A#")},
                                                                     {1, "0123456789ABCD*#"}}));
    // Row 2 was visited without digits: it gets an entry of its own when left.
    f.clickCell(3);
    QCOMPARE(f.autodial().size(), 3u);
    QCOMPARE(f.autodial()[2], std::make_pair(2, Digits("")));
    // Clearing row 3 deletes its entry; the others move up.
    f.cellBox()->selectAll();
    QTest::keyClick(f.cellBox(), Qt::Key_Backspace);
    f.get<QPushButton>(QStringLiteral("CommandHelp"))->setFocus();  // leaving the box commits too
    QCOMPARE(f.autodial(),
             (std::vector<std::pair<int, std::string>>{{1, "0123456789ABCD*#"}, {2, Digits("")}}));
    QCOMPARE(f.grid()->item(2, 1)->text(), QString());

    // Reopened, the grid shows each entry in its row.
    f.window->close();
    f.open();
    QCOMPARE(f.grid()->item(0, 1)->text(), QStringLiteral("0123456789ABCD*#"));
    QCOMPARE(f.grid()->item(2, 1)->text(), QString());
  }

  void neverMoreThanEightEntries() {
    Fixture f;
    f.clickCell(1);
    for (int pass = 0; pass < 2; ++pass) {
      for (int row = 1; row <= 8; ++row) {
        f.cellBox()->selectAll();
        QTest::keyClicks(f.cellBox(), QString::number(row * 10 + pass));
        QTest::keyClick(f.cellBox(), Qt::Key_Return);  // from row 8 the focus moves on
      }
      f.clickCell(1);
    }
    const RadioConfig& r = f.ctx->doc().working();
    QCOMPARE(r.AutodialCount, 8);
    for (int i = 0; i < 8; ++i) {
      QCOMPARE(r.Autodial[static_cast<std::size_t>(i)].Row, i + 1);
      QCOMPARE(std::string(r.Autodial[static_cast<std::size_t>(i)].Digits.raw()),
               Digits(std::to_string((i + 1) * 10 + 1)));
    }
  }

  void changesReachTheSavedFileFromTheServiceMenu() {
    kr4100::testing::TestInstallation h(0x0409, {},
                                        [](AppState& app) { app.serviceFunctions = true; });
    const QString path = h.root.filePath(QStringLiteral("dtmf.dat"));
    auto main = std::make_unique<frmMain>(*h.ctx);
    main->chooseSaveFile = [&](const QString&, const QString&) { return path; };
    main->chooseOpenFile = [&](const QString&) { return path; };
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main.get()));
    auto* command = main->findChild<QAction*>(QStringLiteral("mnuDTMF"));
    QVERIFY(command->isVisible() && command->isEnabled());
    command->trigger();
    QPointer<QWidget> window = main->childWindow(QStringLiteral("FrmDTMF"));
    QVERIFY(window);
    auto* delay = window->findChild<QComboBox*>(QStringLiteral("Combo1_3"));
    delay->setFocus();
    QTest::keyClick(delay, Qt::Key_End);
    auto* stun = window->findChild<QLineEdit*>(QStringLiteral("TextStunCode"));
    stun->setFocus();
    QTest::keyClicks(stun, QStringLiteral("*#c"));
    auto* grid = window->findChild<QTableWidget*>(QStringLiteral("MSFlexGrid1"));
    window->findChild<QTabWidget*>(QStringLiteral("SSTab1"))->setCurrentIndex(2);
    grid->setFocus();
    grid->setCurrentCell(4, 1);
    QTest::keyClicks(grid->findChild<QLineEdit*>(QStringLiteral("Text1")), QStringLiteral("911"));
    // Saving stores the open cell first, though it was never left.
    QVERIFY(main->fileSaveAs());
    QVERIFY(!h.ctx->doc().IsDocumentModified());

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.contains(QByteArray("*#C") + '\0' + QByteArray(6, ' ')));
    QVERIFY(bytes.contains(QByteArray("911") + '\0' + QByteArray(12, ' ')));

    main->fileNew(Asking::WithoutAsking);
    QVERIFY(!window);
    QCOMPARE(h.ctx->doc().working().Dtmf.FirstDigitDelay, 10);
    main->findChild<QAction*>(QStringLiteral("mnuFileOpen"))->trigger();
    command->trigger();
    window = main->childWindow(QStringLiteral("FrmDTMF"));
    QVERIFY(window);
    QCOMPARE(window->findChild<QComboBox*>(QStringLiteral("Combo1_3"))->currentText(),
             QStringLiteral("1000"));
    QCOMPARE(window->findChild<QLineEdit*>(QStringLiteral("TextStunCode"))->text(),
             QStringLiteral("*#C"));
    QCOMPARE(window->findChild<QTableWidget*>(QStringLiteral("MSFlexGrid1"))->item(4, 1)->text(),
             QStringLiteral("911"));
    QCOMPARE(h.ctx->doc().working().AutodialCount, 1);
    window->findChild<QPushButton*>(QStringLiteral("CommandClose"))->click();
    QTRY_VERIFY(!main->childWindow(QStringLiteral("FrmDTMF")));
    QVERIFY(!h.ctx->doc().IsDocumentModified());
  }
};

QTEST_MAIN(DtmfTest)
#include "dtmf_test.moc"
