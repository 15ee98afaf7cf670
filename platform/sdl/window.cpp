#include "platform/sdl/window.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/gdi/cp1252.h"
#include "platform/sdl/display.h"
#include "platform/sdl/xconnection.h"

namespace {

// Where and how large a host is, in desktop pixels.
struct Placement {
    int x = 0, y = 0, width = 1, height = 1;
    bool operator==(const Placement &other) const {
        return x == other.x && y == other.y && width == other.width && height == other.height;
    }
};

struct Host {
    HWND topLevel = nullptr;
    SDL_Window *window = nullptr;
    SDL_Renderer *renderer = nullptr;
    SDL_Texture *texture = nullptr;
    int textureWidth = 0, textureHeight = 0;
    std::string title;
    Placement placement;
    bool mapped = false;    // shown as a normal window
    bool minimised = false; // handed to the taskbar
    HICON largeIcon = nullptr, smallIcon = nullptr;
    HWND modalFor = nullptr;
};

// Few windows exist at once (frame, board, one nested dialog); a plain list in creation order.
std::vector<Host> hosts;

// The layer's classes exist from the program's start, as USER32's do.
[[maybe_unused]] const bool started = (registerSystemClasses(), true);

Host *findHost(HWND topLevel) {
    for (Host &host : hosts)
        if (host.topLevel == topLevel)
            return &host;
    return nullptr;
}

std::string titleOf(HWND topLevel) {
    char text[512];
    int length = GetWindowTextA(topLevel, text, sizeof text);
    return cp1252ToUtf8(text, length > 0 ? size_t(length) : 0);
}

// The host shows the surface (menu bar and client area) where the layer puts it on its screen.
Placement placementOf(HWND topLevel, const Surface *surface, int scale) {
    Placement placement;
    POINT origin = surfaceOriginOnScreen(topLevel);
    placement.x = origin.x * scale;
    placement.y = origin.y * scale;
    placement.width = std::max(1, (surface ? surface->width : 0) * scale);
    placement.height = std::max(1, (surface ? surface->height : 0) * scale);
    return placement;
}

void applyIcon(Host &host) {
    HICON icon = host.largeIcon ? host.largeIcon : host.smallIcon;
    if (!host.window || !icon)
        return;
    IconPixels pixels;
    if (!iconPixels(icon, &pixels) || pixels.width <= 0 || pixels.height <= 0)
        return;
    SDL_Surface *image = SDL_CreateRGBSurfaceWithFormat(0, pixels.width, pixels.height, 32,
                                                        SDL_PIXELFORMAT_ARGB8888);
    if (!image)
        return;
    for (int y = 0; y < pixels.height; ++y) {
        Uint32 *row =
            reinterpret_cast<Uint32 *>(static_cast<Uint8 *>(image->pixels) + y * image->pitch);
        for (int x = 0; x < pixels.width; ++x) {
            size_t at = size_t(y) * pixels.width + x;
            bool clear = at < pixels.transparent.size() && pixels.transparent[at];
            row[x] = clear ? 0u : 0xFF000000u | (pixels.pixels[at] & 0x00FFFFFFu);
        }
    }
    SDL_SetWindowIcon(host.window, image);
    SDL_FreeSurface(image);
}

// Windows have the fixed size the layer gives them (SDL tells the window manager so for a window
// that is not resizable). An owned window (the board, a message, the about box) is a dialog: the
// owner's taskbar entry stands for it, as on Windows.
bool createHostWindow(Host &host, std::string *why) {
    bool owned = GetParent(host.topLevel) != nullptr;
    Uint32 flags = SDL_WINDOW_HIDDEN | (owned ? SDL_WINDOW_SKIP_TASKBAR : 0);
    host.window = SDL_CreateWindow(host.title.c_str(), host.placement.x, host.placement.y,
                                   host.placement.width, host.placement.height, flags);
    if (!host.window) {
        if (why)
            *why = SDL_GetError();
        return false;
    }
    sdlHostWindowMade(host.window);
    if (owned)
        sdlMarkDialog(host.window);
    // The software renderer unless the user names another one: small windows, exact pixels,
    // and the frame is on the X server when SDL_RenderPresent returns.
    Uint32 renderer = SDL_GetHint(SDL_HINT_RENDER_DRIVER) ? 0 : SDL_RENDERER_SOFTWARE;
    host.renderer = SDL_CreateRenderer(host.window, -1, renderer);
    if (!host.renderer)
        host.renderer = SDL_CreateRenderer(host.window, -1, 0);
    applyIcon(host);
    return true;
}

void destroyHostWindow(Host &host) {
    if (host.texture)
        SDL_DestroyTexture(host.texture);
    if (host.renderer)
        SDL_DestroyRenderer(host.renderer);
    if (host.window) {
        sdlHostWindowGoing(host.window);
        SDL_DestroyWindow(host.window);
    }
    host.texture = nullptr;
    host.renderer = nullptr;
    host.window = nullptr;
}

// Copies the surface into the host's texture and shows it. The texture is made again only when
// the surface changes size.
void present(Host &host) {
    if (!host.renderer || !host.mapped)
        return;
    const Surface *surface = topLevelSurface(host.topLevel);
    if (!surface || surface->width <= 0 || surface->height <= 0 ||
        surface->pixels.size() < size_t(surface->width) * surface->height)
        return;
    if (!host.texture || host.textureWidth != surface->width ||
        host.textureHeight != surface->height) {
        if (host.texture)
            SDL_DestroyTexture(host.texture);
        host.texture =
            SDL_CreateTexture(host.renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                              surface->width, surface->height);
        if (!host.texture)
            return;
        SDL_SetTextureScaleMode(host.texture, SDL_ScaleModeNearest);
        host.textureWidth = surface->width;
        host.textureHeight = surface->height;
    }
    SDL_UpdateTexture(host.texture, nullptr, surface->pixels.data(),
                      surface->width * int(sizeof(uint32_t)));
    SDL_RenderCopy(host.renderer, host.texture, nullptr, nullptr);
    SDL_RenderPresent(host.renderer);
}

// A modal dialog stays above its owner. Not over a minimised owner: window managers hide the
// dependants of an iconified window, which would hide the dialog too.
void applyModality(Host &host) {
    HWND owner = GetParent(host.topLevel);
    Host *ownerHost = owner ? findHost(owner) : nullptr;
    if (!ownerHost || !ownerHost->window || !ownerHost->mapped || IsIconic(owner))
        return;
    if (host.modalFor == owner)
        return;
    SDL_SetWindowModalFor(host.window, ownerHost->window);
    host.modalFor = owner;
}

void showMinimised(Host &host) {
    if (host.minimised)
        return;
    host.minimised = true;
    // Without a window manager nothing could minimise the window: it stays unmapped.
    if (!sdlWindowManagerPresent()) {
        if (host.mapped)
            SDL_HideWindow(host.window);
        host.mapped = false;
        return;
    }
    if (!host.mapped && sdlMapIconified(host.window))
        return;
    SDL_ShowWindow(host.window);
    SDL_MinimizeWindow(host.window);
    host.mapped = false;
}

// When a dialog goes, its owner takes the keyboard again, as on Windows. A window manager does
// that for a window's dependants itself once asked to activate the owner; without one the focus
// is set directly.
void focusOwnerOf(const Host &host) {
    HWND owner = GetParent(host.topLevel);
    Host *ownerHost = owner ? findHost(owner) : nullptr;
    if (!ownerHost || !ownerHost->window || !ownerHost->mapped)
        return;
    if (sdlWindowManagerPresent())
        SDL_RaiseWindow(ownerHost->window);
    else
        SDL_SetWindowInputFocus(ownerHost->window);
}

} // namespace

