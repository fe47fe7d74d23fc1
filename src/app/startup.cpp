// Start-up in its fixed order and the message loop.
#include "app/app.h"
#include "controls/controls.h"
#include "defs/features.h"
#include "dialogs/dialogs.h"
#include "driver/session.h"
#include "exchange/snapshot.h"
#include "win/glue.h"

char caption[50];

bool RegisterWindowClasses(HINSTANCE instance) {
    if (!RegisterSetAreaClass(instance)) return false;
    if (!RegisterTweakClass(instance)) return false;
    if (!RegisterIconButtonClass(instance)) return false;

    WNDCLASSA mainClass = {};
    mainClass.style = CS_VREDRAW | CS_HREDRAW;
    mainClass.lpfnWndProc = MainWndProc;
    mainClass.hInstance = instance;
    mainClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(ICON_APP));
    mainClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    mainClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_APPWORKSPACE + 1));
    mainClass.lpszMenuName = MAKEINTRESOURCEA(IDM_TABLET);
    mainClass.lpszClassName = caption;
    return RegisterWindowClassOnce(mainClass);
}

HWND StartTabletControlPanel(HINSTANCE instance, int showCommand) {
    SetDeviceSelection(GetCommandLineA());
    LoadStringA(instance, IDS_CAPTION, caption, sizeof caption);

    if (!DriverAnswers()) {
        ShowErrorBox(nullptr, IDS_DRIVER_NOT_FOUND);
        return nullptr;
    }
    if (!RegisterWindowClasses(instance)) return nullptr;

    HWND mainWindow = CreateMainWindow(instance);
    if (!mainWindow) return nullptr;

    if (!OpenDriverSession(mainWindow)) {
        ShowErrorBox(nullptr, IDS_DRIVER_NOT_FOUND);
        DestroyWindow(mainWindow);
        return nullptr;
    }
    ShowWindow(mainWindow, showCommand);
    CurrentUnit = ReadUnitPreference();
    return mainWindow;
}

int RunMessageLoop() {
    MSG message;
    BOOL got;
    while ((got = GetMessageA(&message, nullptr, 0, 0)) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return got == 0 ? static_cast<int>(message.wParam) : 0;
}

int TabletMain(HINSTANCE instance, int showCommand) {
    if (!StartTabletControlPanel(instance, showCommand)) return 0;
    return RunMessageLoop();
}
