// quillmere-think: the computer's move for each position read from standard input.
#include <stdio.h>
#include <string.h>

#include "tools/think/moveTable.h"

int main(int argc, char **argv) {
    if (argc > 1) {
        const bool help = strcmp(argv[1], "-h") == 0 || strcmp(argv[1], "--help") == 0;
        fprintf(help ? stdout : stderr,
                "usage: %s < positions\n"
                "Each input line: r0 r1 r2 r3 iq moves m1 [m2 ...]\n"
                "  r0..r3  present sticks in rows 0..3 (at most 1, 3, 5, 7)\n"
                "  iq      skill level (1 high, anything else low)\n"
                "  moves   computer turns already played in the game\n"
                "  m1...   milliseconds of successive clock readings (the last repeats)\n"
                "Each output line: row take diagnostic ('-' when there is none).\n",
                argv[0]);
        return help ? 0 : 2;
    }
    return runMoveTable(stdin, stdout, stderr);
}
