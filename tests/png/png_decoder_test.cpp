// The decoder's own rules, on small files built here: formats and palettes, transparency, the
// chunk rules, the picture members, and the errors.
#include <gtest/gtest.h>

#include <memory>

#include "png/png_test_writer.h"
#include "png/viraviz.h"

namespace {

std::unique_ptr<VIRAVIZ> decode(const PngBytes& file) {
  auto pic = std::make_unique<VIRAVIZ>();
  pic->LoadFromStream(file.data(), file.size());
  return pic;
}

// The message of the error that decoding raises, or "" when the file loads.
std::string errorOf(const PngBytes& file) {
  VIRAVIZ pic;
  try {
    pic.LoadFromStream(file.data(), file.size());
  } catch (const DEZOZIR& e) {
    return e.what();
  }
  return "";
}

const std::vector<TColor> kEightColours = {clBlack, clRed,  clLime, clBlue, RGB(10, 20, 30), RGB(200, 100, 50),
                                           clWhite, clGray};

PngBytes paletteData(const std::vector<TColor>& colours) {
  PngBytes d;
  for (TColor c : colours) d.insert(d.end(), {GetRValue(c), GetGValue(c), GetBValue(c)});
  return d;
}

// A 4 x 2 8-bit palette image of kEightColours with indices 0..7, with the chunks given.
PngBytes eightColourFile(const std::vector<PngChunkSpec>& chunks) {
  std::vector<PngChunkSpec> before = {{"PLTE", paletteData(kEightColours)}};
  before.insert(before.end(), chunks.begin(), chunks.end());
  return BuildPng(IhdrData(4, 2, 8, 3), before, PlainImageData({{0, 1, 2, 3}, {4, 5, 6, 7}}));
}

// A 2 x 1 8-bit grey image (samples 7 and 9) whose tRNS makes grey 9 transparent.
PngBytes greyKeyFile() {
  return BuildPng(IhdrData(2, 1, 8, 0), {{"tRNS", {0, 9}}}, PlainImageData({{7, 9}}));
}

TEST(PngDecoder, MacBinaryHeaderIsSkippedOnlyWithZerosAtBytesZeroAnd74) {
  const PngBytes png = eightColourFile({});
  PngBytes wrapped(128, 0x41);
  wrapped[0] = 0;
  wrapped[74] = 0;
  wrapped.insert(wrapped.end(), png.begin(), png.end());
  VIRAVIZ pic;
  EXPECT_EQ(pic.LoadFromStream(wrapped.data(), wrapped.size()), wrapped.size());
  EXPECT_EQ(pic.Image.GetPixel(1, 0), clRed);
  wrapped[74] = 1;
  EXPECT_EQ(errorOf(wrapped), "PNG LoadStream: Not PNG Format");
  EXPECT_EQ(errorOf(PngBytes(png.begin(), png.begin() + 7)), "PNG LoadStream: Not PNG Format");
}

TEST(PngDecoder, TwoBitSamplesWidenToFourBitIndicesOfTheirValue) {
  // 2-bit rows of 5 pixels: 3 2 1 0 3 and 0 1 2 3 1.
  const PngBytes rows = PlainImageData({{0b11100100, 0b11000000}, {0b00011011, 0b01000000}});
  const auto palette = decode(BuildPng(IhdrData(5, 2, 2, 3), {{"PLTE", paletteData(kEightColours)}}, rows));
  const auto grey = decode(BuildPng(IhdrData(5, 2, 2, 0), {}, rows));
  const int expected[2][5] = {{3, 2, 1, 0, 3}, {0, 1, 2, 3, 1}};
  for (const VIRAVIZ* pic : {palette.get(), grey.get()}) {
    ASSERT_EQ(pic->Image.PixelFormat(), pf4bit);
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 5; ++x) EXPECT_EQ(pic->Image.GetRaw(x, y), std::uint32_t(expected[y][x])) << x << "," << y;
  }
  EXPECT_EQ(palette->Image.Palette().Entries(), kEightColours);
  EXPECT_EQ(grey->Image.Palette().Entries(), (std::vector<TColor>{clBlack, RGB(85, 85, 85), RGB(170, 170, 170), clWhite}));
}

