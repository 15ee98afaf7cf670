// The phases of the board dialog, the texts it shows in each, and the control helpers through
// which the game writes to the dialog's controls.
#pragma once

#include <stdint.h>

#include "game/board.h"
#include "platform/win32.h"

enum { ChoosingStarter = 1, PlayerTurn = 2 };

// The phase of the board dialog: 0 until it is first initialised, then ChoosingStarter or
// PlayerTurn.
extern int32_t GamePhase;
// The row that holds the current selection, or -1 when nothing is selected.
extern int32_t lockedRow;

// Texts of the board dialog, Windows-1252.
extern const char whoStartsText[];
extern const char makerLabelText[];
extern const char playerLabelText[];
extern const char playerPromptText[];
extern const char confirmLabelText[];
extern const char restartLabelText[];
extern const char oneRowOnlyText[];
extern const char selectSomethingText[];
extern const char thinkingText[];

// Each looks the control up by id and does nothing when the dialog has no such control.
void setControlText(HWND dialog, int32_t id, const char *text);
void showControl(HWND dialog, int32_t id, int32_t show);
void enableControl(HWND dialog, int32_t id, int32_t enable);

// A fresh board in ChoosingStarter; does not repaint and leaves IqLevel alone.
void startNewGame(HWND dialog);
// The player's turn with nothing selected.
void beginPlayerTurn(HWND dialog);
// Enables the lever label that matches IqLevel and greys the other.
void updateIqLabels(HWND dialog);
