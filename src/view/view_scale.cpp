#include "view/view_scale.h"

#include <cmath>
#include <numeric>

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
std::int64_t CeilDiv(std::int64_t a, std::int64_t b) { return -FloorDiv(-a, b); }

namespace {

TRatio Reduced(std::int64_t num, std::int64_t den) {
  const std::int64_t g = std::gcd(num, den);
  return TRatio{num / g, den / g};
}

}  // namespace

int ZoomLevelStepped(int level, int steps) {
  const int last = int(kZoomLevels.size()) - 1;
  const int to = level + steps;
  return to < 0 ? 0 : to > last ? last : to;
}

int FitZoomLevel(int width, int height, int border, int availWidth, int availHeight) {
  for (int level = int(kZoomLevels.size()) - 1; level > 0; --level) {
    const TViewScale shown(kZoomLevels[level], TRatio{});
    if (shown.DeviceOf(width) + border <= availWidth && shown.DeviceOf(height) + border <= availHeight) return level;
  }
  return 0;
}

std::string ZoomPercentText(int level) {
  const TRatio z = kZoomLevels[level];
  // Hundredths of a percent, rounded to nearest; trailing zeros of the fraction dropped.
  const std::int64_t hundredths = (z.num * 10000 * 2 + z.den) / (2 * z.den);
  std::string text = std::to_string(hundredths / 100);
  if (const std::int64_t fraction = hundredths % 100) {
    text += '.';
    text += char('0' + fraction / 10);
    if (fraction % 10) text += char('0' + fraction % 10);
  }
  return text + '%';
}

TRatio DeviceRatioOf(double devicePixelRatio) {
  constexpr std::int64_t kParts = 120;
  const std::int64_t num = std::llround(devicePixelRatio * kParts);
  return Reduced(num > 0 ? num : kParts, kParts);
}

TViewScale::TViewScale(TRatio zoom, TRatio device)
    : perPixel_(Reduced(zoom.num * device.num, zoom.den * device.den)) {}

TRect TViewScale::DeviceRectOf(const TRect& r) const {
  return TRect{int(DeviceOf(r.Left)), int(DeviceOf(r.Top)), int(DeviceOf(r.Right)), int(DeviceOf(r.Bottom))};
}
