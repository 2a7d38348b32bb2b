// Bands: each is compressed on its own as a raw deflate stream. Every band but the last then
// loses its final mark and is closed with an empty stored block, the byte-aligned joint a
// stream flush makes, so the next band starts on a byte. Each band starts without the
// previous band's last 32 KB to refer back to, which costs a few bytes in megabytes.
#include "png/png_zlib_stream.h"

#include <libdeflate.h>
#include <zlib.h>

#include <algorithm>
#include <memory>
#include <thread>

#include "png/deflate_block_walk.h"
#include "png/viraviz.h"

namespace {

constexpr std::size_t kMinBandBytes = std::size_t(4) << 20;

[[noreturn]] void writeError() { throw DEZOZIR("Write Image (PNG): Write Error"); }

struct Band {
  const std::uint8_t* data;
  std::size_t size;
  std::vector<std::uint8_t> deflated;
  std::uint32_t adler = 1;
  bool ok = false;
};

// Compresses one band; a band that is not the last one is made to end on a joint.
void compressBand(Band& band, int level, bool last) {
  std::unique_ptr<libdeflate_compressor, decltype(&libdeflate_free_compressor)> compressor(
      libdeflate_alloc_compressor(level), &libdeflate_free_compressor);
  if (!compressor) return;
  band.adler = std::uint32_t(libdeflate_adler32(1, band.data, band.size));
  band.deflated.resize(libdeflate_deflate_compress_bound(compressor.get(), band.size) + 8);
  const std::size_t n = libdeflate_deflate_compress(compressor.get(), band.data, band.size,
                                                    band.deflated.data(), band.deflated.size() - 8);
  if (n == 0) return;
  band.deflated.resize(n);
  if (!last) {
    const auto block = FindLastDeflateBlock(band.deflated.data(), n);
    if (!block) return;
    band.deflated[block->headerBit / 8] &= std::uint8_t(~(1u << (block->headerBit % 8)));
    // An empty stored block: three zero header bits, zero bits to the byte, LEN 0, NLEN 0xFFFF.
    const std::size_t joint = (block->endBit + 3 + 7) / 8;
    band.deflated.resize(joint + 4);
    const std::size_t endByte = block->endBit / 8;
    band.deflated[endByte] &= std::uint8_t((1u << (block->endBit % 8)) - 1);
    std::fill(band.deflated.begin() + std::ptrdiff_t(endByte) + 1, band.deflated.end(), 0);
    band.deflated[joint + 2] = 0xFF;
    band.deflated[joint + 3] = 0xFF;
  }
  band.ok = true;
}

// zlib's own header for a level: deflate with a 32 KB window, the level's two bits, the check.
void putHeader(std::vector<std::uint8_t>& out, int zlibLevel) {
  const int levelBits = zlibLevel < 2 ? 0 : zlibLevel < 6 ? 1 : zlibLevel == 6 ? 2 : 3;
  const int cmf = 0x78;
  int flg = levelBits << 6;
  flg += 31 - (cmf * 256 + flg) % 31;
  out.push_back(std::uint8_t(cmf));
  out.push_back(std::uint8_t(flg));
}

}  // namespace

int CompressorLevelOf(int zlibLevel) {
  if (zlibLevel <= 1) return 1;
  if (zlibLevel >= 9) return 12;
  return 6;
}

std::vector<std::uint8_t> CompressZlibStream(const std::uint8_t* data, std::size_t size, int zlibLevel,
                                             std::size_t bandsWanted) {
  const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
  const std::size_t bandCount =
      bandsWanted > 0 ? std::min(bandsWanted, std::max<std::size_t>(size, 1)) : std::clamp<std::size_t>(size / kMinBandBytes, 1, cores);
  // Every band but the last is walked once more to find its end, which costs about a third of
  // compressing it; the last band takes that much more data so that all finish together.
  constexpr std::size_t kBandWeight = 3, kLastBandWeight = 4;
  const std::size_t totalWeight = (bandCount - 1) * kBandWeight + kLastBandWeight;
  std::vector<Band> bands(bandCount);
  for (std::size_t i = 0; i < bandCount; ++i) {
    const std::size_t from = size / totalWeight * (i * kBandWeight);
    const std::size_t to = i + 1 == bandCount ? size : size / totalWeight * ((i + 1) * kBandWeight);
    bands[i].data = data + from;
    bands[i].size = to - from;
  }
  const int level = CompressorLevelOf(zlibLevel);
  {
    std::vector<std::jthread> helpers;
    for (std::size_t i = 1; i < bandCount; ++i)
      helpers.emplace_back([&bands, i, level, bandCount] { compressBand(bands[i], level, i + 1 == bandCount); });
    compressBand(bands[0], level, bandCount == 1);
  }
  std::vector<std::uint8_t> out;
  std::size_t total = 6;
  for (const Band& band : bands) {
    if (!band.ok) writeError();
    total += band.deflated.size();
  }
  out.reserve(total);
  putHeader(out, zlibLevel);
  std::uint32_t adler = bands[0].adler;
  for (std::size_t i = 0; i < bandCount; ++i) {
    out.insert(out.end(), bands[i].deflated.begin(), bands[i].deflated.end());
    if (i > 0) adler = std::uint32_t(adler32_combine(adler, bands[i].adler, z_off_t(bands[i].size)));
  }
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(std::uint8_t(adler >> shift));
  return out;
}
