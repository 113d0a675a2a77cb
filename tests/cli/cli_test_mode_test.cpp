// SPDX-License-Identifier: GPL-3.0-or-later
// kr4100-cli testmode against kr4100-sim over a pseudo-terminal: the test channels compared with
// a document's, alignment values set, stored, restored and polled, and faults that end test mode
// with the question printed and the port closed.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "support/cli_run.h"
#include "core/config/data_file.h"
#include "core/config/document.h"
#include "support/sim_process.h"
#include "support/temp_dir.h"

namespace kr4100 {
namespace {

using testing::Cli;
using testing::CliRun;

using Sim = testing::SimProcess;

Sim StartSim(std::vector<std::string> args = {}) { return Sim(KR4100_SIM_PATH, std::move(args)); }

// How many descriptors of this process refer to the device: the command must leave none open.
int OpenHandlesTo(const std::string& device) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    std::error_code error;
    if (std::filesystem::read_symlink(entry.path(), error) == device) ++count;
  }
  return count;
}

// A document with test frequencies on rows 2 and 9 only (stored form).
void SaveDocumentWithTestChannels(const std::filesystem::path& file, const char* row9Tx = "29100000") {
  Document doc;
  doc.InitNewDocument();
  RadioConfig& c = doc.working();
  c.TestFreCount = 2;
  c.TestFre[0] = {9, {}, {}, 2, 2};
  c.TestFre[0].RxFre = "29000000";
  c.TestFre[0].TxFre = row9Tx;
  c.TestFre[1] = {2, {}, {}, 2, 2};
  c.TestFre[1].RxFre = "28012340";
  c.TestFre[1].TxFre = "28012340";
  ASSERT_TRUE(SaveDataFile(doc, file).ok());
}

nlohmann::json Line(const std::string& out, int n) {
  std::istringstream lines(out);
  std::string line;
  for (int i = 0; i <= n; ++i)
    if (!std::getline(lines, line)) return {};
  return nlohmann::json::parse(line, nullptr, false);
}

