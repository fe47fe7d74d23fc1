// The Tablet Setup dialog's template and flow in a real dialog: the controls
// in template order, opening, OK, Cancel, Revert and Test against the
// driver stand-in and vellix.ini, the modal loop, the warning before lost
// clicks, the status line, unhandled commands and the label mnemonics.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <utility>

#include "app/app.h"
#include "controls/controls.h"
#include "defs/features.h"
#include "dialogs/dialogs.h"
#include "setup/setup.h"
#include "setup/setup_private.h"
#include "support/setup_host.h"

using namespace setup_test;

namespace {

const int Fields[6] = {IDC_WIDTH_EDIT, IDC_HEIGHT_EDIT, IDC_LEFT_EDIT, IDC_TOP_EDIT, IDC_RIGHT_EDIT, IDC_BOTTOM_EDIT};

// Area (1000, 2000, 7000, 6500) of the 12000 by 9000 tablet, half
// sensitivity, in both the system and the default system context.
std::string Opened(int trackingMode) {
    std::string context =
        "Name=Default System\nInOriginX=1000\nInExtentX=6000\nInOriginY=2500\nInExtentY=4500\n"
        "Sensitivity=0x4000\nTrackingMode=" +
        std::to_string(trackingMode) + "\n";
    return Tablet("Contexts=1", "", "[Context0]\n" + context + "[DefaultSystemContext]\n" + context);
}

bool IsGroupBox(HWND control) {
    return WindowClass(control) == "Button" && (GetWindowLongA(control, GWL_STYLE) & 0x0F) == BS_GROUPBOX;
}

class SetupDialogTest : public ::testing::Test {
protected:
    void Open(int trackingMode = 1, int unit = 0) {
        ASSERT_TRUE(host.Describe(Opened(trackingMode).c_str(), unit));
        host.SetUnitsKey("7");  // no unit: shows whether the dialog wrote one
        ASSERT_TRUE(host.Open());
    }
    std::vector<std::string> FieldTexts() { return host.AreaFieldTexts(); }
    const std::vector<std::string> inches = {"6\"", "4.5\"", "1\"", "2\"", "5\"", "2.5\""};
    SetupHost host;
};

struct TemplateControl {
    int id;
    const char* className;
    const char* text;
};

TEST_F(SetupDialogTest, TemplateHoldsEveryControlInOrderWithoutOverlap) {
    // clang-format off
    const TemplateControl expected[] = {
        {65535, "Static", "Tracking Mode:"},  {20, "Button", "&Relative"},      {21, "Button", "&Absolute"},
        {22, "Static", "&Sensitivity:"},      {23, "Edit", nullptr},            {24, "Tweak", ""},
        {65535, "Button", "Button Assignments"}, {25, "Button", "&Default"},   {26, "ComboBox", nullptr},
        {27, "ComboBox", nullptr},            {65535, "Button", "Tracking Area"}, {28, "Button", "Wh&ole Tablet"},
        {29, "Button", "&Preserve Aspect Ratio"}, {30, "Static", "&Units:"},    {31, "ComboBox", nullptr},
        {32, "Static", "&Width:"},            {33, "Edit", nullptr},            {34, "Tweak", ""},
        {35, "Static", "&Height:"},           {36, "Edit", nullptr},            {37, "Tweak", ""},
        {38, "Static", "&Left Margin:"},      {39, "Edit", nullptr},            {40, "Tweak", ""},
        {41, "Static", "&Top Margin:"},       {42, "Edit", nullptr},            {43, "Tweak", ""},
        {44, "Static", "R&ight Margin:"},     {45, "Edit", nullptr},            {46, "Tweak", ""},
        {47, "Static", "&Bottom Margin:"},    {48, "Edit", nullptr},            {49, "Tweak", ""},
        {50, "SetArea", "Use Custom"},        {51, "Static", " "},              {1, "Button", "OK"},
        {2, "Button", "Cancel"},              {10, "Button", "Revert"},         {52, "Button", "Test"},
    };
    // clang-format on
    Open();
    char title[64] = "";
    GetWindowTextA(host.dialog, title, sizeof title);
    EXPECT_STREQ("Tablet Setup", title);
    EXPECT_EQ(0, GetWindowLongA(host.dialog, GWL_STYLE) & WS_SYSMENU) << "no close box";
    RECT size = {0, 0, 272, 196}, client;
    MapDialogRect(host.dialog, &size);
    GetClientRect(host.dialog, &client);
    EXPECT_EQ(size.right, client.right);
    EXPECT_EQ(size.bottom, client.bottom);

    std::vector<HWND> controls;
    for (HWND c = GetWindow(host.dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) controls.push_back(c);
    ASSERT_EQ(sizeof expected / sizeof expected[0], controls.size());
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(host.dialog, WM_GETFONT, 0, 0));
    HDC dc = GetDC(host.dialog);
    HGDIOBJ oldFont = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
    for (size_t i = 0; i < controls.size(); ++i) {
        const TemplateControl& e = expected[i];
        EXPECT_EQ(e.id, GetDlgCtrlID(controls[i])) << "control " << i;
        EXPECT_EQ(0, lstrcmpiA(e.className, WindowClass(controls[i]).c_str()))
            << e.id << " " << WindowClass(controls[i]);
        if (e.text) {
            EXPECT_EQ(e.text, WindowText(controls[i])) << e.id;
        }
        if (!e.text || !*e.text || e.id == IDC_AREA_CONTROL) continue;
        // The text fits: check boxes and radios also need their box.
        std::string shown;
        for (const char* p = e.text; *p; ++p)
            if (*p != '&') shown += *p;
        SIZE extent;
        GetTextExtentPoint32A(dc, shown.c_str(), static_cast<int>(shown.size()), &extent);
        RECT r;
        GetClientRect(controls[i], &r);
        LONG type = GetWindowLongA(controls[i], GWL_STYLE) & 0x0F;
        bool box = strcmp(e.className, "Button") == 0 && (type == BS_CHECKBOX || type == BS_RADIOBUTTON);
        EXPECT_LE(extent.cx + (box ? GetSystemMetrics(SM_CXMENUCHECK) + 4 : 0), r.right) << e.text;
    }
    SelectObject(dc, oldFont);
    ReleaseDC(host.dialog, dc);

    // No two controls overlap, except that the group boxes frame the others.
    for (size_t i = 0; i < controls.size(); ++i) {
        for (size_t j = i + 1; j < controls.size(); ++j) {
            if (IsGroupBox(controls[i]) || IsGroupBox(controls[j])) continue;
            RECT a, b, overlap;
            GetWindowRect(controls[i], &a);
            GetWindowRect(controls[j], &b);
            EXPECT_FALSE(IntersectRect(&overlap, &a, &b))
                << GetDlgCtrlID(controls[i]) << " and " << GetDlgCtrlID(controls[j]);
        }
    }
}

// One control of a dialog template as the resource holds it.
struct ItemTemplate {
    DWORD style;
    short x, y, cx, cy;
    WORD id;
    std::string className;  // atoms as their class names
    std::string text;
};

// Reads a sz_Or_Ord field: 0 none, 0xFFFF an ordinal, else a wide string.
const WORD* ReadNameOrOrdinal(const WORD* p, std::string& name, WORD& ordinal) {
    name.clear();
    ordinal = 0;
    if (*p == 0) return p + 1;
    if (*p == 0xFFFF) {
        ordinal = p[1];
        return p + 2;
    }
    for (; *p; ++p) name += static_cast<char>(*p);
    return p + 1;
}

struct DialogTemplate {
    DWORD style = 0;
    short cx = 0, cy = 0;
    std::string title;
    std::vector<ItemTemplate> items;
};

DialogTemplate ReadSetupTemplate() {
    DialogTemplate result;
    HRSRC found =
        FindResourceA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SETUP), reinterpret_cast<LPCSTR>(RT_DIALOG));
    if (!found) return result;
    const BYTE* base = static_cast<const BYTE*>(LockResource(LoadResource(GetModuleHandleA(nullptr), found)));
    const DLGTEMPLATE* header = reinterpret_cast<const DLGTEMPLATE*>(base);
    result.style = header->style;
    result.cx = header->cx;
    result.cy = header->cy;
    const WORD* p = reinterpret_cast<const WORD*>(header + 1);
    std::string name;
    WORD ordinal;
    p = ReadNameOrOrdinal(p, name, ordinal);  // menu
    p = ReadNameOrOrdinal(p, name, ordinal);  // class
    p = ReadNameOrOrdinal(p, result.title, ordinal);
    if (header->style & DS_SETFONT) {
        ++p;
        p = ReadNameOrOrdinal(p, name, ordinal);
    }
    static const char* atoms[] = {"Button", "Edit", "Static", "ListBox", "ScrollBar", "ComboBox"};
    for (WORD i = 0; i < header->cdit; ++i) {
        p = reinterpret_cast<const WORD*>((reinterpret_cast<uintptr_t>(p) + 3) & ~uintptr_t(3));
        const DLGITEMTEMPLATE* item = reinterpret_cast<const DLGITEMTEMPLATE*>(p);
        ItemTemplate t;
        t.style = item->style;
        t.x = item->x;
        t.y = item->y;
        t.cx = item->cx;
        t.cy = item->cy;
        t.id = item->id;
        p = reinterpret_cast<const WORD*>(item + 1);
        p = ReadNameOrOrdinal(p, t.className, ordinal);
        if (ordinal >= 0x80 && ordinal <= 0x85) t.className = atoms[ordinal - 0x80];
        p = ReadNameOrOrdinal(p, t.text, ordinal);
        p += 1 + *p / 2;  // creation data
        result.items.push_back(t);
    }
    return result;
}

