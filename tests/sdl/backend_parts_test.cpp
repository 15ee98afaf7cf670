// The SDL backend's parts that need no display: key and event translation, the display scale,
// the beeps (event sounds, tones, silence without an audio device), and the failure report when
// no display can be opened.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <limits.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/sdl/audio.h"
#include "platform/sdl/display.h"
#include "platform/sdl/events.h"
#include "platform/sdl/keys.h"

namespace {

HWND fakeWindow() {
    return reinterpret_cast<HWND>(uintptr_t(0x1234));
}

TEST(SdlKeys, MapsTheKeysTheLayerUses) {
    struct Case {
        SDL_Keycode key;
        int virtualKey;
    } cases[] = {
        {SDLK_a, 'A'},
        {SDLK_z, 'Z'},
        {SDLK_0, '0'},
        {SDLK_9, '9'},
        {SDLK_RETURN, VK_RETURN},
        {SDLK_KP_ENTER, VK_RETURN},
        {SDLK_ESCAPE, VK_ESCAPE},
        {SDLK_TAB, VK_TAB},
        {SDLK_SPACE, VK_SPACE},
        {SDLK_LEFT, VK_LEFT},
        {SDLK_RIGHT, VK_RIGHT},
        {SDLK_UP, VK_UP},
        {SDLK_DOWN, VK_DOWN},
        {SDLK_HOME, VK_HOME},
        {SDLK_END, VK_END},
        {SDLK_F10, VK_F10},
        {SDLK_INSERT, VK_INSERT},
        {SDLK_LSHIFT, VK_SHIFT},
        {SDLK_RSHIFT, VK_SHIFT},
        {SDLK_LCTRL, VK_CONTROL},
        {SDLK_RALT, VK_MENU},
        {SDLK_F1, 0},
        {SDLK_CAPSLOCK, 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(virtualKeyForSdlKey(c.key), c.virtualKey) << SDL_GetKeyName(c.key);
}

TEST(SdlDisplayScale, SettingWinsWhenValidOtherwiseDpiDecides) {
    struct Case {
        const char *setting;
        float dpi;
        int scale;
    } cases[] = {
        {nullptr, 0.0f, 1},   {nullptr, 96.0f, 1},  {nullptr, 144.0f, 1},  {nullptr, 168.0f, 2},
        {nullptr, 192.0f, 2}, {nullptr, 288.0f, 3}, {nullptr, 2000.0f, 4}, {nullptr, -5.0f, 1},
        {nullptr, NAN, 1},    {"2", 96.0f, 2},      {"1", 300.0f, 1},      {"8", 96.0f, 8},
        {"", 192.0f, 2},      {"0", 96.0f, 1},      {"9", 96.0f, 1},       {"2x", 96.0f, 1},
        {"abc", 192.0f, 2},   {"-2", 96.0f, 1},
    };
    for (const Case &c : cases) {
        ScaleSources sources;
        sources.setting = c.setting;
        sources.displayDpi = c.dpi;
        EXPECT_EQ(chooseDisplayScale(sources), c.scale)
            << (c.setting ? c.setting : "(none)") << " at " << c.dpi << " dpi";
    }
}

// QUILLMERE_SCALE, then GDK_SCALE, then Xft.dpi (rounded), then the measured DPI; a value that
// is not a scale passes the choice on.
TEST(SdlDisplayScale, DesktopSettingsComeBeforeTheMeasuredDpi) {
    struct Case {
        const char *setting, *gdkScale;
        float resourceDpi;
        int scale;
    } cases[] = {{"3", "2", 192.0f, 3},          {"x", "2", 96.0f, 2},
                 {nullptr, "0", 144.0f, 2},      {nullptr, nullptr, 143.0f, 1},
                 {nullptr, nullptr, 5000.0f, 8}, {nullptr, nullptr, 0.0f, 4}};
    for (const Case &c : cases)
        EXPECT_EQ(chooseDisplayScale({c.setting, c.gdkScale, c.resourceDpi, 400.0f}), c.scale)
            << c.resourceDpi;
}

SDL_Event mouseButton(Uint32 type, Uint8 button, int x, int y) {
    SDL_Event event{};
    event.type = type;
    event.button.button = button;
    event.button.x = x;
    event.button.y = y;
    return event;
}

TEST(SdlEventTranslation, MouseIsScaledBackToLayerPixels) {
    InputEvent out[4];
    SDL_Event down = mouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 101, 51);
    ASSERT_EQ(translateSdlEvent(down, fakeWindow(), 2, KMOD_LSHIFT, out), 1);
    EXPECT_EQ(out[0].kind, InputEvent::MouseDown);
    EXPECT_EQ(out[0].topLevel, fakeWindow());
    EXPECT_EQ(out[0].x, 50);
    EXPECT_EQ(out[0].y, 25);
    EXPECT_TRUE(out[0].shift);
    EXPECT_FALSE(out[0].control);

    SDL_Event up = mouseButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 7, 8);
    ASSERT_EQ(translateSdlEvent(up, fakeWindow(), 1, KMOD_NONE, out), 1);
    EXPECT_EQ(out[0].kind, InputEvent::MouseUp);
    EXPECT_EQ(out[0].x, 7);
    EXPECT_EQ(out[0].y, 8);

    // Outside the window while the button is held: left of it stays left of it.
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.x = -1;
    motion.motion.y = -4;
    ASSERT_EQ(translateSdlEvent(motion, fakeWindow(), 2, KMOD_NONE, out), 1);
    EXPECT_EQ(out[0].kind, InputEvent::MouseMove);
    EXPECT_EQ(out[0].x, -1);
    EXPECT_EQ(out[0].y, -2);

    SDL_Event right = mouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 5, 5);
    EXPECT_EQ(translateSdlEvent(right, fakeWindow(), 1, KMOD_NONE, out), 0);
}

