// The SetArea control in a real window with the driver stand-in's built-in
// 12000 x 9000 count tablet: the area messages, the shown flag, the scaling
// into the client area and the colours it paints.
#include <gtest/gtest.h>

#include <memory>

#include "controls/area_capture.h"
#include "controls/controls.h"
#include "core/muldiv.h"
#include "driver/driver.h"
#include "driver/session.h"
#include "exchange/snapshot.h"
#include "support/control_host.h"
#include "support/sim_control.h"

namespace {

constexpr int AreaId = 50;
constexpr LONG TabletX = 12000, TabletY = 9000;

class SetAreaTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sim.Loaded());
        sim.Reset();
        ForgetDeviceSelection();
        PictureTabletNow();
        ASSERT_EQ(1, RegisterSetAreaClass(GetModuleHandleA(nullptr)));
        host = std::make_unique<ControlHost>();
        // 200 x 152 client pixels: 198 x 150 inside the border frame.
        control = host->AddChild("setarea", 0, 10, 10, 200, 152, AreaId, "Use Custom");
        other = host->AddChild("EDIT", WS_BORDER, 230, 10, 80, 24, 99);
        ASSERT_TRUE(control && other);
        host->Ignore(other);
    }
    void TearDown() override {
        host.reset();
        sim.Reset();
    }

    void SetArea(const Area& a) { ::SetArea(control, a); }
    Area GetArea() { return ::GetArea(control); }
    bool Shown() { return (GetWindowWord(control, AreaStateSlot) & AreaShown) != 0; }
    void Paint() {
        InvalidateRect(control, nullptr, TRUE);
        UpdateWindow(control);
    }
    COLORREF Pixel(int x, int y) { return ClientPixel(control, x, y); }

    SimControl sim;
    std::unique_ptr<ControlHost> host;
    HWND control = nullptr, other = nullptr;
    const COLORREF tablet = GetSysColor(COLOR_BTNTEXT);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
};

TEST_F(SetAreaTest, ClassIsRegisteredOnceWithItsLayout) {
    EXPECT_EQ(1, RegisterSetAreaClass(GetModuleHandleA(nullptr)));
    WNDCLASSA info = {};
    ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), "SetArea", &info));
    EXPECT_EQ(static_cast<UINT>(CS_VREDRAW | CS_HREDRAW), info.style);
    EXPECT_EQ(0, info.cbClsExtra);
    EXPECT_EQ(34, info.cbWndExtra);
    EXPECT_EQ(reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNTEXT + 1)), info.hbrBackground);
    EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), info.hCursor);
    // A new control starts with no area and no state.
    EXPECT_EQ((Area{0, 0, 0, 0}), GetArea());
    EXPECT_EQ(0, GetWindowWord(control, AreaStateSlot));
}

TEST_F(SetAreaTest, GetAfterSetAnswersTheSameCornersAndTheShownFlag) {
    struct Case {
        Area area;
        bool shown;
    } cases[] = {
        {{1000, 2000, 11000, 8000}, true},
        {{11000, 8000, 1000, 2000}, true},   // inverted: kept as given
        {{4000, 2000, 4000, 8000}, false},   // left = right
        {{1000, 5000, 11000, 5000}, false},  // top = bottom
        {{0, 0, 0, 0}, false},
        {{-5, INT32_MIN, INT32_MAX, 7}, true},
    };
    for (const Case& c : cases) {
        SetArea(c.area);
        EXPECT_EQ(c.area, GetArea()) << c.area.left << "," << c.area.top;
        EXPECT_EQ(c.shown, Shown()) << c.area.left << "," << c.area.top;
    }
    // A null address is ignored rather than followed.
    EXPECT_EQ(0, SendMessageA(control, SAM_SETAREA, 0, 0));
    EXPECT_EQ(0, SendMessageA(control, SAM_GETAREA, 0, 0));
    EXPECT_EQ(cases[5].area, GetArea());
}

TEST_F(SetAreaTest, WholeTabletFillsTheClientAreaButABorderFrame) {
    const int bx = GetSystemMetrics(SM_CXBORDER), by = GetSystemMetrics(SM_CYBORDER);
    ASSERT_NE(tablet, shadow);
    SetArea({0, 0, TabletX, TabletY});
    Paint();
    RECT r;
    GetClientRect(control, &r);
    // Inside: from the border width to the border width before the far edge.
    EXPECT_EQ(shadow, Pixel(bx, by));
    EXPECT_EQ(shadow, Pixel(r.right - bx - 1, r.bottom - by - 1));
    EXPECT_EQ(shadow, Pixel(r.right / 2, r.bottom / 2));
    // The frame keeps the tablet colour on all four sides.
    for (POINT p : {POINT{0, 0}, POINT{r.right / 2, 0}, POINT{0, r.bottom / 2}, POINT{r.right - 1, r.bottom / 2},
                    POINT{r.right / 2, r.bottom - 1}, POINT{r.right - 1, r.bottom - 1}})
        EXPECT_EQ(tablet, Pixel(p.x, p.y)) << p.x << "," << p.y;
}

