// MulDiv's rounding and overflow, the halved form, 16.16 rounding, and
// pixel sizes scaled to the display's DPI.
#include "core/muldiv.h"

#include <gtest/gtest.h>

#include "../cases/muldiv_cases.h"
#include "core/display_scale.h"
#include "core/fixed_point.h"

using namespace muldiv_cases;

TEST(PortableMulDiv, RoundsHalvesAwayFromZeroAndReportsOverflow) {
    for (const MulDivCase& c : MulDivCases)
        EXPECT_EQ(PortableMulDiv(c.a, c.b, c.c), c.expected) << c.a << " * " << c.b << " / " << c.c;
}

TEST(PortableMulDiv, HandlesTheExtremes) {
    EXPECT_EQ(PortableMulDiv(-2147483647 - 1, 1, 1), -2147483647 - 1);
    EXPECT_EQ(PortableMulDiv(-2147483647 - 1, -1, 1), -1);  // 2^31 does not fit
    EXPECT_EQ(PortableMulDiv(-2147483647 - 1, -2147483647 - 1, -2147483647 - 1), -2147483647 - 1);
    EXPECT_EQ(PortableMulDiv(1, 1, -2147483647 - 1), 0);
}

TEST(MulDivHalved, HalvesEachOperandAndDoubles) {
    EXPECT_EQ(MulDivFunction, &PortableMulDiv);
    for (const HalvedCase& c : HalvedCases)
        EXPECT_EQ(MulDivHalved(c.a, c.b, c.c), c.expected) << c.a << " * " << c.b << " / " << c.c;
}

TEST(RoundFixed, AnExactHalfRoundsDown) {
    struct {
        uint32_t in, out;
    } cases[] = {{0, 0},
                 {0x8000, 0},
                 {0x8001, 1},
                 {0x18000, 1},
                 {0x18001, 2},
                 {0x17FFF, 1},
                 {0x10000, 1},
                 {1000u << 16, 1000},
                 {0xFFFF8000u, 0xFFFF},
                 {0xFFFF8001u, 0x10000},
                 {0xFFFFFFFFu, 0x10000}};
    for (const auto& c : cases) EXPECT_EQ(RoundFixed(c.in), c.out) << std::hex << c.in;
}

TEST(ScaleToDpi, KeepsSizesAt96AndRoundsHalvesAwayFromZero) {
    // clang-format off
    struct {
        int pixels, dpi, expected;
    } cases[] = {{8, 96, 8},   {15, 96, 15},  {1, 96, 1},  {8, 144, 12},  {15, 144, 23}, {1, 144, 2},
                 {15, 120, 19}, {8, 192, 16}, {1, 120, 1}, {-15, 144, -23}, {0, 144, 0}, {8, 72, 6},
                 {15, 0, 15},   {15, -96, 15}, {2147483647, 192, 2147483647}, {-2147483647 - 1, 97, -2147483647 - 1}};
    // clang-format on
    for (const auto& c : cases) EXPECT_EQ(ScaleToDpi(c.pixels, c.dpi), c.expected) << c.pixels << " at " << c.dpi;
}
