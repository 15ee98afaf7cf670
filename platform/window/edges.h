// The look of controls: the system colours and the edges drawn in them.
#pragma once

#include "platform/win32.h"

COLORREF sysColor(int index);
void fillWithSysColor(HDC dc, const RECT &rect, int sysColor);
// A one-pixel frame: top and left lines in one colour, bottom and right in the other.
void drawEdge(HDC dc, const RECT &rect, COLORREF topLeft, COLORREF bottomRight);
