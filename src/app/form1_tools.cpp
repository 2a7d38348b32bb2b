// Tool selection and the availability of the drawing modifiers.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QToolBar>

#include "app/form1.h"
#include "draw/tool_table.h"
#include "draw/ui/pstate_panel.h"
#include "widgets/error_guard.h"
#include "widgets/toolbar_icons.h"

namespace {

// Hands an action's shortcut to a command: F6..F8 toggle a modifier through AoriginExecute,
// while a click on the toolbar button toggles it by the button's own check behaviour.
class TShortcutRelay : public QObject {
 public:
  TShortcutRelay(QAction* action, std::function<void()> command)
      : QObject(action), command_(std::move(command)) {
    action->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Shortcut) return QObject::eventFilter(watched, event);
    command_();
    return true;
  }

 private:
  std::function<void()> command_;
};

}  // namespace

void TForm1::connectModifierKeys() {
  for (QAction* modifier : {Aorigin_, Apoly_, Asym_}) {
    const int tag = modifier->data().toInt();
    new TShortcutRelay(modifier, [this, tag] { RunGuarded(this, [&] { AoriginExecute(tag); }); });
  }
}

void TForm1::AoriginExecute(int tag) {
  QAction* modifier = tag == 1 ? Aorigin_ : tag == 2 ? Apoly_ : tag == 3 ? Asym_ : nullptr;
  if (!modifier) return;
  modifier->setChecked(!modifier->isChecked() && modifier->isEnabled());
}

void TForm1::dtExecute(int tag) {
  QWidget* focus = QApplication::focusWidget();
  const bool typingFontName = focus && (focus == PstatePanel->fcom || PstatePanel->fcom->isAncestorOf(focus));
  if (typingFontName || !session_.SelectTool(tag)) return;

  if (QAbstractButton* button = toolButtons[tag]) button->setChecked(true);
  const bool modifiers = ToolTakesModifiers(tag);
  for (QAction* modifier : {Aorigin_, Apoly_, Asym_}) {
    if (!modifiers) modifier->setChecked(false);
    modifier->setEnabled(modifiers);
  }
  AtoolP_->setIcon(ToolbarIcon(tag + 11));
  Image->setCursor(Cursors().Slot(tag));
  ScrollBox1->setCursor(Cursors().Slot(tag));
  setZoomCursor(tag);
  Image->setStatusTip(ToolActions[tag - 1]->statusTip());
  // Only the paste tools draw the buffer, so only they wait for the clipboard: whatever it
  // holds cannot delay or stop the start or the choice of another tool. Last, so that a
  // clipboard picture too large to hold leaves the tool chosen all the same.
  if (ToolPastesBuffer(tag)) RefillPasteBuffer();
}
