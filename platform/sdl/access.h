// Inside the SDL backend: assistive technology through the AT-SPI module, when there is a bus.
#pragma once

#include "platform/backend.h"

// Loads the module and registers on the accessibility bus, the first time only.
void sdlStartAccessibility();
// How many inputs the bus queued (controls clicked or focused) since the last call.
int sdlTakeAccessInput();
