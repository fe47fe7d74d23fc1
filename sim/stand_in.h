// Inner declarations of the Vellix32 stand-in: the tablet model, the live
// driver state and the helpers the entry points share. One process-wide
// state, guarded by one lock; entry points and control functions take it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "driver/vellix.h"

namespace sim {

struct CursorModel {
    std::string name;
    bool active = false;
    uint8_t buttonCount = 0;
    std::vector<std::string> buttonNames;
    ButtonMap defaultMap = {};
    ButtonMap map = {};
};

struct DeviceModel {
    std::string name;
    AxisInfo axisX = {};
    AxisInfo axisY = {};
    uint32_t relativeFields = 0;
    int64_t firstCursorOverride = -1;  // -1: continue after the previous device
    uint32_t firstCursor = 0;          // worked out when the tablet is built
    std::vector<CursorModel> cursors;
    bool configDialog = false;
    bool configRestart = false;
    int configChoice = 1;  // 0 soft, 1 medium, 2 firm
};

// A tablet as a description gives it, before any change by the program.
struct TabletModel {
    bool penOption = false;
    std::vector<DeviceModel> devices;
    std::vector<ContextRecord> systemContexts;
    ContextRecord defaultContext = {};        // DefaultContextInfo, VXMgrDefContext(m, 0)
    ContextRecord defaultSystemContext = {};  // VXMgrDefContext(m, 1)
};

struct QueuedPacket {
    uint32_t serial;
    PacketRecord packet;
};

enum class ContextKind { System, DefaultSystem, Default, Opened };

struct Context {
    ContextHandle handle = 0;
    ContextKind kind = ContextKind::System;
    ContextRecord record = {};
    bool enabled = true;
    // Opened contexts only.
    HWND window = nullptr;
    DWORD thread = 0;
    UINT_PTR hostTimer = 0;
    uint32_t nextSerial = 1;
    std::deque<QueuedPacket> queue;
    bool hostSeen = false;  // host mouse feed: last position and buttons valid
    POINT hostPosition = {};
    uint32_t hostButtons = 0;
    HHOOK hostHook = nullptr;  // reads the context window's own mouse buttons
    uint32_t hostPressed = 0;  // pen buttons held down over that window
};

struct Manager {
    ManagerHandle handle;
    HWND window;
    UINT messageBase;
};

struct Faults {
    bool noPresence = false;
    bool noAnswers = false;
    bool zeroResolution = false;
    bool zeroExtentX = false;
    bool zeroExtentY = false;
    int nameLength = -1;
    bool unterminatedNames = false;
    int cursorCount = -1;
    int64_t firstCursor = -1;
    bool noDefaultSystem = false;
    int extraContexts = 0;
    bool openFails = false;
    bool packetFails = false;
    bool mgrOpenFails = false;
    int64_t cursorCountAnswer = -1;
    int64_t everyDeviceFlags = -1;
    bool sendOnEnable = false;
    int overlongAnswers = 0;
    bool hugeTextSize = false;
    int textOverrun = 0;
    int silentReads = 0;
    bool circularContexts = false;
    int slowCalls = 0;  // milliseconds each entry point takes
    // SimFaultSilentSpell: the spell's length waits for VXMgrContextEnum
    // (-1: none waiting), then counts down the device and cursor queries
    // still silenced.
    int silentSpellWaiting = -1;
    int silentSpellLeft = 0;
    int partialRecords = 0;
    bool textSizeWithoutTerminator = false;
    bool cursorEnableFails = false;
};

constexpr size_t kMaxDevices = 16;
constexpr size_t kMaxCursorsPerDevice = 256;
constexpr size_t kMaxButtons = 32;
constexpr size_t kMaxSystemContexts = 256;
constexpr size_t kMaxExtraContexts = 100000;    // SimFaultExtraContexts: absurd counts
constexpr size_t kMaxCircularVisits = 1000000;  // SimFaultCircularContexts ends here
constexpr size_t kMaxQueuedPackets = 128;
constexpr size_t kMaxLogLines = 20000;
constexpr size_t kPartialContextBytes = 64;  // SimFaultPartialRecords: what a context read writes

struct Driver {
    bool initialized = false;
    TabletModel description;      // as loaded
    std::string descriptionPath;  // empty: the built-in tablet
    std::string statePath;        // empty: no persistence
    std::string callLogPath;      // VELLIX_CALL_LOG: every log line appended there too
    Faults faults;

