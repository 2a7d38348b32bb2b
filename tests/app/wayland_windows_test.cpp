// The windows under a real Wayland compositor, driven by real input (see wayland_input.h).
// Runs only on the wayland platform with an X display; tests/e2e/wayland_windows.sh starts the
// compositors.
#include <QAbstractButton>
#include <QButtonGroup>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QStatusBar>
#include <QToolBar>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "app/app_fixture.h"
#include "app/form1.h"
#include "app/help_window.h"
#include "view/ui/image_view.h"
#include "app/startup.h"
#include "app/version_form.h"
#include "app/wayland_input.h"
#include "document/ui/new_bmp_form.h"
#include "document/ui/png_form.h"
#include "draw/tool_table.h"
#include "fractal/ui/fractal_form.h"
#include "imageops/ui/color_change_form.h"
#include "imageops/ui/resize_form.h"
#include "view/ui/image_view.h"
#include "windows/tool_palette.h"
#include "windows/zoom_form.h"

namespace {

using wayland_input::TPointer;

void Keys(const QStringList& keys) { ASSERT_TRUE(wayland_input::Xdotool(QStringList{QStringLiteral("key")} + keys)); }

class WaylandWindows : public AppTest {
 public:
  void SetUp() override {
    if (QGuiApplication::platformName() != QLatin1String("wayland") || qEnvironmentVariableIsEmpty("DISPLAY"))
      GTEST_SKIP() << "needs a Wayland compositor shown on an X display";
    AppTest::SetUp();
    pointer_ = std::make_unique<TPointer>();
  }
  void TearDown() override {
    pointer_.reset();
    AppTest::TearDown();
  }

  TPointer& pointer() { return *pointer_; }

  void Show(QWidget& window) {
    if (&window == form1().HelpWindow) form1().HelpWindow->ShowContents();
    else window.show();
  }

  // The screen point over the middle of picture pixel p.
  QPoint OverPixel(QPoint p) {
    const qreal perPixel = qreal(form1().Image->width()) / picture().Width();
    return QPoint(int((p.x() + 0.5) * perPixel), int((p.y() + 0.5) * perPixel));
  }
  // A click on the middle of picture pixel (x, y).
  bool ClickPicturePixel(int x, int y) { return pointer().ClickAt(*form1().Image, OverPixel(QPoint(x, y))); }
  // A click on the first of the pixels no other window covers: the pixel clicked, if any.
  std::optional<QPoint> ClickClearPixel(const std::vector<QPoint>& pixels) {
    for (QPoint p : pixels)
      if (pointer().ClickClear(*form1().Image, {OverPixel(p)})) return p;
    return std::nullopt;
  }

  // Shows the window (the help window with its contents page, by which it is found) and waits
  // until the compositor shows it.
  void ShowAndFind(QWidget& window) {
    Show(window);
    pointer().Forget(window);
    EXPECT_TRUE(pointer().OriginOf(window)) << window.objectName().toStdString() << " is nowhere on the screen";
  }

