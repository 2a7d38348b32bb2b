#include "surface/utf8.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The length of the sequence a lead byte starts and the payload bits it carries; 0 for bytes
// that cannot start one.
int sequenceLength(unsigned char lead, char32_t& bits) {
  if (lead < 0x80) { bits = lead; return 1; }
  if (lead >= 0xC2 && lead < 0xE0) { bits = lead & 0x1F; return 2; }
  if (lead >= 0xE0 && lead < 0xF0) { bits = lead & 0x0F; return 3; }
  if (lead >= 0xF0 && lead < 0xF5) { bits = lead & 0x07; return 4; }
  return 0;
}

bool wellFormed(char32_t c, int length) {
  static constexpr char32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
  return c >= kSmallest[length] && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
}

}  // namespace

std::u32string DecodeUtf8(const std::string& utf8) {
  std::u32string out;
  out.reserve(utf8.size());
  const std::size_t n = utf8.size();
  std::size_t i = 0;
  while (i < n) {
    char32_t c = 0;
    const int length = sequenceLength(static_cast<unsigned char>(utf8[i]), c);
    int taken = 1;
    while (taken < length && i + taken < n && (static_cast<unsigned char>(utf8[i + taken]) & 0xC0) == 0x80) {
      c = (c << 6) | (static_cast<unsigned char>(utf8[i + taken]) & 0x3F);
      ++taken;
    }
    if (length != 0 && taken < length) {
      // A sequence cut short is one unreadable character.
      out.push_back(kReplacement);
      i += std::size_t(taken);
    } else if (length == 0 || !wellFormed(c, length)) {
      out.push_back(kReplacement);
      i += 1;
    } else {
      out.push_back(c);
      i += std::size_t(length);
    }
  }
  return out;
}
