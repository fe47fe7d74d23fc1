// Tracking-area arithmetic: field values, edits, reshaping to the display,
// the corner-defined area, the spin step and the capture's inactivity wait.
#include <gtest/gtest.h>

#include <ostream>

#include "../cases/area_cases.h"
#include "../cases/units_cases.h"
#include "controls/inactivity.h"
#include "core/area_math.h"

using namespace area_cases;

static bool operator==(const AreaBox& a, const AreaBox& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
static std::ostream& operator<<(std::ostream& os, const AreaBox& a) {
    return os << "(" << a.left << ", " << a.top << ", " << a.right << ", " << a.bottom << ")";
}

TEST(InactivityLeft, CountsFromTheLastPacketAcrossTheTickCountsWrap) {
    struct {
        uint32_t now, last, left;
    } cases[] = {{1000, 1000, 5000},       {5999, 1000, 1},        {6000, 1000, 0},
                 {900000, 1000, 0},        {5, 0xFFFFFFF0u, 4979}, {5000, 0xFFFFFFFFu, 0},
                 {0xFFFFFFFFu, 0, 0}};
    for (const auto& c : cases) EXPECT_EQ(InactivityLeft(c.now, c.last, 5000), c.left) << c.now << " " << c.last;
}

TEST(AreaStep, IsOneHundredthOfTheUnitAndNeverZero) {
    for (const StepCase& c : StepCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(AreaStep(c.resolution), c.step);
    }
}

TEST(SpinAreaValue, RoundsToTheStepThenSteps) {
    for (const SpinCase& c : SpinCases) {
        SCOPED_TRACE(c.name);
        uint32_t value = 0;
        EXPECT_EQ(SpinAreaValue(c.current, c.step, c.up, value), c.changes);
        EXPECT_EQ(value, c.value);
    }
}

TEST(Recentre, SplitsTheChangeAndStaysOnTheAxis) {
    for (const RecentreCase& c : RecentreCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Recentre(c.position, c.oldSize, c.newSize, c.limit), c.expected);
    }
}

TEST(AreaFieldValue, GivesSizesAndMargins) {
    const AreaBox area = {1000, 2000, 5000, 8000};
    for (const FieldValueCase& c : FieldValueCases) {
        SCOPED_TRACE(c.field);
        EXPECT_EQ(AreaFieldValue(c.field, area, 12000, 9000), c.value);
        EXPECT_EQ(AreaFieldKind(c.field), c.kind);
    }
}

TEST(SetAreaField, AppliesTheTable) {
    for (const FieldCase& c : FieldCases) {
        SCOPED_TRACE(c.name);
        AreaBox area = c.start;
        SetAreaField(c.field, c.value, c.preserve, area, c.limits);
        EXPECT_EQ(area, c.expected);
    }
}

TEST(FitAspect, ReshapesTheTable) {
    for (const FitCase& c : FitCases) {
        SCOPED_TRACE(c.name);
        AreaBox area = c.start;
        FitAspect(area, c.limits);
        EXPECT_EQ(area, c.expected);
    }
}

TEST(AcceptControlArea, KeepsTheLowerLeftCorner) {
    for (const AcceptCase& c : AcceptCases) {
        SCOPED_TRACE(c.name);
        AreaBox area = c.record;
        AcceptControlArea(c.preserve, c.reported, area, c.limits);
        EXPECT_EQ(area, c.expected);
        if (c.preserve) {
            EXPECT_EQ(area.left, c.reported.left);
            EXPECT_EQ(area.bottom, c.reported.bottom);
        }
    }
}

TEST(ComputeDisplayFigures, A4x3DisplayOnA4x3Tablet) {
    AreaLimits limits = {12000, 9000, 0, 0, 0, false};
    DisplayShape shape;
    ComputeDisplayFigures(units_cases::Inch1000X, units_cases::Inch1000Y, 240, 320, 1, 1, limits,
                          shape);
    EXPECT_TRUE(limits.aspectUsable);
    EXPECT_DOUBLE_EQ(limits.displayAspect, 0.75);
    EXPECT_EQ(limits.maxAreaWidth, 12000u);
    EXPECT_EQ(limits.maxAreaHeight, 9000u);
    EXPECT_DOUBLE_EQ(shape.tabletAspect, 0.75);
    EXPECT_DOUBLE_EQ(shape.controlShape, 0.75);
}

