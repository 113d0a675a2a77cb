// SPDX-License-Identifier: GPL-3.0-or-later
#include "radioinfo/frm_radio_info_set.h"

#include <QComboBox>
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
  Impl(FrmRadioInfoSet* window, UiContext& context) : q(window), fields(window, context) {}

  FrmRadioInfoSet* q;
  RadioInfoFields fields;
  QLabel* versionLabel = nullptr;
  QLineEdit* versionBox = nullptr;
  QPushButton* readButton = nullptr;
  QPushButton* writeButton = nullptr;
  QPushButton* timeSyncButton = nullptr;
  std::function<CalendarDate()> today = LocalToday;

  QPushButton* button(const char* name) {
    auto* b = new QPushButton(q);
    b->setObjectName(QLatin1String(name));
    return b;
  }
  void createControls();
  void connectControls();
  void versionBoxLeft();
};

void FrmRadioInfoSet::Impl::createControls() {
  QLineEdit* dateBox = fields.dateBox;
  dateBox->setMaxLength(static_cast<int>(kProgDateBoxLength));
  RestrictToAscii(dateBox);
  versionLabel = new QLabel(q);
  versionLabel->setObjectName(QStringLiteral("Label4"));
  versionBox = new QLineEdit(q);
  versionBox->setObjectName(QStringLiteral("Text2"));
  versionBox->setMaxLength(static_cast<int>(kSoftVerBoxLength));
  RestrictToAscii(versionBox);
  EnterMovesFocus(versionBox);
  versionLabel->setBuddy(versionBox);
  fields.form->addRow(versionLabel, versionBox);

  readButton = button("CommandRead");
  writeButton = button("CommandWrite");
  timeSyncButton = button("CommandTimeSync");
  auto* actions = new QHBoxLayout;
  actions->addWidget(readButton);
  actions->addWidget(writeButton);
  actions->addWidget(timeSyncButton);
  actions->addStretch(1);

  auto* layout = new QVBoxLayout(q);
  layout->addLayout(fields.form);
  layout->addLayout(actions);
  layout->addStretch(1);
  layout->addLayout(q->closeAndHelpRow());
}

void FrmRadioInfoSet::Impl::connectControls() {
  QObject::connect(readButton, &QPushButton::clicked, q, [this] {
    q->guarded("FrmRadioInfoSet_CommandRead_Click", [&] { emit q->readRequested(); });
  });
  QObject::connect(writeButton, &QPushButton::clicked, q, [this] {
    q->guarded("FrmRadioInfoSet_CommandWrite_Click", [&] {
      q->StoreData();
      emit q->writeRequested();
    });
  });
  // Nothing is sent: the date reaches the record with the next store.
  QObject::connect(timeSyncButton, &QPushButton::clicked, q, [this] {
    q->guarded("FrmRadioInfoSet_CommandTimeSync_Click",
               [&] { fields.dateBox->setText(FieldText(EightDigitDate(today()))); });
  });
}

void FrmRadioInfoSet::Impl::versionBoxLeft() {
  const QString prefixed = FieldText(VersionWithPrefix(FieldBytes(versionBox->text())));
  if (prefixed != versionBox->text()) versionBox->setText(prefixed);
}

FrmRadioInfoSet::FrmRadioInfoSet(UiContext& ctx, QWidget* parent)
    : QDialog(parent),
      EditorWindow(this, ctx, "FrmRadioInfoSet"),
      d_(std::make_unique<Impl>(this, ctx)) {
  SetDialogFrame(this);
  d_->createControls();
  d_->connectControls();
  commitOnFocusOut(d_->versionBox, "FrmRadioInfoSet_Text2_LostFocus",
                   [this] { d_->versionBoxLeft(); });
  reCaption();
  d_->fields.modelCombo->setFocus();
}

// The boxes go after this part of the window: the base's clean-up keeps their focus changes
// from reaching it on the way.
FrmRadioInfoSet::~FrmRadioInfoSet() {
  detach();
}

void FrmRadioInfoSet::setToday(std::function<CalendarDate()> today) {
  d_->today = std::move(today);
}

void FrmRadioInfoSet::reCaption() {
  setWindowTitle(ctx().shell(ShellText::RadioInfoSetCaption));
  d_->fields.reCaption();
  SetLabelText(d_->versionLabel, ctx().shell(ShellText::RadioInfoVersion));
  d_->readButton->setText(ctx().shell(ShellText::RadioInfoRead));
  d_->writeButton->setText(ctx().shell(ShellText::RadioInfoWrite));
  d_->timeSyncButton->setText(ctx().shell(ShellText::RadioInfoTimeSync));
  captionCloseAndHelp();
  ShowData();
}

void FrmRadioInfoSet::ShowData() {
  guarded("FrmRadioInfoSet_ShowData", [&] {
    const RadioInfoView view = ShowRadioInfo(record().ModelInfo);
    d_->fields.show(view);
    d_->versionBox->setText(FieldText(view.version));
  });
}

void FrmRadioInfoSet::StoreData() {
  guarded("FrmRadioInfoSet_StoreData", [&] {
    // Closing by key or the title bar leaves the version box without its focus ever going: it
    // gets the rule it would have got on leaving.
    if (d_->versionBox->hasFocus()) d_->versionBoxLeft();
    const RadioInfoFields& f = d_->fields;
    const RadioInfoInput input{FieldBytes(f.modelCombo->currentText()),
                               FieldBytes(f.bandCombo->currentText()),
                               FieldBytes(f.dateBox->text()), FieldBytes(d_->versionBox->text())};
    edit([&](RadioConfig& r) { StoreRadioInfo(r.ModelInfo, input); });
  });
}

void FrmRadioInfoSet::done(int result) {
  StoreData();
  QDialog::done(result);
}

}  // namespace kr4100
