// SPDX-License-Identifier: GPL-3.0-or-later
// The key assignment window: the functions of the programmable keys PF1 and PF2, each stored in
// the working record as soon as it is chosen.
#pragma once

#include <QWidget>
#include <memory>

#include "gui/editor_window.h"

namespace kr4100 {

class FrmKeyAssignm : public QWidget, public EditorWindow {
  Q_OBJECT
 public:
  explicit FrmKeyAssignm(UiContext& ctx, QWidget* parent = nullptr);
  ~FrmKeyAssignm() override;

  void reCaption() override;          // every text in the language in force, the lists refilled
  void ReShowData() override;         // both lists show the record's codes again
  void commitPendingEdit() override;  // the list with the focus stores its choice

 private:
  class Impl;
  std::unique_ptr<Impl> d_;
};

}  // namespace kr4100
