#pragma once
// A fixed-size picture on a panel: shows its own bitmap, which handlers draw into, one
// logical pixel per bitmap pixel and sharp on high-density screens.
#include <QWidget>

#include "surface/bitmap.h"

class TPictureBox : public QWidget {
  Q_OBJECT
 public:
  // The picture starts white, in the device pixel format.
  TPictureBox(int width, int height, QWidget* parent = nullptr);

  TBitmap& Picture() { return picture_; }
  const TBitmap& Picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  TBitmap picture_;
};
