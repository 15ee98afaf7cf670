// Message styles: the decimal digits of a styleCode give the font of a message's text (digits
// 0-1 its height, 2 its weight in hundreds, 3 italic when not 0) and its colour (digit 4: pink
// when 1).
#pragma once

#include <stdint.h>

#include "platform/win32.h"

// The styles of the game's messages.
enum MessageStyle {
    PlayerWinsStyle = 12,
    ComputerWinsStyle = 15150,
    RulesStyle = 20,
    UsageStyle = 1120,
};

// The number formed by the decimal digits first..last of number (digit 0 the least significant),
// the digit at first becoming the units.
int32_t decimalDigits(int32_t number, int32_t first, int32_t last);
// Copies a zero-terminated string into a buffer of capacity bytes, always terminating it when
// the capacity is at least 1.
void copyBounded(char *destination, int32_t capacity, const char *source);
// The font that a styleCode describes.
void fontForStyle(int32_t styleCode, LOGFONTA *font);
