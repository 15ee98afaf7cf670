#include "tests/support/board_screen.h"

#include <unistd.h>

#include "game/board.h"
#include "resources/resource.h"
#include "tests/support/dialog_units.h"

namespace {

const int boardClientHeight = 351;
const int baseX = 9, baseY = 17;

} // namespace

bool BoardOnScreen::find(std::string *why) {
    ResourceBytes bytes;
    if (!findResource(embeddedResourceImage(), ResourceTypeDialog, IDD_BOARD, &bytes, why) ||
        !decodeDialog(bytes, &template_, why)) {
        return false;
    }
    if (!findXWindow("Quillmere", &window_, 60000)) {
        *why = "the board's window did not show";
        return false;
    }
    return true;
}

ScreenRect BoardOnScreen::client() const {
    const int menuHeight = window_.height - boardClientHeight;
    return {window_.x, window_.y + menuHeight, window_.width, boardClientHeight};
}

ScreenRect BoardOnScreen::control(int id) const {
    for (const DialogItemTemplate &item : template_.items) {
        if (static_cast<int16_t>(item.id) == id) {
            PixelRect r = dialogUnitsToPixels(item.x, item.y, item.cx, item.cy, baseX, baseY);
            ScreenRect c = client();
            return {c.x + r.left, c.y + r.top, r.right - r.left, r.bottom - r.top};
        }
    }
    return {};
}

void BoardOnScreen::click(int id) const {
    ScreenRect r = control(id);
    clickAt(r.x + r.width / 2, r.y + r.height / 2);
    usleep(300000);
}

bool BoardOnScreen::stickPresent(const ScreenPicture &screen, int id) const {
    ScreenRect stick = control(id);
    uint32_t pixel = screen.at(stick.x + stick.width / 2, stick.y + stick.height / 2);
    return ((pixel >> 8) & 0xFF) >= 0x80 && (pixel >> 16) < 0x40;
}

std::vector<int> BoardOnScreen::presentSticks() const {
    std::vector<int> present;
    ScreenPicture screen;
    std::string why;
    if (grabScreen(&screen, &why)) {
        for (int id : stickControls) {
            if (stickPresent(screen, id)) {
                present.push_back(id);
            }
        }
    }
    return present;
}

// Its bottom line is drawn, not the board's grey.
bool BoardOnScreen::confirmShown() const {
    ScreenPicture screen;
    std::string why;
    ScreenRect button = control(IDC_FIRST_BUTTON);
    return grabScreen(&screen, &why) &&
           screen.at(button.x + button.width - 3, button.y + button.height - 1) != 0xC0C0C0u;
}
