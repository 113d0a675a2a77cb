// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/testmode/adjustment_panel.h"

#include <algorithm>

namespace kr4100 {

AdjustmentPanel::AdjustmentPanel(TestModePanel& panel, std::span<const std::uint8_t> block)
    : panel_(panel), item_(panel.item()), wide_(panel.wide()) {
  const auto fromBlock = ItemValuesOf(block, item_);
  for (int tab = 0; tab < kAdjustTabCount; ++tab)
    if (enabled(tab))
      values_[static_cast<std::size_t>(tab)] = fromBlock[static_cast<std::size_t>(tab)];
  opening_ = values_;
}

int AdjustmentPanel::value(int tab) const {
  return tab >= 0 && tab < kAdjustTabCount ? values_[static_cast<std::size_t>(tab)] : 0;
}

bool AdjustmentPanel::chooseTab(int tab) {
  if (tab == tab_ || !enabled(tab)) return false;
  tab_ = tab;
  panel_.driver().act(TestAction::SelectPage, PointCode(tab, item_), pointCount());
  return true;
}

int AdjustmentPanel::slide(int tab, int value) {
  if (!enabled(tab)) return this->value(tab);
  value = std::clamp(value, 0, 255);
  if (tab == 0) {
    // The test point carries the others along; the step shrinks so that none of them leaves
    // 0..255 (points the item does not have stay out of it).
    int d = value - values_[0];
    for (int i = 1; i < kAdjustTabCount; ++i) {
      if (!enabled(i)) continue;
      const int v = values_[static_cast<std::size_t>(i)];
      if (v + d > 255) d = 255 - v;
      if (v + d < 0) d = -v;
    }
    for (int i = 0; i < kAdjustTabCount; ++i) {
      if (!enabled(i)) continue;
      values_[static_cast<std::size_t>(i)] += d;
      if (d != 0) touched_[static_cast<std::size_t>(i)] = true;
    }
    value = values_[0];
  } else {
    values_[static_cast<std::size_t>(tab)] = value;
    touched_[static_cast<std::size_t>(tab)] = true;
  }
  panel_.driver().act(TestAction::SetValue, PointCode(tab, item_), value);
  return value;
}

void AdjustmentPanel::ok() {
  panel_.driver().act(TestAction::AdjustCommand, PointCode(tab_, item_));
}

bool AdjustmentPanel::poll() {
  if (!panel_.driver().idle()) return false;
  panel_.driver().act(TestAction::PollValue, PointCode(0, item_));
  return true;
}

bool AdjustmentPanel::touched(int tab) const {
  return tab >= 0 && tab < kAdjustTabCount && touched_[static_cast<std::size_t>(tab)];
}

void AdjustmentPanel::takeValues(std::span<const std::uint8_t> values) {
  std::size_t k = 0;
  for (int tab = 0; tab < kAdjustTabCount && k < values.size(); ++tab) {
    if (!enabled(tab)) continue;
    const auto t = static_cast<std::size_t>(tab);
    // The radio's word beats the block's assumed layout, for as long as the user has not moved
    // the point: that is also the value Cancel restores.
    if (!touched_[t]) values_[t] = opening_[t] = values[k];
    ++k;
  }
}

void AdjustmentPanel::close(bool cancel) {
  if (closed_) return;
  closed_ = true;
  panel_.releasePtt();
  std::vector<StoredPoint> points;
  for (int tab = 0; tab < kAdjustTabCount; ++tab) {
    const auto t = static_cast<std::size_t>(tab);
    if (enabled(tab) && touched_[t])
      points.push_back({PointCode(tab, item_), cancel ? opening_[t] : values_[t]});
  }
  if (cancel) values_ = opening_;
  panel_.driver().storeValues(item_, points);
  panel_.adjustmentClosed();
}

}  // namespace kr4100
