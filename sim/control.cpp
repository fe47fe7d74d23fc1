// The control interface for tests (vellix_control.h), exported by name.
// None of these calls is logged.
#include <cstdlib>
#include <cstring>

#include "stand_in.h"
#include "vellix_control.h"

using namespace sim;

namespace {

std::vector<Context*> Enumerated(Driver& d) {
    std::vector<Context*> all;
    for (Context& c : d.systemContexts) all.push_back(&c);
    for (Context& c : d.openedContexts) all.push_back(&c);
    return all;
}

std::string TempFileName() {
    char folder[MAX_PATH] = {}, path[MAX_PATH] = {};
    DWORD n = GetTempPathA(MAX_PATH, folder);
    if (n == 0 || n >= MAX_PATH || !GetTempFileNameA(folder, "vxd", 0, path)) return std::string();
    return path;
}

bool WriteFileText(const std::string& path, const char* text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD size = static_cast<DWORD>(std::strlen(text)), written = 0;
    BOOL ok = WriteFile(file, text, size, &written, nullptr);
    CloseHandle(file);
    return ok && written == size;
}

// Sets a fault; answers whether it reshapes the tablet.
bool ApplyFault(Faults& f, int fault, int value, bool* known) {
    bool on = value > 0;
    *known = true;
    switch (fault) {
    case SimFaultNoPresence: f.noPresence = on; return false;
    case SimFaultNoAnswers: f.noAnswers = on; return false;
    case SimFaultZeroResolution: f.zeroResolution = on; return false;
    case SimFaultZeroExtentX: f.zeroExtentX = on; return false;
    case SimFaultZeroExtentY: f.zeroExtentY = on; return false;
    case SimFaultNameLength: f.nameLength = value < 0 ? -1 : value; return false;
    case SimFaultUnterminatedNames: f.unterminatedNames = on; return false;
    case SimFaultCursorCount: f.cursorCount = value < 0 ? -1 : value; return true;
    case SimFaultFirstCursor:
        f.firstCursor = value == SimFaultOff ? -1 : static_cast<int64_t>(static_cast<uint32_t>(value));
        return true;
    case SimFaultNoDefaultSystem: f.noDefaultSystem = on; return true;
    case SimFaultExtraContexts: f.extraContexts = value < 0 ? 0 : value; return true;
    case SimFaultOpenFails: f.openFails = on; return false;
    case SimFaultPacketFails: f.packetFails = on; return false;
    case SimFaultMgrOpenFails: f.mgrOpenFails = on; return false;
    case SimFaultCursorCountAnswer:
        f.cursorCountAnswer = value == SimFaultOff ? -1 : static_cast<uint32_t>(value);
        return false;
    case SimFaultEveryDevice:
        f.everyDeviceFlags = value == SimFaultOff ? -1 : static_cast<uint32_t>(value);
        return false;
    case SimFaultSendOnEnable: f.sendOnEnable = on; return false;
    case SimFaultOverlongAnswers: f.overlongAnswers = value < 0 ? 0 : (value > 4096 ? 4096 : value); return false;
    case SimFaultHugeTextSize: f.hugeTextSize = on; return false;
    case SimFaultTextOverrun: f.textOverrun = value < 0 ? 0 : (value > 4096 ? 4096 : value); return false;
    case SimFaultSilentReads: f.silentReads = value < 0 ? 0 : value; return false;
    case SimFaultCircularContexts: f.circularContexts = on; return false;
    case SimFaultSlowCalls: f.slowCalls = value < 0 ? 0 : (value > 1000 ? 1000 : value); return false;
    case SimFaultSilentSpell:
        f.silentSpellWaiting = value < 0 ? -1 : value;
        f.silentSpellLeft = 0;
        return false;
    case SimFaultPartialRecords: f.partialRecords = value < 0 ? 0 : value; return false;
    case SimFaultTextSizeWithoutTerminator: f.textSizeWithoutTerminator = on; return false;
    case SimFaultCursorEnableFails: f.cursorEnableFails = on; return false;
    default: *known = false; return false;
    }
}

}  // namespace

namespace sim {

void ApplyFaultList(Faults& faults, const std::string& list) {
    size_t start = 0;
    while (start < list.size()) {
        size_t end = list.find(',', start);
        if (end == std::string::npos) end = list.size();
        std::string pair = list.substr(start, end - start);
        size_t equals = pair.find('=');
        if (equals != std::string::npos) {
            bool known = false;
            ApplyFault(faults, atoi(pair.substr(0, equals).c_str()), atoi(pair.substr(equals + 1).c_str()), &known);
        }
        start = end + 1;
    }
}

}  // namespace sim

extern "C" {

void SIM_API SimReset(void) {
    Locked d;
    ResetAll(*d);
}

int SIM_API SimLoadDescription(const char* path) {
    if (!path) return 0;
    DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return 0;
    TabletModel tablet = ReadDescription(path);
    Locked d;
    d->description = tablet;
    d->descriptionPath = path;
    Rebuild(*d);
    return 1;
}

int SIM_API SimLoadDescriptionText(const char* iniText) {
    if (!iniText) return 0;
    std::string path = TempFileName();
    if (path.empty() || !WriteFileText(path, iniText)) return 0;
    TabletModel tablet = ReadDescription(path);
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
    DeleteFileA(path.c_str());
    Locked d;
    d->description = tablet;
    d->descriptionPath.clear();
    Rebuild(*d);
    return 1;
}

void SIM_API SimSetStatePath(const char* pathOrNull) {
    Locked d;
    d->statePath = pathOrNull ? pathOrNull : "";
    Rebuild(*d);
}

void SIM_API SimForgetState(void) {
    Locked d;
    if (!d->statePath.empty()) {
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, d->statePath.c_str());
        DeleteFileA(d->statePath.c_str());
    }
    Rebuild(*d);
}

