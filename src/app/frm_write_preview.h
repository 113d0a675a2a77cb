// SPDX-License-Identifier: GPL-3.0-or-later
// The write confirmation when the radio's last read is known: what the write changes in the
// radio, listed as Compare with File lists differences, with Write and Cancel.
#pragma once

#include <QDialog>

#include "app/differences_table.h"
#include "core/link/write_preview.h"

class QLabel;
class QPushButton;

namespace kr4100 {

class UiContext;

class FrmWritePreview final : public QDialog {
  Q_OBJECT
 public:
  FrmWritePreview(UiContext& ctx, const WritePreview& preview, QWidget* parent);

  DifferencesTable* table() const { return table_; }
  QLabel* question() const { return question_; }

 private:
  QLabel* question_;
  DifferencesTable* table_;
  QPushButton* write_;
  QPushButton* cancel_;
};

// Modal; true when the user chose Write.
bool RunWritePreview(UiContext& ctx, const WritePreview& preview, QWidget* parent);

}  // namespace kr4100