bool backendWindowChanged(HWND topLevel, std::string *why) {
    if (!sdlVideoReady(why))
        return false;
    Host *host = findHost(topLevel);
    if (!host) {
        hosts.push_back(Host());
        host = &hosts.back();
        host->topLevel = topLevel;
    }
    bool visible = IsWindowVisible(topLevel);
    bool iconic = IsIconic(topLevel);
    std::string title = titleOf(topLevel);
    Placement placement = placementOf(topLevel, topLevelSurface(topLevel), sdlDisplayScale());

    // The SDL window is made when the layer's window is first shown.
    if (!host->window) {
        if (!visible)
            return true;
        host->title = title;
        host->placement = placement;
        if (!createHostWindow(*host, why)) {
            hosts.erase(hosts.begin() + (host - hosts.data()));
            return false;
        }
    }
    if (title != host->title) {
        host->title = title;
        SDL_SetWindowTitle(host->window, title.c_str());
    }
    if (!iconic && !(placement == host->placement)) {
        if (placement.width != host->placement.width || placement.height != host->placement.height)
            SDL_SetWindowSize(host->window, placement.width, placement.height);
        if (placement.x != host->placement.x || placement.y != host->placement.y)
            SDL_SetWindowPosition(host->window, placement.x, placement.y);
        host->placement = placement;
    }

    if (visible && iconic) {
        showMinimised(*host);
    } else if (visible) {
        applyModality(*host);
        if (host->minimised) {
            host->minimised = false;
            SDL_RestoreWindow(host->window);
        }
        if (!host->mapped) {
            SDL_ShowWindow(host->window);
            host->mapped = true;
            present(*host);
        }
    } else if (host->mapped || host->minimised) {
        SDL_HideWindow(host->window);
        host->mapped = false;
        host->minimised = false;
        focusOwnerOf(*host);
    }
    return true;
}

