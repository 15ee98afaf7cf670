// The page's accessible mirror: every change the accessibility part tells goes to the page's
// script with what the node now is (a node that appears, with everything inside it), and the
// script keeps hidden DOM in step; a control clicked or focused through the mirror comes back
// as input.
#include "platform/backend.h"
#include "platform/web/page.h"

namespace {

uint32_t idOf(HWND window) {
    return uint32_t(reinterpret_cast<uintptr_t>(window));
}

HWND windowOf(uint32_t id) {
    return reinterpret_cast<HWND>(uintptr_t(id));
}

int indexIn(const std::vector<AccessKey> &nodes, AccessKey node) {
    for (size_t i = 0; i < nodes.size(); ++i) {
        if (nodes[i] == node) {
            return int(i);
        }
    }
    return -1;
}

void sendNode(AccessKey key) {
    AccessNode node;
    if (!accessDescribe(key, &node)) {
        return;
    }
    const std::vector<AccessKey> siblings =
        node.parent.window ? accessChildren(node.parent) : accessTopLevels();
    pageAccessNode(idOf(key.window), key.item, idOf(node.parent.window), node.parent.item,
                   indexIn(siblings, key), int(node.role), node.states, node.name.data(),
                   int(node.name.size()), idOf(node.labelledBy.window), node.labelledBy.item,
                   idOf(node.describedBy.window), node.describedBy.item);
}

void sendTree(AccessKey key) {
    sendNode(key);
    for (AccessKey child : accessChildren(key)) {
        sendTree(child);
    }
}

} // namespace

void backendAccessEvent(AccessEvent event, AccessKey key) {
    switch (event) {
    case AccessEvent::Created:
    case AccessEvent::Shown:
        sendTree(key);
        break;
    case AccessEvent::Destroyed:
        pageAccessGone(idOf(key.window), key.item);
        break;
    default:
        sendNode(key);
        break;
    }
}

QUILLMERE_PAGE_EXPORT(webAccessActivate) void webAccessActivate(uint32_t window, int item) {
    accessActivate({windowOf(window), item});
}

QUILLMERE_PAGE_EXPORT(webAccessFocus) void webAccessFocus(uint32_t window, int item) {
    accessFocus({windowOf(window), item});
}
