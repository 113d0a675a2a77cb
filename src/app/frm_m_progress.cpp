#include "app/frm_m_progress.h"

#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <algorithm>

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

  setRadioNumber(1);
  fixSize();
}

void frmMProgress::reCaptionRows() {
  label4_->setText(ctx_.pick(kRadio));
}

void frmMProgress::setRadioNumber(int radioNumber) {
  progressBar2_->setValue(std::clamp(radioNumber, 0, progressBar2_->maximum()));
  label3_->setText(QString::number(radioNumber));
  setPercent(0);
}

}  // namespace kr4100
