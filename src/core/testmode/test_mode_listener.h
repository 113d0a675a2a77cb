// SPDX-License-Identifier: GPL-3.0-or-later
// What test mode tells whoever runs it (the command line), in the order it happens: the events
// the Qt hosts emit as signals, for a host without Qt and for code that runs over either.
#pragma once

#include <cstdint>
#include <span>

#include "core/testmode/test_mode_driver.h"

namespace kr4100 {

class TestModeListener {
 public:
  virtual ~TestModeListener() = default;
  virtual void messageRaised(TestModeMessage message) = 0;
  virtual void testModeEntered() = 0;
  // The bytes are only valid during the call.
  virtual void blockArrived(std::span<const std::uint8_t> block) = 0;
  virtual void valuesReceived(std::span<const std::uint8_t> values) = 0;
  virtual void valuePolled(int value) = 0;
  virtual void testModeEnded() = 0;
};

}  // namespace kr4100
