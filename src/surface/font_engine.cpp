#include "surface/font_engine.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_SIZES_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <climits>
#include <cmath>
#include <map>
#include <mutex>
#include <numbers>
#include <optional>
#include <tuple>
#include <unordered_map>

#include "surface/font_match.h"
#include "surface/utf8.h"

namespace {

// A font of height 0 gets a cell this many pixels high, as GDI gives it.
constexpr int kDefaultCellHeight = 16;
// Bounds of the caches: a drag of the angled-text tool makes new turned glyphs at every move,
// and a glyph of the largest size takes half a megabyte.
constexpr std::size_t kMaxSizedFonts = 32;
constexpr std::size_t kMaxMatches = 256;
constexpr std::size_t kMaxMaskBytes = std::size_t(64) << 20;  // all fonts together
// Outlines only, hinted for monochrome: every size and angle is drawn the same way.
constexpr FT_Int32 kLoadFlags = FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_MONO;
// Synthetic italics slant x by a quarter of y, the slant of GDI's simulated italics.
constexpr double kObliqueShear = 0.25;

FT_Fixed toFixed(double v) { return FT_Fixed(std::lround(v * 65536.0)); }

// A face at one size with its synthetic styles, and what has been drawn from it.
struct SizedFont {
  FT_Face face = nullptr;  // owned by the engine's face table
  FT_Size size = nullptr;  // owned here
  int ppem = 0;
  bool embolden = false;
  bool oblique = false;
  TFontMetrics metrics;
  std::unordered_map<FT_UInt, int> advances;
  std::unordered_map<std::uint64_t, std::shared_ptr<const TGlyphMask>> masks;  // by angle and glyph

  SizedFont() = default;
  SizedFont(const SizedFont&) = delete;
  SizedFont& operator=(const SizedFont&) = delete;
  ~SizedFont() {
    if (size) FT_Done_Size(size);
  }
};

// The design ascent and descent (font units, both positive) that make a cell: the OS/2
// Windows metrics when the font has them, as GDI uses, else the horizontal header's.
std::pair<double, double> designCell(FT_Face face) {
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0)
    return {double(os2->usWinAscent), double(os2->usWinDescent)};
  if (face->ascender - face->descender > 0) return {double(face->ascender), double(-face->descender)};
  return {double(face->bbox.yMax), double(-face->bbox.yMin)};
}

// Negative heights are the em (character) height, positive ones the cell height.
int pixelsPerEm(FT_Face face, int height) {
  double ppem = 0;
  if (height < 0) {
    ppem = -double(height);
  } else {
    const auto [ascent, descent] = designCell(face);
    const double cell = height == 0 ? kDefaultCellHeight : height;
    ppem = ascent + descent > 0 ? cell * face->units_per_EM / (ascent + descent) : cell;
  }
  return int(std::clamp(std::nearbyint(ppem), 1.0, double(kMaxFontPixels)));
}

// Band of a line centred on a design position (font units above the base line).
void placeBand(double position, double thickness, double scale, int& top, int& height) {
  height = std::max(1, int(std::nearbyint(thickness * scale)));
  top = -int(std::nearbyint(position * scale)) - height / 2;
}

TFontMetrics metricsOf(FT_Face face, int ppem) {
  const double scale = double(ppem) / face->units_per_EM;
  const auto [ascent, descent] = designCell(face);
  TFontMetrics m;
  m.Ascent = int(std::nearbyint(ascent * scale));
  m.Descent = int(std::nearbyint(descent * scale));
  // GDI centres the underline on the post table's position, which FreeType's own
  // underline_position has already moved down by half the thickness.
  const auto* post = static_cast<const TT_Postscript*>(FT_Get_Sfnt_Table(face, FT_SFNT_POST));
  const double underlineSize = post && post->underlineThickness > 0 ? post->underlineThickness
                               : face->underline_thickness > 0    ? face->underline_thickness
                                                                  : face->units_per_EM / 20.0;
  const double underlinePos = post && post->underlineThickness > 0 ? double(post->underlinePosition)
                              : face->underline_position < 0      ? face->underline_position
                                                                  : -descent / 2;
  placeBand(underlinePos, underlineSize, scale, m.UnderlineTop, m.UnderlineThickness);
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  const bool hasStrike = os2 && os2->version != 0xFFFF && os2->yStrikeoutSize > 0;
  placeBand(hasStrike ? os2->yStrikeoutPosition : ascent / 3, hasStrike ? os2->yStrikeoutSize : underlineSize, scale,
            m.StrikeOutTop, m.StrikeOutThickness);
  return m;
}

// The glyph transform: the slant of synthetic italics, then the turn (FreeType's y points up,
// so counter-clockwise is the positive angle).
FT_Matrix glyphMatrix(int escapement, bool oblique) {
  double c = 1, s = 0;
  EscapementCosSin(escapement, c, s);
  const double shear = oblique ? kObliqueShear : 0.0;
  return FT_Matrix{toFixed(c), toFixed(shear * c - s), toFixed(s), toFixed(shear * s + c)};
}

