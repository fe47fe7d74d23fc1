// Host mouse feed (VELLIX_HOST_MOUSE=1): while an opened context is enabled,
// a thread timer on the thread that opened it polls the host pointer every
// 10 ms and posts a packet when the position or the buttons change.
//
// The context's window (the window it was opened for, such as the control
// panel's area picture) stands for the tablet: the pointer's place over its
// client area maps onto the context's input extent, and from there onto its
// output range, so the picture is the tablet under the pointer and every
// corner can be reached (a pointer beyond the window counts at its nearest
// edge). The buttons are read from that window's own mouse input through a
// mouse hook on its thread: the right button stands for the pen's button 0
// (tip), the middle one for button 1. A button counts from a press over the
// window until its release, or until the pointer leaves the window. Every
// press and release the hook sees is posted as a packet at once, so a click
// shorter than the poll (press and release in the same instant) still
// reaches the context as two packets.
#include "stand_in.h"

namespace sim {

namespace {

constexpr UINT kPollMs = 10;
constexpr uint32_t kTipButton = 1;     // pen button 0: the host's right button
constexpr uint32_t kBarrelButton = 2;  // pen button 1: the host's middle button

// position (0 .. size - 1) onto 0 .. extent.
int32_t Scale(LONG position, LONG size, int32_t extent) {
    if (size <= 1) return 0;
    if (position < 0) position = 0;
    if (position > size - 1) position = size - 1;
    return MulDiv(position, extent, size - 1);
}

// An input count (0 .. inExtent from the input origin) onto the output range.
int32_t ToOutput(int32_t fromOrigin, int32_t inExtent, int32_t outOrigin, int32_t outExtent) {
    if (inExtent == 0) return outOrigin;
    return outOrigin + MulDiv(fromOrigin, outExtent, inExtent);
}

// The pointer's place over the window's client area; false when the window
// is gone or has no area.
bool PlaceOverWindow(HWND window, POINT screen, POINT& client, SIZE& size, bool& inside) {
    RECT area;
    if (!window || !IsWindow(window) || !GetClientRect(window, &area)) return false;
    size.cx = area.right - area.left;
    size.cy = area.bottom - area.top;
    if (size.cx <= 0 || size.cy <= 0) return false;
    client = screen;
    if (!ScreenToClient(window, &client)) return false;
    inside = client.x >= 0 && client.y >= 0 && client.x < size.cx && client.y < size.cy;
    return true;
}

PacketRecord PacketFor(const Driver& d, const Context& c, POINT client, SIZE size, uint32_t buttons) {
    const ContextRecord& r = c.record;
    // The window's top edge is the tablet's top: input y grows upward from
    // the bottom edge.
    int32_t inX = Scale(client.x, size.cx, r.inExtentX);
    int32_t inY = Scale(size.cy - 1 - client.y, size.cy, r.inExtentY);
    PacketRecord packet;
    packet.cursor = FirstActiveCursor(d, r.device);
    packet.buttons = buttons;
    packet.x = ToOutput(inX, r.inExtentX, r.outOriginX, r.outExtentX);
    // A negative output extent grows downward from the top edge.
    if (r.outExtentY < 0) {
        packet.y = ToOutput(r.inExtentY - inY, r.inExtentY, r.outOriginY, -r.outExtentY);
    } else {
        packet.y = ToOutput(inY, r.inExtentY, r.outOriginY, r.outExtentY);
    }
    return packet;
}

bool PollContext(const Driver& d, Context& c) {
    POINT screen, client;
    SIZE size;
    bool inside = false;
    if (!GetCursorPos(&screen) || !PlaceOverWindow(c.window, screen, client, size, inside)) return false;
    if (!inside) c.hostPressed = 0;  // leaving the tablet lifts the pen
    uint32_t buttons = c.hostPressed;
    if (c.hostSeen && screen.x == c.hostPosition.x && screen.y == c.hostPosition.y && buttons == c.hostButtons) {
        return false;
    }
    c.hostSeen = true;
    c.hostPosition = screen;
    c.hostButtons = buttons;
    return PostPacket(c, PacketFor(d, c, client, size, buttons));
}

// The pen buttons a mouse message presses (pressed) or releases.
uint32_t PenButtonsOf(WPARAM message, bool& pressed) {
    pressed = message == WM_RBUTTONDOWN || message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDOWN ||
              message == WM_MBUTTONDBLCLK;
    switch (message) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_RBUTTONUP: return kTipButton;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_MBUTTONUP: return kBarrelButton;
    default: return 0;
    }
}

// Mouse messages of the thread that opened a fed context: a press counts
// over the context's own window, a release wherever it arrives.
LRESULT CALLBACK HostMouseHook(int code, WPARAM message, LPARAM info) {
    if (code == HC_ACTION && info) {
        bool pressed = false;
        uint32_t bits = PenButtonsOf(message, pressed);
        HWND target = reinterpret_cast<const MOUSEHOOKSTRUCT*>(info)->hwnd;
        if (bits) {
            Locked d;
            for (Context& c : d->openedContexts) {
                if (!c.hostHook || c.thread != GetCurrentThreadId()) continue;
                if (!pressed) {
                    c.hostPressed &= ~bits;
                } else if (target == c.window) {
                    c.hostPressed |= bits;
                }
                if (c.enabled) PollContext(*d, c);
            }
        }
    }
    return CallNextHookEx(nullptr, code, message, info);
}

VOID CALLBACK HostMouseTimer(HWND, UINT, UINT_PTR id, DWORD) {
    Locked d;
    for (Context& c : d->openedContexts) {
        if (c.hostTimer == id && c.thread == GetCurrentThreadId()) {
            PollContext(*d, c);
            return;
        }
    }
    // Its context is gone (closed from another thread, or reset).
    KillTimer(nullptr, id);
}

}  // namespace

bool HostMouseRequested() {
    char value[8] = {};
    DWORD n = GetEnvironmentVariableA("VELLIX_HOST_MOUSE", value, sizeof value);
    return n == 1 && value[0] == '1';
}

void StartHostFeed(Context& c) {
    if (c.hostTimer || !HostMouseRequested() || c.thread != GetCurrentThreadId()) return;
    c.hostSeen = false;
    c.hostPressed = 0;
    c.hostTimer = SetTimer(nullptr, 0, kPollMs, HostMouseTimer);
    c.hostHook = SetWindowsHookExA(WH_MOUSE, HostMouseHook, ThisModule(), GetCurrentThreadId());
}

void StopHostFeed(Context& c) {
    if (c.hostTimer && c.thread == GetCurrentThreadId()) KillTimer(nullptr, c.hostTimer);
    // Any thread may remove the hook; none may stay once the DLL could go.
    if (c.hostHook) UnhookWindowsHookEx(c.hostHook);
    c.hostTimer = 0;
    c.hostHook = nullptr;
    c.hostPressed = 0;
}

int PollHostMouse(Driver& d, bool onlyThisThread) {
    int posted = 0;
    for (Context& c : d.openedContexts) {
        if (!c.enabled || (onlyThisThread && c.thread != GetCurrentThreadId())) continue;
        if (PollContext(d, c)) ++posted;
    }
    return posted;
}

}  // namespace sim
