// The headless backend as tests and tools drive it: a virtual screen (1024 x 768 pixels unless a
// test sets another size), a virtual clock, scripted input that goes through the same queue as
// real input, records of beeps and sleeps, and pictures of windows.
//
// Resources load from the program's module: pass headlessInstance() (the same handle as
// GetModuleHandleA(NULL)) wherever the game wants its instance.
#pragma once

#include <stdint.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/gdi/gdi.h"
#include "platform/win32.h"

// Starts afresh: destroys every window, forgets registered classes, empties the input queue
// and the script, clears the records, the presented pictures, the idle and sleep hooks and the
// failure switch, puts the clock back to headlessStartTime and ends any scriptClockMilliseconds
// script.
void headlessReset();

HINSTANCE headlessInstance();

// ---- The virtual clock ----
// Milliseconds since 1970, the clock that _ftime reads. It starts at 2026-01-01 00:00:00.000
// UTC and moves only in Sleep (at once, by the time asked) and when a modal loop waits for
// input that is scripted for a later time.
const uint64_t headlessStartTime = 1767225600000ULL;
uint64_t headlessNow();

// ---- Scripted input ----
// Every event is made at a virtual time `at` (milliseconds since 1970; headlessAsap: as soon
// as anything looks at the input, i.e. the current time). Made means aimed and queued: a mouse
// event goes to the window under the pointer at that moment, a key to the active window then.
// Input scripted for a time inside a Sleep is made during it and handled after it returns.
const uint64_t headlessAsap = 0;
enum : unsigned { HeadlessShift = 1, HeadlessControl = 2, HeadlessAlt = 4 };

// Mouse at a window's client coordinates (a control or a top-level window).
void headlessMouseAt(HWND window, InputEvent::Kind kind, int x, int y, uint64_t at = headlessAsap);
void headlessClick(HWND window, int x, int y, uint64_t at = headlessAsap);
void headlessClickCentre(HWND window, uint64_t at = headlessAsap);
// A tap of a finger whose contact has the given radius, at a window's client coordinates.
void headlessTap(HWND window, int x, int y, int radius, uint64_t at = headlessAsap);
// Clicks on the menu bar of a top-level window: an item of the bar, and an entry of the
// drop-down of bar item `barIndex` (where it shows when that drop-down is open).
void headlessClickMenuBar(HWND topLevel, int barIndex, uint64_t at = headlessAsap);
void headlessClickMenuEntry(HWND topLevel, int barIndex, int entryIndex,
                            uint64_t at = headlessAsap);

// Keys, given as VK_ codes ('A'..'Z' and '0'..'9' for those keys), with HeadlessShift,
// HeadlessControl and HeadlessAlt. headlessKey presses and releases; a letter, digit or space
// without Ctrl and Alt also types its character in between (a capital with Shift).
void headlessKeyDown(int key, unsigned modifiers = 0, uint64_t at = headlessAsap);
void headlessKeyUp(int key, unsigned modifiers = 0, uint64_t at = headlessAsap);
void headlessKey(int key, unsigned modifiers = 0, uint64_t at = headlessAsap);
void headlessType(const char *text, uint64_t at = headlessAsap); // Windows-1252 characters
// The close box of a top-level window.
void headlessClose(HWND topLevel, uint64_t at = headlessAsap);

// ---- Waiting ----
// Called when a modal loop waits for input and nothing more is scripted: the hook looks at the
// state, scripts more input or ends the dialog. With no hook, or a hook that keeps doing
// nothing, the waiting program aborts with a message that names the dialog.
void headlessSetIdleHook(std::function<void()> hook);
// The innermost dialog whose modal loop runs, null when none.
HWND headlessModalDialog();

// Called at every change the accessibility part tells (after accessStart), when it happens.
void headlessSetAccessHook(std::function<void(AccessEvent event, AccessKey node)> hook);

// ---- Records ----
const std::vector<UINT> &headlessBeeps();
const std::vector<DWORD> &headlessSleeps();
const std::string &headlessClipboard(); // UTF-8
// The icons of a top-level window's class, as the layer handed them over.
void headlessWindowIcons(HWND topLevel, HICON *large, HICON *small);

// ---- Failing ----
// While a reason is set, every new top-level window fails to be created with that reason;
// null ends it. The layer reports the reason on stderr and here.
void headlessFailWindowCreation(const char *reason);
std::string headlessLastWindowFailure();

// ---- Windows and their pixels ----
std::vector<HWND> headlessTopLevelWindows(); // topmost first
HWND headlessFindWindow(const char *title);  // a top-level window by its Windows-1252 title
// A top-level window's surface (menu bar and client area); a control's client area as it
// shows on that surface.
bool headlessPicture(HWND window, Surface *out);
// One pixel at client coordinates, 0x00RRGGBB; 0xFFFFFFFF where the window does not show.
uint32_t headlessPixel(HWND window, int x, int y);
bool headlessSavePng(HWND window, const char *path);
// The whole screen as the player sees it now: every showing top-level window's pixels as they
// were last presented (not as a repaint would draw them now), stacked in z-order on the
// desktop colour; captions and frames are the desktop's and not drawn.
void headlessScreenPicture(Surface *out);
// The part of that screen picture where a window's client area is (whatever covers it).
bool headlessScreenCrop(HWND window, Surface *out);
// The virtual screen's size, which is also the work area that dialogs are kept on.
void headlessSetScreenSize(int width, int height);
// Called at the start of every Sleep, after what was painted before it has been presented.
void headlessSetSleepHook(std::function<void(DWORD milliseconds)> hook);

// As if another window had covered the window and gone away: it erases and repaints.
void headlessUncover(HWND topLevel);
