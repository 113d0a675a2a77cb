// SPDX-License-Identifier: GPL-3.0-or-later
// The list of differences of two records as Compare with File shows it: place, field and both
// values, one row each. The write confirmation shows what a write changes the same way.
#pragma once

#include <QTableWidget>
#include <vector>

#include "core/config/record_diff.h"
#include "core/texts/bilingual.h"

namespace kr4100 {

class UiContext;

class DifferencesTable final : public QTableWidget {
  Q_OBJECT
 public:
  // a, b: the headings of the two value columns.
  DifferencesTable(const UiContext& ctx, const Bilingual& a, const Bilingual& b,
                   const Bilingual& accessibleName, QWidget* parent);
  void setDifferences(const std::vector<FieldDifference>& differences);
};

}  // namespace kr4100
