// The menu bar of a top-level window and its drop-downs: a window of the menu class that the
// top-level window's DefWindowProcA makes as the window is created and hands its non-client
// messages to. It draws the bar into the window's surface on WM_NCPAINT, and the open drop-down
// over the client area before every presentation (WM_PAINT; the area is uncovered again when it
// closes). It opens by a click on the bar, by Alt or F10 and the arrow keys, or by Alt and a
// mnemonic; while it is open it takes all the window's input (menu mode). An entry chosen posts
// its WM_COMMAND to the window; WM_CANCELMODE closes the menu.
#include <ctype.h>

#include <algorithm>

#include "platform/controls/controls.h"
#include "platform/gdi/rect.h"
#include "platform/resources/resfile.h"
#include "platform/window/edges.h"
#include "platform/window/message.h"
#include "platform/window/nonclient.h"
#include "platform/window/paint.h"
#include "platform/window/winevent.h"

namespace {

enum { barPadding = 6, dropBorder = 3, checkSpace = 17, arrowSpace = 17 };

const COLORREF black = RGB(0, 0, 0), white = RGB(255, 255, 255), grey = RGB(128, 128, 128),
               light = RGB(192, 192, 192);

struct MenuBar : WindowExtra {
    Window *top = nullptr; // the window it belongs to, looked up again for every message
    std::vector<MenuItemTemplate> items;
    bool active = false;       // keyboard or mouse is in the menu
    int bar = -1;              // highlighted item of the bar
    int open = -1;             // item whose drop-down shows, -1 none
    int entry = -1;            // highlighted entry of the drop-down
    bool altPending = false;   // Alt went down and nothing else since
    RECT dropRect{0, 0, 0, 0}; // surface rectangle of the open drop-down
    int fingerEntry = 0;       // opened by a finger: an entry's least height (the contact's)
    // What the WinEvents last told: the menu active, the open drop-down, the highlighted item.
    bool toldActive = false;
    int toldOpen = -1, toldItem = 0;
};

// The menu bar of a top-level window, null when it has none.
MenuBar *menuBarOf(HWND topLevel) {
    Window *top = findWindow(topLevel);
    Window *bar = top ? findWindow(top->menuBar) : nullptr;
    if (!bar) {
        return nullptr;
    }
    MenuBar &menu = extraOf<MenuBar>(bar);
    menu.top = top;
    return &menu;
}

// The text as shown, without the '&' marks, and the index of the underlined character.
std::string shownText(const std::string &text, int *underlined) {
    std::string shown;
    *underlined = -1;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) {
            ++i;
            if (text[i] != '&' && *underlined < 0) {
                *underlined = static_cast<int>(shown.size());
            }
        }
        shown += text[i];
    }
    return shown;
}

int mnemonicKey(const std::string &text) {
    int underlined;
    std::string shown = shownText(text, &underlined);
    return underlined < 0 ? 0 : toupper(static_cast<unsigned char>(shown[underlined]));
}

int textWidthOf(const std::string &text) {
    int underlined;
    std::string shown = shownText(text, &underlined);
    return textWidth(guiFont(), shown.c_str(), static_cast<int>(shown.size()));
}

// A drop-down opened by touch spaces its entries for the finger, as Windows does.
int entryHeight(const MenuBar &menu) {
    FontMetrics metrics{0, 0, 0};
    getFontMetrics(guiFont(), &metrics);
    return std::max({17, metrics.height + 4, menu.fingerEntry});
}

void drawMnemonicText(HDC dc, int x, int y, const std::string &text, COLORREF color) {
    int underlined;
    std::string shown = shownText(text, &underlined);
    SetTextColor(dc, color);
    drawTextAt(dc, x, y, shown.c_str(), static_cast<int>(shown.size()));
    if (underlined >= 0) {
        FontMetrics metrics{0, 0, 0};
        getFontMetrics(guiFont(), &metrics);
        int left = x + textWidth(guiFont(), shown.c_str(), underlined);
        int right = x + textWidth(guiFont(), shown.c_str(), underlined + 1);
        drawHorizontalLine(dc, left, right, y + metrics.ascent + 1, color);
    }
}

RECT barItemRect(const MenuBar &menu, int index) {
    int x = 0;
    for (int i = 0; i < index; ++i) {
        x += textWidthOf(menu.items[i].text) + 2 * barPadding;
    }
    return {x, 0, x + textWidthOf(menu.items[index].text) + 2 * barPadding,
            menuBarHeight(menu.top)};
}

