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

namespace {
BOOL CALLBACK FindIconStatic(HWND child, LPARAM parameter) {
    if (WindowClass(child) == "Static" && (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        *reinterpret_cast<HICON*>(parameter) = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
        return FALSE;
    }
    return TRUE;
}

}  // namespace

// The icon a message box shows: its icon-style static's image.
HICON BoxIcon(HWND box) {
    HICON icon = nullptr;
    EnumChildWindows(box, FindIconStatic, reinterpret_cast<LPARAM>(&icon));
    return icon;
}

// Icons compared by their pixels: handles differ between loads.
static std::string IconPixels(HICON icon) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 32, 32);
    HGDIOBJ old = SelectObject(memory, bitmap);
    PatBlt(memory, 0, 0, 32, 32, WHITENESS);
    DrawIconEx(memory, 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL);
    std::string pixels;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) pixels += std::to_string(GetPixel(memory, x, y)) + ",";
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

bool SameImage(HICON a, HICON b) { return a && b && IconPixels(a) == IconPixels(b); }

