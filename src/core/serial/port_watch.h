// SPDX-License-Identifier: GPL-3.0-or-later
// Finding the radio's cable by what appears: the ports listed with the cable unplugged are the
// baseline, and the port that shows up once it is plugged in is the cable's. The same watch
// serves the port dialog (one look per timer tick) and `kr4100-cli ports --wait-new` (a loop).
#pragma once

#include <chrono>
#include <functional>
#include <vector>

#include "core/serial/port_description.h"

namespace kr4100 {

using PortLister = std::function<std::vector<PortDescription>()>;

// The ports of now that the baseline did not have, in the order of now.
std::vector<PortDescription> PortsAppeared(const std::vector<PortDescription>& baseline,
                                           const std::vector<PortDescription>& now);
// Whether the list has a port on USB (the system knows its vendor).
bool HasUsbPort(const std::vector<PortDescription>& ports);

enum class CableSearch {
  Waiting,   // nothing new yet, or a new port seen once and not yet seen again
  Found,     // one port appeared and stayed
  Several,   // more than one appeared: the user has to say which
  Vanished,  // a port appeared and was gone at the next look (something took the adapter)
  None,      // nothing appeared in time
};

class CableFinder {
 public:
  // baseline: the ports with the cable unplugged; limit: how long to wait for a new one.
  CableFinder(std::vector<PortDescription> baseline, std::chrono::milliseconds limit);

  // One look at the ports, elapsed after the search began. A new port counts once it is there at
  // two looks in a row: a port taken by another service is there for a moment only.
  CableSearch look(const std::vector<PortDescription>& now, std::chrono::milliseconds elapsed);

  // The user stopped the search: it ends as None unless it had ended already.
  void stop();

  CableSearch state() const { return state_; }
  // Found and Several: the ports that appeared (and stayed); Vanished: those that went.
  const std::vector<PortDescription>& ports() const { return ports_; }

 private:
  std::vector<PortDescription> baseline_;
  std::chrono::milliseconds limit_;
  std::vector<PortDescription> seen_;  // new at the last look
  std::vector<PortDescription> ports_;
  CableSearch state_ = CableSearch::Waiting;
};

// Looks every interval until the search ends. pause waits the interval and returns false when
// the user asked to stop (the search then ends as it stands: None unless something was found).
CableSearch WaitForCable(CableFinder& finder, const PortLister& list,
                         std::chrono::milliseconds interval,
                         const std::function<bool(std::chrono::milliseconds)>& pause);

}  // namespace kr4100
