// The desktop backend on a real X server: windows of the right size and place, clicks and keys
// from xdotool, pixels on screen, sound, clipboard and window ownership. Each test runs a real
// modal dialog on the main thread while a driver thread plays the user with xdotool.
#include <gtest/gtest.h>

#include <SDL.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <atomic>
#include <chrono>
#include <fstream>
#include <functional>
#include <memory>
#include <mutex>
#include <stdlib.h>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "game/board.h"
#include "platform/backend.h"
#include "platform/gdi/gdi.h"
#include "platform/sdl/display.h"
#include "platform/win32.h"
#include "tests/support/display.h"
#include "tests/support/process.h"
#include "tests/support/screen.h"
#include "tools/template-picture/faces.h"

namespace {

#ifndef DESKTOP_SCALE
#define DESKTOP_SCALE 1
#endif
const int scale = DESKTOP_SCALE;
const int screenWidth = 1024 * scale, screenHeight = 768 * scale;

const HINSTANCE instance = reinterpret_cast<HINSTANCE>(uintptr_t(0x400000));
const int leverId = 1024;
const int statusId = 1022;
const char thinkingText[] = "ORDANEL SOFTWARE: ............";

std::unique_ptr<PrivateDisplay> display;
std::string audioFile;

// The driver thread reads window properties through connections of its own while SDL works
// on the main thread: Xlib must be told before its first call.
int ignoreXError(Display *, XErrorEvent *) {
    return 0;
}

class DesktopEnvironment : public testing::Environment {
  public:
    void SetUp() override {
        XInitThreads();
        XSetErrorHandler(ignoreXError);
        unsetenv("WAYLAND_DISPLAY");
        setenv("SDL_VIDEODRIVER", "x11", 1);
        setenv("QUILLMERE_SCALE", std::to_string(scale).c_str(), 1);
        char here[4096];
        audioFile = std::string(getcwd(here, sizeof here) ? here : ".") + "/sdl_beep_" +
                    std::to_string(scale) + "_" + std::to_string(getpid()) + ".raw";
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", audioFile.c_str(), 1);
        setenv("CANBERRA_DRIVER", "none", 1); // the tones, not the desktop's event sounds
        display.reset(new PrivateDisplay(screenWidth, screenHeight));
    }
    void TearDown() override {
        // SDL lets go of the server before the server goes.
        sdlShutdown();
        display.reset();
        unlink(audioFile.c_str());
    }
};
testing::Environment *const environment = testing::AddGlobalTestEnvironment(new DesktopEnvironment);

#define REQUIRE_DISPLAY()                                                                          \
    do {                                                                                           \
        if (!display->started())                                                                   \
            GTEST_SKIP() << "no X server for the desktop tests: " << display->problem();           \
    } while (0)

// ---- What the dialog procedures record, read by the driver thread ----

struct Record {
    std::mutex lock;
    std::vector<int> commands;
    int closes = 0;
    bool shown = false;
    bool sleeping = false;
    bool woke = false;
    std::vector<int> commandsAfterWaking;
};
Record record;

void resetRecord() {
    std::lock_guard<std::mutex> hold(record.lock);
    record.commands.clear();
    record.closes = 0;
    record.shown = record.sleeping = record.woke = false;
    record.commandsAfterWaking.clear();
}

// Waits (a bounded time) until the record satisfies a condition.
bool waitFor(const std::function<bool(const Record &)> &condition, int milliseconds = 5000) {
    for (int waited = 0; waited < milliseconds; waited += 10) {
        {
            std::lock_guard<std::mutex> hold(record.lock);
            if (condition(record))
                return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

bool hasCommand(const Record &r, int id) {
    for (int command : r.commands)
        if (command == id)
            return true;
    return false;
}

std::vector<int> commands() {
    std::lock_guard<std::mutex> hold(record.lock);
    return record.commands;
}

// ---- Where things are, in the host window's pixels ----

POINT surfaceOrigin(HWND topLevel) {
    POINT origin{0, 0};
    ClientToScreen(topLevel, &origin);
    RECT client;
    GetClientRect(topLevel, &client);
    origin.y -= topLevelSurface(topLevel)->height - client.bottom;
    return origin;
}

struct Layout {
    std::mutex lock;
    POINT origin{0, 0}; // the surface's origin on the layer's screen
    int surfaceWidth = 0, surfaceHeight = 0;
    std::vector<std::pair<int, RECT>> rects; // id and client rectangle in host pixels
};
Layout layout;

void recordLayout(HWND dialog) {
    std::lock_guard<std::mutex> hold(layout.lock);
    layout.origin = surfaceOrigin(dialog);
    layout.surfaceWidth = topLevelSurface(dialog)->width;
    layout.surfaceHeight = topLevelSurface(dialog)->height;
    layout.rects.clear();
    std::vector<int> ids = {1, 2, 1009, 1017, statusId, 1023, leverId};
    ids.insert(ids.end(), std::begin(stickControls), std::end(stickControls));
    for (int id : ids) {
        HWND control = GetDlgItem(dialog, id);
        RECT client{0, 0, 0, 0};
        if (!control || !GetClientRect(control, &client))
            continue;
        POINT corner{0, 0};
        ClientToScreen(control, &corner);
        int x = (corner.x - layout.origin.x) * scale, y = (corner.y - layout.origin.y) * scale;
        layout.rects.push_back(
            {id, RECT{x, y, x + client.right * scale, y + client.bottom * scale}});
    }
}

RECT controlRect(int id) {
    std::lock_guard<std::mutex> hold(layout.lock);
    for (const auto &control : layout.rects)
        if (control.first == id)
            return control.second;
    ADD_FAILURE() << "no rectangle of control " << id;
    return RECT{0, 0, 0, 0};
}

// The centre of a control (its layer pixel), in host pixels from the host window's corner.
POINT controlPoint(int id) {
    RECT r = controlRect(id);
    return POINT{r.left + (r.right - r.left) / scale / 2 * scale,
                 r.top + (r.bottom - r.top) / scale / 2 * scale};
}

// ---- The user: xdotool, import and xclip on the test's X server ----

// What xclip reads from the clipboard.
std::string clipboardText() {
    return runProcess({"xclip", "-o", "-selection", "clipboard"}, 20000).output;
}

struct TitledWindow {
    unsigned long id;
    bool mapped;
};

// The top-level X windows whose title (_NET_WM_NAME) is exactly this one, mapped or not.
std::vector<TitledWindow> windowsTitled(const std::string &title) {
    std::vector<TitledWindow> found;
    Display *x = XOpenDisplay(nullptr);
    if (!x)
        return found;
    Atom name = XInternAtom(x, "_NET_WM_NAME", False);
    Atom utf8 = XInternAtom(x, "UTF8_STRING", False);
    Window root, parent, *children = nullptr;
    unsigned int count = 0;
    XQueryTree(x, DefaultRootWindow(x), &root, &parent, &children, &count);
    for (unsigned int i = 0; i < count; ++i) {
        Atom type;
        int format;
        unsigned long length, remaining;
        unsigned char *data = nullptr;
        if (XGetWindowProperty(x, children[i], name, 0, 1024, False, utf8, &type, &format, &length,
                               &remaining, &data) == Success &&
            data && std::string(reinterpret_cast<char *>(data), length) == title) {
            XWindowAttributes attributes;
            XGetWindowAttributes(x, children[i], &attributes);
            found.push_back({children[i], attributes.map_state == IsViewable});
        }
        if (data)
            XFree(data);
    }
    if (children)
        XFree(children);
    XCloseDisplay(x);
    return found;
}

// A mapped top-level window with exactly this title once it is there, and where it stands; 0
// when it does not come.
unsigned long findMappedWindow(const std::string &title, ScreenRect *where = nullptr) {
    ScreenRect found;
    unsigned long id = 0;
    return findXWindow(title, where ? where : &found, 10000, &id) ? id : 0;
}

// A click at a point of a window, in host pixels from its top-left corner.
void clickIn(const ScreenRect &window, POINT point) {
    clickAt(window.x + point.x, window.y + point.y);
}

// The screen now; an empty picture when it cannot be read.
ScreenPicture takeScreenshot() {
    ScreenPicture shot;
    std::string why;
    grabScreen(&shot, &why);
    return shot;
}

// Asks a window to close as a window manager does when its close box is clicked.
void sendCloseBox(unsigned long window) {
    Display *x = XOpenDisplay(nullptr);
    ASSERT_NE(x, nullptr);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(x, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(x, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(x, window, False, NoEventMask, &event);
    XCloseDisplay(x);
}

unsigned long transientFor(unsigned long window) {
    Display *x = XOpenDisplay(nullptr);
    if (!x)
        return 0;
    Window owner = 0;
    if (!XGetTransientForHint(x, window, &owner))
        owner = 0;
    XCloseDisplay(x);
    return owner;
}

// The _NET_WM_ICON image of a window: width, height, then ARGB pixels.
std::vector<unsigned long> iconProperty(unsigned long window) {
    std::vector<unsigned long> icon;
    Display *x = XOpenDisplay(nullptr);
    if (!x)
        return icon;
    Atom type;
    int format;
    unsigned long count, remaining;
    unsigned char *data = nullptr;
    if (XGetWindowProperty(x, window, XInternAtom(x, "_NET_WM_ICON", False), 0, 1 << 16, False,
                           XA_CARDINAL, &type, &format, &count, &remaining, &data) == Success &&
        data && format == 32) {
        const unsigned long *values = reinterpret_cast<const unsigned long *>(data);
        icon.assign(values, values + count);
    }
    if (data)
        XFree(data);
    XCloseDisplay(x);
    return icon;
}

// Runs the user's part beside the dialog. If the script gets stuck, the dialog is closed
// through SDL's own queue so that the test ends (and fails) instead of hanging.
class Driver {
  public:
    explicit Driver(std::function<void()> script)
        : thread([this, script] {
              script();
              done = true;
          }) {}
    ~Driver() { thread.join(); }
    std::atomic<bool> done{false};

  private:
    std::thread thread;
};

// Closes every SDL window's dialog: the watchdog of a stuck script, which fails the test.
void closeEverything() {
    ADD_FAILURE() << "the user's script got stuck; closing the dialogs";
    for (Uint32 id = 1; id < 64; ++id) {
        SDL_Event close{};
        close.type = SDL_WINDOWEVENT;
        close.window.event = SDL_WINDOWEVENT_CLOSE;
        close.window.windowID = id;
        SDL_PushEvent(&close);
    }
}

// ---- Dialog procedures ----

uint32_t faceColourRgb(int id) {
    return uint32_t((40 + (id - 1000) * 9) & 0xFF) << 16 | uint32_t(200 - (id - 1000) * 5) << 8 |
           30;
}

// Each stick and the lever show a face of one colour of their own.
void paintPlainFace(HWND dialog, int id) {
    uint32_t pixel = faceColourRgb(id);
    HBITMAP face = createBitmapFromPixels(1, 1, &pixel);
    paintFace(dialog, id, face);
    DeleteObject(face);
}

// Stands for the board: paints every stick and the lever in a colour of its own and records
// the commands; Esc (or the close box) ends it.
INT_PTR CALLBACK boardProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        recordLayout(dialog);
        return TRUE;
    case WM_PAINT:
        for (int id : stickControls)
            paintPlainFace(dialog, id);
        paintPlainFace(dialog, leverId);
        {
            std::lock_guard<std::mutex> hold(record.lock);
            record.shown = true;
        }
        return FALSE;
    case WM_CLOSE: {
        std::lock_guard<std::mutex> hold(record.lock);
        ++record.closes;
        return FALSE;
    }
    case WM_COMMAND: {
        int id = LOWORD(wParam);
        {
            std::lock_guard<std::mutex> hold(record.lock);
            record.commands.push_back(id);
            if (record.woke)
                record.commandsAfterWaking.push_back(id);
        }
        if (id == IDCANCEL)
            EndDialog(dialog, IDCANCEL);
        if (id == 1009) {
            // As the computer's turn does: hide the button, show the thinking line, keep the
            // thread busy, show the button again. Nothing asks for a paint: what shows during
            // the Sleep is what the controls drew at once.
            HWND button = GetDlgItem(dialog, 1009);
            ShowWindow(button, SW_HIDE);
            SetWindowTextA(GetDlgItem(dialog, statusId), thinkingText);
            {
                std::lock_guard<std::mutex> hold(record.lock);
                record.sleeping = true;
            }
            Sleep(1500);
            ShowWindow(button, SW_SHOW);
            std::lock_guard<std::mutex> hold(record.lock);
            record.sleeping = false;
            record.woke = true;
        }
        return TRUE;
    }
    default:
        return FALSE;
    }
}

// The user beside a board: once it shows, `play` gets where its window stands; then Esc ends
// it. Should the board not show or not end, the dialogs are closed and the test fails.
void playOnBoard(const std::function<void(const ScreenRect &board)> &play, DLGPROC proc = boardProc,
                 HWND owner = nullptr) {
    resetRecord();
    Driver driver([&] {
        ScreenRect board;
        if (!findMappedWindow("Quillmere", &board) ||
            !waitFor([](const Record &r) { return r.shown; })) {
            closeEverything();
            return;
        }
        play(board);
        pressKeys({"Escape"});
        if (!waitFor([](const Record &r) { return hasCommand(r, IDCANCEL); }))
            closeEverything();
    });
    DialogBoxParamA(instance, MAKEINTRESOURCEA(129), owner, proc, 0);
}

// ---- Tests ----

TEST(SdlDesktop, BoardOpensInARealWindowOfItsSizeAndTitle) {
    REQUIRE_DISPLAY();
    resetRecord();
    ScreenRect geometry;
    Driver driver([&] {
        unsigned long window = findMappedWindow("Quillmere", &geometry);
        if (window) {
            sendCloseBox(window);
        } else {
            closeEverything();
        }
    });
    DialogBoxParamA(instance, MAKEINTRESOURCEA(129), nullptr, boardProc, 0);
    EXPECT_TRUE(waitFor([](const Record &r) { return r.closes == 1; }));
    std::lock_guard<std::mutex> hold(layout.lock);
    ASSERT_GT(layout.surfaceWidth, 100);
    EXPECT_EQ(geometry.width, layout.surfaceWidth * scale);
    EXPECT_EQ(geometry.height, layout.surfaceHeight * scale);
    EXPECT_EQ(geometry.x, layout.origin.x * scale);
    EXPECT_EQ(geometry.y, layout.origin.y * scale);
    // The close box gave WM_CLOSE, which the dialog manager turned into IDCANCEL.
    EXPECT_EQ(commands(), std::vector<int>{IDCANCEL});
}

TEST(SdlDesktop, ClicksOnSticksArriveAsTheirCommandsAndEscEnds) {
    REQUIRE_DISPLAY();
    playOnBoard([](const ScreenRect &board) {
        for (int id : {1000, 1016, 1005}) {
            clickIn(board, controlPoint(id));
            waitFor([id](const Record &r) { return hasCommand(r, id); });
        }
    });
    EXPECT_EQ(commands(), (std::vector<int>{1000, 1016, 1005, IDCANCEL}));
}

TEST(SdlDesktop, ScreenShowsThePaintedFaces) {
    REQUIRE_DISPLAY();
    ScreenPicture shot;
    ScreenRect geometry;
    playOnBoard([&](const ScreenRect &board) {
        geometry = board;
        shot = takeScreenshot();
    });
    ASSERT_GT(shot.height, 0) << "no screenshot";
    for (int id : stickControls) {
        POINT centre = controlPoint(id);
        int x = geometry.x + centre.x, y = geometry.y + centre.y;
        EXPECT_EQ(shot.at(x, y), faceColourRgb(id)) << "stick " << id;
        // Nearest-neighbour scaling: whole blocks of one colour, no blending at the edges.
        EXPECT_EQ(shot.at(x + 1, y + 1), faceColourRgb(id)) << "stick " << id;
    }
    POINT lever = controlPoint(leverId);
    EXPECT_EQ(shot.at(geometry.x + lever.x, geometry.y + lever.y), faceColourRgb(leverId));
}

TEST(SdlDesktop, InputDuringSleepWaitsAndIsAimedWhenItWasMade) {
    REQUIRE_DISPLAY();
    playOnBoard([](const ScreenRect &board) {
        clickIn(board, controlPoint(1009));
        if (waitFor([](const Record &r) { return r.sleeping; })) {
            // Button 1009 is hidden now: this click lands on the dialog, not on the button
            // that is shown again before the click is handled.
            clickIn(board, controlPoint(1009));
            clickIn(board, controlPoint(1003));
        }
        waitFor([](const Record &r) { return hasCommand(r, 1003); });
    });
    EXPECT_EQ(commands(), (std::vector<int>{1009, 1003, IDCANCEL}));
    std::lock_guard<std::mutex> hold(record.lock);
    EXPECT_EQ(record.commandsAfterWaking, (std::vector<int>{1003, IDCANCEL}));
}

// The pixels of a rectangle of the host window (host pixels) in a screenshot.
std::vector<uint32_t> pixelsIn(const ScreenPicture &shot, const ScreenRect &at, const RECT &r) {
    std::vector<uint32_t> pixels;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            pixels.push_back(shot.at(at.x + x, at.y + y));
    return pixels;
}

// The dots on the top row of a button's focus rectangle (the grey face inverted), `inset` layer
// pixels inside.
int focusDotsIn(const ScreenPicture &shot, const ScreenRect &at, const RECT &r, int inset) {
    int dots = 0, y = at.y + r.top + inset * scale;
    for (int x = at.x + r.left + inset * scale; x < at.x + r.right - inset * scale; ++x)
        dots += shot.at(x, y) == 0x3F3F3Fu ? 1 : 0;
    return dots;
}

// During the Sleep the window shows the new status line, drawn by the static at once, and the
// background where the hidden button was: both were presented before the Sleep began.
TEST(SdlDesktop, DuringTheSleepTheNewStatusLineShowsAndTheHiddenButtonIsGone) {
    REQUIRE_DISPLAY();
    ScreenPicture before, during, after;
    ScreenRect geometry;
    playOnBoard([&](const ScreenRect &board) {
        geometry = board;
        before = takeScreenshot();
        clickIn(board, controlPoint(1009));
        if (waitFor([](const Record &r) { return r.sleeping; })) {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            during = takeScreenshot();
        }
        waitFor([](const Record &r) { return r.woke; });
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        after = takeScreenshot();
    });
    ASSERT_GT(during.height, 0) << "no screenshot during the Sleep";
    ASSERT_GT(after.height, 0);
    RECT status = controlRect(statusId), button = controlRect(1009);
    EXPECT_NE(pixelsIn(before, geometry, status), pixelsIn(during, geometry, status));
    EXPECT_EQ(pixelsIn(during, geometry, status), pixelsIn(after, geometry, status))
        << "the status line during the Sleep is not the one shown after it";
    for (uint32_t pixel : pixelsIn(during, geometry, button))
        ASSERT_EQ(pixel, 0xC0C0C0u) << "the hidden button still shows during the Sleep";
}

// Tab takes the focus rectangle off "Salir" on the real window; Shift+Tab brings it back (a
// pixel further in: the dialog keys gave "Salir" the default style and its frame).
TEST(SdlDesktop, TabAndShiftTabMoveTheFocusRectangleOnTheRealWindow) {
    REQUIRE_DISPLAY();
    int dotsAtStart = -1, dotsAfterTab = -1, dotsAfterShiftTab = -1;
    playOnBoard([&](const ScreenRect &board) {
        RECT salir = controlRect(IDCANCEL);
        // Keys take a moment to be handled and presented: look until the picture changes.
        auto dotsWhen = [&](int inset, bool wanted) {
            int dots = -1;
            for (int tries = 0; tries < 30; ++tries) {
                dots = focusDotsIn(takeScreenshot(), board, salir, inset);
                if ((dots > 5) == wanted)
                    break;
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            }
            return dots;
        };
        dotsAtStart = dotsWhen(2, true);
        pressKeys({"Tab"});
        dotsAfterTab = dotsWhen(2, false);
        pressKeys({"shift+Tab"});
        dotsAfterShiftTab = dotsWhen(3, true);
    });
    EXPECT_GT(dotsAtStart, 5);
    EXPECT_EQ(dotsAfterTab, 0);
    EXPECT_GT(dotsAfterShiftTab, 5);
}

// The message dialog: placed at 100, 100 with its outer size, over the board.
INT_PTR CALLBACK messageProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        SetWindowPos(dialog, nullptr, 100, 100, 320, 200, SWP_NOREDRAW);
        SetWindowTextA(dialog, "Mensaje \xbf\xe9");
        recordLayout(dialog);
        return TRUE;
    case WM_COMMAND: {
        int id = LOWORD(wParam);
        {
            std::lock_guard<std::mutex> hold(record.lock);
            record.commands.push_back(-id); // negative: the message dialog's commands
        }
        if (id == IDOK || id == IDCANCEL)
            EndDialog(dialog, id);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

TEST(SdlDesktop, MessageDialogStandsAt100And100AboveItsOwnerAndEnterActs) {
    REQUIRE_DISPLAY();
    unsigned long boardWindow = 0, messageWindow = 0, messageOwner = 0;
    ScreenRect geometry;
    Layout messageLayout;
    struct Opener {
        static INT_PTR CALLBACK proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
            if (message == WM_COMMAND && LOWORD(wParam) == 1000) {
                DialogBoxParamA(instance, MAKEINTRESOURCEA(133), dialog, messageProc, 0);
                return TRUE;
            }
            return boardProc(dialog, message, wParam, lParam);
        }
    };
    playOnBoard(
        [&](const ScreenRect &board) {
            boardWindow = findMappedWindow("Quillmere");
            // The board's Esc is taken; stick 1000 opens the message.
            clickIn(board, controlPoint(1000));
            messageWindow = findMappedWindow("Mensaje ¿é", &geometry);
            if (messageWindow) {
                messageOwner = transientFor(messageWindow);
                {
                    std::lock_guard<std::mutex> hold(layout.lock);
                    messageLayout.origin = layout.origin;
                    messageLayout.surfaceWidth = layout.surfaceWidth;
                    messageLayout.surfaceHeight = layout.surfaceHeight;
                }
                pressKeys({"Return"});
            }
            waitFor([](const Record &r) { return hasCommand(r, -IDOK); });
        },
        Opener::proc);
    ASSERT_NE(messageWindow, 0u) << "the message dialog was not mapped";
    EXPECT_EQ(messageOwner, boardWindow);
    EXPECT_EQ(geometry.x, messageLayout.origin.x * scale);
    EXPECT_EQ(geometry.y, messageLayout.origin.y * scale);
    EXPECT_EQ(geometry.width, messageLayout.surfaceWidth * scale);
    EXPECT_EQ(geometry.height, messageLayout.surfaceHeight * scale);
    // The outer rectangle starts at 100, 100; the host shows what is inside the frame.
    EXPECT_GT(messageLayout.origin.x, 100);
    EXPECT_LT(messageLayout.origin.x, 110);
    EXPECT_GT(messageLayout.origin.y, 110);
    EXPECT_LT(messageLayout.origin.y, 140);
    EXPECT_EQ(commands(), (std::vector<int>{-IDOK, IDCANCEL}));
}

LRESULT CALLBACK frameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST(SdlDesktop, FrameWindowIsMinimisedWithItsIconAndStaysUnmappedWithoutWindowManager) {
    REQUIRE_DISPLAY();
    WNDCLASSEXA frameClass{};
    frameClass.cbSize = sizeof frameClass;
    frameClass.style = CS_HREDRAW | CS_VREDRAW;
    frameClass.lpfnWndProc = frameProc;
    frameClass.hInstance = instance;
    frameClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(107));
    frameClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    frameClass.hbrBackground = reinterpret_cast<HBRUSH>(uintptr_t(COLOR_WINDOW + 1));
    frameClass.lpszMenuName = MAKEINTRESOURCEA(109);
    frameClass.lpszClassName = "QUILLMERE";
    frameClass.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(108));
    ASSERT_NE(frameClass.hIcon, nullptr);
    RegisterClassExA(&frameClass);
    HWND frame = CreateWindowExA(0, "QUILLMERE", "quillmere", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0,
                                 CW_USEDEFAULT, 0, nullptr, nullptr, instance, nullptr);
    ASSERT_NE(frame, nullptr);
    ShowWindow(frame, SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(frame));
    ASSERT_FALSE(sdlWindowManagerPresent()) << "this test expects a bare X server";

    int mappedFrames = -1, boardOwner = -1;
    std::vector<unsigned long> icon;
    playOnBoard(
        [&](const ScreenRect &) {
            unsigned long board = findMappedWindow("Quillmere");
            std::vector<TitledWindow> frames = windowsTitled("quillmere");
            mappedFrames = 0;
            for (const TitledWindow &frame : frames)
                mappedFrames += frame.mapped;
            if (frames.size() == 1)
                icon = iconProperty(frames[0].id);
            boardOwner =
                board && frames.size() == 1 ? int(transientFor(board) == frames[0].id) : -1;
        },
        boardProc, frame);
    EXPECT_EQ(mappedFrames, 0) << "the minimised frame window was mapped";
    // Not transient for the minimised frame: that would hide the board with it.
    EXPECT_EQ(boardOwner, 0);
    ASSERT_EQ(icon.size(), size_t(2 + 32 * 32)) << "no 32 x 32 window icon";
    EXPECT_EQ(icon[0], 32u);
    EXPECT_EQ(icon[1], 32u);
    int clear = 0, solid = 0;
    for (size_t i = 2; i < icon.size(); ++i) {
        unsigned long alpha = (icon[i] >> 24) & 0xFF;
        if (alpha == 0)
            ++clear;
        else if (alpha == 0xFF)
            ++solid;
    }
    EXPECT_GT(clear, 100) << "the transparency mask was not applied";
    EXPECT_GT(solid, 50);
    EXPECT_EQ(clear + solid, 32 * 32);
}

TEST(SdlDesktop, BeepWritesSoundWithoutBlocking) {
    REQUIRE_DISPLAY();
    MessageBeep(MB_ICONEXCLAMATION);
    MessageBeep(MB_ICONASTERISK);
    // The disk driver writes in real time; give it a few buffers.
    bool sound = false;
    for (int attempt = 0; attempt < 40 && !sound; ++attempt) {
        Sleep(50);
        std::ifstream file(audioFile, std::ios::binary);
        std::vector<char> bytes((std::istreambuf_iterator<char>(file)),
                                std::istreambuf_iterator<char>());
        for (size_t i = 0; i + 1 < bytes.size() && !sound; i += 2)
            sound = (bytes[i] | bytes[i + 1]) != 0;
    }
    EXPECT_TRUE(sound) << "no sound in " << audioFile;
}

INT_PTR CALLBACK aboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        SetWindowTextA(GetDlgItem(dialog, 1023), "Versi\xf3n 1.0 \x80");
        recordLayout(dialog);
        {
            std::lock_guard<std::mutex> hold(record.lock);
            record.shown = true;
        }
        return TRUE;
    case WM_COMMAND: {
        int id = LOWORD(wParam);
        {
            std::lock_guard<std::mutex> hold(record.lock);
            record.commands.push_back(id);
        }
        if (id == IDOK || id == IDCANCEL)
            EndDialog(dialog, id);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

TEST(SdlDesktop, CopyFromReadOnlyFieldReachesTheDesktopClipboard) {
    REQUIRE_DISPLAY();
    resetRecord();
    std::string clipboard;
    Driver driver([&] {
        ScreenRect window;
        if (!findMappedWindow("Acerca", &window)) {
            closeEverything();
            return;
        }
        clickIn(window, controlPoint(1023));
        pressKeys({"Home", "shift+End", "ctrl+c"});
        // The program serves the clipboard from its event loop, which runs meanwhile.
        clipboard = clipboardText();
        pressKeys({"Escape"});
        if (!waitFor([](const Record &r) { return hasCommand(r, IDCANCEL); }))
            closeEverything();
    });
    DialogBoxParamA(instance, MAKEINTRESOURCEA(103), nullptr, aboutProc, 0);
    EXPECT_EQ(clipboard, "Versión 1.0 €");
}

TEST(SdlDesktop, ClipboardTextIsServedAsUtf8) {
    REQUIRE_DISPLAY();
    std::string why;
    ASSERT_TRUE(sdlVideoReady(&why)) << why;
    backendSetClipboard("¿Reglas? año €");
    std::atomic<bool> finished{false};
    std::string clipboard;
    std::thread reader([&] {
        clipboard = clipboardText();
        finished = true;
    });
    // Sleep keeps the event loop turning, which answers xclip's request.
    for (int i = 0; i < 200 && !finished; ++i)
        Sleep(20);
    reader.join();
    EXPECT_EQ(clipboard, "¿Reglas? año €");
}

} // namespace