// Copies a rendered monochrome bitmap, whichever way its rows run.
void copyBitmap(const FT_Bitmap& b, TGlyphMask& mask) {
  mask.Width = int(b.width);
  mask.Height = int(b.rows);
  mask.Pitch = (mask.Width + 7) / 8;
  mask.Bits.assign(std::size_t(mask.Pitch) * mask.Height, 0);
  const int stride = std::abs(b.pitch);
  for (int y = 0; y < mask.Height; ++y) {
    const int sourceRow = b.pitch >= 0 ? y : mask.Height - 1 - y;
    std::copy_n(b.buffer + std::size_t(sourceRow) * stride, mask.Pitch, mask.Bits.begin() + std::size_t(y) * mask.Pitch);
  }
}

std::shared_ptr<const TGlyphMask> renderMask(SizedFont& font, FT_UInt index, int escapement) {
  auto mask = std::make_shared<TGlyphMask>();
  FT_GlyphSlot slot = font.face->glyph;
  if (FT_Load_Glyph(font.face, index, kLoadFlags) != 0 || slot->format != FT_GLYPH_FORMAT_OUTLINE) return mask;
  // GDI thickens the upright outline, by a 24th of the em, before slanting and turning it.
  if (font.embolden) FT_Outline_Embolden(&slot->outline, FT_MulDiv(font.ppem, 64, 24));
  FT_Matrix matrix = glyphMatrix(escapement, font.oblique);
  FT_Outline_Transform(&slot->outline, &matrix);
  if (FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0 || slot->bitmap.pixel_mode != FT_PIXEL_MODE_MONO) return mask;
  copyBitmap(slot->bitmap, *mask);
  mask->OffsetX = slot->bitmap_left;
  mask->OffsetY = -slot->bitmap_top;
  return mask;
}

int advanceOf(SizedFont& font, FT_UInt index) {
  if (auto it = font.advances.find(index); it != font.advances.end()) return it->second;
  int advance = 0;
  if (FT_Load_Glyph(font.face, index, kLoadFlags) == 0) advance = int((font.face->glyph->advance.x + 32) >> 6);
  // Simulated bold widens every character cell by one pixel.
  if (font.embolden) advance += 1;
  font.advances.emplace(index, advance);
  return advance;
}

class FontEngine {
 public:
  static FontEngine& instance() {
    static FontEngine engine;
    return engine;
  }

  TTextRun run(const TFont& font, const std::string& utf8, bool withMasks);

 private:
  using FontKey = std::tuple<std::string, int, int, bool>;  // name, height, weight, italic

  FontEngine() {
    if (FT_Init_FreeType(&library_) != 0) library_ = nullptr;
  }
  ~FontEngine() {
    sized_.clear();
    for (auto& entry : faces_) FT_Done_Face(entry.second);
    if (library_) FT_Done_FreeType(library_);
  }

  SizedFont* sizedFont(const TFont& font);
  SizedFont* fallbackFor(const TFont& font, const SizedFont& primary);
  const std::shared_ptr<const TGlyphMask>& mask(SizedFont& font, FT_UInt index, int escapement);
  std::unique_ptr<SizedFont> openSized(const std::string& name, const TFont& font);
  FT_Face openFace(const TFaceFile& file);

  std::mutex mutex_;
  FT_Library library_ = nullptr;
  std::map<std::tuple<std::string, int, bool>, std::optional<TFaceFile>> matches_;
  std::map<std::pair<std::string, int>, FT_Face> faces_;  // nullptr: the file would not open
  std::map<FontKey, std::unique_ptr<SizedFont>> sized_;
  std::size_t maskBytes_ = 0;  // held by the masks of all sized fonts
};

FT_Face FontEngine::openFace(const TFaceFile& file) {
  const auto key = std::make_pair(file.Path, file.Index);
  if (auto it = faces_.find(key); it != faces_.end()) return it->second;
  FT_Face face = nullptr;
  if (FT_New_Face(library_, file.Path.c_str(), file.Index, &face) != 0) face = nullptr;
  if (face && (!FT_IS_SCALABLE(face) || face->units_per_EM == 0)) {
    FT_Done_Face(face);
    face = nullptr;
  }
  faces_.emplace(key, face);
  return face;
}

