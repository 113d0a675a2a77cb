// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/frm_opt_features.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "core/config/option_edit.h"
#include "gui/key_filters.h"
#include "gui/twips.h"

namespace kr4100 {
namespace {

// The radio has no VOIC setting, so the box can be ticked but nothing keeps it.
constexpr Bilingual kVoicNotStored{
    "VOIC is not stored: the radio has no setting for it, so this box is not saved or written.",
    "VOIC 不保存：对讲机没有此项设置，此选项不会被保存或写入。"};

// Lists in the window's two columns of label and list, top to bottom.
constexpr int kLeftLists[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
constexpr int kRightLists[] = {15, 16, 17, 12, 13, 14, 18, 19, 20, 21};
constexpr int kOtherChecks[] = {6, 7, 8, 16, 17};
constexpr int kLabelGapTwips = 100;  // a label sits this far left of its list

}  // namespace

class FrmOptFeatures::Impl {
 public:
  Impl(FrmOptFeatures* window, UiContext& context) : q(window), ctx(context) {}

  FrmOptFeatures* q;
  UiContext& ctx;

  QComboBox* lists[kOptionListCount] = {};
  QLabel* listLabels[kOptionListCount] = {};
  QCheckBox* checks[kOptionCheckCount] = {};
  QGroupBox* modeFrame = nullptr;  // "Mode Option"