int itemCount(const MenuBar &menu) {
    return static_cast<int>(menu.items.size());
}

const std::vector<MenuItemTemplate> &entriesOf(const MenuBar &menu, int index) {
    return menu.items[index].children;
}

RECT dropDownRect(const MenuBar &menu, int index) {
    int width = 0;
    for (const MenuItemTemplate &entry : entriesOf(menu, index)) {
        width = std::max(width, textWidthOf(entry.text));
    }
    RECT bar = barItemRect(menu, index);
    int count = static_cast<int>(entriesOf(menu, index).size());
    return {bar.left, bar.bottom, bar.left + width + checkSpace + arrowSpace + 2 * dropBorder,
            bar.bottom + count * entryHeight(menu) + 2 * dropBorder};
}

bool isEnabledEntry(const MenuItemTemplate &entry) {
    return !(entry.flags & (MenuItemGrayed | MenuItemDisabled));
}

int barItemAt(const MenuBar &menu, int x, int y) {
    if (y < 0 || y >= menuBarHeight(menu.top)) {
        return -1;
    }
    for (int i = 0; i < itemCount(menu); ++i) {
        RECT r = barItemRect(menu, i);
        if (x >= r.left && x < r.right) {
            return i;
        }
    }
    return -1;
}

int entryAt(const MenuBar &menu, int x, int y) {
    const RECT &r = menu.dropRect;
    if (menu.open < 0 || !rectContains(r, x, y)) {
        return -1;
    }
    int index = (y - r.top - dropBorder) / entryHeight(menu);
    int count = static_cast<int>(entriesOf(menu, menu.open).size());
    return y - r.top < dropBorder || index >= count ? -1 : index;
}

bool insideDropDown(const MenuBar &menu, int x, int y) {
    return menu.open >= 0 && rectContains(menu.dropRect, x, y);
}

// The next enabled entry from one, stepping forwards or backwards with wrap-around.
int stepEntry(const MenuBar &menu, int from, int step) {
    const auto &entries = entriesOf(menu, menu.open);
    int count = static_cast<int>(entries.size());
    if (from < 0) {
        from = step > 0 ? -1 : count;
    }
    for (int i = 1; i <= count; ++i) {
        int index = ((from + step * i) % count + count) % count;
        if (isEnabledEntry(entries[index])) {
            return index;
        }
    }
    return -1;
}

void drawMenuBar(MenuBar &menu) {
    Window *top = menu.top;
    int height = menuBarHeight(top);
    if (height == 0 || top->surface.width <= 0) {
        return;
    }
    HDC dc = createSurfaceDC(&top->surface, {0, 0}, {0, 0, top->surface.width, height});
    fillWithSysColor(dc, {0, 0, top->surface.width, height}, COLOR_MENU);
    HGDIOBJ old = SelectObject(dc, guiFont());
    SetBkMode(dc, TRANSPARENT);
    FontMetrics metrics{0, 0, 0};
    getFontMetrics(guiFont(), &metrics);
    for (int i = 0; i < itemCount(menu); ++i) {
        RECT r = barItemRect(menu, i);
        int shift = 0;
        if (menu.active && menu.bar == i) {
            if (menu.open == i) {
                drawEdge(dc, r, grey, white);
                shift = 1;
            } else {
                drawEdge(dc, r, white, grey);
            }
        }
        COLORREF color = isEnabledEntry(menu.items[i]) ? black : grey;
        drawMnemonicText(dc, r.left + barPadding + shift, (height - metrics.height) / 2 + shift,
                         menu.items[i].text, color);
    }
    SelectObject(dc, old);
    releaseSurfaceDC(dc);
    top->surfaceDirty = true;
}

