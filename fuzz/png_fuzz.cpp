// libFuzzer target of the PNG decoder (see png_fuzz_entry.h).
#include <cstdlib>

#include "png_fuzz_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (!PngDecodeHolds(data, size)) std::abort();
  return 0;
}
