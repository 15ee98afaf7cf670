// Where the controls of the board dialog land: under Wine, as the probe reads them, against the
// dialog-unit rules with Wine's base units, and against what the portable layer makes of the
// same template.
#include <gtest/gtest.h>

#include <stdio.h>

#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "platform/resources/resfile.h"
#include "platform/win32.h"
#include "tests/support/dialog_units.h"
#include "tests/windows/probe_lines.h"
#include "tests/windows/wine_program.h"

namespace {

struct LayoutRecord {
    DialogTemplate board;
    std::vector<PixelRect> rects; // in the template's order
    std::vector<bool> found;
    PixelRect client;
};

LayoutRecord *recording;

INT_PTR CALLBACK recordLayout(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message != WM_INITDIALOG) {
        return FALSE;
    }
    for (const DialogItemTemplate &item : recording->board.items) {
        HWND control = GetDlgItem(dialog, static_cast<int16_t>(item.id));
        if (!control) {
            control = GetDlgItem(dialog, item.id);
        }
        PixelRect rect;
        if (control) {
            RECT box;
            GetWindowRect(control, &box);
            POINT corners[2] = {{box.left, box.top}, {box.right, box.bottom}};
            ScreenToClient(dialog, &corners[0]);
            ScreenToClient(dialog, &corners[1]);
            rect = {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
        }
        recording->rects.push_back(rect);
        recording->found.push_back(control != nullptr);
    }
    RECT client;
    GetClientRect(dialog, &client);
    recording->client = {client.left, client.top, client.right, client.bottom};
    EndDialog(dialog, 0);
    return TRUE;
}

// The portable layer's rectangles for template 129, read in its own WM_INITDIALOG.
LayoutRecord portableLayout(const DialogTemplate &board) {
    LayoutRecord record;
    record.board = board;
    headlessReset();
    recording = &record;
    DialogBoxParamA(headlessInstance(), MAKEINTRESOURCEA(129), nullptr, recordLayout, 0);
    recording = nullptr;
    headlessReset();
    return record;
}

std::string shown(const PixelRect &r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

TEST_F(WineProgram, ControlRectanglesFollowTheDialogUnitsAndMatchThePortableLayer) {
    std::vector<ProbeLine> lines =
        probe({"controls", "baseunits", "12", "Times New Roman", "key", escapeKey});
    EXPECT_EQ(session->programStatus(), 0);

    ResourceBytes bytes;
    DialogTemplate board;
    std::string why;
    ASSERT_TRUE(findResource(embeddedResourceImage(), ResourceTypeDialog, 129, &bytes, &why))
        << why;
    ASSERT_TRUE(decodeDialog(bytes, &board, &why)) << why;

    const ProbeLine *units = nullptr;
    for (const ProbeLine &line : lines) {
        if (line.kind == "baseunits") {
            units = &line;
        }
    }
    ASSERT_NE(units, nullptr);
    const int baseX = units->number("x"), baseY = units->number("y");

    std::vector<ProbeLine> wine = controlBlock(lines, 0);
    ASSERT_EQ(wine.size(), board.items.size());
    LayoutRecord portable = portableLayout(board);
    ASSERT_EQ(portable.rects.size(), board.items.size());

    printf("base units under Wine: %d x %d (%s)\n", baseX, baseY, units->field("face").c_str());
    printf("%6s %-20s %-20s %-20s\n", "id", "Wine", "dialog units", "portable layer");
    for (size_t i = 0; i < board.items.size(); ++i) {
        const DialogItemTemplate &item = board.items[i];
        const int id = static_cast<int16_t>(item.id);
        PixelRect atWine;
        ASSERT_TRUE(parseRect(wine[i].field("rect"), &atWine)) << wine[i].field("rect");
        EXPECT_EQ(wine[i].number("id"), id) << "the probe lists the controls in template order";
        const PixelRect byUnits =
            dialogUnitsToPixels(item.x, item.y, item.cx, item.cy, baseX, baseY);
        printf("%6d %-20s %-20s %-20s\n", id, shown(atWine).c_str(), shown(byUnits).c_str(),
               portable.found[i] ? shown(portable.rects[i]).c_str() : "missing");
        EXPECT_EQ(atWine, byUnits) << "control " << id << " under Wine";
        EXPECT_TRUE(portable.found[i]) << "control " << id << " in the portable layer";
        EXPECT_EQ(portable.rects[i], atWine) << "control " << id;
    }
    const ProbeLine *dialog = nullptr;
    for (const ProbeLine &line : lines) {
        if (line.kind == "dialog") {
            dialog = &line;
        }
    }
    ASSERT_NE(dialog, nullptr);
    const PixelRect byUnits = dialogUnitsToPixels(0, 0, board.cx, board.cy, baseX, baseY);
    EXPECT_EQ(dialog->field("client"),
              std::to_string(byUnits.right) + "," + std::to_string(byUnits.bottom));
    EXPECT_EQ(portable.client, byUnits) << "client area of the board";
}

} // namespace
