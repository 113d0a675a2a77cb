// The adjustment window of one item: a page per point with slider, value box and bar, or for the
// measured items one polled value. Closing stores the item's values; Cancel puts back the ones
// the window opened with.
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
  void showValues();
  void showLamp();

  UiContext& ctx_;
  AdjustmentPanel adjustment_;
  bool cancel_ = false;

  QTabWidget* tabs_ = nullptr;
  QSlider* slider_[kAdjustTabCount] = {};
  QLineEdit* text_[kAdjustTabCount] = {};
  QProgressBar* bar_[kAdjustTabCount] = {};
  QGroupBox* framePoll_ = nullptr;
  QLineEdit* textPoll_ = nullptr;
  QProgressBar* barPoll_ = nullptr;
  QPushButton* commandStart_ = nullptr;
  QPushButton* commandOk_ = nullptr;
  QPushButton* commandCancel_ = nullptr;
  QPushButton* commandPtt_ = nullptr;
  TestModeLamp* lamp_ = nullptr;
  QTimer* timerPoll_ = nullptr;
};

}  // namespace kr4100
