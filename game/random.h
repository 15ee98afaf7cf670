// The only source of chance: the milliseconds of the time of day.
#pragma once

#include <stdint.h>

// A whole number in 0..n for every n >= 0 (n itself for negative n), read from the clock afresh.
int32_t pickRandom(int32_t n);
