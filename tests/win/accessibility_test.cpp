// The program as a screen reader reads it: every control of the main window
// and of every dialog through AccessibleObjectFromWindow, the program's own
// classes by a table of role, name, value and state, the spin's two halves
// and the default actions, and the events a WinEvent hook sees.
#include <gtest/gtest.h>
#include <oleacc.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "app/app.h"
#include "defs/features.h"
#include "support/dialog_support.h"
#include "support/fault_process.h"
#include "support/program_test.h"
#include "support/windows_harness.h"

namespace {

VARIANT Child(LONG id) {
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}
const VARIANT Self = Child(CHILDID_SELF);

std::string Narrow(BSTR text) {
    char out[256] = "";
    if (text) WideCharToMultiByte(CP_ACP, 0, text, -1, out, sizeof out, nullptr, nullptr);
    SysFreeString(text);
    return out;
}

struct Heard {
    LONG role = 0, state = 0, children = 0;
    std::string name, value, action;
};

Heard Hear(IAccessible* object, const VARIANT& child) {
    Heard heard;
    VARIANT v;
    BSTR text = nullptr;
    if (object->get_accRole(child, &v) == S_OK) heard.role = v.lVal;
    if (object->get_accState(child, &v) == S_OK) heard.state = v.lVal;
    if (child.lVal == CHILDID_SELF) object->get_accChildCount(&heard.children);
    heard.name = object->get_accName(child, &text) == S_OK ? Narrow(text) : "";
    heard.value = object->get_accValue(child, &text) == S_OK ? Narrow(text) : "(none)";
    heard.action = object->get_accDefaultAction(child, &text) == S_OK ? Narrow(text) : "";
    return heard;
}

std::string IidText(REFIID iid) {
    WCHAR wide[40] = L"";
    StringFromGUID2(iid, wide, 40);
    return Narrow(SysAllocString(wide));
}

// The interface id comes from the compiler: one taken from the link can be
// an import thunk's bytes in an x86_64 build, which every object refuses.
IAccessible* ObjectOf(HWND window) {
    IAccessible* object = nullptr;
    HRESULT result =
        AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&object));
    EXPECT_NE(result, E_NOINTERFACE) << "no object answers for the interface id " << IidText(__uuidof(IAccessible));
    return object;
}

Heard HearWindow(HWND window) {
    IAccessible* object = ObjectOf(window);
    Heard heard = object ? Hear(object, Self) : Heard();
    if (object) object->Release();
    return heard;
}

constexpr LONG StateMask = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_UNAVAILABLE;
constexpr LONG Unavailable = STATE_SYSTEM_UNAVAILABLE, Focusable = STATE_SYSTEM_FOCUSABLE;

struct Row {
    int control;
    LONG role;
    const char* name;
    const char* value;
    LONG state;  // under StateMask
};

const Row MainRows[] = {
    {IDC_ICON_INFORMATION, ROLE_SYSTEM_PUSHBUTTON, "Information", "(none)", Focusable},
    {IDC_ICON_FEATURES, ROLE_SYSTEM_PUSHBUTTON, "Features", "(none)", Focusable},
    {IDC_ICON_CUSTOMIZATION, ROLE_SYSTEM_PUSHBUTTON, "Customization", "(none)", Focusable},
};

// Tablet Setup as it opens on the built-in tablet: absolute mode, Whole Tablet.
const Row SetupRows[] = {
    {IDC_SENS_SPIN, ROLE_SYSTEM_SPINBUTTON, "Sensitivity", "100%", Unavailable},
    {IDC_WIDTH_SPIN, ROLE_SYSTEM_SPINBUTTON, "Width", "12\"", Unavailable},
    {IDC_HEIGHT_SPIN, ROLE_SYSTEM_SPINBUTTON, "Height", "9\"", Unavailable},
    {IDC_LEFT_SPIN, ROLE_SYSTEM_SPINBUTTON, "Left Margin", "0\"", Unavailable},
    {IDC_TOP_SPIN, ROLE_SYSTEM_SPINBUTTON, "Top Margin", "0\"", Unavailable},
    {IDC_RIGHT_SPIN, ROLE_SYSTEM_SPINBUTTON, "Right Margin", "0\"", Unavailable},
    {IDC_BOTTOM_SPIN, ROLE_SYSTEM_SPINBUTTON, "Bottom Margin", "0\"", Unavailable},
    {IDC_AREA_CONTROL, ROLE_SYSTEM_GRAPHIC, "Tracking area", "12\" wide, 9\" high, left 0\", top 0\"", Unavailable},
};

