#include "png/png_chunk_writer.h"

#include <libdeflate.h>

namespace {

constexpr std::size_t kBufferBytes = 65536;
// Pieces at least this long skip the buffer: copying them would cost more than the extra write.
constexpr std::size_t kDirectPieceBytes = 65520;

void putBigEndian32(std::uint8_t* out, std::uint32_t v) {
  out[0] = std::uint8_t(v >> 24);
  out[1] = std::uint8_t(v >> 16);
  out[2] = std::uint8_t(v >> 8);
  out[3] = std::uint8_t(v);
}

}  // namespace

PngChunkWriter::PngChunkWriter(const ByteSink& sink) : sink_(sink) { buffer_.reserve(kBufferBytes); }

void PngChunkWriter::Put(const std::uint8_t* data, std::size_t size) {
  if (size >= kDirectPieceBytes) {
    Flush();
    sink_(data, size);
    return;
  }
  if (buffer_.size() + size > kBufferBytes) Flush();
  buffer_.insert(buffer_.end(), data, data + size);
}

void PngChunkWriter::WriteChunk(const char (&type)[5], const std::uint8_t* data, std::size_t size) {
  std::uint8_t head[8];
  putBigEndian32(head, std::uint32_t(size));
  for (int i = 0; i < 4; ++i) head[4 + i] = std::uint8_t(type[i]);
  std::uint32_t crc = libdeflate_crc32(0, head + 4, 4);
  if (size > 0) crc = libdeflate_crc32(crc, data, size);
  std::uint8_t tail[4];
  putBigEndian32(tail, crc);
  Put(head, sizeof head);
  if (size > 0) Put(data, size);
  Put(tail, sizeof tail);
}

void PngChunkWriter::Flush() {
  if (buffer_.empty()) return;
  sink_(buffer_.data(), buffer_.size());
  buffer_.clear();
}
