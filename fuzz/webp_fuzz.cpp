// libFuzzer target of the WebP reader and writer (see
// picture_formats_fuzz_entry.h).
#include <cstdlib>

#include "picture_formats_fuzz_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (!PictureRoundTripHolds(TFuzzedFormat::Webp, data, size)) std::abort();
  return 0;
}
