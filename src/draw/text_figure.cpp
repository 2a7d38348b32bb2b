#include "draw/text_figure.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "draw/stroke_geometry.h"
#include "draw/whole_pixels.h"
#include "surface/font_engine.h"

namespace {

// Hatches and the pattern do not apply to text: any fill at all is an opaque background in
// the brush colour.
void TextBackground(TCanvas& canvas, int fillSetting) { canvas.Brush.Style = fillSetting <= 0 ? bsClear : bsSolid; }

}  // namespace

TPoint TextLineStep(int angleDegrees, int fontHeight) {
  const double across = (angleDegrees - 90) * std::numbers::pi / 180;
  return TPoint{RoundToPixel(std::cos(across) * fontHeight), RoundToPixel(std::sin(across) * fontHeight)};
}

TPoint TextLineAnchor(TPoint anchor, TPoint step, int line) {
  return TPoint{RoundToPixel((long double)anchor.X - (long double)line * step.X),
                RoundToPixel((long double)anchor.Y + (long double)line * step.Y)};
}

void WriteTextLines(TCanvas& canvas, TPoint anchor, int angleDegrees, const std::vector<std::string>& lines) {
  const TPoint step = TextLineStep(angleDegrees, canvas.Font.Height);
  for (std::size_t d = 0; d < lines.size(); ++d) {
    const TPoint p = TextLineAnchor(anchor, step, int(d));
    canvas.TextOut(p.X, p.Y, lines[d]);
  }
}

void TextFigure(TCanvas& canvas, TPoint e, const TTextFigure& text, int fillSetting) {
  TextBackground(canvas, fillSetting);
  WriteTextLines(canvas, e, text.escapement, text.lines);
}

void AngledTextFigure(TCanvas& canvas, TPoint s, TPoint e, const TTextFigure& text, int fillSetting) {
  const int angle = AngleOf(s, e);
  MakeTextFont(canvas, text.font, angle, text.ppi);
  TextBackground(canvas, fillSetting);
  WriteTextLines(canvas, s, angle, text.lines);
}

std::optional<TTextExtent> TextFigureExtent(bool angled, TPoint s, TPoint e, const TTextFigure& text) {
  const int angle = angled ? AngleOf(s, e) : text.escapement;
  const TPoint anchor = angled ? s : e;
  const TFont font = TextFont(text.font, angle, text.ppi);
  const TPoint step = TextLineStep(angle, font.Height);
  double c = 1, sn = 0;
  EscapementCosSin(font.Escapement, c, sn);
  constexpr double kNone = std::numeric_limits<double>::infinity();
  TTextExtent extent{kNone, kNone, -kNone, -kNone, font.Height};
  for (std::size_t d = 0; d < text.lines.size(); ++d) {
    const TTextRun run = MeasureText(font, text.lines[d]);
    if (run.Width <= 0) continue;
    const TPoint p = TextLineAnchor(anchor, step, int(d));
    // The cell turns with the text: along the base line (cos, -sin), down the cell (sin, cos).
    for (const double along : {0.0, double(run.Width)})
      for (const double down : {0.0, double(run.Metrics.CellHeight())}) {
        const double x = p.X + along * c + down * sn, y = p.Y - along * sn + down * c;
        extent.left = std::min(extent.left, x);
        extent.right = std::max(extent.right, x);
        extent.top = std::min(extent.top, y);
        extent.bottom = std::max(extent.bottom, y);
      }
  }
  if (extent.left > extent.right) return std::nullopt;
  return extent;
}
