// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/radio_config.h"

#include <algorithm>
#include <cassert>
#include <utility>

namespace kr4100 {

ChInfo& RadioConfig::slot(int c, int g) {
  assert(c >= 1 && c <= kChannelsPerGroup && g >= 0 && g < kGroupCount);
  return Ch.at(static_cast<std::size_t>(g)).at(static_cast<std::size_t>(c - 1));
}

const ChInfo& RadioConfig::slot(int c, int g) const {
  assert(c >= 1 && c <= kChannelsPerGroup && g >= 0 && g < kGroupCount);
  return Ch.at(static_cast<std::size_t>(g)).at(static_cast<std::size_t>(c - 1));
}

int RadioConfig::currentGroup() const {
  return std::clamp<int>(CurGroup, 0, kGroupCount - 1);
}

int RadioConfig::usedChannels(int g) const {
  if (g < 0 || g >= kGroupCount) return 0;
  return std::clamp<int>(ChCount[static_cast<std::size_t>(g)], 0, kChannelsPerGroup);
}

std::vector<int> RadioConfig::channelNumbers(int g) const {
  std::vector<int> numbers;
  for (int c = 1; c <= usedChannels(g); ++c) numbers.push_back(slot(c, g).ChNum);
  std::sort(numbers.begin(), numbers.end());
  return numbers;
}

const ChInfo* RadioConfig::findChannel(int g, int n) const {
  const int used = usedChannels(g);
  for (int c = 1; c <= used; ++c)
    if (slot(c, g).ChNum == n) return &slot(c, g);
  return nullptr;
}

ChInfo* RadioConfig::findChannel(int g, int n) {
  return const_cast<ChInfo*>(std::as_const(*this).findChannel(g, n));
}

}  // namespace kr4100
