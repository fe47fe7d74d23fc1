// The Features row's pre-handler: a device whose driver brings its own
// configuration dialog gets that dialog instead of the program's, and a
// change that needs a restart offers to log the user off at once.
#include "app/app.h"
#include "driver/driver.h"
#include "driver/session.h"

namespace {

const char RestartText[] =
    "Your tablet driver settings have changed. You will need to exit and restart windows for the "
    "change to take effect. Choose OK to restart Windows NOW.";
const char RestartTitle[] = "Tablet Driver Settings Change";

}  // namespace

LRESULT DeviceConfigHandler(HWND window, UINT, WPARAM, LPARAM) {
    WORD device = SelectDevice();
    if (VXMgrDeviceConfig(SessionManager(), device, nullptr) == 0) return 0;
    UINT result = VXMgrDeviceConfig(SessionManager(), device, window);
    if (result == RestartNeeded &&
        MessageBoxA(window, RestartText, RestartTitle, MB_OKCANCEL | MB_ICONEXCLAMATION) == IDOK)
        ExitWindowsEx(0, 0xFFFFFFFF);
    return 1;
}
