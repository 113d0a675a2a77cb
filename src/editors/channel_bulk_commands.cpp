// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/channel_bulk_commands.h"

#include <QAction>
#include <QMenu>
#include <QTableWidget>

#include "core/config/channel_attributes.h"
#include "core/config/numbers.h"
#include "core/texts/channel_bulk_texts.h"
#include "core/texts/channel_texts.h"
#include "editors/frm_fill_frequencies.h"
#include "gui/editor_support.h"

namespace kr4100 {
namespace {

constexpr std::size_t kRefusedShown = 20;  // a message box must still fit the screen

}  // namespace

ChannelBulkCommands::ChannelBulkCommands(QTableWidget* grid, UiContext& ctx,
                                         DocumentCommands& commands, ChannelChoice& choice)
    : QObject(grid), grid_(grid), ctx_(ctx), commands_(commands), choice_(choice) {
  createActions();
  reCaption();
}

ChannelBulkCommands::~ChannelBulkCommands() = default;

QAction* ChannelBulkCommands::bulkAction(const char* name, QKeySequence key,
                                         std::function<void()> slot) {
  auto* a = new QAction(this);
  a->setObjectName(QLatin1String(name));
  if (!key.isEmpty()) {
    a->setShortcut(key);
    // The grid's own keys, also while its cell editor is open; a text box keeps the keys it
    // edits with (Ctrl+A, Ctrl+Delete).
    a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    grid_->addAction(a);
  }
  connect(a, &QAction::triggered, this, [slot = std::move(slot)] { slot(); });
  return a;
}

void ChannelBulkCommands::createActions() {
  const auto action = [this](const char* name, QKeySequence key, std::function<void()> slot) {
    return bulkAction(name, key, std::move(slot));
  };
  using G = std::vector<int>;
  fill_ = action("mnuBulkFill", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F), [this] { fill(); });
  moveUp_ = action("mnuBulkMoveUp", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Up), [this] {
    run(kBulkMoveUp, [](RadioConfig& r, int g, const G& rows) { return MoveRows(r, g, rows, -1); });
  });
  moveDown_ = action("mnuBulkMoveDown", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Down), [this] {
    run(kBulkMoveDown,
        [](RadioConfig& r, int g, const G& rows) { return MoveRows(r, g, rows, 1); });
  });
  insert_ = action("mnuBulkInsert", QKeySequence(Qt::Key_Insert), [this] {
    run(kBulkInsert,
        [](RadioConfig& r, int g, const G& rows) { return InsertEmptyRows(r, g, rows); });
  });
  delete_ = action("mnuBulkDelete", QKeySequence(Qt::CTRL | Qt::Key_Delete), [this] {
    run(kBulkDelete,
        [](RadioConfig& r, int g, const G& rows) { return DeleteChannels(r, g, rows); });
  });
  sort_ = action("mnuBulkSort", QKeySequence(), [this] {
    run(kBulkSort, [](RadioConfig& r, int g, const G&) { return SortByRxFrequency(r, g); });
  });
  chooseAll_ = action("mnuBulkChooseAll", QKeySequence(QKeySequence::SelectAll),
                      [this] { choice_.chooseAll(); });
  createSubmenus();
}

