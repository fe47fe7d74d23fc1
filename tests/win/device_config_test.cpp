// The Features row's pre-handler with the driver stand-in: the driver's own
// configuration dialog in place of the program's, the restart prompt, and
// the log-off that its OK asks for. The log-off runs in a child process with
// a Wine prefix of its own, so that it ends nothing but that child.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/app.h"
#include "defs/features.h"
#include "dialogs/dialogs.h"
#include "driver/driver.h"
#include "driver/session.h"
#include "support/dialog_support.h"
#include "support/sim_control.h"
#include "support/windows_harness.h"

namespace {

const char RestartText[] =
    "Your tablet driver settings have changed. You will need to exit and restart windows for the "
    "change to take effect. Choose OK to restart Windows NOW.";
const char RestartTitle[] = "Tablet Driver Settings Change";
const char DriverCaption[] = "Vellix Device Configuration";
const int MessageBoxIconId = 0x0440;  // the icon control of the system's message box

// What a driven box showed, and the buttons it offered.
struct SeenBox {
    std::string caption;
    std::string text;
    HICON icon = nullptr;
    bool hasOk = false, hasCancel = false, hasYes = false;
};

SeenBox Look(HWND box) {
    SeenBox seen;
    seen.caption = WindowText(box);
    seen.text = MessageBoxText(box);
    seen.icon = reinterpret_cast<HICON>(SendDlgItemMessageA(box, MessageBoxIconId, STM_GETICON, 0, 0));
    seen.hasOk = GetDlgItem(box, IDOK) != nullptr;
    seen.hasCancel = GetDlgItem(box, IDCANCEL) != nullptr;
    seen.hasYes = GetDlgItem(box, IDYES) != nullptr;
    return seen;
}

class DeviceConfigTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sim.Loaded());
        sim.Reset();
        ForgetDeviceSelection();
    }
    void TearDown() override {
        if (mainWindow && IsWindow(mainWindow)) DestroyWindow(mainWindow);
        DispatchPending();
    }
    void LoadProfile(const char* name) {
        ASSERT_TRUE(sim.LoadDescription((ExeFolder() + "profiles\\" + name).c_str()));
        ForgetDeviceSelection();
    }
    HWND Start() {
        mainWindow = StartTabletControlPanel(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
        DispatchPending();
        return mainWindow;
    }
    // Runs the Features command; each box that opens is looked at and closed
    // with the next button of the list (Cancel once the list is used up).
    std::vector<SeenBox> RunFeatures(std::vector<int> buttons) {
        std::vector<SeenBox> seen;
        size_t next = 0;
        ModalDriver driver([&](HWND box) {
            seen.push_back(Look(box));
            PressButton(box, next < buttons.size() ? buttons[next++] : IDCANCEL);
        });
        sim.ClearLog();
        SendMessageA(mainWindow, WM_COMMAND, IDM_FEATURES, 0);
        return seen;
    }

    SimControl sim;
    HWND mainWindow = nullptr;
};

TEST_F(DeviceConfigTest, WithoutADriverDialogTheProgramsFeaturesDialogOpens) {
    ASSERT_TRUE(Start());
    std::vector<SeenBox> seen = RunFeatures({IDCANCEL});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, "Features");
    EXPECT_EQ(sim.LogLinesStartingWith("VXMgrDeviceConfig"), 1);
    EXPECT_EQ(sim.LogLinesStartingWith(("VXMgrDeviceConfig " + std::to_string(SessionManager()) + " 0 null").c_str()), 1);
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
    LoadProfile("config_restart.ini");
    ASSERT_TRUE(Start());
    OwnerWindow witness;  // a session end would reach every top-level window
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
            seen.push_back(Look(box));
            PressButton(box, IDCANCEL);
        });
        EXPECT_EQ(DeviceConfigHandler(mainWindow, WM_COMMAND, IDM_FEATURES, 0), 1) << c.answer;
        ASSERT_EQ(seen.size(), c.boxes) << c.answer;
        if (c.boxes) {
            EXPECT_EQ(seen[0].caption, RestartTitle);
        }
    }
}

// --- The log-off, in a child process with a Wine prefix of its own.

const char ChildVariable[] = "TABLET_LOGOFF_CHILD";  // the child's result file

FILE* childReport = nullptr;
WNDPROC mainWindowProc = nullptr;

void Report(const char* line) {
    if (!childReport) return;
    std::fprintf(childReport, "%s\n", line);
    std::fflush(childReport);
}

LRESULT CALLBACK ReportingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_QUERYENDSESSION) Report("query session end");
    if (message == WM_ENDSESSION && wParam) Report("session ends");
    return CallWindowProcA(mainWindowProc, window, message, wParam, lParam);
}

