// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/frm_test_fre.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/config/test_fre_edit.h"
#include "core/texts/test_fre_texts.h"
#include "gui/editor_support.h"
#include "gui/floating_cell_editor.h"
#include "gui/key_filters.h"
#include "gui/twips.h"

namespace kr4100 {
namespace {

constexpr int kNumberColumnTwips = 800;
constexpr int kFrequencyColumnTwips = 1500;

}  // namespace

class FrmTestFre::Impl {
 public:
  Impl(FrmTestFre* window, UiContext& context) : q(window), ctx(context) {}

  FrmTestFre* q;
  UiContext& ctx;
  QTableWidget* grid = nullptr;
  FloatingCellEditor* cellEditor = nullptr;

  QTableWidgetItem* cell(int row, int col) { return grid->item(row - 1, col); }

  void createControls();
  void sizeGrid();
  void showRow(int row);
  void store(int row, int col, const QString& text);
  void enterPressed();
  void nameBox();
};

void FrmTestFre::Impl::createControls() {
  grid = new QTableWidget(kTestFreRows, 3, q);
  grid->setObjectName(QStringLiteral("MSFlexGrid1"));
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  grid->setTabKeyNavigation(false);  // Tab leaves the grid; Enter moves between its cells
  grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid->verticalHeader()->hide();
  QHeaderView* headings = grid->horizontalHeader();
  headings->setSectionResizeMode(QHeaderView::Fixed);
  headings->setHighlightSections(false);
  headings->setSectionsClickable(false);  // a heading click would select a whole column
  FillNumberedGrid(grid, kTestFreRows);

  cellEditor = new FloatingCellEditor(grid);
  QObject::connect(cellEditor, &FloatingCellEditor::committed, q,
                   [this](int row, int col, const QString& text) {
                     q->guarded("FrmTestFre_SaveShowGridData", [&] { store(row, col, text); });
                   });
  cellEditor->box()->setAlignment(Qt::AlignCenter);
  cellEditor->setSelectAllOnFocus(true);
  cellEditor->setKeyFilter([](QKeyEvent* key) {
    return RefusedFrequencyKey(key->key(), key->modifiers(), key->text());
  });
  QObject::connect(cellEditor, &FloatingCellEditor::enterPressed, q, [this] { enterPressed(); });
  // After the editor has opened the cell: the box is named after what it edits.
  QObject::connect(grid, &QTableWidget::currentCellChanged, q, [this] { nameBox(); });

  auto* buttons = q->closeAndHelpRow();
  auto* layout = new QVBoxLayout(q);
  layout->addWidget(grid, 0, Qt::AlignHCenter);
  layout->addStretch(1);
  layout->addLayout(buttons);
}

// Every row in view at once: the grid is as tall as its headings and sixteen rows, and its two
// frequency columns share what the number column leaves, each wide enough for a frequency.
void FrmTestFre::Impl::sizeGrid() {
  const QFontMetrics metrics(grid->font());
  const int rowHeight = metrics.height() + 6;
  grid->verticalHeader()->setMinimumSectionSize(rowHeight);
  grid->verticalHeader()->setDefaultSectionSize(rowHeight);
  QHeaderView* headings = grid->horizontalHeader();
  const QFontMetrics headingMetrics(headings->font());
  const auto headingWidth = [&](int c) {
    return headingMetrics.horizontalAdvance(
               ctx.pick(kTestFreHeadings[static_cast<std::size_t>(c)])) +
           16;
  };
  const int numberWidth = std::max(TwipsToPixels(kNumberColumnTwips), headingWidth(0));
  const int frequencyWidth = std::max({TwipsToPixels(kFrequencyColumnTwips),
                                       metrics.horizontalAdvance(QStringLiteral("88.888888")) + 16,
                                       headingWidth(1), headingWidth(2)});
  grid->setColumnWidth(0, numberWidth);
  grid->setColumnWidth(1, frequencyWidth);
  grid->setColumnWidth(2, frequencyWidth);
  const int frame = 2 * grid->frameWidth();
  grid->setFixedSize(numberWidth + 2 * frequencyWidth + frame,
                     headings->sizeHint().height() + kTestFreRows * rowHeight + frame);
}

void FrmTestFre::Impl::showRow(int row) {
  const TestFreRowTexts texts = ShownTestFreRow(ctx.doc(), row);
  cell(row, kTestFreColRx)->setText(QString::fromStdString(texts.rx));
  cell(row, kTestFreColTx)->setText(QString::fromStdString(texts.tx));
}

void FrmTestFre::Impl::store(int row, int col, const QString& text) {
  // Another window may have taken its warning sink away while this one is open.
  q->showRangeWarnings();
  // The key filter lets only digits and "." in.
  CommitTestFreCell(ctx.doc(), row, col, text.toLatin1().toStdString());
  // The row shows what the record holds: the partner frequency, a blank row, or, after a
  // refusal, what it had before.
  showRow(row);
}

// Enter: an empty RX cell goes down to the next row, anything else to the next cell; after
// the last cell the first row follows.
void FrmTestFre::Impl::enterPressed() {
  const int row = cellEditor->editRow();
  const int col = cellEditor->editCol();
  if (row < 1) return;
  const int nextRow = row % kTestFreRows + 1;
  if (col == kTestFreColRx && !cellEditor->box()->text().isEmpty())
    grid->setCurrentCell(row - 1, kTestFreColTx);
  else
    grid->setCurrentCell(nextRow - 1, kTestFreColRx);
}

void FrmTestFre::Impl::nameBox() {
  const int col = cellEditor->editCol();
  if (col < 1) return;
  cellEditor->box()->setAccessibleName(ctx.pick(kTestFreHeadings[static_cast<std::size_t>(col)]) +
                                       QLatin1Char(' ') + ctx.pick(kTestFreHeadings[0]) +
                                       QLatin1Char(' ') + QString::number(cellEditor->editRow()));
}

FrmTestFre::FrmTestFre(UiContext& ctx, QWidget* parent)
    : QWidget(parent),
      EditorWindow(this, ctx, "FrmTestFre"),
      d_(std::make_unique<Impl>(this, ctx)) {
  showRangeWarnings();
  guarded("FrmTestFre_Form_Load", [&] {
    d_->createControls();
    reCaption();
    ReShowData();
    resize(sizeHint());
  });
}

FrmTestFre::~FrmTestFre() {
  // The grid's teardown moves its current cell and the focus: none of it may store or open.
  // What the box held was stored when the window closed, or the main window asked for it.
  if (d_->cellEditor) d_->cellEditor->stop();
  leave();
}

void FrmTestFre::reCaption() {
  const QString caption = ctx().pick(kTestFreCaption);
  setWindowTitle(caption);
  d_->grid->setAccessibleName(caption);
  for (int c = 0; c < 3; ++c)
    d_->grid->setHorizontalHeaderItem(
        c, new QTableWidgetItem(ctx().pick(kTestFreHeadings[static_cast<std::size_t>(c)])));
  d_->nameBox();
  captionCloseAndHelp();
  d_->sizeGrid();
}

void FrmTestFre::ReShowData() {
  guarded("FrmTestFre_ReShowData", [&] {
    // What the box held belonged to the data shown before.
    d_->cellEditor->forget();
    for (int row = 1; row <= kTestFreRows; ++row) d_->showRow(row);
  });
}

void FrmTestFre::commitPendingEdit() {
  if (d_->cellEditor) d_->cellEditor->commit();
}

}  // namespace kr4100
