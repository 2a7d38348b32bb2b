#include "document/picture_loader.h"

#include "document/bmp_file.h"
#include "document/gif_file.h"
#include "document/jpeg_file.h"
#include "document/tga_file.h"
#include "document/tiff_file.h"
#include "document/webp_file.h"
#include "png/viraviz.h"
#include "language/translatable.h"

namespace {

std::string asciiLower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return s;
}

}  // namespace

std::string ExtensionOf(const std::string& path) {
  const std::size_t nameStart = path.find_last_of('/') + 1;  // npos + 1 is 0
  const std::size_t dot = path.find_last_of('.');
  return dot == std::string::npos || dot < nameStart ? std::string() : path.substr(dot);
}

EInvalidGraphic UnknownExtensionError(const std::string& path) {
  const std::string extension = ExtensionOf(path);
  return EInvalidGraphic(TCoreMessage{TRANSLATABLE("Error", "拡張子 .%1 の画像形式は処理できません"), {extension.empty() ? extension : extension.substr(1)}});
}

void LoadPicture(const std::string& path, TBitmap& out) {
  const std::string extension = asciiLower(ExtensionOf(path));
  if (extension == ".bmp") return LoadBmpFile(path, out);
  if (extension == ".jpg" || extension == ".jpeg") return LoadJpegFile(path, out);
  if (extension == ".png") return LoadPngFile(path, out);
  if (extension == ".webp") return LoadWebpFile(path, out);
  if (extension == ".tif" || extension == ".tiff") return LoadTiffFile(path, out);
  if (extension == ".gif") return LoadGifFile(path, out);
  if (extension == ".tga") return LoadTgaFile(path, out);
  throw UnknownExtensionError(path);
}
