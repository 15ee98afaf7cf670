// Windows-1252, the character set of every text the program shows.
#pragma once

#include <stdint.h>
#include <string>

// The Unicode code point of one Windows-1252 byte (the five unassigned bytes map to U+FFFD).
uint32_t cp1252ToUnicode(unsigned char byte);

// The Windows-1252 byte of a code point, or '?' when the character set has none.
unsigned char unicodeToCp1252(uint32_t codePoint);

// A Windows-1252 text converted to UTF-8.
std::string cp1252ToUtf8(const char *text, size_t length);
