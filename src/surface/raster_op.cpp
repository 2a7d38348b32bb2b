#include "surface/raster_op.h"

#include <algorithm>
#include <cstring>

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

// Four pixels at a time in vector registers (GCC and Clang vector extensions).
using Pixels4 = std::uint32_t __attribute__((vector_size(16)));

Pixels4 load4(const std::uint32_t* p) {
  Pixels4 v;
  std::memcpy(&v, p, sizeof v);
  return v;
}
void store4(std::uint32_t* p, Pixels4 v) { std::memcpy(p, &v, sizeof v); }

// op(d, s) gives new pixels, for one pixel and for four alike. Pixels whose keep mask is zero
// keep their value.
template <class Op>
void combine(std::uint32_t* d, const std::uint32_t* s, const std::uint32_t* keep, int n, Op op) {
  int i = 0;
  if (keep) {
    for (; i + 4 <= n; i += 4) {
      const Pixels4 dv = load4(d + i), m = load4(keep + i);
      store4(d + i, (op(dv, load4(s + i)) & m) | (dv & ~m));
    }
    for (; i < n; ++i) d[i] = (op(d[i], s[i]) & keep[i]) | (d[i] & ~keep[i]);
  } else {
    for (; i + 4 <= n; i += 4) store4(d + i, op(load4(d + i), load4(s + i)));
    for (; i < n; ++i) d[i] = op(d[i], s[i]);
  }
}

}  // namespace

void KeepUnlessEqual(const std::uint32_t* s, std::uint32_t key, std::uint32_t* keep, int n) {
  int i = 0;
  for (; i + 4 <= n; i += 4) store4(keep + i, Pixels4(load4(s + i) != key));
  for (; i < n; ++i) keep[i] = s[i] != key ? ~0u : 0;
}

void CombineRow32(Rop3::Kind kind, std::uint32_t* d, const std::uint32_t* s, const std::uint32_t* keep,
                  int n, std::uint32_t white) {
  switch (kind) {
    case Rop3::kCopy:
      if (!keep) {
        std::copy(s, s + n, d);
        return;
      }
      combine(d, s, keep, n, [](auto, auto v) { return v; });
      return;
    case Rop3::kXor: combine(d, s, keep, n, [](auto a, auto v) { return a ^ v; }); return;
    case Rop3::kOr: combine(d, s, keep, n, [](auto a, auto v) { return a | v; }); return;
    case Rop3::kAnd: combine(d, s, keep, n, [](auto a, auto v) { return a & v; }); return;
    case Rop3::kWhite:
      if (!keep) {
        std::fill(d, d + n, white);
        return;
      }
      combine(d, d, keep, n, [white](auto a, auto) { return (a & 0) | white; });  // no source
      return;
    case Rop3::kOther: return;
  }
}
