// SPDX-License-Identifier: GPL-3.0-or-later
// A radio whose firmware another installed program version serves: Yes to the version question
// hands over to that version, but only after the save question, whose Cancel keeps everything.
// Its own program: the hand-over ends the event loops of the process it runs in.
#include <QAction>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>
#include <deque>
#include <filesystem>
#include <memory>

#include "app/frm_main.h"
#include "app/radio_sessions.h"
#include "gui/ui_context.h"
#include "sim/virtual_radio.h"
#include "support/scripted_prompter.h"
#include "support/test_installation.h"

using namespace kr4100;
using kr4100::testing::ScriptedPrompter;

namespace {

const QString kReadQuestion = QStringLiteral("Read data from radio.\r\nDo you wish continue?");
const QString kSaveQuestion = QStringLiteral("File has been modify,save it now?");

// An installation that holds this version and V500, which serves radios with firmware V500.
struct Harness : kr4100::testing::TestInstallation {
  std::unique_ptr<frmMain> window;
  QStringList started;  // programs the window tried to start

  Harness()
      : TestInstallation(
            0x0409,
            "[Version]\r\nCurrentVersion=V600\r\nSoftVersionCount=1\r\nFirmVersionCount=2\r\n"
            "[Soft]\r\nVersion0=V600\r\n[Firm]\r\nFirm0=V600V600\r\nFirm1=V500V500\r\n") {
    ctx->settings().comDevice = RadioSessions::virtualRadioName().toStdString();
    window = std::make_unique<frmMain>(*ctx);
    window->startProgram = [this](const QString& program) {
      started << program;
      return true;
    };
    window->sessions().setVirtualRadioSpeed(0);
    sim::IdentitySettings identity;
    identity.firmware = "V500";
    window->sessions().virtualRadio().setIdentity(identity);
  }

  // Reads from the radio with the given answers; returns once the read has ended one way or
  // the other.
  void readAnswering(std::deque<Answer> answers) {
    prompter.asked.clear();
    prompter.answers = std::move(answers);
    window->findChild<QAction*>(QStringLiteral("mnuReadFromRadio"))->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(!window->sessions().busy(), 8000);
  }
};

}  // namespace

class OtherVersionTest : public QObject {
  Q_OBJECT
  QTemporaryDir config_;

 private slots:
  void initTestCase() { qputenv("XDG_CONFIG_HOME", config_.path().toUtf8()); }

  void saveQuestionComesFirstAndItsCancelKeepsTheProgram() {
    Harness h;
    h.window->show();
    h.ctx->doc().working().OptFeat[3] += 1;
    const RadioConfig edited = h.ctx->doc().working();

    // Cancel: nothing started, nothing read, the same document still modified.
    h.readAnswering({Answer::Ok, Answer::Yes, Answer::Cancel});
    QCOMPARE(h.prompter.asked.size(), 3);
    QCOMPARE(h.prompter.asked[0], kReadQuestion);
    QVERIFY(h.prompter.asked[1].startsWith(QStringLiteral("incompatible version.")));
    QVERIFY(h.prompter.asked[1].contains(QStringLiteral("Firmware version is V5.00")));
    QCOMPARE(h.prompter.asked[2], kSaveQuestion);
    QVERIFY(h.started.isEmpty());
    QVERIFY(h.window->isVisible());
    QVERIFY(h.ctx->doc().working() == edited);
    QVERIFY(h.ctx->doc().IsDocumentModified());

    // No to the version question asks nothing more either.
    h.readAnswering({Answer::Ok, Answer::No});
    QCOMPARE(h.prompter.asked.size(), 2);
    QVERIFY(h.started.isEmpty());

    // Yes, then No to saving: the version for that firmware takes over; nothing is saved.
    h.readAnswering({Answer::Ok, Answer::Yes, Answer::No});
    QCOMPARE(h.prompter.asked.size(), 3);
    QCOMPARE(h.prompter.asked[2], kSaveQuestion);
    const QString exe = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    QCOMPARE(h.started, QStringList{h.root.filePath(QStringLiteral("V500/")) + exe});
    QVERIFY(!h.window->isVisible());
    QVERIFY(h.ctx->doc().state().neverSaved);
  }
};

QTEST_MAIN(OtherVersionTest)
#include "other_version_test.moc"
