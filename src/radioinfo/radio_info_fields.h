// SPDX-License-Identifier: GPL-3.0-or-later
// The controls both radio-information windows share: the model-type and band lists and the
// serial-number (date) box with their labels, as a form, and how they show ModelInfo.
#pragma once

#include <QString>
#include <string>

#include "core/config/radio_info_edit.h"
#include "gui/ui_context.h"

class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QWidget;

namespace kr4100 {

class RadioInfoFields {
 public:
  RadioInfoFields(QWidget* window, UiContext& ctx);

  void reCaption();
  void show(const RadioInfoView& view);
  // A model type was chosen: its bands, the first one selected.
  void rebuildBands();

  QFormLayout* form = nullptr;
  QLabel* modelLabel = nullptr;
  QLabel* bandLabel = nullptr;
  QLabel* dateLabel = nullptr;  // "Serial Number": the programming date
  QComboBox* modelCombo = nullptr;
  QComboBox* bandCombo = nullptr;
  QLineEdit* dateBox = nullptr;

 private:
  UiContext& ctx_;
};

// The record's fixed texts byte for byte, so that what is shown stores back unchanged; typing
// puts nothing but ASCII into them.
QString FieldText(const std::string& bytes);
std::string FieldBytes(const QString& text);

// Labels name their controls for assistive tools as they do on screen.
void SetLabelText(QLabel* label, const QString& text);

}  // namespace kr4100
