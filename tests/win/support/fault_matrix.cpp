// The dialogs in this process under the stand-in's faults; see fault_matrix.h.
#include "support/fault_matrix.h"

#include <cstring>

#include "app/app.h"
#include "controls/controls.h"
#include "defs/features.h"
#include "dialogs/dialogs.h"
#include "driver/driver.h"
#include "setup/setup_private.h"
#include "support/setup_host.h"

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

int Beeps() { return setup_test::BeepCount(); }

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

FaultHost::FaultHost() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    appInstance = instance;
    LoadStringA(instance, IDS_CAPTION, caption, sizeof caption);
    RegisterOwnerClass();
    RegisterSetAreaClass(instance);
    RegisterTweakClass(instance);
    owner = CreateWindowExA(0, OwnerClass, "Fault Test Owner", WS_POPUP | WS_CAPTION | WS_VISIBLE, 10, 10, 200,
                            100, nullptr, nullptr, instance, nullptr);
    managerHandle = VXMgrOpen(owner, MessageBase);
    // The Setup host counts the program's beeps from its first use on.
    static bool beepsCounted = [] {
        setup_test::SetupHost counting;
        return true;
    }();
    (void)beepsCounted;
}

FaultHost::~FaultHost() {
    Close();
    if (managerHandle) VXMgrClose(managerHandle);
    managerHandle = 0;
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
