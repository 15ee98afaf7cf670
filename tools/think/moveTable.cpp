#include "tools/think/moveTable.h"

#include <errno.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <string>

#include "game/board.h"
#include "game/choose.h"
#include "platform/window/clock.h"

namespace {

enum { nrFixedFields = 6 };

// Parses one whitespace-separated integer; false with a reason when it is not one.
bool parseInteger(const std::string &token, long long *value, std::string *why) {
    errno = 0;
    char *end = nullptr;
    const long long parsed = strtoll(token.c_str(), &end, 10);
    if (token.empty() || *end != '\0') {
        *why = "'" + token + "' is not a number";
        return false;
    }
    if (errno == ERANGE || parsed < INT32_MIN || parsed > INT32_MAX) {
        *why = "'" + token + "' is out of range";
        return false;
    }
    *value = parsed;
    return true;
}

// Handles one line; returns false (with a reason) when the line cannot be used.
bool handleLine(const std::string &line, FILE *output, std::string *why) {
    static const char *const fieldNames[nrFixedFields] = {"r0", "r1", "r2", "r3", "iq", "moves"};
    long long fields[nrFixedFields] = {};
    unsigned short milliseconds[clockScriptCapacity];
    int nrFields = 0;
    int nrMilliseconds = 0;

    size_t at = 0;
    while (true) {
        at = line.find_first_not_of(" \t\r\v\f", at);
        if (at == std::string::npos)
            break;
        const size_t end = line.find_first_of(" \t\r\v\f", at);
        const std::string token = line.substr(at, end == std::string::npos ? end : end - at);
        at = end;
        long long value = 0;
        if (!parseInteger(token, &value, why))
            return false;
        if (nrFields < nrFixedFields) {
            if (nrFields < nrRows && (value < 0 || value > 2 * nrFields + 1)) {
                *why = std::string(fieldNames[nrFields]) + " is " + std::to_string(value) +
                       ", outside 0.." + std::to_string(2 * nrFields + 1);
                return false;
            }
            fields[nrFields++] = value;
            continue;
        }
        if (value < 0 || value > 999) {
            *why = "millisecond " + std::to_string(value) + " is outside 0..999";
            return false;
        }
        if (nrMilliseconds == clockScriptCapacity) {
            *why = "more than " + std::to_string(clockScriptCapacity) + " milliseconds";
            return false;
        }
        milliseconds[nrMilliseconds++] = static_cast<unsigned short>(value);
    }
    if (nrFields < nrFixedFields || nrMilliseconds == 0) {
        *why = "expected r0 r1 r2 r3 iq moves m1 [m2 ...], got " +
               std::to_string(nrFields + nrMilliseconds) + " numbers";
        return false;
    }

    int32_t nrPresent[nrRows];
    for (int row = 0; row < nrRows; ++row)
        nrPresent[row] = static_cast<int32_t>(fields[row]);
    layOutBoard(nrPresent);
    IqLevel = static_cast<int32_t>(fields[4]);
    computerMoves = static_cast<int32_t>(fields[5]);
    scriptClockMilliseconds(milliseconds, nrMilliseconds);
    ComputerMove move;
    chooseComputerMove(&move);
    scriptClockMilliseconds(nullptr, 0);

    std::string diagnostic = move.diagnostic;
    while (!diagnostic.empty() && (diagnostic.back() == '\n' || diagnostic.back() == '\r'))
        diagnostic.pop_back();
    fprintf(output, "%d %d %s\n", move.chosenRow, move.nrToRemove,
            diagnostic.empty() ? "-" : diagnostic.c_str());
    return true;
}

} // namespace

int runMoveTable(FILE *input, FILE *output, FILE *errors) {
    bool refused = false;
    std::string line;
    long lineNumber = 0;
    int c = 0;
    do {
        c = fgetc(input);
        if (c != EOF && c != '\n') {
            line += static_cast<char>(c);
            continue;
        }
        if (c == EOF && line.empty())
            break;
        ++lineNumber;
        std::string why;
        if (line.find_first_not_of(" \t\r\v\f") != std::string::npos &&
            !handleLine(line, output, &why)) {
            fprintf(errors, "error: line %ld: %s\n", lineNumber, why.c_str());
            refused = true;
        }
        line.clear();
    } while (c != EOF);
    fflush(output);
    return refused ? 2 : 0;
}
