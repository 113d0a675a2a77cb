// SPDX-License-Identifier: GPL-3.0-or-later
// kr4100-cli's image and radio commands: pack and unpack against expected image bytes, and read,
// write and info over a real pseudo-terminal served by kr4100-sim.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "core/config/data_file.h"
#include "core/config/document.h"
#include "support/cli_run.h"
#include "support/sim_process.h"
#include "support/temp_dir.h"

namespace kr4100 {
namespace {

using testing::Cli;
using testing::CliRun;
using testing::Contains;

nlohmann::json Dump(const std::filesystem::path& file) {
  const CliRun run = Cli({"dump", file.string()});
  EXPECT_EQ(run.status, 0) << run.err;
  return run.status == 0 ? nlohmann::json::parse(run.out) : nlohmann::json{};
}

// The used slots of every group, as the dump shows them.
nlohmann::json ChannelTable(const nlohmann::json& dump) {
  nlohmann::json table = nlohmann::json::array();
  for (int g = 0; g < 6; ++g) {
    nlohmann::json group = nlohmann::json::array();
    for (int s = 0; s < dump["ChCount"][g].get<int>(); ++s) group.push_back(dump["Ch"][g][s]);
    table.push_back(group);
  }
  return table;
}

using Sim = testing::SimProcess;

Sim StartSim(std::vector<std::string> args = {}) {
  return Sim(KR4100_SIM_PATH, std::move(args));
}

// A new document with more channels than the defaults, saved.
void SaveDocumentWithChannels(const std::filesystem::path& file) {
  Document doc;
  doc.InitNewDocument();
  doc.AppendChannel(9, 1, "28.500000");
  ChInfo& ch9 = doc.working().slot(2, 1);
  ch9.TxFre = "29012300";
  ch9.Scan = 0;
  ch9.Busy = 1;
  ch9.HiCut = 1;
  ch9.Rb = 1;
  ch9.Echo = 0;
  // Appended out of order: the radio gives them back sorted.
  doc.AppendChannel(60, 3, "29.700000");
  doc.AppendChannel(2, 3, "28.000100");
  doc.working().slot(3, 3).NbAnl = 1;
  doc.working().slot(3, 3).Plus10K = 1;
  ASSERT_TRUE(SaveDataFile(doc, file).ok());
}

// ---- pack / unpack ---------------------------------------------------------------------------

TEST(CliImage, PackLaysOutANewDocumentAsAWriteSendsIt) {
  testing::TempDir dir;
  ASSERT_EQ(Cli({"new", (dir / "new.dat").string()}).status, 0);
  const CliRun run = Cli({"pack", (dir / "new.dat").string(), (dir / "new.img").string()});
  ASSERT_EQ(run.status, 0) << run.err;
  const auto image = testing::ReadBytes(dir / "new.img");
  ASSERT_EQ(image.size(), 8192u);

  std::vector<std::uint8_t> expected(8192, 0xFF);
  std::fill(expected.begin() + 0x1D00, expected.begin() + 0x1D60, 0x00);
  // Channel 1 of every group, receive = transmit, echo on; the 100 kHz/10 kHz/1 kHz digits
  // differ by group: 28.015, 28.145, 28.115, 28.085, 28.055, 28.025 MHz.
  const std::uint8_t mhzDigits[6] = {0x01, 0x14, 0x11, 0x08, 0x05, 0x02};
  for (int g = 0; g < 6; ++g) {
    const std::size_t r = 0x0010 + 18 * 60 * static_cast<std::size_t>(g);
    const std::uint8_t d = mhzDigits[g];
    const std::uint8_t record[11] = {0x28, d, 0x50, 0, 0, 0x28, d, 0x50, 0, 0, 0x08};
    std::copy(std::begin(record), std::end(record),
              expected.begin() + static_cast<std::ptrdiff_t>(r));
    expected[0x1D00 + 8 * g] = 0x01;  // present
    expected[0x1D30 + 8 * g] = 0x01;  // scanned
  }
  // clang-format off
  const std::uint8_t options[38] = {
      0x02,                          // Tot
      0x00, 0x69,                    // RbFre 105
      0x02,                          // RbTime
      0x00, 0x69,                    // CwSideTone 105
      0x03, 0x04, 0x00,              // FreStep, ScanResumeTime, LcdDisplayInTx
      0x3C, 0xA0, 0x6E,              // SwrProtect 60, BatVoltMax 160, BatVoltMin 110
      0x3F,                          // LSB, USB, FM, AM, PA and CW enabled
      0x00, 0x00, 0x00,              // SingleChangeData, channel-option flags, SingleChangeRxTxFre
      0x01, 0x00,                    // LcdDisplay, ScanMode
      0x09, 0x09, 0x09,              // FM, AM, SSB squelch close delays
      0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  // EmgCh of the six groups
      0x01, 0x01,                    // SwrProtectEnable, DcProtectEnable
      0x00, 0x64,                    // SingleTone 100
      0xFF,                          // not used
      0x00, 0x00,                    // ClarifierMode, PushMode
      0x1F, 0x0F, 0x1F, 0x1F};       // MicGain, MonGain, CwSideVol, BeepVol
  // clang-format on
  std::copy(std::begin(options), std::end(options), expected.begin() + 0x1D60);

  for (std::size_t a = 0; a < expected.size(); ++a)
    ASSERT_EQ(image[a], expected[a]) << "address 0x" << std::hex << a;
}

TEST(CliImage, UnpackOfPackKeepsTheChannelTableAndTheDocumentsModel) {
  testing::TempDir dir;
  SaveDocumentWithChannels(dir / "a.dat");
  ASSERT_EQ(Cli({"pack", (dir / "a.dat").string(), (dir / "a.img").string()}).status, 0);
  const auto image = testing::ReadBytes(dir / "a.img");
  // Channel 9 of group 1: present bit 0 of 0x1D09, record at 16 + 18 * 68.
  EXPECT_EQ(image[0x1D09], 0x01);
  EXPECT_EQ(image[0x1D39], 0x00);
  EXPECT_EQ(std::vector<std::uint8_t>(image.begin() + 1240, image.begin() + 1251),
            (std::vector<std::uint8_t>{0x28, 0x50, 0x00, 0, 0, 0x29, 0x01, 0x23, 0, 0, 0x92}));

  const CliRun run = Cli({"unpack", (dir / "a.img").string(), (dir / "b.dat").string()});
  ASSERT_EQ(run.status, 0) << run.err;
  const auto before = Dump(dir / "a.dat");
  const auto after = Dump(dir / "b.dat");
  auto expected = ChannelTable(before);
  std::swap(expected[3][1], expected[3][2]);  // group 3 comes back sorted: 1, 2, 60
  EXPECT_EQ(ChannelTable(after), expected);
  EXPECT_EQ(after["OptFeat"], before["OptFeat"]);
  // pack writes no identity: the image is taken as one for the document's own model and band.
  EXPECT_EQ(after["ModelInfo"]["ModelCode"], std::string("HT52\0 ", 6));
  EXPECT_EQ(after["ModelInfo"]["BandType"], 0);

  ASSERT_EQ(
      Cli({"unpack", "--band", "1", (dir / "a.img").string(), (dir / "c.dat").string()}).status, 0);
  EXPECT_EQ(Dump(dir / "c.dat")["ModelInfo"]["BandType"], 1);
}

TEST(CliImage, UnpackFollowsTheImagesIdentityAndRefusesAWrongSize) {
  testing::TempDir dir;
  ASSERT_EQ(Cli({"new", (dir / "new.dat").string()}).status, 0);
  ASSERT_EQ(Cli({"pack", (dir / "new.dat").string(), (dir / "r.img").string()}).status, 0);
  auto image = testing::ReadBytes(dir / "r.img");
  // The identity reply of a band-1 radio of model 7732, as a read leaves it in the image.
  const std::vector<std::uint8_t> identity{'P', '7', '7', '3', '2', 0, 248,
                                           1,   'V', '6', '0', '0', 0, 0};
  std::copy(identity.begin(), identity.end(), image.begin() + 0x1D90);
  testing::WriteBytes(dir / "r.img", image);
  ASSERT_EQ(Cli({"unpack", (dir / "r.img").string(), (dir / "r.dat").string()}).status, 0);
  const auto j = Dump(dir / "r.dat");
  EXPECT_EQ(j["ModelInfo"]["ModelCode"], std::string("7732\0 ", 6));
  EXPECT_EQ(j["ModelInfo"]["BandType"], 1);
  EXPECT_EQ(j["ModelInfo"]["BandType2"], 1);  // the rest came from the band-1 template

  image.push_back(0xFF);
  testing::WriteBytes(dir / "long.img", image);
  CliRun run = Cli({"unpack", (dir / "long.img").string(), (dir / "x.dat").string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "file error.\n");
  run = Cli({"unpack", (dir / "missing.img").string(), (dir / "x.dat").string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "file error.\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "x.dat"));

  // A 16-bit option with its high byte at 0x80 or more cannot be taken into the record.
  image.pop_back();
  image[0x1D61] = 0x80;
  testing::WriteBytes(dir / "bad.img", image);
  run = Cli({"--lang", "zh", "unpack", (dir / "bad.img").string(), (dir / "x.dat").string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err.rfind("从对讲机读取的数据无效，当前文件未被改变： ", 0), 0u) << run.err;
  EXPECT_FALSE(std::filesystem::exists(dir / "x.dat"));
}

TEST(CliImage, PackRefusesAValueTheRadioCannotHoldAndBadFiles) {
  testing::TempDir dir;
  Document doc;
  doc.InitNewDocument();
  doc.working().OptFeat[0] = 300;  // Tot has one byte
  ASSERT_TRUE(SaveDataFile(doc, dir / "big.dat").ok());
  CliRun run = Cli({"pack", (dir / "big.dat").string(), (dir / "big.img").string()});
  EXPECT_EQ(run.status, 1);
  const std::string lead =
      "Nothing was written to the radio. This setting does not fit the radio's memory: ";
  EXPECT_EQ(run.err.substr(0, lead.size()), lead);
  EXPECT_FALSE(std::filesystem::exists(dir / "big.img"));

  testing::WriteBytes(dir / "short.dat", std::vector<std::uint8_t>(100, 0));
  run = Cli({"pack", (dir / "short.dat").string(), (dir / "x.img").string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_FALSE(run.err.empty());

  ASSERT_EQ(Cli({"new", (dir / "new.dat").string()}).status, 0);
  run = Cli({"pack", (dir / "new.dat").string(), (dir / "no" / "such" / "x.img").string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "file error.\n");
}

// ---- read / write / info over a pseudo-terminal --------------------------------------------

TEST(CliRadio, ReadOfAFreshRadioGivesTheNewDocumentsChannels) {
  testing::TempDir dir;
  Sim sim = StartSim();
  ASSERT_FALSE(sim.device().empty());
  const CliRun run = Cli({"read", "--port", sim.device(), (dir / "read.dat").string()});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "Read Data Completed.\n");
  EXPECT_EQ(run.err.rfind("\rRead data from radio 0%\rRead data from radio 1%", 0), 0u) << run.err;
  EXPECT_TRUE(Contains(run.err, "\rRead data from radio 100%\n")) << run.err;

  ASSERT_EQ(Cli({"new", (dir / "new.dat").string()}).status, 0);
  const auto fresh = Dump(dir / "new.dat");
  const auto read = Dump(dir / "read.dat");
  EXPECT_EQ(read["ChCount"], fresh["ChCount"]);
  EXPECT_EQ(ChannelTable(read), ChannelTable(fresh));
  EXPECT_EQ(read["OptFeat"], fresh["OptFeat"]);
}

TEST(CliRadio, WrittenChannelsReadBack) {
  testing::TempDir dir;
  SaveDocumentWithChannels(dir / "a.dat");
  Sim sim = StartSim();
  ASSERT_FALSE(sim.device().empty());
  CliRun run = Cli({"write", "--port", sim.device(), (dir / "a.dat").string()});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "Write Data Completed.\n");
  EXPECT_TRUE(Contains(run.err, "\rWrite data to radio 100%\n")) << run.err;

  run = Cli({"read", "--port", sim.device(), "--stop-bits", "2", (dir / "b.dat").string()});
  ASSERT_EQ(run.status, 0) << run.err;
  const auto back = ChannelTable(Dump(dir / "b.dat"));
  ASSERT_EQ(back[1].size(), 2u);
  EXPECT_EQ(back[1][1]["ChNum"], 9);
  EXPECT_EQ(back[1][1]["RxFre"], "28500000");
  EXPECT_EQ(back[1][1]["TxFre"], "29012300");
  EXPECT_EQ(back[1][1]["Rb"], 1);
  EXPECT_EQ(back[1][1]["Scan"], 0);
  ASSERT_EQ(back[3].size(), 3u);
  EXPECT_EQ(back[3][1]["ChNum"], 2);
  EXPECT_EQ(back[3][1]["RxFre"], "28000100");
  EXPECT_EQ(back[3][1]["Plus10K"], 1);
  EXPECT_EQ(back[3][2]["ChNum"], 60);
}

// A cable that joins TX and RX behind a USB adapter holding bytes for 16 ms: the program's own
// serial port, not the simulated one, must tell the echo from the replies and wait long enough.
TEST(CliRadio, EchoingCableBehindALatentAdapterMovesTheConfigurationWhole) {
  testing::TempDir dir;
  SaveDocumentWithChannels(dir / "a.dat");
  Sim sim = StartSim({"--echo", "--adapter-latency", "16"});
  ASSERT_FALSE(sim.device().empty());
  const std::string trace = (dir / "trace.txt").string();
  CliRun run = Cli({"write", "--port", sim.device(), "--no-backup", "--verify", "--trace", trace,
                    (dir / "a.dat").string()});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "Write Data Completed.\n");
  std::ifstream in(trace);
  const std::string traced((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_TRUE(Contains(traced, " EC  handshake ")) << traced.substr(0, 600);

  run = Cli({"read", "--port", sim.device(), "--no-backup", (dir / "b.dat").string()});
  ASSERT_EQ(run.status, 0) << run.err;
  // The radio gives a group's channels back in number order.
  auto written = ChannelTable(Dump(dir / "a.dat"));
  for (auto& group : written)
    std::sort(group.begin(), group.end(),
              [](const auto& x, const auto& y) { return x["ChNum"] < y["ChNum"]; });
  EXPECT_EQ(ChannelTable(Dump(dir / "b.dat")), written);
  run = Cli({"info", "--port", sim.device()});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(Contains(run.out, "Area code: ")) << run.out;
  // Test mode waits for the line to go quiet after each reply: the echo must not count as one.
  run = Cli({"testmode", "channels", "--port", sim.device(), (dir / "b.dat").string()});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(Contains(run.out, "\"channel\":1")) << run.out;
}

TEST(CliRadio, RefusedRadioIsExplainedAndNothingIsTransferred) {
  testing::TempDir dir;
  ASSERT_EQ(Cli({"new", (dir / "new.dat").string()}).status, 0);
  {
    Sim sim = StartSim({"--model", "7731"});
    CliRun run = Cli({"write", "--port", sim.device(), (dir / "new.dat").string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.out.empty());
    EXPECT_TRUE(Contains(run.err, "\nModel type is wrong.\nPC:KR-4100\nRadio:7731\n")) << run.err;
    EXPECT_FALSE(Contains(run.err, "Write Data Completed."));
    run = Cli({"read", "--port", sim.device(), (dir / "r.dat").string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(Contains(run.err, "Model type is wrong.")) << run.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "r.dat"));
  }
  {
    // A radio of the other band takes no write, but may be read.
    Sim sim = StartSim({"--band", "1"});
    CliRun run = Cli({"write", "--port", sim.device(), (dir / "new.dat").string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(Contains(run.err, "\nFrequency band type is wrong.\n")) << run.err;
    run = Cli({"read", "--port", sim.device(), (dir / "r.dat").string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Dump(dir / "r.dat")["ModelInfo"]["BandType"], 1);
  }
  {
    // The version question is answered No.
    Sim sim = StartSim({"--firmware", "V601"});
    const CliRun run =
        Cli({"--lang", "zh", "write", "--port", sim.device(), (dir / "new.dat").string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(Contains(
        run.err, "版本不兼容，有可能引起未知错误，是否启动对应版本软件？\n固件版本为 V6.01\n"))
        << run.err;
  }
}

TEST(CliRadio, PortAndConnectionFailures) {
  testing::TempDir dir;
  ASSERT_EQ(Cli({"new", (dir / "new.dat").string()}).status, 0);
  const std::string missing = (dir / "no-such-tty").string();
  CliRun run = Cli({"write", "--port", missing, (dir / "new.dat").string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err,
            "Cannot Open Communication Port.\nThe port does not exist: the cable or USB adapter "
            "may be unplugged. Plug it in, or choose another port under Setup.\n");
  run = Cli({"--lang", "zh", "info", "--port", missing});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err.rfind("无法打开通信端口。\n该端口不存在：", 0), 0u) << run.err;
  run = Cli({"read", "--port", missing, (dir / "r.dat").string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_FALSE(std::filesystem::exists(dir / "r.dat"));

  // The cable goes after three blocks (0x0000..0x00BF, 2%): the connection question is printed and
  // answered Cancel.
  Sim sim = StartSim({"--silent-after", "3"});
  run = Cli({"read", "--port", sim.device(), (dir / "r.dat").string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(Contains(run.err, "\rRead data from radio 2%\nCheck Connection. Retry or Cancel?\n"))
      << run.err;
  EXPECT_FALSE(std::filesystem::exists(dir / "r.dat"));
}

// The trace holds every byte on the wire, as frame lines of hex, between the port's open and
// the session's outcome.
TEST(CliRadio, ReadWithTraceRecordsEveryByteOnTheWire) {
  testing::TempDir dir;
  Sim sim = StartSim();
  ASSERT_FALSE(sim.device().empty());
  const std::string traceFile = (dir / "trace.txt").string();
  const std::vector<std::string> args{"kr4100-cli",
                                      "read",
                                      "--port",
                                      sim.device(),
                                      "--trace",
                                      traceFile,
                                      (dir / "read.dat").string()};
  std::vector<const char*> argv;
  for (const auto& a : args) argv.push_back(a.c_str());
  std::ostringstream out, err;
  SessionFigures figures;
  ASSERT_EQ(
      RunCli(static_cast<int>(argv.size()), argv.data(), KR4100_PROGRAM_DIR, out, err, &figures), 0)
      << err.str();
  ASSERT_TRUE(figures.ran);

  const auto bytes = testing::ReadBytes(traceFile);
  std::istringstream trace(std::string(bytes.begin(), bytes.end()));
  std::size_t tx = 0, rx = 0, frames = 0;
  std::vector<std::string> events;
  for (std::string line; std::getline(trace, line);) {
    if (line.size() < 31 || line.compare(10, 3, " ms") != 0) continue;
    const std::string direction = line.substr(15, 2);
    if (direction == "--") {
      events.push_back(line.substr(19));
      continue;
    }
    ++frames;
    std::istringstream hex(line.substr(31));
    for (std::string b; hex >> b;) (direction == "TX" ? tx : rx) += 1;
  }
  EXPECT_EQ(tx + rx, figures.bytesOnWire);
  EXPECT_EQ(tx, 7u + 1u + 1u + 120u * 4u + 120u * 1u + 1u);  // handshake .. end
  EXPECT_EQ(frames, 2u * (3u + 120u * 2u + 1u));
  ASSERT_GE(events.size(), 3u);
  EXPECT_EQ(events.front(), "open        " + sim.device() + "  9600,N,8,1 handshaking none");
  EXPECT_EQ(events[events.size() - 2], "outcome     read succeeded");

  // A file that cannot be made stops the command before the port opens.
  const std::string nowhere = (dir / "no" / "t.txt").string();
  const CliRun run = Cli({"info", "--port", sim.device(), "--trace", nowhere});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "file error. " + nowhere + "\n");
}

TEST(CliRadio, PortSearchTellsWhereTheRadioWasFoundAndGoesOnThere) {
  testing::TempDir dir;
  {
    // The radio hears only a line with 2 stop bits and RTS/CTS; the command starts with 1 and none.
    Sim sim = StartSim({"--stop-bits", "2", "--handshaking", "2"});
    ASSERT_FALSE(sim.device().empty());
    const CliRun run = Cli({"read", "--port", sim.device(), (dir / "r.dat").string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Read Data Completed.\n");
    const std::string found =
        "Radio found on " + sim.device() + ", 2 stop bits, handshaking RTS/CTS\n";
    EXPECT_TRUE(Contains(
        run.err, "Search for communication setting,please wait for a few minutes...\n" + found))
        << run.err;
    EXPECT_TRUE(Contains(run.err, "\rRead data from radio 100%\n")) << run.err;
    EXPECT_EQ(Dump(dir / "r.dat")["ChCount"][0], 1);
  }
  {
    // In Chinese, for a write to a radio that wants 2 stop bits and no handshaking.
    ASSERT_EQ(Cli({"new", (dir / "new.dat").string()}).status, 0);
    Sim sim = StartSim({"--stop-bits", "2", "--handshaking", "0"});
    ASSERT_FALSE(sim.device().empty());
    const CliRun run = Cli({"--lang", "zh", "write", "--port", sim.device(), "--handshaking", "2",
                            (dir / "new.dat").string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "写入数据完成。\n");
    const std::string found = "\n在 " + sim.device() + " 上找到对讲机，停止位 2，握手方式 无\n";
    EXPECT_TRUE(Contains(run.err, found)) << run.err;
  }
}

TEST(CliRadio, InfoPrintsTheRadioInformation) {
  Sim sim = StartSim();
  ASSERT_FALSE(sim.device().empty());
  const std::string expected =
      "Area code: 86\n"
      "Serial number: 41000A0012345\n"
      "Production date: 20240318\n"
      "Manufacture code: B2403\n"
      "User code: 0001\n"
      "Maintenance date: \n"
      "Dealer code: D-0417\n"
      "Stock date: 20240402\n"
      "Sell date: \n"
      "Seller: \n"
      "Maintenance description: \n";
  const CliRun run = Cli({"info", "--port", sim.device(), "--handshaking", "0"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, expected);
  EXPECT_EQ(run.err, "");

  // The installed program, with its own Qt application.
  const std::string command =
      std::string(KR4100_CLI_PATH) + " --lang zh info --port " + sim.device();
  FILE* pipe = ::popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string out;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) out += buffer;
  EXPECT_EQ(::pclose(pipe), 0);
  EXPECT_EQ(out.rfind("销售区号: 86\n序列号: 41000A0012345\n", 0), 0u) << out;
}

TEST(CliRadio, RadioCommandsNeedAPort) {
  testing::TempDir dir;
  EXPECT_EQ(Cli({"read", (dir / "r.dat").string()}).status, 2);
  EXPECT_EQ(Cli({"write", (dir / "r.dat").string()}).status, 2);
  EXPECT_EQ(Cli({"info"}).status, 2);
  EXPECT_EQ(Cli({"info", "--port", "/dev/null", "--stop-bits", "3"}).status, 2);
  EXPECT_EQ(Cli({"info", "--port", "/dev/null", "--handshaking", "4"}).status, 2);
  EXPECT_EQ(Cli({"read", "--port", "/dev/null", "--band", "2", (dir / "r.dat").string()}).status,
            2);
  EXPECT_EQ(Cli({"pack", (dir / "r.dat").string()}).status, 2);
}

}  // namespace
}  // namespace kr4100
