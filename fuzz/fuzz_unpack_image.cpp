// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the unpacking of an image read from the radio. A crash, a sanitizer
// report, or a refused image that changed the document is a finding.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "core/config/document.h"
#include "core/link/radio_image.h"
#include "fuzz_support.h"

using namespace kr4100;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // What the radio did not send stays as a blank memory reads: 0xFF.
  RadioImage image;
  image.fill(0xFF);
  std::copy_n(data, std::min(size, kImageSize), image.begin());

  const Document& fresh = fuzz::NewDocument();
  Document doc = fresh;
  const auto error = UnpackImage(image, doc);
  if (error) {
    if (!(doc.working() == fresh.working()) || error->what.empty()) std::abort();
  } else {
    // Whatever was read from a radio can be written to one again.
    RadioImage again;
    PrepareImage(again);
    if (PackImage(doc.working(), again)) std::abort();
    (void)doc.IsDocumentModified();
  }

  const RadioInfo info = UnpackRadioInfo(image);
  RadioImage infoImage;
  PrepareImage(infoImage);
  PackRadioInfo(info, infoImage);
  // The texts read back the same through the virtual radio's memory.
  if (!(UnpackRadioInfo(infoImage) == info)) std::abort();
  return 0;
}