TEST(PngDecoder, SixteenBitSamplesGiveTheirHighByte) {
  const auto rgb = decode(BuildPng(IhdrData(1, 1, 16, 2), {}, PlainImageData({{0x12, 0xFF, 0x34, 0x01, 0x56, 0x80}})));
  EXPECT_EQ(rgb->Image.PixelFormat(), pf24bit);
  EXPECT_EQ(rgb->Image.GetPixel(0, 0), RGB(0x12, 0x34, 0x56));
  const auto grey = decode(BuildPng(IhdrData(2, 1, 16, 0), {}, PlainImageData({{0xAB, 0xFF, 0x01, 0x02}})));
  EXPECT_EQ(grey->Image.PixelFormat(), pf8bit);
  EXPECT_EQ(grey->Image.GetRaw(0, 0), 0xABu);
  EXPECT_EQ(grey->Image.GetRaw(1, 0), 0x01u);
  ASSERT_EQ(grey->Image.Palette().Count(), 256);
  EXPECT_EQ(grey->Image.Palette()[200], RGB(200, 200, 200));
  EXPECT_TRUE(grey->Greyscale);
}

TEST(PngDecoder, PaletteTransparencyIsOneColourOrAnAlphaMask) {
  // Entry 5 alone fully transparent, the rest opaque: a transparent colour, no mask.
  const auto single = decode(eightColourFile({{"tRNS", {255, 255, 255, 255, 255, 0}}}));
  EXPECT_TRUE(single->Image.Transparent);
  EXPECT_EQ(single->Image.TransparentColor, kEightColours[5]);
  EXPECT_EQ(single->TransparentColor, kEightColours[5]);
  EXPECT_FALSE(single->HasAlpha);

  // Entry 5 at half alpha: each pixel's mask holds 255 minus its entry's alpha.
  const auto half = decode(eightColourFile({{"tRNS", {255, 255, 255, 255, 255, 128}}}));
  EXPECT_FALSE(half->Image.Transparent);
  EXPECT_FALSE(half->TransparentColor.has_value());
  ASSERT_TRUE(half->HasAlpha);
  EXPECT_EQ(half->AlphaMask.PixelFormat(), pf8bit);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(half->AlphaMask.GetRaw(i % 4, i / 4), i == 5 ? 127u : 0u) << i;

  // Two transparent entries also need the mask.
  const auto two = decode(eightColourFile({{"tRNS", {0, 255, 0}}}));
  EXPECT_TRUE(two->HasAlpha);
  EXPECT_EQ(two->AlphaMask.GetRaw(2, 0), 255u);
  EXPECT_FALSE(two->Image.Transparent);

  // tRNS before PLTE counts for nothing.
  const auto early = decode(BuildPng(IhdrData(4, 2, 8, 3), {{"tRNS", {0}}, {"PLTE", paletteData(kEightColours)}},
                                       PlainImageData({{0, 1, 2, 3}, {4, 5, 6, 7}})));
  EXPECT_FALSE(early->HasAlpha);
  EXPECT_FALSE(early->Image.Transparent);
}

TEST(PngDecoder, AlphaChannelsGoToTheMaskAndTheImageKeepsTheColours) {
  const auto rgba = decode(BuildPng(IhdrData(2, 1, 8, 6), {{"tRNS", {0, 1, 0, 2, 0, 3}}},
                                       PlainImageData({{1, 2, 3, 0, 4, 5, 6, 200}})));
  EXPECT_EQ(rgba->Image.PixelFormat(), pf24bit);
  EXPECT_EQ(rgba->Image.GetPixel(0, 0), RGB(1, 2, 3));
  EXPECT_EQ(rgba->Image.GetPixel(1, 0), RGB(4, 5, 6));
  ASSERT_TRUE(rgba->HasAlpha);
  EXPECT_EQ(rgba->AlphaMask.GetRaw(0, 0), 255u);
  EXPECT_EQ(rgba->AlphaMask.GetRaw(1, 0), 55u);
  EXPECT_FALSE(rgba->TransparentColor.has_value());  // tRNS is ignored beside an alpha channel

  const auto greyAlpha = decode(BuildPng(IhdrData(1, 1, 16, 4), {}, PlainImageData({{0x90, 0x01, 0x40, 0xFF}})));
  EXPECT_EQ(greyAlpha->Image.PixelFormat(), pf8bit);
  EXPECT_EQ(greyAlpha->Image.GetRaw(0, 0), 0x90u);
  EXPECT_EQ(greyAlpha->AlphaMask.GetRaw(0, 0), 255u - 0x40u);
}

