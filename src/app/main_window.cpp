// The main window: a small fixed frame with the Tablet menu and one icon
// button per row of the row table. Menu commands and icon activations open
// the rows' dialogs modally.
#include "app/app.h"
#include "defs/features.h"
#include "dialogs/dialogs.h"
#include "driver/driver.h"
#include "driver/session.h"
#include "setup/setup.h"

HWND currentIcon = nullptr;

namespace {

// The main window fits one row of icon-button cells (three icon widths by two
// icon heights each) within its borders, caption and menu, with 15 pixels at
// 96 DPI to spare below them.
constexpr int MainWidthInIcons = 9;
constexpr int MainHeightInIcons = 2;
constexpr int MainExtraHeight = 15;

// Each icon button activates the menu command of its row.
static_assert(IDM_FEATURES - IDM_INFORMATION == IDC_ICON_FEATURES - IDC_ICON_INFORMATION &&
                  IDM_CUSTOMIZATION - IDM_INFORMATION == IDC_ICON_CUSTOMIZATION - IDC_ICON_INFORMATION,
              "icon buttons and menu commands in the same order");
WORD MenuCommandOfIcon(WORD iconId) {
    return static_cast<WORD>(IDM_INFORMATION + (iconId - IDC_ICON_INFORMATION));
}

IconButtonRow iconRows[IconRowCount] = {
    {IDC_ICON_INFORMATION, ICON_INFORMATION, IDS_INFORMATION, nullptr, InfoDialogProc, IDD_INFORMATION, nullptr},
    {IDC_ICON_FEATURES, ICON_FEATURES, IDS_FEATURES, DeviceConfigHandler, FeaturesDialogProc, IDD_FEATURES, nullptr},
    {IDC_ICON_CUSTOMIZATION, ICON_CUSTOMIZATION, IDS_CUSTOMIZATION, nullptr, SetupDialogProc, IDD_SETUP, nullptr},
};

LRESULT OnCreate(HWND window) {
    HWND first = CreateIconButtons(window, iconGrid);
    if (!first) {
        DestroyWindow(window);  // the error box has been shown already
        return 0;
    }
    currentIcon = first;
    return 0;
}

void RunRow(HWND window, UINT message, WPARAM wParam, LPARAM lParam, IconButtonRow& row) {
    currentIcon = row.window;
    SetFocus(row.window);
    if (row.preHandler && row.preHandler(window, message, wParam, lParam)) return;
    DialogBoxParamA(ResourceInstance(), MAKEINTRESOURCEA(row.templateId), window, row.dialogProc, 0);
}

LRESULT OnIconNotification(HWND window, WORD id, WORD code, HWND button) {
    switch (code) {
    case IconFocused:
        currentIcon = button;
        return 0;
    case IconQueryCurrent:
        return reinterpret_cast<LRESULT>(currentIcon);
    case IconActivate:
        SendMessageA(window, WM_COMMAND, MenuCommandOfIcon(id), 0);
        return 0;
    default:
        return 0;
    }
}

LRESULT OnCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WORD id = LOWORD(wParam);
    switch (id) {
    case IDM_INFORMATION:
    case IDM_FEATURES:
    case IDM_CUSTOMIZATION:
        RunRow(window, message, wParam, lParam, iconRows[id - IDM_INFORMATION]);
        return 0;
    case IDM_EXIT:
        DestroyWindow(window);
        return 0;
    case IDM_ABOUT:
        DialogBoxParamA(ResourceInstance(), MAKEINTRESOURCEA(IDD_ABOUT), window, AboutDialogProc, 0);
        return 0;
    case IDC_ICON_INFORMATION:
    case IDC_ICON_FEATURES:
    case IDC_ICON_CUSTOMIZATION:
        return OnIconNotification(window, id, HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    default:
        return 0;
    }
}

void OnDestroy() {
    CloseDriverSession();
    UnloadDriver();
    PostQuitMessage(0);
}

}  // namespace

IconGrid iconGrid = {IconRowCount, 1, iconRows};  // the rows side by side

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return OnCreate(window);
    case WM_SETFOCUS:
        if (currentIcon) SetFocus(currentIcon);
        return 0;
    case WM_COMMAND:
        return OnCommand(window, message, wParam, lParam);
    case WM_DESTROY:
        OnDestroy();
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

HWND CreateMainWindow(HINSTANCE instance) {
    int width = MainWidthInIcons * GetSystemMetrics(SM_CXICON) + 2 * GetSystemMetrics(SM_CXBORDER);
    int height = MainHeightInIcons * GetSystemMetrics(SM_CYICON) + 2 * GetSystemMetrics(SM_CYBORDER) +
                 GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYMENU) + ScaledPixels(MainExtraHeight);
    return CreateWindowExA(0, caption, caption, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT,
                           CW_USEDEFAULT, width, height, nullptr, nullptr, instance, nullptr);
}
