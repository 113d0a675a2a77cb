// SPDX-License-Identifier: GPL-3.0-or-later
// The modem lines a port is left with once the program has opened it, the same on every system:
// some programming cables take their power from DTR and RTS, so both are raised, except that
// RTS/CTS handshaking (2, and 3 which includes it) drives RTS itself.
#pragma once

#include <string>

#include "core/link/session_host.h"

namespace kr4100 {

struct LineStates {
  bool dtrRaised = true;
  bool rtsRaised = true;  // set by the program; false while handshaking drives it
  bool rtsByHandshaking = false;
};

constexpr LineStates LineStatesFor(const PortSettings& settings) {
  const bool handshaking = settings.handshaking == 2 || settings.handshaking == 3;
  return {true, !handshaking, handshaking};
}

// "DTR on, RTS on" for a trace.
inline std::string LineStatesText(const LineStates& lines) {
  return std::string("DTR ") + (lines.dtrRaised ? "on" : "off") + ", RTS " +
         (lines.rtsByHandshaking ? "by handshaking"
          : lines.rtsRaised      ? "on"
                                 : "off");
}

}  // namespace kr4100
