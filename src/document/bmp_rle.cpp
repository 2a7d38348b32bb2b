#include "document/bmp_rle.h"

#include <cstring>

#include "document/bmp_header.h"
#include "surface/span_painter.h"

namespace {

void require(bool ok) {
  if (!ok) ThrowInvalidBmp();
}

// Walks the code pairs: (n > 0, v) is a run of n pixels of v (RLE4: the two nibbles of v in
// turn); (0, 0) ends the line, (0, 1) the bitmap, (0, 2) moves by the next two bytes, and
// (0, n >= 3) is followed by n literal pixels padded to a 16-bit boundary.
class RleDecoder {
 public:
  RleDecoder(const std::uint8_t* data, std::size_t size, TBitmap& bmp)
      : data_(data), size_(size), bits_(bmp.MutableBits()), stride_(bmp.Stride()),
        width_(bmp.Width()), height_(bmp.Height()), rle4_(bmp.PixelFormat() == pf4bit) {}

  void Decode() {
    for (;;) {
      need(2);
      const int n = data_[pos_], v = data_[pos_ + 1];
      pos_ += 2;
      if (n > 0) {
        run(n, std::uint8_t(v));
        continue;
      }
      switch (v) {
        case 0: endOfLine(); break;
        case 1: return;
        case 2: delta(); break;
        default: literal(v);
      }
    }
  }

 private:
  void need(std::size_t n) const { require(size_ - pos_ >= n); }

  // The row the next n pixels go to, after checking that they fit in it.
  std::uint8_t* rowFor(int n) const {
    require(y_ < height_ && n <= width_ - x_);
    return bits_ + std::size_t(height_ - 1 - y_) * stride_;
  }

  void run(int n, std::uint8_t v) {
    std::uint8_t* row = rowFor(n);
    if (rle4_) {
      for (int i = 0; i < n; ++i) WriteRaw(row, x_ + i, 4, i % 2 ? v & 0xF : v >> 4);
    } else {
      std::memset(row + x_, v, std::size_t(n));
    }
    x_ += n;
  }

  void literal(int n) {
    const std::size_t bytes = rle4_ ? (std::size_t(n) + 1) / 2 : std::size_t(n);
    need(bytes + bytes % 2);
    std::uint8_t* row = rowFor(n);
    const std::uint8_t* src = data_ + pos_;
    if (rle4_) {
      for (int i = 0; i < n; ++i) WriteRaw(row, x_ + i, 4, i % 2 ? src[i / 2] & 0xF : src[i / 2] >> 4);
    } else {
      std::memcpy(row + x_, src, bytes);
    }
    x_ += n;
    pos_ += bytes + bytes % 2;
  }

  void delta() {
    need(2);
    const int dx = data_[pos_], dy = data_[pos_ + 1];
    pos_ += 2;
    require(dx <= width_ - x_ && dy <= height_ - y_);
    x_ += dx;
    y_ += dy;
  }

  void endOfLine() {
    require(y_ < height_);
    x_ = 0;
    ++y_;
  }

  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
  std::uint8_t* bits_;
  std::size_t stride_;
  int width_, height_;
  bool rle4_;
  int x_ = 0, y_ = 0;  // y counts rows from the bottom, as the data does
};

}  // namespace

void DecodeBmpRle(const std::uint8_t* data, std::size_t size, TBitmap& bmp) {
  RleDecoder(data, size, bmp).Decode();
}
