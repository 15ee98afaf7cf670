// MessageBeep through the desktop's event sounds: the sound theme's "dialog-warning" for
// MB_ICONEXCLAMATION, "dialog-information" for MB_ICONASTERISK and "bell" for the other types,
// as Windows plays the user's system sounds. libcanberra plays them; it is loaded at the first
// beep, so the program neither needs it nor pays for it at start-up.
#pragma once

#include <string>

#include "platform/win32.h"

// Starts the event sound of a beep type in the given sound theme (empty: libcanberra's
// default) and returns at once. False, with the reason in *why, when no event sound plays: no
// libcanberra, no sound server or device it can reach, or no such sound in the theme.
bool playEventSound(UINT type, const std::string &theme, std::string *why);
