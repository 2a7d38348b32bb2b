#include "widgets/bitmap_image.h"

#include "document/screen_pixels.h"

QImage ToQImage(const TBitmap& bitmap) {
  QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_RGB32);
  ToScreenPixels(bitmap, bitmap.BoundsRect(), reinterpret_cast<std::uint32_t*>(image.bits()),
                 image.bytesPerLine() / 4);
  return image;
}

void FromQImage(const QImage& image, TBitmap& out) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  TBitmap fresh(rgb.width(), rgb.height(), pf32bit);
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    // Screen words 0xAARRGGBB are blue-green-red-spare in memory; the spare byte must be 0.
    auto* row = reinterpret_cast<std::uint32_t*>(fresh.MutableRow(y));
    for (int x = 0; x < rgb.width(); ++x) row[x] = in[x] & 0x00FFFFFFu;
  }
  out.Swap(fresh);
}
