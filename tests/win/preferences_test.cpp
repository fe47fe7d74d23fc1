// The unit preference in the prefix's vellix.ini, with the real profile
// functions and the driver stand-in: the tablet's own unit as the default,
// stored values good and bad, a file that cannot be written, separate and
// shared sections, and the rest of the file kept on every write.
#include <gtest/gtest.h>

#include <string>

#include "defs/features.h"
#include "dialogs/dialogs.h"
#include "driver/driver.h"
#include "driver/session.h"
#include "exchange/snapshot.h"
#include "support/dialog_support.h"
#include "support/sim_control.h"
#include "support/windows_harness.h"

namespace {

const char DefaultSection[] = "Vellix PenPad 12x9";

std::string UnitsFile(const std::string& value) {
    return std::string("[") + DefaultSection + "]\r\nUnits=" + value + "\r\n";
}

class PreferencesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sim.Loaded());
        sim.Reset();
        Reselect(nullptr);
    }
    void TearDown() override {
        SetDeviceSelection(nullptr);
        ForgetDeviceSelection();
        DispatchPending();
    }
    // Chooses the device again, by a text its name holds (null: the first).
    void Reselect(const char* selection) {
        SetDeviceSelection(selection);
        ForgetDeviceSelection();
    }
    void LoadProfile(const char* name) {
        ASSERT_TRUE(sim.LoadDescription((BinFolder() + "profiles\\" + name).c_str()));
        Reselect(nullptr);
    }
    std::string Units(const char* section) { return preferences.Value(section, "Units"); }

    PreferencesFile preferences;  // vellix.ini starts missing
    SimControl sim;
};

TEST_F(PreferencesTest, WithoutAFileTheTabletsOwnUnitIsTheStart) {
    EXPECT_EQ(ReadUnitPreference(), UnitInches);
    LoadProfile("centimetre.ini");
    EXPECT_EQ(ReadUnitPreference(), UnitCentimetres);
    EXPECT_FALSE(preferences.Exists()) << "reading creates no file";
}

struct StoredCase {
    const char* value;
    int inchTablet;        // the unit read on an inch tablet
    int centimetreTablet;  // ... and on a centimetre tablet (its section)
};

TEST_F(PreferencesTest, OnlyOneAndTwoReplaceTheTabletsUnit) {
    const StoredCase cases[] = {
        {"1", UnitInches, UnitInches},
        {"2", UnitCentimetres, UnitCentimetres},
        {" 2", UnitCentimetres, UnitCentimetres},
        {"0", UnitInches, UnitCentimetres},
        {"3", UnitInches, UnitCentimetres},
        {"12", UnitInches, UnitCentimetres},
        {"abc", UnitInches, UnitCentimetres},
        {"", UnitInches, UnitCentimetres},
        {"-1", UnitInches, UnitCentimetres},
        {"-2", UnitInches, UnitCentimetres},
        {"99999999999", UnitInches, UnitCentimetres},
        {"4294967297", UnitInches, UnitCentimetres},  // wraps to 1 in the profile reader
        {"4294967298", UnitInches, UnitCentimetres},  // wraps to 2
        {"-4294967294", UnitInches, UnitCentimetres},
        {"0x2", UnitInches, UnitCentimetres},
        {"2abc", UnitCentimetres, UnitCentimetres},  // the reader stops at the letters
    };
    for (const StoredCase& c : cases) {
        sim.Reset();
        Reselect(nullptr);
        preferences.Write(UnitsFile(c.value));
        EXPECT_EQ(ReadUnitPreference(), c.inchTablet) << "Units=" << c.value;

        LoadProfile("centimetre.ini");
        preferences.Write(std::string("[Vellix MetricPad A4]\r\nUnits=") + c.value + "\r\n");
        EXPECT_EQ(ReadUnitPreference(), c.centimetreTablet) << "Units=" << c.value << " (centimetre tablet)";
    }
}

TEST_F(PreferencesTest, BinaryGarbageGivesTheDefaultAndCanBeWrittenOver) {
    std::string garbage;
    unsigned seed = 12345;
    for (int i = 0; i < 4000; ++i) {
        seed = seed * 1103515245u + 12345u;
        garbage += static_cast<char>((seed >> 16) & 0xFF);
    }
    garbage += std::string("\0[\0]=Units=2\xFF\xFE", 14);
    preferences.Write(garbage);
    int unit = ReadUnitPreference();
    EXPECT_TRUE(unit == UnitInches || unit == UnitCentimetres) << unit;

    WriteUnitPreference(UnitCentimetres);
    EXPECT_EQ(Units(DefaultSection), "2");
    EXPECT_EQ(ReadUnitPreference(), UnitCentimetres);
}

