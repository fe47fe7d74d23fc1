// Binds the stand-in's control functions by name; see sim_control.h.
#include "support/sim_control.h"

#include <cstring>
#include <vector>

std::string ExeFolder() {
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length < MAX_PATH ? length : 0);
    size_t slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

SimControl::SimControl() { Load(); }

SimControl::SimControl(const char* dllPath) { Load(dllPath); }

SimControl::~SimControl() { Unload(); }

bool SimControl::Load(const char* dllPath) {
    Unload();
    std::string path = dllPath ? std::string(dllPath) : ExeFolder() + "Vellix32.dll";
    module_ = LoadLibraryA(path.c_str());
    if (module_) Bind();
    return Loaded();
}

void SimControl::Unload() {
#define SIM_CONTROL_CLEAR(member, name, result, params) member = nullptr;
    SIM_CONTROL_FUNCTIONS(SIM_CONTROL_CLEAR)
#undef SIM_CONTROL_CLEAR
    if (module_) FreeLibrary(module_);
    module_ = nullptr;
}

void SimControl::Bind() {
#define SIM_CONTROL_BIND(member, name, result, params) \
    member = reinterpret_cast<decltype(member)>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
    SIM_CONTROL_FUNCTIONS(SIM_CONTROL_BIND)
#undef SIM_CONTROL_BIND
}

void SimControl::Reset() {
    if (reset_) reset_();
}
bool SimControl::LoadDescription(const char* path) { return loadDescription_ && loadDescription_(path); }
bool SimControl::LoadDescriptionText(const char* text) {
    return loadDescriptionText_ && loadDescriptionText_(text);
}
void SimControl::SetStatePath(const char* path) {
    if (setStatePath_) setStatePath_(path);
}
void SimControl::ForgetState() {
    if (forgetState_) forgetState_();
}
int SimControl::InjectPacket(uint32_t cursor, uint32_t buttons, int32_t x, int32_t y) {
    return injectPacket_ ? injectPacket_(cursor, buttons, x, y) : 0;
}
int SimControl::PollHostMouse() { return pollHostMouse_ ? pollHostMouse_() : 0; }
int SimControl::QueuedPackets(ContextHandle context) { return queuedPackets_ ? queuedPackets_(context) : -1; }
int SimControl::ContextCount() { return contextCount_ ? contextCount_() : 0; }
ContextHandle SimControl::ContextAt(int index) { return contextAt_ ? contextAt_(index) : 0; }
int SimControl::OpenedContextCount() { return openedContextCount_ ? openedContextCount_() : 0; }
ContextHandle SimControl::DefaultSystemContext() { return defaultSystemContext_ ? defaultSystemContext_() : 0; }
ContextHandle SimControl::DefaultContext() { return defaultContext_ ? defaultContext_() : 0; }
ContextHandle SimControl::TopContext() { return topContext_ ? topContext_() : 0; }
bool SimControl::ReadContext(ContextHandle context, ContextRecord* record) {
    return readContext_ && readContext_(context, record);
}
bool SimControl::WriteContext(ContextHandle context, const ContextRecord& record) {
    return writeContext_ && writeContext_(context, &record);
}
int SimControl::ContextEnabled(ContextHandle context) { return contextEnabled_ ? contextEnabled_(context) : -1; }
int SimControl::DeviceCount() { return deviceCount_ ? deviceCount_() : 0; }
bool SimControl::ReadButtonMap(uint32_t cursor, ButtonMap* map) {
    return readButtonMap_ && readButtonMap_(cursor, map);
}
bool SimControl::ReadDefaultButtonMap(uint32_t cursor, ButtonMap* map) {
    return readDefaultButtonMap_ && readDefaultButtonMap_(cursor, map);
}
int SimControl::CursorEnabled(uint32_t cursor) { return cursorEnabled_ ? cursorEnabled_(cursor) : -1; }
int SimControl::CallCount(uint32_t ordinal) { return callCount_ ? callCount_(ordinal) : 0; }
int SimControl::TotalCalls() { return totalCalls_ ? totalCalls_() : 0; }
std::string SimControl::CallLog() {
    if (!callLog_) return std::string();
    int needed = callLog_(nullptr, 0);
    if (needed <= 0) return std::string();
    std::vector<char> buffer(static_cast<size_t>(needed));
    callLog_(buffer.data(), needed);
    return std::string(buffer.data());
}
void SimControl::ClearLog() {
    if (clearLog_) clearLog_();
}
bool SimControl::SetFault(int fault, int value) { return setFault_ && setFault_(fault, value); }
void SimControl::ClearFaults() {
    if (clearFaults_) clearFaults_();
}
int SimControl::LastConfigChoice() { return lastConfigChoice_ ? lastConfigChoice_() : -1; }
void SimControl::SetConfigResult(int result) {
    if (setConfigResult_) setConfigResult_(result);
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
