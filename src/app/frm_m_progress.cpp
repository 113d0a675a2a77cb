// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frm_m_progress.h"

#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <algorithm>
#include <string>

#include "core/texts/messages.h"

namespace kr4100 {
namespace {

// The label in front of the radio number.
constexpr Bilingual kRadio{"Radio", "对讲机"};

}  // namespace

frmMProgress::frmMProgress(UiContext& ctx, int radiosToWrite, QWidget* parent)
    : ProgressWindow(ctx, "frmMProgress", MessageId::WriteCaption, parent) {
  label4_ = captionLabel("Label4");
  label3_ = figureLabel("Label3");
  progressBar2_ = new QProgressBar(this);
  progressBar2_->setObjectName(QStringLiteral("ProgressBar2"));
  progressBar2_->setRange(0, std::max(1, radiosToWrite));
  progressBar2_->setTextVisible(false);
  grid()->addWidget(label4_, 2, 0);
  grid()->addWidget(label3_, 2, 1);
  grid()->addWidget(progressBar2_, 3, 0, 1, 2);
  counts_ = new QLabel(this);
  counts_->setObjectName(QStringLiteral("LabelCounts"));
  grid()->addWidget(counts_, 4, 0, 1, 2);

  setRadioNumber(1);
  setCounts(0, 0);
  fixSize();
}

void frmMProgress::reCaptionRows() {
  label4_->setText(ctx_.pick(kRadio));
  if (counts_) setCounts(succeeded_, failed_);
}

void frmMProgress::setCounts(int succeeded, int failed) {
  succeeded_ = succeeded;
  failed_ = failed;
  const QString text = QString::fromStdString(
      MessageWith(MessageId::GroupProgressCounts, ctx_.language(),
                  {{"{ok}", std::to_string(succeeded)}, {"{failed}", std::to_string(failed)}}));
  counts_->setText(text);
  counts_->setAccessibleName(text);
}

void frmMProgress::setRadioNumber(int radioNumber) {
  progressBar2_->setValue(std::clamp(radioNumber, 0, progressBar2_->maximum()));
  label3_->setText(QString::number(radioNumber));
  setPercent(0);
}

}  // namespace kr4100
