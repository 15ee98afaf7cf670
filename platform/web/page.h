// Inside the web backend: the functions the page's script provides to the program. web_sleep
// and web_wait_input suspend the program (its stack is saved by Asyncify) and resume it later
// from the browser's event loop, which keeps running meanwhile.
#pragma once

#include <stdint.h>

#include "platform/web/pagenumbers.h"

#define QUILLMERE_PAGE_IMPORT(name) __attribute__((import_module("env"), import_name(#name)))
#define QUILLMERE_PAGE_EXPORT(name) extern "C" __attribute__((export_name(#name)))

extern "C" {
// Suspends for the milliseconds given; input made meanwhile comes in through webInput.
QUILLMERE_PAGE_IMPORT(web_sleep) void pageSleep(uint32_t milliseconds);
// Suspends until the page has passed at least one input event through webInput.
QUILLMERE_PAGE_IMPORT(web_wait_input) void pageWaitInput(void);
// Milliseconds since 1970-01-01.
QUILLMERE_PAGE_IMPORT(web_now) double pageNow(void);
// The work area of the page's desktop in program pixels, as left, top, right, bottom.
QUILLMERE_PAGE_IMPORT(web_work_area) void pageWorkArea(int32_t *rect);
// A top-level window was made or changed: its title (UTF-8), flags (PageWindowFlag bits),
// outer rectangle on the screen, where its surface lies inside that rectangle, and its owner.
QUILLMERE_PAGE_IMPORT(web_window)
void pageWindow(uint32_t window, const char *title, int titleLength, int flags, int x, int y,
                int width, int height, int surfaceX, int surfaceY, uint32_t owner);
QUILLMERE_PAGE_IMPORT(web_window_destroyed) void pageWindowDestroyed(uint32_t window);
// The window's surface (0x00RRGGBB, top row first) has new pixels.
QUILLMERE_PAGE_IMPORT(web_present)
void pagePresent(uint32_t window, const uint32_t *pixels, int width, int height);
QUILLMERE_PAGE_IMPORT(web_beep) void pageBeep(uint32_t type);
// A node of the accessible mirror appeared or changed: its parent (window 0 for a top-level
// window) and place among the parent's children, its AccessRole, AccessState bits, name (UTF-8)
// and the nodes that name and describe it (window 0 for none).
QUILLMERE_PAGE_IMPORT(web_access_node)
void pageAccessNode(uint32_t window, int item, uint32_t parentWindow, int parentItem, int index,
                    int role, uint32_t states, const char *name, int nameLength,
                    uint32_t labelWindow, int labelItem, uint32_t describingWindow,
                    int describingItem);
// A node of the mirror is gone, with everything inside it.
QUILLMERE_PAGE_IMPORT(web_access_gone) void pageAccessGone(uint32_t window, int item);
QUILLMERE_PAGE_IMPORT(web_clipboard) void pageClipboard(const char *utf8, int length);
}
