// Journeys through the real windows as a user takes them: several steps in a row across
// windows, each ending in what the user meets (the program still running or not, the pixels,
// the keys, the message boxes).
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolBar>

#include "canvas_mouse.h"
#include "draw/ui/pstate_panel.h"
#include "fractal/ui/fractal_form.h"
#include "png/png_test_writer.h"
#include "widgets/picture_box.h"
#include "windows/tool_palette.h"
#include "windows/zoom_form.h"

namespace {

constexpr int kFreehand = 1, kLine = 2, kEllipse = 3, kRectangle = 5, kRegion = 12, kPaste = 13, kText = 17;
constexpr int kStuck = 99;  // the exit code of a loop that did not end when asked

// Every message box that comes up while it lives: its text is kept and the box closed.
class TBoxCounter {
 public:
  TBoxCounter() {
    timer_.setInterval(2);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box || !box->isVisible()) return;
      texts.append(box->text());
      box->close();
    });
    timer_.start();
  }
  QStringList texts;

 private:
  QTimer timer_;
};

// Pixels of colour c.
int Count(const TBitmap& b, TColor c) {
  int n = 0;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) n += b.GetPixel(x, y) == c;
  return n;
}

// Every way out, with the settings, zoom and palette windows and the coordinate bar open: the
// program's message loop ends, as its main returns it, with code 0. Esc asks about a changed
// and an unchanged picture alike; the close box only about a changed one.
TEST(QuitJourney, EveryWayOutEndsTheProgramWithEveryWindowOpen) {
  QTemporaryDir dir;
  const QString saved = dir.filePath(QStringLiteral("saved.bmp"));
  auto answer = [](QMessageBox::StandardButton button) {
    AppTest::AnswerModal([button](QWidget* modal) { qobject_cast<QMessageBox*>(modal)->button(button)->click(); });
  };
  const struct {
    const char* name;
    std::function<void(TZudozoApp&)> leave;
    bool changed = true;
  } waysOut[] = {
      {"Esc on an unchanged picture, No",
       [&](TZudozoApp& app) {
         answer(QMessageBox::No);
         QTest::keyClick(&app.Form1(), Qt::Key_Escape);
       },
       false},
      {"the close box on an unchanged picture", [](TZudozoApp& app) { app.Form1().close(); }, false},
      {"Esc, No",
       [&](TZudozoApp& app) {
         answer(QMessageBox::No);
         QTest::keyClick(&app.Form1(), Qt::Key_Escape);
       }},
      {"Esc, Yes and the picture written",
       [&](TZudozoApp& app) {
         app.Document().FileName = saved.toStdString();
         answer(QMessageBox::Yes);
         QTest::keyClick(&app.Form1(), Qt::Key_Escape);
       }},
      {"Shift+Esc", [](TZudozoApp& app) { QTest::keyClick(&app.Form1(), Qt::Key_Escape, Qt::ShiftModifier); }},
      {"the close box, No",
       [&](TZudozoApp& app) {
         answer(QMessageBox::No);
         app.Form1().close();
       }},
  };
  for (const auto& way : waysOut) {
    TZudozoApp app(QStringList{});
    TForm1& form1 = app.Form1();
    bool allOpen = false;
    QTimer::singleShot(0, [&] {
      ASSERT_TRUE(QTest::qWaitForWindowActive(&form1));  // the keys are the active window's
      for (const Qt::Key key : {Qt::Key_F9, Qt::Key_F10, Qt::Key_F11}) QTest::keyClick(&form1, key);
      allOpen = form1.ZoomForm->isVisible() && form1.FractalForm->isVisible() && form1.ToolPalette->isVisible() &&
                form1.xyBar()->isVisible();
      if (way.changed) app.Document().Picture().SetPixel(3, 4, clRed);
      way.leave(app);
    });
    QTimer stuck;
    stuck.setSingleShot(true);
    QObject::connect(&stuck, &QTimer::timeout, [] { QCoreApplication::exit(kStuck); });
    stuck.start(10000);
    EXPECT_EQ(app.Exec(), 0) << way.name;
    EXPECT_TRUE(allOpen) << way.name;
    EXPECT_FALSE(form1.isVisible()) << way.name;
  }
  EXPECT_TRUE(QFile::exists(saved));
}

