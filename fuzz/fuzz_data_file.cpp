// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the data-file open and to the template read, in memory. A crash, a
// sanitizer report, or a refused file that changed the document is a finding; so is a file whose
// path-based read (a share of the inputs, see fuzz_support.h) ends otherwise than the in-memory
// one.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "core/config/data_file.h"
#include "core/config/data_file_codec.h"
#include "core/config/document.h"
#include "core/config/version_table.h"
#include "fuzz_support.h"

using namespace kr4100;

namespace {

bool SameRecords(const Document& a, const Document& b) {
  return a.working() == b.working() && a.saved() == b.saved();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const VersionTable versions = VersionTable::BuiltIn();
  const Document& fresh = fuzz::NewDocument();
  const std::span<const std::uint8_t> bytes(data, size);

  Document doc = fresh;
  const FileOutcome outcome = OpenDataBytes(doc, bytes, "fuzz.dat", versions);
  if (!outcome.ok() && !(doc.working() == fresh.working())) std::abort();
  if (outcome.ok()) {
    (void)doc.IsDocumentModified();
    // Whatever was opened must encode back to the same bytes, the version tag aside.
    const DataFileBytes again = EncodeDataFile(doc.saved());
    if (!std::equal(again.begin() + 4, again.end(), data + 4)) std::abort();
  }
  (void)outcome.message(1);
  (void)outcome.message(2);

  Document fromTemplate = fresh;
  const bool templateRead = fromTemplate.ReadTemplateBytes(bytes);

  if (fuzz::TakesPathWay(bytes)) {
    // The path-based readers, through a real file: the same content must end the same way.
    const auto& path = fuzz::WriteScratchFile(bytes, ".dat");
    Document viaFile = fresh;
    const FileOutcome fileOutcome = OpenDataFile(viaFile, path, versions);
    if (fileOutcome.status != outcome.status || fileOutcome.fileTag != outcome.fileTag ||
        !SameRecords(viaFile, doc)) {
      std::abort();
    }
    Document templateViaFile = fresh;
    if (templateViaFile.ReadTemplate(path) != templateRead ||
        !SameRecords(templateViaFile, fromTemplate))
      std::abort();
  }

  if (outcome.ok()) {
    doc.SetChannelValue(1, 1, "");
    doc.SetChannelValue(61, 1, "28.5");
    doc.SetChannelValue(1, 2, "");
  }
  return 0;
}
