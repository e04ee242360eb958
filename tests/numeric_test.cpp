#include "physics/numeric.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <optional>

namespace ball {
namespace {

TEST(ToInt16, RoundsHalfToEvenAndRaisesOverflow) {
    struct Row {
        double in;
        std::optional<int> out;  // empty: overflow
    };
    const Row rows[] = {
        {2.5, 2},          {3.5, 4},         {-2.5, -2},         {0.49999, 0},
        {12745.5, 12746},  {32767.4, 32767}, {32767.5, {}},      {-32768.5, -32768},
        {-32768.51, {}},   {1e10, {}},       {std::nan(""), {}}, {INFINITY, {}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.in);
        if (r.out) {
            EXPECT_EQ(toInt16(r.in), *r.out);
        } else {
            EXPECT_THROW(toInt16(r.in), RunError);
        }
    }
}

TEST(ToSingle, RaisesOverflowBeyondTheRange) {
    EXPECT_EQ(toSingle(FLT_MAX), FLT_MAX);
    EXPECT_EQ(toSingle(-double{FLT_MAX} * (1 + 1e-9)), -FLT_MAX);  // still rounds to the max
    EXPECT_THROW(toSingle(3.5e38), RunError);
    EXPECT_THROW(toSingle(-INFINITY), RunError);
    EXPECT_THROW(toSingle(std::nan("")), RunError);
    EXPECT_EQ(toSingle(1e-50), 0.0f);
}

TEST(Subtract16, RaisesOverflow) {
    EXPECT_EQ(subtract16(3, -32764), 32767);
    EXPECT_THROW(subtract16(3, -32765), RunError);
}

}  // namespace
}  // namespace ball
