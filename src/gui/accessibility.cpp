// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/accessibility.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QTableWidget>

#include "core/texts/accessible_texts.h"
#include "gui/editor_support.h"
#include "gui/ui_context.h"

namespace kr4100 {
namespace {

void announce(QTableWidget* grid, const UiContext& ctx, bool rowsAreChannels, int row, int col) {
  QTableWidgetItem* item = grid->item(row, col);
  if (!item) return;
  const QTableWidgetItem* heading = grid->horizontalHeaderItem(col);
  const QString headingText = heading ? heading->text().simplified() : QString();
  // The channel-number column is the channel itself.
  const int channel = rowsAreChannels && col > 0 ? row + 1 : 0;
  const std::string text = AccessibleCellText(headingText.toStdString(), item->text().toStdString(),
                                              channel, ctx.language());
  item->setData(Qt::AccessibleTextRole, QString::fromStdString(text));
}

class ToolkitDialogNamer : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Show) return false;
    auto* dialog = qobject_cast<QFileDialog*>(watched);
    if (!dialog) return false;
    const std::pair<const char*, const char*> pairs[] = {{"lookInLabel", "lookInCombo"},
                                                         {"fileTypeLabel", "fileTypeCombo"}};
    for (const auto& [labelName, boxName] : pairs) {
      auto* label = dialog->findChild<QLabel*>(QLatin1String(labelName));
      auto* box = dialog->findChild<QComboBox*>(QLatin1String(boxName));
      if (label && box && !label->buddy()) NameAfterLabel(box, label);
    }
    return false;
  }
};

}  // namespace

void AnnounceCells(QTableWidget* grid, UiContext& ctx, bool rowsAreChannels) {
  const UiContext* context = &ctx;
  auto cells = [grid, context, rowsAreChannels](int fromRow, int toRow, int fromCol, int toCol) {
    for (int r = fromRow; r <= toRow; ++r)
      for (int c = fromCol; c <= toCol; ++c) announce(grid, *context, rowsAreChannels, r, c);
  };
  QAbstractItemModel* model = grid->model();
  QObject::connect(
      model, &QAbstractItemModel::dataChanged, grid,
      [cells](const QModelIndex& from, const QModelIndex& to, const QList<int>& roles) {
        // Its own change comes back here with that role alone.
        if (roles.size() == 1 && roles.front() == Qt::AccessibleTextRole) return;
        cells(from.row(), to.row(), from.column(), to.column());
      });
  auto all = [grid, cells] { cells(0, grid->rowCount() - 1, 0, grid->columnCount() - 1); };
  QObject::connect(model, &QAbstractItemModel::headerDataChanged, grid, all);
  all();
}

void NameAfterLabel(QWidget* control, QLabel* label) {
  label->setBuddy(control);
  control->setAccessibleName(WithoutAccelerator(label->text()).simplified());
}

void NameComboBox(QComboBox* box, const QString& name) {
  QWidget* parent = box->parentWidget();
  const QString labelName = box->objectName() + QStringLiteral("_Name");
  auto* label = parent->findChild<QLabel*>(labelName, Qt::FindDirectChildrenOnly);
  if (!label) {
    label = new QLabel(parent);
    label->setObjectName(labelName);
    label->hide();
  }
  label->setText(name);
  NameAfterLabel(box, label);
}

void NameToolkitDialogs(QObject* application) {
  application->installEventFilter(new ToolkitDialogNamer(application));
}

bool OpensKeyboardContextMenu(const QEvent* event) {
  if (event->type() == QEvent::ContextMenu)
    return static_cast<const QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard;
  if (event->type() != QEvent::KeyPress) return false;
  const auto* key = static_cast<const QKeyEvent*>(event);
  return key->key() == Qt::Key_Menu ||
         (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier);
}

void SendKeyboardContextMenu(QTableWidget* grid) {
  const QRect cell = grid->visualRect(grid->currentIndex());
  const QPoint at = grid->viewport()->mapTo(grid, cell.center());
  QContextMenuEvent event(QContextMenuEvent::Keyboard, at, grid->mapToGlobal(at));
  QCoreApplication::sendEvent(grid, &event);
}

}  // namespace kr4100
