// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures the program draws itself, so that it needs no image files for its toolbar, its
// window icon or a missing background.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace kr4100 {

enum class Glyph {
  New,
  Open,
  Save,
  Print,
  ReadRadio,
  WriteRadio,
  GroupWrite,
  Port,
  About,
  Close,
  Radio
};

QIcon DrawGlyph(Glyph glyph);

// Stands in for a background picture the installation lacks.
QPixmap DrawnBackgroundTile();

}  // namespace kr4100
