// SPDX-License-Identifier: GPL-3.0-or-later
// The test mode window: test channel and signalling, wide/narrow, PTT, and the item to tune.
// It acts through the test-mode driver; the main window passes the driver's events on to it.
#pragma once

#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <span>
#include <vector>

#include "core/testmode/test_mode_panel.h"
#include "gui/ui_context.h"
#include "testmode/frm_test_mode_para.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTimer;

namespace kr4100 {

class TestModeLamp;

class FrmTestMode : public QWidget {
  Q_OBJECT
 public:
  FrmTestMode(TestModeDriver& driver, UiContext& ctx, QWidget* parent = nullptr);
  ~FrmTestMode() override;

  // A modeless window that deletes itself on close, where closing leaves test mode. (The main
  // window's test-mode session owns its window instead, so that it never outlives the driver.)
  static FrmTestMode* open(TestModeDriver& driver, UiContext& ctx, QWidget* parent);

  void reCaption();

  // The driver's events, passed on by the main window's test-mode host.
  void tuned(std::span<const std::uint8_t> block);
  void valuesArrived(std::span<const std::uint8_t> values);
  void polled(int value);
  // Test mode is over (left, cancelled, port lost): both windows close, sending nothing.
  void ended();

  TestModePanel& panel() { return panel_; }
  FrmTestModePara* para() const { return para_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void build();
  void createControls();
  void createListFrame(QGroupBox*& frame, QLabel*& label, QComboBox*& combo, int k,
                       const char* frameName, const char* labelName, const char* comboName);
  void layOut();
  void connectControls();
  void showChannel();
  void showSignalling();
  void showState();  // pictures, lamp, PTT button and Tuning from the panel
  void openPara();

  UiContext& ctx_;
  TestModePanel panel_;
  std::vector<std::uint8_t> block_;
  QPointer<FrmTestModePara> para_;
  QTimer* paraTimer_ = nullptr;

  QGroupBox* channelFrame_ = nullptr;
  QGroupBox* signallingFrame_ = nullptr;
  QLabel* channelLabel_ = nullptr;
  QLabel* signallingLabel_ = nullptr;
  QComboBox* channelCombo_ = nullptr;
  QComboBox* signallingCombo_ = nullptr;
  QLabel* rxLabels_[2] = {};  // captions: channel, signalling
  QLabel* txLabels_[2] = {};
  QLabel* rxTexts_[2] = {};  // the frequencies / signalling texts
  QLabel* txTexts_[2] = {};
  QListWidget* itemList_ = nullptr;
  QPushButton* wideButton_ = nullptr;
  QPushButton* narrowButton_ = nullptr;
  QPushButton* tuningButton_ = nullptr;
  QPushButton* pttButton_ = nullptr;
  QPushButton* printButton_ = nullptr;
  QPushButton* closeButton_ = nullptr;
  QLabel* releasedPictures_[2] = {};
  QLabel* transmittingPictures_[2] = {};
  QLabel* widePicture_ = nullptr;
  QLabel* narrowPicture_ = nullptr;
  TestModeLamp* lamp_ = nullptr;
};

}  // namespace kr4100
