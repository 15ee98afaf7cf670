// Builds small .res images and resource data by hand, for tests of the reader.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

void put16(Bytes &b, uint16_t v);
void put32(Bytes &b, uint32_t v);
// UTF-16 of an ASCII text with its terminating zero.
void putText(Bytes &b, const std::string &text);
void pad4(Bytes &b);

// Appends one entry with a numeric type and id.
void addEntry(Bytes &image, uint16_t type, uint16_t id, uint16_t language, const Bytes &data);
// A .res image that starts with the customary empty entry.
Bytes emptyImage();