std::unique_ptr<SizedFont> FontEngine::openSized(const std::string& name, const TFont& font) {
  const auto matchKey = std::make_tuple(name, font.Weight, font.Italic);
  auto found = matches_.find(matchKey);
  if (found == matches_.end()) {
    if (matches_.size() >= kMaxMatches) matches_.clear();
    found = matches_.emplace(matchKey, MatchFace(name, font.Weight, font.Italic)).first;
  }
  if (!found->second) return nullptr;
  const TFaceFile& file = *found->second;
  FT_Face face = openFace(file);
  if (!face) return nullptr;
  auto sized = std::make_unique<SizedFont>();
  sized->face = face;
  sized->ppem = pixelsPerEm(face, font.Height);
  sized->embolden = file.SynthesizeBold;
  sized->oblique = file.SynthesizeItalic;
  if (FT_New_Size(face, &sized->size) != 0 || FT_Activate_Size(sized->size) != 0 ||
      FT_Set_Pixel_Sizes(face, 0, FT_UInt(sized->ppem)) != 0)
    return nullptr;
  sized->metrics = metricsOf(face, sized->ppem);
  return sized;
}

SizedFont* FontEngine::sizedFont(const TFont& font) {
  if (!library_) return nullptr;
  const FontKey key{font.Name, font.Height, font.Weight, font.Italic};
  if (auto it = sized_.find(key); it != sized_.end()) return it->second.get();
  // A face that is missing or will not open gives way to the default face.
  std::unique_ptr<SizedFont> sized = openSized(font.Name, font);
  if (!sized) sized = openSized(kDefaultFontFace, font);
  if (!sized) return nullptr;
  return sized_.emplace(key, std::move(sized)).first->second.get();
}

const std::shared_ptr<const TGlyphMask>& FontEngine::mask(SizedFont& font, FT_UInt index, int escapement) {
  const std::uint64_t key = (std::uint64_t(escapement) << 32) | index;
  if (auto it = font.masks.find(key); it != font.masks.end()) return it->second;
  if (maskBytes_ >= kMaxMaskBytes) {
    for (auto& entry : sized_) entry.second->masks.clear();
    maskBytes_ = 0;
  }
  std::shared_ptr<const TGlyphMask> rendered = renderMask(font, index, escapement);
  maskBytes_ += sizeof(TGlyphMask) + rendered->Bits.size();
  return font.masks.emplace(key, std::move(rendered)).first->second;
}

SizedFont* FontEngine::fallbackFor(const TFont& font, const SizedFont& primary) {
  TFont standard = font;
  standard.Name = kDefaultFontFace;
  SizedFont* fallback = sizedFont(standard);
  FT_Activate_Size(primary.size);  // a size just opened on the same face became its active one
  if (!fallback || fallback->face == primary.face) return nullptr;
  return FT_Activate_Size(fallback->size) == 0 ? fallback : nullptr;
}

TTextRun FontEngine::run(const TFont& font, const std::string& utf8, bool withMasks) {
  std::lock_guard<std::mutex> lock(mutex_);
  TTextRun run;
  // Fonts are dropped only here, so the two a run uses stay alive through it.
  if (sized_.size() + 2 > kMaxSizedFonts) {
    sized_.clear();
    maskBytes_ = 0;
  }
  SizedFont* sized = sizedFont(font);
  if (!sized || FT_Activate_Size(sized->size) != 0) return run;
  run.Metrics = sized->metrics;
  const int escapement = ((font.Escapement % 3600) + 3600) % 3600;
  SizedFont* fallback = nullptr;
  bool fallbackTried = false;
  long long width = 0;
  for (char32_t c : DecodeUtf8(utf8)) {
    SizedFont* source = sized;
    FT_UInt index = FT_Get_Char_Index(sized->face, FT_ULong(c));
    // Characters the face lacks (Japanese in a Latin face) come from the default face, as
    // font linking supplies them on Japanese systems.
    if (index == 0 && !fallbackTried) {
      fallback = fallbackFor(font, *sized);
      fallbackTried = true;
    }
    if (index == 0 && fallback) {
      if (const FT_UInt other = FT_Get_Char_Index(fallback->face, FT_ULong(c)); other != 0) {
        source = fallback;
        index = other;
      }
    }
    if (withMasks) run.Glyphs.push_back({mask(*source, index, escapement), int(width)});
    width = std::min<long long>(width + advanceOf(*source, index), INT_MAX / 2);
  }
  run.Width = int(width);
  return run;
}

}  // namespace

void EscapementCosSin(int escapement, double& cosA, double& sinA) {
  const int e = ((escapement % 3600) + 3600) % 3600;
  static constexpr double kRightAngles[4][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
  if (e % 900 == 0) {
    cosA = kRightAngles[e / 900][0];
    sinA = kRightAngles[e / 900][1];
    return;
  }
  const double a = e * std::numbers::pi / 1800.0;
  cosA = std::cos(a);
  sinA = std::sin(a);
}

TTextRun MeasureText(const TFont& font, const std::string& utf8) {
  return FontEngine::instance().run(font, utf8, false);
}

TTextRun LayoutText(const TFont& font, const std::string& utf8) {
  return FontEngine::instance().run(font, utf8, true);
}
