// Hosting the Tablet Setup dialog in tests; see setup_host.h.
#include "support/setup_host.h"

#include <cstring>

#include "app/app.h"
#include "controls/controls.h"
#include "defs/features.h"
#include "dialogs/dialogs.h"
#include "driver/driver.h"
#include "driver/session.h"
#include "exchange/snapshot.h"
#include "setup/setup.h"
#include "setup/setup_private.h"
#include "support/import_patch.h"
#include "support/windows_harness.h"

namespace setup_test {

namespace {

// --- modal runs ------------------------------------------------------------

struct ModalScript {
    std::vector<std::function<void(HWND)>> steps;
    size_t next = 0;
};
ModalScript* activeScript = nullptr;

// Each idle moment of the modal Tablet Setup runs the script's next step.
void RunNextStep(HWND dialog) {
    if (!activeScript) return;
    char title[64] = "";
    GetWindowTextA(dialog, title, sizeof title);
    if (strcmp(title, "Tablet Setup") != 0) return;
    if (activeScript->next < activeScript->steps.size()) {
        activeScript->steps[activeScript->next++](dialog);
    } else {
        EndDialog(dialog, -1);  // the script is over: never leave the dialog hanging
    }
    PostMessageA(dialog, WM_NULL, 0, 0);  // wakes the loop for the next step
}

}  // namespace

// --- driver state ----------------------------------------------------------

bool SameRecord(const ContextRecord& a, const ContextRecord& b) { return memcmp(&a, &b, sizeof a) == 0; }

std::string RecordDiff(const ContextRecord& a, const ContextRecord& b) {
    std::string text;
    const BYTE* x = reinterpret_cast<const BYTE*>(&a);
    const BYTE* y = reinterpret_cast<const BYTE*>(&b);
    for (size_t i = 0; i < sizeof a; i += 4) {
        DWORD u, v;
        memcpy(&u, x + i, 4);
        memcpy(&v, y + i, 4);
        if (u != v) text += "@" + std::to_string(i) + ": " + std::to_string(u) + " vs " + std::to_string(v) + "; ";
    }
    return text;
}

bool operator==(const DriverSnapshot& a, const DriverSnapshot& b) {
    if (a.contexts.size() != b.contexts.size() || a.maps.size() != b.maps.size()) return false;
    for (size_t i = 0; i < a.contexts.size(); ++i)
        if (!SameRecord(a.contexts[i], b.contexts[i])) return false;
    for (size_t i = 0; i < a.maps.size(); ++i)
        if (memcmp(&a.maps[i], &b.maps[i], sizeof(ButtonMap)) != 0) return false;
    return SameRecord(a.defaultSystem, b.defaultSystem);
}

std::string Tablet(const std::string& tabletLines, const std::string& deviceLines, const std::string& more) {
    // vellix.ini is shared by every test process of the Wine prefix: a name of
    // this process's own keeps the preference section to this run.
    std::string name;
    if (deviceLines.substr(0, deviceLines.find('[')).find("Name=") == std::string::npos)
        name = "Name=Setup Test Tablet " + std::to_string(GetCurrentProcessId()) + "; Format: test\n";
    return "[Tablet]\n" + tabletLines + "\n[Device0]\n" + name + deviceLines + "\n" + more + "\n";
}

// --- the host --------------------------------------------------------------

SetupHost::SetupHost() {
    BeepCount();  // the program's beeps are counted rather than sounded
    RecordMessageBoxes();
    RegisterSetAreaClass(GetModuleHandleA(nullptr));
    RegisterTweakClass(GetModuleHandleA(nullptr));
    // One owner for the whole run: the driver manager keeps its window.
    static OwnerWindow* sharedOwner = [] {
        auto* window = new OwnerWindow(true);
        window->onDialogIdle = RunNextStep;
        return window;
    }();
    owner = sharedOwner->handle();
    if (!SessionManager()) OpenDriverSession(owner);
}

SetupHost::~SetupHost() { Close(); }

bool SetupHost::Describe(const char* iniText, int unit) {
    Close();
    sim.Reset();
    bool loaded = !iniText || !*iniText || sim.LoadDescriptionText(iniText);
    ForgetDeviceSelection();
    SelectDevice();
    ReadUnitPreference();  // the preferences section is the tablet's
    CurrentUnit = unit;
    preserveAspect = 0;
    sim.ClearLog();
    return loaded;
}

HWND SetupHost::Open(bool show) { return DialogHost::Open(IDD_SETUP, SetupDialogProc, show); }

void SetupHost::Spin(int spinId, WORD code) { Notify(spinId, code); }

INT_PTR SetupHost::Answer(int id, WORD code) {
    return SetupDialogProc(dialog, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Item(id)));
}

AreaBox SetupHost::ControlArea() const {
    PumpMessages();  // spins post the area to the control
    AreaBox area = {-1, -1, -1, -1};
    SendMessageA(Item(IDC_AREA_CONTROL), SAM_GETAREA, 0, reinterpret_cast<LPARAM>(&area));
    return area;
}

ContextRecord SetupHost::SystemContext() { return sim.Context(sim.SystemContextOf(0)); }

ButtonMap SetupHost::Map(uint32_t cursor) {
    ButtonMap map;
    memset(&map, 0xEE, sizeof map);
    sim.ReadButtonMap(cursor, &map);
    return map;
}

DriverSnapshot SetupHost::Snapshot() {
    DriverSnapshot snapshot;
    int count = sim.ContextCount();
    for (int i = 0; i < count; ++i) snapshot.contexts.push_back(sim.Context(sim.ContextAt(i)));
    snapshot.defaultSystem = sim.Context(sim.DefaultSystemContext());
    for (uint32_t cursor = 0;; ++cursor) {
        ButtonMap map;
        if (!sim.ReadButtonMap(cursor, &map)) break;
        snapshot.maps.push_back(map);
    }
    return snapshot;
}

std::string SetupHost::UnitsKey() const {
    char value[32] = "";
    GetPrivateProfileStringA(PreferenceSection(), "Units", "", value, sizeof value, "vellix.ini");
    return value;
}

void SetupHost::SetUnitsKey(const char* value) const {
    WritePrivateProfileStringA(PreferenceSection(), "Units", value, "vellix.ini");
}

INT_PTR SetupHost::RunModal(std::vector<std::function<void(HWND)>> steps) {
    ModalScript script;
    script.steps = std::move(steps);
    activeScript = &script;
    INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SETUP), owner, SetupDialogProc, 0);
    activeScript = nullptr;
    return result;
}

}  // namespace setup_test
