// The board dialog's message handler: the turn flow of the game.
#pragma once

#include <stdint.h>

#include "platform/win32.h"

enum LastMover { ComputerMoved = 1, PlayerMoved = 2 };

extern const char gameOverTitle[];

// When no stick is left, the side that moved last has lost: beeps, shows the result and
// returns 1 once the message is closed. Returns 0 while the game goes on.
int32_t checkGameOver(HWND dialog, int32_t lastMover);
INT_PTR CALLBACK boardDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
