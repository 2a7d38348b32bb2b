#include <QApplication>
#include <iostream>

#include "app/app_recovery.h"
#include "app/startup.h"
#include "document/convert_command.h"
#include "language/ui/translations.h"

int main(int argc, char* argv[]) {
  // Command-line runs (--convert, --help, --version) need no display: they end before Qt starts.
  if (const std::optional<int> code = RunCommandLine({argv + 1, argv + argc}, std::cout, std::cerr)) return *code;
  QApplication app(argc, argv);
  const TTranslations translations(DesktopUiLanguage());
  QStringList arguments = app.arguments().mid(1);
  // An option neither the platform nor the program knows ends it before any window is made.
  std::vector<std::string> given;
  for (const QString& a : arguments) given.push_back(a.toStdString());
  if (const std::optional<int> code = CheckWindowArguments(given, std::cerr, "-")) return *code;
  const bool keepRecoveryCopies = TakeRecoverySwitch(arguments);
  TZudozoApp zudozo(arguments);
  // Once the command line's picture is open and the loop runs, left-behind copies are offered.
  const std::unique_ptr<TAppRecovery> recovery = keepRecoveryCopies ? TAppRecovery::Start(zudozo) : nullptr;
  return zudozo.Exec();
}
