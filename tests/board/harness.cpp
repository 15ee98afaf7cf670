#include "tests/board/harness.h"

#include <gtest/gtest.h>

#include "board/commands.h"
#include "board/painting.h"
#include "board/phases.h"
#include "game/board.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "shell/message.h"

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

void forgetBitmaps() {
    for (HBITMAP &bitmap : boardBitmaps) {
        bitmap = nullptr;
    }
    selectedFace = nullptr;
}

const Step waysOut[4] = {
    [](HWND d) { clickControl(d, IDCANCEL); },
    [](HWND d) { clickMenu(d, 0, 0); },
    [](HWND) { headlessKey(VK_ESCAPE); },
    [](HWND d) { headlessClose(d); },
};

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
    StepRun script;
    script.onNestedOpens = [&](HWND dialog) {
        SeenDialog shown;
        char title[300] = "";
        GetWindowTextA(dialog, title, sizeof title);
        shown.title = title;
        shown.text = pendingMessage.text;
        shown.styleCode = pendingMessage.styleCode;
        GetWindowRect(dialog, &shown.outer);
        shown.nrBeepsBefore = headlessBeeps().size();
        shown.boardEnabled = IsWindowEnabled(script.first) != 0;
        seen.push_back(shown);
    };
    script.onNested = onNested;
    script.beforeEach = betweenCommands;
    script.onEveryWait = onEveryWait;
    if (!IsWindow(frame)) {
        LoadStringA(appInstance, IDS_APP_TITLE, windowTitle, frameTextCapacity);
        LoadStringA(appInstance, IDS_WINDOW_CLASS, windowClassName, frameTextCapacity);
        registerFrameClass(appInstance);
        frame = CreateWindowExA(0, windowClassName, windowTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                0, CW_USEDEFAULT, 0, nullptr, nullptr, appInstance, nullptr);
        ASSERT_NE(frame, nullptr);
        ShowWindow(frame, SW_MINIMIZE);
    }
    script.run(steps, [&] {
        DialogBoxParamA(appInstance, MAKEINTRESOURCEA(IDD_BOARD), frame,
                        proc ? proc : boardDialogProc, 0);
    });
    endedByHarness = script.endedByRun;
    EXPECT_EQ(script.nrRun, steps.size()) << "the board ended before every step ran";
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
