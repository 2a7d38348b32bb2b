// Strokes driven through the editing session alone, as the canvas's events drive them, with
// a host that answers for the window: the pixels of the picture, what the listeners hear and
// what the session hands back to its window.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "draw/figure_reach.h"
#include "draw/tool_table.h"
#include "session/edit_session.h"
#include "support/same_pixels.h"
#include "surface/canvas.h"

namespace {

constexpr TColor kGreen = RGB(0, 160, 80);
constexpr TColor kPurple = RGB(200, 40, 220);

// Answers for the window with fixed settings and writes down what it is handed.
struct RecordingHost final : TStrokeHost {
  TStrokeSettings settings;
  std::vector<std::string> lines;
  std::vector<TMouseButton> chosenButtons;
  std::vector<TColor> picked;
  struct Region {
    TPoint a, b;
    TMouseButton button;
  };
  std::vector<Region> regions;
  struct Commit {
    TPoint start, previous;
    bool generate;
  };
  std::vector<Commit> commits;
  int undone = 0;
  int busy = 0;

  TStrokeSettings StrokeSettings() const override { return settings; }
  std::vector<std::string> TextLines() const override { return lines; }
  void StrokeButtonChosen(TMouseButton button) override { chosenButtons.push_back(button); }
  void ColorPicked(TColor c) override { picked.push_back(c); }
  void RegionCompleted(TPoint a, TPoint b, TMouseButton button) override { regions.push_back({a, b, button}); }
  void StrokeUndone() override { ++undone; }
  void RunBusy(const std::function<void()>& work) override {
    ++busy;
    work();
  }
  void StrokeCommitted(TPoint start, TPoint previous, bool generate) override {
    commits.push_back({start, previous, generate});
  }
};

// The first pixel that differs between a and b (same size) outside r, if any.
std::optional<TPoint> DifferenceOutside(const TBitmap& a, const TBitmap& b, const TRect& r) {
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) {
      const bool inside = x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
      if (!inside && a.GetPixel(x, y) != b.GetPixel(x, y)) return TPoint{x, y};
    }
  return std::nullopt;
}

class EditSessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Something to draw over, so that an inverted preview left behind would show.
    TCanvas& canvas = picture().Canvas();
    canvas.Brush.Color = kGreen;
    canvas.FillRect(TRect{0, 0, 200, 70});
    canvas.Brush.Color = kPurple;
    canvas.FillRect(TRect{60, 60, 140, 200});
    document_.TakeSnapshot();
    host_.settings.drawing.penWidth = 3;
    session_.SetHost(host_);
    follower_.changed = [this](const TRect& r) { heard_ = UnionOfRects(heard_, r); };
    follower_.replaced = [this] { ++replaced_; };
    session_.Events().Subscribe(follower_);
  }

  TBitmap& picture() { return document_.Picture(); }

  // A copy of from, with a canvas set up as a left-button stroke with pen width 3 and no fill.
  static std::unique_ptr<TBitmap> Expected(const TBitmap& from) {
    auto copy = std::make_unique<TBitmap>();
    copy->Assign(from);
    copy->Canvas().Pen.Width = 3;
    copy->Canvas().Brush.Style = bsClear;
    return copy;
  }

  void Click(TPoint p, TMouseButton button = mbLeft) {
    session_.Press(button, p);
    session_.Release(button, p);
  }
  // Two clicks with moves between them that pass beyond the second point.
  void TwoClick(TPoint a, TPoint b, TMouseButton second = mbLeft) {
    Click(a);
    session_.Move(TPoint{(a.X + b.X) / 2, a.Y + 7});
    session_.Move(TPoint{b.X + 11, b.Y - 5});
    session_.Move(b);
    Click(b, second);
  }

  TCanvasDocument document_;
  RecordingHost host_;
  TEditSession session_{document_};
  TEditFollower follower_;
  TRect heard_;
  int replaced_ = 0;
};

