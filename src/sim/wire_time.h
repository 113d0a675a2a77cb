// How long bytes take on the radio's cable: what the virtual radio's pacing and the simulated
// cable of the tests both measure by.
#pragma once

#include <chrono>
#include <cstddef>

namespace kr4100::sim {

using Micros = std::chrono::microseconds;

// Wire time of n bytes at 9600 baud, 10 bits a byte.
constexpr Micros WireTime(std::size_t bytes) { return Micros(bytes * 10'000'000 / 9600); }

}  // namespace kr4100::sim
