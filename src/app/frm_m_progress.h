// SPDX-License-Identifier: GPL-3.0-or-later
// The progress window of a group write: the percentage of the radio in transfer and which radio
// of how many it is. Closing it while the run goes on ends the run.
#pragma once

#include "app/progress_window.h"

namespace kr4100 {

class frmMProgress : public ProgressWindow {
  Q_OBJECT
 public:
  frmMProgress(UiContext& ctx, int radiosToWrite, QWidget* parent = nullptr);

  // Radio n is in transfer (or awaited); its percentage starts again at 0.
  void setRadioNumber(int radioNumber);
  // How many radios have succeeded and failed so far (a verify difference counts as failed).
  void setCounts(int succeeded, int failed);

 protected:
  void reCaptionRows() override;

 private:
  QLabel* label3_ = nullptr;
  QLabel* label4_ = nullptr;
  QProgressBar* progressBar2_ = nullptr;
  QLabel* counts_ = nullptr;
  int succeeded_ = 0;
  int failed_ = 0;
};

}  // namespace kr4100
