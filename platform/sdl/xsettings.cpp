#include "platform/sdl/xsettings.h"

#include <stdint.h>
#include <stdio.h>

#ifdef QUILLMERE_SDL_X11
#include <X11/Xlib.h>
#endif

namespace {

// The list's numbers come in the byte order that its first byte names (1 for most significant
// first); strings are padded to four bytes.
struct Reader {
    const unsigned char *data;
    size_t size;
    bool bigEndian;
    size_t at = 0;
    bool ok = true;

    const unsigned char *take(size_t count) {
        if (!ok || count > size - at) {
            ok = false;
            return nullptr;
        }
        at += count;
        return data + at - count;
    }
    uint32_t number(int bytes) {
        const unsigned char *start = take(size_t(bytes));
        uint32_t value = 0;
        for (int i = 0; start && i < bytes; ++i)
            value |= uint32_t(start[bigEndian ? bytes - 1 - i : i]) << (8 * i);
        return value;
    }
    const unsigned char *padded(size_t count) {
        const unsigned char *start = take(count);
        take((4 - count % 4) % 4);
        return start;
    }
};

#ifdef QUILLMERE_SDL_X11
int ignoreX11Error(Display *, XErrorEvent *) {
    return 0;
}
#endif

} // namespace

bool parseXSettings(const unsigned char *data, size_t size, EventSoundSettings *settings) {
    if (size < 12)
        return false;
    Reader in{data, size, data[0] == 1};
    in.take(8); // byte order, padding, serial
    EventSoundSettings found = *settings;
    for (uint32_t count = in.number(4); count > 0 && in.ok; --count) {
        const unsigned char *type = in.take(2);
        size_t nameLength = in.number(2);
        const unsigned char *name = in.padded(nameLength);
        in.take(4); // serial of its last change
        if (!in.ok)
            break;
        std::string key(reinterpret_cast<const char *>(name), nameLength);
        if (*type == 0) {
            uint32_t value = in.number(4);
            if (in.ok && key == "Net/EnableEventSounds")
                found.enabled = value != 0;
        } else if (*type == 1) {
            size_t length = in.number(4);
            const unsigned char *text = in.padded(length);
            if (in.ok && key == "Net/SoundThemeName")
                found.theme.assign(reinterpret_cast<const char *>(text), length);
        } else if (*type == 2) {
            in.take(8); // a colour
        } else {
            in.ok = false;
        }
    }
    if (in.ok)
        *settings = found;
    return in.ok;
}

EventSoundSettings desktopEventSoundSettings() {
    EventSoundSettings settings;
#ifdef QUILLMERE_SDL_X11
    Display *display = XOpenDisplay(nullptr);
    if (!display)
        return settings;
    // The settings daemon owns a selection per screen and keeps the list on its window.
    char name[32];
    snprintf(name, sizeof name, "_XSETTINGS_S%d", DefaultScreen(display));
    Atom selection = XInternAtom(display, name, True);
    Window owner = selection != None ? XGetSelectionOwner(display, selection) : None;
    if (owner != None) {
        // The daemon may have quit meanwhile: an error about its window is not fatal.
        XErrorHandler previous = XSetErrorHandler(ignoreX11Error);
        Atom property = XInternAtom(display, "_XSETTINGS_SETTINGS", False);
        Atom type;
        int format;
        unsigned long count, remaining;
        unsigned char *data = nullptr;
        if (XGetWindowProperty(display, owner, property, 0, 1 << 16, False, property, &type,
                               &format, &count, &remaining, &data) == Success &&
            data && format == 8)
            parseXSettings(data, count, &settings);
        if (data)
            XFree(data);
        XSync(display, False);
        XSetErrorHandler(previous);
    }
    XCloseDisplay(display);
#endif
    return settings;
}
