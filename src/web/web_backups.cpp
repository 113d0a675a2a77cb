// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/web_backups.h"

#include "core/config/data_file.h"
#include "core/config/data_file_layout.h"
#include "core/config/file_io.h"
#include "core/config/version_table.h"
#include "core/link/backups.h"
#include "core/link/write_preview.h"
#include "core/texts/backup_texts.h"
#include "web/web_transfer.h"

namespace kr4100::web {
namespace {

// A name from the listing, never a path that leaves the backups folder.
bool IsPlainName(const std::string& name) {
  return !name.empty() && name.find('/') == std::string::npos && name != "." && name != "..";
}

}  // namespace

std::vector<BackupListing> ListWebBackups() {
  std::vector<BackupListing> out;
  const int language = Language();
  for (const BackupEntry& entry : ListBackups(BackupFolder(kDataDir))) {
    const BackupRow row = BackupRowOf(entry, language);
    BackupListing listing;
    listing.name = Utf8FromPath(entry.file.filename());
    if (entry.kind)
      listing.kind = *entry.kind == BackupKind::Read    ? "read"
                     : *entry.kind == BackupKind::Write ? "write"
                                                        : "written";
    listing.when = row[0].empty() ? std::string() : row[0] + " " + row[1];
    // Model, band and firmware, as the listing's columns show them.
    for (std::size_t k = 3; k <= 5; ++k) {
      if (row[k].empty()) continue;
      if (!listing.radio.empty()) listing.radio += ", ";
      listing.radio += row[k];
    }
    out.push_back(std::move(listing));
  }
  return out;
}

Opened OpenWebBackup(const std::string& name) {
  if (!IsPlainName(name)) return {nullptr, {false, MessageText(MessageId::FileError, Language())}};
  const std::filesystem::path file = BackupFolder(kDataDir) / name;
  const auto content = ReadFilePrefix(file, layout::kDataFileSize + 1);
  if (!content) return {nullptr, {false, MessageText(MessageId::FileError, Language())}};
  Opened opened = OpenDocument(*content, Utf8FromPath(file));
  if (opened.document) {
    DetachIfBackup(opened.document->document().state(), file, kDataDir);
  }
  return opened;
}

std::optional<std::string> WebWritePreview(const WebDocument& document) {
  const Document& doc = document.document();
  const int language = Language();
  const auto preview =
      PreviewWrite(doc.working(), BackupRadioOfDocument(doc.state(), FirmwareHeard()), kDataDir,
                   VersionTable::BuiltIn(), language);
  if (!preview) return std::nullopt;
  std::string text = WritePreviewQuestion(*preview, language);
  for (const FieldDifference& change : preview->changes)
    text += "\n" + DifferenceLine(change, language);
  return text;
}

}  // namespace kr4100::web