TEST_F(EditSessionTest, TwoClickFiguresLeaveOnlyTheFinishedFigureAndTellWhereTheyDrew) {
  struct Case {
    int tool;
    std::function<void(TCanvas&)> draw;
  };
  const std::vector<Case> cases = {
      {kToolLine, [](TCanvas& c) { c.MoveTo(20, 30); c.LineTo(150, 120); }},
      {kToolEllipse, [](TCanvas& c) { c.Ellipse(20, 30, 150, 120); }},
      {kToolRectangle, [](TCanvas& c) { c.Rectangle(20, 30, 150, 120); }},
      {kToolPolygon, [](TCanvas& c) {
         const TPolygonVertices v = RegularPolygon(TPoint{20, 30}, TPoint{150, 120}, 6);
         c.Polygon(std::vector<TPoint>(v.begin(), v.end()));
       }},
  };
  for (const Case& c : cases) {
    const auto before = Expected(picture());
    ASSERT_TRUE(session_.SelectTool(c.tool));
    heard_ = TRect{};
    host_.commits.clear();
    TwoClick(TPoint{20, 30}, TPoint{150, 120});

    auto expected = Expected(*before);
    c.draw(expected->Canvas());
    EXPECT_TRUE(SamePixels(picture(), *expected)) << "tool " << c.tool;
    EXPECT_FALSE(session_.Drawing()) << c.tool;
    // Whatever changed was told, so the canvas repaints it and the history keeps it.
    EXPECT_EQ(DifferenceOutside(picture(), *before, heard_), std::nullopt) << c.tool;
    ASSERT_EQ(host_.commits.size(), 1u) << c.tool;
    EXPECT_EQ(host_.commits[0].start, (TPoint{20, 30}));
    EXPECT_EQ(host_.commits[0].previous, (TPoint{150, 120}));
    EXPECT_EQ(host_.commits[0].generate, FigureStartsFractal(c.tool)) << c.tool;
    EXPECT_EQ(host_.chosenButtons.back(), mbLeft);
  }
}

TEST_F(EditSessionTest, AnotherButtonUndoesTheStrokeAndUndoBringsItBack) {
  struct Case {
    const char* what;
    int tool;
    std::function<void()> stroke;
    TPoint drawn;  // a pixel the stroke draws black, seen again after Undo
  };
  const std::vector<Case> cases = {
      {"a line ended by the right button", kToolLine,
       [this] { TwoClick(TPoint{30, 40}, TPoint{120, 90}, mbRight); }, TPoint{30, 40}},
      {"a freehand drag with the right button pressed", kToolFreehand,
       [this] {
         session_.Press(mbLeft, TPoint{10, 10});
         session_.Move(TPoint{50, 60});
         session_.Press(mbRight, TPoint{50, 60});
         session_.Release(mbRight, TPoint{50, 60});
         session_.Release(mbLeft, TPoint{50, 60});
       },
       TPoint{10, 10}},
      {"a spray released by the other button", kToolSpray,
       [this] {
         session_.Press(mbLeft, TPoint{100, 150});
         session_.Move(TPoint{101, 150});
         session_.Release(mbRight, TPoint{100, 150});
       },
       TPoint{-1, -1}},
  };
  for (const Case& c : cases) {
    const auto before = Expected(picture());
    const int undoneBefore = host_.undone;
    const int replacedBefore = replaced_;
    ASSERT_TRUE(session_.SelectTool(c.tool));
    c.stroke();
    EXPECT_TRUE(SamePixels(picture(), *before)) << c.what;
    EXPECT_FALSE(session_.Drawing()) << c.what;
    EXPECT_EQ(host_.undone, undoneBefore + 1) << c.what;
    EXPECT_EQ(replaced_, replacedBefore + 1) << c.what;  // Undo replaces the picture
    session_.Undo();
    if (c.drawn.X >= 0) EXPECT_EQ(picture().GetPixel(c.drawn.X, c.drawn.Y), clBlack) << c.what;
    else EXPECT_FALSE(SamePixels(picture(), *before)) << c.what;
    session_.Undo();
    EXPECT_TRUE(SamePixels(picture(), *before)) << c.what;
  }
}

TEST_F(EditSessionTest, TheModifiersMoveTheStartAndTheFixedAngleTheEnd) {
  struct Case {
    const char* what;
    TStrokeModifiers modifiers;
    int tool;
    TPoint a, b;  // the clicks of the stroke made with the modifier
    std::function<void(TCanvas&)> draw;
  };
  TStrokeModifiers origin, continuation, symmetry, angle;
  origin.fromOrigin = true;
  continuation.continuation = true;
  symmetry.pointSymmetry = true;
  angle.fixAngle = true;
  angle.fixedAngle = 45;
  const std::vector<Case> cases = {
      {"from the last stroke's start", origin, kToolLine, {100, 100}, {60, 180},
       [](TCanvas& c) { c.MoveTo(20, 30); c.LineTo(60, 180); }},
      {"from the last stroke's end", continuation, kToolLine, {100, 100}, {60, 180},
       [](TCanvas& c) { c.MoveTo(150, 120); c.LineTo(60, 180); }},
      {"point symmetric about the press", symmetry, kToolRectangle, {100, 100}, {130, 120},
       [](TCanvas& c) { c.Rectangle(70, 80, 130, 120); }},
      {"on the 45 degree diagonal", angle, kToolLine, {50, 50}, {100, 70},
       [](TCanvas& c) { c.MoveTo(50, 50); c.LineTo(100, 100); }},
  };
  for (const Case& c : cases) {
    // A plain line first sets the last stroke's start and end.
    host_.settings.modifiers = TStrokeModifiers{};
    ASSERT_TRUE(session_.SelectTool(kToolLine));
    TwoClick(TPoint{20, 30}, TPoint{150, 120});
    const auto before = Expected(picture());

    host_.settings.modifiers = c.modifiers;
    ASSERT_TRUE(session_.SelectTool(c.tool));
    TwoClick(c.a, c.b);
    auto expected = Expected(*before);
    c.draw(expected->Canvas());
    EXPECT_TRUE(SamePixels(picture(), *expected)) << c.what;
    session_.Undo();
  }
}

