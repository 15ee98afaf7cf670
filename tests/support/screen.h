// The private X server's screen as the tests see it: pictures of the root window (through
// ImageMagick's import), top-level windows found by their exact title, and mouse and keys sent
// with xdotool, so that the Linux program and the Windows program under Wine get the same input.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

struct ScreenPicture {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels; // 0x00RRGGBB, top row first

    uint32_t at(int x, int y) const; // 0xFF000000 off the picture
    // The part inside a rectangle, which must lie on the picture.
    ScreenPicture crop(int left, int top, int cropWidth, int cropHeight) const;
    bool operator==(const ScreenPicture &other) const {
        return width == other.width && height == other.height && pixels == other.pixels;
    }
};

// The whole screen now; false with a reason when it could not be read.
bool grabScreen(ScreenPicture *out, std::string *why);
// Writes a picture as a binary PPM, for looking at a difference by eye.
bool savePpm(const ScreenPicture &picture, const std::string &path);

struct ScreenRect {
    int x = 0, y = 0, width = 0, height = 0;
};
// The visible X window whose title is exactly this (Windows-1252 texts as UTF-8), and its id
// when asked; false when there is none within timeoutMs.
bool findXWindow(const std::string &title, ScreenRect *where, int timeoutMs,
                 unsigned long *id = nullptr);
// A click with the left button at a screen point.
void clickAt(int x, int y);
// Keys as xdotool names them ("alt+y", "Return", "r").
void pressKeys(const std::vector<std::string> &keys);
// Waits until two pictures of the screen taken apart are equal, at most timeoutMs.
bool waitUntilStill(int timeoutMs, ScreenPicture *still);