// Runs only as the child: presses OK in the restart prompt, then waits for
// the session end that the log-off sends before it ends this process.
TEST(LogOffChild, OkInTheRestartPromptLogsTheUserOff) {
    char path[MAX_PATH] = "";
    if (!GetEnvironmentVariableA(ChildVariable, path, MAX_PATH)) GTEST_SKIP() << "runs as a child process only";
    childReport = std::fopen(path, "ab");
    ASSERT_TRUE(childReport);
    SimControl sim;
    ASSERT_TRUE(sim.Loaded());
    sim.Reset();
    ASSERT_TRUE(sim.LoadDescription((ExeFolder() + "profiles\\config_restart.ini").c_str()));
    sim.SetConfigResult(RestartNeeded);
    ForgetDeviceSelection();
    HWND mainWindow = StartTabletControlPanel(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
    ASSERT_TRUE(mainWindow);
    mainWindowProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(mainWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ReportingProc)));

    ModalDriver driver([&](HWND box) {
        if (WindowText(box) == RestartTitle && MessageBoxText(box) == RestartText) Report("prompt shown");
        PressButton(box, IDOK);
    });
    SendMessageA(mainWindow, WM_COMMAND, IDM_FEATURES, 0);
    Report(IsWindow(mainWindow) ? "command done, window open" : "command done, window gone");
    // The log-off ends this process once every window has agreed.
    DWORD start = GetTickCount();
    while (GetTickCount() - start < 20000) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 500, QS_ALLINPUT);
        DispatchPending();
    }
    Report("still running");
}

using WineUnixName = char*(CDECL*)(const WCHAR*);

// The Unix path of a Windows path, through Wine's own kernel32 export.
std::string UnixPath(const std::string& windowsPath) {
    auto toUnix = reinterpret_cast<WineUnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix) return std::string();
    WCHAR wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH);
    char* unixName = toUnix(wide);
    if (!unixName) return std::string();
    std::string result(unixName);
    HeapFree(GetProcessHeap(), 0, unixName);
    return result;
}

std::string ReadWholeFile(const std::string& path) {
    std::string text;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return text;
    char chunk[512];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0) text.append(chunk, n);
    std::fclose(file);
    return text;
}

// The child's prefix is a hard-linked copy of this one (the registry files
// and profile files copied, since Wine rewrites those), so it starts in a
// moment with a Wine server of its own; the script removes it afterwards.
const char ChildScript[] =
    "work=\"$1\"; source=\"$2\"; exe=\"$3\"; run=\"$4\"; report=\"$work/report.txt\"\n"
    "mkdir -p \"$work\" && cp -al \"$source\" \"$work/prefix\" || { echo 'no prefix' >> \"$report\"; exit 1; }\n"
    "for f in \"$work\"/prefix/*.reg \"$work\"/prefix/drive_c/windows/*.ini; do\n"
    "  [ -f \"$f\" ] && cp --remove-destination \"$source/${f#$work/prefix/}\" \"$f\"\n"
    "done\n"
    "TABLET_WINEPREFIX=\"$work/prefix\" TABLET_LOGOFF_CHILD=\"$report\" \"$run\" \"$exe\" "
    "--gtest_filter=LogOffChild.* > \"$work/child.log\" 2>&1\n"
    "echo \"child exit $?\" >> \"$report\"\n"
    "WINEPREFIX=\"$work/prefix\" wineserver -k 2>/dev/null\n"
    "rm -rf \"$work/prefix\"\n"
    "echo finished >> \"$report\"\n";

TEST(RestartPrompt, OkLogsTheUserOffInAPrefixOfItsOwn) {
    char prefix[MAX_PATH] = "";
    if (!GetEnvironmentVariableA("WINEPREFIX", prefix, MAX_PATH)) GTEST_SKIP() << "needs Wine and its prefix";
    // The script that started this test under Wine starts the child too, with
    // the loader this program's PE format needs.
    char wineRun[MAX_PATH] = "";
    ASSERT_TRUE(GetEnvironmentVariableA("TABLET_WINE_RUN", wineRun, MAX_PATH)) << "not started by tools/wine-run";
    char exe[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    const std::string exeUnix = UnixPath(exe);
    ASSERT_FALSE(exeUnix.empty());
    char work[64];
    std::snprintf(work, sizeof work, "/tmp/tabletcp-logoff-%lu-%lu", GetCurrentProcessId(), GetTickCount());

    // A Unix program started from a Windows one runs outside this Wine server.
    const std::string scriptPath = std::string(work) + ".sh";
    FILE* script = std::fopen(("Z:" + scriptPath).c_str(), "wb");
    ASSERT_TRUE(script);
    std::fputs(ChildScript, script);
    std::fclose(script);
    std::string command = "/bin/sh \"" + scriptPath + "\" \"" + work + "\" \"" + prefix + "\" \"" + exeUnix + "\" \"" + wineRun + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA("Z:\\bin\\sh", &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &process))
        << GetLastError();
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);

    // Wait for the script's last line (a Unix process cannot be waited for
    // from here).
    const std::string reportPath = "Z:" + std::string(work) + "/report.txt";
    std::string report;
    for (DWORD start = GetTickCount(); GetTickCount() - start < 90000;) {
        report = ReadWholeFile(reportPath);
        if (report.find("finished") != std::string::npos) break;
        Sleep(100);
    }
    DeleteFileA(reportPath.c_str());
    DeleteFileA(("Z:" + std::string(work) + "/child.log").c_str());
    RemoveDirectoryA(("Z:" + std::string(work)).c_str());
    DeleteFileA(("Z:" + scriptPath).c_str());

    ASSERT_NE(report.find("finished"), std::string::npos) << report;
    EXPECT_NE(report.find("prompt shown\n"), std::string::npos) << report;
    EXPECT_NE(report.find("command done, window open\n"), std::string::npos)
        << "the program does not close itself\n" << report;
    EXPECT_NE(report.find("query session end\n"), std::string::npos) << report;
    EXPECT_NE(report.find("session ends\n"), std::string::npos) << report;
    EXPECT_EQ(report.find("still running"), std::string::npos) << "the log-off ends the program\n" << report;
}

}  // namespace
