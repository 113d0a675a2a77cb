// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_common.h"

#include <ostream>

#include "core/config/file_io.h"
#include "core/config/model_band.h"
#include "core/settings/ini_file.h"
#include "core/settings/version_ini.h"

namespace kr4100 {

VersionTable LoadVersions(const CliContext& context) {
  const std::filesystem::path path = context.options.versionIni.empty()
                                         ? context.install.versionIni()
                                         : PathFromUtf8(context.options.versionIni);
  const IniFile ini = IniFile::Open(path);
  return LoadVersionTable(ini.existed() ? &ini : nullptr);
}

void InitNewDocument(Document& doc, int band, const CliContext& context) {
  doc.setModelAndBand(kDefaultModelCode, BandTextOf(band, kDefaultModelCode));
  if (!context.options.noTemplate) doc.setTemplateDir(context.install.templateDir());
  doc.InitNewDocument();
}

void PrintMessage(std::ostream& stream, std::string_view text) {
  std::string line;
  line.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    line += text[i];
  }
  stream << line << '\n';
}

int SaveOutput(Document& doc, const CliContext& context) {
  const FileOutcome saved = SaveDataFile(doc, PathFromUtf8(context.options.output));
  return saved.ok() ? kExitOk : Fail(saved, context);
}

int Fail(const FileOutcome& outcome, const CliContext& context) {
  PrintMessage(context.err, outcome.message(context.language));
  return kExitFailed;
}

int Fail(MessageId id, const CliContext& context, std::string_view detail) {
  std::string text = MessageText(id, context.language);
  if (!detail.empty()) {
    text += ' ';
    text += detail;
  }
  PrintMessage(context.err, text);
  return kExitFailed;
}

}  // namespace kr4100
