// Shared pieces of the window layer's suites: a fresh headless backend per test, a dialog
// procedure that each test fills in, and the templates' expected pixel geometry.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/gdi/gdi.h"
#include "tests/support/steps.h"

class HeadlessTest : public ::testing::Test {
  protected:
    void SetUp() override { headlessReset(); }
    void TearDown() override { headlessReset(); }
};

// What the current test's dialog procedure does; messages it does not take return FALSE.
using DialogHandler = std::function<INT_PTR(HWND, UINT, WPARAM, LPARAM)>;
void setDialogHandler(DialogHandler handler);
INT_PTR CALLBACK testDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Every WM_COMMAND id the test dialog procedure received, in order.
extern std::vector<int> commands;

// Runs a template with testDialogProc. Commands IDOK and IDCANCEL end it with their id unless
// the handler takes them.
INT_PTR runDialog(int templateId, HWND owner = nullptr);
// The same with steps at its waits; after the last it ends with IDCANCEL unless a step ended it.
INT_PTR runSteps(int templateId, const std::vector<Step> &steps);

// A child's rectangle in its dialog's client coordinates.
RECT childRect(HWND child);

// Dialog units to pixels in the base units of a template font.
SIZE baseUnitsOf(const char *face, int pointSize);

// The number of pixels of a colour (0x00RRGGBB) in a window's picture.
int countPixels(HWND window, uint32_t pixel);
