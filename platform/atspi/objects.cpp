// The ATK objects of the module: one for each node of the accessibility part, made when the
// bridge or an event first needs it, with the role, name, states, place and actions read
// afresh from the program at every question. Buttons and menu items click; labels and fields
// offer their text; top-level windows are ATK windows.
#include "platform/atspi/objects.h"

#include <string.h>

#include <map>

namespace {

struct Node {
    AtkObject parent;
    AccessKey key;
};

struct NodeClass {
    AtkObjectClass parent;
};

std::map<AccessKey, Known> known;
AtkObject *root;

AccessKey keyOf(AtkObject *object) {
    return reinterpret_cast<Node *>(object)->key;
}

bool describe(AtkObject *object, AccessNode *out) {
    return atspiHost()->describe(keyOf(object), out);
}

// The top-level windows that show, or stand minimised: the root's children.
std::vector<AccessKey> shownTopLevels() {
    std::vector<AccessKey> shown;
    for (AccessKey key : atspiHost()->topLevels()) {
        AccessNode node;
        if (atspiHost()->describe(key, &node) &&
            (node.states & (AccessShowing | AccessIconic)) != 0) {
            shown.push_back(key);
        }
    }
    return shown;
}

std::vector<AccessKey> childrenOf(AtkObject *object) {
    return object == root ? shownTopLevels() : atspiHost()->children(keyOf(object));
}

// ---- AtkObject ----

const gchar *nodeName(AtkObject *object) {
    AccessNode node;
    auto found = known.find(keyOf(object));
    if (found == known.end()) {
        return "";
    }
    if (describe(object, &node)) {
        found->second.name = node.name;
    }
    return found->second.name.c_str();
}

AtkRole nodeRole(AtkObject *object) {
    AccessNode node;
    return describe(object, &node) ? atkRoleOf(node.role) : ATK_ROLE_INVALID;
}

gint nodeChildCount(AtkObject *object) {
    return gint(childrenOf(object).size());
}

AtkObject *nodeChild(AtkObject *object, gint index) {
    std::vector<AccessKey> children = childrenOf(object);
    if (index < 0 || size_t(index) >= children.size()) {
        return nullptr;
    }
    AtkObject *child = atspiObject(children[size_t(index)]);
    return child ? ATK_OBJECT(g_object_ref(child)) : nullptr;
}

AtkObject *nodeParent(AtkObject *object) {
    AccessNode node;
    if (!describe(object, &node)) {
        auto found = known.find(keyOf(object));
        return found != known.end() && found->second.parent.window
                   ? atspiObject(found->second.parent)
                   : nullptr;
    }
    return node.parent.window ? atspiObject(node.parent) : root;
}

gint nodeIndex(AtkObject *object) {
    AtkObject *parent = nodeParent(object);
    if (!parent) {
        return -1;
    }
    std::vector<AccessKey> siblings = childrenOf(parent);
    for (size_t i = 0; i < siblings.size(); ++i) {
        if (siblings[i] == keyOf(object)) {
            return gint(i);
        }
    }
    return -1;
}

AtkStateSet *nodeStates(AtkObject *object) {
    AtkStateSet *set = atk_state_set_new();
    AccessNode node;
    if (!describe(object, &node)) {
        atk_state_set_add_state(set, ATK_STATE_DEFUNCT);
        return set;
    }
    for (AtkStateType state : atkStatesOf(node)) {
        atk_state_set_add_state(set, state);
    }
    return set;
}

AtkRelationSet *nodeRelations(AtkObject *object) {
    AtkRelationSet *set = atk_relation_set_new();
    AccessNode node;
    if (!describe(object, &node)) {
        return set;
    }
    if (AtkObject *label = node.labelledBy.window ? atspiObject(node.labelledBy) : nullptr) {
        atk_relation_set_add_relation_by_type(set, ATK_RELATION_LABELLED_BY, label);
    }
    if (AtkObject *text = node.describedBy.window ? atspiObject(node.describedBy) : nullptr) {
        atk_relation_set_add_relation_by_type(set, ATK_RELATION_DESCRIBED_BY, text);
    }
    return set;
}

// A dialog that paints a text is described by it.
const gchar *nodeDescription(AtkObject *object) {
    AccessNode node;
    if (!describe(object, &node) || !node.describedBy.window) {
        return nullptr;
    }
    AtkObject *text = atspiObject(node.describedBy);
    return text ? atk_object_get_name(text) : nullptr;
}

// Labels are polite live regions, as on the page: their new texts are announced.
AtkAttributeSet *nodeAttributes(AtkObject *object) {
    AccessNode node;
    AtkAttributeSet *set = nullptr;
    if (describe(object, &node) && node.role == AccessRole::Label) {
        for (const char *name : {"live", "container-live"}) {
            AtkAttribute *attribute = g_new(AtkAttribute, 1);
            attribute->name = g_strdup(name);
            attribute->value = g_strdup("polite");
            set = g_slist_prepend(set, attribute);
        }
    }
    return set;
}

void nodeClassInit(gpointer klass, gpointer) {
    AtkObjectClass *atk = ATK_OBJECT_CLASS(klass);
    atk->get_name = nodeName;
    atk->get_description = nodeDescription;
    atk->get_role = nodeRole;
    atk->get_n_children = nodeChildCount;
    atk->ref_child = nodeChild;
    atk->get_parent = nodeParent;
    atk->get_index_in_parent = nodeIndex;
    atk->ref_state_set = nodeStates;
    atk->ref_relation_set = nodeRelations;
    atk->get_attributes = nodeAttributes;
}

// ---- AtkComponent ----

void nodeExtents(AtkComponent *component, gint *x, gint *y, gint *width, gint *height,
                 AtkCoordType coordinates) {
    AccessNode node;
    RECT r{0, 0, 0, 0};
    if (describe(ATK_OBJECT(component), &node)) {
        r = node.screen;
    }
    POINT origin{0, 0};
    AccessKey relative = coordinates == ATK_XY_PARENT   ? node.parent
                         : coordinates == ATK_XY_WINDOW ? AccessKey{node.key.window, 0}
                                                        : AccessKey{};
    AccessNode base;
    while (coordinates == ATK_XY_WINDOW && atspiHost()->describe(relative, &base) &&
           base.parent.window) {
        relative = base.parent;
    }
    if (relative.window && atspiHost()->describe(relative, &base)) {
        origin = {base.screen.left, base.screen.top};
    }
    *x = r.left - origin.x;
    *y = r.top - origin.y;
    *width = r.right - r.left;
    *height = r.bottom - r.top;
}

gboolean nodeGrabFocus(AtkComponent *component) {
    atspiHost()->focus(keyOf(ATK_OBJECT(component)));
    return TRUE;
}

void componentInit(gpointer iface, gpointer) {
    AtkComponentIface *component = static_cast<AtkComponentIface *>(iface);
    component->get_extents = nodeExtents;
    component->grab_focus = nodeGrabFocus;
}

// ---- AtkAction ----

gboolean actionDo(AtkAction *action, gint index) {
    AccessNode node;
    if (index != 0 || !describe(ATK_OBJECT(action), &node) || !(node.states & AccessEnabled)) {
        return FALSE;
    }
    atspiHost()->activate(node.key);
    return TRUE;
}

gint actionCount(AtkAction *) {
    return 1;
}

const gchar *actionName(AtkAction *, gint index) {
    return index == 0 ? "click" : nullptr;
}

const gchar *actionLocalizedName(AtkAction *, gint index) {
    return index == 0 ? "pulsar" : nullptr;
}

void actionInit(gpointer iface, gpointer) {
    AtkActionIface *action = static_cast<AtkActionIface *>(iface);
    action->do_action = actionDo;
    action->get_n_actions = actionCount;
    action->get_name = actionName;
    action->get_localized_name = actionLocalizedName;
}

// ---- AtkText: the window's text, never editable ----

gchar *textRange(AtkText *text, gint start, gint end) {
    std::string name = nodeName(ATK_OBJECT(text));
    glong length = g_utf8_strlen(name.c_str(), -1);
    if (end < 0 || end > length) {
        end = gint(length);
    }
    start = CLAMP(start, 0, end);
    return g_utf8_substring(name.c_str(), start, end);
}

gint textLength(AtkText *text) {
    return gint(g_utf8_strlen(nodeName(ATK_OBJECT(text)), -1));
}

gint textCaret(AtkText *) {
    return 0;
}

void textInit(gpointer iface, gpointer) {
    AtkTextIface *text = static_cast<AtkTextIface *>(iface);
    text->get_text = textRange;
    text->get_character_count = textLength;
    text->get_caret_offset = textCaret;
}

// ---- The types ----

GType nodeType() {
    static GType type = 0;
    if (!type) {
        type = g_type_register_static_simple(ATK_TYPE_OBJECT, "QuillmereNode", sizeof(NodeClass),
                                             nodeClassInit, sizeof(Node), nullptr, GTypeFlags(0));
        GInterfaceInfo component = {componentInit, nullptr, nullptr};
        g_type_add_interface_static(type, ATK_TYPE_COMPONENT, &component);
    }
    return type;
}

GType derivedType(const char *name, GType iface, GInterfaceInitFunc init) {
    GType type = g_type_register_static_simple(nodeType(), name, sizeof(NodeClass), nullptr,
                                               sizeof(Node), nullptr, GTypeFlags(0));
    GInterfaceInfo info = {init, nullptr, nullptr};
    g_type_add_interface_static(type, iface, &info);
    return type;
}

GType typeFor(const AccessNode &node) {
    static GType button = derivedType("QuillmereButton", ATK_TYPE_ACTION, actionInit);
    static GType text = derivedType("QuillmereText", ATK_TYPE_TEXT, textInit);
    static GType window = derivedType("QuillmereWindow", ATK_TYPE_WINDOW, nullptr);
    switch (node.role) {
    case AccessRole::Button:
    case AccessRole::Menu:
    case AccessRole::MenuItem:
        return button;
    case AccessRole::Label:
    case AccessRole::Text:
        return text;
    case AccessRole::MenuBar:
        return nodeType();
    default:
        return node.parent.window ? nodeType() : window;
    }
}

// The root: the application, whose children are the top-level windows.
const gchar *rootName(AtkObject *) {
    return "Quillmere";
}

AtkRole rootRole(AtkObject *) {
    return ATK_ROLE_APPLICATION;
}

void rootClassInit(gpointer klass, gpointer) {
    AtkObjectClass *atk = ATK_OBJECT_CLASS(klass);
    atk->get_name = rootName;
    atk->get_role = rootRole;
    atk->get_n_children = nodeChildCount;
    atk->ref_child = nodeChild;
}

} // namespace

