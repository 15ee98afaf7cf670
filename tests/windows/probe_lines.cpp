#include "tests/windows/probe_lines.h"

#include <stdio.h>
#include <stdlib.h>

#include <sstream>

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

std::string unescaped(const std::string &text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x' &&
            hexDigit(text[i + 2]) >= 0 && hexDigit(text[i + 3]) >= 0) {
            out += static_cast<char>(hexDigit(text[i + 2]) * 16 + hexDigit(text[i + 3]));
            i += 3;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace

std::string ProbeLine::field(const std::string &name) const {
    auto found = fields.find(name);
    return found == fields.end() ? std::string() : found->second;
}

int ProbeLine::number(const std::string &name) const {
    return atoi(field(name).c_str());
}

std::vector<ProbeLine> parseProbeOutput(const std::string &output) {
    std::vector<ProbeLine> lines;
    std::istringstream stream(output);
    std::string text;
    while (std::getline(stream, text)) {
        if (!text.empty() && text.back() == '\r') {
            text.pop_back();
        }
        std::istringstream words(text);
        ProbeLine line;
        if (!(words >> line.kind)) {
            continue;
        }
        std::string word;
        while (words >> word) {
            size_t equals = word.find('=');
            if (equals != std::string::npos) {
                line.fields[word.substr(0, equals)] = unescaped(word.substr(equals + 1));
            }
        }
        lines.push_back(line);
    }
    return lines;
}

std::vector<ProbeLine> controlBlock(const std::vector<ProbeLine> &lines, int index) {
    int seen = -1;
    bool inside = false;
    std::vector<ProbeLine> block;
    for (const ProbeLine &line : lines) {
        bool isControl = line.kind == "control";
        if (isControl && !inside) {
            ++seen;
        }
        inside = isControl;
        if (isControl && seen == index) {
            block.push_back(line);
        }
    }
    return block;
}

const ProbeLine *controlById(const std::vector<ProbeLine> &block, int id) {
    for (const ProbeLine &line : block) {
        if (line.number("id") == id) {
            return &line;
        }
    }
    return nullptr;
}

bool parseRect(const std::string &text, PixelRect *out) {
    char rest = 0;
    return sscanf(text.c_str(), "%d,%d,%d,%d%c", &out->left, &out->top, &out->right, &out->bottom,
                  &rest) == 4;
}
