// SPDX-License-Identifier: GPL-3.0-or-later
// The channel grid: one group of 60 channel rows edited in place, the group, band and emergency
// channel lists beside it. Every change goes into the working record through the document.
#pragma once

#include <QWidget>
#include <memory>

#include "gui/document_commands.h"
#include "gui/editor_window.h"

class QMenu;

namespace kr4100 {

class frmCommChInfo : public QWidget, public EditorWindow {
  Q_OBJECT
 public:
  frmCommChInfo(UiContext& ctx, DocumentCommands& commands, QWidget* parent = nullptr);
  ~frmCommChInfo() override;

  void reCaption() override;          // ChangShowByLanguage
  void commitPendingEdit() override;  // what an open in-place editor holds goes into the record
  // The commands on the chosen rows, for the main window's Edit menu.
  void addChannelCommandsTo(QMenu* menu);

 protected:
  void showEvent(QShowEvent* event) override;
  // The grid's clipboard and its row selection by channel number (see the .cpp).
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // DocumentObserver
  void channelChanged(int chNum) override;
  void channelSetChanged() override;
  void documentReplaced() override;

  class Impl;
  std::unique_ptr<Impl> d_;
};

}  // namespace kr4100
