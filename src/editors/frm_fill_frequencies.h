// SPDX-License-Identifier: GPL-3.0-or-later
// The channel grid's "Fill Frequencies" dialog: a start frequency, a step and a TX offset, for
// the chosen rows or for a number of new channels. It only asks; the core works out the fill.
#pragma once

#include <QDialog>
#include <optional>

#include "core/config/channel_bulk.h"
#include "gui/ui_context.h"

class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace kr4100 {

struct FillRequest {
  FillSteps steps;
  bool newChannels = false;  // false: over the chosen rows
  int count = 1;             // new channels
};

class FrmFillFrequencies : public QDialog {
  Q_OBJECT
 public:
  // start: the display text the start field opens with.
  FrmFillFrequencies(UiContext& ctx, const QString& start, QWidget* parent = nullptr);

  // What the user asked for, once the dialog was accepted.
  const std::optional<FillRequest>& request() const { return request_; }

  // Only with what a fill can take in every box; otherwise the user is told and the box to put
  // right has the focus.
  void accept() override;

 private:
  UiContext& ctx_;
  QLineEdit* start_ = nullptr;
  QLineEdit* step_ = nullptr;
  QLineEdit* offset_ = nullptr;
  QRadioButton* overRows_ = nullptr;
  QRadioButton* newChannels_ = nullptr;
  QSpinBox* count_ = nullptr;
  std::optional<FillRequest> request_;
};

}  // namespace kr4100
