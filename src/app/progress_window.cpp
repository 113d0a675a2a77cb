// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/progress_window.h"

#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <algorithm>

#include "gui/editor_support.h"
#include "gui/twips.h"

namespace kr4100 {
namespace {

constexpr int kWidth = 5400;  // twips

}  // namespace

ProgressWindow::ProgressWindow(UiContext& ctx, const char* name, MessageId caption, QWidget* parent)
    : QDialog(parent), ctx_(ctx), caption_(caption) {
  setObjectName(QString::fromLatin1(name));
  SetDialogFrame(this);
  setWindowModality(Qt::ApplicationModal);

  label1_ = captionLabel("Label1");
  label2_ = figureLabel("Label2");
  progressBar1_ = new QProgressBar(this);
  progressBar1_->setObjectName(QStringLiteral("ProgressBar1"));
  progressBar1_->setRange(0, 100);
  progressBar1_->setTextVisible(false);

  layout_ = new QGridLayout(this);
  layout_->setContentsMargins(12, 12, 12, 14);
  layout_->setHorizontalSpacing(4);  // the label ends just left of the figure
  layout_->setVerticalSpacing(8);
  layout_->setColumnStretch(0, 1);
  layout_->addWidget(label1_, 0, 0);
  layout_->addWidget(label2_, 0, 1);
  layout_->addWidget(progressBar1_, 1, 0, 1, 2);
  setPercent(0);
}

QLabel* ProgressWindow::captionLabel(const char* name) {
  auto* label = new QLabel(this);
  label->setObjectName(QString::fromLatin1(name));
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return label;
}

QLabel* ProgressWindow::figureLabel(const char* name) {
  auto* label = new QLabel(this);
  label->setObjectName(QString::fromLatin1(name));
  label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  // Wide enough for "100%", so the caption label does not move while the figure grows.
  label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("100%")) + 2);
  return label;
}

void ProgressWindow::fixSize() {
  reCaption();
  // A fixed window, never narrower than its own width: the bar should read as a bar.
  const QSize hint = layout_->sizeHint();
  setFixedSize(std::max(TwipsToPixels(kWidth), hint.width()), hint.height());
}

void ProgressWindow::reCaption() {
  setWindowTitle(ctx_.msg(searching_ ? MessageId::SearchCaption : caption_));
  label1_->setText(ctx_.msg(MessageId::CompletionPercentage));
  reCaptionRows();
}

void ProgressWindow::setPercent(int percent) {
  percent = std::clamp(percent, 0, 100);
  progressBar1_->setValue(percent);
  label2_->setText(QString::number(percent) + QLatin1Char('%'));
}

void ProgressWindow::setSearching(bool on) {
  searching_ = on;
  reCaption();
}

void ProgressWindow::setCaption(MessageId caption) {
  caption_ = caption;
  reCaption();
}

void ProgressWindow::setNote(const QString& text) {
  if (note_ == nullptr) {
    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("LabelNote"));
    note_->setWordWrap(true);
    note_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    layout_->addWidget(note_, layout_->rowCount(), 0, 1, 2);
  }
  note_->setText(text);
  note_->setAccessibleName(text);
  // The window's size is fixed; it grows by the note's lines.
  setMinimumSize(0, 0);
  setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  const int width = std::max(TwipsToPixels(kWidth), layout_->sizeHint().width());
  setFixedSize(width, layout_->heightForWidth(width) > 0 ? layout_->heightForWidth(width)
                                                         : layout_->sizeHint().height());
}

void ProgressWindow::reject() {
  emit userClosed();
  QDialog::reject();
}

}  // namespace kr4100
