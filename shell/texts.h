// The texts of the game's messages, each with the style it is shown in.
#pragma once

#include <stdint.h>

#include "shell/style.h"

extern const char rulesText[];
extern const char usageText[];
extern const char computerWinsText[];
extern const char playerWinsText[];

// Every message with its style, for builds that render the messages' glyphs in advance.
struct MessageText {
    const char *text;
    int32_t styleCode;
};
enum { nrMessageTexts = 4 };
extern const MessageText messageTexts[nrMessageTexts];
