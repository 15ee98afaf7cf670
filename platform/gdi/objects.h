// Inside the GDI part of the layer: the objects behind HBITMAP, HFONT and HDC, and the table of
// live ones that every handle is checked against. Handles are serial numbers that are never
// given out twice, so a deleted handle stays invalid even when its memory is reused.
#pragma once

#include "platform/gdi/gdi.h"
#include "platform/gdi/rect.h"

struct FontInstance;

enum class GdiKind { Bitmap, Font };

struct GdiObject {
    explicit GdiObject(GdiKind objectKind) : kind(objectKind) {}
    virtual ~GdiObject() = default;
    GdiKind kind;
    HGDIOBJ handle = nullptr;
    bool stock = false;         // made by the layer, never deleted, not counted
    int nrSelections = 0;       // device contexts that have it selected
    bool deletePending = false; // DeleteObject came while selected: freed when deselected
};

struct BitmapObject : GdiObject {
    BitmapObject() : GdiObject(GdiKind::Bitmap) {}
    Surface surface;
};

struct FontObject : GdiObject {
    FontObject() : GdiObject(GdiKind::Font) {}
    LOGFONTA logFont{};
    FontInstance *instance = nullptr; // the resolved face at its pixel size; owned by the cache
};

struct DeviceContext {
    HDC handle = nullptr;
    Surface *surface = nullptr; // a window's pixels, or the selected bitmap's
    POINT origin{0, 0};         // surface point of logical (0, 0)
    RECT clip{0, 0, 0, 0};      // surface coordinates
    bool memory = false;
    BitmapObject *bitmap = nullptr; // memory device contexts only
    FontObject *font = nullptr;
    COLORREF textColor = 0;
    COLORREF backColor = 0xFFFFFF;
    int backMode = OPAQUE;
};

// Table of live objects. Registering gives the object its handle and counts it unless it is
// stock; lookups give null for a null, unknown or deleted handle, or one of another kind.
void registerObject(GdiObject *object);
HGDIOBJ nextHandle();
BitmapObject *findBitmap(HGDIOBJ handle);
FontObject *findFont(HGDIOBJ handle);
DeviceContext *findDC(HDC dc);
HDC registerDC(DeviceContext *dc);

// Selection bookkeeping: a selected object survives DeleteObject until it is deselected.
void noteSelected(GdiObject *object);
void noteDeselected(GdiObject *object);

BitmapObject *stockBitmap(); // the 1 x 1 bitmap of a fresh memory device context
FontObject *stockGuiFont();

// The rectangle, in surface coordinates, that output of a device context may touch.
RECT outputClip(const DeviceContext &dc);

// COLORREF is 0x00BBGGRR; surfaces hold 0x00RRGGBB.
inline uint32_t pixelFromColor(COLORREF color) {
    return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}
