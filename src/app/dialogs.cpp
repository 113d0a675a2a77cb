// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs.h"

#include "app/frm_about.h"
#include "app/frm_com_set.h"
#include "app/frm_model_info.h"
#include "app/frm_print_select.h"
#include "app/frm_set_language.h"

namespace kr4100 {

bool RunFrmSetLanguage(UiContext& ctx, QWidget* parent) {
  FrmSetLanguage dialog(ctx, parent);
  dialog.exec();
  return dialog.languageChanged();
}

void RunFrmComSet(UiContext& ctx, QWidget* parent,
                  std::function<std::vector<PortDescription>()> listPorts) {
  FrmComSet dialog(ctx, std::move(listPorts), parent);
  dialog.exec();
}

bool RunFrmModelInfo(UiContext& ctx, QWidget* parent) {
  FrmModelInfo dialog(ctx, parent);
  dialog.exec();
  return dialog.modelChanged();
}

void RunAbout(UiContext& ctx, QWidget* parent) {
  frmAbout dialog(ctx, frmAbout::Variant::Program, parent);
  dialog.exec();
}

void RunPrintSelection(UiContext& ctx, QWidget* parent) {
  FrmPrintSelect dialog(ctx, parent);
  dialog.exec();
}

}  // namespace kr4100
