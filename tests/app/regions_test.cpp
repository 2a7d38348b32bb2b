// Fill, eyedropper, spray, region editing, the paste tools and the whole-picture clipboard,
// driven through the real window with the program's own clipboard (offscreen).
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QScrollBar>
#include <QTimer>

#include "canvas_mouse.h"
#include "draw/ui/pstate_panel.h"
#include "png/png_test_writer.h"
#include "surface/canvas.h"
#include "widgets/error_guard.h"

namespace {

constexpr int kFill = 9, kEyedropper = 10, kSpray = 11, kRegion = 12, kPaste = 13, kLine = 2;

class RegionTest : public CanvasMouseTest {
 protected:
  void SetUp() override {
    CanvasMouseTest::SetUp();
    QGuiApplication::clipboard()->clear();
    // A green picture with a black bar and a white hole, so that both colours show in copies.
    TCanvas& c = picture().Canvas();
    c.Brush.Color = RGB(0, 160, 80);
    c.FillRect(TRect{0, 0, 200, 200});
    c.Brush.Color = clBlack;
    c.FillRect(TRect{20, 25, 45, 30});
    c.Brush.Color = clWhite;
    c.FillRect(TRect{12, 32, 20, 38});
    app().Document().TakeSnapshot();
  }
  void TearDown() override {
    form1().PopupMenu1()->hide();
    CanvasMouseTest::TearDown();
  }
  QAction* Item(const char* name) {
    return form1().PopupMenu1()->findChild<QAction*>(QLatin1String(name), Qt::FindChildrenRecursively);
  }
  std::unique_ptr<TBitmap> Copy(const TBitmap& b) {
    auto copy = std::make_unique<TBitmap>();
    copy->Assign(b);
    return copy;
  }
  TBitmap& pasteBuffer() { return app().Document().PasteBuffer(); }
};

TEST_F(RegionTest, SelectingOpensTheMenuAndItsCopyCutAndBrushWork) {
  const auto before = Copy(picture());
  form1().dtExecute(kRegion);
  TwoClick(TPoint{50, 40}, TPoint{10, 20});
  EXPECT_EQ(form1().SelectedRegion, (TRect{10, 20, 50, 40}));
  EXPECT_TRUE(form1().PopupMenu1()->isVisible());
  // By the second corner, as the window stands and the picture is scrolled.
  EXPECT_EQ(form1().PopupMenu1()->pos(), form1().pos() + QPoint(10 - form1().ScrollBox1->horizontalScrollBar()->value(),
                                                              20 - form1().ScrollBox1->verticalScrollBar()->value()));
  EXPECT_TRUE(SamePixels(picture(), *before)) << "the dotted band is gone";

  Item("Mmcopy")->trigger();
  ASSERT_EQ(pasteBuffer().Width(), 40);
  ASSERT_EQ(pasteBuffer().Height(), 20);
  EXPECT_EQ(pasteBuffer().GetPixel(10, 5), clBlack);  // picture (20, 25)
  EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(40, 20));

  Item("Mmcut")->trigger();
  EXPECT_EQ(picture().GetPixel(10, 20), clWhite);
  EXPECT_EQ(picture().GetPixel(49, 39), clWhite);
  EXPECT_EQ(picture().GetPixel(50, 40), RGB(0, 160, 80));
  form1().returnbuttonClick();
  EXPECT_TRUE(SamePixels(picture(), *before)) << "Undo brings the region back exactly";

  // The region scaled into the brush pattern: fill setting 8 then fills with it.
  form1().SelectedRegion = TRect{20, 25, 36, 41};
  Item("Mbrush")->trigger();
  EXPECT_EQ(app().Document().BrushPattern().GetPixel(0, 0), clBlack);
  EXPECT_EQ(app().Document().BrushPattern().GetPixel(0, 7), RGB(0, 160, 80));

