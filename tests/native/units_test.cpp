// Counts to inches and centimetres and back: the number format, the typed
// forms that are accepted, and the bounds.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "../cases/units_cases.h"
#include "core/measure.h"

using namespace units_cases;

TEST(FormatMeasure, PrintsTheTable) {
    for (const FormatCase& c : FormatCases) {
        SCOPED_TRACE(c.name);
        char out[MeasureTextSize];
        std::memset(out, 'x', sizeof out);
        EXPECT_EQ(FormatMeasureOnAxis(c.count, c.unit, c.kind, c.axis, out), c.hasText);
        EXPECT_STREQ(out, c.expected);
    }
}

TEST(FormatMeasure, StaysInsideTheBufferForEveryMagnitude) {
    // Widest whole parts and every suffix: the text always fits 22 characters.
    const AxisInfo axes[] = {Inch1000X,    Cm400X, Tiny,
                             NoResolution, Blank,  {0, 1, AxisUnitCentimetres, 0xFFFFFFFFu}};
    const uint32_t counts[] = {0, 1, 3, 999, 2147483647u, 2147483648u, 0xFFFFFFFFu};
    for (const AxisInfo& axis : axes)
        for (uint32_t count : counts)
            for (int unit = -1; unit <= 3; ++unit)
                for (unsigned kind = 0; kind < 4; ++kind) {
                    char out[MeasureTextSize + 1];
                    out[MeasureTextSize] = '#';
                    FormatMeasureOnAxis(count, unit, kind, axis, out);
                    EXPECT_EQ(out[MeasureTextSize], '#');
                    EXPECT_LT(std::strlen(out), MeasureTextSize);
                }
}

TEST(CountsToUnits, ConvertsOnlyBetweenDifferentUnits) {
    EXPECT_DOUBLE_EQ(CountsToUnitsOnAxis(12000, UnitInches, KindLengthX, Inch1000X), 12.0);
    EXPECT_DOUBLE_EQ(CountsToUnitsOnAxis(12000, UnitCentimetres, KindLengthX, Inch1000X),
                     12.0 * 2.54);
    EXPECT_DOUBLE_EQ(CountsToUnitsOnAxis(1, UnitInches, KindResolutionX, Inch1000X), 1000.0);
    EXPECT_DOUBLE_EQ(CountsToUnitsOnAxis(1, UnitCentimetres, KindResolutionX, Cm400X), 400.0);
    EXPECT_DOUBLE_EQ(CountsToUnitsOnAxis(2, UnitCentimetres, KindResolutionX, Cm400X), 800.0);
    EXPECT_DOUBLE_EQ(CountsToUnitsOnAxis(777, UnitCounts, KindResolutionY, Blank), 777.0);
    // The axis's own bit chooses the axis; the y axis here is the caller's.
    EXPECT_DOUBLE_EQ(CountsToUnitsOnAxis(4500, UnitInches, KindLengthY, Inch1000Y), 4.5);
}

TEST(CountsToUnits, ANoResolutionAxisGivesZeroNotInfinity) {
    EXPECT_EQ(CountsToUnitsOnAxis(5000, UnitInches, KindLengthX, NoResolution), 0.0);
    EXPECT_EQ(CountsToUnitsOnAxis(5000, UnitCentimetres, KindLengthY, Blank), 0.0);
    EXPECT_EQ(CountsToUnitsOnAxis(1, UnitInches, KindResolutionX, Blank), 0.0);
}

TEST(ParseMeasure, ReadsTheTable) {
    for (const ParseCase& c : ParseCases) {
        SCOPED_TRACE(c.name);
        std::string text = c.text;
        uint32_t value = c.before;
        EXPECT_EQ(ParseMeasureOnAxis(&text[0], value, c.unit, c.kind, c.axis, nullptr), c.outcome);
        EXPECT_EQ(value, c.after);
    }
}

TEST(ParseMeasure, BeepsExactlyForRejectedAndTooLarge) {
    EXPECT_TRUE(ParseWantsBeep(ParseRejected));
    EXPECT_TRUE(ParseWantsBeep(ParseTooLarge));
    EXPECT_FALSE(ParseWantsBeep(ParseEmpty));
    EXPECT_FALSE(ParseWantsBeep(ParseUnchanged));
    EXPECT_FALSE(ParseWantsBeep(ParseChanged));
}

TEST(ParseMeasure, ReadsBackWhatItFormats) {
    // A count printed in a unit and typed back lands within the print's
    // rounding of where it started.
    const uint32_t counts[] = {0, 1, 250, 2999, 6000, 11999, 12000};
    for (int unit = UnitInches; unit <= UnitCentimetres; ++unit)
        for (uint32_t count : counts) {
            char out[MeasureTextSize];
            ASSERT_TRUE(FormatMeasureOnAxis(count, unit, KindLengthX, Inch1000X, out));
            uint32_t value = 0xFFFFFFFFu;
            const ParseOutcome outcome =
                ParseMeasureOnAxis(out, value, unit, KindLengthX, Inch1000X, nullptr);
            ASSERT_EQ(outcome, ParseChanged) << count << " unit " << unit;
            EXPECT_NEAR(static_cast<double>(value), count, unit == UnitInches ? 5.0 : 2.0);
        }
}

TEST(ParseMeasure, UsesTheGivenClassification) {
    // A classification that calls '#' a digit lets it through; ASCII does not.
    CharClass hashIsDigit = {[](char c) { return c == '#' || (c >= '0' && c <= '9'); },
                             [](char) { return false; }};
    char typed[] = "1#";
    uint32_t value = 7;
    EXPECT_EQ(ParseMeasureOnAxis(typed, value, UnitCounts, KindLengthX, Inch1000X, &hashIsDigit),
              ParseChanged);
    EXPECT_EQ(value, 1u);
    char again[] = "1#";
    EXPECT_EQ(ParseMeasureOnAxis(again, value, UnitCounts, KindLengthX, Inch1000X, nullptr),
              ParseRejected);
}

TEST(TypedCharacters, DigitsAreAlphanumericButNotAlphabetic) {
    for (const DigitCase& c : DigitCases) {
        SCOPED_TRACE(std::string(1, c.c));
        EXPECT_EQ(IsTypedDigit(nullptr, c.c), c.digit);
    }
    EXPECT_TRUE(IsTypedAlpha(nullptr, 'e'));
    EXPECT_FALSE(IsTypedAlpha(nullptr, '7'));
    EXPECT_FALSE(IsTypedDigit(nullptr, static_cast<char>(0xB2)));
    const CharClass partial = {nullptr, [](char c) { return c == '5'; }};
    EXPECT_FALSE(IsTypedDigit(&partial, '5'));  // alphabetic by the given rule
    EXPECT_TRUE(IsTypedDigit(&partial, '6'));   // ASCII for the missing member
}

TEST(RemoveBlanks, RemovesSpacesAndTabsOnly) {
    struct {
        const char* in;
        const char* out;
    } cases[] = {{" 2 . 5 cm ", "2.5cm"}, {"\t1\t2", "12"}, {"   ", ""}, {"", ""},
                 {"a\nb", "a\nb"},        {"x", "x"}};
    for (const auto& c : cases) {
        std::string text = c.in;
        RemoveBlanks(&text[0]);
        EXPECT_STREQ(text.c_str(), c.out);
    }
    RemoveBlanks(nullptr);  // a missing text is left alone
}
