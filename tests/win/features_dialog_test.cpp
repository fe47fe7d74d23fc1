// The Features dialog from its real template, with the driver stand-in: the
// cursor list, the preselected entry, and the driver calls on OK and Cancel.
#include <gtest/gtest.h>

#include <string>

#include "app/app.h"
#include "defs/features.h"
#include "dialogs/dialogs.h"
#include "driver/driver.h"
#include "driver/session.h"
#include "support/dialog_support.h"
#include "support/program_test.h"
#include "support/sim_control.h"
#include "support/windows_harness.h"

namespace {

const char ThreeCursors[] =
    "[Device0]\nName=Pad\nCursors=3\n"
    "[Device0.Cursor0]\nName=Alpha\nActive=%d\n"
    "[Device0.Cursor1]\nName=Beta\nActive=%d\n"
    "[Device0.Cursor2]\nName=Gamma\nActive=%d\n";

class FeaturesDialogTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        if (HasFatalFailure()) return;
        OpenDriverSession(owner.handle());
        ASSERT_NE(SessionManager(), 0u);
    }
    void TearDown() override {
        if (dialog && IsWindow(dialog)) DestroyWindow(dialog);
        dialog = nullptr;
        CloseDriverSession();
        ProgramTest::TearDown();
    }
    void DescribeActive(int a, int b, int c) {
        char ini[512];
        snprintf(ini, sizeof ini, ThreeCursors, a, b, c);
        Describe(ini);
    }
    HWND Open() {
        if (dialog) DestroyWindow(dialog);
        dialog = OpenDialog(IDD_FEATURES, FeaturesDialogProc, owner.handle());
        sim.ClearLog();
        return dialog;
    }
    // The enable calls since the dialog opened, as "cursor:flag" pairs.
    std::string EnableCalls() {
        std::vector<unsigned> managers;
        std::string calls = CursorEnableCalls(sim.CallLog(), &managers);
        for (unsigned manager : managers) EXPECT_EQ(manager, SessionManager());
        return calls;
    }

    OwnerWindow owner;
};

// Device 0 reports x relatively, so the pre-handler asks device 1, the
// tablet, for its own configuration dialog, and the dialog lists its cursors.
TEST_F(FeaturesDialogTest, SelectedDeviceOtherThanZeroIsAskedAndListed) {
    ASSERT_TRUE(
        sim.LoadDescriptionText("[Tablet]\nDevices=2\n[Device0]\nRelativeX=1\nConfigDialog=1\n"
                                "[Device1]\nConfigDialog=1\nCursors=1\n[Device1.Cursor0]\nName=Stylus\n"));
    ForgetDeviceSelection();
    sim.SetConfigResult(0);  // the driver's dialog answers at once
    sim.ClearLog();
    EXPECT_EQ(1, DeviceConfigHandler(owner.handle(), WM_COMMAND, 0, 0));
    const std::string m = std::to_string(SessionManager());
    EXPECT_EQ(1, sim.LogLinesStartingWith(("VXMgrDeviceConfig " + m + " 1 null").c_str()));
    EXPECT_EQ(1, sim.LogLinesStartingWith(("VXMgrDeviceConfig " + m + " 1 hwnd").c_str()));
    EXPECT_EQ(0, sim.LogLinesStartingWith(("VXMgrDeviceConfig " + m + " 0").c_str()));
    ASSERT_TRUE(Open());
    EXPECT_EQ(ComboEntries(dialog, IDC_FEAT_CURSORS), std::vector<std::string>{"Stylus"});
}

TEST(FeaturesDialogTemplate, HoldsItsCaptionFontAndControls) {
    DialogTemplate t;
    ASSERT_TRUE(ReadDialogTemplate(IDD_FEATURES, t));
    EXPECT_EQ(t.caption, "Features");
    EXPECT_EQ(BoxText(t.box), "35,68 219x50");
    const DWORD frame = WS_VISIBLE | WS_SYSMENU | DS_MODALFRAME | WS_CAPTION | WS_POPUP;
    EXPECT_EQ(t.style & frame, frame);
    EXPECT_EQ(t.pointSize, 8);
    EXPECT_EQ(t.face, "Helv");
    const ExpectedItem items[] = {
        {IDC_FEAT_LABEL, "Static", "&Cursor Type:", SS_TYPEMASK | WS_GROUP, SS_LEFT | WS_GROUP},
        {IDC_FEAT_CURSORS, "ComboBox", "", 3 | CBS_SORT | WS_VSCROLL | WS_TABSTOP,
         CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP},
        {IDOK, "Button", "OK", BS_TYPEMASK, BS_DEFPUSHBUTTON},
        {IDCANCEL, "Button", "Cancel", BS_TYPEMASK, BS_PUSHBUTTON},
    };
    EXPECT_EQ(Joined(TemplateMismatches(t, items, sizeof items / sizeof items[0])), "");
    EXPECT_EQ(Joined(LayoutFaults(t)), "");
}

TEST_F(FeaturesDialogTest, TextsFit) {
    ASSERT_TRUE(Open());
    EXPECT_EQ(Joined(TextsThatDoNotFit(dialog)), "");
}

TEST_F(FeaturesDialogTest, ListsEveryCursorTypeAndPreselectsTheActiveOne) {
    ASSERT_TRUE(Open());
    EXPECT_EQ(ComboEntries(dialog, IDC_FEAT_CURSORS), (std::vector<std::string>{"Pen", "Puck"}));
    EXPECT_EQ(ComboSelection(dialog, IDC_FEAT_CURSORS), 0);
}