TEST_F(SetupDialogTest, TemplateResourceGivesEachControlItsClassAndStyle) {
    DialogTemplate t = ReadSetupTemplate();
    EXPECT_EQ("Tablet Setup", t.title);
    EXPECT_EQ(272, t.cx);
    EXPECT_EQ(196, t.cy);
    EXPECT_EQ(0u, t.style & (WS_SYSMENU | DS_SETFONT)) << "no close box, the system font";
    ASSERT_EQ(39u, t.items.size());
    struct Case {
        int index;
        WORD id;
        const char* className;
        DWORD style, mask;
    } cases[] = {
        {0, 65535, "Static", SS_LEFT, 0x1F},
        {1, IDC_MODE_RELATIVE, "Button", WS_GROUP | BS_RADIOBUTTON, WS_GROUP | 0x0F},
        {2, IDC_MODE_ABSOLUTE, "Button", BS_RADIOBUTTON, WS_GROUP | 0x0F},
        {4, IDC_SENS_EDIT, "Edit", WS_BORDER, WS_BORDER},
        {5, IDC_SENS_SPIN, "TWEAK", 0x50800000, 0xFFFFFFFF},
        {6, 65535, "Button", BS_GROUPBOX, 0x0F},
        {7, IDC_DEFAULT_BUTTONS, "Button", BS_CHECKBOX, 0x0F},  // not automatic
        {8, IDC_BUTTON_LIST, "ComboBox", CBS_DROPDOWNLIST, 0x03},
        {9, IDC_ACTION_LIST, "ComboBox", CBS_DROPDOWNLIST, 0x03},
        {10, 65535, "Button", BS_GROUPBOX, 0x0F},
        {11, IDC_WHOLE_TABLET, "Button", BS_CHECKBOX, 0x0F},
        {12, IDC_PRESERVE_ASPECT, "Button", WS_GROUP | BS_CHECKBOX, WS_GROUP | 0x0F},
        {14, IDC_UNITS_LIST, "ComboBox", CBS_DROPDOWNLIST, 0x03},
        {17, IDC_WIDTH_SPIN, "TWEAK", 0x50800000, 0xFFFFFFFF},
        {32, IDC_BOTTOM_SPIN, "TWEAK", 0x50800000, 0xFFFFFFFF},
        {33, IDC_AREA_CONTROL, "SETAREA", 0x50030005, 0xFFFFFFFF},
        {34, IDC_STATUS_LINE, "Static", SS_RIGHT, 0x1F},
        {35, IDOK, "Button", BS_DEFPUSHBUTTON, 0x0F},
        {36, IDCANCEL, "Button", BS_PUSHBUTTON, 0x0F},
        {37, IDC_SETUP_REVERT, "Button", BS_PUSHBUTTON, 0x0F},
        {38, IDC_SETUP_TEST, "Button", BS_PUSHBUTTON, 0x0F},
    };
    for (const Case& c : cases) {
        const ItemTemplate& item = t.items[c.index];
        EXPECT_EQ(c.id, item.id) << c.index;
        EXPECT_EQ(0, lstrcmpiA(c.className, item.className.c_str())) << c.index << " " << item.className;
        EXPECT_EQ(c.style, item.style & c.mask) << c.index;
    }
    const ItemTemplate& area = t.items[33];
    EXPECT_EQ("Use Custom", area.text);
    EXPECT_EQ(120, area.x);
    EXPECT_EQ(72, area.y);
    EXPECT_EQ(104, area.cx);
    EXPECT_EQ(104, area.cy);
    for (const ItemTemplate& item : t.items) {
        if (lstrcmpiA(item.className.c_str(), "tweak") != 0) continue;
        EXPECT_EQ(8, item.cx) << item.id;
        EXPECT_EQ(12, item.cy) << item.id;
    }
}

