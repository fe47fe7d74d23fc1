// The Tweak spin control in a real window: hit test, auto-repeat, buddy
// attachment and its refusals, the keys typed into the buddy, focus,
// destruction in either order, the table limit and the painting.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "controls/controls.h"
#include "support/control_host.h"
#include "win/glue.h"

namespace {

constexpr int EditId = 23;
constexpr int TweakId = 24;
constexpr int TweakWidth = 16;
constexpr int TweakHeight = 25;  // odd: the middle line truncates
constexpr int PressedSlot = 4 + sizeof(LONG_PTR);

class TweakTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(1, RegisterTweakClass(GetModuleHandleA(nullptr)));
        host = std::make_unique<ControlHost>();
        edit = host->AddChild("EDIT", WS_BORDER | ES_AUTOHSCROLL, 10, 10, 80, 24, EditId, "12345");
        // Templates name the class in lower case; class names ignore case.
        tweak = host->AddChild("tweak", 0, 90, 10, TweakWidth, TweakHeight, TweakId);
        other = host->AddChild("EDIT", WS_BORDER, 10, 60, 80, 24, 99, "other");
        ASSERT_TRUE(edit && tweak && other);
        host->Ignore(edit);
        host->Ignore(other);
        editProc = GetWindowLongPtrA(edit, GWLP_WNDPROC);
        ASSERT_EQ(reinterpret_cast<LRESULT>(edit), SendMessageA(tweak, TWM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0));
    }
    void TearDown() override { host.reset(); }

    void Press(int y) { SendMessageA(tweak, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, y)); }
    void Release() { SendMessageA(tweak, WM_LBUTTONUP, 0, MAKELPARAM(2, 2)); }
    void Tick() { SendMessageA(tweak, WM_TIMER, 0, 0); }
    HWND Buddy() { return reinterpret_cast<HWND>(SendMessageA(tweak, TWM_GETBUDDY, 0, 0)); }
    Notification From(WORD code) const { return Notification{TweakId, code, tweak}; }
    DWORD Selection() {
        DWORD start = 0, end = 0;
        SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return MAKELONG(start, end);
    }

    std::unique_ptr<ControlHost> host;
    HWND edit = nullptr, tweak = nullptr, other = nullptr;
    LONG_PTR editProc = 0;
};

TEST_F(TweakTest, ClassIsRegisteredOnceWithItsLayout) {
    EXPECT_EQ(1, RegisterTweakClass(GetModuleHandleA(nullptr)));  // again: answered at once
    WNDCLASSA info = {};
    ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), "Tweak", &info));
    EXPECT_EQ(static_cast<UINT>(CS_VREDRAW | CS_HREDRAW), info.style);
    EXPECT_EQ(static_cast<int>(sizeof(LONG_PTR)), info.cbClsExtra);
    EXPECT_EQ(PressedSlot + 8, info.cbWndExtra);  // 16 on Win32
    EXPECT_EQ(reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)), info.hbrBackground);
    EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), info.hCursor);
}

// A second registration finds the class; a class of another procedure that
// already holds the name is not taken for it.
TEST(WindowClassOnce, FindsItsOwnClassAndRefusesAStrangerOfTheSameName) {
    WNDCLASSA own = {};
    own.lpfnWndProc = TweakWndProc;
    own.hInstance = GetModuleHandleA(nullptr);
    own.lpszClassName = "RegisteredOnceProbe";
    EXPECT_TRUE(RegisterWindowClassOnce(own));
    EXPECT_TRUE(RegisterWindowClassOnce(own));
    WNDCLASSA stranger = own;
    stranger.lpfnWndProc = DefWindowProcA;
    EXPECT_FALSE(RegisterWindowClassOnce(stranger));
    EXPECT_TRUE(UnregisterClassA(own.lpszClassName, own.hInstance));
}

