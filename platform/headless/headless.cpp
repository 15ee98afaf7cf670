// The headless backend: no display, a virtual clock, and input made from a script at virtual
// times, queued through queueInput like the desktop's input.
#include "platform/headless/headless.h"

#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <map>
#include <set>

#include "platform/controls/controls.h"
#include "platform/dialog/dialog.h"
#include "platform/gdi/png.h"
#include "platform/gdi/rect.h"
#include "platform/window/clock.h"
#include "platform/window/message.h"
#include "platform/window/nonclient.h"
#include "platform/window/paint.h"

namespace {

enum class Aim { Client, Surface, Active, MenuBar, MenuEntry };

struct Scripted {
    uint64_t at;
    uint64_t order;
    Aim aim;
    InputEvent event;
    HWND window = nullptr;
    int x = 0, y = 0;       // client coordinates
    int bar = 0, entry = 0; // menu aims
};

uint64_t now = headlessStartTime;
uint64_t nextOrder = 0;
std::vector<Scripted> script; // by time, then by the order of scripting
std::function<void()> idleHook;
int fruitlessWaits = 0;
std::vector<UINT> beeps;
std::vector<DWORD> sleeps;
std::map<HWND, Surface> presented; // each top-level window's pixels as last presented
std::function<void(DWORD)> sleepHook;
std::function<void(AccessEvent, AccessKey)> accessHook;
std::map<HWND, std::pair<HICON, HICON>> icons;
std::set<HWND> knownWindows;
std::string clipboard;
bool failing = false;
std::string failReason;
SIZE screen{1024, 768};

// The layer starts with its system classes, and the clock reads the virtual one.
[[maybe_unused]] const bool started = (registerSystemClasses(), setClockSource(backendNow), true);

void add(Scripted item) {
    item.at = item.at == headlessAsap ? now : item.at;
    item.order = nextOrder++;
    auto place = std::upper_bound(script.begin(), script.end(), item,
                                  [](const Scripted &a, const Scripted &b) {
                                      return a.at < b.at || (a.at == b.at && a.order < b.order);
                                  });
    script.insert(place, item);
}

Scripted mouse(Aim aim, InputEvent::Kind kind, HWND window, int x, int y, uint64_t at) {
    Scripted item;
    item.at = at;
    item.aim = aim;
    item.event.kind = kind;
    item.window = window;
    item.x = x;
    item.y = y;
    return item;
}

Scripted key(InputEvent::Kind kind, int code, unsigned modifiers, uint64_t at) {
    Scripted item;
    item.at = at;
    item.aim = Aim::Active;
    item.event.kind = kind;
    item.event.key = code;
    item.event.shift = (modifiers & HeadlessShift) != 0;
    item.event.control = (modifiers & HeadlessControl) != 0;
    item.event.alt = (modifiers & HeadlessAlt) != 0;
    return item;
}

// Aims a scripted event at this moment and queues it.
void make(Scripted item) {
    InputEvent event = item.event;
    RECT r;
    switch (item.aim) {
    case Aim::Client: {
        Window *window = findWindow(item.window);
        if (!window) {
            return;
        }
        POINT origin = clientOriginOnSurface(window);
        event.topLevel = topLevelOf(item.window);
        event.x = item.x + origin.x;
        event.y = item.y + origin.y;
        break;
    }
    case Aim::Surface:
        event.topLevel = item.window;
        event.x = item.x;
        event.y = item.y;
        break;
    case Aim::MenuBar:
    case Aim::MenuEntry: {
        bool found = item.aim == Aim::MenuBar
                         ? menuBarItemRect(item.window, item.bar, &r)
                         : menuEntryRect(item.window, item.bar, item.entry, &r);
        if (!found) {
            return;
        }
        event.topLevel = item.window;
        event.x = (r.left + r.right) / 2;
        event.y = (r.top + r.bottom) / 2;
        break;
    }
    case Aim::Active:
        if (!event.topLevel) {
            event.topLevel = activeTopLevel();
        }
        break;
    }
    queueInput(event);
}

// Makes every scripted event due by the given time, moving the clock to each.
void makeUntil(uint64_t time) {
    while (!script.empty() && script.front().at <= time) {
        Scripted item = script.front();
        script.erase(script.begin());
        now = std::max(now, item.at);
        make(item);
    }
}

[[noreturn]] void abortWaiting() {
    HWND dialog = innermostModalDialog();
    char title[256] = "";
    GetWindowTextA(dialog, title, sizeof title);
    fprintf(stderr,
            "quillmere headless: the modal loop of \"%s\" waits for input and nothing is "
            "scripted\n",
            dialog ? title : "(no dialog)");
    abort();
}

// Fills `to` with the pixels of `from` that lie under it when to's (0, 0) is put on from's
// (fromX, fromY); where `from` does not reach, `to` stays as it is.
void copyPixels(const Surface &from, int fromX, int fromY, Surface *to) {
    RECT source{0, 0, from.width, from.height};
    for (int y = 0; y < to->height; ++y) {
        for (int x = 0; x < to->width; ++x) {
            int sx = fromX + x, sy = fromY + y;
            if (rectContains(source, sx, sy)) {
                to->pixels[static_cast<size_t>(y) * to->width + x] =
                    from.pixels[static_cast<size_t>(sy) * from.width + sx];
            }
        }
    }
}

} // namespace

