// The Static class: left-aligned text from the top, a line per newline and words wrapped at
// the right edge, flat grey when the control is disabled.
#include <string>

#include "platform/controls/controls.h"
#include "platform/window/edges.h"
#include "platform/window/window.h"

namespace {

void drawLine(HDC dc, int y, const std::string &line) {
    drawTextAt(dc, 0, y, line.c_str(), static_cast<int>(line.size()));
}

void paintStatic(Window *control, HDC dc) {
    RECT r;
    GetClientRect(control->handle, &r);
    fillWithSysColor(dc, r, COLOR_BTNFACE);
    HFONT font = control->font ? control->font : guiFont();
    HGDIOBJ old = SelectObject(dc, font);
    FontMetrics metrics{0, 0, 0};
    getFontMetrics(font, &metrics);
    int lineHeight = metrics.height > 0 ? metrics.height : 1;
    SetBkMode(dc, TRANSPARENT);
    // Flat grey when the static itself is disabled; a disabled dialog leaves it black.
    SetTextColor(dc, sysColor(control->style & WS_DISABLED ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
    const std::string &text = control->text;
    int y = 0;
    size_t start = 0;
    while (start <= text.size() && y < r.bottom) {
        size_t end = text.find('\n', start);
        std::string paragraph = text.substr(start, end == std::string::npos ? end : end - start);
        std::string line;
        size_t at = 0;
        while (at <= paragraph.size() && y < r.bottom) {
            size_t space = paragraph.find(' ', at);
            std::string word =
                paragraph.substr(at, space == std::string::npos ? space : space - at);
            std::string candidate = line.empty() ? word : line + " " + word;
            if (!line.empty() &&
                textWidth(font, candidate.c_str(), static_cast<int>(candidate.size())) > r.right) {
                drawLine(dc, y, line);
                y += lineHeight;
                line = word;
            } else {
                line = candidate;
            }
            if (space == std::string::npos) {
                break;
            }
            at = space + 1;
        }
        if (y < r.bottom) {
            drawLine(dc, y, line);
            y += lineHeight;
        }
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    SelectObject(dc, old);
}

// A new text or enabled state shows at once, outside any paint cycle, as in USER32; the
// update region is left as it is.
void paintNow(HWND handle) {
    Window *control = findWindow(handle);
    if (!control || !isShowing(control)) {
        return;
    }
    HDC dc = GetDC(handle);
    if (dc) {
        paintStatic(control, dc);
        ReleaseDC(handle, dc);
    }
}

} // namespace

LRESULT CALLBACK staticProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window *control = findWindow(handle);
    if (!control) {
        return 0;
    }
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(handle, &paint);
        if (dc) {
            paintStatic(control, dc);
        }
        EndPaint(handle, &paint);
        return 0;
    }
    case WM_SETTEXT:
        DefWindowProcA(handle, message, wParam, lParam);
        paintNow(handle);
        return TRUE;
    case WM_ENABLE:
        paintNow(handle);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    default:
        return DefWindowProcA(handle, message, wParam, lParam);
    }
}
