#include "board/phases.h"

#include "board/painting.h"
#include "resources/resource.h"

int32_t GamePhase = 0;
int32_t lockedRow = -1;

const char whoStartsText[] = "\xBFQu\xED"
                             "en comienza?";
const char makerLabelText[] = "Ordanel Software";
const char playerLabelText[] = "Tu";
const char playerPromptText[] = "TE TOCA A TI: Selecciona palitos (en una linea)";
const char confirmLabelText[] = "S\xED"
                                ", remueveme estos";
const char restartLabelText[] = "Reinicia";
const char oneRowOnlyText[] = "\xA1Solo de UNA linea horizontal!";
const char selectSomethingText[] = "\xA1"
                                   "Debes seleccionar por lo menos un palito!";
const char thinkingText[] = "ORDANEL SOFTWARE: ............";

void setControlText(HWND dialog, int32_t id, const char *text) {
    HWND control = GetDlgItem(dialog, id);
    if (control) {
        SetWindowTextA(control, text);
    }
}

void showControl(HWND dialog, int32_t id, int32_t show) {
    HWND control = GetDlgItem(dialog, id);
    if (control) {
        ShowWindow(control, show ? SW_SHOW : SW_HIDE);
    }
}

void enableControl(HWND dialog, int32_t id, int32_t enable) {
    HWND control = GetDlgItem(dialog, id);
    if (control) {
        EnableWindow(control, enable);
    }
}

void startNewGame(HWND dialog) {
    enableControl(dialog, IDC_FIRST_LABEL, 1);
    enableControl(dialog, IDC_FIRST_BUTTON, 1);
    enableControl(dialog, IDC_SECOND_LABEL, 1);
    enableControl(dialog, IDC_SECOND_BUTTON, 1);
    setControlText(dialog, IDC_STATUS, whoStartsText);
    setControlText(dialog, IDC_FIRST_LABEL, makerLabelText);
    setControlText(dialog, IDC_SECOND_LABEL, playerLabelText);
    GamePhase = ChoosingStarter;
    lockedRow = -1;
    computerMoves = 0;
    resetBoard();
    loadBitmaps();
}

void beginPlayerTurn(HWND dialog) {
    GamePhase = PlayerTurn;
    setControlText(dialog, IDC_STATUS, playerPromptText);
    setControlText(dialog, IDC_FIRST_LABEL, confirmLabelText);
    enableControl(dialog, IDC_FIRST_LABEL, 0);
    enableControl(dialog, IDC_FIRST_BUTTON, 0);
    setControlText(dialog, IDC_SECOND_LABEL, restartLabelText);
    lockedRow = -1;
}

void updateIqLabels(HWND dialog) {
    enableControl(dialog, IDC_LEVER_LOW, IqLevel == 0);
    enableControl(dialog, IDC_LEVER_HIGH, IqLevel != 0);
}
