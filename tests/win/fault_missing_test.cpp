// The real program in a process of its own beside a driver that lacks one
// of its information and context entry points, for each in turn: VXInfoA
// (20), VXOpenA (21), VXClose (22), VXPacket (24), VXEnable (40), VXOverlap
// (41), VXGetA (61), VXSetA (62). Without VXInfoA the program stops at
// start-up with "Tablet Driver Not Found."; without any other it runs:
// every dialog opens through the main window's commands, every command
// button is pressed, and Exit ends the process with 0 by itself.
#include <gtest/gtest.h>

#include "support/fault_process.h"

namespace {

TEST(FaultMissingTest, EachInformationAndContextEntryPointMissingInTurn) {
    fault_test::CheckMissingEntryPoints({20, 21, 22, 24, 40, 41, 61, 62});
}

}  // namespace
