#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "surface/bitmap.h"
#include "surface/canvas.h"
#include "surface/font_engine.h"
#include "surface/font_list.h"
#include "surface/font_match.h"
#include "surface/utf8.h"

namespace {

const TPixelFormat kFormats[] = {pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit};
constexpr TColor kPaper = RGB(0, 0x80, 0);  // a colour every format holds exactly
constexpr TColor kInk = clBlack;

struct Ink {
  int count = 0;
  TRect box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};  // bounding box, right and bottom exclusive
};

Ink inkOf(const TBitmap& b, TColor c) {
  Ink ink;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (b.GetPixel(x, y) == c) {
        ++ink.count;
        ink.box = TRect{std::min(ink.box.Left, x), std::min(ink.box.Top, y), std::max(ink.box.Right, x + 1),
                        std::max(ink.box.Bottom, y + 1)};
      }
  return ink;
}

int differingPixels(const TBitmap& a, const TBitmap& b) {
  int n = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) n += a.GetPixel(x, y) != b.GetPixel(x, y);
  return n;
}

void fillPaper(TBitmap& b) {
  b.Canvas().Brush.Color = kPaper;
  b.Canvas().FillRect(b.BoundsRect());
}

// A canvas with the program's default font, clear brush, ink on paper.
TBitmap& prepare(TBitmap& b) {
  fillPaper(b);
  TCanvas& c = b.Canvas();
  c.Font = TFont{};
  c.Font.Color = kInk;
  c.Brush.Style = bsClear;
  c.Brush.Color = clRed;
  return b;
}

TEST(Text, ClearBrushDrawsOnlyFontColouredGlyphsInsideTheCell) {
  TBitmap b(120, 60);
  TCanvas& c = prepare(b).Canvas();
  c.Font.Color = clBlue;
  const std::string text = "Hag";
  const int w = c.TextWidth(text), h = c.TextHeight(text);
  EXPECT_EQ(w, 24);  // GDI measures these IPAGothic cells the same
  EXPECT_EQ(h, 17);
  c.TextOut(30, 20, text);
  const Ink ink = inkOf(b, clBlue);
  EXPECT_GT(ink.count, 40);
  EXPECT_EQ(ink.count + inkOf(b, kPaper).count, 120 * 60) << "only glyph pixels change, all in the font colour";
  EXPECT_GE(ink.box.Left, 30);
  EXPECT_GE(ink.box.Top, 20);
  EXPECT_LE(ink.box.Right, 30 + w);
  EXPECT_LE(ink.box.Bottom, 20 + h);
  EXPECT_GT(ink.box.Width(), w * 3 / 4);
  EXPECT_GT(ink.box.Height(), h / 2);
  EXPECT_EQ(c.TextWidth(""), 0);
  EXPECT_EQ(c.TextHeight(""), h);
}

TEST(Text, OpaqueTextMatchesGdiPixelForPixel) {
  // IPAGothic 16 pixels, underlined, drawn by GDI on a red background.
  const char* const expected[] = {
      "aaaaaaaaaaaaaaaa", "aaaaaaaaaaaaaaaa", "aaa##aaaaaaaaaaa", "aaa##aaaaaaaaaaa", "aaa##aaaaaaaaaaa",
      "aa#aa#aaaaaaaaaa", "aa#aa#aaaa#####a", "aa#aa#aaa##aaa#a", "aa####aaa#aaaa#a", "a#aaaa#aa#aaaa#a",
      "a#aaaa#aa##aa##a", "a#aaaa#aaa#####a", "##aaaa##aaaaaa#a", "aaaaaaaaa##aaa#a", "aaaaaaaaaa####aa",
      "aaaaaaaaaaaaaaaa", "################"};
  TBitmap b(30, 25);
  TCanvas& c = prepare(b).Canvas();
  c.Brush.Style = bsSolid;
  c.Font.Underline = true;
  c.TextOut(5, 3, "Ag");
  for (int y = 0; y < 25; ++y)
    for (int x = 0; x < 30; ++x) {
      const bool inCell = x >= 5 && x < 21 && y >= 3 && y < 20;
      const TColor want = !inCell ? kPaper : expected[y - 3][x - 5] == '#' ? kInk : clRed;
      ASSERT_EQ(b.GetPixel(x, y), want) << "at " << x << ", " << y;
    }
}

TEST(Text, HeightsFollowGdi) {
  TBitmap b(1, 1);
  TCanvas& c = prepare(b).Canvas();
  c.Font.Height = 20;  // a cell height: GDI's cell for it comes out one pixel taller
  EXPECT_EQ(c.TextHeight("A"), 21);
  c.Font.Height = 0;  // the default size
  EXPECT_EQ(c.TextHeight("A"), 16);
  c.Font.Height = -32;
  EXPECT_EQ(c.TextHeight("A"), 34);
  EXPECT_EQ(c.TextWidth("AAAA"), 4 * 16) << "Latin letters of IPAGothic are half an em wide";
  c.Font.Height = INT_MIN;  // absurd sizes are held to the largest font
  EXPECT_GT(c.TextHeight("A"), kMaxFontPixels);
  EXPECT_LT(c.TextHeight("A"), 2 * kMaxFontPixels);
  c.TextOut(-100, -100, "A");  // a glyph far larger than the picture
}

