#include "tools/template-picture/faces.h"

#include "game/board.h"

void paintFace(HWND dialog, int id, HBITMAP face) {
    HWND button = GetDlgItem(dialog, id);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(button, &paint);
    RECT r;
    GetClientRect(button, &r);
    BITMAP info{};
    GetObjectA(face, sizeof info, &info);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, face);
    StretchBlt(dc, 0, 0, r.right, r.bottom, memory, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    EndPaint(button, &paint);
}

void paintTemplateFaces(HWND dialog, HBITMAP stickFace, HBITMAP leverFace) {
    for (int id : stickControls)
        paintFace(dialog, id, stickFace);
    paintFace(dialog, 1024, leverFace);
}
