// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor_areas.h"

#include "core/config/dtmf_edit.h"
#include "core/config/embedded_message.h"
#include "core/config/fleet_sync_edit.h"
#include "core/config/key_tables.h"
#include "core/config/option_tables.h"
#include "core/config/scan_tables.h"
#include "editors/frm_comm_ch_info.h"
#include "editors/frm_dtmf.h"
#include "editors/frm_emb_msg.h"
#include "editors/frm_fleet_sync.h"
#include "editors/frm_key_assignm.h"
#include "editors/frm_opt_features.h"
#include "editors/frm_scan_info.h"
#include "editors/frm_test_fre.h"

namespace kr4100 {
namespace {

constexpr Bilingual kChannelsTitle{"Channel Information", "信道信息"};
// The comparison names the option features' differences by this shorter place.
constexpr Bilingual kOptionSection{"Option", "选项"};

template <class Window>
QWidget* Make(UiContext& ctx, DocumentCommands&) {
  return new Window(ctx);
}

using S = ShellText;
using P = PrintPage;
const EditorArea kAreas[] = {
    {"frmCommChInfo", S::mnuChannelInfo, "mnuChannelInfo", "N1", false, P::Channels,
     &kChannelsTitle, &kChannelsTitle,
     [](UiContext& ctx, DocumentCommands& commands) -> QWidget* {
       return new frmCommChInfo(ctx, commands);
     }},
    {"FrmOptFeatures", S::mnuOptFeature, "mnuOptFeature", "N2", false, P::OptFeatures,
     &kOptFeaturesCaption, &kOptionSection, &Make<FrmOptFeatures>},
    {"FrmKeyAssignm", S::mnuKeyAssignm, "mnuKeyAssignm", nullptr, false, P::KeyAssign,
     &kKeyAssignCaption, &kKeyAssignCaption, &Make<FrmKeyAssignm>},
    {"FrmScanInfo", S::mnuScanInfo, "mnuScanInfo", nullptr, false, P::ScanInfo, &kScanInfoCaption,
     &kScanInfoCaption, &Make<FrmScanInfo>},
    {"FrmDTMF", S::mnuDTMF, "mnuDTMF", "N5", true, std::nullopt, nullptr, &kDtmfCaption,
     &Make<FrmDTMF>},
    {"FrmFleetSync", S::mnuFleetSync, "mnuFleetSync", "N6", true, std::nullopt, nullptr,
     &kFleetSyncCaption, &Make<FrmFleetSync>},
    // Its differences are named by row, not by a section of their own.
    {"FrmTestFre", S::mnuTestFre, "mnuTestFre", "N7", true, std::nullopt, nullptr, nullptr,
     &Make<FrmTestFre>},
    {"FrmEmbMsg", S::mnuEmbeddedMsg, "mnuEmbeddedMsg", "N8", false, P::EmbMsg, &kEmbMsgCaption,
     &kEmbMsgCaption, &Make<FrmEmbMsg>},
};

}  // namespace

std::span<const EditorArea> EditorAreas() {
  return kAreas;
}

const EditorArea* AreaOfTreeKey(const QString& key) {
  for (const EditorArea& area : kAreas)
    if (area.treeKey && key == QLatin1String(area.treeKey)) return &area;
  return nullptr;
}

const EditorArea* AreaOfPrintPage(PrintPage page) {
  for (const EditorArea& area : kAreas)
    if (area.printPage == page) return &area;
  return nullptr;
}

}  // namespace kr4100
