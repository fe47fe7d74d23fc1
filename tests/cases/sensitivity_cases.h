// Cases for the sensitivity percentage and the driver's 16.16 factor, shared
// by the native tests and the Windows agreement test. Plain data only.
#pragma once

#include <cstdint>

#include "core/sensitivity.h"

namespace sensitivity_cases {

constexpr uint32_t Inch1000 = 1000u << 16;
constexpr uint32_t Inch200 = 200u << 16;
constexpr uint32_t Cm400 = 400u << 16;

struct BaseCase {
    const char* name;
    uint32_t resolution;
    uint32_t base;
};

const BaseCase BaseCases[] = {
    {"1000 per inch is held at 500", Inch1000, 500},
    {"200 per inch", Inch200, 200},
    {"400 per centimetre", Cm400, 400},
    {"500 exactly", 500u << 16, 500},
    {"1.5 rounds down", 0x18000, 1},
    {"just above 1.5 rounds up", 0x18001, 2},
    {"one half rounds to 0", 0x8000, 0},
    {"no resolution", 0, 0},
};

struct ToPercentCase {
    const char* name;
    uint32_t resolution;
    bool centimetres;
    uint32_t sensitivity;
    uint32_t percent;
};

const ToPercentCase ToPercentCases[] = {
    {"1000 per inch, factor 0.5", Inch1000, false, 0x8000, 100},
    {"1000 per inch, factor 0.25", Inch1000, false, 0x4000, 50},
    {"1000 per inch, factor 0.375", Inch1000, false, 0x6000, 75},
    {"200 per inch, factor 1", Inch200, false, 0x10000, 100},
    {"200 per inch, factor 0.75", Inch200, false, 0xC000, 75},
    {"400 per centimetre, 100 percent", Cm400, true, 0x64C9, 100},
    {"400 per centimetre, 50 percent", Cm400, true, 0x3264, 50},
    {"above 100 percent shows 100", Inch1000, false, 0x10000, 100},
    {"far above shows 100", Inch1000, false, 0xFFFFFFFF, 100},
    {"far above on centimetres shows 100", Cm400, true, 0xFFFFFFFF, 100},
    // 100 times the quotient passes 32 bits here; it must not wrap to 4%.
    {"far above on a coarse tablet shows 100", 10u << 16, false, 0x11EB9000, 100},
    {"factor 0 shows 0", Inch1000, false, 0, 0},
    {"base 0 shows 0", 0x8000, false, 0x8000, 0},
    {"no resolution shows 0", 0, false, 0x10000, 0},
    {"no resolution in centimetres shows 0", 0, true, 0x10000, 0},
};

struct ToSensitivityCase {
    const char* name;
    uint32_t resolution;
    bool centimetres;
    uint32_t percent;
    uint32_t sensitivity;
};

const ToSensitivityCase ToSensitivityCases[] = {
    {"1000 per inch, 100 percent", Inch1000, false, 100, 0x8000},
    {"1000 per inch, 50 percent", Inch1000, false, 50, 0x4000},
    {"1000 per inch, 75 percent", Inch1000, false, 75, 0x6000},
    {"200 per inch, 100 percent", Inch200, false, 100, 0x10000},
    {"200 per inch, 75 percent", Inch200, false, 75, 0xC000},
    {"400 per centimetre, 100 percent", Cm400, true, 100, 0x64C9},
    {"400 per centimetre, 50 percent", Cm400, true, 50, 0x3264},
    {"0 percent", Inch1000, false, 0, 0},
    {"base 0 gives factor 0", 0x8000, false, 100, 0},
    {"no resolution gives factor 0", 0, false, 100, 0},
    {"a resolution of one step gives factor 0", 1, true, 100, 0},
};

struct ReadCase {
    const char* name;
    const char* text;
    uint32_t maximum;
    uint32_t before;
    SensitivityParse outcome;
    uint32_t after;
};

const ReadCase ReadCases[] = {
    {"percent sign accepted", "75%", 100, 40, SensitivityAccepted, 75},
    {"digits only", "75", 100, 40, SensitivityAccepted, 75},
    {"the maximum itself", "100", 100, 40, SensitivityAccepted, 100},
    {"above the maximum clamps", "150", 100, 40, SensitivityClamped, 100},
    {"far above clamps", "99999999999999999999", 100, 40, SensitivityClamped, 100},
    {"just above 32 bits clamps", "4294967297", 100, 40, SensitivityClamped, 100},
    {"zero beeps", "0", 100, 40, SensitivityZero, 40},
    {"zeros beep", "000%", 100, 40, SensitivityZero, 40},
    {"a percent sign alone reads 0", "%", 100, 40, SensitivityZero, 40},
    {"a letter", "7x", 100, 40, SensitivityRejected, 40},
    {"a sign", "-5", 100, 40, SensitivityRejected, 40},
    {"a point", "7.5", 100, 40, SensitivityRejected, 40},
    {"a leading blank", " 75", 100, 40, SensitivityRejected, 40},
    {"a second percent sign", "75%%", 100, 40, SensitivityRejected, 40},
    {"percent sign first", "%75", 100, 40, SensitivityRejected, 40},
    {"empty", "", 100, 40, SensitivityEmpty, 40},
    {"leading zeros", "007", 100, 40, SensitivityAccepted, 7},
};

}  // namespace sensitivity_cases