TEST_F(TweakTest, PressSelectsTheHalfByTheMiddleLine) {
    RECT client;
    GetClientRect(tweak, &client);
    const int mid = (client.top + client.bottom) / 2;
    struct Case {
        int y;
        WORD code;
    } cases[] = {
        {0, TWN_UP}, {mid - 1, TWN_UP}, {mid, TWN_DOWN}, {mid + 1, TWN_DOWN},
        {client.bottom - 1, TWN_DOWN},
        {-1, TWN_DOWN},  // while captured, above the window: the unsigned y is large
    };
    for (const Case& c : cases) {
        host->notifications.clear();
        Press(c.y);
        Release();
        ASSERT_EQ(1u, host->notifications.size()) << "y " << c.y;
        EXPECT_EQ(From(c.code), host->notifications[0]) << "y " << c.y;
    }
}

TEST_F(TweakTest, HeldPressStepsAtOnceThenFromTheSeventhTick) {
    struct Case {
        int y;
        WORD code;
    } cases[] = {{2, TWN_UP}, {TweakHeight - 3, TWN_DOWN}};
    for (const Case& c : cases) {
        host->notifications.clear();
        Press(c.y);
        EXPECT_EQ(tweak, GetCapture());
        EXPECT_TRUE(KillTimer(tweak, 0));  // the repeat timer runs; the test ticks by hand from here
        std::vector<size_t> countAfterTick;
        for (int tick = 1; tick <= 9; ++tick) {
            Tick();
            countAfterTick.push_back(host->notifications.size());
        }
        EXPECT_EQ((std::vector<size_t>{1, 1, 1, 1, 1, 1, 2, 3, 4}), countAfterTick);
        for (const Notification& n : host->notifications) EXPECT_EQ(From(c.code), n);
        Release();
        EXPECT_EQ(nullptr, GetCapture());
        EXPECT_FALSE(KillTimer(tweak, 0));  // the release killed it
        Tick();
        EXPECT_EQ(4u, host->notifications.size());
        // The count starts again at the next press.
        Press(c.y);
        KillTimer(tweak, 0);
        for (int tick = 1; tick <= 6; ++tick) Tick();
        EXPECT_EQ(5u, host->notifications.size());
        Release();
    }
}

// Another window taking the mouse (a message box, a menu) or a cancelled mode
// ends the press as a release does: no more steps, both halves released,
// and the other window keeps its capture.
TEST_F(TweakTest, LosingTheMouseEndsThePressAsAReleaseDoes) {
    struct Case {
        const char* what;
        void (*lose)(HWND tweak, HWND other);
        HWND (*captureAfter)(HWND other);
    } cases[] = {
        {"capture taken", [](HWND, HWND o) { SetCapture(o); }, [](HWND o) { return o; }},
        {"mode cancelled", [](HWND t, HWND) { SendMessageA(t, WM_CANCELMODE, 0, 0); },
         [](HWND) { return static_cast<HWND>(nullptr); }},
    };
    for (const Case& c : cases) {
        host->notifications.clear();
        Press(2);
        ASSERT_EQ(tweak, GetCapture()) << c.what;
        c.lose(tweak, other);
        EXPECT_FALSE(KillTimer(tweak, 0)) << c.what << ": the repeat timer still runs";
        for (int tick = 1; tick <= 9; ++tick) Tick();
        EXPECT_EQ(1u, host->notifications.size()) << c.what << ": it went on stepping";
        EXPECT_EQ(0, GetWindowWord(tweak, PressedSlot)) << c.what;
        EXPECT_EQ(c.captureAfter(other), GetCapture()) << c.what;
        ReleaseCapture();
    }
}

TEST_F(TweakTest, PressInvertsOnlyItsBandUntilRelease) {
    UpdateWindow(tweak);
    RECT client;
    GetClientRect(tweak, &client);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    ASSERT_EQ(face, ClientPixel(tweak, 0, 0));
    ASSERT_EQ(face, ClientPixel(tweak, 0, client.bottom - 1));
    Press(1);
    KillTimer(tweak, 0);
    EXPECT_EQ(face ^ 0xFFFFFFu, ClientPixel(tweak, 0, 0));
    EXPECT_EQ(face, ClientPixel(tweak, 0, client.bottom - 1));
    Release();
    EXPECT_EQ(face, ClientPixel(tweak, 0, 0));
    EXPECT_EQ(face, ClientPixel(tweak, 0, client.bottom - 1));
}

