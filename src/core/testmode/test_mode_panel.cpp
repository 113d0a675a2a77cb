// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/testmode/test_mode_panel.h"

namespace kr4100 {

bool TestModePanel::releasePtt() {
  if (!driver_.pttKeyed()) return false;
  driver_.act(TestAction::PttRelease);
  return true;
}

bool TestModePanel::chooseChannel(int position) {
  releasePtt();
  const auto& list = driver_.channels();
  if (position < 1 || position > static_cast<int>(list.size()) || position == channel_)
    return false;
  channel_ = position;
  driver_.act(TestAction::SelectChannel, list[static_cast<std::size_t>(position - 1)].channel);
  return true;
}

bool TestModePanel::chooseSignalling(int signalling) {
  releasePtt();
  if (signalling < 1 || signalling > kSignallingCount || signalling == signalling_) return false;
  signalling_ = signalling;
  driver_.act(TestAction::SelectSignalling, signalling);
  return true;
}

void TestModePanel::setWide(bool wide) {
  releasePtt();
  wide_ = wide;
  driver_.act(wide ? TestAction::Wide : TestAction::Narrow);
}

bool TestModePanel::togglePtt() {
  driver_.act(driver_.pttKeyed() ? TestAction::PttRelease : TestAction::PttPress);
  return driver_.pttKeyed();
}

void TestModePanel::chooseItem(int item) {
  releasePtt();
  if (item >= 1 && item <= kAdjustItemCount) item_ = item;
}

bool TestModePanel::tune() {
  releasePtt();
  if (!tuningEnabled()) return false;
  // One adjustment window at a time: a second click before the first tune is answered would
  // otherwise open two.
  adjusting_ = true;
  driver_.act(TestAction::Tune, item_);
  return true;
}

void TestModePanel::close() {
  driver_.leave(signalling_);
}

}  // namespace kr4100
