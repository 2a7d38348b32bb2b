// Files that promise more than they hold: each is opened in a child process whose peak
// resident memory is measured. None may cost anything near the picture it claims.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "document/picture_loader.h"
#include "png/png_test_writer.h"
#include "surface/surface_error.h"

namespace fs = std::filesystem;

namespace {

struct Outcome {
  bool loaded;
  int width;
  long peakKb;
};

// Opens path in a child; the child's exit code tells whether the picture loaded, and its width.
Outcome OpenInChild(const std::string& path) {
  const pid_t child = ::fork();
  if (child == 0) {
    TBitmap picture;
    try {
      LoadPicture(path, picture);
    } catch (const ESurfaceError&) {
      ::_exit(0);
    }
    ::_exit(1 + std::min(picture.Width(), 100));
  }
  int status = 0;
  rusage usage{};
  ::wait4(child, &status, 0, &usage);
  EXPECT_TRUE(WIFEXITED(status)) << path;
  const int code = WEXITSTATUS(status);
  return Outcome{code != 0, code - 1, usage.ru_maxrss};
}

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

void PutLe(std::vector<std::uint8_t>& out, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(std::uint8_t(v >> (8 * i)));
}

// A BMP header: file header and BITMAPINFOHEADER for width x height at bits, compression,
// then the palette of colours entries.
std::vector<std::uint8_t> BmpHead(int width, int height, int bits, int compression, int colors) {
  std::vector<std::uint8_t> b{'B', 'M'};
  PutLe(b, 0, 4);  // file size: not needed
  PutLe(b, 0, 4);
  PutLe(b, 14 + 40 + 4 * std::uint32_t(colors), 4);
  PutLe(b, 40, 4);
  PutLe(b, std::uint32_t(width), 4);
  PutLe(b, std::uint32_t(height), 4);
  PutLe(b, 1, 2);
  PutLe(b, std::uint32_t(bits), 2);
  PutLe(b, std::uint32_t(compression), 4);
  for (int i = 0; i < 5; ++i) PutLe(b, 0, 4);
  for (int i = 0; i < colors; ++i) PutLe(b, std::uint32_t(i * 0x010101), 4);
  return b;
}

}  // namespace

TEST(HostileFiles, HugeClaimsCostNoMemoryAndHugeFilesAreNotReadWhole) {
  const fs::path dir = fs::temp_directory_path() / ("zudozo-hostile-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  constexpr long kLimitKb = 150 * 1024;

  // A 70-byte PNG for 16000 x 16000 whose image data end after one row.
  PngBytes png = PngSignature();
  PutChunk(png, "IHDR", IhdrData(16000, 16000, 8, 2));
  PutChunk(png, "IDAT", {0x78, 0x9C, 0x63, 0x60, 0x00, 0x00});
  PutChunk(png, "IEND", {});
  WriteFile((dir / "huge.png").string(), png);

  // A 1 KB RLE8 BMP for 16000 x 16000: a few runs, then the end of the picture.
  std::vector<std::uint8_t> rle = BmpHead(16000, 16000, 8, 1, 256);
  while (rle.size() < 1022) rle.insert(rle.end(), {255, 7});
  rle.insert(rle.end(), {0, 1});
  WriteFile((dir / "huge.bmp").string(), rle);

  // A 3 GB sparse file that holds a 4 x 4 24-bit BMP at its start.
  std::vector<std::uint8_t> small = BmpHead(4, 4, 24, 0, 0);
  small.resize(small.size() + 4 * 12, 0x80);
  const std::string sparse = (dir / "sparse.bmp").string();
  WriteFile(sparse, small);
  ASSERT_EQ(::truncate(sparse.c_str(), off_t(3) << 30), 0);

  // A TIFF for 16000 x 16000 RGB whose one strip ends after a few bytes.
  std::vector<std::uint8_t> tiff{'I', 'I', 42, 0};
  PutLe(tiff, 8, 4);
  const std::uint32_t tags[][3] = {{256, 4, 16000}, {257, 4, 16000}, {258, 3, 8}, {259, 3, 1}, {262, 3, 2},
                                   {273, 4, 200}, {277, 3, 3}, {278, 4, 16000}, {279, 4, 16000u * 16000u * 3u}};
  PutLe(tiff, 9, 2);
  for (const auto& t : tags) {
    PutLe(tiff, t[0], 2), PutLe(tiff, t[1], 2), PutLe(tiff, 1, 4);
    PutLe(tiff, t[2], 4);
  }
  PutLe(tiff, 0, 4);
  tiff.resize(300, 0x80);
  WriteFile((dir / "huge.tif").string(), tiff);

  // A GIF whose screen is 16000 x 16000, with one frame that covers it and ends at once.
  std::vector<std::uint8_t> gif{'G', 'I', 'F', '8', '9', 'a'};
  PutLe(gif, 16000, 2), PutLe(gif, 16000, 2);
  gif.insert(gif.end(), {0xF0, 0, 0, 0, 0, 0, 255, 255, 255, ','});
  PutLe(gif, 0, 4), PutLe(gif, 16000, 2), PutLe(gif, 16000, 2);
  gif.insert(gif.end(), {0, 2, 2, 0x4C, 0x01, 0});
  WriteFile((dir / "huge.gif").string(), gif);

  // A TGA for 16000 x 16000 at 32 bits with a few pixels.
  std::vector<std::uint8_t> tga(18, 0);
  tga[2] = 2, tga[16] = 32;
  tga[12] = 16000 & 255, tga[13] = 16000 >> 8, tga[14] = 16000 & 255, tga[15] = 16000 >> 8;
  tga.resize(1000, 0x40);
  WriteFile((dir / "huge.tga").string(), tga);

  struct Case { const char* name; bool loads; };
  for (const Case c : {Case{"huge.png", false}, Case{"huge.bmp", false}, Case{"sparse.bmp", true},
                       Case{"huge.tif", false}, Case{"huge.gif", false}, Case{"huge.tga", false}}) {
    const Outcome o = OpenInChild((dir / c.name).string());
    EXPECT_EQ(o.loaded, c.loads) << c.name;
    if (c.loads) {
      EXPECT_EQ(o.width, 4) << c.name;
    }
#ifndef __SANITIZE_ADDRESS__  // the sanitizer's shadow of a large allocation is memory of its own
    EXPECT_LT(o.peakKb, kLimitKb) << c.name;
#endif
  }
  fs::remove_all(dir);
}
