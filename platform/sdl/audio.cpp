#include "platform/sdl/audio.h"

#include <SDL.h>
#include <dlfcn.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>

#include "platform/backend.h"

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
// SDL loads it at run time, so the handler is set through the same shared library.
void quietAlsaMessage(const char *, int, const char *, int, const char *, ...) {}

void silenceAlsa() {
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

// Without an audio device the beeps are silent; QUILLMERE_DEBUG asks for one line saying why.
void reportNoAudio(const char *reason) {
    const char *debug = getenv("QUILLMERE_DEBUG");
    if (debug && *debug && *debug != '0')
        fprintf(stderr, "quillmere: beeps are silent: %s\n", reason);
}

class BeepPlayer {
  public:
    void play(UINT type) {
        if (!opened)
            open();
        if (device == 0)
            return;
        const std::vector<int16_t> &tone = type == MB_ICONEXCLAMATION ? exclamation
                                           : type == MB_ICONASTERISK  ? asterisk
                                                                      : other;
        // A new beep replaces one that is still sounding, as the system sounds do.
        SDL_ClearQueuedAudio(device);
        SDL_QueueAudio(device, tone.data(), Uint32(tone.size() * sizeof(int16_t)));
        SDL_PauseAudioDevice(device, 0);
    }

  private:
    // Tried once: without an audio device every beep is silent.
    void open() {
        opened = true;
        silenceAlsa();
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            reportNoAudio(SDL_GetError());
            return;
        }
        SDL_AudioSpec wanted{};
        wanted.freq = beepSampleRate;
        wanted.format = AUDIO_S16SYS;
        wanted.channels = 1;
        wanted.samples = 1024;
        SDL_AudioSpec obtained{};
        device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
        if (device == 0) {
            reportNoAudio(SDL_GetError());
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return;
        }
        synthesizeBeep(MB_ICONEXCLAMATION, beepSampleRate, &exclamation);
        synthesizeBeep(MB_ICONASTERISK, beepSampleRate, &asterisk);
        synthesizeBeep(MB_OK, beepSampleRate, &other);
    }

    bool opened = false;
    SDL_AudioDeviceID device = 0;
    std::vector<int16_t> exclamation, asterisk, other;
};

BeepPlayer player;

} // namespace

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

void backendBeep(UINT type) {
    player.play(type);
}
