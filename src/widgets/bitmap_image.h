#pragma once
// Conversions between the core bitmap and Qt's pictures, for the screen and for resources.
#include <QImage>

#include "surface/bitmap.h"

QImage ToQImage(const TBitmap& bitmap);
// Makes out a 32-bit copy of a picture (transparent pixels become their colour without alpha).
void FromQImage(const QImage& image, TBitmap& out);
