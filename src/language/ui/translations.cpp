#include "language/ui/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

TUiLanguage spoken = TUiLanguage::Japanese;

QString QtTranslationName(TUiLanguage language) {
  return language == TUiLanguage::English ? QStringLiteral("qtbase_en") : QStringLiteral("qtbase_ja");
}

}  // namespace

TUiLanguage DesktopUiLanguage() {
  std::vector<std::string> preferred;
  for (const QString& name : QLocale::system().uiLanguages()) preferred.push_back(name.toStdString());
  return ChooseUiLanguage(preferred);
}

TTranslations::TTranslations(TUiLanguage wanted, const QString& folder) {
  if (wanted == TUiLanguage::English && install(QStringLiteral("zudozo_en"), folder)) language_ = TUiLanguage::English;
  install(QtTranslationName(language_), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  spoken = language_;
}

TTranslations::~TTranslations() {
  installed_.clear();  // a translator removes itself from the application as it goes
  spoken = TUiLanguage::Japanese;
}

bool TTranslations::install(const QString& name, const QString& folder) {
  auto translator = std::make_unique<QTranslator>();
  if (!translator->load(name, folder) || translator->isEmpty()) return false;
  if (!QCoreApplication::installTranslator(translator.get())) return false;
  installed_.push_back(std::move(translator));
  return true;
}

TUiLanguage SpokenUiLanguage() { return spoken; }

QString HelpPagesFolder() {
  return spoken == TUiLanguage::English ? QStringLiteral(":/help/en") : QStringLiteral(":/help");
}

QString CoreText(const char* scope, const std::string& text) { return QCoreApplication::translate(scope, text.c_str()); }

QString CoreMessageText(const TCoreMessage& message, const char* scope) {
  TCoreMessage translated{CoreText(scope, message.text).toStdString(), {}};
  for (const std::string& part : message.parts) translated.parts.push_back(CoreText(scope, part).toStdString());
  return QString::fromStdString(translated.Filled());
}
