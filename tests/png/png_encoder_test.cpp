// PNG files written by VIRAVIZ: their chunks taken apart byte by byte, and their pixels read
// back with libpng.
#include <gtest/gtest.h>
#include <unistd.h>

#include <ctime>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>

#include "document/bmp_png_reference.h"
#include "png/png_file_parts.h"

namespace {

const TPixelFormat kAllFormats[] = {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfDevice};

// A picture of random colours; indexed formats keep their default palettes.
void fillRandom(TBitmap& image, TPixelFormat format, int width, int height, unsigned seed) {
  image.SetPixelFormat(format);
  image.SetSize(width, height);
  std::mt19937 rng(seed);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.SetPixel(x, y, rng() & 0xFFFFFF);
}

// The file as libpng reads it; false when libpng refuses it.
bool readBack(const Bytes& file, PngReference& pixels) {
  const std::string path = ::testing::TempDir() + "png_encoder_" + std::to_string(::getpid()) + ".png";
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
  const bool read = ReadPngReference(path, pixels);
  ::unlink(path.c_str());
  return read;
}

// The rows a non-interlaced file should hold: filter byte 0, then the row's bytes.
Bytes plainRows(const TBitmap& image, int rowBytes, const std::function<Bytes(const std::uint8_t*)>& row) {
  Bytes rows;
  for (int y = 0; y < image.Height(); ++y) {
    const Bytes r = row(image.Row(y));
    EXPECT_EQ(int(r.size()), rowBytes);
    rows.push_back(0);
    rows.insert(rows.end(), r.begin(), r.end());
  }
  return rows;
}

TEST(PngEncoder, ChunksComeInOrderWithTheirContents) {
  VIRAVIZ rgb;
  fillRandom(rgb.Image, pf24bit, 300, 2, 1);
  const std::time_t before = std::time(nullptr);
  const std::vector<PngChunk> chunks = ParseChunks(SavePng(rgb));
  const std::time_t after = std::time(nullptr);
  EXPECT_EQ(ChunkTypes(chunks), (std::vector<std::string>{"IHDR", "tIME", "tEXt", "tpNg", "IDAT", "IEND"}));
  for (const PngChunk& c : chunks) EXPECT_TRUE(c.crcGood) << c.type;
  EXPECT_EQ(chunks[0].data, (Bytes{0, 0, 1, 44, 0, 0, 0, 2, 8, 2, 0, 0, 0}));
  const char software[] = "Software\0REZIRO ver 3.3";
  EXPECT_EQ(chunks[2].data, Bytes(software, software + 23));
  EXPECT_EQ(chunks[3].data, (Bytes{'Q', 'X', 'V', '3', 0, 0, 0, 0}));
  EXPECT_TRUE(chunks.back().data.empty());

  // tIME holds the UTC time of writing.
  const Bytes& t = chunks[1].data;
  ASSERT_EQ(t.size(), 7u);
  std::tm utc{};
  utc.tm_year = (t[0] << 8 | t[1]) - 1900;
  utc.tm_mon = t[2] - 1;
  utc.tm_mday = t[3];
  utc.tm_hour = t[4];
  utc.tm_min = t[5];
  utc.tm_sec = t[6];
  const std::time_t written = timegm(&utc);
  EXPECT_TRUE(written >= before && written <= after) << written << " not in " << before << ".." << after;

  // Indexed pictures carry their palette, and a transparent colour follows it; 15- and
  // 16-bit pictures say how many bits their channels really have.
  VIRAVIZ indexed;
  fillRandom(indexed.Image, pf4bit, 5, 5, 2);
  indexed.SetTransparentColor(clWhite);
  EXPECT_EQ(ChunkTypes(ParseChunks(SavePng(indexed))),
            (std::vector<std::string>{"IHDR", "tIME", "tEXt", "tpNg", "PLTE", "tRNS", "IDAT", "IEND"}));
  VIRAVIZ fifteen;
  fillRandom(fifteen.Image, pf15bit, 5, 5, 3);
  const std::vector<PngChunk> fifteenChunks = ParseChunks(SavePng(fifteen));
  EXPECT_EQ(ChunkTypes(fifteenChunks), (std::vector<std::string>{"IHDR", "tIME", "tEXt", "tpNg", "sBIT", "IDAT", "IEND"}));
  EXPECT_EQ(fifteenChunks[4].data, (Bytes{5, 5, 5}));
}

TEST(PngEncoder, OneBitRowsAreTheScanlineBytesUnchanged) {
  VIRAVIZ picture;
  fillRandom(picture.Image, pf1bit, 13, 4, 4);
  // The unused low bits of each row's last byte go out as they are.
  for (int y = 0; y < 4; ++y) picture.Image.MutableRow(y)[1] |= 0x05;
  const std::vector<PngChunk> chunks = ParseChunks(SavePng(picture));
  EXPECT_EQ(chunks[0].data, (Bytes{0, 0, 0, 13, 0, 0, 0, 4, 1, 3, 0, 0, 0}));
  EXPECT_EQ(FindChunk(chunks, "PLTE")->data, (Bytes{0, 0, 0, 255, 255, 255}));
  EXPECT_EQ(Inflate(ImageStream(chunks)), plainRows(picture.Image, 2, [](const std::uint8_t* s) { return Bytes(s, s + 2); }));
}

TEST(PngEncoder, WideFormatsBecomeEightBitRgb) {
  // 16 bits: white becomes 255 throughout; the 6-bit green and the 5-bit fields widen by
  // repeating their high bits. sBIT says 5, 6, 5.
  VIRAVIZ sixteen;
  sixteen.Image.SetPixelFormat(pf16bit);
  sixteen.Image.SetSize(3, 1);
  sixteen.Image.SetRaw(0, 0, 0xFFFF);
  sixteen.Image.SetRaw(1, 0, (16u << 11) | (32u << 5) | 1u);
  sixteen.Image.SetRaw(2, 0, 0);
  std::vector<PngChunk> chunks = ParseChunks(SavePng(sixteen));
  EXPECT_EQ(chunks[0].data[8], 8);
  EXPECT_EQ(chunks[0].data[9], 2);
  EXPECT_EQ(FindChunk(chunks, "sBIT")->data, (Bytes{5, 6, 5}));
  EXPECT_EQ(Inflate(ImageStream(chunks)), (Bytes{0, 255, 255, 255, 132, 130, 8, 0, 0, 0}));

  // 32 bits: the fourth byte of each pixel never reaches the file, even when it is not zero.
  VIRAVIZ wide;
  fillRandom(wide.Image, pf32bit, 7, 3, 5);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 7; ++x) wide.Image.MutableRow(y)[4 * x + 3] = 0xAB;
  chunks = ParseChunks(SavePng(wide));
  EXPECT_EQ(chunks[0].data[8], 8);
  EXPECT_EQ(chunks[0].data[9], 2);
  EXPECT_EQ(Inflate(ImageStream(chunks)), plainRows(wide.Image, 21, [](const std::uint8_t* s) {
              Bytes rgb;
              for (int x = 0; x < 7; ++x) rgb.insert(rgb.end(), {s[4 * x + 2], s[4 * x + 1], s[4 * x]});
              return rgb;
            }));
}

