#pragma once
// Taking written PNG files apart in the tests: the chunks, with their CRCs checked, and the
// inflated image data.
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "png/viraviz.h"

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

// The chunks after the signature; none when the signature is wrong or a chunk runs past the end.
inline std::vector<PngChunk> ParseChunks(const Bytes& file) {
  static const Bytes kSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (file.size() < 8 || !std::equal(kSignature.begin(), kSignature.end(), file.begin())) return {};
  auto bigEndian32 = [&file](std::size_t at) {
    return std::uint32_t(file[at]) << 24 | std::uint32_t(file[at + 1]) << 16 | std::uint32_t(file[at + 2]) << 8 | file[at + 3];
  };
  std::vector<PngChunk> chunks;
  for (std::size_t pos = 8; pos < file.size();) {
    if (file.size() - pos < 12 || file.size() - pos - 12 < bigEndian32(pos)) return {};
    const std::size_t length = bigEndian32(pos);
    const auto start = file.begin() + std::ptrdiff_t(pos);
    chunks.push_back({std::string(start + 4, start + 8), Bytes(start + 8, start + 8 + std::ptrdiff_t(length)),
                      crc32(0, &file[pos + 4], uInt(length + 4)) == bigEndian32(pos + 8 + length)});
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
  auto it = std::find_if(chunks.begin(), chunks.end(), [&](const PngChunk& c) { return c.type == type; });
  return it == chunks.end() ? nullptr : &*it;
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
  Bytes out;
  z.next_in = const_cast<Bytef*>(stream.data());
  z.avail_in = uInt(stream.size());
  int result = Z_OK;
  while (result == Z_OK) {
    const std::size_t done = out.size() - z.avail_out;
    out.resize(done + 65536);
    z.next_out = out.data() + done;
    z.avail_out = 65536;
    result = inflate(&z, Z_NO_FLUSH);
  }
  out.resize(result == Z_STREAM_END && z.avail_in == 0 ? out.size() - z.avail_out : 0);
  inflateEnd(&z);
  return out;
}
