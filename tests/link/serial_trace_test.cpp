// SPDX-License-Identifier: GPL-3.0-or-later
// The serial trace: its lines as a bug report reads them, what a session writes into it on the
// simulated link (every byte, the time-outs and the outcome), and why a port would not open.
#include "core/link/serial_trace.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <sstream>
#include <string>
#include <vector>

#include "core/link/port_failure.h"
#include "core/link/trace_file.h"
#include "core/texts/bilingual.h"
#include "support/session_on_simulated_link.h"
#include "support/temp_dir.h"

namespace kr4100 {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Bytes the frame lines of one direction carry, counted from their hex.
std::size_t HexBytes(const std::string& text, const std::string& direction) {
  std::size_t bytes = 0;
  for (const std::string& line : Lines(text)) {
    if (line.size() < 32 || line.substr(15, 2) != direction) continue;
    std::istringstream hex(line.substr(31));
    for (std::string b; hex >> b;) {
      EXPECT_EQ(b.size(), 2u) << line;
      ++bytes;
    }
  }
  return bytes;
}

TEST(SerialTrace, WritesOneLinePerEventWithTheTimeSinceTheSessionBegan) {
  std::chrono::microseconds now{5'000'000};
  std::ostringstream out;
  SerialTrace trace(out, [&] { return now; });
  trace.begin("read");
  trace.opened({"/dev/ttyUSB0", 2, 2});
  const std::uint8_t handshake[] = {0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x4D};
  trace.sent("handshake", handshake);
  now += std::chrono::microseconds(12'345);
  const std::uint8_t ack[] = {0x06};
  trace.received("handshake", ack);
  now += std::chrono::microseconds(300'000);
  trace.timedOut("identity");
  trace.note("retry", "identity");
  trace.closed();
  trace.outcome("read", false);
  EXPECT_EQ(out.str(),
            "=== read ===\n"
            "     0.000 ms  --  open        /dev/ttyUSB0  9600,N,8,2 handshaking RTS/CTS\n"
            "     0.000 ms  --  lines       DTR on, RTS by handshaking\n"
            "     0.000 ms  TX  handshake   50 52 4F 47 52 41 4D\n"
            "    12.345 ms  RX  handshake   06\n"
            "   312.345 ms  --  time-out    identity\n"
            "   312.345 ms  --  retry       identity\n"
            "   312.345 ms  --  close     \n"
            "   312.345 ms  --  outcome     read failed\n"
            "   312.345 ms  --  totals      TX 7 bytes, RX 1 bytes\n");
}

class SessionTrace : public testing::SessionOnSimulatedLink {
 protected:
  SessionTrace() { session.setTrace(&trace); }
  std::ostringstream out;
  SerialTrace trace{out, [this] { return link.clock(); }};
};

TEST_F(SessionTrace, AReadIsTracedByteForByteFromOpenToOutcome) {
  radio.faults().dropReply = 3;  // the acknowledge of the identity's acknowledge
  ASSERT_TRUE(Read());
  const std::string text = out.str();
  const auto lines = Lines(text);
  ASSERT_GT(lines.size(), 480u);
  EXPECT_EQ(lines[0], "=== read ===");
  EXPECT_EQ(lines[1].substr(10), " ms  --  open        COM1  9600,N,8,1 handshaking none");
  EXPECT_EQ(lines[2].substr(10), " ms  --  lines       DTR on, RTS on");
  EXPECT_EQ(lines[3].substr(10), " ms  TX  handshake   50 52 4F 47 52 41 4D");
  EXPECT_EQ(lines[4].substr(15), "RX  handshake   06");
  EXPECT_EQ(lines[5].substr(15), "TX  identity    02");
  EXPECT_EQ(lines[7].substr(15), "TX  ident-ack   06");
  // Nothing came: the time-out after 300 ms, then the first block's request.
  EXPECT_EQ(lines[8].substr(15), "--  time-out    ident-ack");
  EXPECT_EQ(lines[9].substr(15), "TX  block       52 00 00 40");
  EXPECT_EQ(lines[lines.size() - 3].substr(15), "--  close     ");
  EXPECT_EQ(lines[lines.size() - 2].substr(15), "--  outcome     read succeeded");

  std::size_t sent = 0;
  for (const auto& frame : link.sent) sent += frame.size();
  EXPECT_EQ(HexBytes(text, "TX"), sent);
  EXPECT_EQ(trace.bytesSent(), sent);
  // 14 identity bytes, 120 blocks of 69 and one acknowledge each but the one dropped.
  EXPECT_EQ(HexBytes(text, "RX"), 14u + 120u * 69u + 120u + 1u + 1u);
  EXPECT_EQ(trace.bytesReceived(), HexBytes(text, "RX"));
}

TEST_F(SessionTrace, OnAnEchoingCableEachEchoIsMarkedAndOnlyRepliesCountAsReceived) {
  link.echo = true;
  ASSERT_TRUE(Read());
  const std::string text = out.str();
  const auto lines = Lines(text);
  ASSERT_GT(lines.size(), 6u);
  EXPECT_EQ(lines[3].substr(15), "TX  handshake   50 52 4F 47 52 41 4D");
  EXPECT_EQ(lines[4].substr(15), "EC  handshake   50 52 4F 47 52 41 4D");
  EXPECT_EQ(lines[5].substr(15), "RX  handshake   06");
  EXPECT_EQ(HexBytes(text, "EC"), HexBytes(text, "TX"));
  EXPECT_EQ(HexBytes(text, "RX"), 14u + 120u * 69u + 120u + 3u);
  EXPECT_EQ(trace.bytesReceived(), HexBytes(text, "RX"));
}

TEST_F(SessionTrace, APortThatWillNotOpenIsTracedWithWhy) {
  link.unopenable.insert("COM1");
  EXPECT_FALSE(session.open(SessionKind::Write));
  const auto lines = Lines(out.str());
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[1].substr(15), "--  open-fail   COM1  9600,N,8,1 handshaking none");
  EXPECT_EQ(lines[2].substr(15), "--  outcome     write failed");
}

TEST(TraceFile, IsMadeInTheTracesFolderNamedByTimeAndSession) {
  testing::TempDir dir;
  const Timestamp stamp{2024, 5, 1, 14, 3, 22};
  TraceFile file(dir.path(), "read radio information", stamp);
  ASSERT_TRUE(file.ok());
  EXPECT_EQ(file.path(),
            dir.path() / "traces" / "trace-2024-05-01-140322-read-radio-information.txt");
  file.trace().begin("read radio information");
  file.trace().outcome("read radio information", true);
  // Found: a second session in the same second wrote over the first one's trace.
  TraceFile second(dir.path(), "read radio information", stamp);
  ASSERT_TRUE(second.ok());
  EXPECT_EQ(second.path().filename(), "trace-2024-05-01-140322-read-radio-information-2.txt");
  second.trace().begin("read radio information");
  const auto bytes = testing::ReadBytes(file.path());
  const std::string text(bytes.begin(), bytes.end());
  EXPECT_EQ(text.rfind("KR-4100 serial trace, 2024-05-01 14:03:22\n", 0), 0u);
  EXPECT_NE(text.find("outcome"), std::string::npos);
}

// Only the program's own trace files are pruned, by time and copy number, the newest kept.
TEST(TraceFile, PruningKeepsTheNewestOwnFilesAndNothingElseIsTouched) {
  testing::TempDir dir;
  const auto folder = dir.path() / "traces";
  std::filesystem::create_directories(folder);
  for (const char* other : {"notes.txt", "trace-mine.txt", "trace-2024-05-01-140322-.txt",
                            "trace-2024-05-01-140322-read.txt.bak"})
    testing::WriteText(folder / other, "the user's");
  const Timestamp older{2024, 5, 1, 14, 3, 22};
  testing::WriteText(folder / TraceFileName(older, "read"), "x");
  testing::WriteText(folder / TraceFileName(older, "read", 2), "x");
  testing::WriteText(folder / TraceFileName(older, "test mode", 10), "x");
  testing::WriteText(folder / TraceFileName({2023, 1, 1}, "write"), "x");
  EXPECT_EQ(PruneTraces(folder, 2), 2u);
  EXPECT_EQ(testing::NamesIn(folder),
            (std::vector<std::string>{
                "notes.txt", "trace-2024-05-01-140322-.txt", "trace-2024-05-01-140322-read-2.txt",
                "trace-2024-05-01-140322-read.txt.bak", "trace-2024-05-01-140322-test-mode-10.txt",
                "trace-mine.txt"}));
}

TEST(PortFailure, SystemCodesMapOntoTheReasonsTheUserIsGiven) {
  EXPECT_EQ(FailureFromErrno(EACCES), PortFailure::NoPermission);
  EXPECT_EQ(FailureFromErrno(EPERM), PortFailure::NoPermission);
  EXPECT_EQ(FailureFromErrno(EBUSY), PortFailure::Busy);
  EXPECT_EQ(FailureFromErrno(ENOENT), PortFailure::Gone);
  EXPECT_EQ(FailureFromErrno(ENODEV), PortFailure::Gone);
  EXPECT_EQ(FailureFromErrno(ENXIO), PortFailure::Gone);
  EXPECT_EQ(FailureFromErrno(EIO), PortFailure::Unknown);
  // Windows: another program holding the port is access denied.
  EXPECT_EQ(FailureFromWin32Error(5), PortFailure::Busy);
  EXPECT_EQ(FailureFromWin32Error(32), PortFailure::Busy);
  EXPECT_EQ(FailureFromWin32Error(2), PortFailure::Gone);
  EXPECT_EQ(FailureFromWin32Error(3), PortFailure::Gone);
  EXPECT_EQ(FailureFromWin32Error(87), PortFailure::Unknown);
}

TEST(PortFailure, TheDeviceTellsAPortWeMayNotUseFromOneAnotherProgramHolds) {
  // Gone before anything else; an unexplained stat failure keeps what the library said.
  EXPECT_EQ(ExplainPosixOpenFailure(ENOENT, 0, {}, PortFailure::NoPermission),
            (PortOpenError{PortFailure::Gone, {}}));
  EXPECT_EQ(ExplainPosixOpenFailure(EIO, 0, {}, PortFailure::Gone),
            (PortOpenError{PortFailure::Gone, {}}));
  // Not ours to use: named with its group.
  EXPECT_EQ(ExplainPosixOpenFailure(0, EACCES, "dialout", PortFailure::NoPermission),
            (PortOpenError{PortFailure::NoPermission, "dialout"}));
  // Ours to use, yet refused (a lock file, an exclusive open): another program holds it.
  EXPECT_EQ(ExplainPosixOpenFailure(0, 0, {}, PortFailure::NoPermission),
            (PortOpenError{PortFailure::Busy, {}}));
  EXPECT_EQ(ExplainPosixOpenFailure(0, 0, {}, PortFailure::Unknown),
            (PortOpenError{PortFailure::Unknown, {}}));
}

TEST(PortFailure, TheReasonFollowsThePortErrorInBothLanguages) {
  EXPECT_EQ(PortErrorText({}, kEnglish), "Cannot Open Communication Port.");
  EXPECT_EQ(PortErrorText({PortFailure::NoPermission, "uucp"}, kEnglish),
            "Cannot Open Communication Port.\r\n"
            "You have no permission to use this port: it belongs to the group \"uucp\", and you "
            "are not in it.\r\nAdd yourself with the command: sudo usermod -aG uucp $USER\r\n"
            "then log out and log in again.");
  EXPECT_EQ(
      PortErrorText({PortFailure::NoPermission, "dialout"}, kChinese),
      "无法打开通信端口。\r\n您没有使用此端口的权限：该端口属于用户组“dialout”，而您不在该组中。"
      "\r\n请用以下命令加入该组：sudo usermod -aG dialout $USER\r\n然后注销并重新登录。");
  EXPECT_EQ(PortErrorText({PortFailure::NoPermission, {}}, kEnglish),
            "Cannot Open Communication Port.\r\nYou have no permission to use this port.");
  EXPECT_EQ(PortErrorText({PortFailure::Busy, {}}, kChinese),
            "无法打开通信端口。\r\n该端口正被其他程序占用。请关闭该程序后重试。");
  EXPECT_EQ(PortErrorText({PortFailure::Gone, {}}, kEnglish).substr(33, 26),
            "The port does not exist: t");
}

}  // namespace
}  // namespace kr4100
