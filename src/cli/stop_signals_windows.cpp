// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <iostream>

#include "cli/stop_signals.h"

namespace kr4100 {
namespace {

StopRequest gRequest;
std::atomic<long long> gLastEvent{-1};  // tick count of the last Ctrl+C or Ctrl+Break; -1: none
HANDLE gCleanedUp = nullptr;            // set once the command has ended its session

BOOL WINAPI OnConsoleEvent(DWORD event) {
  switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT: {
      const long long now = static_cast<long long>(::GetTickCount64());
      const long long last = gLastEvent.exchange(now);
      if (last >= 0 && now - last < kStopAgainWithin.count())
        std::_Exit(StopExitStatus(StopCause::Interrupt));
      gRequest.request(StopCause::Interrupt);
      return TRUE;
    }
    case CTRL_CLOSE_EVENT:
      // The process ends when this returns: the command must have closed the port first.
      gRequest.request(StopCause::ConsoleClosed);
      if (gCleanedUp != nullptr &&
          ::WaitForSingleObject(gCleanedUp, static_cast<DWORD>(kConsoleCloseWait.count())) ==
              WAIT_OBJECT_0)
        ::ExitProcess(static_cast<UINT>(StopExitStatus(StopCause::ConsoleClosed)));
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

StopSignals::StopSignals() {
  gRequest.clear();
  gLastEvent.store(-1);
  // Kept for the process: a close handler of an earlier command may still be waiting on it.
  if (gCleanedUp == nullptr) gCleanedUp = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (gCleanedUp != nullptr) ::ResetEvent(gCleanedUp);
  ::SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

StopSignals::~StopSignals() {
  // What the command printed reaches its stream before a close ends the process.
  std::cout.flush();
  if (gCleanedUp != nullptr) ::SetEvent(gCleanedUp);
  ::SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
}

const StopRequest& StopSignals::request() const {
  return gRequest;
}

int StopSignals::wakeFd() const {
  return -1;
}

}  // namespace kr4100
