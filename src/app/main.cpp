#include <QApplication>
#include <iostream>

#include "app/startup.h"
#include "document/convert_command.h"

int main(int argc, char* argv[]) {
  // Command-line runs (--convert, --help, --version) need no display: they end before Qt starts.
  if (const std::optional<int> code = RunCommandLine({argv + 1, argv + argc}, std::cout, std::cerr)) return *code;
  QApplication app(argc, argv);
  TZudozoApp zudozo(app.arguments().mid(1));
  return zudozo.Exec();
}
