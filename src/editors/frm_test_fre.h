// The test frequency window: sixteen numbered rows of receive and transmit frequencies, edited
// in place; each cell is stored in the working record when the box leaves it.
#pragma once

#include <QWidget>

#include "core/config/document.h"
#include "gui/pending_edits.h"
#include "gui/ui_context.h"

namespace kr4100 {

class FrmTestFre : public QWidget, public DocumentObserver, public PendingEdits {
  Q_OBJECT
 public:
  explicit FrmTestFre(UiContext& ctx, QWidget* parent = nullptr);
  ~FrmTestFre() override;

  void reCaption();
  void ReShowData();                  // every row shows the record's test frequencies again
  void commitPendingEdit() override;  // the open cell is stored, typed into or not

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void documentReplaced() override { ReShowData(); }

  class Impl;
  Impl* d_;
};

}  // namespace kr4100
