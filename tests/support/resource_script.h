// The resource script as its source states it: the dialog templates and the menu of
// resources/quillmere.rc, names resolved through the script's and resources/resource.h's
// defines, for the suites that compare what is compiled, decoded or laid out with it.
#pragma once

#include <stdint.h>

#include <vector>

#include "platform/resources/resfile.h"

// The dialog template with this id; no items when the script has none.
DialogTemplate scriptDialog(uint16_t id);
// The menu with this id, with the flags that a compiled menu template stores.
std::vector<MenuItemTemplate> scriptMenu(uint16_t id);
