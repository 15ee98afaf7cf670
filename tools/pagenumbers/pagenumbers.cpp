// Writes a script of the web page with the numbers it shares with the program taken from the
// program's headers, so that the two cannot disagree: the line "/* numbers */" of the script
// becomes their constants. Usage: quillmere_pagenumbers page.js out.js
#include <stdio.h>

#include <fstream>
#include <iterator>
#include <string>

#include "platform/backend.h"
#include "platform/web/pagenumbers.h"
#include "platform/win32.h"

namespace {

struct Number {
    Number(const char *numberName, long numberValue) : name(numberName), value(numberValue) {}
    const char *name;
    long value;
};

// A constant under its name in the program's headers.
#define NUMBER(name) Number(#name, name)
#define INPUT_KIND(name) Number(#name, InputEvent::name)

const Number inputKinds[] = {
    INPUT_KIND(MouseMove), INPUT_KIND(MouseDown), INPUT_KIND(MouseUp),      INPUT_KIND(KeyDown),
    INPUT_KIND(KeyUp),     INPUT_KIND(Character), INPUT_KIND(CloseRequest),
};
// Every kind, as webInput takes them: MouseMove to CloseRequest.
static_assert(sizeof inputKinds / sizeof *inputKinds == InputEvent::CloseRequest + 1, "");

#define ACCESS_ROLE(name) Number(#name, long(AccessRole::name))
const Number accessRoles[] = {
    ACCESS_ROLE(Frame), ACCESS_ROLE(Dialog),  ACCESS_ROLE(Button), ACCESS_ROLE(Label),
    ACCESS_ROLE(Text),  ACCESS_ROLE(MenuBar), ACCESS_ROLE(Menu),   ACCESS_ROLE(MenuItem),
};

const Number constants[] = {
    NUMBER(PageWindowVisible),
    NUMBER(PageWindowMinimised),
    NUMBER(PageShift),
    NUMBER(PageControl),
    NUMBER(PageAlt),
    NUMBER(MB_ICONEXCLAMATION),
    NUMBER(MB_ICONASTERISK),
    NUMBER(VK_BACK),
    NUMBER(VK_TAB),
    NUMBER(VK_RETURN),
    NUMBER(VK_SHIFT),
    NUMBER(VK_CONTROL),
    NUMBER(VK_MENU),
    NUMBER(VK_ESCAPE),
    NUMBER(VK_SPACE),
    NUMBER(VK_END),
    NUMBER(VK_HOME),
    NUMBER(VK_LEFT),
    NUMBER(VK_UP),
    NUMBER(VK_RIGHT),
    NUMBER(VK_DOWN),
    NUMBER(VK_INSERT),
    NUMBER(VK_DELETE),
    NUMBER(VK_F10),
    NUMBER(AccessEnabled),
    NUMBER(AccessFocused),
    NUMBER(AccessPressed),
    NUMBER(AccessShowing),
    NUMBER(AccessModal),
    NUMBER(AccessExpanded),
};

// "const name = {A: 1, B: 2};"
std::string object(const char *name, const Number *numbers, size_t count) {
    std::string text = std::string("const ") + name + " = {";
    char field[64];
    for (size_t i = 0; i < count; ++i) {
        snprintf(field, sizeof field, "%s%s: %ld", i == 0 ? "" : ", ", numbers[i].name,
                 numbers[i].value);
        text += field;
    }
    return text + "};";
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: %s page.js out.js\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::string script{std::istreambuf_iterator<char>(in), {}};
    if (!in) {
        fprintf(stderr, "error: cannot read %s\n", argv[1]);
        return 1;
    }
    const std::string marker = "/* numbers */";
    const size_t at = script.find(marker);
    if (at == std::string::npos || script.find(marker, at + 1) != std::string::npos) {
        fprintf(stderr, "error: %s needs one line %s\n", argv[1], marker.c_str());
        return 1;
    }
    const size_t lineStart = script.rfind('\n', at) + 1; // 0 when the marker opens the file
    const std::string indent(script, lineStart, at - lineStart);
    std::string numbers = object("InputEvent", inputKinds, std::size(inputKinds)) + "\n" + indent +
                          object("AccessRole", accessRoles, std::size(accessRoles));
    char text[64];
    for (const Number &constant : constants) {
        snprintf(text, sizeof text, "\n%sconst %s = %ld;", indent.c_str(), constant.name,
                 constant.value);
        numbers += text;
    }
    script.replace(at, marker.size(), numbers);

    FILE *out = fopen(argv[2], "wb");
    if (!out || fwrite(script.data(), 1, script.size(), out) != script.size() || fclose(out) != 0) {
        fprintf(stderr, "error: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
