// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/radio_job.h"

#include <utility>

#include "core/config/model_band.h"

namespace kr4100 {

RadioJob::RadioJob(std::filesystem::path dataDir, bool keepBackups)
    : dataDir_(std::move(dataDir)), keepBackups_(keepBackups) {}

bool RadioJob::open(TransferSession& session, ReportingSessionHost& host, SessionKind kind,
                    const RadioJobOpening& opening) {
  session_ = &session;
  host_ = &host;
  session.setPortSettings(opening.port);
  session.setReadBack(kind == SessionKind::Write && tally_.verifyOn());
  if (const DocState* doc = opening.document)
    session.setProgramIdentity(doc->modelText, BandCodeOf(doc->bandText, doc->modelText));
  session.setTrace(opening.trace);
  return session.open(kind);
}

std::optional<BackupResult> RadioJob::backUpRead(const RadioConfig& base, bool always) const {
  if (session_ == nullptr || !(keepBackups_ || always)) return std::nullopt;
  return BackUpRead(*session_, base, dataDir_, LocalTimestampNow());
}

void RadioJob::beginWrite(int radios, bool verify) {
  tally_.begin(radios, verify, dataDir_);
}

std::optional<BackupResult> RadioJob::backUpWrite(const Document& doc,
                                                  const std::string& firmwareHeard) {
  if (!keepBackups_) return std::nullopt;
  auto backup = BackUpWrite(doc, firmwareHeard, dataDir_, LocalTimestampNow());
  if (backup && backup->ok) tally_.setWriteBackup(backup->file);
  return backup;
}

void RadioJob::radioWritten(const RadioWritten& radio, const RadioConfig& base, int language) {
  if (session_ == nullptr) return;
  tally_.radioWritten(radio, VerifyRadio(radio, *session_, base, language), language,
                      LocalTimestampNow());
}

std::optional<BackupEntry> RadioJob::restorePoint() const {
  if (!tally_.partial()) return std::nullopt;
  return RestorePointOf(*tally_.partial(), dataDir_);
}

}  // namespace kr4100
