// The module's entry points: registering on the accessibility bus through atk-bridge, turning
// the accessibility part's changes into ATK signals (which the bridge sends as AT-SPI events),
// and waiting on the bus together with the display, so that questions are answered while the
// program waits for input or sleeps.
#include <atk-bridge.h>

#include <algorithm>

#include "platform/atspi/objects.h"

namespace {

const AtspiHost *host;
AccessKey focused;

const gchar *toolkitName() {
    return "Quillmere";
}

const gchar *toolkitVersion() {
    return "1.0";
}

// The program starts quietly even when the bus cannot be reached.
void quietLog(const gchar *, GLogLevelFlags, const gchar *, gpointer) {}

GLogWriterOutput quietWriter(GLogLevelFlags, const GLogField *, gsize, gpointer) {
    return G_LOG_WRITER_HANDLED;
}

bool isTopLevelWindow(AccessKey key) {
    AccessNode node;
    return key.item == 0 && host->describe(key, &node) && !node.parent.window;
}

// Tells every state of the node that changed since the module last told its states; a
// top-level window that becomes active or inactive says so as a window. The default button's
// moves are not told: AT-SPI's clients know no such event (they read the state when they ask).
void tellStates(AccessKey key) {
    AtkObject *object = atspiObject(key);
    Known *known = atspiKnown(key);
    AccessNode now;
    if (!object || !known || !host->describe(key, &now)) {
        return;
    }
    AccessNode before = now;
    before.states = known->states;
    known->states = now.states;
    std::vector<AtkStateType> was = atkStatesOf(before), is = atkStatesOf(now);
    for (AtkStateType state : was) {
        if (state != ATK_STATE_DEFAULT && std::find(is.begin(), is.end(), state) == is.end()) {
            atk_object_notify_state_change(object, state, FALSE);
        }
    }
    for (AtkStateType state : is) {
        if (state != ATK_STATE_DEFAULT && std::find(was.begin(), was.end(), state) == was.end()) {
            atk_object_notify_state_change(object, state, TRUE);
        }
    }
    bool active = now.states & AccessModal, wasActive = before.states & AccessModal;
    if (active != wasActive && ATK_IS_WINDOW(object)) {
        g_signal_emit_by_name(object, active ? "activate" : "deactivate");
    }
}

int indexIn(const std::vector<AccessKey> &list, AccessKey key) {
    auto found = std::find(list.begin(), list.end(), key);
    return found == list.end() ? -1 : int(found - list.begin());
}

void tellChild(AtkObject *parent, const char *change, int index, AtkObject *child) {
    if (parent && child) {
        g_signal_emit_by_name(parent, change, index, child);
    }
}

void tellGone(AccessKey key) {
    Known *known = atspiKnown(key);
    if (!known) {
        return;
    }
    AtkObject *object = known->object;
    atk_object_notify_state_change(object, ATK_STATE_DEFUNCT, TRUE);
    Known *parent = known->parent.window ? atspiKnown(known->parent) : nullptr;
    tellChild(known->parent.window ? (parent ? parent->object : nullptr) : atspiRoot(),
              "children-changed::remove", -1, object);
    atspiForget(key);
}

void tellShown(AccessKey key, bool shown) {
    if (isTopLevelWindow(key)) {
        AtkObject *object = atspiObject(key);
        if (shown) {
            tellChild(atspiRoot(), "children-changed::add", indexIn(atspiRootChildren(), key),
                      object);
        } else {
            tellChild(atspiRoot(), "children-changed::remove", -1, object);
        }
        g_signal_emit_by_name(object, shown ? "create" : "destroy");
    }
    tellStates(key);
}

void tellName(AccessKey key) {
    AtkObject *object = atspiObject(key);
    Known *known = atspiKnown(key);
    AccessNode node;
    if (!object || !known || !host->describe(key, &node) || node.name == known->name) {
        return;
    }
    std::string old = known->name;
    known->name = node.name;
    if (ATK_IS_TEXT(object)) {
        g_signal_emit_by_name(object, "text-remove", 0, gint(g_utf8_strlen(old.c_str(), -1)),
                              old.c_str());
        g_signal_emit_by_name(object, "text-insert", 0, gint(g_utf8_strlen(node.name.c_str(), -1)),
                              node.name.c_str());
    }
    g_object_notify(G_OBJECT(object), "accessible-name");
}

void tellFocus(AccessKey key) {
    AccessKey previous = focused;
    focused = key;
    if (atspiKnown(previous)) {
        tellStates(previous);
    }
    tellStates(key);
}

} // namespace

const AtspiHost *atspiHost() {
    return host;
}

bool quillmereAtspiStart(const AtspiHost *given) {
    host = given;
    if (host->quiet) {
        g_log_set_default_handler(quietLog, nullptr);
        g_log_set_writer_func(quietWriter, nullptr, nullptr);
    }
    AtkUtilClass *util = ATK_UTIL_CLASS(g_type_class_ref(ATK_TYPE_UTIL));
    util->get_root = atspiRoot;
    util->get_toolkit_name = toolkitName;
    util->get_toolkit_version = toolkitVersion;
    atspiRoot();
    return atk_bridge_adaptor_init(nullptr, nullptr) == 0;
}

void quillmereAtspiEvent(AccessEvent event, AccessKey key) {
    switch (event) {
    case AccessEvent::Created:
        if (AccessNode node; host->describe(key, &node) && node.parent.window) {
            Known *parent = atspiKnown(node.parent);
            if (parent) {
                tellChild(parent->object, "children-changed::add",
                          indexIn(host->children(node.parent), key), atspiObject(key));
            }
        }
        break;
    case AccessEvent::Destroyed:
        tellGone(key);
        break;
    case AccessEvent::Shown:
    case AccessEvent::Hidden:
        tellShown(key, event == AccessEvent::Shown);
        break;
    case AccessEvent::NameChanged:
        tellName(key);
        break;
    case AccessEvent::StateChanged:
        tellStates(key);
        break;
    case AccessEvent::Focused:
        tellFocus(key);
        break;
    }
}

void quillmereAtspiWait(int descriptor, int milliseconds) {
    GMainContext *context = g_main_context_default();
    if (!g_main_context_acquire(context)) {
        return;
    }
    gint priority = 0, timeout = -1;
    g_main_context_prepare(context, &priority);
    std::vector<GPollFD> polled(8);
    gint count;
    while ((count = g_main_context_query(context, priority, &timeout, polled.data(),
                                         gint(polled.size()))) > gint(polled.size())) {
        polled.resize(size_t(count));
    }
    polled.resize(size_t(count));
    if (descriptor >= 0) {
        polled.push_back({descriptor, G_IO_IN, 0});
    }
    if (timeout < 0 || timeout > milliseconds) {
        timeout = milliseconds;
    }
    g_poll(polled.data(), guint(polled.size()), timeout);
    g_main_context_check(context, priority, polled.data(), count);
    g_main_context_dispatch(context);
    g_main_context_release(context);
}
