// Setup dialog opening: from CreateDialogParam to the dialog and all its
// controls painted with nothing left in the queue, for the real dialog
// procedure and for a procedure that does nothing with the same template.
#include <vector>

#include "bench_inproc.h"
#include "bench_support.h"
#include "defs/features.h"
#include "setup/setup.h"

namespace bench {

namespace {

INT_PTR CALLBACK IdleDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

struct Opening {
    double ms = -1;
    int controls = 0;
};

BOOL CALLBACK CountChild(HWND, LPARAM parameter) {
    ++*reinterpret_cast<int*>(parameter);
    return TRUE;
}

Opening TimeOpening(HWND owner, DLGPROC proc) {
    Opening opening;
    double started = NowMs();
    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SETUP), owner, proc, 0);
    if (!dialog) return opening;
    ShowWindow(dialog, SW_SHOW);
    RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump();
    opening.ms = NowMs() - started;
    EnumChildWindows(dialog, CountChild, reinterpret_cast<LPARAM>(&opening.controls));
    SetFocus(nullptr);  // the area control, if focused, ends its capture first
    DestroyWindow(dialog);
    Pump();
    return opening;
}

}  // namespace

int RunDialogBench(int runs) {
    if (runs < 10) runs = 10;
    if (!ResetStandIn()) return Fail("stand-in not loaded");
    HWND owner = PrepareDialogHost();
    if (!owner) return Fail("could not prepare the dialog host (classes, owner window, driver manager)");
    InstallBoxAnswerer(owner);

    const DLGPROC procs[2] = {SetupDialogProc, IdleDialogProc};
    for (int i = 0; i < 3; ++i)  // warm-up
        for (DLGPROC proc : procs)
            if (TimeOpening(owner, proc).ms < 0) return Fail("the Setup dialog template could not be opened");

    std::vector<double> times[2];
    int controls[2] = {0, 0};
    double budgetEnd = NowMs() + 20000;  // cut short on a crowded machine, after ten of each at least
    for (int run = 0; run < runs && (run < 10 || NowMs() < budgetEnd); ++run) {
        for (int k = 0; k < 2; ++k) {
            int which = (run % 2) ? 1 - k : k;
            Opening opening = TimeOpening(owner, procs[which]);
            if (opening.ms < 0) return Fail("the Setup dialog template could not be opened");
            times[which].push_back(opening.ms);
            controls[which] = opening.controls;
        }
    }
    if (controls[0] != controls[1] || controls[0] < 30)
        return Fail("the dialogs differ: %d and %d controls", controls[0], controls[1]);
    if (UnexpectedBoxes()) return Fail("a message box appeared while opening the Setup dialog");
    Note("Setup dialog: %d controls", controls[0]);
    TimeRow("Setup dialog open to first complete paint", times[0], times[1], 1.5);
    return 0;
}

}  // namespace bench
