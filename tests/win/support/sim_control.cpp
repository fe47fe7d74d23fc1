// Binds the stand-in's control functions by name; see sim_control.h.
#include "support/sim_control.h"

#include <cstring>
#include <vector>

SimControl::SimControl() { Load(); }

SimControl::SimControl(const char* dllPath) { Load(dllPath); }

SimControl::~SimControl() { Unload(); }

bool SimControl::Load(const char* dllPath) {
    Unload();
    std::string path = dllPath ? std::string(dllPath) : BinFolder() + "Vellix32.dll";
    module_ = LoadLibraryA(path.c_str());
    if (module_) Bind();
    return Loaded();
}

void SimControl::Unload() {
    functions_ = Functions();
    if (module_) FreeLibrary(module_);
    module_ = nullptr;
}

void SimControl::Bind() {
#define SIM_CONTROL_BIND(name, result, params) \
    functions_.name =                          \
        reinterpret_cast<decltype(functions_.name)>(reinterpret_cast<void*>(GetProcAddress(module_, #name)));
    SIM_CONTROL_FUNCTIONS(SIM_CONTROL_BIND)
#undef SIM_CONTROL_BIND
}

void SimControl::Reset() {
    if (functions_.SimReset) functions_.SimReset();
}
bool SimControl::LoadDescription(const char* path) {
    return functions_.SimLoadDescription && functions_.SimLoadDescription(path);
}
bool SimControl::LoadDescriptionText(const char* text) {
    return functions_.SimLoadDescriptionText && functions_.SimLoadDescriptionText(text);
}
void SimControl::SetStatePath(const char* path) {
    if (functions_.SimSetStatePath) functions_.SimSetStatePath(path);
}
void SimControl::ForgetState() {
    if (functions_.SimForgetState) functions_.SimForgetState();
}
int SimControl::InjectPacket(uint32_t cursor, uint32_t buttons, int32_t x, int32_t y) {
    return functions_.SimInjectPacket ? functions_.SimInjectPacket(cursor, buttons, x, y) : 0;
}
int SimControl::PollHostMouse() { return functions_.SimPollHostMouse ? functions_.SimPollHostMouse() : 0; }
int SimControl::QueuedPackets(ContextHandle context) {
    return functions_.SimQueuedPackets ? functions_.SimQueuedPackets(context) : -1;
}
int SimControl::ContextCount() { return functions_.SimContextCount ? functions_.SimContextCount() : 0; }
ContextHandle SimControl::ContextAt(int index) { return functions_.SimContextAt ? functions_.SimContextAt(index) : 0; }
int SimControl::OpenedContextCount() {
    return functions_.SimOpenedContextCount ? functions_.SimOpenedContextCount() : 0;
}
ContextHandle SimControl::DefaultSystemContext() {
    return functions_.SimDefaultSystemContext ? functions_.SimDefaultSystemContext() : 0;
}
ContextHandle SimControl::DefaultContext() { return functions_.SimDefaultContext ? functions_.SimDefaultContext() : 0; }
ContextHandle SimControl::TopContext() { return functions_.SimTopContext ? functions_.SimTopContext() : 0; }
bool SimControl::ReadContext(ContextHandle context, ContextRecord* record) {
    return functions_.SimReadContext && functions_.SimReadContext(context, record);
}
bool SimControl::WriteContext(ContextHandle context, const ContextRecord& record) {
    return functions_.SimWriteContext && functions_.SimWriteContext(context, &record);
}
int SimControl::ContextEnabled(ContextHandle context) {
    return functions_.SimContextEnabled ? functions_.SimContextEnabled(context) : -1;
}
int SimControl::DeviceCount() { return functions_.SimDeviceCount ? functions_.SimDeviceCount() : 0; }
bool SimControl::ReadButtonMap(uint32_t cursor, ButtonMap* map) {
    return functions_.SimReadButtonMap && functions_.SimReadButtonMap(cursor, map);
}
bool SimControl::ReadDefaultButtonMap(uint32_t cursor, ButtonMap* map) {
    return functions_.SimReadDefaultButtonMap && functions_.SimReadDefaultButtonMap(cursor, map);
}
int SimControl::CursorEnabled(uint32_t cursor) {
    return functions_.SimCursorEnabled ? functions_.SimCursorEnabled(cursor) : -1;
}
int SimControl::CallCount(uint32_t ordinal) { return functions_.SimCallCount ? functions_.SimCallCount(ordinal) : 0; }
int SimControl::TotalCalls() { return functions_.SimTotalCalls ? functions_.SimTotalCalls() : 0; }
std::string SimControl::CallLog() {
    if (!functions_.SimCallLog) return std::string();
    int needed = functions_.SimCallLog(nullptr, 0);
    if (needed <= 0) return std::string();
    std::vector<char> buffer(static_cast<size_t>(needed));
    functions_.SimCallLog(buffer.data(), needed);
    return std::string(buffer.data());
}
void SimControl::ClearLog() {
    if (functions_.SimClearLog) functions_.SimClearLog();
}
bool SimControl::SetFault(int fault, int value) {
    return functions_.SimSetFault && functions_.SimSetFault(fault, value);
}
void SimControl::ClearFaults() {
    if (functions_.SimClearFaults) functions_.SimClearFaults();
}
int SimControl::LastConfigChoice() { return functions_.SimLastConfigChoice ? functions_.SimLastConfigChoice() : -1; }
void SimControl::SetConfigResult(int result) {
    if (functions_.SimSetConfigResult) functions_.SimSetConfigResult(result);
}
void SimControl::NotifyInfoChanged(uint32_t category, uint32_t index) {
    if (functions_.SimNotifyInfoChanged) functions_.SimNotifyInfoChanged(category, index);
}

ContextRecord SimControl::Context(ContextHandle context) {
    ContextRecord record;
    std::memset(&record, 0, sizeof record);
    ReadContext(context, &record);
    return record;
}

ContextHandle SimControl::SystemContextOf(uint32_t device) {
    int count = ContextCount();
    for (int i = 0; i < count; ++i) {
        ContextHandle handle = ContextAt(i);
        ContextRecord record = Context(handle);
        if (record.device == device && _strnicmp(record.name, "Default System", 14) == 0) return handle;
    }
    return 0;
}

int SimControl::LogLinesStartingWith(const char* prefix) {
    std::string log = CallLog();
    size_t length = std::strlen(prefix);
    int count = 0;
    size_t start = 0;
    while (start < log.size()) {
        size_t end = log.find('\n', start);
        if (end == std::string::npos) end = log.size();
        if (end - start >= length && log.compare(start, length, prefix) == 0) ++count;
        start = end + 1;
    }
    return count;
}
