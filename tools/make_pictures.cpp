// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the pictures the installation carries: the splash in both languages (StartE.jpg,
// StartC.jpg) and the main window's background tiles (PIC/BK_1.jpg, PIC/BK_2.jpg).
// Usage: kr4100-make-pictures PROGRAM_DIR   (run with QT_QPA_PLATFORM=offscreen)
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cstdio>

namespace {

constexpr int kSplashWidth = 480;
constexpr int kSplashHeight = 300;

// A stylised handset on the right of the splash: body, display, keypad and antenna.
void DrawRadio(QPainter& p, const QRectF& body) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(20, 24, 30));
  p.drawRoundedRect(QRectF(body.left() + 12, body.top() - 60, 10, 66), 4, 4);
  QLinearGradient shade(body.topLeft(), body.topRight());
  shade.setColorAt(0, QColor(70, 76, 88));
  shade.setColorAt(1, QColor(38, 42, 50));
  p.setBrush(shade);
  p.drawRoundedRect(body, 12, 12);
  p.setBrush(QColor(120, 200, 150));
  p.drawRoundedRect(QRectF(body.left() + 12, body.top() + 18, body.width() - 24, 30), 3, 3);
  p.setPen(QColor(20, 60, 30));
  QFont font(QStringLiteral("DejaVu Sans Mono"));
  font.setPixelSize(13);
  font.setBold(true);
  p.setFont(font);
  p.drawText(QRectF(body.left() + 12, body.top() + 18, body.width() - 24, 30), Qt::AlignCenter,
             QStringLiteral("CH 01"));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(95, 102, 116));
  for (int row = 0; row < 4; ++row)
    for (int col = 0; col < 3; ++col)
      p.drawRoundedRect(QRectF(body.left() + 14 + col * 20, body.top() + 62 + row * 16, 14, 10), 2,
                        2);
}

QImage Splash(const QString& subtitle, const QString& note) {
  QImage image(kSplashWidth, kSplashHeight, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);

  QLinearGradient sky(0, 0, 0, kSplashHeight);
  sky.setColorAt(0, QColor(30, 60, 112));
  sky.setColorAt(1, QColor(8, 20, 46));
  p.fillRect(image.rect(), sky);

  // Radio waves spreading from the antenna.
  QRadialGradient glow(QPointF(385, 70), 240);
  glow.setColorAt(0, QColor(120, 170, 255, 70));
  glow.setColorAt(1, QColor(120, 170, 255, 0));
  p.fillRect(image.rect(), glow);
  p.setBrush(Qt::NoBrush);
  for (int i = 1; i <= 5; ++i) {
    p.setPen(QPen(QColor(150, 190, 255, 120 - i * 18), 2));
    const qreal r = 22.0 * i;
    p.drawArc(QRectF(385 - r, 70 - r, 2 * r, 2 * r), 20 * 16, 140 * 16);
  }
  DrawRadio(p, QRectF(368, 128, 92, 150));

  p.setPen(Qt::white);
  QFont title(QStringLiteral("DejaVu Sans"));
  title.setPixelSize(56);
  title.setBold(true);
  p.setFont(title);
  p.drawText(QRect(30, 70, 320, 70), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("KR-4100"));

  p.setPen(QPen(QColor(120, 170, 255), 3));
  p.drawLine(32, 146, 320, 146);

  QFont sub(QStringLiteral("Noto Sans CJK SC"));
  sub.setPixelSize(24);
  p.setFont(sub);
  p.setPen(QColor(225, 235, 250));
  p.drawText(QRect(32, 156, 330, 40), Qt::AlignLeft | Qt::AlignVCenter, subtitle);
  sub.setPixelSize(14);
  p.setFont(sub);
  p.setPen(QColor(170, 190, 220));
  p.drawText(QRect(32, 200, 330, 24), Qt::AlignLeft | Qt::AlignVCenter, note);
  p.drawText(QRect(32, 262, 330, 20), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("V6.00"));
  return image;
}

// A quiet tile: a light ground with a faint diagonal weave, slightly warmer for Chinese.
QImage BackgroundTile(const QColor& ground, const QColor& line) {
  QImage image(96, 96, QImage::Format_RGB32);
  image.fill(ground);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(line, 1));
  for (int i = -96; i < 96; i += 12) {
    p.drawLine(i, 96, i + 96, 0);
    p.drawLine(i, 0, i + 96, 96);
  }
  return image;
}

bool Save(const QImage& image, const QString& path) {
  if (image.save(path, "JPG", 92)) return true;
  std::fprintf(stderr, "kr4100-make-pictures: cannot write %s\n", qPrintable(path));
  return false;
}

}  // namespace

int main(int argc, char* argv[]) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: kr4100-make-pictures PROGRAM_DIR\n");
    return 2;
  }
  const QDir dir(QString::fromLocal8Bit(argv[1]));
  if (!dir.mkpath(QStringLiteral("PIC"))) {
    std::fprintf(stderr, "kr4100-make-pictures: cannot create %s/PIC\n", argv[1]);
    return 1;
  }
  const bool ok = Save(Splash(QStringLiteral("Programming Software"),
                              QStringLiteral("28.000000 - 29.700000 MHz")),
                       dir.filePath(QStringLiteral("StartE.jpg"))) &&
                  Save(Splash(QString::fromUtf8("写频软件"),
                              QString::fromUtf8("28.000000 - 29.700000 MHz 车载电台")),
                       dir.filePath(QStringLiteral("StartC.jpg"))) &&
                  Save(BackgroundTile(QColor(218, 225, 234), QColor(209, 217, 228)),
                       dir.filePath(QStringLiteral("PIC/BK_1.jpg"))) &&
                  Save(BackgroundTile(QColor(226, 224, 218), QColor(217, 214, 206)),
                       dir.filePath(QStringLiteral("PIC/BK_2.jpg")));
  return ok ? 0 : 1;
}
