// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/child_windows.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>

namespace kr4100 {
namespace {

constexpr const char* kWantedSize = "kr4100WantedSize";  // a child's own size, kept on cascade

}  // namespace

void ChildWindows::registerWindow(const QString& name, std::function<QWidget*()> factory) {
  factories_.insert(name, std::move(factory));
}

QWidget* ChildWindows::find(const QString& name) const {
  for (QMdiSubWindow* sw : area_->subWindowList()) {
    // A window closed by its own button waits hidden for deletion; it no longer counts.
    if (!sw->isHidden() && sw->widget() && sw->widget()->objectName() == name) return sw->widget();
  }
  return nullptr;
}

QWidget* ChildWindows::open(const QString& name) {
  if (QWidget* already = find(name)) {
    area_->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(already->parentWidget()));
    already->setFocus();
    return already;
  }
  const auto factory = factories_.constFind(name);
  if (factory == factories_.cend()) return nullptr;
  QWidget* window = (*factory)();
  window->setObjectName(name);
  // A window that chose its own size keeps it; the area would otherwise shrink it to a minimum.
  const QSize wanted = window->testAttribute(Qt::WA_Resized) ? window->size() : QSize();
  QMdiSubWindow* sw = area_->addSubWindow(window);
  sw->setAttribute(Qt::WA_DeleteOnClose);
  if (wanted.isValid()) sw->setProperty(kWantedSize, wanted);
  sw->show();
  cascade();
  return window;
}

void ChildWindows::cascade() {
  // Before the main window is first shown the area has no size of its own yet, and a cascade
  // asked for then would run again at the show, shrinking every window.
  if (area_->isVisible()) area_->cascadeSubWindows();
  fit();
}

void ChildWindows::fit() {
  const QSize room = area_->isVisible() ? area_->viewport()->size() : QSize(4096, 4096);
  for (QMdiSubWindow* sw : area_->subWindowList()) {
    const QSize wanted = sw->property(kWantedSize).toSize();
    if (!wanted.isValid()) continue;
    const QSize margins = sw->size() - sw->widget()->size();
    const QPoint at(std::max(sw->x(), 0), std::max(sw->y(), 0));
    const QSize size = (wanted + margins).boundedTo(room - QSize(at.x(), at.y()));
    sw->setGeometry(QRect(at, size.expandedTo(sw->minimumSizeHint())));
  }
}

void ChildWindows::closeAll() {
  for (QMdiSubWindow* sw : area_->subWindowList()) {
    // Gone at once rather than at the event loop's next turn: a window waiting for deletion
    // still observes the document, and would store what it holds into whatever comes next.
    if (sw->close()) std::unique_ptr<QMdiSubWindow> closed(sw);
  }
}

}  // namespace kr4100
