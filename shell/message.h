// The styled message dialog: one block of text in a font, size, slant and colour coded by the
// caller's styleCode, in a modal window of the caller's size.
#pragma once

#include <stdint.h>

#include "platform/win32.h"

enum { messageTitleCapacity = 255, messageTextCapacity = 2000 };

struct PendingMessage {
    int32_t styleCode;
    int32_t height; // outer size of the dialog window, pixels
    int32_t width;
    char title[messageTitleCapacity];
    char text[messageTextCapacity];
};

// The message that the open (or last) message dialog shows.
extern PendingMessage pendingMessage;

// The pink of the styled messages, as 0x00BBGGRR.
enum { messagePink = 0x00F078F0 };

// Shows the message modally over the owner and returns when the user has closed it.
void showMessageDialog(HWND owner, const char *text, const char *title, int32_t width,
                       int32_t height, int32_t styleCode);
INT_PTR CALLBACK messageDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The number formed by the decimal digits first..last of number (digit 0 the least significant),
// the digit at first becoming the units.
int32_t decimalDigits(int32_t number, int32_t first, int32_t last);
// Copies a zero-terminated string into a buffer of capacity bytes, always terminating it when
// the capacity is at least 1.
void copyBounded(char *destination, int32_t capacity, const char *source);
// The font that a styleCode describes.
void fontForStyle(int32_t styleCode, LOGFONTA *font);