// Set attribute (one menu per attribute, with its two values) and Move to group.
void ChannelBulkCommands::createSubmenus() {
  const auto action = [this](const char* name, QKeySequence key, std::function<void()> slot) {
    return bulkAction(name, key, std::move(slot));
  };
  using G = std::vector<int>;
  attributeMenu_ = std::make_unique<QMenu>();
  attributeMenu_->setObjectName(QStringLiteral("mnuBulkSetAttribute"));
  for (const ChannelAttribute& a : kChannelAttributes) {
    auto menu = std::make_unique<QMenu>();
    menu->setObjectName(QStringLiteral("mnuBulk%1").arg(QLatin1String(a.field)));
    for (Integer value : {Integer{0}, Integer{1}}) {
      QAction* set =
          action(QStringLiteral("mnuBulk%1_%2")
                     .arg(QLatin1String(a.field))
                     .arg(value)
                     .toLatin1()
                     .constData(),
                 QKeySequence(), [this, column = a.column, value] {
                   run(kBulkSetAttribute, [column, value](RadioConfig& r, int g, const G& rows) {
                     return SetAttributeOfChannels(r, g, rows, column, value);
                   });
                 });
      menu->addAction(set);
      valueActions_.push_back(set);
    }
    attributeMenu_->addMenu(menu.get());
    attributeValueMenus_.push_back(std::move(menu));
  }
  groupMenu_ = std::make_unique<QMenu>();
  groupMenu_->setObjectName(QStringLiteral("mnuBulkMoveToGroup"));
  for (int target = 0; target < kGroupCount; ++target) {
    QAction* to = action(QStringLiteral("mnuBulkToGroup_%1").arg(target).toLatin1().constData(),
                         QKeySequence(), [this, target] {
                           run(
                               kBulkMoveToGroup,
                               [target](RadioConfig& r, int g, const G& rows) {
                                 return MoveChannelsToGroup(r, g, rows, target);
                               },
                               target);
                         });
    to->setText(QString::fromUtf8(kGroupLetters[static_cast<std::size_t>(target)]));
    groupMenu_->addAction(to);
    groupActions_.push_back(to);
  }
  contextMenu_ = std::make_unique<QMenu>();
  contextMenu_->setObjectName(QStringLiteral("mnuBulkContext"));
}

void ChannelBulkCommands::reCaption() {
  const std::pair<QAction*, const Bilingual*> captions[] = {
      {fill_, &kBulkFill},          {moveUp_, &kBulkMoveUp}, {moveDown_, &kBulkMoveDown},
      {insert_, &kBulkInsert},      {delete_, &kBulkDelete}, {sort_, &kBulkSort},
      {chooseAll_, &kBulkChooseAll}};
  for (const auto& [a, text] : captions) a->setText(ctx_.pick(*text));
  attributeMenu_->setTitle(ctx_.pick(kBulkSetAttribute));
  groupMenu_->setTitle(ctx_.pick(kBulkMoveToGroup));
  for (std::size_t k = 0; k < kChannelAttributes.size(); ++k) {
    const ChannelAttribute& a = kChannelAttributes[k];
    attributeValueMenus_[k]->setTitle(ctx_.pick(a.heading));
    for (std::size_t v = 0; v < 2; ++v) valueActions_[2 * k + v]->setText(ctx_.pick(a.words[v]));
  }
  contextMenu_->setTitle(ctx_.shell(ShellText::mnuEditChannels));
  // Menus read their entries out by their texts; the plain text is the menu's accessible name.
  for (QMenu* menu : {attributeMenu_.get(), groupMenu_.get(), contextMenu_.get()})
    menu->setAccessibleName(WithoutAccelerator(menu->title()));
  for (auto& menu : attributeValueMenus_)
    menu->setAccessibleName(WithoutAccelerator(menu->title()));
}

void ChannelBulkCommands::addTo(QMenu* menu) {
  menu->addMenu(attributeMenu_.get());
  menu->addAction(fill_);
  menu->addSeparator();
  menu->addAction(moveUp_);
  menu->addAction(moveDown_);
  menu->addMenu(groupMenu_.get());
  menu->addSeparator();
  menu->addAction(insert_);
  menu->addAction(delete_);
  menu->addAction(sort_);
  menu->addSeparator();
  menu->addAction(chooseAll_);
}

void ChannelBulkCommands::showContextMenu(const QPoint& globalPos) {
  contextMenu_->clear();
  addTo(contextMenu_.get());
  contextMenu_->popup(globalPos);
}

