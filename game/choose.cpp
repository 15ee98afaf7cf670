#include "game/choose.h"

#include <string.h>

#include "game/random.h"

namespace {

// The position as the rules see it: the lists, the three largest rows R1..R3 with their
// counts c1..c3 and the differences between them, and the parity of the single-stick rows.
struct Position {
    RowLists lists;
    int32_t r1, r2, r3;
    int32_t c1, c2, c3;
    int32_t d12, d23;
    bool onesOdd;
};

void append(int32_t *list, int32_t *count, int32_t row) {
    list[(*count)++] = row;
}

bool isEven(int32_t count) {
    return count % 2 == 0;
}

// A row drawn from a list, or -1 for an empty list (which is never indexed).
int32_t pickFrom(const int32_t *list, int32_t count) {
    if (count <= 0)
        return -1;
    return list[pickRandom(count - 1)];
}

void setMove(ComputerMove *move, int32_t row, int32_t nrToRemove) {
    move->chosenRow = row;
    move->nrToRemove = nrToRemove;
}

int32_t countOf(int32_t row) {
    return row >= 0 && row < nrRows ? presentInRow[row] : 0;
}

bool highRuleH1(const Position &p, ComputerMove *move) {
    if (p.lists.nrRowsWithMoreThanOne != 2 || p.d12 <= 0 || p.onesOdd)
        return false;
    setMove(move, p.r1, p.d12);
    return true;
}

bool highRuleH2(const Position &p, ComputerMove *move) {
    if (p.lists.nrRowsWithMoreThanOne != 3)
        return false;
    const int32_t k = p.onesOdd ? 1 : 0;
    if (p.d12 > 0 && p.d23 == 0) {
        setMove(move, p.r1, p.c1 - k);
    } else if (p.d12 == 0 && p.d23 == 0) {
        const int32_t row = p.lists.rowsWithMoreThanOne[pickRandom(2)];
        setMove(move, row, countOf(row) - k);
    } else if (p.d12 == 0 && p.d23 > 0) {
        setMove(move, p.r3, p.c3 - k);
    } else {
        int32_t candidate = -1;
        if (p.d12 == 1 && isEven(p.c2))
            candidate = p.r3;
        else if (p.d23 == 1 && isEven(p.c3))
            candidate = p.r1;
        if (candidate < 0)
            return false;
        setMove(move, candidate, p.onesOdd ? countOf(candidate) : countOf(candidate) - 1);
    }
    return true;
}

bool highRuleH3(const Position &p, ComputerMove *move) {
    if (p.lists.nrRowsWithMoreThanTwo != 2 || p.d12 <= 0)
        return false;
    int32_t take = p.d12;
    if (p.onesOdd)
        take = isEven(p.c2) ? p.d12 - 1 : p.d12 + 1;
    if (take < 1 || take > p.c1)
        return false;
    setMove(move, p.r1, take);
    return true;
}

bool highRuleH4(const Position &p, ComputerMove *move) {
    if (p.lists.nrRowsWithMoreThanOne == 2) {
        if (p.d12 != 0 || !p.onesOdd)
            return false;
        setMove(move, p.lists.rowsWithOne[0], 1);
        return true;
    }
    if (p.lists.nrRowsWithMoreThanOne != 3)
        return false;
    if (p.onesOdd) {
        if (p.d12 == 1 && !isEven(p.c2) && p.c3 > 2) {
            setMove(move, p.r3, p.c3 - 2);
            return true;
        }
        if (p.d23 == 1 && !isEven(p.c3) && p.c1 > 2) {
            setMove(move, p.r1, p.c1 - 2);
            return true;
        }
        return false;
    }
    if (p.c1 == 7 && p.c2 == 5 && p.c3 == 3) {
        setMove(move, p.r1, 1);
        return true;
    }
    return false;
}

bool highRuleH5(const Position &p, ComputerMove *move) {
    if (p.c3 <= 2)
        return false;
    if (computerMoves == 0) {
        setMove(move, p.lists.rowsByCount[pickRandom(2)], 1);
        return true;
    }
    if (p.c1 <= 3) {
        setMove(move, p.r1, 1);
        return true;
    }
    int32_t n = pickRandom(2) + 1;
    if (n == p.d12)
        n = p.d12 == 1 ? 2 : 1;
    setMove(move, p.r1, n);
    return true;
}

// Two rows with more than one stick, both holding three or more, and an even count of single
// rows: take from a row that is not 2 and not 0, leaving at least two sticks in it.
void basicRuleB5(const Position &p, ComputerMove *move) {
    const int32_t row =
        pickFrom(p.lists.rowsWithNotTwoAndNotZero, p.lists.nrRowsWithNotTwoAndNotZero);
    if (row < 0)
        return;
    const int32_t count = countOf(row);
    setMove(move, row, count == 1 ? 1 : pickRandom(count - 3) + 1);
}

void basicRuleB3(const Position &p, ComputerMove *move) {
    const RowLists &l = p.lists;
    if (l.nrRowsWithTwo == 2) {
        if (l.nrRowsWithOne > 0)
            setMove(move, pickFrom(l.rowsWithOne, l.nrRowsWithOne), 1);
        else
            setMove(move, pickFrom(l.rowsWithMoreThanZero, l.nrRowsWithMoreThanZero), 1);
    } else if (l.nrRowsWithTwo == 1) {
        const int32_t row = countOf(l.rowsWithMoreThanOne[0]) == 2 ? l.rowsWithMoreThanOne[1]
                                                                   : l.rowsWithMoreThanOne[0];
        setMove(move, row, p.onesOdd ? 1 : countOf(row) - 2);
    } else if (p.onesOdd) {
        const int32_t row = l.rowsWithMoreThanOne[pickRandom(1)];
        setMove(move, row, countOf(row) - 2);
    } else {
        basicRuleB5(p, move);
    }
}

void basicRules(const Position &p, ComputerMove *move) {
    const RowLists &l = p.lists;
    if (l.nrRowsWithMoreThanOne == 0) {
        const int32_t row = pickFrom(l.rowsWithOne, l.nrRowsWithOne);
        if (row >= 0)
            setMove(move, row, 1);
    } else if (l.nrRowsWithMoreThanOne == 1) {
        const int32_t row = l.rowsWithMoreThanOne[0];
        setMove(move, row, p.onesOdd ? countOf(row) : countOf(row) - 1);
    } else if (l.nrRowsWithMoreThanOne == 2) {
        basicRuleB3(p, move);
    } else if (l.nrRowsWithMoreThanOne == 3 && l.nrRowsWithTwo == 2 &&
               l.nrRowsWithMoreThanTwo > 0) {
        const int32_t row = l.rowsWithMoreThanTwo[0];
        const int32_t count = countOf(row);
        if (!p.onesOdd)
            setMove(move, row, count);
        else if (count <= 3)
            setMove(move, row, count - 1);
        else
            setMove(move, row, pickRandom(1) == 1 ? count - 1 : count - 3);
    } else {
        const int32_t row = pickFrom(l.rowsWithMoreThanZero, l.nrRowsWithMoreThanZero);
        if (row >= 0)
            setMove(move, row, pickRandom(countOf(row) - 1) + 1);
    }
}

} // namespace

