// Mouse, keyboard and time: button clicks and looks, input made during a Sleep, the menu bar
// with its mnemonics and arrows, statics and read-only edit fields.
#include "tests/platform/harness.h"

namespace {

class InputTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        commands.clear();
        setDialogHandler(nullptr);
    }
};

TEST_F(InputTest, AButtonCommandsOnReleaseInsideOnlyAndShowsItsPressedLook) {
    uint32_t heldCorner = 0, restCorner = 0;
    runSteps(129,
             {[](HWND d) { headlessMouseAt(GetDlgItem(d, 1017), InputEvent::MouseDown, 5, 5); },
              [&](HWND d) {
                  EXPECT_TRUE(commands.empty());
                  heldCorner = headlessPixel(GetDlgItem(d, 1017), 1, 1);
                  headlessMouseAt(GetDlgItem(d, 1017), InputEvent::MouseUp, 5, 5);
              },
              [&](HWND d) {
                  EXPECT_EQ(commands, std::vector<int>{1017});
                  restCorner = headlessPixel(GetDlgItem(d, 1017), 0, 0);
                  // Pressed, moved off and released outside: no command.
                  headlessMouseAt(GetDlgItem(d, 1009), InputEvent::MouseDown, 5, 5);
                  headlessMouseAt(GetDlgItem(d, 1009), InputEvent::MouseMove, 80, 5);
                  headlessMouseAt(GetDlgItem(d, 1009), InputEvent::MouseUp, 80, 5);
              },
              [](HWND) { EXPECT_EQ(commands, std::vector<int>{1017}); }});
    EXPECT_EQ(heldCorner, 0x808080u); // pressed: the grey inner sunken edge
    EXPECT_EQ(restCorner, 0xFFFFFFu); // raised again: the white light edge, and no default frame
}

TEST_F(InputTest, DisabledOrHiddenButtonsGiveNoCommand) {
    runSteps(129, {[](HWND d) {
                       EnableWindow(GetDlgItem(d, 1009), FALSE);
                       headlessClickCentre(GetDlgItem(d, 1009));
                       headlessClickCentre(GetDlgItem(d, 1017));
                   },
                   [](HWND d) {
                       ShowWindow(GetDlgItem(d, 1017), SW_HIDE);
                       RECT r = childRect(GetDlgItem(d, 1017));
                       headlessClick(d, r.left + 3, r.top + 3);
                   }});
    EXPECT_EQ(commands, std::vector<int>{1017});
}

TEST_F(InputTest, InputMadeDuringASleepWaitsAndIsAimedWhenMade) {
    uint64_t before = 0, after = 0;
    std::vector<int> seenInsideSleep;
    setDialogHandler([&](HWND d, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
        if (message == WM_COMMAND && LOWORD(wParam) == 1017) {
            ShowWindow(GetDlgItem(d, 1009), SW_HIDE);
            before = headlessNow();
            Sleep(2000);
            after = headlessNow();
            seenInsideSleep = commands;
            ShowWindow(GetDlgItem(d, 1009), SW_SHOW);
            return TRUE;
        }
        return FALSE;
    });
    runSteps(129, {[](HWND d) {
                 headlessClickCentre(GetDlgItem(d, 1017));
                 // Made 500 ms into the sleep: 1009 is hidden then, 1000 is there.
                 uint64_t at = headlessNow() + 500;
                 headlessClickCentre(GetDlgItem(d, 1009), at);
                 headlessClickCentre(GetDlgItem(d, 1000), at);
             }});
    EXPECT_EQ(after - before, 2000u);
    EXPECT_EQ(headlessSleeps(), std::vector<DWORD>{2000});
    EXPECT_EQ(seenInsideSleep, std::vector<int>{1017});
    EXPECT_EQ(commands, (std::vector<int>{1017, 1000}));
}

TEST_F(InputTest, SleepAndBeepAreRecordedAndTheClockServesFtime) {
    struct _timeb start, end;
    _ftime(&start);
    Sleep(120);
    Sleep(30);
    _ftime(&end);
    MessageBeep(MB_ICONEXCLAMATION);
    MessageBeep(MB_ICONASTERISK);
    EXPECT_EQ((end.time - start.time) * 1000 + end.millitm - start.millitm, 150);
    EXPECT_EQ(headlessSleeps(), (std::vector<DWORD>{120, 30}));
    EXPECT_EQ(headlessBeeps(), (std::vector<UINT>{48, 64}));
}

struct MenuCase {
    const char *name;
    std::vector<std::pair<int, unsigned>> keys;
    int expected; // 0: no command
};

