#include "language/ui_language.h"

#include <gtest/gtest.h>

#include <map>

namespace {

TEST(UiLanguage, TheFirstJapaneseOrEnglishEntryChoosesAndPlainLocalesKeepJapanese) {
  struct Case {
    std::vector<std::string> preferred;
    TUiLanguage language;
  };
  const Case cases[] = {
      {{}, TUiLanguage::Japanese},
      {{"C"}, TUiLanguage::Japanese},
      {{"C.UTF-8"}, TUiLanguage::Japanese},
      {{"POSIX"}, TUiLanguage::Japanese},
      {{"ja_JP.UTF-8"}, TUiLanguage::Japanese},
      {{"ja-JP", "en-US"}, TUiLanguage::Japanese},
      {{"en_US.UTF-8"}, TUiLanguage::English},
      {{"en-GB"}, TUiLanguage::English},
      {{"EN"}, TUiLanguage::English},
      {{"de-DE", "ja-JP"}, TUiLanguage::Japanese},
      {{"fr_FR.UTF-8", "en"}, TUiLanguage::English},
      {{"de-DE"}, TUiLanguage::English},
      {{"sr_RS@latin"}, TUiLanguage::English},
      {{"jav"}, TUiLanguage::English},  // Javanese is not Japanese
  };
  for (const Case& c : cases) {
    std::string names;
    for (const std::string& n : c.preferred) names += n + " ";
    EXPECT_EQ(ChooseUiLanguage(c.preferred), c.language) << names;
  }
}

TEST(UiLanguage, TheEnvironmentIsReadAsTheMessageCataloguesReadIt) {
  struct Case {
    std::map<std::string, std::string> environment;
    std::vector<std::string> preferred;
  };
  const Case cases[] = {
      {{}, {}},
      {{{"LANG", "en_US.UTF-8"}}, {"en_US.UTF-8"}},
      {{{"LANG", "ja_JP.UTF-8"}, {"LC_MESSAGES", "en_GB.UTF-8"}}, {"en_GB.UTF-8"}},
      {{{"LANG", "en_US.UTF-8"}, {"LC_MESSAGES", "ja_JP.UTF-8"}, {"LC_ALL", "C"}}, {"C"}},
      {{{"LANG", "", }, {"LC_MESSAGES", "ja_JP.UTF-8"}}, {"ja_JP.UTF-8"}},
      {{{"LANG", "de_DE.UTF-8"}, {"LANGUAGE", "en_GB:ja::fr"}}, {"en_GB", "ja", "fr"}},
      {{{"LANG", "C.UTF-8"}, {"LANGUAGE", "en"}}, {"en"}},
      {{{"LANGUAGE", "en"}}, {"en"}},
      {{{"LANG", "ja_JP.UTF-8"}, {"LANGUAGE", ":"}}, {"ja_JP.UTF-8"}},
  };
  for (const Case& c : cases) {
    const auto getenv = [&](const char* name) -> const char* {
      const auto found = c.environment.find(name);
      return found == c.environment.end() ? nullptr : found->second.c_str();
    };
    EXPECT_EQ(PreferredLanguagesFromEnvironment(getenv), c.preferred);
  }
}

}  // namespace
