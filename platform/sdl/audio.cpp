#include "platform/sdl/audio.h"

#include <SDL.h>
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <dlfcn.h>
#include <math.h>
#include <mutex>
#include <stdio.h>
#include <stdlib.h>
#include <string>
#include <thread>

#include "platform/backend.h"
#include "platform/sdl/eventsound.h"
#include "platform/sdl/xsettings.h"

namespace {

struct Note {
    double frequency; // Hz
    int milliseconds;
};

// Appends one note: a sine with a quick rise and an exponential fall, so it starts and ends
// without a click.
void appendNote(const Note &note, int sampleRate, std::vector<int16_t> *samples) {
    const int count = sampleRate * note.milliseconds / 1000;
    const int rise = sampleRate / 400; // 2.5 ms
    const double fallRate = 5.0 / count;
    for (int i = 0; i < count; ++i) {
        double envelope = exp(-fallRate * i);
        if (i < rise)
            envelope *= double(i) / rise;
        if (i > count - rise)
            envelope *= double(count - i) / rise;
        double value = sin(2.0 * M_PI * note.frequency * i / sampleRate) * envelope;
        samples->push_back(int16_t(value * 12000.0));
    }
}

// alsa-lib reports every failed step of opening a device on stderr through its error handler;
// SDL and libcanberra load it at run time, so the handler is set through the same shared
// library, before either opens a device.
void quietAlsaMessage(const char *, int, const char *, int, const char *, ...) {}

void silenceAlsa() {
    static bool silenced = false;
    if (silenced)
        return;
    silenced = true;
    void *library = dlopen("libasound.so.2", RTLD_NOW);
    if (!library)
        return;
    using Handler = void (*)(const char *, int, const char *, int, const char *, ...);
    auto setHandler =
        reinterpret_cast<int (*)(Handler)>(dlsym(library, "snd_lib_error_set_handler"));
    if (setHandler)
        setHandler(quietAlsaMessage);
    // Stays loaded: alsa-lib keeps the handler for the life of the process.
}

// A silent beep says why once per session when QUILLMERE_DEBUG asks.
void reportSilence(const std::string &reason) {
    static bool reported = false;
    const char *debug = getenv("QUILLMERE_DEBUG");
    if (reported || !debug || !*debug || *debug == '0')
        return;
    reported = true;
    fprintf(stderr, "quillmere: beeps are silent: %s\n", reason.c_str());
}

using Clock = std::chrono::steady_clock;

// The tones, on an audio device that is open only while one sounds: an open device streams
// silence for as long as it stays open, which keeps a sound server's stream playing. A thread
// of its own closes it once the tone has been played out.
class TonePlayer {
  public:
    // False, with SDL's reason in *why, when there is no audio device: after one failure every
    // tone is silent.
    bool play(UINT type, std::string *why) {
        std::unique_lock<std::mutex> hold(lock);
        if (device == 0 && !open(why))
            return false;
        const std::vector<int16_t> &tone = type == MB_ICONEXCLAMATION ? exclamation
                                           : type == MB_ICONASTERISK  ? asterisk
                                                                      : other;
        // A new beep replaces one that is still sounding, as the system sounds do.
        SDL_ClearQueuedAudio(device);
        SDL_QueueAudio(device, tone.data(), Uint32(tone.size() * sizeof(int16_t)));
        SDL_PauseAudioDevice(device, 0);
        quietAt =
            Clock::now() + std::chrono::milliseconds(1000 * tone.size() / beepSampleRate) + latency;
        if (!closer.joinable())
            closer = std::thread(&TonePlayer::closeWhenQuiet, this);
        changed.notify_one();
        return true;
    }

    // Ends the closing thread (closing the device if a tone still sounds), before SDL quits;
    // a later beep starts afresh.
    void stop() {
        if (!closer.joinable())
            return;
        {
            std::lock_guard<std::mutex> hold(lock);
            stopping = true;
            changed.notify_one();
        }
        closer.join();
        stopping = initialised = false;
        failure.clear();
    }

  private:
    bool open(std::string *why) {
        if (!initialised) {
            initialised = true;
            if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
                failure = SDL_GetError();
            synthesizeBeep(MB_ICONEXCLAMATION, beepSampleRate, &exclamation);
            synthesizeBeep(MB_ICONASTERISK, beepSampleRate, &asterisk);
            synthesizeBeep(MB_OK, beepSampleRate, &other);
        }
        if (!failure.empty()) {
            *why = failure;
            return false;
        }
        SDL_AudioSpec wanted{};
        wanted.freq = beepSampleRate;
        wanted.format = AUDIO_S16SYS;
        wanted.channels = 1;
        wanted.samples = 1024;
        SDL_AudioSpec obtained{};
        device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
        if (device == 0) {
            failure = *why = SDL_GetError();
            return false;
        }
        // When the queue is empty the last samples are still in SDL's buffer and the
        // device's: two buffers and some slack.
        latency = std::chrono::milliseconds(2000 * obtained.samples / obtained.freq + 50);
        return true;
    }

    void closeWhenQuiet() {
        std::unique_lock<std::mutex> hold(lock);
        for (;;) {
            changed.wait(hold, [this] { return device != 0 || stopping; });
            // Until the tone (or the one that replaced it) has played out.
            while (!stopping && (Clock::now() < quietAt || SDL_GetQueuedAudioSize(device) > 0))
                changed.wait_until(hold, std::max(quietAt, Clock::now() + latency / 4));
            if (device != 0)
                SDL_CloseAudioDevice(device);
            device = 0;
            if (stopping)
                return;
        }
    }

    std::mutex lock;
    std::condition_variable changed;
    std::thread closer;
    bool initialised = false, stopping = false;
    std::string failure;
    SDL_AudioDeviceID device = 0;
    Clock::time_point quietAt;
    Clock::duration latency{};
    std::vector<int16_t> exclamation, asterisk, other;
};

TonePlayer tones;

} // namespace

void sdlStopAudio() {
    tones.stop();
}

void synthesizeBeep(UINT type, int sampleRate, std::vector<int16_t> *samples) {
    samples->clear();
    if (type == MB_ICONEXCLAMATION) {
        // Two falling notes: a warning.
        appendNote({880.0, 110}, sampleRate, samples);
        appendNote({587.3, 170}, sampleRate, samples);
    } else if (type == MB_ICONASTERISK) {
        // One bright chime: information.
        appendNote({1318.5, 260}, sampleRate, samples);
    } else {
        appendNote({660.0, 180}, sampleRate, samples);
    }
}

// The desktop's event sound when it plays one, our tone otherwise; nothing when the desktop
// has event sounds switched off.
void backendBeep(UINT type) {
    EventSoundSettings settings = desktopEventSoundSettings();
    if (!settings.enabled) {
        reportSilence("event sounds are switched off on this desktop");
        return;
    }
    silenceAlsa();
    std::string noEventSound, noTone;
    if (playEventSound(type, settings.theme, &noEventSound) || tones.play(type, &noTone))
        return;
    reportSilence("no event sound: " + noEventSound + "; no tone: " + noTone);
}
