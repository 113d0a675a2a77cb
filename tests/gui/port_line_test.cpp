// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt hosts over the core's serial line on its own thread: the line the Windows desktop
// program runs on. The virtual radio sits behind it on a simulated clock; the hosts' timers are
// the event loop's.
#include <QtTest>
#include <atomic>
#include <memory>

#include "core/config/document.h"
#include "core/link/transfer_session.h"
#include "core/testmode/test_mode_driver.h"
#include "platform/serial_session_host.h"
#include "platform/serial_test_mode_host.h"
#include "sim/test_mode_responder.h"
#include "support/radio_serial_link.h"
#include "support/test_channels.h"

using namespace kr4100;
using kr4100::testing::RadioSerialLink;
using kr4100::testing::ScriptedPrompter;

namespace {

// The virtual radio's line as the thread polls it: a poll that does not wait lets some milliseconds
// of line time pass, as the thread's pause does on a real line. The adapter can be pulled from
// another thread than the line's own.
class PullableLink final : public SerialLink {
 public:
  explicit PullableLink(sim::VirtualRadio& radio) : inner_(radio) {}
  std::atomic<bool> pulled{false};

  bool open(const PortSettings& s) override { return !pulled && inner_.open(s); }
  void close() override { inner_.close(); }
  bool isOpen() const override { return inner_.isOpen(); }
  bool write(std::span<const std::uint8_t> b) override { return !gone() && inner_.write(b); }
  bool drain(std::chrono::milliseconds bound) override { return !gone() && inner_.drain(bound); }
  void purge(bool output) override { inner_.purge(output); }
  bool read(std::vector<std::uint8_t>& into, std::size_t count, std::chrono::milliseconds wait) override {
    return !gone() && inner_.read(into, count, std::max(wait, std::chrono::milliseconds(5)));
  }

 private:
  bool gone() {
    if (!pulled) return false;
    inner_.close();
    return true;
  }
  RadioSerialLink inner_;
};

}  // namespace

class PortLineTest : public QObject {
  Q_OBJECT

 private slots:
  // A read and a verified write whole: every reply handed over once its bytes are in, none left
  // to the reply timer, and the written memory read back the same.
  void sessionReadsAndWritesWithVerify() {
    sim::VirtualRadio radio;
    ScriptedPrompter prompter;
    SerialSessionHost host(prompter, MakeLinkPortLine(std::make_unique<PullableLink>(radio)));
    VersionTable versions = VersionTable::BuiltIn();
    TransferSession session(host, versions);
    host.attach(&session);
    std::optional<bool> result;
    host.onFinished = [&](SessionKind, bool ok) { result = ok; };
    session.setPortSettings({"COM5", 1, 0});
    session.setProgramIdentity("HT52", 0);

    QVERIFY(session.open(SessionKind::Read));
    session.prepareRead();
    session.start();
    QTRY_VERIFY_WITH_TIMEOUT(result.has_value(), 30000);
    QVERIFY(*result);
    QCOMPARE(prompter.questions, 0);
    QCOMPARE(host.bytesOnWire(), std::size_t{9027});
    Document read;
    read.InitNewDocument();
    QVERIFY(!session.unpackRead(read).has_value());

    read.AppendChannel(9, 1, "28.500000");
    result.reset();
    QVERIFY(session.open(SessionKind::Write));
    QVERIFY(!session.prepareWrite(read.working()).has_value());
    session.setReadBack(true);
    session.start();
    QTRY_VERIFY_WITH_TIMEOUT(result.has_value(), 30000);
    QVERIFY(*result);
    QCOMPARE(prompter.questions, 0);
    Document back;
    back.InitNewDocument();
    QVERIFY(!session.unpackRead(back).has_value());
    QVERIFY(back.working().Ch == read.working().Ch);
    QVERIFY(back.working().ChCount == read.working().ChCount);
  }

  // Test mode enters over the thread's line, and an adapter pulled in the middle of it ends test
  // mode at once with the port error instead of the retry question.
  void testModeEndsWhenTheAdapterGoes() {
    Document doc;
    doc.InitNewDocument();
    kr4100::testing::SetTestChannels(doc.working(), {{3, "28500000", "28600000"}});
    sim::VirtualRadio radio;
    sim::TestModeResponder responder{radio};
    responder.setTestChannels(doc.working());
    auto owned = std::make_unique<PullableLink>(radio);
    PullableLink& line = *owned;
    ScriptedPrompter prompter;
    SerialTestModeHost host(prompter, MakeLinkPortLine(std::move(owned)));
    TestModeDriver driver(host);
    host.attach(&driver);
    int entered = 0;
    std::vector<std::uint8_t> block;
    QObject::connect(&host, &QtTestModeHost::testModeEntered, [&] { ++entered; });
    QObject::connect(&host, &QtTestModeHost::blockArrived,
                     [&](const std::vector<std::uint8_t>& b) { block = b; });

    QVERIFY(driver.start({"COM5", 1, 0}, doc.working()));
    QTRY_COMPARE_WITH_TIMEOUT(entered, 1, 20000);
    QVERIFY(responder.inTestMode());
    driver.act(TestAction::Tune, 4);
    QTRY_COMPARE(block.size(), std::size_t{62});
    QCOMPARE(ItemValuesOf(block, 4)[1], responder.value(36));

    line.pulled = true;
    driver.act(TestAction::Tune, 4);
    QTRY_VERIFY(!driver.active());
    QCOMPARE(prompter.portErrors, 1);
    QCOMPARE(prompter.questions, 0);
    QVERIFY(!host.portOpen());
  }
};

QTEST_GUILESS_MAIN(PortLineTest)
#include "port_line_test.moc"
