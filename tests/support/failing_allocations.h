#pragma once
// Memory that runs out on demand, for tests of what the program does without it: while the
// count set here is above zero, each allocation of the calling thread fails (std::bad_alloc)
// and lowers it by one.
void FailAllocations(long count);