TEST_F(SetupDialogTest, AreaControlTakesTheTabletsProportions) {
    struct Case {
        const char* device;
        double aspect;  // tablet height over width
    } cases[] = {
        {"", 0.75},                         // 12 by 9 inches: lower, bottom edge kept
        {"XMax=6000\nYMax=8000", 4.0 / 3},  // 6 by 8 inches: narrower, centred
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(host.Describe(Tablet("", c.device).c_str()));
        ASSERT_TRUE(host.Open(false));
        RECT placed = {120, 72, 104, 104};  // x, y, width, height as the template gives them
        MapDialogRect(host.dialog, &placed);
        placed.right += placed.left;
        placed.bottom += placed.top;
        RECT r;
        GetWindowRect(host.Item(IDC_AREA_CONTROL), &r);
        MapWindowPoints(nullptr, host.dialog, reinterpret_cast<POINT*>(&r), 2);
        HDC display = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
        double pixelAspect = static_cast<double>(GetDeviceCaps(display, ASPECTY)) / GetDeviceCaps(display, ASPECTX);
        DeleteDC(display);
        int width = placed.right - placed.left, height = placed.bottom - placed.top;
        if (c.aspect < 1) {
            EXPECT_EQ(placed.left, r.left);
            EXPECT_EQ(placed.right, r.right);
            EXPECT_EQ(placed.bottom, r.bottom);
            EXPECT_EQ(static_cast<int>(height * pixelAspect * c.aspect + 0.5), r.bottom - r.top);
        } else {
            int narrowed = static_cast<int>(width / (pixelAspect * c.aspect) + 0.5);
            EXPECT_EQ(placed.top, r.top);
            EXPECT_EQ(placed.bottom, r.bottom);
            EXPECT_EQ(narrowed, r.right - r.left);
            EXPECT_EQ(placed.left + (width - narrowed) / 2, r.left);
        }
    }
}

