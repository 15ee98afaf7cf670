// The message dialog, the about dialog and the start-up, on the headless backend.
#include <gtest/gtest.h>

#include <string.h>

#include <algorithm>

#include "board/painting.h"
#include "board/phases.h"
#include "game/board.h"
#include "platform/gdi/gdi.h"
#include "resources/resource.h"
#include "shell/about.h"
#include "shell/app.h"
#include "shell/message.h"
#include "tests/board/harness.h"

namespace {

// ---- String helpers ----

struct DigitsCase {
    int32_t number, first, last, result;
};

TEST(DecimalDigits, PicksDigitsAtTheirEdges) {
    const DigitsCase cases[] = {
        {15150, 0, 1, 50},     {15150, 2, 2, 1},
        {15150, 3, 3, 5},      {15150, 4, 4, 1},
        {1120, 0, 1, 20},      {12, 3, 3, 0},
        {7, 5, 9, 0},          {12345, 0, -1, 0},
        {12345, 3, 1, 0},      {12345, -2, 1, 45},
        {-1234, 0, 1, -34},    {12345, 1, 3, 234},
        {0, 0, 9, 0},          {2147483647, 0, 9, 2147483647},
        {2147483647, 9, 9, 2}, {-2147483647 - 1, 0, 9, -2147483647 - 1},
        {987, 0, 40, 987},
    };
    for (const DigitsCase &c : cases) {
        EXPECT_EQ(decimalDigits(c.number, c.first, c.last), c.result)
            << c.number << " " << c.first << ".." << c.last;
    }
}

struct CopyCase {
    int32_t capacity;
    const char *source;
    const char *result; // null: nothing written
};

TEST(CopyBounded, CutsAndTerminates) {
    const CopyCase cases[] = {
        {5, "abc", "abc"},   {5, "abcdef", "abcd"}, {5, "abcd", "abcd"}, {1, "abc", ""},
        {0, "abc", nullptr}, {-3, "abc", nullptr},  {2, "", ""},
    };
    for (const CopyCase &c : cases) {
        char buffer[8];
        memset(buffer, 'x', sizeof buffer);
        copyBounded(buffer, c.capacity, c.source);
        if (!c.result) {
            EXPECT_EQ(buffer[0], 'x') << c.capacity;
            continue;
        }
        EXPECT_STREQ(buffer, c.result) << c.capacity << " " << c.source;
        for (size_t i = strlen(c.result) + 1; i < sizeof buffer; i++) {
            EXPECT_EQ(buffer[i], 'x') << "written past the capacity";
        }
    }
}

// ---- Message dialog ----

struct StyleCase {
    int32_t styleCode;
    LONG height, weight;
    BYTE italic;
    bool pink;
};

TEST(MessageStyle, DigitsGiveTheFont) {
    const StyleCase cases[] = {
        {15150, 50, 200, 5, true}, {12, 12, 200, 0, false},   {20, 20, 200, 0, false},
        {1120, 20, 200, 1, false}, {0, 0, 200, 0, false},     {400, 0, 400, 0, false},
        {700, 0, 700, 0, false},   {900, 0, 900, 0, false},   {25999, 99, 900, 5, false},
        {10000, 0, 200, 0, true},  {90000, 0, 200, 0, false}, {110000, 0, 200, 0, true},
    };
    for (const StyleCase &c : cases) {
        LOGFONTA font;
        memset(&font, 0x5A, sizeof font);
        fontForStyle(c.styleCode, &font);
        EXPECT_EQ(font.lfHeight, c.height) << c.styleCode;
        EXPECT_EQ(font.lfWeight, c.weight) << c.styleCode;
        EXPECT_EQ(font.lfItalic, c.italic) << c.styleCode;
        EXPECT_EQ(font.lfUnderline, 0);
        EXPECT_EQ(font.lfStrikeOut, 0);
        EXPECT_EQ(font.lfWidth, 0);
        EXPECT_EQ(font.lfCharSet, 0);
        EXPECT_STREQ(font.lfFaceName, "Times New Roman");
        EXPECT_EQ(decimalDigits(c.styleCode, 4, 4) == 1, c.pink) << c.styleCode;
    }
}

struct MessageLook {
    RECT outer;
    RECT client;
    std::string title;
    int nrPink = 0, nrDark = 0;
    int nrInkOutsideRect = 0;
    int gdiAfterFirst = 0, gdiAfterRepaints = 0;
    int dcsAfterFirst = 0, dcsAfterRepaints = 0;
    bool samePixelsOnRepaint = false;
};

bool isInk(uint32_t pixel, uint32_t background) {
    return pixel != background;
}

// Shows a message over the board, on a screen of the given size, and looks at it while it is open.
MessageLook lookAtMessage(const std::string &text, const std::string &title, int width, int height,
                          int styleCode, SIZE screen = {1024, 768}) {
    resetEverything();
    headlessSetScreenSize(screen.cx, screen.cy);
    MessageLook look;
    BoardRun run;
    int polls = 0;
    Surface picture;
    run.onNested = [&](HWND dialog) {
        int poll = polls++;
        if (poll == 1) {
            // Painted again after being uncovered.
            Surface again;
            headlessPicture(dialog, &again);
            look.samePixelsOnRepaint = again.pixels == picture.pixels;
            look.gdiAfterRepaints = liveGdiObjects();
            look.dcsAfterRepaints = liveDeviceContexts();
            headlessKey(VK_RETURN);
        }
        if (poll == 0) {
            GetWindowRect(dialog, &look.outer);
            GetClientRect(dialog, &look.client);
            char buffer[400] = "";
            GetWindowTextA(dialog, buffer, sizeof buffer);
            look.title = buffer;
            headlessPicture(dialog, &picture);
            RECT button;
            GetWindowRect(GetDlgItem(dialog, IDOK), &button);
            POINT corner = {button.left, button.top}, far = {button.right, button.bottom};
            ScreenToClient(dialog, &corner);
            ScreenToClient(dialog, &far);
            uint32_t background = picture.pixels[(picture.height - 1) * picture.width];
            for (int y = 0; y < picture.height; y++) {
                for (int x = 0; x < picture.width; x++) {
                    uint32_t pixel = picture.pixels[y * picture.width + x];
                    bool inButton =
                        x >= corner.x - 2 && x < far.x + 2 && y >= corner.y - 2 && y < far.y + 2;
                    bool inRect = x >= 50 && x < width - 50 && y >= 50 && y < height - 50;
                    if (inButton || !isInk(pixel, background)) {
                        continue;
                    }
                    look.nrPink += pixel == 0xF078F0;
                    look.nrDark += (pixel & 0xFF) < 0x40 && ((pixel >> 8) & 0xFF) < 0x40;
                    look.nrInkOutsideRect += !inRect;
                }
            }
            look.gdiAfterFirst = liveGdiObjects();
            look.dcsAfterFirst = liveDeviceContexts();
            for (int i = 0; i < 3; i++) {
                headlessUncover(dialog);
            }
        }
    };
    run.run({[&](HWND d) {
        showMessageDialog(d, text.c_str(), title.c_str(), width, height, styleCode);
        EndDialog(d, IDCANCEL);
    }});
    return look;
}

TEST(MessageDialog, StandsAtItsPlaceWithItsSizeTitleAndColour) {
    MessageLook lost = lookAtMessage("ORDANEL SOFTWARE GANO!!!", "Fin del juego", 700, 150, 15150);
    EXPECT_EQ(lost.outer.left, 100);
    EXPECT_EQ(lost.outer.top, 100);
    EXPECT_EQ(lost.outer.right, 800);
    EXPECT_EQ(lost.outer.bottom, 250);
    EXPECT_LT(lost.client.right, 700);
    EXPECT_LT(lost.client.bottom, 150);
    EXPECT_EQ(lost.title, "Fin del juego");
    EXPECT_GT(lost.nrPink, 0);
    EXPECT_EQ(lost.nrInkOutsideRect, 0);
    EXPECT_TRUE(lost.samePixelsOnRepaint);
    EXPECT_EQ(lost.gdiAfterRepaints, lost.gdiAfterFirst);
    EXPECT_EQ(lost.dcsAfterRepaints, lost.dcsAfterFirst);

    MessageLook won = lookAtMessage("Bueno. Hm. Ganas. Esta vez.", "Fin del juego", 600, 300, 12);
    EXPECT_EQ(won.outer.right - won.outer.left, 600);
    EXPECT_EQ(won.outer.bottom - won.outer.top, 300);
    EXPECT_EQ(won.nrPink, 0);
    EXPECT_GT(won.nrDark, 0);
    EXPECT_EQ(won.nrInkOutsideRect, 0);
}

// On a screen smaller than the message, the dialog manager keeps it on the work area.
TEST(MessageDialog, IsMovedOntoASmallScreen) {
    MessageLook lost =
        lookAtMessage("ORDANEL SOFTWARE GANO!!!", "Fin del juego", 700, 150, 15150, {461, 200});
    EXPECT_EQ(lost.outer.left, 0);
    EXPECT_EQ(lost.outer.top, 50);
    EXPECT_EQ(lost.outer.right, 700);
}

TEST(MessageDialog, LongLinesAreCutAtTheRectangle) {
    std::string longLines;
    for (int i = 0; i < 40; i++) {
        longLines += std::string(200, 'W') + "\n";
    }
    MessageLook look = lookAtMessage(longLines, "Largo", 400, 300, 20);
    EXPECT_GT(look.nrDark, 0);
    EXPECT_EQ(look.nrInkOutsideRect, 0);
}

TEST(MessageDialog, SmallSizesLeaveAnEmptyRectangle) {
    for (int size : {100, 80}) {
        MessageLook look = lookAtMessage("ORDANEL SOFTWARE GANO!!!", "Fin", size, size, 15150);
        EXPECT_EQ(look.nrPink, 0) << size;
        EXPECT_EQ(look.nrInkOutsideRect, 0) << size;
    }
}

TEST(MessageDialog, TextAndTitleAreCut) {
    resetEverything();
    std::string text(2500, 'a'), title(300, 't');
    std::string shownTitle;
    BoardRun run;
    run.onNested = [&](HWND dialog) {
        char buffer[400] = "";
        GetWindowTextA(dialog, buffer, sizeof buffer);
        shownTitle = buffer;
        headlessKey(VK_ESCAPE);
    };
    run.run({[&](HWND d) {
        showMessageDialog(d, text.c_str(), title.c_str(), 300, 200, 12);
        EndDialog(d, IDCANCEL);
    }});
    EXPECT_EQ(strlen(pendingMessage.text), 1999u);
    EXPECT_EQ(std::string(pendingMessage.text), text.substr(0, 1999));
    EXPECT_EQ(shownTitle, title.substr(0, 254));
    ASSERT_EQ(run.seen.size(), 1u);
}

TEST(MessageDialog, EndsByOkEnterEscAndTheCloseBox) {
    const std::function<void(HWND)> closers[] = {
        [](HWND dialog) { clickControl(dialog, IDOK); },
        [](HWND) { headlessKey(VK_RETURN); },
        [](HWND) { headlessKey(VK_ESCAPE); },
        [](HWND dialog) { headlessClose(dialog); },
    };
    for (const auto &close : closers) {
        resetEverything();
        BoardRun run;
        int polls = 0;
        run.onNested = [&](HWND dialog) {
            ASSERT_EQ(polls++, 0) << "the message did not close";
            close(dialog);
        };
        run.run({[](HWND d) {
            showMessageDialog(d, "x", "y", 300, 200, 12);
            EndDialog(d, IDCANCEL);
        }});
        EXPECT_EQ(polls, 1);
    }
}

// ---- About dialog ----

TEST(AboutDialog, ShowsFiveReadOnlyLinesBesideTheLogo) {
    resetEverything();
    BoardRun run;
    std::vector<std::string> lines;
    std::vector<LONG> tops;
    bool rightOfLogo = true;
    bool logoShows = false, logoShowsAgain = false;
    int gdiOpen = 0, gdiAfter = 0;
    std::string afterTyping;
    std::function<bool()> checkLogo;
    std::vector<uint32_t> want;
    int polls = 0;
    run.onNested = [&](HWND dialog) {
        int poll = polls++;
        if (poll == 0) {
            for (int id = IDC_ABOUT_VERSION; id <= IDC_ABOUT_WEB; id++) {
                lines.push_back(controlText(dialog, id));
                RECT rect;
                GetWindowRect(GetDlgItem(dialog, id), &rect);
                POINT corner = {rect.left, rect.top};
                ScreenToClient(dialog, &corner);
                tops.push_back(corner.y);
                rightOfLogo = rightOfLogo && corner.x >= 153;
            }
            HBITMAP logo = LoadBitmapA(appInstance, MAKEINTRESOURCEA(IDB_LOGO));
            want = stretchedFace(logo, 133, 100);
            DeleteObject(logo);
            auto logoMatches = [&want, dialog]() {
                for (int y = 0; y < 100; y++) {
                    for (int x = 0; x < 133; x++) {
                        if (headlessPixel(dialog, 20 + x, 20 + y) != want[y * 133 + x]) {
                            return false;
                        }
                    }
                }
                return true;
            };
            logoShows = logoMatches();
            gdiOpen = liveGdiObjects();
            for (int i = 0; i < 4; i++) {
                headlessUncover(dialog);
            }
            checkLogo = logoMatches;
        } else if (poll == 1) {
            logoShowsAgain = checkLogo();
            gdiAfter = liveGdiObjects();
            clickControl(dialog, IDC_ABOUT_MAKER);
            headlessType("xyz");
            headlessKey(VK_BACK);
            headlessKey(VK_DELETE);
        } else if (poll == 2) {
            afterTyping = controlText(dialog, IDC_ABOUT_MAKER);
            headlessKey(VK_ESCAPE);
        }
    };
    int gdiBefore = 0;
    run.run({[&](HWND d) {
                 gdiBefore = liveGdiObjects();
                 clickMenu(d, 1, 2);
             },
             [&](HWND) { EXPECT_EQ(liveGdiObjects(), gdiBefore); }});
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "Quillmere 1.00.00");
    EXPECT_EQ(lines[1], "Ordanel Software");
    EXPECT_EQ(lines[2], aboutTownText);
    EXPECT_NE(lines[3].find("@ordanel.example"), std::string::npos);
    EXPECT_NE(lines[4].find("ordanel.example"), std::string::npos);
    for (size_t i = 1; i < tops.size(); i++) {
        EXPECT_GT(tops[i], tops[i - 1]);
    }
    EXPECT_TRUE(rightOfLogo);
    EXPECT_TRUE(logoShows);
    EXPECT_TRUE(logoShowsAgain);
    EXPECT_EQ(gdiAfter, gdiOpen);
    EXPECT_EQ(afterTyping, "Ordanel Software");
    ASSERT_EQ(run.seen.size(), 1u);
    EXPECT_EQ(run.seen[0].title, "Acerca");
}

