// The four kinds of fractal drawing on known strokes: the segments each step makes, the order
// and number of the figures the walk draws, and the pixels of a small tree.
#include <gtest/gtest.h>

#include <vector>

#include "draw/program_random.h"
#include "fractal/fractal_driver.h"
#include "fractal/fractal_steps.h"
#include "surface/bitmap.h"

namespace {

struct Drawn {
  TPoint s, e;
  TColor pen;
  int width;
  friend bool operator==(const Drawn& a, const Drawn& b) {
    return a.s == b.s && a.e == b.e && a.pen == b.pen && a.width == b.width;
  }
};

// A run that records every figure instead of drawing it.
struct Recorder {
  std::vector<Drawn> drawn;
  TFractalRun run;
  Recorder() {
    run.renderFigure = [this](TPoint s, TPoint e, TCanvas& canvas, TPenMode) {
      drawn.push_back({s, e, canvas.Pen.Color, canvas.Pen.Width});
    };
  }
  std::vector<std::pair<TPoint, TPoint>> Segments() const {
    std::vector<std::pair<TPoint, TPoint>> out;
    for (const Drawn& d : drawn) out.push_back({d.s, d.e});
    return out;
  }
};

std::vector<std::pair<TPoint, TPoint>> Walk(Recorder& r, TFractalParams params, TFractalSegment stroke) {
  TBitmap picture(300, 300), snapshot(300, 300);
  TFractalWalk walk;
  walk.seg[1] = stroke;
  SetRandomState(0);
  GenerateFractal(picture, snapshot, walk, params, r.run);
  EXPECT_EQ(walk.level, 0);
  for (int c : walk.childIndex) EXPECT_EQ(c, 0);
  return r.Segments();
}

using Segs = std::vector<std::pair<TPoint, TPoint>>;

}  // namespace

TEST(FractalTree, ChildrenCountsAndLevelStyles) {
  TFractalParams p;
  p.levelCount = 1;
  p.branchCount = 2;
  p.ratio = 0.5f;
  p.spreadAngle = 20;
  {
    Recorder r;
    EXPECT_EQ(Walk(r, p, {100, 200, 100, 100}), (Segs{{{100, 100}, {83, 53}}, {{100, 100}, {117, 53}}}));
  }
  struct Case { int levels, branches; float ratio; std::size_t figures; };
  for (const Case c : {Case{3, 3, 0.5f, 3 + 9 + 27}, Case{2, 0, 0.5f, 0}, Case{6, 6, 0.3f, 55986}}) {
    Recorder r;
    p.levelCount = std::int8_t(c.levels);
    p.branchCount = std::int8_t(c.branches);
    EXPECT_EQ(Walk(r, p, {100, 200, 100, 100}).size(), c.figures) << c.levels << "x" << c.branches;
  }
  // One branch goes on straight, only shorter; ratio 0 makes zero-length children at the end.
  p.levelCount = 1;
  p.branchCount = 1;
  {
    Recorder r;
    EXPECT_EQ(Walk(r, p, {0, 0, 40, 0}), (Segs{{{40, 0}, {60, 0}}}));
  }
  p.ratio = 0;
  {
    Recorder r;
    EXPECT_EQ(Walk(r, p, {0, 0, 40, 0}), (Segs{{{40, 0}, {40, 0}}}));
  }
  // A negative ratio points back along the parent.
  p.ratio = -1.0f;
  p.spreadAngle = 0;
  {
    Recorder r;
    EXPECT_EQ(Walk(r, p, {0, 0, 40, 0}), (Segs{{{40, 0}, {0, 0}}}));
  }
  // Auto colour: level d uses entries d-1 and d+5; auto thinning with pen 5 and degree 1.
  p.levelCount = 2;
  p.ratio = 0.5f;
  for (int i = 0; i < 12; ++i) p.levelColors[std::size_t(i)] = TColor(i + 1);
  Recorder r;
  r.run.autoColor = true;
  r.run.autoThin = true;
  r.run.penWidth = 5;
  r.run.thinDegree = 1;
  Walk(r, p, {0, 0, 40, 0});
  ASSERT_EQ(r.drawn.size(), 2u);
  EXPECT_EQ(r.drawn[0].pen, TColor(1));
  EXPECT_EQ(r.drawn[0].width, 0) << "nearest(0.5) is 0";
  EXPECT_EQ(r.drawn[1].pen, TColor(2));
  EXPECT_EQ(r.drawn[1].width, 0);
}

