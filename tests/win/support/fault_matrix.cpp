// The dialogs in this process under the stand-in's faults; see fault_matrix.h.
#include "support/fault_matrix.h"

#include <cstring>

#include "app/app.h"
#include "controls/controls.h"
#include "defs/features.h"
#include "dialogs/dialogs.h"
#include "driver/driver.h"
#include "driver/session.h"
#include "setup/setup_private.h"

namespace fault_test {

namespace {

const char OwnerClass[] = "Fault Test Owner";
BoxCounter* activeCounter = nullptr;

bool IsProgramDialog(const char* caption) {
    static const char* const captions[] = {"Tablet Information", "Features", "Tablet Setup",
                                           "About Tablet Control Panel..."};
    for (const char* known : captions)
        if (strcmp(caption, known) == 0) return true;
    return false;
}

bool RegisterOwnerClass() {
    WNDCLASSA ownerClass = {};
    ownerClass.lpfnWndProc = DefWindowProcA;
    ownerClass.hInstance = GetModuleHandleA(nullptr);
    ownerClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    ownerClass.lpszClassName = OwnerClass;
    if (RegisterClassA(&ownerClass)) return true;
    WNDCLASSA existing;
    return GetClassInfoA(ownerClass.hInstance, OwnerClass, &existing) != FALSE;
}

// --- beeps -------------------------------------------------------------------

int beeps = 0;
BOOL WINAPI CountingBeep(UINT) {
    ++beeps;
    return TRUE;
}

// Points this executable's import of user32!MessageBeep at the counter, so
// that the program's beeps are counted rather than sounded.
bool CountBeeps() {
    BYTE* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!dir.VirtualAddress) return false;
    for (auto* import = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); import->Name;
         ++import) {
        if (lstrcmpiA(reinterpret_cast<char*>(base + import->Name), "user32.dll") != 0) continue;
        DWORD namesRva = import->OriginalFirstThunk ? import->OriginalFirstThunk : import->FirstThunk;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + namesRva);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + import->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (strcmp(reinterpret_cast<char*>(byName->Name), "MessageBeep") != 0) continue;
            DWORD old = 0;
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &old);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(CountingBeep);
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, old, &old);
            return true;
        }
    }
    return false;
}

}  // namespace

void Pump() {
    MSG message;
    for (int round = 0; round < 3; ++round)
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_TIMER || message.message == WM_QUIT) continue;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
}

int Beeps() {
    static bool counting = CountBeeps();
    return counting ? beeps : -1;
}

// --- boxes -------------------------------------------------------------------

BoxCounter::BoxCounter() {
    activeCounter = this;
    hook = SetWindowsHookExA(WH_CBT, OnCbt, nullptr, GetCurrentThreadId());
}

BoxCounter::~BoxCounter() {
    if (hook) UnhookWindowsHookEx(hook);
    if (activeCounter == this) activeCounter = nullptr;
}

LRESULT CALLBACK BoxCounter::OnCbt(int code, WPARAM wParam, LPARAM lParam) {
    BoxCounter* self = activeCounter;
    if (code == HCBT_ACTIVATE && self) {
        HWND box = reinterpret_cast<HWND>(wParam);
        char className[32] = "";
        char caption[128] = "";
        GetClassNameA(box, className, sizeof className);
        GetWindowTextA(box, caption, sizeof caption);
        if (strcmp(className, "#32770") == 0 && !IsProgramDialog(caption)) {
            SeenBox seen;
            seen.caption = caption;
            char text[512] = "";
            GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
            seen.text = text;
            self->boxes.push_back(seen);
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(self->answer, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(box, self->answer)));
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// --- the host ----------------------------------------------------------------

FaultHost::FaultHost(const std::string& dllPath) {
    if (!dllPath.empty()) sim.Load(dllPath.c_str());  // the program then binds to this one
    Beeps();
    HINSTANCE instance = GetModuleHandleA(nullptr);
    LoadStringA(instance, IDS_CAPTION, caption, sizeof caption);
    RegisterOwnerClass();
    RegisterSetAreaClass(instance);
    RegisterTweakClass(instance);
    owner = CreateWindowExA(0, OwnerClass, "Fault Test Owner", WS_POPUP | WS_CAPTION | WS_VISIBLE, 10, 10, 200,
                            100, nullptr, nullptr, instance, nullptr);
    OpenDriverSession(owner);
}

FaultHost::~FaultHost() {
    Close();
    CloseDriverSession();
    UnloadDriver();  // so that a later host may give the program another driver
    if (owner) DestroyWindow(owner);
    Pump();
}

bool FaultHost::Apply(const std::string& description, const std::vector<FaultSetting>& faults) {
    Close();
    sim.Reset();
    bool ok = description.empty() || sim.LoadDescriptionText(description.c_str());
    for (const FaultSetting& fault : faults) ok = sim.SetFault(fault.first, fault.second) && ok;
    ForgetDeviceSelection();
    SelectDevice();
    ReadUnitPreference();  // fixes the preferences section as start-up does
    CurrentUnit = 0;
    preserveAspect = 0;
    boxes.boxes.clear();
    sim.ClearLog();
    return ok;
}

HWND FaultHost::Open(int templateId, DLGPROC proc) {
    Close();
    dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), owner, proc, 0);
    if (dialog) {
        ShowWindow(dialog, SW_SHOW);
        Pump();
    }
    return dialog;
}

void FaultHost::Close() {
    if (dialog && IsWindow(dialog)) {
        SetFocus(owner);
        DestroyWindow(dialog);
    }
    dialog = nullptr;
    Pump();
}

bool FaultHost::Ended() const { return dialog && (!IsWindow(dialog) || !IsWindowVisible(dialog)); }

void FaultHost::Click(int id) { Notify(id, BN_CLICKED); }

void FaultHost::Notify(int id, WORD code) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Item(id)));
    Pump();
}

void FaultHost::Select(int listId, int index) {
    SendMessageA(Item(listId), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    Notify(listId, CBN_SELCHANGE);
}

void FaultHost::Type(int editId, const char* text) {
    SetDlgItemTextA(dialog, editId, text);
    Notify(editId, EN_KILLFOCUS);
}

void FaultHost::Command(WPARAM wParam) {
    SendMessageA(dialog, WM_COMMAND, wParam, 0);
    Pump();
}

std::string FaultHost::Text(int id) const {
    HWND item = Item(id);
    int length = GetWindowTextLengthA(item);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    GetWindowTextA(item, &text[0], length + 1);
    text.resize(strlen(text.c_str()));
    return text;
}

int FaultHost::Selection(int listId) const {
    return static_cast<int>(SendMessageA(Item(listId), CB_GETCURSEL, 0, 0));
}

std::vector<std::string> FaultHost::Entries(int listId) const {
    std::vector<std::string> entries;
    LRESULT count = SendMessageA(Item(listId), CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT length = SendMessageA(Item(listId), CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
        if (length < 0) length = 0;
        std::string text(static_cast<size_t>(length) + 1, '\0');
        SendMessageA(Item(listId), CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&text[0]));
        text.resize(strlen(text.c_str()));
        entries.push_back(text);
    }
    return entries;
}

}  // namespace fault_test
