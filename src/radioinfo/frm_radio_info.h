// SPDX-License-Identifier: GPL-3.0-or-later
// The radio-information window: shows the model, band and serial number the document's ModelInfo
// holds after a radio-information read. Nothing is written back.
#pragma once

#include <QDialog>
#include <memory>

#include "gui/editor_window.h"

namespace kr4100 {

class RadioInfoFields;

class FrmRadioInfo : public QDialog, public EditorWindow {
  Q_OBJECT
 public:
  explicit FrmRadioInfo(UiContext& ctx, QWidget* parent = nullptr);
  ~FrmRadioInfo() override;

  void reCaption() override;
  void ShowData();  // ModelInfo as it is now

 private:
  std::unique_ptr<RadioInfoFields> fields_;
};

}  // namespace kr4100
