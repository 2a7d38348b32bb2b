// The PNG picture's copying and options; writing is in png_encoder.cpp, reading in the decoder.
#include "png/viraviz.h"

void VIRAVIZ::Assign(const TBitmap& bitmap) { Image.Assign(bitmap); }

void VIRAVIZ::Assign(const VIRAVIZ& other) {
  if (&other == this) return;
  Image.Assign(other.Image);
  AlphaMask.Assign(other.AlphaMask);
  HasAlpha = other.HasAlpha;
  IdatSize = other.IdatSize;
  CompressionLevel = other.CompressionLevel;
  InterlaceOption = other.InterlaceOption;
  TransparentColor = other.TransparentColor;
  Comment = other.Comment;
  BackgroundColor = other.BackgroundColor;
  Gamma = other.Gamma;
  PixelsPerUnitX = other.PixelsPerUnitX;
  PixelsPerUnitY = other.PixelsPerUnitY;
  PixelUnit = other.PixelUnit;
  SignificantBits = other.SignificantBits;
  Greyscale = other.Greyscale;
  Time = other.Time;
  Chromaticities = other.Chromaticities;
  GifExtension = other.GifExtension;
}

void VIRAVIZ::AssignTo(TBitmap& bitmap) const { bitmap.Assign(Image); }

void VIRAVIZ::SetTransparentColor(std::optional<TColor> c) {
  TransparentColor = c;
  if (Image.Empty()) return;
  Image.Transparent = c.has_value();
  if (c) Image.TransparentColor = *c;
}

void VIRAVIZ::SaveToFile(const std::string& path) const {
  WriteFileSafely(path, [this](const ByteSink& sink) { SaveToStream(sink); });
}
