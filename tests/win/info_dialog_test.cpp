// The Tablet Information dialog from its real template, with the driver
// stand-in: the identification, format and cursor lines, the unit list, the
// four value lines, and what OK, Cancel and Escape store.
#include <gtest/gtest.h>

#include <string>

#include "defs/features.h"
#include "dialogs/dialogs.h"
#include "driver/driver.h"
#include "driver/session.h"
#include "support/dialog_support.h"
#include "support/program_test.h"
#include "support/sim_control.h"
#include "support/windows_harness.h"

namespace {

class InfoDialogTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        if (HasFatalFailure()) return;
        CurrentUnit = ReadUnitPreference();  // as start-up does; fixes the section name
    }
    void Describe(const std::string& ini) {
        ProgramTest::Describe(ini);
        CurrentUnit = ReadUnitPreference();
    }
    void DescribeName(const std::string& name) { Describe("[Device0]\nName=" + name + "\n"); }
    HWND Open() {
        if (dialog) DestroyWindow(dialog);
        dialog = OpenDialog(IDD_INFORMATION, InfoDialogProc);
        return dialog;
    }
    std::string Text(int id) { return ControlText(dialog, id); }
    std::string Values() {
        return Text(IDC_INFO_WIDTH) + " | " + Text(IDC_INFO_HEIGHT) + " | " + Text(IDC_INFO_XRES) + " | " +
               Text(IDC_INFO_YRES);
    }

    PreferencesFile preferences;  // vellix.ini starts missing
};

TEST_F(InfoDialogTest, ShowsTheDefaultTabletInItsOwnUnit) {
    ASSERT_TRUE(Open());
    EXPECT_EQ(WindowText(dialog), "Tablet Information");
    EXPECT_EQ(Text(IDC_INFO_ID), "Vellix PenPad 12x9");
    EXPECT_EQ(Text(IDC_INFO_FORMAT), "VX-II format");
    EXPECT_EQ(Text(IDC_INFO_CURSOR), "Pen is installed.");
    EXPECT_EQ(ComboEntries(dialog, IDC_INFO_UNITS), (std::vector<std::string>{"Inches", "Centimeters"}));
    EXPECT_EQ(ComboSelection(dialog, IDC_INFO_UNITS), 0);
    EXPECT_EQ(Values(), "12\" | 9\" | 1000 dpi | 1000 dpi");
    EXPECT_EQ(InitResult(), FALSE);  // the system does not pick a focus control
}

TEST(InfoDialogTemplate, HoldsEveryControlInOrder) {
    DialogTemplate t;
    ASSERT_TRUE(ReadDialogTemplate(IDD_INFORMATION, t));
    EXPECT_EQ(t.caption, "Tablet Information");
    EXPECT_EQ(BoxText(t.box), "4,24 168x136");
    EXPECT_TRUE(t.style & DS_MODALFRAME);
    EXPECT_FALSE(t.style & DS_SETFONT);  // the system font
    const ExpectedItem items[] = {
        {IDC_STATIC_LABEL, "Static", "QuarnLogo", SS_TYPEMASK, SS_ICON},
        {IDC_INFO_ID, "Static", "tablet ID", SS_TYPEMASK, SS_LEFT},
        {IDC_INFO_FORMAT, "Static", "%s format", SS_TYPEMASK, SS_LEFT},
        {IDC_INFO_CURSOR, "Static", "%s is installed.", SS_TYPEMASK, SS_LEFT},
        {IDC_STATIC_LABEL, "Static", "&Units:", SS_TYPEMASK, SS_LEFT},
        {IDC_INFO_UNITS, "ComboBox", "", 3 | CBS_SORT | WS_VSCROLL | WS_TABSTOP,
         CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP},
        {IDC_STATIC_LABEL, "Static", "Tablet Width:", SS_TYPEMASK, SS_LEFT},
        {IDC_STATIC_LABEL, "Static", "Tablet Height:", SS_TYPEMASK, SS_LEFT},
        {IDC_STATIC_LABEL, "Static", "Horizontal Resolution:", SS_TYPEMASK, SS_LEFT},
        {IDC_STATIC_LABEL, "Static", "Vertical Resolution:", SS_TYPEMASK, SS_LEFT},
        {IDC_INFO_WIDTH, "Static", "Text", SS_TYPEMASK, SS_LEFT},
        {IDC_INFO_HEIGHT, "Static", "Text", SS_TYPEMASK, SS_LEFT},
        {IDC_INFO_XRES, "Static", "Text", SS_TYPEMASK, SS_LEFT},
        {IDC_INFO_YRES, "Static", "Text", SS_TYPEMASK, SS_LEFT},
        {IDOK, "Button", "OK", BS_TYPEMASK, BS_DEFPUSHBUTTON},
    };
    EXPECT_EQ(Joined(TemplateMismatches(t, items, sizeof items / sizeof items[0])), "");
    ASSERT_FALSE(t.items.empty());
    EXPECT_EQ(BoxText(t.items[0].box), "4,4 16x16");
    EXPECT_EQ(Joined(LayoutFaults(t)), "");
}

