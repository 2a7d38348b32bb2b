#pragma once
// Pixel art on high-density screens. Sizes stay logical; the pictures are enlarged for the
// device by repeating pixels (nearest neighbour), never by blending, so every picture pixel
// stays a sharp block: at a whole device pixel ratio exactly ratio x ratio device pixels, at a
// fractional one the device pixels whose centres it covers.
#include <QIcon>
#include <QImage>
#include <QPixmap>

class QPainter;

// The whole factor pictures of a fixed pixel size (icons, cursors) are enlarged by for a
// device pixel ratio: the nearest whole number, at least 1.
int PixelArtFactor(qreal deviceRatio);

// Draws picture with its top left at the logical point at, one logical pixel per picture
// pixel, enlarged for the painter's device by nearest neighbour.
void DrawPixelArt(QPainter& painter, QPoint at, const QImage& picture);

// picture enlarged by a whole factor, nearest neighbour, its device pixel ratio set to factor
// so that it keeps its logical size.
QPixmap EnlargedPixelArt(const QPixmap& picture, int factor);

// An icon made of a pixel-art file, enlarged to any size asked for by nearest neighbour (a
// null icon if the file cannot be read).
QIcon PixelArtIcon(const QString& file);
