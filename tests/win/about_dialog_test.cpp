// The About box from its real template, with the driver stand-in: the
// program's own lines and the driver version taken from the device name.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "defs/features.h"
#include "dialogs/dialogs.h"
#include "driver/driver.h"
#include "driver/session.h"
#include "support/dialog_support.h"
#include "support/sim_control.h"
#include "support/windows_harness.h"
#include "version.h"

namespace {

class AboutDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sim.Loaded());
        sim.Reset();
        ForgetDeviceSelection();
    }
    void TearDown() override {
        if (dialog) DestroyWindow(dialog);
        DispatchPending();
    }
    void DescribeName(const std::string& name) {
        ASSERT_TRUE(sim.LoadDescriptionText(("[Device0]\nName=" + name + "\n").c_str()));
        ForgetDeviceSelection();
    }
    HWND Open() {
        if (dialog) DestroyWindow(dialog);
        dialog = OpenDialog(IDD_ABOUT, AboutDialogProc);
        return dialog;
    }
    std::string DriverLine() { return ControlText(dialog, IDC_ABOUT_DRIVER); }

    SimControl sim;
    HWND dialog = nullptr;
};

TEST_F(AboutDialogTest, ShowsTheProgramAndTheDefaultDriverVersion) {
    ASSERT_TRUE(Open());
    EXPECT_EQ(WindowText(dialog), "About Tablet Control Panel...");
    EXPECT_EQ(DriverLine(), "Tablet Driver Version 1.2");
    EXPECT_EQ(InitResult(), FALSE);
    EXPECT_EQ(Joined(TextsThatDoNotFit(dialog)), "");
    std::vector<std::string> labels;
    HWND icon = nullptr;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            icon = child;
        else if (GetDlgCtrlID(child) == IDC_STATIC_LABEL)
            labels.push_back(WindowText(child));
    }
    ASSERT_EQ(labels.size(), 3u);
    EXPECT_EQ(labels[0], "Rereded Ireded Idizere Dozir");
    EXPECT_EQ(labels[1], "Version " TABLET_VERSION_TEXT);
    EXPECT_NE(labels[2].find('\n'), std::string::npos) << "a notice of two lines";
    ASSERT_TRUE(icon);
    EXPECT_EQ(GetDlgCtrlID(icon), 1);
    EXPECT_NE(SendMessageA(icon, STM_GETICON, 0, 0), 0);
}

TEST(AboutDialogTemplate, HoldsEveryControlInOrder) {
    DialogTemplate t;
    ASSERT_TRUE(ReadDialogTemplate(IDD_ABOUT, t));
    EXPECT_EQ(t.caption, "About Tablet Control Panel...");
    EXPECT_EQ(BoxText(t.box), "20,36 160x92");
    EXPECT_TRUE(t.style & DS_MODALFRAME);
    EXPECT_FALSE(t.style & DS_SETFONT);  // the system font
    const ExpectedItem items[] = {
        {IDC_ABOUT_ICON, "Static", "#1", SS_TYPEMASK, SS_ICON},
        {IDC_STATIC_LABEL, "Static", "Rereded Ireded Idizere Dozir", SS_TYPEMASK, SS_CENTER},
        {IDC_STATIC_LABEL, "Static", "Version " TABLET_VERSION_TEXT, SS_TYPEMASK, SS_CENTER},
        {IDC_STATIC_LABEL, "Static", "Written for the Vellix driver family.\nFree to use and share.", SS_TYPEMASK,
         SS_CENTER},
        {IDC_ABOUT_DRIVER, "Static", "Tablet Driver Version %s", SS_TYPEMASK, SS_CENTER},
        {IDOK, "Button", "OK", BS_TYPEMASK | WS_GROUP, BS_DEFPUSHBUTTON | WS_GROUP},
    };
    EXPECT_EQ(Joined(TemplateMismatches(t, items, sizeof items / sizeof items[0])), "");
    ASSERT_EQ(t.items.size(), 6u);
    EXPECT_EQ(BoxText(t.items[0].box), "4,4 16x16");
    EXPECT_EQ(BoxText(t.items[3].box), "20,36 120x16");
    EXPECT_EQ(Joined(LayoutFaults(t)), "");
}

