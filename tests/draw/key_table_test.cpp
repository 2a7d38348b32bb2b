// The single-key shortcuts as values: what each key does to tool, fill, pen mode, pen width
// and font size, idle and during a stroke.
#include <gtest/gtest.h>

#include "draw/key_table.h"

namespace {

struct KeyCase {
  int key;
  bool stroking;
  TKeyedSettings before;
  TKeyedSettings after;
};

constexpr TKeyedSettings kStart{5, 3, 1, 10, 20};

TKeyedSettings with(int tool, int fill, int mode, int width, int size) { return {tool, fill, mode, width, size}; }

TEST(KeyTable, EveryKeyChangesItsSettingAndNothingElse) {
  const KeyCase cases[] = {
      // Tools by digit and by letter; Space steps and wraps.
      {'1', false, kStart, with(1, 3, 1, 10, 20)},
      {'8', false, kStart, with(8, 3, 1, 10, 20)},
      {'Q', false, kStart, with(9, 3, 1, 10, 20)},
      {'W', false, kStart, with(10, 3, 1, 10, 20)},
      {'E', false, kStart, with(11, 3, 1, 10, 20)},
      {'R', false, kStart, with(12, 3, 1, 10, 20)},
      {'T', false, kStart, with(13, 3, 1, 10, 20)},
      {'Y', false, kStart, with(14, 3, 1, 10, 20)},
      {'U', false, kStart, with(15, 3, 1, 10, 20)},
      {'I', false, kStart, with(16, 3, 1, 10, 20)},
      {'A', false, kStart, with(17, 3, 1, 10, 20)},
      {'S', false, kStart, with(18, 3, 1, 10, 20)},
      {vkSpace, false, kStart, with(6, 3, 1, 10, 20)},
      {vkSpace, false, with(18, 3, 1, 10, 20), with(1, 3, 1, 10, 20)},
      // Fill setting and pen mode step round their ranges.
      {'Z', false, kStart, with(5, 2, 1, 10, 20)},
      {'Z', false, with(5, 0, 1, 10, 20), with(5, 8, 1, 10, 20)},
      {'X', false, with(5, 8, 1, 10, 20), with(5, 0, 1, 10, 20)},
      {'C', false, with(5, 3, 0, 10, 20), with(5, 3, 3, 10, 20)},
      {'V', false, with(5, 3, 3, 10, 20), with(5, 3, 0, 10, 20)},
      // Pen width and font size stop at their ends.
      {vkLeft, false, kStart, with(5, 3, 1, 9, 20)},
      {vkLeft, false, with(5, 3, 1, 1, 20), with(5, 3, 1, 1, 20)},
      {vkRight, false, with(5, 3, 1, 50, 20), with(5, 3, 1, 50, 20)},
      {vkUp, false, kStart, with(5, 3, 1, 10, 21)},
      {vkUp, false, with(5, 3, 1, 10, 99), with(5, 3, 1, 10, 99)},
      {vkDown, false, with(5, 3, 1, 10, 1), with(5, 3, 1, 10, 1)},
      // Keys without a row: other letters, digits 0 and 9.
      {'F', false, kStart, kStart},
      {'0', false, kStart, kStart},
      {'9', false, kStart, kStart},
      // During a stroke only the arrows work.
      {'3', true, kStart, kStart},
      {vkSpace, true, kStart, kStart},
      {'X', true, kStart, kStart},
      {vkRight, true, kStart, with(5, 3, 1, 11, 20)},
      {vkDown, true, kStart, with(5, 3, 1, 10, 19)},
  };
  for (const KeyCase& c : cases) {
    const TKeyedSettings got = ApplyKey(c.key, c.stroking, c.before);
    EXPECT_EQ(got, c.after) << "key " << c.key << (c.stroking ? " during a stroke" : "") << ": tool " << got.tool
                            << " fill " << got.fillSetting << " mode " << got.penMode << " width " << got.penWidth
                            << " size " << got.fontSize;
  }
}

}  // namespace
