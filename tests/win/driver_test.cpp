// The binding layer, device selection and the one reader of the tablet
// against the driver stand-in.
#include <gtest/gtest.h>

#include <string>

#include "driver/driver.h"
#include "driver/session.h"
#include "exchange/snapshot.h"
#include "support/sim_control.h"

namespace {

class DriverTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sim.Loaded());
        sim.Reset();
        UnloadDriver();
        ForgetDeviceSelection();
        savedSelection = DeviceSelection();
    }
    void TearDown() override {
        UnloadDriver();
        ForgetDeviceSelection();
        SetDeviceSelection(savedSelection);
    }
    int ListLength() {
        int n = 0;
        for (EntryBinding* b = BoundEntryList(); b; b = b->next) ++n;
        return n;
    }
    SimControl sim;
    const char* savedSelection = nullptr;
    static inline TabletSnapshot tablet;  // too large for the stack
};

TEST_F(DriverTest, FirstCallLoadsTheLibraryAndLaterCallsBindOnlyTheirOwnEntry) {
    EXPECT_EQ(DriverLibraryHandle(), nullptr);
    EXPECT_NE(VXInfoA(InfoPresence, 0, nullptr), 0u);
    HMODULE library = DriverLibraryHandle();
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(library, sim.Module());  // the system's search order found the stand-in
    ASSERT_EQ(ListLength(), 1);
    EXPECT_EQ(BoundEntryList(), DriverBinding(20));
    EXPECT_EQ(BoundEntryList()->address, GetProcAddress(library, MAKEINTRESOURCEA(20)));

    HWND window = CreateWindowA("STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ManagerHandle manager = VXMgrOpen(window, MessageBase);
    EXPECT_NE(manager, 0u);
    EXPECT_EQ(DriverLibraryHandle(), library);
    ASSERT_EQ(ListLength(), 2);
    EXPECT_EQ(BoundEntryList(), DriverBinding(100));  // pushed on the front
    EXPECT_EQ(BoundEntryList()->next, DriverBinding(20));
    VXInfoA(InfoPresence, 0, nullptr);
    EXPECT_EQ(ListLength(), 2);  // already bound: not looked up again
    VXMgrClose(manager);
    DestroyWindow(window);
}

TEST_F(DriverTest, UnloadForgetsEveryBindingAndASecondUnloadChangesNothing) {
    VXInfoA(InfoPresence, 0, nullptr);
    ContextHandle context = VXMgrDefContext(0, 1);
    (void)context;
    ASSERT_EQ(ListLength(), 2);
    UnloadDriver();
    EXPECT_EQ(DriverLibraryHandle(), nullptr);
    EXPECT_EQ(BoundEntryList(), nullptr);
    for (DWORD ordinal : {140, 101, 61, 20, 62, 182, 120, 122, 181, 100, 24, 22, 21, 40, 41}) {
        EntryBinding* binding = DriverBinding(ordinal);
        ASSERT_NE(binding, nullptr) << ordinal;
        EXPECT_EQ(binding->address, nullptr) << ordinal;
        EXPECT_EQ(binding->next, nullptr) << ordinal;
    }
    UnloadDriver();
    EXPECT_EQ(DriverLibraryHandle(), nullptr);
    // A later call loads the library again.
    EXPECT_NE(VXInfoA(InfoPresence, 0, nullptr), 0u);
    EXPECT_NE(DriverLibraryHandle(), nullptr);
}

TEST_F(DriverTest, MissingEntryLeavesItsBindingUnboundAndTheOthersWorking) {
    EntryBinding missing = {999, nullptr, nullptr};
    BindEntry(&missing);
    EXPECT_EQ(missing.address, nullptr);
    EXPECT_EQ(missing.next, nullptr);
    EXPECT_EQ(BoundEntryList(), nullptr);  // nothing pushed
    EXPECT_NE(DriverLibraryHandle(), nullptr);
    BindEntry(&missing);  // no negative caching: looked up again, still missing
    EXPECT_EQ(missing.address, nullptr);
    EXPECT_NE(VXInfoA(InfoPresence, 0, nullptr), 0u);
    EXPECT_EQ(ListLength(), 1);
}

TEST_F(DriverTest, DriverNamesAreNotExportedByName) {
    for (const char* name : {"VXInfoA", "VXOpenA", "VXMgrOpen", "VXMgrCsrButtonMap"})
        EXPECT_EQ(GetProcAddress(sim.Module(), name), nullptr) << name;
}

const char ThreeDevices[] =
    "[Tablet]\nDevices=3\n"
    "[Device0]\nName=Alpha Mouse Pad\nRelativeX=1\n"
    "[Device1]\nName=Beta Tablet; Format: B1\n"
    "[Device2]\nName=Gamma Tablet; Format: G2\nRelativeY=0\n";

struct SelectionCase {
    const char* selection;  // null: no command line
    WORD expected;
};

TEST_F(DriverTest, SelectionMatchesTheWholeCommandLineWithoutRegardToCase) {
    ASSERT_TRUE(sim.LoadDescriptionText(ThreeDevices));
    const SelectionCase cases[] = {
        {"gamma", 2},                     // contained, any case
        {"GAMMA TABLET; format: g2", 2},  // the whole text must be contained
        {"beta", 1},
        {"alpha", 1},                        // relative devices are never chosen
        {"C:\\bin\\tabletcp.exe gamma", 1},  // program path included: no match
        {"", 1},                             // empty text is in every name
        {nullptr, 1},                        // string 100, the empty text
        {"tablet", 1},                       // the first match wins
    };
    for (const SelectionCase& c : cases) {
        ForgetDeviceSelection();
        SetDeviceSelection(c.selection);
        EXPECT_EQ(SelectDevice(), c.expected) << (c.selection ? c.selection : "(none)");
    }
}

TEST_F(DriverTest, SelectionRunsOnceAndKeepsItsChoice) {
    ASSERT_TRUE(sim.LoadDescriptionText(ThreeDevices));
    SetDeviceSelection("gamma");
    EXPECT_EQ(SelectDevice(), 2);
    sim.ClearLog();
    SetDeviceSelection("beta");
    EXPECT_EQ(SelectDevice(), 2);
    EXPECT_EQ(sim.TotalCalls(), 0);  // no second search
}

TEST_F(DriverTest, NoDeviceAnsweringLeavesDeviceZero) {
    sim.SetFault(SimFaultNoAnswers, 1);
    SetDeviceSelection("anything");
    EXPECT_EQ(SelectDevice(), 0);
    TakeSnapshot(tablet, SnapAxes | SnapCursors);
    EXPECT_FALSE(tablet.axesWhole);
    EXPECT_EQ(TabletWidth(tablet), 0u);
    DWORD cursor;
    EXPECT_FALSE(FirstActiveCursor(tablet, cursor));
}

TEST_F(DriverTest, AllRelativeDevicesLeaveDeviceZero) {
    ASSERT_TRUE(sim.LoadDescriptionText("[Tablet]\nDevices=2\n[Device0]\nRelativeX=1\n[Device1]\nRelativeY=1\n"));
    SetDeviceSelection("");
    EXPECT_EQ(SelectDevice(), 0);
}

TEST_F(DriverTest, SnapshotReadsTheSelectedDevice) {
    ASSERT_TRUE(sim.LoadDescriptionText(
        "[Tablet]\nDevices=2\nPenOption=1\n"
        "[Device0]\nRelativeX=1\n"
        "[Device1]\nUnit=2\nResolution=400\nXMin=0\nXMax=8000\nYMin=100\nYMax=6100\nCursors=3\n"
        "[Device1.Cursor0]\nActive=0\n[Device1.Cursor1]\nActive=1\n[Device1.Cursor2]\nActive=1\n"));
    SetDeviceSelection("");
    EXPECT_EQ(SelectDevice(), 1);
    TakeSnapshot(tablet, SnapAxes | SnapPenOption | SnapCursors);
    EXPECT_EQ(tablet.axisX.unitCode, static_cast<uint32_t>(AxisUnitCentimetres));
    EXPECT_EQ(tablet.axisX.resolution, 400u << 16);
    EXPECT_EQ(TabletWidth(tablet), 8000u);
    EXPECT_EQ(TabletHeight(tablet), 6000u);
    DWORD cursor;
    ASSERT_TRUE(FirstActiveCursor(tablet, cursor));
    EXPECT_EQ(cursor, tablet.firstCursor + 1);  // the lowest-numbered active cursor
    EXPECT_TRUE(tablet.penOption);
    ContextRecord record = {};
    EXPECT_FALSE(PenOptionInContext(tablet, record));
    record.options = PenOptionBit;
    EXPECT_TRUE(PenOptionInContext(tablet, record));
}

TEST_F(DriverTest, WithNoCursorActiveTheFirstCursorStandsIn) {
    ASSERT_TRUE(
        sim.LoadDescriptionText("[Device0]\nCursors=2\n[Device0.Cursor0]\nActive=0\n[Device0.Cursor1]\nActive=0\n"));
    TakeSnapshot(tablet, SnapCursors);
    DWORD cursor;
    ASSERT_TRUE(FirstActiveCursor(tablet, cursor));
    EXPECT_EQ(cursor, tablet.firstCursor);
}

// A driver answering nonsense counts, or for every device number, is walked
// no further than the shared limit: every walk ends, and soon.
TEST_F(DriverTest, WalksOverDevicesAndCursorsEndAtTheLimit) {
    ASSERT_TRUE(
        sim.LoadDescriptionText("[Device0]\nRelativeX=1\nCursors=2\n[Device0.Cursor0]\nActive=0\n"
                                "[Device0.Cursor1]\nActive=0\n"));
    ASSERT_TRUE(sim.SetFault(SimFaultEveryDevice, 0x80));      // every device number answers, all relative
    ASSERT_TRUE(sim.SetFault(SimFaultCursorCountAnswer, -2));  // 0xFFFFFFFE cursor types, none active
    SetDeviceSelection("no such tablet");
    EXPECT_EQ(SelectDevice(), 0);
    EXPECT_LE(sim.CallCount(20), static_cast<int>(2 * DriverWalkLimit + 2)) << "device passes";
    sim.ClearLog();
    TakeSnapshot(tablet, SnapCursors | SnapCursorNames, DriverWalkLimit);
    DWORD cursor = 12345;
    EXPECT_TRUE(FirstActiveCursor(tablet, cursor));
    EXPECT_EQ(cursor, tablet.firstCursor);
    EXPECT_LE(sim.LogLinesStartingWith("VXInfoA 2"), static_cast<int>(3 * DriverWalkLimit)) << "cursor walk";
}

// Records the driver answers at more than their size: what lies beyond the
// record is never touched, and the record itself is read in full.
TEST_F(DriverTest, OverlongAnswersStayInTheirRecords) {
    ASSERT_TRUE(sim.SetFault(SimFaultOverlongAnswers, 4096));
    TakeSnapshot(tablet, SnapAxes | SnapCursors | SnapActiveButtons | SnapDefaultContext);
    EXPECT_TRUE(tablet.axesWhole);
    EXPECT_EQ(tablet.axisX.maximum, 12000);
    EXPECT_TRUE(tablet.active.mapWhole);
    EXPECT_EQ(tablet.active.map.entry[0], 1);
    EXPECT_TRUE(tablet.defaultContextWhole);
    EXPECT_EQ(SelectDevice(), 0);
}

TEST_F(DriverTest, LongDriverTextIsFetchedWholeAndCutAtTheBuffer) {
    for (int length : {1, 199, 200, 201, 10000}) {
        sim.SetFault(SimFaultNameLength, length);
        ForgetDeviceSelection();
        TakeSnapshot(tablet, SnapName);
        EXPECT_TRUE(tablet.nameWhole);
        EXPECT_EQ(strlen(tablet.deviceName), static_cast<size_t>(length < 199 ? length : 199)) << length;
    }
}

}  // namespace
