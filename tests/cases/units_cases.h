// Cases for counts <-> inches and centimetres, shared by the native tests
// and the Windows agreement test. Plain data only.
#pragma once

#include <cstdint>

#include "core/measure.h"

namespace units_cases {

// 1000 counts per inch, 12 inches wide and 9 high.
constexpr AxisInfo Inch1000X = {0, 12000, AxisUnitInches, 1000u << 16};
constexpr AxisInfo Inch1000Y = {0, 9000, AxisUnitInches, 1000u << 16};
// 400 counts per centimetre, 20 inches (50.8 cm) wide.
constexpr AxisInfo Cm400X = {0, 20320, AxisUnitCentimetres, 400u << 16};
// An axis the driver could not describe.
constexpr AxisInfo Blank = {0, 0, 0, 0};
// Resolution 0 with an extent.
constexpr AxisInfo NoResolution = {0, 12000, AxisUnitInches, 0};
// The smallest resolution there is: counts turn into enormous lengths.
constexpr AxisInfo Tiny = {0, -1, AxisUnitInches, 1};

struct FormatCase {
    const char* name;
    AxisInfo axis;
    uint32_t count;
    int unit;
    unsigned kind;
    bool hasText;
    const char* expected;
};

const FormatCase FormatCases[] = {
    {"inch axis width in inches", Inch1000X, 12000, UnitInches, KindLengthX, true, "12\""},
    {"inch axis width in centimetres", Inch1000X, 12000, UnitCentimetres, KindLengthX, true, "30.48 cm"},
    {"inch axis resolution per inch", Inch1000X, 1, UnitInches, KindResolutionX, true, "1000 dpi"},
    {"inch axis resolution per centimetre", Inch1000X, 1, UnitCentimetres, KindResolutionX, true, "393.7 dpcm"},
    {"cm axis width in inches", Cm400X, 20320, UnitInches, KindLengthX, true, "20\""},
    {"cm axis width in centimetres", Cm400X, 20320, UnitCentimetres, KindLengthX, true, "50.8 cm"},
    {"cm axis resolution per inch", Cm400X, 1, UnitInches, KindResolutionX, true, "1016 dpi"},
    {"cm axis resolution per centimetre", Cm400X, 1, UnitCentimetres, KindResolutionX, true, "400 dpcm"},
    {"zero count in centimetres", Inch1000X, 0, UnitCentimetres, KindLengthX, true, "0 cm"},
    {"zero count in inches", Inch1000X, 0, UnitInches, KindLengthY, true, "0\""},
    {"2.999 carries into the whole part", Inch1000X, 2999, UnitInches, KindLengthX, true, "3\""},
    {"12.70 drops its trailing zero", Inch1000X, 12700, UnitInches, KindLengthX, true, "12.7\""},
    {"6.00 drops the point", Inch1000X, 6000, UnitInches, KindLengthX, true, "6\""},
    {"0.004 rounds to 0", Inch1000X, 4, UnitInches, KindLengthX, true, "0\""},
    {"0.005 rounds up to 0.01", Inch1000X, 5, UnitInches, KindLengthX, true, "0.01\""},
    {"0.05 keeps one decimal", Inch1000X, 50, UnitInches, KindLengthX, true, "0.05\""},
    {"y axis in its own table", Inch1000Y, 4500, UnitInches, KindLengthY, true, "4.5\""},
    {"counts print as they are", Inch1000X, 1234, UnitCounts, KindLengthX, true, "1234"},
    {"a resolution in counts has no text", Inch1000X, 1, UnitCounts, KindResolutionX, false, ""},
    {"no resolution: a length is 0", NoResolution, 6000, UnitInches, KindLengthX, true, "0\""},
    {"no resolution: a resolution is 0", NoResolution, 1, UnitCentimetres, KindResolutionX, true, "0 dpcm"},
    {"blank axis in centimetres", Blank, 500, UnitCentimetres, KindLengthY, true, "0 cm"},
    {"a length beyond 32 bits shows 0", Tiny, 0xFFFFFFFFu, UnitInches, KindLengthX, true, "0\""},
    {"a count beyond 31 bits shows 0", Inch1000X, 0xFFFFFFFFu, UnitCounts, KindLengthX, true, "0"},
    {"the largest whole part fits", Inch1000X, 2147483647u, UnitCounts, KindLengthX, true, "2147483647"},
    {"one more does not", Inch1000X, 2147483648u, UnitCounts, KindLengthX, true, "0"},
};

struct ParseCase {
    const char* name;
    AxisInfo axis;
    const char* text;
    int unit;
    unsigned kind;
    uint32_t before;
    ParseOutcome outcome;
    uint32_t after;
};

const ParseCase ParseCases[] = {
    {"centimetres with a blank and suffix", Cm400X, "2.5 cm", UnitCentimetres, KindLengthX, 7, ParseChanged, 1000},
    {"centimetres with the suffix attached", Cm400X, "2.5cm", UnitCentimetres, KindLengthX, 7, ParseChanged, 1000},
    {"blanks between every character", Cm400X, "2 . 5", UnitCentimetres, KindLengthX, 7, ParseChanged, 1000},
    {"tabs count as blanks", Cm400X, "\t2.5\tcm ", UnitCentimetres, KindLengthX, 7, ParseChanged, 1000},
    {"another unit's word is rejected", Cm400X, "2.5 in", UnitCentimetres, KindLengthX, 7, ParseRejected, 7},
    {"a comma is rejected", Cm400X, "2,5", UnitCentimetres, KindLengthX, 7, ParseRejected, 7},
    {"e- is accepted", Cm400X, "1e-1", UnitCentimetres, KindLengthX, 7, ParseChanged, 40},
    {"capital E is rejected", Cm400X, "1E-1", UnitCentimetres, KindLengthX, 7, ParseRejected, 7},
    {"e without minus is rejected", Cm400X, "1e1", UnitCentimetres, KindLengthX, 7, ParseRejected, 7},
    {"a leading minus is rejected", Cm400X, "-1", UnitCentimetres, KindLengthX, 7, ParseRejected, 7},
    {"a plus is rejected", Cm400X, "+1", UnitCentimetres, KindLengthX, 7, ParseRejected, 7},
    {"a second point is rejected", Cm400X, "1.2.3", UnitCentimetres, KindLengthX, 7, ParseRejected, 7},
    {"inch mark cut in inches", Inch1000X, "2.5\"", UnitInches, KindLengthX, 7, ParseChanged, 2500},
    {"inch mark rejected in centimetres", Inch1000X, "2.5\"", UnitCentimetres, KindLengthX, 7, ParseRejected, 7},
    {"centimetres on an inch axis", Inch1000X, "2.54", UnitCentimetres, KindLengthX, 7, ParseChanged, 1000},
    {"inches on a centimetre axis", Cm400X, "1", UnitInches, KindLengthX, 7, ParseChanged, 1016},
    {"the extent itself is allowed", Inch1000X, "12", UnitInches, KindLengthX, 7, ParseChanged, 12000},
    {"beyond the extent beeps", Inch1000X, "12.01", UnitInches, KindLengthX, 7, ParseTooLarge, 7},
    {"beyond the y extent beeps", Inch1000Y, "9.1", UnitInches, KindLengthY, 7, ParseTooLarge, 7},
    {"a resolution has no upper bound", Inch1000X, "99999999 dpi", UnitInches, KindResolutionX, 1, ParseChanged, 100000},
    {"a resolution per centimetre", Inch1000X, "393.7dpcm", UnitCentimetres, KindResolutionX, 1, ParseUnchanged, 1},
    {"the same count is unchanged", Inch1000X, "1.0004", UnitInches, KindLengthX, 1000, ParseUnchanged, 1000},
    {"counts are taken as typed", Inch1000X, "1234.6", UnitCounts, KindLengthX, 7, ParseChanged, 1235},
    {"counts beyond the extent beep", Inch1000X, "12001", UnitCounts, KindLengthX, 7, ParseTooLarge, 7},
    {"a count beyond 32 bits beeps", Inch1000X, "4294967296", UnitCounts, KindResolutionX, 7, ParseTooLarge, 7},
    {"the largest 32-bit count", Inch1000X, "4294967295", UnitCounts, KindResolutionX, 7, ParseChanged, 4294967295u},
    {"a resolution beyond 32 bits beeps", Inch1000X, "9999999999999", UnitInches, KindResolutionX, 7, ParseTooLarge, 7},
    {"300 digits are too large", Inch1000X,
     "1000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
     "0000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
     "0000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
     "000000000000000000000",
     UnitCounts, KindResolutionX, 7, ParseTooLarge, 7},
    {"blanks only read as 0", Inch1000X, "   ", UnitInches, KindLengthX, 500, ParseChanged, 0},
    {"the suffix only reads as 0", Cm400X, " cm", UnitCentimetres, KindLengthX, 500, ParseChanged, 0},
    {"a point only reads as 0", Cm400X, ".", UnitCentimetres, KindLengthX, 500, ParseChanged, 0},
    {"empty text is ignored", Inch1000X, "", UnitInches, KindLengthX, 500, ParseEmpty, 500},
    {"no resolution cannot convert", NoResolution, "1", UnitInches, KindLengthX, 7, ParseTooLarge, 7},
    {"no resolution cannot convert a resolution", NoResolution, "1", UnitInches, KindResolutionX, 7, ParseTooLarge, 7},
    {"blank axis still takes counts of 0", Blank, "0", UnitCounts, KindLengthX, 7, ParseChanged, 0},
    {"blank axis bounds counts at 0", Blank, "5", UnitCounts, KindLengthX, 7, ParseTooLarge, 7},
    {"huge length on a tiny resolution", Tiny, "1", UnitInches, KindLengthX, 7, ParseChanged, 0},
};

struct DigitCase {
    char c;
    bool digit;
};

const DigitCase DigitCases[] = {
    {'0', true}, {'5', true}, {'9', true}, {'a', false}, {'e', false}, {'Z', false},
    {'.', false}, {'-', false}, {' ', false}, {'%', false}, {'"', false},
};

}  // namespace units_cases
