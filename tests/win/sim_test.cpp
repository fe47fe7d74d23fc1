// The driver stand-in on its own: exports by ordinal, answers of VXInfoA,
// contexts and packets through real message queues, notifications,
// persistence across a reload, faults, the fault variants and its
// configuration dialog.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "driver/vellix.h"
#include "support/dialog_support.h"
#include "support/sim_control.h"
#include "support/windows_harness.h"

namespace {

// The fifteen entry points, bound by ordinal from a given module.
struct Entries {
#define ENTRY_POINTER(name, ordinal, result, params, args) result(WINAPI* name) params = nullptr;
    VELLIX_ENTRY_POINTS(ENTRY_POINTER)
#undef ENTRY_POINTER
    void Bind(HMODULE module) {
#define ENTRY_BIND(name, ordinal, result, params, args) \
    name = reinterpret_cast<decltype(name)>(reinterpret_cast<void*>(GetProcAddress(module, MAKEINTRESOURCEA(ordinal))));
        VELLIX_ENTRY_POINTS(ENTRY_BIND)
#undef ENTRY_BIND
    }
};

struct EntryName {
    const char* name;
    WORD ordinal;
};
const EntryName kEntries[] = {
#define ENTRY_NAME(name, ordinal, result, params, args) {#name, ordinal},
    VELLIX_ENTRY_POINTS(ENTRY_NAME)
#undef ENTRY_NAME
};

// The control functions, each exported by name.
const char* const kControlFunctions[] = {
#define CONTROL_NAME(name, result, params) #name,
    SIM_CONTROL_FUNCTIONS(CONTROL_NAME)
#undef CONTROL_NAME
};

// A message-only window that collects what the driver posts to it.
class Receiver {
public:
    Receiver() { window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr); }
    ~Receiver() { DestroyWindow(window); }
    // Takes the next posted message in the range, false when none is queued.
    bool Take(UINT message, MSG* out) { return PeekMessageA(out, window, message, message, PM_REMOVE) != 0; }
    int Drain(UINT message) {
        MSG msg;
        int n = 0;
        while (Take(message, &msg)) ++n;
        return n;
    }
    HWND window;
};

class SimTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sim.Loaded());
        sim.Reset();
        vx.Bind(sim.Module());
        manager = vx.VXMgrOpen(nullptr, MessageBase);
        sim.ClearLog();
    }
    void TearDown() override {
        if (sim.Loaded()) {
            vx.VXMgrClose(manager);
            sim.Reset();
        }
    }

    std::string Text(UINT category, UINT index) {
        UINT size = vx.VXInfoA(category, index, nullptr);
        std::vector<char> buffer(size + 1, '\0');
        EXPECT_EQ(vx.VXInfoA(category, index, buffer.data()), size);
        return std::string(buffer.data(), size);  // with its terminating NUL(s)
    }
    uint32_t Dword(UINT category, UINT index) {
        uint32_t value = 0xDEADBEEF;
        EXPECT_EQ(vx.VXInfoA(category, index, &value), 4u) << category << " " << index;
        return value;
    }
    AxisInfo Axis(UINT category, UINT index) {
        AxisInfo axis = {};
        EXPECT_EQ(vx.VXInfoA(category, index, &axis), sizeof axis);
        return axis;
    }
    ContextRecord OpenRecord() {
        ContextRecord record = {};
        vx.VXInfoA(DefaultContextInfo, 0, &record);
        record.packetFields = 0x1E0;
        return record;
    }

    SimControl sim;
    Entries vx;
    ManagerHandle manager = 0;
};

// --- Exports --------------------------------------------------------------

// Reads the names of a loaded module's export directory.
std::vector<std::string> ExportedNames(HMODULE module) {
    auto base = reinterpret_cast<const BYTE*>(module);
    auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    auto exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
    auto names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    std::vector<std::string> result;
    for (DWORD i = 0; i < exports->NumberOfNames; ++i) result.push_back(reinterpret_cast<const char*>(base + names[i]));
    return result;
}

TEST_F(SimTest, EveryEntryPointIsBoundByOrdinalAndNoneByName) {
    for (const EntryName& e : kEntries) {
        EXPECT_NE(GetProcAddress(sim.Module(), MAKEINTRESOURCEA(e.ordinal)), nullptr) << e.name;
        EXPECT_EQ(GetProcAddress(sim.Module(), e.name), nullptr) << e.name;
    }
    std::vector<std::string> names = ExportedNames(sim.Module());
    EXPECT_EQ(names.size(), 30u);
    for (const std::string& name : names) EXPECT_EQ(name.compare(0, 3, "Sim"), 0) << name;
}

TEST_F(SimTest, EachFaultVariantLacksExactlyItsOrdinal) {
    for (const EntryName& missing : kEntries) {
        std::string path = BinFolder() + "missing\\" + std::to_string(missing.ordinal) + "\\Vellix32.dll";
        HMODULE variant = LoadLibraryA(path.c_str());
        ASSERT_NE(variant, nullptr) << path;
        EXPECT_NE(variant, sim.Module());
        for (const EntryName& e : kEntries) {
            bool present = GetProcAddress(variant, MAKEINTRESOURCEA(e.ordinal)) != nullptr;
            EXPECT_EQ(present, e.ordinal != missing.ordinal) << "variant " << missing.ordinal << ", entry " << e.name;
        }
        for (const char* control : kControlFunctions) EXPECT_NE(GetProcAddress(variant, control), nullptr) << control;
        FreeLibrary(variant);
    }
}

// --- Information queries --------------------------------------------------

struct SizeCase {
    UINT category, index, size;
};