// The radio's memory file once the radio has stored it: a leave that is not waited for may still
// be on its way when the command returns.
std::vector<std::uint8_t> StoredMemory(const std::string& path) {
  for (int i = 0; i < 200 && !std::filesystem::exists(path); ++i) ::usleep(10'000);
  return testing::ReadBytes(path);
}

nlohmann::json Point(int tab, int code, int value) {
  return {{"tab", tab}, {"code", code}, {"value", value}};
}

const std::string kMismatch =
    "Test Frequency nismatch.\nExecute read data from radio\nor write to radio.\n";

TEST(CliTestMode, ANewDocumentMatchesAFreshRadio) {
  testing::TempDir dir;
  ASSERT_EQ(Cli({"new", (dir / "new.dat").string()}).status, 0);
  Sim sim = StartSim();
  ASSERT_FALSE(sim.device().empty());
  const CliRun run = Cli({"testmode", "channels", "--port", sim.device(), (dir / "new.dat").string()});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  const nlohmann::json channels = Line(run.out, 0);
  ASSERT_EQ(channels.size(), 6u) << run.out;
  for (std::size_t i = 0; i < channels.size(); ++i) {
    EXPECT_EQ(channels[i]["channel"], static_cast<int>(i) + 1);
    EXPECT_EQ(channels[i]["rx"].get<std::string>().size(), 9u) << channels[i];  // "28.000000"
  }
}

TEST(CliTestMode, ChannelsListsTheRadiosOwnAndAMismatchEndsTestMode) {
  testing::TempDir dir;
  SaveDocumentWithTestChannels(dir / "t.dat");
  SaveDocumentWithTestChannels(dir / "other.dat", "29100010");
  Sim sim = StartSim({"--test-channels", (dir / "t.dat").string()});
  ASSERT_FALSE(sim.device().empty());

  // The fourteen rows the radio answers with eight 0xFF are not listed; rows come in order.
  CliRun run = Cli({"testmode", "channels", "--port", sim.device(), (dir / "t.dat").string()});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "[{\"channel\":2,\"rx\":\"28.012340\",\"tx\":\"28.012340\"},"
            "{\"channel\":9,\"rx\":\"29.000000\",\"tx\":\"29.100000\"}]\n");
  EXPECT_EQ(OpenHandlesTo(sim.device()), 0);

  // Ten hertz apart on one transmit frequency is a mismatch.
  run = Cli({"testmode", "channels", "--port", sim.device(), (dir / "other.dat").string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, kMismatch);
  EXPECT_EQ(OpenHandlesTo(sim.device()), 0);
  // Test mode was left: the radio answers a programming session again.
  run = Cli({"info", "--port", sim.device()});
  EXPECT_EQ(run.status, 0) << run.err;

  run = Cli({"--lang", "zh", "testmode", "align", "--port", sim.device(), "--item", "1",
             (dir / "other.dat").string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "测试频率不匹配\n执行“从对讲机读取数据”\n或“向对讲机写入数据”。\n");
}

// A fresh radio's alignment values are 100 + the code's place among the 44 codes in ascending
// order: code 24 is fifth (104), 36..38 are 14th..16th (113..115); RF High Power's tabs
// 18, 48, 51, 49, 52, 50 are third (102) and 17th..21st (116, 119, 117, 120, 118).
TEST(CliTestMode, AlignPrintsSetsAndStoresPointsThatASecondRunReadsBack) {
  testing::TempDir dir;
  SaveDocumentWithTestChannels(dir / "t.dat");
  const std::string file = (dir / "t.dat").string();
  const std::string memory = (dir / "radio.img").string();
  {
    Sim sim = StartSim({"--test-channels", file, "--save", memory});
    const std::string port = sim.device();
    ASSERT_FALSE(port.empty());

    CliRun run = Cli({"testmode", "align", "--port", port, "--item", "4", file});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Line(run.out, 0), nlohmann::json({Point(0, 24, 104), Point(1, 36, 113),
                                                Point(3, 37, 114), Point(5, 38, 115)}));

    // In narrow the item has the Test point only.
    run = Cli({"testmode", "align", "--port", port, "--item", "4", "--narrow", file});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "[{\"code\":24,\"tab\":0,\"value\":104}]\n");

    // Center to 50 with OK; then the Test slider +16 moves the whole item.
    run = Cli({"testmode", "align", "--port", port, "--item", "4", "--set", "3=50", "--ok", file});
    ASSERT_EQ(run.status, 0) << run.err;
    run = Cli({"testmode", "align", "--port", port, "--item", "4", "--set", "0=120", file});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Line(run.out, 0)[2], Point(3, 37, 50));
    EXPECT_EQ(OpenHandlesTo(port), 0);

    // One point at 250 holds a +10 group move to +5.
    run = Cli({"testmode", "align", "--port", port, "--item", "1", "--set", "4=250", "--set",
               "0=112", file});
    ASSERT_EQ(run.status, 0) << run.err;

    // Stored once test mode was left, with the radio still running.
    const auto image = testing::ReadBytes(memory);
    ASSERT_EQ(image.size(), 8192u);
    EXPECT_EQ(image[0x1E00 + 4], 120);
    EXPECT_EQ(image[0x1E00 + 13], 129);
    EXPECT_EQ(image[0x1E00 + 14], 66);
    EXPECT_EQ(image[0x1E00 + 15], 131);
    EXPECT_EQ(image[0x1E00 + 20], 255);  // code 52
  }

  // The memory file carries them into the next run of the radio.
  Sim sim = StartSim({"--test-channels", file, "--image", memory});
  ASSERT_FALSE(sim.device().empty());
  CliRun run = Cli({"testmode", "align", "--port", sim.device(), "--item", "1", file});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Line(run.out, 0), nlohmann::json({Point(0, 18, 107), Point(1, 48, 121), Point(2, 51, 124),
                                              Point(3, 49, 122), Point(4, 52, 255), Point(5, 50, 123)}));
  run = Cli({"testmode", "align", "--port", sim.device(), "--item", "4", file});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Line(run.out, 0), nlohmann::json({Point(0, 24, 120), Point(1, 36, 129),
                                              Point(3, 37, 66), Point(5, 38, 131)}));
}

