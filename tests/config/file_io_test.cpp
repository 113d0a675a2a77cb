// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/file_io.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <string>
#include <vector>

#include "core/os/os.h"
#include "support/temp_dir.h"

namespace kr4100 {
namespace {

std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

// "频道-Ünï.dat" spelled out byte by byte, so the test does not rest on the source encoding.
const std::string kNonAsciiName =
    "\xE9\xA2\x91\xE9\x81\x93-\xC3\x9C\x6E\xC3\xAF.dat";

TEST(FileIoTest, Utf8NamesMakeTheSamePathBothWays) {
  const std::filesystem::path path = PathFromUtf8("dir/" + kNonAsciiName);
  EXPECT_EQ(Utf8FromPath(path), "dir/" + kNonAsciiName);
  EXPECT_EQ(Utf8FromPath(path.filename()), kNonAsciiName);
  // The file name is the characters, not the bytes read as Latin-1 or the like.
  EXPECT_EQ(path.filename().u8string().size(), kNonAsciiName.size());
}

TEST(FileIoTest, AtomicWriteCreatesReplacesAndLeavesNothingBehind) {
  testing::TempDir dir;
  const auto target = dir.path() / PathFromUtf8(kNonAsciiName);

  ASSERT_TRUE(WriteFileAtomically(target, Bytes("first, the longer content")));
  EXPECT_EQ(testing::ReadBytes(target), Bytes("first, the longer content"));
  ASSERT_TRUE(WriteFileAtomically(target, Bytes("second")));
  EXPECT_EQ(testing::ReadBytes(target), Bytes("second"));
  ASSERT_TRUE(WriteFileAtomically(target, {}));
  EXPECT_TRUE(testing::ReadBytes(target).empty());
  EXPECT_EQ(testing::NamesIn(dir.path()), std::vector<std::string>{kNonAsciiName});
}

TEST(FileIoTest, FailedAtomicWriteKeepsTheTargetAndRemovesTheTemporary) {
  testing::TempDir dir;
  // A folder cannot be renamed over: the write fails after the temporary was made.
  std::filesystem::create_directories(dir / "taken" / "inside");
  EXPECT_FALSE(WriteFileAtomically(dir / "taken", Bytes("x")));
  EXPECT_TRUE(std::filesystem::is_directory(dir / "taken" / "inside"));
  EXPECT_EQ(testing::NamesIn(dir.path()), std::vector<std::string>{"taken"});

  EXPECT_FALSE(WriteFileAtomically(dir / "missing" / "x.dat", Bytes("x")));
  EXPECT_EQ(testing::NamesIn(dir.path()), std::vector<std::string>{"taken"});
}

TEST(OsTest, CreateSyncedFileNeverOverwrites) {
  testing::TempDir dir;
  ASSERT_TRUE(os::CreateSyncedFile(dir / "a", Bytes("one")));
  EXPECT_FALSE(os::CreateSyncedFile(dir / "a", Bytes("two")));
  EXPECT_EQ(testing::ReadBytes(dir / "a"), Bytes("one"));
}

TEST(OsTest, RenameOverReplacesAnExistingTarget) {
  testing::TempDir dir;
  testing::WriteText(dir / "new", "new");
  testing::WriteText(dir / "old", "old");
  ASSERT_TRUE(os::RenameOver(dir / "new", dir / "old"));
  EXPECT_EQ(testing::ReadBytes(dir / "old"), Bytes("new"));
  EXPECT_FALSE(std::filesystem::exists(dir / "new"));
  EXPECT_FALSE(os::RenameOver(dir / "new", dir / "old"));
  EXPECT_EQ(testing::ReadBytes(dir / "old"), Bytes("new"));
}

TEST(OsTest, MayWriteAFolderOrFileWeMadeButNotWhatIsMissing) {
  testing::TempDir dir;
  testing::WriteText(dir / "file", "x");
  EXPECT_TRUE(os::MayWrite(dir.path()));
  EXPECT_TRUE(os::MayWrite(dir / "file"));
  EXPECT_FALSE(os::MayWrite(dir / "missing"));
}

TEST(OsTest, LocalTimeIsTheCLibrarysLocalTime) {
  // Two moments half a year apart, so a summer-time rule would show.
  for (const std::time_t moment : {std::time_t{1767225600}, std::time_t{1782864000}}) {
    const std::tm expected = *std::localtime(&moment);
    const std::tm local = os::LocalTime(moment);
    EXPECT_EQ(local.tm_year, expected.tm_year);
    EXPECT_EQ(local.tm_mon, expected.tm_mon);
    EXPECT_EQ(local.tm_mday, expected.tm_mday);
    EXPECT_EQ(local.tm_hour, expected.tm_hour);
  }
}

}  // namespace
}  // namespace kr4100
