// SPDX-License-Identifier: GPL-3.0-or-later
// A record with a different, recognisable value in every field: stale data in unused slots,
// negative Integers, large Longs, texts filling their fields with no NUL and bytes above 0x7F.
#pragma once

#include <string>

#include "core/config/data_file_layout.h"
#include "core/config/radio_config.h"

namespace kr4100::testing {

struct DistinctFill {
  int& n;
  void operator()(const char*, Integer& v) { v = static_cast<Integer>(-1000 - n++); }
  void operator()(const char*, Long& v) { v = 0x7000000 + 97 * n++; }
  template <std::size_t N>
  void operator()(const char*, FixedText<N>& t) {
    for (std::size_t i = 0; i < N; ++i)
      t.bytes()[i] = static_cast<char>(i % 3 == 2 ? 0x80 + (n + i) % 0x7F : 'A' + (n + i) % 26);
    ++n;
  }
};

inline RadioConfig DistinctRecord() {
  RadioConfig r;
  int n = 0;
  layout::Fields(r, DistinctFill{n});
  // Counts and the fields the open must accept stay in range; everything else is odd on purpose.
  r.Version = "V600";
  r.CurGroup = 3;
  r.ChCount = {60, 1, 0, 7, 59, 2};
  r.AutodialCount = 5;
  r.TestFreCount = 16;
  r.FleetListCount = 8;
  return r;
}

}  // namespace kr4100::testing
