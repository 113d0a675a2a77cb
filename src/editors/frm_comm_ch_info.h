// The channel grid: one group of 60 channel rows edited in place, the group, band and emergency
// channel lists beside it. Every change goes straight into the working record.
#pragma once

#include <QWidget>

#include "gui/document_commands.h"
#include "gui/ui_context.h"

namespace kr4100 {

class frmCommChInfo : public QWidget, public DocumentObserver {
  Q_OBJECT
 public:
  frmCommChInfo(UiContext& ctx, DocumentCommands& commands, QWidget* parent = nullptr);
  ~frmCommChInfo() override;

  void reCaption();               // texts in the current language
  void ReShowChInfoByLanguage();  // re-caption, then refill the grid
  void SetGridData2();            // refill grid and emergency lists from the record
  void reShowGrid(int row);       // one row of the current group
  void InitComboList();           // rebuild the six emergency-channel lists
  void commitPendingEdit();       // what an open in-place editor holds goes into the record

  // DocumentObserver
  void channelChanged(int chNum) override;
  void channelSetChanged() override;
  void documentReplaced() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  class Impl;
  Impl* d_;
};

}  // namespace kr4100
