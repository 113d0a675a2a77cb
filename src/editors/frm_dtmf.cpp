#include "editors/frm_dtmf.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <span>

#include "core/config/dtmf_edit.h"
#include "gui/editor_support.h"
#include "gui/floating_cell_editor.h"
#include "gui/key_filters.h"
#include "gui/twips.h"

namespace kr4100 {
namespace {

constexpr int kFields = kDtmfFieldCount + 1;  // controls are kept by field number, 1..14
constexpr int kCellWidthTwips = 3000;         // the digits column: 16 characters and a margin

constexpr DtmfField kEncodeFields[] = {DtmfField::DtmfSpeed,       DtmfField::FirstDigitTime,
                                       DtmfField::FirstDigitDelay, DtmfField::StarHashTime,
                                       DtmfField::DCodeAssign,     DtmfField::DtmfSideTone};
constexpr DtmfField kDecodeFields[] = {DtmfField::IdCode,         DtmfField::GroupCode,
                                       DtmfField::AutoResetTimer, DtmfField::CallAlert,
                                       DtmfField::Transpond,      DtmfField::ClearToTranspond};
constexpr DtmfField kStunFields[] = {DtmfField::StunCode, DtmfField::StunType};

int Num(DtmfField field) {
  return static_cast<int>(field);
}

// The key rules of the three boxes. Enter is left to the box's own handling (it moves on); a
// lower-case "a"-"d" is typed again as its capital, so the box's length limit and its edit
// signals see an ordinary key.
bool RefusedDtmfKey(QLineEdit* edit, DtmfBox box, QKeyEvent* key) {
  if (IsEnterKey(key)) return false;
  if (key->modifiers().testFlag(Qt::ControlModifier) &&
      (key->key() == Qt::Key_C || key->key() == Qt::Key_V || key->key() == Qt::Key_X))
    return true;
  const QString text = key->text();
  if (text.isEmpty()) return false;  // movement keys carry no character
  const char32_t code = text.toUcs4().value(0);
  const auto typed = DtmfTypedChar(box, code);
  if (!typed) return true;
  if (*typed == code) return false;
  QKeyEvent raised(QEvent::KeyPress, Qt::Key_A + static_cast<int>(*typed - U'A'), Qt::NoModifier,
                   QString(QChar(static_cast<char16_t>(*typed))));
  QCoreApplication::sendEvent(edit, &raised);
  return true;
}

}  // namespace

class FrmDTMF::Impl {
 public:
  Impl(FrmDTMF* window, UiContext& context) : q(window), ctx(context) {}

  FrmDTMF* q;
  UiContext& ctx;
  QTabWidget* sstab1 = nullptr;
  QLabel* label1[kFields] = {};
  QComboBox* combo1[kFields] = {};
  QCheckBox* check1[kFields] = {};
  QLineEdit* textIdCode = nullptr;
  QLineEdit* textStunCode = nullptr;
  QGroupBox* frameStun = nullptr;
  QTableWidget* grid = nullptr;
  FloatingCellEditor* cell = nullptr;
  QPushButton* commandClose = nullptr;
  QPushButton* commandHelp = nullptr;
  bool shown = false;       // controls filled: picks may be stored
  bool checkingId = false;  // the refusal message takes the focus: no second check

  RadioConfig& rec() { return ctx.doc().working(); }
  DtmfSettings& block() { return rec().Dtmf; }