    TabletModel tablet;  // live: description + structural faults + state
    std::vector<Context> systemContexts;
    Context defaultSystemContext;
    Context defaultContext;
    std::vector<Context> openedContexts;      // open order
    std::vector<ContextHandle> overlapOrder;  // opened contexts, top first
    std::vector<Manager> managers;

    std::deque<std::string> log;
    std::vector<uint32_t> callCounts = std::vector<uint32_t>(256, 0);  // by ordinal
    uint32_t totalCalls = 0;

    int configResult = -1;
    int lastConfigChoice = 1;
    uint32_t nextHandle = 0x101;  // never reused within a process
    uint32_t nextManager = 1;
};

// Holds the lock and makes sure the driver has read its description.
class Locked {
public:
    Locked();
    ~Locked();
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;
    Driver& operator*() const;
    Driver* operator->() const;
};

// Lifecycle (driver_state.cpp).
void InitLock();
void FreeLock();
HMODULE ThisModule();
void SetThisModule(HMODULE module);
std::string ModuleFolder();  // with a trailing backslash
void StartUp(Driver& d);     // first use: environment, files beside the DLL
void Rebuild(Driver& d);     // tablet from description + faults + state file
void ResetAll(Driver& d);    // back to the built-in tablet, no persistence
void CloseOpenedContexts(Driver& d);

// Faults named in VELLIX_FAULTS, "fault=value,fault=value" (control.cpp).
void ApplyFaultList(Faults& faults, const std::string& list);

// Lookups (driver_state.cpp).
Context* FindContext(Driver& d, ContextHandle handle);
Context* FindOpened(Driver& d, ContextHandle handle);
Manager* FindManager(Driver& d, ManagerHandle handle);
CursorModel* FindCursor(Driver& d, uint32_t cursor, size_t* device = nullptr);
uint32_t FirstActiveCursor(const Driver& d, uint32_t device);

// Notifications (driver_state.cpp).
UINT MessageBaseOf(const Context& c);
void PostInfoChanged(Driver& d, uint32_t category, uint32_t index);
bool PostPacket(Context& c, const PacketRecord& packet);

// Built-in tablet (builtin.cpp).
TabletModel BuiltInTablet();
DeviceModel BuiltInDevice();
CursorModel BuiltInCursor(size_t index);
ContextRecord SystemContextRecord(const DeviceModel& device, uint32_t number, const char* name);
void SetContextName(ContextRecord& record, const char* name);
void NumberCursors(TabletModel& tablet);

// Description files (description.cpp).
TabletModel ReadDescription(const std::string& path);

// State file (state_file.cpp).
void SaveState(Driver& d);  // does nothing without a state path
void LoadState(Driver& d);
std::string StatePathFor(const std::string& descriptionPath);

// Answers of VXInfoA (info.cpp).
UINT AnswerInfo(Driver& d, UINT category, UINT index, LPVOID buffer);
// SimFaultOverlongAnswers: the bytes written after a fixed-size record.
void WriteOverlong(const Driver& d, LPVOID buffer, UINT answered);
// SimFaultSilentSpell: VXMgrContextEnum starts the spell that was set.
void StartSilentSpell(Faults& faults);

// Call log (call_log.cpp).
void LogCall(Driver& d, uint32_t ordinal, const char* format, ...);
std::string JoinLog(const Driver& d);
void ClearLog(Driver& d);
const char* PointerText(const void* p);  // "ptr" or "null"
const char* WindowText(HWND window);     // "hwnd" or "null"

// Host mouse feed (host_mouse.cpp).
bool HostMouseRequested();
void StartHostFeed(Context& c);
void StopHostFeed(Context& c);
int PollHostMouse(Driver& d, bool onlyThisThread);

// Device configuration dialog (config_dialog.cpp). Runs without the lock:
// answers the chosen setting, or -1 when cancelled.
int RunConfigDialog(HWND owner, const std::string& deviceName, int choice, bool restart);

// Text helpers (description.cpp).
bool StartsWithNoCase(const char* text, const char* prefix);
std::string RepeatToLength(const std::string& text, size_t length);

}  // namespace sim
