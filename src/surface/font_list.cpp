#include "surface/font_list.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstring>

namespace {

// Names of one font in the language of its first name.
void addFamilies(FcPattern* font, std::vector<std::string>& out) {
  FcChar8* firstLang = nullptr;
  FcPatternGetString(font, FC_FAMILYLANG, 0, &firstLang);
  FcChar8* name = nullptr;
  for (int i = 0; FcPatternGetString(font, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
    FcChar8* lang = nullptr;
    const bool sameLang = FcPatternGetString(font, FC_FAMILYLANG, i, &lang) != FcResultMatch || !firstLang ||
                          std::strcmp(reinterpret_cast<const char*>(lang), reinterpret_cast<const char*>(firstLang)) == 0;
    if (sameLang) out.emplace_back(reinterpret_cast<const char*>(name));
  }
}

}  // namespace

std::vector<std::string> InstalledFontFamilies() {
  std::vector<std::string> names;
  FcPattern* pattern = FcPatternCreate();
  FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, FC_FAMILYLANG, nullptr);
  if (pattern && objects) {
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    if (FcFontSet* fonts = FcFontList(nullptr, pattern, objects)) {
      for (int i = 0; i < fonts->nfont; ++i) addFamilies(fonts->fonts[i], names);
      FcFontSetDestroy(fonts);
    }
  }
  if (objects) FcObjectSetDestroy(objects);
  if (pattern) FcPatternDestroy(pattern);
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  return names;
}
