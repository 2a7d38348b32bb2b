#include "draw/ui/bounded_value.h"

TBoundedValue::TBoundedValue(TValueRange range, int position, QObject* parent)
    : QObject(parent), range_(range), position_(range.Clamp(position)) {}

void TBoundedValue::SetPosition(int position) {
  const int clamped = range_.Clamp(position);
  if (clamped == position_) return;
  position_ = clamped;
  emit Change();
}