TEST(CliTestMode, CancelPutsBackTheValuesReadAtTheStart) {
  testing::TempDir dir;
  SaveDocumentWithTestChannels(dir / "t.dat");
  const std::string file = (dir / "t.dat").string();
  Sim sim = StartSim({"--test-channels", file});
  const std::string port = sim.device();
  ASSERT_FALSE(port.empty());
  CliRun run = Cli({"testmode", "align", "--port", port, "--item", "8", "--set", "5=9", "--set",
                    "0=0", "--ok", "--cancel", file});
  ASSERT_EQ(run.status, 0) << run.err;
  const nlohmann::json before = Line(run.out, 0);
  ASSERT_EQ(before.size(), 4u) << run.out;
  run = Cli({"testmode", "align", "--port", port, "--item", "8", file});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Line(run.out, 0), before);
}

TEST(CliTestMode, PollPrintsValuesThatMoveALittle) {
  testing::TempDir dir;
  SaveDocumentWithTestChannels(dir / "t.dat");
  const std::string file = (dir / "t.dat").string();
  Sim sim = StartSim({"--test-channels", file});
  ASSERT_FALSE(sim.device().empty());
  // VOX1 (code 33, eleventh: 110).
  const CliRun run =
      Cli({"testmode", "align", "--port", sim.device(), "--item", "13", "--poll", "3", file});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Line(run.out, 0), nlohmann::json({Point(0, 33, 110)}));
  const nlohmann::json polled = Line(run.out, 1);
  ASSERT_EQ(polled.size(), 3u) << run.out;
  for (const auto& v : polled) EXPECT_LE(std::abs(v.get<int>() - 110), 1) << polled;
  EXPECT_NE(polled[0], polled[1]);
}

TEST(CliTestMode, AFaultOrAnotherModelEndsTestModeWithThePortClosed) {
  testing::TempDir dir;
  SaveDocumentWithTestChannels(dir / "t.dat");
  const std::string file = (dir / "t.dat").string();
  // Reply 1 acknowledges "ALIGNS ", reply 2 is the identity, reply 6 the first test channel.
  for (const std::vector<std::string>& fault :
       {std::vector<std::string>{"--test-drop-reply", "1"}, {"--test-corrupt-reply", "1"},
        {"--test-truncate-reply", "2"}, {"--test-silent-after", "6"}}) {
    std::vector<std::string> args{"--test-channels", file};
    args.insert(args.end(), fault.begin(), fault.end());
    Sim sim = StartSim(args);
    ASSERT_FALSE(sim.device().empty());
    const CliRun run = Cli({"testmode", "channels", "--port", sim.device(), file});
    EXPECT_EQ(run.status, 1) << fault[0];
    EXPECT_EQ(run.out, "") << fault[0];
    EXPECT_EQ(run.err, "Check Connection. Retry or Cancel?\n") << fault[0];
    EXPECT_EQ(OpenHandlesTo(sim.device()), 0) << fault[0];
  }
  {
    // A radio of another model is refused after its identity, before any test channel is read.
    Sim other = StartSim({"--test-channels", file, "--model", "7731"});
    const CliRun run = Cli({"testmode", "channels", "--port", other.device(), file});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Model type is wrong.\nPC:KR-4100\nRadio:7731\n");
    EXPECT_EQ(OpenHandlesTo(other.device()), 0);
  }
  // A fault while tuning: entering took 40 replies and wide one more; the adjustment block
  // (reply 42) never comes.
  Sim sim = StartSim({"--test-channels", file, "--test-drop-reply", "42"});
  const CliRun run = Cli({"testmode", "align", "--port", sim.device(), "--item", "2", file});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "Check Connection. Retry or Cancel?\n");
}

// A group move on the Test point changes the other points in the program only; a later page
// on another tab brings the radio's old values for them, which must not undo the move.
TEST(CliTestMode, AGroupMoveSurvivesALaterPageOnAnotherTab) {
  testing::TempDir dir;
  SaveDocumentWithTestChannels(dir / "t.dat");
  const std::string file = (dir / "t.dat").string();
  const std::string memory = (dir / "radio.img").string();
  Sim sim = StartSim({"--test-channels", file, "--save", memory});
  ASSERT_FALSE(sim.device().empty());
  const CliRun run = Cli({"testmode", "align", "--port", sim.device(), "--item", "4", "--set",
                          "0=114", "--set", "3=50", file});
  ASSERT_EQ(run.status, 0) << run.err;
  const auto image = testing::ReadBytes(memory);
  ASSERT_EQ(image.size(), 8192u);
  EXPECT_EQ(image[0x1E00 + 4], 114);   // code 24, +10
  EXPECT_EQ(image[0x1E00 + 13], 123);  // code 36, carried along
  EXPECT_EQ(image[0x1E00 + 14], 50);   // code 37, set
  EXPECT_EQ(image[0x1E00 + 15], 125);  // code 38, carried along
}