TEST(FractalTree, RandomnessDrawsThreeNumbersAStep) {
  TFractalParams p;
  p.levelCount = 1;
  p.branchCount = 2;
  p.ratio = 0.5f;
  p.randomness = 10;
  Recorder r;
  Walk(r, p, {0, 0, 100, 0});
  EXPECT_EQ(RandomState(), [] {
    SetRandomState(0);
    for (int i = 0; i < 6; ++i) Random(10);
    return RandomState();
  }());
}

TEST(FractalKoch, FourChildrenAndOnlyTheDeepestLevelDrawn) {
  TFractalParams p;
  p.levelCount = 1;
  p.branchCount = 0;  // set on another page: the Koch kind always has four
  p.ratio = 3 / 9.0f;
  p.peakHeight = float(10 * 0.02886751346);
  Recorder r;
  r.run.kind = TFractalKind::Koch;
  EXPECT_EQ(Walk(r, p, {0, 0, 90, 0}), (Segs{{{0, 0}, {30, 0}}, {{30, 0}, {45, -26}}, {{45, -26}, {60, 0}}, {{60, 0}, {90, 0}}}));
  Recorder back;
  back.run.kind = TFractalKind::Koch;
  EXPECT_EQ(Walk(back, p, {90, 0, 0, 0})[1].second, (TPoint{45, 26}));
  p.levelCount = 4;
  Recorder deep;
  deep.run.kind = TFractalKind::Koch;
  EXPECT_EQ(Walk(deep, p, {0, 0, 270, 0}).size(), 256u);
}

TEST(FractalEdit, MotifLinesAreCarriedOntoEachSegment) {
  TFractalParams p;
  p.levelCount = 1;
  p.branchCount = 1;
  Recorder r;
  r.run.kind = TFractalKind::Edit;
  r.run.motif[0] = TMotifLine{0, 0, 0, 0, 0.5f, 0, 0, -0.25f};
  EXPECT_EQ(Walk(r, p, {0, 0, 200, 0}), (Segs{{{100, 0}, {0, -50}}}));
  Recorder down;
  down.run.kind = TFractalKind::Edit;
  down.run.motif = r.run.motif;
  EXPECT_EQ(Walk(down, p, {0, 0, 0, 200}), (Segs{{{0, 100}, {50, 0}}}));
  // With the parent kept every level is drawn: B + B^2 figures; without, only B^2.
  p.levelCount = 2;
  p.branchCount = 3;
  for (const bool parent : {true, false}) {
    Recorder all;
    all.run.kind = TFractalKind::Edit;
    all.run.drawParent = parent;
    EXPECT_EQ(Walk(all, p, {0, 0, 90, 0}).size(), parent ? 12u : 9u);
  }
}

TEST(FractalRepetition, ShiftedCopiesWithColoursRunningToTheEndColours) {
  TFractalParams p;
  p.levelCount = 1;
  p.branchCount = 1;
  p.levelColors[0] = RGB(255, 0, 0);
  Recorder r;
  r.run.kind = TFractalKind::Repetition;
  const Segs segs = Walk(r, p, {100, 100, 200, 100});
  ASSERT_EQ(segs.size(), 20u);
  EXPECT_EQ(segs.back(), (std::pair{TPoint{120, 120}, TPoint{180, 80}}));
  EXPECT_EQ(r.drawn.front().pen, RGB(13, 0, 0));  // 255 / 20, to the nearest
  EXPECT_EQ(r.drawn.back().pen, RGB(255, 0, 0));
}

TEST(FractalDriver, TheWorkCopyReplacesThePictureWithOrWithoutTheStroke) {
  TBitmap picture(20, 20), snapshot(20, 20);
  picture.SetPixel(0, 0, clBlack);  // the stroke's own figure
  TFractalParams p;
  p.levelCount = 1;
  p.branchCount = 1;
  p.ratio = 1.0f;
  TFractalRun run;
  run.renderFigure = [](TPoint s, TPoint e, TCanvas& canvas, TPenMode mode) {
    canvas.Pen.Mode = mode;
    canvas.MoveTo(s.X, s.Y);
    canvas.LineTo(e.X, e.Y);
  };
  for (const bool parent : {true, false}) {
    run.drawParent = parent;
    TBitmap result(20, 20);
    result.Assign(picture);
    TFractalWalk walk;
    walk.seg[1] = {0, 5, 5, 5};
    GenerateFractal(result, snapshot, walk, p, run);
    EXPECT_EQ(result.GetPixel(0, 0), parent ? clBlack : clWhite);
    for (int x = 5; x < 10; ++x) EXPECT_EQ(result.GetPixel(x, 5), clBlack) << x;
    EXPECT_EQ(result.GetPixel(10, 5), clWhite) << "lines leave out their end";
  }
  EXPECT_EQ(DrawingTimeCaption(15), "rir（描画時間15");
}
