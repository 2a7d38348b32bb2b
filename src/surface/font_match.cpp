#include "surface/font_match.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <memory>

namespace {

// Weights from 550 up are drawn bold, as the Windows font mapper does.
constexpr int kBoldFrom = 550;

struct PatternDeleter {
  void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

// Family names compare as fontconfig compares them: blanks and ASCII case do not count.
std::string foldedName(const char* name) {
  std::string folded;
  for (; *name; ++name)
    if (*name != ' ') folded.push_back(*name >= 'A' && *name <= 'Z' ? char(*name - 'A' + 'a') : *name);
  return folded;
}

bool hasFamily(FcPattern* match, const std::string& family) {
  const std::string wanted = foldedName(family.c_str());
  FcChar8* name = nullptr;
  for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &name) == FcResultMatch; ++i)
    if (foldedName(reinterpret_cast<const char*>(name)) == wanted) return true;
  return false;
}

Pattern bestMatch(const std::string& family, int weight, bool italic) {
  Pattern pattern(FcPatternCreate());
  if (!pattern) return nullptr;
  FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(pattern.get(), FC_WEIGHT, FcWeightFromOpenType(weight));
  FcPatternAddInteger(pattern.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  return Pattern(FcFontMatch(nullptr, pattern.get(), &result));
}

std::optional<TFaceFile> faceFileOf(FcPattern* match, int weight, bool italic) {
  FcChar8* file = nullptr;
  if (FcPatternGetString(match, FC_FILE, 0, &file) != FcResultMatch) return std::nullopt;
  TFaceFile face;
  face.Path = reinterpret_cast<const char*>(file);
  FcPatternGetInteger(match, FC_INDEX, 0, &face.Index);
  // fontconfig's own synthesis rules may already have marked a regular face for emboldening
  // and given it a slant matrix (and then report it as bold and oblique): those faces are
  // regular ones, and the program does the synthesis itself.
  int faceWeight = FC_WEIGHT_REGULAR, faceSlant = FC_SLANT_ROMAN;
  FcBool emboldened = FcFalse;
  FcMatrix* slantMatrix = nullptr;
  FcPatternGetInteger(match, FC_WEIGHT, 0, &faceWeight);
  FcPatternGetInteger(match, FC_SLANT, 0, &faceSlant);
  FcPatternGetBool(match, FC_EMBOLDEN, 0, &emboldened);
  const bool slanted = FcPatternGetMatrix(match, FC_MATRIX, 0, &slantMatrix) == FcResultMatch && slantMatrix->xy != 0;
  face.SynthesizeBold = weight >= kBoldFrom && (emboldened || faceWeight < FC_WEIGHT_DEMIBOLD);
  face.SynthesizeItalic = italic && (slanted || faceSlant == FC_SLANT_ROMAN);
  return face;
}

}  // namespace

std::optional<TFaceFile> MatchFace(const std::string& family, int weight, bool italic) {
  weight = weight <= 0 ? 400 : std::min(weight, 1000);
  if (!family.empty() && family != kDefaultFontFace) {
    Pattern match = bestMatch(family, weight, italic);
    if (match && hasFamily(match.get(), family)) return faceFileOf(match.get(), weight, italic);
  }
  // The default face, or whatever fontconfig offers when even that is missing.
  Pattern match = bestMatch(kDefaultFontFace, weight, italic);
  if (!match) return std::nullopt;
  return faceFileOf(match.get(), weight, italic);
}
