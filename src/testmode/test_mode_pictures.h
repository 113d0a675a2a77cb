// SPDX-License-Identifier: GPL-3.0-or-later
// The test-mode windows' indicator pictures and lamp, drawn by the program itself: a microphone
// and an antenna for released and transmitting, a wide and a narrow channel shape.
#pragma once

#include <QColor>
#include <QPixmap>
#include <QWidget>

namespace kr4100 {

inline const QColor kLampReleased(0, 255, 0);
inline const QColor kLampTransmitting(255, 0, 0);
inline const QColor kLampPolling(255, 255, 0);

enum class PttPicture { Microphone, Antenna };

enum class PttState { Released, Transmitting };
enum class Bandwidth { Wide, Narrow };

QPixmap DrawPttPicture(PttPicture which, PttState state);
QPixmap DrawBandwidthPicture(Bandwidth bandwidth);

// A round lamp in one colour.
class TestModeLamp : public QWidget {
 public:
  explicit TestModeLamp(QWidget* parent = nullptr);
  void setColor(const QColor& color);
  QColor color() const { return color_; }
  QSize sizeHint() const override { return {28, 28}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor color_ = kLampReleased;
};

}  // namespace kr4100
