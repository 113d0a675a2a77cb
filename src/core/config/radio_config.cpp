#include "core/config/radio_config.h"

#include <cassert>

namespace kr4100 {

ChInfo& RadioConfig::slot(int c, int g) {
  assert(c >= 1 && c <= kChannelsPerGroup && g >= 0 && g < kGroupCount);
  return Ch.at(static_cast<std::size_t>(g)).at(static_cast<std::size_t>(c - 1));
}

const ChInfo& RadioConfig::slot(int c, int g) const {
  assert(c >= 1 && c <= kChannelsPerGroup && g >= 0 && g < kGroupCount);
  return Ch.at(static_cast<std::size_t>(g)).at(static_cast<std::size_t>(c - 1));
}

}  // namespace kr4100
