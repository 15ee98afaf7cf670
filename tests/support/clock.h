// The clock readings that steer the game's random picks.
#pragma once

#include <vector>

#include "platform/window/clock.h"

// The first millisecond at which pickRandom(n) returns value.
inline unsigned short msFor(int value, int n) {
    return static_cast<unsigned short>((value * 1000 + n) / (n + 1));
}

// From now on the clock's readings return these milliseconds, the last one repeating.
inline void scriptClock(std::vector<unsigned short> values) {
    scriptClockMilliseconds(values.data(), static_cast<int>(values.size()));
}
