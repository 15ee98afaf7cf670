#include "board/commands.h"

#include "board/animation.h"
#include "board/painting.h"
#include "board/phases.h"
#include "game/board.h"
#include "game/think.h"
#include "resources/resource.h"
#include "shell/about.h"
#include "shell/app.h"
#include "shell/message.h"
#include "shell/texts.h"

const char gameOverTitle[] = "Fin del juego";

int32_t checkGameOver(HWND dialog, int32_t lastMover) {
    if (countSticks() != 0) {
        return 0;
    }
    if (lastMover == ComputerMoved) {
        MessageBeep(MB_ICONEXCLAMATION);
        showMessageDialog(dialog, playerWinsText, gameOverTitle, 600, 300, PlayerWinsStyle);
    } else {
        MessageBeep(MB_ICONASTERISK);
        showMessageDialog(dialog, computerWinsText, gameOverTitle, 700, 150, ComputerWinsStyle);
    }
    return 1;
}

static void confirmPlayerMove(HWND dialog) {
    countSticks();
    if (totalSelected == 0) {
        setControlText(dialog, IDC_STATUS, selectSomethingText);
        refreshBoard(dialog);
        return;
    }
    playRemovalAnimation(dialog);
    if (checkGameOver(dialog, PlayerMoved)) {
        startNewGame(dialog);
    } else {
        THINK(dialog);
        if (checkGameOver(dialog, ComputerMoved)) {
            startNewGame(dialog);
        }
    }
    refreshBoard(dialog);
}

static INT_PTR endGame(HWND dialog, int32_t id) {
    EndDialog(dialog, id);
    return TRUE;
}

static INT_PTR firstButton(HWND dialog, int32_t) {
    if (GamePhase == PlayerTurn) {
        confirmPlayerMove(dialog);
    } else {
        THINK(dialog);
        refreshBoard(dialog);
    }
    return FALSE;
}

static INT_PTR secondButton(HWND dialog, int32_t) {
    if (GamePhase == PlayerTurn) {
        startNewGame(dialog);
    } else {
        beginPlayerTurn(dialog);
    }
    refreshBoard(dialog);
    return FALSE;
}

static INT_PTR lever(HWND dialog, int32_t) {
    IqLevel = IqLevel == 0 ? 1 : 0;
    updateIqLabels(dialog);
    refreshBoard(dialog);
    return FALSE;
}

static INT_PTR showRules(HWND dialog, int32_t) {
    showMessageDialog(dialog, rulesText, "Reglas del juego", 500, 300, RulesStyle);
    return FALSE;
}

static INT_PTR showUsage(HWND dialog, int32_t) {
    showMessageDialog(dialog, usageText, "Manejo", 500, 250, UsageStyle);
    return FALSE;
}

static INT_PTR showAbout(HWND dialog, int32_t) {
    DialogBoxParamA(appInstance, MAKEINTRESOURCEA(IDD_ABOUT), dialog, aboutDialogProc, 0);
    return FALSE;
}

static INT_PTR clickStick(HWND dialog, StickSlot *slot, int32_t row) {
    if (GamePhase != PlayerTurn) {
        beginPlayerTurn(dialog);
    }
    if (slot->state != Removed) {
        if (lockedRow != -1 && lockedRow != row) {
            MessageBeep(MB_ICONEXCLAMATION);
            setControlText(dialog, IDC_STATUS, oneRowOnlyText);
        } else {
            if (slot->state == Selected) {
                slot->state = Present;
            } else {
                slot->state = Selected;
                lockedRow = row;
            }
            setControlText(dialog, IDC_STATUS, playerPromptText);
        }
    }
    countSticks();
    if (totalSelected == 0) {
        lockedRow = -1;
    }
    enableControl(dialog, IDC_FIRST_LABEL, totalSelected != 0);
    enableControl(dialog, IDC_FIRST_BUTTON, totalSelected != 0);
    refreshBoard(dialog);
    return TRUE;
}

struct BoardCommand {
    int32_t id;
    INT_PTR (*handle)(HWND dialog, int32_t id);
};

static const BoardCommand boardCommands[] = {
    {IDOK, endGame},
    {IDCANCEL, endGame},
    {IDM_EXIT, endGame},
    {IDC_FIRST_BUTTON, firstButton},
    {IDC_SECOND_BUTTON, secondButton},
    {IDC_LEVER, lever},
    {IDM_RULES, showRules},
    {IDM_USAGE, showUsage},
    {IDM_ABOUT, showAbout},
};

static INT_PTR handleCommand(HWND dialog, int32_t id) {
    for (const BoardCommand &command : boardCommands) {
        if (command.id == id) {
            return command.handle(dialog, id);
        }
    }
    int32_t row = -1;
    StickSlot *slot = findSlotByControl(&row, nullptr, (uint32_t)id);
    if (slot) {
        return clickStick(dialog, slot, row);
    }
    return FALSE;
}

INT_PTR CALLBACK boardDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        subclassFaceButtons(dialog);
        startNewGame(dialog);
        updateIqLabels(dialog);
        nameFaceButtons(dialog);
        return TRUE;
    case WM_PAINT:
        return paintBoard(dialog);
    case WM_COMMAND:
        return handleCommand(dialog, LOWORD(wParam));
    }
    return FALSE;
}
