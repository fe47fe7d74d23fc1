// The window-free core gives the same answers in the Windows build, where
// MulDivHalved goes through the system's MulDiv and typed characters are
// classified by IsCharAlphaNumericA and IsCharAlphaA.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "../cases/muldiv_cases.h"
#include "../cases/sensitivity_cases.h"
#include "../cases/units_cases.h"
#include "core/muldiv.h"
#include "core/measure.h"
#include "core/sensitivity.h"

namespace {

bool SystemAlphaNumeric(char c) { return IsCharAlphaNumericA(c) != FALSE; }
bool SystemAlpha(char c) { return IsCharAlphaA(c) != FALSE; }
const CharClass SystemClass = {SystemAlphaNumeric, SystemAlpha};

}  // namespace

TEST(PortableAgree, MulDivFunctionIsTheSystemsMulDiv) {
    EXPECT_NE(MulDivFunction, &PortableMulDiv);
    for (const muldiv_cases::MulDivCase& c : muldiv_cases::MulDivCases) {
        EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected) << c.a << " * " << c.b << " / " << c.c;
        EXPECT_EQ(MulDivFunction(c.a, c.b, c.c), c.expected) << c.a << " * " << c.b << " / " << c.c;
        EXPECT_EQ(PortableMulDiv(c.a, c.b, c.c), c.expected) << c.a << " * " << c.b << " / " << c.c;
    }
}

TEST(PortableAgree, MulDivHalved) {
    for (const muldiv_cases::HalvedCase& c : muldiv_cases::HalvedCases)
        EXPECT_EQ(MulDivHalved(c.a, c.b, c.c), c.expected) << c.a << " * " << c.b << " / " << c.c;
}

TEST(PortableAgree, TypedDigitsOfTheAsciiRange) {
    for (const units_cases::DigitCase& c : units_cases::DigitCases)
        EXPECT_EQ(IsTypedDigit(&SystemClass, c.c), c.digit) << c.c;
    for (int i = 1; i < 128; ++i) {
        const char c = static_cast<char>(i);
        EXPECT_EQ(IsTypedDigit(&SystemClass, c), IsTypedDigit(nullptr, c)) << i;
        EXPECT_EQ(IsTypedAlpha(&SystemClass, c), IsTypedAlpha(nullptr, c)) << i;
    }
}

TEST(PortableAgree, FormatMeasure) {
    for (const units_cases::FormatCase& c : units_cases::FormatCases) {
        SCOPED_TRACE(c.name);
        char out[MeasureTextSize];
        EXPECT_EQ(FormatMeasureOnAxis(c.count, c.unit, c.kind, c.axis, out), c.hasText);
        EXPECT_STREQ(out, c.expected);
    }
}

TEST(PortableAgree, ParseMeasure) {
    for (const units_cases::ParseCase& c : units_cases::ParseCases) {
        SCOPED_TRACE(c.name);
        std::string text = c.text;
        uint32_t value = c.before;
        EXPECT_EQ(ParseMeasureOnAxis(&text[0], value, c.unit, c.kind, c.axis, &SystemClass),
                  c.outcome);
        EXPECT_EQ(value, c.after);
    }
}

TEST(PortableAgree, Sensitivity) {
    using namespace sensitivity_cases;
    for (const BaseCase& c : BaseCases)
        EXPECT_EQ(MakeSensitivityScale(c.resolution, false).base, c.base) << c.name;
    for (const ToPercentCase& c : ToPercentCases)
        EXPECT_EQ(SensitivityToPercentValue(c.sensitivity,
                                            MakeSensitivityScale(c.resolution, c.centimetres)),
                  c.percent)
            << c.name;
    for (const ToSensitivityCase& c : ToSensitivityCases)
        EXPECT_EQ(
            PercentToSensitivityValue(c.percent, MakeSensitivityScale(c.resolution, c.centimetres)),
            c.sensitivity)
            << c.name;
    for (const ReadCase& c : ReadCases) {
        std::string text = c.text;
        uint32_t percent = c.before;
        EXPECT_EQ(ReadSensitivityValue(&text[0], percent, c.maximum, &SystemClass), c.outcome)
            << c.name;
        EXPECT_EQ(percent, c.after) << c.name;
    }
}
