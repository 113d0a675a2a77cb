// Feeds arbitrary bytes to the data-file open and to the template read. A crash, a sanitizer
// report, or a refused file that changed the document is a finding.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>

#include "core/config/data_file.h"
#include "core/config/data_file_codec.h"
#include "core/config/document.h"
#include "core/config/version_table.h"

using namespace kr4100;

namespace {

CalendarDate FixedDay() { return {2026, 1, 2}; }

const std::filesystem::path& ScratchFile() {
  static const std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("kr4100-fuzz-" + std::to_string(::getpid()) + ".dat");
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const VersionTable versions = VersionTable::BuiltIn();
  const std::span<const std::uint8_t> bytes(data, size);

  Document doc;
  doc.setToday(FixedDay);
  doc.InitNewDocument();
  const RadioConfig before = doc.working();
  const FileOutcome outcome = OpenDataBytes(doc, bytes, "fuzz.dat", versions);
  if (!outcome.ok() && !(doc.working() == before)) std::abort();
  if (outcome.ok()) {
    (void)doc.IsDocumentModified();
    // Whatever was opened must encode back to the same bytes, the version tag aside.
    const DataFileBytes again = EncodeDataFile(doc.saved());
    if (!std::equal(again.begin() + 4, again.end(), data + 4)) std::abort();
    doc.SetChannelValue(1, 1, "");
    doc.SetChannelValue(61, 1, "28.5");
    doc.SetChannelValue(1, 2, "");
  }
  (void)outcome.message(1);
  (void)outcome.message(2);

  // The path-based readers, through a real file.
  {
    std::ofstream out(ScratchFile(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  Document viaFile;
  viaFile.setToday(FixedDay);
  (void)OpenDataFile(viaFile, ScratchFile(), versions);
  (void)viaFile.ReadTemplate(ScratchFile());
  return 0;
}
