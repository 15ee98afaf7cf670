// The computer's whole turn on the board dialog.
#pragma once

#include "game/choose.h"
#include "platform/win32.h"

// The move choice that THINK asks; tests put a chooser of their own here.
extern void (*computerMoveChooser)(ComputerMove *move);

// Shows that the computer is thinking, pauses, chooses, marks and removes its sticks and hands
// the turn back to the player.
void THINK(HWND dialog);
