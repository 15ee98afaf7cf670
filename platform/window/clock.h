// Time of day as the C runtime's _ftime gives it, with a hook that lets tests and tools choose
// the milliseconds that successive readings return.
#pragma once

#include <stdint.h>
#include <time.h>

struct _timeb {
    time_t time;
    unsigned short millitm;
    short timezone;
    short dstflag;
};

void _ftime(struct _timeb *timeptr);

// From now on each _ftime reading returns the next of these milliseconds, the last one
// repeating; count 0 goes back to the real clock. At most clockScriptCapacity values are kept.
enum { clockScriptCapacity = 64 };
void scriptClockMilliseconds(const unsigned short *values, int count);

// Where readings come from: milliseconds since 1970. Null goes back to the system clock. The
// headless backend installs its virtual clock here.
void setClockSource(uint64_t (*nowMilliseconds)());

// Number of _ftime readings made since the process started (tests count clock reads with it).
uint64_t clockReadings();