class JourneyTest : public CanvasMouseTest {
 protected:
  void SetUp() override {
    CanvasMouseTest::SetUp();
    QGuiApplication::clipboard()->clear();
    QTest::mouseMove(form1().Image, QPoint(30, 30));  // single keys work once the pointer was here
  }
  TPstatePanel& panel() { return *form1().PstatePanel; }
  // A key as the keyboard gives it: to the control that has the focus. A closed message box
  // leaves no window active here, where a desktop gives the main window back its focus.
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    if (!QApplication::focusWidget()) {
      form1().activateWindow();
      ASSERT_TRUE(QTest::qWaitForWindowActive(&form1()));
    }
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    QTest::keyClick(focus, key, modifiers);
  }
  QString toolHint(int tool) { return form1().ToolActions[tool - 1]->statusTip(); }
  // A red picture, its snapshot the same: an inverted preview left anywhere shows as cyan.
  void paintRed() {
    TBrush& brush = picture().Canvas().Brush;
    brush.Style = bsSolid;  // strokes leave the brush as their fill setting made it
    brush.Bitmap = nullptr;
    brush.Color = clRed;
    picture().Canvas().FillRect(picture().BoundsRect());
    app().Document().TakeSnapshot();
  }
};

// A picture or text too large to hold: one message for the clipboard's content, then quiet
// through ten keys and three tool choices, which still take effect; a content that fits and
// the large one again brings one more.
TEST_F(JourneyTest, AClipboardTooLargeToHoldIsReportedOncePerContent) {
  const auto hugePicture = [] {
    PngBytes png = PngSignature();
    PutChunk(png, "IHDR", IhdrData(20000, 20000, 8, 2));
    PutChunk(png, "IDAT", {0x78, 0x9C, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01});
    PutChunk(png, "IEND", {});
    auto* mime = new QMimeData;
    mime->setData(QStringLiteral("image/png"), QByteArray(reinterpret_cast<const char*>(png.data()), qsizetype(png.size())));
    QGuiApplication::clipboard()->setMimeData(mime);
  };
  const auto longText = [] { QGuiApplication::clipboard()->setText(QString(6000, QChar(0x3042))); };
  const struct {
    const char* name;
    std::function<void()> put;
  } contents[] = {{"a 20000 x 20000 picture", hugePicture}, {"6,000 characters of text", longText}};
  for (const auto& content : contents) {
    TBoxCounter boxes;
    content.put();
    // Only the paste tools read the clipboard: one box at the first of them (t), none at the next (y).
    for (const Qt::Key key : {Qt::Key_2, Qt::Key_3, Qt::Key_Q, Qt::Key_W, Qt::Key_T, Qt::Key_Z, Qt::Key_X,
                              Qt::Key_Space, Qt::Key_Y, Qt::Key_C, Qt::Key_V, Qt::Key_4})
      Key(key);
    EXPECT_EQ(form1().ToolNumber(), 4) << content.name;
    for (const int tool : {kLine, kPaste, kRectangle, kFreehand}) form1().ToolActions[tool - 1]->trigger();
    EXPECT_EQ(form1().ToolNumber(), kFreehand) << content.name;
    ASSERT_EQ(boxes.texts.size(), 1) << content.name;
    EXPECT_TRUE(boxes.texts[0].startsWith(QStringLiteral("ビットマップが大きすぎます"))) << boxes.texts[0].toStdString();

    QGuiApplication::clipboard()->setText(QStringLiteral("AB"));
    form1().ToolActions[kPaste - 1]->trigger();
    EXPECT_GT(app().Document().PasteBuffer().Width(), 5) << content.name;
    content.put();
    form1().ToolActions[kRectangle - 1]->trigger();
    EXPECT_EQ(boxes.texts.size(), 1) << content.name << ": no paste tool, no clipboard";
    form1().ToolActions[kPaste - 1]->trigger();
    Key(Qt::Key_1);
    EXPECT_EQ(boxes.texts.size(), 2) << content.name;
  }
}

