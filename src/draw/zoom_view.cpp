#include "draw/zoom_view.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "surface/canvas.h"
#include "surface/raster_math.h"

namespace {

int PictureCoordinate(int viewCoordinate, int centre, int z) {
  return ClampToInt(centre + FloorDiv(viewCoordinate - kZoomViewCentre, z), INT_MIN, INT_MAX);
}

// Raw values mean the same colour in both bitmaps (the two 32-bit layouts are one).
bool SameRawColors(const TBitmap& a, const TBitmap& b) {
  if (a.PixelFormat() == b.PixelFormat()) return !IsIndexed(a.PixelFormat()) || a.Palette() == b.Palette();
  return BitsPerPixel(a.PixelFormat()) == 32 && BitsPerPixel(b.PixelFormat()) == 32;
}

// Writes the blocks of the picture's pixels into the view. Rows of the view that show the
// same picture row as the one above are copies of it: the background around the blocks is the
// same on every row, since the outline comes later.
void CopyBlocks(const TBitmap& picture, TPoint centre, int z, TBitmap& view) {
  int columns[kZoomViewSide];  // the picture column under each view column, or -1
  for (int vx = 0; vx < kZoomViewSide; ++vx) {
    const int px = PictureCoordinate(vx, centre.X, z);
    columns[vx] = px >= 0 && px < picture.Width() ? px : -1;
  }
  const bool sameRaw = SameRawColors(picture, view);
  std::uint32_t lastRaw = 0, lastViewRaw = view.ColorToRaw(picture.RawToColor(0));
  auto viewRaw = [&](std::uint32_t raw) {
    if (sameRaw) return raw;
    if (raw != lastRaw) {
      lastRaw = raw;
      lastViewRaw = view.ColorToRaw(picture.RawToColor(raw));
    }
    return lastViewRaw;
  };

  int shownRow = -1, shownBy = -1;  // the picture row last written, and the view row holding it
  for (int vy = 0; vy < kZoomViewSide; ++vy) {
    const int py = PictureCoordinate(vy, centre.Y, z);
    if (py < 0 || py >= picture.Height()) continue;
    if (py == shownRow) {
      std::memcpy(view.MutableRow(vy), view.Row(shownBy), view.Stride());
    } else {
      for (int vx = 0; vx < kZoomViewSide; ++vx)
        if (columns[vx] >= 0) view.SetRaw(vx, vy, viewRaw(picture.GetRaw(columns[vx], py)));
      shownRow = py;
    }
    shownBy = vy;
  }
}

}  // namespace

TPoint ZoomViewToPicture(TPoint viewPoint, TPoint centre, int z) {
  return TPoint{PictureCoordinate(viewPoint.X, centre.X, z), PictureCoordinate(viewPoint.Y, centre.Y, z)};
}

TPoint PositionPanelToPicture(TPoint panelPoint, int width, int height) {
  return TPoint{ClampToInt(std::int64_t(panelPoint.X) * width / kPositionPanelSide, INT_MIN, INT_MAX),
                ClampToInt(std::int64_t(panelPoint.Y) * height / kPositionPanelSide, INT_MIN, INT_MAX)};
}

TPoint PositionPanelMarker(TPoint centre, int width, int height) {
  // Anything beyond the panel's edges is drawn nowhere; keeping it near keeps lines short.
  auto place = [](int c, int side) {
    return ClampToInt(std::int64_t(kPositionPanelSide) * c / std::max(side, 1), -1, kPositionPanelSide);
  };
  return TPoint{place(centre.X, width), place(centre.Y, height)};
}

void RenderZoomView(const TBitmap& picture, TPoint centre, int z, TBitmap& view) {
  if (view.PixelFormat() == picture.PixelFormat() && IsIndexed(view.PixelFormat()) &&
      !(view.Palette() == picture.Palette()))
    view.SetPalette(picture.Palette());
  TCanvas& canvas = view.Canvas();
  canvas.Brush.Color = clBtnFace;
  canvas.Brush.Style = bsSolid;
  canvas.FillRect(view.BoundsRect());
  CopyBlocks(picture, centre, z, view);
  // The outline: the edge pixels of the centre's block in black, as a 1-pixel pen draws them
  // around a rectangle; at z = 1 the one pixel of the block.
  const int first = kZoomViewCentre, last = kZoomViewCentre + z - 1;
  canvas.Brush.Color = clBlack;
  for (const TRect& edge : {TRect{first, first, last + 1, first + 1}, TRect{first, last, last + 1, last + 1},
                            TRect{first, first, first + 1, last + 1}, TRect{last, first, last + 1, last + 1}})
    canvas.FillRect(edge);
}

void DrawPositionPanel(TBitmap& panel, TPoint marker) {
  TCanvas& canvas = panel.Canvas();
  canvas.Pen.Color = clRed;
  canvas.Brush.Color = clBtnFace;
  canvas.Brush.Style = bsSolid;
  canvas.Rectangle(0, 0, kPositionPanelSide, kPositionPanelSide);
  canvas.MoveTo(marker.X, 0);
  canvas.LineTo(marker.X, kPositionPanelSide);
  canvas.MoveTo(0, marker.Y);
  canvas.LineTo(kPositionPanelSide, marker.Y);
}
