// Takes the pictures of the program's windows that its help pages show: starts the program
// without a display, shows each of its windows in turn and writes it as OUTDIR/NAME.png, NAME
// being the window's object name (TForm1, TForm2, ...).
//
// Usage: QT_QPA_PLATFORM=offscreen zudozo-help-shots OUTDIR
// The windows speak the desktop's language, as the program does: LANGUAGE=en for the pictures of
// the English help pages (resources/help/windows/en/).
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QWidget>
#include <cstdio>

#include "app/form1.h"
#include "app/startup.h"
#include "language/ui/translations.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: zudozo-help-shots OUTDIR\n");
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  const TTranslations translations(DesktopUiLanguage());
  TZudozoApp app(QStringList{});
  app.ShowMainWindow();
  int written = 0;
  for (QWidget* window : app.Windows()) {
    const bool wasVisible = window->isVisible();
    window->show();
    // Tool windows lay out their pages only once shown and polished.
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
    const QString path = out.filePath(window->objectName() + QStringLiteral(".png"));
    if (window->grab().save(path)) {
      std::printf("%s\n", qPrintable(path));
      ++written;
    } else {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    }
    if (!wasVisible) window->hide();
  }
  return written == int(app.Windows().size()) ? 0 : 1;
}