TEST(Text, OpaqueBackgroundFillsExactlyTheCell) {
  for (int escapement : {0, 900, 1800, 2700}) {
    TBitmap b(100, 100);
    TCanvas& c = prepare(b).Canvas();
    c.Brush.Style = bsDiagCross;  // hatches do not apply to text: still a solid cell
    c.Font.Escapement = escapement;
    const int w = c.TextWidth("Ag"), h = c.TextHeight("Ag");
    c.TextOut(50, 50, "Ag");
    const Ink cell = inkOf(b, clRed), glyphs = inkOf(b, kInk);
    EXPECT_EQ(cell.count + glyphs.count, w * h) << "escapement " << escapement;
    EXPECT_EQ(inkOf(b, kPaper).count, 100 * 100 - w * h);
    // The cell turns about its top-left corner, counter-clockwise on the screen.
    const TRect expected[4] = {{50, 50, 50 + w, 50 + h}, {50, 50 - w, 50 + h, 50},
                               {50 - w, 50 - h, 50, 50}, {50 - h, 50, 50, 50 + w}};
    EXPECT_EQ(cell.box, expected[escapement / 900]) << "escapement " << escapement;
  }
}

TEST(Text, QuarterTurnPutsTheTextAboveAndRightOfItsPoint) {
  TBitmap upright(100, 100), turned(100, 100);
  prepare(upright).Canvas().TextOut(10, 10, "Zudo");
  TCanvas& c = prepare(turned).Canvas();
  c.Font.Escapement = 900;
  const int w = c.TextWidth("Zudo"), h = c.TextHeight("Zudo");
  c.TextOut(40, 80, "Zudo");
  const Ink ink = inkOf(turned, kInk);
  EXPECT_GE(ink.box.Left, 40);
  EXPECT_LE(ink.box.Right, 40 + h);
  EXPECT_GE(ink.box.Top, 80 - w);
  EXPECT_LE(ink.box.Bottom, 80);
  // The same glyphs, only turned: the pixel right of and below upright (x, y) lands left of
  // and below (40 + (y - 10), 80 - (x - 10)), as GDI turns them.
  EXPECT_EQ(ink.count, inkOf(upright, kInk).count);
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 100; ++x)
      if (upright.GetPixel(x, y) == kInk) {
        ASSERT_EQ(turned.GetPixel(40 + (y - 10), 79 - (x - 10)), kInk);
      }
}

TEST(Text, TurnedGlyphsLandWhereGdiPutsThem) {
  // "AgH" in IPAGothic 16 pixels at 30 degrees from (8, 25), drawn by GDI; rows 16 to 35,
  // columns 12 to 32 of the bitmap.
  const char* const expected[] = {
      "...............#.....", "................#....", "................#....", "...........#.....#...",
      "............#....##..", "............#....##..", ".............#.##..#.", ".............##....#.",
      "...........#..#.....#", "##......####...#....#", "#.#....#....#..#.....", "##.#...#....#...#....",
      ".#..#..#....##..#....", ".#..##..#..#.#.......", ".###..#..##...#......", "..#....#.....#.......",
      "..#....##.####.......", "..#..................", "..##.................", "...#................."};
  TBitmap b(50, 40);
  TCanvas& c = prepare(b).Canvas();
  c.Font.Escapement = 300;
  c.TextOut(8, 25, "AgH");
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 50; ++x) {
      const bool inside = x >= 12 && x <= 32 && y >= 16 && y <= 35;
      const bool glyph = inside && expected[y - 16][x - 12] == '#';
      ASSERT_EQ(b.GetPixel(x, y), glyph ? kInk : kPaper) << "at " << x << ", " << y;
    }
}

TEST(Text, AnyAngleKeepsTheGlyphsInTheTurnedCell) {
  for (int escapement : {300, 450, 1234, 2000, 3300}) {
    TBitmap b(200, 200);
    TCanvas& c = prepare(b).Canvas();
    c.Font.Escapement = escapement;
    const int w = c.TextWidth("ABCDEF"), h = c.TextHeight("ABCDEF");
    c.TextOut(100, 100, "ABCDEF");
    const double angle = escapement * 3.14159265358979 / 1800;
    double farthest = 0;
    for (int y = 0; y < 200; ++y)
      for (int x = 0; x < 200; ++x) {
        if (b.GetPixel(x, y) != kInk) continue;
        // The pixel's centre in the text's own frame: along the base line, and down the cell.
        const double dx = x + 0.5 - 100, dy = y + 0.5 - 100;
        const double along = dx * std::cos(angle) - dy * std::sin(angle);
        const double down = dx * std::sin(angle) + dy * std::cos(angle);
        ASSERT_GT(along, -1.5) << "escapement " << escapement;
        ASSERT_LT(along, w + 1.5);
        ASSERT_GT(down, -1.5);
        ASSERT_LT(down, h + 1.5);
        farthest = std::max(farthest, along);
      }
    EXPECT_GT(farthest, w - 4) << "escapement " << escapement;
  }
}

