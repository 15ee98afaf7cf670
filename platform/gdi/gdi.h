// Inside the layer: pixel surfaces and the drawing that the window manager, the controls and
// the backends need beside the public GDI32 calls.
#pragma once

#include <stdint.h>
#include <vector>

#include "platform/win32.h"

// A picture in 0x00RRGGBB pixels, top row first.
struct Surface {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    void resize(int newWidth, int newHeight, uint32_t fill);
};

// A device context drawing into a surface: logical (0, 0) is surface point `origin`, and all
// output is clipped to `clip` (surface coordinates) and to the surface. The window layer makes
// these for BeginPaint and GetDC; DeleteDC or releaseSurfaceDC frees one.
HDC createSurfaceDC(Surface *surface, POINT origin, RECT clip);
void releaseSurfaceDC(HDC dc);
// Every text that DrawTextA draws also goes to this hook (one at most): the accessibility part
// reads what a window paints, as a screen reader's display model does.
void setDrawTextHook(void (*hook)(HDC dc, const char *text, int length));

// A bitmap object (counted like every GDI object) holding a copy of the given pixels.
HBITMAP createBitmapFromPixels(int width, int height, const uint32_t *pixels);
// The pixels of a bitmap object, or null for anything else.
const Surface *bitmapSurface(HBITMAP bitmap);

// Drawing primitives in the DC's logical coordinates, clipped like all output. Colours are
// COLORREF values (0x00BBGGRR). Lines leave out their end point, as LineTo does.
void fillSolidRect(HDC dc, const RECT &rect, COLORREF color);
// The focus rectangle: every other outline pixel inverted, the checker aligned to the context's
// origin (DrawFocusRect).
void invertDottedFrame(HDC dc, const RECT &rect);
void drawHorizontalLine(HDC dc, int x1, int x2, int y, COLORREF color);
void drawVerticalLine(HDC dc, int x, int y1, int y2, COLORREF color);

// Fonts. The window layer asks for a dialog font by face and point size (at 96 dots per inch)
// and for the menu and default GUI font.
HFONT createPointFont(const char *face, int pointSize, int weight, bool italic);
HFONT guiFont(); // stock: never deleted, not counted as live
struct FontMetrics {
    int height;       // character cell height (tmHeight)
    int ascent;       // baseline below the cell top
    int averageWidth; // tmAveCharWidth
};
bool getFontMetrics(HFONT font, FontMetrics *metrics);
// The dialog base units of a font: x from the average width of "a".."z" "A".."Z"
// ((total / 26 + 1) / 2), y the cell height.
SIZE dialogBaseUnits(HFONT font);
// Width in pixels of a Windows-1252 text in a font.
int textWidth(HFONT font, const char *text, int length);
// Draws a Windows-1252 text with its cell top at (x, y) in the DC's selected font, text colour
// and background mode (OPAQUE fills the text's cell white). Returns the advance width. A
// negative length means up to the terminating zero, here and in textWidth.
int drawTextAt(HDC dc, int x, int y, const char *text, int length);
HFONT selectedFont(HDC dc);

// Counts of live objects, so that tests can tell that a paint left nothing behind.
int liveGdiObjects(); // bitmaps, fonts, brushes made and not yet deleted (stock ones excluded)
int liveDeviceContexts();
