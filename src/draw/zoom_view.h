#pragma once
// The zoom window's pictures: the magnified view of the document around the zoom centre, and
// the position panel with its cross-hair; and the conversions between their points and
// picture points. The zoom centre is a picture point that may lie outside the picture.
#include "surface/bitmap.h"

constexpr int kZoomViewSide = 150;
constexpr int kZoomViewCentre = kZoomViewSide / 2;  // the first view pixel of the centre's block
constexpr int kPositionPanelSide = 75;
constexpr int kMinZoom = 1;
constexpr int kMaxZoom = 25;

// The picture pixel that the view shows at viewPoint with magnification z (1..25): the
// centre's block starts at view pixel kZoomViewCentre; points beyond the picture convert alike.
TPoint ZoomViewToPicture(TPoint viewPoint, TPoint centre, int z);

// A point of the position panel as a picture point: the panel's side stands for the whole
// width and height of a width x height picture (quotients truncated toward zero). The point
// may lie outside the panel, the result outside the picture.
TPoint PositionPanelToPicture(TPoint panelPoint, int width, int height);
// Where the cross-hair through the zoom centre crosses on the panel.
TPoint PositionPanelMarker(TPoint centre, int width, int height);

// Renders view (kZoomViewSide square, in its own pixel format) as the picture magnified z
// times around centre: button face everywhere, each picture pixel (px, py) a z x z block from
// view pixel kZoomViewCentre + (px - centre.X) * z across and the same down, and a black
// outline on the edge pixels of the centre's block. Only the view's pixels are computed, row
// by row from the picture's. A view of the picture's format takes the picture's palette, so
// every block has its pixel's own colour; other formats get the nearest colour they hold.
void RenderZoomView(const TBitmap& picture, TPoint centre, int z, TBitmap& view);

// Draws the position panel (kPositionPanelSide square): button face inside a red border, and
// a red cross-hair through marker (lines on the panel's edge row or column fall outside it).
void DrawPositionPanel(TBitmap& panel, TPoint marker);
