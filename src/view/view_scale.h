#pragma once
// How the canvas shows the picture: its zoom levels, and the mapping between picture pixels and
// the pixels of the screen. Everything is exact integer arithmetic on ratios, so that the view's
// pixels and the pointer's picture pixel agree at every zoom and every device pixel ratio.
#include <array>
#include <cstdint>
#include <string>

#include "surface/geometry.h"

// The positive ratio num / den.
struct TRatio {
  std::int64_t num = 1;
  std::int64_t den = 1;
  friend bool operator==(const TRatio&, const TRatio&) = default;
};

// The zoom levels of the canvas, smallest first; kZoomOne is 1:1.
inline constexpr std::array<TRatio, 16> kZoomLevels{{{1, 16}, {1, 8}, {1, 4}, {1, 3}, {1, 2}, {2, 3},
                                                      {1, 1}, {2, 1}, {3, 1}, {4, 1}, {6, 1}, {8, 1},
                                                      {12, 1}, {16, 1}, {24, 1}, {32, 1}}};
inline constexpr int kZoomOne = 6;
// The pixel grid can be shown from 4x on.
inline constexpr int kGridLevel = 9;

// Rounding integer division toward minus and plus infinity (b > 0).
std::int64_t FloorDiv(std::int64_t a, std::int64_t b);
std::int64_t CeilDiv(std::int64_t a, std::int64_t b);

// level moved by steps, kept within the levels.
int ZoomLevelStepped(int level, int steps);
// The largest level at which a width x height picture, with `border` screen pixels around it in
// all (left and right together, top and bottom together), fits into avail; the smallest level
// when none does.
int FitZoomLevel(int width, int height, int border, int availWidth, int availHeight);
// The level as a percentage for the status area: "100%", "800%", "12.5%", "33.33%".
std::string ZoomPercentText(int level);
// A screen's device pixel ratio (1, 1.25, 1.5, 2, ...) as a ratio in 120ths, reduced.
TRatio DeviceRatioOf(double devicePixelRatio);

// Device pixels per picture pixel: a zoom level times the device pixel ratio. Device pixels are
// counted from the first device pixel of picture pixel 0, along one axis; the same mapping serves
// both axes.
class TViewScale {
 public:
  TViewScale(TRatio zoom, TRatio device);

  // num / den device pixels per picture pixel, reduced.
  const TRatio& PerPicturePixel() const { return perPixel_; }
  bool Magnifies() const { return perPixel_.num >= perPixel_.den; }
  bool Whole() const { return perPixel_.den == 1; }
  // The picture pixel that device pixel k shows: floor(k / scale).
  std::int64_t PictureOf(std::int64_t k) const { return FloorDiv(k * perPixel_.den, perPixel_.num); }
  // The first device pixel that shows picture pixel p; DeviceOf(width) is the end of a picture of
  // that width. Exactly the inverse of PictureOf: PictureOf(k) == p for DeviceOf(p) <= k < DeviceOf(p + 1).
  std::int64_t DeviceOf(std::int64_t p) const { return CeilDiv(p * perPixel_.num, perPixel_.den); }
  // The device pixels that show the picture rectangle r (right and bottom exclusive).
  TRect DeviceRectOf(const TRect& r) const;

 private:
  TRatio perPixel_;
};
