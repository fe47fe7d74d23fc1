// The manager handle opened for the program's main window.
#include "driver/session.h"

#include "driver/driver.h"

namespace {

ManagerHandle manager = 0;

}  // namespace

bool OpenDriverSession(HWND window) {
    manager = VXMgrOpen(window, MessageBase);
    return manager != 0;
}

void CloseDriverSession() {
    if (manager) VXMgrClose(manager);
    manager = 0;
}

ManagerHandle SessionManager() { return manager; }