TEST(SdlEventTranslation, KeysCarryTheirOwnModifiers) {
    InputEvent out[4];
    SDL_Event key{};
    key.type = SDL_KEYDOWN;
    key.key.keysym.sym = SDLK_c;
    key.key.keysym.mod = KMOD_LCTRL;
    ASSERT_EQ(translateSdlEvent(key, fakeWindow(), 1, KMOD_NONE, out), 1);
    EXPECT_EQ(out[0].kind, InputEvent::KeyDown);
    EXPECT_EQ(out[0].key, 'C');
    EXPECT_TRUE(out[0].control);
    EXPECT_FALSE(out[0].alt);

    key.type = SDL_KEYUP;
    key.key.keysym.sym = SDLK_RIGHT;
    key.key.keysym.mod = KMOD_RSHIFT | KMOD_LALT;
    ASSERT_EQ(translateSdlEvent(key, fakeWindow(), 1, KMOD_NONE, out), 1);
    EXPECT_EQ(out[0].kind, InputEvent::KeyUp);
    EXPECT_EQ(out[0].key, VK_RIGHT);
    EXPECT_TRUE(out[0].shift);
    EXPECT_TRUE(out[0].alt);

    key.key.keysym.sym = SDLK_F1;
    EXPECT_EQ(translateSdlEvent(key, fakeWindow(), 1, KMOD_NONE, out), 0);
}

TEST(SdlEventTranslation, TextBecomesWindows1252Characters) {
    struct Case {
        const char *utf8;
        std::vector<unsigned char> bytes;
    } cases[] = {
        {"a", {'a'}},
        {"\xC3\xA9", {0xE9}},             // é
        {"\xC2\xBF", {0xBF}},             // ¿
        {"\xE2\x82\xAC", {0x80}},         // €
        {"x\xC3\xB1z", {'x', 0xF1, 'z'}}, // xñz
        {"\xE4\xB8\xAD", {'?'}},          // no such character in the set
        {"\x01", {}},                     // control characters are not text
    };
    for (const Case &c : cases) {
        SDL_Event text{};
        text.type = SDL_TEXTINPUT;
        snprintf(text.text.text, sizeof text.text.text, "%s", c.utf8);
        InputEvent out[4];
        int count = translateSdlEvent(text, fakeWindow(), 1, KMOD_NONE, out);
        ASSERT_EQ(count, int(c.bytes.size())) << c.utf8;
        for (int i = 0; i < count; ++i) {
            EXPECT_EQ(out[i].kind, InputEvent::Character);
            EXPECT_EQ(out[i].character, c.bytes[i]) << c.utf8;
        }
    }
}