TEST_F(TweakTest, PaintsAnUpAndAMirroredDownArrowAtEverySize) {
    const int bx = GetSystemMetrics(SM_CXBORDER), by = GetSystemMetrics(SM_CYBORDER);
    const COLORREF face = GetSysColor(COLOR_BTNFACE), text = GetSysColor(COLOR_BTNTEXT);
    ASSERT_NE(face, text);
    for (int height : {TweakHeight, 41}) {
        SetWindowPos(tweak, nullptr, 0, 0, TweakWidth, height, SWP_NOMOVE | SWP_NOZORDER);
        InvalidateRect(tweak, nullptr, TRUE);
        UpdateWindow(tweak);
        RECT r;
        GetClientRect(tweak, &r);
        const int mid = r.bottom / 2, w = r.right - 4 * bx, h = mid - 4 * by;
        const int left = 2 * bx, centre = left + w / 2, inside = left + 2;
        EXPECT_EQ(GetSysColor(COLOR_WINDOWFRAME), ClientPixel(tweak, 0, mid)) << height;
        // Up arrow: base on the image's bottom row, apex at the top centre.
        EXPECT_EQ(text, ClientPixel(tweak, centre, 2 * by)) << height;
        EXPECT_EQ(face, ClientPixel(tweak, inside, 2 * by)) << height;
        EXPECT_EQ(text, ClientPixel(tweak, inside, 2 * by + h - 1)) << height;
        // Down arrow, mirrored by the negative height: the base on top, the
        // apex on the row the blit starts from.
        const int downApex = r.bottom - 2 * by, downBase = downApex - h + 1;
        EXPECT_EQ(text, ClientPixel(tweak, inside, downBase)) << height;
        EXPECT_EQ(face, ClientPixel(tweak, inside, downApex)) << height;
        EXPECT_EQ(text, ClientPixel(tweak, centre, downApex)) << height;
        EXPECT_EQ(face, ClientPixel(tweak, centre, downBase - 1)) << height;
        // Background outside the arrows.
        EXPECT_EQ(face, ClientPixel(tweak, 0, 0)) << height;
        EXPECT_EQ(face, ClientPixel(tweak, r.right - 1, r.bottom - 1)) << height;
    }
}

TEST_F(TweakTest, SetBuddyRefusesWhatIsNoFreeEdit) {
    HWND button = host->AddChild("BUTTON", BS_PUSHBUTTON, 10, 100, 60, 20, 30, "Button");
    HWND label = host->AddChild("STATIC", 0, 10, 130, 60, 20, 31, "Label");
    HWND taken = host->AddChild("EDIT", WS_BORDER, 10, 160, 60, 20, 32);
    HWND otherTweak = host->AddChild("Tweak", 0, 80, 160, TweakWidth, TweakHeight, 33);
    ASSERT_EQ(reinterpret_cast<LRESULT>(taken),
              SendMessageA(otherTweak, TWM_SETBUDDY, reinterpret_cast<WPARAM>(taken), 0));
    // A class whose name starts like "Edit" but is longer than the buffer.
    WNDCLASSA lookalike = {};
    lookalike.lpfnWndProc = DefWindowProcA;
    lookalike.hInstance = GetModuleHandleA(nullptr);
    lookalike.lpszClassName = "EditLookalikeWithALongName";
    RegisterClassA(&lookalike);
    HWND longName = host->AddChild("EditLookalikeWithALongName", 0, 10, 190, 60, 20, 34);
    ASSERT_TRUE(button && label && taken && otherTweak && longName);

    struct Case {
        const char* what;
        HWND candidate;
    } cases[] = {
        {"the edit it already holds", edit},
        {"a button", button},
        {"a static", label},
        {"another Tweak's buddy", taken},
        {"a window of a longer class name", longName},
        {"no window", reinterpret_cast<HWND>(static_cast<INT_PTR>(0x7FFF1234))},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(0, SendMessageA(tweak, TWM_SETBUDDY, reinterpret_cast<WPARAM>(c.candidate), 0)) << c.what;
        EXPECT_EQ(edit, Buddy()) << c.what;
        EXPECT_NE(editProc, GetWindowLongPtrA(edit, GWLP_WNDPROC)) << c.what;  // still subclassed
    }
    EXPECT_EQ(taken, reinterpret_cast<HWND>(SendMessageA(otherTweak, TWM_GETBUDDY, 0, 0)));
}

