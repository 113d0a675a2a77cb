// SPDX-License-Identifier: GPL-3.0-or-later
// The test frequency window: sixteen numbered rows of receive and transmit frequencies, edited
// in place; each cell is stored in the working record when the box leaves it.
#pragma once

#include <QWidget>
#include <memory>

#include "gui/editor_window.h"

namespace kr4100 {

class FrmTestFre : public QWidget, public EditorWindow {
  Q_OBJECT
 public:
  explicit FrmTestFre(UiContext& ctx, QWidget* parent = nullptr);
  ~FrmTestFre() override;

  void reCaption() override;
  void ReShowData() override;         // every row shows the record's test frequencies again
  void commitPendingEdit() override;  // the open cell is stored, typed into or not

 private:
  class Impl;
  std::unique_ptr<Impl> d_;
};

}  // namespace kr4100
