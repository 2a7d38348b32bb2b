#include "document/picture_saver.h"

#include "document/bmp_file.h"
#include "document/jpeg_file.h"
#include "document/picture_loader.h"

TSaveFormat SaveFormatOf(const std::string& path) {
  const std::string extension = ExtensionOf(path);
  if (extension == ".bmp") return TSaveFormat::Bmp;
  if (extension == ".jpg" || extension == ".jpeg") return TSaveFormat::Jpeg;
  if (extension == ".png") return TSaveFormat::Png;
  return TSaveFormat::None;
}

bool SavePictureFile(const TBitmap& bitmap, const std::string& path,
                     const std::function<bool(VIRAVIZ&)>& confirmPng) {
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
    case TSaveFormat::None: break;
  }
  return false;
}
