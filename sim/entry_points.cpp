// The fifteen driver entry points, exported by ordinal only (see the .def
// files made by sim/CMakeLists.txt). Each logs its call, then answers from
// the shared state under the lock; callbacks and the configuration dialog
// run with the lock released.
#include <algorithm>
#include <cstring>

#include "stand_in.h"

// The header's list fixes every signature; a definition below that differs
// from it fails to compile against these declarations.
#define VX_DECLARE(name, ordinal, result, params, args) extern "C" result WINAPI name params;
VELLIX_ENTRY_POINTS(VX_DECLARE)
#undef VX_DECLARE

namespace {
#define VX_ORDINAL(name, ordinal, result, params, args) constexpr uint32_t Ordinal##name = ordinal;
VELLIX_ENTRY_POINTS(VX_ORDINAL)
#undef VX_ORDINAL

using namespace sim;

bool IsDefaultMap(const BYTE* map) { return map == VX_DEFAULT_BUTTON_MAP; }

// SimFaultSendOnEnable: the packets an opened context still holds, sent to
// its window synchronously (after the lock is released) before the entry
// point answers, as a driver that sends its notifications may do.
struct PendingPackets {
    HWND window = nullptr;
    UINT message = 0;
    LPARAM context = 0;
    std::vector<uint32_t> serials;
};

PendingPackets PacketsToSend(const Driver& d, const Context* context) {
    PendingPackets pending;
    if (!d.faults.sendOnEnable || !context || context->kind != ContextKind::Opened || !context->enabled) return pending;
    pending.window = context->window;
    pending.message = MessageBaseOf(*context) + (PacketMessage - MessageBase);
    pending.context = static_cast<LPARAM>(context->handle);
    for (const QueuedPacket& q : context->queue) pending.serials.push_back(q.serial);
    return pending;
}

void SendPackets(const PendingPackets& pending) {
    for (uint32_t serial : pending.serials) SendMessageA(pending.window, pending.message, serial, pending.context);
}

}  // namespace

extern "C" UINT WINAPI VXInfoA(UINT category, UINT index, LPVOID buffer) {
    Locked d;
    LogCall(*d, OrdinalVXInfoA, buffer ? "VXInfoA %u %u" : "VXInfoA %u %u null", category, index);
    return AnswerInfo(*d, category, index, buffer);
}

extern "C" ContextHandle WINAPI VXOpenA(HWND window, ContextRecord* r, BOOL enable) {
    Locked d;
    LogCall(*d, OrdinalVXOpenA, "VXOpenA %s %s %d", WindowText(window), PointerText(r), enable);
    if (d->faults.openFails || !r || !window || !IsWindow(window) || r->device >= d->tablet.devices.size()) return 0;
    Context c;
    c.handle = d->nextHandle++;
    c.kind = ContextKind::Opened;
    c.record = *r;
    c.enabled = enable != 0;
    c.window = window;
    c.thread = GetCurrentThreadId();
    d->openedContexts.push_back(c);
    d->overlapOrder.insert(d->overlapOrder.begin(), c.handle);
    if (c.enabled) StartHostFeed(d->openedContexts.back());
    return c.handle;
}

extern "C" BOOL WINAPI VXClose(ContextHandle c) {
    Locked d;
    LogCall(*d, OrdinalVXClose, "VXClose %u", c);
    auto& opened = d->openedContexts;
    auto it = std::find_if(opened.begin(), opened.end(), [c](const Context& x) { return x.handle == c; });
    if (it == opened.end()) return FALSE;
    StopHostFeed(*it);
    opened.erase(it);
    auto& order = d->overlapOrder;
    order.erase(std::remove(order.begin(), order.end(), c), order.end());
    return TRUE;
}

