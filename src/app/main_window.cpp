#include "app/main_window.h"

#include <QLabel>
#include <QPixmap>
#include <QScrollArea>

#include "app/bitmap_image.h"
#include "surface/canvas.h"

MainWindow::MainWindow() : document_(200, 200, pf32bit), view_(new QLabel) {
  setWindowTitle(QStringLiteral("Zudozo  :32bit"));
  auto* scroll = new QScrollArea;
  scroll->setWidget(view_);
  scroll->setBackgroundRole(QPalette::Dark);
  setCentralWidget(scroll);
  resize(640, 480);
  RefreshView();
}

void MainWindow::RefreshView() {
  view_->setPixmap(QPixmap::fromImage(ToQImage(document_)));
  view_->adjustSize();
}
