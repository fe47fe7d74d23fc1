// Hosting the Tablet Setup dialog in tests; see setup_host.h.
#include "support/setup_host.h"

#include <cstring>

#include "app/app.h"
#include "controls/controls.h"
#include "defs/features.h"
#include "dialogs/dialogs.h"
#include "driver/driver.h"
#include "driver/session.h"
#include "setup/setup.h"
#include "setup/setup_private.h"

namespace setup_test {

namespace {

const char OwnerClassName[] = "Setup Test Owner";
BoxDriver* activeBoxDriver = nullptr;

// --- beeps and boxes ------------------------------------------------------

int beeps = 0;
BOOL WINAPI CountingBeep(UINT) {
    ++beeps;
    return TRUE;
}

// The real MessageBoxA, and what the program last asked of it.
typedef int(WINAPI* MessageBoxFn)(HWND, LPCSTR, LPCSTR, UINT);
MessageBoxFn realMessageBox = nullptr;
UINT boxStyle = 0;
HWND boxOwner = nullptr;
int WINAPI RecordingMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT style) {
    boxStyle = style;
    boxOwner = owner;
    return realMessageBox(owner, text, caption, style);
}

// Points this executable's import of a user32 function elsewhere and
// answers the previous target (null when the import is not found).
void* PatchUser32Import(const char* function, void* replacement) {
    BYTE* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!dir.VirtualAddress) return nullptr;
    auto* import = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress);
    for (; import->Name; ++import) {
        if (lstrcmpiA(reinterpret_cast<char*>(base + import->Name), "user32.dll") != 0) continue;
        DWORD namesRva = import->OriginalFirstThunk ? import->OriginalFirstThunk : import->FirstThunk;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + namesRva);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + import->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (strcmp(reinterpret_cast<char*>(byName->Name), function) != 0) continue;
            DWORD old = 0;
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &old);
            void* previous = reinterpret_cast<void*>(slots->u1.Function);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, old, &old);
            return previous;
        }
    }
    return nullptr;
}

// The program's beeps are counted rather than sounded; its boxes are shown
// after their owner and style are noted.
bool PatchImports() {
    PatchUser32Import("MessageBeep", reinterpret_cast<void*>(CountingBeep));
    realMessageBox = reinterpret_cast<MessageBoxFn>(
        PatchUser32Import("MessageBoxA", reinterpret_cast<void*>(RecordingMessageBox)));
    if (!realMessageBox) realMessageBox = MessageBoxA;
    return true;
}

// --- modal runs ------------------------------------------------------------

struct ModalScript {
    std::vector<std::function<void(HWND)>> steps;
    size_t next = 0;
};
ModalScript* activeScript = nullptr;

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ENTERIDLE && wParam == MSGF_DIALOGBOX && activeScript) {
        HWND dialog = reinterpret_cast<HWND>(lParam);
        char title[64] = "";
        GetWindowTextA(dialog, title, sizeof title);
        if (strcmp(title, "Tablet Setup") != 0) return 0;
        if (activeScript->next < activeScript->steps.size()) {
            activeScript->steps[activeScript->next++](dialog);
        } else {
            EndDialog(dialog, -1);  // the script is over: never leave the dialog hanging
        }
        PostMessageA(dialog, WM_NULL, 0, 0);  // wakes the loop for the next step
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterOwnerClass() {
    WNDCLASSA ownerClass = {};
    ownerClass.lpfnWndProc = OwnerProc;
    ownerClass.hInstance = GetModuleHandleA(nullptr);
    ownerClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    ownerClass.lpszClassName = OwnerClassName;
    if (RegisterClassA(&ownerClass)) return true;
    WNDCLASSA existing;
    return GetClassInfoA(ownerClass.hInstance, OwnerClassName, &existing) != FALSE;
}

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_TIMER) continue;  // nothing here may depend on the clock
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace

// --- message boxes ---------------------------------------------------------

BoxDriver::BoxDriver() {
    activeBoxDriver = this;
    cbtHook = SetWindowsHookExA(WH_CBT, OnCbt, nullptr, GetCurrentThreadId());
    messageHook = SetWindowsHookExA(WH_GETMESSAGE, OnGetMessage, nullptr, GetCurrentThreadId());
}

BoxDriver::~BoxDriver() {
    if (cbtHook) UnhookWindowsHookEx(cbtHook);
    if (messageHook) UnhookWindowsHookEx(messageHook);
    if (activeBoxDriver == this) activeBoxDriver = nullptr;
}

namespace {
constexpr LPARAM InspectMarker = 0x5E7B0C5;
}

