#include "frm_m_progress.h"

#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <algorithm>

namespace kr4100 {
namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int kWidth = 5400;  // twips

// The label in front of the radio number.
constexpr Bilingual kRadio{"Radio", "对讲机"};

}  // namespace

frmMProgress::frmMProgress(AppContext& ctx, int radiosToWrite, QWidget* parent)
    : QDialog(parent), ctx_(ctx) {
  setObjectName(QStringLiteral("frmMProgress"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setWindowModality(Qt::ApplicationModal);

  auto label = [this](const char* name, Qt::Alignment alignment) {
    auto* l = new QLabel(this);
    l->setObjectName(QString::fromLatin1(name));
    l->setAlignment(alignment | Qt::AlignVCenter);
    return l;
  };
  label1_ = label("Label1", Qt::AlignRight);
  label2_ = label("Label2", Qt::AlignLeft);
  label4_ = label("Label4", Qt::AlignRight);
  label3_ = label("Label3", Qt::AlignLeft);
  const int figureWidth = label2_->fontMetrics().horizontalAdvance(QStringLiteral("100%")) + 2;
  label2_->setMinimumWidth(figureWidth);
  label3_->setMinimumWidth(figureWidth);

  progressBar1_ = new QProgressBar(this);
  progressBar1_->setObjectName(QStringLiteral("ProgressBar1"));
  progressBar1_->setRange(0, 100);
  progressBar1_->setTextVisible(false);
  progressBar2_ = new QProgressBar(this);
  progressBar2_->setObjectName(QStringLiteral("ProgressBar2"));
  progressBar2_->setRange(0, std::max(1, radiosToWrite));
  progressBar2_->setTextVisible(false);

  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(12, 12, 12, 14);
  layout->setHorizontalSpacing(4);  // the label ends just left of the figure
  layout->setVerticalSpacing(8);
  layout->setColumnStretch(0, 1);
  layout->addWidget(label1_, 0, 0);
  layout->addWidget(label2_, 0, 1);
  layout->addWidget(progressBar1_, 1, 0, 1, 2);
  layout->addWidget(label4_, 2, 0);
  layout->addWidget(label3_, 2, 1);
  layout->addWidget(progressBar2_, 3, 0, 1, 2);

  setPercent(0);
  setRadioNumber(1);
  reCaption();
  // A fixed window, never narrower than its own width: the bar should read as a bar.
  const QSize hint = layout->sizeHint();
  setFixedSize(std::max(kWidth / kTwipsPerPixel, hint.width()), hint.height());
}

void frmMProgress::reCaption() {
  setWindowTitle(ctx_.msg(searching_ ? MessageId::SearchCaption : MessageId::WriteCaption));
  label1_->setText(ctx_.msg(MessageId::CompletionPercentage));
  label4_->setText(ctx_.pick(kRadio));
}

void frmMProgress::setPercent(int percent) {
  percent = std::clamp(percent, 0, 100);
  progressBar1_->setValue(percent);
  label2_->setText(QString::number(percent) + QLatin1Char('%'));
}

void frmMProgress::setRadioNumber(int radioNumber) {
  progressBar2_->setValue(std::clamp(radioNumber, 0, progressBar2_->maximum()));
  label3_->setText(QString::number(radioNumber));
  setPercent(0);
}

void frmMProgress::setSearching(bool on) {
  searching_ = on;
  reCaption();
}

void frmMProgress::reject() {
  if (onUserClose) onUserClose();
  QDialog::reject();
}

}  // namespace kr4100
