// SPDX-License-Identifier: GPL-3.0-or-later
// The scan information window: priority mode and channel, the look-back times, the revert rule
// and the dropout and dwell times. Every pick goes into the working record through the document.
#pragma once

#include <QWidget>
#include <memory>

#include "gui/editor_window.h"

namespace kr4100 {

class FrmScanInfo : public QWidget, public EditorWindow {
  Q_OBJECT
 public:
  explicit FrmScanInfo(UiContext& ctx, QWidget* parent = nullptr);
  ~FrmScanInfo() override;

  void reCaption() override;
  // Fills every list again from the working record (a new document, a file, a read).
  void ReShowData() override;

 private:
  // DocumentObserver
  void channelSetChanged() override;
  void documentReplaced() override;

  class Impl;
  std::unique_ptr<Impl> d_;
};

}  // namespace kr4100
