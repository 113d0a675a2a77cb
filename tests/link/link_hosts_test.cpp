// SPDX-License-Identifier: GPL-3.0-or-later
// The session and test-mode hosts without Qt (kr4100-cli.exe's), on a serial line with a virtual
// radio behind it and a simulated clock: whole transfers in their wire time, faults ending in the
// question or the port error, never in a wait that nothing ends. And the Windows port names.
#include <gtest/gtest.h>

#include "core/config/document.h"
#include "core/link/stop_request.h"
#include "core/link/transfer_session.h"
#include "core/link/write_verify.h"
#include "core/serial/link_session_host.h"
#include "core/serial/link_test_mode_host.h"
#include "core/serial/port_names.h"
#include "core/testmode/test_mode_stop.h"
#include "sim/test_mode_responder.h"
#include "support/radio_serial_link.h"
#include "support/test_channels.h"

namespace kr4100 {
namespace {

using namespace std::chrono_literals;
using testing::RadioSerialLink;
using testing::ScriptedPrompter;

// A transfer session over LinkSessionHost, the way the command line runs one.
class LinkSessionTest : public ::testing::Test {
 protected:
  LinkSessionTest() {
    host.attach(&session);
    host.onFinished = [this](SessionKind, bool ok) { result = ok; };
    host.onCandidatePorts = [] { return std::vector<std::string>{"COM5"}; };
    host.onPortSettingsFound = [this](const PortSettings& s) { found = s; };
    session.setPortSettings({"COM5", 1, 0});
    session.setProgramIdentity("HT52", 0);
    doc.InitNewDocument();
  }

  // Runs the opened session to its end; false when the loop gave up first.
  bool run() {
    session.start();
    return host.runUntil([this] { return result.has_value(); }, 10min);
  }
  bool read() {
    if (!session.open(SessionKind::Read)) return false;
    session.prepareRead();
    return run() && *result;
  }

  sim::VirtualRadio radio;
  std::unique_ptr<RadioSerialLink> owned = std::make_unique<RadioSerialLink>(radio);
  RadioSerialLink& line = *owned;
  ScriptedPrompter prompter;
  LinkSessionHost host{std::move(owned), prompter, line.clock()};
  VersionTable versions = VersionTable::BuiltIn();
  TransferSession session{host, versions};
  Document doc;
  std::optional<bool> result;
  std::optional<PortSettings> found;
};

TEST_F(LinkSessionTest, ReadAndVerifiedWriteTakeTheirWireTimeAndNoTimeOut) {
  ASSERT_TRUE(read());
  // Every reply is handed on once its bytes are in, none waits for the reply timer.
  EXPECT_EQ(host.bytesOnWire(), 9027u);
  const auto wire = sim::WireTime(9027);
  EXPECT_GT(line.now, wire * 99 / 100);
  EXPECT_LT(line.now, wire * 103 / 100);
  EXPECT_EQ(prompter.questions, 0);
  EXPECT_FALSE(line.isOpen());
  Document read;
  read.InitNewDocument();
  ASSERT_FALSE(session.unpackRead(read).has_value());

  // Something the fresh radio does not hold yet, written and read back.
  doc.AppendChannel(9, 1, "28.500000");
  std::optional<RadioWritten> written;
  host.onRadioWritten = [&](const RadioWritten& w) { written = w; };
  result.reset();
  ASSERT_TRUE(session.open(SessionKind::Write));
  ASSERT_FALSE(session.prepareWrite(doc.working()).has_value());
  session.setReadBack(true);
  ASSERT_TRUE(run());
  ASSERT_TRUE(*result);
  ASSERT_TRUE(written && written->success && written->readBack);
  EXPECT_TRUE(
      VerifyWrite(session.image(), session.readBackImage(), written->sentFrom, doc.working(), 0)
          .passed());
}

TEST_F(LinkSessionTest, ARadioFallingSilentMidReadEndsInTheConnectionQuestion) {
  radio.faults().silentAfterBlocks = 5;
  EXPECT_FALSE(read());
  EXPECT_EQ(prompter.questions, 1);
  EXPECT_FALSE(line.isOpen());
}

// As with Qt's port: the retry finds the adapter gone, the search finds no port that opens, and
// the session ends with the question once more.
TEST_F(LinkSessionTest, APulledAdapterEndsWithTheQuestionAfterASearchThatOpensNothing) {
  line.pulledAt = 2s;
  prompter.answers = {Answer::Ok};
  EXPECT_FALSE(read());
  EXPECT_EQ(prompter.questions, 2);
  EXPECT_FALSE(line.isOpen());
  EXPECT_LT(line.now, sim::Micros(3s));
}

TEST_F(LinkSessionTest, TheSearchReopensTheLineUntilTheRadioAnswers) {
  line.radioPort = PortSettings{"COM5", 2, 2};
  ASSERT_TRUE(read());
  EXPECT_EQ(found, (PortSettings{"COM5", 2, 2}));
  EXPECT_EQ(line.opened.back(), (PortSettings{"COM5", 2, 2}));
  Document read;
  read.InitNewDocument();
  EXPECT_FALSE(session.unpackRead(read).has_value());
}

// The test-mode driver over LinkTestModeHost.
class LinkTestModeTest : public ::testing::Test, public TestModeListener {
 protected:
  LinkTestModeTest() {
    doc.InitNewDocument();
    testing::SetTestChannels(doc.working(),
                             {{3, "28500000", "28600000"}, {9, "29100000", "29100000"}});
    responder.setTestChannels(doc.working());
    host.attach(&driver);
    host.listen(this);
  }
  void messageRaised(TestModeMessage) override {}
  void testModeEntered() override { entered = true; }
  void blockArrived(std::span<const std::uint8_t> b) override { block.assign(b.begin(), b.end()); }
  void valuesReceived(std::span<const std::uint8_t>) override {}
  void valuePolled(int) override {}
  void testModeEnded() override {}

