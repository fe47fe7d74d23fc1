// Every dialog driven through all its commands; see fault_dialogs.h.
#include "support/fault_dialogs.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "controls/controls.h"
#include "defs/features.h"
#include "dialogs/dialogs.h"
#include "driver/driver.h"
#include "setup/setup.h"
#include "support/windows_harness.h"

namespace fault_test {

namespace {

const int AreaEdits[] = {IDC_WIDTH_EDIT, IDC_HEIGHT_EDIT, IDC_LEFT_EDIT, IDC_TOP_EDIT, IDC_RIGHT_EDIT, IDC_BOTTOM_EDIT};

std::vector<std::string> Texts(FaultHost& host, const int* ids, size_t count) {
    std::vector<std::string> texts;
    for (size_t i = 0; i < count; ++i) texts.push_back(host.Text(ids[i]));
    return texts;
}

AreaBox ControlArea(FaultHost& host) {
    PumpMessages();  // spins post the area to the control
    AreaBox area = {-1, -1, -1, -1};
    SendMessageA(host.Item(IDC_AREA_CONTROL), SAM_GETAREA, 0, reinterpret_cast<LPARAM>(&area));
    return area;
}

// Every text the Setup dialog shows in its fields and status line.
void NoteTexts(FaultHost& host, SetupSeen& seen) {
    for (int id : AreaEdits) seen.allTexts.push_back(host.Text(id));
    seen.allTexts.push_back(host.Text(IDC_SENS_EDIT));
    seen.allTexts.push_back(host.Text(IDC_STATUS_LINE));
}

void Packet(FaultHost& host, uint32_t cursor, uint32_t buttons, int32_t x, int32_t y) {
    host.sim.InjectPacket(cursor, buttons, x, y);
    PumpMessages();
}

// The area control takes the focus, sees a hover and a selecting press of
// the cursor at a quarter of the tablet, a key stops it, and the focus
// leaves. The X server may take the activation away in between (a late
// event of an earlier window); such a run is not counted and done again.
void DriveCapture(FaultHost& host, uint32_t cursor, SetupSeen& seen) {
    HWND control = host.Item(IDC_AREA_CONTROL);
    AxisInfo x, y;
    ReadAxis(DeviceAxisX, x);
    ReadAxis(DeviceAxisY, y);
    int32_t px = x.minimum + (x.maximum - x.minimum) / 4;
    int32_t py = y.minimum + (y.maximum - y.minimum) / 4 * 3;
    for (int attempt = 0; attempt < 3; ++attempt) {
        SetForegroundWindow(host.Dialog());
        PumpMessages();
        SetFocus(control);
        PumpMessages();
        seen.promptOnFocus = host.Text(IDC_STATUS_LINE);
        seen.contextsWhileFocused = host.sim.OpenedContextCount();
        Packet(host, cursor, 0, px, py);
        Packet(host, cursor, 1, px, py);
        seen.statusAfterPress = host.Text(IDC_STATUS_LINE);
        Packet(host, cursor, 0, px, py);
        bool kept = GetFocus() == control;
        NoteTexts(host, seen);
        SendMessageA(control, WM_KEYDOWN, 'X', 0);
        PumpMessages();
        SetFocus(host.Item(IDOK));
        PumpMessages();
        seen.contextsAfterLeaving = host.sim.OpenedContextCount();
        if (kept) break;
    }
}

}  // namespace

CursorState CurrentCursorState() {
    int shown = ShowCursor(TRUE) - 1;
    ShowCursor(FALSE);
    return {shown, GetCaretBlinkTime()};
}

InfoSeen DriveInformation(FaultHost& host) {
    InfoSeen seen;
    const int values[] = {IDC_INFO_WIDTH, IDC_INFO_HEIGHT, IDC_INFO_XRES, IDC_INFO_YRES};
    if (!host.Open(IDD_INFORMATION, InfoDialogProc)) return seen;
    seen.opened = true;
    seen.id = host.Text(IDC_INFO_ID);
    seen.format = host.Text(IDC_INFO_FORMAT);
    seen.cursor = host.Text(IDC_INFO_CURSOR);
    seen.inches = Texts(host, values, 4);
    host.Select(IDC_INFO_UNITS, 1);
    seen.centimetres = Texts(host, values, 4);
    host.Click(IDCANCEL);
    seen.cancelEnded = host.Ended();
    seen.unitAfterCancel = CurrentUnit;

    if (host.Open(IDD_INFORMATION, InfoDialogProc)) {
        host.Select(IDC_INFO_UNITS, 1);
        host.Click(IDOK);
        seen.okEnded = host.Ended();
        seen.unitAfterOk = CurrentUnit;
    }
    host.Close();
    CurrentUnit = 0;
    return seen;
}

FeaturesSeen DriveFeatures(FaultHost& host) {
    FeaturesSeen seen;
    if (!host.Open(IDD_FEATURES, FeaturesDialogProc)) return seen;
    seen.opened = true;
    seen.entries = host.Entries(IDC_FEAT_CURSORS);
    seen.selection = host.Selection(IDC_FEAT_CURSORS);
    for (size_t i = 0; i < seen.entries.size(); ++i) host.Select(IDC_FEAT_CURSORS, static_cast<int>(i));
    host.sim.ClearLog();
    host.Click(IDCANCEL);
    seen.cancelEnded = host.Ended();
    seen.callsOnCancel = host.sim.LogLinesStartingWith("VXMgrCsrEnable");

    if (host.Open(IDD_FEATURES, FeaturesDialogProc)) {
        if (!seen.entries.empty()) host.Select(IDC_FEAT_CURSORS, static_cast<int>(seen.entries.size() - 1));
        host.sim.ClearLog();
        host.Click(IDOK);
        seen.okEnded = host.Ended();
        seen.enableCalls = CursorEnableCalls(host.sim.CallLog());
    }
    host.Close();
    return seen;
}

AboutSeen DriveAbout(FaultHost& host) {
    AboutSeen seen;
    if (!host.Open(IDD_ABOUT, AboutDialogProc)) return seen;
    seen.opened = true;
    seen.line = host.Text(IDC_ABOUT_DRIVER);
    host.Command(MAKEWPARAM(IDOK, 1));  // not OK itself: a notification from a control with id 1
    seen.ignoresOthers = !host.Ended();
    host.Command(IDOK);
    seen.okEnded = host.Ended();
    if (host.Open(IDD_ABOUT, AboutDialogProc)) {
        host.Command(IDCANCEL);
        seen.escapeEnded = host.Ended();
    }
    host.Close();
    return seen;
}

SetupSeen DriveSetup(FaultHost& host, uint32_t packetCursor) {
    SetupSeen seen;
    if (!host.Open(IDD_SETUP, SetupDialogProc)) return seen;
    seen.opened = true;
    seen.buttonNames = host.Entries(IDC_BUTTON_LIST);
    seen.actions = static_cast<int>(host.Entries(IDC_ACTION_LIST).size());
    seen.sensitivity = host.Text(IDC_SENS_EDIT);
    seen.fields = host.AreaFieldTexts();
    seen.areaOpened = ControlArea(host);
    NoteTexts(host, seen);

    // Tracking mode and sensitivity: typed (valid, zero, too large, not a
    // number, empty, negative) and spun both ways.
    host.Click(IDC_MODE_ABSOLUTE);
    host.Click(IDC_MODE_RELATIVE);
    host.Type(IDC_SENS_EDIT, "75%");
    seen.sensitivityTyped = host.Text(IDC_SENS_EDIT);
    for (const char* text : {"0", "150", "7x", "", "-5"}) host.Type(IDC_SENS_EDIT, text);
    for (WORD code : {TWN_UP, TWN_UP, TWN_DOWN, TWN_DOWN}) host.Notify(IDC_SENS_SPIN, code);
    NoteTexts(host, seen);

    // Button assignments: Default both ways, every action for each button,
    // then the action it had (so that no click is lost), then the first
    // button again.
    host.Click(IDC_DEFAULT_BUTTONS);
    host.Click(IDC_DEFAULT_BUTTONS);
    for (size_t b = 0; b < seen.buttonNames.size(); ++b) {
        host.Select(IDC_BUTTON_LIST, static_cast<int>(b));
        int action = host.Selection(IDC_ACTION_LIST);
        for (int a = 0; a < seen.actions; ++a) host.Select(IDC_ACTION_LIST, a);
        if (action >= 0) host.Select(IDC_ACTION_LIST, action);
    }
    if (!seen.buttonNames.empty()) host.Select(IDC_BUTTON_LIST, 0);

    // The tracking area, with Whole Tablet off so that every part takes part.
    if (host.Checked(IDC_WHOLE_TABLET)) host.Click(IDC_WHOLE_TABLET);
    seen.areaBeforeSpin = ControlArea(host);
    host.Notify(IDC_WIDTH_SPIN, TWN_DOWN);
    seen.areaSpunDown = ControlArea(host);
    host.Notify(IDC_WIDTH_SPIN, TWN_UP);
    seen.areaSpunUp = ControlArea(host);
    seen.areaBeforeAspect = ControlArea(host);
    host.Click(IDC_PRESERVE_ASPECT);
    seen.areaAspect = ControlArea(host);
    host.Click(IDC_PRESERVE_ASPECT);
    host.Select(IDC_UNITS_LIST, 1);
    seen.fieldsCm = host.AreaFieldTexts();
    host.Select(IDC_UNITS_LIST, 0);
    NoteTexts(host, seen);

    int beeps = BeepCount();
    host.Type(IDC_WIDTH_EDIT, "5");
    seen.beepsOnBadWidth = BeepCount() - beeps;
    for (int edit : AreaEdits)
        for (const char* text : {"1", "abc", "99999", "1e-1", ""}) host.Type(edit, text);
    for (int spin = IDC_WIDTH_SPIN; spin <= IDC_BOTTOM_SPIN; spin += 3) {
        host.Notify(spin, TWN_UP);
        host.Notify(spin, TWN_DOWN);
        host.Notify(spin, TWN_DOWN);
    }
    NoteTexts(host, seen);
    host.Click(IDC_WHOLE_TABLET);
    host.Click(IDC_WHOLE_TABLET);
    NoteTexts(host, seen);

    DriveCapture(host, packetCursor, seen);

    host.Click(IDC_SETUP_TEST);
    host.Click(IDC_SETUP_REVERT);
    NoteTexts(host, seen);
    host.Click(IDCANCEL);
    seen.cancelEnded = host.Ended();

    if (host.Open(IDD_SETUP, SetupDialogProc)) {
        host.Click(IDOK);
        seen.okEnded = host.Ended();
    }
    host.Close();
    CurrentUnit = 0;
    return seen;
}

// --- checking a case -----------------------------------------------------------

const char LowerLeftPrompt[] = "Click on lower-left corner of active area";
const char UpperRightPrompt[] = "Click on upper-right corner of active area";

namespace {

void ExpectBounded(const std::string& text, size_t room, const char* what) {
    EXPECT_LE(text.size(), room) << what << ": " << text.substr(0, 40) << "...";
}

}  // namespace

void CheckEveryDialog(FaultHost& hostRef, const FaultCase& c) {
    FaultHost* host = &hostRef;
    Expected e;
    c.adjust(e);
    ASSERT_TRUE(host->sim.Loaded());
    ASSERT_TRUE(host->Apply(c.description, c.faults));
    CursorState before = CurrentCursorState();

    InfoSeen info = DriveInformation(*host);
    AboutSeen about = DriveAbout(*host);
    SetupSeen setup = DriveSetup(*host, c.packetCursor);
    FeaturesSeen features = DriveFeatures(*host);  // last: OK changes the cursor in use

    // Information
    ASSERT_TRUE(info.opened);
    EXPECT_EQ(info.id, e.id);
    EXPECT_EQ(info.format, e.format);
    EXPECT_EQ(info.cursor, e.cursor);
    EXPECT_EQ(info.inches, e.inches);
    EXPECT_EQ(info.centimetres, e.centimetres);
    EXPECT_TRUE(info.cancelEnded);
    EXPECT_EQ(info.unitAfterCancel, 0);
    EXPECT_TRUE(info.okEnded);
    EXPECT_EQ(info.unitAfterOk, 1);
    ExpectBounded(info.id, 199, "identification");
    ExpectBounded(info.format, 79, "format line");
    ExpectBounded(info.cursor, 79, "cursor line");

    // About
    ASSERT_TRUE(about.opened);
    EXPECT_EQ(about.line, e.about);
    EXPECT_TRUE(about.ignoresOthers);
    EXPECT_TRUE(about.okEnded);
    EXPECT_TRUE(about.escapeEnded);
    ExpectBounded(about.line, 79, "driver version line");

    // Tablet Setup
    ASSERT_TRUE(setup.opened);
    EXPECT_EQ(setup.buttonNames, e.buttonNames);
    EXPECT_EQ(setup.actions, e.actions);
    EXPECT_EQ(setup.sensitivity, e.sensitivity);
    EXPECT_EQ(setup.sensitivityTyped, "75%");
    ASSERT_EQ(setup.fields.size(), 6u);
    EXPECT_EQ(setup.fields[0], e.width);
    EXPECT_EQ(static_cast<long long>(static_cast<uint32_t>(setup.areaSpunDown.right - setup.areaSpunDown.left)),
              e.spunDownWidth)
        << "from a width of " << setup.areaBeforeSpin.right - setup.areaBeforeSpin.left;
    EXPECT_EQ(setup.beepsOnBadWidth, e.beepsOnWidth5);
    if (e.aspectKeepsArea) {
        EXPECT_EQ(setup.areaAspect.left, setup.areaBeforeAspect.left);
        EXPECT_EQ(setup.areaAspect.top, setup.areaBeforeAspect.top);
        EXPECT_EQ(setup.areaAspect.right, setup.areaBeforeAspect.right);
        EXPECT_EQ(setup.areaAspect.bottom, setup.areaBeforeAspect.bottom);
    }
    EXPECT_EQ(setup.promptOnFocus, LowerLeftPrompt);
    EXPECT_EQ(setup.contextsWhileFocused, e.contexts);
    EXPECT_EQ(setup.statusAfterPress, e.afterPress);
    EXPECT_EQ(setup.contextsAfterLeaving, e.contextsLeft);
    EXPECT_TRUE(setup.cancelEnded);
    EXPECT_EQ(setup.okEnded, !e.tabletSilent);
    for (const std::string& text : setup.allTexts) ExpectBounded(text, 79, "Setup text");
    for (const std::string& text : setup.fields) ExpectBounded(text, 21, "area field");
    for (const std::string& text : setup.fieldsCm) ExpectBounded(text, 21, "area field");

    // Features
    ASSERT_TRUE(features.opened);
    EXPECT_EQ(features.entries, e.cursorTypes);
    EXPECT_EQ(features.selection, e.selection);
    EXPECT_TRUE(features.cancelEnded);
    EXPECT_EQ(features.callsOnCancel, 0);
    EXPECT_TRUE(features.okEnded);
    EXPECT_EQ(features.enableCalls, e.enableCalls);
    for (const std::string& entry : features.entries) ExpectBounded(entry, 99, "cursor type");

    // Nothing asked the user anything, nothing was left behind.
    // Only a silent tablet is reported, by Test and by OK.
    size_t silentBoxes = 0;
    for (const SeenBox& box : host->boxes.boxes) {
        if (e.tabletSilent && box.text == "The tablet does not answer. Nothing was changed.") {
            ++silentBoxes;
            continue;
        }
        ADD_FAILURE() << "box \"" << box.caption << "\": " << box.text;
    }
    EXPECT_EQ(silentBoxes, e.tabletSilent ? 2u : 0u);
    EXPECT_TRUE(ThreadDialogs().empty());
    EXPECT_EQ(host->sim.OpenedContextCount(), e.contextsLeft);
    EXPECT_TRUE(CurrentCursorState() == before) << "the cursor echo left the cursor or caret changed";
}

}  // namespace fault_test
