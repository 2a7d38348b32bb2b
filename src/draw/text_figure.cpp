#include "draw/text_figure.h"

#include <cmath>
#include <numbers>

#include "draw/stroke_geometry.h"
#include "draw/whole_pixels.h"

namespace {

// Hatches and the pattern do not apply to text: any fill at all is an opaque background in
// the brush colour.
void TextBackground(TCanvas& canvas, int fillSetting) { canvas.Brush.Style = fillSetting <= 0 ? bsClear : bsSolid; }

}  // namespace

TPoint TextLineStep(int angleDegrees, int fontHeight) {
  const double across = (angleDegrees - 90) * std::numbers::pi / 180;
  return TPoint{RoundToPixel(std::cos(across) * fontHeight), RoundToPixel(std::sin(across) * fontHeight)};
}

void WriteTextLines(TCanvas& canvas, TPoint anchor, int angleDegrees, const std::vector<std::string>& lines) {
  const TPoint step = TextLineStep(angleDegrees, canvas.Font.Height);
  long long x = anchor.X, y = anchor.Y;
  for (const std::string& line : lines) {
    canvas.TextOut(RoundToPixel(x), RoundToPixel(y), line);
    x -= step.X;
    y += step.Y;
  }
}

void TextFigure(TCanvas& canvas, TPoint e, const TTextFigure& text) {
  TextBackground(canvas, text.fillSetting);
  WriteTextLines(canvas, e, text.escapement, text.lines);
}

void AngledTextFigure(TCanvas& canvas, TPoint s, TPoint e, const TTextFigure& text) {
  const int angle = AngleOf(s, e);
  MakeTextFont(canvas, text.font, angle, text.ppi);
  TextBackground(canvas, text.fillSetting);
  WriteTextLines(canvas, s, angle, text.lines);
}
