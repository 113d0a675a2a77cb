#include "editors/frm_fleet_sync.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStringList>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/config/fleet_sync_edit.h"
#include "gui/editor_support.h"
#include "gui/floating_cell_editor.h"
#include "gui/key_filters.h"
#include "gui/twips.h"

namespace kr4100 {
namespace {

constexpr int kGridRows = kFleetListSlots;
constexpr int kVisibleItems = 16;  // the long number lists scroll rather than fill the screen
const QString kBlankItem = QStringLiteral(" ");

}  // namespace

class FrmFleetSync::Impl {
 public:
  Impl(FrmFleetSync* window, UiContext& context) : q(window), ctx(context) {}

  FrmFleetSync* q;
  UiContext& ctx;
  QTabWidget* tabs = nullptr;
  QLabel* label1[kFleetSyncListCount] = {};
  QComboBox* combo1[kFleetSyncListCount] = {};
  QCheckBox* check1 = nullptr;
  QTableWidget* grid = nullptr;
  FloatingCellEditor* editor = nullptr;
  QPushButton* commandClose = nullptr;
  QPushButton* commandHelp = nullptr;
  OwnLists own;        // the blank head items and what the own lists show
  bool shown = false;  // the lists are filled and may be stored from

  RadioConfig& rec() { return ctx.doc().working(); }
  QComboBox* combo(FleetSyncList list) { return combo1[static_cast<int>(list)]; }

