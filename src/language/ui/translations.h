#pragma once

#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "language/core_message.h"
#include "language/ui_language.h"

class QTranslator;

// The language of the desktop, from the system locale's preferred languages (LANGUAGE, or the
// messages locale); the C and POSIX locales keep the program's own Japanese texts.
TUiLanguage DesktopUiLanguage();

// The translations of the program and of Qt's own dialogs and buttons, installed on the
// application for as long as this lives. A translation file of the program that is missing or
// damaged leaves its Japanese texts, silently; Qt's own then follow Japanese too. `folder`
// holds the program's compiled translations (zudozo_en.qm).
class TTranslations {
 public:
  explicit TTranslations(TUiLanguage wanted, const QString& folder = QStringLiteral(":/i18n"));
  ~TTranslations();
  TTranslations(const TTranslations&) = delete;
  TTranslations& operator=(const TTranslations&) = delete;

  // The language the program speaks with these installed.
  TUiLanguage Language() const { return language_; }

 private:
  bool install(const QString& name, const QString& folder);

  TUiLanguage language_ = TUiLanguage::Japanese;
  std::vector<std::unique_ptr<QTranslator>> installed_;
};

// The language the installed translations speak (Japanese when none are installed).
TUiLanguage SpokenUiLanguage();

// The folder of the help pages in the spoken language.
QString HelpPagesFolder();

// A text the core marked TRANSLATABLE(scope, text), in the spoken language.
QString CoreText(const char* scope, const std::string& text);

// A message of the core in the spoken language: its text and each part it fills in that is
// itself one of the core's texts are translated (in `scope`); file names and numbers stay.
QString CoreMessageText(const TCoreMessage& message, const char* scope = "Error");
