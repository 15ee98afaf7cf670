// Painting as the board relies on it: invalidation of children, UpdateWindow's order, the
// validation of a child painted from inside its parent's paint, default paints, uncovering,
// and object counts after a paint.
#include "tests/platform/harness.h"
#include "tools/template-picture/faces.h"

namespace {

std::vector<std::string> paints;

LRESULT CALLBACK recordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        char name[32];
        GetWindowTextA(window, name, sizeof name);
        paints.push_back(name);
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        if (std::string(name) == "parent-paints-a") {
            // Paints child "a" from inside the parent's paint; that validates it.
            PAINTSTRUCT inner;
            HWND child = GetDlgItem(window, 1);
            HDC dc = BeginPaint(child, &inner);
            fillSolidRect(dc, {0, 0, 10, 10}, RGB(255, 0, 0));
            EndPaint(child, &inner);
        }
        EndPaint(window, &paint);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class PaintTest : public HeadlessTest {
  protected:
    HWND parent = nullptr, a = nullptr, b = nullptr;

    void build(const char *parentName, DWORD parentStyle) {
        WNDCLASSEXA c{};
        c.cbSize = sizeof c;
        c.lpfnWndProc = recordingProc;
        c.lpszClassName = "RECORDING";
        RegisterClassExA(&c);
        parent = CreateWindowExA(0, "RECORDING", parentName, WS_POPUP | parentStyle, 10, 10, 100,
                                 100, nullptr, nullptr, headlessInstance(), nullptr);
        a = CreateWindowExA(0, "RECORDING", "a", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, parent,
                            reinterpret_cast<HMENU>(1), headlessInstance(), nullptr);
        b = CreateWindowExA(0, "RECORDING", "b", WS_CHILD | WS_VISIBLE, 30, 0, 20, 20, parent,
                            reinterpret_cast<HMENU>(2), headlessInstance(), nullptr);
        ShowWindow(parent, SW_SHOW);
        UpdateWindow(parent);
        paints.clear();
    }
};

TEST_F(PaintTest, UpdateWindowPaintsTheInvalidTreeParentFirstBeforeItReturns) {
    build("parent", 0);
    InvalidateRgn(parent, nullptr, FALSE);
    EXPECT_EQ(paints.size(), 0u);
    UpdateWindow(parent);
    EXPECT_EQ(paints, (std::vector<std::string>{"parent", "a", "b"}));
    paints.clear();
    UpdateWindow(parent); // all valid now
    EXPECT_TRUE(paints.empty());
}

TEST_F(PaintTest, ClipChildrenKeepsTheChildrenValid) {
    build("parent", WS_CLIPCHILDREN);
    InvalidateRgn(parent, nullptr, FALSE);
    UpdateWindow(parent);
    EXPECT_EQ(paints, std::vector<std::string>{"parent"});
}

TEST_F(PaintTest, HiddenChildrenAreNotInvalidatedOrPainted) {
    build("parent", 0);
    ShowWindow(b, SW_HIDE);
    UpdateWindow(parent);
    paints.clear();
    InvalidateRgn(parent, nullptr, FALSE);
    UpdateWindow(parent);
    EXPECT_EQ(paints, (std::vector<std::string>{"parent", "a"}));
}

TEST_F(PaintTest, AChildPaintedInsideItsParentsPaintIsValidatedAndKeepsThePicture) {
    build("parent-paints-a", 0);
    InvalidateRgn(parent, nullptr, FALSE);
    UpdateWindow(parent);
    EXPECT_EQ(paints, (std::vector<std::string>{"parent-paints-a", "b"}));
    EXPECT_EQ(headlessPixel(a, 5, 5), 0xFF0000u);
}

TEST_F(PaintTest, DeviceContextsAreAtTheClientOriginAndClippedToTheWindow) {
    build("parent", 0);
    HDC dc = GetDC(a);
    fillSolidRect(dc, {-50, -50, 500, 500}, RGB(0, 0, 255));
    ReleaseDC(a, dc);
    EXPECT_EQ(headlessPixel(a, 0, 0), 0x0000FFu);
    EXPECT_EQ(headlessPixel(a, 19, 19), 0x0000FFu);
    EXPECT_NE(headlessPixel(parent, 25, 5), 0x0000FFu);
    EXPECT_NE(headlessPixel(parent, 5, 25), 0x0000FFu);
}

TEST_F(PaintTest, UncoveringRepaintsTheWindowAndItsChildren) {
    build("parent", 0);
    headlessUncover(parent);
    // The paint comes from the modal loop or UpdateWindow.
    UpdateWindow(parent);
    EXPECT_EQ(paints, (std::vector<std::string>{"parent", "a", "b"}));
}

TEST_F(PaintTest, NullAndUnknownHandlesFail) {
    HWND unknown = reinterpret_cast<HWND>(0x4321);
    PAINTSTRUCT paint;
    paint.hdc = reinterpret_cast<HDC>(1);
    EXPECT_EQ(BeginPaint(unknown, &paint), nullptr);
    EXPECT_EQ(paint.hdc, nullptr);
    EXPECT_EQ(BeginPaint(nullptr, nullptr), nullptr);
    EXPECT_FALSE(EndPaint(unknown, nullptr));
    EXPECT_FALSE(InvalidateRgn(unknown, nullptr, FALSE));
    EXPECT_FALSE(InvalidateRgn(nullptr, nullptr, FALSE));
    EXPECT_FALSE(InvalidateRect(unknown, nullptr, TRUE));
    EXPECT_FALSE(UpdateWindow(unknown));
    EXPECT_EQ(GetDC(unknown), nullptr);
    EXPECT_EQ(ReleaseDC(unknown, nullptr), 0);
}

// The board's paint: faces stretched into the stick buttons from inside the dialog's paint,
// then FALSE for the default paint.
HBITMAP present, lever;

TEST_F(HeadlessTest, TheBoardPaintShowsItsFacesAndLeavesNoObjectsBehind) {
    present = LoadBitmapA(headlessInstance(), MAKEINTRESOURCEA(130));
    lever = LoadBitmapA(headlessInstance(), MAKEINTRESOURCEA(151));
    ASSERT_NE(present, nullptr);
    ASSERT_NE(lever, nullptr);
    const Surface *face = bitmapSurface(present);
    ASSERT_NE(face, nullptr);
    setDialogHandler([](HWND dialog, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message == WM_PAINT) {
            for (int id : {1000, 1005, 1016}) {
                paintFace(dialog, id, present);
            }
            paintFace(dialog, 1024, lever);
        }
        return FALSE;
    });
    int step = 0, objects = 0, contexts = 0;
    headlessSetIdleHook([&] {
        HWND dialog = headlessModalDialog();
        if (step++ == 0) {
            objects = liveGdiObjects();
            contexts = liveDeviceContexts();
            InvalidateRgn(dialog, nullptr, FALSE);
            UpdateWindow(dialog);
            EXPECT_EQ(liveGdiObjects(), objects);
            EXPECT_EQ(liveDeviceContexts(), contexts);
            HWND stick = GetDlgItem(dialog, 1005);
            RECT r;
            GetClientRect(stick, &r);
            for (int y = 0; y < r.bottom; ++y) {
                for (int x = 0; x < r.right; ++x) {
                    // The source pixel under the centre, ties going to the lower one.
                    int sx = ((2 * x + 1) * face->width - 1) / (2 * r.right);
                    int sy = ((2 * y + 1) * face->height - 1) / (2 * r.bottom);
                    ASSERT_EQ(headlessPixel(stick, x, y),
                              face->pixels[static_cast<size_t>(sy) * face->width + sx])
                        << x << "," << y;
                }
            }
            headlessUncover(dialog);
        } else {
            HWND stick = GetDlgItem(dialog, 1000);
            EXPECT_EQ(headlessPixel(stick, 0, 0), face->pixels[0]);
            EndDialog(dialog, 0);
        }
    });
    runDialog(129);
    DeleteObject(present);
    DeleteObject(lever);
}

} // namespace
