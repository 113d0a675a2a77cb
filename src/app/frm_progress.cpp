#include "frm_progress.h"

#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <algorithm>

namespace kr4100 {
namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int kWidth = 5400;  // twips

}  // namespace

FrmProgress::FrmProgress(AppContext& ctx, SessionKind kind, QWidget* parent)
    : QDialog(parent), ctx_(ctx), kind_(kind) {
  setObjectName(QStringLiteral("FrmProgress"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setWindowModality(Qt::ApplicationModal);

  label1_ = new QLabel(this);
  label1_->setObjectName(QStringLiteral("Label1"));
  label1_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  label2_ = new QLabel(QStringLiteral("0%"), this);
  label2_->setObjectName(QStringLiteral("Label2"));
  label2_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  // Wide enough for "100%", so the caption label does not move while the figure grows.
  label2_->setMinimumWidth(label2_->fontMetrics().horizontalAdvance(QStringLiteral("100%")) + 2);
  progressBar1_ = new QProgressBar(this);
  progressBar1_->setObjectName(QStringLiteral("ProgressBar1"));
  progressBar1_->setRange(0, 100);
  progressBar1_->setValue(0);
  progressBar1_->setTextVisible(false);

  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(12, 12, 12, 14);
  layout->setHorizontalSpacing(4);  // the label ends just left of the figure
  layout->setVerticalSpacing(8);
  layout->setColumnStretch(0, 1);
  layout->addWidget(label1_, 0, 0);
  layout->addWidget(label2_, 0, 1);
  layout->addWidget(progressBar1_, 1, 0, 1, 2);

  reCaption();
  // A fixed window, never narrower than its own width: the bar should read as a bar.
  const QSize hint = layout->sizeHint();
  setFixedSize(std::max(kWidth / kTwipsPerPixel, hint.width()), hint.height());
}

void FrmProgress::reCaption() {
  const MessageId caption = kind_ == SessionKind::Write ? MessageId::WriteCaption : MessageId::ReadCaption;
  setWindowTitle(ctx_.msg(searching_ ? MessageId::SearchCaption : caption));
  label1_->setText(ctx_.msg(MessageId::CompletionPercentage));
}

void FrmProgress::setPercent(int percent) {
  percent = std::clamp(percent, 0, 100);
  progressBar1_->setValue(percent);
  label2_->setText(QString::number(percent) + QLatin1Char('%'));
}

void FrmProgress::setSearching(bool on) {
  searching_ = on;
  reCaption();
}

void FrmProgress::reject() {
  if (onUserClose) onUserClose();
  QDialog::reject();
}

}  // namespace kr4100