struct VersionCase {
    const char* name;
    const char* line;
};

TEST_F(AboutDialogTest, VersionIsTheSecondPieceAfterTheWord) {
    const VersionCase cases[] = {
        {"Pad; Version 2.1;", "Tablet Driver Version 2.1"},
        {"Pad; version: 3.0", "Tablet Driver Version 3.0"},  // the colon stays with the word
        {"Pad; Version\t4.2,extra", "Tablet Driver Version 4.2"},
        {"Pad, Version,,;  5.0b;rest", "Tablet Driver Version 5.0b"},
        {"Pad; Version2.5 beta", "Tablet Driver Version beta"},  // the word runs on into the number
        {"Pad; Version2.5", "Tablet Driver Version unknown"},    // ... with nothing after the run
        {"Pad; VERSION 9", "Tablet Driver Version unknown"},     // "ersion" is matched as written
        {"Pad without any", "Tablet Driver Version unknown"},
        {"Pad; Version", "Tablet Driver Version unknown"},  // nothing after it
        {"Pad; Version ;,;", "Tablet Driver Version unknown"},
        {"Subversion 7 and Version 8", "Tablet Driver Version 7"},  // the first occurrence
        {"Pad; Version 50%s", "Tablet Driver Version 50%s"},
    };
    for (const VersionCase& c : cases) {
        DescribeName(c.name);
        ASSERT_TRUE(Open());
        EXPECT_EQ(DriverLine(), c.line) << c.name;
    }
}

TEST_F(AboutDialogTest, LongVersionIsCutAtTheLine) {
    DescribeName("Pad; Version " + std::string(150, 'A'));
    ASSERT_TRUE(Open());
    EXPECT_EQ(DriverLine(), "Tablet Driver Version " + std::string(79 - 22, 'A'));
}

TEST_F(AboutDialogTest, OverLongDeviceNamesAreReadSafely) {
    for (int length : {1, 199, 200, 201, 10000}) {
        ASSERT_TRUE(sim.SetFault(SimFaultNameLength, length));
        ASSERT_TRUE(Open());
        // "Vellix PenPad 12x9; Format: VX-II; Version 1.2" repeated: the
        // version is complete from 47 characters on.
        EXPECT_EQ(DriverLine(), length >= 47 ? "Tablet Driver Version 1.2" : "Tablet Driver Version unknown")
            << length;
    }
}

TEST_F(AboutDialogTest, OnlyOkAndCancelThemselvesClose) {
    const struct {
        WPARAM command;
        bool closes;
    } cases[] = {
        {IDOK, true},
        {IDCANCEL, true},
        {MAKEWPARAM(IDOK, BN_DOUBLECLICKED), false},
        {MAKEWPARAM(IDC_ABOUT_DRIVER, 0), false},
        {3, false},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(Open());
        ShowWindow(dialog, SW_SHOW);
        SendCommand(dialog, c.command);
        EXPECT_EQ(IsWindowVisible(dialog) == FALSE, c.closes) << c.command;
    }
    ASSERT_TRUE(Open());
    ShowWindow(dialog, SW_SHOW);
    PressEscape(dialog, IDC_ABOUT_DRIVER);
    EXPECT_FALSE(IsWindowVisible(dialog));
}

TEST_F(AboutDialogTest, ModalRunClosesWithOne) {
    OwnerWindow owner;
    std::string line;
    ModalDriver driver([&](HWND box) {
        line = ControlText(box, IDC_ABOUT_DRIVER);
        PressButton(box, IDOK);
    });
    INT_PTR result =
        DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ABOUT), owner.handle(), AboutDialogProc, 0);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(line, "Tablet Driver Version 1.2");
}

}  // namespace