TEST_F(SetupDialogTest, OpeningShowsWhatTheDriverHolds) {
    Open(1);
    EXPECT_TRUE(host.Checked(IDC_MODE_RELATIVE));
    EXPECT_FALSE(host.Checked(IDC_MODE_ABSOLUTE));
    EXPECT_EQ("50%", host.Text(IDC_SENS_EDIT));
    EXPECT_TRUE(host.Checked(IDC_DEFAULT_BUTTONS));
    EXPECT_FALSE(host.Enabled(IDC_ACTION_LIST));
    EXPECT_EQ(0, host.Selection(IDC_BUTTON_LIST));
    EXPECT_EQ(1, host.Selection(IDC_ACTION_LIST));
    EXPECT_FALSE(host.Checked(IDC_WHOLE_TABLET));
    EXPECT_FALSE(host.Checked(IDC_PRESERVE_ASPECT));
    EXPECT_EQ(0, host.Selection(IDC_UNITS_LIST));
    ASSERT_EQ(2, host.Count(IDC_UNITS_LIST));
    EXPECT_EQ("Inches", host.ListText(IDC_UNITS_LIST, 0));
    EXPECT_EQ("Centimeters", host.ListText(IDC_UNITS_LIST, 1));
    EXPECT_EQ(inches, FieldTexts());
    AreaBox area = host.ControlArea();
    EXPECT_EQ(1000, area.left);
    EXPECT_EQ(6500, area.bottom);
    EXPECT_EQ(4, SendMessageA(host.Item(IDC_SENS_EDIT), EM_GETLIMITTEXT, 0, 0));
    for (int id : Fields) EXPECT_EQ(7, SendMessageA(host.Item(id), EM_GETLIMITTEXT, 0, 0)) << id;
    for (int spin : {24, 34, 37, 40, 43, 46, 49})
        EXPECT_EQ(reinterpret_cast<LRESULT>(host.Item(spin - 1)), SendMessageA(host.Item(spin), TWM_GETBUDDY, 0, 0));
    for (int id = IDC_PRESERVE_ASPECT; id <= IDC_SETUP_TEST; ++id)
        if (host.Item(id)) {
            EXPECT_TRUE(host.Enabled(id)) << id;
        }
    EXPECT_TRUE(host.boxDriver.boxes.empty());
}

// The driver's area lies off the tablet: the dialog shows it brought onto
// the tablet, and OK writes what it shows.
TEST_F(SetupDialogTest, AnAreaOffTheTabletIsShownAndWrittenOnIt) {
    std::string context = "Name=Default System\nInOriginX=15000\nInExtentX=4000\nInOriginY=10000\nInExtentY=3000\n";
    ASSERT_TRUE(host.Describe(
        Tablet("Contexts=1", "", "[Context0]\n" + context + "[DefaultSystemContext]\n" + context).c_str()));
    ASSERT_TRUE(host.Open());
    EXPECT_EQ((std::vector<std::string>{"4\"", "3\"", "8\"", "0\"", "0\"", "6\""}), FieldTexts());
    host.Click(IDOK);
    ASSERT_TRUE(host.Ended());
    for (ContextHandle written : {host.sim.SystemContextOf(0), host.sim.DefaultSystemContext()}) {
        ContextRecord r = host.sim.Context(written);
        EXPECT_EQ(8000, r.inOriginX) << written;
        EXPECT_EQ(4000, r.inExtentX) << written;
        EXPECT_EQ(6000, r.inOriginY) << written;
        EXPECT_EQ(3000, r.inExtentY) << written;
    }
}

// Whole Tablet at opening disables the aspect box and everything from the
// Width label to the area control; Revert brings that state back.
TEST_F(SetupDialogTest, WholeTabletDisablesTheAreaControlsAtOpeningAndAfterRevert) {
    ASSERT_TRUE(host.Describe(""));
    ASSERT_TRUE(host.Open());
    auto expectAreaControls = [this](bool enabled, const char* when) {
        EXPECT_EQ(!enabled, host.Checked(IDC_WHOLE_TABLET)) << when;
        EXPECT_EQ(enabled, host.Enabled(IDC_PRESERVE_ASPECT)) << when;
        for (int id = IDC_WIDTH_LABEL; id <= IDC_AREA_CONTROL; ++id)
            EXPECT_EQ(enabled, host.Enabled(id)) << when << " " << id;
    };
    expectAreaControls(false, "opened");
    host.Click(IDC_WHOLE_TABLET);
    expectAreaControls(true, "Whole Tablet off");
    host.Click(IDC_SETUP_REVERT);
    expectAreaControls(false, "reverted");
}

