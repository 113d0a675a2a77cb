#include "radioinfo/frm_radio_info.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/editor_support.h"
#include "radioinfo/radio_info_fields.h"

namespace kr4100 {
namespace {

constexpr Bilingual kCaption{"Radio Information", "对讲机信息"};

}  // namespace

class FrmRadioInfo::Impl {
 public:
  Impl(FrmRadioInfo* window, UiContext& context) : q(window), ctx(context), fields(window, context) {}

  FrmRadioInfo* q;
  UiContext& ctx;
  RadioInfoFields fields;
  QPushButton* commandClose = nullptr;
  QPushButton* commandHelp = nullptr;
};

FrmRadioInfo::FrmRadioInfo(UiContext& ctx, QWidget* parent)
    : QDialog(parent), d_(new Impl(this, ctx)) {
  setObjectName(QStringLiteral("FrmRadioInfo"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  // What the record holds is shown, not edited here.
  d_->fields.text1->setReadOnly(true);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(d_->fields.form);
  layout->addStretch(1);
  layout->addLayout(CloseAndHelpRow(this, d_->commandClose, d_->commandHelp));
  d_->commandClose->setDefault(true);
  reCaption();
  d_->fields.combo1->setFocus();
}

FrmRadioInfo::~FrmRadioInfo() { delete d_; }

void FrmRadioInfo::reCaption() {
  setWindowTitle(d_->ctx.pick(kCaption));
  d_->fields.reCaption();
  d_->commandClose->setText(d_->ctx.msg(MessageId::CloseButton));
  d_->commandHelp->setText(d_->ctx.msg(MessageId::HelpButton));
  ShowData();
}

void FrmRadioInfo::ShowData() {
  Guarded(d_->ctx, "FrmRadioInfo_ShowData",
          [&] { d_->fields.show(ShowRadioInfo(d_->ctx.doc().working().ModelInfo)); });
}

}  // namespace kr4100
