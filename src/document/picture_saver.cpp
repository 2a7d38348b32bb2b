#include "document/picture_saver.h"

#include "document/bmp_file.h"
#include "document/gif_file.h"
#include "document/jpeg_file.h"
#include "document/picture_loader.h"
#include "document/tiff_file.h"
#include "document/webp_file.h"
#include "surface/surface_error.h"
#include "language/translatable.h"

TSaveFormat SaveFormatOf(const std::string& path) {
  const std::string extension = ExtensionOf(path);
  if (extension == ".bmp") return TSaveFormat::Bmp;
  if (extension == ".jpg" || extension == ".jpeg") return TSaveFormat::Jpeg;
  if (extension == ".png") return TSaveFormat::Png;
  if (extension == ".webp") return TSaveFormat::Webp;
  if (extension == ".tif" || extension == ".tiff") return TSaveFormat::Tiff;
  if (extension == ".gif") return TSaveFormat::Gif;
  return TSaveFormat::None;
}

bool SavePictureFile(const TBitmap& bitmap, const std::string& path,
                     const std::function<bool(VIRAVIZ&)>& confirmPng, int webpQuality) {
  // A file of no pixels is no picture any reader opens: it is refused before anything is written.
  if (bitmap.Empty() && SaveFormatOf(path) != TSaveFormat::None)
    throw EInvalidGraphic(TCoreMessage{TRANSLATABLE("Error", "画像が空なので保存できません (%1 x %2)"), {std::to_string(bitmap.Width()), std::to_string(bitmap.Height())}});
  switch (SaveFormatOf(path)) {
    case TSaveFormat::Bmp: SaveBmpFile(bitmap, path); return true;
    case TSaveFormat::Jpeg: SaveJpegFile(bitmap, path); return true;
    case TSaveFormat::Png: {
      VIRAVIZ picture;
      picture.Assign(bitmap);
      if (!confirmPng(picture)) return false;
      picture.SaveToFile(path);
      return true;
    }
    case TSaveFormat::Webp: SaveWebpFile(bitmap, path, webpQuality); return true;
    case TSaveFormat::Tiff: SaveTiffFile(bitmap, path); return true;
    case TSaveFormat::Gif: SaveGifFile(bitmap, path); return true;
    case TSaveFormat::None: break;
  }
  return false;
}