// Device 0 reports x relatively, so device 1 is the tablet: its context
// takes the settings, and a typed height counts in its y resolution.
TEST_F(SetupDialogTest, SettingsGoToTheSelectedDeviceOtherThanZero) {
    ASSERT_TRUE(
        host.Describe("[Tablet]\nDevices=2\n[Device0]\nName=Ball\nRelativeX=1\n"
                      "[Device1]\nName=Wide Pad\nXResolution=1000\nYResolution=500\nXMax=12000\nYMax=4500\n"));
    ContextRecord ball = host.sim.Context(host.sim.SystemContextOf(0));
    ASSERT_TRUE(host.Open());
    EXPECT_EQ("9\"", host.Text(IDC_HEIGHT_EDIT));
    host.Click(IDC_WHOLE_TABLET);
    host.Type(IDC_HEIGHT_EDIT, "2");
    host.Click(IDC_MODE_RELATIVE);
    host.Click(IDOK);
    ASSERT_TRUE(host.Ended());
    ContextRecord pad = host.sim.Context(host.sim.SystemContextOf(1));
    EXPECT_EQ(1000, pad.inExtentY);
    EXPECT_EQ(1u, pad.trackingMode);
    EXPECT_TRUE(SameRecord(ball, host.sim.Context(host.sim.SystemContextOf(0)))) << "device 0 untouched";
}

TEST_F(SetupDialogTest, CancelAfterTestPutsTheDriverBackAndWritesNoPreference) {
    Open(0);
    DriverSnapshot before = host.Snapshot();
    host.Click(IDC_MODE_RELATIVE);
    host.Type(IDC_SENS_EDIT, "75");
    host.Type(IDC_WIDTH_EDIT, "3");
    host.Select(IDC_BUTTON_LIST, 1);
    host.Click(IDC_DEFAULT_BUTTONS);  // off
    host.Select(IDC_ACTION_LIST, 5);
    host.Select(IDC_UNITS_LIST, 1);
    host.Click(IDC_SETUP_TEST);
    ASSERT_FALSE(host.Ended());
    ContextRecord tested = host.SystemContext();
    EXPECT_EQ(1u, tested.trackingMode);
    EXPECT_EQ(0x6000u, tested.sensitivityX);
    EXPECT_EQ(3000, tested.inExtentX);
    EXPECT_EQ(5, host.Map(0).entry[1]);
    EXPECT_EQ("7", host.UnitsKey()) << "Test writes no preference";

    host.Click(IDCANCEL);
    EXPECT_TRUE(host.Ended());
    EXPECT_TRUE(before == host.Snapshot()) << RecordDiff(before.contexts[0], host.SystemContext());
    EXPECT_EQ("7", host.UnitsKey());
    EXPECT_EQ(0, CurrentUnit);
    EXPECT_TRUE(host.boxDriver.boxes.empty());
}

TEST_F(SetupDialogTest, OkWritesTheUnitAndTheSettings) {
    for (int unit : {0, 1}) {
        Open(1);
        DriverSnapshot before = host.Snapshot();
        if (unit == 1) host.Select(IDC_UNITS_LIST, 1);
        host.Click(IDOK);
        EXPECT_TRUE(host.Ended());
        EXPECT_EQ(unit == 1 ? "2" : "1", host.UnitsKey());
        EXPECT_EQ(unit, CurrentUnit);
        EXPECT_TRUE(before == host.Snapshot()) << "an unchanged dialog writes back what it read";
    }
    EXPECT_TRUE(host.boxDriver.boxes.empty());
}

TEST_F(SetupDialogTest, RevertRestoresTheOpeningAndKeepsTheSelectedButton) {
    Open(1);
    DriverSnapshot before = host.Snapshot();
    host.Select(IDC_BUTTON_LIST, 2);
    host.Select(IDC_UNITS_LIST, 1);
    host.Click(IDC_PRESERVE_ASPECT);
    host.Type(IDC_SENS_EDIT, "80");
    host.Click(IDC_DEFAULT_BUTTONS);
    host.Select(IDC_ACTION_LIST, 3);
    host.Click(IDC_MODE_ABSOLUTE);
    host.Click(IDC_SETUP_TEST);
    ASSERT_TRUE(before != host.Snapshot());

    host.Click(IDC_SETUP_REVERT);
    EXPECT_FALSE(host.Ended());
    EXPECT_TRUE(before == host.Snapshot());
    EXPECT_EQ(0, host.Selection(IDC_UNITS_LIST));
    EXPECT_FALSE(host.Checked(IDC_PRESERVE_ASPECT));
    EXPECT_EQ("50%", host.Text(IDC_SENS_EDIT));
    EXPECT_TRUE(host.Checked(IDC_MODE_RELATIVE));
    EXPECT_TRUE(host.Enabled(IDC_SENS_EDIT));
    EXPECT_TRUE(host.Checked(IDC_DEFAULT_BUTTONS));
    EXPECT_FALSE(host.Enabled(IDC_ACTION_LIST));
    EXPECT_EQ(inches, FieldTexts());
    EXPECT_EQ(2, host.Selection(IDC_BUTTON_LIST)) << "the selected button stays";
    EXPECT_EQ(2, host.Selection(IDC_ACTION_LIST)) << "and shows its action as opened";
    AreaBox area = host.ControlArea();
    EXPECT_EQ(1000, area.left);
    EXPECT_EQ(7000, area.right);

    host.Click(IDOK);
    EXPECT_EQ("1", host.UnitsKey()) << "the unit as opened";
}

