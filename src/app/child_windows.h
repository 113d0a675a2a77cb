// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's child windows: single-instance, found by their window name (objectName),
// made by the factory registered under that name, and kept at the size each asked for.
#pragma once

#include <QMap>
#include <QMdiArea>
#include <QString>
#include <functional>
#include <memory>

class QWidget;

namespace kr4100 {

class ChildWindows {
 public:
  // The area, wherever it is laid out, and the windows in it go with this object, before the
  // parent's own destruction would take them: the main window declares it after what its editors
  // use, so that they go first.
  explicit ChildWindows(QMdiArea* area) : area_(area) {}

  void registerWindow(const QString& name, std::function<QWidget*()> factory);
  bool isRegistered(const QString& name) const { return factories_.contains(name); }

  // The open window of that name, given the focus; otherwise a new one, shown and cascaded.
  // Nothing when no window of that name is registered.
  QWidget* open(const QString& name);
  QWidget* find(const QString& name) const;  // the open window of that name, if any
  void cascade();   // cascades the children, each at the size it asked for as far as it fits
  void fit();       // each child at the size it asked for as far as the area holds it
  void closeAll();  // every child closed and deleted at once

 private:
  std::unique_ptr<QMdiArea> area_;
  QMap<QString, std::function<QWidget*()>> factories_;
};

}  // namespace kr4100
