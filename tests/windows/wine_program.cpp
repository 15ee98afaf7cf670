#include "tests/windows/wine_program.h"

#include <unistd.h>

const char escapeKey[] = "27";

WineSession *WineProgram::session = nullptr;

namespace {

bool sanitized() {
#ifdef QUILLMERE_SANITIZED
    return true;
#else
    return false;
#endif
}

bool haveWindowsBuild() {
    return !std::string(QUILLMERE_WINDOWS_BUILD_DIR).empty();
}

} // namespace

void WineProgram::SetUpTestSuite() {
    if (!sanitized() && haveWindowsBuild()) {
        session = new WineSession();
    }
}

void WineProgram::TearDownTestSuite() {
    delete session;
    session = nullptr;
}

void WineProgram::SetUp() {
    if (sanitized()) {
        GTEST_SKIP() << "the Windows program is checked by the build without sanitizers";
    }
    if (!haveWindowsBuild()) {
        GTEST_SKIP() << "no Windows build given: configure with "
                        "-DQUILLMERE_WINDOWS_BUILD=<MinGW build folder>";
    }
    ASSERT_EQ(access(WineSession::programPath().c_str(), F_OK), 0)
        << WineSession::programPath() << " is missing: build the Windows program first";
    ASSERT_EQ(access(WineSession::probePath().c_str(), F_OK), 0)
        << WineSession::probePath() << " is missing: build the Windows program first";
    if (!session->ready()) {
        GTEST_SKIP() << session->why();
    }
    ASSERT_TRUE(session->startProgram());
}

std::vector<ProbeLine> WineProgram::probe(std::vector<std::string> steps) {
    steps.insert(steps.begin(), {"find", "60000"});
    ProcessResult result = session->probe(steps);
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(result.status, 0) << result.output;
    return parseProbeOutput(result.output);
}
