#include "tools/template-picture/faces.h"

namespace {

const int stickIds[] = {1000, 1001, 1002, 1003, 1004, 1005, 1006, 1007,
                        1008, 1010, 1011, 1012, 1013, 1014, 1015, 1016};

void paintFace(HWND dialog, int id, HBITMAP bitmap) {
    HWND button = GetDlgItem(dialog, id);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(button, &paint);
    RECT r;
    GetClientRect(button, &r);
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bitmap);
    StretchBlt(dc, 0, 0, r.right, r.bottom, memory, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    EndPaint(button, &paint);
}

} // namespace

void paintTemplateFaces(HWND dialog, HBITMAP stickFace, HBITMAP leverFace) {
    for (int id : stickIds)
        paintFace(dialog, id, stickFace);
    paintFace(dialog, 1024, leverFace);
}
