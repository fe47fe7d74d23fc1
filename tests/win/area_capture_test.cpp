// The tablet corner capture of a focused SetArea control, driven by packets
// injected into the stand-in's built-in tablet (12000 x 9000 counts; cursor 0
// the pen, whose button 0 is its only selecting button, cursor 1 the puck).
// The parent's notifications are recorded in order.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/area_capture.h"
#include "controls/controls.h"
#include "driver/driver.h"
#include "driver/session.h"
#include "exchange/snapshot.h"
#include "support/control_host.h"
#include "support/sim_control.h"

namespace {

constexpr int AreaId = 50;
constexpr LONG TabletX = 12000, TabletY = 9000;
constexpr UINT TestBlinkTime = 700;
constexpr UINT Pen = 0;

class AreaCaptureTest : public ::testing::Test {
public:  // the helpers are used by table entries too
    void SetUp() override {
        ASSERT_TRUE(sim.Loaded());
        sim.Reset();
        ForgetDeviceSelection();
        PictureTabletNow();
        ASSERT_EQ(1, RegisterSetAreaClass(GetModuleHandleA(nullptr)));
        savedBlinkTime = GetCaretBlinkTime();
        SetCaretBlinkTime(TestBlinkTime);
        host = std::make_unique<ControlHost>();
        // 200 x 152 client pixels: the tablet maps onto 198 x 150 inside a 1-pixel frame.
        control = host->AddChild("SetArea", 0, 10, 10, 200, 152, AreaId, "Use Custom");
        // A button takes the focus away: it makes no caret of its own,
        // so the caret blink time read afterwards is the system's.
        other = host->AddChild("BUTTON", BS_PUSHBUTTON, 230, 10, 80, 24, 99, "Other");
        ASSERT_TRUE(control && other);
        host->Ignore(other);
        SetFocus(other);
        PumpMessages();
    }
    void TearDown() override {
        host.reset();
        SetCaretBlinkTime(savedBlinkTime);
        sim.Reset();
    }

    void Focus() {
        SetFocus(control);
        PumpMessages();
    }
    void Leave() {
        SetFocus(other);
        PumpMessages();
    }
    int Packet(UINT cursor, UINT buttons, LONG x, LONG y) {
        int posted = sim.InjectPacket(cursor, buttons, x, y);
        PumpMessages();
        return posted;
    }
    void Key(WPARAM key = 'A') { SendMessageA(control, WM_KEYDOWN, key, 1); }
    void Click() {
        SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        PumpMessages();
    }
    void Tick() { SendMessageA(control, WM_TIMER, 0, 0); }
    // Packets posted together, handled in one pump: a burst.
    void Burst(std::initializer_list<PacketRecord> packets) {
        for (const PacketRecord& p : packets) ASSERT_EQ(1, sim.InjectPacket(p.cursor, p.buttons, p.x, p.y));
        PumpMessages();
    }
    // Dispatches every message, the control's real timer ticks included,
    // until done() or the deadline; false at the deadline. The tick count of
    // each tick of the control is kept.
    bool RunClockUntil(const std::function<bool()>& done, DWORD limitMs = 30000) {
        for (DWORD start = GetTickCount();;) {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
                if (message.message == WM_TIMER && message.hwnd == control) ticks.push_back(GetTickCount());
            }
            if (done()) return true;
            if (GetTickCount() - start > limitMs) return false;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        }
    }
    bool WaitForTimeOut() {
        return RunClockUntil([this] { return (State() & AreaStopped) != 0; });
    }
    void SetArea(const Area& a) { ::SetArea(control, a); }
    Area GetArea() { return ::GetArea(control); }
    WORD State() { return GetWindowWord(control, AreaStateSlot); }
    // The codes received since the last call.
    std::vector<WORD> Codes() {
        std::vector<WORD> codes = host->Codes();
        for (const Notification& n : host->notifications) {
            EXPECT_EQ(AreaId, n.id);
            EXPECT_EQ(control, n.from);
        }
        host->notifications.clear();
        return codes;
    }