TEST_F(SimTest, QueriesAnswerTheBytesCopiedOrNeededAndZeroWhenUnknown) {
    const std::string name = "Vellix PenPad 12x9; Format: VX-II; Version 1.2";
    const SizeCase cases[] = {
        {InterfaceInfo, InterfaceContextOptions, 4},
        {DefaultContextInfo, 0, sizeof(ContextRecord)},
        {DeviceInfo, DeviceName, static_cast<UINT>(name.size() + 1)},
        {DeviceInfo, DeviceCursorCount, 4},
        {DeviceInfo, DeviceFirstCursor, 4},
        {DeviceInfo, DeviceRelativeFields, 4},
        {DeviceInfo, DeviceAxisX, sizeof(AxisInfo)},
        {DeviceInfo, DeviceAxisY, sizeof(AxisInfo)},
        {CursorInfo, CursorName, 4},  // "Pen"
        {CursorInfo, CursorActive, 4},
        {CursorInfo, CursorButtonCount, 1},
        {CursorInfo, CursorButtonNames, 4 + 13 + 13 + 1},  // Tip, Lower Barrel, Upper Barrel, ""
        {CursorInfo, CursorSystemButtonMap, sizeof(ButtonMap)},
        {CursorInfo + 1, CursorName, 5},  // "Puck"
        {InterfaceInfo, 1, 0},            // unknown indices
        {DefaultContextInfo, 1, 0},
        {DeviceInfo, 2, 0},
        {DeviceInfo, 99, 0},
        {CursorInfo, 3, 0},
        {2, 0, 0},  // unknown categories
        {50, 7, 0},
        {DeviceInfo + 1, DeviceRelativeFields, 0},  // past the last device
        {CursorInfo + 2, CursorName, 0},            // past the last cursor
    };
    for (const SizeCase& c : cases) {
        EXPECT_EQ(vx.VXInfoA(c.category, c.index, nullptr), c.size) << c.category << " " << c.index;
        std::vector<unsigned char> buffer(c.size + 8, 0xAB);
        EXPECT_EQ(vx.VXInfoA(c.category, c.index, buffer.data()), c.size) << c.category << " " << c.index;
        for (size_t i = c.size; i < buffer.size(); ++i) ASSERT_EQ(buffer[i], 0xAB) << "overrun " << c.category;
    }
    EXPECT_NE(vx.VXInfoA(InfoPresence, 0, nullptr), 0u);
    EXPECT_EQ(Text(DeviceInfo, DeviceName), name + '\0');
}

