// The whole program under a hostile vellix.ini: missing, read-only, locked
// against writers, binary garbage, huge and negative values, and a file of
// a megabyte. Each case starts the program in this process (start-up reads
// the unit), runs every dialog modally through the main window's commands
// with its buttons pressed by a ModalDriver, and exits. The unit must start
// as the file allows, follow the user's choice for the run, and reach the
// file only when the file can be written; nothing else may be shown.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app.h"
#include "controls/controls.h"
#include "defs/features.h"
#include "dialogs/dialogs.h"
#include "driver/driver.h"
#include "driver/session.h"
#include "support/dialog_support.h"
#include "support/sim_control.h"
#include "support/windows_harness.h"

namespace {

const char Section[] = "Vellix PenPad 12x9";

std::string UnitsFile(const std::string& value) { return std::string("[") + Section + "]\r\nUnits=" + value + "\r\n"; }

std::string Garbage(size_t length, unsigned seed) {
    std::string text;
    for (size_t i = 0; i < length; ++i) {
        seed = seed * 1103515245u + 12345u;
        text += static_cast<char>((seed >> 16) & 0xFF);
    }
    return text;
}

// A megabyte of other sections, the tablet's own at the end.
std::string LargeFile() {
    std::string text;
    for (int i = 0; text.size() < (1u << 20); ++i)
        text += "[Other " + std::to_string(i) + "]\r\nUnits=1\r\nNote=" + std::string(200, 'x') + "\r\n";
    return text + UnitsFile("2");
}

enum class Access { Normal, ReadOnly, Locked };

struct PrefsCase {
    const char* name;
    bool present;
    std::string text;
    Access access;
    int startUnit;  // the unit start-up must read
};

std::vector<PrefsCase> Cases() {
    return {
        {"missing", false, "", Access::Normal, UnitInches},
        {"centimetres", true, UnitsFile("2"), Access::Normal, UnitCentimetres},
        {"read-only", true, UnitsFile("2"), Access::ReadOnly, UnitCentimetres},
        {"locked against writers", true, UnitsFile("2"), Access::Locked, UnitCentimetres},
        {"binary garbage", true, Garbage(4096, 7) + std::string("\0\r\n[\0]=\xFF", 8), Access::Normal, UnitInches},
        {"garbage before the section", true, Garbage(2048, 9) + "\r\n" + UnitsFile("2"), Access::Normal,
         UnitCentimetres},
        {"huge value", true, UnitsFile("99999999999999999999999999"), Access::Normal, UnitInches},
        {"huge value that wraps to 2", true, UnitsFile("4294967298"), Access::Normal, UnitInches},
        {"negative value", true, UnitsFile("-1"), Access::Normal, UnitInches},
        {"negative value that wraps to 2", true, UnitsFile("-4294967294"), Access::Normal, UnitInches},
        {"overlong line", true, UnitsFile(std::string(70000, '2')), Access::Normal, UnitInches},
        {"a megabyte", true, LargeFile(), Access::Normal, UnitCentimetres},
    };
}

class FaultPrefsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sim.Loaded());
        sim.Reset();
        ForgetDeviceSelection();
    }
    void TearDown() override {
        if (mainWindow && IsWindow(mainWindow)) DestroyWindow(mainWindow);
        DispatchPending();
        SetFileAttributesA(PreferencesFile::Path().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    PreferencesFile preferences;  // put back afterwards
    SimControl sim;
    HWND mainWindow = nullptr;
};

// What the dialogs showed, read by the ModalDriver before it pressed.
struct Seen {
    std::vector<std::string> captions;
    int infoUnit = -1;
    std::string infoWidth;
    int setupUnit = -1;
    std::string setupWidth;
    std::vector<std::string> boxes;
};

TEST_F(FaultPrefsTest, EveryDialogWithAHostilePreferencesFile) {
    for (const PrefsCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        sim.Reset();
        ForgetDeviceSelection();
        preferences.Remove();
        if (c.present) preferences.Write(c.text);
        if (c.access == Access::ReadOnly) SetFileAttributesA(PreferencesFile::Path().c_str(), FILE_ATTRIBUTE_READONLY);
        HANDLE lock = INVALID_HANDLE_VALUE;
        if (c.access == Access::Locked)
            lock = CreateFileA(PreferencesFile::Path().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        const std::string before = preferences.Text();

        mainWindow = StartTabletControlPanel(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
        ASSERT_TRUE(mainWindow);
        DispatchPending();
        EXPECT_EQ(CurrentUnit, c.startUnit);
        const int chosen = 1 - c.startUnit;

        Seen seen;
        {
            ModalDriver driver([&](HWND box) {
                std::string caption = WindowText(box);
                seen.captions.push_back(caption);
                if (caption == "Tablet Information") {
                    seen.infoUnit = ComboSelection(box, IDC_INFO_UNITS);
                    seen.infoWidth = ControlText(box, IDC_INFO_WIDTH);
                    ChooseComboEntry(box, IDC_INFO_UNITS, chosen);
                    PressButton(box, IDOK);
                } else if (caption == "Tablet Setup") {
                    seen.setupUnit = ComboSelection(box, IDC_UNITS_LIST);
                    seen.setupWidth = ControlText(box, IDC_WIDTH_EDIT);
                    ChooseComboEntry(box, IDC_UNITS_LIST, c.startUnit);
                    PressButton(box, IDOK);
                } else if (caption == "Features" || caption == "About Tablet Control Panel...") {
                    PressButton(box, IDCANCEL);
                } else {
                    seen.boxes.push_back(caption + ": " + MessageBoxText(box));
                    PressButton(box, IDCANCEL);
                }
            });
            SendMessageA(mainWindow, WM_COMMAND, IDM_INFORMATION, 0);
            EXPECT_EQ(CurrentUnit, chosen);
            std::string afterInfo = preferences.Text();
            SendMessageA(mainWindow, WM_COMMAND, IDM_CUSTOMIZATION, 0);
            SendMessageA(mainWindow, WM_COMMAND, IDM_FEATURES, 0);
            SendMessageA(mainWindow, WM_COMMAND, IDM_ABOUT, 0);
            EXPECT_EQ(CurrentUnit, c.startUnit);

            if (c.access == Access::Locked) {
                EXPECT_EQ(afterInfo, before) << "a locked file is not changed";
            } else {
                EXPECT_EQ(preferences.Value(Section, "Units"), std::to_string(c.startUnit + 1));
            }
        }
        if (lock != INVALID_HANDLE_VALUE) CloseHandle(lock);
        if (c.access == Access::ReadOnly) {
            EXPECT_TRUE(GetFileAttributesA(PreferencesFile::Path().c_str()) & FILE_ATTRIBUTE_READONLY);
        }
        if (c.access == Access::Locked) {
            EXPECT_EQ(preferences.Text(), before);
        }

        const std::vector<std::string> captions = {"Tablet Information", "Tablet Setup", "Features",
                                                   "About Tablet Control Panel..."};
        EXPECT_EQ(seen.captions, captions);
        EXPECT_TRUE(seen.boxes.empty()) << seen.boxes.front();
        EXPECT_EQ(seen.infoUnit, c.startUnit);
        EXPECT_EQ(seen.infoWidth, c.startUnit == UnitInches ? "12\"" : "30.48 cm");
        EXPECT_EQ(seen.setupUnit, chosen);  // Information's OK changed the unit for the run
        EXPECT_EQ(seen.setupWidth, chosen == UnitInches ? "12\"" : "30.48 cm");

        SendMessageA(mainWindow, WM_COMMAND, IDM_EXIT, 0);
        EXPECT_FALSE(IsWindow(mainWindow));
        mainWindow = nullptr;
        DispatchPending();
        SetFileAttributesA(PreferencesFile::Path().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

}  // namespace
