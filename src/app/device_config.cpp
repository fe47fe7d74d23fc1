// The Features row's pre-handler: a device whose driver brings its own
// configuration dialog gets that dialog instead of the program's, and a
// change that needs a restart offers to log the user off at once.
#include "app/app.h"
#include "defs/features.h"
#include "driver/driver.h"
#include "driver/session.h"
#include "exchange/snapshot.h"
#include "win/resources.h"

namespace {

// The prompt's text is longer than the usual 80-character message.
constexpr int RestartTextSize = 200;
constexpr int RestartTitleSize = 80;
constexpr DWORD LogOffReserved = 0xFFFFFFFF;  // ExitWindowsEx's second argument

// True when the user chooses OK to log off now, so that the driver's change
// takes effect.
bool AskToRestart(HWND window) {
    HINSTANCE resources = ResourceInstance();
    char text[RestartTextSize] = "";
    char title[RestartTitleSize] = "";
    LoadStringA(resources, IDS_RESTART_PROMPT, text, sizeof text);
    LoadStringA(resources, IDS_RESTART_TITLE, title, sizeof title);
    return MessageBoxA(window, text, title, MB_OKCANCEL | MB_ICONEXCLAMATION) == IDOK;
}

}  // namespace

LRESULT DeviceConfigHandler(HWND window, UINT, WPARAM, LPARAM) {
    WORD device = SelectDevice();
    if (VXMgrDeviceConfig(SessionManager(), device, nullptr) == 0) return 0;
    UINT result = VXMgrDeviceConfig(SessionManager(), device, window);
    if (result == RestartNeeded && AskToRestart(window)) ExitWindowsEx(EWX_LOGOFF, LogOffReserved);
    return 1;
}