TEST(ComputeDisplayFigures, TheLargestAreaFollowsTheDisplayShape) {
    struct {
        int vert, horz;
        uint32_t maxW, maxH;
    } cases[] = {{160, 320, 12000, 6000}, {300, 300, 9000, 9000}, {300, 200, 6000, 9000}};
    for (const auto& c : cases) {
        AreaLimits limits = {12000, 9000, 0, 0, 0, false};
        DisplayShape shape;
        ComputeDisplayFigures(units_cases::Inch1000X, units_cases::Inch1000Y, c.vert, c.horz, 1, 1,
                              limits, shape);
        EXPECT_TRUE(limits.aspectUsable);
        EXPECT_EQ(limits.maxAreaWidth, c.maxW) << c.vert << "x" << c.horz;
        EXPECT_EQ(limits.maxAreaHeight, c.maxH) << c.vert << "x" << c.horz;
    }
}

TEST(ComputeDisplayFigures, TheLargestAreaNeverExceedsTheTablet) {
    // Unequal resolutions: 1000 per inch across, 100 per inch down.
    const AxisInfo x = {0, 10000, AxisUnitInches, 1000u << 16};
    const AxisInfo y = {0, 1000, AxisUnitInches, 100u << 16};
    AreaLimits limits = {10000, 1000, 0, 0, 0, false};
    DisplayShape shape;
    ComputeDisplayFigures(x, y, 240, 320, 1, 1, limits, shape);
    EXPECT_TRUE(limits.aspectUsable);
    EXPECT_LE(limits.maxAreaWidth, 10000u);
    EXPECT_LE(limits.maxAreaHeight, 1000u);
}

TEST(ComputeDisplayFigures, UndefinedProportionsAreMarkedUnusable) {
    const AxisInfo zeroRes = {0, 12000, AxisUnitInches, 0};
    struct {
        const char* name;
        uint32_t W, H;
        AxisInfo x, y;
        int vert, horz;
    } cases[] = {
        {"empty width", 0, 9000, units_cases::Inch1000X, units_cases::Inch1000Y, 240, 320},
        {"empty height", 12000, 0, units_cases::Inch1000X, units_cases::Inch1000Y, 240, 320},
        {"display height 0", 12000, 9000, units_cases::Inch1000X, units_cases::Inch1000Y, 0, 320},
        {"display width 0", 12000, 9000, units_cases::Inch1000X, units_cases::Inch1000Y, 240, 0},
        {"negative display size", 12000, 9000, units_cases::Inch1000X, units_cases::Inch1000Y, -240,
         320},
        {"no x resolution", 12000, 9000, zeroRes, units_cases::Inch1000Y, 240, 320},
        {"no y resolution", 12000, 9000, units_cases::Inch1000X, zeroRes, 240, 320},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AreaLimits limits = {c.W, c.H, 0, 1, 1, true};
        DisplayShape shape;
        ComputeDisplayFigures(c.x, c.y, c.vert, c.horz, 1, 1, limits, shape);
        EXPECT_FALSE(limits.aspectUsable);
        EXPECT_EQ(limits.maxAreaWidth, c.W);
        EXPECT_EQ(limits.maxAreaHeight, c.H);
        EXPECT_GE(shape.tabletAspect, 0.0);
        EXPECT_GE(shape.controlShape, 0.0);
    }
}

