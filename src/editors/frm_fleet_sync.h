// SPDX-License-Identifier: GPL-3.0-or-later
// The FleetSync window: the radio's own fleet and ID, the data settings, and the fleet list of up
// to eight fleet/ID pairs. Every pick and every committed cell goes into the working record
// through the document.
#pragma once

#include <QWidget>
#include <memory>

#include "gui/editor_window.h"

namespace kr4100 {

class FrmFleetSync : public QWidget, public EditorWindow {
  Q_OBJECT
 public:
  explicit FrmFleetSync(UiContext& ctx, QWidget* parent = nullptr);
  ~FrmFleetSync() override;

  void reCaption() override;   // every caption in the language in force, and the data shown again
  void ReShowData() override;  // lists, check box and grid from the working record
  void commitPendingEdit() override;  // the open cell of the fleet list

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  class Impl;
  std::unique_ptr<Impl> d_;
};

}  // namespace kr4100