    // Echo: the system cursor hidden, a steady caret.
    static int CursorCount() {
        int count = ShowCursor(TRUE);
        ShowCursor(FALSE);
        return count - 1;
    }
    static bool CursorShowing() {
        CURSORINFO info = {};
        info.cbSize = sizeof info;
        return GetCursorInfo(&info) && (info.flags & CURSOR_SHOWING);
    }
    void ExpectEchoOn(const char* when) {
        EXPECT_LT(CursorCount(), 0) << when;
        EXPECT_FALSE(CursorShowing()) << when;
        EXPECT_EQ(65000u, GetCaretBlinkTime()) << when;
    }
    POINT CaretOnScreen() {
        POINT at = {-1, -1};
        GetCaretPos(&at);
        ClientToScreen(control, &at);
        return at;
    }
    void ExpectEchoOff(const char* when, const POINT* cursorAt = nullptr) {
        EXPECT_GE(CursorCount(), 0) << when;
        EXPECT_TRUE(CursorShowing()) << when;
        EXPECT_EQ(TestBlinkTime, GetCaretBlinkTime()) << when;
        if (cursorAt) {
            POINT now = {};
            GetCursorPos(&now);
            EXPECT_EQ(cursorAt->x, now.x) << when;
            EXPECT_EQ(cursorAt->y, now.y) << when;
        }
    }

    // Focus, then a packet with no button down, so the next press counts.
    void StartCapture() {
        Focus();
        ASSERT_EQ(1, Packet(Pen, 0, 6000, 4500));
        Codes();
    }
    void TakeFirstCorner(LONG x, LONG y) {
        Packet(Pen, 1, x, y);
        Packet(Pen, 0, x, y);
    }

    SimControl sim;
    std::unique_ptr<ControlHost> host;
    HWND control = nullptr, other = nullptr;
    UINT savedBlinkTime = 0;
    std::vector<DWORD> ticks;
};

using CodeList = std::vector<WORD>;

TEST_F(AreaCaptureTest, FocusOpensItsOwnContextFromTheDefaultRecord) {
    SetArea({1000, 1000, 5000, 5000});
    Focus();
    EXPECT_EQ((CodeList{SAN_AREARESET, SAN_ASKLOWERLEFT}), Codes());
    EXPECT_EQ((Area{0, 0, TabletX, TabletY}), GetArea());
    ASSERT_EQ(1, sim.OpenedContextCount());
    ContextHandle opened = sim.ContextAt(sim.ContextCount() - 1);
    ContextRecord record = sim.Context(opened);
    ContextRecord defaults = sim.Context(sim.DefaultContext());
    EXPECT_STREQ(defaults.name, record.name);
    EXPECT_EQ(defaults.messageBase, record.messageBase);
    EXPECT_EQ(4u, record.options);
    EXPECT_EQ(0xFFFFFFFFu, record.locks);
    EXPECT_EQ(0u, record.device);
    EXPECT_EQ(0x1E0u, record.packetFields);
    EXPECT_EQ(0u, record.packetMode);
    EXPECT_EQ(0, record.inOriginX);
    EXPECT_EQ(0, record.inOriginY);
    EXPECT_EQ(TabletX, record.inExtentX);
    EXPECT_EQ(TabletY, record.inExtentY);
    EXPECT_EQ(0, record.outOriginX);
    EXPECT_EQ(0, record.outOriginY);
    EXPECT_EQ(TabletX, record.outExtentX);
    EXPECT_EQ(-TabletY, record.outExtentY);
    EXPECT_EQ(1, sim.ContextEnabled(opened));

    Leave();
    EXPECT_EQ((CodeList{SAN_AREACHANGED, SAN_FOCUSLOST}), Codes());
    EXPECT_EQ(0, sim.OpenedContextCount());
    EXPECT_EQ((Area{1000, 1000, 5000, 5000}), GetArea());
}

TEST_F(AreaCaptureTest, CompleteDefinitionSendsEveryStepInOrder) {
    SetArea({1000, 1000, 5000, 5000});
    Focus();
    Packet(Pen, 0, 6000, 4500);  // hovering: the echo appears
    ExpectEchoOn("hovering");
    Packet(Pen, 1, 2000, 8000);  // lower-left corner
    EXPECT_EQ((Area{2000, 0, TabletX, 8000}), GetArea());
    Packet(Pen, 0, 2000, 8000);
    Packet(Pen, 0, 9000, 2000);
    Packet(Pen, 1, 10000, 1000);  // upper-right corner
    EXPECT_EQ((Area{2000, 1000, 10000, 8000}), GetArea());
    ExpectEchoOn("waiting for the release");
    POINT caret = CaretOnScreen();
    Packet(Pen, 0, 10000, 1000);  // the release ends it
    ExpectEchoOff("after the release", &caret);
    EXPECT_EQ(0, Packet(Pen, 1, 3000, 3000));  // the context no longer delivers
    Leave();
    EXPECT_EQ((CodeList{SAN_AREARESET, SAN_ASKLOWERLEFT, SAN_ASKUPPERRIGHT, SAN_AREACHANGED, SAN_DEFINED,
                        SAN_AREACHANGED, SAN_AREACHANGED, SAN_FOCUSLOST}),
              Codes());
    EXPECT_EQ((Area{2000, 1000, 10000, 8000}), GetArea());  // kept
}

