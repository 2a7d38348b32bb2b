#include "png/png_idat_writer.h"

#include "png/viraviz.h"

namespace {

[[noreturn]] void writeError() { throw DEZOZIR("Write Image (PNG): Write Error"); }

}  // namespace

PngIdatWriter::PngIdatWriter(PngChunkWriter& out, int deflateLevel, std::size_t chunkSize)
    : out_(out), buffer_(chunkSize) {
  if (deflateInit(&stream_, deflateLevel) != Z_OK) writeError();
  stream_.next_out = buffer_.data();
  stream_.avail_out = uInt(buffer_.size());
}

PngIdatWriter::~PngIdatWriter() { deflateEnd(&stream_); }

void PngIdatWriter::Write(const std::uint8_t* data, std::size_t size) {
  stream_.next_in = const_cast<Bytef*>(data);  // zlib's input pointer is not const
  stream_.avail_in = uInt(size);
  deflateUntilDone(Z_NO_FLUSH);
}

void PngIdatWriter::Finish() {
  stream_.next_in = nullptr;
  stream_.avail_in = 0;
  deflateUntilDone(Z_FINISH);
  writeBufferedChunk();
}

void PngIdatWriter::deflateUntilDone(int flush) {
  for (;;) {
    const int result = deflate(&stream_, flush);
    // Z_BUF_ERROR only says that no progress was possible, which the loop conditions settle.
    if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR) writeError();
    if (stream_.avail_out == 0) writeBufferedChunk();
    if (result == Z_STREAM_END) return;
    // Without flushing, deflate stops early only when it has used up its input; with output
    // room left over it has nothing more to give.
    if (flush == Z_NO_FLUSH && stream_.avail_in == 0 && stream_.avail_out > 0) return;
    if (result == Z_BUF_ERROR && stream_.avail_out > 0) writeError();
  }
}

void PngIdatWriter::writeBufferedChunk() {
  const std::size_t used = buffer_.size() - stream_.avail_out;
  if (used == 0) return;
  out_.WriteChunk("IDAT", buffer_.data(), used);
  stream_.next_out = buffer_.data();
  stream_.avail_out = uInt(buffer_.size());
}
