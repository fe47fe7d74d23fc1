// Every dialog in this process beside a driver that lacks one entry point,
// for the entry points the program can do without: the program binds to the
// variant library of bin/missing/<ordinal>/ loaded in place of the whole
// one, so that what each dialog then shows and does can be compared (the
// runs in processes of their own check start-up, exit and crashes).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "defs/features.h"
#include "driver/driver.h"
#include "setup/setup.h"
#include "support/fault_dialogs.h"
#include "support/fault_process.h"

namespace {

using namespace fault_test;

struct VariantCase {
    unsigned ordinal;
    const char* name;
    std::function<void(Expected&)> adjust;
};

std::vector<VariantCase> Cases() {
    return {
        {21, "VXOpenA",
         [](Expected& e) {
             e.contexts = 0;  // no capture context: prompts, but no corner
             e.afterPress = LowerLeftPrompt;
         }},
        {22, "VXClose", [](Expected& e) { e.contextsLeft = 1; }},  // the driver keeps what it cannot close
        {24, "VXPacket", [](Expected& e) { e.afterPress = LowerLeftPrompt; }},
        {40, "VXEnable", [](Expected&) {}},
        {41, "VXOverlap", [](Expected&) {}},
        {61, "VXGetA",
         [](Expected& e) {
             // No context can be read: the dialog starts from an empty record,
             // whose area keeps the least width, and writes none of it.
             e.sensitivity = "0%";
             e.width = "0.01\"";
             e.spunDownWidth = 10;
         }},
        {62, "VXSetA", [](Expected&) {}},
        {101, "VXMgrClose", [](Expected&) {}},
        {120, "VXMgrContextEnum", [](Expected&) {}},  // the default system context serves
        {122, "VXMgrDefContext", [](Expected&) {}},
        {140, "VXMgrDeviceConfig", [](Expected&) {}},
        {181, "VXMgrCsrEnable", [](Expected& e) { e.enableCalls = ""; }},
        {182, "VXMgrCsrButtonMap", [](Expected&) {}},
    };
}

class FaultVariantsTest : public ::testing::TestWithParam<VariantCase> {
protected:
    PreferencesFile preferences;
};

TEST_P(FaultVariantsTest, EveryDialogEveryButton) {
    const VariantCase& v = GetParam();
    std::string dll = BinFolder() + "missing\\" + std::to_string(v.ordinal) + "\\Vellix32.dll";
    FaultHost host(dll);
    ASSERT_TRUE(host.sim.Loaded()) << dll;
    FaultCase c = {v.name, {}, "", 0, v.adjust};
    CheckEveryDialog(host, c);
    EXPECT_EQ(DriverLibraryHandle(), host.sim.Module()) << "the program used another Vellix32.dll";
}

// A read that failed gives nothing to write: without VXGetA, or with a
// driver that answers its reads without writing them, OK writes no context
// from an unread record; a cursor that never answered keeps its map.
TEST(FaultVariantWrites, NothingIsWrittenFromAReadThatFailed) {
    struct Row {
        const char* dll;  // a variant without one entry, or the full stand-in
        std::vector<FaultSetting> faults;
        int setCalls, mapCalls;  // VXSetA and VXMgrCsrButtonMap made by OK; -1: any
    } rows[] = {
        {"missing\\61\\", {}, 0, -1},
        {"", {{SimFaultSilentReads, 1}}, 0, -1},
        {"", {{SimFaultFirstCursor, 10}, {SimFaultCursorCount, 0}}, 2, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.dll);
        PreferencesFile preferences;
        FaultHost host(BinFolder() + row.dll + "Vellix32.dll");
        ASSERT_TRUE(host.sim.Loaded());
        ASSERT_TRUE(host.Apply("", row.faults));
        ASSERT_TRUE(host.Open(IDD_SETUP, SetupDialogProc));
        host.Click(IDC_MODE_RELATIVE);
        host.sim.ClearLog();
        host.Click(IDOK);
        EXPECT_TRUE(host.Ended());
        EXPECT_EQ(row.setCalls, host.sim.CallCount(62)) << host.sim.CallLog();
        if (row.mapCalls >= 0) {
            EXPECT_EQ(row.mapCalls, host.sim.CallCount(182)) << host.sim.CallLog();
        }
        EXPECT_EQ(DriverLibraryHandle(), host.sim.Module());
    }
}

INSTANTIATE_TEST_SUITE_P(Without, FaultVariantsTest, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<VariantCase>& info) { return std::string(info.param.name); });

}  // namespace
