// SPDX-License-Identifier: GPL-3.0-or-later
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
  QTabWidget* tabs = nullptr;
  // Kept by field number; each field has a label and a list, a check box, or a text box.
  QLabel* fieldLabels[kFields] = {};
  QComboBox* fieldLists[kFields] = {};
  QCheckBox* fieldChecks[kFields] = {};
  QLineEdit* idCodeBox = nullptr;
  QLineEdit* stunCodeBox = nullptr;
  QGroupBox* stunFrame = nullptr;
  QTableWidget* grid = nullptr;  // the autodial memory
  FloatingCellEditor* cellEditor = nullptr;
  bool shown = false;       // controls filled: picks may be stored
  bool checkingId = false;  // the refusal message takes the focus: no second check

  const DtmfSettings& block() const { return q->record().Dtmf; }

  void createControls();
  QWidget* createPage(std::span<const DtmfField> fields, QFormLayout*& form);
  void addControl(QFormLayout* form, DtmfField field);
  void createGrid(QWidget* page);
  void showLists();
  void listPicked(DtmfField field, int index);
  void storeIdCode(IdCodeCommitBy by);
  void storeStunCode();
  void autodialCommitted(int row, const QString& text);
};

void FrmDTMF::Impl::addControl(QFormLayout* form, DtmfField field) {
  const int n = Num(field);
  QWidget* page = form->parentWidget();
  switch (ControlOf(field)) {
    case DtmfControl::CheckBox: {
      fieldChecks[n] = new QCheckBox(page);
      fieldChecks[n]->setObjectName(QStringLiteral("Check1_%1").arg(n));
      EnterMovesFocus(fieldChecks[n]);
      QObject::connect(fieldChecks[n], &QCheckBox::clicked, q, [this, field](bool checked) {
        q->guarded("FrmDTMF_Check1_Click", [&] {
          if (shown) q->edit([&](RadioConfig& r) { StoreDtmfCheck(r.Dtmf, field, checked); });
        });
      });
      form->addRow(fieldChecks[n]);
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
      q->commitOnFocusOut(edit,
                          box == DtmfBox::IdCode ? "FrmDTMF_TextIdCode_LostFocus"
                                                 : "FrmDTMF_TextStunCode_LostFocus",
                          [this, box] {
                            if (!shown) return;
                            if (box == DtmfBox::IdCode)
                              storeIdCode(IdCodeCommitBy::LeavingBox);
                            else
                              storeStunCode();
                          });
      (box == DtmfBox::IdCode ? idCodeBox : stunCodeBox) = edit;
      fieldLabels[n] = new QLabel(page);
      fieldLabels[n]->setObjectName(QStringLiteral("Label1_%1").arg(n));
      fieldLabels[n]->setBuddy(edit);
      form->addRow(fieldLabels[n], edit);
      return;
    }
    case DtmfControl::List: {
      fieldLists[n] = new QComboBox(page);
      fieldLists[n]->setObjectName(QStringLiteral("Combo1_%1").arg(n));
      fieldLists[n]->setSizeAdjustPolicy(QComboBox::AdjustToContents);
      fieldLists[n]->setMaxVisibleItems(20);
      EnterMovesFocus(fieldLists[n]);
      QObject::connect(fieldLists[n], &QComboBox::activated, q, [this, field](int index) {
        q->guarded("FrmDTMF_Combo1_Click", [&] { listPicked(field, index); });
      });
      fieldLabels[n] = new QLabel(page);
      fieldLabels[n]->setObjectName(QStringLiteral("Label1_%1").arg(n));
      fieldLabels[n]->setBuddy(fieldLists[n]);
      form->addRow(fieldLabels[n], fieldLists[n]);
      return;
    }
  }
}

QWidget* FrmDTMF::Impl::createPage(std::span<const DtmfField> fields, QFormLayout*& form) {
  auto* page = new QWidget(tabs);
  form = new QFormLayout(page);
  form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  form->setVerticalSpacing(TwipsToPixels(120));
  for (DtmfField field : fields) addControl(form, field);
  return page;
}

