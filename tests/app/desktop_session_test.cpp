// A session on whatever platform the tests run on: the window tests run it offscreen, and
// tests/e2e/wayland_session.sh runs it again under a Wayland compositor, where no window can
// be placed or moved by the program and input comes only from the compositor.
#include <QDialog>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QUrl>

#include "app/canvas_mouse.h"
#include "document/bmp_file.h"
#include "draw/tool_table.h"
#include "draw/ui/pstate_panel.h"
#include "fractal/ui/fractal_form.h"
#include "windows/tool_palette.h"
#include "windows/zoom_form.h"

namespace {

// The platform the session must run on, when the one running it says so.
TEST(DesktopSession, RunsOnTheAskedPlatform) {
  const QByteArray asked = qgetenv("ZUDOZO_EXPECT_PLATFORM");
  if (asked.isEmpty()) GTEST_SKIP() << "no platform asked for";
  EXPECT_EQ(QGuiApplication::platformName(), QString::fromLatin1(asked));
}

class DesktopSessionTest : public CanvasMouseTest {};

// A file dropped from a file manager: what the window system delivers to the main window.
void DropFile(QWidget* target, const QString& path) {
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(path)});
  const QPointF at(target->width() / 2.0, target->height() / 2.0);
  QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  ASSERT_TRUE(enter.isAccepted());
  QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
}

TEST_F(DesktopSessionTest, WindowsDialogStrokeRegionMenuAndDropAllWork) {
  // The main window with its settings panel and the palette, wherever the compositor put them.
  EXPECT_TRUE(form1().PstatePanel->isVisible());
  TForm2& palette = *form1().ToolPalette;
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&palette));
  // Under Wayland the palette rides inside the main window; elsewhere it is the main window's own.
  if (QGuiApplication::platformName() == QLatin1String("wayland"))
    EXPECT_EQ(palette.window(), &form1());
  else
    EXPECT_EQ(palette.windowHandle()->transientParent(), form1().windowHandle());

  // A dropped file goes through the open dialog, which proposes it.
  QTemporaryDir dir;
  TBitmap red(60, 60, pf24bit);
  red.Canvas().Brush.Color = RGB(200, 0, 0);
  red.Canvas().FillRect(TRect{0, 0, 60, 60});
  const QString path = dir.filePath(QStringLiteral("red.bmp"));
  SaveBmpFile(red, path.toStdString());
  bool dialogShown = false;
  AnswerModal([&](QWidget* modal) {
    dialogShown = QTest::qWaitForWindowExposed(modal);
    static_cast<QDialog*>(modal)->accept();
  });
  DropFile(&form1(), path);
  EXPECT_TRUE(dialogShown);
  ASSERT_EQ(picture().Width(), 60);
  EXPECT_EQ(picture().GetPixel(5, 5), RGB(200, 0, 0));

  // A line drawn through the canvas' own events, in the starting black.
  form1().dtExecute(kToolLine);
  TwoClick(TPoint{2, 10}, TPoint{20, 10});
  EXPECT_EQ(picture().GetPixel(2, 10), clBlack);
  EXPECT_EQ(picture().GetPixel(19, 10), clBlack);
  EXPECT_EQ(picture().GetPixel(2, 11), RGB(200, 0, 0));

  // The zoom and fractal windows, opened and closed and opened again.
  for (int round = 0; round < 2; ++round) {
    form1().Azoom()->trigger();
    form1().Afrac()->trigger();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form1().ZoomForm)) << round;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form1().FractalForm)) << round;
    EXPECT_EQ(form1().ZoomForm->zoomage->Picture().Width(), form1().ZoomForm->zoomage->width());
    form1().ZoomForm->close();
    form1().FractalForm->close();
    EXPECT_FALSE(form1().ZoomForm->isVisible());
    EXPECT_FALSE(form1().Afrac()->isChecked());
  }

  // The region menu opens by the region's second corner.
  form1().dtExecute(kToolRegion);
  TwoClick(TPoint{3, 4}, TPoint{25, 50});
  ASSERT_TRUE(form1().PopupMenu1()->isVisible());
  EXPECT_EQ(form1().PopupMenu1()->pos(),
            form1().pos() + QPoint(25 - form1().ScrollBox1->horizontalScrollBar()->value(),
                                   50 - form1().ScrollBox1->verticalScrollBar()->value()));
  form1().PopupMenu1()->hide();

  // The palette closed and shown again from the main window.
  palette.close();
  EXPECT_FALSE(form1().AtoolP()->isChecked());
  form1().AtoolP()->trigger();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(&palette));
}

}  // namespace
