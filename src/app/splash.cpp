// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/splash.h"

#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace kr4100 {
namespace {

constexpr Bilingual kSubtitle{"Programming Software", "写频软件"};

// What the splash shows when the installation lacks its picture.
QPixmap DrawnSplash(const QString& subtitle) {
  QPixmap pixmap(480, 300);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient fill(0, 0, 0, pixmap.height());
  fill.setColorAt(0, QColor(28, 52, 96));
  fill.setColorAt(1, QColor(10, 22, 48));
  p.fillRect(pixmap.rect(), fill);
  p.setPen(Qt::white);
  QFont font = p.font();
  font.setPixelSize(54);
  font.setBold(true);
  p.setFont(font);
  p.drawText(QRect(0, 70, pixmap.width(), 80), Qt::AlignCenter, QStringLiteral("KR-4100"));
  font.setPixelSize(22);
  font.setBold(false);
  p.setFont(font);
  p.drawText(QRect(0, 160, pixmap.width(), 40), Qt::AlignCenter, subtitle);
  return pixmap;
}

}  // namespace

frmSplash::frmSplash(UiContext& ctx, std::function<void()> done, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), done_(std::move(done)) {
  setObjectName(QStringLiteral("frmSplash"));
  setAttribute(Qt::WA_DeleteOnClose);

  picture_ = new QLabel(this);
  picture_->setObjectName(QStringLiteral("Picture1"));
  const char* file = ctx.language() == kChinese ? "StartC.jpg" : "StartE.jpg";
  QPixmap pixmap(QString::fromStdU16String((ctx.install().programDir / file).u16string()));
  if (pixmap.isNull()) pixmap = DrawnSplash(ctx.pick(kSubtitle));
  picture_->setPixmap(pixmap);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(picture_);
  setFixedSize(pixmap.size());
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());

  timer_ = new QTimer(this);
  timer_->setObjectName(QStringLiteral("Timer1"));
  timer_->setSingleShot(true);
  timer_->setInterval(2000);
  connect(timer_, &QTimer::timeout, this, &frmSplash::finish);
  timer_->start();
}

void frmSplash::mousePressEvent(QMouseEvent*) {
  finish();
}

void frmSplash::finish() {
  timer_->stop();
  if (auto done = std::exchange(done_, nullptr)) done();
  close();
}

}  // namespace kr4100
