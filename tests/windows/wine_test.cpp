// The Windows program under Wine: it starts with the board dialog over a minimised frame, a stick
// click and the action buttons drive the game, and it ends with status 0. The probe reads the
// dialog's controls from outside, as another Windows program would.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "game/board.h"
#include "tests/windows/probe_lines.h"
#include "tests/windows/wine_program.h"

namespace {

const char statusChoosing[] = "\xbfQu\xed"
                              "en comienza?";
const char statusPlayer[] = "TE TOCA A TI: Selecciona palitos (en una linea)";
const char statusThinking[] = "ORDANEL SOFTWARE: ............";
const char labelConfirm[] = "S\xed, remueveme estos";

const ProbeLine *firstOfKind(const std::vector<ProbeLine> &lines, const std::string &kind) {
    for (const ProbeLine &line : lines) {
        if (line.kind == kind) {
            return &line;
        }
    }
    return nullptr;
}

struct ExpectedControl {
    int id;
    const char *text;
    bool enabled;
};

void expectControls(const std::vector<ProbeLine> &block, const std::vector<ExpectedControl> &want,
                    const char *situation) {
    for (const ExpectedControl &expected : want) {
        const ProbeLine *control = controlById(block, expected.id);
        ASSERT_NE(control, nullptr) << situation << ": no control " << expected.id;
        if (expected.text) {
            EXPECT_EQ(control->field("text"), expected.text)
                << situation << ": text of " << expected.id;
        }
        EXPECT_EQ(control->number("enabled"), expected.enabled ? 1 : 0)
            << situation << ": enabling of " << expected.id;
        EXPECT_EQ(control->number("visible"), 1) << situation << ": visibility of " << expected.id;
    }
}

TEST_F(WineProgram, OpensTheBoardOverAMinimisedFrameAndEndsOnEscape) {
    std::vector<ProbeLine> lines = probe({"controls", "key", escapeKey});

    const ProbeLine *dialog = firstOfKind(lines, "dialog");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->field("title"), "Quillmere");
    EXPECT_EQ(dialog->field("class"), "#32770");
    EXPECT_EQ(dialog->number("menu"), 1);
    const ProbeLine *owner = firstOfKind(lines, "owner");
    ASSERT_NE(owner, nullptr);
    EXPECT_EQ(owner->field("title"), "quillmere");
    EXPECT_EQ(owner->field("class"), "QUILLMERE");
    EXPECT_EQ(owner->number("minimized"), 1);
    EXPECT_EQ(owner->number("enabled"), 0) << "a modal dialog disables its owner";

    std::vector<ProbeLine> controls = controlBlock(lines, 0);
    EXPECT_EQ(controls.size(), 26u);
    expectControls(controls,
                   {{1022, statusChoosing, true},
                    {1018, "Ordanel Software", true},
                    {1009, "", true},
                    {1019, "Tu", true},
                    {1017, "", true},
                    {1026, "bajo", true},
                    {1025, "m\xe1s alto", false},
                    {-1, "IQ Ordanel", true},
                    {2, "Salir", true}},
                   "at the start");
    for (int id : stickControls) {
        expectControls(controls, {{id, nullptr, true}}, "at the start");
    }
    EXPECT_EQ(session->programStatus(), 0);
}

TEST_F(WineProgram, StickClickThenFirstButtonPlaysOneRoundAndEscapeEnds) {
    std::vector<ProbeLine> lines =
        probe({"click", "1000", "controls", "click", "1009", "controls", "key", escapeKey});

    expectControls(controlBlock(lines, 0),
                   {{1022, statusPlayer, true},
                    {1018, labelConfirm, true},
                    {1009, "", true},
                    {1019, "Reinicia", true},
                    {1017, "", true}},
                   "after a stick click");

    // While the computer thinks, the status says so and the action buttons are hidden.
    bool sawThinking = false;
    for (const ProbeLine &line : lines) {
        if (line.kind == "seen" && line.field("status") == statusThinking &&
            line.field("hidden") == "1009,1017,1018,1019") {
            sawThinking = true;
        }
    }
    EXPECT_TRUE(sawThinking) << "no sign of the computer's turn";

    expectControls(controlBlock(lines, 1),
                   {{1022, statusPlayer, true},
                    {1018, labelConfirm, false},
                    {1009, "", false},
                    {1019, "Reinicia", true},
                    {1017, "", true}},
                   "after the computer's answer");
    EXPECT_EQ(session->programStatus(), 0);
}

TEST_F(WineProgram, FirstButtonLetsTheComputerOpenSecondRestartsSalirEnds) {
    std::vector<ProbeLine> lines =
        probe({"click", "1009", "controls", "click", "1017", "controls", "click", "2"});

    expectControls(controlBlock(lines, 0),
                   {{1022, statusPlayer, true},
                    {1018, labelConfirm, false},
                    {1009, "", false},
                    {1019, "Reinicia", true}},
                   "after the computer's opening move");
    expectControls(controlBlock(lines, 1),
                   {{1022, statusChoosing, true},
                    {1018, "Ordanel Software", true},
                    {1009, "", true},
                    {1019, "Tu", true},
                    {1017, "", true}},
                   "after a restart");
    EXPECT_EQ(session->programStatus(), 0);
}

// A screen reader on Windows reads the controls through oleacc, which names each by its window
// text: the sticks and the lever tell their state, and follow it.
TEST_F(WineProgram, ScreenReadersReadTheSticksAndTheLeverByTheirTexts) {
    std::vector<ProbeLine> lines = probe({"click", "1001", "msaa", "key", escapeKey});
    std::map<int, std::string> names;
    for (const ProbeLine &line : lines) {
        if (line.kind == "accessible") {
            names[line.number("id")] = line.field("name");
        }
    }
    EXPECT_EQ(names.size(), 26u);
    EXPECT_EQ(names[1000], "Fila 1, palito 1: est\xe1");
    EXPECT_EQ(names[1001], "Fila 2, palito 1: seleccionado");
    EXPECT_EQ(names[1016], "Fila 4, palito 7: est\xe1");
    EXPECT_EQ(names[1024], "IQ Ordanel: bajo");
    EXPECT_EQ(names[2], "Salir");
    EXPECT_EQ(names[1022], statusPlayer);
    EXPECT_EQ(session->programStatus(), 0);
}

} // namespace
