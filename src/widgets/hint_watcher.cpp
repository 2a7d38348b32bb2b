#include "widgets/hint_watcher.h"

#include <QEvent>
#include <QWidget>

THintWatcher::THintWatcher(std::function<void(QObject*)> moved, QObject* parent)
    : QObject(parent), moved_(std::move(moved)) {}

void THintWatcher::Watch(QWidget* control) {
  QList<QWidget*> parts = control->findChildren<QWidget*>();
  parts.prepend(control);
  for (QWidget* part : parts) {
    part->setMouseTracking(true);  // moves without a button held count too
    part->installEventFilter(this);
    controls_.insert(part, control);
  }
}

bool THintWatcher::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ToolTip) return true;
  if (event->type() == QEvent::MouseMove) moved_(controls_.value(watched, watched));
  return false;
}
