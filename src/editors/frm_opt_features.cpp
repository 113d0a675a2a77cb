#include "editors/frm_opt_features.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <utility>

#include "core/config/option_edit.h"
#include "gui/editor_support.h"
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

  QComboBox* combo1[kOptionListCount] = {};
  QLabel* label1[kOptionListCount] = {};
  QCheckBox* check1[kOptionCheckCount] = {};
  QGroupBox* frame1 = nullptr;  // "Mode Option"
  QPushButton* commandClose = nullptr;
  QPushButton* commandHelp = nullptr;

  OptFeatBlock& block() { return ctx.doc().working().OptFeat; }

  template <class F>
  void guarded(const char* label, F&& f) {
    Guarded(ctx, label, std::forward<F>(f));
  }

  void build();
  void addListRow(QGridLayout* grid, int row, int column, int control);
  void reCaption();
  void fillLists();
  void showValues();
  void SaveOptFeat(int id, int value);
};

void FrmOptFeatures::Impl::build() {
  q->setObjectName(QStringLiteral("FrmOptFeatures"));

  // Created in reading order, so that Tab walks the window as it reads.
  auto* lists = new QGridLayout;
  lists->setHorizontalSpacing(TwipsToPixels(kLabelGapTwips));
  for (int row = 0; row < static_cast<int>(std::size(kLeftLists)); ++row)
    addListRow(lists, row, 0, kLeftLists[row]);
  for (int row = 0; row < static_cast<int>(std::size(kRightLists)); ++row)
    addListRow(lists, row, 3, kRightLists[row]);
  lists->setColumnMinimumWidth(2, TwipsToPixels(300));
  lists->setColumnStretch(5, 1);  // the lists keep their own width when the window grows

  for (int c = 0; c < kOptionCheckCount; ++c) {
    check1[c] = new QCheckBox(q);
    check1[c]->setObjectName(QStringLiteral("Check1_%1").arg(c));
    // clicked: the user's own change (mouse or Space), never the window showing a value.
    QObject::connect(check1[c], &QCheckBox::clicked, q,
                     [this, c](bool checked) { SaveOptFeat(OptCheckId(c), checked ? 1 : 0); });
  }

  frame1 = new QGroupBox(q);
  frame1->setObjectName(QStringLiteral("Frame1"));
  auto* modes = new QGridLayout(frame1);
  int modeIndex = 0;
  for (int c = 0; c < kOptionCheckCount; ++c) {
    if (OptionCheckAt(c).role != OptionCheckRole::ModeEnable) continue;
    modes->addWidget(check1[c], modeIndex % 3, modeIndex / 3);
    ++modeIndex;
  }

  auto* others = new QVBoxLayout;
  for (int c : kOtherChecks) others->addWidget(check1[c]);
  others->addStretch(1);

  auto* common = new QGridLayout;
  int commonIndex = 0;
  for (int c = 0; c < kOptionCheckCount; ++c) {
    if (OptionCheckAt(c).role != OptionCheckRole::CommonAttribute) continue;
    common->addWidget(check1[c], commonIndex % 4, commonIndex / 4);
    ++commonIndex;
  }
  common->setRowStretch(4, 1);

  auto* checks = new QHBoxLayout;
  checks->addWidget(frame1, 0, Qt::AlignTop);
  checks->addSpacing(TwipsToPixels(300));
  checks->addLayout(others);
  checks->addSpacing(TwipsToPixels(300));
  checks->addLayout(common);
  checks->addStretch(1);

  auto* buttons = CloseAndHelpRow(q, commandClose, commandHelp);

  auto* layout = new QVBoxLayout(q);
  layout->addLayout(lists);
  layout->addSpacing(TwipsToPixels(150));
  layout->addLayout(checks);
  layout->addStretch(1);
  layout->addLayout(buttons);

}

void FrmOptFeatures::Impl::addListRow(QGridLayout* grid, int row, int column, int control) {
  label1[control] = new QLabel(q);
  label1[control]->setObjectName(QStringLiteral("Label1_%1").arg(control));
  label1[control]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  combo1[control] = new QComboBox(q);
  combo1[control]->setObjectName(QStringLiteral("Combo1_%1").arg(control));
  combo1[control]->setMaxVisibleItems(20);
  label1[control]->setBuddy(combo1[control]);
  EnterMovesFocus(combo1[control]);
  grid->addWidget(label1[control], row, column);
  grid->addWidget(combo1[control], row, column + 1);
  // activated: a pick by mouse, keys or wheel; showing a value never stores it, and picking
  // the item already shown for a value beyond the list does.
  QObject::connect(combo1[control], &QComboBox::activated, q,
                   [this, control](int index) { SaveOptFeat(OptListId(control), index); });
}