TEST(PngEncoder, ImageDataIsCutIntoChunksOfTheIdatSize) {
  // Stored blocks: 100 rows of 301 bytes plus the zlib framing still fit one chunk.
  VIRAVIZ stored;
  fillRandom(stored.Image, pf24bit, 100, 100, 6);
  stored.CompressionLevel = 0;
  std::vector<PngChunk> chunks = ParseChunks(SavePng(stored));
  Bytes stream = ImageStream(chunks);
  EXPECT_EQ(ChunkTypes(chunks), (std::vector<std::string>{"IHDR", "tIME", "tEXt", "tpNg", "IDAT", "IEND"}));
  EXPECT_EQ(stream[0], 0x78);
  EXPECT_EQ(stream[1] >> 6, 0);       // compression level field: fastest (stored)
  EXPECT_EQ((stream[2] >> 1) & 3, 0);  // the first block is a stored block
  EXPECT_EQ(Inflate(stream).size(), 30100u);

  // Three rows of 23328 bytes in stored blocks make a 70,000-byte stream.
  VIRAVIZ big;
  big.Image.SetPixelFormat(pf8bit);
  big.Image.SetSize(23327, 3);
  big.CompressionLevel = 0;
  chunks = ParseChunks(SavePng(big));
  std::vector<std::size_t> sizes;
  for (const PngChunk& c : chunks)
    if (c.type == "IDAT") sizes.push_back(c.data.size());
  EXPECT_EQ(sizes, (std::vector<std::size_t>{32768, 32768, 4464}));
  EXPECT_EQ(Inflate(ImageStream(chunks)).size(), 3u * 23328u);

  // A stream that exactly fills its chunks leaves no empty chunk behind.
  VIRAVIZ exact;
  fillRandom(exact.Image, pf24bit, 150, 150, 7);
  stream = ImageStream(ParseChunks(SavePng(exact)));
  ASSERT_TRUE(stream.size() >= 256 && stream.size() <= 100000) << stream.size();
  exact.IdatSize = std::int32_t(stream.size());
  chunks = ParseChunks(SavePng(exact));
  EXPECT_EQ(ChunkTypes(chunks), (std::vector<std::string>{"IHDR", "tIME", "tEXt", "tpNg", "IDAT", "IEND"}));
  EXPECT_EQ(chunks[4].data, stream);
}

