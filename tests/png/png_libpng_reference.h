#pragma once
// The decoder's reference: libpng reads a PNG file from memory into 8-bit RGBA the way this
// program shows PNG pixels: 16-bit samples cut to their high byte, 1-, 2- and 4-bit greys
// widened to the greys of their palette, palettes looked up, and any tRNS turned into alpha.
// No gamma is applied.
#include <png.h>

#include <csetjmp>
#include <cstdint>
#include <cstring>
#include <vector>

#include "surface/color.h"

struct LibpngImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;  // width * height * 4, rows top-down
  TColor ColorAt(int x, int y) const {
    const std::uint8_t* p = &rgba[(std::size_t(y) * width + x) * 4];
    return RGB(p[0], p[1], p[2]);
  }
  std::uint8_t AlphaAt(int x, int y) const { return rgba[(std::size_t(y) * width + x) * 4 + 3]; }
};

namespace libpng_reference_detail {

struct MemoryInput {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t pos;
};

inline void readFromMemory(png_structp png, png_bytep out, png_size_t n) {
  auto* in = static_cast<MemoryInput*>(png_get_io_ptr(png));
  if (n > in->size - in->pos) png_error(png, "read past the end");
  std::memcpy(out, in->data + in->pos, n);
  in->pos += n;
}

// Everything between setjmp and a possible longjmp is plain data: no destructor is skipped.
inline bool decode(png_structp png, png_infop info, MemoryInput* in, LibpngImage* out, std::vector<png_bytep>* rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_read_fn(png, in, readFromMemory);
  png_set_crc_action(png, PNG_CRC_QUIET_USE, PNG_CRC_QUIET_USE);
  png_read_info(png, info);
  const int type = png_get_color_type(png, info);
  png_set_strip_16(png);
  if (type == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (type == PNG_COLOR_TYPE_GRAY && png_get_bit_depth(png, info) < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
  if (!(type & PNG_COLOR_MASK_COLOR)) png_set_gray_to_rgb(png);
  png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  out->width = int(png_get_image_width(png, info));
  out->height = int(png_get_image_height(png, info));
  out->rgba.resize(std::size_t(out->width) * out->height * 4);
  rows->resize(std::size_t(out->height));
  for (int y = 0; y < out->height; ++y) (*rows)[y] = out->rgba.data() + std::size_t(y) * out->width * 4;
  png_read_image(png, rows->data());
  return true;
}

}  // namespace libpng_reference_detail

// False when libpng refuses the file.
inline bool ReadLibpngReference(const std::vector<std::uint8_t>& file, LibpngImage& out) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  libpng_reference_detail::MemoryInput in{file.data(), file.size(), 0};
  std::vector<png_bytep> rows;
  const bool ok = libpng_reference_detail::decode(png, info, &in, &out, &rows);
  png_destroy_read_struct(&png, &info, nullptr);
  return ok;
}