int SIM_API SimInjectPacket(uint32_t cursor, uint32_t buttons, int32_t x, int32_t y) {
    Locked d;
    size_t device = 0;
    bool known = FindCursor(*d, cursor, &device) != nullptr;
    PacketRecord packet = {cursor, buttons, x, y};
    int posted = 0;
    for (Context& c : d->openedContexts) {
        if (!c.enabled || (known && c.record.device != device)) continue;
        if (PostPacket(c, packet)) ++posted;
    }
    return posted;
}

int SIM_API SimPollHostMouse(void) {
    Locked d;
    return PollHostMouse(*d, false);
}

int SIM_API SimQueuedPackets(ContextHandle context) {
    Locked d;
    Context* c = FindOpened(*d, context);
    return c ? static_cast<int>(c->queue.size()) : -1;
}

int SIM_API SimContextCount(void) {
    Locked d;
    return static_cast<int>(d->systemContexts.size() + d->openedContexts.size());
}

ContextHandle SIM_API SimContextAt(int index) {
    Locked d;
    std::vector<Context*> all = Enumerated(*d);
    return index >= 0 && static_cast<size_t>(index) < all.size() ? all[static_cast<size_t>(index)]->handle : 0;
}

int SIM_API SimOpenedContextCount(void) {
    Locked d;
    return static_cast<int>(d->openedContexts.size());
}

ContextHandle SIM_API SimDefaultSystemContext(void) {
    Locked d;
    return d->defaultSystemContext.handle;
}

ContextHandle SIM_API SimDefaultContext(void) {
    Locked d;
    return d->defaultContext.handle;
}

ContextHandle SIM_API SimTopContext(void) {
    Locked d;
    return d->overlapOrder.empty() ? 0 : d->overlapOrder.front();
}

int SIM_API SimReadContext(ContextHandle context, ContextRecord* record) {
    Locked d;
    Context* c = FindContext(*d, context);
    if (!c || !record) return 0;
    *record = c->record;
    return 1;
}

int SIM_API SimWriteContext(ContextHandle context, const ContextRecord* record) {
    Locked d;
    Context* c = FindContext(*d, context);
    if (!c || !record) return 0;
    c->record = *record;
    if (c->kind != ContextKind::Opened) SaveState(*d);
    return 1;
}

int SIM_API SimContextEnabled(ContextHandle context) {
    Locked d;
    Context* c = FindContext(*d, context);
    return c ? (c->enabled ? 1 : 0) : -1;
}

int SIM_API SimDeviceCount(void) {
    Locked d;
    return static_cast<int>(d->tablet.devices.size());
}

int SIM_API SimReadButtonMap(uint32_t cursor, ButtonMap* map) {
    Locked d;
    CursorModel* c = FindCursor(*d, cursor);
    if (!c || !map) return 0;
    *map = c->map;
    return 1;
}

int SIM_API SimReadDefaultButtonMap(uint32_t cursor, ButtonMap* map) {
    Locked d;
    CursorModel* c = FindCursor(*d, cursor);
    if (!c || !map) return 0;
    *map = c->defaultMap;
    return 1;
}

int SIM_API SimCursorEnabled(uint32_t cursor) {
    Locked d;
    CursorModel* c = FindCursor(*d, cursor);
    return c ? (c->active ? 1 : 0) : -1;
}

int SIM_API SimCallCount(uint32_t ordinal) {
    Locked d;
    return ordinal < d->callCounts.size() ? static_cast<int>(d->callCounts[ordinal]) : 0;
}

int SIM_API SimTotalCalls(void) {
    Locked d;
    return static_cast<int>(d->totalCalls);
}

int SIM_API SimCallLog(char* buffer, int size) {
    Locked d;
    std::string text = JoinLog(*d);
    if (buffer && size > 0) {
        size_t n = text.size() < static_cast<size_t>(size) ? text.size() : static_cast<size_t>(size) - 1;
        std::memcpy(buffer, text.data(), n);
        buffer[n] = '\0';
    }
    return static_cast<int>(text.size() + 1);
}

void SIM_API SimClearLog(void) {
    Locked d;
    ClearLog(*d);
}

int SIM_API SimSetFault(int fault, int value) {
    Locked d;
    bool known = false;
    bool reshape = ApplyFault(d->faults, fault, value, &known);
    if (reshape) Rebuild(*d);
    return known ? 1 : 0;
}

void SIM_API SimClearFaults(void) {
    Locked d;
    const Faults& f = d->faults;
    bool reshaped = f.cursorCount >= 0 || f.firstCursor >= 0 || f.noDefaultSystem || f.extraContexts > 0;
    d->faults = Faults();
    if (reshaped) Rebuild(*d);
}

int SIM_API SimLastConfigChoice(void) {
    Locked d;
    return d->lastConfigChoice;
}

void SIM_API SimSetConfigResult(int result) {
    Locked d;
    d->configResult = result < 0 ? -1 : result;
}

void SIM_API SimNotifyInfoChanged(uint32_t category, uint32_t index) {
    Locked d;
    PostInfoChanged(*d, category, index);
}

}  // extern "C"
