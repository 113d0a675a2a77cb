// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/frm_scan_info.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QStringList>
#include <QVBoxLayout>
#include <algorithm>

#include "core/config/model_band.h"
#include "core/config/scan_tables.h"
#include "core/texts/channel_texts.h"
#include "gui/key_filters.h"
#include "gui/twips.h"

namespace kr4100 {
namespace {

constexpr int kLabelGapTwips = 50;  // between each label and its list
constexpr int kVisibleItems = 16;   // the long time lists scroll rather than fill the screen

}  // namespace

class FrmScanInfo::Impl {
 public:
  Impl(FrmScanInfo* window, UiContext& context) : q(window), ctx(context) {}

  FrmScanInfo* q;
  UiContext& ctx;

  QComboBox* lists[kScanSettingCount] = {};  // by ScanSetting
  QLabel* listLabels[kScanSettingCount] = {};
  QLabel* channelHint = nullptr;  // groups that lack the fixed priority channel
  bool shown = false;  // the lists are filled and may be stored from

  Integer stored(ScanSetting setting) const {
    return q->record().ScanInfo[static_cast<std::size_t>(setting)];
  }
  QComboBox* list(ScanSetting setting) { return lists[static_cast<int>(setting)]; }
  // What the lists depend on, as the window shows it: a stored mode no item stands for works as
  // the mode the priority list shows.
  ScanListContext context() {
    return {ShownPriorityMode(stored(ScanSetting::Priority)),
            PriorityChannelCount(ctx.doc().state().modelText)};
  }

