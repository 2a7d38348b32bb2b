#pragma once
// The running program for window benchmarks: started once, shown, its document resized on
// demand to a white 32-bit picture of the asked size.
#include <QApplication>
#include <memory>

#include "app/form1.h"
#include "app/startup.h"

inline TZudozoApp& BenchApp(int width, int height) {
  static std::unique_ptr<TZudozoApp> app;
  if (!app) {
    app = std::make_unique<TZudozoApp>(QStringList{});
    app->ShowMainWindow();
  }
  TBitmap& picture = app->Document().Picture();
  if (picture.Width() != width || picture.Height() != height) {
    app->Document().ReplaceWithNewPicture(width, height, pf32bit);
    app->Form1().ResetDocumentView();
    QApplication::processEvents();
  }
  return *app;
}
