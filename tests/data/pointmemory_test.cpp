#include "data/pointmemory.h"

#include <gtest/gtest.h>

#include "base/errors.h"

namespace tarvo {
namespace {

TEST(PointItem, WrittenRightAlignedInEightColumns) {
    EXPECT_EQ(PointItemText(12.5L, -3.25L, 3), "  12.500 :   -3.250");
    EXPECT_EQ(PointItemText(123.45678L, 0, 4), "123.4568 :   0.0000");
    EXPECT_EQ(PointItemText(-12345.5L, 1, 3), "-12345.500 :    1.000");  // the field grows
}

TEST(PointItem, ReadBackInEveryFormTheListHolds) {
    struct Case {
        const char* item;
        long double x;
        long double y;
    };
    const Case cases[] = {
        {"  12.500 :   -3.250", 12.5L, -3.25L},
        {"12,5 : 3,25", 12.5L, 3.25L},
        {".5 : -1", 0.5L, -1.0L},
        {"12.500:3.000", 12.5L, 3.0L},  // recalled from the result list
        {"7", 0.0L, 7.0L},              // no colon: all of it is Y
        {"a : b", 0.0L, 0.0L},          // edited into garbage: no message, zeros
        {"1:2:3", 1.0L, 0.0L},          // Y "2:3" does not convert
        {"", 0.0L, 0.0L},
    };
    for (const auto& c : cases) {
        const Point p = ParsePointItem(c.item);
        EXPECT_DOUBLE_EQ(static_cast<double>(p.x.value()), static_cast<double>(c.x)) << c.item;
        EXPECT_DOUBLE_EQ(static_cast<double>(p.y.value()), static_cast<double>(c.y)) << c.item;
    }
    // Y is read from at most 100 characters after the colon.
    const std::string longY = "1:" + std::string(99, ' ') + "45";
    EXPECT_DOUBLE_EQ(static_cast<double>(ParsePointItem(longY).y.value()), 4.0);
}

TEST(PointMemory, IndicesAreChecked) {
    PointMemory m;
    EXPECT_THROW((void)m.GetPoint(0), RangeError);
    m.Append("1 : 2");
    m.Append("3 : 4");
    EXPECT_EQ(m.ItemIndex(), 1);
    EXPECT_DOUBLE_EQ(static_cast<double>(m.GetPoint(1).x.value()), 3.0);
    EXPECT_THROW((void)m.GetPoint(2), RangeError);
    EXPECT_THROW((void)m.GetPoint(-1), RangeError);
    EXPECT_THROW(m.Delete(5), RangeError);
    EXPECT_EQ(m.PointCount(), 2);
    m.Clear();
    EXPECT_EQ(m.ItemIndex(), -1);
}

}  // namespace
}  // namespace tarvo
