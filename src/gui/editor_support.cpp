#include "gui/editor_support.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>

namespace kr4100 {
namespace {

// A distinct type, so the document's sink can be recognised as ours when it is taken away.
struct MessageBoxWarningSink {
  UiContext* ctx;
  void operator()(MessageId id) const {
    ctx->tell(id, id == MessageId::OutOfRange ? MsgIcon::Warning : MsgIcon::None);
  }
};

}  // namespace

bool InstallWarningSink(UiContext& ctx) {
  if (ctx.doc().warningSink()) return false;
  ctx.doc().setWarningSink(MessageBoxWarningSink{&ctx});
  return true;
}

void RemoveWarningSink(UiContext& ctx) {
  if (ctx.doc().warningSink().target<MessageBoxWarningSink>()) ctx.doc().setWarningSink({});
}

void PickText(QComboBox* box, const QString& text) {
  const QSignalBlocker block(box);
  if (box->count() == 0) {
    box->setCurrentIndex(-1);
    return;
  }
  const int found = box->findText(text, Qt::MatchExactly);
  box->setCurrentIndex(found >= 0 ? found : 0);
}

QHBoxLayout* CloseAndHelpRow(QWidget* window, QPushButton*& close, QPushButton*& help) {
  close = new QPushButton(window);
  close->setObjectName(QStringLiteral("CommandClose"));
  help = new QPushButton(window);
  help->setObjectName(QStringLiteral("CommandHelp"));
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  row->addWidget(close);
  row->addWidget(help);
  QObject::connect(close, &QPushButton::clicked, window, [window] {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget()))
      sub->close();
    else
      window->close();
  });
  // Help has no action.
  return row;
}

void FillNumberedGrid(QTableWidget* grid, int rows, Qt::Alignment dataAlignment) {
  const QPalette palette = grid->palette();
  for (int r = 0; r < rows; ++r) {
    auto* number = new QTableWidgetItem(QString::number(r + 1));
    number->setFlags(Qt::NoItemFlags);
    number->setTextAlignment(Qt::AlignCenter);
    number->setBackground(palette.button());
    number->setForeground(palette.buttonText());
    grid->setItem(r, 0, number);
    for (int c = 1; c < grid->columnCount(); ++c) {
      auto* item = new QTableWidgetItem;
      item->setTextAlignment(dataAlignment);
      item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
      grid->setItem(r, c, item);
    }
  }
}

}  // namespace kr4100
