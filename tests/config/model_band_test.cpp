// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/model_band.h"

#include <gtest/gtest.h>

namespace kr4100 {
namespace {

TEST(ModelBandTest, CodesOfTrimmedModelTexts) {
  EXPECT_EQ(ModelTypeOf(" 542 "), 249);
  EXPECT_EQ(ModelTypeOf("\t7731"), 252);
  EXPECT_EQ(ModelTypeOf("5 42"), 248);
  EXPECT_EQ(PriorityChannelCount(" 611 "), 8);
  EXPECT_EQ(PriorityChannelCount("715"), 16);
  EXPECT_EQ(PriorityChannelCount("HT52"), 40);
  EXPECT_EQ(ModelDialogBandItems(" 7732 "),
            (std::vector<std::string>{"136 - 174 MHz", "245 - 246 MHz"}));
}

TEST(ModelBandTest, BandCodeNeedsTheExactText) {
  EXPECT_EQ(BandCodeOf("25.615000 - 30.105000 MHz", "HT52"), 1);
  EXPECT_EQ(BandCodeOf("25.615000 - 30.105000 MHz ", "HT52"), 0);
  EXPECT_EQ(BandCodeOf("136 - 174 MHz", "542"), 0);
  EXPECT_EQ(BandTextOf(255, "HT52"), "28.000000 - 29.700000 MHz");
  // A model with one band of its own gets it back from code 0; the bands that cannot be
  // stored never come back.
  EXPECT_EQ(BandTextOf(0, " HT63"), "26.51500 - 27.85500 MHz");
  EXPECT_EQ(BandTextOf(1, "HT63"), "25.615000 - 30.105000 MHz");
  EXPECT_EQ(BandTextOf(0, "542"), "28.000000 - 29.700000 MHz");
}

TEST(ModelBandTest, OnlyBandsBelow100MHzFit) {
  EXPECT_TRUE(BandFitsStoredForm(kBand0Text));
  EXPECT_TRUE(BandFitsStoredForm(kBand1Text));
  for (const char* model : {"HT63", "541", "542", "7731", "7732"}) {
    for (const std::string& band : ModelDialogBandItems(model))
      EXPECT_EQ(BandFitsStoredForm(band), std::string(model) == "HT63") << model << " " << band;
  }
  EXPECT_FALSE(BandFitsStoredForm("28-29.7 MHz"));  // no " - ": edges 100 and 500
  EXPECT_FALSE(BandFitsStoredForm("28 - 100 MHz"));
}

TEST(ModelBandTest, DialogChoice) {
  const auto choice = ModelDialogChoice(" 542");
  ASSERT_TRUE(choice);
  EXPECT_EQ(choice->code, "542");
  EXPECT_EQ(choice->type, 249);
  EXPECT_FALSE(ModelDialogChoice("HT52"));  // the default leaves the record's fields alone
  for (const auto& code : KnownModelCodes()) {
    EXPECT_TRUE(code == kDefaultModelCode || ModelDialogChoice(code)) << code;
  }
}

}  // namespace
}  // namespace kr4100
