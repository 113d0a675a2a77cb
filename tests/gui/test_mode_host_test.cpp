// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt hosts of test mode: the in-process virtual radio entering, tuning, storing and leaving
// on the event loop, and the serial link to kr4100-sim ending test mode when the device goes.
#include <QElapsedTimer>
#include <QtTest>
#include <memory>

#include "core/config/data_file.h"
#include "core/config/document.h"
#include "core/testmode/adjustment_panel.h"
#include "core/testmode/test_mode_driver.h"
#include "platform/serial_test_mode_host.h"
#include "platform/virtual_test_mode_host.h"
#include "sim/virtual_radio.h"
#include "support/sim_process.h"
#include "support/temp_dir.h"
#include "support/test_channels.h"

using namespace kr4100;

namespace {

class CountingPrompter : public Prompter {
 public:
  int questions = 0;
  int portErrors = 0;
  std::function<void()> whileAsking;  // the event loop of the open box
  Answer ask(Question) override {
    ++questions;
    if (whileAsking) whileAsking();
    return Answer::Cancel;
  }
  Answer identityRefused(const IdentityCheck&) override { return Answer::Ok; }
  void portError() override { ++portErrors; }
};

// A document whose test frequencies the radio is given too, so that they match.
RadioConfig WithTestChannels() {
  Document doc;
  doc.InitNewDocument();
  RadioConfig& c = doc.working();
  kr4100::testing::SetTestChannels(c, {{5, "28500000", "28600000"}});
  return c;
}

struct Events {
  int entered = 0;
  int ended = 0;
  int memoryChanged = 0;
  std::vector<std::uint8_t> block;
  std::vector<TestModeMessage> told;

  void watch(QtTestModeHost& host) {
    QObject::connect(&host, &QtTestModeHost::testModeEntered, [this] { ++entered; });
    QObject::connect(&host, &QtTestModeHost::testModeEnded, [this] { ++ended; });
    QObject::connect(&host, &QtTestModeHost::blockArrived, [this](const std::vector<std::uint8_t>& b) { block = b; });
    QObject::connect(&host, &QtTestModeHost::messageRaised, [this](TestModeMessage m) { told.push_back(m); });
  }
};

// kr4100-sim on a pseudo-terminal with the document's test channels, and the serial host with
// its driver on it.
struct SerialRig {
  testing::TempDir dir;
  Document doc;
  std::unique_ptr<testing::SimProcess> sim;
  CountingPrompter prompter;
  SerialTestModeHost host{prompter};
  TestModeDriver driver{host};
  Events events;

  explicit SerialRig(std::vector<std::string> simArgs = {}) {
    doc.InitNewDocument();
    doc.working() = WithTestChannels();
    SaveDataFile(doc, dir / "t.dat");
    simArgs.insert(simArgs.begin(), {"--test-channels", (dir / "t.dat").string()});
    sim = std::make_unique<testing::SimProcess>(KR4100_SIM_PATH, simArgs);
    host.attach(&driver);
    events.watch(host);
  }
  bool start() { return !sim->device().empty() && driver.start({sim->device(), 1, 0}, doc.working()); }
};

}  // namespace

class TestModeHostTest : public QObject {
  Q_OBJECT

 private slots:
  void virtualRadioEntersTunesStoresAndLeaves() {
    const RadioConfig config = WithTestChannels();
    sim::VirtualRadio radio;
    CountingPrompter prompter;
    auto host = std::make_unique<VirtualTestModeHost>(prompter, radio);
    host->setSpeedFactor(0);
    host->responder().setTestChannels(config);
    TestModeDriver driver(*host);
    host->attach(&driver);
    Events events;
    events.watch(*host);
    QObject::connect(host.get(), &VirtualTestModeHost::memoryChanged, [&] { ++events.memoryChanged; });

    QVERIFY(driver.start({"Virtual radio", 1, 0}, config));
    QVERIFY(host->portOpen());
    // Nothing is answered within the call: replies come on the event loop.
    QCOMPARE(events.entered, 0);
    QTRY_COMPARE(events.entered, 1);
    QVERIFY(host->responder().inTestMode());
    QCOMPARE(driver.channels().size(), std::size_t{1});

    driver.act(TestAction::Tune, 5);
    QTRY_COMPARE(events.block.size(), std::size_t{62});
    QCOMPARE(ItemValuesOf(events.block, 5)[3], host->responder().value(107));
    // Selecting a page awaits nothing: the driver goes on once its bytes are across.
    driver.act(TestAction::SelectPage, 107, 4);
    driver.act(TestAction::SetValue, 107, 7);
    driver.act(TestAction::PttPress);
    QTRY_VERIFY(host->responder().pttKeyed());
    QCOMPARE(host->responder().value(107), 7);

    driver.leave(1);
    QTRY_COMPARE(events.ended, 1);
    QVERIFY(!host->responder().pttKeyed());
    QVERIFY(!host->responder().inTestMode());
    QVERIFY(!host->portOpen());
    QCOMPARE(events.memoryChanged, 1);
    QCOMPARE(prompter.questions, 0);

    // The radio answers programming sessions again once the host is gone.
    host.reset();
    const std::uint8_t handshake[] = {'P', 'R', 'O', 'G', 'R', 'A', 'M'};
    QCOMPARE(radio.receive(handshake), (std::vector<std::uint8_t>{0x06}));
  }

