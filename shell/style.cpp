#include "shell/style.h"

#include <string.h>

int32_t decimalDigits(int32_t number, int32_t first, int32_t last) {
    if (last < 0) {
        return 0;
    }
    // Worked in 64 bits so that the place value of a far digit cannot overflow.
    int64_t rest = number;
    int64_t place = 1;
    int64_t sum = 0;
    for (int32_t position = 0; position <= last && rest != 0; position++) {
        int64_t digit = rest % 10;
        if (position >= first) {
            sum += digit * place;
            place *= 10;
        }
        rest /= 10;
    }
    return (int32_t)sum;
}

void copyBounded(char *destination, int32_t capacity, const char *source) {
    if (capacity <= 0) {
        return;
    }
    int32_t i = 0;
    for (; i < capacity - 1; i++) {
        destination[i] = source[i];
        if (source[i] == 0) {
            return;
        }
    }
    destination[i] = 0;
}

void fontForStyle(int32_t styleCode, LOGFONTA *font) {
    memset(font, 0, sizeof *font);
    copyBounded(font->lfFaceName, LF_FACESIZE, "Times New Roman");
    font->lfHeight = decimalDigits(styleCode, 0, 1);
    font->lfWeight = decimalDigits(styleCode, 2, 2) * 100;
    if (font->lfWeight < 200) {
        font->lfWeight = 200;
    }
    font->lfItalic = (BYTE)decimalDigits(styleCode, 3, 3);
    font->lfUnderline = 0;
}
