// The real program in a process of its own under faults it cannot ask the
// driver about: the driver library missing (the stop box, its caption, no
// main window, exit code 0), each of the fifteen entry points
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

// Starts the program with another current folder and tells what it showed:
// the stop box's text, or "main window". Either is closed and the process
// must then end by itself.
std::string ShownFrom(const std::string& program, const std::string& currentFolder) {
    ChildProgram child;
    if (!child.Start(program, Quoted(program), currentFolder)) return "not started";
    std::string shown = "nothing";
    if (HWND window = child.WaitForMainWindowOrBox()) {
        if (window == child.MainWindow()) {
            shown = "main window";
            PostMessageA(window, WM_COMMAND, IDM_EXIT, 0);
        } else {
            shown = RemoteItemText(window, 0xFFFF);
            PostMessageA(window, WM_COMMAND, IDOK, 0);
        }
    }
    DWORD exitCode = 0;
    if (!child.WaitForExit(15000, exitCode)) shown += " (hung)";
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
