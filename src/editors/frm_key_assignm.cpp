#include "editors/frm_key_assignm.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
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
  QLabel* label1[kKeyCount] = {};
  QComboBox* combo1[kKeyCount] = {};
  QPushButton* commandClose = nullptr;
  QPushButton* commandHelp = nullptr;

  Integer& code(int k) { return ctx.doc().working().KeyAssign[static_cast<std::size_t>(k)]; }

  void build();
  void showKey(int k);
  void store(int k);
  void dropKeptEntry(int k);
};

void FrmKeyAssignm::Impl::build() {
  q->setObjectName(QStringLiteral("FrmKeyAssignm"));
  auto* grid = new QGridLayout;
  for (int k = 0; k < kKeyCount; ++k) {
    label1[k] = new QLabel(q);
    label1[k]->setObjectName(QStringLiteral("Label1_%1").arg(k));
    combo1[k] = new QComboBox(q);
    combo1[k]->setObjectName(QStringLiteral("Combo1_%1").arg(k));
    combo1[k]->setMinimumContentsLength(20);
    combo1[k]->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    label1[k]->setBuddy(combo1[k]);
    grid->addWidget(label1[k], k, 0);
    grid->addWidget(combo1[k], k, 1);
    EnterMovesFocus(combo1[k]);
    combo1[k]->installEventFilter(q);
    // Every way of choosing (mouse, arrow keys, typing a letter) ends here; the fills are quiet.
    QObject::connect(combo1[k], &QComboBox::currentIndexChanged, q, [this, k] {
      Guarded(ctx, "FrmKeyAssignm_Combo1_Click", [&] { store(k); });
    });
  }
  grid->setColumnStretch(1, 1);
  grid->setHorizontalSpacing(TwipsToPixels(240));
  grid->setVerticalSpacing(TwipsToPixels(240));

  auto* buttons = CloseAndHelpRow(q, commandClose, commandHelp);

  auto* layout = new QVBoxLayout(q);
  layout->addLayout(grid);
  layout->addStretch(1);
  layout->addLayout(buttons);

}

void FrmKeyAssignm::Impl::showKey(int k) {
  QComboBox* box = combo1[k];
  const QSignalBlocker block(box);
  box->clear();
  for (const std::string& text : KeyListTexts(ctx.language())) box->addItem(QString::fromStdString(text));
  const int stored = code(k);
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
  const auto chosen = KeyStoredOfItemIndex(combo1[k]->currentIndex());
  if (!chosen) return;
  code(k) = static_cast<Integer>(*chosen);
  dropKeptEntry(k);
}

void FrmKeyAssignm::Impl::dropKeptEntry(int k) {
  QComboBox* box = combo1[k];
  if (box->count() <= kKeyListCount) return;
  const QSignalBlocker block(box);
  while (box->count() > kKeyListCount) box->removeItem(box->count() - 1);
}

FrmKeyAssignm::FrmKeyAssignm(UiContext& ctx, QWidget* parent)
    : QWidget(parent), d_(new Impl(this, ctx)) {
  Guarded(ctx, "FrmKeyAssignm_Form_Load", [&] {
    d_->build();
    reCaption();
    // As tall as the lists need; wide enough for the longest function name.
    resize(sizeHint().expandedTo(QSize(TwipsToPixels(5400), 0)));
  });
  ctx.doc().addObserver(this);
}

FrmKeyAssignm::~FrmKeyAssignm() {
  Guarded(d_->ctx, "FrmKeyAssignm_Form_Unload", [&] { commitPendingEdit(); });
  // The lists outlive this body; nothing they signal from now on may reach the record.
  for (QComboBox* box : d_->combo1) {
    if (!box) continue;
    box->removeEventFilter(this);
    box->disconnect(this);
  }
  d_->ctx.doc().removeObserver(this);
  delete d_;
  d_ = nullptr;
}

void FrmKeyAssignm::reCaption() {
  setWindowTitle(d_->ctx.pick(kKeyAssignCaption));
  for (int k = 0; k < kKeyCount; ++k) {
    const QString name = d_->ctx.pick(kKeyLabels[static_cast<std::size_t>(k)]);
    d_->label1[k]->setText(name);
    d_->combo1[k]->setAccessibleName(name);
  }
  d_->commandClose->setText(d_->ctx.msg(MessageId::CloseButton));
  d_->commandHelp->setText(d_->ctx.msg(MessageId::HelpButton));
  ReShowData();
}

void FrmKeyAssignm::ReShowData() {
  Guarded(d_->ctx, "FrmKeyAssignm_ReShowData", [&] {
    for (int k = 0; k < kKeyCount; ++k) d_->showKey(k);
  });
}

void FrmKeyAssignm::commitPendingEdit() {
  for (int k = 0; k < kKeyCount; ++k)
    if (d_->combo1[k] && d_->combo1[k]->hasFocus()) d_->store(k);
}

void FrmKeyAssignm::closeEvent(QCloseEvent* event) {
  Guarded(d_->ctx, "FrmKeyAssignm_Form_Unload", [&] { commitPendingEdit(); });
  QWidget::closeEvent(event);
}

bool FrmKeyAssignm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut) {
    for (int k = 0; k < kKeyCount; ++k) {
      if (watched == d_->combo1[k])
        Guarded(d_->ctx, "FrmKeyAssignm_Combo1_LostFocus", [&] { d_->store(k); });
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace kr4100
