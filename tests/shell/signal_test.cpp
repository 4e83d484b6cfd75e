#include "shell/signal.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace tarvo {
namespace {

TEST(Signal, NotifiesAttachedSlotsInOrderWithTheirArguments) {
    Signal<int> s;
    std::vector<int> calls;
    Slot<int> a([&](int v) { calls.push_back(v); });
    Slot<int> b([&](int v) { calls.push_back(v * 10); });
    s.Attach(a);
    s.Attach(b);
    s.Attach(a);  // attaching twice calls once
    s.Notify(3);
    EXPECT_EQ(calls, (std::vector<int>{3, 30}));
    s.Detach(a);
    s.Notify(1);
    EXPECT_EQ(calls, (std::vector<int>{3, 30, 10}));
}

TEST(Signal, EitherSideMayBeDestroyedFirst) {
    int calls = 0;
    auto slot = std::make_unique<Slot<>>([&] { ++calls; });
    {
        Signal<> s;
        s.Attach(*slot);
        s.Notify();
    }  // the signal goes first: the slot forgets it
    slot.reset();
    EXPECT_EQ(calls, 1);

    Signal<> s;
    auto gone = std::make_unique<Slot<>>([&] { ++calls; });
    s.Attach(*gone);
    gone.reset();  // the slot goes first: the signal forgets it
    EXPECT_EQ(s.SlotCount(), 0u);
    s.Notify();
    EXPECT_EQ(calls, 1);
}

TEST(Signal, ASlotDestroyedByAnEarlierSlotIsNotCalled) {
    Signal<> s;
    int second = 0;
    auto victim = std::make_unique<Slot<>>([&] { ++second; });
    Slot<> killer([&] { victim.reset(); });
    s.Attach(killer);
    s.Attach(*victim);
    s.Notify();
    EXPECT_EQ(second, 0);
    EXPECT_EQ(s.SlotCount(), 1u);
}

}  // namespace
}  // namespace tarvo
