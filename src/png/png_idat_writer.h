#pragma once
// The image data of a PNG file: one zlib stream of all rows, cut into IDAT chunks that carry
// exactly chunkSize bytes each but the last. No empty IDAT chunk is written.
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "png/png_chunk_writer.h"

class PngIdatWriter {
 public:
  // deflateLevel is a zlib level (0..9 or Z_DEFAULT_COMPRESSION); chunkSize > 0. Raises
  // DEZOZIR "Write Image (PNG): Write Error" when the compressor cannot be set up.
  PngIdatWriter(PngChunkWriter& out, int deflateLevel, std::size_t chunkSize);
  ~PngIdatWriter();
  PngIdatWriter(const PngIdatWriter&) = delete;
  PngIdatWriter& operator=(const PngIdatWriter&) = delete;

  // Compresses data[0, size); every time the output buffer fills it becomes an IDAT chunk.
  // Raises DEZOZIR "Write Image (PNG): Write Error" when the compressor reports an error.
  void Write(const std::uint8_t* data, std::size_t size);
  // Ends the stream and writes what the buffer holds as the last IDAT chunk. Call once.
  void Finish();

 private:
  // Runs deflate until it needs more input (or, for Z_FINISH, until the stream ends).
  void deflateUntilDone(int flush);
  void writeBufferedChunk();

  PngChunkWriter& out_;
  std::vector<std::uint8_t> buffer_;
  z_stream stream_{};
};