  void createControls();
  QGridLayout* layOutLists();
  QHBoxLayout* layOutChecks();
  void addListRow(QGridLayout* grid, int row, int column, int control);
  void fillLists();
  void showValues();
  void SaveOptFeat(int id, int value);
};

// Created in reading order, so that Tab walks the window as it reads.
void FrmOptFeatures::Impl::createControls() {
  QGridLayout* listGrid = layOutLists();
  for (int c = 0; c < kOptionCheckCount; ++c) {
    checks[c] = new QCheckBox(q);
    checks[c]->setObjectName(QStringLiteral("Check1_%1").arg(c));
    // clicked: the user's own change (mouse or Space), never the window showing a value.
    QObject::connect(checks[c], &QCheckBox::clicked, q,
                     [this, c](bool checked) { SaveOptFeat(OptCheckId(c), checked ? 1 : 0); });
  }
  modeFrame = new QGroupBox(q);
  modeFrame->setObjectName(QStringLiteral("Frame1"));

  auto* layout = new QVBoxLayout(q);
  layout->addLayout(listGrid);
  layout->addSpacing(TwipsToPixels(150));
  layout->addLayout(layOutChecks());
  layout->addStretch(1);
  layout->addLayout(q->closeAndHelpRow());
}

QGridLayout* FrmOptFeatures::Impl::layOutLists() {
  auto* listGrid = new QGridLayout;
  listGrid->setHorizontalSpacing(TwipsToPixels(kLabelGapTwips));
  for (int row = 0; row < static_cast<int>(std::size(kLeftLists)); ++row)
    addListRow(listGrid, row, 0, kLeftLists[row]);
  for (int row = 0; row < static_cast<int>(std::size(kRightLists)); ++row)
    addListRow(listGrid, row, 3, kRightLists[row]);
  listGrid->setColumnMinimumWidth(2, TwipsToPixels(300));
  listGrid->setColumnStretch(5, 1);  // the lists keep their own width when the window grows
  return listGrid;
}

// The mode boxes in their frame, the other boxes, then the common attributes.
QHBoxLayout* FrmOptFeatures::Impl::layOutChecks() {
  auto* modes = new QGridLayout(modeFrame);
  auto* common = new QGridLayout;
  int modeIndex = 0;
  int commonIndex = 0;
  for (int c = 0; c < kOptionCheckCount; ++c) {
    const OptionCheckRole role = OptionCheckAt(c).role;
    if (role == OptionCheckRole::ModeEnable) {
      modes->addWidget(checks[c], modeIndex % 3, modeIndex / 3);
      ++modeIndex;
    } else if (role == OptionCheckRole::CommonAttribute) {
      common->addWidget(checks[c], commonIndex % 4, commonIndex / 4);
      ++commonIndex;
    }
  }
  common->setRowStretch(4, 1);
  auto* others = new QVBoxLayout;
  for (int c : kOtherChecks) others->addWidget(checks[c]);
  others->addStretch(1);

  auto* row = new QHBoxLayout;
  row->addWidget(modeFrame, 0, Qt::AlignTop);
  row->addSpacing(TwipsToPixels(300));
  row->addLayout(others);
  row->addSpacing(TwipsToPixels(300));
  row->addLayout(common);
  row->addStretch(1);
  return row;
}

void FrmOptFeatures::Impl::addListRow(QGridLayout* grid, int row, int column, int control) {
  listLabels[control] = new QLabel(q);
  listLabels[control]->setObjectName(QStringLiteral("Label1_%1").arg(control));
  listLabels[control]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  lists[control] = new QComboBox(q);
  lists[control]->setObjectName(QStringLiteral("Combo1_%1").arg(control));
  lists[control]->setMaxVisibleItems(20);
  listLabels[control]->setBuddy(lists[control]);
  EnterMovesFocus(lists[control]);
  grid->addWidget(listLabels[control], row, column);
  grid->addWidget(lists[control], row, column + 1);
  // activated: a pick by mouse, keys or wheel; showing a value never stores it, and picking
  // the item already shown for a value beyond the list does.
  QObject::connect(lists[control], &QComboBox::activated, q,
                   [this, control](int index) { SaveOptFeat(OptListId(control), index); });
}

void FrmOptFeatures::Impl::fillLists() {
  for (int k = 0; k < kOptionListCount; ++k) {
    QComboBox* box = lists[k];
    const QSignalBlocker block(box);
    box->clear();
    for (const std::string& text : ItemTexts(OptionListAt(k).items, ctx.language()))
      box->addItem(QString::fromStdString(text));
  }
}

void FrmOptFeatures::Impl::showValues() {
  const OptFeatBlock& values = q->record().OptFeat;
  for (int k = 0; k < kOptionListCount; ++k) {
    const QSignalBlocker block(lists[k]);
    lists[k]->setCurrentIndex(ShownListPosition(values, k));
  }
  // The enabled state of the common boxes is left as it is: only a click changes it.
  for (int c = 0; c < kOptionCheckCount; ++c) {
    if (OptionCheckAt(c).field == kNoOptFeatField) continue;
    const QSignalBlocker block(checks[c]);
    checks[c]->setChecked(ShownChecked(values, c));
  }
}

void FrmOptFeatures::Impl::SaveOptFeat(int id, int value) {
  q->guarded("FrmOptFeatures_SaveOptFeat", [&] {
    const OptFeatStore store = q->edit([&](RadioConfig& r) { return StoreOptFeat(r, id, value); });
    if (id >= kOptCheckIdBase) {
      QCheckBox* clicked = checks[id - kOptCheckIdBase];
      const QSignalBlocker quiet(clicked);
      clicked->setChecked(store.clickedChecked);
    }
    if (store.common == CommonBoxes::Unchanged) return;
    const bool usable = store.common == CommonBoxes::Enabled;
    for (int c = 0; c < kOptionCheckCount; ++c) {
      if (OptionCheckAt(c).role != OptionCheckRole::CommonAttribute) continue;
      const QSignalBlocker quiet(checks[c]);
      if (!usable) checks[c]->setChecked(false);
      checks[c]->setEnabled(usable);
    }
  });
}

FrmOptFeatures::FrmOptFeatures(UiContext& ctx, QWidget* parent)
    : QWidget(parent),
      EditorWindow(this, ctx, "FrmOptFeatures"),
      d_(std::make_unique<Impl>(this, ctx)) {
  guarded("FrmOptFeatures_Form_Load", [&] {
    d_->createControls();
    ReShowData();
  });
}

FrmOptFeatures::~FrmOptFeatures() = default;

void FrmOptFeatures::reCaption() {
  setWindowTitle(ctx().pick(kOptFeaturesCaption));
  for (int k = 0; k < kOptionListCount; ++k) {
    const QString caption = ctx().pick(OptionListAt(k).caption);
    d_->listLabels[k]->setText(caption);
    d_->lists[k]->setAccessibleName(caption);
  }
  for (int c = 0; c < kOptionCheckCount; ++c) {
    QCheckBox* check = d_->checks[c];
    const QString caption = ctx().pick(OptionCheckAt(c).caption);
    check->setText(caption);
    check->setAccessibleName(caption);
    if (OptionCheckAt(c).field == kNoOptFeatField) {
      check->setToolTip(ctx().pick(kVoicNotStored));
      check->setAccessibleDescription(ctx().pick(kVoicNotStored));
    }
  }
  d_->modeFrame->setTitle(ctx().pick(kModeOptionCaption));
  d_->modeFrame->setAccessibleName(d_->modeFrame->title());
  captionCloseAndHelp();
  for (QPushButton* button : {closeButton(), helpButton()})
    button->setAccessibleName(WithoutAccelerator(button->text()));
}

void FrmOptFeatures::ReShowData() {
  guarded("FrmOptFeatures_ReShowData", [&] {
    d_->fillLists();
    reCaption();
    d_->showValues();
  });
}

}  // namespace kr4100