void FrmOptFeatures::Impl::reCaption() {
  q->setWindowTitle(ctx.pick(kOptFeaturesCaption));
  for (int k = 0; k < kOptionListCount; ++k) {
    const QString caption = ctx.pick(OptionListAt(k).caption);
    label1[k]->setText(caption);
    combo1[k]->setAccessibleName(caption);
  }
  for (int c = 0; c < kOptionCheckCount; ++c) {
    const QString caption = ctx.pick(OptionCheckAt(c).caption);
    check1[c]->setText(caption);
    check1[c]->setAccessibleName(caption);
    if (OptionCheckAt(c).field == kNoOptFeatField) {
      check1[c]->setToolTip(ctx.pick(kVoicNotStored));
      check1[c]->setAccessibleDescription(ctx.pick(kVoicNotStored));
    }
  }
  frame1->setTitle(ctx.pick(kModeOptionCaption));
  frame1->setAccessibleName(frame1->title());
  for (QPushButton* button : {commandClose, commandHelp}) {
    button->setText(ctx.msg(button == commandClose ? MessageId::CloseButton : MessageId::HelpButton));
    button->setAccessibleName(QString(button->text()).remove(QLatin1Char('&')));
  }
}

void FrmOptFeatures::Impl::fillLists() {
  for (int k = 0; k < kOptionListCount; ++k) {
    QComboBox* box = combo1[k];
    const QSignalBlocker block(box);
    box->clear();
    for (const std::string& text : ItemTexts(OptionListAt(k).items, ctx.language()))
      box->addItem(QString::fromStdString(text));
  }
}

void FrmOptFeatures::Impl::showValues() {
  const OptFeatBlock& values = block();
  for (int k = 0; k < kOptionListCount; ++k) {
    const QSignalBlocker block(combo1[k]);
    combo1[k]->setCurrentIndex(ShownListPosition(values, k));
  }
  // The enabled state of the common boxes is left as it is: only a click changes it.
  for (int c = 0; c < kOptionCheckCount; ++c) {
    if (OptionCheckAt(c).field == kNoOptFeatField) continue;
    const QSignalBlocker block(check1[c]);
    check1[c]->setChecked(ShownChecked(values, c));
  }
}

void FrmOptFeatures::Impl::SaveOptFeat(int id, int value) {
  guarded("FrmOptFeatures_SaveOptFeat", [&] {
    const OptFeatStore store = kr4100::SaveOptFeat(block(), id, value);
    block() = store.block;
    if (id >= kOptCheckIdBase) {
      QCheckBox* clicked = check1[id - kOptCheckIdBase];
      const QSignalBlocker quiet(clicked);
      clicked->setChecked(store.clickedChecked);
    }
    if (store.common == CommonBoxes::Unchanged) return;
    const bool usable = store.common == CommonBoxes::Enabled;
    for (int c = 0; c < kOptionCheckCount; ++c) {
      if (OptionCheckAt(c).role != OptionCheckRole::CommonAttribute) continue;
      const QSignalBlocker quiet(check1[c]);
      if (!usable) check1[c]->setChecked(false);
      check1[c]->setEnabled(usable);
    }
  });
}

FrmOptFeatures::FrmOptFeatures(UiContext& ctx, QWidget* parent)
    : QWidget(parent), d_(new Impl(this, ctx)) {
  d_->guarded("FrmOptFeatures_Form_Load", [&] {
    d_->build();
    ReShowData();
  });
  ctx.doc().addObserver(this);
}

FrmOptFeatures::~FrmOptFeatures() {
  d_->ctx.doc().removeObserver(this);
  delete d_;
  d_ = nullptr;
}

void FrmOptFeatures::ReShowData() {
  d_->guarded("FrmOptFeatures_ReShowData", [&] {
    d_->fillLists();
    d_->reCaption();
    d_->showValues();
  });
}

void FrmOptFeatures::documentReplaced() { ReShowData(); }

}  // namespace kr4100
