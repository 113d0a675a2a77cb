// SPDX-License-Identifier: GPL-3.0-or-later
// A window that may hold typed input not yet in the record. The main window asks every open one
// before it writes to the radio, saves, prints or closes, so that no input is lost.
#pragma once

namespace kr4100 {

class PendingEdits {
 public:
  virtual ~PendingEdits() = default;
  virtual void commitPendingEdit() = 0;  // what the window holds goes into the working record
};

}  // namespace kr4100
