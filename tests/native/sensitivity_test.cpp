// Sensitivity percentage <-> the driver's 16.16 factor, and the typed text.
#include "core/sensitivity.h"

#include <gtest/gtest.h>

#include <string>

#include "../cases/sensitivity_cases.h"

using namespace sensitivity_cases;

TEST(SensitivityScale, BaseIsTheRoundedResolutionAtMost500) {
    for (const BaseCase& c : BaseCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(MakeSensitivityScale(c.resolution, false).base, c.base);
        EXPECT_EQ(HasSensitivityScale(MakeSensitivityScale(c.resolution, false)), c.base != 0);
    }
    const SensitivityScale s = MakeSensitivityScale(Cm400, true);
    EXPECT_EQ(s.resolution, Cm400);
    EXPECT_TRUE(s.centimetres);
}

TEST(SensitivityToPercent, ReadsTheTable) {
    for (const ToPercentCase& c : ToPercentCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SensitivityToPercentValue(c.sensitivity, MakeSensitivityScale(c.resolution, c.centimetres)),
                  c.percent);
    }
}

TEST(PercentToSensitivity, WritesTheTable) {
    for (const ToSensitivityCase& c : ToSensitivityCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PercentToSensitivityValue(c.percent, MakeSensitivityScale(c.resolution, c.centimetres)),
                  c.sensitivity);
    }
}

TEST(PercentToSensitivity, EveryPercentReadsBackAsItself) {
    const uint32_t resolutions[] = {Inch1000, Inch200, Cm400, 300u << 16, 2540u << 16, 100u << 16};
    for (uint32_t r : resolutions)
        for (bool cm : {false, true}) {
            const SensitivityScale s = MakeSensitivityScale(r, cm);
            for (uint32_t p = 1; p <= 100; ++p)
                EXPECT_EQ(SensitivityToPercentValue(PercentToSensitivityValue(p, s), s), p)
                    << "resolution " << (r >> 16) << (cm ? " cm " : " in ") << p << "%";
        }
}

TEST(FormatPercent, PrintsTheNumberAndASign) {
    char out[8];
    FormatPercent(75, out, sizeof out);
    EXPECT_STREQ(out, "75%");
    FormatPercent(0, out, sizeof out);
    EXPECT_STREQ(out, "0%");
    char small[3];
    FormatPercent(100, small, sizeof small);
    EXPECT_STREQ(small, "10");
}

TEST(ReadSensitivity, ValidatesTheTable) {
    for (const ReadCase& c : ReadCases) {
        SCOPED_TRACE(c.name);
        std::string text = c.text;
        uint32_t percent = c.before;
        const SensitivityParse outcome = ReadSensitivityValue(&text[0], percent, c.maximum, nullptr);
        EXPECT_EQ(outcome, c.outcome);
        EXPECT_EQ(percent, c.after);
        EXPECT_EQ(SensitivityWantsBeep(outcome), c.outcome != SensitivityAccepted && c.outcome != SensitivityEmpty);
    }
}