TEST_F(AreaCaptureTest, ButtonHeldWhileFocusArrivesSetsNoCornerUntilPressedAgain) {
    Focus();
    Codes();
    Packet(Pen, 1, 3000, 7000);
    Packet(Pen, 1, 3100, 7100);
    EXPECT_EQ(CodeList{}, Codes());
    EXPECT_EQ((Area{0, 0, TabletX, TabletY}), GetArea());
    Packet(Pen, 0, 3100, 7100);
    EXPECT_EQ(CodeList{}, Codes());
    Packet(Pen, 1, 3000, 7000);
    EXPECT_EQ((CodeList{SAN_ASKUPPERRIGHT, SAN_AREACHANGED}), Codes());
    EXPECT_EQ((Area{3000, 0, TabletX, 7000}), GetArea());
}

TEST_F(AreaCaptureTest, SecondCornerMustLieRightOfAndAboveTheFirst) {
    const LONG x1 = 3000, y1 = 7000;
    struct Case {
        const char* what;
        LONG x, y;
        bool accepted;
    } cases[] = {
        {"left of it", x1 - 1, 2000, false},
        {"below it", 9000, y1 + 1, false},
        {"left and below", x1 - 500, y1 + 500, false},
        {"off the tablet's right edge", TabletX + 1, 2000, false},
        {"exactly on it", x1, y1, true},
        {"on the far corner", TabletX, 0, true},
    };
    for (const Case& c : cases) {
        StartCapture();
        TakeFirstCorner(x1, y1);
        Codes();
        Packet(Pen, 1, c.x, c.y);
        if (c.accepted) {
            EXPECT_EQ((CodeList{SAN_DEFINED, SAN_AREACHANGED}), Codes()) << c.what;
            EXPECT_EQ((Area{x1, c.y, c.x, y1}), GetArea()) << c.what;
        } else {
            EXPECT_EQ((CodeList{SAN_OUTOFRANGE}), Codes()) << c.what;
            EXPECT_EQ((Area{x1, 0, TabletX, y1}), GetArea()) << c.what;
            // Back inside, the prompt returns and the next press is taken.
            Packet(Pen, 0, c.x, c.y);
            Packet(Pen, 0, 9000, 2000);
            EXPECT_EQ((CodeList{SAN_ASKUPPERRIGHT}), Codes()) << c.what;
            Packet(Pen, 1, 9000, 2000);
            EXPECT_EQ((CodeList{SAN_DEFINED, SAN_AREACHANGED}), Codes()) << c.what;
        }
        Packet(Pen, 0, 9000, 2000);
        Leave();
        Codes();
    }
}

TEST_F(AreaCaptureTest, PressOutOfRangeIsSpentEvenWhenDraggedInside) {
    StartCapture();
    Packet(Pen, 1, -10, 4000);  // off the tablet: outside the whole-tablet area
    EXPECT_EQ((CodeList{SAN_OUTOFRANGE}), Codes());
    Packet(Pen, 1, 2000, 4000);  // still held, now inside
    EXPECT_EQ((CodeList{SAN_ASKLOWERLEFT}), Codes());
    EXPECT_EQ((Area{0, 0, TabletX, TabletY}), GetArea());
    Packet(Pen, 0, 2000, 4000);
    Packet(Pen, 1, 2000, 4000);
    EXPECT_EQ((CodeList{SAN_ASKUPPERRIGHT, SAN_AREACHANGED}), Codes());
}