struct PreselectCase {
    int active[3];
    int selected;    // the entry the list opens on
    const char* ok;  // the enable calls of OK without a change
};

TEST_F(FeaturesDialogTest, LastActiveCursorIsPreselectedAndOkReenablesIt) {
    const PreselectCase cases[] = {
        {{0, 1, 0}, 1, "1:0 1:1 "},
        {{0, 1, 1}, 2, "2:0 2:1 "},  // two active: the higher one
        {{1, 0, 1}, 2, "2:0 2:1 "},
        {{0, 0, 0}, 0, "0:1 "},  // none active: no disable, the first is enabled
    };
    for (const PreselectCase& c : cases) {
        DescribeActive(c.active[0], c.active[1], c.active[2]);
        ASSERT_TRUE(Open());
        EXPECT_EQ(ComboEntries(dialog, IDC_FEAT_CURSORS), (std::vector<std::string>{"Alpha", "Beta", "Gamma"}));
        EXPECT_EQ(ComboSelection(dialog, IDC_FEAT_CURSORS), c.selected);
        SendCommand(dialog, IDOK);
        EXPECT_FALSE(IsWindowVisible(dialog));
        EXPECT_EQ(EnableCalls(), c.ok) << c.active[0] << c.active[1] << c.active[2];
    }
}

TEST_F(FeaturesDialogTest, OkSwitchesFromTheActiveToTheChosenCursor) {
    ASSERT_TRUE(Open());
    ChooseComboEntry(dialog, IDC_FEAT_CURSORS, 1);
    SendCommand(dialog, IDOK);
    EXPECT_EQ(EnableCalls(), "0:0 1:1 ");
    EXPECT_EQ(sim.CursorEnabled(0), 0);
    EXPECT_EQ(sim.CursorEnabled(1), 1);
    // The next opening finds the new cursor active.
    ASSERT_TRUE(Open());
    EXPECT_EQ(ComboSelection(dialog, IDC_FEAT_CURSORS), 1);
}

TEST_F(FeaturesDialogTest, CancelAndEscapeCallNothing) {
    ASSERT_TRUE(Open());
    ChooseComboEntry(dialog, IDC_FEAT_CURSORS, 1);
    SendCommand(dialog, IDCANCEL);
    EXPECT_FALSE(IsWindowVisible(dialog));
    EXPECT_EQ(sim.CallCount(181), 0);

    ASSERT_TRUE(Open());
    ChooseComboEntry(dialog, IDC_FEAT_CURSORS, 1);
    PressEscape(dialog, IDC_FEAT_CURSORS);
    EXPECT_FALSE(IsWindowVisible(dialog));
    EXPECT_EQ(sim.CallCount(181), 0);
    EXPECT_EQ(sim.CursorEnabled(0), 1);
    EXPECT_EQ(sim.CursorEnabled(1), 0);
}

TEST_F(FeaturesDialogTest, NumbersRunFromTheFirstCursor) {
    ASSERT_TRUE(sim.SetFault(SimFaultFirstCursor, 7));
    ASSERT_TRUE(Open());
    EXPECT_EQ(ComboEntries(dialog, IDC_FEAT_CURSORS), (std::vector<std::string>{"Pen", "Puck"}));
    EXPECT_EQ(ComboSelection(dialog, IDC_FEAT_CURSORS), 0);
    ChooseComboEntry(dialog, IDC_FEAT_CURSORS, 1);
    SendCommand(dialog, IDOK);
    EXPECT_EQ(EnableCalls(), "7:0 8:1 ");
}

// A device that answers with no cursor types still has its first cursor
// enabled by OK; one whose count does not answer has nothing enabled.
TEST_F(FeaturesDialogTest, DeviceWithoutCursorTypesEnablesItsFirstCursor) {
    ASSERT_TRUE(sim.SetFault(SimFaultCursorCount, 0));
    ASSERT_TRUE(Open());
    EXPECT_TRUE(ComboEntries(dialog, IDC_FEAT_CURSORS).empty());
    SendCommand(dialog, IDOK);
    EXPECT_EQ(EnableCalls(), "0:1 ");
    ASSERT_TRUE(sim.SetFault(SimFaultNoAnswers, 1));
    ASSERT_TRUE(Open());
    SendCommand(dialog, IDOK);
    EXPECT_EQ(EnableCalls(), "");
}

TEST_F(FeaturesDialogTest, OverLongNamesAreCutAtTheNameBuffer) {
    for (int length : {1, 99, 100, 101, 199, 200, 201, 10000}) {
        ASSERT_TRUE(sim.SetFault(SimFaultNameLength, length));
        ASSERT_TRUE(Open());
        const size_t n = static_cast<size_t>(length) < 99 ? static_cast<size_t>(length) : 99;
        EXPECT_EQ(ComboEntries(dialog, IDC_FEAT_CURSORS),
                  (std::vector<std::string>{Repeated("Pen", n), Repeated("Puck", n)}))
            << length;
    }
}

TEST_F(FeaturesDialogTest, ModalRunClosesWithOne) {
    for (int button : {IDOK, IDCANCEL}) {
        std::vector<std::string> entries;
        ModalDriver driver([&](HWND box) {
            entries = ComboEntries(box, IDC_FEAT_CURSORS);
            PressButton(box, button);
        });
        sim.ClearLog();
        INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_FEATURES), owner.handle(),
                                         FeaturesDialogProc, 0);
        EXPECT_EQ(result, 1);
        EXPECT_EQ(entries.size(), 2u);
        EXPECT_EQ(sim.CallCount(181), button == IDOK ? 2 : 0);
    }
}

}  // namespace