 private:
  std::unique_ptr<TPointer> pointer_;
};

std::vector<QWidget*> FixedWindows(TForm1& form1) {
  return {form1.VersionForm, form1.ResizeForm, form1.PngForm, form1.CchangeForm, form1.NewBMPForm, form1.ZoomForm};
}

// Qt's own title bar draws its buttons right to left: close, maximize, minimize, 18 points
// wide, 5 apart, 8 from the frame's right end, in the middle of the frame's top margin. The
// offset of button n (0 = close) from the window's client origin.
QPoint TitleBarButton(QWidget& window, int n) {
  const QMargins frame = window.windowHandle()->frameMargins();
  return QPoint(window.width() + frame.right() - 8 - 9 - n * 23, -frame.top() / 2);
}
constexpr int kCloseButton = 0, kMaximizeButton = 1, kMinimizeButton = 2;

// A point inside the window's client area near its top right, where the title bar's buttons
// are above it.
QPoint NearTopRight(QWidget& window) { return QPoint(window.width() - 30, std::min(window.height() - 1, 4)); }

// The fixed windows draw their own caption without maximize and minimize (which ended the
// program under Wayland): its close button closes them, and they open again whole.
TEST_F(WaylandWindows, TheFixedWindowsOfferOnlyTheirCloseButtonAndOpenAgainWhole) {
  for (QWidget* window : FixedWindows(form1())) {
    const std::string name = window->objectName().toStdString();
    const QSize size = window->size();
    for (int round = 0; round < 2; ++round) {
      ShowAndFind(*window);
      EXPECT_EQ(window->windowHandle()->frameMargins(), QMargins()) << name << " has Qt's title bar";
      auto* close = window->findChild<QToolButton*>(QStringLiteral("captionClose"));
      if (close) EXPECT_TRUE(pointer().ClickAt(*close, close->rect().center())) << name;
      else window->close();  // a window that asked for no close button, as elsewhere
      EXPECT_TRUE(QTest::qWaitFor([window] { return !window->isVisible(); }, 5000)) << name << " round " << round;
      EXPECT_EQ(window->size(), size) << name;
    }
  }
}

// Maximize twice, minimize and close on Qt's title bar of the windows that can change their
// size: each comes back to its size, a minimized one comes back when the program shows it
// again, and the main window's close button asks first.
TEST_F(WaylandWindows, TheTitleBarButtonsOfTheOtherWindowsLeaveThemWholeAndTheProgramRunning) {
  for (QWidget* window : {static_cast<QWidget*>(form1().FractalForm), static_cast<QWidget*>(form1().HelpWindow),
                          static_cast<QWidget*>(&form1())}) {
    const std::string name = window->objectName().toStdString();
    ShowAndFind(*window);
    ASSERT_GT(window->windowHandle()->frameMargins().top(), 0) << name;
    const QSize size = window->size();
    auto press = [&](int button) {
      pointer().Forget(*window);
      EXPECT_TRUE(pointer().ClickBeside(*window, NearTopRight(*window), TitleBarButton(*window, button))) << name;
    };
    press(kMaximizeButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->size() != size; }, 5000)) << name << " maximized";
    press(kMaximizeButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->size() == size; }, 5000)) << name << " back from maximized";
    press(kMinimizeButton);
    EXPECT_TRUE(pointer().Gone(*window)) << name << " minimized";
    window->hide();
    ShowAndFind(*window);
    EXPECT_EQ(window->size(), size) << name;
    if (window == &form1()) break;
    press(kCloseButton);
    EXPECT_TRUE(QTest::qWaitFor([window] { return !window->isVisible(); }, 5000)) << name << " closed";
  }
  // With a changed picture the main window's close button asks; the question's own close
  // button keeps the program.
  form1().dtExecute(kToolFreehand);
  ASSERT_TRUE(ClickPicturePixel(5, 5));
  ASSERT_TRUE(QTest::qWaitFor([this] { return picture().GetPixel(5, 5) == clBlack; }, 5000));
  bool asked = false, answered = false;
  AnswerModal([&](QWidget* question) {
    asked = true;
    auto* close = question->findChild<QToolButton*>(QStringLiteral("captionClose"));
    answered = close && pointer().ClickAt(*close, close->rect().center());
  });
  pointer().Forget(form1());
  ASSERT_TRUE(pointer().ClickBeside(form1(), NearTopRight(form1()), TitleBarButton(form1(), kCloseButton)));
  EXPECT_TRUE(QTest::qWaitFor([&] { return asked && !QApplication::activeModalWidget(); }, 10000));
  EXPECT_TRUE(answered);
  EXPECT_TRUE(form1().isVisible()) << "closing the question keeps the program";
}

