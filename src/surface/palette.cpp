#include "surface/palette.h"

#include <cmath>

namespace {

const TColor kStandard16[16] = {
    RGB(0, 0, 0),       RGB(0x80, 0, 0),    RGB(0, 0x80, 0),    RGB(0x80, 0x80, 0),
    RGB(0, 0, 0x80),    RGB(0x80, 0, 0x80), RGB(0, 0x80, 0x80), RGB(0x80, 0x80, 0x80),
    RGB(0xC0, 0xC0, 0xC0), RGB(0xFF, 0, 0), RGB(0, 0xFF, 0),    RGB(0xFF, 0xFF, 0),
    RGB(0, 0, 0xFF),    RGB(0xFF, 0, 0xFF), RGB(0, 0xFF, 0xFF), RGB(0xFF, 0xFF, 0xFF)};

std::vector<TColor> default256() {
  std::vector<TColor> e(kStandard16, kStandard16 + 16);
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b) e.push_back(RGB(uint8_t(r * 51), uint8_t(g * 51), uint8_t(b * 51)));
  for (int k = 0; k < 24; ++k) {
    auto v = uint8_t(std::lround((k + 1) * 255.0 / 24));
    e.push_back(RGB(v, v, v));
  }
  return e;
}

int distance2(TColor a, TColor b) {
  int dr = int(GetRValue(a)) - GetRValue(b);
  int dg = int(GetGValue(a)) - GetGValue(b);
  int db = int(GetBValue(a)) - GetBValue(b);
  return dr * dr + dg * dg + db * db;
}

}  // namespace

TPalette::TPalette(std::vector<TColor> entries) : entries_(std::move(entries)) {
  for (auto& c : entries_) c &= 0x00FFFFFF;
}

TPalette TPalette::Default(TPixelFormat f) {
  switch (f) {
    case pf1bit: return TPalette({clBlack, clWhite});
    case pf4bit: return TPalette(std::vector<TColor>(kStandard16, kStandard16 + 16));
    case pf8bit: return TPalette(default256());
    default: return TPalette();
  }
}

int TPalette::Nearest(TColor c) const {
  c &= 0x00FFFFFF;
  CacheSlot& slot = cache_[(c * 2654435761u) >> 26];
  if (slot.color == c) return slot.index;
  int best = 0;
  int bestDistance = 1 << 30;
  for (int i = 0; i < Count(); ++i) {
    int d = distance2(c, entries_[i]);
    if (d < bestDistance) {
      bestDistance = d;
      best = i;
      if (d == 0) break;
    }
  }
  slot = CacheSlot{c, best};
  return best;
}

int TPalette::Find(TColor c) const {
  c &= 0x00FFFFFF;
  for (int i = 0; i < Count(); ++i)
    if (entries_[i] == c) return i;
  return -1;
}