void ExpectRows(HWND parent, const Row* rows, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        const Row& row = rows[i];
        SCOPED_TRACE(row.name);
        Heard heard = HearWindow(GetDlgItem(parent, row.control));
        EXPECT_EQ(heard.role, row.role);
        EXPECT_EQ(heard.name, row.name);
        EXPECT_EQ(heard.value, row.value);
        EXPECT_EQ(heard.state & StateMask, row.state);
    }
}

// Every control of a window has a role, and a name unless it shows no text.
void ExpectEveryControlHeard(HWND window) {
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        SCOPED_TRACE(WindowClass(child) + " " + std::to_string(GetDlgCtrlID(child)) + " " + WindowText(child));
        Heard heard = HearWindow(child);
        EXPECT_NE(heard.role, 0);
        if (!WindowText(child).empty() || heard.role == ROLE_SYSTEM_SPINBUTTON) {
            EXPECT_NE(heard.name, "");
        }
    }
}

std::vector<std::pair<DWORD, HWND>> events;  // of the client objects

void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG, DWORD, DWORD) {
    if (object == OBJID_CLIENT) events.emplace_back(event, window);
}

bool Seen(DWORD event, HWND window) {
    PumpMessages();
    return std::find(events.begin(), events.end(), std::make_pair(event, window)) != events.end();
}

class AccessibilityTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        CoInitialize(nullptr);
        hook =
            SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, OnWinEvent, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
        events.clear();
    }
    void TearDown() override {
        UnhookWinEvent(hook);
        ProgramTest::TearDown();
        CoUninitialize();
    }
    HWINEVENTHOOK hook = nullptr;
    PreferencesFile preferences;
};

