// Host mouse feed (VELLIX_HOST_MOUSE=1): while an opened context is enabled,
// a thread timer on the thread that opened it polls the host pointer every
// 10 ms and posts a packet when the position or the buttons change. The
// whole screen maps onto the context's output range; the right mouse button
// stands for the pen's button 0 (tip), the middle one for button 1.
#include "stand_in.h"

namespace sim {

namespace {

constexpr UINT kPollMs = 10;

int32_t Scale(LONG position, LONG size, int32_t extent) {
    if (size <= 1) return 0;
    if (position < 0) position = 0;
    if (position > size - 1) position = size - 1;
    return MulDiv(position, extent, size - 1);
}

PacketRecord PacketFor(const Driver& d, const Context& c, POINT position, uint32_t buttons) {
    const ContextRecord& r = c.record;
    LONG width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    PacketRecord packet;
    packet.cursor = FirstActiveCursor(d, r.device);
    packet.buttons = buttons;
    packet.x = r.outOriginX + Scale(position.x, width, r.outExtentX);
    // A negative y extent grows downward from the top edge, like the screen.
    if (r.outExtentY < 0) {
        packet.y = r.outOriginY + Scale(position.y, height, -r.outExtentY);
    } else {
        packet.y = r.outOriginY + Scale(height - 1 - position.y, height, r.outExtentY);
    }
    return packet;
}

uint32_t HostButtons() {
    uint32_t buttons = 0;
    if (GetAsyncKeyState(VK_RBUTTON) & 0x8000) buttons |= 1;
    if (GetAsyncKeyState(VK_MBUTTON) & 0x8000) buttons |= 2;
    return buttons;
}

bool PollContext(const Driver& d, Context& c) {
    POINT position;
    if (!GetCursorPos(&position)) return false;
    uint32_t buttons = HostButtons();
    if (c.hostSeen && position.x == c.hostPosition.x && position.y == c.hostPosition.y && buttons == c.hostButtons) {
        return false;
    }
    c.hostSeen = true;
    c.hostPosition = position;
    c.hostButtons = buttons;
    return PostPacket(c, PacketFor(d, c, position, buttons));
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
    c.hostTimer = SetTimer(nullptr, 0, kPollMs, HostMouseTimer);
}

void StopHostFeed(Context& c) {
    if (c.hostTimer && c.thread == GetCurrentThreadId()) KillTimer(nullptr, c.hostTimer);
    c.hostTimer = 0;
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