TEST(PngDecoder, GreyAndRgbKeysBecomeTheTransparentColourOfTheirPixels) {
  const auto grey = decode(greyKeyFile());
  EXPECT_TRUE(grey->Image.Transparent);
  EXPECT_EQ(grey->Image.TransparentColor, grey->Image.GetPixel(1, 0));
  // A 4-bit grey key names the grey its pixels show: sample 3 is 51.
  const auto low = decode(BuildPng(IhdrData(2, 1, 4, 0), {{"tRNS", {0, 3}}}, PlainImageData({{0x13}})));
  EXPECT_EQ(low->Image.TransparentColor, low->Image.GetPixel(1, 0));
  EXPECT_EQ(low->Image.TransparentColor, RGB(51, 51, 51));
  // 16-bit keys take their high byte as the pixels do; 8-bit ones their low byte.
  const auto rgb16 = decode(BuildPng(IhdrData(1, 1, 16, 2), {{"tRNS", {0x12, 0, 0x34, 0, 0x56, 0}}},
                                        PlainImageData({{0x12, 0, 0x34, 0, 0x56, 0}})));
  EXPECT_EQ(rgb16->Image.TransparentColor, RGB(0x12, 0x34, 0x56));
  const auto rgb8 = decode(BuildPng(IhdrData(1, 1, 8, 2), {{"tRNS", {0, 0x12, 0, 0x34, 0, 0x56}}},
                                       PlainImageData({{0x12, 0x34, 0x56}})));
  EXPECT_EQ(rgb8->Image.TransparentColor, RGB(0x12, 0x34, 0x56));
}

TEST(PngDecoder, CutOffFilesFailInsideTheImageAndLoseTheirKeyAfterIt) {
  const PngBytes file = greyKeyFile();
  const std::size_t iend = file.size() - 12;
  // Cut inside the image data, and inside the chunk header that follows it.
  EXPECT_EQ(errorOf(PngBytes(file.begin(), file.begin() + iend - 10)), "Read Image (PNG): Read Error");
  // Cut after the image data: the pixels load, the key is noted but not applied to the image.
  for (std::size_t cut : {iend, iend + 8}) {
    const auto pic = decode(PngBytes(file.begin(), file.begin() + cut));
    EXPECT_EQ(pic->Image.GetPixel(1, 0), RGB(9, 9, 9));
    EXPECT_FALSE(pic->Image.Transparent) << cut;
    EXPECT_EQ(pic->TransparentColor, RGB(9, 9, 9));
  }
}

TEST(PngDecoder, DamagedImageDataIsAReadError) {
  const PngBytes ihdr = IhdrData(3, 2, 8, 0);
  PngBytes badFilter = {0, 1, 2, 3, 5, 4, 5, 6};
  EXPECT_EQ(errorOf(BuildPng(ihdr, {}, Compress(badFilter))), "Read Image (PNG): Read Error");
  PngBytes tooShort = {0, 1, 2, 3};
  EXPECT_EQ(errorOf(BuildPng(ihdr, {}, Compress(tooShort))), "Read Image (PNG): Read Error");
  PngBytes damaged = PlainImageData({{1, 2, 3}, {4, 5, 6}});
  damaged[0] ^= 0x0F;  // the zlib header no longer checks
  EXPECT_EQ(errorOf(BuildPng(ihdr, {}, damaged)), "Read Image (PNG): Read Error");

  // The stream may run over several IDAT chunks, but nothing else may come between them.
  const PngBytes data = PlainImageData({{1, 2, 3}, {4, 5, 6}});
  PngBytes split = PngSignature(), interrupted = PngSignature();
  PutChunk(split, "IHDR", ihdr);
  PutChunk(interrupted, "IHDR", ihdr);
  PutChunk(split, "IDAT", PngBytes(data.begin(), data.begin() + 4));
  PutChunk(interrupted, "IDAT", PngBytes(data.begin(), data.begin() + 4));
  PutChunk(interrupted, "tEXt", {'a', 0, 'b'});
  PutChunk(split, "IDAT", PngBytes(data.begin() + 4, data.end()));
  PutChunk(interrupted, "IDAT", PngBytes(data.begin() + 4, data.end()));
  PutChunk(split, "IEND", {});
  PutChunk(interrupted, "IEND", {});
  EXPECT_EQ(decode(split)->Image.GetRaw(2, 1), 6u);
  EXPECT_EQ(errorOf(interrupted), "Read Image (PNG): Read Error");
}

