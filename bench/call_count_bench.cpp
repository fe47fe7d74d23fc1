// Driver calls per operation, counted by the stand-in: the program started
// in-process through its own start-up, each dialog opened through the main
// window's command as the menu does, its buttons pressed, and the program
// ended with Exit. The main window is subclassed only to hear when a modal
// dialog has gone idle (WM_ENTERIDLE), which is when an operation is over.
#include <cstring>
#include <vector>

#include "app/app.h"
#include "bench_inproc.h"
#include "bench_support.h"
#include "defs/features.h"

namespace bench {

namespace {

struct Step {
    int buttonId;
    const char* label;  // the operation the press stands for
};

struct Session {
    UINT command;
    const char* caption;  // of the dialog the command must open
    const char* openLabel;
    std::vector<Step> steps;
};

struct Progress {
    const Session* session = nullptr;
    size_t next = 0;  // steps pressed so far
    HWND dialog = nullptr;
    bool wrongDialog = false;
    bool stuck = false;
};

Progress progress;
WNDPROC mainProc = nullptr;

// The row, and the calls in order as notes for the log.
void RecordOperation(const char* label) {
    CallRow(label, Sim().TotalCalls(), CallBreakdown());
    NoteCallLog(label);
    Sim().ClearLog();
}

// The dialog is idle: the last operation has finished. Record it and press
// the next button.
void OnDialogIdle(HWND dialog) {
    if (!progress.session) return;
    const Session& session = *progress.session;
    if (!progress.dialog) {
        progress.dialog = dialog;
        char caption[128] = "";
        GetWindowTextA(dialog, caption, sizeof caption);
        if (strcmp(caption, session.caption) != 0) {
            Note("command %u opened \"%s\", not \"%s\"", session.command, caption, session.caption);
            progress.wrongDialog = true;
            EndDialog(dialog, -1);
            return;
        }
        RecordOperation(session.openLabel);
    } else if (progress.next > 0 && progress.next < session.steps.size() + 1) {
        if (progress.next == session.steps.size()) {  // the last press did not end the dialog
            progress.stuck = true;
            EndDialog(dialog, -1);
            return;
        }
        RecordOperation(session.steps[progress.next - 1].label);
    }
    const Step& step = session.steps[progress.next++];
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(step.buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, step.buttonId)));
}

LRESULT CALLBACK WatchingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ENTERIDLE && wParam == MSGF_DIALOGBOX) OnDialogIdle(reinterpret_cast<HWND>(lParam));
    return CallWindowProcA(mainProc, window, message, wParam, lParam);
}

}  // namespace

int RunCallCountBench() {
    if (!ResetStandIn()) return Fail("stand-in not loaded");
    HINSTANCE instance = GetModuleHandleA(nullptr);

    HWND mainWindow = StartTabletControlPanel(instance, SW_SHOWNORMAL);
    if (!mainWindow) return Fail("the program did not start (driver not found or a window failed)");
    Pump();
    RecordOperation("start-up (to the message loop)");
    InstallBoxAnswerer(mainWindow);
    mainProc =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrA(mainWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WatchingProc)));

    const Session sessions[] = {
        {IDM_INFORMATION, "Tablet Information", "open Information", {{IDOK, "Information OK"}}},
        {IDM_FEATURES, "Features", "open Features", {{IDOK, "Features OK"}}},
        {IDM_CUSTOMIZATION, "Tablet Setup", "open Setup", {{IDC_SETUP_TEST, "Setup Test"}, {IDOK, "Setup OK"}}},
        {IDM_CUSTOMIZATION, "Tablet Setup", "open Setup (again)", {{IDCANCEL, "Setup Cancel"}}},
        {IDM_ABOUT, "About Tablet Control Panel...", "open About", {{IDOK, "About OK"}}},
    };
    for (const Session& session : sessions) {
        progress = Progress();
        progress.session = &session;
        Sim().ClearLog();
        SendMessageA(mainWindow, WM_COMMAND, session.command, 0);  // returns when the dialog has ended
        if (!progress.dialog) return Fail("command %u opened no dialog", session.command);
        if (progress.wrongDialog) return Fail("command %u opened the wrong dialog", session.command);
        if (progress.stuck) return Fail("\"%s\" did not close its dialog", session.steps.back().label);
        RecordOperation(session.steps.back().label);
        Pump();
    }
    progress = Progress();

    SetWindowLongPtrA(mainWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(mainProc));
    Sim().ClearLog();
    SendMessageA(mainWindow, WM_COMMAND, IDM_EXIT, 0);
    bool quit = Pump();
    RecordOperation("Exit (manager closed, driver unloaded)");
    if (!quit || IsWindow(mainWindow)) return Fail("Exit did not end the program");
    if (UnexpectedBoxes()) return Fail("%d unexpected message boxes", UnexpectedBoxes());
    return 0;
}

}  // namespace bench
