// SPDX-License-Identifier: GPL-3.0-or-later
// Why a serial port would not open, as the system said it, and what the user can do about it.
// The platforms map their own error codes onto the reasons here; the texts are the program's.
#pragma once

#include <optional>
#include <string>

#include "core/link/braille_claim.h"

namespace kr4100 {

enum class PortFailure {
  Unknown,       // the system gave no reason we can explain
  NoPermission,  // the user may not use the device
  Busy,          // another program holds the port
  Gone,          // no such port: never there, or unplugged
};

struct PortOpenError {
  PortFailure failure = PortFailure::Unknown;
  std::string group;  // NoPermission on Linux: the group that owns the device, when known
  // Gone on Linux: the braille-display service's rule that takes such adapters, when installed.
  std::optional<BrailleClaim> claimedBy = std::nullopt;
  friend bool operator==(const PortOpenError&, const PortOpenError&) = default;
};

// errno of a failed open() or stat() of the device.
PortFailure FailureFromErrno(int error);
// GetLastError() of a failed CreateFile on a COM port. Windows opens a port for one program at a
// time and refuses the second with ERROR_ACCESS_DENIED: that is a busy port, not a permission.
PortFailure FailureFromWin32Error(unsigned long error);

// A device that would not open, on a POSIX system, as stat() and access(R_OK | W_OK) of it then
// found it (their errno, 0 for none), with the group that owns it and what the serial library
// reported. A device that is there and ours to use was refused because something else holds it:
// libraries report a lock file or an exclusive open as a permission error.
PortOpenError ExplainPosixOpenFailure(int statError, int accessError, std::string ownerGroup,
                                      PortFailure reported);

// "Cannot Open Communication Port." with the reason and what to do on the lines below it (CR LF
// between lines, as every message text); the first line alone when the reason is unknown.
std::string PortErrorText(const PortOpenError& error, int language);
// The reason alone, for a trace.
std::string PortFailureReason(const PortOpenError& error, int language);

}  // namespace kr4100
