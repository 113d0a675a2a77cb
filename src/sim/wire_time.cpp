// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/wire_time.h"

namespace kr4100::sim {

std::vector<std::pair<Micros, std::size_t>> AdapterPackets(Micros first, std::size_t bytes,
                                                           Micros latency) {
  std::vector<std::pair<Micros, std::size_t>> packets;
  std::size_t next = 0;
  while (next < bytes) {
    const Micros opened = first + WireTime(next);
    const Micros due = opened + latency;
    std::size_t count = 1;
    while (count < kAdapterPacket && next + count < bytes && first + WireTime(next + count) <= due)
      ++count;
    // A full packet goes at once; one that is not waits out the timer.
    const Micros at = count == kAdapterPacket ? first + WireTime(next + count - 1) : due;
    packets.emplace_back(at, count);
    next += count;
  }
  return packets;
}

}  // namespace kr4100::sim
