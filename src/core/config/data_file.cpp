// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/data_file.h"

#include <algorithm>

#include "core/config/data_file_codec.h"
#include "core/config/file_io.h"
#include "core/config/model_band.h"
#include "core/texts/shell_texts.h"

namespace kr4100 {

std::string FileOutcome::message(int language) const {
  switch (status) {
    case FileStatus::Ok:
      return {};
    case FileStatus::UnknownVersion:
      return MessageText(MessageId::UnknownDataFileVersion, language);
    case FileStatus::IncompatibleVersion:
      return IncompatibleVersionQuestion(VersionDisplayForm(fileTag), language);
    case FileStatus::WrongLength:
      return MessageText(MessageId::VersionNotExist, language);
    case FileStatus::FileError:
      return MessageText(MessageId::FileError, language);
  }
  return {};
}

FileOutcome OpenDataFile(Document& doc, const std::filesystem::path& path,
                         const VersionTable& versions) {
  // One byte more than a data file is enough to tell a longer file from a good one.
  const auto content = ReadFilePrefix(path, layout::kDataFileSize + 1);
  if (!content) return {FileStatus::FileError, {}};
  return OpenDataBytes(doc, *content, Utf8FromPath(path), versions);
}

FileOutcome OpenDataBytes(Document& doc, std::span<const std::uint8_t> content,
                          const std::string& name, const VersionTable& versions) {
  // A file shorter than a tag reads as a tag padded with NULs, which no rule accepts.
  std::string tag(content.begin(), content.begin() + std::min<std::size_t>(content.size(), 4));
  tag.resize(4, '\0');
  if (!IsValidVersionTag(tag)) return {FileStatus::UnknownVersion, tag};
  if (!versions.IsPairListed(kRecordVersionTag, tag)) return {FileStatus::IncompatibleVersion, tag};
  if (content.size() != layout::kDataFileSize) return {FileStatus::WrongLength, tag};

  RadioConfig fromFile =
      DecodeDataFile(std::span<const std::uint8_t, layout::kDataFileSize>(content.data(), layout::kDataFileSize));
  fromFile.Version = kRecordVersionTag;

  DocState& state = doc.state();
  state.previousFileName = state.fileName;
  state.fileName = name;
  state.neverSaved = false;
  doc.LoadSaved(fromFile);
  return {FileStatus::Ok, tag};
}

FileOutcome SaveDataFile(Document& doc, const std::filesystem::path& path) {
  const RadioConfig previousSaved = doc.saved();
  doc.CommitWorkingCopy();
  const DataFileBytes bytes = EncodeDataFile(doc.saved());
  if (!WriteFileAtomically(path, bytes)) {
    // Nothing reached the file, so the document must still count as unsaved.
    doc.LoadSavedCopyOnly(previousSaved);
    return {FileStatus::FileError, {}};
  }
  doc.state().fileName = Utf8FromPath(path);
  doc.state().neverSaved = false;
  return {FileStatus::Ok, {}};
}

DataFileBytes SaveDataBytes(Document& doc) {
  doc.CommitWorkingCopy();
  doc.state().neverSaved = false;
  return EncodeDataFile(doc.saved());
}

}  // namespace kr4100