// Running as root under Wine, a read-only attribute does not stop a write;
// a reader that shares the file for reading only refuses every writer the
// same way.
class LockedFile {
public:
    LockedFile()
        : handle(CreateFileA(PreferencesFile::Path().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~LockedFile() {
        if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
    bool ok() const { return handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle;
};

TEST_F(PreferencesTest, UnwritableFileKeepsTheChoiceForTheRun) {
    preferences.Write(UnitsFile("2"));
    LockedFile lock;
    ASSERT_TRUE(lock.ok());
    ASSERT_FALSE(WritePrivateProfileStringA("Probe", "Key", "1", "vellix.ini")) << "the lock refuses writers";

    CurrentUnit = ReadUnitPreference();
    EXPECT_EQ(CurrentUnit, UnitCentimetres);

    HWND dialog = OpenDialog(IDD_INFORMATION, InfoDialogProc);
    ASSERT_TRUE(dialog);
    ChooseComboEntry(dialog, IDC_INFO_UNITS, UnitInches);
    SendCommand(dialog, IDOK);  // the write fails quietly
    DestroyWindow(dialog);
    EXPECT_EQ(CurrentUnit, UnitInches);

    dialog = OpenDialog(IDD_INFORMATION, InfoDialogProc);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(ComboSelection(dialog, IDC_INFO_UNITS), UnitInches);
    EXPECT_EQ(ControlText(dialog, IDC_INFO_WIDTH), "12\"");
    DestroyWindow(dialog);
    EXPECT_EQ(preferences.Text(), UnitsFile("2"));
}

TEST_F(PreferencesTest, EveryWriteStoresTheUnitPlusOne) {
    ASSERT_EQ(ReadUnitPreference(), UnitInches);
    const struct {
        int unit;
        const char* stored;
    } writes[] = {{UnitInches, "1"}, {UnitInches, "1"}, {UnitCentimetres, "2"}, {UnitInches, "1"}};
    for (const auto& w : writes) {
        WriteUnitPreference(w.unit);
        EXPECT_EQ(Units(DefaultSection), w.stored);
    }
    EXPECT_EQ(preferences.Text(), UnitsFile("1"));
}

TEST_F(PreferencesTest, DevicesWithDifferentNamesKeepSeparateChoices) {
    LoadProfile("several_devices.ini");  // the first absolute device is the PenPad
    ASSERT_EQ(ReadUnitPreference(), UnitInches);
    WriteUnitPreference(UnitCentimetres);

    Reselect("SketchPad");
    ASSERT_EQ(ReadUnitPreference(), UnitInches) << "its own section is still empty";
    WriteUnitPreference(UnitInches);

    Reselect(nullptr);
    EXPECT_EQ(ReadUnitPreference(), UnitCentimetres);
    Reselect("SKETCHPAD");
    EXPECT_EQ(ReadUnitPreference(), UnitInches);
    EXPECT_EQ(Units("Vellix PenPad 12x9"), "2");
    EXPECT_EQ(Units("Vellix SketchPad 6x4"), "1");
}

TEST_F(PreferencesTest, DevicesWhoseNamesAgreeUpToTheSemicolonShareOne) {
    ASSERT_TRUE(
        sim.LoadDescriptionText("[Tablet]\nDevices=2\n"
                                "[Device0]\nName=Shared Pad; Format: A; Version 1\n"
                                "[Device1]\nName=Shared Pad; Format: B; Version 2\n"));
    Reselect("FORMAT: A");
    ASSERT_EQ(ReadUnitPreference(), UnitInches);
    WriteUnitPreference(UnitCentimetres);
    Reselect("format: b");
    ASSERT_EQ(SelectDevice(), 1);
    EXPECT_EQ(ReadUnitPreference(), UnitCentimetres);
    EXPECT_STREQ(PreferenceSection(), "Shared Pad");
}

TEST_F(PreferencesTest, OtherSectionsKeysAndCommentsSurviveEveryWrite) {
    const std::string before =
        "; kept by other programs\r\n"
        "[Other Tablet]\r\nUnits=2\r\nColour=Blue\r\n\r\n"
        "[Vellix PenPad 12x9]\r\nSpeed=5\r\nUnits=1\r\nExtra=x y z\r\n\r\n"
        "[Last]\r\nKey=Value\r\n";
    preferences.Write(before);
    ASSERT_EQ(ReadUnitPreference(), UnitInches);
    for (int unit : {UnitCentimetres, UnitInches, UnitCentimetres}) {
        WriteUnitPreference(unit);
        EXPECT_EQ(Units(DefaultSection), unit == UnitCentimetres ? "2" : "1");
        EXPECT_EQ(Units("Other Tablet"), "2");
        EXPECT_EQ(preferences.Value("Other Tablet", "Colour"), "Blue");
        EXPECT_EQ(preferences.Value(DefaultSection, "Speed"), "5");
        EXPECT_EQ(preferences.Value(DefaultSection, "Extra"), "x y z");
        EXPECT_EQ(preferences.Value("Last", "Key"), "Value");
        EXPECT_NE(preferences.Text().find("; kept by other programs"), std::string::npos);
    }
}

TEST_F(PreferencesTest, TheSectionIsTheNameReadAtStartUp) {
    ASSERT_EQ(ReadUnitPreference(), UnitInches);
    EXPECT_STREQ(PreferenceSection(), DefaultSection);
    // The driver now names the device differently: writes keep the old section.
    ASSERT_TRUE(sim.LoadDescriptionText("[Device0]\nName=Renamed Pad; Format: X\n"));
    Reselect(nullptr);
    WriteUnitPreference(UnitCentimetres);
    EXPECT_EQ(Units(DefaultSection), "2");
    EXPECT_EQ(Units("Renamed Pad"), "");
}

TEST_F(PreferencesTest, OverLongDeviceNamesMakeABoundedSection) {
    ASSERT_TRUE(sim.LoadDescriptionText("[Device0]\nName=ABCDEFGHIJ\n"));
    for (int length : {1, 199, 200, 201, 10000}) {
        ASSERT_TRUE(sim.SetFault(SimFaultNameLength, length));
        Reselect(nullptr);
        preferences.Remove();
        ASSERT_EQ(ReadUnitPreference(), UnitInches) << length;
        const size_t n = static_cast<size_t>(length) < 199 ? static_cast<size_t>(length) : 199;
        EXPECT_EQ(PreferenceSection(), Repeated("ABCDEFGHIJ", n)) << length;
        WriteUnitPreference(UnitCentimetres);
        EXPECT_EQ(ReadUnitPreference(), UnitCentimetres) << length;
    }
}

}  // namespace