// Every control of the palette answers at each corner of its visible part, the staircase cut
// away answers nothing; after the memo took keys, a click on the canvas draws at the picture
// pixel under the pointer and gives the keys back to the main window; F12 off and on shows
// the same palette in the same place, and keys still go to the main window.
TEST_F(WaylandWindows, ThePaletteAnswersEveryPixelOfItsShapeAndGivesTheKeysBack) {
  TForm2& palette = *form1().ToolPalette;
  ASSERT_TRUE(QTest::qWaitFor([&palette] { return palette.isVisible(); }, 5000));
  const QRegion shape = palette.mask().isEmpty() ? QRegion(palette.rect()) : palette.mask() & palette.rect();
  for (QAbstractButton* button : palette.toolGroup->buttons()) {
    const int tag = palette.toolGroup->id(button);
    const QRect visible = (shape & QRegion(button->geometry())).boundingRect();
    for (QPoint corner : {visible.topLeft(), visible.topRight(), visible.bottomLeft(), visible.bottomRight()}) {
      const QPoint inside = corner + QPoint(corner.x() == visible.left() ? 1 : -1, corner.y() == visible.top() ? 1 : -1);
      // A corner the staircase cuts, or one a neighbour covers.
      QWidget* under = palette.childAt(inside);
      if (!shape.contains(inside) || (under != button && !button->isAncestorOf(under))) continue;
      form1().dtExecute(tag == kToolFreehand ? kToolLine : kToolFreehand);
      EXPECT_TRUE(pointer().ClickAt(palette, inside));
      EXPECT_TRUE(QTest::qWaitFor([&] { return form1().ToolNumber() == tag; }, 5000))
          << button->objectName().toStdString() << " at " << inside.x() << "," << inside.y();
    }
  }
  // The staircase's steps: what lies beneath answers there, not the palette.
  for (QPoint cut : {QPoint(2, 30), QPoint(2, 60), QPoint(12, 60)}) {
    if (shape.contains(cut)) ADD_FAILURE() << "the outline keeps " << cut.x() << "," << cut.y();
  }
  // The memo at its corners, then typed into.
  QPlainTextEdit& memo = *palette.edit7;
  const QRect memoRect = memo.geometry().adjusted(2, 2, -20, -2);  // clear of its scroll bar
  for (QPoint corner : {memoRect.topLeft(), memoRect.bottomLeft(), memoRect.topRight(), memoRect.bottomRight()}) {
    form1().setFocus();
    EXPECT_TRUE(pointer().ClickAt(palette, corner));
    EXPECT_TRUE(QTest::qWaitFor([&memo] { return memo.hasFocus(); }, 5000)) << corner.x() << "," << corner.y();
  }
  const QString text = memo.toPlainText();
  Keys({QStringLiteral("x")});
  ASSERT_TRUE(QTest::qWaitFor([&] { return memo.toPlainText() == text + QStringLiteral("x"); }, 5000));

  for (int round = 0; round < 2; ++round) {
    form1().dtExecute(kToolFreehand);
    const QPoint pixel(10 + 20 * round, 150);
    EXPECT_TRUE(ClickPicturePixel(pixel.x(), pixel.y()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return picture().GetPixel(pixel.x(), pixel.y()) == clBlack; }, 5000)) << round;
    Keys({QStringLiteral("2")});
    EXPECT_TRUE(QTest::qWaitFor([this] { return form1().ToolNumber() == kToolLine; }, 5000)) << round;
    Keys({QStringLiteral("3")});
    EXPECT_TRUE(QTest::qWaitFor([this] { return form1().ToolNumber() == kToolEllipse; }, 5000)) << round;
    EXPECT_EQ(memo.toPlainText(), text + QStringLiteral("x")) << round;
    const QRect before = palette.geometry();
    Keys({QStringLiteral("F12")});
    ASSERT_TRUE(QTest::qWaitFor([&palette] { return !palette.isVisible(); }, 5000)) << round;
    Keys({QStringLiteral("F12")});
    ASSERT_TRUE(QTest::qWaitFor([&palette] { return palette.isVisible(); }, 5000)) << round;
    EXPECT_EQ(palette.geometry(), before) << round;
    Keys({QStringLiteral("2")});
    EXPECT_TRUE(QTest::qWaitFor([this] { return form1().ToolNumber() == kToolLine; }, 5000)) << round;
    EXPECT_EQ(memo.toPlainText(), text + QStringLiteral("x")) << round;
  }
}

