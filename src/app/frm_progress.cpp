// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frm_progress.h"

namespace kr4100 {

FrmProgress::FrmProgress(UiContext& ctx, SessionKind kind, QWidget* parent)
    : ProgressWindow(ctx, "FrmProgress",
                     kind == SessionKind::Write ? MessageId::WriteCaption : MessageId::ReadCaption,
                     parent) {
  fixSize();
}

}  // namespace kr4100
