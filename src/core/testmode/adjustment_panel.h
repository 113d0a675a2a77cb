// SPDX-License-Identifier: GPL-3.0-or-later
// What the adjustment window decides for one tuned item: its points in the bandwidth, their
// values, the group move of the test point, and the actions its controls send.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "core/testmode/test_mode_panel.h"

namespace kr4100 {

class AdjustmentPanel {
 public:
  // Values from the adjustment block that arrived with the tune. Until the user moves a point,
  // the radio's page replies update both what is shown and what Cancel puts back.
  AdjustmentPanel(TestModePanel& panel, std::span<const std::uint8_t> block);

  int item() const { return item_; }
  bool wide() const { return wide_; }
  int pointCount() const { return PointCount(item_, wide_); }
  bool enabled(int tab) const { return TabEnabled(tab, item_, wide_); }
  bool polling() const { return UsesPollingLayout(item_); }
  int tab() const { return tab_; }
  int value(int tab) const;
  const std::array<int, kAdjustTabCount>& values() const { return values_; }
  const std::array<int, kAdjustTabCount>& opening() const { return opening_; }

  // Selects another enabled page (its values are asked for); false when nothing changed.
  bool chooseTab(int tab);
  // A slider moved; returns the value the tab now holds (on tab 0 it may be less than asked,
  // as the group move stops where the first point would leave 0..255).
  int slide(int tab, int value);
  void ok();
  bool togglePtt() { return panel_.togglePtt(); }
  bool transmitting() const { return panel_.transmitting(); }
  // Asks for one polled value; false (nothing queued) while the last exchange is not through or
  // the retry question is open, so a slow radio is never flooded.
  bool poll();
  // Points the user moved, directly or by the test point's group move.
  bool touched(int tab) const;
  // A page's values, one per enabled point in tab order. Points the window has changed keep its
  // value: the group move's are not sent until closing, and a slider's value may still be queued
  // behind the page request when the reply comes.
  void takeValues(std::span<const std::uint8_t> values);
  // Closing: PTT released, then the points the user moved are stored, or with Cancel stored
  // back with the values the radio had for them. Untouched points are never sent.
  void close(bool cancel);

 private:
  TestModePanel& panel_;
  int item_;
  bool wide_;
  int tab_ = 0;
  std::array<int, kAdjustTabCount> values_{};
  std::array<int, kAdjustTabCount> opening_{};
  std::array<bool, kAdjustTabCount> touched_{};
  bool closed_ = false;
};

}  // namespace kr4100