// Each tool window used by a click (and keys where it takes them): a click on the canvas, or
// on the main window beside it, gives the keys back, and single keys choose tools again
// without reaching the window used before. One tool window is open at a time: kwin opens them
// over one another in the middle of the main window.
// weston gives a click on a window to the last window shown for it (its transient child), so
// there the zoom and fractal windows, once open, keep the keys whatever the program asks.
TEST_F(WaylandWindows, AfterEveryToolWindowAClickOnTheMainWindowGivesTheKeysBack) {
  const bool childrenKeepTheKeys = qgetenv("ZUDOZO_COMPOSITOR") == "weston";
  form1().pointClick();  // the coordinate bar
  TForm4& zoom = *form1().ZoomForm;
  QLineEdit* fractalEdit = form1().FractalForm->fcomb->lineEdit();  // the text of the parameter sets
  const struct {
    const char* name;
    QWidget* window;  // the window of its own the control lies in, if any
    QWidget* control;
    std::function<bool()> used;
    std::function<QString()> state;
  } uses[] = {
      {"palette memo", nullptr, form1().ToolPalette->edit7, [this] { return form1().ToolPalette->edit7->hasFocus(); },
       [this] { return form1().ToolPalette->edit7->toPlainText(); }},
      {"coordinate bar", nullptr, form1().xedit(), [this] { return form1().xedit()->hasFocus(); },
       [this] { return form1().xedit()->text(); }},
      {"fractal window", form1().FractalForm, fractalEdit, [fractalEdit] { return fractalEdit->hasFocus(); },
       [fractalEdit] { return fractalEdit->text(); }},
      {"zoom window", &zoom, zoom.stopbutton,
       [&zoom, down = !zoom.stopbutton->isChecked()] { return zoom.stopbutton->isChecked() == down; },
       [&zoom] { return QString::number(zoom.stopbutton->isChecked()); }},
  };
  int round = 0;
  for (const auto& use : uses) {
    if (use.window && childrenKeepTheKeys) continue;
    if (use.window) ShowAndFind(*use.window);
    for (bool onCanvas : {true, false}) {
      ++round;
      ASSERT_TRUE(pointer().ClickAt(*use.control, use.control->rect().center())) << use.name;
      if (use.control != zoom.stopbutton) Keys({QStringLiteral("End"), QStringLiteral("1")});
      ASSERT_TRUE(QTest::qWaitFor(use.used, 5000)) << use.name;
      // Where the tool windows leave the main window free.
      if (onCanvas) {
        form1().dtExecute(kToolFreehand);
        const std::optional<QPoint> drawn =
            ClickClearPixel({QPoint(4 * round, 40), QPoint(4 * round, 150), QPoint(150 + 4 * round, 40), QPoint(150 + 4 * round, 150)});
        ASSERT_TRUE(drawn) << use.name;
        EXPECT_TRUE(QTest::qWaitFor([&] { return picture().GetPixel(drawn->x(), drawn->y()) == clBlack; }, 5000)) << use.name;
      } else {
        EXPECT_TRUE(pointer().ClickClear(*form1().Label1(), {QPoint(2, 2)}) || pointer().ClickClear(*form1().Label2(), {QPoint(2, 2)}))
            << use.name;
      }
      // What the control shows once it has let go of the keys (a spin box tidies its text).
      ASSERT_TRUE(QTest::qWaitFor([&] { return !use.control->hasFocus(); }, 5000)) << use.name << onCanvas;
      const QString state = use.state();
      Keys({QStringLiteral("2")});
      EXPECT_TRUE(QTest::qWaitFor([this] { return form1().ToolNumber() == kToolLine; }, 5000)) << use.name << onCanvas;
      Keys({QStringLiteral("3")});
      EXPECT_TRUE(QTest::qWaitFor([this] { return form1().ToolNumber() == kToolEllipse; }, 5000)) << use.name << onCanvas;
      EXPECT_EQ(use.state(), state) << use.name << onCanvas;
      if (use.control == zoom.stopbutton) zoom.stopbutton->toggle();
    }
    if (use.window) use.window->hide();
  }
}

// At first show every window lies wholly on the screen and belongs to the main window; the
// zoom and fractal windows leave the main window's menus and toolbar free, and the captions the
// program draws hold their whole titles.
TEST_F(WaylandWindows, EveryWindowOpensOnTheScreenAndLeavesTheMainWindowsControlsFree) {
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  const std::optional<QRect> main = pointer().PlaceOf(form1());
  ASSERT_TRUE(main);
  EXPECT_TRUE(screen.contains(*main)) << "main window at " << main->x() << "," << main->y();
  const QRect controls = QRect(main->topLeft(), QSize(main->width(), form1().centralWidget()->geometry().top()));
  std::vector<QWidget*> windows = FixedWindows(form1());
  windows.push_back(form1().FractalForm);
  windows.push_back(form1().HelpWindow);
  for (QWidget* window : windows) {
    const std::string name = window->objectName().toStdString();
    Show(*window);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window)) << name;
    EXPECT_EQ(window->windowHandle()->transientParent(), form1().windowHandle()) << name;
    const std::optional<QRect> place = pointer().PlaceOf(*window);
    ASSERT_TRUE(place) << name;
    const QRect framed = place->marginsAdded(window->windowHandle()->frameMargins());
    EXPECT_TRUE(screen.contains(framed)) << name << " at " << framed.x() << "," << framed.y();
    // weston places every new window at random, whoever its parent.
    if ((window == form1().ZoomForm || window == form1().FractalForm) && qgetenv("ZUDOZO_COMPOSITOR") != "weston") {
      EXPECT_FALSE(framed.intersects(controls)) << name << " over the menus or the toolbar";
    }
    if (auto* caption = window->findChild<QWidget*>(QStringLiteral("fixedWindowCaption"))) {
      const int room = caption->width() - caption->height() - 4;
      EXPECT_LE(caption->fontMetrics().horizontalAdvance(window->windowTitle()), room) << name;
    }
    window->hide();
  }
}

}  // namespace
