#include "editors/frm_comm_ch_info.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <vector>

#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <algorithm>
#include <utility>

#include "core/config/channel_csv.h"
#include "core/texts/channel_texts.h"
#include "editors/frm_ch_info_edit.h"
#include "editors/grid_cell_editor.h"
#include "gui/editor_support.h"
#include "gui/twips.h"

namespace kr4100 {
namespace {

int ColumnTwips(int column) { return column == 0 ? 500 : column <= kColTxFre ? 1200 : 1000; }

constexpr Bilingual kSelectBand = {"Select Frequency Band", "频段选择"};
constexpr Bilingual kChannelEdit = {"Channel Edit", "信道编辑"};
constexpr Bilingual kCaptionPrefix = {"Channel Information[Channel -", "信道信息[信道 -"};
constexpr int kVisibleRows = 25;
constexpr std::size_t kProblemsShown = 20;  // a message box must still fit the screen


}  // namespace

class frmCommChInfo::Impl {
 public:
  Impl(frmCommChInfo* window, UiContext& context, DocumentCommands& documentCommands)
      : q(window), ctx(context), commands(documentCommands) {}

  frmCommChInfo* q;
  UiContext& ctx;
  DocumentCommands& commands;

  QTableWidget* grid = nullptr;
  GridCellEditor* editor = nullptr;
  QComboBox* combo6 = nullptr;  // group
  QComboBox* combo2 = nullptr;  // band
  QLabel* label1 = nullptr;
  QLabel* label3 = nullptr;
  QComboBox* combo1[kGroupCount] = {};  // emergency channel of each group
  QLabel* label2[kGroupCount] = {};
  QPushButton* commandEdit = nullptr;
  QPushButton* commandClose = nullptr;
  QPushButton* commandHelp = nullptr;
  QPointer<FrmCHInfoEdit> editDialog;

  int captionChannel = 0;
  bool gridOpen = false;
  bool firstActivation = true;
  int fullGridWidth = 0;  // every column shown
  bool ownWarningSink = false;

  RadioConfig& rec() { return ctx.doc().working(); }
  int group() { return std::clamp<int>(rec().CurGroup, 0, kGroupCount - 1); }
  int count(int g) { return rec().usedChannels(g); }
  QTableWidgetItem* cell(int row, int col) { return grid->item(row - 1, col); }

  template <class F>
  void guarded(const char* label, F&& f) {
    Guarded(ctx, label, std::forward<F>(f));
  }

  void build();
  void InitShowGrid();
  void ChangShowByLanguage();
  void updateCaption();
  void sizeColumns();
  void sizeWindow();
  void ShowChIfoData(const ChInfo& entry, int row);
  void SetGridData();
  void SetGridData2();
  void showEmergencyChoices();
  void reShowGrid(int row);
  void InitComboList();
  void groupChanged(int index);
  void bandChanged(int index);
  void emergencyChosen(int group, int index);
  void openEditDialog();

