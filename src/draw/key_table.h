#pragma once
// The single-key shortcuts of the drawing settings, by virtual key code: tools by number and
// letter, the next tool, fill setting, pen mode, pen width and font size.

// Virtual key codes: letters 'A'..'Z' and main-row digits '0'..'9' are their capital ASCII
// codes, whatever Shift says.
inline constexpr int vkSpace = 0x20;
inline constexpr int vkLeft = 0x25;
inline constexpr int vkUp = 0x26;
inline constexpr int vkRight = 0x27;
inline constexpr int vkDown = 0x28;

// What the keys change. Tool number 1..18; the others within their setting's range.
struct TKeyedSettings {
  int tool = 1;
  int fillSetting = 0;
  int penMode = 0;
  int penWidth = 1;
  int fontSize = 9;

  bool operator==(const TKeyedSettings&) const = default;
};

// The settings after the key. The arrows (pen width and font size) work also while a stroke
// is under way; every other key changes something only while idle. Fill setting and pen mode
// step cyclically, pen width and font size stop at their ranges; keys without a row change
// nothing.
TKeyedSettings ApplyKey(int virtualKey, bool strokeUnderway, TKeyedSettings s);
