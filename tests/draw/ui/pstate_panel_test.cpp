// The settings panel driven as a user drives it: presses, drags, double clicks and held
// buttons on its real controls, checked on the pictures, the texts and the settings.
#include "draw/ui/pstate_panel.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include "app/startup.h"
#include "draw/settings_pictures.h"
#include "surface/canvas.h"

namespace {

constexpr TColor kNavy = RGB(0, 0, 128);

class TestHost : public TPstateHost {
 public:
  TestHost() { LoadResourcePictures(document); }
  TBitmap& DocumentPicture() override { return document.Picture(); }
  TBitmap& PasteBuffer() override { return document.PasteBuffer(); }
  const TBitmap& BrushPattern() override { return document.BrushPattern(); }
  const TBitmap& MousePicture() override { return document.MousePicture(); }
  const TBitmap& PenSizePicture() override { return document.PenSizePicture(); }
  void ShowHint(const QString& hint) override { lastHint = hint; }
  void TextFontChanged() override { ++fontChanges; }

  TCanvasDocument document;
  QString lastHint;
  int fontChanges = 0;
};

// A mouse event sent straight to a control, with the buttons and keys held as given.
void send(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button,
          Qt::MouseButtons held, Qt::KeyboardModifiers keys = Qt::NoModifier) {
  QMouseEvent event(type, at, w->mapToGlobal(at), button, held, keys);
  QApplication::sendEvent(w, &event);
}
void press(QWidget* w, QPoint at, Qt::MouseButton b = Qt::LeftButton) {
  send(w, QEvent::MouseButtonPress, at, b, b);
}
void dragTo(QWidget* w, QPoint at, Qt::MouseButtons held = Qt::LeftButton) {
  send(w, QEvent::MouseMove, at, Qt::NoButton, held);
}
void release(QWidget* w, QPoint at, Qt::MouseButton b = Qt::LeftButton) {
  send(w, QEvent::MouseButtonRelease, at, b, Qt::NoButton);
}
void click(QWidget* w, QPoint at, Qt::MouseButton b = Qt::LeftButton) {
  press(w, at, b);
  release(w, at, b);
}
void doubleClick(QWidget* w, QPoint at, Qt::MouseButton b, Qt::KeyboardModifiers keys = Qt::NoModifier) {
  send(w, QEvent::MouseButtonPress, at, b, b, keys);
  send(w, QEvent::MouseButtonRelease, at, b, Qt::NoButton, keys);
  send(w, QEvent::MouseButtonPress, at, b, b, keys);
  send(w, QEvent::MouseButtonDblClick, at, b, b, keys);
  send(w, QEvent::MouseButtonRelease, at, b, Qt::NoButton, keys);
}

// The middle of colour sample i on cgrid.
QPoint sample(int i) { return QPoint(8 * i + 4, 6); }

class PstatePanelTest : public ::testing::Test {
 protected:
  PstatePanelTest() : panel(host) {
    panel.Timer->stop();  // ticks are given by the tests
    panel.ShowColors();
  }
  TColor face(int x) { return panel.penshape->Picture().GetPixel(x, 20); }