  void createControls();
  void fillList(ScanSetting setting, const ScanListContext& context);
  void showStored(ScanSetting setting, const ScanListContext& context);
  void ShowRevertList();
  void SetEnabled();
  void ShowChannelHint();
  void listPicked(int k, int index);
};

void FrmScanInfo::Impl::createControls() {
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(std::max(TwipsToPixels(kLabelGapTwips), 6));
  grid->setColumnStretch(1, 1);
  for (int k = 0; k < kScanSettingCount; ++k) {
    listLabels[k] = new QLabel(q);
    listLabels[k]->setObjectName(QStringLiteral("Label1_%1").arg(k));
    listLabels[k]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lists[k] = new QComboBox(q);
    lists[k]->setObjectName(QStringLiteral("Combo1_%1").arg(k));
    lists[k]->setMaxVisibleItems(kVisibleItems);
    listLabels[k]->setBuddy(lists[k]);
    EnterMovesFocus(lists[k]);
    grid->addWidget(listLabels[k], k, 0);
    grid->addWidget(lists[k], k, 1);
    // The user's pick only: showing a value must never store it.
    QObject::connect(lists[k], &QComboBox::activated, q, [this, k](int index) {
      q->guarded("FrmScanInfo_Combo1_Click", [&] { listPicked(k, index); });
    });
  }
  // Below the lists, so that a hint coming or going never moves them; its line is kept.
  channelHint = new QLabel(q);
  channelHint->setObjectName(QStringLiteral("LabelChannelHint"));
  channelHint->setWordWrap(true);
  channelHint->setMinimumHeight(q->fontMetrics().height());

  auto* bottom = q->closeAndHelpRow();

  auto* layout = new QVBoxLayout(q);
  layout->addLayout(grid);
  layout->addWidget(channelHint);
  layout->addStretch(1);
  layout->addLayout(bottom);
}

void FrmScanInfo::Impl::fillList(ScanSetting setting, const ScanListContext& context) {
  QComboBox* box = list(setting);
  const QSignalBlocker block(box);
  QStringList items;
  for (const std::string& text : ScanItemTexts(setting, context, ctx.language()))
    items << QString::fromStdString(text);
  box->clear();
  box->addItems(items);
}

// A value no item stands for shows the first item and stays stored until the user picks.
void FrmScanInfo::Impl::showStored(ScanSetting setting, const ScanListContext& context) {
  QComboBox* box = list(setting);
  const QSignalBlocker block(box);
  const auto position = ItemIndexOfStored(setting, stored(setting), context);
  box->setCurrentIndex(box->count() == 0 ? -1 : position.value_or(0));
}

// Rebuilding the items never changes the stored revert code: only a pick does.
void FrmScanInfo::Impl::ShowRevertList() {
  const ScanListContext shownContext = context();
  fillList(ScanSetting::Revert, shownContext);
  showStored(ScanSetting::Revert, shownContext);
}

void FrmScanInfo::Impl::SetEnabled() {
  const int mode = context().priorityMode;
  for (int k = 0; k < kScanSettingCount; ++k)
    lists[k]->setEnabled(ScanListEnabled(static_cast<ScanSetting>(k), mode));
  ShowChannelHint();
}

void FrmScanInfo::Impl::ShowChannelHint() {
  QStringList groups;
  for (int g : GroupsLackingPriorityChannel(q->record()))
    groups << QString::fromUtf8(kGroupLetters[static_cast<std::size_t>(g)]);
  const QString hint =
      groups.isEmpty()
          ? QString()
          : ctx.pick(kPriorityChannelMissing)
                .arg(stored(ScanSetting::PriorityChannel))
                .arg(groups.join(ctx.pick(kGroupListSeparator)));
  channelHint->setText(hint);
  list(ScanSetting::PriorityChannel)->setToolTip(hint);
  list(ScanSetting::PriorityChannel)->setAccessibleDescription(hint);
}

void FrmScanInfo::Impl::listPicked(int k, int index) {
  if (!shown || index < 0) return;
  const auto setting = static_cast<ScanSetting>(k);
  const ScanListContext shownContext = context();
  if (!q->edit([&](RadioConfig& r) { return StoreScanPick(r, setting, index, shownContext); }))
    return;
  if (setting == ScanSetting::Priority) {
    ShowRevertList();
    SetEnabled();
  } else if (setting == ScanSetting::PriorityChannel) {
    ShowChannelHint();
  }
}

FrmScanInfo::FrmScanInfo(UiContext& ctx, QWidget* parent)
    : QWidget(parent),
      EditorWindow(this, ctx, "FrmScanInfo"),
      d_(std::make_unique<Impl>(this, ctx)) {
  guarded("FrmScanInfo_Form_Load", [&] {
    d_->createControls();
    reCaption();
    ReShowData();
    resize(sizeHint().expandedTo(QSize(TwipsToPixels(5400), 0)));
  });
}

FrmScanInfo::~FrmScanInfo() = default;

void FrmScanInfo::reCaption() {
  setWindowTitle(ctx().pick(kScanInfoCaption));
  for (int k = 0; k < kScanSettingCount; ++k) {
    const QString caption = ctx().pick(ScanCaption(static_cast<ScanSetting>(k)));
    d_->listLabels[k]->setText(caption);
    d_->lists[k]->setAccessibleName(caption);
  }
  captionCloseAndHelp();
  // The revert list changes its items with the mode; it is kept wide enough for the longest.
  int longest = 0;
  for (int code = 0; code < 4; ++code)
    longest = std::max<int>(longest, ctx().pick(*RevertText(code)).size());
  d_->list(ScanSetting::Revert)->setMinimumContentsLength(longest);
}

void FrmScanInfo::ReShowData() {
  guarded("FrmScanInfo_ShowData", [&] {
    const ScanListContext shownContext = d_->context();
    for (int k = 0; k < kScanSettingCount; ++k) {
      const auto setting = static_cast<ScanSetting>(k);
      d_->fillList(setting, shownContext);
      d_->showStored(setting, shownContext);
    }
    d_->SetEnabled();
    d_->shown = true;
  });
}

void FrmScanInfo::channelSetChanged() {
  if (d_->shown) d_->ShowChannelHint();
}

void FrmScanInfo::documentReplaced() {
  if (d_->shown) ReShowData();
}

}  // namespace kr4100
