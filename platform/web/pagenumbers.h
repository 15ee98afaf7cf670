// Inside the web backend: the bits of a window's flags and of the modifier keys, as the program
// and the page's script pass them. tools/pagenumbers writes these into the script when the page
// is built, with the input kinds (InputEvent::Kind), the VK_ codes and the MB_ beep types.
#pragma once

enum PageWindowFlag { PageWindowVisible = 1, PageWindowMinimised = 2 };
enum PageModifier { PageShift = 1, PageControl = 2, PageAlt = 4 };
