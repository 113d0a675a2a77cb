// The radio-information window: shows the model, band and serial number the document's ModelInfo
// holds after a radio-information read. Nothing is written back.
#pragma once

#include <QDialog>

#include "gui/ui_context.h"

namespace kr4100 {

class FrmRadioInfo : public QDialog {
  Q_OBJECT
 public:
  explicit FrmRadioInfo(UiContext& ctx, QWidget* parent = nullptr);
  ~FrmRadioInfo() override;

  void reCaption();
  void ShowData();  // ModelInfo as it is now

 private:
  class Impl;
  Impl* d_;
};

}  // namespace kr4100