TEST_F(TweakTest, SetBuddyWithZeroOrAnotherEditRestoresTheOldProcedure) {
    const LONG_PTR otherProc = GetWindowLongPtrA(other, GWLP_WNDPROC);
    EXPECT_EQ(reinterpret_cast<LRESULT>(other),
              SendMessageA(tweak, TWM_SETBUDDY, reinterpret_cast<WPARAM>(other), 0));
    EXPECT_EQ(other, Buddy());
    EXPECT_EQ(editProc, GetWindowLongPtrA(edit, GWLP_WNDPROC));
    EXPECT_NE(otherProc, GetWindowLongPtrA(other, GWLP_WNDPROC));

    EXPECT_EQ(0, SendMessageA(tweak, TWM_SETBUDDY, 0, 0));
    EXPECT_EQ(nullptr, Buddy());
    EXPECT_EQ(otherProc, GetWindowLongPtrA(other, GWLP_WNDPROC));
    EXPECT_EQ(0, SendMessageA(tweak, TWM_SETBUDDY, 0, 0));  // nothing to detach
    // Free again, so the first edit can be attached once more.
    EXPECT_EQ(reinterpret_cast<LRESULT>(edit), SendMessageA(tweak, TWM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0));
}

TEST_F(TweakTest, UpAndDownInTheEditStepWithoutMovingTheCaret) {
    SendMessageA(edit, EM_SETSEL, 2, 2);
    struct Case {
        UINT key;
        WORD code;
        WORD pressedBit;
    } cases[] = {{VK_UP, TWN_UP, 1}, {VK_DOWN, TWN_DOWN, 2}};
    for (const Case& c : cases) {
        host->notifications.clear();
        EXPECT_EQ(0, SendMessageA(edit, WM_KEYDOWN, c.key, 1));
        EXPECT_EQ(c.pressedBit, GetWindowWord(tweak, PressedSlot));
        EXPECT_EQ(0, SendMessageA(edit, WM_KEYDOWN, c.key, 0x40000001));  // keyboard auto-repeat
        EXPECT_EQ(0, SendMessageA(edit, WM_KEYUP, c.key, 0xC0000001));
        EXPECT_EQ(0, GetWindowWord(tweak, PressedSlot));
        EXPECT_EQ((std::vector<Notification>{From(c.code), From(c.code)}), host->notifications);
        EXPECT_EQ(MAKELONG(2, 2), Selection());
        EXPECT_FALSE(KillTimer(tweak, 0));  // keys start no timer
    }
}

TEST_F(TweakTest, OtherKeysReachTheEdit) {
    SendMessageA(edit, EM_SETSEL, 2, 2);
    SendMessageA(edit, WM_KEYDOWN, VK_END, 1);
    SendMessageA(edit, WM_KEYUP, VK_END, 0xC0000001);
    EXPECT_EQ(MAKELONG(5, 5), Selection());
    SendMessageA(edit, WM_KEYDOWN, VK_LEFT, 1);
    EXPECT_EQ(MAKELONG(4, 4), Selection());
    SendMessageA(edit, WM_CHAR, 'x', 1);
    char text[20] = "";
    GetWindowTextA(edit, text, sizeof text);
    EXPECT_STREQ("1234x5", text);
    EXPECT_TRUE(host->notifications.empty());
}