// Copies the packet with that serial; it and every older packet leave the queue.
extern "C" BOOL WINAPI VXPacket(ContextHandle c, UINT serial, LPVOID packet) {
    Locked d;
    LogCall(*d, OrdinalVXPacket, "VXPacket %u %u %s", c, serial, PointerText(packet));
    Context* context = FindOpened(*d, c);
    if (d->faults.packetFails || !context) return FALSE;
    auto& queue = context->queue;
    auto it = std::find_if(queue.begin(), queue.end(), [serial](const QueuedPacket& q) { return q.serial == serial; });
    if (it == queue.end()) return FALSE;
    if (packet) std::memcpy(packet, &it->packet, sizeof(PacketRecord));
    queue.erase(queue.begin(), it + 1);
    return TRUE;
}

extern "C" BOOL WINAPI VXEnable(ContextHandle c, BOOL enable) {
    PendingPackets pending;
    {
        Locked d;
        LogCall(*d, OrdinalVXEnable, "VXEnable %u %d", c, enable);
        Context* context = FindContext(*d, c);
        if (!context) return FALSE;
        context->enabled = enable != 0;
        if (context->kind == ContextKind::Opened) {
            if (context->enabled) {
                StartHostFeed(*context);
            } else {
                StopHostFeed(*context);
            }
        }
        pending = PacketsToSend(*d, context);
    }
    SendPackets(pending);
    return TRUE;
}

extern "C" BOOL WINAPI VXOverlap(ContextHandle c, BOOL toTop) {
    PendingPackets pending;
    {
        Locked d;
        LogCall(*d, OrdinalVXOverlap, "VXOverlap %u %d", c, toTop);
        Context* context = FindContext(*d, c);
        if (!context) return FALSE;
        auto& order = d->overlapOrder;
        auto it = std::find(order.begin(), order.end(), c);
        if (it != order.end()) {
            order.erase(it);
            if (toTop) {
                order.insert(order.begin(), c);
            } else {
                order.push_back(c);
            }
        }
        pending = PacketsToSend(*d, context);
    }
    SendPackets(pending);
    return TRUE;
}

extern "C" BOOL WINAPI VXGetA(ContextHandle c, ContextRecord* r) {
    Locked d;
    LogCall(*d, OrdinalVXGetA, "VXGetA %u %s", c, PointerText(r));
    Context* context = FindContext(*d, c);
    if (!context || !r) return FALSE;
    if (d->faults.silentReads > 0) return TRUE;  // SimFaultSilentReads: success, nothing written
    // SimFaultPartialRecords: success, only the record's first bytes written.
    std::memcpy(r, &context->record, d->faults.partialRecords > 0 ? kPartialContextBytes : sizeof *r);
    WriteOverlong(*d, r, sizeof *r);
    return TRUE;
}

extern "C" BOOL WINAPI VXSetA(ContextHandle c, ContextRecord* r) {
    Locked d;
    LogCall(*d, OrdinalVXSetA, "VXSetA %u %s", c, PointerText(r));
    Context* context = FindContext(*d, c);
    if (!context || !r) return FALSE;
    context->record = *r;
    if (context->kind != ContextKind::Opened) SaveState(*d);
    return TRUE;
}

extern "C" ManagerHandle WINAPI VXMgrOpen(HWND window, UINT messageBase) {
    Locked d;
    LogCall(*d, OrdinalVXMgrOpen, "VXMgrOpen %s %u", WindowText(window), messageBase);
    if (d->faults.mgrOpenFails) return 0;
    Manager m = {d->nextManager++, window, messageBase};
    if (d->nextManager == 0) d->nextManager = 1;
    d->managers.push_back(m);
    return m.handle;
}

extern "C" BOOL WINAPI VXMgrClose(ManagerHandle m) {
    Locked d;
    LogCall(*d, OrdinalVXMgrClose, "VXMgrClose %u", m);
    auto& managers = d->managers;
    auto it = std::find_if(managers.begin(), managers.end(), [m](const Manager& x) { return x.handle == m; });
    if (m == 0 || it == managers.end()) return FALSE;
    managers.erase(it);
    return TRUE;
}