void drawDropDown(MenuBar &menu) {
    if (menu.open < 0) {
        return;
    }
    Window *top = menu.top;
    RECT r = menu.dropRect;
    HDC dc =
        createSurfaceDC(&top->surface, {0, 0}, {0, 0, top->surface.width, top->surface.height});
    fillWithSysColor(dc, r, COLOR_MENU);
    drawEdge(dc, r, light, black);
    drawEdge(dc, deflateRect(r, 1), white, grey);
    HGDIOBJ old = SelectObject(dc, guiFont());
    SetBkMode(dc, TRANSPARENT);
    FontMetrics metrics{0, 0, 0};
    getFontMetrics(guiFont(), &metrics);
    const auto &entries = entriesOf(menu, menu.open);
    int height = entryHeight(menu);
    for (size_t i = 0; i < entries.size(); ++i) {
        RECT line{r.left + dropBorder, r.top + dropBorder + static_cast<int>(i) * height,
                  r.right - dropBorder, r.top + dropBorder + static_cast<int>(i + 1) * height};
        bool highlighted = static_cast<int>(i) == menu.entry;
        if (highlighted) {
            fillWithSysColor(dc, line, COLOR_HIGHLIGHT);
        }
        int y = line.top + (height - metrics.height) / 2;
        if (!isEnabledEntry(entries[i])) {
            if (!highlighted) {
                drawMnemonicText(dc, line.left + checkSpace + 1, y + 1, entries[i].text, white);
            }
            drawMnemonicText(dc, line.left + checkSpace, y, entries[i].text, grey);
        } else {
            drawMnemonicText(dc, line.left + checkSpace, y, entries[i].text,
                             highlighted ? white : black);
        }
    }
    SelectObject(dc, old);
    releaseSurfaceDC(dc);
    top->surfaceDirty = true;
}

// The item where the menu's keyboard and mouse are, as a WinEvent child: the highlighted entry
// of the open drop-down, else the highlighted bar item; 0 outside menu mode.
int highlightedItem(const MenuBar &menu) {
    if (!menu.active) {
        return 0;
    }
    return menu.open >= 0 && menu.entry >= 0 ? menuItemChild(menu.open, menu.entry)
                                             : menuItemChild(menu.bar, -1);
}

// Tells the WinEvent hooks what changed since the last time: the menu entered or left, a
// drop-down opened or closed, the highlight moved (the focus).
void tellChanges(MenuBar &menu) {
    HWND handle = menu.top->menuBar;
    int item = highlightedItem(menu);
    if (menu.active && !menu.toldActive) {
        NotifyWinEvent(EVENT_SYSTEM_MENUSTART, handle, OBJID_CLIENT, CHILDID_SELF);
    }
    if (menu.open != menu.toldOpen && menu.toldOpen >= 0) {
        NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPEND, handle, OBJID_CLIENT,
                       menuItemChild(menu.toldOpen, -1));
    }
    if (menu.open != menu.toldOpen && menu.open >= 0) {
        NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPSTART, handle, OBJID_CLIENT,
                       menuItemChild(menu.open, -1));
    }
    if (item != 0 && item != menu.toldItem) {
        NotifyWinEvent(EVENT_OBJECT_FOCUS, handle, OBJID_CLIENT, item);
    }
    if (!menu.active && menu.toldActive) {
        NotifyWinEvent(EVENT_SYSTEM_MENUEND, handle, OBJID_CLIENT, CHILDID_SELF);
    }
    menu.toldActive = menu.active;
    menu.toldOpen = menu.open;
    menu.toldItem = item;
}

// MN_GETITEMVIEW.
BOOL viewItem(const MenuBar &menu, int bar, int entry, MenuItemView *view) {
    if (!view || bar < 0 || bar >= itemCount(menu) || entry < -1 ||
        entry >= static_cast<int>(entriesOf(menu, bar).size())) {
        return FALSE;
    }
    const MenuItemTemplate &item = entry < 0 ? menu.items[bar] : entriesOf(menu, bar)[entry];
    view->text = item.text;
    view->popup = entry < 0 && (item.flags & MenuItemPopup);
    view->enabled = isEnabledEntry(item);
    view->open = entry < 0 && menu.open == bar;
    view->highlighted = highlightedItem(menu) == menuItemChild(bar, entry);
    view->showing = entry < 0 || menu.open == bar;
    if (entry < 0) {
        view->surface = barItemRect(menu, bar);
    } else {
        RECT r = dropDownRect(menu, bar);
        int height = entryHeight(menu);
        view->surface = {r.left + dropBorder, r.top + dropBorder + entry * height,
                         r.right - dropBorder, r.top + dropBorder + (entry + 1) * height};
    }
    return TRUE;
}