  // Rows chosen by their channel numbers (the fixed first column), as a spreadsheet's row
  // headings choose rows; 0: none, the cursor row counts.
  int selAnchor = 0;
  int selEnd = 0;
  void selectRows(int anchor, int end);
  void clearRowSelection();
  std::vector<int> chosenRows();
  void copyRows();
  void pasteRows();
};

void frmCommChInfo::Impl::build() {
  q->setObjectName(QStringLiteral("frmCommChInfo"));
  q->resize(TwipsToPixels(10500), TwipsToPixels(9500));

  grid = new QTableWidget(kGridRows, kGridCols, q);
  grid->setObjectName(QStringLiteral("MSFlexGrid1"));
  editor = new GridCellEditor(
      grid, [this](const char* label, const std::function<void()>& f) { guarded(label, f); },
      [this](int chNum, int column, const QString& value) {
        ctx.doc().SetChannelValue(chNum, column, value.toStdString());
      });
  editor->entered = [this](int row) {
    captionChannel = row;
    updateCaption();
  };

  combo6 = new QComboBox(q);
  combo6->setObjectName(QStringLiteral("Combo6"));
  for (const char* letter : kGroupLetters) combo6->addItem(QString::fromUtf8(letter));
  label1 = new QLabel(q);
  label1->setObjectName(QStringLiteral("Label1"));
  combo2 = new QComboBox(q);
  combo2->setObjectName(QStringLiteral("Combo2"));
  combo2->addItems({QString::fromUtf8(kBand0Text), QString::fromUtf8(kBand1Text)});
  label3 = new QLabel(q);
  label3->setObjectName(QStringLiteral("Label3"));

  auto* top = new QHBoxLayout;
  top->addWidget(label3);
  top->addWidget(combo2);
  top->addSpacing(16);
  top->addWidget(label1);
  top->addWidget(combo6);
  top->addSpacing(16);
  for (int k = 0; k < kGroupCount; ++k) {
    // Only the current group's pair is visible, so all six share one place.
    label2[k] = new QLabel(q);
    label2[k]->setObjectName(QStringLiteral("Label2_%1").arg(k));
    combo1[k] = new QComboBox(q);
    combo1[k]->setObjectName(QStringLiteral("Combo1_%1").arg(k));
    combo1[k]->setMinimumContentsLength(3);
    top->addWidget(label2[k]);
    top->addWidget(combo1[k]);
    QObject::connect(combo1[k], &QComboBox::currentIndexChanged, q,
                     [this, k](int index) { emergencyChosen(k, index); });
  }
  top->addStretch(1);

  commandEdit = new QPushButton(q);
  commandEdit->setObjectName(QStringLiteral("CommandCHInfoEdit"));
  auto* bottom = CloseAndHelpRow(q, commandClose, commandHelp);
  bottom->insertWidget(1, commandEdit);

  auto* layout = new QVBoxLayout(q);
  layout->addLayout(top);
  layout->addWidget(grid, 1);
  layout->addLayout(bottom);

  QObject::connect(combo6, &QComboBox::currentIndexChanged, q, [this](int i) { groupChanged(i); });
  // The user's choice only: a band text the list does not hold shows entry 0, which must still
  // be choosable.
  QObject::connect(combo2, &QComboBox::activated, q, [this](int i) { bandChanged(i); });
  QObject::connect(commandEdit, &QPushButton::clicked, q, [this] { openEditDialog(); });
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
  editor->close();
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
    if (QComboBox* box = editor->list(c)) needed = box->sizeHint().width();
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
                    combo6->currentText());
}

void frmCommChInfo::Impl::ChangShowByLanguage() {
  guarded("frmCommChInfo_ChangShowByLanguage", [&] {
    {
      const QSignalBlocker block(combo6);
      combo6->setCurrentIndex(group());
    }
    updateCaption();
    label3->setText(ctx.pick(kSelectBand));
    label1->setText(ctx.pick(kGroupLabel));
    for (int c = 0; c < kGridCols; ++c)
      grid->setHorizontalHeaderItem(c, new QTableWidgetItem(ctx.pick(ChannelHeading(c))));
    for (const ChannelAttribute& a : kChannelAttributes)
      editor->setListTexts(a.column, ctx.pick(a.words[0]), ctx.pick(a.words[1]));
    for (int k = 0; k < kGroupCount; ++k)
      label2[k]->setText(combo6->itemText(k) + QStringLiteral(" ") + ctx.pick(kEmergencyChannel));
    commandEdit->setText(ctx.pick(kChannelEdit));
    commandClose->setText(ctx.msg(MessageId::CloseButton));
    commandHelp->setText(ctx.msg(MessageId::HelpButton));
    sizeColumns();
  });
}

