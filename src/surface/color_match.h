#pragma once
// Which raw values of a bitmap show exactly a given colour. Flood fills and transparent copies
// compare colours, not raw values: on an indexed bitmap every palette index whose entry is the
// colour matches (a palette may hold a colour twice), on the other formats the one raw value
// that reads back as the colour, if there is one.
#include <array>
#include <cstdint>

#include "surface/bitmap.h"

class RawColorMatch {
 public:
  // clInvalid matches nothing; system colours are resolved first.
  RawColorMatch(const TBitmap& bmp, TColor c);

  bool operator()(std::uint32_t raw) const { return indexed_ ? raw < 256 && table_[raw] : raw == key_; }
  // For formats that are not indexed: the one matching raw value, or kNoRaw.
  std::uint32_t Key() const { return key_; }
  bool Indexed() const { return indexed_; }

  // Greater than any raw value, so nothing equals it.
  static constexpr std::uint32_t kNoRaw = 0xFFFFFFFFu;

 private:
  bool indexed_ = false;
  std::uint32_t key_ = kNoRaw;
  std::array<bool, 256> table_{};
};
