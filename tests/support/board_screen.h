// The board's window on the private X server, for a program that shows it there (the Linux
// program, or the Windows one under Wine): where its controls are on the screen, from the
// template and the base units of its font (9 x 17 on both), clicks on them, and which sticks
// show their green face.
#pragma once

#include <string>
#include <vector>

#include "platform/resources/resfile.h"
#include "tests/support/screen.h"

class BoardOnScreen {
  public:
    // Waits for the window titled "Quillmere"; false with a reason when it does not show.
    bool find(std::string *why);
    // The X window holds the menu bar and the client area.
    ScreenRect window() const { return window_; }
    ScreenRect client() const;
    ScreenRect control(int id) const;
    // A click on a control's centre, with a pause for the program to take it.
    void click(int id) const;
    bool stickPresent(const ScreenPicture &screen, int id) const;
    // The sticks present on the screen now, in the order of stickControls.
    std::vector<int> presentSticks() const;
    // The first action button shows (THINK hides the action buttons while the computer plays).
    bool confirmShown() const;

  private:
    DialogTemplate template_;
    ScreenRect window_;
};
