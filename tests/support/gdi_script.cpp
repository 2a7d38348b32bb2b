#include "support/gdi_script.h"

#include <sstream>
#include <stdexcept>
#include <vector>

#include "surface/canvas.h"

namespace {

TColor scriptColor(const std::string& word) {
  const unsigned long v = std::stoul(word, nullptr, 0);
  return RGB(std::uint8_t(v >> 16), std::uint8_t(v >> 8), std::uint8_t(v));
}

TPixelFormat scriptFormat(int bpp) {
  switch (bpp) {
    case 1: return pf1bit;
    case 4: return pf4bit;
    case 8: return pf8bit;
    case 16: return pf15bit;
    case 24: return pf24bit;
    case 32: return pf32bit;
    default: throw std::runtime_error("bitmap depth " + std::to_string(bpp));
  }
}

TPenMode scriptMode(const std::string& name) {
  if (name == "copy") return pmCopy;
  if (name == "not") return pmNot;
  if (name == "xor") return pmXor;
  if (name == "notxor") return pmNotXor;
  throw std::runtime_error("rop2 " + name);
}

class Runner {
 public:
  void Line(const std::string& cmd, const std::vector<std::string>& args);
  GdiScriptResult result;

 private:
  int arg(std::size_t i) const { return int(std::stol(args_.at(i), nullptr, 0)); }
  std::vector<TPoint> points() const {
    std::vector<TPoint> pts;
    for (std::size_t i = 0; i + 1 < args_.size(); i += 2) pts.push_back(Point(arg(i), arg(i + 1)));
    return pts;
  }
  void figure(const std::string& cmd, TCanvas& c);

  std::vector<std::string> args_;
  bool winding_ = false;
};

void Runner::Line(const std::string& cmd, const std::vector<std::string>& args) {
  args_ = args;
  if (cmd == "bitmap") {
    result.bitmap = std::make_unique<TBitmap>(arg(1), arg(2), scriptFormat(arg(0)));
    winding_ = false;
    return;
  }
  if (!result.bitmap) throw std::runtime_error("no bitmap yet");
  TCanvas& c = result.bitmap->Canvas();
  if (cmd == "bkmode" && args.at(0) == "transparent") return;
  if (cmd == "pen") {
    const std::string& style = args.at(0);
    c.Pen.Style = style == "null" ? psClear : style == "dot" ? psDot : psSolid;
    if (style != "null" && style != "dot" && style != "solid") throw std::runtime_error("pen " + style);
    c.Pen.Width = arg(1);
    c.Pen.Color = scriptColor(args.at(2));
  } else if (cmd == "brush") {
    c.Brush.Style = args.at(0) == "null" ? bsClear : bsSolid;
    if (args.at(0) == "solid") c.Brush.Color = scriptColor(args.at(1));
  } else if (cmd == "rop2") {
    c.Pen.Mode = scriptMode(args.at(0));
  } else if (cmd == "polyfill") {
    winding_ = args.at(0) == "winding";
  } else if (cmd == "cliprect") {
    c.SetClipRect(Rect(arg(0), arg(1), arg(2), arg(3)));
  } else if (cmd == "clipoff") {
    c.ResetClipRect();
  } else if (cmd == "save") {
    result.saved = args.at(0);
  } else {
    figure(cmd, c);
  }
}

void Runner::figure(const std::string& cmd, TCanvas& c) {
  if (cmd == "moveto") c.MoveTo(arg(0), arg(1));
  else if (cmd == "lineto") c.LineTo(arg(0), arg(1));
  else if (cmd == "line") c.MoveTo(arg(0), arg(1)), c.LineTo(arg(2), arg(3));
  else if (cmd == "polyline") c.Polyline(points());
  else if (cmd == "polygon") c.Polygon(points(), winding_);
  else if (cmd == "rectangle") c.Rectangle(arg(0), arg(1), arg(2), arg(3));
  else if (cmd == "ellipse") c.Ellipse(arg(0), arg(1), arg(2), arg(3));
  else if (cmd == "roundrect") c.RoundRect(arg(0), arg(1), arg(2), arg(3), arg(4), arg(5));
  else throw std::runtime_error("command " + cmd);
}

}  // namespace

GdiScriptResult RunGdiScript(const std::string& text) {
  Runner runner;
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    for (char& ch : line)
      if (ch == ',') ch = ' ';
    std::istringstream words(line.substr(0, line.find('#')));
    std::string cmd, word;
    std::vector<std::string> args;
    if (!(words >> cmd)) continue;
    while (words >> word) args.push_back(word);
    try {
      runner.Line(cmd, args);
    } catch (const std::exception& e) {
      throw std::runtime_error("line " + std::to_string(number) + ": " + e.what());
    }
  }
  return std::move(runner.result);
}
