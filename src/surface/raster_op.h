#pragma once
// Three-operand raster operations of copies. Bit k of the operation byte, k = 4P + 2S + D, is
// the result for pattern, source and destination bits P, S and D; the operation is applied to
// every bit of raw values (palette indices on indexed bitmaps).
#include <cstdint>

#include "surface/canvas_types.h"

class Rop3 {
 public:
  // The copies the program makes all the time, which get loops of their own.
  enum Kind { kCopy, kXor, kOr, kAnd, kWhite, kOther };

  explicit Rop3(TCopyMode mode);

  Kind kind() const { return kind_; }
  std::uint8_t Code() const { return code_; }
  bool UsesPattern() const { return ((code_ >> 4) & 0x0F) != (code_ & 0x0F); }
  bool UsesSource() const { return ((code_ >> 2) & 0x33) != (code_ & 0x33); }

  // The result for all 32 bits at once; callers mask it to their format. For WHITENESS this is
  // all ones, which is not white on every format: copies store the format's white instead.
  std::uint32_t Apply(std::uint32_t p, std::uint32_t s, std::uint32_t d) const;

 private:
  std::uint8_t code_;
  Kind kind_;
};

// Combines n 32-bit pixels d[i] with source values s[i] for kinds kCopy, kXor, kOr and kAnd;
// kWhite stores white and reads no source. Where keep is given, pixels with keep[i] == 0 stay as
// they are; keep[i] is otherwise all ones.
void CombineRow32(Rop3::Kind kind, std::uint32_t* d, const std::uint32_t* s, const std::uint32_t* keep,
                  int n, std::uint32_t white);

// keep[i] = all ones where s[i] != key, else 0: the keep mask of CombineRow32.
void KeepUnlessEqual(const std::uint32_t* s, std::uint32_t key, std::uint32_t* keep, int n);
