// The about dialog: the program, its version and its maker, beside the maker's logo.
#pragma once

#include "platform/win32.h"

extern const char aboutVersionText[];
extern const char aboutMakerText[];
extern const char aboutTownText[];
extern const char aboutEmailText[];
extern const char aboutWebText[];

INT_PTR CALLBACK aboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