AtkRole atkRoleOf(AccessRole role) {
    switch (role) {
    case AccessRole::Frame:
        return ATK_ROLE_FRAME;
    case AccessRole::Dialog:
        return ATK_ROLE_DIALOG;
    case AccessRole::Button:
        return ATK_ROLE_PUSH_BUTTON;
    case AccessRole::Label:
        return ATK_ROLE_LABEL;
    case AccessRole::Text:
        return ATK_ROLE_TEXT;
    case AccessRole::MenuBar:
        return ATK_ROLE_MENU_BAR;
    case AccessRole::Menu:
        return ATK_ROLE_MENU;
    case AccessRole::MenuItem:
        return ATK_ROLE_MENU_ITEM;
    }
    return ATK_ROLE_UNKNOWN;
}

std::vector<AtkStateType> atkStatesOf(const AccessNode &node) {
    static const struct {
        uint32_t bit;
        AtkStateType states[2];
    } table[] = {
        {AccessEnabled, {ATK_STATE_ENABLED, ATK_STATE_SENSITIVE}},
        {AccessFocusable, {ATK_STATE_FOCUSABLE, ATK_STATE_INVALID}},
        {AccessFocused, {ATK_STATE_FOCUSED, ATK_STATE_INVALID}},
        {AccessPressed, {ATK_STATE_PRESSED, ATK_STATE_INVALID}},
        {AccessShowing, {ATK_STATE_SHOWING, ATK_STATE_VISIBLE}},
        {AccessDefault, {ATK_STATE_DEFAULT, ATK_STATE_INVALID}},
        {AccessModal, {ATK_STATE_MODAL, ATK_STATE_ACTIVE}},
        {AccessExpanded, {ATK_STATE_EXPANDED, ATK_STATE_INVALID}},
        {AccessIconic, {ATK_STATE_ICONIFIED, ATK_STATE_VISIBLE}},
        {AccessReadOnly, {ATK_STATE_READ_ONLY, ATK_STATE_INVALID}},
    };
    std::vector<AtkStateType> states;
    for (const auto &entry : table) {
        for (AtkStateType state : entry.states) {
            if ((node.states & entry.bit) && state != ATK_STATE_INVALID) {
                states.push_back(state);
            }
        }
    }
    if (node.role == AccessRole::Menu) {
        states.push_back(ATK_STATE_EXPANDABLE);
    }
    if (node.role == AccessRole::Label || node.role == AccessRole::Text) {
        states.push_back(ATK_STATE_SINGLE_LINE);
    }
    return states;
}

AtkObject *atspiRoot() {
    if (!root) {
        GType type = g_type_register_static_simple(ATK_TYPE_OBJECT, "QuillmereApplication",
                                                   sizeof(NodeClass), rootClassInit, sizeof(Node),
                                                   nullptr, GTypeFlags(0));
        root = ATK_OBJECT(g_object_new(type, nullptr));
    }
    return root;
}

AtkObject *atspiObject(AccessKey key) {
    auto found = known.find(key);
    if (found != known.end()) {
        return found->second.object;
    }
    AccessNode node;
    if (!atspiHost()->describe(key, &node)) {
        return nullptr;
    }
    AtkObject *object = ATK_OBJECT(g_object_new(typeFor(node), nullptr));
    reinterpret_cast<Node *>(object)->key = key;
    known[key] = {object, node.parent, node.name, node.states};
    return object;
}

Known *atspiKnown(AccessKey key) {
    auto found = known.find(key);
    return found == known.end() ? nullptr : &found->second;
}

void atspiForget(AccessKey key) {
    auto found = known.find(key);
    if (found != known.end()) {
        g_object_unref(found->second.object);
        known.erase(found);
    }
}

std::vector<AccessKey> atspiRootChildren() {
    return shownTopLevels();
}
