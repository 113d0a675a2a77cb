// SPDX-License-Identifier: GPL-3.0-or-later
// The radio's test channels as the test-mode tests give them to the document (and, through
// TestModeResponder::setTestChannels, to the virtual radio).
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>

#include "core/config/radio_config.h"

namespace kr4100::testing {

struct TestChannel {
  int no;
  const char* rx;  // Hz, as the document keeps it
  const char* tx;
};

inline void SetTestChannels(RadioConfig& r, std::initializer_list<TestChannel> channels) {
  r.TestFreCount = static_cast<Integer>(channels.size());
  std::size_t i = 0;
  for (const TestChannel& c : channels) {
    TestFreEntry& e = r.TestFre[i++];
    e = {};
    e.No = static_cast<Integer>(c.no);
    e.RxFre = c.rx;
    e.TxFre = c.tx;
  }
}

}  // namespace kr4100::testing
