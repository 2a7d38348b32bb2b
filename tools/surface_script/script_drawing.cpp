// The drawing commands of the script runner that need more than one call on the canvas.
#include "script_runner.h"
#include "surface/canvas.h"

namespace {

void need(const std::vector<std::string>& w, std::size_t n) {
  if (w.size() < n + 1) throw ScriptError{w[0] + " needs " + std::to_string(n) + " arguments"};
}

}  // namespace

void ScriptRunner::cmdPen(const Words& w) {
  need(w, 3);
  if (w.size() > 4 && !(w[4] == "round" && (w.size() < 6 || w[5] == "round")))
    throw ScriptError{"only round ends and joins are part of this surface"};
  TPen& pen = canvas().Pen;
  if (w[1] == "solid")
    pen.Style = psSolid;
  else if (w[1] == "dot")
    pen.Style = psDot;
  else if (w[1] == "null")
    pen.Style = psClear;
  else
    throw ScriptError{"pen style '" + w[1] + "' is not part of this surface"};
  pen.Width = arg(w, 2);
  pen.Color = color(w[3]);
}

void ScriptRunner::cmdBrush(const Words& w) {
  need(w, 1);
  TBrush& brush = canvas().Brush;
  const std::string& kind = w[1];
  brush.Bitmap = nullptr;
  if (kind == "null" || kind == "hollow") {
    brush.Style = bsClear;
  } else if (kind == "solid") {
    need(w, 2);
    brush = TBrush{color(w[2]), bsSolid, nullptr};
  } else if (kind.rfind("hatch:", 0) == 0) {
    need(w, 2);
    brush = TBrush{color(w[2]), ParseHatch(kind.substr(6)), nullptr};
  } else if (kind.rfind("pattern:", 0) == 0 || kind.rfind("dibpattern:", 0) == 0) {
    std::string source = kind.substr(kind.find(':') + 1);
    brushPattern_ = std::make_unique<TBitmap>();
    if (source == "self" || named_.count(source))
      brushPattern_->Assign(named(source));
    else
      brushPattern_ = loadFile(source);
    brush.Style = bsSolid;
    brush.Bitmap = brushPattern_.get();
  } else {
    throw ScriptError{"brush kind '" + kind + "' is not part of this surface"};
  }
}

void ScriptRunner::cmdClipRect(const Words& w) {
  need(w, 4);
  TRect r = IntersectRect(NormalizedRect(Rect(arg(w, 1), arg(w, 2), arg(w, 3), arg(w, 4))), canvas().ClipRect());
  canvas().SetClipRect(r);
}

void ScriptRunner::cmdPolygon(const Words& w, bool polyline) {
  if (w.size() % 2 == 0) throw ScriptError{w[0] + " needs pairs of coordinates"};
  std::vector<TPoint> points;
  for (std::size_t i = 1; i + 1 < w.size(); i += 2) points.push_back(Point(arg(w, i), arg(w, i + 1)));
  if (polyline)
    canvas().Polyline(points);
  else
    canvas().Polygon(points, winding_);
}

void ScriptRunner::cmdFloodFill(const Words& w) {
  need(w, 2);
  if (w.size() > 3) throw ScriptError{"border flood fills are not part of this surface"};
  int x = arg(w, 1), y = arg(w, 2);
  canvas().FloodFill(x, y, canvas().GetPixel(x, y));
}

// bitblt DX DY W H NAME SX SY ROP, stretchblt DX DY DW DH NAME SX SY SW SH ROP. A negative
// width W at X covers X+W+1..X, which is the canvas's own reversed-corner rectangle X..X+W.
void ScriptRunner::cmdBlit(const Words& w, bool stretch) {
  need(w, stretch ? 10 : 8);
  TBitmap& source = named(w[5]);
  const int dx = arg(w, 1), dy = arg(w, 2), dw = arg(w, 3), dh = arg(w, 4);
  const int sx = arg(w, 6), sy = arg(w, 7);
  const int sw = stretch ? arg(w, 8) : dw, sh = stretch ? arg(w, 9) : dh;
  TCanvas& c = canvas();
  const TCopyMode saved = c.CopyMode;
  c.CopyMode = ParseRasterOp(w[stretch ? 10 : 8]);
  if (&source == &target()) {
    c.CopyRect(Rect(dx, dy, dx + dw, dy + dh), c, Rect(sx, sy, sx + sw, sy + sh));
  } else {
    c.CopyRect(Rect(dx, dy, dx + dw, dy + dh), source.Canvas(), Rect(sx, sy, sx + sw, sy + sh));
  }
  c.CopyMode = saved;
}

void ScriptRunner::cmdPatBlt(const Words& w) {
  need(w, 5);
  const int l = arg(w, 1), t = arg(w, 2);
  const TRect dest = Rect(l, t, l + arg(w, 3), t + arg(w, 4));
  TCanvas& c = canvas();
  const TCopyMode saved = c.CopyMode;
  c.CopyMode = ParseRasterOp(w[5]);
  c.CopyRect(dest, c, dest);
  c.CopyMode = saved;
}

// transparentblt DX DY DW DH NAME SX SY SW SH COLOR: the source part, scaled, with one
// colour left out.
void ScriptRunner::cmdTransparentBlt(const Words& w) {
  need(w, 10);
  TBitmap& source = named(w[5]);
  const int sw = arg(w, 8), sh = arg(w, 9);
  TBitmap part(std::abs(sw), std::abs(sh), source.PixelFormat());
  part.SetPalette(source.Palette());
  const int sx = arg(w, 6), sy = arg(w, 7);
  part.Canvas().CopyRect(part.BoundsRect(), source.Canvas(), Rect(sx, sy, sx + sw, sy + sh));
  part.Transparent = true;
  part.TransparentColor = color(w[10]);
  TCanvas& c = canvas();
  const TCopyMode saved = c.CopyMode;
  c.CopyMode = cmSrcCopy;
  const int dx = arg(w, 1), dy = arg(w, 2);
  c.StretchDraw(Rect(dx, dy, dx + arg(w, 3), dy + arg(w, 4)), part);
  c.CopyMode = saved;
}
