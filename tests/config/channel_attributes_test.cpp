// SPDX-License-Identifier: GPL-3.0-or-later
// Every reader of the channel attribute table treats each entry alike: the document, the radio's
// memory, the CSV file, the grid's copy and the difference listing. Nothing here names a switch,
// so a new entry in the table is checked by these tests as it stands.
#include "core/config/channel_attributes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "core/config/channel_csv.h"
#include "core/config/document.h"
#include "core/config/record_diff.h"
#include "core/link/radio_image.h"

namespace kr4100 {
namespace {

constexpr int kGroup = 1;    // B
constexpr int kChannel = 7;  // in the first byte of both bitmaps, bit 6

std::vector<std::string> Fields(const std::string& line, char delimiter) {
  std::vector<std::string> fields(1);
  for (char c : line) {
    if (c == delimiter)
      fields.emplace_back();
    else if (c != '\r' && c != '\n')
      fields.back() += c;
  }
  return fields;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t from = 0; from < text.size();) {
    const std::size_t end = text.find("\r\n", from);
    lines.push_back(text.substr(from, end - from));
    from = end == std::string::npos ? text.size() : end + 2;
  }
  return lines;
}

class ChannelAttributeTest : public ::testing::TestWithParam<int> {
 protected:
  ChannelAttributeTest() : a(kChannelAttributes[static_cast<std::size_t>(GetParam())]) {
    doc.setToday([] { return CalendarDate{2026, 3, 5}; });
    doc.InitNewDocument();
    doc.working().CurGroup = kGroup;
    doc.SetChannelValue(kChannel, kColRxFre, "28.5");
  }
  ChInfo& entry() { return *doc.working().findChannel(kGroup, kChannel); }
  // This switch on, every other one off, through the grid's column.
  void OnlyThisOne() {
    for (const ChannelAttribute& other : kChannelAttributes)
      doc.SetChannelValue(kChannel, other.column, other.column == a.column ? "1" : "0");
  }
  void ExpectOnlyThisOne(const ChInfo& e) {
    for (const ChannelAttribute& other : kChannelAttributes)
      EXPECT_EQ(e.*other.member, other.column == a.column ? 1 : 0) << other.field;
  }

  const ChannelAttribute& a;
  Document doc;
};

TEST_P(ChannelAttributeTest, GridColumnEditsItsMemberAndANewChannelStartsWithTheDefault) {
  EXPECT_EQ(entry().*a.member, a.newChannel);
  OnlyThisOne();
  ExpectOnlyThisOne(entry());
  EXPECT_EQ(AttributeOfColumn(a.column), &a);
}

TEST_P(ChannelAttributeTest, TakesItsOwnBitOfTheRadiosMemoryAndComesBackFromIt) {
  OnlyThisOne();
  RadioImage image{};
  PrepareImage(image);
  ASSERT_FALSE(PackChannel(entry(), kGroup, image));
  const int flagByte = image_map::ChannelRecord(kChannel, kGroup) + 10;
  const int scanByte = image_map::kScanBitmap + 8 * kGroup;
  const bool inBitmap = a.imageBit == kInScanBitmap;
  EXPECT_EQ(image[static_cast<std::size_t>(flagByte)], inBitmap ? 0 : 1 << a.imageBit);
  EXPECT_EQ(image[static_cast<std::size_t>(scanByte)], inBitmap ? 0x40 : 0x00);

  RadioConfig read = doc.working();
  read.ChCount[kGroup] = 0;
  ASSERT_FALSE(UnpackChannel(image, kChannel, kGroup, read));
  ASSERT_EQ(read.usedChannels(kGroup), 1);
  ExpectOnlyThisOne(read.slot(1, kGroup));

  // A value the bit cannot hold is refused by the field's name.
  entry().*a.member = 2;
  const auto error = PackChannel(entry(), kGroup, image);
  ASSERT_TRUE(error);
  EXPECT_NE(error->what.find(std::string(": ") + a.field + " (2)"), std::string::npos)
      << error->what;
}

TEST_P(ChannelAttributeTest, CsvFileCopyAndDifferencesShowTheSameWordsUnderItsName) {
  OnlyThisOne();
  const RadioConfig before = doc.working();
  const auto& band = doc.state().edges;
  const std::size_t csvField = 4 + static_cast<std::size_t>(GetParam());

  const std::vector<std::string> lines = Lines(ExportChannelsCsv(before, band));
  EXPECT_EQ(Fields(lines.front(), ',').at(csvField), a.csvHeading);
  std::string row;
  for (const std::string& line : lines)
    if (line.starts_with("B," + std::to_string(kChannel) + ",")) row = line;
  std::vector<std::string> fields = Fields(row, ',');
  EXPECT_EQ(fields.at(csvField), a.words[1].en);

  // The other word, in Chinese, turns it off on import and nothing else changes.
  fields[csvField] = a.words[0].zh;
  std::string edited = lines.front() + "\r\n";
  for (std::size_t k = 0; k < fields.size(); ++k) edited += (k ? "," : "") + fields[k];
  const ChannelTablesResult imported = ImportChannelsCsv(edited, band);
  ASSERT_TRUE(imported.ok());
  ChInfo expected = *before.findChannel(kGroup, kChannel);
  expected.*a.member = 0;
  EXPECT_EQ(imported.tables.Ch[kGroup][0], expected);

  RadioConfig after = before;
  after.findChannel(kGroup, kChannel)->*a.member = 0;
  for (const int language : {kEnglish, kChinese}) {
    const auto copied = Fields(CopyChannelRows(before, kGroup, {kChannel}, band, language), '\t');
    EXPECT_EQ(copied.at(static_cast<std::size_t>(a.column)), a.words[1].in(language));
    const auto differences = DiffRecords(before, after, language);
    ASSERT_EQ(differences.size(), 1u);
    EXPECT_EQ(differences[0].name, a.heading.in(language));
    EXPECT_EQ(differences[0].a, a.words[1].in(language));
    EXPECT_EQ(differences[0].b, a.words[0].in(language));
  }
}

INSTANTIATE_TEST_SUITE_P(EverySwitch, ChannelAttributeTest,
                         ::testing::Range(0, kChannelAttributeCount),
                         [](const auto& info) {
                           return std::string(kChannelAttributes[info.param].field);
                         });

// What the readers cannot check one entry at a time: no two entries may share a member, a bit or
// a heading, and a heading a spreadsheet would take for a formula cannot go into the file.
TEST(ChannelAttributeTable, EntriesShareNothingAndHeadingsStayText) {
  std::vector<Integer ChInfo::*> members;
  std::set<int> bits;
  std::set<std::string> csvHeadings;
  std::set<std::string> headings;
  for (const ChannelAttribute& a : kChannelAttributes) {
    EXPECT_EQ(std::find(members.begin(), members.end(), a.member), members.end()) << a.field;
    members.push_back(a.member);
    EXPECT_TRUE(a.imageBit == kInScanBitmap || (a.imageBit >= 0 && a.imageBit < 8)) << a.field;
    EXPECT_TRUE(a.imageBit == kInScanBitmap || bits.insert(a.imageBit).second) << a.field;
    EXPECT_TRUE(csvHeadings.insert(a.csvHeading).second) << a.field;
    EXPECT_TRUE(headings.insert(a.heading.en).second) << a.field;
    EXPECT_EQ(std::string("=+-@").find(a.csvHeading[0]), std::string::npos) << a.csvHeading;
  }
}

}  // namespace
}  // namespace kr4100
