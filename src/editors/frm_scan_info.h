// The scan information window: priority mode and channel, the look-back times, the revert rule
// and the dropout and dwell times. Every pick goes straight into the working record.
#pragma once

#include <QWidget>

#include "core/config/document.h"
#include "gui/ui_context.h"

namespace kr4100 {

class FrmScanInfo : public QWidget, public DocumentObserver {
  Q_OBJECT
 public:
  explicit FrmScanInfo(UiContext& ctx, QWidget* parent = nullptr);
  ~FrmScanInfo() override;

  // Fills every list again from the working record (a new document, a file, a read).
  void ReShowData();

 private:
  // DocumentObserver
  void channelSetChanged() override;
  void documentReplaced() override;

  class Impl;
  Impl* d_;
};

}  // namespace kr4100