void FrmDTMF::Impl::createGrid(QWidget* page) {
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
  cellEditor = new FloatingCellEditor(grid);
  QObject::connect(
      cellEditor, &FloatingCellEditor::committed, q, [this](int row, int, const QString& text) {
        q->guarded("FrmDTMF_MSFlexGrid1_Commit", [&] { autodialCommitted(row, text); });
      });
  QLineEdit* box = cellEditor->box();
  box->setMaxLength(kAutodialDigitsLength);
  cellEditor->setKeyFilter(
      [box](QKeyEvent* key) { return RefusedDtmfKey(box, DtmfBox::AutodialCell, key); });
  // Enter goes down the grid to the next row's digits; from the last row it moves on as Tab.
  QObject::connect(cellEditor, &FloatingCellEditor::enterPressed, q, [this, box] {
    const int row = cellEditor->editRow();
    if (row >= 1 && row < kAutodialRows) {
      grid->setCurrentCell(row, 1);
      return;
    }
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(box, &tab);
  });
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(grid);
  // Tall enough for the heading and the eight rows without scrolling.
  grid->setMinimumHeight(grid->horizontalHeader()->sizeHint().height() +
                         kAutodialRows * grid->verticalHeader()->defaultSectionSize() +
                         2 * grid->frameWidth());
}

void FrmDTMF::Impl::createControls() {
  tabs = new QTabWidget(q);
  tabs->setObjectName(QStringLiteral("SSTab1"));

  QFormLayout* encode = nullptr;
  tabs->addTab(createPage(kEncodeFields, encode), QString());

  QFormLayout* decode = nullptr;
  QWidget* decodePage = createPage(kDecodeFields, decode);
  stunFrame = new QGroupBox(decodePage);
  stunFrame->setObjectName(QStringLiteral("FrameStun"));
  auto* stun = new QFormLayout(stunFrame);
  stun->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  stun->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  for (DtmfField field : kStunFields) addControl(stun, field);
  decode->addRow(stunFrame);
  tabs->addTab(decodePage, QString());

  auto* autodialPage = new QWidget(tabs);
  createGrid(autodialPage);
  tabs->addTab(autodialPage, QString());

  stunCodeBox->setMinimumWidth(idCodeBox->sizeHint().width());

  auto* buttons = q->closeAndHelpRow();
  auto* layout = new QVBoxLayout(q);
  layout->addWidget(tabs, 1);
  layout->addLayout(buttons);
}

// The lists in the language in force, each showing the record's value.
void FrmDTMF::Impl::showLists() {
  const DtmfSettings& b = block();
  for (int n = 1; n < kFields; ++n) {
    const auto field = static_cast<DtmfField>(n);
    if (fieldLists[n]) {
      QComboBox* box = fieldLists[n];
      const QSignalBlocker quiet(box);
      box->clear();
      for (const std::string& item : DtmfItemTexts(field, ctx.language()))
        box->addItem(QString::fromStdString(item));
      // A value no item stands for shows the first item; it stays stored until a pick.
      box->setCurrentIndex(DtmfItemIndexOfStored(b, field).value_or(0));
    }
    if (fieldChecks[n]) {
      const QSignalBlocker quiet(fieldChecks[n]);
      fieldChecks[n]->setChecked(DtmfChecked(b, field));
    }
  }
  // The lists of a page line up at the width of the widest one, in the language shown.
  int widest = 0;
  for (QComboBox* box : fieldLists)
    if (box) widest = std::max(widest, box->sizeHint().width());
  for (QComboBox* box : fieldLists)
    if (box) box->setMinimumWidth(widest);
}

void FrmDTMF::Impl::listPicked(DtmfField field, int index) {
  if (shown) q->edit([&](RadioConfig& r) { StoreDtmfPick(r.Dtmf, field, index); });
}

void FrmDTMF::Impl::storeIdCode(IdCodeCommitBy by) {
  if (checkingId) return;
  checkingId = true;
  const std::string text = idCodeBox->text().toLatin1().toStdString();
  const IdCodeCommit result =
      q->edit([&](RadioConfig& r) { return CommitIdCode(r.Dtmf, text, by); });
  if (result == IdCodeCommit::Refused) {
    ctx.tell(MessageId::InvalidData, MsgIcon::Critical);
    idCodeBox->setText(QString::fromLatin1(kIdCodeDefault));
  }
  checkingId = false;
}

