// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/radio_info_edit.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include <string>
#include <vector>

#include "core/config/calendar_date.h"
#include "core/config/document.h"

namespace kr4100 {
namespace {

using Items = std::vector<std::string>;

const std::string kBand0 = "28.000000 - 29.700000 MHz";
const std::string kBand1 = "25.615000 - 30.105000 MHz";

ModelInfo InfoOf(std::string_view modelName, Integer band, std::string_view date,
                 std::string_view version) {
  ModelInfo info;
  info.ModelName.assign(modelName);
  info.BandType2 = band;
  info.ProgDate.assign(date);
  info.SoftVer.assign(version);
  info.SeriesChar = 67;
  return info;
}

TEST(RadioInfoEditTest, ListsOfferTheFamiliesThenThisRadio) {
  const Items common{"611", "615", "616", "711", "715", "716",
                     "HT52", "HT63", "541", "542", "7731", "7732"};
  EXPECT_EQ(RadioInfoModelItems("HT52"), common);
  EXPECT_EQ(RadioInfoModelItems(" 715 "), common);
  Items withOwn = common;
  withOwn.push_back("XR9");
  EXPECT_EQ(RadioInfoModelItems(" XR9"), withOwn);

  EXPECT_EQ(RadioInfoBandItems("711"), (Items{"450 - 490 MHz(K)", "470 - 512 MHz(K2)",
                                              "450 - 490 MHz(M)", "470 - 512 MHz(M2)"}));
  EXPECT_EQ(RadioInfoBandItems(" 615 "), Items{"136 - 174 MHz(M)"});
  EXPECT_EQ(RadioInfoBandItems("716").size(), 5u);
  // Not "71": only whole codes have tables; everything else is this radio.
  EXPECT_EQ(RadioInfoBandItems("71"), (Items{kBand0, kBand1}));
  EXPECT_EQ(RadioInfoBandItems("HT52"), (Items{kBand0, kBand1}));
}

TEST(RadioInfoEditTest, ShowKeepsTheWholeNameAndTheStoredBand) {
  RadioInfoView view = ShowRadioInfo(InfoOf(std::string("HT52\0 ", 6), 1, "20260305", "V6.00"));
  EXPECT_EQ(view.model, "HT52");
  EXPECT_EQ(view.band, kBand1);
  EXPECT_EQ(view.bandItems, (Items{kBand0, kBand1}));
  EXPECT_EQ(view.date, "20260305");
  EXPECT_EQ(view.version, "V6.00");

  // A family model with this radio's band code: the band is put at the head of its list.
  view = ShowRadioInfo(InfoOf(std::string("611\0  ", 6), 0, std::string("2026\0   ", 8), "V1"));
  EXPECT_EQ(view.model, "611");
  EXPECT_EQ(view.band, kBand0);
  EXPECT_EQ(view.bandItems, (Items{kBand0, "136 - 174 MHz(M)", "136 - 174 MHz(K)"}));
  EXPECT_EQ(view.date, "2026");
  EXPECT_EQ(view.version, "V1");

  // A six-character name fills the field without a NUL.
  view = ShowRadioInfo(InfoOf("ABCDEF", 0, "", ""));
  EXPECT_EQ(view.model, "ABCDEF");
  EXPECT_EQ(view.modelItems.back(), "ABCDEF");
}

TEST(RadioInfoEditTest, StoreWritesEachFieldInItsStoredForm) {
  ModelInfo info = InfoOf("HT52", 0, "20200101", "V6.00");
  info.SeriesChar = 0;
  info.ModelCode.assign("KEEP");
  StoreRadioInfo(info, {"711", "450 - 490 MHz(K)", "20261201", "V6"});
  EXPECT_EQ(info.ModelName.raw(), std::string_view("711\0  ", 6));
  EXPECT_EQ(info.BandType2, 0);
  EXPECT_EQ(info.SeriesChar, 67);
  EXPECT_EQ(info.ProgDate.raw(), "20261201");  // eight digits: no room for the NUL
  EXPECT_EQ(info.SoftVer.raw(), std::string_view("V6\0  ", 5));
  EXPECT_EQ(info.ModelCode.raw(), "KEEP  ");  // not the window's field

  StoreRadioInfo(info, {"HT52XYZ", kBand1, "2026120199", "V6.012"});
  EXPECT_EQ(info.ModelName.raw(), "HT52XY");
  EXPECT_EQ(info.BandType2, 1);
  EXPECT_EQ(info.ProgDate.raw(), "20261201");
  EXPECT_EQ(info.SoftVer.raw(), "V6.01");

  StoreRadioInfo(info, {"", "", "", ""});
  EXPECT_EQ(info.ModelName.raw(), std::string_view("\0     ", 6));
  EXPECT_EQ(info.BandType2, 0);
  EXPECT_EQ(info.ProgDate.raw(), std::string_view("\0       ", 8));
}

TEST(RadioInfoEditTest, ShowThenStoreLeavesANewDocumentUnmodified) {
  for (int band = 0; band < 2; ++band) {
    Document doc;
    doc.setToday([] { return CalendarDate{2026, 3, 5}; });
    doc.setModelAndBand("HT52", band == 0 ? kBand0 : kBand1);
    doc.InitNewDocument();
    ASSERT_TRUE(doc.IsDocumentUnchanged());
    const ModelInfo before = doc.working().ModelInfo;
    const RadioInfoView view = ShowRadioInfo(before);
    StoreRadioInfo(doc.working().ModelInfo, {view.model, view.band, view.date, view.version});
    EXPECT_EQ(doc.working().ModelInfo, before) << band;
    EXPECT_TRUE(doc.IsDocumentUnchanged()) << band;
  }
}

TEST(RadioInfoEditTest, VersionBoxGetsItsV) {
  EXPECT_EQ(VersionWithPrefix("6.01"), "V6.01");
  EXPECT_EQ(VersionWithPrefix(""), "V");
  EXPECT_EQ(VersionWithPrefix("V6.01"), "V6.01");
  EXPECT_EQ(VersionWithPrefix("V"), "V");
  EXPECT_EQ(VersionWithPrefix("12345"), "V1234");  // cut back to the box's length
  EXPECT_EQ(VersionWithPrefix("v6"), "Vv6");        // only a capital counts
  EXPECT_EQ(VersionWithPrefix("6.0123", 8), "V6.0123");
}

TEST(RadioInfoEditTest, KeyRuleAndTimeSyncDate) {
  EXPECT_TRUE(RadioInfoKeyRefused(0));
  EXPECT_TRUE(RadioInfoKeyRefused(128));
  EXPECT_TRUE(RadioInfoKeyRefused(U'é'));
  EXPECT_TRUE(RadioInfoKeyRefused(U'版'));
  EXPECT_FALSE(RadioInfoKeyRefused(1));
  EXPECT_FALSE(RadioInfoKeyRefused(127));
  EXPECT_FALSE(RadioInfoKeyRefused(U'v'));

  EXPECT_EQ(EightDigitDate({2026, 12, 1}), "20261201");
  EXPECT_EQ(EightDigitDate({2026, 3, 5}), "20260305");
  EXPECT_EQ(EightDigitDate({999, 1, 31}), "09990131");
}

// The date a build fixes for what it makes; anything but a count of seconds up to the year 9999
// fixes none. The computer's date stays the computer's either way.
TEST(CalendarDate, SourceDateEpochFixesOnlyTheBuildsDateInUtc) {
  const auto fixed = [] {
    const auto date = SourceDateEpochDate();
    return date ? EightDigitDate(*date) : std::string("none");
  };
  ::unsetenv("SOURCE_DATE_EPOCH");
  EXPECT_EQ(fixed(), "none");
  ::setenv("SOURCE_DATE_EPOCH", "1765238399", 1);  // 2025-12-08 23:59:59 UTC
  EXPECT_EQ(fixed(), "20251208");
  ::setenv("SOURCE_DATE_EPOCH", "253402300799", 1);
  EXPECT_EQ(fixed(), "99991231");
  for (const char* bad : {"", "12x", "-5", "253402300800", "99999999999999999999"}) {
    ::setenv("SOURCE_DATE_EPOCH", bad, 1);
    EXPECT_EQ(fixed(), "none") << bad;
  }
  // A user's new document and a Time Sync take today from here: never 1 January 1970.
  ::setenv("SOURCE_DATE_EPOCH", "0", 1);
  EXPECT_EQ(fixed(), "19700101");
  EXPECT_NE(LocalToday().year, 1970);
  ::unsetenv("SOURCE_DATE_EPOCH");
}

}  // namespace
}  // namespace kr4100
