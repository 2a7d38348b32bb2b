#include "windows/keyboard_return.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace {

constexpr char kKeepsKeyboard[] = "keepsKeyboardWithin";

// The press gives the keyboard to the control under it, or to an enclosing one, as Qt does.
bool TakesKeyboardByClick(const QWidget* widget, const QWidget* host) {
  for (; widget && widget != host; widget = widget->parentWidget())
    if (widget->isEnabled() && (widget->focusPolicy() & Qt::ClickFocus)) return true;
  return false;
}

// The panel of the host the widget lies in, if any.
const QWidget* PanelOf(const QWidget* widget, const QWidget* host) {
  for (; widget && widget != host; widget = widget->parentWidget())
    if (widget->property(kKeepsKeyboard).toBool()) return widget;
  return nullptr;
}

}  // namespace

TKeyboardReturn::TKeyboardReturn(QWidget& host) : QObject(&host), host_(&host) { qApp->installEventFilter(this); }

void TKeyboardReturn::KeepKeyboardWithin(QWidget& panel) { panel.setProperty(kKeepsKeyboard, true); }

bool TKeyboardReturn::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType()) pressed(*static_cast<QWidget*>(watched));
  return QObject::eventFilter(watched, event);
}

void TKeyboardReturn::pressed(QWidget& widget) {
  if (!host_ || widget.window() != host_) return;
  // Qt gives the keyboard to a pressed control only inside the active window.
  if (!host_->isActiveWindow()) host_->activateWindow();
  if (TakesKeyboardByClick(&widget, host_)) return;
  const QWidget* focus = QApplication::focusWidget();
  const QWidget* panel = PanelOf(&widget, host_);
  if (panel && focus && panel->isAncestorOf(focus)) return;
  if (focus != host_) host_->setFocus(Qt::MouseFocusReason);
}
