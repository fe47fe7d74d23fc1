// The stand-in's one process-wide state: start-up from the environment or the
// files beside the DLL, rebuilding the live tablet, lookups and notifications.
#include <algorithm>
#include <cstring>

#include "stand_in.h"

namespace sim {

namespace {

CRITICAL_SECTION g_lock;
HMODULE g_module = nullptr;
Driver* g_driver = nullptr;

std::string Environment(const char* name) {
    char buffer[MAX_PATH * 2] = {};
    DWORD n = GetEnvironmentVariableA(name, buffer, sizeof buffer);
    return n > 0 && n < sizeof buffer ? std::string(buffer, n) : std::string();
}

bool FileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

Context MakeContext(Driver& d, ContextKind kind, const ContextRecord& record) {
    Context c;
    c.handle = d.nextHandle++;
    c.kind = kind;
    c.record = record;
    return c;
}

// Faults that change the shape of the tablet, applied to a fresh copy.
void ApplyStructuralFaults(const Faults& f, TabletModel& tablet) {
    if (f.cursorCount >= 0) {
        size_t count = std::min(static_cast<size_t>(f.cursorCount), kMaxCursorsPerDevice);
        for (DeviceModel& device : tablet.devices) {
            while (device.cursors.size() < count) device.cursors.push_back(BuiltInCursor(device.cursors.size()));
            device.cursors.resize(count);
        }
    }
    if (f.firstCursor >= 0 && !tablet.devices.empty()) tablet.devices[0].firstCursorOverride = f.firstCursor;
    NumberCursors(tablet);
    if (f.noDefaultSystem) {
        auto named = [](const ContextRecord& r) {
            char name[sizeof r.name + 1] = {};
            std::memcpy(name, r.name, sizeof r.name);
            return StartsWithNoCase(name, "Default System");
        };
        tablet.systemContexts.erase(std::remove_if(tablet.systemContexts.begin(), tablet.systemContexts.end(), named),
                                    tablet.systemContexts.end());
    }
    if (f.extraContexts > 0 && !tablet.devices.empty()) {
        // One record made and renamed: making each asks the screen's size.
        ContextRecord extra = SystemContextRecord(tablet.devices[0], 0, "");
        for (int i = 0; i < f.extraContexts && tablet.systemContexts.size() < kMaxExtraContexts; ++i) {
            SetContextName(extra, ("Extra Context " + std::to_string(i)).c_str());
            tablet.systemContexts.push_back(extra);
        }
    }
}

}  // namespace

Locked::Locked() {
    EnterCriticalSection(&g_lock);
    if (!g_driver) g_driver = new Driver;
    if (!g_driver->initialized) StartUp(*g_driver);
}

Locked::~Locked() { LeaveCriticalSection(&g_lock); }

Driver& Locked::operator*() const { return *g_driver; }
Driver* Locked::operator->() const { return g_driver; }

void InitLock() { InitializeCriticalSection(&g_lock); }

void FreeLock() {
    // Thread timers of the host mouse feed must not outlive the code they call.
    if (g_driver) CloseOpenedContexts(*g_driver);
    delete g_driver;
    g_driver = nullptr;
    DeleteCriticalSection(&g_lock);
}

HMODULE ThisModule() { return g_module; }
void SetThisModule(HMODULE module) { g_module = module; }

std::string ModuleFolder() {
    char path[MAX_PATH] = {};
    DWORD n = GetModuleFileNameA(g_module, path, MAX_PATH);
    std::string folder(path, n < MAX_PATH ? n : 0);
    size_t slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

// Description: VELLIX_TABLET, else Vellix32.ini beside the DLL, else the
// built-in tablet. State: VELLIX_STATE, else beside the description (or
// Vellix32.state beside the DLL for the built-in tablet).
void StartUp(Driver& d) {
    d.initialized = true;
    std::string description = Environment("VELLIX_TABLET");
    if (description.empty() || !FileExists(description)) description = ModuleFolder() + "Vellix32.ini";
    if (FileExists(description)) {
        d.descriptionPath = description;
        d.description = ReadDescription(description);
    } else {
        d.descriptionPath.clear();
        d.description = BuiltInTablet();
    }
    std::string state = Environment("VELLIX_STATE");
    d.statePath = state.empty() ? StatePathFor(d.descriptionPath) : state;
    d.callLogPath = Environment("VELLIX_CALL_LOG");
    ApplyFaultList(d.faults, Environment("VELLIX_FAULTS"));  // faults for a program in another process
    Rebuild(d);
}

void Rebuild(Driver& d) {
    d.tablet = d.description;
    ApplyStructuralFaults(d.faults, d.tablet);
    d.systemContexts.clear();
    d.systemContexts.reserve(d.tablet.systemContexts.size());
    for (const ContextRecord& record : d.tablet.systemContexts) {
        d.systemContexts.push_back(MakeContext(d, ContextKind::System, record));
    }
    d.defaultSystemContext = MakeContext(d, ContextKind::DefaultSystem, d.tablet.defaultSystemContext);
    d.defaultContext = MakeContext(d, ContextKind::Default, d.tablet.defaultContext);
    LoadState(d);
}

void CloseOpenedContexts(Driver& d) {
    for (Context& c : d.openedContexts) StopHostFeed(c);
    d.openedContexts.clear();
    d.overlapOrder.clear();
}

void ResetAll(Driver& d) {
    d.description = BuiltInTablet();
    d.descriptionPath.clear();
    d.statePath.clear();
    d.callLogPath.clear();
    d.faults = Faults();
    d.configResult = -1;
    d.lastConfigChoice = 1;
    CloseOpenedContexts(d);
    ClearLog(d);
    Rebuild(d);
}

Context* FindContext(Driver& d, ContextHandle handle) {
    if (handle == 0) return nullptr;
    // System contexts get consecutive handles when the tablet is built: the
    // handle gives the place at once, even among 100,000 of them.
    if (!d.systemContexts.empty()) {
        size_t place = handle - d.systemContexts.front().handle;
        if (place < d.systemContexts.size() && d.systemContexts[place].handle == handle)
            return &d.systemContexts[place];
    }
    if (d.defaultSystemContext.handle == handle) return &d.defaultSystemContext;
    if (d.defaultContext.handle == handle) return &d.defaultContext;
    return FindOpened(d, handle);
}

Context* FindOpened(Driver& d, ContextHandle handle) {
    if (handle == 0) return nullptr;
    for (Context& c : d.openedContexts) {
        if (c.handle == handle) return &c;
    }
    return nullptr;
}

Manager* FindManager(Driver& d, ManagerHandle handle) {
    for (Manager& m : d.managers) {
        if (m.handle == handle && handle != 0) return &m;
    }
    return nullptr;
}

CursorModel* FindCursor(Driver& d, uint32_t cursor, size_t* device) {
    for (size_t i = 0; i < d.tablet.devices.size(); ++i) {
        DeviceModel& dev = d.tablet.devices[i];
        uint64_t offset = uint64_t(cursor) - dev.firstCursor;
        if (cursor >= dev.firstCursor && offset < dev.cursors.size()) {
            if (device) *device = i;
            return &dev.cursors[static_cast<size_t>(offset)];
        }
    }
    return nullptr;
}

// The first active cursor of a device, else its first cursor.
uint32_t FirstActiveCursor(const Driver& d, uint32_t device) {
    if (device >= d.tablet.devices.size()) return 0;
    const DeviceModel& dev = d.tablet.devices[device];
    for (size_t i = 0; i < dev.cursors.size(); ++i) {
        if (dev.cursors[i].active) return dev.firstCursor + static_cast<uint32_t>(i);
    }
    return dev.firstCursor;
}

// A record whose message base was cleared still gets the usual messages.
UINT MessageBaseOf(const Context& c) { return c.record.messageBase ? c.record.messageBase : MessageBase; }

void PostInfoChanged(Driver& d, uint32_t category, uint32_t index) {
    LPARAM what = MAKELPARAM(category & 0xFFFF, index & 0xFFFF);
    for (const Manager& m : d.managers) {
        if (m.window) PostMessageA(m.window, m.messageBase + (InfoChangedMessage - MessageBase), m.handle, what);
    }
    for (const Context& c : d.openedContexts) {
        PostMessageA(c.window, MessageBaseOf(c) + (InfoChangedMessage - MessageBase), c.handle, what);
    }
}

bool PostPacket(Context& c, const PacketRecord& packet) {
    QueuedPacket queued = {c.nextSerial++, packet};
    if (c.nextSerial == 0) c.nextSerial = 1;
    if (c.queue.size() >= kMaxQueuedPackets) c.queue.pop_front();
    c.queue.push_back(queued);
    return PostMessageA(c.window, MessageBaseOf(c) + (PacketMessage - MessageBase), queued.serial, c.handle) != 0;
}

}  // namespace sim

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(instance);
        sim::SetThisModule(instance);
        sim::InitLock();
    } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        // Only on FreeLibrary; at process exit other threads may be gone
        // while holding the lock, so everything is left to the system.
        sim::FreeLock();
    }
    return TRUE;
}
