// Inside the AT-SPI module: the ATK objects that stand for the accessibility part's nodes.
#pragma once

#include <atk/atk.h>

#include <string>
#include <vector>

#include "platform/atspi/module.h"

// What the module last told about a node, so that events carry the change.
struct Known {
    AtkObject *object;
    AccessKey parent;
    std::string name;
    uint32_t states;
};

// The program's calls, as given to quillmereAtspiStart.
const AtspiHost *atspiHost();

AtkRole atkRoleOf(AccessRole role);
std::vector<AtkStateType> atkStatesOf(const AccessNode &node);

// The application object, the root of the tree.
AtkObject *atspiRoot();
std::vector<AccessKey> atspiRootChildren();
// The object of a node, made the first time; null for a node that does not exist.
AtkObject *atspiObject(AccessKey key);
// What was last told about a node that has an object, or null.
Known *atspiKnown(AccessKey key);
// Drops the object of a node that is gone.
void atspiForget(AccessKey key);
