#include "game/random.h"

#include "platform/win32.h"

int32_t pickRandom(int32_t n) {
    // One reading and up to ten re-readings; for n >= 0 the first always passes.
    for (int reading = 0; reading < 11; ++reading) {
        struct _timeb now;
        _ftime(&now);
        const double scaled =
            static_cast<double>(now.millitm) * (static_cast<double>(n) + 1) * 0.001;
        const int32_t value = static_cast<int32_t>(scaled);
        if (value <= n)
            return value;
    }
    return n;
}
