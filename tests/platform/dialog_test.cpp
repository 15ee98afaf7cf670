// The dialog manager on the program's templates: geometry from the base units, initialisation,
// tab order, Enter, Esc, the close box, Space, and nested modal loops.
#include "game/board.h"
#include "tests/platform/harness.h"
#include "tests/support/dialog_units.h"
#include "tests/support/resource_script.h"

namespace {

class DialogTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        commands.clear();
        setDialogHandler(nullptr);
    }
};

// Every control of the program's three templates, where the script places it.
TEST_F(DialogTest, ControlsAndSizesComeFromTheTemplateFontsBaseUnits) {
    for (int id : {129, 133, 103}) {
        SCOPED_TRACE(id);
        const DialogTemplate script = scriptDialog(id);
        ASSERT_FALSE(script.items.empty());
        SIZE base = baseUnitsOf(script.faceName.c_str(), script.pointSize);
        ASSERT_GT(base.cx, 0);
        ASSERT_GT(base.cy, 0);
        Step check = [&](HWND dialog) {
            RECT client, outer;
            GetClientRect(dialog, &client);
            GetWindowRect(dialog, &outer);
            const PixelRect area =
                dialogUnitsToPixels(0, 0, script.cx, script.cy, base.cx, base.cy);
            EXPECT_EQ(client.right, area.right);
            EXPECT_EQ(client.bottom, area.bottom);
            // Classic metrics: modal frame 3, caption 19, menu bar 19.
            EXPECT_EQ(outer.right - outer.left, client.right + 2 * 3);
            EXPECT_EQ(outer.bottom - outer.top,
                      client.bottom + 2 * 3 + 19 + (script.menuId ? 19 : 0));
            for (const DialogItemTemplate &item : script.items) {
                if (item.id == 0xFFFF) {
                    continue; // a label without an id
                }
                SCOPED_TRACE(item.id);
                RECT r = childRect(GetDlgItem(dialog, item.id));
                const PixelRect want =
                    dialogUnitsToPixels(item.x, item.y, item.cx, item.cy, base.cx, base.cy);
                EXPECT_EQ(r.left, want.left);
                EXPECT_EQ(r.top, want.top);
                EXPECT_EQ(r.right, want.right);
                EXPECT_EQ(r.bottom, want.bottom);
            }
            EndDialog(dialog, 7);
        };
        EXPECT_EQ(runSteps(id, {check}), 7);
    }
}

TEST_F(DialogTest, InitDialogComesBeforeTheDialogShowsAndTrueFocusesTheFirstTabStop) {
    bool visibleAtInit = true;
    HWND focusAtInit = reinterpret_cast<HWND>(1);
    setDialogHandler([&](HWND dialog, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG) {
            visibleAtInit = IsWindowVisible(dialog);
            focusAtInit = GetFocus();
        }
        return FALSE;
    });
    bool visible = false;
    runSteps(129, {[&](HWND dialog) {
                 visible = IsWindowVisible(dialog);
                 EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 2)); // "Salir", the first control
             }});
    EXPECT_FALSE(visibleAtInit);
    EXPECT_EQ(focusAtInit, nullptr);
    EXPECT_TRUE(visible);
}

TEST_F(DialogTest, InitDialogReturningFalseLeavesTheFocusAlone) {
    HWND seen = reinterpret_cast<HWND>(1);
    DLGPROC answersFalse = [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; };
    StepRun().run({[&](HWND) { seen = GetFocus(); }}, [&] {
        DialogBoxParamA(headlessInstance(), MAKEINTRESOURCEA(133), nullptr, answersFalse, 0);
    });
    EXPECT_EQ(seen, nullptr);
}

