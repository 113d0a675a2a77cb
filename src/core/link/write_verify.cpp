#include "core/link/write_verify.h"

#include <algorithm>
#include <cstdio>

#include "core/texts/messages.h"

namespace kr4100 {
namespace {

constexpr Bilingual kByteDifference{"Address 0x{a}: sent 0x{s}, read back 0x{r}",
                                    "地址 0x{a}：写入 0x{s}，读回 0x{r}"};

std::string Hex(int value, int digits) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%0*X", digits, value);
  return buffer;
}

std::string Fill(std::string text, std::string_view field, const std::string& value) {
  const auto at = text.find(field);
  if (at != std::string::npos) text.replace(at, field.size(), value);
  return text;
}

}  // namespace

VerifyResult VerifyWrite(const RadioImage& sent, const RadioImage& readBack, int sentFrom,
                         int language) {
  VerifyResult result;
  const int from = std::clamp(sentFrom, 0, image_map::kConfigEnd);
  for (int a = from; a < image_map::kConfigEnd; ++a) {
    const auto i = static_cast<std::size_t>(a);
    if (sent[i] == readBack[i]) continue;
    result.addresses.push_back(a);
    std::string line = Fill(kByteDifference.in(language), "{a}", Hex(a, 4));
    line = Fill(std::move(line), "{s}", Hex(sent[i], 2));
    result.differences.push_back(Fill(std::move(line), "{r}", Hex(readBack[i], 2)));
  }
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