TEST_F(AreaCaptureTest, LeavingAfterOnlyTheFirstCornerRestoresTheArea) {
    SetArea({1000, 1500, 5000, 6000});
    StartCapture();
    TakeFirstCorner(3000, 7000);
    EXPECT_EQ((Area{3000, 0, TabletX, 7000}), GetArea());
    Leave();
    EXPECT_EQ((CodeList{SAN_ASKUPPERRIGHT, SAN_AREACHANGED, SAN_AREACHANGED, SAN_FOCUSLOST}), Codes());
    EXPECT_EQ((Area{1000, 1500, 5000, 6000}), GetArea());
    // The next focus starts afresh from the lower-left corner.
    Focus();
    EXPECT_EQ((CodeList{SAN_AREARESET, SAN_ASKLOWERLEFT}), Codes());
}

TEST_F(AreaCaptureTest, AnyKeyStopsAndAClickResumesWithTheFittingPrompt) {
    struct Case {
        bool firstCorner;
        CodeList onClick;
        Area afterClick;
    } cases[] = {
        {false, {SAN_AREARESET, SAN_ASKLOWERLEFT}, {0, 0, TabletX, TabletY}},
        {true, {SAN_ASKUPPERRIGHT}, {3000, 0, TabletX, 7000}},
    };
    for (const Case& c : cases) {
        StartCapture();
        if (c.firstCorner) TakeFirstCorner(3000, 7000);
        Codes();
        Key('Q');
        EXPECT_EQ((CodeList{SAN_CANCELLED}), Codes());
        ExpectEchoOff("stopped by a key");
        Key(VK_SPACE);                             // stopped: further keys change nothing
        EXPECT_EQ(0, Packet(Pen, 1, 9000, 1000));  // no packets while stopped
        EXPECT_EQ(CodeList{}, Codes());

        Click();
        EXPECT_EQ(c.onClick, Codes());
        EXPECT_EQ(c.afterClick, GetArea());
        ExpectEchoOn("resumed");
        EXPECT_EQ(control, GetFocus());
        // A button still down at the resume must be released first.
        Packet(Pen, 1, 9000, 1000);
        EXPECT_EQ(CodeList{}, Codes());
        Packet(Pen, 0, 9000, 1000);
        Packet(Pen, 1, 9000, 1000);
        EXPECT_EQ(
            c.firstCorner ? (CodeList{SAN_DEFINED, SAN_AREACHANGED}) : (CodeList{SAN_ASKUPPERRIGHT, SAN_AREACHANGED}),
            Codes());
        Leave();
        Codes();
    }
}

TEST_F(AreaCaptureTest, ForeignButtonStopsOnceAllButtonsAreUp) {
    StartCapture();
    Packet(Pen, 2, 6000, 4500);  // button 1 of the pen is no selecting button
    EXPECT_EQ((CodeList{SAN_CANCELLED}), Codes());
    ExpectEchoOn("foreign button still down");
    POINT caret = CaretOnScreen();
    Packet(Pen, 3, 8000, 2000);  // more buttons, elsewhere: nothing, the echo stays put
    EXPECT_EQ(CodeList{}, Codes());
    EXPECT_EQ(caret.x, CaretOnScreen().x);
    ExpectEchoOn("still waiting");
    Packet(Pen, 0, 8000, 2000);
    ExpectEchoOff("all buttons up", &caret);
    EXPECT_EQ(CodeList{}, Codes());
    EXPECT_EQ((Area{0, 0, TabletX, TabletY}), GetArea());
    Click();  // resumes
    EXPECT_EQ((CodeList{SAN_AREARESET, SAN_ASKLOWERLEFT}), Codes());
}

TEST_F(AreaCaptureTest, EchoFollowsTheCursorFromItsCentre) {
    StartCapture();
    const int w = GetSystemMetrics(SM_CXCURSOR), h = GetSystemMetrics(SM_CYCURSOR);
    struct Case {
        LONG x, y;
        int clientX, clientY;  // 1 + 198 * x / 12000, 1 + 150 * y / 9000, in even steps
    } cases[] = {{6000, 4500, 101, 77}, {0, 0, 1, 1}, {TabletX, TabletY, 199, 151}, {3000, 1800, 51, 31}};
    for (const Case& c : cases) {
        Packet(Pen, 0, c.x, c.y);
        POINT at = {};
        GetCaretPos(&at);
        EXPECT_EQ(c.clientX - w / 2, at.x) << c.x << "," << c.y;
        EXPECT_EQ(c.clientY - h / 2, at.y) << c.x << "," << c.y;
    }
}

