#include "surface/pixel_format.h"

int BitsPerPixel(TPixelFormat f) {
  switch (f) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf15bit:
    case pf16bit: return 16;
    case pf24bit: return 24;
    case pfDevice:
    case pf32bit: return 32;
  }
  return 32;
}
