#pragma once
// The program's main window: for now the picture on a scrollable canvas.
#include <QMainWindow>

#include "surface/bitmap.h"

class QLabel;

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  MainWindow();
  TBitmap& Document() { return document_; }
  // Shows the document as it is now.
  void RefreshView();

 private:
  TBitmap document_;
  QLabel* view_;
};
