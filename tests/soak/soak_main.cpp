// A long random session on the real main window: tool choices, presses, moves and releases
// with every button, keys, menu commands, New pictures of random sizes and formats, Undo.
// Every dialog the session opens is answered at once, so nothing waits for a person.
// After every action the program must be in a state a user can go on from: no dialog or
// message box left open, the canvas the size of the picture, the toolbar usable exactly while
// no stroke is under way; at the end, Esc and No must end the message loop, whatever windows
// the session left open. Built with the sanitizers, any memory fault, leak or undefined
// behaviour ends the run with a report; the seed printed first repeats the same session.
//
// Usage: zudozo_soak [ACTIONS] [SEED]   (defaults: 20000 actions, seed from the clock)
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QMessageBox>
#include <QScrollBar>
#include <QTest>
#include <QToolBar>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "app/form1.h"
#include "app/startup.h"
#include "document/pixel_format_names.h"
#include "document/ui/new_bmp_form.h"
#include "history/ui/history_commands.h"
#include "widgets/picture_box.h"
#include "windows/zoom_form.h"

namespace {

class TSoak {
 public:
  TSoak(TZudozoApp& app, unsigned seed) : app_(app), form_(app.Form1()), random_(seed) {
    answerer_.setInterval(0);
    QObject::connect(&answerer_, &QTimer::timeout, [this] { answerWindows(); });
    answerer_.start();
  }

  void Step() {
    // Whatever closed the window, the session goes on in a shown window.
    if (!form_.isVisible()) app_.ShowMainWindow();
    // Mostly strokes; now and then a new picture, so that every format is drawn on.
    const int roll = pick(200);
    if (roll < 20) {
      form_.dtExecute(1 + pick(kToolCount));
    } else if (roll < 140) {
      mouse();
    } else if (roll < 175) {
      key();
    } else if (roll < 190) {
      command();
    } else if (roll < 192) {
      newPicture();
    } else {
      form_.Aretrun()->trigger();
    }
    QApplication::processEvents();
  }

  // What is wrong with the state the last action left, or nothing.
  const char* Broken() const {
    if (QApplication::activeModalWidget()) return "a dialog or message box stayed open";
    const TBitmap& picture = app_.Document().Picture();
    const TViewScale shown = form_.Image->ShownScale();
    if (form_.Image->size() != QSize(int(shown.DeviceOf(picture.Width())), int(shown.DeviceOf(picture.Height()))))
      return "the canvas is not the picture's size at its zoom";
    if (form_.ToolsBar()->isEnabled() == form_.DrawingFlag()) return "the toolbar does not follow the stroke";
    return nullptr;
  }

  // Esc, and No to "絵を保存しますか" (a stroke under way takes a first Esc); true when the
  // message loop ended as the program's main would.
  bool Quit() {
    constexpr int kStuck = 99;
    QTimer::singleShot(0, [this] {
      quitting_ = true;
      for (int i = 0; i < 2 && form_.isVisible(); ++i) form_.Aclosesave()->trigger();
    });
    QTimer stuck;
    stuck.setSingleShot(true);
    QObject::connect(&stuck, &QTimer::timeout, [] { QCoreApplication::exit(kStuck); });
    stuck.start(10000);
    return app_.Exec() == 0;
  }

 private:
  int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

  // A point on the picture or a little beside it (the view ignores what misses it).
  QPoint somewhere() {
    const TBitmap& picture = app_.Document().Picture();
    return QPoint(pick(picture.Width() + 40) - 20, pick(picture.Height() + 40) - 20);
  }

  void mouse() {
    static const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::LeftButton, Qt::RightButton,
                                              Qt::MiddleButton, Qt::BackButton};
    // Now and then on the zoom window's view, which hands its strokes to the canvas.
    QWidget* view = form_.Image;
    if (form_.ZoomForm->isVisible() && pick(4) == 0) view = form_.ZoomForm->zoomage;
    const Qt::MouseButton button = buttons[pick(5)];
    switch (pick(4)) {
      case 0: QTest::mousePress(view, button, {}, somewhere()); break;
      case 1: QTest::mouseRelease(view, button, {}, somewhere()); break;
      default: QTest::mouseMove(view, somewhere()); break;
    }
  }

