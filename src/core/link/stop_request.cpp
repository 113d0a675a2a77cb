// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/stop_request.h"

#include "core/link/serial_trace.h"
#include "core/link/transfer_session.h"

namespace kr4100 {

int StopExitStatus(StopCause cause) {
  return cause == StopCause::ConsoleClosed ? 1 : 130;
}

const char* StopCauseName(StopCause cause) {
  switch (cause) {
    case StopCause::None:
      return "none";
    case StopCause::Interrupt:
      return "interrupt";
    case StopCause::Terminate:
      return "terminate";
    case StopCause::HangUp:
      return "hang-up";
    case StopCause::ConsoleClosed:
      return "console closed";
  }
  return "?";
}

bool StopOnRequest(const StopRequest& stop, TransferSession& session, SerialTrace* trace) {
  if (!stop.requested() || !session.active()) return false;
  if (trace) trace->note("stop", StopCauseName(stop.cause()));
  session.abort();
  return true;
}

}  // namespace kr4100
