// The progress window of a read or a write: caption, "Completion percentage:" and the bar with its
// percentage. It looks modal but never blocks: the session runs on the event loop behind it.
#pragma once

#include <QDialog>
#include <functional>

#include "app_context.h"
#include "link/session_host.h"

class QLabel;
class QProgressBar;

namespace kr4100 {

class FrmProgress : public QDialog {
  Q_OBJECT
 public:
  // kind: SessionKind::Read or SessionKind::Write (the caption follows it).
  FrmProgress(AppContext& ctx, SessionKind kind, QWidget* parent = nullptr);

  void reCaption();
  void setPercent(int percent);
  // The port search runs: the caption says so until it ends.
  void setSearching(bool on);

  // The user closed the window (title-bar button, Escape) while the session runs.
  std::function<void()> onUserClose;

 public slots:
  void reject() override;

 private:
  AppContext& ctx_;
  SessionKind kind_;
  bool searching_ = false;
  QLabel* label1_ = nullptr;
  QLabel* label2_ = nullptr;
  QProgressBar* progressBar1_ = nullptr;
};

}  // namespace kr4100
