// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/differences_table.h"

#include <QHeaderView>
#include <array>

#include "gui/ui_context.h"

namespace kr4100 {
namespace {

constexpr Bilingual kPlace{"Place", "位置"};
constexpr Bilingual kField{"Field", "字段"};

}  // namespace

DifferencesTable::DifferencesTable(const UiContext& ctx, const Bilingual& a, const Bilingual& b,
                                   const Bilingual& accessibleName, QWidget* parent)
    : QTableWidget(0, 4, parent) {
  setObjectName(QStringLiteral("GridDifferences"));
  setAccessibleName(ctx.pick(accessibleName));
  setHorizontalHeaderLabels({ctx.pick(kPlace), ctx.pick(kField), ctx.pick(a), ctx.pick(b)});
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setTabKeyNavigation(false);  // Tab leaves the table for the buttons
  verticalHeader()->hide();
  horizontalHeader()->setStretchLastSection(true);
}

void DifferencesTable::setDifferences(const std::vector<FieldDifference>& differences) {
  setRowCount(static_cast<int>(differences.size()));
  for (int row = 0; row < rowCount(); ++row) {
    const FieldDifference& d = differences[static_cast<std::size_t>(row)];
    const std::array<const std::string*, 4> cells{&d.place, &d.name, &d.a, &d.b};
    for (int col = 0; col < 4; ++col)
      setItem(row, col,
              new QTableWidgetItem(QString::fromUtf8(*cells[static_cast<std::size_t>(col)])));
  }
  resizeColumnsToContents();
  if (rowCount() > 0) setCurrentCell(0, 0);
}

}  // namespace kr4100
