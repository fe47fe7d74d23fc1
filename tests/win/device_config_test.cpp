// The Features row's pre-handler with the driver stand-in: the driver's own
// configuration dialog in place of the program's, the restart prompt, and
// the log-off that its OK asks for (recorded, not done).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app.h"
#include "defs/features.h"
#include "dialogs/dialogs.h"
#include "driver/driver.h"
#include "driver/session.h"
#include "support/dialog_support.h"
#include "support/import_patch.h"
#include "support/program_test.h"
#include "support/sim_control.h"
#include "support/windows_harness.h"

namespace {

const char RestartText[] =
    "Your tablet driver settings have changed. You will need to exit and restart windows for the "
    "change to take effect. Choose OK to restart Windows NOW.";
const char RestartTitle[] = "Tablet Driver Settings Change";
const char DriverCaption[] = "Vellix Device Configuration";
class DeviceConfigTest : public ProgramTest {
protected:
    // Runs the Features command; each box that opens is looked at and closed
    // with the next button of the list (Cancel once the list is used up).
    std::vector<SeenBox> RunFeatures(std::vector<int> buttons) {
        std::vector<SeenBox> seen;
        size_t next = 0;
        ModalDriver driver([&](HWND box) {
            seen.push_back(LookAtBox(box));
            PressButton(box, next < buttons.size() ? buttons[next++] : IDCANCEL);
        });
        sim.ClearLog();
        SendMessageA(mainWindow, WM_COMMAND, IDM_FEATURES, 0);
        return seen;
    }
};

TEST_F(DeviceConfigTest, WithoutADriverDialogTheProgramsFeaturesDialogOpens) {
    ASSERT_TRUE(Start());
    std::vector<SeenBox> seen = RunFeatures({IDCANCEL});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, "Features");
    EXPECT_EQ(sim.LogLinesStartingWith("VXMgrDeviceConfig"), 1);
    EXPECT_EQ(sim.LogLinesStartingWith(("VXMgrDeviceConfig " + std::to_string(SessionManager()) + " 0 null").c_str()),
              1);
    EXPECT_EQ(DeviceConfigHandler(mainWindow, WM_COMMAND, IDM_FEATURES, 0), 0);
}

TEST_F(DeviceConfigTest, WithADriverDialogOursNeverOpensWhateverTheUserPresses) {
    LoadProfile("config_dialog.ini");
    ASSERT_TRUE(Start());
    for (int button : {IDCANCEL, IDOK}) {
        std::vector<SeenBox> seen = RunFeatures({button});
        ASSERT_EQ(seen.size(), 1u) << button;
        EXPECT_EQ(seen[0].caption, DriverCaption);
        const std::string manager = std::to_string(SessionManager());
        EXPECT_EQ(sim.LogLinesStartingWith(("VXMgrDeviceConfig " + manager + " 0 null").c_str()), 1);
        EXPECT_EQ(sim.LogLinesStartingWith(("VXMgrDeviceConfig " + manager + " 0 hwnd").c_str()), 1);
    }
    EXPECT_TRUE(IsWindow(mainWindow));
}

TEST_F(DeviceConfigTest, RestartPromptShowsItsTextAndCancelLeavesEverythingRunning) {
    ASSERT_TRUE(RecordExitWindows());
    ForgetExitWindowsCalls();
    LoadProfile("config_restart.ini");
    ASSERT_TRUE(Start());
    OwnerWindow witness;                                        // a session end would reach every top-level window
    std::vector<SeenBox> seen = RunFeatures({IDOK, IDCANCEL});  // the driver's OK, then the prompt's Cancel
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].caption, DriverCaption);
    EXPECT_EQ(seen[1].caption, RestartTitle);
    EXPECT_EQ(seen[1].text, RestartText);
    EXPECT_EQ(seen[1].icon, LoadIconA(nullptr, IDI_EXCLAMATION));
    EXPECT_TRUE(seen[1].hasOk);
    EXPECT_TRUE(seen[1].hasCancel);
    EXPECT_FALSE(seen[1].hasYes);
    DispatchPending();
    EXPECT_TRUE(IsWindow(mainWindow));
    EXPECT_TRUE(IsWindowVisible(mainWindow));
    EXPECT_EQ(witness.sessionQueries(), 0);
    EXPECT_TRUE(ExitWindowsCalls().empty()) << "Cancel logs nobody off";
    EXPECT_NE(SessionManager(), 0u);
    EXPECT_EQ(GetWindow(mainWindow, GW_ENABLEDPOPUP), nullptr) << "no dialog left open";
}

TEST_F(DeviceConfigTest, OnlyARestartAnswerBringsThePrompt) {
    LoadProfile("config_dialog.ini");
    ASSERT_TRUE(Start());
    const struct {
        int answer;
        size_t boxes;
    } cases[] = {{0, 0}, {1, 0}, {2, 0}, {4, 0}, {RestartNeeded, 1}};
    for (const auto& c : cases) {
        sim.SetConfigResult(c.answer);  // the driver answers at once, without its dialog
        std::vector<SeenBox> seen;
        ModalDriver driver([&](HWND box) {
            seen.push_back(LookAtBox(box));
            PressButton(box, IDCANCEL);
        });
        EXPECT_EQ(DeviceConfigHandler(mainWindow, WM_COMMAND, IDM_FEATURES, 0), 1) << c.answer;
        ASSERT_EQ(seen.size(), c.boxes) << c.answer;
        if (c.boxes) {
            EXPECT_EQ(seen[0].caption, RestartTitle);
        }
    }
}

// OK in the restart prompt logs the user off: ExitWindowsEx is recorded
// instead of called, so that the test ends nothing.
TEST_F(DeviceConfigTest, OkInTheRestartPromptLogsTheUserOff) {
    ASSERT_TRUE(RecordExitWindows());
    ForgetExitWindowsCalls();
    LoadProfile("config_restart.ini");
    sim.SetConfigResult(RestartNeeded);
    ASSERT_TRUE(Start());
    bool promptShown = false;
    ModalDriver driver([&](HWND box) {
        promptShown = promptShown || (WindowText(box) == RestartTitle && MessageBoxText(box) == RestartText);
        PressButton(box, IDOK);
    });
    SendMessageA(mainWindow, WM_COMMAND, IDM_FEATURES, 0);
    EXPECT_TRUE(promptShown);
    EXPECT_TRUE(IsWindow(mainWindow)) << "the program does not close itself";
    ASSERT_EQ(ExitWindowsCalls().size(), 1u) << "OK logs the user off, once";
    // A plain log-off: every program is asked first (no EWX_FORCE), the
    // session is ended rather than the machine shut down or restarted.
    EXPECT_EQ(ExitWindowsCalls()[0].flags, static_cast<UINT>(EWX_LOGOFF));
    EXPECT_EQ(ExitWindowsCalls()[0].reason, 0xFFFFFFFFu);
}

}  // namespace
