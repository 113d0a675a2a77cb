// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/frm_key_assignm.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QStandardItemModel>
#include <QVBoxLayout>

#include "core/config/key_tables.h"
#include "gui/editor_support.h"
#include "gui/key_filters.h"
#include "gui/twips.h"

namespace kr4100 {
namespace {

constexpr int kKeyCount = static_cast<int>(kKeyLabels.size());
// A stored code the list does not offer (a reserved or unknown one) shows as an extra entry
// after the ten functions. It cannot be chosen, so it is never stored; it only says what the
// record holds until the user picks a function.
constexpr Bilingual kKeptCodeTip{"Stored in the data; kept until another function is chosen.",
                                 "数据中已存储的值；选择其他功能之前保持不变。"};

}  // namespace

class FrmKeyAssignm::Impl {
 public:
  Impl(FrmKeyAssignm* window, UiContext& context) : q(window), ctx(context) {}

  FrmKeyAssignm* q;
  UiContext& ctx;
  QLabel* keyLabels[kKeyCount] = {};
  QComboBox* keyLists[kKeyCount] = {};

  void createControls();
  void showKey(int k);
  void store(int k);
  void dropKeptEntry(int k);
};

void FrmKeyAssignm::Impl::createControls() {
  auto* grid = new QGridLayout;
  for (int k = 0; k < kKeyCount; ++k) {
    const LabelledList made = MakeLabelledList(q, "Label1", "Combo1", k, 20);
    keyLabels[k] = made.label;
    keyLists[k] = made.list;
    keyLists[k]->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    keyLabels[k]->setBuddy(keyLists[k]);
    grid->addWidget(keyLabels[k], k, 0);
    grid->addWidget(keyLists[k], k, 1);
    EnterMovesFocus(keyLists[k]);
    q->commitOnFocusOut(keyLists[k], "FrmKeyAssignm_Combo1_LostFocus", [this, k] { store(k); });
    // Every way of choosing (mouse, arrow keys, typing a letter) ends here; the fills are quiet.
    QObject::connect(keyLists[k], &QComboBox::currentIndexChanged, q,
                     [this, k] { q->guarded("FrmKeyAssignm_Combo1_Click", [&] { store(k); }); });
  }
  grid->setColumnStretch(1, 1);
  grid->setHorizontalSpacing(TwipsToPixels(240));
  grid->setVerticalSpacing(TwipsToPixels(240));

  auto* buttons = q->closeAndHelpRow();

  auto* layout = new QVBoxLayout(q);
  layout->addLayout(grid);
  layout->addStretch(1);
  layout->addLayout(buttons);
}

void FrmKeyAssignm::Impl::showKey(int k) {
  QComboBox* box = keyLists[k];
  const QSignalBlocker block(box);
  box->clear();
  for (const std::string& text : KeyListTexts(ctx.language()))
    box->addItem(QString::fromStdString(text));
  const int stored = q->record().KeyAssign[static_cast<std::size_t>(k)];
  if (const auto position = KeyItemIndexOfStored(stored)) {
    box->setCurrentIndex(*position);
    return;
  }
  box->addItem(QString::fromStdString(KeyShownText(stored, ctx.language())));
  const int kept = box->count() - 1;
  if (auto* model = qobject_cast<QStandardItemModel*>(box->model())) {
    QStandardItem* item = model->item(kept);
    item->setEnabled(false);
    item->setToolTip(ctx.pick(kKeptCodeTip));
  }
  box->setCurrentIndex(kept);
}

void FrmKeyAssignm::Impl::store(int k) {
  // The kept entry stores nothing: the record's code stays until a function is chosen.
  const int position = keyLists[k]->currentIndex();
  if (q->edit([&](RadioConfig& r) { return StoreKeyPick(r, k, position); })) dropKeptEntry(k);
}

void FrmKeyAssignm::Impl::dropKeptEntry(int k) {
  QComboBox* box = keyLists[k];
  if (box->count() <= kKeyListCount) return;
  const QSignalBlocker block(box);
  while (box->count() > kKeyListCount) box->removeItem(box->count() - 1);
}

FrmKeyAssignm::FrmKeyAssignm(UiContext& ctx, QWidget* parent)
    : QWidget(parent),
      EditorWindow(this, ctx, "FrmKeyAssignm"),
      d_(std::make_unique<Impl>(this, ctx)) {
  guarded("FrmKeyAssignm_Form_Load", [&] {
    d_->createControls();
    reCaption();
    // As tall as the lists need; wide enough for the longest function name.
    resize(sizeHint().expandedTo(QSize(TwipsToPixels(5400), 0)));
  });
}

FrmKeyAssignm::~FrmKeyAssignm() {
  // The lists outlive this body; nothing they signal from now on may reach the record.
  leave();
}

void FrmKeyAssignm::reCaption() {
  setWindowTitle(ctx().pick(kKeyAssignCaption));
  for (int k = 0; k < kKeyCount; ++k) {
    const QString name = ctx().pick(kKeyLabels[static_cast<std::size_t>(k)]);
    d_->keyLabels[k]->setText(name);
    d_->keyLists[k]->setAccessibleName(name);
  }
  captionCloseAndHelp();
  ReShowData();
}

void FrmKeyAssignm::ReShowData() {
  guarded("FrmKeyAssignm_ReShowData", [&] {
    for (int k = 0; k < kKeyCount; ++k) d_->showKey(k);
  });
}

void FrmKeyAssignm::commitPendingEdit() {
  for (int k = 0; k < kKeyCount; ++k)
    if (d_->keyLists[k] && d_->keyLists[k]->hasFocus()) d_->store(k);
}

}  // namespace kr4100
