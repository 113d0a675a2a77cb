// SPDX-License-Identifier: GPL-3.0-or-later
#include "testmode/test_mode_pictures.h"

#include <QPainter>
#include <QPainterPath>

namespace kr4100 {
namespace {

constexpr int kSide = 48;

QPixmap Blank() {
  QPixmap pixmap(kSide, kSide);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

void DrawMicrophone(QPainter& p, const QColor& body) {
  p.setPen(QPen(Qt::black, 2));
  p.setBrush(body);
  p.drawRoundedRect(QRectF(17, 6, 14, 22), 7, 7);
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(12, 12, 24, 22), 180 * 16, 180 * 16);  // the holder
  p.drawLine(QPointF(24, 34), QPointF(24, 41));
  p.drawLine(QPointF(16, 41), QPointF(32, 41));
}

void DrawAntenna(QPainter& p, const QColor& mast, bool waves) {
  p.setPen(QPen(mast, 3));
  p.drawLine(QPointF(24, 12), QPointF(24, 42));
  p.drawLine(QPointF(24, 12), QPointF(16, 26));
  p.drawLine(QPointF(24, 12), QPointF(32, 26));
  p.setBrush(mast);
  p.drawEllipse(QPointF(24, 11), 3, 3);
  if (!waves) return;
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(mast, 2));
  for (int r = 8; r <= 16; r += 8) {
    p.drawArc(QRectF(24 - r, 11 - r, 2 * r, 2 * r), -40 * 16, 80 * 16);
    p.drawArc(QRectF(24 - r, 11 - r, 2 * r, 2 * r), 140 * 16, 80 * 16);
  }
}

}  // namespace

QPixmap DrawPttPicture(PttPicture which, PttState state) {
  const bool transmitting = state == PttState::Transmitting;
  QPixmap pixmap = Blank();
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  if (which == PttPicture::Microphone) {
    DrawMicrophone(p, transmitting ? kLampTransmitting : QColor(160, 160, 160));
  } else {
    DrawAntenna(p, transmitting ? kLampTransmitting.darker(120) : QColor(90, 90, 90), transmitting);
  }
  return pixmap;
}

QPixmap DrawBandwidthPicture(Bandwidth bandwidth) {
  const bool wide = bandwidth == Bandwidth::Wide;
  QPixmap pixmap = Blank();
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::black, 1));
  p.drawLine(QPointF(3, 40), QPointF(45, 40));  // the frequency axis
  // The channel's spectrum: broad for wide, a slim peak for narrow.
  const qreal half = wide ? 17 : 7;
  QPainterPath shape;
  shape.moveTo(24 - half - 3, 40);
  shape.cubicTo(24 - half, 40, 24 - half, 10, 24, 10);
  shape.cubicTo(24 + half, 10, 24 + half, 40, 24 + half + 3, 40);
  p.setBrush(wide ? QColor(60, 120, 220) : QColor(230, 140, 30));
  p.setPen(QPen(Qt::black, 1.5));
  p.drawPath(shape);
  // Arrows marking the width.
  p.setPen(QPen(Qt::black, 1.5));
  const qreal y = 45;
  p.drawLine(QPointF(24 - half, y), QPointF(24 + half, y));
  p.drawLine(QPointF(24 - half, y), QPointF(24 - half + 3, y - 2));
  p.drawLine(QPointF(24 + half, y), QPointF(24 + half - 3, y - 2));
  return pixmap;
}

TestModeLamp::TestModeLamp(QWidget* parent) : QWidget(parent) {
  setFixedSize(sizeHint());
}

void TestModeLamp::setColor(const QColor& color) {
  color_ = color;
  update();
}

void TestModeLamp::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF r = QRectF(rect()).adjusted(2, 2, -2, -2);
  QRadialGradient glow(r.center() - QPointF(r.width() / 5, r.height() / 5), r.width() / 1.3);
  glow.setColorAt(0, color_.lighter(170));
  glow.setColorAt(1, color_);
  p.setPen(QPen(Qt::black, 1.5));
  p.setBrush(glow);
  p.drawEllipse(r);
}

}  // namespace kr4100
