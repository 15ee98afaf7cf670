#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>
#include <string>

#include "tools/think/moveTable.h"

namespace {

struct TableRun {
    int status;
    std::string out, err;
};

TableRun runTable(const std::string &input) {
    FILE *in = fmemopen(const_cast<char *>(input.data()), input.size(), "r");
    char *outText = nullptr, *errText = nullptr;
    size_t outSize = 0, errSize = 0;
    FILE *out = open_memstream(&outText, &outSize);
    FILE *err = open_memstream(&errText, &errSize);
    TableRun run;
    run.status = runMoveTable(input.empty() ? stdin : in, out, err);
    fclose(in);
    fclose(out);
    fclose(err);
    run.out = outText;
    run.err = errText;
    free(outText);
    free(errText);
    return run;
}

TEST(MoveTable, AnswersEachPositionOnItsOwnLine) {
    const TableRun run = runTable("1 3 5 7 1 0 0\n"
                                  "1 3 5 7 1 0 500\n"
                                  "\n"
                                  "   \t\n"
                                  "0 1 4 5 0 3 999 0\n"
                                  "1 3 5 7 0 0 750 999\n"
                                  "0 0 0 0 1 0 0\n"
                                  "0 0 0 1 1 0 0"); // no final newline
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "3 1 -\n2 1 -\n3 3 -\n3 7 -\n-1 0 INVALID ROW!\n3 1 -\n");
    EXPECT_EQ(run.err, "");
}

TEST(MoveTable, RefusesBadLinesAndGoesOn) {
    const TableRun run = runTable("1 3 5 7 1 0\n"
                                  "2 3 5 7 1 0 0\n"
                                  "1 3 5 8 1 0 0\n"
                                  "1 -1 5 7 1 0 0\n"
                                  "1 3 5 7 1 0 1000\n"
                                  "1 3 5 7 1 0 -1\n"
                                  "1 3 5 seven 1 0 0\n"
                                  "1 3 5 7 1 99999999999 0\n"
                                  "1 3 5 7 1 0 12x\n"
                                  "0 0 0 5 0 0 0\n");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "3 4 -\n");
    EXPECT_EQ(run.err, "error: line 1: expected r0 r1 r2 r3 iq moves m1 [m2 ...], got 6 numbers\n"
                       "error: line 2: r0 is 2, outside 0..1\n"
                       "error: line 3: r3 is 8, outside 0..7\n"
                       "error: line 4: r1 is -1, outside 0..3\n"
                       "error: line 5: millisecond 1000 is outside 0..999\n"
                       "error: line 6: millisecond -1 is outside 0..999\n"
                       "error: line 7: 'seven' is not a number\n"
                       "error: line 8: '99999999999' is out of range\n"
                       "error: line 9: '12x' is not a number\n");
}

} // namespace
