// The port dialog: which serial port every radio session uses. The list follows the ports the
// system has while the dialog is open (adapters come and go).
#pragma once

#include <QStringList>
#include <functional>
#include <vector>

#include "app/field_dialog.h"
#include "core/serial/port_description.h"

class QComboBox;
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
  // The timer's tick: lists the ports again, keeping the chosen one while it exists.
  void refreshPorts();
  // OK: stores the chosen port in the settings and the settings file, then closes.
  void confirm() override;
  // The port chosen at this moment, as sessions open it (empty: none).
  QString chosenPort() const { return portId_; }

 public slots:
  void done(int result) override;

 private:
  void fillList();
  void choose(const QStringList& wanted);

  PortLister listPorts_;
  QString portId_;
  QLabel* label1_ = nullptr;
  QComboBox* combo1_ = nullptr;
  QTimer* reShowComPortTimer_ = nullptr;
};

}  // namespace kr4100
