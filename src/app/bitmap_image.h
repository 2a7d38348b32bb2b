#pragma once
// Turns a bitmap into a QImage for the screen, whatever its pixel format.
#include <QImage>

#include "surface/bitmap.h"

QImage ToQImage(const TBitmap& bitmap);
