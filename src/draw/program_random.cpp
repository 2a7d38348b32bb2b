#include "draw/program_random.h"

namespace {
uint32_t state = 0;
}

int Random(int n) {
  state = state * 134775813u + 1u;
  if (n <= 0) return 0;
  return static_cast<int>((static_cast<uint64_t>(state) * static_cast<uint64_t>(n)) >> 32);
}

uint32_t RandomState() { return state; }

void SetRandomState(uint32_t s) { state = s; }
