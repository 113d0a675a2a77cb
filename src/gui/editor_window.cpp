// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/editor_window.h"

#include <QEvent>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QWidget>
#include <vector>

namespace kr4100 {
namespace {

// A distinct type, so the document's sink can be recognised as ours when it is taken away.
struct MessageBoxWarningSink {
  UiContext* ctx;
  void operator()(MessageId id) const {
    ctx->tell(id, id == MessageId::OutOfRange ? MsgIcon::Warning : MsgIcon::None);
  }
};

}  // namespace

// Sees the window's close and its boxes' focus leaving, before the window's own handlers.
class EditorWindow::Watcher : public QObject {
 public:
  struct Box {
    QObject* box;
    const char* label;
    std::function<void()> store;
  };
  explicit Watcher(EditorWindow& owner) : owner_(owner) {}
  std::vector<Box> boxes;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (owner_.detached_) return false;
    if (event->type() == QEvent::Close && watched == owner_.window_) {
      owner_.commitOnClose();
    } else if (event->type() == QEvent::FocusOut &&
               static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
      for (const Box& b : boxes)
        if (b.box == watched) owner_.guarded(b.label, b.store);
    }
    return false;
  }

 private:
  EditorWindow& owner_;
};

EditorWindow::EditorWindow(QWidget* window, UiContext& ctx, const char* name)
    : window_(window),
      ctx_(ctx),
      unloadLabel_(std::string(name) + "_Form_Unload"),
      watcher_(std::make_unique<Watcher>(*this)) {
  window_->setObjectName(QLatin1String(name));
  window_->installEventFilter(watcher_.get());
  ctx_.doc().addObserver(this);
}

EditorWindow::~EditorWindow() {
  detach();
}

void EditorWindow::commitOnClose() {
  guarded(unloadLabel_.c_str(), [this] { commitPendingEdit(); });
}

void EditorWindow::leave() {
  if (!detached_) commitOnClose();
  detach();
}

void EditorWindow::commitOnFocusOut(QWidget* box, const char* label, std::function<void()> store) {
  box->installEventFilter(watcher_.get());
  watcher_->boxes.push_back({box, label, std::move(store)});
}

void EditorWindow::detach() {
  if (detached_) return;
  detached_ = true;
  ctx_.doc().removeObserver(this);
  // The controls outlive this part of the window: whatever they signal or filter while they are
  // torn down (a focus leaving a box, a list emptied) must find nothing to store into.
  for (QObject* child : window_->findChildren<QObject*>()) {
    child->removeEventFilter(window_);
    QObject::disconnect(child, nullptr, window_, nullptr);
  }
  Document& doc = ctx_.doc();
  if (ownsWarningSink_ && doc.warningSink().target<MessageBoxWarningSink>()) doc.setWarningSink({});
}

void EditorWindow::documentReplaced() {
  if (!detached_) ReShowData();
}

QHBoxLayout* EditorWindow::closeAndHelpRow() {
  closeButton_ = new QPushButton(window_);
  closeButton_->setObjectName(QStringLiteral("CommandClose"));
  helpButton_ = new QPushButton(window_);
  helpButton_->setObjectName(QStringLiteral("CommandHelp"));
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  row->addWidget(closeButton_);
  row->addWidget(helpButton_);
  QWidget* window = window_;
  QObject::connect(closeButton_, &QPushButton::clicked, window, [window] {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget()))
      sub->close();
    else
      window->close();
  });
  // Help has no action.
  return row;
}

void EditorWindow::captionCloseAndHelp() {
  closeButton_->setText(ctx_.msg(MessageId::CloseButton));
  helpButton_->setText(ctx_.msg(MessageId::HelpButton));
}

void EditorWindow::showRangeWarnings() {
  Document& doc = ctx_.doc();
  if (doc.warningSink()) return;
  doc.setWarningSink(MessageBoxWarningSink{&ctx_});
  ownsWarningSink_ = true;
}

}  // namespace kr4100
