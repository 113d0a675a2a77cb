// SPDX-License-Identifier: GPL-3.0-or-later
// The adjustment window of one item: a page per point with slider, value box and bar, or for the
// measured items one polled value. Closing stores the points the user moved; Cancel puts back
// what the radio had for them.
#pragma once

#include <QWidget>
#include <cstdint>
#include <span>

#include "core/testmode/adjustment_panel.h"
#include "gui/ui_context.h"

class QGroupBox;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSlider;
class QTabWidget;
class QTimer;

namespace kr4100 {

class TestModeLamp;

class FrmTestModePara : public QWidget {
  Q_OBJECT
 public:
  // Modal over the test mode window while it is open; deletes itself on close.
  FrmTestModePara(TestModePanel& panel, std::span<const std::uint8_t> block, UiContext& ctx,
                  QWidget* parent);

  void reCaption();
  void valuesArrived(std::span<const std::uint8_t> values);
  void polled(int value);

  AdjustmentPanel& adjustment() { return adjustment_; }

  static constexpr int kPollIntervalMs = 500;

 signals:
  void closed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void build();
  void createPages();
  void createPollFrame();
  void createButtons();
  void layOut();
  void connectControls();
  void showValues();
  void showLamp();

  UiContext& ctx_;
  AdjustmentPanel adjustment_;
  bool cancel_ = false;

  QTabWidget* tabs_ = nullptr;
  QSlider* sliders_[kAdjustTabCount] = {};
  QLineEdit* valueBoxes_[kAdjustTabCount] = {};
  QProgressBar* bars_[kAdjustTabCount] = {};
  QGroupBox* pollFrame_ = nullptr;
  QLineEdit* pollText_ = nullptr;
  QProgressBar* pollBar_ = nullptr;
  QPushButton* startButton_ = nullptr;
  QPushButton* okButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
  QPushButton* pttButton_ = nullptr;
  TestModeLamp* lamp_ = nullptr;
  QTimer* pollTimer_ = nullptr;
};

}  // namespace kr4100
