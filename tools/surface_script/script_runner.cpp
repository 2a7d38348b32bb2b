#include "script_runner.h"

#include <cstdio>
#include <fstream>
#include <set>

#include "document/bmp_file.h"
#include "surface/canvas.h"
#include "surface/surface_error.h"

namespace {

std::string folderOf(const std::string& path) {
  auto slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

void need(const std::vector<std::string>& w, std::size_t n) {
  if (w.size() < n + 1) throw ScriptError{w[0] + " needs " + std::to_string(n) + " arguments"};
}

TPixelFormat formatOfBitCount(const std::string& word) {
  if (word == "1") return pf1bit;
  if (word == "4") return pf4bit;
  if (word == "8") return pf8bit;
  if (word == "16" || word == "16/555") return pf15bit;
  if (word == "16/565") return pf16bit;
  if (word == "24") return pf24bit;
  if (word == "32") return pf32bit;
  throw ScriptError{"bit count '" + word + "' is not one of this surface's formats"};
}

// Commands of the reference tool that this surface does not have.
const std::set<std::string> kUnsupported = {"arc", "pie", "chord", "polybezier", "framerect",
                                            "font", "textalign", "textout", "arcdir"};

}  // namespace

void ScriptRunner::RunFile(const std::string& path) {
  std::ifstream in(path);
  if (!in) throw ScriptError{"cannot open " + path};
  const std::string savedBase = baseDir_;
  baseDir_ = folderOf(path);
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    try {
      runLine(line);
    } catch (const ScriptError& e) {
      if (e.located) throw;
      throw ScriptError{path + ":" + std::to_string(number) + ": " + e.message, true};
    } catch (const ESurfaceError& e) {
      throw ScriptError{path + ":" + std::to_string(number) + ": " + e.what(), true};
    }
  }
  baseDir_ = savedBase;
}

void ScriptRunner::runLine(const std::string& line) {
  auto start = line.find_first_not_of(" \t");
  if (start == std::string::npos) return;
  std::string text = line.substr(start);
  if (text.rfind("echo", 0) == 0 && (text.size() == 4 || text[4] == ' ' || text[4] == '\t' || text[4] == '\r')) {
    auto from = text.find_first_not_of(" \t", 4);
    std::string rest = from == std::string::npos ? "" : text.substr(from);
    while (!rest.empty() && (rest.back() == '\r' || rest.back() == '\n')) rest.pop_back();
    out_ << rest << "\n";
    return;
  }
  Words words = SplitWords(text);
  if (!words.empty()) dispatch(words);
}