TEST(ComputeDisplayFigures, ANonsenseUnitCodeIsOnlyAnotherUnit) {
    // The x axis's unit code minus one chooses the unit; no code overflows it.
    for (uint32_t code : {0u, 3u, 0x80000000u, 0xFFFFFFFFu}) {
        const AxisInfo x = {0, 12000, code, 1000u << 16};
        const AxisInfo y = {0, 9000, code, 1000u << 16};
        AreaLimits limits = {12000, 9000, 0, 0, 0, false};
        DisplayShape shape;
        ComputeDisplayFigures(x, y, 240, 320, 1, 1, limits, shape);
        EXPECT_TRUE(limits.aspectUsable) << code;
        EXPECT_EQ(limits.maxAreaWidth, 12000u) << code;
        EXPECT_EQ(limits.maxAreaHeight, 9000u) << code;
    }
}

TEST(ReshapeAreaControl, FitsTheTabletsProportions) {
    const ControlBox box = {10, 20, 200, 200};
    struct {
        const char* name;
        DisplayShape shape;
        ControlBox expected;
    } cases[] = {
        {"a wide tablet lowers the control, keeping its bottom", {0.75, 0.75}, {10, 70, 200, 150}},
        {"a tall tablet narrows the control, keeping it centred", {1.5, 1.5}, {43, 20, 133, 200}},
        {"a square tablet keeps it", {1.0, 1.0}, {10, 20, 200, 200}},
        {"no shape leaves it", {0.0, 0.0}, {10, 20, 200, 200}},
        {"no pixel aspect leaves it", {0.75, 0.0}, {10, 20, 200, 200}},
        {"an infinite shape leaves it", {2.0, 1e308 * 10}, {10, 20, 200, 200}},
        {"an enormous shape leaves it", {0.5, 1e12}, {10, 20, 200, 200}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ControlBox got = ReshapeAreaControl(box, c.shape);
        EXPECT_EQ(got.x, c.expected.x);
        EXPECT_EQ(got.y, c.expected.y);
        EXPECT_EQ(got.width, c.expected.width);
        EXPECT_EQ(got.height, c.expected.height);
    }
}

// Every edit of an area inside the tablet leaves it inside and ordered.
TEST(AreaInvariants, EditsKeepTheAreaOnTheTablet) {
    const AreaLimits limitsList[] = {Display4x3,
                                     Display2x1,
                                     DisplaySquare,
                                     NoDisplay,
                                     {9000, 9001, 2.0, 4501, 9001, true},
                                     {7, 5, 0.3, 7, 2, true}};
    const AreaField fields[] = {AreaFieldWidth, AreaFieldHeight, AreaFieldLeft,
                          AreaFieldTop,   AreaFieldRight,  AreaFieldBottom};
    const uint32_t values[] = {0,    1,    2,    3,    5,     999,   4500,       4501,
                               6001, 8999, 9000, 9001, 12000, 13000, 0xFFFFFFFFu};
    for (const AreaLimits& limits : limitsList) {
        const AreaBox starts[] = {
            {0, 0, 0, 0},
            {0, 0, static_cast<int32_t>(limits.W), static_cast<int32_t>(limits.H)},
            {1, 1, 2, 4},
            {static_cast<int32_t>(limits.W), static_cast<int32_t>(limits.H),
             static_cast<int32_t>(limits.W), static_cast<int32_t>(limits.H)}};
        for (const AreaBox& start : starts)
            for (bool preserve : {false, true}) {
                const auto check = [&](const AreaBox& a, const char* what) {
                    EXPECT_TRUE(a.left >= 0 && a.left <= a.right &&
                                static_cast<uint32_t>(a.right) <= limits.W && a.top >= 0 &&
                                a.top <= a.bottom && static_cast<uint32_t>(a.bottom) <= limits.H)
                        << what << " from " << start << " gave " << a << " on " << limits.W << "x"
                        << limits.H;
                };
                for (AreaField field : fields)
                    for (uint32_t v : values) {
                        AreaBox a = start;
                        SetAreaField(field, v, preserve, a, limits);
                        check(a, "field");
                        FitAspect(a, limits);
                        check(a, "fit");
                    }
                AreaBox a = start;
                AcceptControlArea(preserve, {0, 1, static_cast<int32_t>(limits.W), 2}, a, limits);
                check(a, "accept");
            }
    }
}
