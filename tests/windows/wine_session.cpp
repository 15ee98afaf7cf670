#include "tests/windows/wine_session.h"

#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

namespace {

// A first start of Wine in a new prefix sets up a whole Windows directory tree: give it time.
const int prefixSetupMs = 240000;

bool exists(const std::string &path) {
    return access(path.c_str(), F_OK) == 0;
}

std::string prefixPath() {
    return QUILLMERE_WINE_PREFIX;
}

std::string readyMark() {
    return prefixPath() + "/quillmere-prefix-ready";
}

// What the portable layer draws with: the classic system colours (its button face is 192 grey)
// and the Liberation faces for the dialog fonts, so that the program shows the same colours and
// text metrics under Wine as on Linux (Wine's own fallback for Times New Roman is a sans face).
// A prefix prepared with other settings is prepared again.
const char prefixSettings[] = "REGEDIT4\r\n\r\n"
                              "[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n"
                              "\"Times New Roman\"=\"Liberation Serif\"\r\n"
                              "\"MS Sans Serif\"=\"Liberation Sans\"\r\n"
                              "\"System\"=\"Liberation Sans\"\r\n"
                              "\r\n"
                              "[HKEY_CURRENT_USER\\Control Panel\\Colors]\r\n"
                              "\"Scrollbar\"=\"192 192 192\"\r\n"
                              "\"Background\"=\"0 128 128\"\r\n"
                              "\"ActiveTitle\"=\"0 0 128\"\r\n"
                              "\"InactiveTitle\"=\"128 128 128\"\r\n"
                              "\"Menu\"=\"192 192 192\"\r\n"
                              "\"Window\"=\"255 255 255\"\r\n"
                              "\"WindowFrame\"=\"0 0 0\"\r\n"
                              "\"MenuText\"=\"0 0 0\"\r\n"
                              "\"WindowText\"=\"0 0 0\"\r\n"
                              "\"TitleText\"=\"255 255 255\"\r\n"
                              "\"ActiveBorder\"=\"192 192 192\"\r\n"
                              "\"InactiveBorder\"=\"192 192 192\"\r\n"
                              "\"AppWorkSpace\"=\"128 128 128\"\r\n"
                              "\"Hilight\"=\"0 0 128\"\r\n"
                              "\"HilightText\"=\"255 255 255\"\r\n"
                              "\"ButtonFace\"=\"192 192 192\"\r\n"
                              "\"ButtonShadow\"=\"128 128 128\"\r\n"
                              "\"GrayText\"=\"128 128 128\"\r\n"
                              "\"ButtonText\"=\"0 0 0\"\r\n"
                              "\"InactiveTitleText\"=\"192 192 192\"\r\n"
                              "\"ButtonHilight\"=\"255 255 255\"\r\n"
                              "\"ButtonDkShadow\"=\"0 0 0\"\r\n"
                              "\"ButtonLight\"=\"192 192 192\"\r\n"
                              "\"InfoText\"=\"0 0 0\"\r\n"
                              "\"InfoWindow\"=\"255 255 225\"\r\n"
                              "\"MenuHilight\"=\"0 0 128\"\r\n"
                              "\"MenuBar\"=\"192 192 192\"\r\n";

bool preparedWithTheseSettings() {
    std::ifstream in(readyMark());
    std::string kept((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return kept == prefixSettings;
}

} // namespace

std::string WineSession::programPath() {
    return std::string(QUILLMERE_WINDOWS_BUILD_DIR) + "/shell/quillmere.exe";
}

std::string WineSession::probePath() {
    return std::string(QUILLMERE_WINDOWS_BUILD_DIR) + "/tests/windows/quillmere_probe.exe";
}

WineSession::WineSession() {
    if (!exists(QUILLMERE_WINE) || !exists(QUILLMERE_WINESERVER)) {
        why_ = "Wine is not installed (wine64 and wineserver), so the Windows program cannot run";
        return;
    }
    setenv("WINEPREFIX", prefixPath().c_str(), 1);
    setenv("WINEDEBUG", "-all", 1);
    // No prompts to install Mono or Gecko, which the game does not need.
    setenv("WINEDLLOVERRIDES", "mscoree,mshtml=", 1);
    display_.reset(new PrivateDisplay(1024, 768));
    if (!display_->started()) {
        why_ = display_->problem() + ", so Wine has no display";
        return;
    }
    if (!preparePrefix()) {
        return;
    }
    ready_ = true;
}

WineSession::~WineSession() {
    stopChild(&program_);
    if (exists(QUILLMERE_WINESERVER) && !prefixPath().empty()) {
        runProcess({QUILLMERE_WINESERVER, "-k"}, 30000);
    }
}

bool WineSession::preparePrefix() {
    if (preparedWithTheseSettings()) {
        return true;
    }
    runProcess({"rm", "-rf", prefixPath()}, 60000);
    ProcessResult boot = runProcess({QUILLMERE_WINE, "wineboot", "-i"}, prefixSetupMs);
    // The server writes the registry out when it ends.
    runProcess({QUILLMERE_WINESERVER, "-w"}, 60000);
    // Without the 32-bit half of Wine, wineboot complains and may end nonzero, yet the 64-bit
    // prefix is complete: judge by the registry it writes.
    if (boot.timedOut || !exists(prefixPath() + "/system.reg")) {
        why_ = "Wine cannot set up a prefix on this machine (wineboot -i " +
               std::string(boot.timedOut ? "timed out" : "ended with status ") +
               (boot.timedOut ? "" : std::to_string(boot.status)) + ")";
        return false;
    }
    std::string settings = prefixPath() + "/quillmere-settings.reg";
    std::ofstream(settings) << prefixSettings;
    ProcessResult imported = runProcess({QUILLMERE_WINE, "regedit", "/S", settings}, 60000);
    if (imported.status != 0) {
        why_ = "Wine's regedit could not set the colours and font replacements";
        return false;
    }
    // Let the server write the registry out before the prefix is called ready.
    runProcess({QUILLMERE_WINESERVER, "-w"}, 60000);
    std::ofstream(readyMark()) << prefixSettings;
    return true;
}

bool WineSession::startProgram() {
    program_ = startChild({QUILLMERE_WINE, programPath()});
    return program_.pid > 0;
}

ProcessResult WineSession::probe(const std::vector<std::string> &steps, int timeoutMs) {
    std::vector<std::string> argv = {QUILLMERE_WINE, probePath()};
    argv.insert(argv.end(), steps.begin(), steps.end());
    return runProcess(argv, timeoutMs);
}

int WineSession::programStatus(int timeoutMs) {
    ProcessResult result = finishChild(&program_, timeoutMs);
    return result.timedOut ? -1 : result.status;
}
