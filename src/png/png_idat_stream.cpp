#include "png/png_idat_stream.h"

#include <algorithm>
#include <cstring>

#include "png/viraviz.h"

namespace {

constexpr std::uint32_t kIdat = 0x49444154;  // "IDAT"

}  // namespace

void ThrowPngReadError() { throw DEZOZIR("Read Image (PNG): Read Error"); }

PngIdatStream::PngIdatStream(PngByteReader& in, std::uint32_t& chunkLeft) : in_(in), chunkLeft_(chunkLeft) {
  if (inflateInit(&z_) != Z_OK) throw DEZOZIR("PNG LoadStream: Error ZLIB");
}

PngIdatStream::~PngIdatStream() { inflateEnd(&z_); }

// Points the inflater at the next unread bytes of image data.
void PngIdatStream::feed() {
  while (chunkLeft_ == 0) {
    in_.Skip(4);  // the used-up chunk's CRC, not checked
    const std::uint32_t length = in_.ReadU32();
    if (in_.ReadU32() != kIdat || in_.PastEnd()) ThrowPngReadError();
    chunkLeft_ = length;
  }
  const std::span<const std::uint8_t> got = in_.Peek(std::min<std::uint32_t>(chunkLeft_, 1u << 30));
  if (got.empty()) ThrowPngReadError();
  z_.next_in = const_cast<Bytef*>(got.data());
  z_.avail_in = uInt(got.size());
}

void PngIdatStream::Inflate(std::uint8_t* dst, std::size_t n) {
  if (inflated_) {
    std::memcpy(dst, inflated_, n);
    inflated_ += n;
    return;
  }
  z_.next_out = dst;
  z_.avail_out = uInt(n);
  while (z_.avail_out > 0) {
    if (z_.avail_in == 0) feed();
    const uInt before = z_.avail_in;
    const int status = inflate(&z_, Z_NO_FLUSH);
    const uInt used = before - z_.avail_in;
    in_.Consume(used);
    chunkLeft_ -= used;
    if (status == Z_STREAM_END ? z_.avail_out > 0 : status != Z_OK) ThrowPngReadError();
  }
}
