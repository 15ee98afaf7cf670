// The skill lever: a handle on a pivot in a bracket, pointing up-left or down-left.
#include "tools/pixels/pictures.h"

#include <math.h>

Canvas drawLever(bool handleDown) {
    const int S = 48;
    Canvas c(S, S, Silver);
    // The bracket: a grey plate with a slot, fixed to the right, with two screws.
    const Mask plate = maskOf(S, S, rectShape(27, 6, 43, 42));
    paintOutlined(c, plate, Grey, Black);
    for (int y = 7; y < 41; ++y)
        c.set(28, y, White);
    for (int x = 28; x < 42; ++x)
        c.set(x, 7, White);
    const Mask slot = maskOf(S, S, rectShape(30, 10, 34, 38));
    paint(c, slot, Black);
    for (double sy : {10.0, 37.0}) {
        const Mask screw = maskOf(S, S, disc(39, sy, 2));
        paintOutlined(c, screw, Silver, Black);
        c.set(38, int(sy), Black);
        c.set(39, int(sy), Black);
    }
    // The handle: a rod from the pivot to a round red knob.
    const Point pivot = {32, 24};
    const Point knob = handleDown ? Point{9, 39} : Point{9, 9};
    const Mask rod = maskOf(S, S, strokeShape({pivot, knob}, 2.2));
    paintOutlined(c, rod, Silver, Black);
    const Mask highlight = maskOf(
        S, S,
        strokeShape({{pivot.x - 2, pivot.y + (handleDown ? -1 : -1)}, {knob.x + 3, knob.y - 1}},
                    0.5));
    paint(c, subtract(highlight, edgeOf(rod)), White);
    const Mask ball = maskOf(S, S, disc(knob.x, knob.y, 5.5));
    paintOutlined(c, ball, Red, Black);
    paint(c, maskOf(S, S, disc(knob.x + 2, knob.y + 2, 2.5)), Maroon);
    paint(c, maskOf(S, S, disc(knob.x - 1.5, knob.y - 1.5, 1.5)), White);
    paint(c, edgeOf(ball), Black);
    const Mask hub = maskOf(S, S, disc(pivot.x, pivot.y, 4));
    paintOutlined(c, hub, Navy, Black);
    c.set(31, 23, Blue);
    return c;
}
