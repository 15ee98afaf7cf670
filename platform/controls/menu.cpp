// The menu bar of a top-level window and its drop-downs: drawn into the window's surface (the
// drop-down over the client area, which is uncovered again when it closes), opened by a click,
// by Alt or F10 and the arrow keys, or by Alt and a mnemonic; an entry chosen posts its
// WM_COMMAND to the window.
#include <ctype.h>

#include <algorithm>

#include "platform/gdi/rect.h"
#include "platform/window/window.h"

namespace {

enum { barPadding = 6, dropBorder = 3, checkSpace = 17, arrowSpace = 17 };

const COLORREF black = RGB(0, 0, 0), white = RGB(255, 255, 255), grey = RGB(128, 128, 128),
               light = RGB(192, 192, 192);

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

int entryHeight() {
    FontMetrics metrics{0, 0, 0};
    getFontMetrics(guiFont(), &metrics);
    return std::max(17, metrics.height + 4);
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

RECT barItemRect(const Window *top, int index) {
    int x = 0;
    for (int i = 0; i < index; ++i) {
        x += textWidthOf(top->menu.items[i].text) + 2 * barPadding;
    }
    return {x, 0, x + textWidthOf(top->menu.items[index].text) + 2 * barPadding,
            menuBarHeight(top)};
}

int itemCount(const Window *top) {
    return static_cast<int>(top->menu.items.size());
}

const std::vector<MenuItemTemplate> &entriesOf(const Window *top, int index) {
    return top->menu.items[index].children;
}

RECT dropDownRect(const Window *top, int index) {
    int width = 0;
    for (const MenuItemTemplate &entry : entriesOf(top, index)) {
        width = std::max(width, textWidthOf(entry.text));
    }
    RECT bar = barItemRect(top, index);
    int count = static_cast<int>(entriesOf(top, index).size());
    return {bar.left, bar.bottom, bar.left + width + checkSpace + arrowSpace + 2 * dropBorder,
            bar.bottom + count * entryHeight() + 2 * dropBorder};
}

bool isEnabledEntry(const MenuItemTemplate &entry) {
    return !(entry.flags & (MenuItemGrayed | MenuItemDisabled));
}

int barItemAt(const Window *top, int x, int y) {
    if (y < 0 || y >= menuBarHeight(top)) {
        return -1;
    }
    for (int i = 0; i < itemCount(top); ++i) {
        RECT r = barItemRect(top, i);
        if (x >= r.left && x < r.right) {
            return i;
        }
    }
    return -1;
}

int entryAt(const Window *top, int x, int y) {
    const RECT &r = top->menu.dropRect;
    if (top->menu.open < 0 || !rectContains(r, x, y)) {
        return -1;
    }
    int index = (y - r.top - dropBorder) / entryHeight();
    int count = static_cast<int>(entriesOf(top, top->menu.open).size());
    return y - r.top < dropBorder || index >= count ? -1 : index;
}

bool insideDropDown(const Window *top, int x, int y) {
    return top->menu.open >= 0 && rectContains(top->menu.dropRect, x, y);
}

// The next enabled entry from one, stepping forwards or backwards with wrap-around.
int stepEntry(const Window *top, int from, int step) {
    const auto &entries = entriesOf(top, top->menu.open);
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

void show(Window *top) {
    RECT before = top->menu.dropRect;
    RECT after = top->menu.open >= 0 ? dropDownRect(top, top->menu.open) : RECT{0, 0, 0, 0};
    if (!rectIsEmpty(before) && (before.left != after.left || before.right != after.right ||
                                 before.bottom != after.bottom)) {
        top->menu.dropRect = {0, 0, 0, 0};
        exposeSurfaceRect(top, before);
    }
    top->menu.dropRect = after;
    drawMenuBar(top);
    drawMenuOverlay(top);
}

void openItem(Window *top, int index, bool selectFirst) {
    MenuBarState &menu = top->menu;
    menu.active = true;
    menu.bar = index;
    menu.open = (menu.items[index].flags & MenuItemPopup) ? index : -1;
    menu.entry = -1;
    if (menu.open >= 0 && selectFirst) {
        menu.entry = stepEntry(top, -1, 1);
    }
    show(top);
}

void choose(Window *top, int id) {
    HWND handle = top->handle;
    closeMenu(top);
    PostMessageA(handle, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void chooseEntry(Window *top, int index) {
    const auto &entries = entriesOf(top, top->menu.open);
    if (index >= 0 && index < static_cast<int>(entries.size()) && isEnabledEntry(entries[index])) {
        choose(top, entries[index].id);
    }
}

void chooseBarItem(Window *top, int index) {
    const MenuItemTemplate &item = top->menu.items[index];
    if (item.flags & MenuItemPopup) {
        openItem(top, index, true);
    } else if (isEnabledEntry(item)) {
        choose(top, item.id);
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

bool activeKey(Window *top, const InputEvent &event) {
    MenuBarState &menu = top->menu;
    int count = itemCount(top);
    switch (event.key) {
    case VK_ESCAPE:
        if (menu.open >= 0) {
            menu.open = menu.entry = -1;
            show(top);
        } else {
            closeMenu(top);
        }
        return true;
    case VK_LEFT:
    case VK_RIGHT: {
        int next = ((menu.bar + (event.key == VK_LEFT ? -1 : 1)) % count + count) % count;
        if (menu.open >= 0) {
            openItem(top, next, true);
        } else {
            menu.bar = next;
            show(top);
        }
        return true;
    }
    case VK_UP:
    case VK_DOWN:
        if (menu.open < 0) {
            chooseBarItem(top, menu.bar);
        } else {
            menu.entry = stepEntry(top, menu.entry, event.key == VK_UP ? -1 : 1);
            show(top);
        }
        return true;
    case VK_RETURN:
        if (menu.open < 0) {
            chooseBarItem(top, menu.bar);
        } else {
            chooseEntry(top, menu.entry);
        }
        return true;
    default:
        if (isMnemonicKey(event.key)) {
            if (menu.open >= 0) {
                chooseEntry(top, findByMnemonic(entriesOf(top, menu.open), event.key));
            } else if (int index = findByMnemonic(menu.items, event.key); index >= 0) {
                chooseBarItem(top, index);
            }
        }
        return true;
    }
}

} // namespace

bool loadMenuResource(uint16_t id, std::vector<MenuItemTemplate> *items) {
    ResourceBytes bytes;
    return findResource(embeddedResourceImage(), ResourceTypeMenu, id, &bytes) &&
           decodeMenu(bytes, items);
}

void drawMenuBar(Window *top) {
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
    for (int i = 0; i < itemCount(top); ++i) {
        RECT r = barItemRect(top, i);
        int shift = 0;
        if (top->menu.active && top->menu.bar == i) {
            if (top->menu.open == i) {
                drawEdge(dc, r, grey, white);
                shift = 1;
            } else {
                drawEdge(dc, r, white, grey);
            }
        }
        COLORREF color = isEnabledEntry(top->menu.items[i]) ? black : grey;
        drawMnemonicText(dc, r.left + barPadding + shift, (height - metrics.height) / 2 + shift,
                         top->menu.items[i].text, color);
    }
    SelectObject(dc, old);
    releaseSurfaceDC(dc);
    top->surfaceDirty = true;
}

void drawMenuOverlay(Window *top) {
    if (top->menu.open < 0) {
        return;
    }
    RECT r = top->menu.dropRect;
    HDC dc =
        createSurfaceDC(&top->surface, {0, 0}, {0, 0, top->surface.width, top->surface.height});
    fillWithSysColor(dc, r, COLOR_MENU);
    drawEdge(dc, r, light, black);
    drawEdge(dc, deflateRect(r, 1), white, grey);
    HGDIOBJ old = SelectObject(dc, guiFont());
    SetBkMode(dc, TRANSPARENT);
    FontMetrics metrics{0, 0, 0};
    getFontMetrics(guiFont(), &metrics);
    const auto &entries = entriesOf(top, top->menu.open);
    int height = entryHeight();
    for (size_t i = 0; i < entries.size(); ++i) {
        RECT line{r.left + dropBorder, r.top + dropBorder + static_cast<int>(i) * height,
                  r.right - dropBorder, r.top + dropBorder + static_cast<int>(i + 1) * height};
        bool highlighted = static_cast<int>(i) == top->menu.entry;
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

void closeMenu(Window *top) {
    MenuBarState &menu = top->menu;
    RECT covered = menu.dropRect;
    menu.active = menu.altPending = false;
    menu.bar = menu.open = menu.entry = -1;
    menu.dropRect = {0, 0, 0, 0};
    exposeSurfaceRect(top, covered);
    drawMenuBar(top);
}

bool menuKey(Window *top, const InputEvent &event) {
    MenuBarState &menu = top->menu;
    if (menu.items.empty()) {
        return false;
    }
    if (event.kind == InputEvent::KeyUp) {
        if (event.key == VK_MENU && menu.altPending) {
            menu.altPending = false;
            if (!menu.active) {
                menu.active = true;
                menu.bar = 0;
                show(top);
            }
            return true;
        }
        return menu.active;
    }
    if (event.kind == InputEvent::Character) {
        return menu.active;
    }
    if (event.key == VK_MENU) {
        if (menu.active) {
            closeMenu(top);
        } else {
            menu.altPending = true;
        }
        return true;
    }
    menu.altPending = false;
    if (event.key == VK_F10 && !event.shift && !event.control) {
        if (menu.active) {
            closeMenu(top);
        } else {
            menu.active = true;
            menu.bar = 0;
            show(top);
        }
        return true;
    }
    if (!menu.active) {
        if (event.alt && isMnemonicKey(event.key)) {
            int index = findByMnemonic(menu.items, event.key);
            if (index >= 0) {
                chooseBarItem(top, index);
                return true;
            }
        }
        return false;
    }
    return activeKey(top, event);
}

bool menuMouse(Window *top, const InputEvent &event) {
    MenuBarState &menu = top->menu;
    if (menu.items.empty()) {
        return false;
    }
    int bar = barItemAt(top, event.x, event.y);
    bool onBar = event.y >= 0 && event.y < menuBarHeight(top);
    bool inDrop = insideDropDown(top, event.x, event.y);
    int entry = entryAt(top, event.x, event.y);
    switch (event.kind) {
    case InputEvent::MouseDown:
        if (onBar) {
            if (bar < 0 || (menu.active && menu.open == bar)) {
                if (menu.active) {
                    closeMenu(top);
                }
            } else if (menu.items[bar].flags & MenuItemPopup) {
                openItem(top, bar, false);
            } else {
                chooseBarItem(top, bar);
            }
            return true;
        }
        if (inDrop) {
            menu.entry = entry;
            show(top);
            return true;
        }
        if (menu.active) {
            closeMenu(top);
            return true;
        }
        return false;
    case InputEvent::MouseUp:
        if (inDrop) {
            if (entry >= 0) {
                chooseEntry(top, entry);
            }
            return true;
        }
        return menu.active || onBar;
    default:
        if (menu.active && menu.open >= 0 && bar >= 0 && bar != menu.open) {
            openItem(top, bar, false);
            return true;
        }
        if (inDrop) {
            if (entry != menu.entry) {
                menu.entry = entry;
                show(top);
            }
            return true;
        }
        return menu.active || onBar;
    }
}

bool menuBarItemRect(const Window *top, int barIndex, RECT *out) {
    if (!top || barIndex < 0 || barIndex >= itemCount(top)) {
        return false;
    }
    *out = barItemRect(top, barIndex);
    return true;
}

bool menuEntryRect(const Window *top, int barIndex, int entryIndex, RECT *out) {
    if (!top || barIndex < 0 || barIndex >= itemCount(top) || entryIndex < 0 ||
        entryIndex >= static_cast<int>(entriesOf(top, barIndex).size())) {
        return false;
    }
    RECT r = dropDownRect(top, barIndex);
    int height = entryHeight();
    *out = {r.left + dropBorder, r.top + dropBorder + entryIndex * height, r.right - dropBorder,
            r.top + dropBorder + (entryIndex + 1) * height};
    return true;
}
