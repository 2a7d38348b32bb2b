#pragma once
// Reference pictures of the bitmap tests, read with libpng: rows of 0x00BBGGRR colours and the
// alpha of each pixel.
#include <png.h>

#include <cstdint>
#include <string>
#include <vector>

#include "surface/color.h"

struct PngReference {
  int width = 0;
  int height = 0;
  std::vector<TColor> colors;       // width * height, rows top-down
  std::vector<std::uint8_t> alpha;  // the same layout
  TColor At(int x, int y) const { return colors[std::size_t(y) * width + x]; }
};

// Reads a PNG file; false when libpng cannot. libpng's simple reader takes 16-bit files for
// linear light, so they are read as they are and only narrowed to 8 bits here.
inline bool ReadPngReference(const std::string& path, PngReference& out) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  const bool wide = image.format & PNG_FORMAT_FLAG_LINEAR;
  image.format = wide ? PNG_FORMAT_LINEAR_RGB_ALPHA : PNG_FORMAT_RGBA;
  std::vector<std::uint16_t> samples(PNG_IMAGE_SIZE(image) / (wide ? 2 : 1));
  std::vector<std::uint8_t> narrow(wide ? 0 : samples.size());
  void* buffer = wide ? static_cast<void*>(samples.data()) : static_cast<void*>(narrow.data());
  if (!png_image_finish_read(&image, nullptr, buffer, 0, nullptr)) return false;
  if (!wide) samples.assign(narrow.begin(), narrow.end());
  auto sample = [&](std::size_t i) {
    return std::uint8_t(wide ? (samples[i] * 255u + 32767u) / 65535u : samples[i]);
  };
  out.width = int(image.width);
  out.height = int(image.height);
  out.colors.resize(samples.size() / 4);
  out.alpha.resize(samples.size() / 4);
  for (std::size_t i = 0; i < out.colors.size(); ++i) {
    out.colors[i] = RGB(sample(4 * i), sample(4 * i + 1), sample(4 * i + 2));
    out.alpha[i] = sample(4 * i + 3);
  }
  return true;
}
