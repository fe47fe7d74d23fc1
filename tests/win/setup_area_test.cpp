// The tracking area in the real Tablet Setup dialog: spin steps, typed
// fields, rewriting only the changed fields, the unit list, Whole Tablet,
// Preserve Aspect Ratio against the display Wine reports, areas drawn on the
// area control, and tablets whose figures leave nothing to fit.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "controls/controls.h"
#include "defs/features.h"
#include "support/setup_host.h"

using namespace setup_test;

namespace {

constexpr uint32_t W = 12000, H = 9000;  // the built-in tablet, 1000 counts per inch
const int Fields[6] = {IDC_WIDTH_EDIT, IDC_HEIGHT_EDIT, IDC_LEFT_EDIT, IDC_TOP_EDIT, IDC_RIGHT_EDIT, IDC_BOTTOM_EDIT};

std::string ContextWithArea(const char* section, AreaBox a) {
    char text[256];
    snprintf(text, sizeof text, "[%s]\nName=Default System\nInOriginX=%d\nInExtentX=%d\nInOriginY=%d\nInExtentY=%d\n",
             section, a.left, a.right - a.left, static_cast<int>(H) - a.bottom, a.bottom - a.top);
    return text;
}

// The tablet with the area in its system context and its default system context.
std::string WithArea(AreaBox a, const char* device = "") {
    return Tablet("Contexts=1", device, ContextWithArea("Context0", a) + ContextWithArea("DefaultSystemContext", a));
}

AreaBox AreaOf(const ContextRecord& r) {
    return AreaBox{r.inOriginX, static_cast<int32_t>(H) - r.inOriginY - r.inExtentY, r.inExtentX + r.inOriginX,
                   static_cast<int32_t>(H) - r.inOriginY};
}

std::string Text(const AreaBox& a) {
    char text[80];
    snprintf(text, sizeof text, "(%d, %d, %d, %d)", a.left, a.top, a.right, a.bottom);
    return text;
}

bool Same(const AreaBox& a, const AreaBox& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

int32_t Round(double v) { return static_cast<int32_t>(v + 0.5); }

// The display's height over its width in millimetres, as the dialog reads it.
double DisplayAspect() {
    HDC display = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
    double aspect = static_cast<double>(GetDeviceCaps(display, VERTSIZE)) / GetDeviceCaps(display, HORZSIZE);
    DeleteDC(display);
    return aspect;
}

// A display-shaped area as Preserve Aspect Ratio must leave it on the
// built-in tablet (equal axis resolutions): inside the tablet and of the
// display's proportions to the count.
::testing::AssertionResult DisplayShaped(const AreaBox& a) {
    double D = DisplayAspect();
    if (a.left < 0 || a.top < 0 || a.right > static_cast<int32_t>(W) || a.bottom > static_cast<int32_t>(H) ||
        a.right < a.left || a.bottom < a.top)
        return ::testing::AssertionFailure() << Text(a) << " leaves the tablet";
    int32_t w = a.right - a.left, h = a.bottom - a.top;
    if (std::abs(h - Round(w * D)) > 1 && std::abs(w - Round(h / D)) > 1)
        return ::testing::AssertionFailure() << Text(a) << " is not shaped " << D;
    return ::testing::AssertionSuccess();
}

class AreaTest : public ::testing::Test {
protected:
    // The expectations below are computed from the display Wine reports;
    // the cases are chosen to fit the tablet for any landscape display from
    // 2:1 to 10:9 (tools/test runs them on 4:3, 5:4 and 16:9 screens).
    void SetUp() override {
        ASSERT_GE(DisplayAspect(), 0.5);
        ASSERT_LE(DisplayAspect(), 0.9);
    }

    void Open(AreaBox a, const char* device = "", int unit = 0) {
        ASSERT_TRUE(host.Describe(WithArea(a, device).c_str(), unit));
        ASSERT_TRUE(host.Open(false));
    }
    // The area Test writes to the driver.
    AreaBox Written() {
        host.Click(IDC_SETUP_TEST);
        return AreaOf(host.SystemContext());
    }
    std::vector<std::string> FieldTexts() { return host.AreaFieldTexts(); }
    SetupHost host;
};

TEST_F(AreaTest, SpinStepsByAHundredthOfTheUnit) {
    struct Case {
        const char* device;
        int32_t up, down;  // the width after one step from 1234
    } cases[] = {
        {"Resolution=1000", 1240, 1220},         // step 10
        {"Unit=2\nResolution=400", 1240, 1232},  // step 4
        {"Resolution=508", 1240, 1230},          // step 5
        {"Resolution=40", 1235, 1233},           // a hundredth rounds to 0: one count
    };
    for (const Case& c : cases) {
        for (WORD code : {TWN_UP, TWN_DOWN}) {
            Open(AreaBox{0, 1000, 1234, 8000}, c.device);
            EXPECT_EQ(TRUE, host.Answer(IDC_WIDTH_SPIN, code));
            // A narrower area keeps its centre; a wider one cannot start before 0.
            int32_t width = code == TWN_UP ? c.up : c.down;
            int32_t left = code == TWN_UP ? 0 : (1234 - width) / 2;
            AreaBox expected = {left, 1000, left + width, 8000};
            EXPECT_TRUE(Same(expected, host.ControlArea())) << c.device << " " << Text(host.ControlArea());
            EXPECT_TRUE(Same(expected, Written())) << c.device;
        }
    }
}

TEST_F(AreaTest, SpinsPostTheAreaToTheControl) {
    Open(AreaBox{0, 1000, 1234, 8000});
    host.Spin(IDC_WIDTH_SPIN, TWN_UP);
    EXPECT_EQ("1.24\"", host.Text(IDC_WIDTH_EDIT));
    AreaBox now = {};
    SendMessageA(host.Item(IDC_AREA_CONTROL), SAM_GETAREA, 0, reinterpret_cast<LPARAM>(&now));
    EXPECT_EQ(1234, now.right) << "posted, not yet arrived";
    EXPECT_EQ(1240, host.ControlArea().right);
    EXPECT_EQ(FALSE, host.Answer(IDC_WIDTH_SPIN, 0x22));
}

TEST_F(AreaTest, SpinOnEveryFieldUsesTheSameStep) {
    struct Case {
        int spin;
        WORD code;
        AreaBox expected;  // from (4, 1004, 6004, 8004)
    } cases[] = {
        {IDC_LEFT_SPIN, TWN_DOWN, {4, 1004, 6004, 8004}},  // 4 rounds to 0: nothing to take away
        {IDC_LEFT_SPIN, TWN_UP, {10, 1004, 6010, 8004}},
        {IDC_TOP_SPIN, TWN_UP, {4, 1010, 6004, 8010}},
        {IDC_TOP_SPIN, TWN_DOWN, {4, 990, 6004, 7990}},
        {IDC_HEIGHT_SPIN, TWN_UP, {4, 999, 6004, 8009}},     // 7010 high, centred
        {IDC_RIGHT_SPIN, TWN_UP, {0, 1004, 5990, 8004}},     // 5996 rounds to 6000; 6010 leaves 5990
        {IDC_BOTTOM_SPIN, TWN_DOWN, {4, 1010, 6004, 8010}},  // 996 rounds to 1000; 990 remain
    };
    for (const Case& c : cases) {
        Open(AreaBox{4, 1004, 6004, 8004});
        host.Spin(c.spin, c.code);
        EXPECT_TRUE(Same(c.expected, host.ControlArea())) << c.spin << " " << Text(host.ControlArea());
        EXPECT_TRUE(Same(c.expected, Written())) << c.spin;
    }
}

TEST_F(AreaTest, SpinsPastTheTabletsEdgeStopThere) {
    struct Case {
        AreaBox start;
        int spin;
        AreaBox expected;
    } cases[] = {
        // A width of the tablet's or more is the tablet's width.
        {{0, 1000, 11995, 8000}, IDC_WIDTH_SPIN, {0, 1000, 12000, 8000}},
        {{5, 1000, 12000, 8000}, IDC_WIDTH_SPIN, {0, 1000, 12000, 8000}},
        // A right margin of the whole width leaves the least width (a step) at
        // the left edge; the driver's 5 counts were already shown as that.
        {{0, 1000, 5, 8000}, IDC_RIGHT_SPIN, {0, 1000, 10, 8000}},
        // Grown by half a step each way, then pulled back to end at the bottom.
        {{0, 1000, 12000, 8995}, IDC_HEIGHT_SPIN, {0, 990, 12000, 9000}},
    };
    for (const Case& c : cases) {
        Open(c.start);
        host.Spin(c.spin, TWN_UP);
        EXPECT_TRUE(Same(c.expected, host.ControlArea())) << Text(c.start) << " " << Text(host.ControlArea());
        EXPECT_TRUE(Same(c.expected, Written())) << Text(c.start);
    }
}

TEST_F(AreaTest, TypedFieldsEditTheArea) {
    const AreaBox a = {3000, 1000, 9000, 8000};
    struct Case {
        AreaBox start;
        int field;
        const char* typed;
        AreaBox expected;
        const char* shown;  // the typed field afterwards
        int beeps;
    } cases[] = {
        {a, IDC_WIDTH_EDIT, "10", {1000, 1000, 11000, 8000}, "10\"", 0},  // keeps its centre
        {{5000, 1000, 11000, 8000}, IDC_WIDTH_EDIT, "10", {2000, 1000, 12000, 8000}, "10\"", 0},
        {{1000, 1000, 7000, 8000}, IDC_WIDTH_EDIT, "12", {0, 1000, 12000, 8000}, "12\"", 0},
        {{1000, 1000, 7000, 8000}, IDC_LEFT_EDIT, "8", {8000, 1000, 12000, 8000}, "8\"", 0},
        {{1000, 1000, 7000, 8000}, IDC_LEFT_EDIT, "2", {2000, 1000, 8000, 8000}, "2\"", 0},
        {a, IDC_RIGHT_EDIT, "12", {0, 1000, 10, 8000}, "11.99\"", 0},  // the whole width: a step is left
        {a, IDC_WIDTH_EDIT, "0", a, "6\"", 1},                         // an area without extent is refused
        {a, IDC_HEIGHT_EDIT, "0.001", a, "7\"", 1},
        {a, IDC_RIGHT_EDIT, "1", {5000, 1000, 11000, 8000}, "1\"", 0},
        {a, IDC_HEIGHT_EDIT, "4", {3000, 2500, 9000, 6500}, "4\"", 0},
        {a, IDC_TOP_EDIT, "8", {3000, 8000, 9000, 9000}, "8\"", 0},
        {a, IDC_BOTTOM_EDIT, "0.5", {3000, 1500, 9000, 8500}, "0.5\"", 0},
        {a, IDC_BOTTOM_EDIT, "0.5\"", {3000, 1500, 9000, 8500}, "0.5\"", 0},
        {a, IDC_WIDTH_EDIT, "abc", a, "6\"", 1},
        {a, IDC_WIDTH_EDIT, "13", a, "6\"", 1},  // beyond the tablet
        {a, IDC_WIDTH_EDIT, "2 cm", a, "6\"", 1},
        {a, IDC_WIDTH_EDIT, "", a, "6\"", 0},
        {a, IDC_LEFT_EDIT, "1e-1", {100, 1000, 6100, 8000}, "0.1\"", 0},
    };
    for (const Case& c : cases) {
        Open(c.start);
        int before = BeepCount();
        host.Type(c.field, c.typed);
        std::string what = std::to_string(c.field) + " \"" + c.typed + "\"";
        EXPECT_EQ(c.shown, host.Text(c.field)) << what;
        EXPECT_EQ(c.beeps, BeepCount() - before) << what;
        EXPECT_TRUE(Same(c.expected, host.ControlArea())) << what << " " << Text(host.ControlArea());
        EXPECT_TRUE(Same(c.expected, Written())) << what;
    }
}

TEST_F(AreaTest, FieldsAreReadInTheChosenUnit) {
    Open(AreaBox{3000, 1000, 9000, 8000}, "", 1);
    EXPECT_EQ("15.24 cm", host.Text(IDC_WIDTH_EDIT));
    host.Type(IDC_WIDTH_EDIT, "10.16 cm");
    EXPECT_EQ("10.16 cm", host.Text(IDC_WIDTH_EDIT));
    EXPECT_TRUE(Same(AreaBox{4000, 1000, 8000, 8000}, Written()));
}

TEST_F(AreaTest, OnlyTheChangedFieldsAreRewritten) {
    Open(AreaBox{1000, 1000, 7000, 8000});
    for (int id : Fields) SetDlgItemTextA(host.dialog, id, "untouched");
    host.Type(IDC_LEFT_EDIT, "2");  // moves the area, keeps its size
    std::vector<std::string> expected = {"untouched", "untouched", "2\"", "untouched", "4\"", "untouched"};
    EXPECT_EQ(expected, FieldTexts());
}

TEST_F(AreaTest, UnitListRewritesEveryFieldAndKeepsTheCounts) {
    Open(AreaBox{1000, 2000, 7000, 6500});
    std::vector<std::string> inches = {"6\"", "4.5\"", "1\"", "2\"", "5\"", "2.5\""};
    std::vector<std::string> centimetres = {"15.24 cm", "11.43 cm", "2.54 cm", "5.08 cm", "12.7 cm", "6.35 cm"};
    EXPECT_EQ(inches, FieldTexts());
    DriverSnapshot before = host.Snapshot();
    host.Select(IDC_UNITS_LIST, 1);
    EXPECT_EQ(centimetres, FieldTexts());
    EXPECT_TRUE(Same(AreaBox{1000, 2000, 7000, 6500}, host.ControlArea()));
    host.Click(IDC_SETUP_TEST);
    EXPECT_TRUE(before == host.Snapshot());
    host.Select(IDC_UNITS_LIST, 0);
    EXPECT_EQ(inches, FieldTexts());
}

TEST_F(AreaTest, WholeTabletShowsTheTabletAndLocksTheAreaControls) {
    Open(AreaBox{1000, 2000, 7000, 6500});
    DriverSnapshot before = host.Snapshot();
    host.Click(IDC_WHOLE_TABLET);
    EXPECT_TRUE(host.Checked(IDC_WHOLE_TABLET));
    std::vector<std::string> whole = {"12\"", "9\"", "0\"", "0\"", "0\"", "0\""};
    EXPECT_EQ(whole, FieldTexts());
    EXPECT_TRUE(Same(AreaBox{0, 0, 12000, 9000}, host.ControlArea()));
    EXPECT_TRUE(before == host.Snapshot()) << "the probe puts the driver back";
    for (int id = IDC_PRESERVE_ASPECT; id <= IDC_AREA_CONTROL; ++id) {
        bool stays = id == IDC_UNITS_LABEL || id == IDC_UNITS_LIST;
        EXPECT_EQ(stays, host.Enabled(id)) << id;
    }

    // Off again without the aspect option: the whole tablet stays the area.
    host.Click(IDC_WHOLE_TABLET);
    EXPECT_FALSE(host.Checked(IDC_WHOLE_TABLET));
    for (int id = IDC_PRESERVE_ASPECT; id <= IDC_AREA_CONTROL; ++id) EXPECT_TRUE(host.Enabled(id)) << id;
    EXPECT_TRUE(Same(AreaBox{0, 0, 12000, 9000}, host.ControlArea()));
    EXPECT_TRUE(Same(AreaBox{0, 0, 12000, 9000}, Written()));
}

TEST_F(AreaTest, WholeTabletOffWithTheAspectOptionFitsTheDisplay) {
    Open(AreaBox{1000, 2000, 7000, 6500});
    host.Click(IDC_PRESERVE_ASPECT);
    host.Click(IDC_WHOLE_TABLET);
    host.Click(IDC_WHOLE_TABLET);
    AreaBox a = host.ControlArea();
    EXPECT_TRUE(DisplayShaped(a));
    // The largest such area, centred on the tablet.
    EXPECT_TRUE(a.right - a.left == static_cast<int32_t>(W) || a.bottom - a.top == static_cast<int32_t>(H)) << Text(a);
    EXPECT_LE(std::abs(a.left - (static_cast<int32_t>(W) - a.right)), 1) << Text(a);
    EXPECT_LE(std::abs(a.top - (static_cast<int32_t>(H) - a.bottom)), 1) << Text(a);
    EXPECT_TRUE(Same(a, Written()));
}

TEST_F(AreaTest, PreserveAspectRatioGivesTheDisplaysProportions) {
    // A 10000 by 5000 area in the top-left corner gets the display's height
    // for its width (on a 320 by 240 mm display: 10000 by 7500).
    Open(AreaBox{0, 0, 10000, 5000});
    host.Click(IDC_PRESERVE_ASPECT);
    EXPECT_TRUE(host.Checked(IDC_PRESERVE_ASPECT));
    AreaBox expected = {0, 0, 10000, Round(10000 * DisplayAspect())};
    EXPECT_TRUE(Same(expected, host.ControlArea())) << Text(host.ControlArea());
    EXPECT_TRUE(DisplayShaped(host.ControlArea()));
    // Turning it off changes nothing.
    host.Click(IDC_PRESERVE_ASPECT);
    EXPECT_FALSE(host.Checked(IDC_PRESERVE_ASPECT));
    EXPECT_TRUE(Same(expected, Written()));

    // A tall area as high as the tablet keeps that height and widens to the
    // display's shape; where the display is squarer than the tablet that is
    // wider than the tablet, so the area becomes as wide as the tablet and
    // as high as the shape allows.
    Open(AreaBox{1000, 0, 4000, 9000});
    host.Click(IDC_PRESERVE_ASPECT);
    const AreaBox tall = host.ControlArea();
    EXPECT_TRUE(DisplayShaped(tall));
    if (H / DisplayAspect() > W) {
        EXPECT_EQ(static_cast<int32_t>(W), tall.right - tall.left) << Text(tall);
    } else {
        EXPECT_EQ(static_cast<int32_t>(H), tall.bottom - tall.top) << Text(tall);
    }
}

TEST_F(AreaTest, AspectOptionCarriesOverAndReshapesOnTheNextEdit) {
    Open(AreaBox{0, 0, 10000, 5000});
    host.Click(IDC_PRESERVE_ASPECT);
    host.Click(IDCANCEL);
    host.Close();
    ASSERT_TRUE(host.Open(false));
    EXPECT_TRUE(host.Checked(IDC_PRESERVE_ASPECT));
    // Not reshaped at opening: the fields show what the driver holds.
    EXPECT_EQ("5\"", host.Text(IDC_HEIGHT_EDIT));
    EXPECT_TRUE(Same(AreaBox{0, 0, 10000, 5000}, host.ControlArea()));
    // Leaving the width unchanged still reshapes the area.
    host.Type(IDC_WIDTH_EDIT, "10");
    AreaBox expected = {0, 0, 10000, Round(10000 * DisplayAspect())};
    EXPECT_TRUE(Same(expected, host.ControlArea())) << Text(host.ControlArea());
}

TEST_F(AreaTest, AreaDrawnOnTheControlIsTaken) {
    const double D = DisplayAspect();
    struct Case {
        WORD code;
        bool preserve;
        AreaBox reported;
        AreaBox expected;
    } cases[] = {
        {SAN_AREACHANGED, false, {2000, 1000, 8000, 7000}, {2000, 1000, 8000, 7000}},
        {SAN_AREARESET, true, {2000, 1000, 8000, 7000}, {2000, 1000, 8000, 7000}},
        {SAN_AREARESET, false, {0, 0, 12000, 9000}, {0, 0, 12000, 9000}},
        // Both corners pressed at one place: the area keeps the least extent.
        {SAN_AREACHANGED, false, {2000, 1000, 2000, 1000}, {2000, 1000, 2010, 1010}},
        // Tall: the height stays, the width follows; the lower-left corner stays.
        {SAN_AREACHANGED, true, {2000, 3000, 6000, 7000}, {2000, 3000, 2000 + Round(4000 / D), 7000}},
        // Wide: the height the width asks for does not fit above the lower
        // edge, so the area reaches the tablet's top and narrows.
        {SAN_AREACHANGED, true, {1000, 1000, 9000, 3000}, {1000, 0, 1000 + Round(3000 / D), 3000}},
    };
    for (const Case& c : cases) {
        Open(AreaBox{1000, 2000, 7000, 6500});
        if (c.preserve) host.Click(IDC_PRESERVE_ASPECT);
        AreaBox reported = c.reported;
        SendMessageA(host.Item(IDC_AREA_CONTROL), SAM_SETAREA, 0, reinterpret_cast<LPARAM>(&reported));
        EXPECT_EQ(TRUE, host.Answer(IDC_AREA_CONTROL, c.code));
        std::string what = Text(c.reported) + (c.preserve ? " preserve" : "");
        EXPECT_TRUE(Same(c.expected, host.ControlArea())) << what << " got " << Text(host.ControlArea());
        EXPECT_TRUE(Same(c.expected, Written())) << what;
        char left[32];
        snprintf(left, sizeof left, "%g\"", c.expected.left / 1000.0);
        EXPECT_EQ(left, host.Text(IDC_LEFT_EDIT)) << what;
        if (c.preserve) host.Click(IDC_PRESERVE_ASPECT);
    }
}

// Test and OK pressed while the area control captures (the fields show the
// whole tablet) end the capture first, as leaving the control does: the
// fields show the area kept, and that is what is written.
TEST_F(AreaTest, TestAndOkDuringACaptureWriteWhatTheFieldsThenShow) {
    const AreaBox a = {3000, 1000, 9000, 8000};
    for (int button : {IDC_SETUP_TEST, IDOK}) {
        Open(a);
        SetFocus(host.Item(IDC_AREA_CONTROL));
        ASSERT_EQ("12\"", host.Text(IDC_WIDTH_EDIT)) << "the capture shows the whole tablet";
        SendMessageA(host.Dialog(), WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(host.Item(button)));
        EXPECT_EQ("6\"", host.Text(IDC_WIDTH_EDIT)) << button;
        EXPECT_TRUE(Same(a, AreaOf(host.SystemContext()))) << button << " " << Text(AreaOf(host.SystemContext()));
    }
}

TEST_F(AreaTest, EmptyTabletExtentKeepsTheAreaAsTheDriverHoldsIt) {
    for (int fault : {SimFaultZeroExtentX, SimFaultZeroExtentY}) {
        ASSERT_TRUE(host.Describe(WithArea(AreaBox{1000, 2000, 7000, 6500}).c_str()));
        host.sim.SetFault(fault, 1);
        ASSERT_TRUE(host.Open(false));
        DriverSnapshot before = host.Snapshot();
        host.Click(IDC_PRESERVE_ASPECT);  // nothing to fit to
        host.Click(IDC_PRESERVE_ASPECT);
        host.Click(IDC_SETUP_TEST);
        EXPECT_TRUE(before == host.Snapshot()) << "fault " << fault;
    }
}

TEST_F(AreaTest, ZeroResolutionStillStepsAndShows) {
    ASSERT_TRUE(host.Describe(WithArea(AreaBox{0, 1000, 1234, 8000}).c_str()));
    host.sim.SetFault(SimFaultZeroResolution, 1);
    ASSERT_TRUE(host.Open(false));
    host.Spin(IDC_WIDTH_SPIN, TWN_UP);
    EXPECT_EQ(1235, host.ControlArea().right) << "one count per step";
    host.Type(IDC_WIDTH_EDIT, "1");
    host.Click(IDC_PRESERVE_ASPECT);
    host.Click(IDC_PRESERVE_ASPECT);
    EXPECT_FALSE(host.Text(IDC_WIDTH_EDIT).empty());
}

}  // namespace