// Replies of the wrong length from the real serial port: a stray byte before the adjustment
// block, a radio that acknowledges a page select ahead of the values. Nothing of them is shown
// or stored; the question is asked, and the radio is told to leave test mode.
TEST(CliTestMode, RepliesOfTheWrongLengthAreRefusedAndNothingIsStored) {
  testing::TempDir dir;
  SaveDocumentWithTestChannels(dir / "t.dat");
  const std::string file = (dir / "t.dat").string();
  // Entering takes 40 replies and wide one more: reply 42 is the tune's adjustment block.
  for (const std::vector<std::string>& fault :
       {std::vector<std::string>{"--test-stray-reply", "42"}, {"--test-overlong-reply", "42"},
        {"--test-ack-page"}}) {
    const std::string memory = (dir / "radio.img").string();
    std::filesystem::remove(memory);
    std::vector<std::string> args{"--test-channels", file, "--save", memory};
    args.insert(args.end(), fault.begin(), fault.end());
    Sim sim = StartSim(args);
    ASSERT_FALSE(sim.device().empty());
    const CliRun run = Cli({"testmode", "align", "--port", sim.device(), "--item", "4", "--set",
                            "3=50", file});
    EXPECT_EQ(run.status, 1) << fault[0];
    EXPECT_EQ(run.err, "Check Connection. Retry or Cancel?\n") << fault[0];
    const bool blockFault = fault[0] != "--test-ack-page";
    // The block's points are printed only when the block was taken.
    EXPECT_EQ(run.out.empty(), blockFault) << fault[0] << run.out;
    // Stored on leaving test mode: the radio got the leave bytes, and every value is as it was.
    const auto image = StoredMemory(memory);
    ASSERT_EQ(image.size(), 8192u) << fault[0];
    for (int i = 0; i < 44; ++i) EXPECT_EQ(image[0x1E00 + i], 100 + i) << fault[0] << " byte " << i;
  }
}

// A radio of another model has acknowledged the entry word: it is told to leave test mode
// (the virtual radio stores its memory file each time it does).
TEST(CliTestMode, ARefusedRadioIsToldToLeaveTestMode) {
  testing::TempDir dir;
  SaveDocumentWithTestChannels(dir / "t.dat");
  const std::string file = (dir / "t.dat").string();
  const std::string memory = (dir / "radio.img").string();
  Sim other = StartSim({"--test-channels", file, "--model", "7731", "--save", memory});
  const CliRun run = Cli({"testmode", "channels", "--port", other.device(), file});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(StoredMemory(memory).size(), 8192u);
}

TEST(CliTestMode, RefusesWhatTheAdjustmentWindowWouldNotOffer) {
  testing::TempDir dir;
  SaveDocumentWithTestChannels(dir / "t.dat");
  const std::string file = (dir / "t.dat").string();
  const std::string missing = (dir / "no-tty").string();
  auto align = [&](std::vector<std::string> more) {
    std::vector<std::string> args{"testmode", "align", "--port", missing, file};
    args.insert(args.end(), more.begin(), more.end());
    return Cli(args).status;
  };
  EXPECT_EQ(align({}), 2);                                       // no item
  EXPECT_EQ(align({"--item", "16"}), 2);
  EXPECT_EQ(align({"--item", "4", "--set", "2=5"}), 2);          // Low' is not a point of item 4
  EXPECT_EQ(align({"--item", "4", "--narrow", "--set", "1=5"}), 2);
  EXPECT_EQ(align({"--item", "1", "--set", "0=256"}), 2);
  EXPECT_EQ(align({"--item", "1", "--set", "05"}), 2);
  EXPECT_EQ(align({"--item", "4", "--poll", "3"}), 2);           // only 12..15 are polled
  EXPECT_EQ(align({"--item", "12", "--set", "0=5"}), 2);         // no slider pages
  EXPECT_EQ(Cli({"testmode", "channels", file}).status, 2);
  const CliRun run = Cli({"testmode", "channels", "--port", missing, file});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err.rfind("Cannot Open Communication Port.\nThe port does not exist: ", 0), 0u)
      << run.err;
}

}  // namespace
}  // namespace kr4100
