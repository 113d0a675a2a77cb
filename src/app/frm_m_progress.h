// The progress window of a group write: the percentage of the radio in transfer and which radio
// of how many it is. Closing it while the run goes on ends the run.
#pragma once

#include <QDialog>
#include <functional>

#include "app_context.h"

class QLabel;
class QProgressBar;

namespace kr4100 {

class frmMProgress : public QDialog {
  Q_OBJECT
 public:
  frmMProgress(AppContext& ctx, int radiosToWrite, QWidget* parent = nullptr);

  void reCaption();
  void setPercent(int percent);
  // Radio n is in transfer (or awaited); its percentage starts again at 0.
  void setRadioNumber(int radioNumber);
  void setSearching(bool on);

  // The user closed the window while the run goes on.
  std::function<void()> onUserClose;

 public slots:
  void reject() override;

 private:
  AppContext& ctx_;
  bool searching_ = false;
  QLabel* label1_ = nullptr;
  QLabel* label2_ = nullptr;
  QLabel* label3_ = nullptr;
  QLabel* label4_ = nullptr;
  QProgressBar* progressBar1_ = nullptr;
  QProgressBar* progressBar2_ = nullptr;
};

}  // namespace kr4100
