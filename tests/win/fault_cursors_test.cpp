// Every dialog under unusual cursors and contexts: no cursor types, 33 of
// them (one more than the capture keeps masks for), first cursor numbers
// near 65535, no "Default System" context, thirty and 20,000 contexts, and
// an enumeration that runs in a circle. Then where the Setup dialog's
// writes go with such contexts, that its confirmation box comes only when
// the settings would take the mouse clicks away.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "defs/features.h"
#include "driver/driver.h"
#include "driver/session.h"
#include "setup/setup.h"
#include "support/fault_dialogs.h"
#include "vellix_control.h"

namespace {

using namespace fault_test;

// clang-format off
std::vector<FaultCase> Cases() {
    return {
        {"NoCursorTypes", {{SimFaultCursorCount, 0}}, "", 0,
         [](Expected& e) {
             e.cursor = "unknown is installed.";
             e.cursorTypes = {};
             e.selection = -1;
             e.enableCalls = "0:1 ";  // none to choose from: OK still enables the device's first
             e.buttonNames = {};
         }},
        // The last cursor has no mask of its own in the capture: its button 0 selects.
        {"ThirtyThreeCursorTypes", {{SimFaultCursorCount, 33}}, "", 32,
         [](Expected& e) {
             for (int i = 2; i < 33; ++i) e.cursorTypes.push_back("Cursor " + std::to_string(i));
             e.enableCalls = "0:0 32:1 ";
         }, Harshest},
        {"FirstCursor65534", {{SimFaultFirstCursor, 65534}}, "", 65534,
         [](Expected& e) { e.enableCalls = "65534:0 65535:1 "; }},
        {"FirstCursor65535", {{SimFaultFirstCursor, 65535}}, "", 65535,
         [](Expected& e) { e.enableCalls = "65535:0 65536:1 "; }, Harshest},
        // A count of 0xFFFFFFFE cursor types, none active: every walk stops
        // at the shared limit, so no dialog hangs.
        {"NonsenseCursorCount", {{SimFaultCursorCountAnswer, -2}},
         "[Device0]\nCursors=2\n[Device0.Cursor0]\nActive=0\n[Device0.Cursor1]\nActive=0\n", 0,
         [](Expected& e) {
             e.cursor = "unknown is installed.";
             e.cursorTypes.resize(DriverWalkLimit);  // past the two real ones, no names
             e.enableCalls = "";  // the chosen cursor past the real ones never answered
         }},
        // The worst counts together: no action costs more than a thousand calls.
        {"NonsenseCursorCountTwentyThousandContextsNoneDefaultSystem",
         {{SimFaultCursorCountAnswer, -2}, {SimFaultExtraContexts, 20000}, {SimFaultNoDefaultSystem, 1}},
         "[Device0]\nCursors=2\n[Device0.Cursor0]\nActive=0\n[Device0.Cursor1]\nActive=0\n", 0,
         [](Expected& e) {
             e.cursor = "unknown is installed.";
             e.cursorTypes.resize(DriverWalkLimit);
             e.enableCalls = "";
         }},
        {"NoDefaultSystemContext", {{SimFaultNoDefaultSystem, 1}}, "", 0, [](Expected&) {}},
        {"ThirtyContexts", {{SimFaultExtraContexts, 29}}, "", 0, [](Expected&) {}},
        {"TwentyThousandContexts", {{SimFaultExtraContexts, 20000}}, "", 0, [](Expected&) {}},
        {"TwentyThousandContextsNoneDefaultSystem", {{SimFaultExtraContexts, 20000}, {SimFaultNoDefaultSystem, 1}},
         "", 0, [](Expected&) {}},
        {"ContextListInACircle", {{SimFaultCircularContexts, 1}}, "", 0, [](Expected&) {}},
    };
}
// clang-format on

TEST_P(FaultCaseTest, EveryDialogEveryButton) { CheckEveryDialog(*host, GetParam()); }

INSTANTIATE_TEST_SUITE_P(CursorsAndContexts, FaultCaseTest, ::testing::ValuesIn(Cases()), CaseName);

class FaultContextsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!HarshestOnly()) host = new FaultHost;
    }
    void SetUp() override {
        if (HarshestOnly()) GTEST_SKIP() << "only the harshest cases run under the validating heap";
    }
    static void TearDownTestSuite() {
        delete host;
        host = nullptr;
    }
    // Opens Tablet Setup, switches to relative tracking and presses OK.
    void SetRelativeWithOk() {
        ASSERT_TRUE(host->Open(IDD_SETUP, SetupDialogProc));
        host->Click(IDC_MODE_RELATIVE);
        host->Click(IDOK);
        EXPECT_TRUE(host->Ended());
        host->Close();
    }
    static inline FaultHost* host = nullptr;
    PreferencesFile preferences;
};

