#pragma once
// Finding the installed font file that best fits a font's face name, weight and slant.
#include <optional>
#include <string>

// The face the program falls back on when a font names no installed family (or none at all).
// Its Japanese glyphs are why: the interface and the users' texts are Japanese.
inline constexpr const char* kDefaultFontFace = "IPAGothic";

struct TFaceFile {
  std::string Path;
  int Index = 0;             // face index inside a collection file
  bool SynthesizeBold = false;    // bold asked for, and the face found is not bold
  bool SynthesizeItalic = false;  // italic asked for, and the face found is upright
};

// The installed scalable face of the family that best matches weight (400 normal, 700 bold;
// 0 counts as 400) and slant. A family that is not installed, or an empty name, gives the
// default face; nullopt only when fontconfig finds no font file at all.
std::optional<TFaceFile> MatchFace(const std::string& family, int weight, bool italic);