TEST_F(SetupDialogTest, ModalDialogEndsWithOneOnOkAndOnEscape) {
    ASSERT_TRUE(host.Describe(Opened(1).c_str()));
    DriverSnapshot before = host.Snapshot();
    INT_PTR result = host.RunModal({[](HWND d) {
                                        SetDlgItemTextA(d, IDC_SENS_EDIT, "75");
                                        SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_SENS_EDIT, EN_KILLFOCUS), 0);
                                        SendMessageA(d, WM_COMMAND, IDC_SETUP_TEST, 0);
                                    },
                                    [](HWND d) {
                                        HWND focus = GetFocus();
                                        PostMessageA(focus && IsChild(d, focus) ? focus : d, WM_KEYDOWN, VK_ESCAPE, 0);
                                    }});
    EXPECT_EQ(1, result);
    EXPECT_TRUE(before == host.Snapshot()) << "Escape cancels";

    result = host.RunModal({[](HWND d) {
        SetDlgItemTextA(d, IDC_SENS_EDIT, "75");
        SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_SENS_EDIT, EN_KILLFOCUS), 0);
        SendMessageA(d, WM_COMMAND, IDOK, 0);
    }});
    EXPECT_EQ(1, result);
    EXPECT_EQ(0x6000u, host.SystemContext().sensitivityX);
}

TEST_F(SetupDialogTest, WarningComesExactlyWhenTheClicksWouldBeLost) {
    Open(1);
    host.Click(IDC_DEFAULT_BUTTONS);  // off
    for (int button = 0; button < 3; ++button) {
        host.Select(IDC_BUTTON_LIST, button);
        host.Select(IDC_ACTION_LIST, 0);
    }
    DriverSnapshot before = host.Snapshot();

    for (int id : {IDOK, IDC_SETUP_TEST}) {
        host.boxDriver.boxes.clear();
        host.boxDriver.answer = IDCANCEL;
        host.Click(id);
        ASSERT_EQ(1u, host.boxDriver.boxes.size()) << id;
        EXPECT_EQ("Current settings will disable both mouse buttons!", host.boxDriver.boxes[0].text);
        EXPECT_EQ("Warning", host.boxDriver.boxes[0].caption);
        EXPECT_EQ(host.dialog, host.boxDriver.boxes[0].owner);
        EXPECT_FALSE(host.Ended()) << id;
        EXPECT_TRUE(before == host.Snapshot()) << id << ": the driver keeps the previous settings";
    }

    // Giving one button back its left click leaves only the right one lost.
    host.Select(IDC_BUTTON_LIST, 0);
    host.Select(IDC_ACTION_LIST, 1);
    host.boxDriver.boxes.clear();
    host.Click(IDC_SETUP_TEST);
    ASSERT_EQ(1u, host.boxDriver.boxes.size());
    EXPECT_EQ("Current settings will disable the right mouse button!", host.boxDriver.boxes[0].text);

    host.boxDriver.boxes.clear();
    host.boxDriver.answer = IDOK;
    host.Click(IDOK);
    EXPECT_EQ(1u, host.boxDriver.boxes.size());
    EXPECT_TRUE(host.Ended());
    ButtonMap written = host.Map(0);
    EXPECT_EQ(0, memcmp(MapOf({1, 0, 0}).entry, written.entry, sizeof written.entry));
}

// The warning's Cancel keeps the dialog open: the unit chosen is stored only
// when OK really closes it.
TEST_F(SetupDialogTest, UnitIsStoredOnlyWhenOkCloses) {
    Open(1, 0);
    host.Select(IDC_UNITS_LIST, 1);
    host.Click(IDC_DEFAULT_BUTTONS);
    for (int button = 0; button < 3; ++button) {
        host.Select(IDC_BUTTON_LIST, button);
        host.Select(IDC_ACTION_LIST, 0);
    }
    host.boxDriver.answer = IDCANCEL;
    host.Click(IDOK);
    ASSERT_EQ(1u, host.boxDriver.boxes.size());
    EXPECT_FALSE(host.Ended());
    host.Click(IDCANCEL);
    EXPECT_TRUE(host.Ended());
    EXPECT_EQ(0, CurrentUnit);
    EXPECT_EQ("7", host.UnitsKey()) << "no unit written";
}