  void virtualRadioMismatchLeavesAfterTheEndTimer() {
    sim::VirtualRadio radio;
    CountingPrompter prompter;
    VirtualTestModeHost host(prompter, radio);
    host.setSpeedFactor(0);
    TestModeDriver driver(host);
    host.attach(&driver);
    Events events;
    events.watch(host);
    RadioConfig other = WithTestChannels();
    other.TestFre[0].No = 6;  // the radio has its row 5 elsewhere
    host.responder().setTestChannels(WithTestChannels());
    QVERIFY(driver.start({"Virtual radio", 1, 0}, other));
    QTRY_COMPARE(events.told.size(), std::size_t{1});
    QCOMPARE(events.told[0], TestModeMessage::Mismatch);
    QTRY_COMPARE(events.ended, 1);
    QCOMPARE(events.entered, 0);
    QVERIFY(!host.responder().inTestMode());
    QVERIFY(!host.portOpen());
    QCOMPARE(events.memoryChanged, 0);
  }

  void serialDeviceGoneEndsTestModeAndTellsThePortError() {
    SerialRig rig;
    SerialTestModeHost& host = rig.host;
    TestModeDriver& driver = rig.driver;
    Events& events = rig.events;
    CountingPrompter& prompter = rig.prompter;
    QVERIFY(rig.start());
    QTRY_COMPARE(events.entered, 1);
    QCOMPARE(driver.channels().size(), std::size_t{1});

    // Exchanges that await nothing go on as soon as their bytes are out, not on the 100 ms send
    // timer: thirty of them take far less than three seconds.
    int polled = -1;
    QObject::connect(&host, &QtTestModeHost::valuePolled, [&](int v) { polled = v; });
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 30; ++i) driver.act(TestAction::SetValue, 24, i);
    driver.act(TestAction::PollValue, 24);
    QTRY_VERIFY(polled >= 0);
    QVERIFY2(clock.elapsed() < 1500, QByteArray::number(clock.elapsed()).constData());

    rig.sim->stop();  // the pseudo-terminal goes, as an adapter pulled out does
    QTRY_COMPARE(events.ended, 1);
    QCOMPARE(prompter.portErrors, 1);
    QVERIFY(!host.portOpen());
    QVERIFY(!driver.active());
  }

  // A radio that falls silent while a measured item is polled: the poll timer ticks on while
  // the reply is overdue and while the retry question is open, and queues nothing then; one
  // question, no "Comm List is full!", and the port closed after Cancel.
  void serialSilenceMidPollNeverFloods() {
    // Entering takes 40 replies and the tune 3: the fourth poll is never answered.
    SerialRig rig({"--test-silent-after", "46"});
    SerialTestModeHost& host = rig.host;
    TestModeDriver& driver = rig.driver;
    Events& events = rig.events;
    CountingPrompter& prompter = rig.prompter;
    QVERIFY(rig.start());
    QTRY_COMPARE(events.entered, 1);
    TestModePanel panel(driver);
    panel.chooseItem(13);
    QVERIFY(panel.tune());
    QTRY_COMPARE(events.block.size(), std::size_t{62});
    AdjustmentPanel vox(panel, events.block);

    int queued = 0, queuedWhileAsking = 0;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] { queued += vox.poll() ? 1 : 0; });
    poll.start(5);
    prompter.whileAsking = [&] {
      const int before = queued;
      QTest::qWait(200);
      queuedWhileAsking = queued - before;
    };
    QTRY_VERIFY_WITH_TIMEOUT(!driver.active(), 5000);
    poll.stop();
    QCOMPARE(prompter.questions, 1);
    QCOMPARE(queuedWhileAsking, 0);
    QCOMPARE(queued, 4);
    QVERIFY(events.told.empty());
    QVERIFY(!host.portOpen());
  }
};

QTEST_MAIN(TestModeHostTest)
#include "test_mode_host_test.moc"