TEST_F(InfoDialogTest, LogoShowsAndTextsFit) {
    ASSERT_TRUE(Open());
    HWND logo = GetWindow(dialog, GW_CHILD);  // first control in template order
    ASSERT_TRUE(logo);
    EXPECT_NE(SendMessageA(logo, STM_GETICON, 0, 0), 0) << "the QuarnLogo icon is in the resources";
    EXPECT_EQ(Joined(TextsThatDoNotFit(dialog)), "");
    ChooseComboEntry(dialog, IDC_INFO_UNITS, UnitCentimetres);
    EXPECT_EQ(Joined(TextsThatDoNotFit(dialog)), "");
}

struct NameCase {
    const char* name;
    const char* identification;
    const char* format;
};

TEST_F(InfoDialogTest, IdentificationAndFormatComeFromTheDeviceName) {
    const NameCase cases[] = {
        {"Model A; Format: Wide; more text", "Model A", "Wide format"},
        {"Model A;format: lower", "Model A", "lower format"},
        {"Model A; Format: ;;After Run", "Model A", "After Run format"},
        {"Model A; Layout; Format: Third; x", "Model A", "Third format"},
        // Only searched after the first separator.
        {"Model Format: Inside; nothing", "Model Format: Inside", "unknown format"},
        {"Model A; Format:NoBlank", "Model A", "unknown format"},
        {"Plain name", "Plain name", "unknown format"},
        {"Model A; Format:", "Model A", "unknown format"},  // nothing after it
        {"Model A; 100% Format: 50%s", "Model A", "50%s format"},
    };
    for (const NameCase& c : cases) {
        DescribeName(c.name);
        ASSERT_TRUE(Open());
        EXPECT_EQ(Text(IDC_INFO_ID), c.identification) << c.name;
        EXPECT_EQ(Text(IDC_INFO_FORMAT), c.format) << c.name;
    }
}

TEST_F(InfoDialogTest, CursorLineNamesTheLowestActiveCursor) {
    Describe(
        "[Device0]\nName=Pad\nCursors=3\n"
        "[Device0.Cursor0]\nName=Alpha\nActive=0\n"
        "[Device0.Cursor1]\nName=Beta\nActive=1\n"
        "[Device0.Cursor2]\nName=Gamma\nActive=1\n");
    ASSERT_TRUE(Open());
    EXPECT_EQ(Text(IDC_INFO_CURSOR), "Beta is installed.");

    ASSERT_TRUE(sim.SetFault(SimFaultFirstCursor, 7));  // numbering starts at 7
    ASSERT_TRUE(Open());
    EXPECT_EQ(Text(IDC_INFO_CURSOR), "Beta is installed.");
}

