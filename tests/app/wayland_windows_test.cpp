// The windows under a real Wayland compositor, driven by real input: xdotool moves and clicks
// the pointer in the X window that shows the nested compositor (weston's X11 backend, mutter
// --nested). A Wayland client does not learn where its windows are, so each window is found
// on the screen by moving the pointer until the window reports it. Runs only on the wayland
// platform with an X display; tests/e2e/wayland_windows.sh starts the compositors.
#include <QAbstractButton>
#include <QButtonGroup>
#include <QMainWindow>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <optional>

#include "app/app_fixture.h"
#include "app/form1.h"
#include "app/startup.h"
#include "app/version_form.h"
#include "document/ui/new_bmp_form.h"
#include "document/ui/png_form.h"
#include "draw/tool_table.h"
#include "imageops/ui/color_change_form.h"
#include "imageops/ui/resize_form.h"
#include "view/ui/image_view.h"
#include "windows/tool_palette.h"
#include "windows/zoom_form.h"

namespace {

// The compositor's screen in its X window: one logical pixel is this many X pixels.
qreal XPixelsPerPoint() { return QGuiApplication::primaryScreen()->devicePixelRatio(); }

void Xdotool(const QStringList& arguments) { ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), arguments), 0); }

void PointerTo(QPoint logical) {
  const qreal scale = XPixelsPerPoint();
  Xdotool({QStringLiteral("mousemove"), QString::number(qRound(logical.x() * scale)),
           QString::number(qRound(logical.y() * scale))});
}

void ClickAt(QPoint logical) {
  PointerTo(logical);
  Xdotool({QStringLiteral("click"), QStringLiteral("1")});
}

void Keys(const QStringList& keys) { Xdotool(QStringList{QStringLiteral("key")} + keys); }

// The compositor's screen as shown in its X window, in X pixels.
QImage Screenshot() {
  QProcess import;
  import.start(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("png:-")});
  import.waitForFinished(10000);
  return QImage::fromData(import.readAllStandardOutput(), "PNG").convertToFormat(QImage::Format_RGB32);
}

// Pixels of the image that differ from their right neighbour, spread over it below its top
// rows (a caption changes with activation): a window's fingerprint.
std::vector<QPoint> Landmarks(const QImage& image, int skipRows) {
  std::vector<QPoint> marks;
  const int stepY = std::max(1, (image.height() - skipRows) / 16), stepX = std::max(1, image.width() / 16);
  for (int y = skipRows; y < image.height(); y += stepY)
    for (int x = 0; x + 1 < image.width(); x += stepX)
      for (int d = 0; d < stepX && x + d + 1 < image.width(); ++d)
        if (image.pixel(x + d, y) != image.pixel(x + d + 1, y)) {
          marks.emplace_back(x + d, y);
          break;
        }
  return marks;
}

// Colours alike but for the rounding of a compositor that draws through the GPU.
bool Near(QRgb a, QRgb b) {
  return std::abs(qRed(a) - qRed(b)) <= 8 && std::abs(qGreen(a) - qGreen(b)) <= 8 && std::abs(qBlue(a) - qBlue(b)) <= 8;
}

// The shot, below its top rows, matches the screen at place but for a few pixels (a text
// cursor, a hover).
bool LooksLike(const QImage& screen, QPoint place, const QImage& shot, int fromRow) {
  qsizetype differing = 0;
  for (int y = fromRow; y < shot.height(); ++y)
    for (int x = 0; x < shot.width(); ++x) differing += !Near(screen.pixel(place + QPoint(x, y)), shot.pixel(x, y));
  return differing * 50 < qsizetype(shot.width()) * (shot.height() - fromRow);
}

// Where the picture shot of widget's window lies in the screenshot, in X pixels; nothing when
// it is not (wholly enough) on the screen.
std::optional<QPoint> FindIn(const QImage& screen, const QImage& shot, const std::vector<QPoint>& marks) {
  if (marks.size() < 8) return std::nullopt;
  const int allowed = int(marks.size()) / 10;
  for (int y = 0; y + shot.height() <= screen.height(); ++y) {
    for (int x = 0; x + shot.width() <= screen.width(); ++x) {
      int misses = 0;
      for (const QPoint& m : marks)
        if (!Near(screen.pixel(x + m.x(), y + m.y()), shot.pixel(m)) && ++misses > allowed) break;
      if (misses <= allowed && LooksLike(screen, QPoint(x, y), shot, marks.front().y())) return QPoint(x, y);
    }
  }
  return std::nullopt;
}

