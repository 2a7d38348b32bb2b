#pragma once
// The program's one pseudo-random generator, shared by the spray, the tree of fractal drawing
// and the randomness preview. It is never seeded from the clock: every run of the program draws
// the same sequence, so a picture made by the same strokes comes out the same each time.
#include <cstdint>

// A uniform integer 0..n-1 (0 when n is 0 or negative). Advances the state first:
// state := state * 134775813 + 1 (mod 2^32), then result := (state * n) div 2^32.
int Random(int n);

// The generator's state; 0 when the program starts. For tests that need a known sequence.
uint32_t RandomState();
void SetRandomState(uint32_t state);
