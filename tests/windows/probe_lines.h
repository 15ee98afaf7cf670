// Reads what the Windows probe prints: one finding a line, a kind word followed by name=value
// fields, texts with \xHH escapes.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "tests/support/dialog_units.h"

struct ProbeLine {
    std::string kind;                          // "dialog", "owner", "control", "seen", ...
    std::map<std::string, std::string> fields; // values unescaped (Windows-1252 bytes)
    std::string field(const std::string &name) const;
    int number(const std::string &name) const; // 0 when absent or not a number
};

std::vector<ProbeLine> parseProbeOutput(const std::string &output);

// The controls of one "controls" step: the index-th run of consecutive control lines.
std::vector<ProbeLine> controlBlock(const std::vector<ProbeLine> &lines, int index);
// The control with this id in a block, or nullptr.
const ProbeLine *controlById(const std::vector<ProbeLine> &block, int id);

// "l,t,r,b"; false when it is not four numbers.
bool parseRect(const std::string &text, PixelRect *out);
