// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/glyphs.h"

#include <QPainter>
#include <QPolygonF>

namespace kr4100 {
namespace {

void DrawRadio(QPainter& p, qreal x) {
  p.setPen(QPen(QColor(40, 40, 40), 1.2));
  p.drawLine(QPointF(x + 2, 7), QPointF(x + 2, 1));
  p.setBrush(QColor(60, 64, 72));
  p.drawRoundedRect(QRectF(x, 7, 8, 15), 1.5, 1.5);
  p.setBrush(QColor(150, 220, 150));
  p.drawRect(QRectF(x + 1.5, 9, 5, 3));
}

void DrawArrow(QPainter& p, QPointF from, QPointF to, const QColor& colour) {
  p.setPen(QPen(colour, 2.4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(from, to);
  const qreal dir = to.x() > from.x() ? -1 : 1;
  p.drawLine(to, to + QPointF(4 * dir, -4));
  p.drawLine(to, to + QPointF(4 * dir, 4));
}

// The file commands' glyphs: sheet, folder, disk, printer.
void DrawFileGlyph(QPainter& p, Glyph glyph) {
  switch (glyph) {
    case Glyph::New:
      p.setBrush(Qt::white);
      p.drawPolygon(QPolygonF({{5, 2}, {15, 2}, {20, 7}, {20, 22}, {5, 22}}));
      p.drawPolyline(QPolygonF({{15, 2}, {15, 7}, {20, 7}}));
      break;
    case Glyph::Open:
      p.setBrush(QColor(240, 200, 90));
      p.drawPolygon(QPolygonF({{2, 6}, {9, 6}, {11, 8}, {21, 8}, {21, 20}, {2, 20}}));
      p.setBrush(QColor(250, 222, 130));
      p.drawPolygon(QPolygonF({{2, 20}, {6, 11}, {23, 11}, {21, 20}}));
      break;
    case Glyph::Save:
      p.setBrush(QColor(60, 100, 180));
      p.drawRoundedRect(QRectF(3, 3, 18, 18), 2, 2);
      p.setBrush(Qt::white);
      p.drawRect(QRectF(6, 3, 12, 7));
      p.setBrush(QColor(200, 200, 210));
      p.drawRect(QRectF(7, 14, 10, 7));
      break;
    case Glyph::Print:
      p.setBrush(Qt::white);
      p.drawRect(QRectF(7, 2, 10, 8));
      p.setBrush(QColor(150, 150, 160));
      p.drawRoundedRect(QRectF(2, 9, 20, 9), 2, 2);
      p.setBrush(Qt::white);
      p.drawRect(QRectF(7, 15, 10, 7));
      break;
    default:
      break;
  }
}

// The radio and window commands' glyphs.
void DrawRadioGlyph(QPainter& p, Glyph glyph) {
  switch (glyph) {
    case Glyph::ReadRadio:
      DrawRadio(p, 14);
      DrawArrow(p, {12, 14}, {2, 14}, QColor(30, 140, 60));
      break;
    case Glyph::WriteRadio:
      DrawRadio(p, 14);
      DrawArrow(p, {1, 14}, {11, 14}, QColor(200, 60, 40));
      break;
    case Glyph::GroupWrite:
      DrawRadio(p, 10);
      DrawRadio(p, 16);
      DrawArrow(p, {0, 14}, {8, 14}, QColor(200, 60, 40));
      break;
    case Glyph::Port:
      p.setBrush(QColor(90, 110, 150));
      p.drawPolygon(QPolygonF({{2, 7}, {22, 7}, {19, 17}, {5, 17}}));
      p.setBrush(QColor(230, 230, 230));
      for (int i = 0; i < 5; ++i) p.drawEllipse(QPointF(6 + 3 * i, 10.5), 1, 1);
      for (int i = 0; i < 4; ++i) p.drawEllipse(QPointF(7.5 + 3 * i, 13.5), 1, 1);
      break;
    case Glyph::About: {
      p.setBrush(QColor(50, 110, 200));
      p.drawEllipse(QRectF(2, 2, 20, 20));
      p.setPen(Qt::NoPen);
      p.setBrush(Qt::white);
      p.drawEllipse(QPointF(12, 7.5), 1.6, 1.6);
      p.drawRoundedRect(QRectF(10.5, 10.5, 3, 8), 1, 1);
      break;
    }
    case Glyph::Radio:
      DrawRadio(p, 8);
      break;
    case Glyph::Close:
      p.setPen(QPen(QColor(170, 40, 40), 2.2, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(7, 7), QPointF(17, 17));
      p.drawLine(QPointF(17, 7), QPointF(7, 17));
      break;
    default:
      break;
  }
}

}  // namespace

QIcon DrawGlyph(Glyph glyph) {
  QPixmap pixmap(24, 24);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const QPen outline(QColor(50, 50, 60), 1.2);
  p.setPen(outline);
  DrawFileGlyph(p, glyph);
  DrawRadioGlyph(p, glyph);
  return QIcon(pixmap);
}

QPixmap DrawnBackgroundTile() {
  QPixmap tile(64, 64);
  tile.fill(QColor(214, 222, 232));
  QPainter p(&tile);
  p.setPen(QPen(QColor(204, 213, 225), 1));
  for (int i = -64; i < 64; i += 8) p.drawLine(i, 64, i + 64, 0);
  return tile;
}

}  // namespace kr4100
