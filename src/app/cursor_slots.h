#pragma once
// The screen cursor table: slot n (1..18) holds the cursor of tool number n, loaded from the
// 32x32 monochrome pictures in the program's cursor resources (":/cursors/NAME.xpm"), enlarged
// by the whole factor nearest the screens' device pixel ratio, so they stay 32x32 logical
// pixels and sharp.
#include <QCursor>
#include <array>

#include "draw/tool_table.h"

class TCursorSlots {
 public:
  // Loads the eighteen cursors; a picture that cannot be loaded leaves its slot showing the
  // default arrow.
  TCursorSlots();
  // The cursor of tool number slot. Precondition: 1 <= slot <= 18.
  const QCursor& Slot(int slot) const { return cursors_[slot - 1]; }
  // The resource name of a slot ("pen", "line", ...); slots 8 and 12 share "copy".
  static const char* ResourceName(int slot);

 private:
  std::array<QCursor, kToolCount> cursors_;
};
