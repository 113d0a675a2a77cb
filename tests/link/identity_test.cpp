// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/identity.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/texts/bilingual.h"

namespace kr4100 {
namespace {

using namespace std::string_literals;

// "P", model code, a spare byte, model type 3, band code, firmware, two spare bytes.
RadioIdentity Radio(const std::string& model, int band, const std::string& firmware) {
  std::vector<std::uint8_t> reply{'P'};
  reply.insert(reply.end(), model.begin(), model.end());
  reply.insert(reply.end(), {0x00, 0x03, static_cast<std::uint8_t>(band)});
  reply.insert(reply.end(), firmware.begin(), firmware.end());
  reply.insert(reply.end(), {0xFF, 0xFF});
  return ParseIdentityReply(reply).value();
}

const VersionTable kVersions = VersionTable::BuiltIn();  // pairs V600 with V600 only

TEST(Identity, ParsesReplyAndComparesCleanedModels) {
  const RadioIdentity radio = Radio("HT5\0"s, 1, "V600");
  EXPECT_EQ(radio.modelType, 3);
  EXPECT_EQ(radio.bandCode, 1);
  EXPECT_EQ(radio.firmware, "V600");
  EXPECT_FALSE(ParseIdentityReply(std::vector<std::uint8_t>(13, 'P')));
  EXPECT_EQ(CleanCode("AB \0CD"s), "AB");
  EXPECT_TRUE(SameModel("HT5 ", radio));
  EXPECT_FALSE(SameModel("HT52", radio));
}

TEST(Identity, BandMattersOnlyForWrite) {
  const RadioIdentity radio = Radio("HT52", 1, "V600");
  EXPECT_TRUE(CheckIdentity("HT52", 0, radio, kVersions, 1).passed());
  const IdentityCheck write = CheckIdentity("HT52", 0, radio, kVersions, 2);
  EXPECT_EQ(write.verdict, IdentityVerdict::BandWrong);
  EXPECT_EQ(write.message(kEnglish), "Frequency band type is wrong.");
}

TEST(Identity, ModelMessageWinsOverVersion) {
  const IdentityCheck check = CheckIdentity("7731", 0, Radio("HT52", 0, "V1\0\0"s), kVersions, 1);
  EXPECT_EQ(check.message(kEnglish), "Model type is wrong.\r\nPC:7731\r\nRadio:KR-4100");
  EXPECT_EQ(check.message(kChinese), "机型类型错误。\r\nPC:7731\r\nRadio:KR-4100");
}

TEST(Identity, VersionQuestionShowsDisplayForms) {
  const IdentityCheck check = CheckIdentity("HT52", 0, Radio("HT52", 0, "V610"), kVersions, 1);
  EXPECT_TRUE(check.isQuestion());
  EXPECT_EQ(check.message(kChinese),
            "版本不兼容，有可能引起未知错误，是否启动对应版本软件？\r\n"
            "固件版本为 V6.10\r\n写频软件版本为 V6.00");
  // A firmware text cut short by a NUL still shows as first two, ".", last two.
  EXPECT_EQ(CheckIdentity("HT52", 0, Radio("HT52", 0, "V5\0 "s), kVersions, 2).message(kEnglish),
            "incompatible version. It may cause unknown error.To start the corresponding "
            "software version, or not?\r\nFirmware version is V5.V5\r\n"
            "programming software is V6.00");
}

}  // namespace
}  // namespace kr4100
