#include "surface/raster_op.h"

#include <algorithm>

Rop3::Rop3(TCopyMode mode) : code_(std::uint8_t(mode >> 16)) {
  switch (code_) {
    case 0xCC: kind_ = kCopy; break;
    case 0x66: kind_ = kXor; break;
    case 0xEE: kind_ = kOr; break;
    case 0x88: kind_ = kAnd; break;
    case 0xFF: kind_ = kWhite; break;
    default: kind_ = kOther; break;
  }
}

std::uint32_t Rop3::Apply(std::uint32_t p, std::uint32_t s, std::uint32_t d) const {
  switch (kind_) {
    case kCopy: return s;
    case kXor: return s ^ d;
    case kOr: return s | d;
    case kAnd: return s & d;
    case kWhite: return ~0u;
    case kOther: break;
  }
  std::uint32_t r = 0;
  for (int k = 0; k < 8; ++k) {
    if (!((code_ >> k) & 1)) continue;
    r |= ((k & 4) ? p : ~p) & ((k & 2) ? s : ~s) & ((k & 1) ? d : ~d);
  }
  return r;
}

namespace {

// One loop per operation so that the compiler vectorises each; op(d, s) gives the new pixel.
template <class Op>
void combine(std::uint32_t* d, const std::uint32_t* s, const std::uint8_t* keep, int n, Op op) {
  if (keep) {
    for (int i = 0; i < n; ++i) d[i] = keep[i] ? op(d[i], s[i]) : d[i];
  } else {
    for (int i = 0; i < n; ++i) d[i] = op(d[i], s[i]);
  }
}

}  // namespace

void CombineRow32(Rop3::Kind kind, std::uint32_t* d, const std::uint32_t* s, const std::uint8_t* keep,
                  int n, std::uint32_t white) {
  switch (kind) {
    case Rop3::kCopy:
      if (!keep) {
        std::copy(s, s + n, d);
        return;
      }
      combine(d, s, keep, n, [](std::uint32_t, std::uint32_t v) { return v; });
      return;
    case Rop3::kXor: combine(d, s, keep, n, [](std::uint32_t a, std::uint32_t v) { return a ^ v; }); return;
    case Rop3::kOr: combine(d, s, keep, n, [](std::uint32_t a, std::uint32_t v) { return a | v; }); return;
    case Rop3::kAnd: combine(d, s, keep, n, [](std::uint32_t a, std::uint32_t v) { return a & v; }); return;
    case Rop3::kWhite:
      for (int i = 0; i < n; ++i)
        if (!keep || keep[i]) d[i] = white;
      return;
    case Rop3::kOther: return;
  }
}