// ---- The backend's side of backend.h ----

bool backendWindowChanged(HWND topLevel, std::string *why) {
    if (!knownWindows.count(topLevel)) {
        if (failing) {
            if (why) {
                *why = failReason;
            }
            return false;
        }
        knownWindows.insert(topLevel);
    }
    return true;
}

void backendWindowDestroyed(HWND topLevel) {
    knownWindows.erase(topLevel);
    presented.erase(topLevel);
    icons.erase(topLevel);
}

void backendWindowIcons(HWND topLevel, HICON large, HICON small) {
    icons[topLevel] = {large, small};
}

void backendPresent(HWND topLevel) {
    if (const Surface *surface = topLevelSurface(topLevel)) {
        presented[topLevel] = *surface;
    }
}

void backendPumpInput(bool wait) {
    makeUntil(now);
    if (!wait) {
        return;
    }
    while (!messagesPending()) {
        if (!script.empty()) {
            makeUntil(script.front().at);
            continue;
        }
        if (!idleHook) {
            abortWaiting();
        }
        HWND dialog = innermostModalDialog();
        std::function<void()> hook = idleHook;
        hook();
        makeUntil(now);
        if (messagesPending() || !script.empty()) {
            fruitlessWaits = 0;
            continue;
        }
        if (dialogEnded(dialog) || dialog != innermostModalDialog()) {
            fruitlessWaits = 0;
            return;
        }
        // The hook changed nothing the loop could see; let the loop look again, a few times.
        if (++fruitlessWaits > 100) {
            abortWaiting();
        }
        return;
    }
    fruitlessWaits = 0;
}

void backendSleep(DWORD milliseconds) {
    sleeps.push_back(milliseconds);
    if (sleepHook) {
        std::function<void(DWORD)> hook = sleepHook;
        hook(milliseconds);
    }
    uint64_t until = now + milliseconds;
    makeUntil(until);
    now = until;
}

uint64_t backendNow() {
    return now;
}

RECT backendWorkArea() {
    return {0, 0, screen.cx, screen.cy};
}

void backendBeep(UINT type) {
    beeps.push_back(type);
}

void backendSetClipboard(const std::string &utf8) {
    clipboard = utf8;
}

void backendAccessEvent(AccessEvent event, AccessKey node) {
    if (accessHook) {
        accessHook(event, node);
    }
}

// ---- The test API ----

