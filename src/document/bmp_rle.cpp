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

  // The row the next pixels go to. Several writers pad every row to whole 32-bit words, so
  // pixels past the row's end are dropped, as the platform's own reader does: fitting(n) says
  // how many of n pixels land in the row.
  std::uint8_t* row() const {
    require(y_ < height_);
    return bits_ + std::size_t(height_ - 1 - y_) * stride_;
  }
  int fitting(int n) const { return x_ >= width_ ? 0 : n < width_ - x_ ? n : width_ - x_; }

  void run(int n, std::uint8_t v) {
    std::uint8_t* out = row();
    const int fit = fitting(n);
    if (rle4_) {
      for (int i = 0; i < fit; ++i) WriteRaw(out, x_ + i, 4, i % 2 ? v & 0xF : v >> 4);
    } else {
      std::memset(out + x_, v, std::size_t(fit));
    }
    x_ = x_ + n < width_ ? x_ + n : width_;
  }

  void literal(int n) {
    const std::size_t bytes = rle4_ ? (std::size_t(n) + 1) / 2 : std::size_t(n);
    need(bytes + bytes % 2);
    std::uint8_t* out = row();
    const int fit = fitting(n);
    const std::uint8_t* src = data_ + pos_;
    if (rle4_) {
      for (int i = 0; i < fit; ++i) WriteRaw(out, x_ + i, 4, i % 2 ? src[i / 2] & 0xF : src[i / 2] >> 4);
    } else {
      std::memcpy(out + x_, src, std::size_t(fit));
    }
    x_ = x_ + n < width_ ? x_ + n : width_;
    pos_ += bytes + bytes % 2;
  }

  void delta() {
    need(2);
    const int dx = data_[pos_], dy = data_[pos_ + 1];
    pos_ += 2;
    require(dy <= height_ - y_);
    x_ = x_ + dx < width_ ? x_ + dx : width_;
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