TEST_F(AreaCaptureTest, EveryWayOfEndingTheEchoBringsTheCursorBack) {
    struct Case {
        const char* what;
        void (*end)(AreaCaptureTest&);
        int clientX, clientY;  // where the echo's centre stood last
    } cases[] = {
        {"key", [](AreaCaptureTest& t) { t.Key(); }, 117, 51},
        {"time-out", [](AreaCaptureTest& t) { ASSERT_TRUE(t.WaitForTimeOut()); }, 117, 51},
        {"focus loss", [](AreaCaptureTest& t) { t.Leave(); }, 117, 51},
        {"release after the definition",
         [](AreaCaptureTest& t) {
             t.TakeFirstCorner(2000, 8000);
             t.Packet(Pen, 1, 9000, 1000);
             t.Packet(Pen, 0, 9500, 500);  // the release does not move the echo
         },
         149, 17},
        {"release after a foreign button",
         [](AreaCaptureTest& t) {
             t.Packet(Pen, 4, 7000, 3000);
             t.Packet(Pen, 0, 9500, 500);
         },
         117, 51},
        // The press does not move the caret while the release waits behind
        // it; the echo's end puts the cursor where the press was.
        {"release after a foreign button, in one burst",
         [](AreaCaptureTest& t) {
             t.Burst({{Pen, 0, 3000, 1800}, {Pen, 4, 9000, 1000}, {Pen, 0, 9500, 500}});
         },
         149, 17},
        {"release after the definition, in one burst",
         [](AreaCaptureTest& t) {
             t.Burst({{Pen, 1, 2000, 8000}, {Pen, 0, 2000, 8000}, {Pen, 1, 9000, 1000}, {Pen, 0, 9500, 500}});
         },
         149, 17},
    };
    for (const Case& c : cases) {
        StartCapture();
        Packet(Pen, 0, 7000, 3000);
        ExpectEchoOn(c.what);
        c.end(*this);
        POINT expected = {c.clientX - GetSystemMetrics(SM_CXCURSOR) / 2, c.clientY - GetSystemMetrics(SM_CYCURSOR) / 2};
        ClientToScreen(control, &expected);
        ExpectEchoOff(c.what, &expected);
        Leave();
        Codes();
    }
}

// Real time: the timer's ticks are dispatched, and the waits end on what the
// control does, with generous deadlines.
TEST_F(AreaCaptureTest, InactivityEndsTheCaptureFiveSecondsAfterTheLastPacketUnlessAPressIsHeld) {
    auto cancelled = [this] {
        std::vector<WORD> codes = host->Codes();
        return std::find(codes.begin(), codes.end(), SAN_CANCELLED) != codes.end();
    };
    StartCapture();
    Packet(Pen, 1, 3000, 7000);  // the first corner; the press is held
    DWORD pressed = GetTickCount();
    Codes();
    Tick();  // early: nothing happens
    EXPECT_EQ(CodeList{}, Codes());
    // Held through a tick that comes after five quiet seconds: nothing ends.
    ASSERT_TRUE(RunClockUntil([&] { return !ticks.empty() && ticks.back() - pressed >= 5000; }));
    EXPECT_EQ(CodeList{}, Codes());
    ExpectEchoOn("held through the tick");

    // Released, then more packets: the time-out counts from the last one.
    Packet(Pen, 0, 3000, 7000);
    DWORD released = GetTickCount();
    Tick();
    EXPECT_EQ(CodeList{}, Codes());
    DWORD last = 0;
    for (DWORD after : {1000u, 2000u}) {
        ASSERT_TRUE(RunClockUntil([&] { return GetTickCount() - released >= after; }));
        last = GetTickCount();
        Packet(Pen, 0, 4000, 6000);
    }
    ASSERT_TRUE(RunClockUntil(cancelled));
    DWORD quiet = GetTickCount() - last;
    EXPECT_GE(quiet, 5000u);
    EXPECT_EQ((CodeList{SAN_CANCELLED}), Codes());
    ExpectEchoOff("timed out");
    EXPECT_EQ(0, Packet(Pen, 1, 9000, 1000));
    Click();
    EXPECT_EQ((CodeList{SAN_ASKUPPERRIGHT}), Codes());
}