void show(MenuBar &menu) {
    RECT before = menu.dropRect;
    RECT after = menu.open >= 0 ? dropDownRect(menu, menu.open) : RECT{0, 0, 0, 0};
    if (!rectIsEmpty(before) && (before.left != after.left || before.right != after.right ||
                                 before.bottom != after.bottom)) {
        menu.dropRect = {0, 0, 0, 0};
        exposeSurfaceRect(menu.top, before);
    }
    menu.dropRect = after;
    drawMenuBar(menu);
    drawDropDown(menu);
    tellChanges(menu);
}

// The menu takes the window's input from now on.
void activate(MenuBar &menu, int bar) {
    menu.active = menu.top->inMenuMode = true;
    menu.bar = bar;
    menu.fingerEntry = 2 * messageTouchRadius();
}

void closeMenu(MenuBar &menu) {
    RECT covered = menu.dropRect;
    menu.active = menu.altPending = menu.top->inMenuMode = false;
    menu.bar = menu.open = menu.entry = -1;
    menu.dropRect = {0, 0, 0, 0};
    exposeSurfaceRect(menu.top, covered);
    drawMenuBar(menu);
    tellChanges(menu);
}

void openItem(MenuBar &menu, int index, bool selectFirst) {
    activate(menu, index);
    menu.open = (menu.items[index].flags & MenuItemPopup) ? index : -1;
    menu.entry = -1;
    if (menu.open >= 0 && selectFirst) {
        menu.entry = stepEntry(menu, -1, 1);
    }
    show(menu);
}