TEST(PngEncoder, IdatSizeOutsideItsRangeWritesNothing) {
  VIRAVIZ picture;
  fillRandom(picture.Image, pf24bit, 4, 4, 8);
  for (std::int32_t size : {255, 100001, -1}) {
    picture.IdatSize = size;
    bool written = false;
    try {
      picture.SaveToStream([&written](const std::uint8_t*, std::size_t) { written = true; });
      ADD_FAILURE() << size << " was taken";
    } catch (const DEZOZIR& e) {
      EXPECT_STREQ(e.what(), "Write PNG Param: Err IDAT Size(min:256  max:100000)");
    }
    EXPECT_FALSE(written);
  }
  for (std::int32_t size : {256, 100000}) {
    picture.IdatSize = size;
    PngReference pixels;
    EXPECT_TRUE(readBack(SavePng(picture), pixels)) << size;
  }

  // Saving to a file: the failed save leaves the file that was there whole.
  const std::string path = ::testing::TempDir() + "png_encoder_" + std::to_string(::getpid()) + ".png";
  std::ofstream(path) << "old picture";
  picture.IdatSize = 50;
  EXPECT_THROW(picture.SaveToFile(path), DEZOZIR);
  std::ifstream in(path);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "old picture");
  picture.IdatSize = VIRAVIZ::kDefaultIdatSize;
  picture.SaveToFile(path);
  PngReference pixels;
  EXPECT_TRUE(readBack(ReadWholeFile(path), pixels));
  ::unlink(path.c_str());
}

TEST(PngEncoder, InterlacedOneByOneHoldsOnlyTheFirstPass) {
  VIRAVIZ picture;
  picture.Image.SetPixelFormat(pf24bit);
  picture.Image.SetSize(1, 1);
  picture.Image.SetPixel(0, 0, RGB(10, 20, 30));
  picture.InterlaceOption = true;
  const std::vector<PngChunk> chunks = ParseChunks(SavePng(picture));
  EXPECT_EQ(chunks[0].data[12], 1);
  EXPECT_EQ(Inflate(ImageStream(chunks)), (Bytes{0, 10, 20, 30}));
}

TEST(PngEncoder, TransparentColourMarksTheNearestPaletteEntry) {
  // Nearest by the sum of the channel differences: entry 3 (off by 25 in blue) beats entry 1
  // (off by 10 in each channel, nearer by squared distance), and entry 3 beats its twin 5.
  VIRAVIZ picture;
  picture.Image.SetPixelFormat(pf8bit);
  picture.Image.SetSize(2, 2);
  picture.Image.SetPalette(TPalette({RGB(200, 200, 200), RGB(110, 110, 110), RGB(0, 0, 0), RGB(100, 100, 125),
                                     RGB(255, 255, 255), RGB(100, 100, 75)}));
  picture.SetTransparentColor(RGB(100, 100, 100));
  EXPECT_EQ(FindChunk(ParseChunks(SavePng(picture)), "tRNS")->data, (Bytes{255, 255, 255, 0}));
  // An entry equal to the colour wins, the first of equal ones.
  picture.SetTransparentColor(RGB(255, 255, 255));
  picture.Image.SetPalette(TPalette({RGB(1, 1, 1), RGB(255, 255, 255), RGB(255, 255, 255)}));
  EXPECT_EQ(FindChunk(ParseChunks(SavePng(picture)), "tRNS")->data, (Bytes{255, 0}));

  // The image's own transparent colour goes before the picture's; RGB images record it as
  // three 16-bit samples; without a transparent colour there is no tRNS.
  VIRAVIZ rgb;
  fillRandom(rgb.Image, pf32bit, 3, 3, 9);
  rgb.TransparentColor = RGB(1, 2, 3);
  EXPECT_EQ(FindChunk(ParseChunks(SavePng(rgb)), "tRNS")->data, (Bytes{0, 1, 0, 2, 0, 3}));
  rgb.Image.Transparent = true;
  rgb.Image.TransparentColor = RGB(250, 128, 7);
  EXPECT_EQ(FindChunk(ParseChunks(SavePng(rgb)), "tRNS")->data, (Bytes{0, 250, 0, 128, 0, 7}));
  rgb.SetTransparentColor(std::nullopt);
  EXPECT_EQ(FindChunk(ParseChunks(SavePng(rgb)), "tRNS"), nullptr);
}

