// Assistive technology on the desktop. When the session has a bus, the AT-SPI module is loaded
// the first time the program waits for input (the board is on the screen by then), and from
// then on every wait listens to the accessibility bus as well as to the display. Without a
// bus nothing is loaded and the waits are as before.
#include "platform/sdl/access.h"

#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>

#include "platform/atspi/module.h"
#include "platform/sdl/xconnection.h"

namespace {

bool tried = false;
decltype(&quillmereAtspiEvent) tellModule = nullptr;
int nrQueued = 0; // inputs queued by the module since sdlTakeAccessInput

void activate(AccessKey node) {
    accessActivate(node);
    ++nrQueued;
}

void focus(AccessKey node) {
    accessFocus(node);
    ++nrQueued;
}

// QUILLMERE_DEBUG asks for one line saying why there is no AT-SPI, and for GLib's warnings.
bool debugAsked() {
    const char *debug = getenv("QUILLMERE_DEBUG");
    return debug && *debug && *debug != '0';
}

// Where the module lies: beside the program in the build tree, in the library folder when
// installed.
void *loadModule() {
    char program[4096];
    ssize_t length = readlink("/proc/self/exe", program, sizeof program - 1);
    if (length <= 0) {
        return nullptr;
    }
    std::string folder(program, size_t(length));
    folder.erase(folder.rfind('/') + 1);
    for (std::string place : {folder, folder + QUILLMERE_ATSPI_FROM_PROGRAM "/"}) {
        if (void *module = dlopen((place + "quillmere-atspi.so").c_str(), RTLD_NOW | RTLD_LOCAL)) {
            return module;
        }
    }
    return nullptr;
}

void say(const char *why) {
    if (debugAsked()) {
        fprintf(stderr, "quillmere: no AT-SPI: %s\n", why);
    }
}

} // namespace

void sdlStartAccessibility() {
    if (tried) {
        return;
    }
    tried = true;
    if (!getenv("DBUS_SESSION_BUS_ADDRESS") && !getenv("AT_SPI_BUS_ADDRESS")) {
        return say("no session bus");
    }
    void *module = loadModule();
    if (!module) {
        return say(dlerror());
    }
    auto start =
        reinterpret_cast<decltype(&quillmereAtspiStart)>(dlsym(module, "quillmereAtspiStart"));
    auto tell =
        reinterpret_cast<decltype(&quillmereAtspiEvent)>(dlsym(module, "quillmereAtspiEvent"));
    auto wait =
        reinterpret_cast<decltype(&quillmereAtspiWait)>(dlsym(module, "quillmereAtspiWait"));
    // The module stays loaded even when the bus cannot be reached: GLib does not unload.
    static const AtspiHost host = {accessTopLevels, accessChildren, accessDescribe,
                                   activate,        focus,          !debugAsked()};
    if (!start || !tell || !wait || !start(&host)) {
        return say("the accessibility bus cannot be reached");
    }
    accessStart();
    tellModule = tell;
    sdlSetWaitHook(wait);
}

int sdlTakeAccessInput() {
    int taken = nrQueued;
    nrQueued = 0;
    return taken;
}

void backendAccessEvent(AccessEvent event, AccessKey node) {
    if (tellModule) {
        tellModule(event, node);
    }
}
