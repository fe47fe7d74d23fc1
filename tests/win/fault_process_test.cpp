// The real program in a process of its own under faults it cannot ask the
// driver about: the driver library missing, each of the fifteen entry points
// missing in turn (a driver built without it beside the program), and a
// command line of 30,000 characters. Each run opens every dialog through the
// main window's commands, presses every command button and exits; the
// process must end by itself with exit code 0 (a crash ends it with the
// exception's code, since no debugger is configured).
#include <gtest/gtest.h>

#include <string>

#include "defs/features.h"
#include "support/fault_process.h"

namespace {

using namespace fault_test;

TEST(FaultProcessTest, MissingLibraryAndLongCommandLine) {
    PlainEnvironment();
    ProgramFolder noDriver("tablet-fault-no-driver", "");
    ProgramFolder longLine("tablet-fault-long-line", BinFolder() + "Vellix32.dll");
    ProgramFolder plain("tablet-fault-plain", BinFolder() + "Vellix32.dll");
    ASSERT_TRUE(noDriver.Ready());
    ASSERT_TRUE(longLine.Ready());
    ASSERT_TRUE(plain.Ready());

    // 30,000 characters in all; no device name contains it, so the first
    // absolute device is chosen.
    std::string line = Quoted(longLine.Program()) + " ";
    while (line.size() < 30000) line += "Vellix PenPad 12x9 ";
    line.resize(30000);

    SessionReport missing, longRun, plainRun;
    fault_test::RunInParallel(3, 3, [&](size_t i) {
        if (i == 0) missing = RunEveryDialog(noDriver.Program(), Quoted(noDriver.Program()));
        if (i == 1) longRun = RunEveryDialog(longLine.Program(), line);
        if (i == 2) plainRun = RunEveryDialog(plain.Program(), Quoted(plain.Program()));
    });
    ExpectStopAtStartUp(missing, "without Vellix32.dll");
    ExpectFullSession(longRun, "with a command line of 30,000 characters");
    ExpectFullSession(plainRun, "with the whole driver");
}

// A visible top-level window of the process: a box (dialog class) or the
// main window, whichever shows first; null when none shows within the limit.
struct WindowSearch {
    DWORD process;
    HWND found;
};

BOOL CALLBACK FindShownWindow(HWND window, LPARAM parameter) {
    WindowSearch& search = *reinterpret_cast<WindowSearch*>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    bool wanted = std::string(name) == "#32770" || std::string(name) == "Tablet Control Panel";
    if (process != search.process || !IsWindowVisible(window) || !wanted) return TRUE;
    search.found = window;
    return FALSE;
}

HWND WaitForShownWindow(const PROCESS_INFORMATION& child, DWORD limitMs) {
    for (DWORD started = GetTickCount(); GetTickCount() - started < limitMs;) {
        WindowSearch search = {child.dwProcessId, nullptr};
        EnumWindows(FindShownWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        if (WaitForSingleObject(child.hProcess, 100) == WAIT_OBJECT_0) return nullptr;
    }
    return nullptr;
}

// Starts the program with another current folder and tells what it showed:
// the stop box's text, or "main window". Either is closed and the process
// must then end by itself.
std::string ShownFrom(const std::string& program, const std::string& currentFolder) {
    std::string line = Quoted(program);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child = {};
    if (!CreateProcessA(program.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, currentFolder.c_str(), &startup,
                        &child))
        return "not started";
    std::string shown = "nothing";
    if (HWND window = WaitForShownWindow(child, 15000)) {
        char name[64] = "";
        GetClassNameA(window, name, sizeof name);
        if (std::string(name) == "#32770") {
            shown = RemoteItemText(window, 0xFFFF);
            PostMessageA(window, WM_COMMAND, IDOK, 0);
        } else {
            shown = "main window";
            PostMessageA(window, WM_COMMAND, IDM_EXIT, 0);
        }
    }
    if (WaitForSingleObject(child.hProcess, 15000) != WAIT_OBJECT_0) {
        TerminateProcess(child.hProcess, 1);
        shown += " (hung)";
    }
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    return shown;
}

// The driver is never loaded from the current folder: started from a folder
// holding someone's Vellix32.dll, a program without a driver says so; a
// driver beside the program still loads.
TEST(FaultProcessTest, DriverOnlyInTheCurrentFolderIsNotLoaded) {
    PlainEnvironment();
    ProgramFolder alone("tablet-cwd-alone", "");
    ProgramFolder planted("tablet-cwd-planted", BinFolder() + "Vellix32.dll");
    ProgramFolder beside("tablet-cwd-beside", BinFolder() + "Vellix32.dll");
    ASSERT_TRUE(alone.Ready() && planted.Ready() && beside.Ready());
    EXPECT_EQ("Tablet Driver Not Found.", ShownFrom(alone.Program(), planted.Path()));
    EXPECT_EQ("main window", ShownFrom(beside.Program(), alone.Path()));
}

}  // namespace
