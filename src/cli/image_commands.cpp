// SPDX-License-Identifier: GPL-3.0-or-later
#include <CLI/CLI.hpp>
#include <algorithm>

#include "cli/cli_command.h"
#include "core/config/file_io.h"
#include "core/config/model_band.h"
#include "core/link/radio_image.h"

namespace kr4100 {
namespace {

constexpr std::uint8_t kIdentityMark = 'P';

bool HasIdentity(const RadioImage& image) {
  return image[image_map::kIdentity] == kIdentityMark;
}

// An image that was never read from a radio (one made by pack) carries no identity reply. It is
// taken as an image for the document's own model and band rather than for a radio of no model.
void PutDocumentIdentity(const Document& doc, RadioImage& image) {
  const std::string& model = doc.state().modelText;
  auto* id = image.data() + image_map::kIdentity;
  std::fill_n(id, 14, std::uint8_t{0});
  id[0] = kIdentityMark;
  for (std::size_t i = 0; i < 4; ++i)
    id[1 + i] = i < model.size() ? static_cast<std::uint8_t>(model[i]) : std::uint8_t{0};
  id[6] = static_cast<std::uint8_t>(ModelTypeOf(model));
  id[7] = static_cast<std::uint8_t>(BandCodeOf(doc.state().bandText, model));
}

int RunPack(const CliContext& context) {
  Document doc;
  const FileOutcome opened =
      OpenDataFile(doc, PathFromUtf8(context.options.input), LoadVersions(context));
  if (!opened.ok()) return Fail(opened, context);
  // Exactly what a write sends: the prepared image with the record packed into it.
  RadioImage image;
  PrepareImage(image);
  if (const auto error = PackImage(doc.working(), image))
    return Fail(MessageId::PackRefused, context, error->what);
  if (!WriteFileAtomically(PathFromUtf8(context.options.output), image))
    return Fail(MessageId::FileError, context);
  return kExitOk;
}

int RunUnpack(const CliContext& context) {
  const auto size = RegularFileSize(PathFromUtf8(context.options.input));
  if (!size || *size != kImageSize) return Fail(MessageId::FileError, context);
  const auto bytes = ReadFilePrefix(PathFromUtf8(context.options.input), kImageSize);
  if (!bytes || bytes->size() != kImageSize) return Fail(MessageId::FileError, context);
  RadioImage image;
  std::copy(bytes->begin(), bytes->end(), image.begin());

  // As a read from the radio: a new document, then the image over it. The parts the image does
  // not carry come from the template of the image's band unless --band says otherwise.
  int band = context.options.band;
  if (!context.options.bandGiven && HasIdentity(image)) {
    const int imageBand = image[image_map::kIdentity + 7];
    if (imageBand == 0 || imageBand == 1) band = imageBand;
  }
  Document doc;
  InitNewDocument(doc, band, context);
  if (!HasIdentity(image)) PutDocumentIdentity(doc, image);
  if (const auto error = UnpackImage(image, doc))
    return Fail(MessageId::UnpackRefused, context, error->what);
  return SaveOutput(doc, context);
}

void PackOptions(CLI::App& command, CliOptions& o) {
  AddInOutFiles(command, o, {"FILE", "Data file to open", "OUT", "Image file to write"});
}

void UnpackOptions(CLI::App& command, CliOptions& o) {
  command
      .add_option("--band", o.band,
                  "Template band for what the image does not hold (default: the image's band)")
      ->check(CLI::Range(0, 1))
      ->each([&o](const std::string&) { o.bandGiven = true; });
  AddInOutFiles(command, o, {"IMAGE", "Image file of 8192 bytes", "OUT", "Data file to write"});
}

constexpr CliCommand kImageCommands[] = {
    {"pack", nullptr, "Write the 8192-byte radio image a write would send", false, PackOptions,
     RunPack},
    {"unpack", nullptr, "Make a data file from a radio image, as a read does", false, UnpackOptions,
     RunUnpack},
};

}  // namespace

CliGroup ImageCommands() {
  return {"image", kImageCommands};
}

}  // namespace kr4100