TEST_F(SimTest, BuiltInTabletIsTwelveByNineInchesAtOneThousandCounts) {
    AxisInfo x = Axis(DeviceInfo, DeviceAxisX), y = Axis(DeviceInfo, DeviceAxisY);
    EXPECT_EQ(x.minimum, 0);
    EXPECT_EQ(x.maximum, 12000);
    EXPECT_EQ(y.maximum, 9000);
    EXPECT_EQ(x.unitCode, AxisUnitInches);
    EXPECT_EQ(x.resolution, 1000u << 16);
    EXPECT_EQ(Dword(DeviceInfo, DeviceRelativeFields), 0u);
    EXPECT_EQ(Dword(DeviceInfo, DeviceCursorCount), 2u);
    EXPECT_EQ(Dword(CursorInfo + 0, CursorActive), 1u);
    EXPECT_EQ(Dword(CursorInfo + 1, CursorActive), 0u);
    ButtonMap pen = {};
    vx.VXInfoA(CursorInfo, CursorSystemButtonMap, &pen);
    EXPECT_EQ(pen.entry[0], 1);  // Left Click
    EXPECT_EQ(pen.entry[1], 4);  // Right Click
    EXPECT_EQ(pen.entry[2], 2);  // Left Double Click
    ContextRecord def = {};
    vx.VXInfoA(DefaultContextInfo, 0, &def);
    EXPECT_STREQ(def.name, "Default System");
    EXPECT_EQ(def.messageBase, MessageBase);
    EXPECT_EQ(def.trackingMode, 0u);
    EXPECT_EQ(def.inExtentX, 12000);
    EXPECT_EQ(def.inExtentY, 9000);
    EXPECT_EQ(def.outExtentX, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(def.sensitivityX, 0x8000u);
}

TEST_F(SimTest, ButtonNamesFollowEachOtherAndEndWithAnEmptyName) {
    EXPECT_EQ(Text(CursorInfo, CursorButtonNames), std::string("Tip\0Lower Barrel\0Upper Barrel\0\0", 31));
    std::vector<unsigned char> byteCount(2, 0xAB);
    EXPECT_EQ(vx.VXInfoA(CursorInfo + 1, CursorButtonCount, byteCount.data()), 1u);
    EXPECT_EQ(byteCount[0], 4);
    EXPECT_EQ(byteCount[1], 0xAB);
    ASSERT_TRUE(sim.SetFault(SimFaultUnterminatedNames, 1));
    EXPECT_EQ(Text(CursorInfo, CursorButtonNames), std::string("Tip\0Lower Barrel\0Upper Barrel\0", 30));
}

TEST_F(SimTest, DevicesEndAtTheFirstWithoutRelativeFields) {
    ASSERT_TRUE(sim.LoadDescription((BinFolder() + "profiles\\several_devices.ini").c_str()));
    const uint32_t relative[] = {RelativeFieldX | RelativeFieldY, 0, 0};
    const uint32_t first[] = {0, 1, 3};
    for (UINT d = 0; d < 3; ++d) {
        EXPECT_EQ(Dword(DeviceInfo + d, DeviceRelativeFields), relative[d]) << d;
        EXPECT_EQ(Dword(DeviceInfo + d, DeviceFirstCursor), first[d]) << d;
    }
    EXPECT_EQ(vx.VXInfoA(DeviceInfo + 3, DeviceRelativeFields, nullptr), 0u);
    EXPECT_EQ(Text(CursorInfo + 3, CursorName), std::string("Sketch Pen") + '\0');
    EXPECT_EQ(Axis(DeviceInfo + 2, DeviceAxisX).maximum, 6000);
}

TEST_F(SimTest, DescriptionsGiveUnitsResolutionsAndOptions) {
    ASSERT_TRUE(sim.LoadDescription((BinFolder() + "profiles\\centimetre.ini").c_str()));
    AxisInfo x = Axis(DeviceInfo, DeviceAxisX);
    EXPECT_EQ(x.unitCode, AxisUnitCentimetres);
    EXPECT_EQ(x.resolution, 400u << 16);
    EXPECT_EQ(Dword(InterfaceInfo, InterfaceContextOptions), 0u);

    ASSERT_TRUE(sim.LoadDescription((BinFolder() + "profiles\\pen_option.ini").c_str()));
    EXPECT_EQ(Dword(InterfaceInfo, InterfaceContextOptions) & PenOptionBit, PenOptionBit);
    EXPECT_EQ(sim.Context(sim.ContextAt(0)).options, PenOptionBit);

    ASSERT_TRUE(sim.LoadDescriptionText("[Device0]\nXResolution=1.5\nYResolution=0x18001\nUnit=2\n"));
    EXPECT_EQ(Axis(DeviceInfo, DeviceAxisX).resolution, 0x18000u);
    EXPECT_EQ(Axis(DeviceInfo, DeviceAxisY).resolution, 0x18001u);
    EXPECT_FALSE(sim.LoadDescription("C:\\no such folder\\none.ini"));
}

TEST_F(SimTest, HostileDescriptionsAreClampedNotObeyed) {
    ASSERT_TRUE(
        sim.LoadDescriptionText("[Tablet]\nDevices=99999\nContexts=-5\n"
                                "[Device0]\nCursors=1000000\nXMax=99999999999999\nResolution=999999999999.9\n"
                                "[Device0.Cursor0]\nButtons=4000\nButtonNames=,,a,\nButtonMap=0x1FF,-1,zz\n"));
    EXPECT_EQ(sim.DeviceCount(), 16);
    EXPECT_EQ(Dword(DeviceInfo, DeviceCursorCount), 256u);
    EXPECT_EQ(Axis(DeviceInfo, DeviceAxisX).maximum, INT32_MAX);
    EXPECT_EQ(Axis(DeviceInfo, DeviceAxisX).resolution, UINT32_MAX);
    EXPECT_EQ(sim.ContextCount(), 0);
    unsigned char count = 0;
    vx.VXInfoA(CursorInfo, CursorButtonCount, &count);
    EXPECT_EQ(count, 255);
    // Empty names would end the list early: they are named instead.
    EXPECT_EQ(Text(CursorInfo, CursorButtonNames), std::string("Button 0\0Button 1\0a\0Button 3\0\0", 30));
}

// --- Contexts ---------------------------------------------------------------

struct EnumProbe {
    std::vector<ContextHandle> seen;
    size_t stopAfter;
};

BOOL WINAPI CollectContexts(ContextHandle context, LPARAM parameter) {
    auto* probe = reinterpret_cast<EnumProbe*>(parameter);
    probe->seen.push_back(context);
    return probe->seen.size() < probe->stopAfter;
}

TEST_F(SimTest, EnumerationVisitsSystemThenOpenedContextsUntilTheCallbackStops) {
    ASSERT_TRUE(sim.LoadDescription((BinFolder() + "profiles\\contexts.ini").c_str()));
    Receiver receiver;
    ContextRecord record = OpenRecord();
    ContextHandle opened = vx.VXOpenA(receiver.window, &record, TRUE);
    ASSERT_NE(opened, 0u);
    ASSERT_EQ(sim.ContextCount(), 7);

    EnumProbe all = {{}, 100};
    EXPECT_TRUE(vx.VXMgrContextEnum(manager, CollectContexts, reinterpret_cast<LPARAM>(&all)));
    ASSERT_EQ(all.seen.size(), 7u);
    for (int i = 0; i < 7; ++i) EXPECT_EQ(all.seen[i], sim.ContextAt(i));
    EXPECT_EQ(all.seen.back(), opened);
    const char* names[] = {"Digitizer",      "Default System",    "Default System",
                           "Default System", "default systemXYZ", "Default Syste"};
    const uint32_t devices[] = {0, 1, 0, 0, 0, 0};
    for (int i = 0; i < 6; ++i) {
        ContextRecord r = {};
        ASSERT_TRUE(vx.VXGetA(all.seen[i], &r));
        EXPECT_STREQ(r.name, names[i]);
        EXPECT_EQ(r.device, devices[i]);
    }

    EnumProbe three = {{}, 3};
    vx.VXMgrContextEnum(manager, CollectContexts, reinterpret_cast<LPARAM>(&three));
    EXPECT_EQ(three.seen.size(), 3u);

    EnumProbe none = {{}, 100};
    EXPECT_FALSE(vx.VXMgrContextEnum(manager + 100, CollectContexts, reinterpret_cast<LPARAM>(&none)));
    EXPECT_TRUE(none.seen.empty());
}

TEST_F(SimTest, EveryKindOfContextIsReadAndWritten) {
    Receiver receiver;
    ContextRecord record = OpenRecord();
    ContextHandle opened = vx.VXOpenA(receiver.window, &record, TRUE);
    ContextHandle system = sim.ContextAt(0);
    ContextHandle defaultSystem = vx.VXMgrDefContext(manager, TRUE);
    ContextHandle defaultContext = vx.VXMgrDefContext(manager, FALSE);
    EXPECT_EQ(defaultSystem, sim.DefaultSystemContext());
    EXPECT_EQ(defaultContext, sim.DefaultContext());
    for (ContextHandle c : {opened, system, defaultSystem, defaultContext}) {
        ContextRecord r = {};
        ASSERT_TRUE(vx.VXGetA(c, &r)) << c;
        r.sensitivityX = 0x1234;
        std::strcpy(r.name, "Changed");
        ASSERT_TRUE(vx.VXSetA(c, &r)) << c;
        ContextRecord back = {};
        vx.VXGetA(c, &back);
        EXPECT_EQ(std::memcmp(&back, &r, sizeof r), 0) << c;
    }
    ContextRecord changed = {};
    vx.VXInfoA(DefaultContextInfo, 0, &changed);
    EXPECT_STREQ(changed.name, "Changed");  // the default context's record is the one answered
    ContextRecord r = {};
    EXPECT_FALSE(vx.VXGetA(0, &r));
    EXPECT_FALSE(vx.VXSetA(0xBAD, &r));
    EXPECT_EQ(vx.VXMgrDefContext(0, TRUE), 0u);
}

TEST_F(SimTest, OpenedContextsAreEnabledClosedAndOverlapped) {
    Receiver receiver;
    ContextRecord record = OpenRecord();
    EXPECT_EQ(vx.VXOpenA(nullptr, &record, TRUE), 0u);
    EXPECT_EQ(vx.VXOpenA(receiver.window, nullptr, TRUE), 0u);
    ContextRecord badDevice = record;
    badDevice.device = 5;
    EXPECT_EQ(vx.VXOpenA(receiver.window, &badDevice, TRUE), 0u);

    ContextHandle a = vx.VXOpenA(receiver.window, &record, FALSE);
    ContextHandle b = vx.VXOpenA(receiver.window, &record, TRUE);
    ASSERT_NE(a, 0u);
    ASSERT_NE(b, a);
    EXPECT_EQ(sim.OpenedContextCount(), 2);
    EXPECT_EQ(sim.ContextEnabled(a), 0);
    EXPECT_EQ(sim.TopContext(), b);
    EXPECT_TRUE(vx.VXOverlap(a, TRUE));
    EXPECT_EQ(sim.TopContext(), a);
    EXPECT_TRUE(vx.VXEnable(a, TRUE));
    EXPECT_EQ(sim.ContextEnabled(a), 1);
    EXPECT_TRUE(vx.VXClose(a));
    EXPECT_FALSE(vx.VXClose(a));
    EXPECT_FALSE(vx.VXEnable(a, TRUE));
    EXPECT_EQ(sim.TopContext(), b);
    EXPECT_FALSE(vx.VXClose(sim.ContextAt(0)));  // system contexts stay
    EXPECT_EQ(sim.OpenedContextCount(), 1);
    EXPECT_NE(sim.CallLog().find("VXOpenA null ptr 1\nVXOpenA hwnd null 1\n"), std::string::npos);
    EXPECT_NE(sim.CallLog().find("VXOpenA hwnd ptr 0\nVXOpenA hwnd ptr 1\n"), std::string::npos);
}

TEST_F(SimTest, PacketsRoundTripThroughTheWindowsQueue) {
    Receiver receiver;
    ContextRecord record = OpenRecord();
    ContextHandle context = vx.VXOpenA(receiver.window, &record, TRUE);
    ASSERT_NE(context, 0u);
    const PacketRecord sent[] = {{0, 0, 100, 200}, {0, 1, 12000, 0}, {1, 3, -5, 9000}};
    for (const PacketRecord& p : sent) EXPECT_EQ(sim.InjectPacket(p.cursor, p.buttons, p.x, p.y), 1);
    for (const PacketRecord& p : sent) {
        MSG msg;
        ASSERT_TRUE(receiver.Take(PacketMessage, &msg));
        EXPECT_EQ(static_cast<ContextHandle>(msg.lParam), context);
        PacketRecord got = {};
        ASSERT_TRUE(vx.VXPacket(context, static_cast<UINT>(msg.wParam), &got));
        EXPECT_EQ(got.cursor, p.cursor);
        EXPECT_EQ(got.buttons, p.buttons);
        EXPECT_EQ(got.x, p.x);
        EXPECT_EQ(got.y, p.y);
        EXPECT_FALSE(vx.VXPacket(context, static_cast<UINT>(msg.wParam), &got));  // taken
    }
    EXPECT_EQ(sim.QueuedPackets(context), 0);

    // A later packet taken first drops the older ones.
    sim.InjectPacket(0, 0, 1, 1);
    sim.InjectPacket(0, 0, 2, 2);
    MSG first, second;
    ASSERT_TRUE(receiver.Take(PacketMessage, &first));
    ASSERT_TRUE(receiver.Take(PacketMessage, &second));
    PacketRecord got = {};
    EXPECT_TRUE(vx.VXPacket(context, static_cast<UINT>(second.wParam), &got));
    EXPECT_EQ(got.x, 2);
    EXPECT_FALSE(vx.VXPacket(context, static_cast<UINT>(first.wParam), &got));

    // Disabled and closed contexts receive nothing.
    vx.VXEnable(context, FALSE);
    EXPECT_EQ(sim.InjectPacket(0, 0, 1, 1), 0);
    vx.VXClose(context);
    EXPECT_EQ(sim.InjectPacket(0, 0, 1, 1), 0);
    EXPECT_EQ(receiver.Drain(PacketMessage), 0);
    EXPECT_FALSE(vx.VXPacket(context, 1, &got));
}

TEST_F(SimTest, PacketsGoOnlyToContextsOfTheCursorsDevice) {
    ASSERT_TRUE(sim.LoadDescription((BinFolder() + "profiles\\several_devices.ini").c_str()));
    Receiver one, two;
    ContextRecord record = OpenRecord();
    record.device = 1;
    ContextHandle c1 = vx.VXOpenA(one.window, &record, TRUE);
    record.device = 2;
    ContextHandle c2 = vx.VXOpenA(two.window, &record, TRUE);
    ASSERT_NE(c1, 0u);
    ASSERT_NE(c2, 0u);
    EXPECT_EQ(sim.InjectPacket(1, 0, 0, 0), 1);    // device 1's pen
    EXPECT_EQ(sim.InjectPacket(3, 0, 0, 0), 1);    // device 2's pen
    EXPECT_EQ(sim.InjectPacket(777, 0, 0, 0), 2);  // unknown cursor: everyone
    EXPECT_EQ(one.Drain(PacketMessage), 2);
    EXPECT_EQ(two.Drain(PacketMessage), 2);
}

// The window a context was opened for stands for the tablet: the pointer
// over its client area maps through the input extent onto the output range,
// and beyond the window it counts at the nearest edge.
TEST_F(SimTest, HostMousePositionOverTheWindowMapsThroughTheInputExtent) {
    HWND window = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "", WS_POPUP | WS_VISIBLE, 100, 100, 200, 150, nullptr,
                                  nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    RECT client;
    GetClientRect(window, &client);
    const int w = client.right, h = client.bottom;
    ContextRecord record = OpenRecord();
    record.inOriginX = 500;  // the input origin does not shift the output
    record.inOriginY = 0;
    record.inExtentX = 12000;
    record.inExtentY = 9000;
    record.outOriginX = 0;
    record.outOriginY = 0;
    record.outExtentX = 12000;
    record.outExtentY = -9000;  // y grows downward from the top edge
    ContextHandle down = vx.VXOpenA(window, &record, TRUE);
    record.outExtentY = 9000;
    ContextHandle up = vx.VXOpenA(window, &record, TRUE);
    ASSERT_NE(down, 0u);
    ASSERT_NE(up, 0u);
    struct Case {
        int cx, cy;  // client position of the pointer
        int32_t x, yDown, yUp;
    } cases[] = {
        {0, 0, 0, 0, 9000},
        {w - 1, h - 1, 12000, 9000, 0},
        {(w - 1) / 2, 0, MulDiv((w - 1) / 2, 12000, w - 1), 0, 9000},
        {w + 50, -40, 12000, 0, 9000},  // beyond the window: its nearest corner
    };
    for (const Case& c : cases) {
        POINT at = {c.cx, c.cy};
        ClientToScreen(window, &at);
        ASSERT_TRUE(SetCursorPos(at.x, at.y));
        EXPECT_EQ(sim.PollHostMouse(), 2);
        EXPECT_EQ(sim.PollHostMouse(), 0);  // nothing changed
        for (int n = 0; n < 2; ++n) {       // one packet for each context
            MSG msg;
            ASSERT_TRUE(PeekMessageA(&msg, window, PacketMessage, PacketMessage, PM_REMOVE));
            PacketRecord p = {};
            ASSERT_TRUE(vx.VXPacket(static_cast<ContextHandle>(msg.lParam), static_cast<UINT>(msg.wParam), &p));
            EXPECT_EQ(p.cursor, 0u);   // the pen, the first active cursor
            EXPECT_EQ(p.buttons, 0u);  // no button pressed over the window
            EXPECT_EQ(p.x, c.x) << c.cx << "," << c.cy;
            EXPECT_EQ(p.y, static_cast<ContextHandle>(msg.lParam) == down ? c.yDown : c.yUp) << c.cx << "," << c.cy;
        }
    }
    vx.VXClose(down);
    vx.VXClose(up);
    DestroyWindow(window);
}

// The pen's buttons come from the window's own mouse input: the right button
// pressed over it is the tip until released, and leaving the window lifts it.
TEST_F(SimTest, HostMouseButtonsComeFromTheWindowsOwnInput) {
    WNDCLASSA plain = {};
    plain.lpfnWndProc = DefWindowProcA;
    plain.hInstance = GetModuleHandleA(nullptr);
    plain.lpszClassName = "SimTestTablet";
    RegisterClassA(&plain);
    HWND window = CreateWindowExA(WS_EX_TOPMOST, "SimTestTablet", "", WS_POPUP | WS_VISIBLE, 100, 100, 200, 150,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    SetForegroundWindow(window);
    SetEnvironmentVariableA("VELLIX_HOST_MOUSE", "1");
    ContextRecord record = OpenRecord();
    ContextHandle context = vx.VXOpenA(window, &record, TRUE);  // the feed starts with the context
    SetEnvironmentVariableA("VELLIX_HOST_MOUSE", nullptr);
    ASSERT_NE(context, 0u);
    // The buttons of the newest packet once the feed has seen the input.
    auto buttonsBecome = [&](uint32_t wanted) {
        for (DWORD start = GetTickCount(); GetTickCount() - start < 10000;) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                PacketRecord p = {};
                if (msg.message == PacketMessage &&
                    vx.VXPacket(static_cast<ContextHandle>(msg.lParam), static_cast<UINT>(msg.wParam), &p) &&
                    p.buttons == wanted)
                    return true;
                DispatchMessageA(&msg);
            }
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        }
        return false;
    };
    auto click = [](DWORD flags) {
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = flags;
        return SendInput(1, &input, sizeof input) == 1;
    };
    ASSERT_TRUE(SetCursorPos(150, 150));
    ASSERT_TRUE(click(MOUSEEVENTF_RIGHTDOWN));
    EXPECT_TRUE(buttonsBecome(1)) << "the right button over the window is the tip";
    ASSERT_TRUE(SetCursorPos(600, 500));
    EXPECT_TRUE(buttonsBecome(0)) << "leaving the window lifts the pen";
    ASSERT_TRUE(click(MOUSEEVENTF_RIGHTUP));
    // A click quicker than the poll: press and release queued together still
    // reach the pen as a press and a release.
    ASSERT_TRUE(SetCursorPos(150, 150));
    ASSERT_TRUE(click(MOUSEEVENTF_RIGHTDOWN) && click(MOUSEEVENTF_RIGHTUP));
    EXPECT_TRUE(buttonsBecome(1)) << "a fast click presses the tip";
    EXPECT_TRUE(buttonsBecome(0)) << "and lifts it";
    vx.VXClose(context);
    DestroyWindow(window);
}

