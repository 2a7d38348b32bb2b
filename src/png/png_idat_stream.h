#pragma once
// The zlib stream that a run of consecutive IDAT chunks carries, inflated on demand.
#include <zlib.h>

#include <cstddef>
#include <cstdint>

#include "png/png_byte_reader.h"

// Raises DEZOZIR "Read Image (PNG): Read Error", the error of image data that cannot give a row.
[[noreturn]] void ThrowPngReadError();

class PngIdatStream {
 public:
  // Starts at the data of an IDAT chunk whose unread byte count is chunkLeft; the stream keeps
  // chunkLeft up to date as it reads, so that the chunk loop can skip the rest of the chunk it
  // stops in. Raises DEZOZIR "PNG LoadStream: Error ZLIB" when the inflater cannot be set up.
  PngIdatStream(PngByteReader& in, std::uint32_t& chunkLeft);
  ~PngIdatStream();
  PngIdatStream(const PngIdatStream&) = delete;
  PngIdatStream& operator=(const PngIdatStream&) = delete;

  // The image data were inflated whole already (the filtered rows back to back): Inflate hands
  // them out from there instead of reading on.
  void UseInflated(const std::uint8_t* rows) { inflated_ = rows; }

  // Fills dst[0, n) with the next inflated bytes, reading on into following IDAT chunks.
  // Raises DEZOZIR "Read Image (PNG): Read Error" when the data are damaged, end too early,
  // or a chunk other than IDAT follows a used-up one.
  void Inflate(std::uint8_t* dst, std::size_t n);

 private:
  void feed();

  PngByteReader& in_;
  std::uint32_t& chunkLeft_;
  z_stream z_{};
  const std::uint8_t* inflated_ = nullptr;
};
