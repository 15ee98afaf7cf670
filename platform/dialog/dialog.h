// The dialog manager on top of the layer: what the headless backend asks of it for tests.
#pragma once

#include "platform/win32.h"

// The innermost dialog whose modal loop runs, null when none.
HWND innermostModalDialog();
bool dialogEnded(HWND dialog);
