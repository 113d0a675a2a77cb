// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/frm_comm_ch_info.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "core/config/channel_csv.h"
#include "core/texts/accessible_texts.h"
#include "core/texts/channel_texts.h"
#include "editors/channel_bulk_commands.h"
#include "editors/frm_ch_info_edit.h"
#include "editors/frm_comm_ch_info_impl.h"
#include "editors/grid_cell_editor.h"
#include "editors/grid_row_choice.h"
#include "gui/accessibility.h"
#include "gui/editor_support.h"
#include "gui/twips.h"

namespace kr4100 {
namespace {

int ColumnTwips(int column) {
  return column == 0 ? 500 : column <= kColTxFre ? 1200 : 1000;
}

constexpr Bilingual kSelectBand = {"Select Frequency Band", "频段选择"};
constexpr Bilingual kChannelEdit = {"Channel Edit", "信道编辑"};
constexpr Bilingual kCaptionPrefix = {"Channel Information[Channel -", "信道信息[信道 -"};
constexpr int kVisibleRows = 25;

}  // namespace

void frmCommChInfo::Impl::createControls() {
  q->resize(TwipsToPixels(10500), TwipsToPixels(9500));
  grid = new QTableWidget(kGridRows, kGridCols, q);
  grid->setObjectName(QStringLiteral("MSFlexGrid1"));
  cellEditor = std::make_unique<GridCellEditor>(grid, ctx);
  rowChoice = std::make_unique<GridRowChoice>(grid, kColRxFre);
  bulk = new ChannelBulkCommands(grid, ctx, commands, *this);
  groupCombo = new QComboBox(q);
  groupCombo->setObjectName(QStringLiteral("Combo6"));
  for (const char* letter : kGroupLetters) groupCombo->addItem(QString::fromUtf8(letter));
  groupLabel = new QLabel(q);
  groupLabel->setObjectName(QStringLiteral("Label1"));
  bandCombo = new QComboBox(q);
  bandCombo->setObjectName(QStringLiteral("Combo2"));
  bandCombo->addItems({QString::fromUtf8(kBand0Text), QString::fromUtf8(kBand1Text)});
  bandLabel = new QLabel(q);
  bandLabel->setObjectName(QStringLiteral("Label3"));
  for (int k = 0; k < kGroupCount; ++k) {
    const LabelledList made = MakeLabelledList(q, "Label2", "Combo1", k, 3);
    emergencyLabels[k] = made.label;
    emergencyCombos[k] = made.list;
  }
  editButton = new QPushButton(q);
  editButton->setObjectName(QStringLiteral("CommandCHInfoEdit"));
}

void frmCommChInfo::Impl::layOut() {
  auto* top = new QHBoxLayout;
  top->addWidget(bandLabel);
  top->addWidget(bandCombo);
  top->addSpacing(16);
  top->addWidget(groupLabel);
  top->addWidget(groupCombo);
  top->addSpacing(16);
  // Only the current group's pair is visible, so all six share one place.
  for (int k = 0; k < kGroupCount; ++k) {
    top->addWidget(emergencyLabels[k]);
    top->addWidget(emergencyCombos[k]);
  }
  top->addStretch(1);
  auto* bottom = q->closeAndHelpRow();
  bottom->insertWidget(1, editButton);
  auto* layout = new QVBoxLayout(q);
  layout->addLayout(top);
  layout->addWidget(grid, 1);
  layout->addLayout(bottom);
}

void frmCommChInfo::Impl::connectControls() {
  QObject::connect(cellEditor.get(), &GridCellEditor::rowEntered, q, [this](int row) {
    captionChannel = row;
    updateCaption();
  });
  for (int k = 0; k < kGroupCount; ++k)
    QObject::connect(emergencyCombos[k], &QComboBox::currentIndexChanged, q,
                     [this, k](int index) { emergencyChosen(k, index); });
  QObject::connect(groupCombo, &QComboBox::currentIndexChanged, q,
                   [this](int i) { groupChanged(i); });
  // The user's choice only: a band text the list does not hold shows entry 0, which must still
  // be choosable.
  QObject::connect(bandCombo, &QComboBox::activated, q, [this](int i) { bandChanged(i); });
  QObject::connect(editButton, &QPushButton::clicked, q, [this] { openEditDialog(); });
}

void frmCommChInfo::Impl::InitShowGrid() {
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  grid->setTabKeyNavigation(false);
  grid->verticalHeader()->hide();
  grid->horizontalHeader()->setDefaultAlignment(
      Qt::Alignment::fromInt(Qt::AlignCenter | Qt::TextWordWrap));
  grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid->horizontalHeader()->setHighlightSections(false);
  grid->horizontalHeader()->setSectionsClickable(false);  // a heading click would select a column
  grid->horizontalHeader()->setFixedHeight(TwipsToPixels(510));
  const QFontMetrics metrics(q->font());
  const int rowHeight = metrics.height() + 4;
  grid->verticalHeader()->setDefaultSectionSize(rowHeight);
  grid->verticalHeader()->setMinimumSectionSize(rowHeight);
  FillNumberedGrid(grid, kGridRows);
  AnnounceCells(grid, ctx, true);
  cellEditor->SetEditNoVisable();
}

void frmCommChInfo::Impl::sizeColumns() {
  // The twip widths assume a small dialog font; a larger one gets what a frequency and an
  // opened list (text and arrow) need, in the language in force.
  const QFontMetrics metrics(q->font());
  int width = 0;
  for (int c = 0; c < kGridCols; ++c) {
    int needed = metrics.horizontalAdvance(ctx.pick(ChannelHeading(c))) + 8;
    if (c == kColRxFre || c == kColTxFre)
      needed = metrics.horizontalAdvance(QStringLiteral("888.888888")) + 12;
    if (QComboBox* box = cellEditor->list(c)) needed = box->sizeHint().width();
    const int w = std::max(TwipsToPixels(ColumnTwips(c)), needed);
    grid->setColumnWidth(c, w);
    width += w;
  }
  fullGridWidth = width + grid->verticalScrollBar()->sizeHint().width() + 2 * grid->frameWidth();
}

// Opens wide enough for every column and tall enough for 25 rows; the user may shrink it, and
// the grid then scrolls.
void frmCommChInfo::Impl::sizeWindow() {
  const int frame = 2 * grid->frameWidth();
  const int header = grid->horizontalHeader()->height();
  const int rowHeight = grid->verticalHeader()->defaultSectionSize();
  grid->setMinimumSize(fullGridWidth, header + kVisibleRows * rowHeight + frame);
  q->layout()->activate();
  const QSize full = q->minimumSizeHint().expandedTo(QSize(q->width(), 0));
  grid->setMinimumSize(fullGridWidth / 3, header + 8 * rowHeight + frame);
  q->resize(full);
}

void frmCommChInfo::Impl::updateCaption() {
  q->setWindowTitle(ctx.pick(kCaptionPrefix) + QStringLiteral(" ") +
                    QString::number(captionChannel) + QStringLiteral("]") + QStringLiteral("---") +
                    groupCombo->currentText());
  grid->setAccessibleName(ctx.pick(kChannelGridName) + groupCombo->currentText());
}

void frmCommChInfo::Impl::ChangShowByLanguage() {
  q->guarded("frmCommChInfo_ChangShowByLanguage", [&] {
    {
      const QSignalBlocker block(groupCombo);
      groupCombo->setCurrentIndex(group());
    }
    updateCaption();
    bandLabel->setText(ctx.pick(kSelectBand));
    groupLabel->setText(ctx.pick(kGroupLabel));
    NameAfterLabel(bandCombo, bandLabel);
    NameAfterLabel(groupCombo, groupLabel);
    for (int c = 0; c < kGridCols; ++c)
      grid->setHorizontalHeaderItem(c, new QTableWidgetItem(ctx.pick(ChannelHeading(c))));
    for (const ChannelAttribute& a : kChannelAttributes)
      cellEditor->setListTexts(a.column, ctx.pick(a.words[0]), ctx.pick(a.words[1]));
    for (int k = 0; k < kGroupCount; ++k) {
      emergencyLabels[k]->setText(groupCombo->itemText(k) + QStringLiteral(" ") +
                                  ctx.pick(kEmergencyChannel));
      NameAfterLabel(emergencyCombos[k], emergencyLabels[k]);
    }
    editButton->setText(ctx.pick(kChannelEdit));
    bulk->reCaption();
    q->captionCloseAndHelp();
    sizeColumns();
  });
}

void frmCommChInfo::Impl::ShowChIfoData(const ChInfo& entry, int row) {
  q->guarded("ShowChIfoData", [&] {
    const Document& doc = ctx.doc();
    const auto& edges = doc.state().edges;
    cell(row, kColRxFre)
        ->setText(QString::fromStdString(FreToText(entry.RxFre.text(), edges, doc.warningSink())));
    cell(row, kColTxFre)
        ->setText(QString::fromStdString(FreToText(entry.TxFre.text(), edges, doc.warningSink())));
    for (const ChannelAttribute& a : kChannelAttributes) {
      // A value from a foreign file that is neither 0 nor 1 shows as an empty cell.
      const Bilingual* word = WordOfValue(a, entry.*a.member);
      cell(row, a.column)->setText(word ? ctx.pick(*word) : QString());
    }
  });
}

void frmCommChInfo::Impl::showEmergencyChoices() {
  for (int k = 0; k < kGroupCount; ++k) {
    const bool current = k == group();
    emergencyCombos[k]->setVisible(current);
    emergencyLabels[k]->setVisible(current);
    PickText(emergencyCombos[k], QString::number(rec().OptFeat[kEmgCh0 + k] + 1));
  }
}

void frmCommChInfo::Impl::SetGridData() {
  q->guarded("frmCommChInfo_SetGridData", [&] {
    for (int r = 1; r <= kGridRows; ++r)
      for (int c = 1; c < kGridCols; ++c) cell(r, c)->setText(QString());
    const int g = group();
    for (int slot = 1; slot <= rec().usedChannels(g); ++slot) {
      const ChInfo& entry = rec().slot(slot, g);
      if (entry.ChNum >= 1 && entry.ChNum <= kGridRows) ShowChIfoData(entry, entry.ChNum);
    }
    showEmergencyChoices();
  });
}

void frmCommChInfo::Impl::reShowGrid(int row) {
  q->guarded("frmCommChInfo_reShowGrid", [&] {
    showEmergencyChoices();
    if (row < 1 || row > kGridRows) return;
    if (const ChInfo* entry = rec().findChannel(group(), row)) {
      ShowChIfoData(*entry, row);
    } else {
      for (int c = 1; c < kGridCols; ++c) cell(row, c)->setText(QString());
      cellEditor->rowCleared(row);
    }
  });
}

void frmCommChInfo::Impl::InitComboList() {
  for (int g = 0; g < kGroupCount; ++g) {
    QComboBox* box = emergencyCombos[g];
    const QSignalBlocker block(box);
    box->clear();
    for (int n : rec().channelNumbers(g)) box->addItem(QString::number(n));
  }
}

void frmCommChInfo::Impl::groupChanged(int index) {
  if (index < 0) return;
  cellEditor->SaveShowGridData();
  {
    // A grid without a current cell can take a screen reader's toolkit down: row 1 stays
    // current, with no editor open until the user enters a cell.
    const QSignalBlocker block(grid);
    grid->setCurrentCell(0, kColRxFre);
  }
  cellEditor->forget();
  ctx.doc().SelectGroup(index);
  SetGridData();
  updateCaption();
}

void frmCommChInfo::Impl::bandChanged(int index) {
  if (!gridOpen || index < 0) return;
  const QString chosen = bandCombo->itemText(index);
  const QString band = QString::fromStdString(ctx.doc().state().bandText);
  if (chosen == band) return;
  if (ctx.ask(MessageId::NewDocument, MsgButtons::OkCancel, MsgIcon::Warning) != Answer::Ok) {
    PickText(bandCombo, band);  // the list goes back to the band the document has
    return;
  }
  ctx.doc().setModelAndBand(ctx.doc().state().modelText, chosen.toStdString());
  // The main window closes every editor for the new document, this one too: it runs once this
  // handler has finished.
  commands.newDocumentDeferred();
}

void frmCommChInfo::Impl::emergencyChosen(int g, int index) {
  if (index < 0) return;
  bool ok = false;
  const int number = emergencyCombos[g]->itemText(index).toInt(&ok);
  if (ok) ctx.doc().SetEmergencyChannel(g, number);
}

void frmCommChInfo::Impl::openEditDialog() {
  q->guarded("frmCommChInfo_CommandCHInfoEdit_Click", [&] {
    cellEditor->SaveShowGridData();
    if (!editDialog) {
      editDialog = new FrmCHInfoEdit(ctx, q);
      editDialog->setAttribute(Qt::WA_DeleteOnClose);
    }
    editDialog->show();
    editDialog->raise();
    editDialog->activateWindow();
  });
}

frmCommChInfo::frmCommChInfo(UiContext& ctx, DocumentCommands& commands, QWidget* parent)
    : QWidget(parent),
      EditorWindow(this, ctx, "frmCommChInfo"),
      d_(std::make_unique<Impl>(this, ctx, commands)) {
  showRangeWarnings();
  guarded("frmCommChInfo_Form_Load", [&] {
    d_->createControls();
    d_->layOut();
    d_->connectControls();
    PickText(d_->bandCombo, QString::fromStdString(ctx.doc().state().bandText));
    guarded("frmCommChInfo_InitShowGridError", [&] { d_->InitShowGrid(); });
    d_->InitComboList();
    d_->ChangShowByLanguage();
    d_->SetGridData();
    d_->sizeWindow();
    d_->gridOpen = true;
    {
      const QSignalBlocker block(d_->grid);
      d_->grid->setCurrentCell(0, kColRxFre);
    }
    QObject::connect(d_->grid, &QTableWidget::currentCellChanged, this, [this] {
      d_->cellEditor->MSFlexGrid1_EnterCell();
      d_->rowChoice->clear();
    });
    // The clipboard keys belong to the grid itself: an open cell editor has the focus and keeps
    // its own rules for them.
    d_->grid->installEventFilter(this);
    d_->grid->viewport()->installEventFilter(this);
  });
}

frmCommChInfo::~frmCommChInfo() {
  // What the grid and the edit dialog hold is stored while the document is still ours to change.
  leave();
  d_->gridOpen = false;
}

void frmCommChInfo::reCaption() {
  d_->ChangShowByLanguage();
}

void frmCommChInfo::Impl::SetGridData2() {
  cellEditor->forget();
  {
    const QSignalBlocker block(groupCombo);
    groupCombo->setCurrentIndex(group());
  }
  PickText(bandCombo, QString::fromStdString(ctx.doc().state().bandText));
  InitComboList();
  SetGridData();
  updateCaption();
}

void frmCommChInfo::commitPendingEdit() {
  if (d_->cellEditor->storing()) return;
  d_->cellEditor->SaveShowGridData();
  if (d_->editDialog) d_->editDialog->commitPendingEdit();
}

void frmCommChInfo::channelChanged(int chNum) {
  if (d_->gridOpen) d_->reShowGrid(chNum);
}
void frmCommChInfo::channelSetChanged() {
  if (d_->gridOpen) d_->InitComboList();
}
// The edit dialog shows the record again on its own.
void frmCommChInfo::documentReplaced() {
  if (d_->gridOpen) d_->SetGridData2();
}

void frmCommChInfo::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (d_->firstActivation) {
    d_->firstActivation = false;
    // Once laid out, the editor opens on row 1, column 1.
    QTimer::singleShot(0, this, [this] { d_->cellEditor->MSFlexGrid1_EnterCell(); });
  }
}

bool frmCommChInfo::eventFilter(QObject* watched, QEvent* event) {
  if (!d_ || !d_->gridOpen) return QWidget::eventFilter(watched, event);
  QTableWidget* grid = d_->grid;
  if (watched != grid && watched != grid->viewport()) return QWidget::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::MouseButtonPress:
      return watched == grid->viewport() && d_->rowClicked(static_cast<QMouseEvent*>(event));
    case QEvent::ContextMenu:
      guarded("frmCommChInfo_ContextMenu",
              [&] { d_->openContextMenu(static_cast<QContextMenuEvent*>(event)); });
      return true;
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress:
      return watched == grid && d_->keyPressed(event);
    default:
      return QWidget::eventFilter(watched, event);
  }
}

void frmCommChInfo::addChannelCommandsTo(QMenu* menu) {
  d_->bulk->addTo(menu);
}

}  // namespace kr4100