// --- Cursors and notifications --------------------------------------------

TEST_F(SimTest, ButtonMapsAreSetAndTheDefaultRestored) {
    ButtonMap def = {}, custom = {}, read = {};
    ASSERT_TRUE(sim.ReadDefaultButtonMap(0, &def));
    for (int i = 0; i < 32; ++i) custom.entry[i] = static_cast<uint8_t>(0x70 + i % 10);
    EXPECT_TRUE(vx.VXMgrCsrButtonMap(manager, 0, nullptr, custom.entry));
    vx.VXInfoA(CursorInfo, CursorSystemButtonMap, &read);
    EXPECT_EQ(std::memcmp(&read, &custom, sizeof read), 0);
    EXPECT_TRUE(vx.VXMgrCsrButtonMap(manager, 0, nullptr, nullptr));  // no map: no change
    sim.ReadButtonMap(0, &read);
    EXPECT_EQ(std::memcmp(&read, &custom, sizeof read), 0);
    EXPECT_TRUE(vx.VXMgrCsrButtonMap(manager, 0, nullptr, VX_DEFAULT_BUTTON_MAP));
    vx.VXInfoA(CursorInfo, CursorSystemButtonMap, &read);
    EXPECT_EQ(std::memcmp(&read, &def, sizeof read), 0);
    EXPECT_FALSE(vx.VXMgrCsrButtonMap(manager, 9, nullptr, custom.entry));  // no such cursor
    EXPECT_FALSE(vx.VXMgrCsrButtonMap(0, 0, nullptr, custom.entry));        // no manager
    EXPECT_EQ(sim.LogLinesStartingWith("VXMgrCsrButtonMap "), 5);
    EXPECT_NE(sim.CallLog().find("VXMgrCsrButtonMap " + std::to_string(manager) + " 0 null default\n"),
              std::string::npos);
}

