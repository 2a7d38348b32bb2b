#pragma once
// Taking written PNG files apart in the tests: the chunks (with their CRCs checked), the
// inflated image data, and the pixels as libpng reads them.
#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "png/viraviz.h"
#include "surface/color.h"

using Bytes = std::vector<std::uint8_t>;

struct PngChunk {
  std::string type;
  Bytes data;
  bool crcGood = false;
};

inline Bytes SavePng(const VIRAVIZ& picture) {
  Bytes file;
  picture.SaveToStream([&file](const std::uint8_t* data, std::size_t size) { file.insert(file.end(), data, data + size); });
  return file;
}

inline std::uint32_t BigEndian32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

// The chunks after the signature; an empty list when the signature is wrong or a chunk runs
// past the end of the file.
inline std::vector<PngChunk> ParseChunks(const Bytes& file) {
  static const Bytes kSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (file.size() < 8 || !std::equal(kSignature.begin(), kSignature.end(), file.begin())) return {};
  std::vector<PngChunk> chunks;
  for (std::size_t pos = 8; pos < file.size();) {
    if (file.size() - pos < 12) return {};
    const std::size_t length = BigEndian32(&file[pos]);
    if (file.size() - pos - 12 < length) return {};
    PngChunk chunk;
    chunk.type.assign(file.begin() + std::ptrdiff_t(pos + 4), file.begin() + std::ptrdiff_t(pos + 8));
    chunk.data.assign(file.begin() + std::ptrdiff_t(pos + 8), file.begin() + std::ptrdiff_t(pos + 8 + length));
    chunk.crcGood = crc32(0, &file[pos + 4], uInt(length + 4)) == BigEndian32(&file[pos + 8 + length]);
    chunks.push_back(std::move(chunk));
    pos += 12 + length;
  }
  return chunks;
}

inline std::vector<std::string> ChunkTypes(const std::vector<PngChunk>& chunks) {
  std::vector<std::string> types;
  for (const PngChunk& c : chunks) types.push_back(c.type);
  return types;
}

inline const PngChunk* FindChunk(const std::vector<PngChunk>& chunks, const std::string& type) {
  for (const PngChunk& c : chunks)
    if (c.type == type) return &c;
  return nullptr;
}

// The IDAT chunks' data, joined: the zlib stream.
inline Bytes ImageStream(const std::vector<PngChunk>& chunks) {
  Bytes stream;
  for (const PngChunk& c : chunks)
    if (c.type == "IDAT") stream.insert(stream.end(), c.data.begin(), c.data.end());
  return stream;
}

// The inflated zlib stream; empty when it is damaged or does not end exactly at its end.
inline Bytes Inflate(const Bytes& stream) {
  z_stream z{};
  if (inflateInit(&z) != Z_OK) return {};
  Bytes out(1 << 16);
  z.next_in = const_cast<Bytef*>(stream.data());
  z.avail_in = uInt(stream.size());
  int result = Z_OK;
  std::size_t done = 0;
  while (result == Z_OK) {
    if (done == out.size()) out.resize(out.size() * 2);
    z.next_out = out.data() + done;
    z.avail_out = uInt(out.size() - done);
    result = inflate(&z, Z_NO_FLUSH);
    done = out.size() - z.avail_out;
  }
  const bool whole = result == Z_STREAM_END && z.avail_in == 0;
  inflateEnd(&z);
  out.resize(whole ? done : 0);
  return out;
}

// The picture as libpng reads it: colours 0x00BBGGRR and alpha, rows top-down.
struct PngPixels {
  int width = 0, height = 0;
  std::vector<TColor> colors;
  std::vector<std::uint8_t> alpha;
  TColor At(int x, int y) const { return colors[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
};

// False with libpng's message in error when libpng refuses the file.
inline bool ReadWithLibpng(const Bytes& file, PngPixels& out, std::string& error) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.format = PNG_FORMAT_RGBA;
  Bytes rgba;
  if (png_image_begin_read_from_memory(&image, file.data(), file.size())) {
    image.format = PNG_FORMAT_RGBA;
    rgba.resize(PNG_IMAGE_SIZE(image));
    png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr);
  }
  error = image.message;
  if (PNG_IMAGE_FAILED(image)) return false;
  out.width = int(image.width);
  out.height = int(image.height);
  out.colors.clear();
  out.alpha.clear();
  for (std::size_t i = 0; i + 3 < rgba.size(); i += 4) {
    out.colors.push_back(RGB(rgba[i], rgba[i + 1], rgba[i + 2]));
    out.alpha.push_back(rgba[i + 3]);
  }
  return true;
}
