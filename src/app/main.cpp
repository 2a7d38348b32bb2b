#include <QApplication>
#include <iostream>

#include "app/form1.h"
#include "app/startup.h"
#include "document/convert_command.h"

int main(int argc, char* argv[]) {
  // Command-line runs (--convert, --help, --version) need no display: they end before Qt starts.
  if (const std::optional<int> code = RunCommandLine({argv + 1, argv + argc}, std::cout, std::cerr)) return *code;
  QApplication app(argc, argv);
  // The program ends when the main window closes, whatever other windows are open.
  QApplication::setQuitOnLastWindowClosed(false);
  TZudozoApp zudozo(app.arguments().mid(1));
  QObject::connect(&zudozo.Form1(), &TForm1::Closed, &app, &QApplication::quit);
  zudozo.ShowMainWindow();
  return app.exec();
}
