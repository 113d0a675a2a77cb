// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/virtual_wire.h"

#include <algorithm>
#include <chrono>

#include "sim/wire_time.h"

namespace kr4100 {

VirtualWire::VirtualWire(QObject* parent) : QObject(parent) {
  clock_.start();
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &VirtualWire::fireDue);
}

qint64 VirtualWire::wireUs(std::size_t bytes) const {
  if (speed_ <= 0) return 0;
  const auto real = std::chrono::duration_cast<std::chrono::microseconds>(sim::WireTime(bytes));
  return static_cast<qint64>(static_cast<double>(real.count()) / speed_);
}

void VirtualWire::carry(std::size_t sentBytes, std::vector<std::uint8_t> answer) {
  const qint64 now = nowUs();
  const qint64 across = std::max(now, outFreeUs_) + wireUs(sentBytes);
  outFreeUs_ = across;
  auto insert = [this](Event e) {
    // Equal times keep their order: the bytes are across before the answer to them arrives.
    const auto at = std::upper_bound(events_.begin(), events_.end(), e.dueUs,
                                     [](qint64 due, const Event& x) { return due < x.dueUs; });
    events_.insert(at, std::move(e));
  };
  insert({across, true, {}});
  if (!answer.empty()) {
    // The radio answers once the whole frame is in; its answer waits for the line if need be.
    const qint64 due = std::max(across, inFreeUs_) + wireUs(answer.size());
    inFreeUs_ = due;
    insert({due, false, std::move(answer)});
  }
  schedule();
}

void VirtualWire::clear() {
  timer_.stop();
  events_.clear();
  outFreeUs_ = 0;
  inFreeUs_ = 0;
}

void VirtualWire::schedule() {
  if (events_.empty()) {
    timer_.stop();
    return;
  }
  const qint64 waitUs = std::max<qint64>(0, events_.front().dueUs - nowUs());
  timer_.start(static_cast<int>((waitUs + 999) / 1000));
}

void VirtualWire::fireDue() {
  const qint64 now = nowUs();
  while (!events_.empty() && events_.front().dueUs <= now) {
    const Event e = std::move(events_.front());
    events_.pop_front();
    // A handler may send (adding events) or close (clearing them); the loop reads afresh.
    if (e.sent) {
      if (onSent) onSent();
    } else if (onArrived) {
      onArrived(e.bytes);
    }
  }
  schedule();
}

}  // namespace kr4100
