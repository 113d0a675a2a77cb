// SPDX-License-Identifier: GPL-3.0-or-later
// The identity check of a connected radio: model, version pairing and band, in that order, and
// the one message a refusal shows.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/config/version_table.h"

namespace kr4100 {

struct RadioIdentity {
  std::string modelCode;  // reply bytes 1-4
  int modelType = 0;      // byte 6
  int bandCode = 0;       // byte 7
  std::string firmware;   // bytes 8-11
  std::array<std::uint8_t, 14> raw{};
};

// A 14-byte reply starting with "P", or nothing.
std::optional<RadioIdentity> ParseIdentityReply(std::span<const std::uint8_t> reply);

// Trailing blanks removed, cut at the first NUL.
std::string CleanCode(std::string_view code);
// "HT52" shows as "KR-4100"; any other code as itself (cleaned).
std::string ModelDisplayName(std::string_view code);

enum class IdentityVerdict { Pass, ModelWrong, VersionWrong, BandWrong };

struct IdentityCheck {
  IdentityVerdict verdict = IdentityVerdict::Pass;
  std::string programModel;  // for the model message
  std::string radioModel;
  std::string firmware;      // the radio's, for the version question and the program to start
  bool passed() const { return verdict == IdentityVerdict::Pass; }
  // VersionWrong is a Yes/No question (Yes starts the program version for the firmware); the
  // other refusals are OK messages. Empty when passed.
  bool isQuestion() const { return verdict == IdentityVerdict::VersionWrong; }
  std::string message(int language) const;
};

inline constexpr const char* kProgramSoftwareVersion = "V600";

// sessionKind: 1 read, 2 write (the band only matters for a write).
IdentityCheck CheckIdentity(std::string_view programModelCode, int programBandCode,
                            const RadioIdentity& radio, const VersionTable& versions, int sessionKind);

// The port search compares the model alone.
bool SameModel(std::string_view programModelCode, const RadioIdentity& radio);

}  // namespace kr4100
