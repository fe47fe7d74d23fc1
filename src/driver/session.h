// The driver session: the manager opened for the program's main window.
// Everything that needs the manager asks here.
#pragma once

#include <windows.h>

#include "driver/vellix.h"

// Opens the manager for window (driver messages from MessageBase on); false,
// with no manager, when the driver refuses.
bool OpenDriverSession(HWND window);
// Closes the manager when one is open; the library stays loaded.
void CloseDriverSession();
// The open manager, 0 when none.
ManagerHandle SessionManager();