TEST_F(InfoDialogTest, NoActiveCursorShowsUnknownNotAnEarlierName) {
    ASSERT_TRUE(Open());
    ASSERT_EQ(Text(IDC_INFO_CURSOR), "Pen is installed.");
    Describe(
        "[Device0]\nName=Pad\nCursors=2\n"
        "[Device0.Cursor0]\nName=Alpha\nActive=0\n"
        "[Device0.Cursor1]\nName=Beta\nActive=0\n");
    ASSERT_TRUE(Open());
    EXPECT_EQ(Text(IDC_INFO_CURSOR), "unknown is installed.");
    ASSERT_TRUE(sim.SetFault(SimFaultCursorCount, 0));
    ASSERT_TRUE(Open());
    EXPECT_EQ(Text(IDC_INFO_CURSOR), "unknown is installed.");
    // A nonsense count of cursor types is walked only up to the shared limit.
    ASSERT_TRUE(sim.SetFault(SimFaultCursorCountAnswer, -2));
    ASSERT_TRUE(Open());
    EXPECT_EQ(Text(IDC_INFO_CURSOR), "unknown is installed.");
}

// The tablet chosen is device 1 (device 0 reports x relatively), and each
// measure reads the axis its kind names.
TEST_F(InfoDialogTest, ShowsTheSelectedDeviceWithEachAxisOwnResolution) {
    Describe(
        "[Tablet]\nDevices=2\n[Device0]\nName=Ball\nRelativeX=1\n"
        "[Device1]\nName=Wide Pad; Format: W\nXResolution=1000\nYResolution=500\nXMax=12000\nYMax=4500\n");
    ASSERT_TRUE(Open());
    EXPECT_EQ(Text(IDC_INFO_ID), "Wide Pad");
    EXPECT_EQ(Text(IDC_INFO_FORMAT), "W format");
    EXPECT_EQ(Values(), "12\" | 9\" | 1000 dpi | 500 dpi");
}

TEST_F(InfoDialogTest, CentimetresChangeTheValuesAtOnceAndCancelStoresNothing) {
    ASSERT_TRUE(Open());
    ChooseComboEntry(dialog, IDC_INFO_UNITS, UnitCentimetres);
    EXPECT_EQ(Values(), "30.48 cm | 22.86 cm | 393.7 dpcm | 393.7 dpcm");
    ChooseComboEntry(dialog, IDC_INFO_UNITS, UnitInches);
    EXPECT_EQ(Values(), "12\" | 9\" | 1000 dpi | 1000 dpi");
    ChooseComboEntry(dialog, IDC_INFO_UNITS, UnitCentimetres);
    SendCommand(dialog, IDCANCEL);
    EXPECT_FALSE(IsWindowVisible(dialog));
    EXPECT_EQ(CurrentUnit, UnitInches);
    EXPECT_FALSE(preferences.Exists());
}

TEST_F(InfoDialogTest, EscapeStoresNothing) {
    preferences.Write("[Vellix PenPad 12x9]\r\nUnits=1\r\n");
    ASSERT_TRUE(Open());
    ShowWindow(dialog, SW_SHOW);
    ChooseComboEntry(dialog, IDC_INFO_UNITS, UnitCentimetres);
    PressEscape(dialog, IDC_INFO_UNITS);
    EXPECT_FALSE(IsWindowVisible(dialog));
    EXPECT_EQ(CurrentUnit, UnitInches);
    EXPECT_EQ(preferences.Text(), "[Vellix PenPad 12x9]\r\nUnits=1\r\n");
}

