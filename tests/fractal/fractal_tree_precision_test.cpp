// The tree's end points against a reference written apart from the program: a recursive visit in
// the walk's order, its own copy of the random generator, the scales and the angle kept as
// 32-bit floats and everything else, cos and sin included, in double precision. With
// randomness 0 (the snow crystal) many end points fall on a tie of the rounding, where a
// single-precision cos or sin would move them by a pixel and every descendant with them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "draw/program_random.h"
#include "fractal/fractal_driver.h"
#include "surface/bitmap.h"

namespace {

using Segment = std::pair<TPoint, TPoint>;

struct ReferenceTree {
  int levels, branches;
  double ratio;
  int randomness, angle;
  std::uint32_t state = 0;
  std::vector<Segment> drawn;

  int random(int n) {
    state = state * 134775813u + 1u;
    return int((std::uint64_t(state) * std::uint64_t(n < 0 ? 0 : n)) >> 32);
  }
  void visit(int level, Segment parent) {
    for (int c = 0; c < branches; ++c) {
      const float offset = float(c - (branches - 1) * 0.5);
      const double dx = parent.second.X - parent.first.X, dy = parent.second.Y - parent.first.Y;
      const float sx = float((random(randomness) * 0.1 + ratio) * dx);
      const float sy = float((random(randomness) * 0.1 + ratio) * dy);
      const float a = float((random(randomness) * 0.1 + angle * std::numbers::pi / 180) * (offset * 2.0));
      const double ca = std::cos(double(a)), sa = std::sin(double(a));
      const TPoint from = parent.second;
      const TPoint to{int(std::nearbyint(ca * sx - sa * sy + from.X)), int(std::nearbyint(ca * sy + sa * sx + from.Y))};
      drawn.push_back({from, to});
      if (level < levels) visit(level + 1, {from, to});
    }
  }
};

TEST(FractalTreePrecision, EndPointsMatchADoublePrecisionReference) {
  struct Case {
    const char* name;
    int levels, branches, ratioPosition, randomness, angle;
    TFractalSegment stroke;
  };
  const Case cases[] = {
      {"snow crystal up", 4, 6, 5, 0, 30, {150, 280, 150, 150}},
      {"snow crystal right", 4, 6, 5, 0, 30, {20, 150, 150, 150}},
      {"snow crystal slanted", 4, 6, 5, 0, 30, {40, 260, 137, 171}},
      {"tree 6 x 3 up", 6, 3, 5, 2, 15, {150, 290, 150, 170}},
      {"tree 6 x 3 slanted", 6, 3, 5, 2, 15, {30, 250, 121, 163}},
  };
  for (const Case& c : cases) {
    TFractalParams params;
    params.levelCount = std::int8_t(c.levels);
    params.branchCount = std::int8_t(c.branches);
    params.ratio = float(c.ratioPosition * 0.1);
    params.randomness = std::int8_t(c.randomness);
    params.spreadAngle = std::int8_t(c.angle);
    std::vector<Segment> drawn;
    TFractalRun run;
    run.renderFigure = [&drawn](TPoint s, TPoint e, TCanvas&, TPenMode) { drawn.push_back({s, e}); };
    TBitmap picture(300, 300), snapshot(300, 300);
    TFractalWalk walk;
    walk.seg[1] = c.stroke;
    SetRandomState(0);
    GenerateFractal(picture, snapshot, walk, params, run);

    ReferenceTree reference{c.levels, c.branches, double(float(c.ratioPosition * 0.1)), c.randomness, c.angle, 0, {}};
    reference.visit(1, {TPoint{c.stroke.x0, c.stroke.y0}, TPoint{c.stroke.x1, c.stroke.y1}});
    ASSERT_EQ(drawn.size(), reference.drawn.size()) << c.name;
    int differing = 0;
    for (std::size_t i = 0; i < drawn.size(); ++i)
      if (drawn[i] != reference.drawn[i] && differing++ < 3)
        ADD_FAILURE() << c.name << ": figure " << i << " ends at (" << drawn[i].second.X << ", "
                      << drawn[i].second.Y << "), expected (" << reference.drawn[i].second.X << ", "
                      << reference.drawn[i].second.Y << ")";
    EXPECT_EQ(differing, 0) << c.name;
    EXPECT_EQ(RandomState(), reference.state) << c.name << ": three numbers a step";
  }
}

}  // namespace
