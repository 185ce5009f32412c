#pragma once

// The period finder's accuracy on the tones of its test table, one line a
// tone with its error, its target and whether this run met it.
void printPeriodAccuracy();