void frmCommChInfo::Impl::ShowChIfoData(const ChInfo& entry, int row) {
  guarded("ShowChIfoData", [&] {
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
    combo1[k]->setVisible(current);
    label2[k]->setVisible(current);
    PickText(combo1[k], QString::number(rec().OptFeat[kEmgCh0 + k] + 1));
  }
}

void frmCommChInfo::Impl::SetGridData() {
  guarded("frmCommChInfo_SetGridData", [&] {
    for (int r = 1; r <= kGridRows; ++r)
      for (int c = 1; c < kGridCols; ++c) cell(r, c)->setText(QString());
    const int g = group();
    for (int slot = 1; slot <= count(g); ++slot) {
      const ChInfo& entry = rec().slot(slot, g);
      if (entry.ChNum >= 1 && entry.ChNum <= kGridRows) ShowChIfoData(entry, entry.ChNum);
    }
    showEmergencyChoices();
  });
}

void frmCommChInfo::Impl::reShowGrid(int row) {
  guarded("frmCommChInfo_reShowGrid", [&] {
    showEmergencyChoices();
    if (row < 1 || row > kGridRows) return;
    const int slot = ctx.doc().FindChannelSlot(row, group());
    if (slot != 0) {
      ShowChIfoData(rec().slot(slot, group()), row);
    } else {
      for (int c = 1; c < kGridCols; ++c) cell(row, c)->setText(QString());
      editor->rowCleared(row);
    }
  });
}

void frmCommChInfo::Impl::InitComboList() {
  for (int g = 0; g < kGroupCount; ++g) {
    std::vector<int> numbers;
    for (int slot = 1; slot <= count(g); ++slot) numbers.push_back(rec().slot(slot, g).ChNum);
    std::sort(numbers.begin(), numbers.end());
    QComboBox* box = combo1[g];
    const QSignalBlocker block(box);
    box->clear();
    for (int n : numbers) box->addItem(QString::number(n));
  }
}

void frmCommChInfo::Impl::groupChanged(int index) {
  if (index < 0) return;
  editor->commit();
  {
    const QSignalBlocker block(grid);
    grid->setCurrentCell(-1, -1);
  }
  editor->forget();
  rec().CurGroup = static_cast<Integer>(index);
  SetGridData();
  updateCaption();
}

void frmCommChInfo::Impl::bandChanged(int index) {
  if (!gridOpen || index < 0) return;
  const QString chosen = combo2->itemText(index);
  const QString band = QString::fromStdString(ctx.doc().state().bandText);
  if (chosen == band) return;
  if (ctx.ask(MessageId::NewDocument, MsgButtons::OkCancel, MsgIcon::Warning) != Answer::Ok) {
    PickText(combo2, band);  // the list goes back to the band the document has
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
  const int number = combo1[g]->itemText(index).toInt(&ok);
  if (ok) rec().OptFeat[kEmgCh0 + g] = static_cast<Integer>(number - 1);
}

void frmCommChInfo::Impl::openEditDialog() {
  guarded("frmCommChInfo_CommandCHInfoEdit_Click", [&] {
    editor->commit();
    if (!editDialog) {
      editDialog = new FrmCHInfoEdit(ctx, q);
      editDialog->setAttribute(Qt::WA_DeleteOnClose);
    }
    editDialog->show();
    editDialog->raise();
    editDialog->activateWindow();
  });
}

void frmCommChInfo::Impl::selectRows(int anchor, int end) {
  selAnchor = std::clamp(anchor, 1, kGridRows);
  selEnd = std::clamp(end, 1, kGridRows);
  grid->clearSelection();
  grid->setRangeSelected(QTableWidgetSelectionRange(std::min(selAnchor, selEnd) - 1, kColRxFre,
                                                    std::max(selAnchor, selEnd) - 1, kGridCols - 1),
                         true);
}

void frmCommChInfo::Impl::clearRowSelection() { selAnchor = selEnd = 0; }

std::vector<int> frmCommChInfo::Impl::chosenRows() {
  std::vector<int> rows;
  if (selAnchor > 0) {
    for (int r = std::min(selAnchor, selEnd); r <= std::max(selAnchor, selEnd); ++r) rows.push_back(r);
  } else {
    rows.push_back(std::max(grid->currentRow() + 1, 1));
  }
  return rows;
}

void frmCommChInfo::Impl::copyRows() {
  const Document& doc = ctx.doc();
  QApplication::clipboard()->setText(QString::fromStdString(
      CopyChannelRows(doc.working(), group(), chosenRows(), doc.state().edges, ctx.language())));
}

void frmCommChInfo::Impl::pasteRows() {
  Document& doc = ctx.doc();
  const std::string text = QApplication::clipboard()->text().toStdString();
  const int first = chosenRows().front();
  const ChannelTablesResult result =
      PasteChannelRows(doc.working(), group(), first, text, doc.state().edges);
  if (!result.ok()) {
    ctx.prompter().ask(ctx.msg(MessageId::ChannelsNotPasted) + QStringLiteral("\r\n") +
                           QString::fromStdString(DescribeCsvProblems(
                               result.problems, doc.state().edges, ctx.language(), kProblemsShown)),
                       MsgButtons::Ok, MsgIcon::Warning);
    return;
  }
  // One change of the working record for the whole block; the grid refills as for new data.
  doc.ReplaceChannelTables(result.tables);
}

frmCommChInfo::frmCommChInfo(UiContext& ctx, DocumentCommands& commands, QWidget* parent)
    : QWidget(parent), d_(new Impl(this, ctx, commands)) {
  d_->ownWarningSink = InstallWarningSink(ctx);
  d_->guarded("frmCommChInfo_Form_Load", [&] {
    d_->build();
    PickText(d_->combo2, QString::fromStdString(ctx.doc().state().bandText));
    d_->guarded("frmCommChInfo_InitShowGridError", [&] { d_->InitShowGrid(); });
    d_->InitComboList();
    d_->ChangShowByLanguage();
    d_->SetGridData();
    d_->sizeWindow();
    d_->gridOpen = true;
    {
      const QSignalBlocker block(d_->grid);
      d_->grid->setCurrentCell(0, kColRxFre);
    }
    QObject::connect(d_->grid, &QTableWidget::currentCellChanged, this,
                     [this] { d_->editor->enterCell(); });
    QObject::connect(d_->grid, &QTableWidget::currentCellChanged, this,
                     [this] { d_->clearRowSelection(); });
    // The clipboard keys belong to the grid itself: an open cell editor has the focus and keeps
    // its own rules for them.
    d_->grid->installEventFilter(this);
    d_->grid->viewport()->installEventFilter(this);
  });
  ctx.doc().addObserver(this);
}

frmCommChInfo::~frmCommChInfo() {
  d_->guarded("frmCommChInfo_Form_Unload", [&] { commitPendingEdit(); });
  d_->gridOpen = false;
  d_->ctx.doc().removeObserver(this);
  delete d_->editDialog;  // it stores what it holds while the document is still ours to change
  // Before the grid's fields go: a field deleted with the focus would commit once more.
  delete d_->editor;
  if (d_->ownWarningSink) RemoveWarningSink(d_->ctx);
  delete d_;
  d_ = nullptr;
}

void frmCommChInfo::Impl::SetGridData2() {
  editor->forget();
  {
    const QSignalBlocker block(combo6);
    combo6->setCurrentIndex(group());
  }
  PickText(combo2, QString::fromStdString(ctx.doc().state().bandText));
  InitComboList();
  SetGridData();
  updateCaption();
}

void frmCommChInfo::commitPendingEdit() {
  if (d_->editor->storing()) return;
  d_->editor->commit();
  if (d_->editDialog) d_->editDialog->commitPendingEdit();
}

void frmCommChInfo::channelChanged(int chNum) {
  if (d_->gridOpen) d_->reShowGrid(chNum);
}
void frmCommChInfo::channelSetChanged() {
  if (d_->gridOpen) d_->InitComboList();
}
void frmCommChInfo::documentReplaced() {
  if (!d_->gridOpen) return;
  d_->SetGridData2();
  if (d_->editDialog) d_->editDialog->ReShowData();
}

void frmCommChInfo::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (d_->firstActivation) {
    d_->firstActivation = false;
    // Once laid out, the editor opens on row 1, column 1.
    QTimer::singleShot(0, this, [this] { d_->editor->enterCell(); });
  }
}

bool frmCommChInfo::eventFilter(QObject* watched, QEvent* event) {
  if (!d_ || !d_->gridOpen) return QWidget::eventFilter(watched, event);
  QTableWidget* grid = d_->grid;
  if (watched == grid->viewport() && event->type() == QEvent::MouseButtonPress) {
    // A press on a channel number chooses that row, Shift extends the choice; no editor opens,
    // so the grid keeps the focus for the clipboard keys.
    const QPoint pos = static_cast<QMouseEvent*>(event)->position().toPoint();
    const int row = grid->rowAt(pos.y()) + 1;
    if (grid->columnAt(pos.x()) != 0 || row < 1) return false;
    d_->editor->commit();
    const bool extend = static_cast<QMouseEvent*>(event)->modifiers() & Qt::ShiftModifier;
    d_->selectRows(extend && d_->selAnchor > 0 ? d_->selAnchor : row, row);
    grid->setFocus(Qt::MouseFocusReason);
    return true;
  }
  if (watched != grid) return QWidget::eventFilter(watched, event);
  if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    const bool copy = key->matches(QKeySequence::Copy);
    const bool paste = key->matches(QKeySequence::Paste);
    const bool extend = (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) &&
                        key->modifiers() == Qt::ShiftModifier;
    if (!copy && !paste && !extend) return false;
    if (event->type() == QEvent::ShortcutOverride) {
      event->accept();  // the grid's own, not a menu's
      return true;
    }
    if (copy) d_->guarded("frmCommChInfo_Copy", [&] { d_->copyRows(); });
    if (paste) d_->guarded("frmCommChInfo_Paste", [&] { d_->pasteRows(); });
    if (extend) {
      // Shift+arrows choose rows from the cursor without moving it, so no editor opens.
      const int anchor = d_->selAnchor > 0 ? d_->selAnchor : grid->currentRow() + 1;
      const int end = (d_->selAnchor > 0 ? d_->selEnd : anchor) + (key->key() == Qt::Key_Up ? -1 : 1);
      d_->selectRows(anchor, end);
    }
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void frmCommChInfo::closeEvent(QCloseEvent* event) {
  d_->guarded("frmCommChInfo_Form_Unload", [&] { commitPendingEdit(); });
  QWidget::closeEvent(event);
}

}  // namespace kr4100
