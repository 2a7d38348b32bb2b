// The picture's ways into the decoder: a PNG file in memory or a file by path.
#include "png/png_decoder.h"

std::size_t VIRAVIZ::LoadFromStream(const std::uint8_t* data, std::size_t size) {
  PngByteReader in(data, size);
  PngDecoder(in, *this, false).Run();
  return std::size_t(in.Position());
}

void VIRAVIZ::LoadFromFile(const std::string& path) {
  PngByteReader in(path);
  PngDecoder(in, *this, false).Run();
}