TEST_F(SimTest, MapAndCursorChangesAreAnnouncedToManagersAndOpenedContexts) {
    Receiver managerWindow, contextWindow;
    ManagerHandle watching = vx.VXMgrOpen(managerWindow.window, MessageBase);
    ContextRecord record = OpenRecord();
    ASSERT_NE(vx.VXOpenA(contextWindow.window, &record, TRUE), 0u);
    ButtonMap map = {{1, 1, 1}};
    vx.VXMgrCsrButtonMap(manager, 1, nullptr, map.entry);
    vx.VXMgrCsrEnable(manager, 1, TRUE);
    for (Receiver* r : {&managerWindow, &contextWindow}) {
        MSG msg;
        ASSERT_TRUE(r->Take(InfoChangedMessage, &msg));
        EXPECT_EQ(msg.lParam, MAKELPARAM(CursorInfo + 1, CursorSystemButtonMap));
        ASSERT_TRUE(r->Take(InfoChangedMessage, &msg));
        EXPECT_EQ(msg.lParam, MAKELPARAM(CursorInfo + 1, CursorActive));
        EXPECT_FALSE(r->Take(InfoChangedMessage, &msg));
    }
    EXPECT_EQ(Dword(CursorInfo + 1, CursorActive), 1u);
    vx.VXMgrCsrEnable(manager, 0, FALSE);
    EXPECT_EQ(sim.CursorEnabled(0), 0);
    EXPECT_EQ(sim.CursorEnabled(5), -1);
    vx.VXMgrClose(watching);
}

