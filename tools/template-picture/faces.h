// Painting faces into the board template's buttons without the game: a bitmap stretched over a
// button between the button's own BeginPaint and EndPaint. Shared by this tool, the tests and
// the benchmarks of the window layer, on whichever backend they link.
#pragma once

#include "platform/win32.h"

void paintFace(HWND dialog, int id, HBITMAP face);
// Every stick button gets one bitmap and the lever another.
void paintTemplateFaces(HWND dialog, HBITMAP stickFace, HBITMAP leverFace);
