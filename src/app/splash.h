// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up picture: shown for two seconds, or until it is clicked, then the main window.
#pragma once

#include <QWidget>
#include <functional>

#include "gui/ui_context.h"

class QLabel;
class QTimer;

namespace kr4100 {

class frmSplash : public QWidget {
  Q_OBJECT
 public:
  // done runs once, when the splash gives way (timer or click); the splash then closes itself.
  frmSplash(UiContext& ctx, std::function<void()> done, QWidget* parent = nullptr);

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void finish();

  std::function<void()> done_;
  QLabel* picture_ = nullptr;
  QTimer* timer_ = nullptr;
};

}  // namespace kr4100