TEST(PngEncoder, TwoSavesDifferOnlyInTheirTime) {
  VIRAVIZ picture;
  fillRandom(picture.Image, pf24bit, 64, 64, 10);
  picture.InterlaceOption = true;
  std::vector<PngChunk> first = ParseChunks(SavePng(picture));
  std::vector<PngChunk> second = ParseChunks(SavePng(picture));
  ASSERT_EQ(ChunkTypes(first), ChunkTypes(second));
  for (std::size_t i = 0; i < first.size(); ++i)
    if (first[i].type != "tIME") {
      EXPECT_EQ(first[i].data, second[i].data) << first[i].type;
    }
}

TEST(PngEncoder, LibpngReadsBackThePixelsOfEveryFormatLevelAndInterlacing) {
  const std::pair<int, int> sizes[] = {{1, 1}, {2, 3}, {9, 1}, {37, 23}};
  for (TPixelFormat format : kAllFormats)
    for (auto [width, height] : sizes)
      for (bool interlace : {false, true})
        for (std::uint8_t level : {0, 1, 2, 3, 7}) {
          VIRAVIZ picture;
          fillRandom(picture.Image, format, width, height, unsigned(width * 131 + format));
          picture.InterlaceOption = interlace;
          picture.CompressionLevel = level;
          PngReference pixels;
          const std::string what = "format " + std::to_string(format) + " " + std::to_string(width) + "x" +
                                   std::to_string(height) + " interlace " + std::to_string(interlace) +
                                   " level " + std::to_string(level);
          ASSERT_TRUE(readBack(SavePng(picture), pixels)) << what;
          ASSERT_EQ(pixels.width, width);
          ASSERT_EQ(pixels.height, height);
          for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
              ASSERT_EQ(pixels.At(x, y), picture.Image.GetPixel(x, y)) << what << " at " << x << "," << y;
        }
}

TEST(PngEncoder, LevelsPickTheirDeflateLevel) {
  // The zlib header's level field: 0 fastest (levels 0 and 1), 2 default, 3 best.
  VIRAVIZ picture;
  fillRandom(picture.Image, pf24bit, 20, 20, 11);
  const std::pair<std::uint8_t, int> expected[] = {{0, 0}, {1, 2}, {2, 0}, {3, 3}, {4, 2}, {255, 2}};
  for (auto [level, field] : expected) {
    picture.CompressionLevel = level;
    EXPECT_EQ(ImageStream(ParseChunks(SavePng(picture)))[1] >> 6, field) << int(level);
  }
}

TEST(PngPicture, AssignCopiesAndTransparentColourFollowsTheImage) {
  VIRAVIZ picture;
  TBitmap source;
  fillRandom(source, pf8bit, 4, 4, 12);
  source.Transparent = true;
  source.TransparentColor = clRed;
  picture.Assign(source);
  EXPECT_EQ(picture.Image.TransparentColor, clRed);
  picture.SetTransparentColor(std::nullopt);
  EXPECT_FALSE(picture.Image.Transparent);
  picture.SetTransparentColor(clBlue);
  VIRAVIZ empty;  // without an image only the option is stored
  empty.SetTransparentColor(clBlue);
  EXPECT_FALSE(empty.Image.Transparent);

  picture.CompressionLevel = 3;
  picture.InterlaceOption = true;
  picture.Comment = "note\r\n";
  VIRAVIZ copy;
  copy.Assign(picture);
  EXPECT_EQ(copy.TransparentColor, clBlue);
  EXPECT_EQ(copy.Comment, "note\r\n");
  std::vector<PngChunk> saved = ParseChunks(SavePng(copy)), original = ParseChunks(SavePng(picture));
  EXPECT_EQ(ImageStream(saved), ImageStream(original));
  EXPECT_EQ(FindChunk(saved, "tRNS")->data, FindChunk(original, "tRNS")->data);
  TBitmap out;
  copy.AssignTo(out);
  EXPECT_TRUE(out.Transparent);
  EXPECT_EQ(out.TransparentColor, clBlue);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(out.GetPixel(x, y), source.GetPixel(x, y));
}

}  // namespace
