// Tracking mode and sensitivity in the real Tablet Setup dialog: the factor
// written for a percentage on tablets of several resolutions, the percentage
// shown for the driver's factor, typed text, the spin limits and the mode.
#include <gtest/gtest.h>

#include <cstdio>

#include "controls/controls.h"
#include "defs/features.h"
#include "support/setup_host.h"

using namespace setup_test;

namespace {

const char* Inch1000 = "Resolution=1000";
const char* Inch200 = "Resolution=200";
const char* Centimetre400 = "Unit=2\nResolution=400";

std::string WithSensitivity(const char* device, uint32_t sensitivity, int trackingMode = 1) {
    char context[160];
    snprintf(context, sizeof context, "[Context0]\nName=Default System\nTrackingMode=%d\nSensitivity=0x%X\n",
             trackingMode, sensitivity);
    return Tablet("Contexts=1", device, context);
}

class SensitivityTest : public ::testing::Test {
protected:
    void Open(const char* device, uint32_t sensitivity, int trackingMode = 1, bool show = false) {
        ASSERT_TRUE(host.Describe(WithSensitivity(device, sensitivity, trackingMode).c_str()));
        ASSERT_TRUE(host.Open(show));
    }
    // What Test writes to the driver, both axes.
    uint32_t Written() {
        host.Click(IDC_SETUP_TEST);
        ContextRecord record = host.SystemContext();
        EXPECT_EQ(record.sensitivityX, record.sensitivityY);
        return record.sensitivityX;
    }
    SetupHost host;
};

TEST_F(SensitivityTest, PercentWritesTheFactorOfTheResolution) {
    struct Case {
        const char* device;
        const char* typed;
        uint32_t written;
    } cases[] = {
        {Inch1000, "100", 0x8000},      {Inch1000, "50", 0x4000},      {Inch1000, "75", 0x6000},
        {Inch1000, "1", 0x147},         {Inch200, "100", 0x10000},     {Inch200, "75", 0xC000},
        {Centimetre400, "100", 0x64C9}, {Centimetre400, "50", 0x3264},
    };
    for (const Case& c : cases) {
        Open(c.device, 0x2000);
        host.Type(IDC_SENS_EDIT, c.typed);
        EXPECT_EQ(std::string(c.typed) + "%", host.Text(IDC_SENS_EDIT)) << c.device << " " << c.typed;
        EXPECT_EQ(c.written, Written()) << c.device << " " << c.typed;
    }
}

TEST_F(SensitivityTest, DriverFactorIsShownAsAPercentage) {
    struct Case {
        const char* device;
        uint32_t sensitivity;
        const char* shown;
    } cases[] = {
        {Inch1000, 0x8000, "100%"},      {Inch1000, 0x4000, "50%"},
        {Inch1000, 0x7F00, "99%"},       {Inch1000, 0x80, "0%"},
        {Inch200, 0x10000, "100%"},      {Inch200, 0xC000, "75%"},
        {Centimetre400, 0x64C9, "100%"}, {Centimetre400, 0x3264, "50%"},
        {Inch1000, 0x10000, "100%"},  // twice what 100 percent stands for
        {Inch1000, 0xFFFFFFFF, "100%"},
    };
    for (const Case& c : cases) {
        Open(c.device, c.sensitivity);
        EXPECT_EQ(c.shown, host.Text(IDC_SENS_EDIT)) << c.device << " " << std::hex << c.sensitivity;
    }
}

// A percentage the user changed is written as the dialog works it out; one
// left as shown writes the driver's own value back, whatever it shows as.
TEST_F(SensitivityTest, OkWritesTheValueOfTheShownPercentage) {
    struct Case {
        const char* device;
        uint32_t driver;
        const char* typed;  // null: left as opened
        uint32_t written;
    } cases[] = {
        {Inch1000, 0x10000, nullptr, 0x10000},  // above 100 percent, shown as 100 and left alone
        {Inch1000, 0x7F00, nullptr, 0x7F00},    // shown as 99 percent
        {Inch1000, 0x10000, "99", 0x7EB8},      // 99 percent as the dialog works it out
        {Inch1000, 0x7F00, "100", 0x8000},
        // axes answered as nonsense: the percentage stands for nothing the driver holds
        {"XMin=12000\nXMax=0\nResolution=0xFFFFFFFF\nUnit=7", 0x8000, nullptr, 0x8000},
    };
    for (const Case& c : cases) {
        Open(c.device, c.driver, 1, true);
        if (c.typed) host.Type(IDC_SENS_EDIT, c.typed);
        host.Click(IDOK);
        EXPECT_TRUE(host.Ended());
        EXPECT_EQ(c.written, host.SystemContext().sensitivityX) << std::hex << c.driver;
        EXPECT_EQ(c.written, host.SystemContext().sensitivityY) << std::hex << c.driver;
    }
}

TEST_F(SensitivityTest, TypedTextIsCheckedAndTheFieldRewritten) {
    struct Case {
        const char* typed;
        const char* shown;
        int beeps;
        uint32_t written;
    } cases[] = {
        {"75%", "75%", 0, 0x6000},  {"75", "75%", 0, 0x6000}, {"150", "100%", 1, 0x8000}, {"0", "50%", 1, 0x4000},
        {"7x", "50%", 1, 0x4000},   {"-5", "50%", 1, 0x4000}, {"7.5", "50%", 1, 0x4000},  {" 75", "50%", 1, 0x4000},
        {"", "50%", 0, 0x4000},     {"%", "50%", 1, 0x4000},  {"75%%", "50%", 1, 0x4000}, {"9999", "100%", 1, 0x8000},
        {"0075", "75%", 0, 0x6000},
    };
    for (const Case& c : cases) {
        Open(Inch1000, 0x4000);
        ASSERT_EQ("50%", host.Text(IDC_SENS_EDIT));
        int before = BeepCount();
        host.Type(IDC_SENS_EDIT, c.typed);
        EXPECT_EQ(c.shown, host.Text(IDC_SENS_EDIT)) << "typed \"" << c.typed << "\"";
        EXPECT_EQ(c.beeps, BeepCount() - before) << "typed \"" << c.typed << "\"";
        EXPECT_EQ(c.written, Written()) << "typed \"" << c.typed << "\"";
    }
}

TEST_F(SensitivityTest, SpinStepsWithinOneToHundred) {
    struct Case {
        uint32_t driver;
        const char* typed;  // null: as opened
        WORD code;
        const char* shown;
    } cases[] = {
        {0x8000, nullptr, TWN_UP, "100%"}, {0x8000, nullptr, TWN_DOWN, "99%"},
        {0x4000, nullptr, TWN_UP, "51%"},  {0x4000, "1", TWN_DOWN, "1%"},
        {0x4000, "1", TWN_UP, "2%"},       {0x80, nullptr, TWN_DOWN, "0%"},  // 0 is possible only at opening
        {0x80, nullptr, TWN_UP, "1%"},
    };
    for (const Case& c : cases) {
        Open(Inch1000, c.driver);
        if (c.typed) host.Type(IDC_SENS_EDIT, c.typed);
        EXPECT_EQ(TRUE, host.Answer(IDC_SENS_SPIN, c.code));
        EXPECT_EQ(c.shown, host.Text(IDC_SENS_EDIT)) << std::hex << c.driver << " " << c.code;
    }
    Open(Inch1000, 0x4000);
    EXPECT_EQ(FALSE, host.Answer(IDC_SENS_SPIN, 0x22));
    EXPECT_EQ("50%", host.Text(IDC_SENS_EDIT));
    host.Spin(IDC_SENS_SPIN, TWN_UP);
    host.Spin(IDC_SENS_SPIN, TWN_UP);
    EXPECT_EQ("52%", host.Text(IDC_SENS_EDIT));
    EXPECT_EQ(0x428Fu, Written());  // each step rewrites the record's factor
}

// Without a resolution no percentage stands for a factor: the controls stay
// disabled in either mode, the driver's factor is kept, the status line says why.
TEST_F(SensitivityTest, ModeChoosesTheSensitivityControlsAndIsWritten) {
    const char* noResolution = "Sensitivity unavailable: the tablet reports no resolution.";
    struct Case {
        const char* device;
        int trackingMode;  // in the driver at opening
        int click;         // 0: none
        bool relative;
        bool usable;           // the sensitivity controls enabled
        uint32_t written;      // trackingMode after Test
        uint32_t sensitivity;  // after typing 75 and Test
        const char* status;
    } cases[] = {
        {Inch1000, 1, 0, true, true, 1, 0x6000, " "},
        {Inch1000, 0, 0, false, false, 0, 0x6000, " "},
        {Inch1000, 1, IDC_MODE_ABSOLUTE, false, false, 0, 0x6000, " "},
        {Inch1000, 0, IDC_MODE_RELATIVE, true, true, 1, 0x6000, " "},
        {Inch1000, 7, 0, true, true, 1, 0x6000, " "},  // any nonzero value is relative
        {"Resolution=0", 1, 0, true, false, 1, 0x4000, noResolution},
        {"Resolution=0", 0, IDC_MODE_RELATIVE, true, false, 1, 0x4000, noResolution},
    };
    for (const Case& c : cases) {
        Open(c.device, 0x4000, c.trackingMode);
        if (c.click) host.Click(c.click);
        std::string what =
            std::string(c.device) + " mode " + std::to_string(c.trackingMode) + " click " + std::to_string(c.click);
        EXPECT_EQ(c.relative, host.Checked(IDC_MODE_RELATIVE)) << what;
        EXPECT_EQ(!c.relative, host.Checked(IDC_MODE_ABSOLUTE)) << what;
        for (int id : {IDC_SENS_LABEL, IDC_SENS_EDIT, IDC_SENS_SPIN}) EXPECT_EQ(c.usable, host.Enabled(id)) << what;
        EXPECT_EQ(c.status, host.Text(IDC_STATUS_LINE)) << what;
        host.Type(IDC_SENS_EDIT, "75");  // written in either mode
        EXPECT_EQ(c.sensitivity, Written()) << what;
        EXPECT_EQ(c.written, host.SystemContext().trackingMode) << what;
    }
}

}  // namespace
