// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/write_verify.h"

#include <algorithm>
#include <cstdio>

#include "core/config/record_diff.h"
#include "core/link/image_diff.h"
#include "core/texts/messages.h"

namespace kr4100 {
VerifyResult VerifyWrite(const RadioImage& sent, const RadioImage& readBack, int sentFrom,
                         const RadioConfig& base, int language) {
  VerifyResult result;
  const int from = std::clamp(sentFrom, 0, image_map::kConfigEnd);
  for (int a = from; a < image_map::kConfigEnd; ++a) {
    const auto i = static_cast<std::size_t>(a);
    if (sent[i] != readBack[i]) result.addresses.push_back(a);
  }
  if (result.addresses.empty()) return result;
  const std::vector<std::uint8_t> sentBytes(sent.begin(), sent.end());
  const std::vector<std::uint8_t> backBytes(readBack.begin(), readBack.end());
  const ImageRange range{static_cast<std::size_t>(from),
                         static_cast<std::size_t>(image_map::kConfigEnd)};
  for (const FieldDifference& d : DiffImages(sentBytes, backBytes, base, range, language))
    result.differences.push_back(DifferenceLine(d, language));
  return result;
}

std::string VerifyListText(const std::vector<std::string>& differences, int language,
                           std::size_t shown) {
  std::string text;
  const std::size_t listed = std::min(shown, differences.size());
  for (std::size_t i = 0; i < listed; ++i) text += differences[i] + "\n";
  if (differences.size() > listed)
    text += MessageWith(MessageId::VerifyMore, language,
                        {{"{n}", std::to_string(differences.size() - listed)}}) +
            "\n";
  if (!text.empty()) text.pop_back();
  return text;
}

}  // namespace kr4100
