#include "tests/support/resource_script.h"

#include <stdlib.h>

#include <fstream>
#include <map>
#include <string>

namespace {

using Line = std::vector<std::string>; // its words; a quoted string is one word, unquoted

// A file's lines as words, comments and empty lines left out.
std::vector<Line> readLines(const std::string &path) {
    std::vector<Line> lines;
    std::ifstream in(path, std::ios::binary);
    for (std::string text; std::getline(in, text);) {
        Line words;
        for (size_t at = 0; at < text.size() && text.compare(at, 2, "//") != 0;) {
            if (text.find_first_of(" ,\t\r", at) == at) {
                ++at;
                continue;
            }
            const bool quoted = text[at] == '"';
            size_t end = quoted ? text.find('"', at + 1) : text.find_first_of(" ,\t\r", at);
            end = end == std::string::npos ? text.size() : end;
            words.push_back(text.substr(at + quoted, end - at - quoted));
            at = end + quoted;
        }
        if (!words.empty()) {
            lines.push_back(words);
        }
    }
    return lines;
}

struct Script {
    std::vector<Line> lines;
    std::map<std::string, long> defines;

    long value(const std::string &word) const {
        auto named = defines.find(word);
        return named != defines.end() ? named->second : strtol(word.c_str(), nullptr, 0);
    }
    // The line that starts the resource of this id and kind, or lines.size().
    size_t find(uint16_t id, const char *kind) const {
        size_t at = 0;
        while (at < lines.size() &&
               !(lines[at].size() > 1 && lines[at][1] == kind && value(lines[at][0]) == id)) {
            ++at;
        }
        return at;
    }
};

const Script &script() {
    static const Script read = [] {
        Script s;
        s.lines = readLines(QUILLMERE_RESOURCES_DIR "/quillmere.rc");
        std::vector<Line> lines = readLines(QUILLMERE_RESOURCES_DIR "/resource.h");
        lines.insert(lines.end(), s.lines.begin(), s.lines.end());
        for (const Line &line : lines) {
            if (line.size() == 3 && line[0] == "#define") {
                s.defines[line[1]] = strtol(line[2].c_str(), nullptr, 0);
            }
        }
        return s;
    }();
    return read;
}

// The entries of a menu level from the BEGIN at *at to its END, which *at is left on.
std::vector<MenuItemTemplate> menuLevel(const Script &s, size_t *at) {
    std::vector<MenuItemTemplate> level;
    for (++*at; *at < s.lines.size() && s.lines[*at][0] != "END"; ++*at) {
        const Line &line = s.lines[*at];
        MenuItemTemplate item;
        item.text = line.size() > 1 ? line[1] : "";
        if (line[0] == "POPUP") {
            item.flags = MenuItemPopup;
            ++*at;
            item.children = menuLevel(s, at);
        } else {
            item.id = static_cast<uint16_t>(s.value(line.at(2)));
        }
        level.push_back(item);
    }
    if (!level.empty()) {
        level.back().flags |= MenuItemEnd;
    }
    return level;
}

} // namespace

DialogTemplate scriptDialog(uint16_t id) {
    const Script &s = script();
    DialogTemplate dialog;
    size_t at = s.find(id, "DIALOG");
    if (at == s.lines.size()) {
        return dialog;
    }
    const Line &head = s.lines[at];
    dialog.x = s.value(head.at(2));
    dialog.y = s.value(head.at(3));
    dialog.cx = s.value(head.at(4));
    dialog.cy = s.value(head.at(5));
    for (++at; at < s.lines.size() && s.lines[at][0] != "END"; ++at) {
        const Line &line = s.lines[at];
        if (line[0] == "STYLE") {
            dialog.style = s.value(line.at(1));
        } else if (line[0] == "CAPTION") {
            dialog.title = line.at(1);
        } else if (line[0] == "MENU") {
            dialog.menuId = s.value(line.at(1));
        } else if (line[0] == "FONT") {
            dialog.pointSize = s.value(line.at(1));
            dialog.faceName = line.at(2);
        } else if (line[0] == "CONTROL") {
            DialogItemTemplate item;
            item.caption = line.at(1);
            item.id = static_cast<uint16_t>(s.value(line.at(2)));
            item.classAtom = s.value(line.at(3));
            item.style = s.value(line.at(4));
            item.x = s.value(line.at(5));
            item.y = s.value(line.at(6));
            item.cx = s.value(line.at(7));
            item.cy = s.value(line.at(8));
            dialog.items.push_back(item);
        }
    }
    return dialog;
}

std::vector<MenuItemTemplate> scriptMenu(uint16_t id) {
    const Script &s = script();
    size_t at = s.find(id, "MENU") + 1;
    return at < s.lines.size() ? menuLevel(s, &at) : std::vector<MenuItemTemplate>();
}