// What a reader hears in Tablet Setup, and what it hears change: Whole
// Tablet cleared enables the area, "Less" narrows it, and the area picture
// with the focus says its prompt.
void HearSetup(HWND setup) {
    ExpectRows(setup, SetupRows, std::size(SetupRows));
    HWND area = GetDlgItem(setup, IDC_AREA_CONTROL), width = GetDlgItem(setup, IDC_WIDTH_SPIN);
    SendMessageA(GetDlgItem(setup, IDC_WHOLE_TABLET), BM_CLICK, 0, 0);
    EXPECT_TRUE(Seen(EVENT_OBJECT_STATECHANGE, area));
    EXPECT_TRUE(Seen(EVENT_OBJECT_STATECHANGE, width));
    EXPECT_EQ(HearWindow(area).state & StateMask, Focusable);

    IAccessible* spin = ObjectOf(width);
    ASSERT_TRUE(spin);
    EXPECT_EQ(Hear(spin, Self).children, 2);
    Heard more = Hear(spin, Child(1)), less = Hear(spin, Child(2));
    EXPECT_EQ(more.name + "/" + less.name, "More/Less");
    VARIANT listed[3];
    LONG listedCount = 0;
    EXPECT_EQ(AccessibleChildren(spin, 0, 3, listed, &listedCount), S_FALSE);  // fewer than asked for
    ASSERT_EQ(listedCount, 2) << "AccessibleChildren lists the halves, as screen readers find them";
    EXPECT_EQ(Hear(spin, listed[0]).name + "/" + Hear(spin, listed[1]).name, "More/Less");
    EXPECT_EQ(less.role, ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_EQ(less.action, "Press");
    EXPECT_EQ(spin->accDoDefaultAction(Child(2)), S_OK);
    spin->Release();
    EXPECT_EQ(HearWindow(width).value, ControlText(setup, IDC_WIDTH_EDIT));
    EXPECT_TRUE(Seen(EVENT_OBJECT_VALUECHANGE, width));
    EXPECT_TRUE(Seen(EVENT_OBJECT_VALUECHANGE, area));
    EXPECT_EQ(HearWindow(area).value, "11.99\" wide, 9\" high, left 0.01\", top 0\"");

    events.clear();
    SetFocus(area);
    EXPECT_TRUE(Seen(EVENT_OBJECT_VALUECHANGE, area));
    EXPECT_FALSE(Seen(EVENT_OBJECT_NAMECHANGE, area)) << "the prompt is in the value; the name stays";
    EXPECT_EQ(HearWindow(area).value, "12\" wide, 9\" high, left 0\", top 0\"; " + ControlText(setup, IDC_STATUS_LINE));
    EXPECT_EQ(ControlText(setup, IDC_STATUS_LINE), "Click on lower-left corner of active area");
}

TEST_F(AccessibilityTest, EveryWindowIsHeardAndEachIconButtonPressOpensItsDialog) {
    ASSERT_TRUE(Start());
    ExpectRows(mainWindow, MainRows, std::size(MainRows));
    ExpectEveryControlHeard(mainWindow);
    HWND features = GetDlgItem(mainWindow, IDC_ICON_FEATURES);
    SetFocus(features);
    EXPECT_TRUE(Seen(EVENT_OBJECT_FOCUS, features));
    EXPECT_EQ(HearWindow(features).state & STATE_SYSTEM_FOCUSED, STATE_SYSTEM_FOCUSED);

    std::vector<std::string> opened;
    std::vector<IAccessible*> kept;  // of Tablet Setup's rows, read again once it is closed
    ModalDriver driver([&](HWND box) {
        opened.push_back(WindowText(box));
        ExpectEveryControlHeard(box);
        if (GetDlgItem(box, IDC_AREA_CONTROL)) {
            HearSetup(box);
            for (const Row& row : SetupRows)
                if (IAccessible* object = ObjectOf(GetDlgItem(box, row.control))) kept.push_back(object);
        }
        PressButton(box, IDCANCEL);
    });
    for (const Row& row : MainRows) {
        IAccessible* button = ObjectOf(GetDlgItem(mainWindow, row.control));
        ASSERT_TRUE(button);
        EXPECT_EQ(Hear(button, Self).action, "Press");
        EXPECT_EQ(button->accDoDefaultAction(Self), S_OK);
        button->Release();
        PumpMessages();
        EXPECT_EQ(GetFocus(), GetDlgItem(mainWindow, row.control)) << "back on the button, as after Enter";
    }
    SendMessageA(mainWindow, WM_COMMAND, IDM_ABOUT, 0);
    EXPECT_EQ(opened, (std::vector<std::string>{"Tablet Information", "Features", "Tablet Setup",
                                                "About Tablet Control Panel..."}));

    // An object whose window is gone answers an error and asks neither the
    // window nor the driver.
    EXPECT_EQ(kept.size(), std::size(SetupRows));
    const int driverCalls = sim.TotalCalls();
    for (IAccessible* object : kept) {
        BSTR text = nullptr;
        VARIANT role;
        EXPECT_EQ(object->get_accValue(Self, &text), CO_E_OBJNOTCONNECTED);
        EXPECT_EQ(object->get_accName(Self, &text), CO_E_OBJNOTCONNECTED);
        EXPECT_EQ(object->get_accRole(Self, &role), CO_E_OBJNOTCONNECTED);
        EXPECT_EQ(object->accDoDefaultAction(Self), CO_E_OBJNOTCONNECTED);
        object->Release();
    }
    EXPECT_EQ(sim.TotalCalls(), driverCalls);
}

// A screen reader reads from a process of its own.
TEST_F(AccessibilityTest, AnotherProcessHearsTheProgram) {
    fault_test::ChildProgram child;
    const std::string program = fault_test::BinFolder() + "tabletcp.exe";
    ASSERT_TRUE(child.Start(program, fault_test::Quoted(program)));
    HWND main = child.WaitForMainWindowOrBox();
    ASSERT_TRUE(main && main == child.MainWindow());
    ExpectRows(main, MainRows, std::size(MainRows));
    PostMessageA(main, WM_COMMAND, IDM_EXIT, 0);
}

}  // namespace