  void key() {
    // Every single key and function key the program knows, with the modifiers that matter;
    // never Shift+Esc, which ends the program without asking.
    static const int keys[] = {
        Qt::Key_F5,  Qt::Key_F6,    Qt::Key_F7,     Qt::Key_F8,   Qt::Key_F9,   Qt::Key_F10,
        Qt::Key_F11, Qt::Key_F12,   Qt::Key_Escape, Qt::Key_Space, Qt::Key_Up,  Qt::Key_Down,
        Qt::Key_Left, Qt::Key_Right, Qt::Key_Z,     Qt::Key_X,    Qt::Key_A,    Qt::Key_S,
        Qt::Key_0,   Qt::Key_1,     Qt::Key_5,      Qt::Key_9,    Qt::Key_Plus, Qt::Key_Minus,
        Qt::Key_Return, Qt::Key_Tab, Qt::Key_C,     Qt::Key_V,    Qt::Key_P,    Qt::Key_T,
        Qt::Key_Y,   Qt::Key_G};
    static const Qt::KeyboardModifiers modifiers[] = {Qt::NoModifier, Qt::NoModifier,
                                                      Qt::ControlModifier, Qt::ShiftModifier};
    const int k = keys[pick(int(std::size(keys)))];
    const Qt::KeyboardModifiers m = modifiers[pick(4)];
    if (k == Qt::Key_Escape && m == Qt::ShiftModifier) return;
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &form_;
    QTest::keyClick(target, Qt::Key(k), m);
  }

  // Menu commands that need no file dialog: the Edit menu and the region menu.
  void command() {
    QList<QAction*> actions{form_.Aretrun(), form_.Mcut(), form_.Mcopy(), form_.MPaste(),
                            form_.Mallselect(), form_.R1(), form_.Apoint(), form_.AtoolP(),
                            form_.Azoom(), form_.Afrac(), form_.History->Aundo, form_.History->Aredo};
    for (QAction* a : form_.PopupMenu1()->findChildren<QAction*>())
      if (!a->menu() && !a->objectName().isEmpty() && a->objectName() != QLatin1String("Mpsave"))
        actions.append(a);
    QAction* chosen = actions[pick(int(actions.size()))];
    if (chosen && chosen->isEnabled()) chosen->trigger();
  }

  void newPicture() {
    newPending_ = true;
    form_.Anew()->trigger();
    newPending_ = false;
  }

  // Answers whatever window the last action opened: New gets a random size and format, the
  // resize dialog a modest percentage, everything else is cancelled.
  void answerWindows() {
    if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible()) return;
    if (auto* box = qobject_cast<QMessageBox*>(modal); box && quitting_ && box->button(QMessageBox::No)) {
      box->button(QMessageBox::No)->click();
      return;
    }
    if (auto* form = qobject_cast<TNewBMPForm*>(modal); form && newPending_) {
      form->widthedit->SetValue(1 + pick(300));
      form->Heightedit->SetValue(1 + pick(300));
      form->ScrollBar1->setValue(pick(kPixelFormatPositions));
      form->accept();
      return;
    }
    if (modal->objectName() == QLatin1String("Tresizeform") && pick(2) == 0) {
      static_cast<QDialog*>(modal)->accept();  // 100 %: the size it was
      return;
    }
    if (auto* dialog = qobject_cast<QDialog*>(modal)) {
      dialog->reject();
    } else {
      modal->close();
    }
  }

  TZudozoApp& app_;
  TForm1& form_;
  std::mt19937 random_;
  QTimer answerer_;
  bool newPending_ = false;
  bool quitting_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const long actions = argc > 1 ? std::atol(argv[1]) : 20000;
  const unsigned seed = argc > 2 ? unsigned(std::strtoul(argv[2], nullptr, 10))
                                 : unsigned(std::chrono::steady_clock::now().time_since_epoch().count());
  std::printf("soak: %ld actions, seed %u (repeat with: zudozo_soak %ld %u)\n", actions, seed,
              actions, seed);
  std::fflush(stdout);
  {
    TZudozoApp app(QStringList{});
    app.ShowMainWindow();
    TSoak soak(app, seed);
    for (long i = 0; i < actions; ++i) {
      soak.Step();
      if (const char* broken = soak.Broken()) {
        std::printf("soak: after action %ld of seed %u: %s\n", i + 1, seed, broken);
        return 1;
      }
    }
    const TBitmap& picture = app.Document().Picture();
    long drawn = 0;
    for (int y = 0; y < picture.Height(); ++y)
      for (int x = 0; x < picture.Width(); ++x) drawn += picture.GetPixel(x, y) != clWhite;
    std::printf("soak: the last picture is %d x %d with %ld pixels not white\n", picture.Width(),
                picture.Height(), drawn);
    if (!soak.Quit()) {
      std::printf("soak: seed %u: Esc and No did not end the program\n", seed);
      return 1;
    }
  }
  std::printf("soak: %ld actions, seed %u: no fault\n", actions, seed);
  return 0;
}
