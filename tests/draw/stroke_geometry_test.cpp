#include "draw/stroke_geometry.h"

#include <gtest/gtest.h>

namespace {

TEST(StrokeGeometry, AngleOfTurnsCounterClockwiseOnTheScreen) {
  const TPoint p{100, 100};
  EXPECT_EQ(AngleOf(p, {150, 100}), 0);
  EXPECT_EQ(AngleOf(p, {100, 40}), 90);   // straight up: the 0.01 keeps it finite
  EXPECT_EQ(AngleOf(p, {60, 100}), 180);
  EXPECT_EQ(AngleOf(p, {100, 130}), 270);
  EXPECT_EQ(AngleOf(p, {120, 80}), 45);
  EXPECT_EQ(AngleOf(p, {80, 80}), 135);
  EXPECT_EQ(AngleOf(p, {80, 120}), 225);
  EXPECT_EQ(AngleOf(p, {120, 120}), 315);
  EXPECT_EQ(AngleOf(p, p), 0);
  // Just below the positive x axis the angle is a hair under a full turn.
  EXPECT_EQ(AngleOf(p, {1100, 101}), 360);
  EXPECT_EQ(AngleOf({-5, -5}, {-4, 7}), 275);
}

TEST(StrokeGeometry, AngleOfRoundsThroughA32BitFloat) {
  // Each of these lies a few millionths beside a half degree in real arithmetic; the float's
  // coarser steps put it on the half, which then goes to the even neighbour.
  EXPECT_EQ(AngleOf({0, 0}, {432, 34}), 356);       // 355.49999 in doubles
  EXPECT_EQ(AngleOf({0, 0}, {-2024, -53}), 178);    // 178.50000119
  EXPECT_EQ(AngleOf({0, 0}, {-2024, 53}), 182);     // 181.49999881
  EXPECT_EQ(AngleOf({10, 20}, {-1938, 3}), 180);    // 179.49999565
  EXPECT_EQ(AngleOf({10, 20}, {-1938, 37}), 180);   // 180.50000435
}

TEST(StrokeGeometry, FixAnglePutsThePointerOnTheDiagonalOfItsQuadrant) {
  const TPoint o{0, 0};
  EXPECT_EQ(FixAngle(10, 3, o, 45), 10);    // down-right: falling on the screen
  EXPECT_EQ(FixAngle(10, -3, o, 45), -10);  // up-right: rising
  EXPECT_EQ(FixAngle(-10, -3, o, 45), -10); // up-left: falling
  EXPECT_EQ(FixAngle(-10, 3, o, 45), 10);   // down-left: rising
  EXPECT_EQ(FixAngle(10, 0, o, 45), -10);   // on an axis: the rising pair
  EXPECT_EQ(FixAngle(0, 50, o, 45), 0);
  EXPECT_EQ(FixAngle(400, 30, o, 0), 0);
  // The thousandth of a radian shows on long drags at 0 degrees: tan(-0.001) is a little over
  // -0.001, so 500 pixels right already make more than half a pixel.
  EXPECT_EQ(FixAngle(499, 30, o, 0), 0);
  EXPECT_EQ(FixAngle(500, 30, o, 0), -1);
  EXPECT_EQ(FixAngle(500, -30, o, 0), 1);
  // 90 degrees stays finite: tan(pi/2 - 0.001) is about 1000.
  EXPECT_EQ(FixAngle(2, 5, o, 90), 2000);
  EXPECT_EQ(FixAngle(2, -5, o, 90), -2000);
  // 30 degrees from a start away from the origin: 20 * tan(30deg - 0.001) = 11.52.
  EXPECT_EQ(FixAngle(120, 107, {100, 100}, 30), 112);
  EXPECT_EQ(FixAngle(80, 107, {100, 100}, 30), 112);
  EXPECT_EQ(FixAngle(120, 93, {100, 100}, 30), 88);
}

TEST(StrokeGeometry, MirrorPointReflectsThroughTheCentre) {
  EXPECT_EQ(MirrorPoint({130, 90}, {100, 100}), (TPoint{70, 110}));
  EXPECT_EQ(MirrorPoint({-5, 7}, {0, 0}), (TPoint{5, -7}));
  EXPECT_EQ(MirrorPoint({3, 3}, {3, 3}), (TPoint{3, 3}));
}

}  // namespace
