#include <gtest/gtest.h>

#include <vector>

#include "game/random.h"
#include "platform/window/clock.h"

namespace {

int32_t pickAt(unsigned short millisecond, int32_t n) {
    scriptClockMilliseconds(&millisecond, 1);
    const int32_t value = pickRandom(n);
    scriptClockMilliseconds(nullptr, 0);
    return value;
}

TEST(PickRandom, MillisecondBoundaries) {
    struct Case {
        unsigned short millisecond;
        int32_t n, expected;
    } cases[] = {
        {0, 0, 0},
        {999, 0, 0},
        {0, 1, 0},
        {499, 1, 0},
        {500, 1, 1},
        {999, 1, 1},
        {333, 2, 0},
        {334, 2, 1},
        {666, 2, 1},
        {667, 2, 2},
        {999, 2, 2},
        {857, 6, 5},
        {858, 6, 6},
        {999, 6, 6},
        {0, 6, 0},
        {142, 6, 0},
        {143, 6, 1},
        {999, 3, 3},
        {250, 3, 1},
        {249, 3, 0},
        {999, 1000, 999},
        {1, 999, 1},
        {999, 2147483646, 2145336163},
    };
    for (const Case &c : cases)
        EXPECT_EQ(pickAt(c.millisecond, c.n), c.expected) << c.millisecond << " " << c.n;
}

TEST(PickRandom, EveryResultCoversItsShareOfTheSecond) {
    for (int32_t n = 0; n <= 6; ++n) {
        std::vector<int> covered(n + 1, 0);
        for (unsigned short m = 0; m < 1000; ++m) {
            const int32_t value = pickAt(m, n);
            ASSERT_GE(value, 0);
            ASSERT_LE(value, n);
            ++covered[value];
            // Equal to the integer quotient, which is what the double computation amounts to.
            ASSERT_EQ(value, (m * (n + 1)) / 1000) << m << " " << n;
        }
        for (int32_t r = 0; r <= n; ++r) {
            EXPECT_GE(covered[r], 1000 / (n + 1) - 1) << n;
            EXPECT_LE(covered[r], 1000 / (n + 1) + 1) << n;
        }
    }
}

TEST(PickRandom, ReadsTheClockOncePerCallForNonNegativeBounds) {
    const uint64_t before = clockReadings();
    for (int32_t n = 0; n < 10; ++n)
        pickRandom(n);
    EXPECT_EQ(clockReadings() - before, 10u);
}

TEST(PickRandom, NegativeBoundsReadElevenTimesThenGiveTheBound) {
    for (int32_t n : {-1, -2, -7, -1000, INT32_MIN}) {
        const unsigned short milliseconds[] = {0, 999, 500, 1, 250};
        scriptClockMilliseconds(milliseconds, 5);
        const uint64_t before = clockReadings();
        EXPECT_EQ(pickRandom(n), n);
        EXPECT_EQ(clockReadings() - before, 11u) << n;
        scriptClockMilliseconds(nullptr, 0);
    }
}

TEST(PickRandom, ScriptedReadingsComeInOrderAndTheLastRepeats) {
    const unsigned short milliseconds[] = {100, 900};
    scriptClockMilliseconds(milliseconds, 2);
    EXPECT_EQ(pickRandom(9), 1);
    EXPECT_EQ(pickRandom(9), 9);
    EXPECT_EQ(pickRandom(9), 9);
    scriptClockMilliseconds(nullptr, 0);
}

} // namespace
