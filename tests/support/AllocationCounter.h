// Counts the heap allocations a test program makes while it asks, to prove the audio path makes none.
#pragma once

namespace qm07
{
/// Any thread: from now on every operator new of the program is counted.
void startCountingAllocations();
/// Any thread: stops counting and answers how many allocations there were since the start.
int stopCountingAllocations();
} // namespace qm07
