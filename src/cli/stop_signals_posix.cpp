// SPDX-License-Identifier: GPL-3.0-or-later
#include <fcntl.h>
#include <signal.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <iterator>

#include "cli/stop_signals.h"

namespace kr4100 {
namespace {

constexpr int kCaught[] = {SIGINT, SIGTERM, SIGHUP};

// What the handler touches: lock-free atomics and a pipe, nothing else.
StopRequest gRequest;
std::atomic<int> gWakeWrite{-1};
std::atomic<long long> gLastSignal{-1};  // monotonic milliseconds of the last one; -1: none
static_assert(std::atomic<long long>::is_always_lock_free);

int gWakeRead = -1;
struct sigaction gBefore[std::size(kCaught)];
bool gInstalled[std::size(kCaught)] = {};

long long MonotonicMilliseconds() {
  timespec now{};
  ::clock_gettime(CLOCK_MONOTONIC, &now);  // async-signal-safe
  return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1'000'000;
}

StopCause CauseOf(int signal) {
  return signal == SIGINT   ? StopCause::Interrupt
         : signal == SIGHUP ? StopCause::HangUp
                            : StopCause::Terminate;
}

void OnStopSignal(int signal) {
  const int savedErrno = errno;
  const long long now = MonotonicMilliseconds();
  const long long last = gLastSignal.exchange(now);
  if (last >= 0 && now - last < kStopAgainWithin.count()) ::_exit(StopExitStatus(CauseOf(signal)));
  gRequest.request(CauseOf(signal));
  const int wake = gWakeWrite.load();
  if (wake >= 0) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(wake, &byte, 1);
  }
  errno = savedErrno;
}

}  // namespace

StopSignals::StopSignals() {
  gRequest.clear();
  gLastSignal.store(-1);
  int fds[2];
  if (::pipe2(fds, O_NONBLOCK | O_CLOEXEC) == 0) {
    gWakeRead = fds[0];
    gWakeWrite.store(fds[1]);
  }
  for (std::size_t i = 0; i < std::size(kCaught); ++i) {
    gInstalled[i] = false;
    if (::sigaction(kCaught[i], nullptr, &gBefore[i]) != 0) continue;
    // Ignored from the start (nohup, a background job): the user did not mean it to reach us.
    if (gBefore[i].sa_handler == SIG_IGN) continue;
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    gInstalled[i] = ::sigaction(kCaught[i], &action, nullptr) == 0;
  }
}

StopSignals::~StopSignals() {
  for (std::size_t i = 0; i < std::size(kCaught); ++i)
    if (gInstalled[i]) ::sigaction(kCaught[i], &gBefore[i], nullptr);
  const int wake = gWakeWrite.exchange(-1);
  if (wake >= 0) ::close(wake);
  if (gWakeRead >= 0) ::close(gWakeRead);
  gWakeRead = -1;
}

const StopRequest& StopSignals::request() const {
  return gRequest;
}

int StopSignals::wakeFd() const {
  return gWakeRead;
}

}  // namespace kr4100
