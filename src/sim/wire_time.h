// SPDX-License-Identifier: GPL-3.0-or-later
// How long bytes take on the radio's cable: what the virtual radio's pacing and the simulated
// cable of the tests both measure by.
#pragma once

#include <chrono>
#include <cstddef>
#include <utility>
#include <vector>

namespace kr4100::sim {

using Micros = std::chrono::microseconds;

// Wire time of n bytes at 9600 baud, 10 bits a byte.
constexpr Micros WireTime(std::size_t bytes) {
  return Micros(bytes * 10'000'000 / 9600);
}

// A USB serial adapter hands on what it received in packets of at most this many bytes ...
inline constexpr std::size_t kAdapterPacket = 62;
// ... each once full, or once its latency timer has run from its first byte. The bytes come off
// the wire at first, first + WireTime(1), ...; returned: how many bytes reach the computer when.
std::vector<std::pair<Micros, std::size_t>> AdapterPackets(Micros first, std::size_t bytes,
                                                           Micros latency);

}  // namespace kr4100::sim
