// Test access to the Vellix32 stand-in's control interface. The library is
// loaded from the test executable's folder with LoadLibraryA and every
// control function is looked up by name, so nothing links against it and the
// program under test still finds (or misses) the driver on its own.
#pragma once

#include <windows.h>

#include <string>

#include "vellix_control.h"

class SimControl {
public:
    SimControl();  // loads bin/Vellix32.dll
    explicit SimControl(const char* dllPath);
    ~SimControl();
    SimControl(const SimControl&) = delete;
    SimControl& operator=(const SimControl&) = delete;

    bool Load(const char* dllPath = nullptr);  // nullptr: Vellix32.dll beside the exe
    void Unload();
    bool Loaded() const { return module_ != nullptr && reset_ != nullptr; }
    HMODULE Module() const { return module_; }

    // The control functions of vellix_control.h, without the "Sim" prefix.
    // Each answers 0 (or does nothing) while the library is not loaded.
    void Reset();
    bool LoadDescription(const char* path);
    bool LoadDescriptionText(const char* iniText);
    void SetStatePath(const char* pathOrNull);
    void ForgetState();
    int InjectPacket(uint32_t cursor, uint32_t buttons, int32_t x, int32_t y);
    int PollHostMouse();
    int QueuedPackets(ContextHandle context);
    int ContextCount();
    ContextHandle ContextAt(int index);
    int OpenedContextCount();
    ContextHandle DefaultSystemContext();
    ContextHandle DefaultContext();
    ContextHandle TopContext();
    bool ReadContext(ContextHandle context, ContextRecord* record);
    bool WriteContext(ContextHandle context, const ContextRecord& record);
    int ContextEnabled(ContextHandle context);
    int DeviceCount();
    bool ReadButtonMap(uint32_t cursor, ButtonMap* map);
    bool ReadDefaultButtonMap(uint32_t cursor, ButtonMap* map);
    int CursorEnabled(uint32_t cursor);
    int CallCount(uint32_t ordinal);
    int TotalCalls();
    std::string CallLog();
    void ClearLog();
    bool SetFault(int fault, int value = 1);
    void ClearFaults();
    int LastConfigChoice();
    void SetConfigResult(int result);

    // Conveniences over the above.
    ContextRecord Context(ContextHandle context);  // zero-filled when unknown
    // The first system context whose name starts with "Default System" on
    // the device, 0 when none.
    ContextHandle SystemContextOf(uint32_t device);
    // How many log lines start with the given text.
    int LogLinesStartingWith(const char* prefix);

private:
    void Bind();

    HMODULE module_ = nullptr;
#define SIM_CONTROL_FUNCTIONS(X)                                                          \
    X(reset_, "SimReset", void, (void))                                                   \
    X(loadDescription_, "SimLoadDescription", int, (const char*))                         \
    X(loadDescriptionText_, "SimLoadDescriptionText", int, (const char*))                 \
    X(setStatePath_, "SimSetStatePath", void, (const char*))                              \
    X(forgetState_, "SimForgetState", void, (void))                                       \
    X(injectPacket_, "SimInjectPacket", int, (uint32_t, uint32_t, int32_t, int32_t))      \
    X(pollHostMouse_, "SimPollHostMouse", int, (void))                                    \
    X(queuedPackets_, "SimQueuedPackets", int, (ContextHandle))                           \
    X(contextCount_, "SimContextCount", int, (void))                                      \
    X(contextAt_, "SimContextAt", ContextHandle, (int))                                   \
    X(openedContextCount_, "SimOpenedContextCount", int, (void))                          \
    X(defaultSystemContext_, "SimDefaultSystemContext", ContextHandle, (void))            \
    X(defaultContext_, "SimDefaultContext", ContextHandle, (void))                        \
    X(topContext_, "SimTopContext", ContextHandle, (void))                                \
    X(readContext_, "SimReadContext", int, (ContextHandle, ContextRecord*))               \
    X(writeContext_, "SimWriteContext", int, (ContextHandle, const ContextRecord*))       \
    X(contextEnabled_, "SimContextEnabled", int, (ContextHandle))                         \
    X(deviceCount_, "SimDeviceCount", int, (void))                                        \
    X(readButtonMap_, "SimReadButtonMap", int, (uint32_t, ButtonMap*))                    \
    X(readDefaultButtonMap_, "SimReadDefaultButtonMap", int, (uint32_t, ButtonMap*))      \
    X(cursorEnabled_, "SimCursorEnabled", int, (uint32_t))                                \
    X(callCount_, "SimCallCount", int, (uint32_t))                                        \
    X(totalCalls_, "SimTotalCalls", int, (void))                                          \
    X(callLog_, "SimCallLog", int, (char*, int))                                          \
    X(clearLog_, "SimClearLog", void, (void))                                             \
    X(setFault_, "SimSetFault", int, (int, int))                                          \
    X(clearFaults_, "SimClearFaults", void, (void))                                       \
    X(lastConfigChoice_, "SimLastConfigChoice", int, (void))                              \
    X(setConfigResult_, "SimSetConfigResult", void, (int))
#define SIM_CONTROL_POINTER(member, name, result, params) result(SIM_API* member) params = nullptr;
    SIM_CONTROL_FUNCTIONS(SIM_CONTROL_POINTER)
#undef SIM_CONTROL_POINTER
};

// The folder of the running executable, with a trailing backslash.
std::string ExeFolder();