  bool enter() {
    return driver.start({"COM5", 1, 0}, doc.working()) &&
           host.runUntil([this] { return entered || !driver.active(); }) && entered;
  }

  sim::VirtualRadio radio;
  sim::TestModeResponder responder{radio};
  std::unique_ptr<RadioSerialLink> owned = std::make_unique<RadioSerialLink>(radio);
  RadioSerialLink& line = *owned;
  ScriptedPrompter prompter;
  LinkTestModeHost host{std::move(owned), prompter, line.clock()};
  TestModeDriver driver{host};
  Document doc;
  bool entered = false;
  std::vector<std::uint8_t> block;
};

TEST_F(LinkTestModeTest, EntersTunesAndLeavesThenHasNothingLeftToWaitFor) {
  ASSERT_TRUE(enter());
  const sim::Micros enteredAt = line.now;
  ASSERT_EQ(driver.channels().size(), 2u);
  EXPECT_EQ(driver.channels()[1], (TestChannel{9, "29100000", "29100000"}));
  driver.act(TestAction::Tune, 4);
  ASSERT_TRUE(host.runUntil([&] { return !block.empty(); }));
  EXPECT_EQ(ItemValuesOf(block, 4)[1], responder.value(36));

  driver.act(TestAction::SetValue, 36, 201);
  driver.leave(1);
  EXPECT_TRUE(host.runUntil([this] { return !driver.active(); }));
  // About 180 ms of wire time and quiet gaps; an exchange left to the send timer's tick instead
  // of its completion would add 100 ms.
  EXPECT_LT(line.now - enteredAt, sim::Micros(2 * kTestSendInterval));
  EXPECT_EQ(responder.value(36), 201);
  EXPECT_FALSE(responder.inTestMode());
  EXPECT_FALSE(line.isOpen());
  EXPECT_EQ(prompter.questions, 0);
  // Port closed, no timer: a wait for what can no longer come ends at once.
  const int reads = line.reads;
  EXPECT_FALSE(host.runUntil([] { return false; }));
  EXPECT_EQ(line.reads, reads);
}

// The reply is taken once the line is quiet, so a byte too many makes it the wrong length
// instead of slipping into the next exchange; the retry goes through.
TEST_F(LinkTestModeTest, AReplyWithAStrayByteIsRefusedWholeAndRetried) {
  line.strayAfterWrite = 2;
  prompter.answers = {Answer::Retry};
  ASSERT_TRUE(enter());
  EXPECT_EQ(prompter.questions, 1);
  EXPECT_EQ(driver.channels().size(), 2u);
}

// A reply whose last byte is in shortly before its wait runs out is in time, though the quiet
// gap after it runs past the wait: it is taken, and the wait's end must not count against the
// exchange that follows it.
TEST_F(LinkTestModeTest, AReplyInJustBeforeItsWaitRunsOutIsTakenAndTheNextExchangeGetsItsWait) {
  line.lateWrite = 1;  // the entry word's acknowledge
  line.lateAnswerEnd = std::chrono::duration_cast<sim::Micros>(kTestWaitTimeout - kReplyQuietGap / 2);
  ASSERT_TRUE(enter());
  EXPECT_EQ(prompter.questions, 0);
  EXPECT_EQ(driver.channels().size(), 2u);
}

TEST_F(LinkTestModeTest, APulledAdapterEndsTestModeAtOnceWithThePortError) {
  ASSERT_TRUE(enter());
  line.pulledAt = std::chrono::duration_cast<std::chrono::milliseconds>(line.now) + 5ms;
  driver.act(TestAction::Tune, 4);
  EXPECT_TRUE(host.runUntil([this] { return !driver.active(); }));
  EXPECT_EQ(prompter.portErrors, 1);
  EXPECT_EQ(prompter.questions, 0);  // no retry question: nothing is left to retry on
  EXPECT_LT(line.now, sim::Micros(*line.pulledAt + kTestWaitTimeout));
}

TEST_F(LinkTestModeTest, ASilentRadioEndsInTheRetryQuestionNotInTheLimit) {
  responder.faults().silentAfter = 3;
  EXPECT_FALSE(enter());
  EXPECT_EQ(prompter.questions, 1);
  EXPECT_FALSE(driver.active());
  EXPECT_FALSE(line.isOpen());
}

// Nothing wakes a read of the line when Ctrl+C comes: the loop reads in slices while it watches a
// stop, so an idle test mode (no timer, the port open) still sees it at once and ends, the radio
// told to leave.
TEST_F(LinkTestModeTest, AStopIsSeenWithinASliceOfAnIdleWaitAndTestModeIsLeft) {
  ASSERT_TRUE(enter());
  StopRequest stop;
  host.watchStop(&stop);
  const auto at = std::chrono::duration_cast<std::chrono::milliseconds>(line.now) + 2s;
  line.at(at, [&stop] { stop.request(StopCause::Interrupt); });
  EXPECT_FALSE(host.runUntil([] { return false; }, 10min));
  EXPECT_LE(line.now, sim::Micros(at + LinkLoop::kStopSlice));
  EXPECT_TRUE(StopOnRequest(stop, driver, nullptr));
  EXPECT_FALSE(driver.active());
  EXPECT_FALSE(line.isOpen());
  EXPECT_FALSE(responder.inTestMode());
  EXPECT_EQ(prompter.questions, 0);
}

TEST(WindowsPortNames, DevicePathsComparisonAndOrder) {
  EXPECT_EQ(SerialDevicePath("COM12"), "\\\\.\\COM12");
  EXPECT_EQ(SerialDevicePath("\\\\.\\COM3"), "\\\\.\\COM3");
  EXPECT_TRUE(SameSerialPort("COM3", "com3"));
  EXPECT_TRUE(SameSerialPort("\\\\.\\COM3", "COM3"));
  EXPECT_FALSE(SameSerialPort("COM3", "COM31"));
  std::vector<std::string> ports{"COM10", "COM2", "CNCA0", "COM1"};
  SortSerialPorts(ports);
  EXPECT_EQ(ports, (std::vector<std::string>{"CNCA0", "COM1", "COM2", "COM10"}));
}

}  // namespace
}  // namespace kr4100
