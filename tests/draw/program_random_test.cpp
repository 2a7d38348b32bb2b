#include <gtest/gtest.h>

#include "draw/program_random.h"
#include "draw/wrap_step.h"

// The sequence from the start state: Random(0) still advances the state, so every run repeats.
TEST(ProgramRandom, SequenceFromStartStateAndWrapStep) {
  SetRandomState(0);
  struct Draw { int n, expected; uint32_t state; };
  const Draw draws[] = {{10, 0, 1u},           {10, 0, 134775814u},   {10, 8, 3698175007u},
                        {1000, 202, 870078620u}, {1000, 272, 1172187917u}, {0, 0, 2884733762u},
                        {7, 2, 1368768587u}};
  for (const Draw& d : draws) {
    EXPECT_EQ(Random(d.n), d.expected) << d.n;
    EXPECT_EQ(RandomState(), d.state);
  }
  SetRandomState(0);

  struct Wrap { int value, step, high, low, expected; };
  const Wrap wraps[] = {{18, 1, 18, 1, 1}, {1, -1, 18, 1, 18}, {5, 1, 5, 0, 0},
                        {3, 1, 5, 0, 4},   {0, 20, 5, 0, 14}};
  for (const Wrap& w : wraps)
    EXPECT_EQ(WrapStep(w.value, w.step, w.high, w.low), w.expected) << w.value << "+" << w.step;
}
