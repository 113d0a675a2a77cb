// SPDX-License-Identifier: GPL-3.0-or-later
// kr4100-cli read and write keep backups, and write --verify catches a radio (kr4100-sim over a
// pseudo-terminal) that stores a byte wrongly.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "core/config/data_file.h"
#include "core/config/document.h"
#include "core/link/backups.h"
#include "support/cli_run.h"
#include "support/sim_process.h"
#include "support/temp_dir.h"

namespace kr4100 {
namespace {

using testing::Cli;
using testing::CliRun;
using testing::Contains;

// Every radio command of this test binary keeps its backups in a scratch folder, never in the
// home folder of whoever runs the tests.
class ScratchDataHome : public ::testing::Environment {
 public:
  void SetUp() override {
    home_ =
        std::filesystem::temp_directory_path() / ("kr4100-cli-data-" + std::to_string(::getpid()));
    std::filesystem::create_directories(home_);
    ::setenv("XDG_DATA_HOME", home_.c_str(), 1);
  }
  void TearDown() override {
    std::error_code ec;
    std::filesystem::remove_all(home_, ec);
  }
  static std::filesystem::path home() { return home_; }

 private:
  static inline std::filesystem::path home_;
};
[[maybe_unused]] const auto* const kScratch =
    ::testing::AddGlobalTestEnvironment(new ScratchDataHome);

std::vector<std::filesystem::path> Backups(const std::filesystem::path& dataDir) {
  return kr4100::testing::FilesIn(dataDir / "backups");
}

void SaveNewDocument(const std::filesystem::path& file) {
  Document doc;
  doc.InitNewDocument();
  doc.AppendChannel(9, 1, "28.500000");
  ASSERT_TRUE(SaveDataFile(doc, file).ok());
}

using Sim = testing::SimProcess;

TEST(CliVerify, WriteVerifyExitsOneAndNamesWhatTheRadioStoredWrongly) {
  testing::TempDir dir;
  SaveNewDocument(dir / "a.dat");
  Sim bad(KR4100_SIM_PATH, {"--store-wrong", "16"});  // 0x0010: the first channel's RX frequency
  ASSERT_FALSE(bad.device().empty());
  CliRun run = Cli({"write", "--port", bad.device(), "--no-backup", (dir / "a.dat").string()});
  EXPECT_EQ(run.status, 0) << "without --verify nothing is read back";
  EXPECT_EQ(run.out, "Write Data Completed.\n");

  run = Cli({"write", "--port", bad.device(), "--no-backup", "--verify", (dir / "a.dat").string()});
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_FALSE(Contains(run.out, "Write Data Completed.")) << run.out;
  EXPECT_TRUE(Contains(run.out, "Verify after writing")) << run.out;
  EXPECT_TRUE(Contains(run.out, "Group A channel 1 RX frequency: 28.015000 -> 29.015000\n"))
      << run.out;

  run = Cli({"--lang", "zh", "write", "--port", bad.device(), "--no-backup", "--verify",
             (dir / "a.dat").string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(Contains(run.out, "写入后校验")) << run.out;

  // The radio does not hold what was sent: its backup stays a write's, never one it is known to
  // hold (a later write preview or write back would trust it).
  const auto data = dir / "data";
  run = Cli({"write", "--port", bad.device(), "--data-dir", data.string(), "--verify",
             (dir / "a.dat").string()});
  EXPECT_EQ(run.status, 1);
  const auto kept = Backups(data);
  ASSERT_EQ(kept.size(), 1u);
  EXPECT_TRUE(Contains(kept[0].filename().string(), "_write_KR-4100_band0_")) << kept[0];

  Sim sound(KR4100_SIM_PATH, {});
  run =
      Cli({"write", "--port", sound.device(), "--no-backup", "--verify", (dir / "a.dat").string()});
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_EQ(run.out, "Write Data Completed.\n");
  // The read-back has a progress line of its own, after the write's.
  const auto written = run.err.find("\rWrite data to radio 100%\n");
  ASSERT_NE(written, std::string::npos) << run.err;
  EXPECT_NE(run.err.find("\rVerify data in radio 100%\n", written), std::string::npos) << run.err;
}

TEST(CliBackups, ReadAndWriteKeepTheirDataFilesUnlessTold) {
  testing::TempDir dir;
  SaveNewDocument(dir / "a.dat");
  Sim sim(KR4100_SIM_PATH, {});
  ASSERT_FALSE(sim.device().empty());
  const auto data = dir / "data";
  CliRun run =
      Cli({"write", "--port", sim.device(), "--data-dir", data.string(), (dir / "a.dat").string()});
  ASSERT_EQ(run.status, 0) << run.err;
  auto files = Backups(data);
  ASSERT_EQ(files.size(), 1u);
  // Named after the document before the radio answered, then after the radio that took it whole.
  EXPECT_TRUE(Contains(files[0].filename().string(), "_written_KR-4100_band0_V600.dat"))
      << files[0];
  EXPECT_EQ(testing::ReadBytes(files[0]), testing::ReadBytes(dir / "a.dat"));

  run =
      Cli({"read", "--port", sim.device(), "--data-dir", data.string(), (dir / "r.dat").string()});
  ASSERT_EQ(run.status, 0) << run.err;
  files = Backups(data);
  ASSERT_EQ(files.size(), 2u);
  const auto read = Contains(files[0].filename().string(), "_read_") ? files[0] : files[1];
  EXPECT_TRUE(Contains(read.filename().string(), "_read_KR-4100_band0_V600")) << read;
  EXPECT_EQ(testing::ReadBytes(read), testing::ReadBytes(dir / "r.dat"));

  run = Cli({"read", "--port", sim.device(), "--data-dir", data.string(), "--no-backup",
             (dir / "r2.dat").string()});
  ASSERT_EQ(run.status, 0);
  EXPECT_EQ(Backups(data).size(), 2u);

  // Without --data-dir: the desktop program's per-user data folder (other commands of this
  // binary may have left theirs there).
  const auto standard = ScratchDataHome::home() / "KR_4100" / "kr4100";
  const std::size_t before = Backups(standard).size();
  run = Cli({"read", "--port", sim.device(), (dir / "r3.dat").string()});
  ASSERT_EQ(run.status, 0);
  EXPECT_EQ(Backups(standard).size(), before + 1);
}

// --read-first keeps what the radio holds, lists what the write changes in it, then writes; a
// write the cable stops halfway says what that means and names the backup that restores it.
TEST(CliBackups, ReadFirstListsTheChangesAndAPartWriteNamesItsRestorePoint) {
  testing::TempDir dir;
  SaveNewDocument(dir / "a.dat");
  const auto data = dir / "data";
  {
    Sim sim(KR4100_SIM_PATH, {});
    const CliRun run = Cli({"write", "--port", sim.device(), "--data-dir", data.string(),
                            "--no-backup", "--read-first", (dir / "a.dat").string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Contains(run.out,
                         "Write data to radio.\nCompared with what the last KR-4100 (band 0, "
                         "firmware V600) this program talked to holds (last read on "))
        << run.out;
    EXPECT_TRUE(
        Contains(run.out, " of its settings:\nGroup B channel 9 Channel: absent -> present\n"))
        << run.out;
    EXPECT_TRUE(run.out.ends_with("Write Data Completed.\n")) << run.out;
    const auto files = Backups(data);
    ASSERT_EQ(files.size(), 1u);  // the read, though --no-backup: the write keeps none
    EXPECT_TRUE(Contains(files[0].filename().string(), "_read_KR-4100_band0_V600.dat"));
  }
  Sim pulled(KR4100_SIM_PATH, {"--silent-after", "3"});
  const CliRun run = Cli(
      {"write", "--port", pulled.device(), "--data-dir", data.string(), (dir / "a.dat").string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(Contains(run.err,
                       "Check Connection. Retry or Cancel?\nThe write did not finish. The radio "
                       "may now hold part of the new configuration: write it again before using "
                       "the radio.\nA backup of what this radio held before: "))
      << run.err;
  EXPECT_TRUE(Contains(run.err, "_read_KR-4100_band0_V600.dat\n")) << run.err;
  EXPECT_FALSE(Contains(run.out, "Write Data Completed.")) << run.out;
}

TEST(CliBackups, ABackupThatCannotBeWrittenIsSaidAndTheTransferGoesOn) {
  testing::TempDir dir;
  SaveNewDocument(dir / "a.dat");
  testing::WriteText(dir / "blocked", "a file where the folder would go");
  Sim sim(KR4100_SIM_PATH, {});
  const CliRun run = Cli({"write", "--port", sim.device(), "--data-dir", (dir / "blocked").string(),
                          (dir / "a.dat").string()});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "Write Data Completed.\n");
  EXPECT_TRUE(Contains(run.err, "The backup could not be written")) << run.err;
}

// The listing reads the folder the backups go into: by default the desktop program's.
TEST(CliBackups, ListedNewestFirstUnderAHeaderRow) {
  testing::TempDir dir;
  const auto data = dir / "data";
  CliRun run = Cli({"backups", "--data-dir", data.string()});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "Date\tTime\tRead/Write\tModel\tBand\tFirmware\tFile\n");

  Document doc;
  doc.InitNewDocument();
  ASSERT_TRUE(WriteBackup(data, doc.working(), BackupKind::Read, {"KR-4100", "0", "V600"},
                          {2024, 5, 1, 14, 3, 22})
                  .ok);
  ASSERT_TRUE(WriteBackup(data, doc.working(), BackupKind::Write, {"KR-4100", "1", ""},
                          {2024, 5, 2, 9, 0, 0})
                  .ok);
  testing::WriteText(data / "backups" / "mine.dat", "x");
  run = Cli({"--lang", "zh", "backups", "--data-dir", data.string()});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(
      run.out,
      "日期\t时间\t读/写\t机型\t频段\t固件\t文件\n"
      "2024-05-02\t09:00:00\t写入\tKR-4100\t1\t\t20240502-090000_write_KR-4100_band1_unknown.dat\n"
      "2024-05-01\t14:03:22\t读取\tKR-4100\t0\tV600\t20240501-140322_read_KR-4100_band0_V600.dat\n"
      "\t\t\t\t\t\tmine.dat\n");

  const auto standard = ScratchDataHome::home() / "KR_4100" / "kr4100";
  const auto mine = WriteBackup(standard, doc.working(), BackupKind::Read, {"KR-4100", "0", "V600"},
                                {2099, 12, 31, 23, 59, 59});
  ASSERT_TRUE(mine.ok);
  run = Cli({"backups"});
  EXPECT_EQ(run.status, 0);
  const auto first = run.out.find('\n') + 1;  // under the header: the newest, the one just made
  EXPECT_EQ(run.out.substr(first, run.out.find('\n', first) - first),
            "2099-12-31\t23:59:59\tRead\tKR-4100\t0\tV600\t" + mine.file.filename().string());
}

}  // namespace
}  // namespace kr4100