template <class Command>
void ChannelBulkCommands::run(const Bilingual& name, Command&& command, int targetGroup) {
  Guarded(ctx_, "frmCommChInfo_Bulk", [&] {
    choice_.commitPendingEdit();
    commands_.takeUndoStep();
    const std::vector<int> rows = choice_.chosenRows();
    Document& doc = ctx_.doc();
    const int group = doc.working().currentGroup();
    // Worked out on a copy: a refused command leaves the document alone, with no notification.
    RadioConfig trial = doc.working();
    const BulkOutcome tried = command(trial, group, rows);
    if (tried.refusal) {
      ctx_.prompter().ask(QString::fromUtf8(BulkRefusalText(tried, ctx_.language())),
                          MsgButtons::Ok, MsgIcon::Warning);
      return;
    }
    if (!tried.changed) return;
    QString what = WithoutAccelerator(ctx_.pick(name));
    if (targetGroup >= 0)
      what += QLatin1Char(' ') +
              QString::fromUtf8(kGroupLetters[static_cast<std::size_t>(targetGroup)]);
    const BulkCommandText text =
        DescribeBulkCommand(what.toStdString(), doc.working(), trial, ctx_.language());
    const BulkOutcome done =
        doc.EditChannels([&](RadioConfig& r) { return command(r, group, rows); });
    choice_.choose(done.chosen);
    commands_.commandDone(QString::fromStdString(text.text),
                          text.priorityChannelChanged ? Notice::InStatusBar : Notice::UndoTextOnly);
  });
}

void ChannelBulkCommands::fill() {
  Guarded(ctx_, "frmCommChInfo_Fill", [&] {
    choice_.commitPendingEdit();
    commands_.takeUndoStep();
    const Document& doc = ctx_.doc();
    const RadioConfig& r = doc.working();
    const int group = r.currentGroup();
    const std::vector<int> rows = choice_.chosenRows();
    // Start where the first chosen row is, or at the band's lower edge.
    const ChInfo* first = rows.empty() ? nullptr : r.findChannel(group, rows.front());
    std::string start = first ? FreToText(first->RxFre.text(), doc.state().edges) : std::string();
    if (start.empty()) start = FormatFixed6(doc.state().edges.lower);
    FrmFillFrequencies dialog(ctx_, QString::fromStdString(start), grid_->window());
    if (dialog.exec() != QDialog::Accepted || !dialog.request()) return;
    const FillRequest& request = *dialog.request();
    applyFill(request.newChannels
                  ? PlanFillNewChannels(r, group, request.count, request.steps, doc.state().edges)
                  : PlanFillOverRows(r, group, rows, request.steps, doc.state().edges));
  });
}

void ChannelBulkCommands::applyFill(const FillPlan& plan) {
  const int language = ctx_.language();
  if (plan.refusal) {
    ctx_.prompter().ask(
        QString::fromUtf8(BulkRefusalText(
            {.refusal = plan.refusal, .refusalGroup = plan.group, .chosen = {}}, language)),
        MsgButtons::Ok, MsgIcon::Warning);
    return;
  }
  Document& doc = ctx_.doc();
  if (!plan.refused.empty()) {
    // Before anything changes: which channels would leave the band, and whether to go on.
    const FillRefusalText said =
        DescribeFillRefusal(plan, doc.state().bandText, language, kRefusedShown);
    const QString text = QString::fromUtf8(said.text);
    if (!said.canFillRest) {
      ctx_.prompter().ask(text, MsgButtons::Ok, MsgIcon::Warning);
      return;
    }
    if (ctx_.prompter().ask(text, MsgButtons::YesNo, MsgIcon::Warning) != Answer::Yes) return;
  }
  if (plan.channels.empty()) return;
  const BulkOutcome done = doc.EditChannels([&](RadioConfig& r) { return ApplyFill(r, plan); });
  choice_.choose(done.chosen);
  commands_.commandDone(ctx_.pick(kFillCaption), Notice::UndoTextOnly);
}

}  // namespace kr4100
