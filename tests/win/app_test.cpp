// The application shell under Wine with the driver stand-in: start-up and its
// failures, the main window, the menu, the icon buttons and destruction.
#include <gtest/gtest.h>

#include <string>

#include "app/app.h"
#include "defs/features.h"
#include "driver/driver.h"
#include "driver/session.h"
#include "support/sim_control.h"
#include "support/windows_harness.h"

namespace {

class AppTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sim.Loaded());
        sim.Reset();
        ForgetDeviceSelection();
    }
    void TearDown() override {
        if (mainWindow && IsWindow(mainWindow)) DestroyWindow(mainWindow);
        DispatchPending();
    }
    HWND Start() {
        mainWindow = StartTabletControlPanel(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
        DispatchPending();
        return mainWindow;
    }
    HWND Button(int id) { return GetDlgItem(mainWindow, id); }

    SimControl sim;
    HWND mainWindow = nullptr;
};

TEST_F(AppTest, MainWindowSizeFollowsSystemMetrics) {
    ASSERT_TRUE(Start());
    RECT box;
    GetWindowRect(mainWindow, &box);
    EXPECT_EQ(box.right - box.left, 9 * GetSystemMetrics(SM_CXICON) + 2 * GetSystemMetrics(SM_CXBORDER));
    EXPECT_EQ(box.bottom - box.top, 2 * GetSystemMetrics(SM_CYICON) + 2 * GetSystemMetrics(SM_CYBORDER) +
                                        GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYMENU) + 15);
    LONG style = GetWindowLongA(mainWindow, GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_EQ(WindowText(mainWindow), "Tablet Control Panel");
    EXPECT_EQ(WindowClass(mainWindow), "Tablet Control Panel");
    EXPECT_NE(SessionManager(), 0u);
}