void headlessReset() {
    idleHook = nullptr;
    destroyAllWindows();
    clearMessages();
    forgetClasses();
    clearWindowFailure();
    script.clear();
    beeps.clear();
    sleeps.clear();
    presented.clear();
    sleepHook = nullptr;
    accessHook = nullptr;
    icons.clear();
    knownWindows.clear();
    clipboard.clear();
    failing = false;
    failReason.clear();
    fruitlessWaits = 0;
    screen = {1024, 768};
    now = headlessStartTime;
    setClockSource(backendNow);
    scriptClockMilliseconds(nullptr, 0);
}

HINSTANCE headlessInstance() {
    return GetModuleHandleA(nullptr);
}

uint64_t headlessNow() {
    return now;
}

void headlessMouseAt(HWND window, InputEvent::Kind kind, int x, int y, uint64_t at) {
    add(mouse(Aim::Client, kind, window, x, y, at));
}

void headlessClick(HWND window, int x, int y, uint64_t at) {
    headlessMouseAt(window, InputEvent::MouseDown, x, y, at);
    headlessMouseAt(window, InputEvent::MouseUp, x, y, at);
}

void headlessTap(HWND window, int x, int y, int radius, uint64_t at) {
    for (InputEvent::Kind kind : {InputEvent::MouseDown, InputEvent::MouseUp}) {
        Scripted item = mouse(Aim::Client, kind, window, x, y, at);
        item.event.touchRadius = radius;
        add(item);
    }
}

void headlessClickCentre(HWND window, uint64_t at) {
    RECT r{0, 0, 0, 0};
    GetClientRect(window, &r);
    headlessClick(window, r.right / 2, r.bottom / 2, at);
}

void headlessClickMenuBar(HWND topLevel, int barIndex, uint64_t at) {
    for (InputEvent::Kind kind : {InputEvent::MouseDown, InputEvent::MouseUp}) {
        Scripted item = mouse(Aim::MenuBar, kind, topLevel, 0, 0, at);
        item.bar = barIndex;
        add(item);
    }
}

void headlessClickMenuEntry(HWND topLevel, int barIndex, int entryIndex, uint64_t at) {
    for (InputEvent::Kind kind : {InputEvent::MouseDown, InputEvent::MouseUp}) {
        Scripted item = mouse(Aim::MenuEntry, kind, topLevel, 0, 0, at);
        item.bar = barIndex;
        item.entry = entryIndex;
        add(item);
    }
}

void headlessKeyDown(int code, unsigned modifiers, uint64_t at) {
    add(key(InputEvent::KeyDown, code, modifiers, at));
}

void headlessKeyUp(int code, unsigned modifiers, uint64_t at) {
    add(key(InputEvent::KeyUp, code, modifiers, at));
}

void headlessKey(int code, unsigned modifiers, uint64_t at) {
    headlessKeyDown(code, modifiers, at);
    bool typed = !(modifiers & (HeadlessControl | HeadlessAlt));
    unsigned char character = 0;
    if (code >= 'A' && code <= 'Z') {
        character = static_cast<unsigned char>((modifiers & HeadlessShift) ? code : code + 32);
    } else if ((code >= '0' && code <= '9') || code == VK_SPACE) {
        character = static_cast<unsigned char>(code);
    }
    if (typed && character) {
        Scripted item = key(InputEvent::Character, 0, modifiers, at);
        item.event.character = character;
        add(item);
    }
    headlessKeyUp(code, modifiers, at);
}

void headlessType(const char *text, uint64_t at) {
    for (; text && *text; ++text) {
        Scripted item = key(InputEvent::Character, 0, 0, at);
        item.event.character = static_cast<unsigned char>(*text);
        add(item);
    }
}

void headlessClose(HWND topLevel, uint64_t at) {
    Scripted item;
    item.at = at;
    item.aim = Aim::Active;
    item.event.kind = InputEvent::CloseRequest;
    item.event.topLevel = topLevel;
    add(item);
}

