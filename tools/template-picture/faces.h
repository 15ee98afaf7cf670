// Painting the board template's faces without the game: every stick button gets one bitmap and
// the lever another, each stretched between the button's own BeginPaint and EndPaint.
#pragma once

#include "platform/win32.h"

void paintTemplateFaces(HWND dialog, HBITMAP stickFace, HBITMAP leverFace);
