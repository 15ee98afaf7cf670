#include "platform/window/clock.h"

#include <chrono>

namespace {

unsigned short scripted[clockScriptCapacity];
int nrScripted = 0;
int nextScripted = 0;
uint64_t nrReadings = 0;
uint64_t (*source)() = nullptr;

uint64_t systemNow() {
    using namespace std::chrono;
    return static_cast<uint64_t>(
        duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count());
}

} // namespace

void scriptClockMilliseconds(const unsigned short *values, int count) {
    if (count < 0)
        count = 0;
    if (count > clockScriptCapacity)
        count = clockScriptCapacity;
    for (int i = 0; i < count; ++i)
        scripted[i] = values[i];
    nrScripted = count;
    nextScripted = 0;
}

void setClockSource(uint64_t (*nowMilliseconds)()) {
    source = nowMilliseconds;
}

uint64_t clockReadings() {
    return nrReadings;
}

void _ftime(struct _timeb *timeptr) {
    if (timeptr == nullptr)
        return;
    ++nrReadings;
    const uint64_t now = source != nullptr ? source() : systemNow();
    timeptr->time = static_cast<time_t>(now / 1000);
    timeptr->millitm = static_cast<unsigned short>(now % 1000);
    timeptr->timezone = 0;
    timeptr->dstflag = 0;
    if (nrScripted > 0) {
        timeptr->millitm = scripted[nextScripted];
        if (nextScripted < nrScripted - 1)
            ++nextScripted;
    }
}