void choose(MenuBar &menu, int id) {
    HWND handle = menu.top->handle;
    closeMenu(menu);
    PostMessageA(handle, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void chooseEntry(MenuBar &menu, int index) {
    const auto &entries = entriesOf(menu, menu.open);
    if (index >= 0 && index < static_cast<int>(entries.size()) && isEnabledEntry(entries[index])) {
        choose(menu, entries[index].id);
    }
}

void chooseBarItem(MenuBar &menu, int index) {
    const MenuItemTemplate &item = menu.items[index];
    if (item.flags & MenuItemPopup) {
        openItem(menu, index, true);
    } else if (isEnabledEntry(item)) {
        choose(menu, item.id);
    }
}

bool isMnemonicKey(int key) {
    return (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9');
}

int findByMnemonic(const std::vector<MenuItemTemplate> &items, int key) {
    for (size_t i = 0; i < items.size(); ++i) {
        if (mnemonicKey(items[i].text) == key) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// A key down while the menu is open.
void activeKey(MenuBar &menu, int key) {
    int count = itemCount(menu);
    switch (key) {
    case VK_ESCAPE:
        if (menu.open >= 0) {
            menu.open = menu.entry = -1;
            show(menu);
        } else {
            closeMenu(menu);
        }
        break;
    case VK_LEFT:
    case VK_RIGHT: {
        int next = ((menu.bar + (key == VK_LEFT ? -1 : 1)) % count + count) % count;
        if (menu.open >= 0) {
            openItem(menu, next, true);
        } else {
            menu.bar = next;
            show(menu);
        }
        break;
    }
    case VK_UP:
    case VK_DOWN:
        if (menu.open < 0) {
            chooseBarItem(menu, menu.bar);
        } else {
            menu.entry = stepEntry(menu, menu.entry, key == VK_UP ? -1 : 1);
            show(menu);
        }
        break;
    case VK_RETURN:
        if (menu.open < 0) {
            chooseBarItem(menu, menu.bar);
        } else {
            chooseEntry(menu, menu.entry);
        }
        break;
    default:
        if (isMnemonicKey(key)) {
            if (menu.open >= 0) {
                chooseEntry(menu, findByMnemonic(entriesOf(menu, menu.open), key));
            } else if (int index = findByMnemonic(menu.items, key); index >= 0) {
                chooseBarItem(menu, index);
            }
        }
        break;
    }
}

// Alt pressed and released alone, or F10, opens the bar; Alt and a mnemonic open its item.
// Open, the menu has every key.
void keyDown(MenuBar &menu, int key) {
    KeyModifiers keys = currentModifiers();
    if (key == VK_MENU) {
        if (menu.active) {
            closeMenu(menu);
        } else {
            menu.altPending = true;
        }
        return;
    }
    menu.altPending = false;
    if (key == VK_F10 && !keys.shift && !keys.control) {
        if (menu.active) {
            closeMenu(menu);
        } else {
            activate(menu, 0);
            show(menu);
        }
    } else if (menu.active) {
        activeKey(menu, key);
    } else if (keys.alt && isMnemonicKey(key)) {
        if (int index = findByMnemonic(menu.items, key); index >= 0) {
            chooseBarItem(menu, index);
        }
    }
}

void keyUp(MenuBar &menu, int key) {
    if (key == VK_MENU && menu.altPending) {
        menu.altPending = false;
        if (!menu.active) {
            activate(menu, 0);
            show(menu);
        }
    }
}

// Mouse events at a surface point.
void mouse(MenuBar &menu, UINT message, int x, int y) {
    int bar = barItemAt(menu, x, y);
    bool onBar = y >= 0 && y < menuBarHeight(menu.top);
    bool inDrop = insideDropDown(menu, x, y);
    int entry = entryAt(menu, x, y);
    switch (message) {
    case WM_LBUTTONDOWN:
        if (onBar) {
            if (bar < 0 || (menu.active && menu.open == bar)) {
                if (menu.active) {
                    closeMenu(menu);
                }
            } else if (menu.items[bar].flags & MenuItemPopup) {
                openItem(menu, bar, false);
            } else {
                chooseBarItem(menu, bar);
            }
        } else if (inDrop) {
            menu.entry = entry;
            show(menu);
        } else if (menu.active) {
            closeMenu(menu);
        }
        break;
    case WM_LBUTTONUP:
        if (inDrop && entry >= 0) {
            chooseEntry(menu, entry);
        }
        break;
    default:
        if (menu.active && menu.open >= 0 && bar >= 0 && bar != menu.open) {
            openItem(menu, bar, false);
        } else if (inDrop && entry != menu.entry) {
            menu.entry = entry;
            show(menu);
        }
        break;
    }
}

} // namespace

// The menu bar's window: its client area's origin is the surface's (0, 0), and it is made with
// the number of its MENU resource as the creation parameter.
LRESULT CALLBACK menuBarProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window *window = findWindow(handle);
    if (!window) {
        return 0;
    }
    if (message == WM_CREATE) {
        auto *create = reinterpret_cast<const CREATESTRUCTA *>(lParam);
        ResourceBytes bytes;
        bool loaded = findResource(embeddedResourceImage(), ResourceTypeMenu,
                                   LOWORD(create->lpCreateParams), &bytes) &&
                      decodeMenu(bytes, &extraOf<MenuBar>(window).items);
        return loaded ? 0 : -1;
    }
    MenuBar *menu = menuBarOf(window->parent);
    if (!menu || menu->items.empty()) {
        return DefWindowProcA(handle, message, wParam, lParam);
    }
    switch (message) {
    case WM_NCPAINT:
        drawMenuBar(*menu);
        return 0;
    case WM_PAINT:
        drawDropDown(*menu);
        return 0;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCMOUSEMOVE: {
        POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ScreenToClient(handle, &point);
        mouse(*menu, message - WM_NCMOUSEMOVE + WM_MOUSEMOVE, point.x, point.y);
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
        mouse(*menu, message, static_cast<short>(LOWORD(lParam)),
              static_cast<short>(HIWORD(lParam)));
        return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        keyDown(*menu, static_cast<int>(wParam));
        return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        keyUp(*menu, static_cast<int>(wParam));
        return 0;
    case WM_CANCELMODE:
        if (menu->active) {
            closeMenu(*menu);
        }
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS;
    case MN_GETITEMVIEW:
        return viewItem(*menu, LOWORD(wParam), int(HIWORD(wParam)) - 1,
                        reinterpret_cast<MenuItemView *>(lParam));
    default:
        return DefWindowProcA(handle, message, wParam, lParam);
    }
}

bool menuBarItemRect(HWND topLevel, int barIndex, RECT *out) {
    MenuBar *menu = menuBarOf(topLevel);
    if (!menu || barIndex < 0 || barIndex >= itemCount(*menu)) {
        return false;
    }
    *out = barItemRect(*menu, barIndex);
    return true;
}

bool menuEntryRect(HWND topLevel, int barIndex, int entryIndex, RECT *out) {
    MenuBar *menu = menuBarOf(topLevel);
    MenuItemView view;
    if (!menu || entryIndex < 0 || !viewItem(*menu, barIndex, entryIndex, &view)) {
        return false;
    }
    *out = view.surface;
    return true;
}
