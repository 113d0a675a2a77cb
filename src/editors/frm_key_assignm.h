// The key assignment window: the functions of the programmable keys PF1 and PF2, each stored in
// the working record as soon as it is chosen.
#pragma once

#include <QWidget>

#include "gui/pending_edits.h"
#include "gui/ui_context.h"

namespace kr4100 {

class FrmKeyAssignm : public QWidget, public DocumentObserver, public PendingEdits {
  Q_OBJECT
 public:
  explicit FrmKeyAssignm(UiContext& ctx, QWidget* parent = nullptr);
  ~FrmKeyAssignm() override;

  void reCaption();  // every text in the language in force, the lists refilled
  void ReShowData();  // both lists show the record's codes again
  void commitPendingEdit() override;  // the list with the focus stores its choice

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void documentReplaced() override { ReShowData(); }

  class Impl;
  Impl* d_;
};

}  // namespace kr4100
