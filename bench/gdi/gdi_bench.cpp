// The GDI work of one board repaint and of one rules message, on plain surfaces.
#include <string.h>
#include <vector>

#include <benchmark/benchmark.h>

#include "platform/gdi/gdi.h"

namespace {

int scaled(int units, int base, int divisor) {
    return units * base / divisor;
}

struct Board {
    Board() {
        HFONT font = createPointFont("Times New Roman", 12, FW_NORMAL, false);
        base = dialogBaseUnits(font);
        DeleteObject(font);
        surface.resize(scaled(202, base.cx, 4), scaled(165, base.cy, 8), 0xC0C0C0);
        std::vector<uint32_t> stick(12 * 48, 0x806040), lever(48 * 48, 0x404080);
        face = createBitmapFromPixels(12, 48, stick.data());
        leverFace = createBitmapFromPixels(48, 48, lever.data());
    }
    ~Board() {
        DeleteObject(face);
        DeleteObject(leverFace);
    }
    SIZE base;
    Surface surface;
    HBITMAP face, leverFace;
};

// The drawing of one face as the board does it: size, memory DC, select, stretch, delete.
void drawFace(HDC dc, HBITMAP bitmap, const RECT &rect) {
    BITMAP description;
    GetObjectA(bitmap, sizeof description, &description);
    HDC memory = CreateCompatibleDC(dc);
    SelectObject(memory, bitmap);
    StretchBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, memory, 0,
               0, description.bmWidth, description.bmHeight, SRCCOPY);
    DeleteDC(memory);
}

void StretchFaceIntoStickButton(benchmark::State &state) {
    Board board;
    const int width = scaled(16, board.base.cx, 4), height = scaled(33, board.base.cy, 8);
    HDC dc = createSurfaceDC(&board.surface, POINT{0, 0}, RECT{0, 0, width, height});
    for (auto _ : state)
        drawFace(dc, board.face, RECT{0, 0, width, height});
    releaseSurfaceDC(dc);
    state.SetLabel(std::to_string(width) + "x" + std::to_string(height));
}
BENCHMARK(StretchFaceIntoStickButton);

// Sixteen stick faces in their pyramid and the lever, each through its own button DC.
void BoardFaces(benchmark::State &state) {
    Board board;
    const int sticks[16][2] = {{116, 20},  {95, 55},   {116, 55},  {137, 55}, {74, 90},  {95, 90},
                               {116, 90},  {137, 90},  {158, 90},  {53, 125}, {74, 125}, {95, 125},
                               {116, 125}, {137, 125}, {158, 125}, {179, 125}};
    const int width = scaled(16, board.base.cx, 4), height = scaled(33, board.base.cy, 8);
    for (auto _ : state) {
        for (const auto &stick : sticks) {
            const POINT origin{scaled(stick[0], board.base.cx, 4),
                               scaled(stick[1], board.base.cy, 8)};
            HDC dc = createSurfaceDC(&board.surface, origin,
                                     RECT{origin.x, origin.y, origin.x + width, origin.y + height});
            drawFace(dc, board.face, RECT{0, 0, width, height});
            releaseSurfaceDC(dc);
        }
        const POINT origin{scaled(7, board.base.cx, 4), scaled(86, board.base.cy, 8)};
        const int leverWidth = scaled(30, board.base.cx, 4),
                  leverHeight = scaled(25, board.base.cy, 8);
        HDC dc = createSurfaceDC(
            &board.surface, origin,
            RECT{origin.x, origin.y, origin.x + leverWidth, origin.y + leverHeight});
        drawFace(dc, board.leverFace, RECT{0, 0, leverWidth, leverHeight});
        releaseSurfaceDC(dc);
    }
}
BENCHMARK(BoardFaces);

const char rules[] =
    "QUILLMERE, el juego tradicional que juegan\nen Quillmere!\n\nEn turno, Ordanel Software y "
    "tu remueven\npalitos de una linea horizontal.\nPuede ser cualquier n\xFAmero, pero por lo "
    "menos\nuno. Pueden ser todos los palitos de la linea.\nPerdedor es el participante quien "
    "tiene que\nremover el \xFAltimo palito.";

// The rules message as its dialog paints it: font made, selected, text drawn, font deleted.
void DrawRulesText(benchmark::State &state) {
    Surface surface;
    surface.resize(494, 271, 0xC0C0C0);
    for (auto _ : state) {
        HDC dc = createSurfaceDC(&surface, POINT{0, 0}, RECT{0, 0, 494, 271});
        SetBkMode(dc, TRANSPARENT);
        LOGFONTA description;
        memset(&description, 0, sizeof description);
        description.lfHeight = 20;
        description.lfWeight = 200;
        strcpy(description.lfFaceName, "Times New Roman");
        HFONT font = CreateFontIndirectA(&description);
        SelectObject(dc, font);
        RECT rect{50, 50, 450, 250};
        DrawTextA(dc, rules, -1, &rect, 0);
        releaseSurfaceDC(dc);
        DeleteObject(font);
    }
}
BENCHMARK(DrawRulesText);

} // namespace
