// The program at the display's scale. This test carries the program's
// manifest, so it sees the display as the program does; it runs in the
// ordinary prefix (96 DPI) and again in one at 144 DPI (150 %), where
// TABLET_EXPECT_DPI says which scale it must find. At either: the main
// window's size formula holds with that scale's metrics, the icon labels fit
// their buttons, and no static text of any window the tour opens is wider
// than its control.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "app/app.h"
#include "core/display_scale.h"
#include "defs/features.h"
#include "dialogs/dialogs.h"
#include "driver/driver.h"
#include "driver/session.h"
#include "setup/setup.h"
#include "support/dialog_support.h"
#include "support/fault_process.h"
#include "support/program_test.h"
#include "support/sim_control.h"
#include "support/windows_harness.h"

namespace {

// What the main window's size must be, with this process's metrics.
SIZE MainWindowSize() {
    SIZE size;
    size.cx = 9 * GetSystemMetrics(SM_CXICON) + 2 * GetSystemMetrics(SM_CXBORDER);
    size.cy = 2 * GetSystemMetrics(SM_CYICON) + 2 * GetSystemMetrics(SM_CYBORDER) + GetSystemMetrics(SM_CYCAPTION) +
              GetSystemMetrics(SM_CYMENU) + ScaleToDpi(15, DisplayDpi());
    return size;
}

SIZE WindowSize(HWND window) {
    RECT box;
    GetWindowRect(window, &box);
    return SIZE{box.right - box.left, box.bottom - box.top};
}

class DisplayScaleTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_TRUE(Start());
    }
};

TEST_F(DisplayScaleTest, RunsAtTheExpectedScaleWithMetricsToMatch) {
    const char* expected = getenv("TABLET_EXPECT_DPI");
    int dpi = expected ? atoi(expected) : BaseDpi;
    ASSERT_EQ(DisplayDpi(), dpi) << "the prefix's display scale";
    EXPECT_EQ(GetSystemMetrics(SM_CXICON), ScaleToDpi(32, dpi));
    EXPECT_EQ(ScaledPixels(8), ScaleToDpi(8, dpi));
}

TEST_F(DisplayScaleTest, MainWindowSizeFormulaHoldsWithThisScalesMetrics) {
    SIZE want = MainWindowSize();
    SIZE got = WindowSize(mainWindow);
    EXPECT_EQ(got.cx, want.cx);
    EXPECT_EQ(got.cy, want.cy);
}

TEST_F(DisplayScaleTest, IconLabelsFitTheirButtons) {
    const int cy = GetSystemMetrics(SM_CYICON);
    const int margin = ScaledPixels(1);
    for (int id : {IDC_ICON_INFORMATION, IDC_ICON_FEATURES, IDC_ICON_CUSTOMIZATION}) {
        HWND button = GetDlgItem(mainWindow, id);
        ASSERT_TRUE(button) << id;
        RECT client;
        GetClientRect(button, &client);
        std::string label = WindowText(button);
        HDC dc = GetDC(button);
        HFONT font = CreateIconLabelFont();
        ASSERT_TRUE(font);
        HGDIOBJ old = SelectObject(dc, font);
        SIZE extent = {};
        GetTextExtentPoint32A(dc, label.c_str(), static_cast<int>(label.size()), &extent);
        TEXTMETRICA metrics = {};
        GetTextMetricsA(dc, &metrics);
        SelectObject(dc, old);
        DeleteObject(font);
        ReleaseDC(button, dc);
        // The font follows the scale (a font mapper may round its height).
        EXPECT_GE(metrics.tmHeight, ScaledPixels(8) - 1) << label;
        EXPECT_LE(extent.cx + margin, client.right) << label << " is wider than its button";
        EXPECT_LE((client.bottom + cy) / 2 + extent.cy + margin, client.bottom) << label << " runs off its button";
    }
}

TEST_F(DisplayScaleTest, NoStaticTextIsWiderThanItsControl) {
    struct Window {
        int templateId;
        DLGPROC procedure;
        const char* name;
    } windows[] = {{IDD_INFORMATION, InfoDialogProc, "Tablet Information"},
                   {IDD_FEATURES, FeaturesDialogProc, "Features"},
                   {IDD_SETUP, SetupDialogProc, "Tablet Setup"},
                   {IDD_ABOUT, AboutDialogProc, "About"}};
    for (const Window& window : windows) {
        HWND dialog = OpenDialog(window.templateId, window.procedure, mainWindow);
        ASSERT_TRUE(dialog) << window.name;
        DispatchPending();
        EXPECT_EQ(Joined(TextsThatDoNotFit(dialog)), "") << window.name;
        DestroyWindow(dialog);
        DispatchPending();
    }
}

// Seen from this scale-aware process, the program's own main window has the
// size of the formula: the program, too, is aware of the scale (through its
// manifest), and the system does not stretch it.
TEST(DisplayScale, TheProgramItselfFollowsTheScale) {
    fault_test::ProgramFolder folder("display-scale", fault_test::BinFolder() + "Vellix32.dll");
    fault_test::ChildProgram child;
    HWND mainWindow = fault_test::StartToMainWindow(folder, child);
    ASSERT_TRUE(mainWindow);
    SIZE want = MainWindowSize();
    SIZE got = WindowSize(mainWindow);
    EXPECT_EQ(got.cx, want.cx);
    EXPECT_EQ(got.cy, want.cy);
    fault_test::ExpectExitWithZero(child, mainWindow);
}

}  // namespace