void ScriptRunner::dispatch(const Words& w) {
  const std::string& c = w[0];
  if (kUnsupported.count(c)) throw ScriptError{"'" + c + "' is not part of this surface"};
  static const std::map<std::string, std::function<void(ScriptRunner&, const Words&)>> commands = {
      {"bitmap", &ScriptRunner::cmdBitmap},
      {"open", &ScriptRunner::cmdOpen},
      {"save", &ScriptRunner::cmdSave},
      {"load", [](ScriptRunner& r, const Words& w) { need(w, 2); r.named_[w[1]] = r.loadFile(w[2]); }},
      {"snapshot", [](ScriptRunner& r, const Words& w) {
         need(w, 1);
         auto copy = std::make_unique<TBitmap>();
         copy->Assign(r.target());
         r.named_[w[1]] = std::move(copy);
       }},
      {"diff", &ScriptRunner::cmdDiff},
      {"dump", &ScriptRunner::cmdDump},
      {"show", &ScriptRunner::cmdDump},
      {"getpixel", &ScriptRunner::cmdGetPixel},
      {"include", [](ScriptRunner& r, const Words& w) {
         need(w, 1);
         if (++r.includeDepth_ > 16) throw ScriptError{"include nested too deeply"};
         r.RunFile(r.resolve(w[1]));
         --r.includeDepth_;
       }},
      {"pen", &ScriptRunner::cmdPen},
      {"brush", &ScriptRunner::cmdBrush},
      {"rop2", [](ScriptRunner& r, const Words& w) { need(w, 1); r.canvas().Pen.Mode = ParseMixMode(w[1]); }},
      {"bkmode", [](ScriptRunner&, const Words& w) { need(w, 1); }},
      {"bkcolor", [](ScriptRunner&, const Words& w) { need(w, 1); }},
      {"textcolor", [](ScriptRunner& r, const Words& w) { need(w, 1); r.canvas().Font.Color = r.color(w[1]); }},
      {"polyfill", [](ScriptRunner& r, const Words& w) {
         need(w, 1);
         if (w[1] != "winding" && w[1] != "alternate") throw ScriptError{"polyfill alternate|winding"};
         r.winding_ = w[1] == "winding";
       }},
      {"stretchmode", [](ScriptRunner&, const Words& w) {
         need(w, 1);
         if (w[1] != "coloroncolor" && w[1] != "deletescans")
           throw ScriptError{"stretch mode '" + w[1] + "' is not part of this surface"};
       }},
      {"brushorg", [](ScriptRunner& r, const Words& w) { need(w, 2); r.canvas().BrushOrigin = Point(r.arg(w, 1), r.arg(w, 2)); }},
      {"cliprect", &ScriptRunner::cmdClipRect},
      {"clipoff", [](ScriptRunner& r, const Words&) { r.canvas().ResetClipRect(); }},
      {"moveto", [](ScriptRunner& r, const Words& w) { need(w, 2); r.canvas().MoveTo(r.arg(w, 1), r.arg(w, 2)); }},
      {"lineto", [](ScriptRunner& r, const Words& w) { need(w, 2); r.canvas().LineTo(r.arg(w, 1), r.arg(w, 2)); }},
      {"line", [](ScriptRunner& r, const Words& w) {
         need(w, 4);
         r.canvas().MoveTo(r.arg(w, 1), r.arg(w, 2));
         r.canvas().LineTo(r.arg(w, 3), r.arg(w, 4));
       }},
      {"rectangle", [](ScriptRunner& r, const Words& w) { need(w, 4); r.canvas().Rectangle(r.arg(w, 1), r.arg(w, 2), r.arg(w, 3), r.arg(w, 4)); }},
      {"ellipse", [](ScriptRunner& r, const Words& w) { need(w, 4); r.canvas().Ellipse(r.arg(w, 1), r.arg(w, 2), r.arg(w, 3), r.arg(w, 4)); }},
      {"roundrect", [](ScriptRunner& r, const Words& w) {
         need(w, 6);
         r.canvas().RoundRect(r.arg(w, 1), r.arg(w, 2), r.arg(w, 3), r.arg(w, 4), r.arg(w, 5), r.arg(w, 6));
       }},
      {"polygon", [](ScriptRunner& r, const Words& w) { r.cmdPolygon(w, false); }},
      {"polyline", [](ScriptRunner& r, const Words& w) { r.cmdPolygon(w, true); }},
      {"fillrect", [](ScriptRunner& r, const Words& w) { need(w, 4); r.canvas().FillRect(Rect(r.arg(w, 1), r.arg(w, 2), r.arg(w, 3), r.arg(w, 4))); }},
      {"patblt", &ScriptRunner::cmdPatBlt},
      {"clear", [](ScriptRunner& r, const Words& w) {
         need(w, 1);
         TBrush saved = r.canvas().Brush;
         r.canvas().Brush = TBrush{r.color(w[1]), bsSolid, nullptr};
         r.canvas().FillRect(r.target().BoundsRect());
         r.canvas().Brush = saved;
       }},
      {"floodfill", &ScriptRunner::cmdFloodFill},
      {"setpixel", [](ScriptRunner& r, const Words& w) { need(w, 3); r.canvas().SetPixel(r.arg(w, 1), r.arg(w, 2), r.color(w[3])); }},
      {"bitblt", [](ScriptRunner& r, const Words& w) { r.cmdBlit(w, false); }},
      {"stretchblt", [](ScriptRunner& r, const Words& w) { r.cmdBlit(w, true); }},
      {"transparentblt", &ScriptRunner::cmdTransparentBlt},
  };
  auto it = commands.find(c);
  if (it == commands.end()) throw ScriptError{"unknown command '" + c + "'"};
  it->second(*this, w);
}

TBitmap& ScriptRunner::target() {
  if (!target_) throw ScriptError{"no drawing bitmap yet (use bitmap or open first)"};
  return *target_;
}

TBitmap& ScriptRunner::named(const std::string& name) {
  if (name == "self") return target();
  auto it = named_.find(name);
  if (it == named_.end()) throw ScriptError{"no bitmap named '" + name + "'"};
  return *it->second;
}

std::string ScriptRunner::resolve(const std::string& name) const {
  return !name.empty() && name[0] == '/' ? name : baseDir_ + name;
}

std::unique_ptr<TBitmap> ScriptRunner::loadFile(const std::string& name) const {
  auto bitmap = std::make_unique<TBitmap>();
  LoadBmpFile(resolve(name), *bitmap);
  return bitmap;
}

int ScriptRunner::arg(const Words& w, std::size_t i) const {
  if (i >= w.size()) throw ScriptError{w[0] + ": missing argument"};
  return ParseInt(w[i]);
}

TColor ScriptRunner::color(const std::string& word) {
  ScriptColor c = ParseColor(word);
  if (!c.paletteIndex) return c.color;
  const TPalette& palette = target().Palette();
  if (*c.paletteIndex < 0 || *c.paletteIndex >= palette.Count())
    throw ScriptError{"palette index out of range: " + word};
  return palette[*c.paletteIndex];
}