  void build();
  void fillLists();
  void showOwnLists();
  void ShowData();
  void Combo1_Click(int k, int index);
  void pickOwnFleet(int shown);
  void Text1_Commit(int row, int col, const QString& text);
  bool Text1_KeyPress(QKeyEvent* key);
};

void FrmFleetSync::Impl::build() {
  q->setObjectName(QStringLiteral("FrmFleetSync"));
  tabs = new QTabWidget(q);
  tabs->setObjectName(QStringLiteral("SSTab1"));

  auto* page1 = new QWidget;
  page1->setObjectName(QStringLiteral("TabFleetSync"));
  auto* form = new QFormLayout(page1);
  form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  for (int k = 0; k < kFleetSyncListCount; ++k) {
    label1[k] = new QLabel(page1);
    label1[k]->setObjectName(QStringLiteral("Label1_%1").arg(k));
    combo1[k] = new QComboBox(page1);
    combo1[k]->setObjectName(QStringLiteral("Combo1_%1").arg(k));
    combo1[k]->setMaxVisibleItems(kVisibleItems);
    label1[k]->setBuddy(combo1[k]);
    EnterMovesFocus(combo1[k]);
    form->addRow(label1[k], combo1[k]);
    // The user's pick only: showing a value must never store it.
    QObject::connect(combo1[k], &QComboBox::activated, q, [this, k](int index) {
      Guarded(ctx, "FrmFleetSync_Combo1_Click", [&] { Combo1_Click(k, index); });
    });
  }
  // Once a fleet is chosen the blank item is gone from the list; Delete chooses "none" again.
  combo(FleetSyncList::OwnFleet)->installEventFilter(q);
  check1 = new QCheckBox(page1);
  check1->setObjectName(QStringLiteral("Check1"));
  EnterMovesFocus(check1);
  form->addRow(check1);
  QObject::connect(check1, &QCheckBox::clicked, q, [this](bool on) {
    Guarded(ctx, "FrmFleetSync_Check1_Click", [&] { rec().Fleet.PttIdSideTone = on ? 1 : 0; });
  });

  auto* page2 = new QWidget;
  page2->setObjectName(QStringLiteral("TabFleetList"));
  grid = new QTableWidget(kGridRows, 3, page2);
  grid->setObjectName(QStringLiteral("MSFlexGrid1"));
  grid->verticalHeader()->hide();
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid->setTabKeyNavigation(false);
  for (int r = 0; r < kGridRows; ++r) {
    auto* number = new QTableWidgetItem(QString::number(r + 1));
    number->setFlags(Qt::ItemIsEnabled);
    number->setTextAlignment(Qt::AlignCenter);
    grid->setItem(r, 0, number);
    for (int c = 1; c <= 2; ++c) grid->setItem(r, c, new QTableWidgetItem);
  }
  // Column 0 as wide as its heading needs; the fleet and ID columns share the rest evenly.
  grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  grid->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
  grid->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
  grid->setMinimumHeight(grid->horizontalHeader()->sizeHint().height() +
                         grid->verticalHeader()->defaultSectionSize() * kGridRows +
                         2 * grid->frameWidth());
  editor = new FloatingCellEditor(grid, [this](int row, int col, const QString& text) {
    Guarded(ctx, "FrmFleetSync_Text1_Validate", [&] { Text1_Commit(row, col, text); });
  });
  editor->box()->setMaxLength(kFleetCellMaxLength);
  editor->setSelectAllOnFocus(true);
  editor->setKeyFilter([this](QKeyEvent* key) { return Text1_KeyPress(key); });
  auto* page2Layout = new QVBoxLayout(page2);
  page2Layout->addWidget(grid);
  page2Layout->addStretch(1);

  tabs->addTab(page1, QString());
  tabs->addTab(page2, QString());

  auto* buttons = CloseAndHelpRow(q, commandClose, commandHelp);
  auto* layout = new QVBoxLayout(q);
  layout->addWidget(tabs);
  layout->addLayout(buttons);
}

void FrmFleetSync::Impl::fillLists() {
  for (int k = 0; k < kFleetSyncListCount; ++k) {
    QComboBox* box = combo1[k];
    const QSignalBlocker block(box);
    QStringList items;
    for (const std::string& text :
         ItemTexts(FleetSyncItems(static_cast<FleetSyncList>(k)), ctx.language()))
      items << QString::fromStdString(text);
    box->clear();
    box->addItems(items);
  }
}

// Puts the blank head items in or takes them out as `own` says, and shows its choices.
void FrmFleetSync::Impl::showOwnLists() {
  const struct {
    QComboBox* box;
    bool head;
    int shown;
  } lists[] = {{combo(FleetSyncList::OwnFleet), own.fleetHead, own.fleet},
               {combo(FleetSyncList::OwnId), own.idHead, own.id}};
  for (const auto& list : lists) {
    const QSignalBlocker block(list.box);
    const bool hasHead = list.box->count() > 0 && list.box->itemText(0) == kBlankItem;
    if (list.head && !hasHead) list.box->insertItem(0, kBlankItem);
    if (!list.head && hasHead) list.box->removeItem(0);
    list.box->setCurrentIndex(OwnListPosition(list.head, list.shown));
  }
}

void FrmFleetSync::Impl::ShowData() {
  Guarded(ctx, "FrmFleetSync_ShowData", [&] {
    shown = false;
    editor->forget();
    fillLists();
    const FleetSyncSettings& s = rec().Fleet;
    own = ShownOwnLists(s);
    showOwnLists();
    const std::pair<FleetSyncList, long> plain[] = {{FleetSyncList::BaudRate, s.BaudRate},
                                                    {FleetSyncList::ModDelay, s.DataTxModDelay},
                                                    {FleetSyncList::MsgTimer, s.MsgModeTimer}};
    for (const auto& [list, value] : plain) {
      const QSignalBlocker block(combo(list));
      const auto position = ItemIndexOfStored(FleetSyncItems(list), static_cast<int>(value));
      combo(list)->setCurrentIndex(position.value_or(-1));
    }
    check1->setChecked(s.PttIdSideTone != 0);

    for (int r = 0; r < kGridRows; ++r)
      for (int c = 1; c <= 2; ++c) grid->item(r, c)->setText(QString());
    const RadioConfig& r = rec();
    const int count = std::clamp<int>(r.FleetListCount, 0, kFleetListSlots);
    for (int i = 0; i < count; ++i) {
      const FleetListEntry& e = r.FleetList[static_cast<std::size_t>(i)];
      if (e.Row < 1 || e.Row > kGridRows) continue;
      grid->item(e.Row - 1, 1)->setText(
          QString::fromStdString(FleetCellText(e.Fleet, FleetColumn::Fleet, ctx.language())));
      // A stored ID beyond a 16-bit value has no number the grid could show.
      const Integer id = e.Id >= 0 && e.Id <= 0x7FFF ? static_cast<Integer>(e.Id) : kFleetCellBlank;
      grid->item(e.Row - 1, 2)->setText(
          QString::fromStdString(FleetCellText(id, FleetColumn::Id, ctx.language())));
    }
    shown = true;
  });
}

void FrmFleetSync::Impl::Combo1_Click(int k, int index) {
  if (!shown || index < 0) return;
  FleetSyncSettings& s = rec().Fleet;
  const auto list = static_cast<FleetSyncList>(k);
  if (list == FleetSyncList::OwnFleet) {
    pickOwnFleet(OwnListShown(own.fleetHead, index));
    return;
  }
  if (list == FleetSyncList::OwnId) {
    const OwnPick pick = PickOwnId(own, s, OwnListShown(own.idHead, index));
    own = pick.lists;
    s = pick.settings;
    showOwnLists();
    return;
  }
  const auto value = StoredOfItemIndex(FleetSyncItems(list), index);
  if (!value) return;
  if (list == FleetSyncList::BaudRate) s.BaudRate = static_cast<Integer>(*value);
  if (list == FleetSyncList::ModDelay) s.DataTxModDelay = *value;
  if (list == FleetSyncList::MsgTimer) s.MsgModeTimer = *value;
}

void FrmFleetSync::Impl::pickOwnFleet(int fleet) {
  FleetSyncSettings& s = rec().Fleet;
  const OwnPick pick = PickOwnFleet(own, s, fleet);
  own = pick.lists;
  s = pick.settings;
  showOwnLists();
}

void FrmFleetSync::Impl::Text1_Commit(int row, int col, const QString& text) {
  if (!shown || row < 1 || row > kGridRows || col < 1 || col > 2) return;
  RadioConfig& r = rec();
  FleetListState list{r.FleetListCount, r.FleetList};
  FleetRowCells cells{grid->item(row - 1, 1)->text().toStdString(),
                      grid->item(row - 1, 2)->text().toStdString()};
  const FleetCommit done = CommitFleetCell(list, row, static_cast<FleetColumn>(col),
                                           text.toStdString(), cells, ctx.language());
  r.FleetListCount = done.list.count;
  r.FleetList = done.list.entries;
  grid->item(row - 1, 1)->setText(QString::fromStdString(done.cells.fleet));
  grid->item(row - 1, 2)->setText(QString::fromStdString(done.cells.id));
}

bool FrmFleetSync::Impl::Text1_KeyPress(QKeyEvent* key) {
  if (key->modifiers().testFlag(Qt::ControlModifier) &&
      (key->key() == Qt::Key_C || key->key() == Qt::Key_V || key->key() == Qt::Key_X))
    return true;
  if (IsEnterKey(key)) return false;  // the cell box moves on with it
  const QList<uint> typed = key->text().toUcs4();
  if (typed.isEmpty()) return false;  // arrows, Delete, Home: editing only
  QLineEdit* box = editor->box();
  const int col = editor->editCol() == 2 ? 2 : 1;
  const FleetKey rule =
      FleetKeyRule(box->text().toStdString(), static_cast<int>(box->selectedText().size()),
                   static_cast<FleetColumn>(col), static_cast<char32_t>(typed.first()), ctx.language());
  if (rule == FleetKey::BecomesA) {
    box->insert(QStringLiteral("A"));
    return true;
  }
  return rule == FleetKey::Refuse;
}

FrmFleetSync::FrmFleetSync(UiContext& ctx, QWidget* parent)
    : QWidget(parent), d_(new Impl(this, ctx)) {
  Guarded(ctx, "FrmFleetSync_Form_Load", [&] {
    d_->build();
    reCaption();
    resize(sizeHint().expandedTo(QSize(TwipsToPixels(6600), 0)));
  });
  ctx.doc().addObserver(this);
}

FrmFleetSync::~FrmFleetSync() {
  // The open cell was stored when the window closed; the grid's own teardown must not store it
  // again into whatever document is current by then.
  if (d_->editor) d_->editor->stop();
  if (d_->combo1[0]) d_->combo1[0]->removeEventFilter(this);
  d_->ctx.doc().removeObserver(this);
  delete d_;
  d_ = nullptr;
}

void FrmFleetSync::reCaption() {
  Impl& d = *d_;
  setWindowTitle(d.ctx.pick(kFleetSyncCaption));
  for (int t = 0; t < 2; ++t) d.tabs->setTabText(t, d.ctx.pick(kFleetSyncTabs[static_cast<std::size_t>(t)]));
  for (int k = 0; k < kFleetSyncListCount; ++k) {
    const QString caption = d.ctx.pick(kFleetSyncLabels[static_cast<std::size_t>(k)]);
    d.label1[k]->setText(caption);
    d.combo1[k]->setAccessibleName(caption);
  }
  QComboBox* ownFleet = d.combo(FleetSyncList::OwnFleet);
  ownFleet->setToolTip(d.ctx.pick(kOwnFleetNoneHint));
  ownFleet->setAccessibleDescription(ownFleet->toolTip());
  d.check1->setText(d.ctx.pick(kPttIdSideToneText));
  d.check1->setAccessibleName(d.check1->text());
  QStringList headings;
  for (const Bilingual& h : kFleetGridHeadings) headings << d.ctx.pick(h);
  d.grid->setHorizontalHeaderLabels(headings);
  d.grid->setAccessibleName(d.ctx.pick(kFleetGridName));
  d.editor->box()->setAccessibleName(d.ctx.pick(kFleetCellBoxName));
  d.commandClose->setText(d.ctx.msg(MessageId::CloseButton));
  d.commandHelp->setText(d.ctx.msg(MessageId::HelpButton));
  // "Off" and "All" are words of the language too.
  ReShowData();
}

void FrmFleetSync::ReShowData() { d_->ShowData(); }

void FrmFleetSync::commitPendingEdit() {
  if (d_->editor) d_->editor->commit();
}

void FrmFleetSync::closeEvent(QCloseEvent* event) {
  commitPendingEdit();
  QWidget::closeEvent(event);
}

bool FrmFleetSync::eventFilter(QObject* watched, QEvent* event) {
  if (watched == d_->combo1[0] && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if ((key == Qt::Key_Delete || key == Qt::Key_Backspace) && d_->shown) {
      Guarded(d_->ctx, "FrmFleetSync_Combo1_KeyDown", [&] { d_->pickOwnFleet(0); });
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace kr4100