TEST_F(InfoDialogTest, OkWritesTheUnitEvenWhenUnchanged) {
    ASSERT_TRUE(Open());
    SendCommand(dialog, IDOK);
    EXPECT_FALSE(IsWindowVisible(dialog));
    EXPECT_EQ(CurrentUnit, UnitInches);
    EXPECT_EQ(preferences.Value("Vellix PenPad 12x9", "Units"), "1");

    ASSERT_TRUE(Open());
    ChooseComboEntry(dialog, IDC_INFO_UNITS, UnitCentimetres);
    SendCommand(dialog, IDOK);
    EXPECT_EQ(CurrentUnit, UnitCentimetres);
    EXPECT_EQ(preferences.Value("Vellix PenPad 12x9", "Units"), "2");

    // The next opening starts from the unit chosen.
    ASSERT_TRUE(Open());
    EXPECT_EQ(ComboSelection(dialog, IDC_INFO_UNITS), UnitCentimetres);
    EXPECT_EQ(Values(), "30.48 cm | 22.86 cm | 393.7 dpcm | 393.7 dpcm");
}

TEST_F(InfoDialogTest, CentimetreTabletShowsItsOwnResolution) {
    ASSERT_TRUE(sim.LoadDescription((BinFolder() + "profiles\\centimetre.ini").c_str()));
    ForgetDeviceSelection();
    CurrentUnit = ReadUnitPreference();
    ASSERT_EQ(CurrentUnit, UnitCentimetres);
    ASSERT_TRUE(Open());
    EXPECT_EQ(Text(IDC_INFO_ID), "Vellix MetricPad A4");
    EXPECT_EQ(Values(), "30 cm | 20 cm | 400 dpcm | 400 dpcm");
    ChooseComboEntry(dialog, IDC_INFO_UNITS, UnitInches);
    EXPECT_EQ(Values(), "11.81\" | 7.87\" | 1016 dpi | 1016 dpi");
}

TEST_F(InfoDialogTest, ModalRunClosesWithOneForOkAndCancel) {
    OwnerWindow owner;
    for (int button : {IDOK, IDCANCEL}) {
        std::string caption;
        ModalDriver driver([&](HWND box) {
            caption = WindowText(box);
            PressButton(box, button);
        });
        INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_INFORMATION), owner.handle(),
                                         InfoDialogProc, 0);
        EXPECT_EQ(result, 1) << button;
        EXPECT_EQ(caption, "Tablet Information");
    }
}

// The driver's names at full length: cut safely at the buffers, never past.
TEST_F(InfoDialogTest, OverLongNamesAreCutAtTheirBuffers) {
    DescribeName("ABCDEFGHIJ");  // no separator anywhere: the whole name is the identification
    for (int length : {1, 199, 200, 201, 10000}) {
        ASSERT_TRUE(sim.SetFault(SimFaultNameLength, length));
        ASSERT_TRUE(Open()) << length;
        const size_t n = static_cast<size_t>(length);
        EXPECT_EQ(Text(IDC_INFO_ID), Repeated("ABCDEFGHIJ", n < 199 ? n : 199)) << length;
        EXPECT_EQ(Text(IDC_INFO_FORMAT), "unknown format") << length;
        std::string cursorLine = Repeated("Pen", n < 79 ? n : 79) + " is installed.";
        EXPECT_EQ(Text(IDC_INFO_CURSOR), cursorLine.substr(0, 79)) << length;
    }
    // A long name that repeats keeps its first segment and its format.
    sim.Reset();
    ForgetDeviceSelection();
    ASSERT_TRUE(sim.SetFault(SimFaultNameLength, 10000));
    ASSERT_TRUE(Open());
    EXPECT_EQ(Text(IDC_INFO_ID), "Vellix PenPad 12x9");
    EXPECT_EQ(Text(IDC_INFO_FORMAT), "VX-II format");
}

TEST_F(InfoDialogTest, SilentDriverLeavesEmptyAndUnknownLines) {
    ASSERT_TRUE(sim.SetFault(SimFaultNoAnswers, 1));
    ASSERT_TRUE(Open());
    EXPECT_EQ(Text(IDC_INFO_ID), "");
    EXPECT_EQ(Text(IDC_INFO_FORMAT), "unknown format");
    EXPECT_EQ(Text(IDC_INFO_CURSOR), "unknown is installed.");
    EXPECT_EQ(Values(), "0\" | 0\" | 0 dpi | 0 dpi");
}

}  // namespace
