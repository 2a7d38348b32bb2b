#pragma once
// Reads hints in the status bar instead of pop-ups: every pointer move over a watched control,
// or over one of the parts it is made of (a spin box's edit field), is reported as a move over
// the control, and the control's pop-up tool tip is never shown.
#include <QHash>
#include <QObject>
#include <functional>

class QWidget;

class THintWatcher : public QObject {
 public:
  THintWatcher(std::function<void(QObject*)> moved, QObject* parent);
  void Watch(QWidget* control);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<void(QObject*)> moved_;
  QHash<QObject*, QObject*> controls_;  // a watched widget -> the control it belongs to
};
