// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/serial/port_watch.h"

#include <algorithm>
#include <utility>

namespace kr4100 {
namespace {

bool Listed(const std::vector<PortDescription>& ports, const PortDescription& port) {
  return std::any_of(ports.begin(), ports.end(),
                     [&port](const PortDescription& p) { return p.port == port.port; });
}

}  // namespace

std::vector<PortDescription> PortsAppeared(const std::vector<PortDescription>& baseline,
                                           const std::vector<PortDescription>& now) {
  std::vector<PortDescription> appeared;
  for (const PortDescription& port : now)
    if (!Listed(baseline, port) && !Listed(appeared, port)) appeared.push_back(port);
  return appeared;
}

bool HasUsbPort(const std::vector<PortDescription>& ports) {
  return std::any_of(ports.begin(), ports.end(),
                     [](const PortDescription& p) { return p.vendorId.has_value(); });
}

CableFinder::CableFinder(std::vector<PortDescription> baseline, std::chrono::milliseconds limit)
    : baseline_(std::move(baseline)), limit_(limit) {}

CableSearch CableFinder::look(const std::vector<PortDescription>& now,
                              std::chrono::milliseconds elapsed) {
  if (state_ != CableSearch::Waiting) return state_;
  std::vector<PortDescription> appeared = PortsAppeared(baseline_, now);
  std::vector<PortDescription> stayed, went;
  for (const PortDescription& port : seen_)
    (Listed(appeared, port) ? stayed : went).push_back(port);
  if (!stayed.empty()) {
    // What appeared beside it since counts too: a two-port adapter brings both.
    ports_ = std::move(appeared);
    state_ = ports_.size() == 1 ? CableSearch::Found : CableSearch::Several;
  } else if (!went.empty() && appeared.empty()) {
    ports_ = std::move(went);
    state_ = CableSearch::Vanished;
  } else if (appeared.empty() && elapsed >= limit_) {
    state_ = CableSearch::None;
  }
  seen_ = std::move(appeared);
  return state_;
}

void CableFinder::stop() {
  if (state_ == CableSearch::Waiting) state_ = CableSearch::None;
}

CableSearch WaitForCable(CableFinder& finder, const PortLister& list,
                         std::chrono::milliseconds interval,
                         const std::function<bool(std::chrono::milliseconds)>& pause) {
  std::chrono::milliseconds elapsed{0};
  while (finder.look(list(), elapsed) == CableSearch::Waiting) {
    if (!pause(interval)) {
      finder.stop();
      break;
    }
    elapsed += interval;
  }
  return finder.state();
}

}  // namespace kr4100
