// Start-up benchmark: starts the control panel and the baseline window
// program in turn, interleaved, and times each from CreateProcess until its
// main window is shown, painted and idle. Usage: bench_runner [runs].
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_support.h"
#include "support/child_program.h"

namespace {

using bench::NowMs;

const char BaselineClass[] = "Baseline Window";  // the class of baseline_window.cpp

struct Program {
    const char* name;
    std::string path;
    const char* mainClass;
    UINT closeMessage;  // how the program is asked to end
    WPARAM closeParameter;
};

int unpaintedPolls = 0;  // polls that found the window shown but not yet painted

BOOL CALLBACK FindUnpainted(HWND child, LPARAM parameter) {
    if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(parameter) = true;
        return FALSE;
    }
    return TRUE;
}

// Nothing of the window or its children waits to be painted.
bool Painted(HWND window) {
    if (GetUpdateRect(window, nullptr, FALSE)) return false;
    bool pending = false;
    EnumChildWindows(window, FindUnpainted, reinterpret_cast<LPARAM>(&pending));
    return !pending;
}

// One start: the time in milliseconds, or a negative value with error set.
double TimeStart(const Program& program, std::string& error) {
    ChildProgram child(program.mainClass);
    double started = NowMs();
    if (!child.Start(program.path, Quoted(program.path))) {
        error = bench::Format("%s: CreateProcess failed (%lu)", program.name, GetLastError());
        return -1;
    }
    WaitForInputIdle(child.Handle(), 15000);
    HWND window = child.WaitForMainWindowOrBox();
    while (window && !Painted(window) && child.Running() && NowMs() - started < 15000) {
        ++unpaintedPolls;
        Sleep(1);
    }
    DWORD_PTR answer = 0;
    // Handled only once the program is back in its message loop.
    if (window) SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer);
    double elapsed = NowMs() - started;

    if (!window) {
        error = bench::Format("%s: no main window appeared", program.name);
    } else if (window != child.MainWindow()) {
        char text[128] = "";
        GetWindowTextA(window, text, sizeof text);
        error = bench::Format("%s: showed a message box (\"%s\") instead of its main window", program.name, text);
        PostMessageA(window, WM_COMMAND, IDOK, 0);
    } else {
        PostMessageA(window, program.closeMessage, program.closeParameter, 0);
    }
    DWORD exitCode = 0;
    if (!child.WaitForExit(10000, exitCode) && error.empty())
        error = bench::Format("%s: did not end when asked", program.name);
    child.Terminate();
    Sleep(100);  // lets Wine finish tearing the process down before the next start
    return error.empty() ? elapsed : -1;
}

}  // namespace

int main(int argc, char** argv) {
    int runs = argc > 1 ? atoi(argv[1]) : 20;
    if (runs < 10) runs = 10;
    bench::StartWatchdog(150, "start-up benchmark");
    std::string folder = BinFolder();
    const Program programs[2] = {
        {"tabletcp", folder + "tabletcp.exe", "Tablet Control Panel", WM_COMMAND, 104},  // the Exit command
        {"baseline_window", folder + "baseline_window.exe", BaselineClass, WM_CLOSE, 0},
    };

    std::string error;
    // Warm-up starts, not counted: the first ones load the files and Wine's
    // own programs.
    for (int i = 0; i < 2; ++i)
        for (const Program& program : programs)
            if (TimeStart(program, error) < 0) return bench::Fail("%s", error.c_str());

    std::vector<double> times[2];
    // On a crowded machine the run is cut short after 45 seconds, with at
    // least ten starts of each measured.
    double budgetEnd = NowMs() + 45000;
    for (int run = 0; run < runs && (run < 10 || NowMs() < budgetEnd); ++run) {
        // Alternate which goes first, so that a drift in load favours neither.
        for (int k = 0; k < 2; ++k) {
            int which = (run % 2) ? 1 - k : k;
            double ms = TimeStart(programs[which], error);
            if (ms < 0) return bench::Fail("%s", error.c_str());
            times[which].push_back(ms);
        }
    }
    for (int which = 0; which < 2; ++which) {
        std::string list;
        for (double t : times[which]) list += bench::Format(" %.0f", t);
        bench::Note("%s start-up ms:%s", programs[which].name, list.c_str());
    }
    bench::Note("polls that found a main window shown but not yet painted: %d", unpaintedPolls);
    bench::TimeRow("start-up to main window shown and idle", times[0], times[1], 1.3);
    return 0;
}
