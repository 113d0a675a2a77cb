// SPDX-License-Identifier: GPL-3.0-or-later
// The cable to the in-process virtual radio: what the program sends takes its 9600-baud wire
// time to get across, and the radio's answer follows once it is in and the reply line is free.
// Shared by the transfer and the test-mode hosts of the virtual radio.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

namespace kr4100 {

class VirtualWire : public QObject {
 public:
  explicit VirtualWire(QObject* parent = nullptr);

  // 1: the real pace; 10: ten times faster; 0 or less: everything arrives on the next turn of
  // the event loop.
  void setSpeedFactor(double factor) { speed_ = factor; }
  double speedFactor() const { return speed_; }

  // The program's bytes leave now (after any still leaving); the radio's answer, if any, is
  // carried back after them.
  void carry(std::size_t sentBytes, std::vector<std::uint8_t> answer);
  // Whatever is on its way is lost (port closed, radio taken off the cable).
  void clear();

  qint64 nowUs() const { return clock_.nsecsElapsed() / 1000; }
  qint64 wireUs(std::size_t bytes) const;

  // The bytes of one carry are across.
  std::function<void()> onSent;
  // Bytes of the radio's answer have come in.
  std::function<void(const std::vector<std::uint8_t>&)> onArrived;

 private:
  struct Event {
    qint64 dueUs;
    bool sent;  // the program's bytes are across; else an answer arrives
    std::vector<std::uint8_t> bytes;
  };

  void schedule();
  void fireDue();

  QElapsedTimer clock_;
  QTimer timer_;
  double speed_ = 1.0;
  std::deque<Event> events_;  // in time order
  qint64 outFreeUs_ = 0;      // when the program's line is free again
  qint64 inFreeUs_ = 0;       // the same for the radio's reply line
};

}  // namespace kr4100