TEST_F(DialogTest, TabAndShiftTabWalkTheTabStopsInTemplateOrder) {
    std::vector<int> order(std::begin(stickControls), std::end(stickControls));
    order.insert(order.begin(), IDCANCEL);
    for (int id : {1009, 1017, 1024}) {
        order.push_back(id);
    }
    const int count = static_cast<int>(order.size());
    std::vector<int> forward, backward;
    std::vector<Step> tabs;
    for (int tab = 0; tab <= 2 * count; ++tab) {
        tabs.push_back([&, tab](HWND) {
            if (tab > 0) {
                (tab <= count ? forward : backward).push_back(GetDlgCtrlID(GetFocus()));
            }
            if (tab < 2 * count) {
                headlessKey(VK_TAB, tab < count ? 0 : unsigned(HeadlessShift));
            }
        });
    }
    runSteps(129, tabs);
    ASSERT_EQ(static_cast<int>(forward.size()), count);
    ASSERT_EQ(static_cast<int>(backward.size()), count);
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(forward[i], order[(i + 1) % count]) << i;
        EXPECT_EQ(backward[i], order[(count - 1 - i) % count]) << i;
    }
}

TEST_F(DialogTest, TabSkipsHiddenAndDisabledControls) {
    std::vector<int> seen;
    setDialogHandler([](HWND dialog, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG) {
            ShowWindow(GetDlgItem(dialog, 1009), SW_HIDE);
            EnableWindow(GetDlgItem(dialog, 1017), FALSE);
        }
        return FALSE;
    });
    runSteps(129, {[](HWND dialog) {
                       SetFocus(GetDlgItem(dialog, 1016));
                       headlessKey(VK_TAB);
                   },
                   [&](HWND) { seen.push_back(GetDlgCtrlID(GetFocus())); }});
    EXPECT_EQ(seen, std::vector<int>{1024});
}

struct KeyCase {
    const char *name;
    int templateId;
    int focusId; // 0: leave the focus where the dialog put it
    int key;
    int expectedCommand;
};

TEST_F(DialogTest, EnterEscAndSpaceGiveTheirCommands) {
    const KeyCase cases[] = {
        {"Enter on the message dialog gives its default button", 133, 0, VK_RETURN, IDOK},
        {"Enter on the about dialog gives its default button", 103, 0, VK_RETURN, IDOK},
        {"Enter on an edit field gives the default button", 103, 1023, VK_RETURN, IDOK},
        {"Enter on a focused button without the default style gives IDOK", 129, 1005, VK_RETURN,
         IDOK},
        {"Enter on the board's first control gives IDOK", 129, 0, VK_RETURN, IDOK},
        {"Esc gives IDCANCEL", 133, 0, VK_ESCAPE, IDCANCEL},
        {"Esc on the board gives IDCANCEL", 129, 1003, VK_ESCAPE, IDCANCEL},
        {"Space clicks the focused button", 129, 1017, VK_SPACE, 1017},
        {"Space clicks OK", 133, 0, VK_SPACE, IDOK},
    };
    for (const KeyCase &c : cases) {
        SCOPED_TRACE(c.name);
        commands.clear();
        runSteps(c.templateId, {[&](HWND dialog) {
                     if (c.focusId) {
                         SetFocus(GetDlgItem(dialog, c.focusId));
                     }
                     headlessKey(c.key);
                 }});
        ASSERT_FALSE(commands.empty());
        EXPECT_EQ(commands.front(), c.expectedCommand);
    }
}

TEST_F(DialogTest, EnterOnADisabledDefaultButtonDoesNothing) {
    setDialogHandler([](HWND dialog, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG) {
            EnableWindow(GetDlgItem(dialog, IDOK), FALSE);
        }
        return FALSE;
    });
    runSteps(133, {[](HWND) { headlessKey(VK_RETURN); }});
    EXPECT_TRUE(commands.empty());
}

TEST_F(DialogTest, TheDefaultButtonIsTheTemplatesDefPushButton) {
    LRESULT defId = 0;
    runSteps(133, {[&](HWND dialog) { defId = SendMessageA(dialog, DM_GETDEFID, 0, 0); }});
    EXPECT_EQ(LOWORD(defId), IDOK);
    EXPECT_EQ(HIWORD(defId), DC_HASDEFID);
}

TEST_F(DialogTest, TheCloseBoxGivesIdCancel) {
    EXPECT_EQ(runSteps(103, {[](HWND dialog) { headlessClose(dialog); }}), IDCANCEL);
    EXPECT_EQ(commands, std::vector<int>{IDCANCEL});
}