TEST_F(AppTest, MenuHoldsTheTabletCommands) {
    ASSERT_TRUE(Start());
    HMENU bar = GetMenu(mainWindow);
    char text[80];
    GetMenuStringA(bar, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&Tablet");
    HMENU popup = GetSubMenu(bar, 0);
    ASSERT_EQ(GetMenuItemCount(popup), 7);
    struct Item {
        int position;
        UINT id;
        const char* text;
    } items[] = {{0, IDM_INFORMATION, "&Information..."},
                 {1, IDM_FEATURES, "&Features..."},
                 {2, IDM_CUSTOMIZATION, "&Customization..."},
                 {4, IDM_ABOUT, "&About Tablet Control Panel..."},
                 {6, IDM_EXIT, "E&xit"}};
    for (const Item& item : items) {
        EXPECT_EQ(GetMenuItemID(popup, item.position), item.id);
        GetMenuStringA(popup, item.position, text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(text, item.text);
    }
    for (int separator : {3, 5}) EXPECT_TRUE(GetMenuState(popup, separator, MF_BYPOSITION) & MF_SEPARATOR);
}

TEST_F(AppTest, IconButtonsStandInARowWithLabelsAndNeighbours) {
    ASSERT_TRUE(Start());
    const int cx = GetSystemMetrics(SM_CXICON), cy = GetSystemMetrics(SM_CYICON);
    const struct {
        int id;
        const char* label;
    } rows[] = {{51, "Information"}, {52, "Features"}, {53, "Customization"}};
    for (int c = 0; c < 3; ++c) {
        HWND button = Button(rows[c].id);
        ASSERT_TRUE(button) << rows[c].id;
        EXPECT_EQ(WindowClass(button), "Icon Window Class");
        EXPECT_EQ(WindowText(button), rows[c].label);
        EXPECT_TRUE(IsWindowVisible(button));
        RECT box;
        GetWindowRect(button, &box);
        MapWindowPoints(nullptr, mainWindow, reinterpret_cast<POINT*>(&box), 2);
        EXPECT_EQ(box.left, c * 3 * cx);
        EXPECT_EQ(box.top, 0);
        EXPECT_EQ(box.right - box.left, 3 * cx);
        EXPECT_EQ(box.bottom - box.top, 2 * cy);
        EXPECT_EQ(IconButtonSlot(button, IconSlotLeft), c > 0 ? reinterpret_cast<LONG_PTR>(Button(rows[c - 1].id)) : 0);
        EXPECT_EQ(IconButtonSlot(button, IconSlotRight), c < 2 ? reinterpret_cast<LONG_PTR>(Button(rows[c + 1].id)) : 0);
        EXPECT_EQ(IconButtonSlot(button, IconSlotUp), 0);
        EXPECT_EQ(IconButtonSlot(button, IconSlotDown), 0);
        EXPECT_NE(IconButtonSlot(button, IconSlotIcon), 0);
    }
    EXPECT_EQ(currentIcon, Button(51));
}

TEST_F(AppTest, ArrowKeysMoveBetweenNeighboursOnly) {
    ASSERT_TRUE(Start());
    SetFocus(mainWindow);  // the main window hands the focus to the current button
    EXPECT_EQ(GetFocus(), Button(51));
    struct Step {
        WPARAM key;
        int expected;
    } steps[] = {{VK_LEFT, 51}, {VK_UP, 51}, {VK_DOWN, 51}, {VK_RIGHT, 52}, {VK_RIGHT, 53},
                 {VK_RIGHT, 53}, {VK_UP, 53}, {VK_LEFT, 52}, {'A', 52}};
    for (const Step& step : steps) {
        SendMessageA(GetFocus(), WM_KEYDOWN, step.key, 0);
        EXPECT_EQ(GetFocus(), Button(step.expected)) << "key " << step.key;
        EXPECT_EQ(currentIcon, Button(step.expected));
    }
}

// The label's background is filled one pixel wider and higher than the text,
// so the pixel at the text's far corner shows the label colour.
COLORREF LabelBackground(HWND button) {
    RECT client;
    GetClientRect(button, &client);
    HDC dc = GetDC(button);
    HFONT font = CreateFontA(8, 0, 0, 0, 0, FALSE, FALSE, FALSE, 0, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, 0x22, "Helv");
    HGDIOBJ old = SelectObject(dc, font);
    std::string label = WindowText(button);
    SIZE extent;
    GetTextExtentPoint32A(dc, label.c_str(), static_cast<int>(label.size()), &extent);
    SelectObject(dc, old);
    DeleteObject(font);
    int x = (client.right - extent.cx) / 2 + extent.cx;
    int y = (client.bottom + GetSystemMetrics(SM_CYICON)) / 2 + extent.cy;
    COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(button, dc);
    return colour;
}

TEST_F(AppTest, ClickFocusesAndHighlightsWithoutOpeningADialog) {
    ASSERT_TRUE(Start());
    int opened = 0;
    ModalDriver driver([&](HWND box) {
        ++opened;
        PressButton(box, IDCANCEL);
    });
    SendMessageA(Button(53), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageA(Button(53), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    DispatchPending();
    EXPECT_EQ(GetFocus(), Button(53));
    EXPECT_EQ(currentIcon, Button(53));
    UpdateWindow(Button(51));
    UpdateWindow(Button(53));
    EXPECT_EQ(LabelBackground(Button(53)), GetSysColor(COLOR_ACTIVECAPTION));
    EXPECT_EQ(LabelBackground(Button(51)), GetSysColor(COLOR_APPWORKSPACE));
    EXPECT_EQ(opened, 0);
}

TEST_F(AppTest, DoubleClickAndEnterOpenTheRowsDialogAndFocusReturns) {
    ASSERT_TRUE(Start());
    std::string caption;
    HWND currentWhileOpen = nullptr;
    ModalDriver driver([&](HWND box) {
        caption = WindowText(box);
        currentWhileOpen = currentIcon;
        PressButton(box, IDCANCEL);
    });
    SendMessageA(Button(51), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_EQ(driver.handled(), 1);
    EXPECT_EQ(caption, "Tablet Information");
    SetFocus(Button(53));
    SendMessageA(Button(53), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(driver.handled(), 2);
    EXPECT_EQ(caption, "Tablet Setup");
    EXPECT_EQ(GetFocus(), Button(53));
    // Losing the focus to a dialog keeps the label highlighted.
    EXPECT_EQ(currentWhileOpen, Button(53));
}

// Two real clicks in quick succession: the system makes them a double click
// only for a class that asks for it, and the row's dialog opens.
TEST_F(AppTest, RealDoubleClickOpensTheRowsDialog) {
    ASSERT_TRUE(Start());
    SetForegroundWindow(mainWindow);
    std::string caption;
    ModalDriver driver([&](HWND box) {
        caption = WindowText(box);
        PressButton(box, IDCANCEL);
    });
    RECT r;
    GetWindowRect(Button(51), &r);
    ASSERT_TRUE(SetCursorPos((r.left + r.right) / 2, r.top + (r.bottom - r.top) / 3));
    DispatchPending();
    INPUT clicks[4] = {};
    for (int i = 0; i < 4; ++i) {
        clicks[i].type = INPUT_MOUSE;
        clicks[i].mi.dwFlags = i % 2 ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN;
    }
    ASSERT_EQ(4u, SendInput(4, clicks, sizeof(INPUT)));
    for (DWORD start = GetTickCount(); driver.handled() == 0 && GetTickCount() - start < 10000;) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        DispatchPending();
    }
    EXPECT_EQ(driver.handled(), 1);
    EXPECT_EQ(caption, "Tablet Information");
}

TEST_F(AppTest, MenuCommandSelectsTheRowsButtonBeforeItsDialogOpens) {
    ASSERT_TRUE(Start());
    HWND currentWhileOpen = nullptr;
    std::string caption;
    ModalDriver driver([&](HWND box) {
        currentWhileOpen = currentIcon;
        caption = WindowText(box);
        PressButton(box, IDCANCEL);
    });
    SendMessageA(mainWindow, WM_COMMAND, IDM_CUSTOMIZATION, 0);
    EXPECT_EQ(currentWhileOpen, Button(53));
    EXPECT_EQ(caption, "Tablet Setup");
    SendMessageA(mainWindow, WM_COMMAND, IDM_ABOUT, 0);
    EXPECT_EQ(caption, "About Tablet Control Panel...");
    EXPECT_EQ(currentIcon, Button(53));  // About belongs to no row
    EXPECT_EQ(driver.handled(), 2);
}

TEST_F(AppTest, ExitClosesTheManagerAndUnloadsTheDriver) {
    ASSERT_TRUE(Start());
    ASSERT_NE(DriverLibraryHandle(), nullptr);
    sim.ClearLog();
    SendMessageA(mainWindow, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_FALSE(IsWindow(mainWindow));
    EXPECT_EQ(sim.CallCount(101), 1);  // VXMgrClose
    EXPECT_EQ(DriverLibraryHandle(), nullptr);
    EXPECT_EQ(BoundEntryList(), nullptr);
    MSG quit;
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 0u);
}

TEST_F(AppTest, ManagerThatWillNotOpenStopsStartUpWithTheDriverMessage) {
    sim.SetFault(SimFaultMgrOpenFails, 1);
    std::string text, title;
    bool stopIcon = false;
    ModalDriver driver([&](HWND box) {
        text = MessageBoxText(box);
        title = WindowText(box);
        stopIcon = SameImage(BoxIcon(box), LoadIconA(nullptr, IDI_HAND)) &&
                   !SameImage(BoxIcon(box), LoadIconA(nullptr, IDI_EXCLAMATION));
        PressButton(box, IDOK);
    });
    EXPECT_EQ(Start(), nullptr);
    EXPECT_EQ(driver.handled(), 1);
    EXPECT_EQ(text, "Tablet Driver Not Found.");
    EXPECT_EQ(title, "Tablet Control Panel");
    EXPECT_TRUE(stopIcon);
    EXPECT_EQ(FindWindowA("Tablet Control Panel", nullptr), nullptr);
    EXPECT_EQ(sim.CallCount(101), 0);  // a manager never opened is not closed
}

TEST_F(AppTest, ClosingThroughTheSystemMenuTakesTheSameDestructionPath) {
    ASSERT_TRUE(Start());
    sim.ClearLog();
    SendMessageA(mainWindow, WM_SYSCOMMAND, SC_CLOSE, 0);
    DispatchPending();
    EXPECT_FALSE(IsWindow(mainWindow));
    EXPECT_EQ(sim.CallCount(101), 1);
    EXPECT_EQ(DriverLibraryHandle(), nullptr);
}

}  // namespace
