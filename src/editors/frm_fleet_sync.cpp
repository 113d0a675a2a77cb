// SPDX-License-Identifier: GPL-3.0-or-later
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
#include <utility>

#include "core/config/fleet_sync_edit.h"
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
  QLabel* listLabels[kFleetSyncListCount] = {};
  QComboBox* lists[kFleetSyncListCount] = {};  // by FleetSyncList
  QCheckBox* sideToneCheck = nullptr;
  QTableWidget* grid = nullptr;
  FloatingCellEditor* cellEditor = nullptr;
  OwnLists own;        // the blank head items and what the own lists show
  bool shown = false;  // the lists are filled and may be stored from

  QComboBox* list(FleetSyncList which) { return lists[static_cast<int>(which)]; }
  FleetSyncSettings fleet() const { return q->record().Fleet; }

  QWidget* createSettingsPage();
  QWidget* createFleetListPage();
  void fillLists();
  void showOwnLists();
  void showFleetList();
  void listPicked(int k, int index);
  void pickOwnFleet(int shown);
  void cellCommitted(int row, int col, const QString& text);
  bool refusedCellKey(QKeyEvent* key);
};

QWidget* FrmFleetSync::Impl::createSettingsPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("TabFleetSync"));
  auto* form = new QFormLayout(page);
  form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  for (int k = 0; k < kFleetSyncListCount; ++k) {
    listLabels[k] = new QLabel(page);
    listLabels[k]->setObjectName(QStringLiteral("Label1_%1").arg(k));
    lists[k] = new QComboBox(page);
    lists[k]->setObjectName(QStringLiteral("Combo1_%1").arg(k));
    lists[k]->setMaxVisibleItems(kVisibleItems);
    listLabels[k]->setBuddy(lists[k]);
    EnterMovesFocus(lists[k]);
    form->addRow(listLabels[k], lists[k]);
    // The user's pick only: showing a value must never store it.
    QObject::connect(lists[k], &QComboBox::activated, q, [this, k](int index) {
      q->guarded("FrmFleetSync_Combo1_Click", [&] { listPicked(k, index); });
    });
  }
  // Once a fleet is chosen the blank item is gone from the list; Delete chooses "none" again.
  list(FleetSyncList::OwnFleet)->installEventFilter(q);
  sideToneCheck = new QCheckBox(page);
  sideToneCheck->setObjectName(QStringLiteral("Check1"));
  EnterMovesFocus(sideToneCheck);
  form->addRow(sideToneCheck);
  QObject::connect(sideToneCheck, &QCheckBox::clicked, q, [this](bool on) {
    q->guarded("FrmFleetSync_Check1_Click",
               [&] { q->edit([&](RadioConfig& r) { StorePttIdSideTone(r.Fleet, on); }); });
  });
  return page;
}

QWidget* FrmFleetSync::Impl::createFleetListPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("TabFleetList"));
  grid = new QTableWidget(kGridRows, 3, page);
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
  cellEditor = new FloatingCellEditor(grid);
  QObject::connect(
      cellEditor, &FloatingCellEditor::committed, q, [this](int row, int col, const QString& text) {
        q->guarded("FrmFleetSync_Text1_Validate", [&] { cellCommitted(row, col, text); });
      });
  cellEditor->box()->setMaxLength(kFleetCellMaxLength);
  cellEditor->setSelectAllOnFocus(true);
  cellEditor->setKeyFilter([this](QKeyEvent* key) { return refusedCellKey(key); });
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(grid);
  layout->addStretch(1);
  return page;
}

void FrmFleetSync::Impl::fillLists() {
  for (int k = 0; k < kFleetSyncListCount; ++k) {
    QComboBox* box = lists[k];
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
  } ownLists[] = {{list(FleetSyncList::OwnFleet), own.fleetHead, own.fleet},
                  {list(FleetSyncList::OwnId), own.idHead, own.id}};
  for (const auto& ownList : ownLists) {
    const QSignalBlocker block(ownList.box);
    const bool hasHead = ownList.box->count() > 0 && ownList.box->itemText(0) == kBlankItem;
    if (ownList.head && !hasHead) ownList.box->insertItem(0, kBlankItem);
    if (!ownList.head && hasHead) ownList.box->removeItem(0);
    ownList.box->setCurrentIndex(OwnListPosition(ownList.head, ownList.shown));
  }
}

