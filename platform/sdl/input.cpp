#include <algorithm>
#include <chrono>
#include <thread>

#include "platform/sdl/access.h"
#include "platform/sdl/display.h"
#include "platform/sdl/events.h"
#include "platform/sdl/window.h"
#include "platform/sdl/xconnection.h"

namespace {

// Moves everything SDL has into the layer's queue; returns how many input events were queued.
int drainEvents() {
    int queued = 0;
    SDL_Event events[32];
    for (;;) {
        SDL_PumpEvents();
        int count = SDL_PeepEvents(events, 32, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
        if (count <= 0)
            return queued;
        for (int i = 0; i < count; ++i) {
            const SDL_Event &event = events[i];
            Uint32 windowId = 0;
            switch (event.type) {
            case SDL_WINDOWEVENT:
                sdlHostWindowEvent(event.window);
                windowId = event.window.windowID;
                break;
            case SDL_MOUSEMOTION:
                windowId = event.motion.windowID;
                break;
            case SDL_MOUSEBUTTONDOWN:
            case SDL_MOUSEBUTTONUP:
                windowId = event.button.windowID;
                break;
            case SDL_KEYDOWN:
            case SDL_KEYUP:
                windowId = event.key.windowID;
                break;
            case SDL_TEXTINPUT:
                windowId = event.text.windowID;
                break;
            default:
                continue; // SDL_QUIT among them: only the program ends itself
            }
            HWND topLevel = sdlTopLevelForWindowId(windowId);
            if (!topLevel)
                continue;
            if (event.type == SDL_MOUSEBUTTONDOWN && !IsWindowEnabled(topLevel))
                sdlRaiseEnabledHost();
            InputEvent inputs[4];
            int made =
                translateSdlEvent(event, topLevel, sdlDisplayScale(), SDL_GetModState(), inputs);
            for (int j = 0; j < made; ++j)
                queueInput(inputs[j]);
            queued += made;
        }
    }
}

} // namespace

void backendPumpInput(bool wait) {
    if (!sdlVideoReady(nullptr))
        return;
    int queued = drainEvents();
    if (wait) {
        sdlStartAccessibility();
    }
    while (wait && queued == 0) {
        sdlWaitForEvents(1000);
        queued = drainEvents() + sdlTakeAccessInput();
    }
}

void backendSleep(DWORD milliseconds) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(milliseconds);
    if (!sdlVideoReady(nullptr)) {
        std::this_thread::sleep_until(end);
        return;
    }
    // Input keeps arriving while the program sleeps: take it in slices, so every mouse event
    // is aimed at the window under the pointer when it was made.
    for (;;) {
        drainEvents();
        Clock::duration left = end - Clock::now();
        if (left <= Clock::duration::zero())
            break;
        auto wholeMilliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(left);
        if (wholeMilliseconds.count() >= 2)
            sdlWaitForEvents(int(std::min<long long>(wholeMilliseconds.count() - 1, 10)));
        else
            std::this_thread::sleep_until(end);
    }
}

uint64_t backendNow() {
    using namespace std::chrono;
    return uint64_t(duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count());
}