// ---- Start-up ----

struct StartUpLook {
    bool boardOpened = false;
    bool frameMinimised = false;
    std::string frameTitle;
    bool frameDisabled = false;
    bool bitmapsLoaded = false;
    bool iconsGiven = false;
    int32_t phase = 0;
};

int runEntry(const std::function<void(HWND board)> &leave, StartUpLook *look,
             const char *commandLine = "", int show = SW_SHOWDEFAULT) {
    headlessSetIdleHook([&]() {
        HWND board = headlessModalDialog();
        if (!look->boardOpened) {
            look->boardOpened = true;
            HWND frame = headlessFindWindow("quillmere");
            look->frameMinimised = frame && IsIconic(frame);
            look->frameDisabled = frame && !IsWindowEnabled(frame);
            char title[100] = "";
            GetWindowTextA(frame, title, sizeof title);
            look->frameTitle = title;
            HICON large = nullptr, small = nullptr;
            headlessWindowIcons(frame, &large, &small);
            look->iconsGiven = large && small;
            look->bitmapsLoaded = true;
            for (HBITMAP bitmap : boardBitmaps) {
                look->bitmapsLoaded = look->bitmapsLoaded && bitmap;
            }
            look->phase = GamePhase;
            leave(board);
        }
        PostMessageA(board, WM_NULL, 0, 0);
    });
    int status = WinMain(headlessInstance(), nullptr, (LPSTR)commandLine, show);
    headlessSetIdleHook(nullptr);
    return status;
}

