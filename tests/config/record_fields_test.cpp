// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/record_fields.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "core/config/data_file_codec.h"
#include "core/config/data_file_layout.h"
#include "core/config/document.h"
#include "core/config/record_diff.h"
#include "core/config/record_fields_blocks.h"
#include "core/link/radio_image.h"
#include "support/distinct_record.h"

namespace kr4100 {
namespace {

// Byte places where two encodings differ.
template <class Bytes>
std::vector<std::size_t> Changed(const Bytes& a, const Bytes& b) {
  std::vector<std::size_t> at;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i]) at.push_back(i);
  return at;
}

std::vector<std::size_t> Range(std::size_t from, std::size_t count) {
  std::vector<std::size_t> out(count);
  for (std::size_t i = 0; i < count; ++i) out[i] = from + i;
  return out;
}

// The places in a channel's 38 bytes of the data file, worked out by hand from the file layout.
const std::map<std::string, std::size_t> kFileOffsets = {
    {"ChNum", 0}, {"ChUsed", 2},     {"RxFre", 4},     {"TxFre", 12},   {"Scan", 20},
    {"Busy", 22}, {"Echo", 24},      {"HiCut", 26},    {"Plus10K", 28}, {"NbAnl", 30},
    {"Rb", 32},   {"RxSubCode", 34}, {"TxSubCode", 36}};

TEST(RecordFieldsTest, EveryChannelFieldRoundTripsThroughTheFileAtItsPlace) {
  const RadioConfig base = testing::DistinctRecord();
  const DataFileBytes before = EncodeDataFile(base);
  for (const ChannelField& f : kChannelFields) {
    SCOPED_TRACE(f.name);
    ASSERT_TRUE(kFileOffsets.contains(f.name)) << "a new field needs its place in this test";
    RadioConfig changed = base;
    ChInfo& e = changed.slot(7, 3);
    if (f.text)
      e.*f.text = "12345678";
    else
      e.*f.number = 0x1234;
    const DataFileBytes after = EncodeDataFile(changed);
    const std::size_t at = layout::ChannelEntryOffset(7, 3) + kFileOffsets.at(f.name);
    std::vector<std::size_t> expected = Range(at, f.text ? 8 : 2);
    // The distinct record may already hold one of the new bytes at a place.
    std::erase_if(expected, [&](std::size_t i) { return before[i] == after[i]; });
    EXPECT_EQ(Changed(before, after), expected);
    if (f.text)
      EXPECT_EQ(std::string(reinterpret_cast<const char*>(&after[at]), 8), "12345678");
    else
      EXPECT_EQ(std::vector<int>({after[at], after[at + 1]}), std::vector<int>({0x34, 0x12}));
    EXPECT_EQ(DecodeDataFile(after), changed);
  }
}

class RecordImageTest : public ::testing::Test {
 protected:
  RecordImageTest() {
    doc.setToday([] { return CalendarDate{2026, 3, 5}; });
    doc.InitNewDocument();
  }
  RadioImage Packed(const RadioConfig& r) {
    RadioImage image{};
    PrepareImage(image);
    const auto error = PackImage(r, image);
    EXPECT_FALSE(error) << error->what;
    return image;
  }
  RadioConfig Unpacked(const RadioImage& image) {
    RadioConfig r = doc.working();
    const auto error = UnpackRecord(image, r);
    EXPECT_FALSE(error) << error->what;
    return r;
  }
  Document doc;
};

TEST_F(RecordImageTest, EveryChannelFieldGoesToItsImagePlaceAndBack) {
  constexpr int kGroup = 2;
  constexpr int kNumber = 1;
  RadioConfig base = doc.working();
  ChInfo& e = base.slot(1, kGroup);
  for (const ChannelAttribute& a : kChannelAttributes) e.*a.member = 0;
  const RadioImage before = Packed(base);
  const int record = image_map::ChannelRecord(kNumber, kGroup);
  for (const ChannelField& f : kChannelFields) {
    SCOPED_TRACE(f.name);
    RadioConfig changed = base;
    ChInfo& c = changed.slot(1, kGroup);
    std::vector<std::size_t> expected;
    switch (f.image) {
      case ChannelImage::Place:
      case ChannelImage::FineOffset:
        continue;  // the place is the record's; a fine offset comes with its frequency
      case ChannelImage::Frequency:
        c.*f.text = "28125670";  // 28.12567 MHz: BCD to 100 Hz, then 7 steps of 10 Hz
        expected = {static_cast<std::size_t>(record + f.imageOffset),
                    static_cast<std::size_t>(record + f.imageOffset + 1),
                    static_cast<std::size_t>(record + f.imageOffset + 2),
                    static_cast<std::size_t>(record + f.imageOffset + 3)};
        break;
      case ChannelImage::Switch: {
        c.*f.number = 1;
        const int bit = AttributeOfField(f)->imageBit;
        expected = {bit == kInScanBitmap
                        ? static_cast<std::size_t>(image_map::kScanBitmap + 8 * kGroup)
                        : static_cast<std::size_t>(record + f.imageOffset)};
        break;
      }
    }
    const RadioImage after = Packed(changed);
    const std::vector<std::size_t> at = Changed(before, after);
    // Only the frequency digits that differ from the channel's default change.
    EXPECT_TRUE(std::includes(expected.begin(), expected.end(), at.begin(), at.end()));
    EXPECT_FALSE(at.empty());
    const RadioConfig unpacked = Unpacked(after);
    const ChInfo& back = unpacked.slot(1, kGroup);
    if (f.text) {
      EXPECT_EQ(back.*f.text, c.*f.text);
      EXPECT_EQ(std::vector<int>({after[static_cast<std::size_t>(record + f.imageOffset + 3)]}),
                std::vector<int>({7}));
      // The fine offset read back is the sub code that names its place.
      const auto subCode = std::find_if(kChannelFields.begin(), kChannelFields.end(), [&](auto& s) {
        return s.image == ChannelImage::FineOffset && s.imageOffset == f.imageOffset + 3;
      });
      ASSERT_NE(subCode, kChannelFields.end());
      EXPECT_EQ(back.*subCode->number, 70);
    } else {
      EXPECT_EQ(back.*f.number, 1);
    }
  }
}

