// The styled message dialog: one block of text in a font, size, slant and colour coded by the
// caller's styleCode (shell/style.h), in a modal window of the caller's size.
#pragma once

#include <stdint.h>

#include "platform/win32.h"
#include "shell/style.h"

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