void swapBytes(void *first, void *second, int32_t size) {
    unsigned char *a = static_cast<unsigned char *>(first);
    unsigned char *b = static_cast<unsigned char *>(second);
    for (int32_t i = 0; i < size; ++i) {
        const unsigned char kept = a[i];
        a[i] = b[i];
        b[i] = kept;
    }
}

void buildRowLists(RowLists *lists) {
    memset(lists, 0, sizeof *lists);
    for (int32_t row = 0; row < nrRows; ++row) {
        const int32_t count = presentInRow[row];
        if (count == 1)
            append(lists->rowsWithOne, &lists->nrRowsWithOne, row);
        if (count == 2)
            ++lists->nrRowsWithTwo;
        if (count >= 1)
            append(lists->rowsWithMoreThanZero, &lists->nrRowsWithMoreThanZero, row);
        if (count >= 2)
            append(lists->rowsWithMoreThanOne, &lists->nrRowsWithMoreThanOne, row);
        if (count >= 3)
            append(lists->rowsWithMoreThanTwo, &lists->nrRowsWithMoreThanTwo, row);
        if (count != 2 && count != 0)
            append(lists->rowsWithNotTwoAndNotZero, &lists->nrRowsWithNotTwoAndNotZero, row);
    }
    // Largest count first, exchanging at once whenever a later row holds strictly more.
    for (int32_t row = 0; row < nrRows; ++row)
        lists->rowsByCount[row] = row;
    for (int32_t a = 0; a < nrRows - 1; ++a) {
        for (int32_t b = a + 1; b < nrRows; ++b) {
            if (presentInRow[lists->rowsByCount[a]] < presentInRow[lists->rowsByCount[b]])
                swapBytes(&lists->rowsByCount[a], &lists->rowsByCount[b], sizeof(int32_t));
        }
    }
}

void validateComputerMove(ComputerMove *move, const RowLists *lists) {
    const char *problem = nullptr;
    if (move->chosenRow < 0 || move->chosenRow >= nrRows)
        problem = "INVALID ROW!\n";
    else if (move->nrToRemove < 1 || move->nrToRemove > presentInRow[move->chosenRow])
        problem = "INVALID NRTOREMOVE!\n";
    if (problem == nullptr)
        return;
    strcpy(move->diagnostic, problem);
    if (lists->nrRowsWithMoreThanZero > 0)
        setMove(move, lists->rowsWithMoreThanZero[0], 1);
    else
        setMove(move, -1, 0);
}

void chooseComputerMove(ComputerMove *move) {
    move->diagnostic[0] = '\0';
    countSticks();
    setMove(move, -1, 0);

    Position p;
    buildRowLists(&p.lists);
    p.r1 = p.lists.rowsByCount[0];
    p.r2 = p.lists.rowsByCount[1];
    p.r3 = p.lists.rowsByCount[2];
    p.c1 = presentInRow[p.r1];
    p.c2 = presentInRow[p.r2];
    p.c3 = presentInRow[p.r3];
    p.d12 = p.c1 - p.c2;
    p.d23 = p.c2 - p.c3;
    p.onesOdd = !isEven(p.lists.nrRowsWithOne);

    const bool high = IqLevel == 1;
    if (!high || !(highRuleH1(p, move) || highRuleH2(p, move) || highRuleH3(p, move) ||
                   highRuleH4(p, move) || highRuleH5(p, move)))
        basicRules(p, move);

    validateComputerMove(move, &p.lists);
}