// A value unlike the default for each way of keeping an option, and the bytes it makes.
struct OptionSample {
  Integer value;
  std::vector<int> bytes;
};

OptionSample SampleOf(const OptionFeature& f) {
  switch (f.image) {
    case OptionImage::Word:
      return {0x1234, {0x12, 0x34}};
    case OptionImage::Emergency:
      return {9, {9}};
    case OptionImage::Volume:
      return {42, {42}};
    case OptionImage::Bit:
      return {1, {1 << f.imageBit}};
    case OptionImage::Byte:
    case OptionImage::None:
      break;
  }
  return {165, {165}};
}

TEST_F(RecordImageTest, EveryOptionFeatureGoesToItsImagePlaceAndBack) {
  RadioConfig base = doc.working();
  for (Integer& v : base.OptFeat) v = 0;
  const RadioImage before = Packed(base);
  for (const OptionFeature& f : kOptionFeatures) {
    SCOPED_TRACE(f.name);
    RadioConfig changed = base;
    const OptionSample sample = SampleOf(f);
    changed.OptFeat[static_cast<std::size_t>(f.index)] = sample.value;
    const RadioImage after = Packed(changed);
    const std::vector<std::size_t> at = Changed(before, after);
    if (f.image == OptionImage::None) {
      EXPECT_TRUE(at.empty());
      continue;
    }
    const auto place = static_cast<std::size_t>(image_map::kOptions + f.imageOffset);
    EXPECT_EQ(at, Range(place, sample.bytes.size()));
    for (std::size_t i = 0; i < sample.bytes.size(); ++i)
      EXPECT_EQ(after[place + i], sample.bytes[i]);
    EXPECT_EQ(Unpacked(after).OptFeat[static_cast<std::size_t>(f.index)], sample.value);
  }
}

// Calls change for the field at position `target` of the file walk, and says whether the
// record field table leaves that field out of the comparison.
struct Perturb {
  const RadioConfig& record;
  int target;
  int position = 0;
  bool compared = true;
  bool inChannelTable(const void* p) const {
    const auto* at = static_cast<const char*>(p);
    const auto* first = reinterpret_cast<const char*>(&record.Ch);
    return at >= first && at < first + sizeof record.Ch;
  }
  void note(const char* name, const void* p) {
    if (inChannelTable(p)) {
      for (const ChannelField& f : kChannelFields)
        if (std::strcmp(f.name, name) == 0) compared = f.compared;
    } else {
      compared = !IsBookkeeping(name);
    }
  }
  template <class T>
  void operator()(const char* name, T& v) {
    if (position++ != target) return;
    note(name, &v);
    if constexpr (requires { v.bytes(); })
      v.bytes()[0] = static_cast<char>(v.bytes()[0] ^ 0x01);
    else
      v = static_cast<T>(v ^ 0x4000);  // a number no other row or channel has
  }
};

