// SPDX-License-Identifier: GPL-3.0-or-later
// Encoding of the configuration record as the 14531 bytes of a data file (little-endian).
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "core/config/data_file_layout.h"
#include "core/config/radio_config.h"

namespace kr4100 {

using DataFileBytes = std::array<std::uint8_t, layout::kDataFileSize>;

DataFileBytes EncodeDataFile(const RadioConfig& config);
RadioConfig DecodeDataFile(std::span<const std::uint8_t, layout::kDataFileSize> bytes);

}  // namespace kr4100
