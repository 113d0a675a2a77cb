// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/session_outcome.h"

#include <utility>

#include "core/link/production_log.h"
#include "core/texts/messages.h"

namespace kr4100 {

std::optional<BackupResult> BackUpRead(const TransferSession& session, const RadioConfig& base,
                                       const std::filesystem::path& userDataDir,
                                       const Timestamp& when) {
  if (userDataDir.empty()) return std::nullopt;
  Document made;
  made.working() = base;
  if (session.unpackRead(made)) return std::nullopt;
  return WriteBackup(userDataDir, made.working(), BackupKind::Read,
                     BackupRadioOf(session.radioIdentity()), when);
}

std::optional<BackupResult> BackUpWrite(const Document& doc, const std::string& firmwareHeard,
                                        const std::filesystem::path& userDataDir,
                                        const Timestamp& when) {
  if (userDataDir.empty()) return std::nullopt;
  return WriteBackup(userDataDir, doc.working(), BackupKind::Write,
                     BackupRadioOfDocument(doc.state(), firmwareHeard), when);
}

std::optional<ImageError> TakeRead(const TransferSession& session, Document& doc) {
  if (auto error = session.unpackRead(doc)) return error;
  DocState& state = doc.state();
  state.fileName = kNewDocumentName;
  state.neverSaved = true;
  return std::nullopt;
}

std::optional<VerifyResult> VerifyRadio(const RadioWritten& radio, const TransferSession& session,
                                        const RadioConfig& base, int language) {
  if (!radio.readBack) return std::nullopt;
  return VerifyWrite(session.image(), session.readBackImage(), radio.sentFrom, base, language);
}

void WriteTally::begin(int radios, bool verifyOn, std::filesystem::path logDir) {
  *this = WriteTally();
  radios_ = radios;
  verifyOn_ = verifyOn;
  logDir_ = std::move(logDir);
}

void WriteTally::radioWritten(const RadioWritten& radio, std::optional<VerifyResult> verify,
                              int language, const Timestamp& when) {
  if (radio.partial) partial_ = radio;
  if (!writeBackup_.empty() && radio.identity &&
      RadioSucceeded(radio, verifyOn_, verify ? &*verify : nullptr)) {
    // A group write's later radios find it renamed already.
    if (auto written = MarkWriteCompleted(writeBackup_, BackupRadioOf(radio.identity)))
      writeBackup_ = std::move(*written);
  }
  if (!groupWrite()) {
    singleVerify_ = std::move(verify);
    return;
  }
  const VerifyResult* compared = verify ? &*verify : nullptr;
  ++(RadioSucceeded(radio, verifyOn_, compared) ? succeeded_ : failed_);
  if (verify) {
    const std::string lead = MessageWith(MessageId::GroupRadioDifference, language,
                                         {{"{n}", std::to_string(radio.radioNumber)}});
    for (const std::string& difference : verify->differences)
      differences_.push_back(lead + difference);
  }
  if (!logDir_.empty() &&
      !AppendProductionLog(logDir_, MakeProductionLogRow(radio, verifyOn_, compared, when)))
    logFailed_ = true;
}

std::vector<Notice> WriteTally::finish(bool success, int language) {
  if (!success) {
    if (!partial_) return {};
    std::string text = MessageText(MessageId::WritePartial, language);
    if (groupWrite())
      text = MessageWith(MessageId::GroupRadioDifference, language,
                         {{"{n}", std::to_string(partial_->radioNumber)}}) +
             text;
    return {{std::move(text), NoticeLevel::Warning}};
  }
  const Notice completed{MessageText(MessageId::WriteCompleted, language)};
  if (groupWrite()) {
    // A run is called complete only when every radio reads back right; it is always summed up.
    if (failed_ == 0) return {completed, groupSummary(language)};
    return {groupSummary(language)};
  }
  // A radio that does not hold what was sent is never reported as written.
  if (verifyOn_ && singleVerify_ && !singleVerify_->passed())
    return {{std::string(MessageText(MessageId::VerifyFailed, language)) + "\n" +
                 VerifyListText(singleVerify_->differences, language),
             NoticeLevel::Warning}};
  return {completed};
}

// How many radios were written, and what read back wrong.
Notice WriteTally::groupSummary(int language) const {
  std::string text =
      MessageWith(MessageId::GroupSummary, language,
                  {{"{n}", std::to_string(succeeded_)}, {"{total}", std::to_string(radios_)}});
  if (failed_ > 0)
    text += "\n" +
            MessageWith(MessageId::GroupFailedCount, language, {{"{n}", std::to_string(failed_)}});
  if (!differences_.empty())
    text += std::string("\n\n") + MessageText(MessageId::VerifyFailed, language) + "\n" +
            VerifyListText(differences_, language);
  if (logFailed_)
    text += std::string("\n\n") + MessageText(MessageId::ProductionLogFailed, language) + "\n" +
            (logDir_ / kProductionLogFile).string();
  const bool clean = failed_ == 0 && !logFailed_ && succeeded_ == radios_;
  return {std::move(text), clean ? NoticeLevel::Information : NoticeLevel::Warning};
}

std::optional<BackupEntry> RestorePointOf(const RadioWritten& radio,
                                          const std::filesystem::path& userDataDir) {
  if (userDataDir.empty() || !radio.identity) return std::nullopt;
  return NewestKnownContentOf(ListBackups(BackupFolder(userDataDir)),
                              BackupRadioOf(radio.identity));
}

std::string WriteBackQuestion(const BackupEntry& restore, int language) {
  return MessageWith(MessageId::WriteBackOffer, language,
                     {{"{when}", restore.stamp ? FormatTimestampToMinute(*restore.stamp) : ""}});
}

}  // namespace kr4100
