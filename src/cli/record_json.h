// SPDX-License-Identifier: GPL-3.0-or-later
// The whole configuration record as JSON: every field under its record name, every slot whether
// in use or not, texts as all their stored characters.
#pragma once

#include <nlohmann/json.hpp>

#include "core/config/radio_config.h"

namespace kr4100 {

nlohmann::ordered_json RecordToJson(const RadioConfig& config);

}  // namespace kr4100