TEST(Text, JapaneseRendersRealGlyphs) {
  TBitmap a(60, 30), b(60, 30);
  prepare(a).Canvas().TextOut(2, 2, "日本");
  prepare(b).Canvas().TextOut(2, 2, "本日");
  EXPECT_EQ(a.Canvas().TextWidth("日本語"), 48) << "full-width characters take a whole em";
  const Ink ink = inkOf(a, kInk);
  EXPECT_GT(ink.count, 60);
  // Two different glyphs: swapping them changes the picture (missing glyphs would all be one box).
  EXPECT_GT(differingPixels(a, b), 20);
  // A face without Japanese borrows the default face's glyphs: the same ink, on its own base line.
  TBitmap latin(60, 30);
  TCanvas& c = prepare(latin).Canvas();
  c.Font.Name = "DejaVu Sans";
  EXPECT_EQ(c.TextWidth("日本語"), 48);
  c.TextOut(2, 2, "日本");
  const Ink borrowed = inkOf(latin, kInk);
  EXPECT_EQ(borrowed.count, ink.count);
  EXPECT_EQ(borrowed.box.Left, ink.box.Left);
  EXPECT_EQ(borrowed.box.Width(), ink.box.Width());
}

TEST(Text, BoldIsWiderAndDarkerAndItalicLeansRight) {
  TBitmap regular(80, 30), bold(80, 30), italic(80, 30);
  prepare(regular).Canvas().TextOut(2, 2, "IIII");
  TCanvas& cb = prepare(bold).Canvas();
  cb.Font.Weight = 700;
  EXPECT_GT(cb.TextWidth("IIII"), regular.Canvas().TextWidth("IIII"));
  cb.TextOut(2, 2, "IIII");
  EXPECT_GT(inkOf(bold, kInk).count, inkOf(regular, kInk).count * 5 / 4);
  TCanvas& ci = prepare(italic).Canvas();
  ci.Font.Italic = true;
  ci.TextOut(2, 2, "I");
  const Ink ink = inkOf(italic, kInk);
  int topX = -1, bottomX = -1;
  for (int x = 0; x < 80; ++x) {
    if (topX < 0 && italic.GetPixel(x, ink.box.Top) == kInk) topX = x;
    if (bottomX < 0 && italic.GetPixel(x, ink.box.Bottom - 1) == kInk) bottomX = x;
  }
  EXPECT_GT(topX, bottomX + 1);
}

TEST(Text, UnderlineAndStrikeOutAddFullRows) {
  TBitmap plain(60, 30), lined(60, 30);
  prepare(plain).Canvas().TextOut(5, 5, "ace");
  TCanvas& c = prepare(lined).Canvas();
  c.Font.Underline = true;
  c.Font.StrikeOut = true;
  const int w = c.TextWidth("ace");
  c.TextOut(5, 5, "ace");
  std::vector<int> fullRows;
  for (int y = 0; y < 30; ++y) {
    int n = 0;
    for (int x = 0; x < 60; ++x) n += lined.GetPixel(x, y) == kInk;
    if (n == w) fullRows.push_back(y);
    for (int x = 0; x < 60; ++x)
      if (plain.GetPixel(x, y) == kInk) {
        ASSERT_EQ(lined.GetPixel(x, y), kInk);
      }
  }
  ASSERT_EQ(fullRows.size(), 2u);
  const Ink glyphs = inkOf(plain, kInk);
  EXPECT_GT(fullRows[0], glyphs.box.Top) << "strike-out through the letters";
  EXPECT_LT(fullRows[0], glyphs.box.Bottom - 1);
  EXPECT_GE(fullRows[1], glyphs.box.Bottom) << "underline below them";
  EXPECT_LT(fullRows[1], 5 + c.TextHeight("ace"));
}