void headlessSetIdleHook(std::function<void()> hook) {
    idleHook = std::move(hook);
    fruitlessWaits = 0;
}

HWND headlessModalDialog() {
    return innermostModalDialog();
}

void headlessSetAccessHook(std::function<void(AccessEvent event, AccessKey node)> hook) {
    accessHook = std::move(hook);
}

const std::vector<UINT> &headlessBeeps() {
    return beeps;
}

const std::vector<DWORD> &headlessSleeps() {
    return sleeps;
}

const std::string &headlessClipboard() {
    return clipboard;
}

void headlessWindowIcons(HWND topLevel, HICON *large, HICON *small) {
    auto found = icons.find(topLevel);
    if (large) {
        *large = found == icons.end() ? nullptr : found->second.first;
    }
    if (small) {
        *small = found == icons.end() ? nullptr : found->second.second;
    }
}

void headlessFailWindowCreation(const char *reason) {
    failing = reason != nullptr;
    failReason = reason ? reason : "";
}

std::string headlessLastWindowFailure() {
    return lastWindowFailure();
}

std::vector<HWND> headlessTopLevelWindows() {
    return topLevelOrder();
}

HWND headlessFindWindow(const char *title) {
    for (HWND handle : topLevelOrder()) {
        Window *window = findWindow(handle);
        if (window && title && window->text == title) {
            return handle;
        }
    }
    return nullptr;
}

bool headlessPicture(HWND handle, Surface *out) {
    Window *window = findWindow(handle);
    if (!window || !out) {
        return false;
    }
    Window *top = topLevelOf(window);
    if (window == top) {
        *out = top->surface;
        return true;
    }
    RECT area = visibleClientOnSurface(window);
    out->resize(area.right - area.left, area.bottom - area.top, 0);
    copyPixels(top->surface, area.left, area.top, out);
    return true;
}

uint32_t headlessPixel(HWND handle, int x, int y) {
    Window *window = findWindow(handle);
    if (!window) {
        return 0xFFFFFFFF;
    }
    Window *top = topLevelOf(window);
    POINT origin = clientOriginOnSurface(window);
    RECT area = visibleClientOnSurface(window);
    int sx = origin.x + x, sy = origin.y + y;
    if (!rectContains(area, sx, sy)) {
        return 0xFFFFFFFF;
    }
    return top->surface.pixels[static_cast<size_t>(sy) * top->surface.width + sx];
}

bool headlessSavePng(HWND handle, const char *path) {
    Surface picture;
    if (!headlessPicture(handle, &picture) || picture.width <= 0 || picture.height <= 0) {
        return false;
    }
    return writePng(path, picture.width, picture.height, picture.pixels.data());
}

void headlessSetScreenSize(int width, int height) {
    screen = {width, height};
}

void headlessSetSleepHook(std::function<void(DWORD milliseconds)> hook) {
    sleepHook = std::move(hook);
}

void headlessScreenPicture(Surface *out) {
    out->resize(screen.cx, screen.cy, 0x008080); // the classic desktop colour
    const std::vector<HWND> &order = topLevelOrder();
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        Window *top = findWindow(*it);
        auto shown = presented.find(*it);
        if (!top || !isShowing(top) || shown == presented.end()) {
            continue;
        }
        POINT origin = surfaceOriginOnScreen(top);
        copyPixels(shown->second, -origin.x, -origin.y, out);
    }
}

bool headlessScreenCrop(HWND window, Surface *out) {
    RECT client;
    if (!out || !GetClientRect(window, &client)) {
        return false;
    }
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    Surface screen;
    headlessScreenPicture(&screen);
    out->resize(client.right, client.bottom, 0);
    copyPixels(screen, origin.x, origin.y, out);
    return true;
}

void headlessUncover(HWND topLevel) {
    exposeTopLevel(topLevel);
}