// Every stored field counts, unless the tables say it is bookkeeping: a field added to the record
// and the file but left out of the comparison fails here, so closing never loses it silently.
TEST_F(RecordImageTest, ChangingAnyComparedFieldMakesTheDocumentModified) {
  RadioConfig full = doc.working();
  // Every slot in use, so that no change falls into an unused one.
  for (int g = 0; g < kGroupCount; ++g) {
    full.ChCount[static_cast<std::size_t>(g)] = kChannelsPerGroup;
    for (int c = 1; c <= kChannelsPerGroup; ++c) {
      full.slot(c, g).ChNum = static_cast<Integer>(c);
      full.slot(c, g).ChUsed = 1;
    }
  }
  full.AutodialCount = kAutodialSlots;
  full.TestFreCount = kTestFreSlots;
  for (int i = 0; i < kTestFreSlots; ++i)
    full.TestFre[static_cast<std::size_t>(i)].No = static_cast<Integer>(i + 1);
  full.FleetListCount = kFleetListSlots;
  doc.LoadSaved(full);
  ASSERT_FALSE(doc.IsDocumentModified());

  int fields = 0;
  layout::Fields(full, [&](const char*, const auto&) { ++fields; });
  int uncompared = 0;
  for (int k = 0; k < fields; ++k) {
    RadioConfig& w = doc.working();
    w = doc.saved();
    Perturb perturb{w, k};
    layout::Fields(w, perturb);
    uncompared += !perturb.compared;
    ASSERT_EQ(doc.IsDocumentModified(), perturb.compared) << "field " << k << " of the file";
  }
  // The sub codes of every slot, the version and the current group.
  EXPECT_EQ(uncompared, 2 * kGroupCount * kChannelsPerGroup + 2);
}

// How many members an aggregate has: the most initialisers it takes.
struct AnyValue {
  template <class T>
  constexpr operator T() const {
    return T{};
  }
};
template <class T, class... Given>
constexpr std::size_t MemberCount() {
  if constexpr (requires { T{Given{}..., AnyValue{}}; })
    return MemberCount<T, Given..., AnyValue>();
  else
    return sizeof...(Given);
}

// Where each field of a table lies in its record, in the table's order.
template <class Record, class Table>
std::vector<std::ptrdiff_t> MemberOffsets(const Table& table) {
  static const Record record{};
  std::vector<std::ptrdiff_t> out;
  ForEachField(table, [&](const auto& f) {
    out.push_back(reinterpret_cast<const char*>(&(record.*f.member)) -
                  reinterpret_cast<const char*>(&record));
  });
  return out;
}

template <class Record, class Table>
void ExpectEveryMemberOnce(const Table& table) {
  std::vector<std::ptrdiff_t> offsets = MemberOffsets<Record>(table);
  EXPECT_EQ(offsets.size(), MemberCount<Record>()) << "a member the table does not name";
  std::sort(offsets.begin(), offsets.end());
  EXPECT_EQ(std::adjacent_find(offsets.begin(), offsets.end()), offsets.end())
      << "a member the table names twice";
}

// A member added to a record but not to its table would never reach the file, the dump or the
// comparison: every table names each member of its record exactly once.
TEST(RecordFieldsTest, EveryTableNamesEachMemberOfItsRecordOnce) {
  ExpectEveryMemberOnce<ModelInfo>(kModelInfoFields);
  ExpectEveryMemberOnce<DtmfSettings>(kDtmfFields);
  ExpectEveryMemberOnce<FleetSyncSettings>(kFleetSyncFields);
  ExpectEveryMemberOnce<AutodialEntry>(kAutodialFields);
  ExpectEveryMemberOnce<TestFreEntry>(kTestFreFields);
  ExpectEveryMemberOnce<FleetListEntry>(kFleetListFields);
  ExpectEveryMemberOnce<RadioConfig>(kRecordParts);
  EXPECT_EQ(static_cast<std::size_t>(kChannelFieldCount), MemberCount<ChInfo>());
}

// A field a window shows must show in the difference listing under its label when it changes,
// or a compare would call two records the same that the windows show apart.
template <class Block, class Table>
void ExpectEveryLabelledFieldListed(RadioConfig base, Block RadioConfig::*block,
                                    const Table& table) {
  ForEachField(table, [&](const auto& f) {
    if (f.label.en == nullptr) return;
    SCOPED_TRACE(f.name);
    RadioConfig changed = base;
    auto& v = changed.*block.*f.member;
    if constexpr (requires { v.bytes(); })
      v = Text<v.size()>("1234");
    else
      v = v == 0 ? 1 : 0;
    const auto differences = DiffShownFields(base, changed, kEnglish);
    EXPECT_TRUE(std::any_of(differences.begin(), differences.end(),
                            [&](const FieldDifference& d) { return d.name == f.label.en; }));
  });
}

TEST_F(RecordImageTest, EveryLabelledBlockFieldShowsInTheDifferences) {
  RadioConfig base = doc.working();
  base.Fleet.OwnFleet = 1;  // with no own fleet the own ID shows blank whatever it keeps
  base.Fleet.OwnId = 1;
  ExpectEveryLabelledFieldListed(base, &RadioConfig::Dtmf, kDtmfFields);
  ExpectEveryLabelledFieldListed(base, &RadioConfig::Fleet, kFleetSyncFields);
  ExpectEveryLabelledFieldListed(base, &RadioConfig::ModelInfo, kModelInfoFields);
}

}  // namespace
}  // namespace kr4100
