#include "platform/sdl/eventsound.h"

#include <canberra.h>
#include <dlfcn.h>

namespace {

// The functions used, from the shared library when it is there.
struct Canberra {
    decltype(&ca_context_create) create = nullptr;
    decltype(&ca_context_change_props) changeProps = nullptr;
    decltype(&ca_context_play) play = nullptr;
    decltype(&ca_strerror) describe = nullptr;
};

template <typename Function> bool find(void *library, const char *name, Function *function) {
    *function = reinterpret_cast<Function>(dlsym(library, name));
    return *function != nullptr;
}

// Loaded at the first beep, and kept with its context for the life of the process: the
// context is a client of the sound server, whose sound streams end with each sound.
struct EventSounds {
    bool tried = false;
    std::string failure;
    Canberra canberra;
    ca_context *context = nullptr;
};
EventSounds sounds;

bool openContext() {
    if (sounds.tried)
        return sounds.context != nullptr;
    sounds.tried = true;
    Canberra &canberra = sounds.canberra;
    void *library = dlopen("libcanberra.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        sounds.failure = "libcanberra is not installed";
        return false;
    }
    if (!find(library, "ca_context_create", &canberra.create) ||
        !find(library, "ca_context_change_props", &canberra.changeProps) ||
        !find(library, "ca_context_play", &canberra.play) ||
        !find(library, "ca_strerror", &canberra.describe)) {
        sounds.failure = "libcanberra lacks its functions";
        return false;
    }
    if (int error = canberra.create(&sounds.context)) {
        sounds.failure = std::string("libcanberra: ") + canberra.describe(error);
        sounds.context = nullptr;
        return false;
    }
    // Named as the sound server's mixer shows the program.
    canberra.changeProps(sounds.context, CA_PROP_APPLICATION_NAME, "Quillmere",
                         CA_PROP_APPLICATION_ID, "org.example.quillmere",
                         CA_PROP_APPLICATION_ICON_NAME, "quillmere", nullptr);
    return true;
}

const char *eventIdFor(UINT type) {
    switch (type) {
    case MB_ICONEXCLAMATION:
        return "dialog-warning";
    case MB_ICONASTERISK:
        return "dialog-information";
    default:
        return "bell";
    }
}

} // namespace

bool playEventSound(UINT type, const std::string &theme, std::string *why) {
    if (!openContext()) {
        *why = sounds.failure;
        return false;
    }
    // The theme's file is found and the sound server or device opened before this returns, so
    // a failure is known here; the sound itself plays on libcanberra's thread or in the server.
    const Canberra &canberra = sounds.canberra;
    const char *id = eventIdFor(type);
    int error = theme.empty()
                    ? canberra.play(sounds.context, 0, CA_PROP_EVENT_ID, id, nullptr)
                    : canberra.play(sounds.context, 0, CA_PROP_EVENT_ID, id,
                                    CA_PROP_CANBERRA_XDG_THEME_NAME, theme.c_str(), nullptr);
    if (error != CA_SUCCESS) {
        *why = std::string("libcanberra: ") + canberra.describe(error);
        return false;
    }
    return true;
}