// A burst: every packet is handled in full, the corner taken where its press
// was, while the caret stays put until the burst's last packet places it.
TEST_F(AreaCaptureTest, BurstTakesTheCornerFromItsPacketAndLeavesTheCaretAtTheLast) {
    StartCapture();
    POINT before = {};
    GetCaretPos(&before);
    POINT duringPress = {-1, -1};
    host->onCommand = [&](const Notification& n) {
        if (n.code == SAN_ASKUPPERRIGHT) GetCaretPos(&duringPress);
    };
    Burst({{Pen, 0, 1000, 8000}, {Pen, 0, 1500, 7500}, {Pen, 1, 2000, 7000}, {Pen, 1, 2500, 6000}, {Pen, 0, 9000, 1000}});
    EXPECT_EQ((CodeList{SAN_ASKUPPERRIGHT, SAN_AREACHANGED}), Codes());
    EXPECT_EQ((Area{2000, 0, TabletX, 7000}), GetArea());
    EXPECT_EQ(before.x, duringPress.x);
    EXPECT_EQ(before.y, duringPress.y);
    POINT at = {};
    GetCaretPos(&at);
    EXPECT_EQ(149 - GetSystemMetrics(SM_CXCURSOR) / 2, at.x);
    EXPECT_EQ(17 - GetSystemMetrics(SM_CYCURSOR) / 2, at.y);
}

TEST_F(AreaCaptureTest, ParentMayNarrowTheAllowedRectangle) {
    // As a dialog keeping an aspect ratio would: the area after the first
    // corner is rewritten, and the second corner is judged against it.
    host->onCommand = [this](const Notification& n) {
        if (n.code != SAN_AREACHANGED) return;
        Area a = GetArea();
        if (a.top == 0) {
            a.top = 4000;
            SetArea(a);
        }
    };
    StartCapture();
    TakeFirstCorner(3000, 7000);
    EXPECT_EQ((Area{3000, 4000, TabletX, 7000}), GetArea());
    Codes();
    Packet(Pen, 1, 9000, 3000);  // above the narrowed top
    EXPECT_EQ((CodeList{SAN_OUTOFRANGE}), Codes());
    Packet(Pen, 0, 9000, 4000);
    Packet(Pen, 1, 9000, 4000);
    EXPECT_EQ((CodeList{SAN_ASKUPPERRIGHT, SAN_DEFINED, SAN_AREACHANGED}), Codes());
    EXPECT_EQ((Area{3000, 4000, 9000, 7000}), GetArea());
    EXPECT_NE(0, State() & AreaShown);  // the parent's shown flag survives
}

TEST_F(AreaCaptureTest, WaitingForReleaseCarriesOverTheFocusLoss) {
    StartCapture();
    Packet(Pen, 2, 6000, 4500);  // foreign button, still down when the focus leaves
    Leave();
    ExpectEchoOff("left while waiting");
    Focus();
    EXPECT_EQ((CodeList{SAN_CANCELLED, SAN_AREACHANGED, SAN_FOCUSLOST, SAN_AREARESET, SAN_ASKLOWERLEFT}), Codes());
    Packet(Pen, 0, 6000, 4500);  // the awaited release stops the new capture
    Packet(Pen, 1, 3000, 7000);
    EXPECT_EQ(CodeList{}, Codes());
    ExpectEchoOff("stopped by the release");
    Click();
    EXPECT_EQ((CodeList{SAN_AREARESET, SAN_ASKLOWERLEFT}), Codes());
}

TEST_F(AreaCaptureTest, UnreadableDefaultContextOpensNothingButStillPrompts) {
    ASSERT_TRUE(sim.SetFault(SimFaultNoAnswers, 1));
    Focus();
    EXPECT_EQ((CodeList{SAN_AREARESET, SAN_ASKLOWERLEFT}), Codes());
    EXPECT_EQ(0, sim.CallCount(21));  // VXOpenA
    EXPECT_EQ(0, sim.OpenedContextCount());
    EXPECT_EQ(0, Packet(Pen, 1, 3000, 7000));
    Leave();
    EXPECT_EQ((CodeList{SAN_AREACHANGED, SAN_FOCUSLOST}), Codes());
}

