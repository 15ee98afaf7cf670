// Bitmaps and fonts as GDI objects: the table of live handles, selection, deletion and
// GetObjectA.
#include <string.h>
#include <unordered_map>

#include "platform/gdi/objects.h"

namespace {

std::unordered_map<const void *, GdiObject *> &liveObjects() {
    static std::unordered_map<const void *, GdiObject *> objects;
    return objects;
}

int nrCountedObjects = 0;

void destroyObject(GdiObject *object) {
    liveObjects().erase(object->handle);
    if (!object->stock)
        --nrCountedObjects;
    delete object;
}

GdiObject *findObject(HGDIOBJ handle) {
    auto found = liveObjects().find(handle);
    return found != liveObjects().end() ? found->second : nullptr;
}

} // namespace

void Surface::resize(int newWidth, int newHeight, uint32_t fill) {
    width = newWidth > 0 ? newWidth : 0;
    height = newHeight > 0 ? newHeight : 0;
    pixels.assign(static_cast<size_t>(width) * height, fill);
}

HGDIOBJ nextHandle() {
    static uintptr_t serial = 0x10000;
    serial += 4;
    return reinterpret_cast<HGDIOBJ>(serial);
}

void registerObject(GdiObject *object) {
    object->handle = nextHandle();
    liveObjects()[object->handle] = object;
    if (!object->stock)
        ++nrCountedObjects;
}

BitmapObject *findBitmap(HGDIOBJ handle) {
    GdiObject *object = findObject(handle);
    return object && object->kind == GdiKind::Bitmap ? static_cast<BitmapObject *>(object)
                                                     : nullptr;
}

FontObject *findFont(HGDIOBJ handle) {
    GdiObject *object = findObject(handle);
    return object && object->kind == GdiKind::Font ? static_cast<FontObject *>(object) : nullptr;
}

void noteSelected(GdiObject *object) {
    if (object)
        ++object->nrSelections;
}

void noteDeselected(GdiObject *object) {
    if (!object)
        return;
    if (object->nrSelections > 0)
        --object->nrSelections;
    if (object->nrSelections == 0 && object->deletePending)
        destroyObject(object);
}

BitmapObject *stockBitmap() {
    static BitmapObject *bitmap = [] {
        auto *created = new BitmapObject;
        created->stock = true;
        created->surface.resize(1, 1, 0);
        registerObject(created);
        return created;
    }();
    return bitmap;
}

int liveGdiObjects() {
    return nrCountedObjects;
}

HBITMAP createBitmapFromPixels(int width, int height, const uint32_t *pixels) {
    const long long maxPixels = 1LL << 26;
    if (width <= 0 || height <= 0 || static_cast<long long>(width) * height > maxPixels)
        return nullptr;
    auto *bitmap = new BitmapObject;
    bitmap->surface.resize(width, height, 0);
    if (pixels)
        for (size_t i = 0; i < bitmap->surface.pixels.size(); ++i)
            bitmap->surface.pixels[i] = pixels[i] & 0xFFFFFF;
    registerObject(bitmap);
    return static_cast<HBITMAP>(bitmap->handle);
}

const Surface *bitmapSurface(HBITMAP handle) {
    BitmapObject *bitmap = findBitmap(handle);
    return bitmap ? &bitmap->surface : nullptr;
}

// As on Windows: deleting a selected object succeeds, and the object goes when it is
// deselected; stock objects stay.
BOOL WINAPI DeleteObject(HGDIOBJ handle) {
    GdiObject *object = findObject(handle);
    if (!object || object->deletePending)
        return FALSE;
    if (object->stock)
        return TRUE;
    if (object->nrSelections > 0) {
        object->deletePending = true;
        return TRUE;
    }
    destroyObject(object);
    return TRUE;
}

// Bitmaps: a BITMAP of the 32-bit pixel surface. Fonts: the LOGFONTA they were made from.
// A null buffer asks for the size; on failure the buffer is left zeroed.
int WINAPI GetObjectA(HGDIOBJ handle, int size, LPVOID buffer) {
    GdiObject *object = findObject(handle);
    if (!object || object->deletePending) {
        if (buffer && size > 0)
            memset(buffer, 0, static_cast<size_t>(size));
        return 0;
    }
    if (object->kind == GdiKind::Bitmap) {
        if (!buffer)
            return sizeof(BITMAP);
        if (size < static_cast<int>(sizeof(BITMAP))) {
            if (size > 0)
                memset(buffer, 0, static_cast<size_t>(size));
            return 0;
        }
        const Surface &surface = static_cast<BitmapObject *>(object)->surface;
        BITMAP description{};
        description.bmType = 0;
        description.bmWidth = surface.width;
        description.bmHeight = surface.height;
        description.bmWidthBytes = surface.width * 4;
        description.bmPlanes = 1;
        description.bmBitsPixel = 32;
        description.bmBits = nullptr;
        memcpy(buffer, &description, sizeof description);
        return sizeof(BITMAP);
    }
    const LOGFONTA &logFont = static_cast<FontObject *>(object)->logFont;
    if (!buffer)
        return sizeof(LOGFONTA);
    if (size <= 0)
        return 0;
    const size_t copied = static_cast<size_t>(size) < sizeof logFont ? size : sizeof logFont;
    memcpy(buffer, &logFont, copied);
    return static_cast<int>(copied);
}