TEST_F(DialogTest, NestedDialogsDisableTheirOwnerAndReturnToTheCommandThatOpenedThem) {
    HWND board = nullptr;
    std::vector<std::string> trace;
    setDialogHandler([&](HWND dialog, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
        if (message == WM_COMMAND && LOWORD(wParam) == 1017) {
            trace.push_back("open");
            INT_PTR result = runDialog(133, dialog);
            trace.push_back("returned " + std::to_string(result));
            EXPECT_TRUE(IsWindowEnabled(dialog));
            EXPECT_EQ(headlessModalDialog(), dialog);
            return TRUE;
        }
        return FALSE;
    });
    StepRun script;
    int nestedWaits = 0;
    script.onNested = [&](HWND dialog) {
        EXPECT_NE(dialog, board);
        if (nestedWaits++ == 0) {
            EXPECT_FALSE(IsWindowEnabled(board));
            EXPECT_TRUE(IsWindowEnabled(dialog));
            // A click on the disabled board does nothing.
            headlessClickCentre(GetDlgItem(board, 1009));
        } else {
            trace.push_back("message ends");
            headlessKey(VK_RETURN);
        }
    };
    INT_PTR result = 0;
    script.run({[&](HWND dialog) {
                    board = dialog;
                    headlessClickCentre(GetDlgItem(board, 1017));
                },
                [](HWND dialog) { EndDialog(dialog, 3); }},
               [&] { result = runDialog(129); });
    EXPECT_EQ(result, 3);
    EXPECT_EQ(trace, (std::vector<std::string>{"open", "message ends", "returned 1"}));
    EXPECT_EQ(commands, (std::vector<int>{1017, IDOK}));
}

TEST_F(DialogTest, TheOwnerFrameIsDisabledWhileTheBoardRunsAndEnabledAfter) {
    WNDCLASSEXA frameClass{};
    frameClass.cbSize = sizeof frameClass;
    frameClass.lpfnWndProc = DefWindowProcA;
    frameClass.hInstance = headlessInstance();
    frameClass.lpszClassName = "FRAME";
    ASSERT_NE(RegisterClassExA(&frameClass), 0);
    HWND frame = CreateWindowExA(0, "FRAME", "frame", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0,
                                 CW_USEDEFAULT, 0, nullptr, nullptr, headlessInstance(), nullptr);
    ASSERT_NE(frame, nullptr);
    ShowWindow(frame, SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(frame));
    bool enabledDuring = true;
    RECT board{};
    StepRun().run({[&](HWND dialog) {
                      enabledDuring = IsWindowEnabled(frame);
                      GetWindowRect(dialog, &board);
                  }},
                  [&] { runDialog(129, frame); });
    EXPECT_FALSE(enabledDuring);
    EXPECT_TRUE(IsWindowEnabled(frame));
    // Over a minimised owner the board stands at the top left of the screen.
    EXPECT_EQ(board.left, 0);
    EXPECT_EQ(board.top, 0);
}

TEST_F(DialogTest, EndDialogInsideInitDialogNeverShowsTheDialog) {
    setDialogHandler([](HWND dialog, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG) {
            EndDialog(dialog, 42);
        }
        return FALSE;
    });
    EXPECT_EQ(runDialog(133), 42);
    EXPECT_TRUE(headlessTopLevelWindows().empty());
}

TEST_F(DialogTest, FailuresReturnTheWin32Values) {
    EXPECT_EQ(runDialog(9999), -1);
    EXPECT_EQ(DialogBoxParamA(headlessInstance(), "named", nullptr, testDialogProc, 0), -1);
    EXPECT_EQ(runDialog(133, reinterpret_cast<HWND>(0x1234)), 0);
    EXPECT_FALSE(EndDialog(nullptr, 1));
    EXPECT_FALSE(EndDialog(reinterpret_cast<HWND>(0x1234), 1));
}

TEST_F(DialogTest, AWaitWithNothingScriptedAbortsNamingTheDialog) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(runDialog(133), "\"Dialog\" waits for input");
}

} // namespace
