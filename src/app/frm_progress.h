// SPDX-License-Identifier: GPL-3.0-or-later
// The progress window of a read or a write: caption, "Completion percentage:" and the bar with its
// percentage.
#pragma once

#include "core/link/session_host.h"
#include "app/progress_window.h"

namespace kr4100 {

class FrmProgress : public ProgressWindow {
  Q_OBJECT
 public:
  // kind: SessionKind::Read or SessionKind::Write (the caption follows it).
  FrmProgress(UiContext& ctx, SessionKind kind, QWidget* parent = nullptr);
};

}  // namespace kr4100
