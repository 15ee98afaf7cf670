// The AT-SPI module: the window tree exposed on the desktop's accessibility bus through ATK and
// its bridge. It is a shared object of its own, loaded by the desktop backend only when a
// session bus is there, so that the program starts without GLib and ATK otherwise. The program
// hands it the accessibility part's calls; the module offers the three entry points below.
#pragma once

#include <vector>

#include "platform/backend.h"

struct AtspiHost {
    std::vector<AccessKey> (*topLevels)();
    std::vector<AccessKey> (*children)(AccessKey node);
    bool (*describe)(AccessKey node, AccessNode *out);
    void (*activate)(AccessKey node);
    void (*focus)(AccessKey node);
    bool quiet; // GLib's and the bridge's warnings are not printed
};

extern "C" {
// Registers the program on the accessibility bus; false (quietly) when there is none.
bool quillmereAtspiStart(const AtspiHost *host);
// A change the accessibility part told.
void quillmereAtspiEvent(AccessEvent event, AccessKey node);
// Waits up to the milliseconds given for the bus or for the descriptor (the display's
// connection; -1 for none) to have something, and answers the bus.
void quillmereAtspiWait(int descriptor, int milliseconds);
}