// The warning is about clicks the cursor had when the dialog opened: a map
// that never had a right click does not nag on every OK.
TEST_F(SetupDialogTest, WarningOnlyForClicksTheOpenedMapHad) {
    struct Case {
        const char* map;     // the cursor's map at opening
        int button, action;  // then changed, -1: unchanged
        const char* warning;
    } cases[] = {
        {"1,7", -1, -1, nullptr},
        {"1,7", 1, 8, nullptr},
        {"1,4", 1, 7, "Current settings will disable the right mouse button!"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(host.Describe(
            Tablet("",
                   std::string("Cursors=1\n[Device0.Cursor0]\nName=Pen\nActive=1\nButtonNames=Tip,Barrel\nButtonMap=") +
                       c.map + "\n")
                .c_str()));
        ASSERT_TRUE(host.Open());
        if (c.button >= 0) {
            host.Click(IDC_DEFAULT_BUTTONS);
            host.Select(IDC_BUTTON_LIST, c.button);
            host.Select(IDC_ACTION_LIST, c.action);
        }
        host.boxDriver.boxes.clear();
        host.boxDriver.answer = IDOK;
        for (int id : {IDC_SETUP_TEST, IDOK}) host.Click(id);
        EXPECT_TRUE(host.Ended()) << c.map;
        if (!c.warning) {
            EXPECT_TRUE(host.boxDriver.boxes.empty()) << c.map;
            continue;
        }
        ASSERT_EQ(2u, host.boxDriver.boxes.size()) << c.map;
        EXPECT_EQ(c.warning, host.boxDriver.boxes[1].text);
    }
}

// With the pen option in the context, probing Whole Tablet keeps the
// tracking mode shown, and OK writes what is shown.
TEST_F(SetupDialogTest, ProbingKeepsTheShownTrackingModeWithThePenOption) {
    ASSERT_TRUE(host.Describe(Tablet("PenOption=1\nContexts=1", "",
                                     "[Context0]\nName=Default System\nOptions=2\nTrackingMode=0\n"
                                     "InOriginX=1000\nInExtentX=6000\nInOriginY=2500\nInExtentY=4500\n")
                                  .c_str()));
    ASSERT_TRUE(host.Open());
    ASSERT_TRUE(host.Checked(IDC_MODE_ABSOLUTE));
    host.Click(IDC_MODE_RELATIVE);
    host.Click(IDC_WHOLE_TABLET);
    EXPECT_TRUE(host.Checked(IDC_MODE_RELATIVE));
    EXPECT_EQ(0u, workingSettings.mode);
    host.Click(IDOK);
    ASSERT_TRUE(host.Ended());
    EXPECT_EQ(1u, host.SystemContext().trackingMode) << "relative written";
}

// A tablet that stops answering, answers in part or changes: OK and Test
// write nothing, say so with a stop box and keep the dialog open, and Cancel
// writes nothing a failed or stale reading gave. Set before the dialog opens
// and while it is open, each row's faults.
TEST_F(SetupDialogTest, TabletGoneOrChangedWritesNothingAndSaysSo) {
    const char* gone = "The tablet does not answer. Nothing was changed.";
    const char* changed =
        "The tablet changed while this dialog was open; nothing was written. Close the dialog and open it again.";
    struct Case {
        const char* name;
        std::vector<std::pair<SimFault, int>> atOpen;
        std::function<void(SetupHost&)> whileOpen;
        const char* box;
    } cases[] = {
        {"unplugged while open", {}, [](SetupHost& h) { h.sim.SetFault(SimFaultNoAnswers, 1); }, gone},
        // The cursor types do not answer as the contexts are read, then do.
        {"silent for a moment as it opens", {{SimFaultSilentSpell, 2}}, nullptr, changed},
        {"records answered in part", {{SimFaultPartialRecords, 2}}, nullptr, gone},
        {"resized while open",
         {},
         [](SetupHost& h) {
             h.sim.LoadDescriptionText(Tablet("Contexts=1", "XMax=6000\nYMax=4500\nResolution=500",
                                              "[Context0]\nName=Default System\nInExtentX=3000\nInExtentY=2250\n")
                                           .c_str());
             h.sim.NotifyInfoChanged(DeviceInfo, DeviceAxisY);
         },
         changed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(host.Describe(Opened(1).c_str()));
        host.SetUnitsKey("7");
        for (const auto& fault : c.atOpen) host.sim.SetFault(fault.first, fault.second);
        ASSERT_TRUE(host.Open());
        if (c.whileOpen) c.whileOpen(host);
        host.Type(IDC_SENS_EDIT, "80");
        DriverSnapshot before = host.Snapshot();
        host.boxDriver.answer = IDOK;
        for (int id : {IDC_SETUP_TEST, IDOK}) {
            host.boxDriver.boxes.clear();
            host.Click(id);
            ASSERT_EQ(1u, host.boxDriver.boxes.size()) << id;
            const SeenBox& box = host.boxDriver.boxes[0];
            EXPECT_EQ(c.box, box.text);
            EXPECT_EQ("Tablet Control Panel", box.caption);
            EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONSTOP), box.style);
            EXPECT_FALSE(host.Ended()) << id;
            EXPECT_TRUE(before == host.Snapshot()) << id << ": nothing written";
        }
        EXPECT_EQ("7", host.UnitsKey());
        host.sim.ClearFaults();
        host.Click(IDCANCEL);
        EXPECT_TRUE(host.Ended());
        EXPECT_TRUE(before == host.Snapshot());
    }
}

TEST_F(SetupDialogTest, StatusLineFollowsTheAreaControl) {
    Open();
    struct Case {
        WORD code;
        INT_PTR answer;
        const char* status;
    } cases[] = {
        {SAN_ASKLOWERLEFT, TRUE, "Click on lower-left corner of active area"},
        {0x26, FALSE, "Click on lower-left corner of active area"},
        {SAN_ASKUPPERRIGHT, TRUE, "Click on upper-right corner of active area"},
        {SAN_DEFINED, TRUE, "Active area rectangle defined."},
        {SAN_CANCELLED, TRUE, " "},
        {SAN_OUTOFRANGE, TRUE, "Out of range!"},
        {0x29, FALSE, "Out of range!"},
        {0x1F, FALSE, "Out of range!"},
        {SAN_FOCUSLOST, TRUE, " "},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.answer, host.Answer(IDC_AREA_CONTROL, c.code)) << std::hex << c.code;
        EXPECT_EQ(c.status, host.Text(IDC_STATUS_LINE)) << std::hex << c.code;
    }
}