// Typing in a text entry of any window, then back over the canvas: the main window is active
// again with the focus on pstext, and "5" and a rectangle drawn with the mouse work.
TEST_F(JourneyTest, AfterTypingInATextEntryTheCanvasTakesTheKeysBack) {
  form1().pointClick();  // the typed coordinates
  QWidget* entries[] = {form1().ToolPalette->edit7, form1().xedit(), panel().fcom->lineEdit()};
  int over = 40;  // a new place on the canvas each time: the pointer moves there
  for (QWidget* entry : entries) {
    const std::string name = entry->objectName().toStdString();
    entry->activateWindow();
    entry->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(entry->window())) << name;
    QTest::keyClick(entry, Qt::Key_End);
    QTest::keyClicks(entry, QStringLiteral("2"));
    EXPECT_EQ(form1().ToolNumber(), kFreehand) << name;

    QTest::mouseMove(form1().Image, QPoint(over, over));
    over += 10;
    EXPECT_TRUE(QTest::qWaitForWindowActive(&form1())) << name;
    EXPECT_EQ(QApplication::focusWidget(), panel().pstext) << name;
    Key(Qt::Key_3);
    EXPECT_EQ(form1().ToolNumber(), kEllipse) << name;
    Key(Qt::Key_1);
  }
  Key(Qt::Key_5);
  QTest::mouseClick(form1().Image, Qt::LeftButton, {}, QPoint(10, 10));
  QTest::mouseMove(form1().Image, QPoint(60, 40));
  QTest::mouseClick(form1().Image, Qt::LeftButton, {}, QPoint(60, 40));
  for (const QPoint edge : {QPoint(10, 25), QPoint(59, 25), QPoint(35, 10), QPoint(35, 39)})
    EXPECT_EQ(picture().GetPixel(edge.x(), edge.y()), clBlack) << edge.x() << "," << edge.y();
  EXPECT_EQ(picture().GetPixel(61, 25), clWhite);
}

// A stroke ended from the coordinate bar or the zoom view, where the pointer never crosses the
// canvas: the toolbar is back and the hint names the tool.
TEST_F(JourneyTest, AStrokeEndedOffTheCanvasGivesBackTheToolbarAndTheHint) {
  form1().dtExecute(kLine);
  auto typed = [this](int x, int y) {
    form1().xedit()->setValue(x);
    form1().yedit()->setValue(y);
  };
  QWidget* panel = nullptr;
  const struct {
    const char* name;
    std::function<void()> open, begin, end;
  } places[] = {
      {"coordinate bar",
       [&] {
         QTest::keyClick(&form1(), Qt::Key_F11);
         panel = form1().xyPanel();
       },
       [&] {
         typed(10, 10);
         QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(20, 10));
       },
       [&] {
         typed(60, 10);
         QTest::mouseMove(panel, QPoint(21, 11));
         QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(20, 10));
       }},
      {"zoom view",
       [&] {
         QTest::keyClick(&form1(), Qt::Key_F9);
         form1().ZoomForm->SetZoomCenter(TPoint{50, 50});
         panel = form1().ZoomForm->zoomage;
       },
       [&] { QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(75, 99)); },  // (50, 62)
       [&] {
         QTest::mouseMove(panel, QPoint(135, 99));
         QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(135, 99));  // (80, 62)
       }},
  };
  for (const auto& place : places) {
    place.open();
    place.begin();
    EXPECT_TRUE(form1().DrawingFlag()) << place.name;
    EXPECT_FALSE(form1().ToolsBar()->isEnabled()) << place.name;
    place.end();
    EXPECT_FALSE(form1().DrawingFlag()) << place.name;
    EXPECT_TRUE(form1().ToolsBar()->isEnabled()) << place.name;
    EXPECT_EQ(form1().Label4()->text(), toolHint(kLine)) << place.name;
  }
  EXPECT_EQ(picture().GetPixel(30, 10), clBlack);
  EXPECT_EQ(picture().GetPixel(70, 62), clBlack);
}

// Keys with Ctrl or Alt are for the menus: none of them steps the tool, fill or pen mode, and
// the plain keys still do afterwards.
TEST_F(JourneyTest, KeysWithCtrlOrAltAreNoToolOrSettingKeys) {
  const int fill = panel().brbar->Position(), penMode = panel().pmbar->Position();
  const struct {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
  } keys[] = {{Qt::Key_Z, Qt::ControlModifier}, {Qt::Key_Y, Qt::ControlModifier}, {Qt::Key_S, Qt::ControlModifier},
              {Qt::Key_C, Qt::ControlModifier}, {Qt::Key_5, Qt::ControlModifier}, {Qt::Key_X, Qt::AltModifier},
              {Qt::Key_Q, Qt::AltModifier},     {Qt::Key_Space, Qt::ControlModifier}};
  for (const auto& k : keys) {
    Key(k.key, k.modifiers);
    EXPECT_EQ(form1().ToolNumber(), kFreehand) << k.key;
    EXPECT_EQ(panel().brbar->Position(), fill) << k.key;
    EXPECT_EQ(panel().pmbar->Position(), penMode) << k.key;
  }
  Key(Qt::Key_X);
  Key(Qt::Key_5);
  EXPECT_NE(panel().brbar->Position(), fill);
  EXPECT_EQ(form1().ToolNumber(), kRectangle);
}