TEST_F(SetAreaTest, AreaWithoutWidthShowsTabletOrFocusRectangle) {
    SetArea({4000, 2000, 4000, 8000});
    Paint();
    RECT r;
    GetClientRect(control, &r);
    for (POINT p : {POINT{0, 0}, POINT{r.right / 2, r.bottom / 2}, POINT{r.right / 3, 1}})
        EXPECT_EQ(tablet, Pixel(p.x, p.y)) << p.x << "," << p.y;

    SetFocus(control);
    PumpMessages();
    Paint();
    // DrawFocusRect inverts a dotted frame along the client edge.
    int inverted = 0;
    for (int x = 0; x < 8; ++x) inverted += Pixel(x, 0) != tablet;
    EXPECT_GE(inverted, 3);
    EXPECT_EQ(tablet, Pixel(r.right / 2, r.bottom / 2));
    SetFocus(other);
    PumpMessages();
}

TEST_F(SetAreaTest, FocusedAreaIsButtonFaceAndUnfocusedButtonShadow) {
    ASSERT_NE(face, shadow);
    SetArea({3000, 3000, 9000, 6000});
    Paint();
    const int cx = 100, cy = 76;  // the middle of the area
    EXPECT_EQ(shadow, Pixel(cx, cy));
    SetFocus(control);
    PumpMessages();
    Paint();
    EXPECT_EQ(face, Pixel(cx, cy));
    SetFocus(other);
    PumpMessages();
    Paint();
    EXPECT_EQ(shadow, Pixel(cx, cy));
    EXPECT_EQ(tablet, Pixel(5, 5));  // outside the restored area
}

TEST_F(SetAreaTest, InvertedAreaDrawsLikeItsNormalisedRectangle) {
    auto snapshot = [&]() {
        Paint();
        return ClientPixels(control);
    };
    SetArea({2000, 3000, 8000, 6000});
    const std::vector<COLORREF> normal = snapshot();
    const Area inverted[] = {{8000, 6000, 2000, 3000}, {8000, 3000, 2000, 6000}, {2000, 6000, 8000, 3000}};
    for (const Area& a : inverted) {
        SetArea(a);
        EXPECT_EQ(a, GetArea());  // never reordered
        EXPECT_TRUE(normal == snapshot()) << a.left << "," << a.top << "," << a.right << "," << a.bottom;
    }
    // And that picture is the area, not a fill across the control.
    SetArea({8000, 6000, 2000, 3000});
    Paint();
    EXPECT_EQ(shadow, Pixel(100, 76));
    EXPECT_EQ(tablet, Pixel(20, 20));
    EXPECT_EQ(tablet, Pixel(180, 130));
}

TEST_F(SetAreaTest, AxisRangeBelowTwoDrawsNothingAndDoesNotFail) {
    ASSERT_TRUE(sim.SetFault(SimFaultZeroExtentX, 1));
    PictureTabletNow();
    SetArea({0, 0, TabletX, TabletY});
    Paint();
    RECT r;
    GetClientRect(control, &r);
    EXPECT_EQ(tablet, Pixel(r.right / 2, r.bottom / 2));
    EXPECT_EQ(tablet, Pixel(1, 1));
}

TEST(MulDivHalvedTest, HalvesDividesAndDoubles) {
    // The bound function is the platform's MulDiv: the same answers, the
    // rounding of halves and the -1 for a zero divisor or an overflow included.
    const int probes[][3] = {{7, 3, 2}, {-7, 3, 2}, {5, 1, 0}, {0x40000000, 4, 1}, {-1, 1, 2}};
    for (const auto& p : probes) EXPECT_EQ(MulDiv(p[0], p[1], p[2]), MulDivFunction(p[0], p[1], p[2]));
    struct Case {
        uint32_t a, b, c, expected;
    } cases[] = {
        {3, 3, 3, 2},           {10, 10, 10, 10},       {0xFFFFFFFFu, 2, 2, 0xFFFFFFFEu}, {12000, 198, 12000, 198},
        {6000, 150, 9000, 100}, {5, 7, 0, 0xFFFFFFFEu},  // divisor 0: MulDiv's -1, doubled
        {5, 7, 1, 0xFFFFFFFEu},                          // 1 halves to 0 as well
    };
    for (const Case& c : cases) EXPECT_EQ(c.expected, MulDivHalved(c.a, c.b, c.c)) << c.a << " " << c.b << " " << c.c;
}

}  // namespace
