// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/conversions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/config/fixed_text.h"

namespace kr4100 {
namespace {

const BandEdges kBand0{28.0, 29.7};
const BandEdges kBand1{25.615, 30.105};

struct Warnings {
  std::vector<MessageId> ids;
  WarningSink sink() {
    return [this](MessageId id) { ids.push_back(id); };
  }
};

TEST(ConversionsTest, StoredFieldRoundTrip) {
  const struct {
    const char *text, *raw, *shown;
  } cases[] = {
      {"28.015000", "28015000", "28.015000"},
      {"8.5", "085     ", "8.500000"},
      {"28", "28      ", "28.000000"},
      {" 28.5\t", "285     ", "28.500000"},
  };
  for (const auto& c : cases) {
    FixedText<8> field(FreToStore(c.text, kBand0));
    EXPECT_EQ(field.raw(), c.raw) << c.text;
    EXPECT_EQ(FreToText(field.text(), kBand0), c.shown) << c.text;
  }
  EXPECT_EQ(FreToStore("x", kBand1), "25615");  // not a number: the lower edge
}

TEST(ConversionsTest, FreToTextWarnsOnlyOnGarbage) {
  Warnings w;
  EXPECT_EQ(FreToText("FFFFFFFF", kBand0, w.sink()), "");
  EXPECT_EQ(FreToText("", kBand0, w.sink()), "");
  EXPECT_TRUE(w.ids.empty());
  // "28.5" is numeric, but not once the point is put in.
  for (const char* garbage : {"28A15000", "28.5", "\x01\xff"}) {
    EXPECT_EQ(FreToText(garbage, kBand1, w.sink()), "25.615") << garbage;
  }
  EXPECT_EQ(w.ids, std::vector<MessageId>(3, MessageId::NotIsNumeric));
}

TEST(ConversionsTest, SnapTo10Hz) {
  const struct {
    double f;
    BandEdges band;
    double snapped;
  } cases[] = {
      {28.0150049, kBand0, 28.015},
      {28.000015, kBand0, 28.00001},               // drops the remainder, does not round it
      {27.999995, kBand0, 28.0},                   // below the edge the remainder is negative
      {27.9999905, kBand0, 27.99999},              // 27999990.5 Hz: ties to even
      {28.007825, {28.0078125, 29.7}, 28.007822},  // edge on half a hertz: grid from ..812
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(SnapTo10Hz(c.f, c.band), c.snapped) << c.f;
}

TEST(ConversionsTest, RangeCheck) {
  const struct {
    const char* value;
    bool clamp;
    const char* text;
    std::size_t warnings;
  } cases[] = {
      {"29.8", false, "", 1},
      {"29.8", true, "29.700000", 1},
      {"27", true, "28.000000", 1},
      {"abc", true, "28.000000", 1},
      {"28.0150049", false, "28.015000", 0},
  };
  for (const auto& c : cases) {
    Warnings w;
    EXPECT_EQ(NormaliseFreText(c.value, c.clamp, kBand0, w.sink()), c.text) << c.value;
    EXPECT_EQ(w.ids, std::vector<MessageId>(c.warnings, MessageId::OutOfRange)) << c.value;
  }
  EXPECT_EQ(CheckFreRange(std::nan(""), true, kBand0, {}), 28.0);
}

// Eight digits of hertz end below 100 MHz: 150 MHz must never come back as 15 MHz.
TEST(ConversionsTest, NothingOf100MHzOrMoreIsStored) {
  EXPECT_EQ(FreToStore("150.000000", kBand0), "");
  EXPECT_EQ(FreToStore("100", kBand0), "");
  EXPECT_EQ(FreToStore("x", {136, 174}), "");  // the lower edge stands in for garbage
  EXPECT_EQ(FreToStore("99.99999", kBand0), "9999999");

  const BandEdges vhf{136, 174};
  const struct {
    const char* value;
    bool clamp;
    BandEdges band;
  } cases[] = {
      {"150", false, vhf}, {"150", true, vhf},  {"130", true, vhf},
      {"180", true, vhf},  {"abc", true, vhf},  {"150", false, kBand0},
      {"99.9999996", false, {28, 100}},  // snapped to 100 MHz
  };
  for (const auto& c : cases) {
    Warnings w;
    EXPECT_EQ(NormaliseFreText(c.value, c.clamp, c.band, w.sink()), "") << c.value;
    EXPECT_EQ(w.ids, std::vector<MessageId>{MessageId::OutOfRange}) << c.value;
  }
  // In a band below 100 MHz clamping still gives the edge.
  EXPECT_EQ(NormaliseFreText("150", true, kBand1, {}), "30.105000");
}

TEST(ConversionsTest, SetBandEdges) {
  const struct {
    const char* text;
    BandEdges edges;
  } cases[] = {
      {"25.615000 - 30.105000 MHz", {25.615, 30.105}},
      {"136 - 174 MHz", {136, 174}},
      {"28-29.7 MHz", {100, 500}},
      {"abc - 29.7 MHz", {100, 29.7}},
      {"28 - xyz MHz", {28, 500}},
      {"28 - 29.7", {28, 29.7}},  // no unit: the rest of the text
  };
  for (const auto& c : cases) EXPECT_EQ(SetBandEdges(c.text), c.edges) << c.text;
}

TEST(ConversionsTest, SmallHelpers) {
  EXPECT_EQ(FileNamePart("C:\\KR\\Init\\0_KR-4100.dat"), "0_KR-4100.dat");
  EXPECT_EQ(FileNamePart("/a\\b/c.dat"), "c.dat");
  EXPECT_TRUE(!SameCode(3, 4, 2) && SameCode(3, 4, 1));
  EXPECT_EQ(ByteHex(0x0A) + ByteHex(0xAB), "0AAB");
}

}  // namespace
}  // namespace kr4100
