#include <QApplication>

#include "app/form1.h"
#include "app/startup.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  // The program ends when the main window closes, whatever other windows are open.
  QApplication::setQuitOnLastWindowClosed(false);
  TZudozoApp zudozo(app.arguments().mid(1));
  QObject::connect(&zudozo.Form1(), &TForm1::Closed, &app, &QApplication::quit);
  zudozo.ShowMainWindow();
  return app.exec();
}
