#include "draw/ui/picture_box.h"

#include <QPainter>

#include "app/bitmap_image.h"
#include "app/pixel_art.h"

TPictureBox::TPictureBox(int width, int height, QWidget* parent)
    : QWidget(parent), picture_(width, height, pfDevice) {
  setFixedSize(width, height);
}

void TPictureBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  DrawPixelArt(painter, QPoint(0, 0), ToQImage(picture_));
}