  // A second press at the first press point selects nothing and opens no menu.
  form1().PopupMenu1()->hide();
  form1().dtExecute(kRegion);
  TwoClick(TPoint{70, 70}, TPoint{70, 70});
  EXPECT_FALSE(form1().PopupMenu1()->isVisible());
}

TEST_F(RegionTest, PastesLeaveTheRightColourOutWithPenModeZero) {
  form1().SelectedRegion = TRect{10, 20, 50, 40};
  Item("Mmcopy")->trigger();
  form1().SetDrawingColors(clBlack, clWhite);
  form1().PstatePanel->pmbar->SetPosition(0);
  form1().dtExecute(kPaste);
  Press(100, 100);
  Move(120, 130);
  Move(110, 110);
  Release(110, 110);
  EXPECT_EQ(picture().GetPixel(120, 115), clBlack) << "the bar, pasted";
  EXPECT_EQ(picture().GetPixel(115, 125), RGB(0, 160, 80)) << "white of the copy left out";
  EXPECT_EQ(picture().GetPixel(150, 137), RGB(0, 160, 80)) << "the previews are gone";
  // The angled paste straight up: the copy's top edge runs upward from the first press.
  form1().returnbuttonClick();
  form1().dtExecute(16);
  TwoClick(TPoint{100, 150}, TPoint{100, 60});
  EXPECT_EQ(picture().GetPixel(105, 140), clBlack);  // copy (10, 5) turned
  EXPECT_EQ(picture().GetPixel(120, 115), RGB(0, 160, 80));
}

TEST_F(RegionTest, FillEyedropperAndSprayActWhereThePointerGoes) {
  form1().SetDrawingColors(RGB(255, 0, 0), clWhite);
  form1().PstatePanel->brbar->SetPosition(0);
  form1().dtExecute(kFill);
  Click(15, 35);  // the white hole
  EXPECT_EQ(picture().GetPixel(12, 32), RGB(255, 0, 0));
  EXPECT_EQ(picture().GetPixel(100, 100), RGB(0, 160, 80));

  // A right-button drag from black to green picks into the right colour only; nothing changes.
  const auto before = Copy(picture());
  form1().dtExecute(kEyedropper);
  Press(30, 27, 1);
  Move(40, 27);
  Move(100, 100);
  Release(100, 100, 1);
  EXPECT_EQ(form1().RightColor(), RGB(0, 160, 80));
  EXPECT_EQ(form1().LeftColor(), RGB(255, 0, 0));
  EXPECT_TRUE(SamePixels(picture(), *before));

  form1().PstatePanel->penwidth->SetPosition(4);
  form1().dtExecute(kSpray);
  Click(150, 150);
  int dots = 0;
  for (int y = 140; y < 160; ++y)
    for (int x = 140; x < 160; ++x) {
      if (picture().GetPixel(x, y) != RGB(255, 0, 0)) continue;
      ++dots;
      EXPECT_TRUE(x >= 146 && x < 154 && y >= 146 && y < 154) << x << "," << y;
    }
  EXPECT_GE(dots, 1);
  EXPECT_LE(dots, 3);
}

