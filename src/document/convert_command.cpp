#include "document/convert_command.h"

#include <exception>

#include "document/picture_loader.h"
#include "document/picture_saver.h"
#include "document/webp_file.h"
#include "surface/surface_error.h"

namespace {

constexpr int kDone = 0, kFailed = 1, kBadArguments = 2;

constexpr const char* kUsage =
    "Usage: zudozo [--no-recovery] [PICTURE]\n"
    "       zudozo --convert IN OUT [--png-level 0..3] [--interlace] [--transparent RRGGBB]\n"
    "                               [--webp-quality 1..100]\n"
    "       zudozo --help | --version\n"
    "\n"
    "Without options, starts the paint program, opening PICTURE if given.\n"
    "\n"
    "--no-recovery        keeps no recovery copy of unsaved work and offers none at start\n"
    "                     (so does the environment's ZUDOZO_NO_RECOVERY=1)\n"
    "--convert IN OUT     reads IN (.bmp, .jpg, .jpeg, .png, .webp, .tif, .tiff, .gif, .tga in\n"
    "                     any letter case) and writes OUT in the format its extension names\n"
    "                     (.bmp, .jpg, .jpeg, .png, .webp, .tif, .tiff, .gif exactly; GIF only\n"
    "                     for pictures of at most 256 colours)\n"
    "--png-level N        PNG compression: 0 stored, 1 zlib default (default), 2 fastest, 3 best\n"
    "--interlace          writes the PNG interlaced (Adam7)\n"
    "--transparent RRGGBB makes the hexadecimal colour transparent in the PNG\n"
    "--webp-quality N     writes the WebP lossy at quality N (default: without loss)\n"
    "The PNG and WebP options do nothing for other output formats.\n";

struct ConvertRequest {
  std::string in, out;
  std::uint8_t level = 1;
  bool interlace = false;
  std::optional<TColor> transparent;
  int webpQuality = kWebpLossless;
};

bool parseQuality(const std::string& text, int& quality) {
  if (text.empty() || text.size() > 3 || text.find_first_not_of("0123456789") != std::string::npos) return false;
  quality = std::stoi(text);
  return quality >= 1 && quality <= kMaxWebpQuality;
}

bool parseLevel(const std::string& text, std::uint8_t& level) {
  if (text.size() != 1 || text[0] < '0' || text[0] > '3') return false;
  level = std::uint8_t(text[0] - '0');
  return true;
}

// "RRGGBB" in hexadecimal, red first, to TColor's 0x00BBGGRR.
bool parseColour(const std::string& text, std::optional<TColor>& colour) {
  if (text.size() != 6 || text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) return false;
  const unsigned long rgb = std::stoul(text, nullptr, 16);
  colour = RGB(std::uint8_t(rgb >> 16), std::uint8_t(rgb >> 8), std::uint8_t(rgb));
  return true;
}

// Fills request from the arguments after "--convert"; on a mistake returns its description.
std::optional<std::string> parseConvert(const std::vector<std::string>& args, ConvertRequest& request) {
  std::vector<std::string> files;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "--interlace") {
      request.interlace = true;
    } else if (a == "--png-level") {
      if (!hasValue || !parseLevel(args[++i], request.level)) return "--png-level takes 0, 1, 2 or 3";
    } else if (a == "--webp-quality") {
      if (!hasValue || !parseQuality(args[++i], request.webpQuality)) return "--webp-quality takes 1 to 100";
    } else if (a == "--transparent") {
      if (!hasValue || !parseColour(args[++i], request.transparent)) return "--transparent takes a colour RRGGBB";
    } else if (a.size() > 1 && a[0] == '-') {
      return "unknown option " + a;
    } else {
      files.push_back(a);
    }
  }
  if (files.size() != 2) return "--convert takes an input and an output file";
  request.in = files[0];
  request.out = files[1];
  return std::nullopt;
}

int convert(const ConvertRequest& request, std::ostream& err) {
  try {
    if (SaveFormatOf(request.out) == TSaveFormat::None) throw UnknownExtensionError(request.out);
    TBitmap picture;
    LoadPicture(request.in, picture);
    SavePictureFile(picture, request.out, [&request](VIRAVIZ& png) {
      png.CompressionLevel = request.level;
      png.InterlaceOption = request.interlace;
      if (request.transparent) png.SetTransparentColor(request.transparent);
      return true;
    }, request.webpQuality);
  } catch (const std::exception& e) {  // the program's messages, and running out of memory
    err << e.what() << "\n";
    return kFailed;
  }
  return kDone;
}

}  // namespace

std::optional<int> RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) return std::nullopt;
  if (args[0] == "--help") {
    out << kUsage;
    return kDone;
  }
  if (args[0] == "--version") {
    out << "zudozo " << ZUDOZO_VERSION << "\n";
    return kDone;
  }
  if (args[0] != "--convert") return CheckWindowArguments(args, err, "--");
  ConvertRequest request;
  if (const std::optional<std::string> mistake = parseConvert(args, request)) {
    err << "zudozo: " << *mistake << "\n" << kUsage;
    return kBadArguments;
  }
  return convert(request, err);
}

std::optional<int> CheckWindowArguments(const std::vector<std::string>& args, std::ostream& err,
                                        const std::string& optionStart) {
  for (const std::string& a : args) {
    if (a.rfind(optionStart, 0) != 0 || a.size() == 1 || a == "--no-recovery") continue;
    err << "zudozo: unknown option " << a << "\n" << kUsage;
    return kBadArguments;
  }
  return std::nullopt;
}
