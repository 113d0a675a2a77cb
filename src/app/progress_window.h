// SPDX-License-Identifier: GPL-3.0-or-later
// What the two progress windows share: a fixed, application-modal window whose caption says what
// runs (or that the port search runs), "Completion percentage:" with its figure and bar, and a
// close that tells whoever runs the session. It never blocks: the session runs on the event loop.
#pragma once

#include <QDialog>

#include "gui/ui_context.h"

class QGridLayout;
class QLabel;
class QProgressBar;

namespace kr4100 {

class ProgressWindow : public QDialog {
  Q_OBJECT
 public:
  void reCaption();
  void setPercent(int percent);
  // The port search runs: the caption says so until it ends.
  void setSearching(bool on);
  // The caption outside a search (a write's read-back shows its own).
  void setCaption(MessageId caption);
  // A line below the bar for what the user should know while the session runs.
  void setNote(const QString& text);

 public slots:
  void reject() override;

 signals:
  // The user closed the window (title-bar button, Escape) while the session runs.
  void userClosed();

 protected:
  ProgressWindow(UiContext& ctx, const char* name, MessageId caption, QWidget* parent);
  // Rows below the percentage go here, from row 2 on.
  QGridLayout* grid() const { return layout_; }
  // Called once the rows are in: the window takes its fixed size.
  void fixSize();
  // A figure label (right of its caption, wide enough for "100%").
  QLabel* figureLabel(const char* name);
  QLabel* captionLabel(const char* name);
  virtual void reCaptionRows() {}

  UiContext& ctx_;

 private:
  MessageId caption_;
  bool searching_ = false;
  QGridLayout* layout_ = nullptr;
  QLabel* label1_ = nullptr;
  QLabel* label2_ = nullptr;
  QProgressBar* progressBar1_ = nullptr;
  QLabel* note_ = nullptr;
};

}  // namespace kr4100
