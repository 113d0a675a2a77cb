// SPDX-License-Identifier: GPL-3.0-or-later
// The set-radio-information window (modal): edits the model, band, serial number (programming
// date) and version of the document's ModelInfo, fills the date from the computer's clock, and
// starts the radio-information read and write. Its values go into the record on Write and when
// it closes.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>

#include "core/config/calendar_date.h"
#include "gui/editor_window.h"

namespace kr4100 {

class FrmRadioInfoSet : public QDialog, public EditorWindow {
  Q_OBJECT
 public:
  explicit FrmRadioInfoSet(UiContext& ctx, QWidget* parent = nullptr);
  ~FrmRadioInfoSet() override;

  void reCaption() override;
  void ShowData();   // ModelInfo as it is now
  void StoreData();  // the window's values into ModelInfo

  // Test seam: where Time Sync takes today's date from; the computer's clock unless a test sets
  // its own.
  void setToday(std::function<CalendarDate()> today);

 signals:
  // For whoever opened the window: Read asks for the radio-information read, Write for the
  // write, after the window's values are stored.
  void readRequested();
  void writeRequested();

 protected:
  void done(int result) override;

 private:
  class Impl;
  std::unique_ptr<Impl> d_;
};

}  // namespace kr4100
