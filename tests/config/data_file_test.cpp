// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/data_file.h"

#include <gtest/gtest.h>

#include <string>

#include "core/config/data_file_codec.h"
#include "core/settings/ini_file.h"
#include "core/settings/version_ini.h"
#include "support/distinct_record.h"
#include "support/temp_dir.h"

namespace kr4100 {
namespace {

class DataFileTest : public ::testing::Test {
 protected:
  DataFileTest() {
    doc.setToday([] { return CalendarDate{2026, 12, 1}; });
    doc.InitNewDocument();
    doc.SetChannelValue(12, kColRxFre, "29.5");  // an edit that a refused open must keep
  }
  std::filesystem::path WriteFile(const std::string& name, std::vector<std::uint8_t> bytes) {
    const auto path = dir / name;
    testing::WriteBytes(path, bytes);
    return path;
  }
  static std::vector<std::uint8_t> GoodBytes() {
    const DataFileBytes b = EncodeDataFile(testing::DistinctRecord());
    return {b.begin(), b.end()};
  }
  void ExpectRefused(const std::filesystem::path& path, FileStatus status, const char* en) {
    const RadioConfig working = doc.working();
    const RadioConfig saved = doc.saved();
    const FileOutcome outcome = OpenDataFile(doc, path, versions);
    EXPECT_EQ(outcome.status, status);
    EXPECT_EQ(outcome.message(kEnglish), en);
    EXPECT_EQ(doc.working(), working);
    EXPECT_EQ(doc.saved(), saved);
    EXPECT_EQ(doc.state().fileName, "new.dat");
    EXPECT_TRUE(doc.state().neverSaved);
  }

  testing::TempDir dir;
  Document doc;
  VersionTable versions = VersionTable::BuiltIn();
};

TEST_F(DataFileTest, OpenRefusalsCarryTheirMessagesAndChangeNothing) {
  auto bytes = GoodBytes();
  bytes.pop_back();
  ExpectRefused(WriteFile("short.dat", bytes), FileStatus::WrongLength,
                "Fail to start the software. This version does not exist.");
  bytes.push_back(0);
  bytes.push_back(0);
  ExpectRefused(WriteFile("long.dat", bytes), FileStatus::WrongLength,
                "Fail to start the software. This version does not exist.");

  bytes = GoodBytes();
  bytes[3] = 0;  // "V60" and a NUL
  ExpectRefused(WriteFile("tag.dat", bytes), FileStatus::UnknownVersion,
                "Unknown version Of DataFile!");
  ExpectRefused(WriteFile("empty.dat", {}), FileStatus::UnknownVersion,
                "Unknown version Of DataFile!");
  ExpectRefused(dir / "missing.dat", FileStatus::FileError, "file error.");
  ExpectRefused(dir.path(), FileStatus::FileError, "file error.");
}

TEST_F(DataFileTest, UnlistedVersionAsksToStartTheOtherProgram) {
  auto bytes = GoodBytes();
  bytes[1] = '7';  // "V700"
  const auto path = WriteFile("v700.dat", bytes);
  const RadioConfig working = doc.working();
  const FileOutcome outcome = OpenDataFile(doc, path, versions);
  EXPECT_EQ(outcome.status, FileStatus::IncompatibleVersion);
  EXPECT_EQ(outcome.fileTag, "V700");
  EXPECT_EQ(outcome.message(kEnglish),
            "incompatible version. It may cause unknown error.To start the corresponding software "
            "version, or not?\r\nDataFile version is V7.00\r\nprogramming software is V6.00");
  EXPECT_EQ(doc.working(), working);

  // A table without the pair (V600, V600) refuses even this program's own files.
  const IniFile ini = IniFile::Parse(
      "[Version]\nCurrentVersion=V600\nSoftVersionCount=1\nFirmVersionCount=1\n"
      "[Soft]\nVersion0=V600\n[Firm]\nFirm0=V700V700\n");
  EXPECT_EQ(OpenDataFile(doc, WriteFile("own.dat", GoodBytes()), LoadVersionTable(&ini)).status,
            FileStatus::IncompatibleVersion);
}

TEST_F(DataFileTest, OpenTakesTheWholeFileAndSaveWritesItBack) {
  const auto in = WriteFile("in.dat", GoodBytes());
  const FileOutcome opened = OpenDataFile(doc, in, versions);
  ASSERT_TRUE(opened.ok());
  EXPECT_EQ(doc.working(), testing::DistinctRecord());
  EXPECT_EQ(doc.state().fileName, in.string());
  EXPECT_EQ(doc.state().previousFileName, "new.dat");
  EXPECT_FALSE(doc.state().neverSaved);
  EXPECT_FALSE(doc.IsDocumentModified());

  // Save over a longer file: exactly 14531 bytes remain.
  const auto out = WriteFile("out.dat", std::vector<std::uint8_t>(20000, 0xEE));
  ASSERT_TRUE(SaveDataFile(doc, out).ok());
  const auto written = testing::ReadBytes(out);
  ASSERT_EQ(written.size(), 14531u);
  // Only what the commit rewrites from the document state may differ: ModelInfo's code,
  // type, band and name (offsets 13698..13709 and 13721..13726).
  auto original = GoodBytes();
  for (std::size_t i = 0; i < written.size(); ++i) {
    const bool rewritten = (i >= 13698 && i < 13710) || (i >= 13721 && i < 13727);
    if (!rewritten) {
      ASSERT_EQ(written[i], original[i]) << "offset " << i;
    }
  }
  EXPECT_EQ(doc.state().fileName, out.string());
  EXPECT_FALSE(dir.path().empty());
  for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
    EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << "temp file left";
}

TEST_F(DataFileTest, FailedSaveLeavesTheDocumentModified) {
  ASSERT_TRUE(doc.IsDocumentModified());
  const FileOutcome outcome = SaveDataFile(doc, dir / "no-such-folder" / "x.dat");
  EXPECT_EQ(outcome.status, FileStatus::FileError);
  EXPECT_EQ(outcome.message(kChinese), "文件错误。");
  EXPECT_TRUE(doc.IsDocumentModified());
  EXPECT_TRUE(doc.state().neverSaved);
  EXPECT_EQ(doc.state().fileName, "new.dat");
}

TEST_F(DataFileTest, SaveToBytesIsTheFileASaveWritesAndCountsAsSaved) {
  ASSERT_TRUE(doc.IsDocumentModified());
  const auto out = dir / "same.dat";
  Document twin = doc;
  ASSERT_TRUE(SaveDataFile(twin, out).ok());

  const DataFileBytes bytes = SaveDataBytes(doc);
  EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), testing::ReadBytes(out));
  EXPECT_FALSE(doc.IsDocumentModified());
  EXPECT_FALSE(doc.state().neverSaved);
  EXPECT_EQ(doc.state().fileName, "new.dat");  // the name is the caller's to give
  // And it opens again as the same record.
  Document reopened;
  ASSERT_TRUE(OpenDataBytes(reopened, bytes, "again.dat", versions).ok());
  EXPECT_TRUE(SameDocumentContent(reopened.working(), doc.working()));
}

}  // namespace
}  // namespace kr4100