// --- Persistence ------------------------------------------------------------

TEST_F(SimTest, SettingsSurviveAReloadOfTheLibrary) {
    std::string state = TempPath("vellix_sim_test.state");
    DeleteFileA(state.c_str());
    sim.SetStatePath(state.c_str());
    ContextHandle system = sim.ContextAt(0);
    ContextRecord r = sim.Context(system);
    r.trackingMode = 1;
    r.inOriginX = 500;
    ASSERT_TRUE(vx.VXSetA(system, &r));
    ContextRecord defaultSystem = sim.Context(sim.DefaultSystemContext());
    defaultSystem.sensitivityX = 0x4000;
    ASSERT_TRUE(vx.VXSetA(vx.VXMgrDefContext(manager, TRUE), &defaultSystem));
    ButtonMap map = {{9, 8, 7}};
    vx.VXMgrCsrButtonMap(manager, 0, nullptr, map.entry);
    vx.VXMgrCsrEnable(manager, 0, FALSE);
    vx.VXMgrCsrEnable(manager, 1, TRUE);
    vx.VXMgrClose(manager);
    manager = 0;
    sim.Unload();
    ASSERT_EQ(GetModuleHandleA("Vellix32.dll"), nullptr) << "the library must really unload";
    SetEnvironmentVariableA("VELLIX_STATE", state.c_str());
    bool reloaded = sim.Load();
    sim.DeviceCount();  // the library reads its environment on first use
    SetEnvironmentVariableA("VELLIX_STATE", nullptr);
    ASSERT_TRUE(reloaded);
    vx.Bind(sim.Module());

    EXPECT_EQ(sim.Context(sim.ContextAt(0)).trackingMode, 1u);
    EXPECT_EQ(sim.Context(sim.ContextAt(0)).inOriginX, 500);
    EXPECT_EQ(sim.Context(sim.DefaultSystemContext()).sensitivityX, 0x4000u);
    ButtonMap read = {};
    vx.VXInfoA(CursorInfo, CursorSystemButtonMap, &read);
    EXPECT_EQ(std::memcmp(&read, &map, sizeof read), 0);
    EXPECT_EQ(sim.CursorEnabled(0), 0);
    EXPECT_EQ(sim.CursorEnabled(1), 1);

    // Reset forgets it all and writes nothing any more.
    sim.Reset();
    EXPECT_EQ(sim.Context(sim.ContextAt(0)).trackingMode, 0u);
    EXPECT_EQ(sim.CursorEnabled(0), 1);
    sim.SetStatePath(state.c_str());
    EXPECT_EQ(sim.CursorEnabled(1), 1);  // read back from the file
    sim.ForgetState();
    EXPECT_EQ(sim.CursorEnabled(1), 0);
    EXPECT_EQ(GetFileAttributesA(state.c_str()), INVALID_FILE_ATTRIBUTES);
    sim.Reset();
}

TEST_F(SimTest, DamagedStateEntriesAreIgnored) {
    std::string state = TempPath("vellix_sim_damaged.state");
    ASSERT_TRUE(WriteWholeFile(
        state, "[Contexts]\nSystem0=00FF\nDefaultSystem=ZZ\n[Cursors]\nMap0=0102\nActive0=maybe\nActive1=1\n"));
    sim.SetStatePath(state.c_str());
    EXPECT_STREQ(sim.Context(sim.ContextAt(0)).name, "Default System");
    ButtonMap map = {}, def = {};
    sim.ReadButtonMap(0, &map);
    sim.ReadDefaultButtonMap(0, &def);
    EXPECT_EQ(std::memcmp(&map, &def, sizeof map), 0);
    EXPECT_EQ(sim.CursorEnabled(0), 1);
    EXPECT_EQ(sim.CursorEnabled(1), 1);  // the one good entry
    sim.Reset();
    DeleteFileA(state.c_str());
}

// --- Faults -----------------------------------------------------------------

TEST_F(SimTest, PresenceAndAnswersFailSeparately) {
    sim.SetFault(SimFaultNoPresence, 1);
    EXPECT_EQ(vx.VXInfoA(InfoPresence, 0, nullptr), 0u);
    EXPECT_NE(vx.VXInfoA(DeviceInfo, DeviceName, nullptr), 0u);
    sim.ClearFaults();
    sim.SetFault(SimFaultNoAnswers, 1);
    EXPECT_NE(vx.VXInfoA(InfoPresence, 0, nullptr), 0u);
    const SizeCase silent[] = {{InterfaceInfo, InterfaceContextOptions, 0},
                               {DefaultContextInfo, 0, 0},
                               {DeviceInfo, DeviceRelativeFields, 0},
                               {DeviceInfo, DeviceName, 0},
                               {CursorInfo, CursorSystemButtonMap, 0}};
    for (const SizeCase& c : silent) {
        unsigned char buffer[200];
        std::memset(buffer, 0x5A, sizeof buffer);
        EXPECT_EQ(vx.VXInfoA(c.category, c.index, buffer), 0u);
        EXPECT_EQ(buffer[0], 0x5A);
    }
}

TEST_F(SimTest, AxisFaultsZeroTheResolutionOrOneExtent) {
    sim.SetFault(SimFaultZeroResolution, 1);
    EXPECT_EQ(Axis(DeviceInfo, DeviceAxisX).resolution, 0u);
    EXPECT_EQ(Axis(DeviceInfo, DeviceAxisY).resolution, 0u);
    sim.ClearFaults();
    sim.SetFault(SimFaultZeroExtentX, 1);
    EXPECT_EQ(Axis(DeviceInfo, DeviceAxisX).maximum, Axis(DeviceInfo, DeviceAxisX).minimum);
    EXPECT_EQ(Axis(DeviceInfo, DeviceAxisY).maximum, 9000);
    sim.ClearFaults();
    sim.SetFault(SimFaultZeroExtentY, 1);
    EXPECT_EQ(Axis(DeviceInfo, DeviceAxisX).maximum, 12000);
    EXPECT_EQ(Axis(DeviceInfo, DeviceAxisY).maximum, 0);
}

