#include "draw/key_table.h"

#include <string_view>

#include "draw/drawing_settings.h"
#include "draw/tool_table.h"
#include "draw/wrap_step.h"

namespace {

// Tools 9..18 by the letters of the row under the digits and the two after A.
constexpr std::string_view kToolLetters = "QWERTYUIAS";
constexpr int kFirstLetterTool = 9;
constexpr int kDigitTools = 8;

void step(int& value, int by, const TValueRange& range) { value = range.Clamp(value + by); }

void stepCyclic(int& value, int by, const TValueRange& range) {
  value = WrapStep(value, by, range.high, range.low);
}

}  // namespace

TKeyedSettings ApplyKey(int virtualKey, bool strokeUnderway, TKeyedSettings s) {
  switch (virtualKey) {
    case vkLeft: step(s.penWidth, -1, kPenWidthRange); return s;
    case vkRight: step(s.penWidth, 1, kPenWidthRange); return s;
    case vkUp: step(s.fontSize, 1, kFontSizeRange); return s;
    case vkDown: step(s.fontSize, -1, kFontSizeRange); return s;
    default: break;
  }
  if (strokeUnderway) return s;
  switch (virtualKey) {
    case vkSpace: s.tool = WrapStep(s.tool, 1, kToolCount, 1); return s;
    case 'Z': stepCyclic(s.fillSetting, -1, kFillSettingRange); return s;
    case 'X': stepCyclic(s.fillSetting, 1, kFillSettingRange); return s;
    case 'C': stepCyclic(s.penMode, -1, kPenModeRange); return s;
    case 'V': stepCyclic(s.penMode, 1, kPenModeRange); return s;
    default: break;
  }
  if (virtualKey >= '1' && virtualKey < '1' + kDigitTools) {
    s.tool = virtualKey - '0';
  } else if (const auto at = kToolLetters.find(char(virtualKey));
             virtualKey >= 'A' && virtualKey <= 'Z' && at != std::string_view::npos) {
    s.tool = kFirstLetterTool + int(at);
  }
  return s;
}