TEST_F(SetupDialogTest, CommandsItDoesNotHandleAnswerZero) {
    Open();
    struct Case {
        int id;
        WORD code;
        INT_PTR answer;
    } cases[] = {
        {IDC_BUTTON_LIST, CBN_DROPDOWN, FALSE},
        {IDC_ACTION_LIST, CBN_SETFOCUS, FALSE},
        {IDC_UNITS_LIST, CBN_KILLFOCUS, FALSE},
        {IDC_SENS_EDIT, EN_CHANGE, FALSE},
        {IDC_WIDTH_EDIT, EN_SETFOCUS, FALSE},
        {IDC_SENS_SPIN, 0x22, FALSE},
        {IDC_HEIGHT_SPIN, 0, FALSE},
        {99, BN_CLICKED, FALSE},
        {IDC_STATUS_LINE, 0, FALSE},
        {IDC_UNITS_LABEL, 0, FALSE},
        {IDC_MODE_RELATIVE, BN_DOUBLECLICKED, TRUE},  // any notification
        {IDC_UNITS_LIST, CBN_SELCHANGE, TRUE},
    };
    for (const Case& c : cases) EXPECT_EQ(c.answer, host.Answer(c.id, c.code)) << c.id << " " << c.code;
    EXPECT_EQ(FALSE, SetupDialogProc(host.dialog, WM_TIMER, 0, 0));
    EXPECT_EQ(inches, FieldTexts());
    EXPECT_FALSE(host.Ended());
}

TEST_F(SetupDialogTest, TestReadsTheFieldBeingEdited) {
    Open();
    SetFocus(host.Item(IDC_WIDTH_EDIT));
    ASSERT_EQ(host.Item(IDC_WIDTH_EDIT), GetFocus());
    SetDlgItemTextA(host.dialog, IDC_WIDTH_EDIT, "3");  // typed, the field not yet left
    host.Click(IDC_SETUP_TEST);
    EXPECT_EQ(host.Item(IDC_SETUP_TEST), GetFocus()) << "the button takes the focus";
    EXPECT_EQ(0, SendMessageA(host.Item(IDC_SETUP_TEST), BM_GETSTATE, 0, 0) & BST_PUSHED);
    ContextRecord written = host.SystemContext();
    EXPECT_EQ(2500, written.inOriginX);
    EXPECT_EQ(3000, written.inExtentX);
    // OK too: 80 typed, the field not yet left, then OK.
    SetFocus(host.Item(IDC_SENS_EDIT));
    SetDlgItemTextA(host.dialog, IDC_SENS_EDIT, "80");
    host.Click(IDOK);
    EXPECT_TRUE(host.Ended());
    EXPECT_EQ(0x6666u, host.SystemContext().sensitivityX);
}

TEST_F(SetupDialogTest, DisabledLabelsKeepTheirMnemonicsToThemselves) {
    auto mnemonic = [this](char letter) {
        SetFocus(host.Item(IDC_SETUP_TEST));
        MSG message = {host.Item(IDC_SETUP_TEST), WM_SYSCHAR, static_cast<WPARAM>(letter), 1 << 29, 0, {0, 0}};
        IsDialogMessageA(host.dialog, &message);
        return GetFocus();
    };
    Open(0);  // absolute: the sensitivity label is disabled
    EXPECT_EQ(7, SubclassedLabelCount());
    EXPECT_EQ(0, SendMessageA(host.Item(IDC_SENS_LABEL), WM_GETDLGCODE, 0, 0));
    EXPECT_NE(host.Item(IDC_SENS_EDIT), mnemonic('s'));
    EXPECT_EQ(DLGC_STATIC, SendMessageA(host.Item(IDC_WIDTH_LABEL), WM_GETDLGCODE, 0, 0) & DLGC_STATIC);
    EXPECT_EQ(host.Item(IDC_WIDTH_EDIT), mnemonic('w'));

    host.Click(IDC_MODE_RELATIVE);
    EXPECT_EQ(DLGC_STATIC, SendMessageA(host.Item(IDC_SENS_LABEL), WM_GETDLGCODE, 0, 0) & DLGC_STATIC);
    EXPECT_EQ(host.Item(IDC_SENS_EDIT), mnemonic('s'));

    host.Click(IDC_WHOLE_TABLET);
    EXPECT_EQ(0, SendMessageA(host.Item(IDC_WIDTH_LABEL), WM_GETDLGCODE, 0, 0));
    EXPECT_NE(host.Item(IDC_WIDTH_EDIT), mnemonic('w'));
    EXPECT_EQ(7, SubclassedLabelCount()) << "each label is subclassed once";

    host.Close();
    EXPECT_EQ(0, SubclassedLabelCount()) << "destroyed labels leave the table";
    Open(0);
    EXPECT_EQ(7, SubclassedLabelCount());
}

}  // namespace
