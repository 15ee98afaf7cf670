// Window objects, classes, resources by number and the failure values of bad handles.
#include "tests/platform/harness.h"

#include <stdio.h>

namespace {

TEST_F(HeadlessTest, TheFrameWindowIsCreatedMinimisedWithItsClassMenuAndIcons) {
    WNDCLASSEXA c{};
    c.cbSize = sizeof c;
    c.style = CS_HREDRAW | CS_VREDRAW;
    c.lpfnWndProc = DefWindowProcA;
    c.hInstance = headlessInstance();
    c.hIcon = LoadIconA(headlessInstance(), MAKEINTRESOURCEA(107));
    c.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    c.lpszMenuName = MAKEINTRESOURCEA(109);
    c.lpszClassName = "QUILLMERE";
    c.hIconSm = LoadIconA(headlessInstance(), MAKEINTRESOURCEA(108));
    ASSERT_NE(c.hIcon, nullptr);
    ASSERT_NE(c.hIconSm, nullptr);
    ASSERT_NE(c.hCursor, nullptr);
    ASSERT_NE(RegisterClassExA(&c), 0);
    EXPECT_EQ(RegisterClassExA(&c), 0); // the name is taken
    HWND frame = CreateWindowExA(0, "QUILLMERE", "quillmere", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0,
                                 CW_USEDEFAULT, 0, nullptr, nullptr, headlessInstance(), nullptr);
    ASSERT_NE(frame, nullptr);
    EXPECT_FALSE(IsWindowVisible(frame));
    ShowWindow(frame, SW_MINIMIZE);
    EXPECT_TRUE(IsWindowVisible(frame));
    EXPECT_TRUE(IsIconic(frame));
    EXPECT_EQ(headlessFindWindow("quillmere"), frame);
    HICON large = nullptr, small = nullptr;
    headlessWindowIcons(frame, &large, &small);
    EXPECT_EQ(large, c.hIcon);
    EXPECT_EQ(small, c.hIconSm);
    IconPixels pixels;
    ASSERT_TRUE(iconPixels(large, &pixels));
    EXPECT_EQ(pixels.width, 32);
    // Sizing frame 4, caption 19, menu bar 19 around the client area.
    RECT outer, client;
    GetWindowRect(frame, &outer);
    GetClientRect(frame, &client);
    EXPECT_EQ(outer.right - outer.left, client.right + 8);
    EXPECT_EQ(outer.bottom - outer.top, client.bottom + 8 + 19 + 19);
}

TEST_F(HeadlessTest, AWindowTheBackendCannotMakeFailsWithItsReason) {
    WNDCLASSEXA c{};
    c.cbSize = sizeof c;
    c.lpfnWndProc = DefWindowProcA;
    c.lpszClassName = "X";
    RegisterClassExA(&c);
    headlessFailWindowCreation("no display");
    EXPECT_EQ(CreateWindowExA(0, "X", "x", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr, nullptr,
                              headlessInstance(), nullptr),
              nullptr);
    EXPECT_EQ(headlessLastWindowFailure(), "no display");
    EXPECT_TRUE(headlessTopLevelWindows().empty());
    headlessFailWindowCreation(nullptr);
    EXPECT_NE(CreateWindowExA(0, "X", "x", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr, nullptr,
                              headlessInstance(), nullptr),
              nullptr);
    EXPECT_EQ(CreateWindowExA(0, "NOCLASS", "x", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
              nullptr);
}

TEST_F(HeadlessTest, ResourcesLoadByNumberAndFailuresLeaveTargetsEmpty) {
    char buffer[100];
    EXPECT_EQ(LoadStringA(headlessInstance(), 103, buffer, sizeof buffer), 9);
    EXPECT_STREQ(buffer, "quillmere");
    EXPECT_EQ(LoadStringA(headlessInstance(), 109, buffer, 5), 4);
    EXPECT_STREQ(buffer, "QUIL");
    EXPECT_EQ(LoadStringA(headlessInstance(), 4242, buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(LoadStringA(nullptr, 103, buffer, sizeof buffer), 0);
    HBITMAP stick = LoadBitmapA(headlessInstance(), MAKEINTRESOURCEA(130));
    ASSERT_NE(stick, nullptr);
    BITMAP info{};
    EXPECT_GT(GetObjectA(stick, sizeof info, &info), 0);
    EXPECT_EQ(info.bmWidth, 12);
    EXPECT_EQ(info.bmHeight, 48);
    DeleteObject(stick);
    EXPECT_EQ(LoadBitmapA(headlessInstance(), MAKEINTRESOURCEA(4242)), nullptr);
    EXPECT_EQ(LoadIconA(headlessInstance(), MAKEINTRESOURCEA(4242)), nullptr);
    EXPECT_EQ(LoadCursorA(headlessInstance(), IDC_ARROW), nullptr);
}

TEST_F(HeadlessTest, NullAndUnknownWindowsGiveTheFailureValues) {
    for (HWND bad : {static_cast<HWND>(nullptr), reinterpret_cast<HWND>(0x777)}) {
        char text[8] = "keep";
        RECT r{1, 2, 3, 4};
        POINT p{5, 6};
        EXPECT_EQ(GetWindowTextA(bad, text, sizeof text), 0);
        EXPECT_STREQ(text, "");
        EXPECT_FALSE(SetWindowTextA(bad, "x"));
        EXPECT_FALSE(ShowWindow(bad, SW_SHOW));
        EXPECT_FALSE(EnableWindow(bad, TRUE));
        EXPECT_FALSE(IsWindow(bad));
        EXPECT_FALSE(IsWindowVisible(bad));
        EXPECT_FALSE(IsWindowEnabled(bad));
        EXPECT_FALSE(GetClientRect(bad, &r));
        EXPECT_EQ(r.right, 0);
        EXPECT_FALSE(GetWindowRect(bad, &r));
        EXPECT_FALSE(ClientToScreen(bad, &p));
        EXPECT_FALSE(SetWindowPos(bad, HWND_TOP, 0, 0, 1, 1, 0));
        EXPECT_EQ(GetDlgItem(bad, 1), nullptr);
        EXPECT_EQ(SendMessageA(bad, WM_GETTEXTLENGTH, 0, 0), 0);
        EXPECT_FALSE(PostMessageA(bad, WM_COMMAND, 0, 0));
        EXPECT_FALSE(DestroyWindow(bad));
        EXPECT_EQ(GetParent(bad), nullptr);
    }
    EXPECT_EQ(SetFocus(reinterpret_cast<HWND>(0x777)), nullptr);
}

TEST_F(HeadlessTest, APictureOfAWindowIsSavedAsPng) {
    headlessSetIdleHook([] {
        HWND dialog = headlessModalDialog();
        const char *path = "platform_test_picture.png";
        EXPECT_TRUE(headlessSavePng(dialog, path));
        FILE *file = fopen(path, "rb");
        ASSERT_NE(file, nullptr);
        unsigned char signature[4] = {};
        EXPECT_EQ(fread(signature, 1, 4, file), 4u);
        fclose(file);
        remove(path);
        EXPECT_EQ(signature[1], 'P');
        EndDialog(dialog, 0);
    });
    runDialog(129);
}

} // namespace