void FrmFleetSync::Impl::showFleetList() {
  for (int r = 0; r < kGridRows; ++r)
    for (int c = 1; c <= 2; ++c) grid->item(r, c)->setText(QString());
  const RadioConfig& r = q->record();
  const int count = std::clamp<int>(r.FleetListCount, 0, kFleetListSlots);
  for (int i = 0; i < count; ++i) {
    const FleetListEntry& e = r.FleetList[static_cast<std::size_t>(i)];
    if (e.Row < 1 || e.Row > kGridRows) continue;
    grid->item(e.Row - 1, 1)
        ->setText(
            QString::fromStdString(FleetCellText(e.Fleet, FleetColumn::Fleet, ctx.language())));
    // A stored ID beyond a 16-bit value has no number the grid could show.
    const Integer id = e.Id >= 0 && e.Id <= 0x7FFF ? static_cast<Integer>(e.Id) : kFleetCellBlank;
    grid->item(e.Row - 1, 2)
        ->setText(QString::fromStdString(FleetCellText(id, FleetColumn::Id, ctx.language())));
  }
}

void FrmFleetSync::Impl::listPicked(int k, int index) {
  if (!shown || index < 0) return;
  const auto picked = static_cast<FleetSyncList>(k);
  if (picked == FleetSyncList::OwnFleet) {
    pickOwnFleet(OwnListShown(own.fleetHead, index));
    return;
  }
  if (picked == FleetSyncList::OwnId) {
    own = q->edit(
        [&](RadioConfig& r) { return StoreOwnId(r.Fleet, own, OwnListShown(own.idHead, index)); });
    showOwnLists();
    return;
  }
  q->edit([&](RadioConfig& r) { StoreFleetSyncPick(r.Fleet, picked, index); });
}

void FrmFleetSync::Impl::pickOwnFleet(int fleet) {
  own = q->edit([&](RadioConfig& r) { return StoreOwnFleet(r.Fleet, own, fleet); });
  showOwnLists();
}

void FrmFleetSync::Impl::cellCommitted(int row, int col, const QString& text) {
  if (!shown || row < 1 || row > kGridRows || col < 1 || col > 2) return;
  const FleetRowCells before{grid->item(row - 1, 1)->text().toStdString(),
                             grid->item(row - 1, 2)->text().toStdString()};
  const FleetRowCells after = q->edit([&](RadioConfig& r) {
    return StoreFleetCell(r, row, static_cast<FleetColumn>(col), text.toStdString(), before,
                          ctx.language());
  });
  grid->item(row - 1, 1)->setText(QString::fromStdString(after.fleet));
  grid->item(row - 1, 2)->setText(QString::fromStdString(after.id));
}

bool FrmFleetSync::Impl::refusedCellKey(QKeyEvent* key) {
  if (key->modifiers().testFlag(Qt::ControlModifier) &&
      (key->key() == Qt::Key_C || key->key() == Qt::Key_V || key->key() == Qt::Key_X))
    return true;
  if (IsEnterKey(key)) return false;  // the cell box moves on with it
  const QList<uint> typed = key->text().toUcs4();
  if (typed.isEmpty()) return false;  // arrows, Delete, Home: editing only
  QLineEdit* box = cellEditor->box();
  const int col = cellEditor->editCol() == 2 ? 2 : 1;
  const FleetKey rule = FleetKeyRule(
      box->text().toStdString(), static_cast<int>(box->selectedText().size()),
      static_cast<FleetColumn>(col), static_cast<char32_t>(typed.first()), ctx.language());
  if (rule == FleetKey::BecomesA) {
    box->insert(QStringLiteral("A"));
    return true;
  }
  return rule == FleetKey::Refuse;
}

