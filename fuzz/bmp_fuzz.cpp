// libFuzzer target of the bitmap reader and writer (see bmp_fuzz_entry.h).
#include <cstdlib>

#include "bmp_fuzz_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (!BmpRoundTripHolds(data, size)) std::abort();
  return 0;
}
