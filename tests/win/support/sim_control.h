// Test access to the Vellix32 stand-in's control interface. The library is
// loaded from the test executable's folder with LoadLibraryA and every
// control function is looked up by name, so nothing links against it and the
// program under test still finds (or misses) the driver on its own.
#pragma once

#include <windows.h>

#include <string>

#include "support/child_program.h"
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
    bool Loaded() const { return module_ != nullptr && functions_.SimReset != nullptr; }
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
    void NotifyInfoChanged(uint32_t category, uint32_t index);

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
    // One pointer per control function, typed from its declaration in
    // vellix_control.h, so that a call here that does not fit the stand-in's
    // signature does not compile.
    struct Functions {
#define SIM_CONTROL_POINTER(name, result, params) decltype(&::name) name = nullptr;
        SIM_CONTROL_FUNCTIONS(SIM_CONTROL_POINTER)
#undef SIM_CONTROL_POINTER
    };
    Functions functions_;
};
