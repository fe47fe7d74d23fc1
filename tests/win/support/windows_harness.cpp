// Helpers for Windows tests; see windows_harness.h.
#include "support/windows_harness.h"

#include <cstring>

#include "support/import_patch.h"

void DispatchPending(TimerTicks ticks) {
    MSG message;
    for (int round = 0; round < 3; ++round) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) continue;
            if (message.message == WM_TIMER && ticks == TimerTicks::Dropped) continue;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

std::string ReadWholeFile(const std::string& path) {
    std::string text;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return text;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) text.append(buffer, read);
    CloseHandle(file);
    return text;
}

bool WriteWholeFile(const std::string& path, const std::string& text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok =
        WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) && written == text.size();
    return CloseHandle(file) && ok;
}

std::string TempPath(const std::string& name) {
    char folder[MAX_PATH] = "";
    GetTempPathA(sizeof folder, folder);
    return folder + name;
}

std::string VersionText(const std::string& file, const char* key, const char* block) {
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(file.c_str(), &ignored);
    if (size == 0) return "";
    std::string data(size, '\0');
    if (!GetFileVersionInfoA(file.c_str(), 0, size, &data[0])) return "";
    char* value = nullptr;
    UINT length = 0;
    std::string path = std::string("\\StringFileInfo\\") + block + "\\" + key;
    if (!VerQueryValueA(&data[0], path.c_str(), reinterpret_cast<void**>(&value), &length) || !value) return "";
    return value;
}

std::string WindowText(HWND window) {
    int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    GetWindowTextA(window, &text[0], length + 1);
    text.resize(strlen(text.c_str()));  // the length asked for may exceed the text
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
std::vector<ModalDriver*> activeDrivers;  // the last one answers
constexpr LPARAM InspectMarker = 0x5E7B0C5;
}  // namespace

std::vector<HWND> ThreadDialogs() {
    std::vector<HWND> dialogs;
    EnumThreadWindows(GetCurrentThreadId(), CollectDialog, reinterpret_cast<LPARAM>(&dialogs));
    return dialogs;
}

SeenBox LookAtBox(HWND box) {
    SeenBox seen;
    seen.caption = WindowText(box);
    seen.text = MessageBoxText(box);
    seen.style = LastMessageBoxRequest().style;
    seen.owner = LastMessageBoxRequest().owner;
    // The box's icon is its static with id 0x0440.
    seen.icon = reinterpret_cast<HICON>(SendDlgItemMessageA(box, 0x0440, STM_GETICON, 0, 0));
    seen.warningIcon = seen.icon == LoadIconA(nullptr, MAKEINTRESOURCEA(32515));  // IDI_WARNING
    seen.hasOk = GetDlgItem(box, IDOK) != nullptr;
    seen.hasCancel = GetDlgItem(box, IDCANCEL) != nullptr;
    seen.hasYes = GetDlgItem(box, IDYES) != nullptr;
    return seen;
}

ModalDriver::ModalDriver(std::function<void(HWND)> boxHandler, std::vector<std::string> captionsLeftAlone)
    : handler(std::move(boxHandler)), leaveAlone(std::move(captionsLeftAlone)) {
    seen = ThreadDialogs();  // windows open before the driver are not its business
    activeDrivers.push_back(this);
    cbtHook = SetWindowsHookExA(WH_CBT, OnCbt, nullptr, GetCurrentThreadId());
    messageHook = SetWindowsHookExA(WH_GETMESSAGE, OnGetMessage, nullptr, GetCurrentThreadId());
}

ModalDriver::~ModalDriver() {
    if (cbtHook) UnhookWindowsHookEx(cbtHook);
    if (messageHook) UnhookWindowsHookEx(messageHook);
    for (size_t i = activeDrivers.size(); i-- > 0;)
        if (activeDrivers[i] == this) activeDrivers.erase(activeDrivers.begin() + static_cast<std::ptrdiff_t>(i));
}

bool ModalDriver::Concerns(HWND window) const {
    if (!IsWindow(window) || WindowClass(window) != "#32770") return false;
    for (HWND old : seen)
        if (old == window) return false;
    const std::string caption = WindowText(window);
    for (const std::string& left : leaveAlone)
        if (caption == left) return false;
    return true;
}

// A window is looked at once its own loop runs, when it is fully set up:
// its activation posts a marker that the window's loop then retrieves.
LRESULT CALLBACK ModalDriver::OnCbt(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && !activeDrivers.empty()) {
        HWND window = reinterpret_cast<HWND>(wParam);
        if (activeDrivers.back()->Concerns(window)) PostMessageA(window, WM_NULL, 0, InspectMarker);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK ModalDriver::OnGetMessage(int code, WPARAM wParam, LPARAM lParam) {
    MSG* message = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && message->message == WM_NULL && message->lParam == InspectMarker) {
        message->lParam = 0;
        if (!activeDrivers.empty()) {
            ModalDriver* self = activeDrivers.back();
            if (self->Concerns(message->hwnd)) {  // once only, however often it was activated
                self->seen.push_back(message->hwnd);
                ++self->handledCount;
                self->handler(message->hwnd);
            }
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

BoxRecorder::BoxRecorder(int answerWith, std::vector<std::string> leaveAlone)
    : answer(answerWith),
      driver(
          [this](HWND box) {
              boxes.push_back(LookAtBox(box));
              PressButton(box, answer);
          },
          std::move(leaveAlone)) {}

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
