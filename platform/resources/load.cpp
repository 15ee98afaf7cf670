// Resources by number from the program's own module: strings, bitmaps, icons, and the stock
// arrow cursor. Every load that fails returns the Win32 failure value and leaves its target
// empty.
#include <string.h>

#include <map>
#include <memory>

#include "platform/backend.h"
#include "platform/gdi/gdi.h"
#include "platform/resources/resfile.h"

namespace {

// The one module of the program; resources are found only through it.
HINSTANCE const moduleHandle = reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(0x400000));
HCURSOR const arrowCursor = reinterpret_cast<HCURSOR>(static_cast<uintptr_t>(0x10003));

// Icons are shared resources that live as long as the process, one object per group.
std::map<uint16_t, std::vector<DecodedIcon>> icons;

uintptr_t iconHandleFor(uint16_t group) {
    return 0x20000 + group;
}

} // namespace

HMODULE WINAPI GetModuleHandleA(LPCSTR moduleName) {
    return moduleName ? nullptr : moduleHandle;
}

int WINAPI LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int bufferMax) {
    if (!buffer || bufferMax <= 0) {
        return 0;
    }
    buffer[0] = 0;
    std::string text;
    if (instance != moduleHandle || id > 0xFFFF ||
        !findString(embeddedResourceImage(), static_cast<uint16_t>(id), &text)) {
        return 0;
    }
    size_t count = std::min<size_t>(text.size(), static_cast<size_t>(bufferMax - 1));
    memcpy(buffer, text.data(), count);
    buffer[count] = 0;
    return static_cast<int>(count);
}

HBITMAP WINAPI LoadBitmapA(HINSTANCE instance, LPCSTR name) {
    ResourceBytes bytes;
    DecodedDib dib;
    if (instance != moduleHandle || !name || !IS_INTRESOURCE(name) ||
        !findResource(embeddedResourceImage(), ResourceTypeBitmap, LOWORD(name), &bytes) ||
        !decodeDib(bytes, &dib)) {
        return nullptr;
    }
    return createBitmapFromPixels(dib.width, dib.height, dib.pixels.data());
}

HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR name) {
    if (instance != moduleHandle || !name || !IS_INTRESOURCE(name)) {
        return nullptr;
    }
    uint16_t group = LOWORD(name);
    if (!icons.count(group)) {
        std::vector<DecodedIcon> images;
        if (!decodeIconGroup(embeddedResourceImage(), group, &images) || images.empty()) {
            return nullptr;
        }
        icons[group] = std::move(images);
    }
    return reinterpret_cast<HICON>(iconHandleFor(group));
}

HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR name) {
    // The program has no cursor resources; only the system's arrow is there.
    if (!instance && name == IDC_ARROW) {
        return arrowCursor;
    }
    return nullptr;
}

bool iconPixels(HICON icon, IconPixels *out) {
    uintptr_t value = reinterpret_cast<uintptr_t>(icon);
    if (!out || value < 0x20000 || value > 0x2FFFF) {
        return false;
    }
    auto found = icons.find(static_cast<uint16_t>(value - 0x20000));
    if (found == icons.end()) {
        return false;
    }
    // A group holds one image here; the first is the one the group names first.
    const DecodedIcon &image = found->second.front();
    out->width = image.width;
    out->height = image.height;
    out->pixels = image.pixels;
    out->transparent = image.transparent;
    return true;
}