TEST_F(TweakTest, FocusGoesToTheBuddyAndNeverStaysOnTheTweak) {
    SetFocus(other);
    ASSERT_EQ(other, GetFocus());
    Press(2);
    EXPECT_EQ(edit, GetFocus());
    Release();

    SetFocus(other);
    SetFocus(tweak);  // bounced straight back
    EXPECT_EQ(other, GetFocus());
}

TEST_F(TweakTest, DestroyingTheBuddyFirstDetachesIt) {
    DestroyWindow(edit);
    EXPECT_EQ(nullptr, Buddy());
    // The Tweak is free for another edit and goes on working.
    EXPECT_EQ(reinterpret_cast<LRESULT>(other),
              SendMessageA(tweak, TWM_SETBUDDY, reinterpret_cast<WPARAM>(other), 0));
    SendMessageA(other, WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ((std::vector<Notification>{From(TWN_DOWN)}), host->notifications);
}

TEST_F(TweakTest, DestroyingTheTweakFirstGivesTheEditItsProcedureBack) {
    DestroyWindow(tweak);
    EXPECT_EQ(editProc, GetWindowLongPtrA(edit, GWLP_WNDPROC));
    SendMessageA(edit, EM_SETSEL, 3, 3);
    SendMessageA(edit, WM_KEYDOWN, VK_UP, 1);  // now the edit's own: moves the caret
    EXPECT_NE(MAKELONG(3, 3), Selection());
    EXPECT_TRUE(host->notifications.empty());
    // The edit can be attached to a new Tweak.
    HWND second = host->AddChild("Tweak", 0, 90, 40, TweakWidth, TweakHeight, 25);
    EXPECT_EQ(reinterpret_cast<LRESULT>(edit), SendMessageA(second, TWM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0));
}

TEST_F(TweakTest, TheEleventhLiveTweakDestroysItself) {
    std::vector<HWND> tweaks = {tweak};
    for (int i = 1; i < 10; ++i) {
        HWND t = host->AddChild("Tweak", 0, 120 + 18 * (i % 5), 10 + 30 * (i / 5), TweakWidth, TweakHeight, 100 + i);
        ASSERT_TRUE(IsWindow(t)) << i;
        tweaks.push_back(t);
    }
    HWND eleventh = host->AddChild("Tweak", 0, 120, 100, TweakWidth, TweakHeight, 200);
    EXPECT_FALSE(IsWindow(eleventh));
    for (HWND t : tweaks) {
        host->notifications.clear();
        SendMessageA(t, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 1));
        SendMessageA(t, WM_LBUTTONUP, 0, 0);
        ASSERT_EQ(1u, host->notifications.size());
        EXPECT_EQ(TWN_UP, host->notifications[0].code);
        EXPECT_EQ(t, host->notifications[0].from);
    }
    // A destruction moves the last entry into the freed slot: its buddy
    // lookup still works, and the freed room takes the next Tweak.
    ASSERT_EQ(reinterpret_cast<LRESULT>(other),
              SendMessageA(tweaks[9], TWM_SETBUDDY, reinterpret_cast<WPARAM>(other), 0));
    DestroyWindow(tweaks[3]);
    host->notifications.clear();
    SendMessageA(other, WM_KEYDOWN, VK_UP, 1);
    EXPECT_EQ((std::vector<Notification>{{109, TWN_UP, tweaks[9]}}), host->notifications);
    HWND replacement = host->AddChild("Tweak", 0, 120, 100, TweakWidth, TweakHeight, 201);
    EXPECT_TRUE(IsWindow(replacement));
    EXPECT_FALSE(IsWindow(host->AddChild("Tweak", 0, 140, 100, TweakWidth, TweakHeight, 202)));
}

}  // namespace