extern "C" BOOL WINAPI VXMgrContextEnum(ManagerHandle m, ContextEnumProc callback, LPARAM parameter) {
    std::vector<ContextHandle> handles;
    bool circular = false;
    {
        Locked d;
        LogCall(*d, OrdinalVXMgrContextEnum, "VXMgrContextEnum %u %s", m,
                PointerText(reinterpret_cast<void*>(callback)));
        StartSilentSpell(d->faults);
        if (!FindManager(*d, m) || !callback) return FALSE;
        for (const Context& c : d->systemContexts) handles.push_back(c.handle);
        for (const Context& c : d->openedContexts) handles.push_back(c.handle);
        circular = d->faults.circularContexts;
    }
    // The callback may call back into the driver (VXGetA, VXSetA, ...).
    // SimFaultCircularContexts: after the last context the first comes again,
    // until the callback stops (or a million visits, so no test can hang).
    size_t visits = circular ? kMaxCircularVisits : handles.size();
    for (size_t i = 0; i < visits && !handles.empty(); ++i) {
        if (!callback(handles[i % handles.size()], parameter)) break;
    }
    return TRUE;
}

extern "C" ContextHandle WINAPI VXMgrDefContext(ManagerHandle m, BOOL system) {
    Locked d;
    LogCall(*d, OrdinalVXMgrDefContext, "VXMgrDefContext %u %d", m, system);
    if (!FindManager(*d, m)) return 0;
    return system ? d->defaultSystemContext.handle : d->defaultContext.handle;
}

// No owner: nonzero when the device has a dialog of its own. An owner: run
// it; OK on a device that asks for a restart answers RestartNeeded.
extern "C" UINT WINAPI VXMgrDeviceConfig(ManagerHandle m, UINT device, HWND owner) {
    std::string name;
    int choice = 1;
    bool restart = false;
    {
        Locked d;
        LogCall(*d, OrdinalVXMgrDeviceConfig, "VXMgrDeviceConfig %u %u %s", m, device, WindowText(owner));
        if (!FindManager(*d, m) || device >= d->tablet.devices.size()) return 0;
        const DeviceModel& dev = d->tablet.devices[device];
        if (!dev.configDialog) return 0;
        if (!owner) return 1;
        if (d->configResult >= 0) return static_cast<UINT>(d->configResult);
        name = dev.name;
        choice = dev.configChoice;
        restart = dev.configRestart;
    }
    int chosen = RunConfigDialog(owner, name, choice, restart);
    if (chosen < 0) return 1;
    Locked d;
    if (device < d->tablet.devices.size()) {
        d->tablet.devices[device].configChoice = chosen;
        d->lastConfigChoice = chosen;
        SaveState(*d);
    }
    return restart ? static_cast<UINT>(RestartNeeded) : 1u;
}

extern "C" BOOL WINAPI VXMgrCsrEnable(ManagerHandle m, UINT cursor, BOOL enable) {
    Locked d;
    LogCall(*d, OrdinalVXMgrCsrEnable, "VXMgrCsrEnable %u %u %d", m, cursor, enable);
    CursorModel* c = FindCursor(*d, cursor);
    if (d->faults.cursorEnableFails || !FindManager(*d, m) || !c) return FALSE;
    c->active = enable != 0;
    SaveState(*d);
    PostInfoChanged(*d, CursorInfo + cursor, CursorActive);
    return TRUE;
}

// The logical map is not kept. A null system map changes nothing; the value
// VX_DEFAULT_BUTTON_MAP restores the default map.
extern "C" BOOL WINAPI VXMgrCsrButtonMap(ManagerHandle m, UINT cursor, BYTE* logical, BYTE* system) {
    Locked d;
    const char* systemText = IsDefaultMap(system) ? "default" : PointerText(system);
    LogCall(*d, OrdinalVXMgrCsrButtonMap, "VXMgrCsrButtonMap %u %u %s %s", m, cursor, PointerText(logical), systemText);
    CursorModel* c = FindCursor(*d, cursor);
    if (!FindManager(*d, m) || !c) return FALSE;
    if (!system) return TRUE;
    if (IsDefaultMap(system)) {
        c->map = c->defaultMap;
    } else {
        std::memcpy(c->map.entry, system, sizeof c->map.entry);
    }
    SaveState(*d);
    PostInfoChanged(*d, CursorInfo + cursor, CursorSystemButtonMap);
    return TRUE;
}