TEST_F(InputTest, TheMenuOpensByMnemonicsAltAndArrows) {
    const MenuCase cases[] = {
        {"Alt+A, then S", {{'A', HeadlessAlt}, {'S', 0}}, 105},
        {"Alt+A, Enter", {{'A', HeadlessAlt}, {VK_RETURN, 0}}, 105},
        {"Alt+Y, R", {{'Y', HeadlessAlt}, {'R', 0}}, 32771},
        {"Alt+Y, A", {{'Y', HeadlessAlt}, {'A', 0}}, 104},
        {"Manejo by the arrows", {{'Y', HeadlessAlt}, {VK_DOWN, 0}, {VK_RETURN, 0}}, 32772},
        {"Manejo has no mnemonic",
         {{'Y', HeadlessAlt}, {'M', 0}, {VK_ESCAPE, 0}, {VK_ESCAPE, 0}},
         0},
        {"Alt alone, Right, Down, Up, Enter",
         {{VK_MENU, 0}, {VK_RIGHT, 0}, {VK_DOWN, 0}, {VK_UP, 0}, {VK_RETURN, 0}},
         104},
        {"Esc closes the menu, not the dialog",
         {{'A', HeadlessAlt}, {VK_ESCAPE, 0}, {VK_ESCAPE, 0}},
         0},
    };
    for (const MenuCase &c : cases) {
        SCOPED_TRACE(c.name);
        commands.clear();
        runSteps(129, {[&](HWND) {
                     for (auto [key, modifiers] : c.keys) {
                         headlessKey(key, modifiers);
                     }
                 }});
        if (c.expected) {
            EXPECT_EQ(commands, std::vector<int>{c.expected});
        } else {
            EXPECT_TRUE(commands.empty());
        }
    }
}

TEST_F(InputTest, TheMenuBarOpensWithAClickAndAnEntrySendsItsCommand) {
    int barPixels = 0;
    runSteps(129, {[](HWND d) { headlessClickMenuBar(d, 1); },
                   [&](HWND d) {
                       Surface picture;
                       headlessPicture(d, &picture);
                       barPixels = countPixels(d, 0x000080); // the highlight is not shown yet
                       headlessClickMenuEntry(d, 1, 1);
                   }});
    EXPECT_EQ(barPixels, 0);
    EXPECT_EQ(commands, std::vector<int>{32772});
}

TEST_F(InputTest, StaticsAreGreyWhenDisabled) {
    int blackEnabled = 0, blackDisabled = 0, greyDisabled = 0;
    runSteps(129, {[&](HWND d) {
                 HWND label = GetDlgItem(d, 1026);
                 blackEnabled = countPixels(label, 0x000000);
                 EnableWindow(label, FALSE);
                 UpdateWindow(d);
                 blackDisabled = countPixels(label, 0x000000);
                 greyDisabled = countPixels(label, 0x808080);
             }});
    EXPECT_GT(blackEnabled, 0);
    EXPECT_EQ(blackDisabled, 0);
    EXPECT_GT(greyDisabled, 0);
}

TEST_F(InputTest, ReadOnlyEditsSelectAndCopyButIgnoreTyping) {
    DWORD from = 9, to = 9;
    setDialogHandler([](HWND d, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG) {
            SetWindowTextA(GetDlgItem(d, 1023), "Quillmere 1.00.00");
            SetWindowTextA(GetDlgItem(d, 1024), "Ca\xf1"
                                                "ada");
        }
        return FALSE;
    });
    char text[64] = "";
    runSteps(103, {[](HWND d) {
                       SetFocus(GetDlgItem(d, 1023));
                       headlessType("xyz");
                       headlessKey(VK_HOME);
                       headlessKey(VK_RIGHT, HeadlessShift);
                       headlessKey(VK_RIGHT, HeadlessShift);
                       headlessKey('C', HeadlessControl);
                   },
                   [&](HWND d) {
                       GetWindowTextA(GetDlgItem(d, 1023), text, sizeof text);
                       SendMessageA(GetDlgItem(d, 1023), EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                                    reinterpret_cast<LPARAM>(&to));
                       EXPECT_EQ(headlessClipboard(), "Qu");
                       // Tab into the next field selects all of it; the mouse drags a part.
                       headlessKey(VK_TAB);
                       headlessKey('C', HeadlessControl);
                   },
                   [](HWND d) {
                       EXPECT_EQ(headlessClipboard(), "Ca\xc3\xb1"
                                                      "ada");
                       HWND edit = GetDlgItem(d, 1023);
                       headlessMouseAt(edit, InputEvent::MouseDown, 1, 3);
                       headlessMouseAt(edit, InputEvent::MouseMove, 200, 3);
                       headlessMouseAt(edit, InputEvent::MouseUp, 200, 3);
                       headlessKey(VK_INSERT, HeadlessControl);
                   },
                   [](HWND) { EXPECT_EQ(headlessClipboard(), "Quillmere 1.00.00"); }});
    EXPECT_STREQ(text, "Quillmere 1.00.00");
    EXPECT_EQ(from, 0u);
    EXPECT_EQ(to, 2u);
}

} // namespace

