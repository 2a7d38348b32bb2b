#include <QApplication>
#include <iostream>

#include "app/app_recovery.h"
#include "app/form1.h"
#include "app/startup.h"
#include "document/convert_command.h"

int main(int argc, char* argv[]) {
  // Command-line runs (--convert, --help, --version) need no display: they end before Qt starts.
  if (const std::optional<int> code = RunCommandLine({argv + 1, argv + argc}, std::cout, std::cerr)) return *code;
  QApplication app(argc, argv);
  // The program ends when the main window closes, whatever other windows are open.
  QApplication::setQuitOnLastWindowClosed(false);
  QStringList arguments = app.arguments().mid(1);
  const bool keepRecoveryCopies = TakeRecoverySwitch(arguments);
  TZudozoApp zudozo(arguments);
  QObject::connect(&zudozo.Form1(), &TForm1::Closed, &app, &QApplication::quit);
  zudozo.ShowMainWindow();
  // After the command line's picture is open: the offer of left-behind copies comes next.
  const std::unique_ptr<TAppRecovery> recovery = keepRecoveryCopies ? TAppRecovery::Start(zudozo) : nullptr;
  return app.exec();
}
