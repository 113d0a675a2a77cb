// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/image_diff.h"

#include <algorithm>
#include <optional>
#include <string>

#include "core/config/conversions.h"
#include "core/link/radio_image.h"
#include "core/texts/bilingual.h"

namespace kr4100 {
namespace {

constexpr Bilingual kMemory{"Memory", "存储器"};

// The record an image unpacks to over the base, as a read makes it; nothing when it cannot.
std::optional<RadioConfig> Unpacked(const RadioImage& image, const RadioConfig& base) {
  RadioConfig record = base;
  if (UnpackRecord(image, record)) return std::nullopt;
  return record;
}

RadioImage ToImage(const std::vector<std::uint8_t>& bytes) {
  RadioImage image;
  image.fill(0xFF);
  std::copy_n(bytes.begin(), std::min(bytes.size(), image.size()), image.begin());
  return image;
}

}  // namespace

std::vector<FieldDifference> DiffImages(const std::vector<std::uint8_t>& sent,
                                        const std::vector<std::uint8_t>& readBack,
                                        const RadioConfig& base, ImageRange range, int language) {
  range.end = std::min(range.end, kImageSize);
  std::vector<std::size_t> differing;
  for (std::size_t at = range.first; at < range.end; ++at) {
    if (at >= sent.size() || at >= readBack.size() || sent[at] != readBack[at])
      differing.push_back(at);
  }
  if (differing.empty()) return {};

  const RadioImage sentImage = ToImage(sent);
  const RadioImage readImage = ToImage(readBack);
  const auto sentRecord = Unpacked(sentImage, base);
  const auto readRecord = sentRecord ? Unpacked(readImage, base) : std::nullopt;
  std::vector<FieldDifference> out;
  if (readRecord) out = DiffShownFields(*sentRecord, *readRecord, language);
  const auto listed = [&](const FieldDifference& d) {
    return std::any_of(out.begin(), out.end(),
                       [&](const FieldDifference& o) { return o.place == d.place && o.name == d.name; });
  };
  // A byte is named when taking it alone from the read-back image changes a named field that the
  // list holds (fields of an image that reads as no configuration are listed byte by byte);
  // otherwise it is listed by its address.
  for (const std::size_t at : differing) {
    bool named = false;
    if (sentRecord && at < sent.size() && at < readBack.size()) {
      RadioImage one = sentImage;
      one[at] = readImage[at];
      const auto record = Unpacked(one, base);
      if (record && !(*record == *sentRecord)) {
        const auto alone = DiffShownFields(*sentRecord, *record, language);
        if (!readRecord)
          for (const auto& d : alone)
            if (!listed(d)) out.push_back(d);
        named = !alone.empty() && std::all_of(alone.begin(), alone.end(), listed);
      }
    }
    if (named) continue;
    const auto byte = [](const std::vector<std::uint8_t>& v, std::size_t i) {
      return i < v.size() ? "0x" + ByteHex(v[i]) : std::string("--");
    };
    out.push_back({kMemory.in(language), "0x" + ByteHex(static_cast<std::uint8_t>(at >> 8)) +
                                           ByteHex(static_cast<std::uint8_t>(at & 0xFF)), byte(sent, at),
                   byte(readBack, at), true});
  }
  return out;
}

}  // namespace kr4100
