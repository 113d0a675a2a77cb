// SPDX-License-Identifier: GPL-3.0-or-later
// What the test mode window decides: the current channel, signalling, bandwidth and item, and
// which actions each control sends. The rule every control but PTT and Close follows: a keyed
// transmitter is released before anything else goes out.
#pragma once

#include "core/testmode/test_mode_driver.h"

namespace kr4100 {

class TestModePanel {
 public:
  explicit TestModePanel(TestModeDriver& driver) : driver_(driver) {}

  // Position 1..n in the driver's test channel list.
  int channel() const { return channel_; }
  int signalling() const { return signalling_; }
  bool wide() const { return wide_; }
  // The driver keeps the PTT state, so both windows and the leave see the same transmitter.
  bool transmitting() const { return driver_.pttKeyed(); }
  int item() const { return item_; }  // 0 until an item is chosen
  bool adjusting() const { return adjusting_; }
  bool tuningEnabled() const { return item_ != 0 && !adjusting_; }

  // The release routine: true when a keyed transmitter was released.
  bool releasePtt();
  // False when the position is not in the list or is already current (then nothing but the
  // release goes out).
  bool chooseChannel(int position);
  bool chooseSignalling(int signalling);
  void setWide(bool wide);
  // PTT's own toggle; returns whether the transmitter is keyed afterwards.
  bool togglePtt();
  void chooseItem(int item);
  // Queues the tune of the chosen item; false while tuning is not possible.
  bool tune();
  void print() { releasePtt(); }
  // Leaves test mode with the current signalling (the driver releases PTT first).
  void close();

  // From a tune until its adjustment window closes there is no second tune.
  void adjustmentClosed() { adjusting_ = false; }

  TestModeDriver& driver() { return driver_; }

 private:
  TestModeDriver& driver_;
  int channel_ = 1;
  int signalling_ = 1;
  bool wide_ = true;  // the radio starts wide, and the window opens showing it
  int item_ = 0;
  bool adjusting_ = false;
};

}  // namespace kr4100
