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
  const auto lastRead = NewestReadBackupOf(ListBackups(BackupFolder(userDataDir)), radio);
  if (!lastRead) return std::nullopt;
  Document read;
  if (!OpenDataFile(read, lastRead->file, versions).ok()) return std::nullopt;
  // Both sides as images: what the radio holds now and what the write sends, so that settings
  // the radio does not keep never show as changes. Named over the document, as a read-back is.
  const auto inRadio = Packed(read.working());
  const auto sent = Packed(record);
  if (!inRadio || !sent) return std::nullopt;
  return WritePreview{*lastRead, DiffImages(*inRadio, *sent, record, ImageRange{}, language)};
}

std::string WritePreviewQuestion(const WritePreview& preview, int language) {
  std::string text = (preview.changes.empty() ? kPreviewNoChange : kPreviewChanges).in(language);
  Fill(text, "{n}", std::to_string(preview.changes.size()));
  // The backup was found by its date, so it has one.
  Fill(text, "{when}", preview.lastRead.stamp ? FormatTimestamp(*preview.lastRead.stamp) : "");
  return text;
}

}  // namespace kr4100
