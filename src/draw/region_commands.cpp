#include "draw/region_commands.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "draw/text_figure.h"
#include "surface/canvas.h"

TRect RegionBetween(TPoint a, TPoint b) {
  return TRect{std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

void CopyRegion(TBitmap& picture, const TRect& region, TBitmap& buffer) {
  const int w = region.Right - region.Left, h = region.Bottom - region.Top;
  TBitmap copy(w, h, pf32bit);
  TCanvas& c = copy.Canvas();
  c.CopyMode = cmSrcCopy;
  c.CopyRect(TRect{0, 0, w, h}, picture.Canvas(), region);
  buffer.Swap(copy);
}

void WhitenRegion(TBitmap& picture, const TRect& region) {
  TCanvas& c = picture.Canvas();
  c.CopyMode = cmWhiteness;
  c.CopyRect(region, c, region);
  c.CopyMode = cmSrcCopy;
}

void LoadBrushPattern(TBitmap& picture, const TRect& region, TBitmap& pattern) {
  TCanvas& c = pattern.Canvas();
  c.CopyMode = cmSrcCopy;
  c.CopyRect(TRect{0, 0, 8, 8}, picture.Canvas(), region);
}

namespace {

// The text's lines, without the carriage returns of text from other systems.
std::vector<std::string> TextLines(const std::string& utf8) {
  std::vector<std::string> lines;
  std::size_t begin = 0;
  for (;;) {
    const std::size_t end = utf8.find('\n', begin);
    std::string line = utf8.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    if (end == std::string::npos) return lines;
    begin = end + 1;
  }
}

}  // namespace

void RenderTextBuffer(const std::string& utf8, const TFont& font, TBitmap& buffer) {
  TBitmap text;
  TCanvas& c = text.Canvas();
  c.Font = font;
  const std::vector<std::string> lines = TextLines(utf8);
  // Level lines, each one font height below the last, as the text tool writes the memo.
  const int step = std::abs(TextLineStep(0, font.Height).Y);
  int w = 0, h = 0;
  for (std::size_t d = 0; d < lines.size(); ++d) {
    w = std::max(w, c.TextWidth(lines[d]));
    h = std::max(h, int(d) * step + c.TextHeight(lines[d]));
  }
  text.SetSize(w, h);
  c.Brush.Style = bsSolid;
  c.Brush.Color = clWhite;
  c.FillRect(TRect{0, 0, w, h});
  for (std::size_t d = 0; d < lines.size(); ++d) c.TextOut(0, int(d) * step, lines[d]);
  buffer.Swap(text);
}
