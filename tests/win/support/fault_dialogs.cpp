// Every dialog driven through all its commands; see fault_dialogs.h.
#include "support/fault_dialogs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "controls/controls.h"
#include "defs/features.h"
#include "dialogs/dialogs.h"
#include "driver/driver.h"
#include "exchange/snapshot.h"
#include "setup/setup.h"
#include "support/dialog_walk.h"
#include "support/windows_harness.h"

namespace fault_test {

namespace {

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
    for (int id : AreaFieldIds) seen.allTexts.push_back(host.Text(id));
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
    static TabletSnapshot tablet;
    TakeSnapshot(tablet, SnapAxes);
    const AxisInfo& x = tablet.axisX;
    const AxisInfo& y = tablet.axisY;
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

namespace {

// The most driver calls one action of a walk made (opening a dialog or
// pressing one of its buttons): each counts its calls while it lasts.
int mostCallsOfAnAction = 0;
class ActionCalls {
public:
    explicit ActionCalls(FaultHost& host) : host(host), before(host.sim.TotalCalls()) {}
    ~ActionCalls() { mostCallsOfAnAction = std::max(mostCallsOfAnAction, host.sim.TotalCalls() - before); }

private:
    FaultHost& host;
    int before;
};

// The walk hosted in this process: the dialogs opened from their templates
// with their procedures, every step sent, and what each showed noted.
class HostDriver : public DialogDriver {
public:
    HostDriver(FaultHost& host, uint32_t packetCursor = 0) : host(host), packetCursor(packetCursor) {}

    InfoSeen info;
    FeaturesSeen features;
    AboutSeen about;
    SetupSeen setup;

    Sides Side() const override { return InProcess; }
    bool Open(const DialogWalk& walk, bool again) override {
        if (again && !opened) return false;  // the walk ended when the dialog did not open
        ActionCalls calls(host);
        bool now = host.Open(walk.templateId, Procedure(walk)) != nullptr;
        if (!again) opened = now;
        return now;
    }
    void Press(int id) override {
        ActionCalls calls(host);
        host.Click(id);
    }
    void Command(WPARAM command) override {
        ActionCalls calls(host);
        host.Command(command);
    }
    void Notify(int id, WORD code) override { host.Notify(id, code); }
    void Select(int listId, int index) override { host.Select(listId, index); }
    void Type(int editId, const char* text) override { host.Type(editId, text); }
    int Count(int listId) override { return host.Count(listId); }
    int Selection(int listId) override { return host.Selection(listId); }
    bool Checked(int id) override { return host.Checked(id); }
    void Capture() override { DriveCapture(host, packetCursor, setup); }
    void End(int id, bool bareCommand) override {
        ActionCalls calls(host);
        if (bareCommand)
            host.Command(static_cast<WPARAM>(id));
        else
            host.Click(id);
    }
    void Finish(const DialogWalk& walk) override {
        if (!opened) return;
        host.Close();
        if (walk.templateId == IDD_INFORMATION || walk.templateId == IDD_SETUP) CurrentUnit = 0;
    }
    void Note(Look look) override;

private:
    static DLGPROC Procedure(const DialogWalk& walk) {
        switch (walk.templateId) {
        case IDD_INFORMATION: return InfoDialogProc;
        case IDD_FEATURES: return FeaturesDialogProc;
        case IDD_ABOUT: return AboutDialogProc;
        default: return SetupDialogProc;
        }
    }