// The window's top part as it paints it: the compositor may put the bottom beyond the screen.
QImage TopOf(QWidget& window) {
  const QRect top(0, 0, window.width(), std::min(window.height(), 160));
  return window.grab(top).toImage().convertToFormat(QImage::Format_RGB32);
}

class WaylandWindows : public AppTest {
 public:
  void SetUp() override {
    if (QGuiApplication::platformName() != QLatin1String("wayland") || qEnvironmentVariableIsEmpty("DISPLAY"))
      GTEST_SKIP() << "needs a Wayland compositor shown on an X display";
    AppTest::SetUp();
  }

  // Until the compositor no longer shows the hidden window where it was.
  void WaitUntilGone(QWidget& window) {
    const QImage shot = TopOf(window);
    const std::vector<QPoint> marks = Landmarks(shot, int(24 * XPixelsPerPoint()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !FindIn(Screenshot(), shot, marks); }, 3000));
  }

  // The screen position (in points) of widget's top left corner: its window is looked for in
  // screenshots until the compositor shows it.
  QPoint ScreenPlace(QWidget& widget) {
    QWidget* window = widget.window();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
    const qreal scale = XPixelsPerPoint();
    std::optional<QPoint> found;
    found = std::nullopt;
    (void)QTest::qWaitFor([&] {
      const QImage shot = TopOf(*window);
      found = FindIn(Screenshot(), shot, Landmarks(shot, int(24 * scale)));
      return found.has_value();
    }, 5000);
    EXPECT_TRUE(found) << window->objectName().toStdString() << " is nowhere on the screen";
    return (QPointF(found.value_or(QPoint())) / scale).toPoint() + widget.mapTo(window, QPoint(0, 0));
  }

  // The screen point over the middle of picture pixel (x, y), the main window found first.
  QPoint PicturePixelOnScreen(int x, int y) {
    QWidget& canvas = *form1().Image;
    const QPoint place = ScreenPlace(canvas);
    const qreal perPixel = qreal(canvas.width()) / picture().Width();
    return place + QPoint(int((x + 0.5) * perPixel), int((y + 0.5) * perPixel));
  }

};

// The title bar's row and right end on the screen, for a window whose client area is at
// origin: the frame Qt draws, or the caption the window draws itself inside.
struct TitleBar {
  int y, right;
};

TitleBar TitleBarOf(QWidget& window, QPoint origin) {
  const QMargins frame = window.windowHandle()->frameMargins();
  if (frame.top() > 0) return {origin.y() - frame.top() / 2, origin.x() + window.width() + frame.right()};
  QWidget* caption = window.findChild<QWidget*>(QStringLiteral("fixedWindowCaption"));
  EXPECT_TRUE(caption) << window.objectName().toStdString() << " has neither a frame nor a caption";
  return {origin.y() + (caption ? caption->height() / 2 : 0), origin.x() + window.width()};
}

// Maximize and minimize where a title bar has them, the window shown again and closed: the
// window keeps its size and the program runs on.
void PressTitleBarButtons(WaylandWindows& test, QWidget& window);

TEST_F(WaylandWindows, EveryTitleBarButtonOfTheFixedWindowsLeavesThemWholeAndTheProgramRunning) {
  for (QWidget* window : {static_cast<QWidget*>(form1().VersionForm), static_cast<QWidget*>(form1().ResizeForm),
                          static_cast<QWidget*>(form1().PngForm), static_cast<QWidget*>(form1().CchangeForm),
                          static_cast<QWidget*>(form1().NewBMPForm), static_cast<QWidget*>(form1().ZoomForm)}) {
    // The version window twice: its close button, then open again.
    for (int round = 0; round < (window == form1().VersionForm ? 2 : 1); ++round) {
      window->show();
      PressTitleBarButtons(*this, *window);
      EXPECT_TRUE(QTest::qWaitFor([window] { return !window->isVisible(); }, 3000)) << window->objectName().toStdString();
    }
  }
  // The question on leaving with a changed picture; its close button answers Cancel.
  form1().dtExecute(kToolFreehand);
  ClickAt(PicturePixelOnScreen(5, 5));
  ASSERT_TRUE(QTest::qWaitFor([this] { return picture().GetPixel(5, 5) == clBlack; }, 3000));
  {
    bool asked = false;
    AnswerModal([&](QWidget* question) {
      asked = true;
      PressTitleBarButtons(*this, *question);
    });
    form1().close();
    EXPECT_TRUE(asked);
    EXPECT_TRUE(form1().isVisible()) << "closing the question keeps the program";
  }
}