TEST(PngDecoder, HeaderErrorsComeAtIhdrAndBitDepthErrorsAtTheImageData) {
  EXPECT_EQ(errorOf(BuildPng(IhdrData(1, 1, 8, 0), {{"IHDR", IhdrData(1, 1, 8, 0)}}, PlainImageData({{0}}))),
            "Read Header(PNG): appear two IHDR");
  for (int type : {1, 5, 7, 10, 13, 14})
    EXPECT_EQ(errorOf(BuildPng(IhdrData(1, 1, 8, type), {}, {})), "Read Header(PNG): Error ColorType") << type;
  for (int method : {1, 2}) {
    EXPECT_EQ(errorOf(BuildPng(IhdrData(1, 1, 8, 0, 0, method), {}, {})), "Read Header(PNG): not support Compression");
    EXPECT_EQ(errorOf(BuildPng(IhdrData(1, 1, 8, 0, 0, 0, method), {}, {})), "Read Header(PNG): not supprt Filter");
  }
  EXPECT_EQ(errorOf(BuildPng(IhdrData(1, 1, 8, 0, 2), {}, {})), "Read Header(PNG): not interlace type");

  // Bit depths are looked at only when the image data starts; without any image data a file
  // holds no picture and is refused.
  const std::vector<std::tuple<int, int, std::string>> depths = {
      {4, 4, "Read Header(PNG): not Use AlphaChannel"}, {0, 3, "Read Header(PNG): Error Bitdepth"},
      {4, 3, "Read Header(PNG): Error Bitdepth"},       {2, 4, "Read Header(PNG): Error BitDepth"},
      {3, 16, "Read Header(PNG): Error BitDepth"},      {6, 1, "Read Header(PNG): Error BitDepth"}};
  for (const auto& [type, depth, message] : depths) {
    PngBytes noImage = PngSignature();
    PutChunk(noImage, "IHDR", IhdrData(1, 1, depth, type));
    PutChunk(noImage, "IEND", {});
    EXPECT_EQ(errorOf(noImage), "Read Image (PNG): Read Error") << type << "/" << depth;
    EXPECT_EQ(errorOf(BuildPng(IhdrData(1, 1, depth, type), {}, PlainImageData({{0, 0, 0, 0, 0, 0, 0, 0}}))), message)
        << type << "/" << depth;
  }
}

TEST(PngDecoder, ChunksOutsideTheirPlaceAreSkipped) {
  // An unknown critical chunk, image data before any header, a second image: all passed over.
  const PngBytes withUnknown = eightColourFile({{"QXYZ", {1, 2, 3}}});
  EXPECT_EQ(decode(withUnknown)->Image.GetPixel(3, 1), clGray);

  PngBytes noHeader = PngSignature();
  PutChunk(noHeader, "IDAT", PlainImageData({{1}}));
  PutChunk(noHeader, "IHDR", IhdrData(1, 1, 8, 0));
  PutChunk(noHeader, "IDAT", PlainImageData({{1}}));
  PutChunk(noHeader, "IEND", {});
  EXPECT_TRUE(decode(noHeader)->Empty());

  PngBytes twoImages = PngSignature();
  PutChunk(twoImages, "IHDR", IhdrData(1, 1, 8, 0));
  PutChunk(twoImages, "IDAT", PlainImageData({{1}}));
  PutChunk(twoImages, "IDAT", {0xDE, 0xAD});
  PutChunk(twoImages, "IEND", {});
  const std::size_t end = twoImages.size();
  twoImages.insert(twoImages.end(), {1, 2, 3});  // bytes after IEND are left unread
  VIRAVIZ pic;
  EXPECT_EQ(pic.LoadFromStream(twoImages.data(), twoImages.size()), end);
  EXPECT_EQ(pic.Image.GetRaw(0, 0), 1u);
}