TEST_F(FaultContextsTest, WithoutADefaultSystemContextTheDefaultSystemContextIsWritten) {
    ASSERT_TRUE(host->Apply("", {{SimFaultNoDefaultSystem, 1}}));
    ASSERT_EQ(host->sim.SystemContextOf(0), 0u);
    std::vector<ContextRecord> before;
    for (int i = 0; i < host->sim.ContextCount(); ++i) before.push_back(host->sim.Context(host->sim.ContextAt(i)));
    ASSERT_EQ(host->sim.Context(host->sim.DefaultSystemContext()).trackingMode, 0u);  // absolute
    SetRelativeWithOk();
    EXPECT_EQ(host->sim.Context(host->sim.DefaultSystemContext()).trackingMode, 1u);
    ASSERT_EQ(static_cast<size_t>(host->sim.ContextCount()), before.size());
    for (size_t i = 0; i < before.size(); ++i) {
        ContextRecord now = host->sim.Context(host->sim.ContextAt(static_cast<int>(i)));
        EXPECT_EQ(memcmp(&now, &before[i], sizeof now), 0) << "context " << i << " changed";
    }
    EXPECT_TRUE(host->boxes.boxes.empty());
}

TEST_F(FaultContextsTest, ThirtyContextsOnlyTheDefaultSystemOnesChange) {
    // Every third context is a "Default System" one of device 0 (one of them
    // with a name that runs on, one in small letters), the others not.
    std::string ini = "[Tablet]\nContexts=30\n";
    for (int i = 0; i < 30; ++i) {
        const char* name = i % 3 != 0 ? "Pen Context"
                           : i == 3   ? "Default System 2"
                           : i == 6   ? "default system"
                                      : "Default System";
        ini += "[Context" + std::to_string(i) + "]\nName=" + name + "\nDevice=0\nTrackingMode=0\n";
    }
    ASSERT_TRUE(host->Apply(ini, {}));
    ASSERT_EQ(host->sim.ContextCount(), 30);
    SetRelativeWithOk();
    for (int i = 0; i < 30; ++i)
        EXPECT_EQ(host->sim.Context(host->sim.ContextAt(i)).trackingMode, i % 3 == 0 ? 1u : 0u) << "context " << i;
    EXPECT_EQ(host->sim.Context(host->sim.DefaultSystemContext()).trackingMode, 1u);
    EXPECT_TRUE(host->boxes.boxes.empty());
}

// An enumeration that starts again at its first context: OK writes the
// "Default System" context once, and the default system context.
TEST_F(FaultContextsTest, AContextListInACircleIsWrittenOnce) {
    ASSERT_TRUE(host->Apply("", {{SimFaultCircularContexts, 1}}));
    SetRelativeWithOk();
    EXPECT_EQ(host->sim.LogLinesStartingWith("VXSetA"), 2);
}

TEST_F(FaultContextsTest, ThirtyExtraContextsStayAsTheyWere) {
    ASSERT_TRUE(host->Apply("", {{SimFaultExtraContexts, 29}}));
    ASSERT_EQ(host->sim.ContextCount(), 30);
    std::vector<ContextRecord> before;
    for (int i = 0; i < 30; ++i) before.push_back(host->sim.Context(host->sim.ContextAt(i)));
    SetRelativeWithOk();
    int changed = 0;
    for (int i = 0; i < 30; ++i) {
        ContextRecord now = host->sim.Context(host->sim.ContextAt(i));
        if (memcmp(&now, &before[i], sizeof now) != 0) {
            ++changed;
            EXPECT_STREQ(now.name, "Default System");
            EXPECT_EQ(now.trackingMode, 1u);
        }
    }
    EXPECT_EQ(changed, 1);
}

