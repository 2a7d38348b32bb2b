// libFuzzer target of the JPEG reader and writer (see jpeg_fuzz_entry.h).
#include <cstdlib>

#include "jpeg_fuzz_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (!JpegRoundTripHolds(data, size)) std::abort();
  return 0;
}