FrmFleetSync::FrmFleetSync(UiContext& ctx, QWidget* parent)
    : QWidget(parent),
      EditorWindow(this, ctx, "FrmFleetSync"),
      d_(std::make_unique<Impl>(this, ctx)) {
  guarded("FrmFleetSync_Form_Load", [&] {
    d_->tabs = new QTabWidget(this);
    d_->tabs->setObjectName(QStringLiteral("SSTab1"));
    d_->tabs->addTab(d_->createSettingsPage(), QString());
    d_->tabs->addTab(d_->createFleetListPage(), QString());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(d_->tabs);
    layout->addLayout(closeAndHelpRow());
    reCaption();
    resize(sizeHint().expandedTo(QSize(TwipsToPixels(6600), 0)));
  });
}

FrmFleetSync::~FrmFleetSync() {
  // The open cell was stored when the window closed; the grid's own teardown must not store it
  // again into whatever document is current by then.
  if (d_->cellEditor) d_->cellEditor->stop();
  leave();
}

void FrmFleetSync::reCaption() {
  Impl& d = *d_;
  setWindowTitle(ctx().pick(kFleetSyncCaption));
  for (int t = 0; t < 2; ++t)
    d.tabs->setTabText(t, ctx().pick(kFleetSyncTabs[static_cast<std::size_t>(t)]));
  for (int k = 0; k < kFleetSyncListCount; ++k) {
    const QString caption = ctx().pick(kFleetSyncLabels[static_cast<std::size_t>(k)]);
    d.listLabels[k]->setText(caption);
    d.lists[k]->setAccessibleName(caption);
  }
  QComboBox* ownFleet = d.list(FleetSyncList::OwnFleet);
  ownFleet->setToolTip(ctx().pick(kOwnFleetNoneHint));
  ownFleet->setAccessibleDescription(ownFleet->toolTip());
  d.sideToneCheck->setText(ctx().pick(kPttIdSideToneText));
  d.sideToneCheck->setAccessibleName(d.sideToneCheck->text());
  QStringList headings;
  for (const Bilingual& h : kFleetGridHeadings) headings << ctx().pick(h);
  d.grid->setHorizontalHeaderLabels(headings);
  d.grid->setAccessibleName(ctx().pick(kFleetGridName));
  d.cellEditor->box()->setAccessibleName(ctx().pick(kFleetCellBoxName));
  captionCloseAndHelp();
  // "Off" and "All" are words of the language too.
  ReShowData();
}

void FrmFleetSync::ReShowData() {
  guarded("FrmFleetSync_ShowData", [&] {
    d_->shown = false;
    d_->cellEditor->forget();
    d_->fillLists();
    const FleetSyncSettings s = d_->fleet();
    d_->own = ShownOwnLists(s);
    d_->showOwnLists();
    const std::pair<FleetSyncList, long> plain[] = {{FleetSyncList::BaudRate, s.BaudRate},
                                                    {FleetSyncList::ModDelay, s.DataTxModDelay},
                                                    {FleetSyncList::MsgTimer, s.MsgModeTimer}};
    for (const auto& [which, value] : plain) {
      QComboBox* box = d_->list(which);
      const QSignalBlocker block(box);
      const auto position = ItemIndexOfStored(FleetSyncItems(which), static_cast<int>(value));
      box->setCurrentIndex(position.value_or(-1));
    }
    d_->sideToneCheck->setChecked(s.PttIdSideTone != 0);
    d_->showFleetList();
    d_->shown = true;
  });
}

void FrmFleetSync::commitPendingEdit() {
  if (d_->cellEditor) d_->cellEditor->commit();
}

bool FrmFleetSync::eventFilter(QObject* watched, QEvent* event) {
  if (watched == d_->lists[0] && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if ((key == Qt::Key_Delete || key == Qt::Key_Backspace) && d_->shown) {
      guarded("FrmFleetSync_Combo1_KeyDown", [&] { d_->pickOwnFleet(0); });
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace kr4100
