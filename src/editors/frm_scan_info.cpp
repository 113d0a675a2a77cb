#include "editors/frm_scan_info.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStringList>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "core/config/model_band.h"
#include "core/config/scan_tables.h"
#include "core/texts/channel_texts.h"
#include "gui/editor_support.h"
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

  QComboBox* combo1[kScanSettingCount] = {};
  QLabel* label1[kScanSettingCount] = {};
  QLabel* channelHint = nullptr;  // groups that lack the fixed priority channel
  QPushButton* commandClose = nullptr;
  QPushButton* commandHelp = nullptr;
  bool shown = false;  // the lists are filled and may be stored from

  RadioConfig& rec() { return ctx.doc().working(); }
  Integer& stored(ScanSetting setting) {
    return rec().ScanInfo[static_cast<std::size_t>(setting)];
  }
  QComboBox* combo(ScanSetting setting) { return combo1[static_cast<int>(setting)]; }
  // What the lists depend on, as the window shows it: a stored mode no item stands for works as
  // the mode the priority list shows.
  ScanListContext context() {
    return {ShownPriorityMode(stored(ScanSetting::Priority)),
            PriorityChannelCount(ctx.doc().state().modelText)};
  }

  template <class F>
  void guarded(const char* label, F&& f) {
    Guarded(ctx, label, std::forward<F>(f));
  }

  void build();
  void reCaption();
  void fillList(ScanSetting setting, const ScanListContext& context);
  void showStored(ScanSetting setting, const ScanListContext& context);
  void ShowRevertList();
  void SetEnabled();
  void ShowChannelHint();
  void ShowData();
  void Combo1_Click(int k, int index);
};

void FrmScanInfo::Impl::build() {
  q->setObjectName(QStringLiteral("FrmScanInfo"));
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(std::max(TwipsToPixels(kLabelGapTwips), 6));
  grid->setColumnStretch(1, 1);
  for (int k = 0; k < kScanSettingCount; ++k) {
    label1[k] = new QLabel(q);
    label1[k]->setObjectName(QStringLiteral("Label1_%1").arg(k));
    label1[k]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    combo1[k] = new QComboBox(q);
    combo1[k]->setObjectName(QStringLiteral("Combo1_%1").arg(k));
    combo1[k]->setMaxVisibleItems(kVisibleItems);
    label1[k]->setBuddy(combo1[k]);
    EnterMovesFocus(combo1[k]);
    grid->addWidget(label1[k], k, 0);
    grid->addWidget(combo1[k], k, 1);
    // The user's pick only: showing a value must never store it.
    QObject::connect(combo1[k], &QComboBox::activated, q, [this, k](int index) {
      guarded("FrmScanInfo_Combo1_Click", [&] { Combo1_Click(k, index); });
    });
  }
  // Below the lists, so that a hint coming or going never moves them; its line is kept.
  channelHint = new QLabel(q);
  channelHint->setObjectName(QStringLiteral("LabelChannelHint"));
  channelHint->setWordWrap(true);
  channelHint->setMinimumHeight(q->fontMetrics().height());

  auto* bottom = CloseAndHelpRow(q, commandClose, commandHelp);

  auto* layout = new QVBoxLayout(q);
  layout->addLayout(grid);
  layout->addWidget(channelHint);
  layout->addStretch(1);
  layout->addLayout(bottom);

}

void FrmScanInfo::Impl::reCaption() {
  q->setWindowTitle(ctx.pick(kScanInfoCaption));
  for (int k = 0; k < kScanSettingCount; ++k) {
    const QString caption = ctx.pick(ScanCaption(static_cast<ScanSetting>(k)));
    label1[k]->setText(caption);
    combo1[k]->setAccessibleName(caption);
  }
  commandClose->setText(ctx.msg(MessageId::CloseButton));
  commandHelp->setText(ctx.msg(MessageId::HelpButton));
  // The revert list changes its items with the mode; it is kept wide enough for the longest.
  int longest = 0;
  for (int code = 0; code < 4; ++code)
    longest = std::max<int>(longest, ctx.pick(*RevertText(code)).size());
  combo(ScanSetting::Revert)->setMinimumContentsLength(longest);
}

void FrmScanInfo::Impl::fillList(ScanSetting setting, const ScanListContext& context) {
  QComboBox* box = combo(setting);
  const QSignalBlocker block(box);
  QStringList items;
  for (const std::string& text : ScanItemTexts(setting, context, ctx.language()))
    items << QString::fromStdString(text);
  box->clear();
  box->addItems(items);
}

// A value no item stands for shows the first item and stays stored until the user picks.
void FrmScanInfo::Impl::showStored(ScanSetting setting, const ScanListContext& context) {
  QComboBox* box = combo(setting);
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
    combo1[k]->setEnabled(ScanListEnabled(static_cast<ScanSetting>(k), mode));
  ShowChannelHint();
}

void FrmScanInfo::Impl::ShowChannelHint() {
  QStringList groups;
  for (int g : GroupsLackingPriorityChannel(rec()))
    groups << QString::fromUtf8(kGroupLetters[static_cast<std::size_t>(g)]);
  const QString hint =
      groups.isEmpty()
          ? QString()
          : ctx.pick(kPriorityChannelMissing)
                .arg(stored(ScanSetting::PriorityChannel))
                .arg(groups.join(ctx.pick(kGroupListSeparator)));
  channelHint->setText(hint);
  combo(ScanSetting::PriorityChannel)->setToolTip(hint);
  combo(ScanSetting::PriorityChannel)->setAccessibleDescription(hint);
}

void FrmScanInfo::Impl::ShowData() {
  guarded("FrmScanInfo_ShowData", [&] {
    const ScanListContext shownContext = context();
    for (int k = 0; k < kScanSettingCount; ++k) {
      const auto setting = static_cast<ScanSetting>(k);
      fillList(setting, shownContext);
      showStored(setting, shownContext);
    }
    SetEnabled();
    shown = true;
  });
}

void FrmScanInfo::Impl::Combo1_Click(int k, int index) {
  if (!shown || index < 0) return;
  const auto setting = static_cast<ScanSetting>(k);
  const auto value = StoredOfItemIndex(setting, index, context());
  if (!value) return;
  stored(setting) = static_cast<Integer>(*value);
  if (setting == ScanSetting::Priority) {
    ShowRevertList();
    SetEnabled();
  } else if (setting == ScanSetting::PriorityChannel) {
    ShowChannelHint();
  }
}

FrmScanInfo::FrmScanInfo(UiContext& ctx, QWidget* parent)
    : QWidget(parent), d_(new Impl(this, ctx)) {
  d_->guarded("FrmScanInfo_Form_Load", [&] {
    d_->build();
    d_->reCaption();
    d_->ShowData();
    resize(sizeHint().expandedTo(QSize(TwipsToPixels(5400), 0)));
  });
  ctx.doc().addObserver(this);
}

FrmScanInfo::~FrmScanInfo() {
  d_->ctx.doc().removeObserver(this);
  delete d_;
  d_ = nullptr;
}

void FrmScanInfo::ReShowData() { d_->ShowData(); }

void FrmScanInfo::channelSetChanged() {
  if (d_->shown) d_->ShowChannelHint();
}

void FrmScanInfo::documentReplaced() {
  if (d_->shown) ReShowData();
}

}  // namespace kr4100
