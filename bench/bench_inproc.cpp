// In-process benchmarks; usage: bench_inproc dialog [runs] | capture [rounds
// packets] | calls. Prints table rows for tools/bench; exit code 2 when a
// benchmark could not run.
#include "bench_inproc.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <vector>

#include "bench_support.h"
#include "controls/controls.h"
#include "dialogs/dialogs.h"
#include "driver/driver.h"
#include "driver/session.h"
#include "app/app.h"

namespace bench {

namespace {

const char OwnerClassName[] = "Bench Owner";

struct Ordinal {
    UINT ordinal;
    const char* name;
};
#define BENCH_ORDINAL(name, ordinal, result, params, args) {ordinal, #name},
const Ordinal Ordinals[] = {VELLIX_ENTRY_POINTS(BENCH_ORDINAL)};
#undef BENCH_ORDINAL

HWND expectedBoxOwner = nullptr;
HHOOK boxHook = nullptr;
int unexpectedBoxes = 0;

LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND box = reinterpret_cast<HWND>(wParam);
        char className[32] = "";
        GetClassNameA(box, className, sizeof className);
        if (strcmp(className, "#32770") == 0 && GetWindow(box, GW_OWNER) != expectedBoxOwner) {
            char caption[128] = "", text[256] = "";
            GetWindowTextA(box, caption, sizeof caption);
            GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
            Note("unexpected box \"%s\": %s", caption, text);
            ++unexpectedBoxes;
            int answer = GetDlgItem(box, IDCANCEL) ? IDCANCEL : IDOK;
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(box, answer)));
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

SimControl& Sim() {
    static SimControl sim;
    return sim;
}

bool ResetStandIn() {
    if (!Sim().Loaded()) return false;
    Sim().Reset();
    ForgetDeviceSelection();
    Sim().ClearLog();
    return true;
}

HWND PrepareDialogHost() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!RegisterSetAreaClass(instance) || !RegisterTweakClass(instance)) return nullptr;
    WNDCLASSA ownerClass = {};
    ownerClass.lpfnWndProc = DefWindowProcA;
    ownerClass.hInstance = instance;
    ownerClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    ownerClass.lpszClassName = OwnerClassName;
    RegisterClassA(&ownerClass);
    HWND owner = CreateWindowExA(0, OwnerClassName, "Bench Owner", WS_POPUP | WS_CAPTION | WS_VISIBLE, 10, 10, 200,
                                 100, nullptr, nullptr, instance, nullptr);
    if (!owner) return nullptr;
    if (!SessionManager()) OpenDriverSession(owner);
    if (!SessionManager()) return nullptr;
    SelectDevice();
    CurrentUnit = ReadUnitPreference();
    Pump();
    return owner;
}

std::string CallBreakdown(int perOperation) {
    static const std::vector<Ordinal> sorted = [] {
        std::vector<Ordinal> list(std::begin(Ordinals), std::end(Ordinals));
        std::sort(list.begin(), list.end(), [](const Ordinal& a, const Ordinal& b) { return a.ordinal < b.ordinal; });
        return list;
    }();
    std::string text;
    for (const Ordinal& entry : sorted) {
        int count = Sim().CallCount(entry.ordinal);
        if (count)
            text += Format("%s%s:%g", text.empty() ? "" : " ", entry.name,
                           static_cast<double>(count) / (perOperation > 0 ? perOperation : 1));
    }
    return text;
}

void CallRow(const std::string& operation, int calls, const std::string& breakdown) {
    Row("driver calls: " + operation, breakdown.empty() ? Format("%d", calls) : Format("%d [%s]", calls, breakdown.c_str()),
        "", "", "", "info");
}

void NoteCallLog(const std::string& operation) {
    std::string log = Sim().CallLog();
    for (size_t start = 0; start < log.size();) {
        size_t end = log.find('\n', start);
        if (end == std::string::npos) end = log.size();
        if (end > start) Note("%s: %s", operation.c_str(), log.substr(start, end - start).c_str());
        start = end + 1;
    }
}

void InstallBoxAnswerer(HWND expectedOwner) {
    expectedBoxOwner = expectedOwner;
    if (!boxHook) boxHook = SetWindowsHookExA(WH_CBT, OnCbt, nullptr, GetCurrentThreadId());
}

int UnexpectedBoxes() { return unexpectedBoxes; }

}  // namespace bench

int main(int argc, char** argv) {
    const char* mode = argc > 1 ? argv[1] : "";
    if (!bench::Sim().Loaded()) return bench::Fail("the driver stand-in Vellix32.dll could not be loaded");
    if (strcmp(mode, "dialog") == 0) {
        bench::StartWatchdog(90, "Setup dialog benchmark");
        return bench::RunDialogBench(argc > 2 ? atoi(argv[2]) : 40);
    }
    if (strcmp(mode, "capture") == 0) {
        bench::StartWatchdog(90, "pen capture benchmark");
        return bench::RunCaptureBench(argc > 2 ? atoi(argv[2]) : 7, argc > 3 ? atoi(argv[3]) : 4000);
    }
    if (strcmp(mode, "calls") == 0) {
        bench::StartWatchdog(60, "driver call count");
        return bench::RunCallCountBench();
    }
    fprintf(stderr, "usage: bench_inproc dialog [runs] | capture [rounds packets] | calls\n");
    return 2;
}
