// Button assignments in the real Tablet Setup dialog: the button and action
// lists, the action shown for a code, choosing an action, the Default box
// and its probe, and cursors whose button names are missing or unterminated.
#include <gtest/gtest.h>

#include <cstring>

#include "defs/features.h"
#include "driver/driver.h"
#include "driver/session.h"
#include "support/setup_host.h"

using namespace setup_test;

namespace {

// One active pen with these button names and default map.
std::string Pen(const std::string& names, const std::string& map, bool penOption = false) {
    return Tablet(penOption ? "PenOption=1" : "",
                  "Cursors=1\n[Device0.Cursor0]\nName=Pen\nActive=1\nButtonNames=" + names + "\nButtonMap=" + map);
}

class ButtonsTest : public ::testing::Test {
protected:
    void Open(const std::string& description) {
        ASSERT_TRUE(host.Describe(description.c_str()));
        ASSERT_TRUE(host.Open(false));
    }
    // The driver's current map differs from its default until Describe again.
    void SetDriverMap(const ButtonMap& map) {
        ButtonMap copy = map;
        VXMgrCsrButtonMap(SessionManager(), 0, nullptr, copy.entry);
    }
    SetupHost host;
};

TEST_F(ButtonsTest, ActionListHoldsTenActionsOrSevenWithThePenOption) {
    const char* names[] = {
        "(None)",     "Left Click",   "Left Double Click",   "Left Drag",  "Right Click", "Right Double Click",
        "Right Drag", "Middle Click", "Middle Double Click", "Middle Drag"};
    for (bool penOption : {false, true}) {
        Open(Pen("Tip,Barrel", "1,4", penOption));
        int count = penOption ? 7 : 10;
        ASSERT_EQ(count, host.Count(IDC_ACTION_LIST));
        for (int i = 0; i < count; ++i) EXPECT_EQ(names[i], host.ListText(IDC_ACTION_LIST, i));
    }
}

TEST_F(ButtonsTest, ButtonListHoldsTheCursorsNamesAndShowsEachAction) {
    Open(Pen("Tip,Lower Barrel,Upper Barrel", "1,4,2"));
    ASSERT_EQ(3, host.Count(IDC_BUTTON_LIST));
    EXPECT_EQ("Tip", host.ListText(IDC_BUTTON_LIST, 0));
    EXPECT_EQ("Lower Barrel", host.ListText(IDC_BUTTON_LIST, 1));
    EXPECT_EQ("Upper Barrel", host.ListText(IDC_BUTTON_LIST, 2));
    EXPECT_EQ(0, host.Selection(IDC_BUTTON_LIST));
    EXPECT_EQ(1, host.Selection(IDC_ACTION_LIST));
    const int shown[] = {1, 4, 2};
    for (int button : {2, 1, 0}) {
        host.Select(IDC_BUTTON_LIST, button);
        EXPECT_EQ(shown[button], host.Selection(IDC_ACTION_LIST)) << "button " << button;
    }
}

TEST_F(ButtonsTest, ShownActionIsTheLowCode) {
    struct Case {
        bool penOption;
        const char* code;
        int shown;  // -1: no selection
    } cases[] = {
        {false, "8", 8}, {false, "0x53", 3}, {false, "9", 9},   {false, "12", -1}, {false, "15", -1},
        {true, "8", 0},  {true, "7", 0},     {true, "0x74", 4}, {true, "6", 6},    {true, "0x0C", 0},
    };
    for (const Case& c : cases) {
        Open(Pen("Tip,Barrel", std::string("1,") + c.code, c.penOption));
        host.Select(IDC_BUTTON_LIST, 1);
        EXPECT_EQ(c.shown, host.Selection(IDC_ACTION_LIST)) << c.code << (c.penOption ? " pen" : "");
        if (c.shown == 0) {
            EXPECT_EQ("(None)", host.Text(IDC_ACTION_LIST));
        }
    }
}

TEST_F(ButtonsTest, ChoosingAnActionKeepsTheHighBitsAndLeavesTheDefault) {
    struct Case {
        bool penOption;
        uint8_t entry;  // the driver's map entry of button 0 at opening
        int action;
        uint8_t written;  // what Test writes
    } cases[] = {
        {false, 0x51, 3, 0x53}, {false, 0xA0, 9, 0xA9},
        {false, 0x07, 0, 0x00}, {true, 0x11, 4, 0x74},  // the pen option's form of a right click
        {true, 0x33, 0, 0x00},
    };
    for (const Case& c : cases) {
        // Buttons 1 and 2 keep a right and a left click, so no warning comes.
        Open(Pen("Tip,Lower,Upper", "1,4,1", c.penOption));
        SetDriverMap(MapOf({c.entry, 4, 1}));
        host.Close();
        ASSERT_TRUE(host.Open(false));
        host.Select(IDC_ACTION_LIST, c.action);
        host.Click(IDC_SETUP_TEST);
        EXPECT_EQ(c.written, host.Map(0).entry[0]) << std::hex << int(c.entry) << " action " << c.action;
        EXPECT_EQ(c.penOption ? 0x74 : 0x04, host.Map(0).entry[1]);
        EXPECT_EQ(c.penOption ? 0x11 : 0x01, host.Map(0).entry[2]);
        EXPECT_TRUE(host.boxDriver.boxes.empty());
    }
}

TEST_F(ButtonsTest, ChoosingAnActionClearsTheDefaultStateButNotTheBox) {
    // The map equals the default, so the box is checked and the list disabled.
    Open(Pen("Tip,Barrel", "1,4"));
    ASSERT_TRUE(host.Checked(IDC_DEFAULT_BUTTONS));
    ASSERT_FALSE(host.Enabled(IDC_ACTION_LIST));
    host.Select(IDC_ACTION_LIST, 2);
    EXPECT_TRUE(host.Checked(IDC_DEFAULT_BUTTONS));
    host.Click(IDC_SETUP_TEST);
    // Written as edited, not replaced by the driver's default.
    EXPECT_TRUE(SameMap(MapOf({2, 4}), host.Map(0)));
}

TEST_F(ButtonsTest, DefaultBoxShowsTheDriversDefaultWithoutChangingTheDriver) {
    Open(Pen("Tip,Lower,Upper", "1,4,2"));
    SetDriverMap(MapOf({4, 1, 0}));
    host.Close();
    ASSERT_TRUE(host.Open(false));
    ASSERT_FALSE(host.Checked(IDC_DEFAULT_BUTTONS));
    ASSERT_TRUE(host.Enabled(IDC_ACTION_LIST));
    host.Select(IDC_BUTTON_LIST, 2);
    ASSERT_EQ(0, host.Selection(IDC_ACTION_LIST));
    DriverSnapshot before = host.Snapshot();

    host.Click(IDC_DEFAULT_BUTTONS);
    EXPECT_TRUE(host.Checked(IDC_DEFAULT_BUTTONS));
    EXPECT_FALSE(host.Enabled(IDC_ACTION_LIST));
    EXPECT_EQ(2, host.Selection(IDC_BUTTON_LIST));
    EXPECT_EQ(2, host.Selection(IDC_ACTION_LIST)) << "the default action of button 2";
    EXPECT_TRUE(before == host.Snapshot()) << "the probe puts the driver back";

    // Cleared again, the default map stays and can be edited.
    host.Click(IDC_DEFAULT_BUTTONS);
    EXPECT_FALSE(host.Checked(IDC_DEFAULT_BUTTONS));
    EXPECT_TRUE(host.Enabled(IDC_ACTION_LIST));
    host.Select(IDC_ACTION_LIST, 3);
    host.Click(IDC_SETUP_TEST);
    EXPECT_TRUE(SameMap(MapOf({1, 4, 3}), host.Map(0)));
}

TEST_F(ButtonsTest, DefaultOnAMapThatIsTheDefaultChangesNothing) {
    Open(Pen("Tip,Lower,Upper", "1,4,2"));
    ASSERT_TRUE(host.Checked(IDC_DEFAULT_BUTTONS));
    DriverSnapshot before = host.Snapshot();
    host.Click(IDC_DEFAULT_BUTTONS);  // off
    EXPECT_TRUE(host.Enabled(IDC_ACTION_LIST));
    host.Click(IDC_DEFAULT_BUTTONS);  // on again
    EXPECT_TRUE(host.Checked(IDC_DEFAULT_BUTTONS));
    EXPECT_FALSE(host.Enabled(IDC_ACTION_LIST));
    EXPECT_EQ(1, host.Selection(IDC_ACTION_LIST));
    EXPECT_TRUE(before == host.Snapshot());
    host.Click(IDC_SETUP_TEST);
    EXPECT_TRUE(SameMap(MapOf({1, 4, 2}), host.Map(0)));
}

TEST_F(ButtonsTest, CursorWithoutButtonNamesDrivesTheActionsByButtonZero) {
    Open(Pen("", "4,1"));
    EXPECT_EQ(0, host.Count(IDC_BUTTON_LIST));
    EXPECT_EQ(4, host.Selection(IDC_ACTION_LIST));
    host.Click(IDC_DEFAULT_BUTTONS);  // off: the list can be used
    host.Select(IDC_ACTION_LIST, 2);
    host.Click(IDC_SETUP_TEST);
    EXPECT_TRUE(SameMap(MapOf({2, 1}), host.Map(0)));
    EXPECT_TRUE(host.boxDriver.boxes.empty()) << "a cursor without buttons loses no clicks";
}

TEST_F(ButtonsTest, UnterminatedButtonNamesEndAtTheDriversSize) {
    ASSERT_TRUE(host.Describe(Pen("Tip,Lower,Upper", "1,4,2").c_str()));
    host.sim.SetFault(SimFaultUnterminatedNames, 1);
    ASSERT_TRUE(host.Open(false));
    ASSERT_EQ(3, host.Count(IDC_BUTTON_LIST));
    EXPECT_EQ("Upper", host.ListText(IDC_BUTTON_LIST, 2));
}

TEST_F(ButtonsTest, LongButtonNamesAreListedWhole) {
    Open(Pen("Tip," + std::string(300, 'x') + ",Upper", "1,4,2"));
    ASSERT_EQ(3, host.Count(IDC_BUTTON_LIST));
    EXPECT_EQ(300, SendMessageA(host.Item(IDC_BUTTON_LIST), CB_GETLBTEXTLEN, 1, 0));
    EXPECT_EQ("Upper", host.ListText(IDC_BUTTON_LIST, 2));
}

}  // namespace