void backendWindowDestroyed(HWND topLevel) {
    Host *host = findHost(topLevel);
    if (!host)
        return;
    bool hadFocus =
        host->window && host->mapped && (SDL_GetWindowFlags(host->window) & SDL_WINDOW_INPUT_FOCUS);
    destroyHostWindow(*host);
    if (hadFocus)
        focusOwnerOf(*host);
    hosts.erase(hosts.begin() + (host - hosts.data()));
    for (Host &other : hosts)
        if (other.modalFor == topLevel)
            other.modalFor = nullptr;
}

void backendWindowIcons(HWND topLevel, HICON large, HICON small) {
    std::string why;
    if (!sdlVideoReady(&why))
        return;
    Host *host = findHost(topLevel);
    if (!host) {
        hosts.push_back(Host());
        host = &hosts.back();
        host->topLevel = topLevel;
    }
    host->largeIcon = large;
    host->smallIcon = small;
    applyIcon(*host);
}

void backendPresent(HWND topLevel) {
    if (Host *host = findHost(topLevel))
        present(*host);
}

HWND sdlTopLevelForWindowId(Uint32 windowId) {
    for (const Host &host : hosts)
        if (host.window && SDL_GetWindowID(host.window) == windowId)
            return host.topLevel;
    return nullptr;
}

void sdlHostWindowEvent(const SDL_WindowEvent &event) {
    HWND topLevel = sdlTopLevelForWindowId(event.windowID);
    Host *host = topLevel ? findHost(topLevel) : nullptr;
    if (!host)
        return;
    switch (event.event) {
    case SDL_WINDOWEVENT_EXPOSED:
        present(*host);
        break;
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_RESTORED:
        // The frame window stays minimised; the user reaches the game through its dialog.
        if (IsIconic(topLevel) && sdlWindowManagerPresent()) {
            SDL_MinimizeWindow(host->window);
            sdlRaiseEnabledHost();
        }
        break;
    default:
        break;
    }
}

void sdlRaiseEnabledHost() {
    for (auto host = hosts.rbegin(); host != hosts.rend(); ++host) {
        if (host->window && host->mapped && IsWindowEnabled(host->topLevel)) {
            SDL_RaiseWindow(host->window);
            return;
        }
    }
}