TEST_F(RegionTest, WholePictureCommandsGoThroughTheClipboard) {
  app().Document().ReplaceWithNewPicture(300, 200, pf32bit);
  picture().SetPixel(3, 4, clBlack);
  form1().DocumentReplaced();
  form1().Mcopy()->trigger();
  EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(300, 200));
  EXPECT_EQ(pasteBuffer().Width(), 300);
  EXPECT_EQ(pasteBuffer().GetPixel(3, 4), clBlack);

  form1().Mcut()->trigger();
  EXPECT_TRUE(AllPixels(picture(), clWhite));
  form1().returnbuttonClick();
  EXPECT_EQ(picture().GetPixel(3, 4), clBlack);

  // Select all, then the mirror of the region menu mirrors the whole picture.
  form1().Mallselect()->trigger();
  EXPECT_EQ(form1().SelectedRegion, (TRect{0, 0, 300, 200}));
  EXPECT_TRUE(form1().PopupMenu1()->isVisible());
  Item("Mholizon")->trigger();
  EXPECT_EQ(picture().GetPixel(296, 4), clBlack);

  // Text alone pastes nothing but becomes the paste buffer when a paste tool is chosen.
  QGuiApplication::clipboard()->setText(QStringLiteral("ABC"));
  form1().MPaste()->trigger();
  EXPECT_EQ(picture().Width(), 300);
  form1().dtExecute(kPaste);
  EXPECT_LT(pasteBuffer().Width(), 60);
  EXPECT_GT(pasteBuffer().Width(), 10);

  // A picture pasted while the chosen format is two-colour becomes a two-colour document.
  QImage image(64, 64, QImage::Format_RGB32);
  image.fill(Qt::black);
  QGuiApplication::clipboard()->setImage(image);
  app().Document().ChosenFormat = pf1bit;
  form1().MPaste()->trigger();
  EXPECT_EQ(picture().Width(), 64);
  EXPECT_EQ(picture().PixelFormat(), pf1bit);
  EXPECT_TRUE(AllPixels(picture(), clBlack));
}

TEST_F(RegionTest, PictureTypesOfferedWithoutDataPasteNothingAndShowNoError) {
  // What a program that has gone away leaves: its types, but no bytes behind them.
  auto* mime = new QMimeData;
  mime->setData(QStringLiteral("image/png"), QByteArray());
  mime->setData(QStringLiteral("image/bmp"), QByteArray());
  QGuiApplication::clipboard()->setMimeData(mime);
  const auto before = Copy(picture());
  QTimer watch;
  int boxes = 0;
  QObject::connect(&watch, &QTimer::timeout, [&boxes] {
    if (QWidget* box = QApplication::activeModalWidget()) ++boxes, box->close();
  });
  watch.start(10);
  form1().MPaste()->trigger();
  RunGuarded(&form1(), [&] { form1().dtExecute(kLine); });
  EXPECT_EQ(boxes, 0);
  EXPECT_TRUE(SamePixels(picture(), *before));
}

TEST_F(RegionTest, APictureTooLargeIsRefusedAndNothingChanges) {
  // PNG data from another program that claims 30000 x 30000: more than the program holds.
  PngBytes png = PngSignature();
  PutChunk(png, "IHDR", IhdrData(30000, 30000, 8, 2));
  PutChunk(png, "IDAT", {0x78, 0x9C, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01});
  PutChunk(png, "IEND", {});
  auto* mime = new QMimeData;
  mime->setData(QStringLiteral("image/png"), QByteArray(reinterpret_cast<const char*>(png.data()), qsizetype(png.size())));
  QGuiApplication::clipboard()->setMimeData(mime);
  const auto before = Copy(picture());
  const auto bufferBefore = Copy(pasteBuffer());
  QString shown;
  AnswerModal([&](QWidget* box) {
    shown = qobject_cast<QMessageBox*>(box)->text();
    box->close();
  });
  form1().MPaste()->trigger();
  EXPECT_TRUE(shown.startsWith(QStringLiteral("ビットマップが大きすぎます"))) << shown.toStdString();
  EXPECT_TRUE(SamePixels(picture(), *before));
  EXPECT_TRUE(SamePixels(pasteBuffer(), *bufferBefore));
  // Choosing a tool refills the buffer from the same data: refused quietly, since its message
  // was shown, and the buffer kept.
  bool toldAgain = false;
  AnswerModal([&](QWidget* box) {
    toldAgain = true;
    box->close();
  });
  RunGuarded(&form1(), [&] { form1().dtExecute(kLine); });
  QTest::qWait(20);
  EXPECT_FALSE(toldAgain);
  EXPECT_TRUE(SamePixels(pasteBuffer(), *bufferBefore));
}

}  // namespace
