// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's Test command against the virtual radio: in, the window, and every way out
// leaving the radio out of test mode with its transmitter released.
#include <QAction>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "app/frm_main.h"
#include "app/radio_sessions.h"
#include "app/test_mode_session.h"
#include "support/test_installation.h"
#include "testmode/frm_test_mode.h"

using namespace kr4100;

namespace {

struct Harness : kr4100::testing::TestInstallation {
  std::unique_ptr<frmMain> window;

  Harness()
      : TestInstallation(0x0409, {}, [](AppState& app) { app.serviceFunctions = true; }) {
    ctx->settings().comDevice = RadioSessions::virtualRadioName().toStdString();
    window = std::make_unique<frmMain>(*ctx);
    window->sessions().setVirtualRadioSpeed(0);
    window->show();
  }
  QAction* act(const char* name) const { return window->findChild<QAction*>(QString::fromUtf8(name)); }
  FrmTestMode* testWindow() const { return window->testMode().window(); }
  bool enter() {
    act("mnuTest")->trigger();
    return QTest::qWaitFor([this] { return testWindow() != nullptr; }, 3000);
  }
};

}  // namespace

class TestModeSessionTest : public QObject {
  Q_OBJECT
  QTemporaryDir config_;

 private slots:
  void initTestCase() { qputenv("XDG_CONFIG_HOME", config_.path().toUtf8()); }

  void testCommandOpensTheWindowAndClosingItLeaves() {
    Harness h;
    QVERIFY(h.enter());
    QVERIFY(h.window->testMode().active());
    // The transfer commands wait while test mode holds the port.
    QVERIFY(h.window->sessions().busy());
    auto* ptt = h.testWindow()->findChild<QPushButton*>(QStringLiteral("CommandPTT"));
    ptt->click();
    QTRY_VERIFY(h.window->testMode().active());
    h.testWindow()->close();
    QTRY_VERIFY_WITH_TIMEOUT(!h.window->testMode().active(), 3000);
    QVERIFY(!h.window->sessions().busy());
    QVERIFY(h.prompter.asked.isEmpty());
  }

  void closingTheMainWindowLeavesTestModeFirst() {
    Harness h;
    QVERIFY(h.enter());
    h.testWindow()->findChild<QPushButton*>(QStringLiteral("CommandPTT"))->click();
    QCoreApplication::processEvents();
    h.window->close();
    QVERIFY(!h.window->testMode().active());
    QVERIFY(!h.testWindow());
  }

  void aMismatchSaysSoAndLeaves() {
    Harness h;
    // The document's test frequencies are not the radio's.
    h.ctx->doc().working().TestFre[0].RxFre = "29000000";
    h.act("mnuTest")->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(!h.window->testMode().active(), 3000);
    QCOMPARE(h.prompter.asked.size(), 1);
    QVERIFY(h.prompter.asked.front().startsWith(QStringLiteral("Test Frequency nismatch.")));
    QVERIFY(!h.testWindow());
  }
};

QTEST_MAIN(TestModeSessionTest)
#include "test_mode_session_test.moc"
