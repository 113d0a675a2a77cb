// SPDX-License-Identifier: GPL-3.0-or-later
// The port dialog: which serial port every radio session uses. The list follows the ports the
// system has while the dialog is open (adapters come and go); "Find My Cable..." picks the port
// that appears as the cable is plugged in, and a note under the list says what stands in the
// way of the chosen port (a service that takes USB adapters, a slow adapter).
#pragma once

#include <QStringList>
#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "app/field_dialog.h"
#include "core/serial/port_description.h"
#include "core/serial/port_watch.h"

class QComboBox;
class QPushButton;
class QTimer;

namespace kr4100 {

class FrmComSet : public FieldDialog {
  Q_OBJECT
 public:
  // listPorts gives the ports as sessions open them, in the system's order, with what the system
  // knows of each (the list shows that; the settings keep the port alone).
  using PortLister = std::function<std::vector<PortDescription>()>;
  FrmComSet(UiContext& ctx, PortLister listPorts, QWidget* parent = nullptr);

  void reCaption() override;
  // The timer's tick: lists the ports again, keeping the chosen one while it exists, and takes
  // the cable search one look further.
  void refreshPorts();
  // OK: stores the chosen port in the settings and the settings file, then closes.
  void confirm() override;
  // The port chosen at this moment, as sessions open it (empty: none).
  QString chosenPort() const { return portId_; }
  // Find My Cable: asks for the cable to be unplugged, then watches for its port; pressed again
  // while watching, stops.
  void findCable();
  // Where the braille-display service's rules are looked for (tests give their own).
  void setUdevRuleDirs(std::vector<std::filesystem::path> dirs) { udevRuleDirs_ = std::move(dirs); }

 public slots:
  void done(int result) override;

 private:
  void fillList(const std::vector<PortDescription>& ports);
  void choose(const QStringList& wanted);
  void searchEnded(CableSearch result);
  void showNote();
  QString claimAdvice() const;
  QString labels(const std::vector<PortDescription>& ports) const;

  PortLister listPorts_;
  std::vector<PortDescription> listed_;
  QString portId_;
  QLabel* label1_ = nullptr;
  QComboBox* combo1_ = nullptr;
  QPushButton* findCable_ = nullptr;
  QLabel* note_ = nullptr;
  QString searchNote_;  // what the last cable search found; empty: none made
  QTimer* reShowComPortTimer_ = nullptr;
  std::optional<CableFinder> finder_;
  std::chrono::milliseconds searched_{0};
  std::vector<std::filesystem::path> udevRuleDirs_;
};

}  // namespace kr4100
