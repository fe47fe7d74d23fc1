// Helpers for Windows tests; see windows_harness.h.
#include "support/windows_harness.h"

void DispatchPending() {
    MSG message;
    for (int round = 0; round < 3; ++round) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) continue;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

std::string WindowText(HWND window) {
    int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    GetWindowTextA(window, &text[0], length + 1);
    text.resize(static_cast<size_t>(length));
    return text;
}

std::string ControlText(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

std::string WindowClass(HWND window) {
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

namespace {
BOOL CALLBACK CollectDialog(HWND window, LPARAM parameter) {
    if (IsWindowVisible(window) && WindowClass(window) == "#32770")
        reinterpret_cast<std::vector<HWND>*>(parameter)->push_back(window);
    return TRUE;
}
ModalDriver* activeDriver = nullptr;
}  // namespace

std::vector<HWND> ThreadDialogs() {
    std::vector<HWND> dialogs;
    EnumThreadWindows(GetCurrentThreadId(), CollectDialog, reinterpret_cast<LPARAM>(&dialogs));
    return dialogs;
}

ModalDriver::ModalDriver(std::function<void(HWND)> boxHandler) : handler(std::move(boxHandler)) {
    seen = ThreadDialogs();  // windows open before the driver are not its business
    activeDriver = this;
    timer = SetTimer(nullptr, 0, 20, OnTimer);
}

ModalDriver::~ModalDriver() {
    KillTimer(nullptr, timer);
    activeDriver = nullptr;
}

void CALLBACK ModalDriver::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    ModalDriver* self = activeDriver;
    if (!self) return;
    for (HWND box : ThreadDialogs()) {
        bool known = false;
        for (HWND old : self->seen) known = known || old == box;
        if (known) continue;
        self->seen.push_back(box);
        ++self->handledCount;
        self->handler(box);
    }
}

void PressButton(HWND box, int id) {
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
}

std::string MessageBoxText(HWND box) {
    // The message box's text is its static control with id 0xFFFF.
    return ControlText(box, 0xFFFF);
}