namespace {

// A pixel of a control as the screen shows it (what was last presented).
uint32_t shown(HWND control, int x, int y) {
    Surface crop;
    headlessScreenCrop(control, &crop);
    return crop.pixels[static_cast<size_t>(y) * crop.width + x];
}

// The dots of a focus rectangle (the grey face inverted) on the top row of its frame in a push
// button.
int focusDots(HWND button, bool isDefault) {
    Surface crop;
    headlessScreenCrop(button, &crop);
    int row = isDefault ? 3 : 2, dots = 0;
    for (int x = row; x < crop.width - row; ++x) {
        dots += crop.pixels[static_cast<size_t>(row) * crop.width + x] == 0x3F3F3Fu ? 1 : 0;
    }
    return dots;
}

} // namespace

// At start "Salir" (not a default button) has the focus and no thick frame. The arrows walk the
// group of Salir and the sticks and move the default style with the focus; Enter clicks the
// focused button only while it holds that style, else the dialog's default button; a mouse
// press moves the focus but not the default style.
TEST_F(InputTest, TheDialogKeysMoveTheFocusAndTheDefaultFrameAsUser32Does) {
    auto item = [](HWND d, int id) { return GetDlgItem(d, id); };
    const int firstButton = 1009, secondButton = 1017;
    runSteps(129,
             {[&](HWND d) {
                  EXPECT_EQ(GetFocus(), item(d, IDCANCEL));
                  EXPECT_EQ(shown(item(d, IDCANCEL), 0, 0), 0xFFFFFFu); // raised, no default frame
                  EXPECT_GT(focusDots(item(d, IDCANCEL), false), 5);
                  for (int key : {VK_RIGHT, VK_RIGHT, VK_DOWN, VK_SPACE}) {
                      headlessKey(key);
                  }
              },
              [&](HWND d) {
                  EXPECT_EQ(commands, std::vector<int>{1002});
                  EXPECT_EQ(focusDots(item(d, IDCANCEL), false), 0);
                  EXPECT_EQ(shown(item(d, 1002), 1, 1), 0u); // flat and default: two black lines
                  EXPECT_EQ(shown(item(d, 1001), 1, 1), 0xFFFFFFu); // flat: black, then white
                  EXPECT_GT(focusDots(item(d, 1002), true), 2);
                  headlessKey(VK_RETURN);
                  // Pressed, dragged off and released outside: the focus moves, nothing else.
                  HWND salir = item(d, IDCANCEL);
                  headlessMouseAt(salir, InputEvent::MouseDown, 10, 10);
                  headlessMouseAt(salir, InputEvent::MouseMove, 200, 10);
                  headlessMouseAt(salir, InputEvent::MouseUp, 200, 10);
              },
              [&](HWND d) {
                  EXPECT_EQ(commands, (std::vector<int>{1002, 1002}));
                  EXPECT_EQ(GetFocus(), item(d, IDCANCEL));
                  EXPECT_EQ(shown(item(d, IDCANCEL), 0, 0), 0xFFFFFFu);
                  EXPECT_GT(focusDots(item(d, IDCANCEL), false), 5);
                  EXPECT_EQ(shown(item(d, 1002), 1, 1), 0u);
                  headlessKey(VK_RETURN); // the default button, not the focused one
                  // Back to "más alto", where the group begins, and across the end of the list.
                  headlessKey(VK_LEFT);
                  headlessKey(VK_LEFT);
              },
              [&](HWND d) {
                  EXPECT_EQ(commands, (std::vector<int>{1002, 1002, 1002}));
                  EXPECT_EQ(GetFocus(), item(d, firstButton));
                  EXPECT_EQ(shown(item(d, 1002), 1, 1), 0xFFFFFFu);
                  EXPECT_EQ(shown(item(d, firstButton), 0, 0), 0u);
                  headlessKey(VK_TAB);
                  headlessKey(VK_TAB, HeadlessShift);
              },
              [&](HWND d) {
                  EXPECT_EQ(GetFocus(), item(d, firstButton));
                  EXPECT_EQ(shown(item(d, firstButton), 0, 0), 0u);
                  EXPECT_EQ(shown(item(d, secondButton), 0, 0), 0xFFFFFFu);
              }});
}
