// The Debian package: cpack builds it from this build tree; dpkg-deb shows what it holds and
// declares; its files are unpacked into a scratch root and looked at, and the unpacked program
// is started on a private X server.
#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/display.h"
#include "tests/support/process.h"

namespace {

const std::string packageDir = QUILLMERE_PACKAGE_TEST_DIR;
const std::string packagePath = packageDir + "/quillmere_" QUILLMERE_VERSION "_amd64.deb";
const std::string unpackedRoot = packageDir + "/root";

const char *const iconSizes[] = {"16x16", "32x32", "48x48", "256x256"};

std::vector<std::string> splitLines(const std::string &text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    std::string line;
    while (std::getline(stream, line)) {
        lines.push_back(line);
    }
    return lines;
}

std::string trimmed(const std::string &text) {
    size_t first = text.find_first_not_of(" \t\n");
    size_t last = text.find_last_not_of(" \t\n");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

// The package names of a Depends field, without versions or alternatives' extras.
std::set<std::string> dependedPackages(const std::string &depends) {
    std::set<std::string> names;
    std::string entry;
    std::istringstream stream(depends);
    while (std::getline(stream, entry, ',')) {
        std::string alternative;
        std::istringstream alternatives(entry);
        while (std::getline(alternatives, alternative, '|')) {
            std::string name = trimmed(alternative);
            name = name.substr(0, name.find_first_of(" (:"));
            if (!name.empty()) {
                names.insert(name);
            }
        }
    }
    return names;
}

std::string field(const std::string &name) {
    ProcessResult result = runProcess({"dpkg-deb", "-f", packagePath, name}, 30000);
    EXPECT_EQ(result.status, 0) << "dpkg-deb -f " << name;
    return trimmed(result.output);
}

class DebianPackage : public testing::Test {
  protected:
    // The package is made once by the test that sets up this suite's fixture; run alone, the
    // suite makes it itself.
    static void SetUpTestSuite() {
#ifndef QUILLMERE_SANITIZED
        if (access(packagePath.c_str(), R_OK) != 0 || access(unpackedRoot.c_str(), F_OK) != 0) {
            built = runProcess({QUILLMERE_CMAKE, "-DCPACK=" QUILLMERE_CPACK,
                                "-DCONFIG=" QUILLMERE_CPACK_CONFIG, "-DDIR=" + packageDir,
                                "-DGENERATOR=DEB", "-P", QUILLMERE_BUILD_PACKAGE_SCRIPT},
                               600000);
        } else {
            built.status = 0;
        }
#endif
    }

    void SetUp() override {
#ifdef QUILLMERE_SANITIZED
        GTEST_SKIP() << "the package is built and checked by the build without sanitizers";
#endif
        ASSERT_EQ(built.status, 0) << "making the package failed:\n" << built.output;
        ASSERT_EQ(access(packagePath.c_str(), R_OK), 0) << packagePath << " was not made";
    }

    static ProcessResult built;
};

ProcessResult DebianPackage::built;

TEST_F(DebianPackage, NamesItselfAndDeclaresWhatTheProgramNeedsToRun) {
    EXPECT_EQ(field("Package"), "quillmere");
    EXPECT_EQ(field("Version"), QUILLMERE_VERSION);
    EXPECT_EQ(field("Architecture"), "amd64");
    EXPECT_EQ(field("Section"), "games");
    std::set<std::string> depends = dependedPackages(field("Depends"));
    for (const char *needed :
         {"libsdl2-2.0-0", "libfreetype6", "libfontconfig1", "fonts-liberation"}) {
        EXPECT_EQ(depends.count(needed), 1u) << "Depends lacks " << needed;
    }
}

TEST_F(DebianPackage, HoldsExactlyTheProgramItsDocumentsAndDesktopData) {
    ProcessResult listing = runProcess({"dpkg-deb", "-c", packagePath}, 30000);
    ASSERT_EQ(listing.status, 0);
    std::set<std::string> files;
    bool programIsExecutable = false;
    for (const std::string &line : splitLines(listing.output)) {
        if (line.empty() || line[0] == 'd') {
            continue;
        }
        std::string path = line.substr(line.rfind(' ') + 1);
        files.insert(path);
        if (path == "./usr/games/quillmere") {
            programIsExecutable = line.compare(0, 10, "-rwxr-xr-x") == 0;
        }
    }
    std::set<std::string> expected = {"./usr/games/quillmere",
                                      "./usr/lib/games/quillmere/quillmere-atspi.so",
                                      "./usr/share/applications/quillmere.desktop",
                                      "./usr/share/metainfo/org.example.quillmere.metainfo.xml",
                                      "./usr/share/man/man6/quillmere.6.gz",
                                      "./usr/share/doc/quillmere/changelog.gz",
                                      "./usr/share/doc/quillmere/copyright"};
    for (const char *size : iconSizes) {
        expected.insert(std::string("./usr/share/icons/hicolor/") + size + "/apps/quillmere.png");
    }
    EXPECT_EQ(files, expected);
    EXPECT_TRUE(programIsExecutable);
}

TEST_F(DebianPackage, IconsArePngFilesOfTheirDirectorysSize) {
    for (const char *size : iconSizes) {
        std::string path =
            unpackedRoot + "/usr/share/icons/hicolor/" + size + "/apps/quillmere.png";
        std::ifstream file(path, std::ios::binary);
        ASSERT_TRUE(file) << path;
        unsigned char header[26] = {};
        file.read(reinterpret_cast<char *>(header), sizeof header);
        ASSERT_EQ(std::string(reinterpret_cast<char *>(header) + 1, 3), "PNG") << path;
        unsigned width = header[16] << 24 | header[17] << 16 | header[18] << 8 | header[19];
        unsigned height = header[20] << 24 | header[21] << 16 | header[22] << 8 | header[23];
        EXPECT_EQ(std::to_string(width) + "x" + std::to_string(height), size);
        EXPECT_EQ(header[25], 6) << path << " is RGBA, so the background is transparent";
    }
}

TEST_F(DebianPackage, DesktopEntryStartsTheProgramFromTheGamesMenu) {
    std::ifstream entry(unpackedRoot + "/usr/share/applications/quillmere.desktop");
    ASSERT_TRUE(entry);
    std::set<std::string> lines;
    std::string line;
    while (std::getline(entry, line)) {
        lines.insert(line);
    }
    EXPECT_TRUE(lines.count("[Desktop Entry]"));
    EXPECT_TRUE(lines.count("Type=Application"));
    EXPECT_TRUE(lines.count("Name=Quillmere"));
    EXPECT_TRUE(lines.count("Exec=quillmere"));
    EXPECT_TRUE(lines.count("Icon=quillmere"));
    EXPECT_TRUE(lines.count("Categories=Game;BoardGame;"));
    ASSERT_EQ(access(QUILLMERE_DESKTOP_FILE_VALIDATE, X_OK), 0)
        << "missing desktop-file-validate (scripts/deps.sh test installs it)";
    ProcessResult check = runProcess({QUILLMERE_DESKTOP_FILE_VALIDATE,
                                      unpackedRoot + "/usr/share/applications/quillmere.desktop"},
                                     30000);
    EXPECT_EQ(check.status, 0) << check.output;
    EXPECT_EQ(check.output, "") << "hints from desktop-file-validate";
}

// Debian's own checkers: lintian finds no error and no warning in the package, appstreamcli
// accepts the AppStream data together with the desktop entry and icons it names (offline: the
// screenshot is not fetched), and man reads the manual page without a complaint.
TEST_F(DebianPackage, LintianAppstreamAndManAcceptIt) {
    for (const char *tool : {QUILLMERE_LINTIAN, QUILLMERE_APPSTREAMCLI}) {
        ASSERT_EQ(access(tool, X_OK), 0) << "missing checker (scripts/deps.sh test installs it)";
    }
    ProcessResult lintian =
        runProcess({QUILLMERE_LINTIAN, "--fail-on", "error,warning", packagePath}, 300000);
    EXPECT_EQ(lintian.status, 0) << lintian.output;
    for (const std::string &line : splitLines(lintian.output)) {
        EXPECT_FALSE(line.compare(0, 3, "E: ") == 0 || line.compare(0, 3, "W: ") == 0) << line;
    }
    ProcessResult appstream = runProcess(
        {QUILLMERE_APPSTREAMCLI, "validate-tree", "--no-net", "--pedantic", unpackedRoot + "/usr"},
        60000);
    EXPECT_EQ(appstream.status, 0) << appstream.output;
    // man's warnings go to standard error, which the shell hands over instead of the text.
    const std::string page = unpackedRoot + "/usr/share/man/man6/quillmere.6.gz";
    ProcessResult manual = runProcess({"man", "-E", "UTF-8", "-l", page}, 30000);
    EXPECT_EQ(manual.status, 0);
    EXPECT_NE(manual.output.find("QUILLMERE(6)"), std::string::npos) << manual.output;
    ProcessResult warnings =
        runProcess({"sh", "-c", "man --warnings -E UTF-8 -l \"$0\" 2>&1 >/dev/null", page}, 30000);
    EXPECT_EQ(warnings.output, "") << "man's warnings about the page";
}

// Every library the unpacked program loads directly comes from a package it depends on, so
// apt-get pulls in all of them.
TEST_F(DebianPackage, EveryLibraryTheProgramLinksIsDeclared) {
    const std::string program = unpackedRoot + "/usr/games/quillmere";
    ProcessResult needed = runProcess({"objdump", "-p", program}, 30000);
    ASSERT_EQ(needed.status, 0);
    ProcessResult resolved = runProcess({"ldd", program}, 30000);
    ASSERT_EQ(resolved.status, 0) << resolved.output;
    std::set<std::string> depends = dependedPackages(field("Depends"));
    int checked = 0;
    for (const std::string &line : splitLines(needed.output)) {
        std::istringstream words(line);
        std::string tag, library;
        if (!(words >> tag >> library) || tag != "NEEDED") {
            continue;
        }
        std::string path;
        for (const std::string &map : splitLines(resolved.output)) {
            std::istringstream parts(map);
            std::string name, arrow, where;
            if (parts >> name >> arrow >> where && name == library && arrow == "=>") {
                path = where;
            }
        }
        ASSERT_FALSE(path.empty()) << library << " is not found on this system";
        // dpkg knows a library by the path its package installed, with or without /usr.
        std::string owner;
        for (const std::string &candidate :
             {path, path.compare(0, 5, "/usr/") == 0 ? path.substr(4) : "/usr" + path}) {
            ProcessResult search = runProcess({"dpkg", "-S", candidate}, 30000);
            if (search.status == 0) {
                owner = search.output.substr(0, search.output.find_first_of(":,"));
                break;
            }
        }
        ASSERT_FALSE(owner.empty()) << "no package owns " << path;
        EXPECT_EQ(depends.count(owner), 1u)
            << library << " comes from " << owner << ", which the package does not depend on";
        ++checked;
    }
    EXPECT_GT(checked, 3);
}

TEST_F(DebianPackage, UnpackedProgramOpensTheBoardAndEndsOnEscape) {
    PrivateDisplay display(1024, 768);
    if (!display.started()) {
        GTEST_SKIP() << display.problem() << ", so the program has no display";
    }
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    Child program = startChild({unpackedRoot + "/usr/games/quillmere"});
    ProcessResult found = runProcess(
        {QUILLMERE_XDOTOOL, "search", "--sync", "--onlyvisible", "--name", "^Quillmere$"}, 60000);
    ASSERT_FALSE(found.timedOut) << "no window titled Quillmere appeared";
    ASSERT_EQ(found.status, 0);
    std::string window = trimmed(splitLines(found.output).at(0));
    // The program ends on the key press, so xdotool may find the window gone when it sends the
    // release: its own status says nothing.
    runProcess({QUILLMERE_XDOTOOL, "key", "--window", window, "Escape"}, 30000);
    ProcessResult ended = finishChild(&program, 30000);
    EXPECT_FALSE(ended.timedOut);
    EXPECT_EQ(ended.status, 0);
}

} // namespace
