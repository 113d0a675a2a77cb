// The FleetSync window: the radio's own fleet and ID, the data settings, and the fleet list of up
// to eight fleet/ID pairs. Every pick and every committed cell goes straight into the working
// record.
#pragma once

#include <QWidget>

#include "core/config/document.h"
#include "gui/pending_edits.h"
#include "gui/ui_context.h"

namespace kr4100 {

class FrmFleetSync : public QWidget, public DocumentObserver, public PendingEdits {
  Q_OBJECT
 public:
  explicit FrmFleetSync(UiContext& ctx, QWidget* parent = nullptr);
  ~FrmFleetSync() override;

  void reCaption();   // every caption in the language in force, and the data shown again
  void ReShowData();  // lists, check box and grid from the working record
  void commitPendingEdit() override;  // the open cell of the fleet list

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void documentReplaced() override { ReShowData(); }

  class Impl;
  Impl* d_;
};

}  // namespace kr4100