TEST_F(AreaCaptureTest, FailedOpenLeavesTheContextCallsOut) {
    ASSERT_TRUE(sim.SetFault(SimFaultOpenFails, 1));
    Focus();
    EXPECT_EQ(1, sim.CallCount(21));
    EXPECT_EQ(0, sim.OpenedContextCount());
    Key();
    Click();
    EXPECT_EQ((CodeList{SAN_AREARESET, SAN_ASKLOWERLEFT, SAN_CANCELLED, SAN_AREARESET, SAN_ASKLOWERLEFT}), Codes());
    ExpectEchoOn("resumed without a context");
    Leave();
    ExpectEchoOff("left");
    EXPECT_EQ(0, sim.CallCount(40));  // VXEnable
    EXPECT_EQ(0, sim.CallCount(41));  // VXOverlap
    EXPECT_EQ(0, sim.CallCount(22));  // VXClose
}

TEST_F(AreaCaptureTest, UnreadablePacketIsIgnored) {
    Focus();
    Codes();
    ASSERT_TRUE(sim.SetFault(SimFaultPacketFails, 1));
    EXPECT_EQ(1, Packet(Pen, 1, -5, -5));
    EXPECT_EQ(CodeList{}, Codes());
    ExpectEchoOff("nothing read");
}

// The selecting buttons come from each cursor's system button map: an action
// code of 1 in the low or the high four bits.
TEST_F(AreaCaptureTest, SelectingButtonsFollowEachCursorsMap) {
    ASSERT_TRUE(sim.SetFault(SimFaultCursorCount, 40));
    ManagerHandle manager = VXMgrOpen(host->Window(), MessageBase);
    ASSERT_NE(0u, manager);
    BYTE swapped[32] = {4, 0x10};  // button 0 "Right Click", button 1 "Left Click" (high bits)
    for (UINT cursor : {5u, 35u}) ASSERT_TRUE(VXMgrCsrButtonMap(manager, cursor, nullptr, swapped));
    struct Case {
        UINT cursor, buttons;
        bool selects;
    } cases[] = {
        {5, 2, true},     {5, 1, false},   {35, 1, true},  // past the 32 masks kept: button 0 only
        {35, 2, false},   {1000, 1, true},                 // no such cursor: button 0 only
        {1000, 2, false}, {0, 1, true},
    };
    for (const Case& c : cases) {
        StartCapture();
        Packet(c.cursor, c.buttons, 3000, 7000);
        EXPECT_EQ(c.selects ? (CodeList{SAN_ASKUPPERRIGHT, SAN_AREACHANGED}) : (CodeList{SAN_CANCELLED}), Codes())
            << "cursor " << c.cursor << " buttons " << c.buttons;
        Packet(c.cursor, 0, 3000, 7000);
        Leave();
        Codes();
    }
    VXMgrClose(manager);
}

TEST_F(AreaCaptureTest, ButtonMapChangeWhileFocusedIsTakenAtOnce) {
    ManagerHandle manager = VXMgrOpen(host->Window(), MessageBase);
    ASSERT_NE(0u, manager);
    StartCapture();
    BYTE tipIsRightClick[32] = {4, 1};
    ASSERT_TRUE(VXMgrCsrButtonMap(manager, Pen, nullptr, tipIsRightClick));
    PumpMessages();  // the driver's InfoChangedMessage
    Packet(Pen, 2, 3000, 7000);
    EXPECT_EQ((CodeList{SAN_ASKUPPERRIGHT, SAN_AREACHANGED}), Codes());
    VXMgrClose(manager);
}

TEST_F(AreaCaptureTest, OnlyThisDevicesButtonMapChangesReloadAndAtMost32) {
    ASSERT_TRUE(sim.SetFault(SimFaultCursorCount, 40));
    StartCapture();
    struct Case {
        WORD category, index;
        int mapsRead;
    } cases[] = {
        // each map read twice: an answer in part differs between the reads
        {205, CursorSystemButtonMap, 64}, {200, CursorSystemButtonMap, 64}, {239, CursorSystemButtonMap, 64},
        {240, CursorSystemButtonMap, 0},  // past the device's cursors
        {199, CursorSystemButtonMap, 0},  {205, CursorActive, 0},           {100, CursorSystemButtonMap, 0},
    };
    for (const Case& c : cases) {
        sim.ClearLog();
        SendMessageA(control, InfoChangedMessage, 0, MAKELPARAM(c.category, c.index));
        std::string log = sim.CallLog() + "\n";
        int reads = 0;
        for (size_t start = 0, end; (end = log.find('\n', start)) != std::string::npos; start = end + 1) {
            std::string line = log.substr(start, end - start);
            if (line.rfind("VXInfoA 2", 0) == 0 && line.size() > 2 && line.compare(line.size() - 2, 2, " 8") == 0)
                ++reads;
        }
        EXPECT_EQ(c.mapsRead, reads) << c.category << "/" << c.index << "\n" << log;
    }
}

