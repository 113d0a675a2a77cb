// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/port_line.h"

#if !KR4100_QT_SERIAL_PORT
#ifdef _WIN32
#include <windows.h>
#include <timeapi.h>
#endif

#include "core/serial/serial_link.h"

namespace kr4100 {

// Without Qt's serial module the system's port is the core's line (qt_port_line.cpp otherwise).
std::unique_ptr<PortLine> MakeSystemPortLine() {
#ifdef _WIN32
  // The line's thread polls in 1 ms pauses; Windows sleeps in steps of 15.6 ms unless asked.
  static const bool fineTimer = ::timeBeginPeriod(1) == TIMERR_NOERROR;
  (void)fineTimer;
#endif
  return MakeLinkPortLine(MakeSystemSerialLink());
}

}  // namespace kr4100
#endif
