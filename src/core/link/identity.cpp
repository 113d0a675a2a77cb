// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/identity.h"

#include <algorithm>

#include "core/config/model_band.h"
#include "core/link/frames.h"
#include "core/texts/messages.h"

namespace kr4100 {

namespace {

constexpr const char* kLineBreak = "\r\n";
constexpr int kWriteSession = 2;

// Where the fields sit in the identity reply.
constexpr std::size_t kModelCodeOffset = 1;
constexpr std::size_t kModelTypeOffset = 6;
constexpr std::size_t kBandCodeOffset = 7;
constexpr std::size_t kFirmwareOffset = 8;
constexpr std::size_t kCodeLength = 4;

std::string TextAt(std::span<const std::uint8_t> bytes, std::size_t offset) {
  const auto field = bytes.subspan(offset, kCodeLength);
  return std::string(field.begin(), field.end());
}

}  // namespace

std::optional<RadioIdentity> ParseIdentityReply(std::span<const std::uint8_t> reply) {
  if (reply.size() != static_cast<std::size_t>(kIdentityReplyLength) || reply[0] != 'P') {
    return std::nullopt;
  }
  RadioIdentity identity;
  identity.modelCode = TextAt(reply, kModelCodeOffset);
  identity.modelType = reply[kModelTypeOffset];
  identity.bandCode = reply[kBandCodeOffset];
  identity.firmware = TextAt(reply, kFirmwareOffset);
  std::copy(reply.begin(), reply.end(), identity.raw.begin());
  return identity;
}

std::string CleanCode(std::string_view code) {
  code = code.substr(0, code.find('\0'));
  const auto last = code.find_last_not_of(' ');
  return last == std::string_view::npos ? std::string() : std::string(code.substr(0, last + 1));
}

std::string ModelDisplayName(std::string_view code) {
  std::string cleaned = CleanCode(code);
  return cleaned == kDefaultModelCode ? std::string(kDefaultModelName) : cleaned;
}

std::string IdentityCheck::message(int language) const {
  std::string text;
  switch (verdict) {
    case IdentityVerdict::Pass:
      break;
    case IdentityVerdict::ModelWrong:
      // "PC:" and "Radio:" are the same in both languages.
      text = MessageText(MessageId::ModelWrong, language);
      text += kLineBreak;
      text += "PC:" + ModelDisplayName(programModel);
      text += kLineBreak;
      text += "Radio:" + ModelDisplayName(radioModel);
      break;
    case IdentityVerdict::VersionWrong:
      text = MessageText(MessageId::IncompatibleVersion, language);
      text += kLineBreak;
      text += MessageText(MessageId::FirmwareVersion, language);
      text += ' ' + VersionDisplayForm(firmware);
      text += kLineBreak;
      text += MessageText(MessageId::ProgrammingSoftwareIs, language);
      text += ' ' + VersionDisplayForm(kProgramSoftwareVersion);
      break;
    case IdentityVerdict::BandWrong:
      text = MessageText(MessageId::BandWrong, language);
      break;
  }
  return text;
}

IdentityCheck CheckIdentity(std::string_view programModelCode, int programBandCode,
                            const RadioIdentity& radio, const VersionTable& versions,
                            int sessionKind) {
  IdentityCheck check;
  check.programModel = CleanCode(programModelCode);
  check.radioModel = CleanCode(radio.modelCode);
  check.firmware = CleanCode(radio.firmware);

  // The first failing test decides; the user sees one reason only.
  if (check.programModel != check.radioModel) {
    check.verdict = IdentityVerdict::ModelWrong;
  } else if (!versions.IsPairListed(kProgramSoftwareVersion, check.firmware)) {
    check.verdict = IdentityVerdict::VersionWrong;
  } else if (sessionKind == kWriteSession && programBandCode != radio.bandCode) {
    // Reading from a radio of another band is fine: the read brings the radio's band along.
    check.verdict = IdentityVerdict::BandWrong;
  }
  return check;
}

bool SameModel(std::string_view programModelCode, const RadioIdentity& radio) {
  return CleanCode(programModelCode) == CleanCode(radio.modelCode);
}

}  // namespace kr4100