TEST_F(EditSessionTest, ThePasteFollowsThePointerAndStaysOnceWhereReleased) {
  TBitmap& buffer = document_.PasteBuffer();
  buffer.SetSize(6, 4);
  buffer.Canvas().Brush.Color = clRed;
  buffer.Canvas().FillRect(buffer.BoundsRect());
  const auto before = Expected(picture());
  ASSERT_TRUE(session_.SelectTool(kToolPaste));
  session_.Press(mbLeft, TPoint{10, 10});
  for (int i = 1; i <= 8; ++i) session_.Move(TPoint{10 + 15 * i, 10 + 12 * i});
  EXPECT_EQ(picture().GetPixel(130, 106), clRed);  // the preview at the pointer
  EXPECT_NE(picture().GetPixel(115, 94), clRed);   // the one before it is gone
  session_.Release(mbLeft, TPoint{40, 150});
  auto expected = Expected(*before);
  expected->Canvas().Draw(40, 150, buffer);
  EXPECT_TRUE(SamePixels(picture(), *expected));
  EXPECT_EQ(DifferenceOutside(picture(), *before, heard_), std::nullopt);
}

TEST_F(EditSessionTest, TheWindowsStepsRegionEyedropperAndAngledPasteAreHandedBack) {
  // Region editing hands over both corners; its dotted frame is inverted away.
  const auto before = Expected(picture());
  ASSERT_TRUE(session_.SelectTool(kToolRegion));
  TwoClick(TPoint{10, 10}, TPoint{60, 40});
  ASSERT_EQ(host_.regions.size(), 1u);
  EXPECT_EQ(host_.regions[0].a, (TPoint{10, 10}));
  EXPECT_EQ(host_.regions[0].b, (TPoint{60, 40}));
  EXPECT_EQ(host_.regions[0].button, mbLeft);
  EXPECT_TRUE(SamePixels(picture(), *before));

  // The eyedropper hands the colour under the pointer to the window and draws nothing.
  ASSERT_TRUE(session_.SelectTool(kToolEyedropper));
  host_.picked.clear();
  Click(TPoint{100, 150});
  ASSERT_FALSE(host_.picked.empty());
  EXPECT_EQ(host_.picked.back(), kPurple);
  EXPECT_TRUE(SamePixels(picture(), *before));

  // The angled paste runs under the busy cursor and puts the buffer down.
  TBitmap& buffer = document_.PasteBuffer();
  buffer.SetSize(6, 4);
  buffer.Canvas().Brush.Color = clRed;
  buffer.Canvas().FillRect(buffer.BoundsRect());
  ASSERT_TRUE(session_.SelectTool(kToolAngledPaste));
  TwoClick(TPoint{100, 100}, TPoint{140, 100});
  EXPECT_EQ(host_.busy, 1);
  EXPECT_FALSE(SamePixels(picture(), *before));
}

TEST_F(EditSessionTest, AClickLeavesADotInTheButtonsColourAndToolsStayDuringAStroke) {
  host_.settings.drawing.leftColor = clRed;
  host_.settings.drawing.rightColor = clBlue;
  ASSERT_TRUE(session_.SelectTool(kToolFreehand));
  heard_ = TRect{};
  Click(TPoint{100, 20});
  EXPECT_EQ(picture().GetPixel(100, 20), clRed);
  EXPECT_EQ(heard_, (TRect{100, 20, 101, 21}));  // the dot is repainted
  Click(TPoint{110, 20}, mbRight);
  EXPECT_EQ(picture().GetPixel(110, 20), clBlue);
  EXPECT_EQ(host_.chosenButtons, (std::vector<TMouseButton>{mbLeft, mbRight}));

  ASSERT_TRUE(session_.SelectTool(kToolLine));
  session_.Press(mbLeft, TPoint{10, 10});
  EXPECT_FALSE(session_.SelectTool(kToolEllipse));
  EXPECT_EQ(session_.Tool(), kToolLine);
  EXPECT_EQ(session_.Figure().figure, kToolLine);
  session_.Press(mbLeft, TPoint{20, 10});
  EXPECT_FALSE(session_.SelectTool(0));
  EXPECT_FALSE(session_.SelectTool(kToolCount + 1));
  EXPECT_TRUE(session_.SelectTool(kToolEllipse));
}

}  // namespace