TEST_F(SimTest, LongNamesHaveTheRequestedLength) {
    for (int length : {0, 1, 199, 200, 201, 10000}) {
        ASSERT_TRUE(sim.SetFault(SimFaultNameLength, length));
        for (UINT category : {UINT(DeviceInfo), UINT(CursorInfo), UINT(CursorInfo + 1)}) {
            std::string name = Text(category, 1);
            ASSERT_EQ(name.size(), static_cast<size_t>(length) + 1) << category;
            EXPECT_EQ(std::strlen(name.c_str()), static_cast<size_t>(length)) << category;
        }
    }
    sim.SetFault(SimFaultNameLength, SimFaultOff);
    EXPECT_EQ(Text(CursorInfo, CursorName), std::string("Pen") + '\0');
}

TEST_F(SimTest, CursorCountAndFirstCursorFaultsReshapeTheCursors) {
    sim.SetFault(SimFaultCursorCount, 0);
    EXPECT_EQ(Dword(DeviceInfo, DeviceCursorCount), 0u);
    EXPECT_EQ(vx.VXInfoA(CursorInfo, CursorName, nullptr), 0u);
    sim.SetFault(SimFaultCursorCount, 40);
    EXPECT_EQ(Dword(DeviceInfo, DeviceCursorCount), 40u);
    EXPECT_EQ(Text(CursorInfo + 39, CursorName), std::string("Cursor 39") + '\0');
    EXPECT_EQ(Text(CursorInfo, CursorName), std::string("Pen") + '\0');
    sim.SetFault(SimFaultCursorCount, SimFaultOff);
    sim.SetFault(SimFaultFirstCursor, 65530);
    EXPECT_EQ(Dword(DeviceInfo, DeviceFirstCursor), 65530u);
    EXPECT_EQ(vx.VXInfoA(CursorInfo, CursorName, nullptr), 0u);
    EXPECT_EQ(Text(CursorInfo + 65531, CursorName), std::string("Puck") + '\0');
    EXPECT_TRUE(vx.VXMgrCsrEnable(manager, 65531, TRUE));
    EXPECT_EQ(sim.CursorEnabled(65531), 1);
}

TEST_F(SimTest, ContextFaultsRemoveOrAddSystemContexts) {
    ASSERT_TRUE(sim.LoadDescription((BinFolder() + "profiles\\contexts.ini").c_str()));
    sim.SetFault(SimFaultNoDefaultSystem, 1);
    ASSERT_EQ(sim.ContextCount(), 2);  // "Digitizer" and "Default Syste"
    EXPECT_EQ(sim.SystemContextOf(0), 0u);
    EXPECT_EQ(sim.SystemContextOf(1), 0u);
    sim.ClearFaults();
    EXPECT_EQ(sim.ContextCount(), 6);
    sim.SetFault(SimFaultExtraContexts, 30);
    EXPECT_EQ(sim.ContextCount(), 36);
    EXPECT_STREQ(sim.Context(sim.ContextAt(35)).name, "Extra Context 29");
}

// The second hostile driver's faults: nonsense text sizes, texts written past
// their size, reads that write nothing, a circular enumeration, 20,000 contexts.
TEST_F(SimTest, HostileAnswerFaults) {
    char buffer[400];
    ASSERT_TRUE(sim.SetFault(SimFaultHugeTextSize, 1));
    EXPECT_EQ(vx.VXInfoA(DeviceInfo, DeviceName, nullptr), 0xFFFFFFFFu);
    EXPECT_EQ(vx.VXInfoA(CursorInfo, CursorButtonNames, nullptr), 0xFFFFFFFFu);
    EXPECT_EQ(vx.VXInfoA(CursorInfo, CursorName, buffer), 4u);
    EXPECT_STREQ(buffer, "Pen");
    sim.ClearFaults();
    ASSERT_TRUE(sim.SetFault(SimFaultTextOverrun, 150));
    EXPECT_EQ(vx.VXInfoA(CursorInfo, CursorName, nullptr), 4u);
    EXPECT_EQ(vx.VXInfoA(CursorInfo, CursorName, buffer), 4u);
    EXPECT_EQ(std::string(buffer), "Pen" + std::string(150, 'X'));
    sim.ClearFaults();
    ASSERT_TRUE(sim.SetFault(SimFaultSilentReads, 1));
    ContextRecord record;
    std::memset(&record, 0x5A, sizeof record);
    EXPECT_TRUE(vx.VXGetA(sim.ContextAt(0), &record));
    EXPECT_EQ(vx.VXInfoA(DefaultContextInfo, 0, &record), sizeof record);
    EXPECT_EQ(record.device, 0x5A5A5A5Au);
    EXPECT_EQ(Dword(DeviceInfo, DeviceCursorCount), 2u);
    ASSERT_TRUE(sim.SetFault(SimFaultSilentReads, 2));
    uint32_t count = 7;
    EXPECT_EQ(vx.VXInfoA(DeviceInfo, DeviceCursorCount, &count), 4u);
    EXPECT_EQ(count, 7u);
    sim.ClearFaults();
    ASSERT_TRUE(sim.SetFault(SimFaultCircularContexts, 1));
    EnumProbe circle = {{}, 5};
    vx.VXMgrContextEnum(manager, CollectContexts, reinterpret_cast<LPARAM>(&circle));
    EXPECT_EQ(circle.seen, std::vector<ContextHandle>(5, sim.ContextAt(0)));
    sim.ClearFaults();
    sim.SetFault(SimFaultExtraContexts, 20000);
    EXPECT_EQ(sim.ContextCount(), 20001);
}

TEST_F(SimTest, OpenPacketAndManagerFaultsAnswerZero) {
    Receiver receiver;
    ContextRecord record = OpenRecord();
    sim.SetFault(SimFaultOpenFails, 1);
    EXPECT_EQ(vx.VXOpenA(receiver.window, &record, TRUE), 0u);
    sim.SetFault(SimFaultOpenFails, 0);
    ContextHandle context = vx.VXOpenA(receiver.window, &record, TRUE);
    ASSERT_NE(context, 0u);
    sim.SetFault(SimFaultPacketFails, 1);
    sim.InjectPacket(0, 1, 2, 3);
    MSG msg;
    ASSERT_TRUE(receiver.Take(PacketMessage, &msg));
    PacketRecord p = {};
    EXPECT_FALSE(vx.VXPacket(context, static_cast<UINT>(msg.wParam), &p));
    sim.SetFault(SimFaultMgrOpenFails, 1);
    EXPECT_EQ(vx.VXMgrOpen(nullptr, MessageBase), 0u);
    EXPECT_FALSE(sim.SetFault(999, 1));
}

