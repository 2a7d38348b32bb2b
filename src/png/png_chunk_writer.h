#pragma once
// The bytes of a PNG file on their way to the sink: chunks framed with their length, type and
// CRC-32, small pieces gathered in a 64 KB buffer so the sink sees few, large writes.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fileio/picture_file_io.h"

class PngChunkWriter {
 public:
  // The sink must outlive the writer.
  explicit PngChunkWriter(const ByteSink& sink);
  PngChunkWriter(const PngChunkWriter&) = delete;
  PngChunkWriter& operator=(const PngChunkWriter&) = delete;

  // Writes data[0, size) as it is (the signature).
  void Put(const std::uint8_t* data, std::size_t size);
  // Writes one chunk: data size as a big-endian 32-bit number, the four letters of type, the
  // data and the CRC-32 of type and data. size must stay below 2^31.
  void WriteChunk(const char (&type)[5], const std::uint8_t* data, std::size_t size);
  // Hands what the buffer holds to the sink. Call it after the last chunk: bytes still in
  // the buffer when the writer ends are dropped (a failed write leaves no tail behind).
  void Flush();

 private:
  const ByteSink& sink_;
  std::vector<std::uint8_t> buffer_;
};
