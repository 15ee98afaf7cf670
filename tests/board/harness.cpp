#include "tests/board/harness.h"

#include <gtest/gtest.h>

#include "board/commands.h"
#include "board/painting.h"
#include "board/phases.h"
#include "game/board.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "shell/message.h"

namespace {

// The pixels a face should show in a button of the given size.
std::vector<uint32_t> stretchedFace(HBITMAP face, int width, int height) {
    std::vector<uint32_t> blank(width * height, 0);
    HBITMAP target = createBitmapFromPixels(width, height, blank.data());
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, target);
    RECT rect = {0, 0, width, height};
    drawBitmap(dc, face, &rect, 1);
    SelectObject(dc, previous);
    DeleteDC(dc);
    std::vector<uint32_t> pixels = bitmapSurface(target)->pixels;
    DeleteObject(target);
    return pixels;
}

} // namespace

bool buttonShows(HWND dialog, int id, HBITMAP face, bool onScreen) {
    HWND button = GetDlgItem(dialog, id);
    Surface picture;
    if (!(onScreen ? headlessScreenCrop(button, &picture) : headlessPicture(button, &picture))) {
        return false;
    }
    std::vector<uint32_t> want = stretchedFace(face, picture.width, picture.height);
    const int width = picture.width, height = picture.height;
    if (SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED) {
        // Sunk in: grey over white outside, black over light grey inside, the bottom and right
        // lines drawn last.
        const uint32_t lines[2][2] = {{0x808080u, 0xFFFFFFu}, {0x000000u, 0xC0C0C0u}};
        for (int i = 0; i < 2; ++i) {
            for (int x = i; x < width - i; ++x) {
                want[i * width + x] = lines[i][0];
            }
            for (int y = i; y < height - i; ++y) {
                want[y * width + i] = lines[i][0];
            }
            for (int x = i; x < width - i; ++x) {
                want[(height - 1 - i) * width + x] = lines[i][1];
            }
            for (int y = i; y < height - i; ++y) {
                want[y * width + width - 1 - i] = lines[i][1];
            }
        }
    }
    if (GetFocus() == button) {
        // Every other pixel of the outline three pixels in: where x + y is even, in a checker
        // aligned to the button's corner.
        const int left = 3, top = 3, right = width - 3, bottom = height - 3;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                bool outline = y == top || y == bottom - 1 || x == left || x == right - 1;
                if (outline && (x + y) % 2 == 0) {
                    want[y * width + x] ^= 0xFFFFFFu;
                }
            }
        }
    }
    return picture.pixels == want;
}

void resetEverything() {
    headlessReset();
    for (HBITMAP &bitmap : boardBitmaps) {
        if (bitmap) {
            DeleteObject(bitmap);
        }
        bitmap = nullptr;
    }
    selectedFace = nullptr;
    GamePhase = 0;
    lockedRow = -1;
    IqLevel = 0;
    computerMoves = 0;
    appInstance = headlessInstance();
    frameWindow = nullptr;
    resetBoard();
}

void BoardRun::run(std::vector<Step> steps) {
    size_t next = 0;
    HWND board = nullptr;
    HWND lastNested = nullptr;
    headlessSetIdleHook([&]() {
        HWND modal = headlessModalDialog();
        if (!board) {
            board = modal;
        }
        if (modal != board) {
            if (modal != lastNested) {
                lastNested = modal;
                SeenDialog seen;
                char title[300] = "";
                GetWindowTextA(modal, title, sizeof title);
                seen.title = title;
                seen.text = pendingMessage.text;
                seen.styleCode = pendingMessage.styleCode;
                GetWindowRect(modal, &seen.outer);
                seen.nrBeepsBefore = headlessBeeps().size();
                seen.boardEnabled = IsWindowEnabled(board) != 0;
                this->seen.push_back(seen);
            }
            if (onNested) {
                onNested(modal);
            } else {
                headlessKey(VK_RETURN);
            }
            PostMessageA(modal, WM_NULL, 0, 0);
            return;
        }
        lastNested = nullptr;
        if (betweenCommands) {
            betweenCommands(board);
        }
        if (onEveryWait) {
            onEveryWait(board);
        } else if (next < steps.size()) {
            steps[next++](board);
        } else {
            endedByHarness = true;
            EndDialog(board, IDCANCEL);
        }
        // Something for the loop to take, so that it looks at the dialog's state again.
        PostMessageA(board, WM_NULL, 0, 0);
    });
    if (!IsWindow(frame)) {
        LoadStringA(appInstance, IDS_APP_TITLE, windowTitle, frameTextCapacity);
        LoadStringA(appInstance, IDS_WINDOW_CLASS, windowClassName, frameTextCapacity);
        registerFrameClass(appInstance);
        frame = CreateWindowExA(0, windowClassName, windowTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                0, CW_USEDEFAULT, 0, nullptr, nullptr, appInstance, nullptr);
        ASSERT_NE(frame, nullptr);
        ShowWindow(frame, SW_MINIMIZE);
    }
    DialogBoxParamA(appInstance, MAKEINTRESOURCEA(IDD_BOARD), frame, proc ? proc : boardDialogProc,
                    0);
    if (everyStepRuns) {
        EXPECT_EQ(next, steps.size()) << "the board ended before every step ran";
    }
    headlessSetIdleHook(nullptr);
}

void clickControl(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    ASSERT_NE(control, nullptr) << id;
    headlessClickCentre(control);
}

void postCommand(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, id, 0);
}

void clickMenu(HWND dialog, int barIndex, int entryIndex) {
    headlessClickMenuBar(dialog, barIndex);
    headlessClickMenuEntry(dialog, barIndex, entryIndex, headlessNow() + 10);
}

std::string controlText(HWND dialog, int id) {
    char text[2100] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

bool controlEnabled(HWND dialog, int id) {
    return IsWindowEnabled(GetDlgItem(dialog, id)) != 0;
}

bool controlVisible(HWND dialog, int id) {
    return IsWindowVisible(GetDlgItem(dialog, id)) != 0;
}

unsigned short millisecondFor(int32_t value, int32_t n) {
    // The smallest m with m * (n + 1) / 1000 == value.
    return (unsigned short)((value * 1000 + n) / (n + 1));
}

void scriptClock(std::vector<unsigned short> values) {
    scriptClockMilliseconds(values.data(), (int)values.size());
}

namespace {

// The bitmap set that the last test left loaded is released before the process ends.
class ReleaseBitmaps : public ::testing::Environment {
  public:
    void TearDown() override { resetEverything(); }
};
const ::testing::Environment *const releaseBitmaps =
    ::testing::AddGlobalTestEnvironment(new ReleaseBitmaps);

} // namespace
