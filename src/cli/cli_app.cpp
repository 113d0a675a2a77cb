#include "cli_app.h"

#include <CLI/CLI.hpp>
#include <ostream>
#include <string>

#include "config/data_file.h"
#include "config/document.h"
#include "config/model_band.h"
#include "record_json.h"
#include "settings/ini_file.h"
#include "settings/install_layout.h"
#include "settings/version_table.h"
#include "texts/bilingual.h"

namespace kr4100 {
namespace {

struct Options {
  std::string lang = "en";
  std::string versionIni;
  int band = 0;
  bool noTemplate = false;
  std::string input;
  std::string output;
};

VersionTable LoadVersions(const Options& o, const InstallLayout& install) {
  const std::filesystem::path path =
      o.versionIni.empty() ? install.versionIni() : std::filesystem::path(o.versionIni);
  const IniFile ini = IniFile::Open(path);
  return VersionTable::Load(ini.existed() ? &ini : nullptr);
}

int Fail(const FileOutcome& outcome, int language, std::ostream& err) {
  err << outcome.message(language) << '\n';
  return kExitFailed;
}

int RunNew(const Options& o, const InstallLayout& install, int language, std::ostream& err) {
  Document doc;
  doc.setModelAndBand(kDefaultModelCode, BandTextOf(o.band, kDefaultModelCode));
  if (!o.noTemplate) doc.setTemplateDir(install.programDir / "Init");
  doc.InitNewDocument();
  const FileOutcome saved = SaveDataFile(doc, o.output);
  return saved.ok() ? kExitOk : Fail(saved, language, err);
}

int RunDump(const Options& o, const InstallLayout& install, int language, std::ostream& out,
            std::ostream& err) {
  Document doc;
  const FileOutcome opened = OpenDataFile(doc, o.input, LoadVersions(o, install));
  if (!opened.ok()) return Fail(opened, language, err);
  out << RecordToJson(doc.working()).dump(2, ' ', true) << '\n';
  return kExitOk;
}

int RunResave(const Options& o, const InstallLayout& install, int language, std::ostream& err) {
  Document doc;
  const FileOutcome opened = OpenDataFile(doc, o.input, LoadVersions(o, install));
  if (!opened.ok()) return Fail(opened, language, err);
  const FileOutcome saved = SaveDataFile(doc, o.output);
  return saved.ok() ? kExitOk : Fail(saved, language, err);
}

}  // namespace

int RunCli(int argc, const char* const* argv, const std::filesystem::path& programDir,
           std::ostream& out, std::ostream& err) {
  Options o;
  CLI::App app{"KR-4100 programming software, command line"};
  app.name("kr4100-cli");
  app.require_subcommand(1);
  app.add_option("--lang", o.lang, "Language of messages: en or zh")
      ->check(CLI::IsMember({"en", "zh"}));
  app.add_option("--version-ini", o.versionIni, "Version table to use instead of the installed one");

  auto* cmdNew = app.add_subcommand("new", "Write a new document as a data file");
  cmdNew->add_option("--band", o.band, "Band code: 0 (28-29.7 MHz) or 1 (25.615-30.105 MHz)")
      ->check(CLI::Range(0, 1));
  cmdNew->add_flag("--no-template", o.noTemplate, "Do not read the band's template file");
  cmdNew->add_option("OUT", o.output, "Data file to write")->required();

  auto* cmdDump = app.add_subcommand("dump", "Print a data file's whole record as JSON");
  cmdDump->add_option("FILE", o.input, "Data file to read")->required();

  auto* cmdResave = app.add_subcommand("resave", "Open a data file and save it again");
  cmdResave->add_option("IN", o.input, "Data file to open")->required();
  cmdResave->add_option("OUT", o.output, "Data file to write")->required();

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int code = app.exit(e, out, err);
    return code == 0 ? kExitOk : kExitUsage;
  }

  const InstallLayout install{programDir};
  const int language = o.lang == "zh" ? kChinese : kEnglish;
  if (cmdNew->parsed()) return RunNew(o, install, language, err);
  if (cmdDump->parsed()) return RunDump(o, install, language, out, err);
  return RunResave(o, install, language, err);
}

}  // namespace kr4100