TEST(StartUp, OpensTheBoardOverAMinimisedFrameAndEndsWithZeroEveryWay) {
    int index = 0;
    for (const Step &leave : waysOut) {
        resetEverything();
        appInstance = nullptr;
        int gdiBefore = liveGdiObjects();
        StartUpLook look;
        int status = runEntry(leave, &look, index % 2 ? "--whatever" : "", index % 2 ? 1 : 10);
        EXPECT_EQ(status, 0) << index;
        EXPECT_TRUE(look.boardOpened);
        EXPECT_TRUE(look.frameMinimised);
        EXPECT_TRUE(look.frameDisabled);
        EXPECT_EQ(look.frameTitle, "quillmere");
        EXPECT_TRUE(look.iconsGiven);
        EXPECT_TRUE(look.bitmapsLoaded);
        EXPECT_EQ(look.phase, ChoosingStarter);
        EXPECT_STREQ(windowClassName, "QUILLMERE");
        EXPECT_EQ(appInstance, headlessInstance());
        EXPECT_EQ(liveGdiObjects(), gdiBefore) << "bitmaps left after the end";
        index++;
        forgetBitmaps();
    }
}

TEST(StartUp, AFrameThatCannotBeCreatedEndsWithStatusOneAndOneLine) {
    resetEverything();
    headlessFailWindowCreation("no display here");
    StartUpLook look;
    testing::internal::CaptureStderr();
    int status = runEntry([](HWND d) { EndDialog(d, IDCANCEL); }, &look);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(status, 1);
    EXPECT_FALSE(look.boardOpened);
    // One line, with the reason.
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_EQ(err.rfind("quillmere: ", 0), 0u) << err;
    EXPECT_NE(err.find("no display here"), std::string::npos) << err;
    headlessFailWindowCreation(nullptr);
    forgetBitmaps();
}

TEST(StartUp, FrameProcedureOnlyQuitsOnDestroy) {
    resetEverything();
    EXPECT_EQ(frameWindowProc(nullptr, WM_DESTROY, 0, 0), 0);
}

} // namespace
