// Every dialog under over-long and short driver texts: device and cursor
// names of 1, 199, 200, 201 and 10,000 characters (the real name repeated;
// 28 and 43 end right after "Format: " and after "Version"),
// button names without the final empty name, texts written past their size
// and sizes of 0xFFFFFFFF. The texts must be cut at
// their buffers (device name 200, cursor name 80 in Information, 100 in
// Features, lines 80), never overflow them, and the parts still be found
// where the cut leaves them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/dialog_support.h"
#include "support/fault_dialogs.h"
#include "vellix_control.h"

namespace {

using namespace fault_test;

const char FullName[] = "Vellix PenPad 12x9; Format: VX-II; Version 1.2";

std::string Cut(const std::string& text, size_t room) { return text.substr(0, room); }
size_t AtMost(size_t length, size_t room) { return length < room ? length : room; }

// The names NameLength gives, as the dialogs must show them.
void LongNames(Expected& e, size_t length) {
    std::string name = Repeated(FullName, length);
    e.id = Cut(name.substr(0, name.find(';')), 199);
    if (name.find("ormat: VX-II") == std::string::npos) e.format = "unknown format";
    if (name.find("ersion 1.2") == std::string::npos) e.about = "Tablet Driver Version unknown";
    e.cursor = Cut(Repeated("Pen", AtMost(length, 79)) + " is installed.", 79);
    e.cursorTypes = {Repeated("Pen", AtMost(length, 99)), Repeated("Puck", AtMost(length, 99))};
}

std::vector<FaultCase> Cases() {
    std::vector<FaultCase> cases;
    for (size_t length : {1, 28, 43, 199, 200, 201, 10000})
        cases.push_back({"NamesOf" + std::to_string(length),
                         {{SimFaultNameLength, static_cast<int>(length)}},
                         "",
                         0,
                         [length](Expected& e) { LongNames(e, length); },
                         length == 201 || length == 10000});
    // The list holds the three names and nothing read beyond them.
    cases.push_back(
        {"ButtonNamesWithoutTheEmptyName", {{SimFaultUnterminatedNames, 1}}, "", 0, [](Expected&) {}, Harshest});
    // Names of 199 characters written 150 bytes past their size: only the
    // announced text is kept.
    cases.push_back({"TextsWrittenPastTheirSize",
                     {{SimFaultNameLength, 199}, {SimFaultTextOverrun, 150}},
                     "",
                     0,
                     [](Expected& e) { LongNames(e, 199); },
                     Harshest});
    // Sizes that leave out the final NUL: every name is kept whole.
    cases.push_back(
        {"TextSizesWithoutTheirTerminator", {{SimFaultTextSizeWithoutTerminator, 1}}, "", 0, [](Expected&) {}});
    // A size of 0xFFFFFFFF is a failed query: no text at all.
    cases.push_back({"TextSizesOf0xFFFFFFFF",
                     {{SimFaultHugeTextSize, 1}},
                     "",
                     0,
                     [](Expected& e) {
                         e.id = "";
                         e.format = "unknown format";
                         e.cursor = "unknown is installed.";
                         e.about = "Tablet Driver Version unknown";
                         e.cursorTypes = {"", ""};
                         e.buttonNames = {};
                     },
                     Harshest});
    return cases;
}

TEST_P(FaultCaseTest, EveryDialogEveryButton) { CheckEveryDialog(*host, GetParam()); }

INSTANTIATE_TEST_SUITE_P(Names, FaultCaseTest, ::testing::ValuesIn(Cases()), CaseName);

}  // namespace
