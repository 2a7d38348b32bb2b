#pragma once
// The words of a drawing script: one command a line, words split by blanks or commas,
// "double quotes" make one word, '#' at the start of a word ends the line.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "surface/canvas_types.h"
#include "surface/color.h"

std::vector<std::string> SplitWords(const std::string& line);

// Raised for a script line that cannot be run; the runner adds file and line.
struct ScriptError {
  std::string message;
  bool located = false;  // the message already names its file and line
};

// Whole numbers in decimal or 0x hex, and colours 0xRRGGBB (i:N names a palette index).
int ParseInt(const std::string& word);
struct ScriptColor {
  TColor color = clBlack;
  std::optional<int> paletteIndex;
};
ScriptColor ParseColor(const std::string& word);

TPenMode ParseMixMode(const std::string& word);
TCopyMode ParseRasterOp(const std::string& word);
TBrushStyle ParseHatch(const std::string& word);
