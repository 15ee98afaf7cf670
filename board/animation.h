// The removal of the selected sticks: one of six short picture sequences, then the sticks go.
#pragma once

#include <stdint.h>

#include "platform/win32.h"

enum { nrAnimationSequences = 6, maxAnimationFrames = 4 };

struct AnimationFrame {
    int32_t bitmapId;
    int32_t delay; // milliseconds
};

struct AnimationSequence {
    AnimationFrame frames[maxAnimationFrames];
    int32_t nrFrames;
    int32_t nrRepeats;
};

extern const AnimationSequence animationSequences[nrAnimationSequences];

// The sequence that a pick of 0..6 plays: picks 5 and 6 share the last one.
int32_t sequenceForPick(int32_t pick);
// Plays a random sequence on every Selected stick, then makes them Removed and names them so;
// does not repaint after the last frame.
void playRemovalAnimation(HWND dialog);