TEST(SdlEventTranslation, OnlyTheCloseBoxOfWindowEventsIsInput) {
    InputEvent out[4];
    SDL_Event window{};
    window.type = SDL_WINDOWEVENT;
    window.window.event = SDL_WINDOWEVENT_CLOSE;
    ASSERT_EQ(translateSdlEvent(window, fakeWindow(), 1, KMOD_NONE, out), 1);
    EXPECT_EQ(out[0].kind, InputEvent::CloseRequest);
    EXPECT_EQ(out[0].topLevel, fakeWindow());
    for (Uint8 other :
         {SDL_WINDOWEVENT_EXPOSED, SDL_WINDOWEVENT_MOVED, SDL_WINDOWEVENT_FOCUS_LOST}) {
        window.window.event = other;
        EXPECT_EQ(translateSdlEvent(window, fakeWindow(), 1, KMOD_NONE, out), 0);
    }
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    EXPECT_EQ(translateSdlEvent(quit, fakeWindow(), 1, KMOD_NONE, out), 0);
}

// Frequency of a stretch of a tone, from its upward zero crossings.
double frequencyOf(const std::vector<int16_t> &samples, size_t from, size_t to) {
    int crossings = 0;
    for (size_t i = from + 1; i < to && i < samples.size(); ++i)
        if (samples[i - 1] < 0 && samples[i] >= 0)
            ++crossings;
    return crossings * double(beepSampleRate) / double(to - from);
}

TEST(SdlBeep, ExclamationAndAsteriskSoundDifferent) {
    std::vector<int16_t> exclamation, asterisk, other;
    synthesizeBeep(MB_ICONEXCLAMATION, beepSampleRate, &exclamation);
    synthesizeBeep(MB_ICONASTERISK, beepSampleRate, &asterisk);
    synthesizeBeep(MB_OK, beepSampleRate, &other);
    const size_t tenth = beepSampleRate / 10;
    for (const std::vector<int16_t> *tone : {&exclamation, &asterisk, &other}) {
        // Short, audible, and starting and ending at rest so that it does not click.
        ASSERT_GT(tone->size(), tenth);
        EXPECT_LT(tone->size(), size_t(beepSampleRate) / 2);
        int peak = 0;
        for (int16_t sample : *tone)
            peak = std::max(peak, abs(int(sample)));
        EXPECT_GT(peak, 4000);
        EXPECT_LT(peak, 32767);
        EXPECT_LT(abs(int(tone->front())), 200);
        EXPECT_LT(abs(int(tone->back())), 200);
    }
    double exclamationPitch = frequencyOf(exclamation, 0, tenth);
    double asteriskPitch = frequencyOf(asterisk, 0, tenth);
    EXPECT_NEAR(exclamationPitch, 880.0, 30.0);
    EXPECT_NEAR(asteriskPitch, 1318.5, 30.0);
    // The exclamation falls to a second, lower note.
    EXPECT_NEAR(frequencyOf(exclamation, exclamation.size() - tenth, exclamation.size()), 587.3,
                30.0);
}

// Standard error of a beep in a fresh process (the device is tried once per process).
std::string stderrOfFirstBeep(bool debug) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return "pipe failed";
    pid_t child = fork();
    if (child == 0) {
        dup2(pipeEnds[1], 2);
        close(pipeEnds[0]);
        if (debug)
            setenv("QUILLMERE_DEBUG", "1", 1);
        backendBeep(MB_ICONEXCLAMATION);
        _exit(0);
    }
    close(pipeEnds[1]);
    std::string text;
    char buffer[512];
    for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, size_t(n));
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return text;
}

// A sound device that cannot be opened (an ALSA card that does not exist) makes the beeps
// silent without a word; QUILLMERE_DEBUG asks for one line.
TEST(SdlBeep, NoAudioDeviceIsSilentAndQuiet) {
    setenv("SDL_AUDIODRIVER", "alsa", 1);
    setenv("AUDIODEV", "hw:99", 1);
    setenv("CANBERRA_DRIVER", "alsa", 1);
    setenv("CANBERRA_DEVICE", "hw:99", 1);
    unsetenv("QUILLMERE_DEBUG");
    EXPECT_EQ(stderrOfFirstBeep(false), "");
    std::string debugged = stderrOfFirstBeep(true);
    EXPECT_EQ(debugged.rfind("quillmere: beeps are silent: ", 0), 0u) << debugged;
    EXPECT_EQ(std::count(debugged.begin(), debugged.end(), '\n'), 1) << debugged;
    for (const char *name : {"SDL_AUDIODRIVER", "AUDIODEV", "CANBERRA_DRIVER", "CANBERRA_DEVICE"})
        unsetenv(name);
}

