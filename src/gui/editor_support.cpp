#include "gui/editor_support.h"

#include <QComboBox>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QTableWidget>

namespace kr4100 {

QString WithoutAccelerator(QString text) {
  static const QRegularExpression kChineseAccel(QStringLiteral("\\(&.\\)$"));
  text.remove(kChineseAccel);
  return text.remove(QLatin1Char('&'));
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