// The confirmation comes only when OK would leave the pen without its
// clicks: with every button set to "(None)" on a cursor that has buttons.
// A silent driver cannot be written at all: OK says so instead and keeps
// the dialog open, so Cancel ends it.
TEST_F(FaultContextsTest, ConfirmationOnlyWhenClicksWouldBeLost) {
    const char* warning = "Current settings will disable both mouse buttons!";
    const char* silent = "The tablet does not answer. Nothing was changed.";
    struct Case {
        const char* name;
        std::vector<FaultSetting> faults;
        bool clearActions;
        const char* box;  // null: none
    } cases[] = {
        {"unchanged", {}, false, nullptr},
        {"every button (None)", {}, true, warning},
        {"silent driver", {{SimFaultNoAnswers, 1}}, true, silent},
        {"no cursor types", {{SimFaultCursorCount, 0}}, true, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(host->Apply("", c.faults));
        ButtonMap before = {};
        host->sim.ReadButtonMap(0, &before);
        ASSERT_TRUE(host->Open(IDD_SETUP, SetupDialogProc));
        if (c.clearActions) {
            int buttons = static_cast<int>(host->Entries(IDC_BUTTON_LIST).size());
            for (int b = 0; b < (buttons ? buttons : 1); ++b) {
                host->Select(IDC_BUTTON_LIST, b);
                host->Select(IDC_ACTION_LIST, 0);
            }
        }
        host->boxes.answer = IDCANCEL;
        host->Click(IDOK);
        ASSERT_EQ(host->boxes.boxes.size(), c.box ? 1u : 0u);
        if (c.box) {
            EXPECT_EQ(host->boxes.boxes[0].caption, c.box == warning ? "Warning" : "Tablet Control Panel");
            EXPECT_EQ(host->boxes.boxes[0].text, c.box);
            EXPECT_FALSE(host->Ended());  // Cancel keeps the dialog and the driver as they were
            ButtonMap now = {};
            host->sim.ReadButtonMap(0, &now);
            EXPECT_EQ(memcmp(&now, &before, sizeof now), 0);
            host->boxes.answer = IDOK;
            host->Click(c.box == warning ? IDOK : IDCANCEL);
            EXPECT_EQ(host->boxes.boxes.size(), c.box == warning ? 2u : 1u);
        }
        EXPECT_TRUE(host->Ended());
        host->Close();
        host->boxes.answer = IDOK;
    }
}

}  // namespace

namespace {

// A cursor's new button map reaches a capture that is under way: the
// driver announces it with the category's low word, which for cursor
// numbers near 65535 has wrapped past 65535.
TEST_F(FaultContextsTest, ButtonMapChangeReachesTheCaptureForEveryCursorNumber) {
    for (int first : {0, 65335, 65534, 65535}) {
        SCOPED_TRACE("first cursor " + std::to_string(first));
        ASSERT_TRUE(host->Apply("", {{SimFaultFirstCursor, first}}));
        const uint32_t pen = static_cast<uint32_t>(first);  // the pen, active
        ASSERT_TRUE(host->Open(IDD_SETUP, SetupDialogProc));
        if (host->Checked(IDC_WHOLE_TABLET)) host->Click(IDC_WHOLE_TABLET);
        HWND control = host->Item(IDC_AREA_CONTROL);
        SetForegroundWindow(host->Dialog());
        SetFocus(control);
        PumpMessages();
        ASSERT_EQ(GetFocus(), control);
        ASSERT_EQ(host->Text(IDC_STATUS_LINE), LowerLeftPrompt);

        // The barrel button (1) becomes the pen's Left Click, the tip (0) a Right Click.
        BYTE map[32] = {4, 1, 2};
        VXMgrCsrButtonMap(SessionManager(), pen, nullptr, map);
        PumpMessages();
        host->sim.InjectPacket(pen, 0, 3000, 6000);
        PumpMessages();
        host->sim.InjectPacket(pen, 2, 3000, 6000);  // the barrel button alone
        PumpMessages();
        EXPECT_EQ(host->Text(IDC_STATUS_LINE), UpperRightPrompt) << "the barrel button did not take the corner";
        host->sim.InjectPacket(pen, 0, 3000, 6000);
        PumpMessages();
        SetFocus(host->Item(IDOK));
        PumpMessages();
        host->Close();
    }
}

}  // namespace
