#include "editors/frm_emb_msg.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/config/embedded_message.h"
#include "gui/editor_support.h"
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
  QLabel* label1[kBoxCount] = {};
  QLineEdit* text1[kBoxCount] = {};
  QPushButton* commandClose = nullptr;
  QPushButton* commandHelp = nullptr;

  EmbMsgText& message(int k) {
    RadioConfig& r = ctx.doc().working();
    return k == 0 ? r.EmbMsg1 : r.EmbMsg2;
  }

  void build();
  void store(int k);
};

void FrmEmbMsg::Impl::build() {
  q->setObjectName(QStringLiteral("FrmEmbMsg"));
  // One character cell per stored character, so the box shows what the radio will.
  const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  auto* grid = new QGridLayout;
  for (int k = 0; k < kBoxCount; ++k) {
    label1[k] = new QLabel(q);
    label1[k]->setObjectName(QStringLiteral("Label1_%1").arg(k));
    text1[k] = new QLineEdit(q);
    text1[k]->setObjectName(QStringLiteral("Text1_%1").arg(k));
    text1[k]->setFont(fixed);
    text1[k]->setMaxLength(kEmbMsgLength);  // more would be cut when stored
    // Room for all 32 characters besides the frame and the text margins, with the cursor.
    const QFontMetrics metrics(text1[k]->font());
    text1[k]->setMinimumWidth(metrics.horizontalAdvance(QString(kEmbMsgLength, QLatin1Char('W'))) +
                              metrics.averageCharWidth() * 3 + 12);
    label1[k]->setBuddy(text1[k]);
    grid->addWidget(label1[k], k, 0);
    grid->addWidget(text1[k], k, 1);
    RestrictToTypedKeys(text1[k], [](QKeyEvent* key) { return RefusedMessageKey(key); });
    EnterMovesFocus(text1[k]);
    text1[k]->installEventFilter(q);
    QObject::connect(text1[k], &QLineEdit::editingFinished, q, [this, k] {
      Guarded(ctx, "FrmEmbMsg_Text1_Validate", [&] { store(k); });
    });
  }
  grid->setColumnStretch(1, 1);
  grid->setVerticalSpacing(TwipsToPixels(180));

  auto* buttons = CloseAndHelpRow(q, commandClose, commandHelp);

  auto* layout = new QVBoxLayout(q);
  layout->addLayout(grid);
  layout->addStretch(1);
  layout->addLayout(buttons);

}

void FrmEmbMsg::Impl::store(int k) {
  const QString text = text1[k]->text();
  // A box still showing the message leaves it byte for byte as it came: the decoding drops half a
  // character at the field's end and shows a byte no character stands for as a replacement mark,
  // neither of which would encode back to the same bytes.
  if (text == FromRadioText(EmbMsgShownText(message(k)))) return;
  StoreEmbMsg(message(k), ToRadioText(text, kEmbMsgLength));
}

FrmEmbMsg::FrmEmbMsg(UiContext& ctx, QWidget* parent) : QWidget(parent), d_(new Impl(this, ctx)) {
  Guarded(ctx, "FrmEmbMsg_Form_Load", [&] {
    d_->build();
    reCaption();
    ReShowData();
    resize(sizeHint());  // the boxes hold 32 characters; nothing else needs room
  });
  ctx.doc().addObserver(this);
}

FrmEmbMsg::~FrmEmbMsg() {
  Guarded(d_->ctx, "FrmEmbMsg_Form_Unload", [&] { commitPendingEdit(); });
  // The boxes outlive this body; leaving one as the window goes must find nothing to store into.
  for (QLineEdit* box : d_->text1) {
    if (!box) continue;
    box->removeEventFilter(this);
    box->disconnect(this);
  }
  d_->ctx.doc().removeObserver(this);
  delete d_;
  d_ = nullptr;
}

void FrmEmbMsg::reCaption() {
  setWindowTitle(d_->ctx.pick(kEmbMsgCaption));
  for (int k = 0; k < kBoxCount; ++k) {
    const QString name = d_->ctx.pick(kEmbMsgLabels[static_cast<std::size_t>(k)]);
    d_->label1[k]->setText(name);
    d_->text1[k]->setAccessibleName(name);
  }
  d_->commandClose->setText(d_->ctx.msg(MessageId::CloseButton));
  d_->commandHelp->setText(d_->ctx.msg(MessageId::HelpButton));
}

void FrmEmbMsg::ReShowData() {
  Guarded(d_->ctx, "FrmEmbMsg_ReShowData", [&] {
    for (int k = 0; k < kBoxCount; ++k) {
      d_->text1[k]->setText(FromRadioText(EmbMsgShownText(d_->message(k))));
      d_->text1[k]->setModified(false);
    }
  });
}

void FrmEmbMsg::commitPendingEdit() {
  for (int k = 0; k < kBoxCount; ++k)
    if (d_->text1[k]) d_->store(k);
}

void FrmEmbMsg::closeEvent(QCloseEvent* event) {
  Guarded(d_->ctx, "FrmEmbMsg_Form_Unload", [&] { commitPendingEdit(); });
  QWidget::closeEvent(event);
}

bool FrmEmbMsg::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut) {
    for (int k = 0; k < kBoxCount; ++k) {
      if (watched == d_->text1[k])
        Guarded(d_->ctx, "FrmEmbMsg_Text1_LostFocus", [&] { d_->store(k); });
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace kr4100
