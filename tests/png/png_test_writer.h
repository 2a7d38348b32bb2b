#pragma once
// Builds small PNG files by hand for the decoder's tests: chunks with their CRC, and image data
// compressed with zlib from rows whose filter the test picks (the rows are filtered here, so
// any filter sequence can be tried).
#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

using PngBytes = std::vector<std::uint8_t>;

inline void PutBe(PngBytes& out, std::uint32_t v, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out.push_back(std::uint8_t(v >> (8 * i)));
}

inline PngBytes PngSignature() { return {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}; }

// Appends one chunk: length, type, data and the CRC of type and data.
inline void PutChunk(PngBytes& out, const std::string& type, const PngBytes& data) {
  PutBe(out, std::uint32_t(data.size()), 4);
  PngBytes typed(type.begin(), type.end());
  typed.insert(typed.end(), data.begin(), data.end());
  out.insert(out.end(), typed.begin(), typed.end());
  PutBe(out, std::uint32_t(crc32(0, typed.data(), uInt(typed.size()))), 4);
}

inline PngBytes IhdrData(std::uint32_t width, std::uint32_t height, int depth, int colorType, int interlace = 0,
                         int compression = 0, int filter = 0) {
  PngBytes d;
  PutBe(d, width, 4);
  PutBe(d, height, 4);
  d.push_back(std::uint8_t(depth));
  d.push_back(std::uint8_t(colorType));
  d.push_back(std::uint8_t(compression));
  d.push_back(std::uint8_t(filter));
  d.push_back(std::uint8_t(interlace));
  return d;
}

inline int PaethOf(int a, int b, int c) {
  const int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
  return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

// One row as it goes into the image data: the filter byte, then raw filtered by that filter
// against prev (the previous raw row of the pass, empty for the first). step: filter distance.
inline PngBytes FilterRow(int filter, const PngBytes& raw, const PngBytes& prev, int step) {
  PngBytes out{std::uint8_t(filter)};
  for (std::size_t i = 0; i < raw.size(); ++i) {
    const int a = i >= std::size_t(step) ? raw[i - step] : 0;
    const int b = prev.empty() ? 0 : prev[i];
    const int c = i >= std::size_t(step) && !prev.empty() ? prev[i - step] : 0;
    const int predictor = filter == 1 ? a : filter == 2 ? b : filter == 3 ? (a + b) / 2 : filter == 4 ? PaethOf(a, b, c) : 0;
    out.push_back(std::uint8_t(raw[i] - predictor));
  }
  return out;
}

inline PngBytes Compress(const PngBytes& data) {
  uLongf size = compressBound(uLong(data.size()));
  PngBytes out(size);
  compress(out.data(), &size, data.data(), uLong(data.size()));
  out.resize(size);
  return out;
}

// A whole file: signature, IHDR, the chunks given (each placed before the image data), one
// IDAT holding idat, IEND.
struct PngChunkSpec {
  std::string type;
  PngBytes data;
};
inline PngBytes BuildPng(const PngBytes& ihdr, const std::vector<PngChunkSpec>& before, const PngBytes& idat) {
  PngBytes f = PngSignature();
  PutChunk(f, "IHDR", ihdr);
  for (const PngChunkSpec& c : before) PutChunk(f, c.type, c.data);
  PutChunk(f, "IDAT", idat);
  PutChunk(f, "IEND", {});
  return f;
}

// Plain (not interlaced) image data of the raw rows, all filtered with None.
inline PngBytes PlainImageData(const std::vector<PngBytes>& rows) {
  PngBytes data;
  for (const PngBytes& r : rows) {
    data.push_back(0);
    data.insert(data.end(), r.begin(), r.end());
  }
  return Compress(data);
}
