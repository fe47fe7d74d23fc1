// The driver session of tabletcfg: the manager is opened for a message-only
// window of the program's own, as the control panel opens it for its main
// window. The window is never shown and receives nothing the program needs.
#include "driver/driver.h"
#include "driver/session.h"
#include "exchange/snapshot.h"
#include "tabletcfg/tabletcfg.h"
#include "win/glue.h"
#include "win/resources.h"

namespace {

const char SessionWindowClass[] = "tabletcfg driver session";
HWND sessionWindow = nullptr;

HWND CreateSessionWindow() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = ResourceInstance();
    windowClass.lpszClassName = SessionWindowClass;
    if (!RegisterWindowClassOnce(windowClass)) return nullptr;  // a second session finds it registered
    return CreateWindowExA(0, SessionWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, ResourceInstance(), nullptr);
}

}  // namespace

bool OpenCfgSession() {
    if (!DriverAnswers()) return false;
    sessionWindow = CreateSessionWindow();
    if (!sessionWindow) return false;
    if (OpenDriverSession(sessionWindow)) return true;
    DestroyWindow(sessionWindow);
    sessionWindow = nullptr;
    return false;
}

void CloseCfgSession() {
    CloseDriverSession();
    if (sessionWindow) DestroyWindow(sessionWindow);
    sessionWindow = nullptr;
    UnloadDriver();
}
