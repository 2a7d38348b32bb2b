#include "language/ui_language.h"

#include <cctype>

namespace {

// "en_US.UTF-8", "en-GB", "EN" -> "en"; "C.UTF-8" -> "c".
std::string LanguageOf(const std::string& name) {
  std::string language;
  for (const char c : name) {
    if (c == '_' || c == '-' || c == '.' || c == '@') break;
    language += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return language;
}

bool IsPlainLocale(const std::string& language) { return language == "c" || language == "posix"; }

}  // namespace

TUiLanguage ChooseUiLanguage(const std::vector<std::string>& preferred) {
  if (preferred.empty()) return TUiLanguage::Japanese;
  for (const std::string& name : preferred) {
    const std::string language = LanguageOf(name);
    if (language == "ja" || IsPlainLocale(language)) return TUiLanguage::Japanese;
    if (language == "en") return TUiLanguage::English;
  }
  return TUiLanguage::English;
}

std::vector<std::string> PreferredLanguagesFromEnvironment(const std::function<const char*(const char*)>& getenv) {
  std::vector<std::string> preferred;
  if (const char* list = getenv("LANGUAGE"); list && *list) {
    std::string entry;
    for (const char* c = list;; ++c) {
      if (*c == ':' || *c == '\0') {
        if (!entry.empty()) preferred.push_back(entry);
        entry.clear();
        if (*c == '\0') break;
      } else {
        entry += *c;
      }
    }
    if (!preferred.empty()) return preferred;
  }
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    if (const char* value = getenv(variable); value && *value) return {value};
  }
  return preferred;
}
