#include "script_words.h"

#include <cerrno>
#include <cstdlib>
#include <map>

std::vector<std::string> SplitWords(const std::string& line) {
  std::vector<std::string> words;
  std::size_t i = 0;
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == ',' || c == '\r' || c == '\n'; };
  while (true) {
    while (i < line.size() && blank(line[i])) ++i;
    if (i >= line.size() || line[i] == '#') break;
    std::string word;
    if (line[i] == '"') {
      for (++i; i < line.size() && line[i] != '"'; ++i) {
        if (line[i] == '\\' && i + 1 < line.size() && (line[i + 1] == '"' || line[i + 1] == '\\')) ++i;
        word += line[i];
      }
      if (i >= line.size()) throw ScriptError{"unterminated quote"};
      ++i;
    } else {
      while (i < line.size() && !blank(line[i])) word += line[i++];
    }
    words.push_back(word);
  }
  return words;
}

int ParseInt(const std::string& word) {
  errno = 0;
  char* end = nullptr;
  long long v = std::strtoll(word.c_str(), &end, 0);
  if (word.empty() || *end || errno || v < -2147483647LL || v > 2147483647LL)
    throw ScriptError{"not a number: '" + word + "'"};
  return int(v);
}

ScriptColor ParseColor(const std::string& word) {
  if (word.rfind("i:", 0) == 0) return ScriptColor{clBlack, ParseInt(word.substr(2))};
  auto v = std::uint32_t(ParseInt(word));
  return ScriptColor{RGB(std::uint8_t(v >> 16), std::uint8_t(v >> 8), std::uint8_t(v)), std::nullopt};
}

namespace {

template <typename T>
T lookup(const std::map<std::string, T>& table, const std::string& word, const char* what) {
  auto it = table.find(word);
  if (it == table.end()) throw ScriptError{std::string("unknown ") + what + " '" + word + "'"};
  return it->second;
}

}  // namespace

TPenMode ParseMixMode(const std::string& word) {
  static const std::map<std::string, TPenMode> modes = {
      {"black", pmBlack},           {"notmergepen", pmNotMerge},  {"notmerge", pmNotMerge},
      {"masknotpen", pmMaskNotPen}, {"notcopypen", pmNotCopy},    {"notcopy", pmNotCopy},
      {"maskpennot", pmMaskPenNot}, {"not", pmNot},               {"xorpen", pmXor},
      {"xor", pmXor},               {"notmaskpen", pmNotMask},    {"notmask", pmNotMask},
      {"maskpen", pmMask},          {"mask", pmMask},             {"notxorpen", pmNotXor},
      {"notxor", pmNotXor},         {"nop", pmNop},               {"mergenotpen", pmMergeNotPen},
      {"copypen", pmCopy},          {"copy", pmCopy},             {"mergepennot", pmMergePenNot},
      {"mergepen", pmMerge},        {"merge", pmMerge},           {"white", pmWhite}};
  return lookup(modes, word, "mix mode");
}

TCopyMode ParseRasterOp(const std::string& word) {
  if (word.rfind("0x", 0) == 0 || word.rfind("0X", 0) == 0) return TCopyMode(ParseInt(word));
  static const std::map<std::string, TCopyMode> ops = {
      {"srccopy", cmSrcCopy},       {"srcpaint", cmSrcPaint},     {"srcand", cmSrcAnd},
      {"srcinvert", cmSrcInvert},   {"srcerase", cmSrcErase},     {"notsrccopy", cmNotSrcCopy},
      {"notsrcerase", cmNotSrcErase}, {"mergecopy", cmMergeCopy}, {"mergepaint", cmMergePaint},
      {"patcopy", cmPatCopy},       {"patpaint", cmPatPaint},     {"patinvert", cmPatInvert},
      {"dstinvert", cmDstInvert},   {"blackness", cmBlackness},   {"whiteness", cmWhiteness}};
  return lookup(ops, word, "raster operation");
}

TBrushStyle ParseHatch(const std::string& word) {
  static const std::map<std::string, TBrushStyle> hatches = {
      {"0", bsHorizontal}, {"1", bsVertical},   {"2", bsFDiagonal},         {"3", bsBDiagonal},
      {"4", bsCross},      {"5", bsDiagCross},  {"horizontal", bsHorizontal}, {"vertical", bsVertical},
      {"fdiagonal", bsFDiagonal}, {"bdiagonal", bsBDiagonal}, {"cross", bsCross}, {"diagcross", bsDiagCross}};
  return lookup(hatches, word, "hatch style");
}
