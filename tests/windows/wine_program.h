// The fixture of the Wine tests: one Wine session per test suite, the program started afresh for
// every test, and the probe run on it.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/windows/probe_lines.h"
#include "tests/windows/wine_session.h"

// The probe's code for the Esc key.
extern const char escapeKey[];

class WineProgram : public testing::Test {
  protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    // Skips without a Windows build, under sanitizers, or when Wine cannot run here; otherwise
    // starts the program.
    void SetUp() override;

    // Runs the probe on the started program; it must find the board and finish every step.
    std::vector<ProbeLine> probe(std::vector<std::string> steps);

    static WineSession *session;
};