TEST(PngDecoder, AncillaryChunksFillThePictureMembers) {
  const PngBytes pixels = PlainImageData({{0, 1, 2, 3}, {4, 5, 6, 7}});
  const PngBytes comment = {'C', 'o', 'm', 'm', 'e', 'n', 't', 0, 'h', 'i'};
  const PngBytes file = BuildPng(IhdrData(4, 2, 8, 3),
                                 {{"gAMA", {0, 0, 0xB1, 0x8F}},
                                  {"cHRM", PngBytes(32, 1)},
                                  {"sBIT", {5, 6, 7}},
                                  {"gIFg", {9, 8, 7, 6}},
                                  {"PLTE", paletteData(kEightColours)},
                                  {"gAMA", {0, 0, 0, 1}},  // after PLTE: ignored
                                  {"pHYs", {0, 0, 0x0B, 0x13, 0, 0, 0x0B, 0x12, 1}},
                                  {"bKGD", {4}},
                                  {"tEXt", comment},
                                  {"tEXt", {'c', 'o', 'm', 'm', 'e', 'n', 't', 0, 'x'}},
                                  {"tEXt", {'C', 'o', 'm', 'm', 'e', 'n', 't', 0, 'y', 'o'}},
                                  {"tIME", {0x07, 0xEA, 12, 9, 1, 2, 3}}},
                                 pixels);
  const auto pic = decode(file);
  EXPECT_DOUBLE_EQ(pic->Gamma, 0.45455);
  EXPECT_EQ(pic->Chromaticities[7], 0x01010101u);
  EXPECT_EQ(pic->SignificantBits, (std::array<std::uint8_t, 4>{5, 6, 7, 0}));
  EXPECT_EQ(pic->GifExtension, (std::array<std::uint8_t, 4>{9, 8, 7, 6}));
  EXPECT_EQ(pic->PixelsPerUnitX, 2835u);
  EXPECT_EQ(pic->PixelsPerUnitY, 2834u);
  EXPECT_EQ(pic->PixelUnit, 1);
  EXPECT_EQ(pic->BackgroundColor, kEightColours[4]);
  EXPECT_EQ(pic->Comment, "hi\r\n\r\nyo\r\n");
  EXPECT_EQ(pic->Time, (std::array<std::uint8_t, 7>{0x07, 0xEA, 12, 9, 1, 2, 3}));
  EXPECT_FALSE(pic->Greyscale);
  EXPECT_FALSE(pic->InterlaceOption);

  // Loading again starts from nothing: members of the last file do not stay.
  auto again = decode(file);
  const PngBytes plain = greyKeyFile();
  again->LoadFromStream(plain.data(), plain.size());
  EXPECT_EQ(again->Comment, "");
  EXPECT_FALSE(again->BackgroundColor.has_value());
  EXPECT_EQ(again->Gamma, 0);
  EXPECT_TRUE(again->Greyscale);
}

TEST(PngDecoder, PicturesBeyondTheBitmapLimitsAreRefusedBeforeAllocation) {
  // Each claims gigabytes in a few bytes; the data would inflate to a few rows at most.
  for (const PngBytes& ihdr : {IhdrData(70000, 1, 8, 0), IhdrData(40000, 40000, 8, 2), IhdrData(0x7FFFFFFF, 2, 1, 0),
                               IhdrData(30000, 30000, 8, 6)}) {
    const std::string message = errorOf(BuildPng(ihdr, {}, PlainImageData({{0}})));
    EXPECT_NE(message.find("大きすぎます"), std::string::npos) << message;
  }
}

}  // namespace
