// SPDX-License-Identifier: GPL-3.0-or-later
// The embedded message window: the two texts the radio keeps, each stored in the working record
// when its box loses the focus, and whenever the main window asks before writing or saving.
#pragma once

#include <QWidget>
#include <memory>

#include "gui/editor_window.h"

namespace kr4100 {

class FrmEmbMsg : public QWidget, public EditorWindow {
  Q_OBJECT
 public:
  explicit FrmEmbMsg(UiContext& ctx, QWidget* parent = nullptr);
  ~FrmEmbMsg() override;

  void reCaption() override;
  void ReShowData() override;         // both boxes show the record's messages again
  void commitPendingEdit() override;  // both boxes are stored, typed or not

 private:
  class Impl;
  std::unique_ptr<Impl> d_;
};

}  // namespace kr4100
