// The program's pictures, drawn from simple shapes. Each returns a finished canvas.
//
// To change a picture, edit its function (sticks.cpp, lever.cpp, logo.cpp, icons.cpp) and
// rebuild: the build reruns this generator and the resource compiler. Then look at the result
// with the contact sheet (cmake --build <build> --target contact_sheet).
#pragma once

#include "tools/pixels/canvas.h"

// 12 x 48 stick faces and removal frames on silver.
Canvas drawPresent();
Canvas drawSelected();
Canvas drawRemoved();
Canvas drawLightning();
Canvas drawHolesFew();
Canvas drawHolesLarge();
Canvas drawHolesRemnants();
Canvas drawGridCoarse();
Canvas drawGridFine();
Canvas drawGridStrips();
Canvas drawBurstSmall();
Canvas drawBurstLarge();
Canvas drawCurled();
Canvas drawFragmentsTwo();
Canvas drawFragmentOne();
Canvas drawSparks();
// 48 x 48: silver left quarter with a red wisp, the rest white.
Canvas drawWisp();

// 48 x 48 lever pictures; up is IqLevel 0, down IqLevel 1.
Canvas drawLever(bool handleDown);

// 320 x 240 maker's logo.
Canvas drawLogo();

// Icons on index 0; *transparent receives the mask. nrRows 4 gives 32 x 32, 3 gives 16 x 16.
Canvas drawIcon(int nrRows, Mask *transparent);