// Esc in the middle of a stroke takes it back as the other button does, with no question;
// outside a stroke it asks as before.
TEST_F(JourneyTest, EscDuringAStrokeTakesItBackAndOutsideOneAsks) {
  QGuiApplication::clipboard()->setText(QStringLiteral("AB"));  // something to paste
  paintRed();
  const struct {
    int tool;
    bool drag;
  } strokes[] = {{kLine, false}, {kRectangle, false}, {kRegion, false}, {kFreehand, true}, {kPaste, true}, {kText, true}};
  for (const auto& s : strokes) {
    form1().dtExecute(s.tool);
    TBitmap before;
    before.Assign(picture());
    if (s.drag) Press(20, 20);
    else Click(20, 20);
    Move(60, 50);
    Move(80, 70);
    ASSERT_TRUE(form1().DrawingFlag()) << s.tool;
    TBoxCounter boxes;
    Key(Qt::Key_Escape);
    EXPECT_TRUE(boxes.texts.isEmpty()) << s.tool;
    EXPECT_FALSE(form1().DrawingFlag()) << s.tool;
    if (s.drag) Release(80, 70);
    EXPECT_TRUE(SamePixels(picture(), before)) << s.tool;
    EXPECT_TRUE(form1().ToolsBar()->isEnabled()) << s.tool;
    EXPECT_EQ(form1().Label4()->text(), toolHint(s.tool)) << s.tool;
  }
  QString question;
  AnswerModal([&](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    question = box->text();
    box->button(QMessageBox::Cancel)->click();
  });
  Key(Qt::Key_Escape);
  EXPECT_EQ(question, QStringLiteral("絵を保存しますか"));
  EXPECT_TRUE(form1().isVisible());
}

// F5 while a rubber band is shown: the stroke ends first, so neither the picture nor the undo
// snapshot keeps the inverted preview; F5 once more brings back the finished figure.
TEST_F(JourneyTest, UndoDuringAPreviewLeavesNoInvertedPreview) {
  paintRed();
  const TColor inverted = clRed ^ 0xFFFFFF;
  for (const int tool : {kLine, kEllipse, kRectangle, kRegion}) {
    form1().dtExecute(tool);
    TBitmap before;
    before.Assign(picture());
    Click(20, 20);
    Move(90, 70);
    ASSERT_GT(Count(picture(), inverted), 0) << tool;  // the preview
    Key(Qt::Key_F5);
    EXPECT_FALSE(form1().DrawingFlag()) << tool;
    EXPECT_TRUE(SamePixels(picture(), before)) << tool;
    EXPECT_EQ(Count(app().Document().UndoSnapshot(), inverted), 0) << tool;
    Key(Qt::Key_F5);
    EXPECT_EQ(Count(picture(), inverted), 0) << tool;
    if (tool != kRegion) {
      EXPECT_GT(Count(picture(), clBlack), 0) << tool;
    }
    paintRed();
  }
}

// Text of two lines copied elsewhere, the paste tool, a click: the picture shows both lines,
// one under the other, where the single line alone would leave the second band white.
TEST_F(JourneyTest, TextOfTwoLinesPastesAsTwoLines) {
  QGuiApplication::clipboard()->setText(QStringLiteral("AB\nCD"));
  form1().dtExecute(kPaste);
  const TBitmap& buffer = app().Document().PasteBuffer();
  const int lineStep = -picture().Canvas().Font.Height;
  ASSERT_GT(buffer.Height(), lineStep);
  Click(10, 10);
  int firstLine = 0, secondLine = 0;
  for (int y = 10; y < 10 + buffer.Height(); ++y)
    for (int x = 10; x < 10 + buffer.Width(); ++x)
      (y < 10 + lineStep ? firstLine : secondLine) += picture().GetPixel(x, y) != clWhite;
  EXPECT_GT(firstLine, 10);
  EXPECT_GT(secondLine, 10);
  EXPECT_EQ(Count(picture(), clBlack), firstLine + secondLine);
}

}  // namespace
