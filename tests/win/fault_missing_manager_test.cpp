// The real program in a process of its own beside a driver that lacks one
// of its manager entry points, for each in turn: VXMgrOpen (100),
// VXMgrClose (101), VXMgrContextEnum (120), VXMgrDefContext (122),
// VXMgrDeviceConfig (140), VXMgrCsrEnable (181), VXMgrCsrButtonMap (182).
// Without VXMgrOpen no manager opens and the program stops at start-up with
// "Tablet Driver Not Found."; without any other it runs every dialog
// through every command button and Exit ends the process with 0.
#include <gtest/gtest.h>

#include "support/fault_process.h"

namespace {

TEST(FaultMissingManagerTest, EachManagerEntryPointMissingInTurn) {
    fault_test::CheckMissingEntryPoints({100, 101, 120, 122, 140, 181, 182});
}

}  // namespace
