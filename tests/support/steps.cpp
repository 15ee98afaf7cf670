#include "tests/support/steps.h"

#include <gtest/gtest.h>

void StepRun::run(const std::vector<Step> &steps, const std::function<void()> &open) {
    HWND lastNested = nullptr;
    headlessSetIdleHook([&] {
        HWND modal = headlessModalDialog();
        if (!first) {
            first = modal;
        }
        if (modal != first) {
            if (modal != lastNested && onNestedOpens) {
                onNestedOpens(modal);
            }
            lastNested = modal;
            if (onNested) {
                onNested(modal);
            } else {
                headlessKey(VK_RETURN);
            }
            PostMessageA(modal, WM_NULL, 0, 0);
            return;
        }
        lastNested = nullptr;
        if (beforeEach) {
            beforeEach(first);
        }
        if (onEveryWait) {
            onEveryWait(first);
        } else if (nrRun < steps.size()) {
            steps[nrRun++](first);
        } else {
            endedByRun = true;
            EndDialog(first, IDCANCEL);
        }
        // Something for the loop to take, so that it looks at the dialog's state again.
        PostMessageA(first, WM_NULL, 0, 0);
    });
    open();
    headlessSetIdleHook(nullptr);
}

void clickControl(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    ASSERT_NE(control, nullptr) << id;
    headlessClickCentre(control);
}

void postCommand(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, id, 0);
}

void clickMenu(HWND dialog, int barIndex, int entryIndex) {
    headlessClickMenuBar(dialog, barIndex);
    headlessClickMenuEntry(dialog, barIndex, entryIndex, headlessNow() + 10);
}

std::string controlText(HWND dialog, int id) {
    char text[2100] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

bool controlEnabled(HWND dialog, int id) {
    return IsWindowEnabled(GetDlgItem(dialog, id)) != 0;
}

bool controlVisible(HWND dialog, int id) {
    return IsWindowVisible(GetDlgItem(dialog, id)) != 0;
}
