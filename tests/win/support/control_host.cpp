// Test host window for the custom controls; see control_host.h.
#include "support/control_host.h"

#include "controls/controls.h"
#include "exchange/snapshot.h"

namespace {

const char HostClassName[] = "Control Test Host";

bool RegisterHostClass() {
    WNDCLASSA hostClass = {};
    hostClass.lpfnWndProc = DefWindowProcA;
    hostClass.hInstance = GetModuleHandleA(nullptr);
    hostClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    hostClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    hostClass.lpszClassName = HostClassName;
    if (RegisterClassA(&hostClass)) return true;
    WNDCLASSA existing;
    return GetClassInfoA(hostClass.hInstance, HostClassName, &existing) != FALSE;
}

}  // namespace

ControlHost::ControlHost(int width, int height) {
    RegisterHostClass();
    window_ = CreateWindowExA(0, HostClassName, "Control Test Host", WS_POPUP | WS_CAPTION | WS_VISIBLE, 40, 40, width,
                              height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!window_) return;
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HostProc));
    SetForegroundWindow(window_);
    SetActiveWindow(window_);
    // The display's focus events arrive a little later and activate the
    // window once more; let them come before a test sets the focus.
    for (int quiet = 0, rounds = 0; quiet < 2 && rounds < 40; ++rounds) {
        PumpMessages();
        bool waiting = MsgWaitForMultipleObjects(0, nullptr, FALSE, 25, QS_ALLINPUT) == WAIT_OBJECT_0;
        quiet = waiting || GetForegroundWindow() != window_ ? 0 : quiet + 1;
    }
    PumpMessages();
}

ControlHost::~ControlHost() {
    if (window_) {
        SetFocus(nullptr);
        DestroyWindow(window_);
    }
    PumpMessages();
}

HWND ControlHost::AddChild(const char* className, DWORD style, int x, int y, int width, int height, int id,
                           const char* text) {
    return CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, window_,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
}

std::vector<WORD> ControlHost::Codes() const {
    std::vector<WORD> codes;
    for (const Notification& n : notifications) codes.push_back(n.code);
    return codes;
}

LRESULT CALLBACK ControlHost::HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* host = reinterpret_cast<ControlHost*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (host && message == WM_COMMAND && lParam) {
        Notification n = {LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)};
        for (HWND ignored : host->ignored_)
            if (ignored == n.from) return 0;
        host->notifications.push_back(n);
        if (host->onCommand) host->onCommand(n);
        return 0;
    }
    // Like a dialog: activation keeps the focus on the child that has it.
    if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE && IsChild(window, GetFocus())) return 0;
    return DefWindowProcA(window, message, wParam, lParam);
}

COLORREF ClientPixel(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}

std::vector<COLORREF> ClientPixels(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    const int width = client.right, height = client.bottom;
    std::vector<COLORREF> pixels;
    if (width <= 0 || height <= 0) return pixels;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = GetDC(window);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP section = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (memory && section && bits) {
        HGDIOBJ old = SelectObject(memory, section);
        BitBlt(memory, 0, 0, width, height, dc, 0, 0, SRCCOPY);
        GdiFlush();
        const DWORD* row = static_cast<const DWORD*>(bits);
        for (int i = 0; i < width * height; ++i) {
            DWORD p = row[i];  // 0x00RRGGBB
            pixels.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
        }
        SelectObject(memory, old);
    }
    if (section) DeleteObject(section);
    if (memory) DeleteDC(memory);
    ReleaseDC(window, dc);
    return pixels;
}

std::ostream& operator<<(std::ostream& out, const Area& a) {
    return out << "(" << a.left << "," << a.top << "," << a.right << "," << a.bottom << ")";
}

void SetArea(HWND control, const Area& a) { SendMessageA(control, SAM_SETAREA, 0, reinterpret_cast<LPARAM>(&a)); }

Area GetArea(HWND control) {
    Area a = {-1, -1, -1, -1};
    SendMessageA(control, SAM_GETAREA, 0, reinterpret_cast<LPARAM>(&a));
    return a;
}

void PictureTabletNow() {
    static TabletSnapshot tablet;
    TakeSnapshot(tablet, SnapAxes);
    SetAreaTablet(tablet.axisX, tablet.axisY);
}