TEST_F(AreaCaptureTest, AResumedCaptureWithoutANewAreaKeepsTheOneJustDefined) {
    SetArea({1000, 1000, 5000, 5000});
    StartCapture();
    TakeFirstCorner(2000, 8000);
    Packet(Pen, 1, 10000, 1000);
    Packet(Pen, 0, 10000, 1000);  // released: stopped with the new area
    Click();                      // resumed: the whole tablet and the first prompt again
    EXPECT_EQ((Area{0, 0, TabletX, TabletY}), GetArea());
    Leave();
    EXPECT_EQ((Area{2000, 1000, 10000, 8000}), GetArea());
}

// The echo's blink time and cursor count come back whatever the driver does:
// a "never blink" setting, and a driver that delivers packets from inside
// VXEnable and VXOverlap, so that the capture ends inside the echo's start.
TEST_F(AreaCaptureTest, BlinkTimeAndCursorComeBackWhateverTheDriverDelivers) {
    SetCaretBlinkTime(INFINITE);
    ASSERT_EQ(INFINITE, GetCaretBlinkTime());
    StartCapture();
    ExpectEchoOn("never-blink setting");
    Key();
    EXPECT_EQ(INFINITE, GetCaretBlinkTime()) << "after a capture with a never-blink setting";
    Leave();
    SetCaretBlinkTime(TestBlinkTime);

    ASSERT_TRUE(sim.SetFault(SimFaultSendOnEnable, 1));
    Focus();
    // Queued together: the first starts the echo, and the driver hands the
    // other two over from inside VXEnable: a foreign button and its release.
    ASSERT_EQ(1, sim.InjectPacket(Pen, 0, 6000, 4500));
    ASSERT_EQ(1, sim.InjectPacket(Pen, 2, 6000, 4500));
    ASSERT_EQ(1, sim.InjectPacket(Pen, 0, 6000, 4500));
    PumpMessages();
    Tick();  // whatever the order, a time-out finds nothing left to undo
    ExpectEchoOff("capture ended inside the echo's start");
    Click();
    Leave();
    ExpectEchoOff("resumed and left");
}

// A driver writing past each record it answers reaches only spare room: the
// capture still opens, reads the button maps and takes both corners.
TEST_F(AreaCaptureTest, OverlongDriverAnswersStayInTheirRecords) {
    ASSERT_TRUE(sim.SetFault(SimFaultOverlongAnswers, 200));
    StartCapture();
    TakeFirstCorner(2000, 8000);
    Packet(Pen, 1, 10000, 1000);
    Packet(Pen, 0, 10000, 1000);
    Leave();
    EXPECT_EQ((Area{2000, 1000, 10000, 8000}), GetArea());
    StartCapture();
    Packet(Pen, 2, 6000, 4500);  // the pen's map still read: button 1 is foreign
    EXPECT_EQ((CodeList{SAN_CANCELLED}), Codes());
}

TEST_F(AreaCaptureTest, DestroyedWhileCapturingReleasesTheEchoAndContext) {
    StartCapture();
    ExpectEchoOn("capturing");
    // A packet handled, and the caret move it asked for still queued, when
    // the control goes.
    ASSERT_EQ(1, sim.InjectPacket(Pen, 0, 3000, 1800));
    MSG packet;
    ASSERT_TRUE(PeekMessageA(&packet, control, PacketMessage, PacketMessage, PM_REMOVE));
    DispatchMessageA(&packet);
    DestroyWindow(control);
    PumpMessages();
    ExpectEchoOff("destroyed");
    EXPECT_EQ(0, sim.OpenedContextCount());

    // The next control's echo follows the pen all the same.
    host->notifications.clear();
    control = host->AddChild("SetArea", 0, 10, 10, 200, 152, AreaId, "Use Custom");
    ASSERT_TRUE(control);
    StartCapture();
    Packet(Pen, 0, 3000, 1800);
    POINT at = {};
    GetCaretPos(&at);
    EXPECT_EQ(51 - GetSystemMetrics(SM_CXCURSOR) / 2, at.x);
    EXPECT_EQ(31 - GetSystemMetrics(SM_CYCURSOR) / 2, at.y);
}

}  // namespace
