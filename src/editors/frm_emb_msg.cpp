// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/frm_emb_msg.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/config/embedded_message.h"
#include "gui/key_filters.h"
#include "gui/twips.h"
#include "platform/radio_text.h"

namespace kr4100 {
namespace {

constexpr int kBoxCount = static_cast<int>(kEmbMsgLabels.size());

// Ctrl+C, Ctrl+V and Ctrl+X and every character beyond 7 bits give nothing; blanks,
// punctuation and the editing keys do their usual work.
bool RefusedMessageKey(const QKeyEvent* key) {
  if (key->modifiers().testFlag(Qt::ControlModifier) &&
      (key->key() == Qt::Key_C || key->key() == Qt::Key_V || key->key() == Qt::Key_X))
    return true;
  const QString text = key->text();
  if (text.isEmpty()) return false;
  for (const char32_t code : text.toUcs4())
    if (!IsEmbMsgCharacter(code)) return true;
  return false;
}

}  // namespace

class FrmEmbMsg::Impl {
 public:
  Impl(FrmEmbMsg* window, UiContext& context) : q(window), ctx(context) {}

  FrmEmbMsg* q;
  UiContext& ctx;
  QLabel* messageLabels[kBoxCount] = {};
  QLineEdit* messageBoxes[kBoxCount] = {};

  void createControls();
  void store(int k);
};

void FrmEmbMsg::Impl::createControls() {
  // One character cell per stored character, so the box shows what the radio will.
  const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  auto* grid = new QGridLayout;
  for (int k = 0; k < kBoxCount; ++k) {
    messageLabels[k] = new QLabel(q);
    messageLabels[k]->setObjectName(QStringLiteral("Label1_%1").arg(k));
    messageBoxes[k] = new QLineEdit(q);
    messageBoxes[k]->setObjectName(QStringLiteral("Text1_%1").arg(k));
    messageBoxes[k]->setFont(fixed);
    messageBoxes[k]->setMaxLength(kEmbMsgLength);  // more would be cut when stored
    // Room for all 32 characters besides the frame and the text margins, with the cursor.
    const QFontMetrics metrics(messageBoxes[k]->font());
    messageBoxes[k]->setMinimumWidth(
        metrics.horizontalAdvance(QString(kEmbMsgLength, QLatin1Char('W'))) +
        metrics.averageCharWidth() * 3 + 12);
    messageLabels[k]->setBuddy(messageBoxes[k]);
    grid->addWidget(messageLabels[k], k, 0);
    grid->addWidget(messageBoxes[k], k, 1);
    RestrictToTypedKeys(messageBoxes[k], [](QKeyEvent* key) { return RefusedMessageKey(key); });
    EnterMovesFocus(messageBoxes[k]);
    q->commitOnFocusOut(messageBoxes[k], "FrmEmbMsg_Text1_LostFocus", [this, k] { store(k); });
    QObject::connect(messageBoxes[k], &QLineEdit::editingFinished, q,
                     [this, k] { q->guarded("FrmEmbMsg_Text1_Validate", [&] { store(k); }); });
  }
  grid->setColumnStretch(1, 1);
  grid->setVerticalSpacing(TwipsToPixels(180));

  auto* buttons = q->closeAndHelpRow();

  auto* layout = new QVBoxLayout(q);
  layout->addLayout(grid);
  layout->addStretch(1);
  layout->addLayout(buttons);
}

void FrmEmbMsg::Impl::store(int k) {
  const QString text = messageBoxes[k]->text();
  // A box still showing the message leaves it byte for byte as it came: the decoding drops half a
  // character at the field's end and shows a byte no character stands for as a replacement mark,
  // neither of which would encode back to the same bytes.
  if (text == FromRadioText(EmbMsgShownText(EmbMsgOf(q->record(), k)))) return;
  const std::string bytes = ToRadioText(text, kEmbMsgLength);
  q->edit([&](RadioConfig& r) { StoreEmbMsg(EmbMsgOf(r, k), bytes); });
}

FrmEmbMsg::FrmEmbMsg(UiContext& ctx, QWidget* parent)
    : QWidget(parent), EditorWindow(this, ctx, "FrmEmbMsg"), d_(std::make_unique<Impl>(this, ctx)) {
  guarded("FrmEmbMsg_Form_Load", [&] {
    d_->createControls();
    reCaption();
    ReShowData();
    resize(sizeHint());  // the boxes hold 32 characters; nothing else needs room
  });
}

FrmEmbMsg::~FrmEmbMsg() {
  // The boxes outlive this body; leaving one as the window goes finds the window detached.
  leave();
}

void FrmEmbMsg::reCaption() {
  setWindowTitle(ctx().pick(kEmbMsgCaption));
  for (int k = 0; k < kBoxCount; ++k) {
    const QString name = ctx().pick(kEmbMsgLabels[static_cast<std::size_t>(k)]);
    d_->messageLabels[k]->setText(name);
    d_->messageBoxes[k]->setAccessibleName(name);
  }
  captionCloseAndHelp();
}

void FrmEmbMsg::ReShowData() {
  guarded("FrmEmbMsg_ReShowData", [&] {
    for (int k = 0; k < kBoxCount; ++k) {
      d_->messageBoxes[k]->setText(FromRadioText(EmbMsgShownText(EmbMsgOf(record(), k))));
      d_->messageBoxes[k]->setModified(false);
    }
  });
}

void FrmEmbMsg::commitPendingEdit() {
  for (int k = 0; k < kBoxCount; ++k)
    if (d_->messageBoxes[k]) d_->store(k);
}

}  // namespace kr4100