void PressTitleBarButtons(WaylandWindows& test, QWidget& window) {
  const std::string name = window.objectName().toStdString();
  const QSize size = window.size();
  const QPoint origin = test.ScreenPlace(window);
  const TitleBar bar = TitleBarOf(window, origin);
  // The places of the buttons Qt's own title bar draws right to left: close, maximize,
  // minimize, 18 points wide, 5 apart, 8 from the right end.
  for (int button : {1, 2}) {
    ClickAt(QPoint(bar.right - 8 - 9 - button * 23, bar.y));
    QTest::qWait(300);
    EXPECT_EQ(window.size(), size) << name << " button " << button;
    EXPECT_FALSE(window.windowState() & Qt::WindowMaximized) << name;
  }
  // A minimized window comes back when the program shows it again.
  if (!window.isModal()) {
    window.hide();
    test.WaitUntilGone(window);
    window.show();
  }
  test.ScreenPlace(window);  // on the screen again
  window.close();
}

// Every control of the palette answers at each corner of its visible part, the staircase cut
// away answers nothing; after the memo took keys, a click on the canvas gives them back to the
// main window; F12 off and on shows the same palette in the same place, and keys still go to
// the main window.
TEST_F(WaylandWindows, ThePaletteAnswersEveryPixelOfItsShapeAndGivesTheKeysBack) {
  TForm2& palette = *form1().ToolPalette;
  ASSERT_TRUE(QTest::qWaitFor([&palette] { return palette.isVisible(); }, 3000));
  const QPoint place = ScreenPlace(palette);
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
      ClickAt(place + inside);
      EXPECT_TRUE(QTest::qWaitFor([&] { return form1().ToolNumber() == tag; }, 2000))
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
    ClickAt(place + corner);
    EXPECT_TRUE(QTest::qWaitFor([&memo] { return memo.hasFocus(); }, 2000)) << corner.x() << "," << corner.y();
  }
  const QString text = memo.toPlainText();
  Keys({QStringLiteral("x")});
  ASSERT_TRUE(QTest::qWaitFor([&] { return memo.toPlainText() == text + QStringLiteral("x"); }, 2000));

  for (int round = 0; round < 2; ++round) {
    // A click on the canvas draws there and takes the keyboard: 2 and 3 choose tools.
    form1().dtExecute(kToolFreehand);
    const QPoint pixel(10 + 20 * round, 150);
    ClickAt(PicturePixelOnScreen(pixel.x(), pixel.y()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return picture().GetPixel(pixel.x(), pixel.y()) == clBlack; }, 2000)) << round;
    Keys({QStringLiteral("2")});
    EXPECT_TRUE(QTest::qWaitFor([this] { return form1().ToolNumber() == kToolLine; }, 2000)) << round;
    Keys({QStringLiteral("3")});
    EXPECT_TRUE(QTest::qWaitFor([this] { return form1().ToolNumber() == kToolEllipse; }, 2000)) << round;
    EXPECT_EQ(memo.toPlainText(), text + QStringLiteral("x")) << round;
    // F12 off and on: the same palette where it was, and the keys stay with the main window.
    const QRect before = palette.geometry();
    Keys({QStringLiteral("F12")});
    ASSERT_TRUE(QTest::qWaitFor([&palette] { return !palette.isVisible(); }, 2000)) << round;
    Keys({QStringLiteral("F12")});
    ASSERT_TRUE(QTest::qWaitFor([&palette] { return palette.isVisible(); }, 2000)) << round;
    EXPECT_EQ(palette.geometry(), before) << round;
    Keys({QStringLiteral("2")});
    EXPECT_TRUE(QTest::qWaitFor([this] { return form1().ToolNumber() == kToolLine; }, 2000)) << round;
    EXPECT_EQ(memo.toPlainText(), text + QStringLiteral("x")) << round;
  }
}

}  // namespace
