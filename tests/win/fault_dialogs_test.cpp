// Every dialog under the driver's bad answers: every query answering 0, a
// resolution of 0, below one step per hundredth, tiny or huge, an empty x or
// y extent, extents over the whole 32-bit range, negative minimums, the pen
// option, and a capture context that will not open or packets that cannot
// be read.
// Each case opens Information, About, Tablet Setup and Features from their
// real templates with their real procedures, presses every command button
// and compares what they showed with what the fault must give (see
// CheckEveryDialog for what holds in every case).
#include <gtest/gtest.h>

#include <vector>

#include "support/fault_dialogs.h"
#include "vellix_control.h"

namespace {

using namespace fault_test;

// clang-format off
std::vector<FaultCase> Cases() {
    return {
        {"NoFault", {}, "", 0, [](Expected&) {}},
        {"EveryQueryAnswersZero", {{SimFaultNoAnswers, 1}}, "", 0,
         [](Expected& e) {
             e.id = "";
             e.format = "unknown format";
             e.cursor = "unknown is installed.";
             e.tabletSilent = true;
             e.inches = {"0\"", "0\"", "0 dpi", "0 dpi"};
             e.centimetres = {"0 cm", "0 cm", "0 dpcm", "0 dpcm"};
             e.cursorTypes = {};
             e.selection = -1;
             e.enableCalls = "";  // no cursor answered: nothing is enabled
             e.about = "Tablet Driver Version unknown";
             e.buttonNames = {};
             e.sensitivity = "";  // no resolution: no percentage, the field disabled
             e.width = "0\"";
             e.spunDownWidth = 0;  // an empty tablet holds no width
             e.beepsOnWidth5 = 1;  // no resolution: nothing typed can be read
             e.aspectKeepsArea = true;
             e.contexts = 0;  // no default context to open the capture from
             e.afterPress = LowerLeftPrompt;
         }, Harshest},
        {"ZeroResolution", {{SimFaultZeroResolution, 1}}, "", 0,
         [](Expected& e) {
             e.inches = {"0\"", "0\"", "0 dpi", "0 dpi"};
             e.centimetres = {"0 cm", "0 cm", "0 dpcm", "0 dpcm"};
             e.sensitivity = "";  // no resolution: no percentage, the field disabled
             e.width = "0\"";
             e.spunDownWidth = 11999;  // no step from the resolution: one count
             e.beepsOnWidth5 = 1;
         }, Harshest},
        {"LowResolution", {}, "[Device0]\nResolution=10\n", 0,
         [](Expected& e) {
             e.inches = {"1200\"", "900\"", "10 dpi", "10 dpi"};
             e.centimetres = {"3048 cm", "2286 cm", "3.94 dpcm", "3.94 dpcm"};
             e.sensitivity = "50%";
             e.width = "1200\"";
             e.spunDownWidth = 11999;  // a hundredth of an inch is less than a count: one count
         }},
        {"ZeroExtentX", {{SimFaultZeroExtentX, 1}}, "", 0,
         [](Expected& e) {
             e.inches = {"0\"", "9\"", "1000 dpi", "1000 dpi"};
             e.centimetres = {"0 cm", "22.86 cm", "393.7 dpcm", "393.7 dpcm"};
             e.spunDownWidth = 0;
             e.beepsOnWidth5 = 1;  // beyond an empty axis
             e.aspectKeepsArea = true;
         }, Harshest},
        {"ZeroExtentY", {{SimFaultZeroExtentY, 1}}, "", 0,
         [](Expected& e) {
             e.inches = {"12\"", "0\"", "1000 dpi", "1000 dpi"};
             e.centimetres = {"30.48 cm", "0 cm", "393.7 dpcm", "393.7 dpcm"};
             e.aspectKeepsArea = true;
         }},
        {"PenOption", {}, "[Tablet]\nPenOption=1\n", 0, [](Expected& e) { e.actions = 7; }},
        // A count of 1/65536 inch: the area step is 655 counts.
        {"HugeResolution", {}, "[Device0]\nResolution=0xFFFFFFFF\n", 0,
         [](Expected& e) {
             e.inches = {"0.18\"", "0.14\"", "65536 dpi", "65536 dpi"};
             e.centimetres = {"0.47 cm", "0.35 cm", "25801.57 dpcm", "25801.57 dpcm"};
             e.width = "0.18\"";
             e.spunDownWidth = 11135;  // rounded to 18 steps, one off
             e.beepsOnWidth5 = 1;      // 5 inches are far beyond the tablet
         }},
        // One count per 65,536 inches: every length is huge, no resolution shows.
        {"TinyResolution", {}, "[Device0]\nResolution=0x1\n", 0,
         [](Expected& e) {
             e.inches = {"786432000\"", "589824000\"", "0 dpi", "0 dpi"};
             e.centimetres = {"1997537280 cm", "1498152960 cm", "0 dpcm", "0 dpcm"};
             e.sensitivity = "";  // no resolution: no percentage, the field disabled
             e.width = "786432000\"";
             e.spunDownWidth = 11999;
             e.beepsOnWidth5 = 1;  // 5 inches are less than a count: no width at all
         }},
        // ... and lengths whose whole part does not fit 32 bits show 0.
        {"TinyResolutionHugeExtents", {},
         "[Device0]\nResolution=0x1\nXMin=-2147483648\nXMax=2147483647\nYMin=-2147483648\nYMax=2147483647\n", 0,
         [](Expected& e) {
             e.inches = {"0\"", "0\"", "0 dpi", "0 dpi"};
             e.centimetres = {"0 cm", "0 cm", "0 dpcm", "0 dpcm"};
             e.sensitivity = "";  // no resolution: no percentage, the field disabled
             e.width = "0\"";
             e.spunDownWidth = 4294967294;
             e.beepsOnWidth5 = 1;
         }},
        // A centimetre tablet as wide as 32 bits allow and one count high.
        {"CentimetreTabletHugeAndFlat", {},
         "[Device0]\nUnit=2\nResolution=0xFFFFFFFF\nXMin=-2147483648\nXMax=2147483647\nYMin=0\nYMax=1\n", 0,
         [](Expected& e) {
             e.inches = {"25801.57\"", "0\"", "166461.44 dpi", "166461.44 dpi"};
             e.centimetres = {"65536 cm", "0 cm", "65536 dpcm", "65536 dpcm"};
             e.width = "25801.57\"";
             e.spunDownWidth = 4294966655;  // steps of 655 counts, near the top of the range
         }},
        // Axes over the whole 32-bit range: every width near its top.
        {"HugeExtents", {}, "[Device0]\nXMin=-2147483648\nXMax=2147483647\nYMin=-2147483648\nYMax=2147483647\n", 0,
         [](Expected& e) {
             e.inches = {"4294967.29\"", "4294967.29\"", "1000 dpi", "1000 dpi"};
             e.centimetres = {"10909216.93 cm", "10909216.93 cm", "393.7 dpcm", "393.7 dpcm"};
             e.width = "4294967.29\"";
             e.spunDownWidth = 4294967290;  // one step below, not a wrap to 0
         }},
        {"NegativeMinimum", {}, "[Device0]\nXMin=-6000\nXMax=6000\nYMin=-4500\nYMax=4500\n", 0, [](Expected&) {}},
        {"CaptureOpenFails", {{SimFaultOpenFails, 1}}, "", 0,
         [](Expected& e) {
             e.contexts = 0;
             e.afterPress = LowerLeftPrompt;  // no packets: no corner
         }},
        {"PacketsUnreadable", {{SimFaultPacketFails, 1}}, "", 0,
         [](Expected& e) { e.afterPress = LowerLeftPrompt; }},
    };
}
// clang-format on

TEST_P(FaultCaseTest, EveryDialogEveryButton) { CheckEveryDialog(*host, GetParam()); }

INSTANTIATE_TEST_SUITE_P(DriverAnswers, FaultCaseTest, ::testing::ValuesIn(Cases()), CaseName);

}  // namespace