void FrmDTMF::Impl::storeStunCode() {
  const std::string text = stunCodeBox->text().toLatin1().toStdString();
  q->edit([&](RadioConfig& r) { CommitStunCode(r.Dtmf, text); });
}

void FrmDTMF::Impl::autodialCommitted(int row, const QString& text) {
  if (row < 1 || row > kAutodialRows) return;
  grid->item(row - 1, 1)->setText(text);
  const std::string digits = text.toLatin1().toStdString();
  q->edit([&](RadioConfig& r) { CommitAutodial(r, row, digits); });
}

FrmDTMF::FrmDTMF(UiContext& ctx, QWidget* parent)
    : QWidget(parent), EditorWindow(this, ctx, "FrmDTMF"), d_(std::make_unique<Impl>(this, ctx)) {
  guarded("FrmDTMF_Form_Load", [&] {
    d_->createControls();
    reCaption();
    resize(sizeHint());
  });
}

FrmDTMF::~FrmDTMF() {
  // The grid's teardown moves its current cell and the focus: nothing of it may commit.
  if (d_->cellEditor) d_->cellEditor->stop();
  // The boxes outlive this body; leaving one as the window goes finds the window detached.
  leave();
}

void FrmDTMF::reCaption() {
  Impl& d = *d_;
  setWindowTitle(ctx().pick(kDtmfCaption));
  for (int t = 0; t < d.tabs->count(); ++t)
    d.tabs->setTabText(t, ctx().pick(kDtmfTabs[static_cast<std::size_t>(t)]));
  for (int n = 1; n < kFields; ++n) {
    const QString caption = ctx().pick(DtmfCaption(static_cast<DtmfField>(n)));
    if (QLabel* label = d.fieldLabels[n]) {
      label->setText(caption);
      // Latin letters and CJK in one caption are drawn a few pixels wider than they measure
      // (hinting of the fallback font); the slack keeps the closing bracket in view.
      label->setMinimumWidth(label->fontMetrics().horizontalAdvance(caption) +
                             label->fontMetrics().averageCharWidth());
    }
    if (d.fieldChecks[n]) d.fieldChecks[n]->setText(caption);
    if (d.fieldLists[n]) d.fieldLists[n]->setAccessibleName(caption);
  }
  d.idCodeBox->setAccessibleName(ctx().pick(DtmfCaption(DtmfField::IdCode)));
  d.stunCodeBox->setAccessibleName(ctx().pick(DtmfCaption(DtmfField::StunCode)));
  d.stunFrame->setTitle(ctx().pick(kStunFrameCaption));
  const QString digits = ctx().pick(kAutodialDigitsHeading);
  d.grid->setHorizontalHeaderLabels({ctx().pick(kAutodialNoHeading), digits});
  d.grid->setAccessibleName(digits);
  d.cellEditor->box()->setAccessibleName(digits);
  captionCloseAndHelp();
  d.grid->resizeColumnToContents(0);
  ReShowData();
}

void FrmDTMF::ReShowData() {
  if (!d_->grid) return;
  guarded("FrmDTMF_ShowData", [&] {
    const DtmfSettings& b = d_->block();
    d_->showLists();
    d_->idCodeBox->setText(QString::fromLatin1(IdCodeShownText(b)));
    d_->stunCodeBox->setText(QString::fromLatin1(StunCodeShownText(b)));
    d_->cellEditor->forget();
    const auto rows = AutodialRowTexts(record());
    for (int r = 0; r < kAutodialRows; ++r)
      d_->grid->item(r, 1)->setText(QString::fromLatin1(rows[static_cast<std::size_t>(r)]));
    d_->shown = true;
  });
}

void FrmDTMF::commitPendingEdit() {
  if (!d_->shown) return;
  d_->storeIdCode(IdCodeCommitBy::Program);
  d_->storeStunCode();
  d_->cellEditor->commit();
}

}  // namespace kr4100
