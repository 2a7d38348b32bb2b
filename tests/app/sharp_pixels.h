#pragma once
// Checks that a picture shown on a screen of some device pixel ratio is pixel art enlarged by
// repeating pixels: each device pixel has the colour of a picture pixel that covers it.
#include <QImage>
#include <QString>
#include <cmath>

// device: what the screen shows, in device pixels, the picture's top left at its top left.
// Returns an empty text when every device pixel of the picture's area shows a colour of a
// picture pixel overlapping it (at a whole ratio, exactly the one under it), else where not.
inline QString SharpnessFault(const QImage& device, const QImage& picture, qreal ratio) {
  const int width = static_cast<int>(picture.width() * ratio);
  const int height = static_cast<int>(picture.height() * ratio);
  if (device.width() < width || device.height() < height) return QStringLiteral("too small");
  const bool whole = ratio == std::floor(ratio);
  // The picture pixels whose spans overlap device pixel d along one axis.
  const auto first = [ratio](int d) { return static_cast<int>(std::floor(d / ratio)); };
  const auto last = [ratio, whole](int d) {
    return whole ? static_cast<int>(std::floor(d / ratio)) : static_cast<int>(std::ceil((d + 1) / ratio)) - 1;
  };
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const QRgb shown = device.pixel(x, y) | 0xFF000000u;
      bool covered = false;
      for (int py = first(y); py <= std::min(last(y), picture.height() - 1) && !covered; ++py)
        for (int px = first(x); px <= std::min(last(x), picture.width() - 1) && !covered; ++px)
          covered = (picture.pixel(px, py) | 0xFF000000u) == shown;
      if (!covered)
        return QStringLiteral("device pixel %1,%2 shows %3").arg(x).arg(y).arg(shown, 8, 16);
    }
  }
  return {};
}