// --- Call log ---------------------------------------------------------------

TEST_F(SimTest, CallLogNamesEachCallWithItsMainArguments) {
    vx.VXInfoA(103, 12, nullptr);
    AxisInfo axis;
    vx.VXInfoA(100, 12, &axis);
    vx.VXMgrDeviceConfig(manager, 0, nullptr);
    std::string m = std::to_string(manager);
    EXPECT_EQ(sim.CallLog(), "VXInfoA 103 12 null\nVXInfoA 100 12\nVXMgrDeviceConfig " + m + " 0 null\n");
    EXPECT_EQ(sim.CallCount(20), 2);
    EXPECT_EQ(sim.CallCount(140), 1);
    EXPECT_EQ(sim.TotalCalls(), 3);
    // A short buffer gets a terminated start of the log and the size needed.
    auto callLog =
        reinterpret_cast<decltype(&SimCallLog)>(reinterpret_cast<void*>(GetProcAddress(sim.Module(), "SimCallLog")));
    ASSERT_NE(callLog, nullptr);
    char small[8];
    std::memset(small, 'x', sizeof small);
    EXPECT_EQ(callLog(small, 5), static_cast<int>(sim.CallLog().size() + 1));
    EXPECT_STREQ(small, "VXIn");
    EXPECT_EQ(small[5], 'x');
    sim.ClearLog();
    EXPECT_EQ(sim.TotalCalls(), 0);
    EXPECT_EQ(sim.CallLog(), "");
}

// --- Device configuration dialog -------------------------------------------

// Answers the stand-in's configuration dialog when it activates: records
// what it shows, picks a choice and presses a button.
struct ConfigAnswer {
    ConfigAnswer(int chooseId, int pressId) : choose(chooseId), press(pressId) {}
    int choose;  // radio id, 0 for none
    int press;   // IDOK or IDCANCEL
    int seen = 0;
    std::string caption, device;
    int checked = 0;
    bool restartShown = false;
};
void AnswerConfigDialog(ConfigAnswer& answer, HWND box) {
    char text[200] = {};
    GetWindowTextA(box, text, sizeof text);
    answer.caption = text;
    GetDlgItemTextA(box, VXC_CONFIG_DEVICE, text, sizeof text);
    answer.device = text;
    for (int id = VXC_CONFIG_SOFT; id <= VXC_CONFIG_FIRM; ++id) {
        if (IsDlgButtonChecked(box, id) == BST_CHECKED) answer.checked = id;
    }
    answer.restartShown = IsWindowVisible(GetDlgItem(box, VXC_CONFIG_RESTART)) ||
                          (GetWindowLongA(GetDlgItem(box, VXC_CONFIG_RESTART), GWL_STYLE) & WS_VISIBLE);
    ++answer.seen;
    if (answer.choose) PostMessageA(GetDlgItem(box, answer.choose), BM_CLICK, 0, 0);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer.press, BN_CLICKED), 0);
}

class ConfigDialogTest : public SimTest {
protected:
    UINT Run(ConfigAnswer& answer) {
        ModalDriver driver([&](HWND box) { AnswerConfigDialog(answer, box); });
        return vx.VXMgrDeviceConfig(manager, 0, owner.handle());
    }
    OwnerWindow owner;
};

TEST_F(ConfigDialogTest, DevicesWithoutADialogAnswerZero) {
    ConfigAnswer answer(0, IDOK);
    EXPECT_EQ(vx.VXMgrDeviceConfig(manager, 0, nullptr), 0u);
    EXPECT_EQ(Run(answer), 0u);
    EXPECT_EQ(answer.seen, 0);
}

struct ConfigCase {
    const char* profile;
    int choose, press;
    UINT result;
    int choiceAfter;
    bool restartShown;
};

TEST_F(ConfigDialogTest, OkKeepsTheChoiceAndAsksForARestartWhenTheDeviceDoes) {
    const ConfigCase cases[] = {
        {"config_restart.ini", VXC_CONFIG_FIRM, IDOK, RestartNeeded, 2, true},
        {"config_restart.ini", VXC_CONFIG_SOFT, IDCANCEL, 1, 1, true},
        {"config_dialog.ini", VXC_CONFIG_SOFT, IDOK, 1, 0, false},
        {"config_dialog.ini", 0, IDOK, 1, 1, false},
    };
    for (const ConfigCase& c : cases) {
        sim.Reset();
        manager = vx.VXMgrOpen(nullptr, MessageBase);
        ASSERT_TRUE(sim.LoadDescription((BinFolder() + "profiles\\" + c.profile).c_str()));
        EXPECT_NE(vx.VXMgrDeviceConfig(manager, 0, nullptr), 0u);
        ConfigAnswer answer(c.choose, c.press);
        EXPECT_EQ(Run(answer), c.result) << c.profile << " " << c.choose;
        EXPECT_EQ(answer.seen, 1);
        EXPECT_EQ(answer.caption, VXC_CONFIG_CAPTION);
        EXPECT_EQ(answer.device, "Vellix ProPad 12x12");
        EXPECT_EQ(answer.checked, VXC_CONFIG_MEDIUM);  // the stored choice, medium at first
        EXPECT_EQ(answer.restartShown, c.restartShown);
        EXPECT_EQ(sim.LastConfigChoice(), c.choiceAfter);
    }
    // The choice is shown again the next time.
    ConfigAnswer again(0, IDCANCEL);
    sim.Reset();
    manager = vx.VXMgrOpen(nullptr, MessageBase);
    sim.LoadDescription((BinFolder() + "profiles\\config_dialog.ini").c_str());
    ConfigAnswer firm(VXC_CONFIG_FIRM, IDOK);
    Run(firm);
    Run(again);
    EXPECT_EQ(again.checked, VXC_CONFIG_FIRM);
}

TEST_F(ConfigDialogTest, AForcedResultSkipsTheDialog) {
    ASSERT_TRUE(sim.LoadDescription((BinFolder() + "profiles\\config_restart.ini").c_str()));
    sim.SetConfigResult(RestartNeeded);
    ConfigAnswer answer(0, IDOK);
    EXPECT_EQ(Run(answer), RestartNeeded);
    EXPECT_EQ(answer.seen, 0);
    EXPECT_EQ(vx.VXMgrDeviceConfig(manager, 1, owner.handle()), 0u);  // no such device
}

}  // namespace
