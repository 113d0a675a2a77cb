// SPDX-License-Identifier: GPL-3.0-or-later
// The document beside a data file: every setting in which the working record and the file
// differ, by place and field, with both values, in the language in force.
#pragma once

#include <QDialog>

#include "app/differences_table.h"

class QLabel;
class QPushButton;

namespace kr4100 {

class UiContext;

class FrmCompareFile final : public QDialog {
  Q_OBJECT
 public:
  // Opens the file as Open would and lists the differences; a refused file shows why instead.
  FrmCompareFile(UiContext& ctx, const QString& path, QWidget* parent);

  DifferencesTable* table() const { return table_; }
  QLabel* summary() const { return summary_; }

 private:
  DifferencesTable* table_;
  QLabel* summary_;
  QPushButton* close_;
};

}  // namespace kr4100
