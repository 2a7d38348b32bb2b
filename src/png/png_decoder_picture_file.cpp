// The picture loader's entry for PNG files, which hands back a 32-bit bitmap.
#include "png/png_decoder.h"

// The file is read through a small buffer and RGB rows go straight into 32-bit pixels, so a
// large photo costs its 32-bit bitmap and little else. Everything happens on a picture of its
// own: out changes only when the whole file has been read.
void LoadPngFile(const std::string& path, TBitmap& out) {
  VIRAVIZ picture;
  {
    PngByteReader in(path);
    PngDecoder(in, picture, true).Run();
  }
  TBitmap result;
  picture.AssignTo(result);
  result.SetPixelFormat(pf32bit);
  out.Assign(result);
}