  void build();
  QWidget* buildPage(std::span<const DtmfField> fields, QFormLayout*& form);
  void addControl(QFormLayout* form, DtmfField field);
  void buildGrid(QWidget* page);
  void reCaption();
  void ShowData();
  void Combo1_Click(DtmfField field, int index);
  void IdCode_Validate(IdCodeCommitBy by);
  void StunCode_Validate();
  void MSFlexGrid1_Commit(int row, const QString& text);
};

void FrmDTMF::Impl::addControl(QFormLayout* form, DtmfField field) {
  const int n = Num(field);
  QWidget* page = form->parentWidget();
  switch (ControlOf(field)) {
    case DtmfControl::CheckBox: {
      check1[n] = new QCheckBox(page);
      check1[n]->setObjectName(QStringLiteral("Check1_%1").arg(n));
      EnterMovesFocus(check1[n]);
      QObject::connect(check1[n], &QCheckBox::clicked, q, [this, field](bool checked) {
        Guarded(ctx, "FrmDTMF_Check1_Click", [&] {
          if (shown) StoreDtmfCheck(block(), field, checked);
        });
      });
      form->addRow(check1[n]);
      return;
    }
    case DtmfControl::TextBox: {
      auto* edit = new QLineEdit(page);
      const DtmfBox box = field == DtmfField::IdCode ? DtmfBox::IdCode : DtmfBox::StunCode;
      edit->setObjectName(box == DtmfBox::IdCode ? QStringLiteral("TextIdCode")
                                                 : QStringLiteral("TextStunCode"));
      if (box == DtmfBox::IdCode) edit->setMaxLength(kIdCodeLength);
      // The stun code box has no limit of its own; the stored code keeps the first 10.
      RestrictToTypedKeys(edit,
                          [edit, box](QKeyEvent* key) { return RefusedDtmfKey(edit, box, key); });
      EnterMovesFocus(edit);
      edit->installEventFilter(q);
      (box == DtmfBox::IdCode ? textIdCode : textStunCode) = edit;
      label1[n] = new QLabel(page);
      label1[n]->setObjectName(QStringLiteral("Label1_%1").arg(n));
      label1[n]->setBuddy(edit);
      form->addRow(label1[n], edit);
      return;
    }
    case DtmfControl::List: {
      combo1[n] = new QComboBox(page);
      combo1[n]->setObjectName(QStringLiteral("Combo1_%1").arg(n));
      combo1[n]->setSizeAdjustPolicy(QComboBox::AdjustToContents);
      combo1[n]->setMaxVisibleItems(20);
      EnterMovesFocus(combo1[n]);
      QObject::connect(combo1[n], &QComboBox::activated, q, [this, field](int index) {
        Guarded(ctx, "FrmDTMF_Combo1_Click", [&] { Combo1_Click(field, index); });
      });
      label1[n] = new QLabel(page);
      label1[n]->setObjectName(QStringLiteral("Label1_%1").arg(n));
      label1[n]->setBuddy(combo1[n]);
      form->addRow(label1[n], combo1[n]);
      return;
    }
  }
}

QWidget* FrmDTMF::Impl::buildPage(std::span<const DtmfField> fields, QFormLayout*& form) {
  auto* page = new QWidget(sstab1);
  form = new QFormLayout(page);
  form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  form->setVerticalSpacing(TwipsToPixels(120));
  for (DtmfField field : fields) addControl(form, field);
  return page;
}

void FrmDTMF::Impl::buildGrid(QWidget* page) {
  grid = new QTableWidget(kAutodialRows, 2, page);
  grid->setObjectName(QStringLiteral("MSFlexGrid1"));
  grid->verticalHeader()->hide();
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setSelectionMode(QAbstractItemView::NoSelection);
  grid->setTabKeyNavigation(false);  // Tab leaves the grid, arrows and Enter move in it
  grid->horizontalHeader()->setStretchLastSection(true);
  grid->horizontalHeader()->setSectionsClickable(false);
  // The number column is fixed: never current, never edited, looked at like a heading.
  FillNumberedGrid(grid, kAutodialRows, Qt::AlignLeft | Qt::AlignVCenter);
  grid->setColumnWidth(1, TwipsToPixels(kCellWidthTwips));
  // Row 1 is current before the editor listens, so showing the grid or tabbing into it opens
  // nothing; a click on row 1 or Enter opens it.
  grid->setCurrentCell(0, 1);
  cell = new FloatingCellEditor(grid, [this](int row, int, const QString& text) {
    Guarded(ctx, "FrmDTMF_MSFlexGrid1_Commit", [&] { MSFlexGrid1_Commit(row, text); });
  });
  QLineEdit* box = cell->box();
  box->setMaxLength(kAutodialDigitsLength);
  cell->setKeyFilter(
      [box](QKeyEvent* key) { return RefusedDtmfKey(box, DtmfBox::AutodialCell, key); });
  // Enter goes down the grid to the next row's digits; from the last row it moves on as Tab.
  cell->enterPressed = [this, box] {
    const int row = cell->editRow();
    if (row >= 1 && row < kAutodialRows) {
      grid->setCurrentCell(row, 1);
      return;
    }
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(box, &tab);
  };
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(grid);
  // Tall enough for the heading and the eight rows without scrolling.
  grid->setMinimumHeight(grid->horizontalHeader()->sizeHint().height() +
                         kAutodialRows * grid->verticalHeader()->defaultSectionSize() +
                         2 * grid->frameWidth());
}

void FrmDTMF::Impl::build() {
  q->setObjectName(QStringLiteral("FrmDTMF"));
  sstab1 = new QTabWidget(q);
  sstab1->setObjectName(QStringLiteral("SSTab1"));

  QFormLayout* encode = nullptr;
  sstab1->addTab(buildPage(kEncodeFields, encode), QString());

  QFormLayout* decode = nullptr;
  QWidget* decodePage = buildPage(kDecodeFields, decode);
  frameStun = new QGroupBox(decodePage);
  frameStun->setObjectName(QStringLiteral("FrameStun"));
  auto* stun = new QFormLayout(frameStun);
  stun->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  stun->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  for (DtmfField field : kStunFields) addControl(stun, field);
  decode->addRow(frameStun);
  sstab1->addTab(decodePage, QString());

  auto* autodialPage = new QWidget(sstab1);
  buildGrid(autodialPage);
  sstab1->addTab(autodialPage, QString());

  textStunCode->setMinimumWidth(textIdCode->sizeHint().width());

  auto* buttons = CloseAndHelpRow(q, commandClose, commandHelp);
  auto* layout = new QVBoxLayout(q);
  layout->addWidget(sstab1, 1);
  layout->addLayout(buttons);
}

void FrmDTMF::Impl::reCaption() {
  q->setWindowTitle(ctx.pick(kDtmfCaption));
  for (int t = 0; t < sstab1->count(); ++t)
    sstab1->setTabText(t, ctx.pick(kDtmfTabs[static_cast<std::size_t>(t)]));
  for (int n = 1; n < kFields; ++n) {
    const QString caption = ctx.pick(DtmfCaption(static_cast<DtmfField>(n)));
    if (label1[n]) {
      label1[n]->setText(caption);
      // Latin letters and CJK in one caption are drawn a few pixels wider than they measure
      // (hinting of the fallback font); the slack keeps the closing bracket in view.
      label1[n]->setMinimumWidth(label1[n]->fontMetrics().horizontalAdvance(caption) +
                                 label1[n]->fontMetrics().averageCharWidth());
    }
    if (check1[n]) check1[n]->setText(caption);
    if (combo1[n]) combo1[n]->setAccessibleName(caption);
  }
  textIdCode->setAccessibleName(ctx.pick(DtmfCaption(DtmfField::IdCode)));
  textStunCode->setAccessibleName(ctx.pick(DtmfCaption(DtmfField::StunCode)));
  frameStun->setTitle(ctx.pick(kStunFrameCaption));
  const QString digits = ctx.pick(kAutodialDigitsHeading);
  grid->setHorizontalHeaderLabels({ctx.pick(kAutodialNoHeading), digits});
  grid->setAccessibleName(digits);
  cell->box()->setAccessibleName(digits);
  commandClose->setText(ctx.msg(MessageId::CloseButton));
  commandHelp->setText(ctx.msg(MessageId::HelpButton));
  grid->resizeColumnToContents(0);
  ShowData();
}

void FrmDTMF::Impl::ShowData() {
  Guarded(ctx, "FrmDTMF_ShowData", [&] {
    const DtmfSettings& b = block();
    for (int n = 1; n < kFields; ++n) {
      const auto field = static_cast<DtmfField>(n);
      if (combo1[n]) {
        QComboBox* box = combo1[n];
        const QSignalBlocker quiet(box);
        box->clear();
        for (const std::string& item : DtmfItemTexts(field, ctx.language()))
          box->addItem(QString::fromStdString(item));
        // A value no item stands for shows the first item; it stays stored until a pick.
        box->setCurrentIndex(DtmfItemIndexOfStored(b, field).value_or(0));
      }
      if (check1[n]) {
        const QSignalBlocker quiet(check1[n]);
        check1[n]->setChecked(DtmfChecked(b, field));
      }
    }
    // The lists of a page line up at the width of the widest one, in the language shown.
    int widest = 0;
    for (QComboBox* box : combo1)
      if (box) widest = std::max(widest, box->sizeHint().width());
    for (QComboBox* box : combo1)
      if (box) box->setMinimumWidth(widest);
    textIdCode->setText(QString::fromLatin1(IdCodeShownText(b)));
    textStunCode->setText(QString::fromLatin1(StunCodeShownText(b)));
    cell->forget();
    const auto rows = AutodialRowTexts(rec());
    for (int r = 0; r < kAutodialRows; ++r)
      grid->item(r, 1)->setText(QString::fromLatin1(rows[static_cast<std::size_t>(r)]));
    shown = true;
  });
}

void FrmDTMF::Impl::Combo1_Click(DtmfField field, int index) {
  if (shown) StoreDtmfPick(block(), field, index);
}

void FrmDTMF::Impl::IdCode_Validate(IdCodeCommitBy by) {
  if (checkingId) return;
  checkingId = true;
  const IdCodeCommit result =
      CommitIdCode(block(), textIdCode->text().toLatin1().toStdString(), by);
  if (result == IdCodeCommit::Refused) {
    ctx.tell(MessageId::InvalidData, MsgIcon::Critical);
    textIdCode->setText(QString::fromLatin1(kIdCodeDefault));
  }
  checkingId = false;
}

void FrmDTMF::Impl::StunCode_Validate() {
  CommitStunCode(block(), textStunCode->text().toLatin1().toStdString());
}

void FrmDTMF::Impl::MSFlexGrid1_Commit(int row, const QString& text) {
  if (row < 1 || row > kAutodialRows) return;
  grid->item(row - 1, 1)->setText(text);
  CommitAutodial(rec(), row, text.toLatin1().toStdString());
}

FrmDTMF::FrmDTMF(UiContext& ctx, QWidget* parent) : QWidget(parent), d_(new Impl(this, ctx)) {
  Guarded(ctx, "FrmDTMF_Form_Load", [&] {
    d_->build();
    reCaption();
    resize(sizeHint());
  });
  ctx.doc().addObserver(this);
}

FrmDTMF::~FrmDTMF() {
  // The grid's teardown moves its current cell and the focus: nothing of it may commit.
  if (d_->cell) d_->cell->stop();
  Guarded(d_->ctx, "FrmDTMF_Form_Unload", [&] {
    if (d_->shown) {
      d_->IdCode_Validate(IdCodeCommitBy::Program);
      d_->StunCode_Validate();
    }
  });
  // The boxes outlive this body; leaving one as the window goes must find nothing to store into.
  for (QLineEdit* box : {d_->textIdCode, d_->textStunCode}) {
    if (!box) continue;
    box->removeEventFilter(this);
    box->disconnect(this);
  }
  d_->shown = false;
  d_->ctx.doc().removeObserver(this);
  delete d_;
  d_ = nullptr;
}

void FrmDTMF::reCaption() {
  d_->reCaption();
}

void FrmDTMF::ReShowData() {
  if (d_->grid) d_->ShowData();
}

void FrmDTMF::commitPendingEdit() {
  if (!d_->shown) return;
  d_->IdCode_Validate(IdCodeCommitBy::Program);
  d_->StunCode_Validate();
  d_->cell->commit();
}

void FrmDTMF::closeEvent(QCloseEvent* event) {
  Guarded(d_->ctx, "FrmDTMF_Form_Unload", [&] { commitPendingEdit(); });
  QWidget::closeEvent(event);
}

bool FrmDTMF::eventFilter(QObject* watched, QEvent* event) {
  // A menu or a list's popup takes the focus for a moment only.
  if (event->type() == QEvent::FocusOut &&
      static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason && d_ && d_->shown) {
    if (watched == d_->textIdCode)
      Guarded(d_->ctx, "FrmDTMF_TextIdCode_LostFocus",
              [&] { d_->IdCode_Validate(IdCodeCommitBy::LeavingBox); });
    else if (watched == d_->textStunCode)
      Guarded(d_->ctx, "FrmDTMF_TextStunCode_LostFocus", [&] { d_->StunCode_Validate(); });
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace kr4100