void ScriptRunner::startTarget(std::unique_ptr<TBitmap> bitmap) {
  target_ = std::move(bitmap);
  winding_ = false;
}

void ScriptRunner::cmdBitmap(const Words& w) {
  need(w, 3);
  TPixelFormat format = formatOfBitCount(w[1]);
  int width = arg(w, 2), height = std::abs(arg(w, 3));
  if (width <= 0 || height <= 0 || width > 16384 || height > 16384)
    throw ScriptError{"bad bitmap size " + w[2] + "x" + w[3]};
  auto bitmap = std::make_unique<TBitmap>(width, height, format);
  if (w.size() > 4) {
    std::unique_ptr<TBitmap> file;  // keeps a palette read from a file alive while it is used
    if (w[4] != "self" && !named_.count(w[4])) file = loadFile(w[4]);
    const TBitmap& source = file ? *file : named(w[4]);
    if (!IsIndexed(source.PixelFormat())) throw ScriptError{"palette file '" + w[4] + "' has no colour table"};
    std::vector<TColor> entries = source.Palette().Entries();
    entries.resize(std::size_t(1) << BitsPerPixel(format), clBlack);
    bitmap->SetPalette(TPalette(entries));
    bitmap->Canvas().FillRect(bitmap->BoundsRect());
  }
  startTarget(std::move(bitmap));
}

void ScriptRunner::cmdOpen(const Words& w) {
  need(w, 1);
  startTarget(loadFile(w[1]));
}

void ScriptRunner::cmdDiff(const Words& w) {
  need(w, 1);
  const TBitmap& a = named(w[1]);
  const TBitmap& b = target();
  if (a.Width() != b.Width() || a.Height() != b.Height() || a.PixelFormat() != b.PixelFormat())
    throw ScriptError{"diff: '" + w[1] + "' has another size or format"};
  int count = 0;
  TRect box{b.Width(), b.Height(), -1, -1};
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (a.GetRaw(x, y) != b.GetRaw(x, y)) {
        ++count;
        box = TRect{std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x), std::max(box.Bottom, y)};
      }
  if (!count) {
    out_ << "diff " << w[1] << ": identical\n";
    return;
  }
  out_ << "diff " << w[1] << ": " << count << " pixels differ, within [" << box.Left << "," << box.Top
       << ")-[" << box.Right + 1 << "," << box.Bottom + 1 << ")\n";
}

void ScriptRunner::cmdDump(const Words& w) {
  std::size_t a = 1;
  const TBitmap* source = nullptr;
  if (w.size() > 1 && !std::isdigit(static_cast<unsigned char>(w[1][0])) && w[1][0] != '-') {
    source = &named(w[1]);
    a = 2;
  } else {
    source = &target();
  }
  TRect r = source->BoundsRect();
  if (w.size() >= a + 4) r = IntersectRect(Rect(arg(w, a), arg(w, a + 1), arg(w, a + 2), arg(w, a + 3)), r);
  const bool hex = w[0] == "dump";
  out_ << w[0] << " [" << r.Left << "," << r.Top << ")-[" << r.Right << "," << r.Bottom << ") of "
       << source->Width() << "x" << source->Height() << ", " << BitsPerPixel(source->PixelFormat()) << " bpp\n";
  for (int y = r.Top; y < r.Bottom; ++y) {
    char label[16];
    std::snprintf(label, sizeof label, "%4d ", y);
    out_ << label;
    for (int x = r.Left; x < r.Right; ++x) {
      if (hex) {
        std::snprintf(label, sizeof label, "%x ", source->GetRaw(x, y));
        out_ << label;
        continue;
      }
      TColor c = source->GetPixel(x, y);
      out_ << (c == clWhite ? '.' : c == clBlack ? '#' : 'o');
    }
    out_ << "\n";
  }
}

void ScriptRunner::cmdSave(const Words& w) {
  need(w, 1);
  if (saves_ == Saves::Write) {
    SaveBmpFile(target(), resolve(w[1]));
    return;
  }
  lastSaved_ = std::make_unique<TBitmap>();
  lastSaved_->Assign(target());
  lastSavedName_ = w[1];
}

void ScriptRunner::cmdGetPixel(const Words& w) {
  need(w, 2);
  int x = arg(w, 1), y = arg(w, 2);
  TColor c = target().GetPixel(x, y);
  char text[96];
  if (c == clInvalid)
    std::snprintf(text, sizeof text, "getpixel %d %d: outside\n", x, y);
  else
    std::snprintf(text, sizeof text, "getpixel %d %d: 0x%02X%02X%02X raw 0x%x\n", x, y, GetRValue(c),
                  GetGValue(c), GetBValue(c), target().GetRaw(x, y));
  out_ << text;
}
