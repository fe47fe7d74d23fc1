// Every dialog of the program driven through all its commands in this
// process, with what each showed along the way. The drivers press every
// command button, choose every list entry, type into every field (valid and
// invalid text), step every spin control up and down, and end each dialog
// with Cancel and, opened again, with OK.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/settings.h"
#include "support/dialog_support.h"
#include "support/fault_matrix.h"

namespace fault_test {

struct InfoSeen {
    bool opened = false;
    std::string id, format, cursor;
    std::vector<std::string> inches;       // width, height, x and y resolution
    std::vector<std::string> centimetres;  // the same after choosing "Centimeters"
    bool cancelEnded = false, okEnded = false;
    int unitAfterCancel = -1, unitAfterOk = -1;
};
InfoSeen DriveInformation(FaultHost& host);

struct FeaturesSeen {
    bool opened = false;
    std::vector<std::string> entries;
    int selection = -2;
    bool cancelEnded = false, okEnded = false;
    int callsOnCancel = -1;   // VXMgrCsrEnable calls made by Cancel
    std::string enableCalls;  // "cursor:flag " pairs of OK with the last entry chosen
};
FeaturesSeen DriveFeatures(FaultHost& host);

struct AboutSeen {
    bool opened = false;
    std::string line;
    bool ignoresOthers = false;  // a command with a notification code does not close it
    bool okEnded = false, escapeEnded = false;
};
AboutSeen DriveAbout(FaultHost& host);

struct SetupSeen {
    bool opened = false;
    std::vector<std::string> buttonNames;
    int actions = -1;
    std::string sensitivity;            // at opening
    std::string sensitivityTyped;       // after typing 75%
    std::vector<std::string> fields;    // the six area fields at opening
    std::vector<std::string> fieldsCm;  // after choosing "Centimeters"
    std::vector<std::string> allTexts;  // every field after every step, for bounds
    AreaBox areaOpened = {};            // what the area control held at opening
    AreaBox areaBeforeSpin = {}, areaSpunDown = {}, areaSpunUp = {};
    AreaBox areaBeforeAspect = {}, areaAspect = {};
    int beepsOnBadWidth = -1;       // beeps from typing a width it cannot read
    std::string promptOnFocus;      // status line once the area control has the focus
    std::string statusAfterPress;   // after a selecting press of the packet cursor
    int contextsWhileFocused = -1;  // opened contexts while the area control has the focus
    int contextsAfterLeaving = -1;
    bool cancelEnded = false, okEnded = false;
};
// The packet cursor is the cursor number of the presses on the area control.
SetupSeen DriveSetup(FaultHost& host, uint32_t packetCursor);

// The display's cursor count and the caret blink time, which the area
// control's cursor echo changes and must put back.
struct CursorState {
    int showCount;
    UINT blinkTime;
    bool operator==(const CursorState& other) const {
        return showCount == other.showCount && blinkTime == other.blinkTime;
    }
};
CursorState CurrentCursorState();

// What a fault case must show. The defaults are the built-in tablet's.
struct Expected {
    // Information
    std::string id = "Vellix PenPad 12x9";
    std::string format = "VX-II format";
    std::string cursor = "Pen is installed.";
    std::vector<std::string> inches = {"12\"", "9\"", "1000 dpi", "1000 dpi"};
    std::vector<std::string> centimetres = {"30.48 cm", "22.86 cm", "393.7 dpcm", "393.7 dpcm"};
    // Features
    std::vector<std::string> cursorTypes = {"Pen", "Puck"};
    int selection = 0;
    std::string enableCalls = "0:0 1:1 ";  // "cursor:flag " of OK with the last entry chosen
    // About
    std::string about = "Tablet Driver Version 1.2";
    // Tablet Setup
    std::vector<std::string> buttonNames = {"Tip", "Lower Barrel", "Upper Barrel"};
    int actions = 10;
    std::string sensitivity = "100%";
    std::string width = "12\"";
    long long spunDownWidth = 11990;  // the width after one step down from the opened area
    int beepsOnWidth5 = 0;            // typing a width of 5 inches
    bool aspectKeepsArea = false;     // Preserve Aspect Ratio must leave the area alone
    int contexts = 1;                 // capture contexts open while the area control has the focus
    int contextsLeft = 0;             // ... and still open once it has lost it
    std::string afterPress = "Click on upper-right corner of active area";
    // A tablet whose queries fail: Test and OK write nothing, each says so
    // in a stop box, and OK keeps the dialog open.
    bool tabletSilent = false;
};

struct FaultCase {
    std::string name;
    std::vector<FaultSetting> faults;
    std::string description;                // a tablet description; empty: the built-in tablet
    uint32_t packetCursor;                  // the cursor that presses on the area control
    std::function<void(Expected&)> adjust;  // from the built-in tablet's figures to the case's
    // Among the harshest cases: the only ones run again under Wine's
    // validating heap (CTest label heap_validate, TABLET_HARSHEST_ONLY set).
    bool harshest = false;
};
constexpr bool Harshest = true;
// The validating heap's pass (TABLET_HARSHEST_ONLY set): every other case and
// test of a fault program is skipped.
bool HarshestOnly();

// Sets the case up, drives Information, About, Tablet Setup and Features
// through every command, and checks what they showed against the case, and
// that no box appeared, every dialog ended on OK and Cancel, no text outgrew
// its buffer, no zero sensitivity was written over the driver's, no single
// action made more than a thousand driver calls, and the cursor and caret
// blink time are as they were.
void CheckEveryDialog(FaultHost& host, const FaultCase& c);

// One host for every case of an executable; vellix.ini is put back after
// each case (the dialogs' OK writes it).
class FaultCaseTest : public ::testing::TestWithParam<FaultCase> {
protected:
    static void SetUpTestSuite() { host = new FaultHost; }
    static void TearDownTestSuite() {
        delete host;
        host = nullptr;
    }
    static inline FaultHost* host = nullptr;
    PreferencesFile preferences;
};

// Case names for the test list.
inline std::string CaseName(const ::testing::TestParamInfo<FaultCase>& info) { return info.param.name; }

extern const char LowerLeftPrompt[];
extern const char UpperRightPrompt[];

}  // namespace fault_test