// Whether this process has the file open.
bool holdsOpen(const std::string &path) {
    for (int fd = 0; fd < 1024; ++fd) {
        char link[PATH_MAX];
        ssize_t length =
            readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), link, sizeof link);
        if (length > 0 && std::string(link, size_t(length)) == path)
            return true;
    }
    return false;
}

off_t sizeOf(const std::string &path) {
    struct stat status;
    return stat(path.c_str(), &status) == 0 ? status.st_size : -1;
}

// An exclamation beep in a fresh process, away from the desktop (no display, the folder for
// HOME), with libcanberra's driver named and SDL's disk driver writing tones into the folder.
// The child ends once a file there holds audio and none is open: nothing more can be written.
bool beepUntilClosed(const std::string &folder, const char *canberraDriver) {
    const std::string files[] = {folder + "/event.raw", folder + "/tone.raw"};
    pid_t child = fork();
    if (child == 0) {
        unsetenv("DISPLAY");
        setenv("HOME", folder.c_str(), 1);
        setenv("CANBERRA_DRIVER", canberraDriver, 1);
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", files[1].c_str(), 1);
        backendBeep(MB_ICONEXCLAMATION);
        // The deadline only keeps a device that never closes from hanging the suite.
        for (int wait = 0; wait < 1000; ++wait, usleep(10000))
            if ((sizeOf(files[0]) > 0 || sizeOf(files[1]) > 0) && !holdsOpen(files[0]) &&
                !holdsOpen(files[1]))
                _exit(0);
        _exit(1);
    }
    int status = 1;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// libcanberra plays the theme's sound (into a file, through alsa-lib's file plugin) and no tone
// plays; without it (a driver that does not exist) the whole tone plays through SDL's disk
// driver. Either way the file is closed once the beep has played out.
TEST(SdlBeep, PlaysThenNothingStaysOpen) {
    char folder[] = "/tmp/quillmere-beep-XXXXXX";
    ASSERT_TRUE(mkdtemp(folder));
    const std::string event = std::string(folder) + "/event.raw";
    const std::string tone = std::string(folder) + "/tone.raw";
    const std::string alsa = std::string(folder) + "/.asoundrc";
    FILE *settings = fopen(alsa.c_str(), "w");
    ASSERT_TRUE(settings);
    fprintf(settings, "pcm.!default { type file slave.pcm null file \"%s\" format raw }\n",
            event.c_str());
    fclose(settings);
    EXPECT_TRUE(beepUntilClosed(folder, "alsa"));
    EXPECT_GT(sizeOf(event), 0);
    EXPECT_EQ(sizeOf(tone), -1);
    remove(event.c_str());
    EXPECT_TRUE(beepUntilClosed(folder, "none"));
    std::vector<int16_t> samples;
    synthesizeBeep(MB_ICONEXCLAMATION, beepSampleRate, &samples);
    // The whole tone, and at most half a second of silence after it.
    EXPECT_GE(sizeOf(tone), off_t(samples.size() * sizeof(int16_t)));
    EXPECT_LT(sizeOf(tone), off_t((samples.size() + beepSampleRate / 2) * sizeof(int16_t)));
    std::filesystem::remove_all(folder); // with what the sound libraries cached in its home
}

// Without a display no window can be shown: SDL's drivers that show nothing are not taken in
// their place, and the reason names what is missing. The probe itself prints nothing.
TEST(SdlDisplay, NoDisplayIsAFailureWithSdlsReason) {
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    unsetenv("XDG_RUNTIME_DIR");
    unsetenv("SDL_VIDEODRIVER");
    std::string first, second;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(sdlVideoReady(&first));
    EXPECT_FALSE(sdlVideoReady(&second));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_NE(first.find("x11 not available (DISPLAY is not set)"), std::string::npos) << first;
    EXPECT_EQ(first, second);
}

} // namespace