  TestHost host;
  TPstatePanel panel;
};

TEST_F(PstatePanelTest, StartUpShowsTheStartValues) {
  EXPECT_EQ(panel.pstext->text(), "Pen:1");
  EXPECT_EQ(panel.Fstext->text(), "Font:9");
  EXPECT_EQ(panel.lr->text(), "R:0");
  EXPECT_EQ(panel.cgrid->Picture().GetPixel(sample(9).x(), 6), RGB(255, 0, 0));
  EXPECT_EQ(panel.brImage->Picture().GetPixel(12, 12), clWhite);  // fill setting 0: clear
  EXPECT_EQ(panel.brImage->Picture().GetPixel(0, 12), clBlack);
  EXPECT_EQ(panel.pmimage->Picture().GetPixel(12, 12), RGB(255, 0, 0));
  EXPECT_EQ(panel.penimage->Picture().GetPixel(0, 9), kNavy);
  EXPECT_EQ(panel.penimage->Picture().GetPixel(2, 9), clWhite);
  EXPECT_EQ(face(20), clBlack);
  EXPECT_EQ(face(30), clWhite);
  EXPECT_EQ(panel.fcom->currentText(), QString::fromStdString(host.document.Picture().Canvas().Font.Name));
  EXPECT_EQ(panel.fcom->count(), 0);  // the families are looked up when the box is first used
  EXPECT_EQ(panel.SelectedFace(), "");
  EXPECT_EQ(panel.Timer->interval(), 33);
  EXPECT_EQ(host.document.Picture().Canvas().Font.Height, -12);
}

TEST_F(PstatePanelTest, SamplesAndPenShapeChooseTheActiveColour) {
  click(panel.cgrid, sample(9));  // red into the left colour
  EXPECT_EQ(panel.leftColor, RGB(255, 0, 0));
  EXPECT_EQ(panel.lr->text(), "R:255");
  EXPECT_EQ(face(20), RGB(255, 0, 0));
  click(panel.cgrid, sample(12), Qt::RightButton);  // blue into the right colour
  EXPECT_EQ(panel.rightColor, RGB(0, 0, 255));
  EXPECT_EQ(panel.colorSlot, 1);
  EXPECT_EQ(panel.lb->text(), "B:255");
  EXPECT_EQ(panel.lr->text(), "R:0");
  EXPECT_EQ(face(30), RGB(0, 0, 255));
  click(panel.cgrid, sample(3), Qt::MiddleButton);  // nothing
  EXPECT_EQ(panel.leftColor, RGB(255, 0, 0));
  EXPECT_EQ(panel.colorSlot, 1);

  click(panel.penshape, QPoint(25, 25));
  EXPECT_EQ(panel.colorSlot, 0);
  EXPECT_EQ(panel.sbr->Position(), 255);
  EXPECT_EQ(panel.sbb->Position(), 0);
  // The middle button edits neither colour: bars and texts read zero, colours stay.
  click(panel.penshape, QPoint(25, 25), Qt::MiddleButton);
  EXPECT_EQ(panel.colorSlot, 2);
  EXPECT_EQ(panel.sbr->Position(), 0);
  EXPECT_EQ(panel.lr->text(), "R:0");
  EXPECT_EQ(panel.lb->text(), "B:0");
  EXPECT_EQ(panel.leftColor, RGB(255, 0, 0));
  EXPECT_EQ(panel.rightColor, RGB(0, 0, 255));
  EXPECT_EQ(face(20), RGB(255, 0, 0));
}

TEST_F(PstatePanelTest, DoubleClickOnPenShapeCopiesTheButtonsColour) {
  click(panel.cgrid, sample(10));  // lime left
  doubleClick(panel.penshape, QPoint(20, 20), Qt::LeftButton, Qt::ShiftModifier);
  EXPECT_EQ(panel.rightColor, clWhite);
  doubleClick(panel.penshape, QPoint(20, 20), Qt::LeftButton);
  EXPECT_EQ(panel.rightColor, RGB(0, 255, 0));
  EXPECT_EQ(face(30), RGB(0, 255, 0));
  click(panel.cgrid, sample(13), Qt::RightButton);  // fuchsia right
  doubleClick(panel.penshape, QPoint(30, 20), Qt::RightButton);
  EXPECT_EQ(panel.leftColor, RGB(255, 0, 255));
  // Strokes choose the slot through the same handler, never copying.
  TPanelMouse stroke{0, 0, 0, Qt::LeftButton, Qt::NoModifier, true};
  click(panel.cgrid, sample(0));
  panel.penshapeMouseDown(nullptr, stroke);
  EXPECT_EQ(panel.rightColor, RGB(255, 0, 255));
}

TEST_F(PstatePanelTest, DraggingOnTheRGBBarsEditsOnlyTheActiveColoursByte) {
  click(panel.penshape, QPoint(25, 25), Qt::RightButton);  // slot 1, white
  press(panel.rgbimage, QPoint(50, 20));
  EXPECT_EQ(panel.rightColor, RGB(255, 100, 255));
  EXPECT_EQ(panel.leftColor, clBlack);
  EXPECT_EQ(panel.lg->text(), "G:100");
  EXPECT_EQ(panel.rgbimage->Picture().GetPixel(49, 20), RGB(0, 100, 0));
  EXPECT_EQ(panel.rgbimage->Picture().GetPixel(50, 20), RGB(220, 255, 220));
  dragTo(panel.rgbimage, QPoint(300, 20));
  EXPECT_EQ(GetGValue(panel.rightColor), 255);
  dragTo(panel.rgbimage, QPoint(127, 20));
  EXPECT_EQ(GetGValue(panel.rightColor), 254);  // the drag's largest value
  dragTo(panel.rgbimage, QPoint(10, -5));       // just above the picture still counts as red
  EXPECT_EQ(panel.rightColor, RGB(20, 254, 255));
  dragTo(panel.rgbimage, QPoint(10, 60));       // below the rows: ignored
  EXPECT_EQ(panel.rightColor, RGB(20, 254, 255));
  release(panel.rgbimage, QPoint(10, 60));
  dragTo(panel.rgbimage, QPoint(0, 40), Qt::NoButton);
  EXPECT_EQ(panel.rightColor, RGB(20, 254, 255));
  press(panel.rgbimage, QPoint(0, 40), Qt::RightButton);
  EXPECT_EQ(GetBValue(panel.rightColor), 255);
}

TEST_F(PstatePanelTest, PenWidthAndFontSizePicturesFollowPressesAndDrags) {
  press(panel.penimage, QPoint(20, 5));
  EXPECT_EQ(panel.penwidth->Position(), 20);
  EXPECT_EQ(panel.pstext->text(), "Pen:20");
  EXPECT_EQ(panel.penimage->Picture().GetPixel(15, 9), kNavy);
  dragTo(panel.penimage, QPoint(80, 5));
  EXPECT_EQ(panel.penwidth->Position(), 50);
  EXPECT_EQ(host.lastHint, QString::fromUtf8("ペンの大きさ(→　←)"));
  release(panel.penimage, QPoint(80, 5));
  dragTo(panel.penimage, QPoint(3, 5), Qt::NoButton);
  EXPECT_EQ(panel.penwidth->Position(), 50);
  press(panel.penimage, QPoint(-4, 5));
  EXPECT_EQ(panel.penwidth->Position(), 1);
  release(panel.penimage, QPoint(-4, 5));
  EXPECT_EQ(panel.penimage->Picture().GetPixel(15, 9), clWhite);

  press(panel.fontimage, QPoint(10, 5));
  EXPECT_EQ(panel.Fsize->Position(), 20);
  EXPECT_EQ(panel.Fstext->text(), "Font:20");
  EXPECT_EQ(host.document.Picture().Canvas().Font.Height, -27);
  EXPECT_EQ(panel.fontimage->Picture().GetPixel(3, 3), kNavy);
  dragTo(panel.fontimage, QPoint(60, 5));
  EXPECT_EQ(panel.Fsize->Position(), 99);
  release(panel.fontimage, QPoint(60, 5));
  press(panel.fontimage, QPoint(5, 5), Qt::RightButton);
  EXPECT_EQ(panel.Fsize->Position(), 99);
}

TEST_F(PstatePanelTest, FillAndPenModeArrowsWrapAndRedrawTheirPictures) {
  QTest::mouseClick(panel.brbar->PrevButton(), Qt::LeftButton);
  EXPECT_EQ(panel.brbar->Position(), 8);
  EXPECT_EQ(host.lastHint, QString::fromUtf8("塗りつぶし設定(z,x)"));
  // Fill setting 8 before any brush command fills with the "brush" resource pattern.
  const TBitmap& pattern = host.document.BrushPattern();
  EXPECT_EQ(panel.brImage->Picture().GetPixel(9, 10), pattern.GetPixel(1, 2));
  EXPECT_EQ(panel.brImage->Picture().GetPixel(12, 11), pattern.GetPixel(4, 3));
  TBitmap target(16, 16);
  panel.ApplyFillSetting(target.Canvas());
  target.Canvas().FillRect(Rect(0, 0, 16, 16));
  EXPECT_EQ(target.GetPixel(13, 5), pattern.GetPixel(5, 5));
  QTest::mouseClick(panel.brbar->NextButton(), Qt::LeftButton);
  EXPECT_EQ(panel.brbar->Position(), 0);
  QTest::mouseClick(panel.brbar->NextButton(), Qt::LeftButton);
  EXPECT_EQ(panel.brImage->Picture().GetPixel(12, 12), kNavy);

  QTest::mouseClick(panel.pmbar->PrevButton(), Qt::LeftButton);
  EXPECT_EQ(panel.pmbar->Position(), 3);
  EXPECT_EQ(panel.pmimage->Picture().GetPixel(12, 12), clBlack);  // red masked by blue
  EXPECT_EQ(panel.PenModeOf(), pmMask);
  host.document.PasteBuffer().Transparent = true;
  EXPECT_EQ(panel.CopyModeOf(), cmSrcAnd);
  EXPECT_FALSE(host.document.PasteBuffer().Transparent);
  QTest::mouseClick(panel.pmbar->NextButton(), Qt::LeftButton);
  EXPECT_EQ(panel.CopyModeOf(), cmSrcCopy);
  EXPECT_TRUE(host.document.PasteBuffer().Transparent);
  EXPECT_EQ(host.lastHint, QString::fromUtf8("ペンモード設定(c,v)"));
}

TEST_F(PstatePanelTest, SteppingTextsStepOnReleaseAndRepeatWhileHeld) {
  press(panel.pstext, QPoint(5, 5), Qt::RightButton);
  for (int i = 0; i < 20; ++i) panel.TimerTimer();
  release(panel.pstext, QPoint(5, 5), Qt::RightButton);
  EXPECT_EQ(panel.penwidth->Position(), 1);  // held at its lowest, it stays there

  press(panel.pstext, QPoint(5, 5));
  for (int i = 0; i < 10; ++i) panel.TimerTimer();
  EXPECT_EQ(panel.penwidth->Position(), 1);
  for (int i = 0; i < 4; ++i) panel.TimerTimer();
  EXPECT_EQ(panel.penwidth->Position(), 5);
  release(panel.pstext, QPoint(5, 5));
  EXPECT_EQ(panel.penwidth->Position(), 6);
  EXPECT_EQ(panel.pstext->text(), "Pen:6");
  panel.TimerTimer();
  EXPECT_EQ(panel.penwidth->Position(), 6);

  click(panel.Fstext, QPoint(5, 5), Qt::RightButton);
  EXPECT_EQ(panel.Fsize->Position(), 8);
  click(panel.lg, QPoint(5, 5));  // slot 0: the left colour's green
  EXPECT_EQ(panel.leftColor, RGB(0, 1, 0));
  EXPECT_EQ(panel.lg->text(), "G:1");
  click(panel.lb, QPoint(5, 5), Qt::MiddleButton);  // no kind: no step
  EXPECT_EQ(panel.leftColor, RGB(0, 1, 0));
  click(panel.penshape, QPoint(25, 25), Qt::RightButton);
  click(panel.lr, QPoint(5, 5));
  EXPECT_EQ(panel.rightColor, clWhite);  // 255 is the top
  click(panel.lr, QPoint(5, 5), Qt::RightButton);
  EXPECT_EQ(panel.rightColor, RGB(254, 255, 255));
}

TEST_F(PstatePanelTest, FontBoxAndStyleBoxesRebuildTheDocumentFontUpright) {
  TCanvas& doc = host.document.Picture().Canvas();
  panel.escapement->setValue(30);
  EXPECT_EQ(panel.estatext->text(), QString::fromUtf8("30°"));
  panel.ApplyStrokeSettings(doc, 0);
  EXPECT_EQ(doc.Font.Escapement, 300);
  EXPECT_EQ(doc.Font.Name, "");  // a name only shown is no selection

  QTest::mouseClick(panel.bold, Qt::LeftButton, {}, QPoint(6, 9));
  EXPECT_EQ(doc.Font.Weight, 700);
  EXPECT_EQ(doc.Font.Escapement, 0);  // upright until the next stroke
  EXPECT_EQ(host.fontChanges, 1);
  EXPECT_EQ(host.lastHint, QString::fromUtf8("強調"));
  panel.ApplyStrokeSettings(doc, 0);
  EXPECT_EQ(doc.Font.Escapement, 300);

  panel.fcom->showPopup();  // the list opened: the families are there, nothing is chosen
  panel.fcom->hidePopup();
  EXPECT_EQ(doc.Font.Name, "");
  EXPECT_EQ(host.fontChanges, 1);
  const int last = panel.fcom->count() - 1;
  ASSERT_GT(last, 0);
  panel.fcom->setCurrentIndex(last);
  EXPECT_EQ(doc.Font.Name, panel.fcom->itemText(last).toStdString());
  EXPECT_EQ(host.lastHint, QString::fromUtf8("フォント名"));
  QTest::keyClicks(panel.fcom->lineEdit(), "x");
  EXPECT_EQ(doc.Font.Name, "");
  // Typing an entry's whole name selects nothing until it is chosen with Enter.
  const QString first = panel.fcom->itemText(0);
  panel.fcom->lineEdit()->setText(first);
  EXPECT_EQ(doc.Font.Name, "");
  QTest::keyClick(panel.fcom->lineEdit(), Qt::Key_Return);
  EXPECT_EQ(doc.Font.Name, first.toStdString());
}

TEST_F(PstatePanelTest, StrokeSettingsAndEyedropperUseThePanelsColours) {
  click(panel.cgrid, sample(1));
  click(panel.penshape, QPoint(25, 25), Qt::RightButton);
  panel.SetRGBBars(RGB(10, 20, 30));  // the eyedropper into the active slot
  EXPECT_EQ(panel.rightColor, RGB(10, 20, 30));
  EXPECT_EQ(panel.lb->text(), "B:30");
  press(panel.penimage, QPoint(4, 4));
  TCanvas& doc = host.document.Picture().Canvas();
  panel.ApplyStrokeSettings(doc, 1);
  EXPECT_EQ(doc.Pen.Color, RGB(10, 20, 30));
  EXPECT_EQ(doc.Pen.Width, 4);
  EXPECT_EQ(host.document.PasteBuffer().TransparentColor, RGB(128, 0, 0));
}

TEST_F(PstatePanelTest, MovingOverControlsShowsTheirHints) {
  dragTo(panel.lr, QPoint(3, 3), Qt::NoButton);
  EXPECT_EQ(host.lastHint, QString::fromUtf8("RGB値（赤）"));
  dragTo(panel.penshape, QPoint(3, 3), Qt::NoButton);
  EXPECT_EQ(host.lastHint, QString::fromUtf8("左右ペン色"));
  dragTo(&panel, QPoint(30, 80), Qt::NoButton);
  EXPECT_EQ(host.lastHint, QString::fromUtf8("ペンの状態パネル"));
}

}  // namespace
