// Decodes symbols only to skip them: Huffman codes are looked up in one table indexed by as
// many bits as the block's longest code, lengths and distances skip their extra bits, and no
// byte of output is made.
#include "png/deflate_block_walk.h"

#include <array>
#include <vector>

namespace {

constexpr int kMaxCodeBits = 15;
constexpr int kEndOfBlock = 256;

constexpr std::array<std::uint8_t, 29> kLengthExtra{0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                    2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<std::uint8_t, 30> kDistanceExtra{0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                                      6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

// Reads bits low first through a 64-bit buffer refilled eight bytes at a time; past the end of
// the data it reads zeros and counts them, so a cut-off stream shows as an overrun.
class BitReader {
 public:
  BitReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) { refill(); }

  std::size_t Position() const { return next_ * 8 - std::size_t(count_); }
  bool Overrun() const { return Position() > size_ * 8; }

  // The next n bits (n <= 32) without consuming them.
  std::uint32_t Peek(int n) {
    if (count_ < 32) refill();
    return std::uint32_t(buffer_ & ((std::uint64_t(1) << n) - 1));
  }
  void Skip(int n) {
    if (count_ < n) refill();
    buffer_ >>= n;
    count_ -= n;
  }
  std::uint32_t Take(int n) {
    const std::uint32_t v = Peek(n);
    Skip(n);
    return v;
  }
  void AlignToByte() { Skip(count_ & 7); }
  // Skips n whole bytes at a byte boundary.
  void SkipBytes(std::size_t n) {
    const std::size_t target = Position() + n * 8;
    next_ = target / 8;
    buffer_ = 0;
    count_ = 0;
    refill();
  }

 private:
  void refill() {
    while (count_ <= 56) {
      const std::uint64_t byte = next_ < size_ ? data_[next_] : 0;
      buffer_ |= byte << count_;
      ++next_;
      count_ += 8;
    }
  }

  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t next_ = 0;  // the next byte to load into the buffer
  std::uint64_t buffer_ = 0;
  int count_ = 0;  // bits in the buffer
};

// A canonical Huffman code as a table of the first kPrimaryBits bits, small enough to stay in
// the nearest cache, with a second-level table for each first part of the longer codes.
// Entry: symbol << 4 | code length, or kSubtable | the offset of a second-level table.
class HuffmanTable {
 public:
  static constexpr int kPrimaryBits = 10;
  static constexpr std::uint32_t kSubtable = 0x80000000u;
  static constexpr std::uint32_t kUnused = 0;

  // False when the lengths do not form a usable code.
  bool Build(const std::uint8_t* lengths, int count) {
    std::array<int, kMaxCodeBits + 1> perLength{};
    maxBits_ = 0;
    for (int s = 0; s < count; ++s) {
      ++perLength[lengths[s]];
      if (lengths[s] > maxBits_) maxBits_ = lengths[s];
    }
    if (maxBits_ == 0) return true;  // no codes: a block that never uses them
    perLength[0] = 0;
    std::array<int, kMaxCodeBits + 2> next{};
    int code = 0;
    for (int len = 1; len <= kMaxCodeBits; ++len) {
      code = (code + perLength[len - 1]) << 1;
      next[len] = code;
    }
    primaryBits_ = maxBits_ < kPrimaryBits ? maxBits_ : kPrimaryBits;
    subBits_ = maxBits_ - primaryBits_;
    table_.assign(std::size_t(1) << primaryBits_, kUnused);
    for (int s = 0; s < count; ++s) {
      const int len = lengths[s];
      if (len == 0) continue;
      const int c = next[len]++;
      if (c >= (1 << len)) return false;
      std::uint32_t reversed = 0;
      for (int i = 0; i < len; ++i) reversed |= std::uint32_t((c >> i) & 1) << (len - 1 - i);
      place(reversed, len, std::uint32_t(s) << 4 | std::uint32_t(len));
    }
    return true;
  }

  // The next symbol, or -1 for a code that the table does not hold.
  int Decode(BitReader& in) const {
    if (maxBits_ == 0) return -1;
    const std::uint32_t bits = in.Peek(maxBits_);
    std::uint32_t entry = table_[bits & ((1u << primaryBits_) - 1)];
    if (entry & kSubtable) entry = table_[(entry & ~kSubtable) + ((bits >> primaryBits_) & ((1u << subBits_) - 1))];
    if (entry == kUnused) return -1;
    in.Skip(int(entry & 15));
    return int(entry >> 4);
  }

 private:
  void place(std::uint32_t reversed, int len, std::uint32_t entry) {
    if (len <= primaryBits_) {
      for (std::uint32_t fill = reversed; fill < (1u << primaryBits_); fill += 1u << len) table_[fill] = entry;
      return;
    }
    const std::uint32_t first = reversed & ((1u << primaryBits_) - 1);
    if (!(table_[first] & kSubtable)) {
      table_[first] = kSubtable | std::uint32_t(table_.size());
      table_.resize(table_.size() + (std::size_t(1) << subBits_), kUnused);
    }
    const std::uint32_t base = table_[first] & ~kSubtable;
    const int rest = len - primaryBits_;
    for (std::uint32_t fill = reversed >> primaryBits_; fill < (1u << subBits_); fill += 1u << rest)
      table_[base + fill] = entry;
  }

  std::vector<std::uint32_t> table_;
  int maxBits_ = 0;
  int primaryBits_ = 0;
  int subBits_ = 0;
};

bool BuildFixedTables(HuffmanTable& literals, HuffmanTable& distances) {
  std::array<std::uint8_t, 288> lengths{};
  for (int s = 0; s < 288; ++s) lengths[std::size_t(s)] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
  std::array<std::uint8_t, 30> distanceLengths;
  distanceLengths.fill(5);
  return literals.Build(lengths.data(), 288) && distances.Build(distanceLengths.data(), 30);
}

bool ReadDynamicTables(BitReader& in, HuffmanTable& literals, HuffmanTable& distances) {
  static constexpr std::array<int, 19> kOrder{16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
  const int literalCount = int(in.Take(5)) + 257;
  const int distanceCount = int(in.Take(5)) + 1;
  const int codeLengthCount = int(in.Take(4)) + 4;
  std::array<std::uint8_t, 19> codeLengths{};
  for (int i = 0; i < codeLengthCount; ++i) codeLengths[std::size_t(kOrder[std::size_t(i)])] = std::uint8_t(in.Take(3));
  HuffmanTable lengthCode;
  if (!lengthCode.Build(codeLengths.data(), 19)) return false;
  std::array<std::uint8_t, 320> lengths{};
  for (int n = 0; n < literalCount + distanceCount;) {
    const int symbol = lengthCode.Decode(in);
    if (symbol < 0 || in.Overrun()) return false;
    if (symbol < 16) {
      lengths[std::size_t(n++)] = std::uint8_t(symbol);
      continue;
    }
    if (symbol == 16 && n == 0) return false;
    const std::uint8_t repeated = symbol == 16 ? lengths[std::size_t(n - 1)] : 0;
    const int times = symbol == 16 ? 3 + int(in.Take(2)) : symbol == 17 ? 3 + int(in.Take(3)) : 11 + int(in.Take(7));
    if (n + times > literalCount + distanceCount) return false;
    for (int i = 0; i < times; ++i) lengths[std::size_t(n++)] = repeated;
  }
  if (lengths[kEndOfBlock] == 0) return false;
  return literals.Build(lengths.data(), literalCount) &&
         distances.Build(lengths.data() + literalCount, distanceCount);
}

// Skips the symbols of one Huffman block up to and including its end-of-block code.
bool SkipCodedBlock(BitReader& in, const HuffmanTable& literals, const HuffmanTable& distances) {
  for (;;) {
    const int symbol = literals.Decode(in);
    if (symbol < 0 || in.Overrun()) return false;
    if (symbol < kEndOfBlock) continue;
    if (symbol == kEndOfBlock) return true;
    if (symbol > 285) return false;
    in.Skip(kLengthExtra[std::size_t(symbol - 257)]);
    const int distance = distances.Decode(in);
    if (distance < 0 || distance >= 30) return false;
    in.Skip(kDistanceExtra[std::size_t(distance)]);
  }
}

}  // namespace

std::optional<TDeflateLastBlock> FindLastDeflateBlock(const std::uint8_t* data, std::size_t size) {
  BitReader in(data, size);
  HuffmanTable literals, distances;
  for (;;) {
    const std::size_t header = in.Position();
    const bool final = in.Take(1) != 0;
    const std::uint32_t type = in.Take(2);
    if (type == 0) {
      in.AlignToByte();
      const std::uint32_t length = in.Take(16);
      if ((in.Take(16) ^ 0xFFFF) != length) return std::nullopt;
      in.SkipBytes(length);
    } else if (type == 1) {
      if (!BuildFixedTables(literals, distances) || !SkipCodedBlock(in, literals, distances)) return std::nullopt;
    } else if (type == 2) {
      if (!ReadDynamicTables(in, literals, distances) || !SkipCodedBlock(in, literals, distances)) return std::nullopt;
    } else {
      return std::nullopt;
    }
    if (in.Overrun()) return std::nullopt;
    if (final) return TDeflateLastBlock{header, in.Position()};
  }
}
