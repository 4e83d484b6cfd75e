#include "base/timers.h"

#include <gtest/gtest.h>

namespace tarvo {
namespace {

TEST(TimerSet, FiresDueTicksInTimeOrderOnTheVirtualClock) {
    TimerSet set;
    std::vector<std::string> log;
    Timer& fast = set.Declare("fast", 20, true, [&] { log.push_back("fast@" + std::to_string(set.Now())); });
    Timer* once = nullptr;
    once = &set.Declare("once", 50, true, [&] {
        log.push_back("once@" + std::to_string(set.Now()));
        once->SetEnabled(false);
        fast.SetInterval(30);  // re-timing starts the count anew
    });
    set.Advance(100);
    EXPECT_EQ(log, (std::vector<std::string>{"fast@20", "fast@40", "once@50", "fast@80"}));
    EXPECT_EQ(set.Now(), 100);
}

TEST(TimerSet, DisabledAndZeroIntervalTimersNeverFire) {
    TimerSet set;
    int ticks = 0;
    set.Declare("off", 10, false, [&] { ++ticks; });
    Timer& zero = set.Declare("zero", 0, true, [&] { ++ticks; });
    set.Advance(1000);
    EXPECT_EQ(ticks, 0);
    zero.SetInterval(500);  // counted from now: due at 1500
    set.Advance(499);
    EXPECT_EQ(ticks, 0);
    set.Advance(1);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(set.Find("zero"), &zero);
    EXPECT_EQ(set.Find("nope"), nullptr);
}

TEST(TimerSet, ABlockingWaitLetsTimePassAndDueTimersTickOnce) {
    TimerSet set;
    int ticks = 0;
    set.Declare("poll", 10, true, [&] { ++ticks; });
    set.Declare("blocker", 50, true, [&] { set.Block(300); });
    set.Advance(50);  // the blocker fires at 50 and holds the clock until 350
    EXPECT_EQ(set.Now(), 350);
    const int before = ticks;
    set.Advance(0);  // the poll timer fell due during the wait: it ticks once, not 30 times
    EXPECT_EQ(ticks, before + 1);
}

}  // namespace
}  // namespace tarvo
