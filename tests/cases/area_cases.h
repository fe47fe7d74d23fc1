// Cases for the tracking-area arithmetic. Plain data only.
#pragma once

#include <cstdint>

#include "core/area_math.h"

// The tables are laid out by hand, a case a line.
// clang-format off

namespace area_cases {

// 12000 x 9000 counts, equal resolutions, on displays of various shapes.
constexpr AreaLimits Display4x3 = {12000, 9000, 0.75, 12000, 9000, true};   // 320 x 240 mm
constexpr AreaLimits Display2x1 = {12000, 9000, 0.5, 12000, 6000, true};    // wider than the tablet
constexpr AreaLimits DisplaySquare = {12000, 9000, 1.0, 9000, 9000, true};  // taller than the tablet
constexpr AreaLimits NoDisplay = {12000, 9000, 0.0, 12000, 9000, false};
constexpr AreaLimits Stepped4x3 = {12000, 9000, 0.75, 12000, 9000, true, 10};  // 1000 per inch: a step of 10

struct StepCase {
    const char* name;
    uint32_t resolution;
    uint32_t step;
};

const StepCase StepCases[] = {
    {"1000 per inch", 1000u << 16, 10},
    {"400 per centimetre", 400u << 16, 4},
    {"508 per inch", 508u << 16, 5},
    {"50 per unit", 50u << 16, 1},
    {"below 50 per unit steps by one count", 49u << 16, 1},
    {"no resolution steps by one count", 0, 1},
};

struct SpinCase {
    const char* name;
    uint32_t current, step;
    bool up;
    bool changes;
    uint32_t value;
};

const SpinCase SpinCases[] = {
    {"up from 1234", 1234, 10, true, true, 1240},
    {"down from 1234", 1234, 10, false, true, 1220},
    {"a half rounds up", 1235, 10, true, true, 1250},
    {"down on a margin of 4 does nothing", 4, 10, false, false, 0},
    {"up on a margin of 4", 4, 10, true, true, 10},
    {"down from 0 does nothing", 0, 10, false, false, 0},
    {"a step of 0 steps by one", 7, 0, true, true, 8},
    {"a step of 0 down", 7, 0, false, true, 6},
    {"down at the top of the range", 0xFFFFFFFFu, 10, false, true, 4294967290u},
    {"up at the top of the range stays there", 0xFFFFFFFFu, 10, true, true, 0xFFFFFFFFu},
};

struct RecentreCase {
    const char* name;
    uint32_t position, oldSize, newSize, limit;
    uint32_t expected;
};

const RecentreCase RecentreCases[] = {
    {"same size stays", 300, 100, 100, 1000, 300},
    {"growth goes to both sides", 5000, 1000, 3000, 12000, 4000},
    {"growth never drops below 0", 500, 1000, 3000, 12000, 0},
    {"growth is pulled back from the end", 9000, 1000, 5000, 12000, 7000},
    {"shrinking keeps the centre", 5000, 3000, 1000, 12000, 6000},
    {"shrinking is pulled back from the end", 11500, 3000, 1000, 12000, 11000},
    {"a size beyond the limit brings no pull-back", 100, 10, 20000, 12000, 0},
};

struct FieldValueCase {
    AreaField field;
    uint32_t value;
    unsigned kind;
};

// For the area (1000, 2000, 5000, 8000) on a 12000 x 9000 tablet.
const FieldValueCase FieldValueCases[] = {
    {AreaFieldWidth, 4000, 0}, {AreaFieldHeight, 6000, 1}, {AreaFieldLeft, 1000, 0},
    {AreaFieldTop, 2000, 1},   {AreaFieldRight, 7000, 0},  {AreaFieldBottom, 1000, 1},
    // Not fields: no value, horizontal.
    {AreaFieldCount, 0, 0},    {static_cast<AreaField>(-1), 0, 0},
};

struct FieldCase {
    const char* name;
    AreaLimits limits;
    AreaBox start;
    AreaField field;
    uint32_t value;
    bool preserve;
    AreaBox expected;
};

const FieldCase FieldCases[] = {
    {"width of W or more is W", Display4x3, {1000, 1000, 5000, 4000}, AreaFieldWidth, 15000, false, {0, 1000, 12000, 4000}},
    {"width grows about its centre", Display4x3, {4000, 1000, 6000, 4000}, AreaFieldWidth, 4000, false, {3000, 1000, 7000, 4000}},
    {"width ends at the right edge at most", Display4x3, {9000, 0, 11000, 100}, AreaFieldWidth, 6000, false, {6000, 0, 12000, 100}},
    {"width shrinks about its centre", Display4x3, {1000, 0, 5000, 10}, AreaFieldWidth, 2000, false, {2000, 0, 4000, 10}},
    {"height of H or more is H", Display4x3, {0, 3000, 100, 4000}, AreaFieldHeight, 9000, false, {0, 0, 100, 9000}},
    {"left margin moves the area", Display4x3, {1000, 1000, 5000, 4000}, AreaFieldLeft, 3000, false, {3000, 1000, 7000, 4000}},
    {"left margin past the right edge shrinks to W", Display4x3, {1000, 1000, 5000, 4000}, AreaFieldLeft, 10000, false, {10000, 1000, 12000, 4000}},
    {"left margin beyond W", Display4x3, {1000, 1000, 5000, 4000}, AreaFieldLeft, 20000, false, {12000, 1000, 12000, 4000}},
    {"top margin past the bottom edge", Display4x3, {1000, 1000, 5000, 4000}, AreaFieldTop, 8000, false, {1000, 8000, 5000, 9000}},
    {"right margin moves the area", Display4x3, {1000, 1000, 5000, 4000}, AreaFieldRight, 1000, false, {7000, 1000, 11000, 4000}},
    {"right margin too wide shrinks from the left", Display4x3, {1000, 1000, 5000, 4000}, AreaFieldRight, 9000, false, {0, 1000, 3000, 4000}},
    {"right margin beyond the width: zero width at the left", Display4x3, {1000, 1000, 5000, 4000}, AreaFieldRight, 20000, false, {0, 1000, 0, 4000}},
    {"left margin beyond W keeps a step", Stepped4x3, {1000, 1000, 5000, 4000}, AreaFieldLeft, 20000, false, {11990, 1000, 12000, 4000}},
    {"right margin of the width keeps a step", Stepped4x3, {1000, 1000, 5000, 4000}, AreaFieldRight, 12000, false, {0, 1000, 10, 4000}},
    {"preserved width of one count keeps a step", Stepped4x3, {0, 0, 4000, 3000}, AreaFieldWidth, 1, true, {1999, 1499, 2009, 1509}},
    {"bottom margin moves the area", Display4x3, {1000, 1000, 5000, 4000}, AreaFieldBottom, 0, false, {1000, 6000, 5000, 9000}},
    {"bottom margin too high shrinks from the top", Display4x3, {1000, 1000, 5000, 4000}, AreaFieldBottom, 7000, false, {1000, 0, 5000, 2000}},
    {"preserved width brings the height", Display4x3, {0, 0, 4000, 3000}, AreaFieldWidth, 8000, true, {0, 0, 8000, 6000}},
    {"preserved width beyond the largest", Display2x1, {0, 0, 4000, 2000}, AreaFieldWidth, 13000, true, {0, 0, 12000, 6000}},
    {"preserved height brings the width", Display4x3, {2000, 0, 6000, 3000}, AreaFieldHeight, 1500, true, {3000, 750, 5000, 2250}},
    {"preserved height beyond the largest", Display4x3, {0, 0, 400, 300}, AreaFieldHeight, 10000, true, {0, 0, 12000, 9000}},
    {"preserved left margin reshapes", Display4x3, {0, 0, 8000, 6000}, AreaFieldLeft, 6000, true, {6000, 750, 12000, 5250}},
    {"preserved top margin reshapes", Display4x3, {0, 0, 8000, 6000}, AreaFieldTop, 6000, true, {2000, 6000, 6000, 9000}},
    {"preserved right margin reshapes", Display4x3, {0, 0, 8000, 6000}, AreaFieldRight, 8000, true, {0, 1500, 4000, 4500}},
    {"preserved bottom margin reshapes", Display4x3, {0, 0, 8000, 6000}, AreaFieldBottom, 6000, true, {2000, 0, 6000, 3000}},
    {"no usable display: preserve acts as off", NoDisplay, {1000, 1000, 5000, 4000}, AreaFieldWidth, 15000, true, {0, 1000, 12000, 4000}},
    {"other ids change nothing", Display4x3, {1000, 1000, 5000, 4000}, AreaFieldCount, 1, true, {1000, 1000, 5000, 4000}},
    // A display-shaped width rounded up can ask for one count more than H.
    {"rounding never leaves the tablet", {9000, 9001, 2.0, 4501, 9001, true}, {0, 0, 100, 100}, AreaFieldWidth, 4501, true, {0, 0, 4501, 9001}},
};

struct FitCase {
    const char* name;
    AreaLimits limits;
    AreaBox start;
    AreaBox expected;
};

const FitCase FitCases[] = {
    {"a wide area gets the display's height", Display4x3, {0, 0, 10000, 5000}, {0, 0, 10000, 7500}},
    {"a tall area gets the display's width", Display4x3, {0, 0, 3000, 6000}, {0, 0, 8000, 6000}},
    {"an area already display-shaped stays", Display4x3, {400, 300, 4400, 3300}, {400, 300, 4400, 3300}},
    {"growth is centred", Display4x3, {4000, 4000, 6000, 5000}, {4000, 3750, 6000, 5250}},
    {"too wide for the display: the largest area", Display2x1, {0, 0, 12000, 9000}, {0, 1500, 12000, 7500}},
    {"a tall strip becomes as wide as the tablet", Display4x3, {5000, 0, 6000, 9000}, {0, 0, 12000, 9000}},
    {"zero width", Display4x3, {100, 100, 100, 400}, {0, 100, 400, 400}},
    {"zero size stays", Display4x3, {100, 100, 100, 100}, {100, 100, 100, 100}},
    {"no usable display: nothing changes", NoDisplay, {0, 0, 10000, 5000}, {0, 0, 10000, 5000}},
};

struct AcceptCase {
    const char* name;
    AreaLimits limits;
    bool preserve;
    AreaBox record;
    AreaBox reported;
    AreaBox expected;
};

const AcceptCase AcceptCases[] = {
    {"without preserve the area is taken as it is", Display4x3, false, {0, 0, 12000, 9000}, {1000, 2000, 5000, 8000}, {1000, 2000, 5000, 8000}},
    {"a tall area widens from the lower-left corner", Display4x3, true, {0, 0, 12000, 9000}, {1000, 2000, 5000, 8000}, {1000, 2000, 9000, 8000}},
    {"a wide area rises from the lower-left corner", Display4x3, true, {1000, 5000, 12000, 9000}, {1000, 5000, 9000, 8000}, {1000, 2000, 9000, 8000}},
    {"a wide area held by the tablet's top", Display4x3, true, {0, 0, 12000, 9000}, {1000, 5000, 9000, 8000}, {1000, 4000, 6333, 8000}},
    {"a kept top limits the height to the bottom", Display4x3, true, {0, 1000, 12000, 9000}, {0, 1000, 12000, 3000}, {0, 0, 4000, 3000}},
    {"a tall area held by the right edge", Display4x3, true, {0, 0, 12000, 9000}, {9000, 1000, 10000, 5000}, {9000, 2750, 12000, 5000}},
    // With the left edge kept, widening from it must still end on the tablet.
    {"a kept left edge never widens past W", Display4x3, true, {6000, 0, 12000, 9000}, {6000, 0, 8000, 6000}, {6000, 1500, 12000, 6000}},
    // Rising from the bottom edge must stop at the tablet's top.
    {"a moved top never rises above 0", Display4x3, true, {0, 0, 12000, 9000}, {0, 100, 8000, 200}, {0, 0, 267, 200}},
    {"no usable display: taken as it is", NoDisplay, true, {0, 0, 12000, 9000}, {1000, 2000, 5000, 8000}, {1000, 2000, 5000, 8000}},
};

}  // namespace area_cases
// clang-format on
