// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/editor_support.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QTableWidget>

namespace kr4100 {

LabelledList MakeLabelledList(QWidget* parent, const char* labelName, const char* listName,
                              int k, int minimumChars) {
  auto* label = new QLabel(parent);
  label->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(labelName)).arg(k));
  auto* list = new QComboBox(parent);
  list->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(listName)).arg(k));
  list->setMinimumContentsLength(minimumChars);
  return {label, list};
}

void SetDialogFrame(QWidget* dialog) {
  dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint);
}

QString WithoutAccelerator(const QString& text) {
  QString plain;
  plain.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    // A Chinese caption carries its key in brackets of its own ("读取(&R)..."): they go whole.
    if (text[i] == u'(' && i + 3 < text.size() && text[i + 1] == u'&' && text[i + 2] != u'&' &&
        text[i + 3] == u')') {
      i += 3;
      continue;
    }
    if (text[i] == u'&') {
      // "&&" is an ampersand shown as such.
      if (i + 1 < text.size() && text[i + 1] == u'&') plain += text[++i];
      continue;
    }
    plain += text[i];
  }
  return plain;
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

void SetButtonText(QAbstractButton* button, const QString& text) {
  button->setText(text);
  button->setAccessibleName(WithoutAccelerator(text));
}

}  // namespace kr4100
