#pragma once

#include <functional>
#include <string>
#include <vector>

// The languages the program speaks. Japanese is its own: the texts in the code are Japanese,
// and every other language is a translation of them.
enum class TUiLanguage { Japanese, English };

// The language for a user's preferred languages, most preferred first, as locale names or
// language tags ("ja_JP.UTF-8", "en-GB", "C"). The first Japanese or English entry wins; the C
// and POSIX locales mean the program's own texts, and so does an empty list (no locale set at
// all). A list naming only languages the program does not know gives English.
TUiLanguage ChooseUiLanguage(const std::vector<std::string>& preferred);

// The preferred languages that the environment names, read as Qt reads the desktop's: LANGUAGE
// (a colon-separated list) when it is set, otherwise the messages locale (LC_ALL, LC_MESSAGES,
// LANG, the first one set).
std::vector<std::string> PreferredLanguagesFromEnvironment(const std::function<const char*(const char*)>& getenv);
