// The move table: positions in, the computer's moves out, one line each.
#pragma once

#include <stdio.h>

// Reads lines "r0 r1 r2 r3 iq moves m1 [m2 ...]" from input and writes "row take diagnostic"
// for each to output; a line it cannot use is reported on errors as "error: line N: ..." and
// skipped. Returns 2 if any line was refused, else 0.
int runMoveTable(FILE *input, FILE *output, FILE *errors);
