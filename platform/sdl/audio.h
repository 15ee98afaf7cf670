// MessageBeep on the desktop: the desktop's event sound, or where none plays a short
// synthesized tone through SDL audio.
#pragma once

#include <stdint.h>
#include <vector>

#include "platform/win32.h"

enum { beepSampleRate = 44100 };

// The mono 16-bit samples of the tone that MessageBeep plays for a beep type: one tone for
// MB_ICONEXCLAMATION, another for MB_ICONASTERISK, a third for every other type.
void synthesizeBeep(UINT type, int sampleRate, std::vector<int16_t> *samples);

// Stops the tones and closes the audio device; SDL may quit afterwards.
void sdlStopAudio();
