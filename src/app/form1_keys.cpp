// The keyboard: the application-wide hook that turns key presses no action took into the
// single-key shortcuts of tools and settings, and the Ctrl+arrow actions that move the picture
// inside the scroll box.
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMenuBar>
#include <iterator>

#include "app/form1.h"
#include "app/help_window.h"
#include "draw/key_table.h"
#include "draw/ui/pstate_panel.h"
#include "widgets/error_guard.h"
#include "windows/keyboard_return.h"

namespace {

// Sees every key press on its way to a widget, after the actions' shortcuts were matched.
class TShortcutHook : public QObject {
 public:
  explicit TShortcutHook(TForm1& form1) : QObject(&form1), form1_(form1) { qApp->installEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    // Window-system windows pass their keys on to the focused widget, where they are seen.
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    bool consumed = false;
    RunGuarded(&form1_, [&] { consumed = form1_.AppliEventsShortCut(watched, *static_cast<QKeyEvent*>(event)); });
    return consumed;
  }

 private:
  TForm1& form1_;
};

// Dialogs, menus and the help viewer keep their keys: the shortcuts belong to the drawing
// windows, and a dialog's edits must take digits and letters.
bool KeysOfTheDrawingWindows(const QWidget* receiver, const QWidget* helpWindow) {
  const QWidget* window = receiver->window();
  if (QApplication::activeModalWidget() || QApplication::activePopupWidget()) return false;
  return window != helpWindow && !qobject_cast<const QDialog*>(window) && window->windowType() != Qt::Popup &&
         !qobject_cast<const QMenuBar*>(receiver);
}

// A text-entry control (Tag 99: the font box, the palette memo, the typed coordinates) or a
// part of one.
bool InTextEntry(const QWidget* w) {
  for (; w; w = w->parentWidget())
    if (w->property("Tag").toInt() == 99) return true;
  return false;
}

// Letters by their capital whatever Shift says; digits of the main row only.
int VirtualKeyOf(const QKeyEvent& key) {
  switch (key.key()) {
    case Qt::Key_Left: return vkLeft;
    case Qt::Key_Right: return vkRight;
    case Qt::Key_Up: return vkUp;
    case Qt::Key_Down: return vkDown;
    case Qt::Key_Space: return vkSpace;
    default: break;
  }
  const int k = key.key();
  if (k >= Qt::Key_A && k <= Qt::Key_Z) return 'A' + (k - Qt::Key_A);
  if (k >= Qt::Key_0 && k <= Qt::Key_9 && !(key.modifiers() & Qt::KeypadModifier)) return '0' + (k - Qt::Key_0);
  return 0;
}

}  // namespace

void TForm1::connectKeys() {
  new TShortcutHook(*this);
  new TKeyboardReturn(*this);
  for (QAction* scroll : {Acleft, Acright, Acup, Acdown_})
    connect(scroll, &QAction::triggered, this, [this, scroll] { RunGuarded(this, [&] { Akeydown(scroll); }); });
}

bool TForm1::AppliEventsShortCut(QObject* receiver, const QKeyEvent& key) {
  const auto* w = qobject_cast<const QWidget*>(receiver);
  if (!w || !KeysOfTheDrawingWindows(w, HelpWindow) || InTextEntry(w)) return false;
  // Keys held with Ctrl or Alt belong to the menus and commands; one that none took (Ctrl+S,
  // or Ctrl+C finding nothing to copy) is no tool or setting key.
  if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
  const TKeyedSettings before{session_.Tool(), PstatePanel->brbar->Position(), PstatePanel->pmbar->Position(),
                              PstatePanel->penwidth->Position(), PstatePanel->Fsize->Position()};
  const TKeyedSettings after = ApplyKey(VirtualKeyOf(key), session_.Drawing(), before);
  PstatePanel->penwidth->SetPosition(after.penWidth);
  PstatePanel->Fsize->SetPosition(after.fontSize);
  if (session_.Drawing()) return true;
  PstatePanel->brbar->SetPosition(after.fillSetting);
  PstatePanel->pmbar->SetPosition(after.penMode);
  // Every key while idle selects the tool again (which also refills the paste buffer) and
  // redraws the fill and pen-mode pictures, hinted by this window, which has no hint.
  dtExecute(after.tool);
  PstatePanel->brbarClick(this);
  PstatePanel->pmbarClick(this);
  return true;
}

void TForm1::Akeydown(QAction* action) {
  constexpr int kStep = 4;  // picture pixels
  constexpr int kFirstTag = 5;  // the tags of Acleft, Acright, Acup, Acdown in this order
  const QPoint moves[] = {{-kStep, 0}, {kStep, 0}, {0, -kStep}, {0, kStep}};
  const int index = action->data().toInt() - kFirstTag;
  if (index < 0 || index >= int(std::size(moves))) return;
  ScrollBox1->MovePicture(moves[index]);
}