// A box is looked at once its own loop runs, when it is fully set up: the
// activation posts a marker that the box's loop then retrieves.
LRESULT CALLBACK BoxDriver::OnCbt(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && activeBoxDriver) {
        HWND box = reinterpret_cast<HWND>(wParam);
        char className[32] = "";
        char caption[128] = "";
        GetClassNameA(box, className, sizeof className);
        GetWindowTextA(box, caption, sizeof caption);
        // The Setup dialog itself is a dialog too; everything else is a box.
        if (strcmp(className, "#32770") == 0 && strcmp(caption, "Tablet Setup") != 0 &&
            GetPropA(box, "SetupTestSeen") == nullptr) {
            SetPropA(box, "SetupTestSeen", reinterpret_cast<HANDLE>(1));
            PostMessageA(box, WM_NULL, 0, InspectMarker);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK BoxDriver::OnGetMessage(int code, WPARAM wParam, LPARAM lParam) {
    MSG* message = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && activeBoxDriver && message->message == WM_NULL &&
        message->lParam == InspectMarker) {
        message->lParam = 0;
        activeBoxDriver->Inspect(message->hwnd);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void BoxDriver::Inspect(HWND box) {
    SeenBox seen;
    char text[512] = "";
    GetWindowTextA(box, text, sizeof text);
    seen.caption = text;
    text[0] = '\0';
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // the box's text is its static 0xFFFF
    seen.text = text;
    seen.style = boxStyle;
    seen.owner = boxOwner;
    seen.hasOk = GetDlgItem(box, IDOK) != nullptr;
    seen.hasCancel = GetDlgItem(box, IDCANCEL) != nullptr;
    HICON warning = LoadIconA(nullptr, MAKEINTRESOURCEA(32515));  // IDI_WARNING
    // The box's icon is its static with id 0x0440.
    seen.warningIcon = reinterpret_cast<HICON>(SendDlgItemMessageA(box, 0x0440, STM_GETICON, 0, 0)) == warning;
    boxes.push_back(seen);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, answer)));
}

int BeepCount() { return beeps; }

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
    static bool patched = PatchImports();
    (void)patched;
    RegisterOwnerClass();
    RegisterSetAreaClass(GetModuleHandleA(nullptr));
    RegisterTweakClass(GetModuleHandleA(nullptr));
    // One owner for the whole run: the driver manager keeps its window.
    static HWND sharedOwner = CreateWindowExA(0, OwnerClassName, "Setup Test Owner",
                                              WS_POPUP | WS_CAPTION | WS_VISIBLE, 10, 10, 200, 100, nullptr,
                                              nullptr, GetModuleHandleA(nullptr), nullptr);
    owner = sharedOwner;
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

HWND SetupHost::Open(bool show) {
    Close();
    dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SETUP), owner, SetupDialogProc, 0);
    if (dialog && show) {
        ShowWindow(dialog, SW_SHOW);
        SetForegroundWindow(dialog);
        SetActiveWindow(dialog);
        Pump();
    }
    return dialog;
}

void SetupHost::Close() {
    if (dialog && IsWindow(dialog)) {
        SetFocus(nullptr);
        DestroyWindow(dialog);
    }
    dialog = nullptr;
    Pump();
}

bool SetupHost::Ended() const { return dialog && (!IsWindow(dialog) || !IsWindowVisible(dialog)); }

void SetupHost::Click(int id) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
}

void SetupHost::Select(int listId, int index) {
    SendMessageA(Item(listId), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    Notify(listId, CBN_SELCHANGE);
}

void SetupHost::Type(int editId, const char* text) {
    SetDlgItemTextA(dialog, editId, text);
    Notify(editId, EN_KILLFOCUS);
}

void SetupHost::Spin(int spinId, WORD code) { Notify(spinId, code); }

void SetupHost::Notify(int id, WORD code) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Item(id)));
}

INT_PTR SetupHost::Answer(int id, WORD code) {
    return SetupDialogProc(dialog, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Item(id)));
}

std::string SetupHost::Text(int id) const {
    char text[256] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

int SetupHost::Selection(int listId) const {
    return static_cast<int>(SendMessageA(Item(listId), CB_GETCURSEL, 0, 0));
}

int SetupHost::Count(int listId) const { return static_cast<int>(SendMessageA(Item(listId), CB_GETCOUNT, 0, 0)); }

std::string SetupHost::ListText(int listId, int index) const {
    char text[256] = "";
    LRESULT length = SendMessageA(Item(listId), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0 || length >= static_cast<LRESULT>(sizeof text)) return "";
    SendMessageA(Item(listId), CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

AreaBox SetupHost::ControlArea() const {
    Pump();  // spins post the area to the control
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
    INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SETUP), owner,
                                     SetupDialogProc, 0);
    activeScript = nullptr;
    return result;
}

}  // namespace setup_test
