#include "tests/resources/res_builder.h"

void put16(Bytes &b, uint16_t v) {
    b.push_back(v & 0xFF);
    b.push_back(v >> 8);
}

void put32(Bytes &b, uint32_t v) {
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}

void putText(Bytes &b, const std::string &text) {
    for (unsigned char c : text)
        put16(b, c);
    put16(b, 0);
}

void pad4(Bytes &b) {
    while (b.size() % 4)
        b.push_back(0);
}

void addEntry(Bytes &image, uint16_t type, uint16_t id, uint16_t language, const Bytes &data) {
    put32(image, uint32_t(data.size()));
    put32(image, 32);
    put16(image, 0xFFFF);
    put16(image, type);
    put16(image, 0xFFFF);
    put16(image, id);
    put32(image, 0);      // data version
    put16(image, 0x1030); // memory flags
    put16(image, language);
    put32(image, 0); // version
    put32(image, 0); // characteristics
    image.insert(image.end(), data.begin(), data.end());
    pad4(image);
}

Bytes emptyImage() {
    Bytes image;
    addEntry(image, 0, 0, 0, {});
    return image;
}
