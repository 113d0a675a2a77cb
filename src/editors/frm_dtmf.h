// SPDX-License-Identifier: GPL-3.0-or-later
// The DTMF window: encode and decode settings, the stun code and the autodial memory, each
// stored in the working record as it is chosen or its box is left.
#pragma once

#include <QWidget>
#include <memory>

#include "gui/editor_window.h"

namespace kr4100 {

class FrmDTMF : public QWidget, public EditorWindow {
  Q_OBJECT
 public:
  explicit FrmDTMF(UiContext& ctx, QWidget* parent = nullptr);
  ~FrmDTMF() override;

  void reCaption() override;   // every text in the language in force, then the data again
  void ReShowData() override;  // every control shows the record again; the cell editor closes
  void commitPendingEdit() override;  // the two boxes and an open grid cell are stored

 private:
  class Impl;
  std::unique_ptr<Impl> d_;
};

}  // namespace kr4100
