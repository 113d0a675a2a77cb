#include "radioinfo/frm_radio_info_set.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/config/radio_info_edit.h"
#include "gui/editor_support.h"
#include "gui/key_filters.h"
#include "radioinfo/radio_info_fields.h"

namespace kr4100 {
namespace {

constexpr Bilingual kCaption{"Set Radio Information", "设置对讲机信息"};
constexpr Bilingual kVersion{"版本", "版本"};
constexpr Bilingual kRead{"&Read", "读出(&R)"};
constexpr Bilingual kWrite{"&Write", "写入(&W)"};
constexpr Bilingual kTimeSync{"&Time Sync", "时间同步(&T)"};

// Both boxes take plain ASCII only, and nothing but typing puts text into them.
void RestrictToAscii(QLineEdit* edit) {
  RestrictToTypedKeys(edit, [](QKeyEvent* key) {
    const QString text = key->text();
    if (text.isEmpty()) return false;  // movement and editing keys
    for (const QChar c : text)
      if (RadioInfoKeyRefused(c.unicode())) return true;
    return false;
  });
}

}  // namespace

class FrmRadioInfoSet::Impl {
 public:
  Impl(FrmRadioInfoSet* window, UiContext& context) : q(window), ctx(context), fields(window, context) {}

  FrmRadioInfoSet* q;
  UiContext& ctx;
  RadioInfoFields fields;
  QLabel* label4 = nullptr;
  QLineEdit* text2 = nullptr;  // version
  QPushButton* commandRead = nullptr;
  QPushButton* commandWrite = nullptr;
  QPushButton* commandTimeSync = nullptr;
  QPushButton* commandClose = nullptr;
  QPushButton* commandHelp = nullptr;
  std::function<CalendarDate()> today = LocalToday;

  template <class F>
  void guarded(const char* label, F&& f) {
    Guarded(ctx, label, std::forward<F>(f));
  }

  QPushButton* button(const char* name) {
    auto* b = new QPushButton(q);
    b->setObjectName(QLatin1String(name));
    return b;
  }
  void build();
  void Text2_LostFocus();
  void CommandRead_Click();
  void CommandWrite_Click();
  void CommandTimeSync_Click();
};

void FrmRadioInfoSet::Impl::build() {
  QLineEdit* text1 = fields.text1;
  text1->setMaxLength(static_cast<int>(kProgDateBoxLength));
  RestrictToAscii(text1);
  label4 = new QLabel(q);
  label4->setObjectName(QStringLiteral("Label4"));
  text2 = new QLineEdit(q);
  text2->setObjectName(QStringLiteral("Text2"));
  text2->setMaxLength(static_cast<int>(kSoftVerBoxLength));
  RestrictToAscii(text2);
  EnterMovesFocus(text2);
  text2->installEventFilter(q);
  label4->setBuddy(text2);
  fields.form->addRow(label4, text2);

  commandRead = button("CommandRead");
  commandWrite = button("CommandWrite");
  commandTimeSync = button("CommandTimeSync");
  auto* actions = new QHBoxLayout;
  actions->addWidget(commandRead);
  actions->addWidget(commandWrite);
  actions->addWidget(commandTimeSync);
  actions->addStretch(1);

  auto* layout = new QVBoxLayout(q);
  layout->addLayout(fields.form);
  layout->addLayout(actions);
  layout->addStretch(1);
  layout->addLayout(CloseAndHelpRow(q, commandClose, commandHelp));

  QObject::connect(commandRead, &QPushButton::clicked, q,
                   [this] { guarded("FrmRadioInfoSet_CommandRead_Click", [&] { CommandRead_Click(); }); });
  QObject::connect(commandWrite, &QPushButton::clicked, q, [this] {
    guarded("FrmRadioInfoSet_CommandWrite_Click", [&] { CommandWrite_Click(); });
  });
  QObject::connect(commandTimeSync, &QPushButton::clicked, q, [this] {
    guarded("FrmRadioInfoSet_CommandTimeSync_Click", [&] { CommandTimeSync_Click(); });
  });
}

void FrmRadioInfoSet::Impl::Text2_LostFocus() {
  const QString prefixed = FieldText(VersionWithPrefix(FieldBytes(text2->text())));
  if (prefixed != text2->text()) text2->setText(prefixed);
}

void FrmRadioInfoSet::Impl::CommandRead_Click() {
  emit q->readRequested();
}

void FrmRadioInfoSet::Impl::CommandWrite_Click() {
  q->StoreData();
  emit q->writeRequested();
}

// Nothing is sent: the date reaches the record with the next store.
void FrmRadioInfoSet::Impl::CommandTimeSync_Click() {
  fields.text1->setText(FieldText(EightDigitDate(today())));
}

FrmRadioInfoSet::FrmRadioInfoSet(UiContext& ctx, QWidget* parent)
    : QDialog(parent), d_(new Impl(this, ctx)) {
  setObjectName(QStringLiteral("FrmRadioInfoSet"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  d_->build();
  reCaption();
  d_->fields.combo1->setFocus();
}

FrmRadioInfoSet::~FrmRadioInfoSet() {
  // The boxes go after this part of the window: no focus change may reach it on the way.
  d_->text2->removeEventFilter(this);
  delete d_;
  d_ = nullptr;
}

void FrmRadioInfoSet::setToday(std::function<CalendarDate()> today) { d_->today = std::move(today); }

void FrmRadioInfoSet::reCaption() {
  UiContext& ctx = d_->ctx;
  setWindowTitle(ctx.pick(kCaption));
  d_->fields.reCaption();
  SetLabelText(d_->label4, ctx.pick(kVersion));
  d_->commandRead->setText(ctx.pick(kRead));
  d_->commandWrite->setText(ctx.pick(kWrite));
  d_->commandTimeSync->setText(ctx.pick(kTimeSync));
  d_->commandClose->setText(ctx.msg(MessageId::CloseButton));
  d_->commandHelp->setText(ctx.msg(MessageId::HelpButton));
  ShowData();
}

void FrmRadioInfoSet::ShowData() {
  d_->guarded("FrmRadioInfoSet_ShowData", [&] {
    const RadioInfoView view = ShowRadioInfo(d_->ctx.doc().working().ModelInfo);
    d_->fields.show(view);
    d_->text2->setText(FieldText(view.version));
  });
}

void FrmRadioInfoSet::StoreData() {
  d_->guarded("FrmRadioInfoSet_StoreData", [&] {
    // Closing by key or the title bar leaves the version box without its focus ever going: it
    // gets the rule it would have got on leaving.
    if (d_->text2->hasFocus()) d_->Text2_LostFocus();
    const RadioInfoFields& f = d_->fields;
    StoreRadioInfo(d_->ctx.doc().working().ModelInfo,
                   {FieldBytes(f.combo1->currentText()), FieldBytes(f.combo2->currentText()),
                    FieldBytes(f.text1->text()), FieldBytes(d_->text2->text())});
  });
}

void FrmRadioInfoSet::done(int result) {
  StoreData();
  QDialog::done(result);
}

bool FrmRadioInfoSet::eventFilter(QObject* watched, QEvent* event) {
  if (d_ && watched == d_->text2 && event->type() == QEvent::FocusOut) d_->Text2_LostFocus();
  return QDialog::eventFilter(watched, event);
}

}  // namespace kr4100
