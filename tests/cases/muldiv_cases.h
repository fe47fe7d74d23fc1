// Cases for MulDiv and its halved form, shared by the native tests and the
// Windows agreement test. Plain data only.
#pragma once

#include <cstdint>

// The tables are laid out by hand, a case a line.
// clang-format off

namespace muldiv_cases {

struct MulDivCase {
    int a, b, c;
    int expected;
};

const MulDivCase MulDivCases[] = {
    {3, 3, 3, 3},
    {6, 7, 2, 21},
    {5, 1, 2, 3},        // a half rounds away from zero
    {-5, 1, 2, -3},
    {5, -1, 2, -3},
    {-5, -1, 2, 3},
    {7, 1, -2, -4},
    {-7, 1, -2, 4},
    {1, 1, 3, 0},
    {2, 1, 3, 1},
    {-2, 1, 3, -1},
    {4, 1, 3, 1},
    {5, 1, 3, 2},
    {1, 1, 0, -1},       // no divisor
    {0, 0, 0, -1},
    {0, 5, 7, 0},
    {2147483647, 2, 2, 2147483647},
    {2147483647, 2, 1, -1},  // overflow
    {46341, 46341, 1, -1},
    {46340, 46340, 1, 2147395600},
    {65536, 65536, 65536, 65536},
    {2147483647, 2147483647, 2147483647, 2147483647},
    {-2147483647, 2, 2, -2147483647},
    {1000000, 1000000, 3, -1},
    {1000000, 1000000, 1000, 1000000000},
};

struct HalvedCase {
    uint32_t a, b, c;
    uint32_t expected;
};

const HalvedCase HalvedCases[] = {
    {3, 3, 3, 2},
    {10, 10, 10, 10},
    {0xFFFFFFFFu, 2, 2, 0xFFFFFFFEu},
    {5, 5, 0, 0xFFFFFFFEu},       // no divisor: -1 doubled
    {5, 5, 1, 0xFFFFFFFEu},       // the halved divisor is 0 too
    {0x8000, 1000u << 16, 65536, 32768000},
    {0xFFFFFFFFu, 0xFFFFFFFFu, 65536, 0xFFFFFFFEu},  // overflow
    {0, 0xFFFFFFFFu, 2, 0},
    {1, 1, 2, 0},
    {1000, 2000, 4000, 500},
};

}  // namespace muldiv_cases
// clang-format on