    FaultHost& host;
    uint32_t packetCursor;
    bool opened = false;
    int beeps = 0;
};

void HostDriver::Note(Look look) {
    const int infoValues[] = {IDC_INFO_WIDTH, IDC_INFO_HEIGHT, IDC_INFO_XRES, IDC_INFO_YRES};
    switch (look) {
    case Look::None: break;
    case Look::InfoOpened:
        info.opened = true;
        info.id = host.Text(IDC_INFO_ID);
        info.format = host.Text(IDC_INFO_FORMAT);
        info.cursor = host.Text(IDC_INFO_CURSOR);
        info.inches = Texts(host, infoValues, 4);
        break;
    case Look::InfoCentimetres: info.centimetres = Texts(host, infoValues, 4); break;
    case Look::InfoCancelled:
        info.cancelEnded = host.Ended();
        info.unitAfterCancel = CurrentUnit;
        break;
    case Look::InfoOk:
        info.okEnded = host.Ended();
        info.unitAfterOk = CurrentUnit;
        break;
    case Look::FeaturesOpened:
        features.opened = true;
        features.entries = host.Entries(IDC_FEAT_CURSORS);
        features.selection = host.Selection(IDC_FEAT_CURSORS);
        break;
    case Look::ClearCallLog: host.sim.ClearLog(); break;
    case Look::FeaturesCancelled:
        features.cancelEnded = host.Ended();
        features.callsOnCancel = host.sim.LogLinesStartingWith("VXMgrCsrEnable");
        break;
    case Look::FeaturesOk:
        features.okEnded = host.Ended();
        features.enableCalls = CursorEnableCalls(host.sim.CallLog());
        break;
    case Look::AboutOpened:
        about.opened = true;
        about.line = host.Text(IDC_ABOUT_DRIVER);
        break;
    case Look::AboutIgnoresOthers: about.ignoresOthers = !host.Ended(); break;
    case Look::AboutOk: about.okEnded = host.Ended(); break;
    case Look::AboutEscaped: about.escapeEnded = host.Ended(); break;
    case Look::SetupOpened:
        setup.opened = true;
        setup.buttonNames = host.Entries(IDC_BUTTON_LIST);
        setup.actions = static_cast<int>(host.Entries(IDC_ACTION_LIST).size());
        setup.sensitivity = host.Text(IDC_SENS_EDIT);
        setup.fields = host.AreaFieldTexts();
        setup.areaOpened = ControlArea(host);
        NoteTexts(host, setup);
        break;
    case Look::SensitivityTyped: setup.sensitivityTyped = host.Text(IDC_SENS_EDIT); break;
    case Look::SensitivitySpun: break;  // read by the other process
    case Look::SetupTexts: NoteTexts(host, setup); break;
    case Look::AreaBeforeSpin: setup.areaBeforeSpin = ControlArea(host); break;
    case Look::AreaSpunDown: setup.areaSpunDown = ControlArea(host); break;
    case Look::AreaSpunUp: setup.areaSpunUp = ControlArea(host); break;
    case Look::AreaBeforeAspect: setup.areaBeforeAspect = ControlArea(host); break;
    case Look::AreaAspect: setup.areaAspect = ControlArea(host); break;
    case Look::FieldsCentimetres: setup.fieldsCm = host.AreaFieldTexts(); break;
    case Look::BeepsBefore: beeps = BeepCount(); break;
    case Look::BeepsAfter: setup.beepsOnBadWidth = BeepCount() - beeps; break;
    case Look::SizeTyped: break;  // read by the other process
    case Look::SetupCancelled: setup.cancelEnded = host.Ended(); break;
    case Look::SetupOk: setup.okEnded = host.Ended(); break;
    }
}

}  // namespace

InfoSeen DriveInformation(FaultHost& host) {
    HostDriver driver(host);
    Walk(InformationWalk, driver);
    return driver.info;
}

FeaturesSeen DriveFeatures(FaultHost& host) {
    HostDriver driver(host);
    Walk(FeaturesWalk, driver);
    return driver.features;
}

AboutSeen DriveAbout(FaultHost& host) {
    HostDriver driver(host);
    Walk(AboutWalk, driver);
    return driver.about;
}

SetupSeen DriveSetup(FaultHost& host, uint32_t packetCursor) {
    HostDriver driver(host, packetCursor);
    Walk(SetupWalk, driver);
    return driver.setup;
}

// --- checking a case -----------------------------------------------------------

const char LowerLeftPrompt[] = "Click on lower-left corner of active area";
const char UpperRightPrompt[] = "Click on upper-right corner of active area";

namespace {

void ExpectBounded(const std::string& text, size_t room, const char* what) {
    EXPECT_LE(text.size(), room) << what << ": " << text.substr(0, 40) << "...";
}

}  // namespace

bool HarshestOnly() { return GetEnvironmentVariableA("TABLET_HARSHEST_ONLY", nullptr, 0) != 0; }

void CheckEveryDialog(FaultHost& hostRef, const FaultCase& c) {
    if (!c.harshest && HarshestOnly()) GTEST_SKIP() << "only the harshest cases run under the validating heap";
    FaultHost* host = &hostRef;
    Expected e;
    c.adjust(e);
    ASSERT_TRUE(host->sim.Loaded());
    ASSERT_TRUE(host->Apply(c.description, c.faults));
    CursorState before = CurrentCursorState();
    const uint32_t sensitivityBefore = host->sim.Context(host->sim.DefaultSystemContext()).sensitivityX;
    auto holdsActions = [&](uint32_t cursor) {
        ButtonMap map = {};
        if (!host->sim.ReadButtonMap(cursor, &map)) return false;
        for (uint8_t entry : map.entry)
            if (entry & ActionCodeMask) return true;
        return false;
    };
    const bool actionsBefore = holdsActions(c.packetCursor);
    mostCallsOfAnAction = 0;

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
    // A sensitivity no percentage stands for is never written over the driver's.
    if (sensitivityBefore != 0) {
        EXPECT_NE(host->sim.Context(host->sim.DefaultSystemContext()).sensitivityX, 0u) << "a zero sensitivity written";
    }

    // Nor is a map of nothing but "(None)" written over one that held actions.
    if (actionsBefore) EXPECT_TRUE(holdsActions(c.packetCursor)) << "a map of no actions written";

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
    EXPECT_LE(mostCallsOfAnAction, 1000) << "driver calls of one action";
}

}  // namespace fault_test
