// The Windows zip, made by cpack from the MinGW build: quillmere.exe and the read-me, and a
// program that needs no DLL beyond those every Windows has.
#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/process.h"

namespace {

const std::string zipDir = QUILLMERE_ZIP_TEST_DIR;
const std::string zipName = "quillmere-" QUILLMERE_VERSION "-windows-x86_64";
const std::string unpacked = zipDir + "/root/" + zipName;

std::string fileBytes(const std::string &path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

class WindowsZip : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (std::string(QUILLMERE_WINDOWS_BUILD_DIR).empty() || sanitized()) {
            return;
        }
        if (access((zipDir + "/" + zipName + ".zip").c_str(), R_OK) != 0 ||
            access(unpacked.c_str(), F_OK) != 0) {
            built = runProcess({QUILLMERE_CMAKE, "-DCPACK=" QUILLMERE_CPACK,
                                "-DCONFIG=" QUILLMERE_WINDOWS_BUILD_DIR "/CPackConfig.cmake",
                                "-DDIR=" + zipDir, "-DGENERATOR=ZIP", "-P",
                                QUILLMERE_BUILD_PACKAGE_SCRIPT},
                               600000);
        } else {
            built.status = 0;
        }
    }

    void SetUp() override {
        if (sanitized()) {
            GTEST_SKIP() << "the zip is made and checked by the build without sanitizers";
        }
        if (std::string(QUILLMERE_WINDOWS_BUILD_DIR).empty()) {
            GTEST_SKIP() << "no Windows build given: configure with "
                            "-DQUILLMERE_WINDOWS_BUILD=<MinGW build folder>";
        }
        ASSERT_EQ(built.status, 0) << "making the zip failed:\n" << built.output;
    }

    static bool sanitized() {
#ifdef QUILLMERE_SANITIZED
        return true;
#else
        return false;
#endif
    }

    static ProcessResult built;
};

ProcessResult WindowsZip::built;

TEST_F(WindowsZip, HoldsTheProgramAndTheReadMeInOneFolder) {
    ProcessResult listing =
        runProcess({QUILLMERE_CMAKE, "-E", "tar", "tf", zipDir + "/" + zipName + ".zip"}, 30000);
    ASSERT_EQ(listing.status, 0) << listing.output;
    std::set<std::string> entries;
    std::istringstream lines(listing.output);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() != '/') {
            entries.insert(line);
        }
    }
    EXPECT_EQ(entries, (std::set<std::string>{zipName + "/quillmere.exe", zipName + "/LEEME.txt"}));
}

TEST_F(WindowsZip, ReadMeIsSpanishAndEnglishForNotepad) {
    const std::string text = fileBytes(unpacked + "/LEEME.txt");
    ASSERT_GT(text.size(), 3u);
    EXPECT_EQ(text.substr(0, 3), "\xEF\xBB\xBF") << "UTF-8 with a byte order mark";
    EXPECT_NE(text.find("ESPA\xC3\x91OL"), std::string::npos);
    EXPECT_NE(text.find("ENGLISH"), std::string::npos);
    EXPECT_NE(text.find("quillmere.exe"), std::string::npos);
    EXPECT_NE(text.find("Quillmere " QUILLMERE_VERSION), std::string::npos);
    size_t bareLineFeeds = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        bareLineFeeds += text[i] == '\n' && (i == 0 || text[i - 1] != '\r');
    }
    EXPECT_EQ(bareLineFeeds, 0u) << "Windows line ends throughout";
}

// A GUI program for x86-64 that imports only from the system's own DLLs: the C and C++
// runtimes are linked in.
TEST_F(WindowsZip, ProgramIsAStaticGuiProgramForX64) {
    const std::string program = unpacked + "/quillmere.exe";
    ProcessResult headers = runProcess({QUILLMERE_MINGW_OBJDUMP, "-p", program}, 30000);
    ASSERT_EQ(headers.status, 0) << headers.output;
    EXPECT_NE(headers.output.find("file format pei-x86-64"), std::string::npos);
    EXPECT_NE(headers.output.find("(Windows GUI)"), std::string::npos);
    std::set<std::string> dlls;
    std::istringstream lines(headers.output);
    std::string line;
    while (std::getline(lines, line)) {
        const size_t at = line.find("DLL Name: ");
        if (at != std::string::npos) {
            dlls.insert(line.substr(at + 10));
        }
    }
    const std::set<std::string> system = {"KERNEL32.dll", "USER32.dll", "GDI32.dll", "msvcrt.dll"};
    EXPECT_FALSE(dlls.empty());
    for (const std::string &dll : dlls) {
        EXPECT_EQ(system.count(dll), 1u) << dll << " is not part of Windows";
    }
}

} // namespace
