// Touch hit-testing: where a finger's touch is taken, as Windows aims touch input.
#pragma once

#include "platform/window/window.h"

// The surface point that a touch at `point` of a top-level window's surface is taken at, for a
// finger whose contact has the given radius: the point itself when it lies on a control, else
// the nearest point of the nearest control that the contact meets.
POINT aimTouch(const Window *topLevel, POINT point, int radius);
