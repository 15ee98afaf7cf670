// Device contexts: on a window's surface or on a memory bitmap, their selected objects and text
// attributes.
#include <algorithm>
#include <unordered_map>

#include "platform/gdi/objects.h"

namespace {

std::unordered_map<const void *, DeviceContext *> &liveDCs() {
    static std::unordered_map<const void *, DeviceContext *> dcs;
    return dcs;
}

void aimAtBitmap(DeviceContext *dc, BitmapObject *bitmap) {
    dc->bitmap = bitmap;
    dc->surface = &bitmap->surface;
    dc->origin = POINT{0, 0};
    dc->clip = RECT{0, 0, bitmap->surface.width, bitmap->surface.height};
}

HDC newDC(DeviceContext *dc) {
    dc->font = stockGuiFont();
    noteSelected(dc->font);
    return registerDC(dc);
}

void freeDC(DeviceContext *dc) {
    liveDCs().erase(dc->handle);
    noteDeselected(dc->font);
    if (dc->bitmap)
        noteDeselected(dc->bitmap);
    delete dc;
}

} // namespace

HDC registerDC(DeviceContext *dc) {
    dc->handle = static_cast<HDC>(nextHandle());
    liveDCs()[dc->handle] = dc;
    return dc->handle;
}

DeviceContext *findDC(HDC dc) {
    auto found = liveDCs().find(dc);
    return found != liveDCs().end() ? found->second : nullptr;
}

int liveDeviceContexts() {
    return static_cast<int>(liveDCs().size());
}

RECT outputClip(const DeviceContext &dc) {
    if (!dc.surface)
        return RECT{0, 0, 0, 0};
    return intersectRects(dc.clip, RECT{0, 0, dc.surface->width, dc.surface->height});
}

HDC createSurfaceDC(Surface *surface, POINT origin, RECT clip) {
    if (!surface)
        return nullptr;
    auto *dc = new DeviceContext;
    dc->surface = surface;
    dc->origin = origin;
    dc->clip = clip;
    return newDC(dc);
}

void releaseSurfaceDC(HDC handle) {
    if (DeviceContext *dc = findDC(handle))
        freeDC(dc);
}

// A memory device context starts with the 1 x 1 stock bitmap selected.
HDC WINAPI CreateCompatibleDC(HDC reference) {
    if (reference && !findDC(reference))
        return nullptr;
    auto *dc = new DeviceContext;
    dc->memory = true;
    aimAtBitmap(dc, stockBitmap());
    noteSelected(dc->bitmap);
    return newDC(dc);
}

// Frees the context, not what is selected into it (unless that was deleted meanwhile).
BOOL WINAPI DeleteDC(HDC handle) {
    DeviceContext *dc = findDC(handle);
    if (!dc)
        return FALSE;
    freeDC(dc);
    return TRUE;
}

// A bitmap goes into a memory context only, and into one context at a time.
HGDIOBJ WINAPI SelectObject(HDC handle, HGDIOBJ object) {
    DeviceContext *dc = findDC(handle);
    if (!dc)
        return nullptr;
    if (BitmapObject *bitmap = findBitmap(object)) {
        if (!dc->memory || bitmap->deletePending)
            return nullptr;
        BitmapObject *previous = dc->bitmap;
        if (bitmap == previous)
            return previous->handle;
        if (bitmap->nrSelections > 0 && !bitmap->stock)
            return nullptr;
        noteSelected(bitmap);
        aimAtBitmap(dc, bitmap);
        // The previous bitmap's handle is returned even if deselecting frees a pending
        // deletion, as Windows does; the caller may not use it then.
        HGDIOBJ result = previous->handle;
        noteDeselected(previous);
        return result;
    }
    if (FontObject *font = findFont(object)) {
        if (font->deletePending)
            return nullptr;
        FontObject *previous = dc->font;
        noteSelected(font);
        dc->font = font;
        HGDIOBJ result = previous->handle;
        noteDeselected(previous);
        return result;
    }
    return nullptr;
}

HFONT selectedFont(HDC handle) {
    DeviceContext *dc = findDC(handle);
    if (!dc || !dc->font)
        return nullptr;
    return static_cast<HFONT>(dc->font->handle);
}

COLORREF WINAPI SetTextColor(HDC handle, COLORREF color) {
    DeviceContext *dc = findDC(handle);
    if (!dc)
        return 0xFFFFFFFF; // CLR_INVALID
    COLORREF previous = dc->textColor;
    dc->textColor = color & 0xFFFFFF;
    return previous;
}

int WINAPI SetBkMode(HDC handle, int mode) {
    DeviceContext *dc = findDC(handle);
    if (!dc || (mode != TRANSPARENT && mode != OPAQUE))
        return 0;
    int previous = dc->backMode;
    dc->backMode = mode;
    return previous;
}
