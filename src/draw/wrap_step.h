#pragma once
// value + step, wrapped once into low..high: one past high becomes low, one below low becomes
// high. Only one wrap: a value more than a whole range outside stays outside.
constexpr int WrapStep(int value, int step, int high, int low) {
  const int v = value + step;
  if (v > high) return v - (high - low + 1);
  if (v < low) return v + (high - low + 1);
  return v;
}
