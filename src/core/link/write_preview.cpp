// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/write_preview.h"

#include "core/config/data_file.h"
#include "core/config/document.h"
#include "core/link/image_diff.h"
#include "core/link/radio_image.h"
#include "core/texts/backup_texts.h"

namespace kr4100 {
namespace {

std::optional<std::vector<std::uint8_t>> Packed(const RadioConfig& record) {
  RadioImage image;
  PrepareImage(image);
  if (PackImage(record, image)) return std::nullopt;
  return std::vector<std::uint8_t>(image.begin(), image.end());
}

void Fill(std::string& text, std::string_view field, const std::string& value) {
  const auto at = text.find(field);
  if (at != std::string::npos) text.replace(at, field.size(), value);
}

}  // namespace

std::optional<WritePreview> PreviewWrite(const RadioConfig& record, const BackupRadio& radio,
                                         const std::filesystem::path& userDataDir,
                                         const VersionTable& versions, int language) {
  if (userDataDir.empty()) return std::nullopt;
  const auto lastKnown = NewestKnownContentOf(ListBackups(BackupFolder(userDataDir)), radio);
  if (!lastKnown) return std::nullopt;
  Document read;
  if (!OpenDataFile(read, lastKnown->file, versions).ok()) return std::nullopt;
  // Both sides as images: what the radio holds now and what the write sends, so that settings
  // the radio does not keep never show as changes. Named over the document, as a read-back is.
  const auto inRadio = Packed(read.working());
  const auto sent = Packed(record);
  if (!inRadio || !sent) return std::nullopt;
  return WritePreview{*lastKnown, DiffImages(*inRadio, *sent, record, ImageRange{}, language)};
}

std::string WritePreviewQuestion(const WritePreview& preview, int language) {
  std::string text = (preview.changes.empty() ? kPreviewNoChange : kPreviewChanges).in(language);
  const BackupEntry& known = preview.lastKnown;
  const BackupRadio& radio = known.radio;
  std::string named =
      (radio.firmware.empty() ? kPreviewRadioNoFirmware : kPreviewRadio).in(language);
  Fill(named, "{model}", radio.model);
  Fill(named, "{band}", radio.band);
  Fill(named, "{firmware}", radio.firmware);
  std::string last =
      (known.kind == BackupKind::Read ? kPreviewLastRead : kPreviewLastWritten).in(language);
  // The backup was found by its date, so it has one; to the minute, as a person says it.
  Fill(last, "{when}", known.stamp ? FormatTimestampToMinute(*known.stamp) : "");
  Fill(text, "{radio}", named);
  Fill(text, "{last}", last);
  Fill(text, "{n}", std::to_string(preview.changes.size()));
  return text;
}

}  // namespace kr4100