TEST(Text, EveryPixelFormatDrawsTheSameGlyphs) {
  TBitmap reference(60, 30);
  prepare(reference).Canvas().TextOut(3, 3, "Wa字");
  for (TPixelFormat f : kFormats) {
    TBitmap b(60, 30, f);
    TCanvas& c = prepare(b).Canvas();
    c.Font.Color = clRed;
    c.Brush.Style = bsSolid;
    c.Brush.Color = clBlue;
    c.TextOut(3, 3, "Wa字");
    const TColor ink = b.RawToColor(b.ColorToRaw(clRed)), paper = b.RawToColor(b.ColorToRaw(clBlue));
    const TColor outside = b.GetPixel(0, 0);
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 60; ++x) {
        const TColor r = reference.GetPixel(x, y);
        const TColor want = r == kInk ? ink : (x >= 3 && y >= 3 && x < 3 + c.TextWidth("Wa字") && y < 20) ? paper : outside;
        ASSERT_EQ(b.GetPixel(x, y), want) << "format " << f << " at " << x << ", " << y;
      }
  }
}

TEST(Text, ClippingAndFarAwayTextAreSafe) {
  TBitmap whole(60, 30), clipped(60, 30);
  prepare(whole).Canvas().TextOut(-4, -6, "MW");
  TCanvas& c = prepare(clipped).Canvas();
  c.SetClipRect(Rect(0, 0, 10, 30));
  c.TextOut(-4, -6, "MW");
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 60; ++x) ASSERT_EQ(clipped.GetPixel(x, y), x < 10 ? whole.GetPixel(x, y) : kPaper);
  c.ResetClipRect();
  c.Brush.Style = bsSolid;
  for (int escapement : {0, 450, 900, 3599, -900}) {
    c.Font.Escapement = escapement;
    for (int x : {INT_MIN, -100000, 100000, INT_MAX})
      for (int y : {INT_MIN, -100000, 100000, INT_MAX}) c.TextOut(x, y, "far away");
  }
  EXPECT_EQ(inkOf(clipped, clRed).count, 0);
}

TEST(Text, UnknownOrEmptyFaceFallsBackToTheDefaultFace) {
  TBitmap expected(60, 30);
  prepare(expected).Canvas().TextOut(2, 2, "Aa字");
  for (const char* name : {"No Such Font 12345", ""}) {
    TBitmap b(60, 30);
    TCanvas& c = prepare(b).Canvas();
    c.Font.Name = name;
    c.TextOut(2, 2, "Aa字");
    EXPECT_EQ(differingPixels(b, expected), 0) << "face '" << name << "'";
  }
}

TEST(Text, BrokenUtf8StillDraws) {
  TBitmap b(60, 30);
  TCanvas& c = prepare(b).Canvas();
  const std::string broken = "A\xFF\xE6\x97" "B\xC0\xAF";
  EXPECT_EQ(DecodeUtf8(broken), (std::u32string{U'A', 0xFFFD, 0xFFFD, U'B', 0xFFFD, 0xFFFD}));
  EXPECT_EQ(DecodeUtf8("\xF0\x9F"), (std::u32string{0xFFFD}));
  EXPECT_EQ(DecodeUtf8("\xE6\x97\xA5\xF0\x9F\x98\x80"), (std::u32string{U'日', 0x1F600}));
  EXPECT_EQ(DecodeUtf8("\xED\xA0\x80"), (std::u32string{0xFFFD, 0xFFFD, 0xFFFD})) << "surrogates are not characters";
  c.TextOut(0, 0, broken);
  EXPECT_GT(inkOf(b, kInk).count, 10);
}

TEST(FontList, InstalledFamiliesAreSortedUniqueAndUsable) {
  const std::vector<std::string> names = InstalledFontFamilies();
  EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
  EXPECT_EQ(std::adjacent_find(names.begin(), names.end()), names.end());
  EXPECT_NE(std::find(names.begin(), names.end(), "IPAGothic"), names.end());
  EXPECT_EQ(std::find(names.begin(), names.end(), "IPAゴシック"), names.end()) << "one name for one family";
  // Every listed family is found: its name leads to a face file of its own, not to the
  // default face that an unknown name falls back on. (Drawing cannot tell: desktops with
  // hundreds of script fonts have many whose Latin letters are the same fallback glyphs.)
  const std::optional<TFaceFile> fallback = MatchFace("no such family", 400, false);
  ASSERT_TRUE(fallback.has_value());
  for (const std::string& name : names) {
    if (name == kDefaultFontFace) continue;
    const std::optional<TFaceFile> face = MatchFace(name, 400, false);
    ASSERT_TRUE(face.has_value()) << name;
    EXPECT_FALSE(face->Path == fallback->Path && face->Index == fallback->Index) << name << " is not found";
  }
  // And a family found draws with its own glyphs.
  TBitmap standard(80, 30);
  prepare(standard).Canvas().TextOut(0, 0, "Rg&W");
  TBitmap dejavu(80, 30);
  TCanvas& c = prepare(dejavu).Canvas();
  c.Font.Name = "DejaVu Sans";
  c.TextOut(0, 0, "Rg&W");
  EXPECT_GT(differingPixels(dejavu, standard), 0);
}

}  // namespace
